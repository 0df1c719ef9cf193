#pragma once

#include <QApplication>

namespace zl {

// The application object of both programs: Qt's own German texts are loaded
// before the first window, and an error that escapes an event handler is shown
// in the standard error box while the program goes on.
class ZlApplication : public QApplication {
public:
    ZlApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Installs Qt's German translations (standard dialogs, buttons, shortcut names);
// false when they are not installed, and the program goes on in Qt's English.
bool LadeDeutscheQtTexte(QCoreApplication& app);

} // namespace zl
