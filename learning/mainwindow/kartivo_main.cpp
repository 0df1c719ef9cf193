// Kartivo: starts the learning program and runs its message loop.
#include "learning/mainwindow/zl_main_start.h"
#include "platform/MessageService.h"
#include "platform/widgets/QtMessageService.h"

#include <QApplication>

#include <exception>

namespace {

// An error that escapes a handler is shown in the standard error box and the
// program goes on.
class KartivoApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            zl::ZeigeFehler(QString::fromLocal8Bit(e.what())); // the C library's messages: local encoding
        } catch (...) {
            zl::ZeigeFehler(QStringLiteral("Unbekannter Fehler."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    KartivoApp app(argc, argv);
    zl::QtMessageService boxes;
    zl::setMessageService(&boxes);
    int rc = 0;
    {
        zl::TKartivo programm{zl::KartivoStartOptionen{}};
        if (programm.Starte()) {
            programm.ZeigeHauptfenster();
            rc = app.exec();
        }
    }
    zl::setMessageService(nullptr);
    return rc;
}
