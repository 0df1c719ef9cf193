// Foliavo: starts the worksheet program and runs its message loop.
#include "platform/MessageService.h"
#include "platform/widgets/QtMessageService.h"
#include "worksheet/widgets/ab_start.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace
{

// An error that escapes a handler is shown in the standard error box and the program goes on.
class FoliavoApp : public QApplication
{
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            zl::ZeigeFehler(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            zl::ZeigeFehler(QStringLiteral("Unbekannter Fehler."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    FoliavoApp app(argc, argv);
    QTranslator qt;
    if (qt.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qt);
    zl::QtMessageService boxes;
    zl::setMessageService(&boxes);
    int rc = 0;
    {
        zl::ab::TFoliavo programm{zl::ab::FoliavoStartOptionen{}};
        if (programm.Starte()) {
            programm.ZeigeHauptfenster();
            rc = app.exec();
        }
    }
    zl::setMessageService(nullptr);
    return rc;
}
