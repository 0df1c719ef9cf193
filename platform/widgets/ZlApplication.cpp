#include "platform/widgets/ZlApplication.h"

#include "platform/MessageService.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace zl {

ZlApplication::ZlApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    LadeDeutscheQtTexte(*this);
}

bool ZlApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ZeigeFehler(QString::fromLocal8Bit(e.what())); // the C library's messages: local encoding
    } catch (...) {
        ZeigeFehler(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

bool LadeDeutscheQtTexte(QCoreApplication& app)
{
    auto* qt = new QTranslator(&app);
    if (!qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    app.installTranslator(qt);
    return true;
}

} // namespace zl
