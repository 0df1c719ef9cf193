#pragma once

// The learning program's start-up: the data store, the screen-mode check, the
// application title, the splash window and every window created once with the
// main window first; and the shutdown in reverse order.

#include "learning/mainwindow/zl_einstellungen.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace zl {

class TForm1;
class TTitelForm;

struct KartivoStartOptionen {
    QString ProgrammVerz;           // empty: the executable's folder
    QString EinstellungsRoot;       // empty: the user's configuration folder
    SettingsStore* Store = nullptr; // a key given from outside (tests); not owned
    bool Titelfenster = true;       // show the splash window
    bool Bildschirmpruefung = true; // run the screen-mode check
};

class TKartivo {
public:
    explicit TKartivo(KartivoStartOptionen Optionen);
    // Destroys the windows in reverse order of creation, then frees the data store.
    ~TKartivo();
    TKartivo(const TKartivo&) = delete;
    TKartivo& operator=(const TKartivo&) = delete;

    // Data store, screen-mode check, title, splash, windows. Returns false when
    // the screen-mode check ends the program (then no window exists).
    bool Starte();
    // Shows the main window maximized (which lays out the map selection) and
    // runs its first activation.
    void ZeigeHauptfenster();

    TForm1* Hauptfenster() const { return form1_; }
    TTitelForm* Titel() const { return titel_.get(); }
    Einstellungen* Settings() const { return settings_.get(); }
    // The windows in the order they were created, the main window first.
    const std::vector<QWidget*>& Fenster() const { return fenster_; }

    // Milliseconds spent loading the data and creating the windows.
    qint64 DatenMs() const { return datenMs_; }
    qint64 FensterMs() const { return fensterMs_; }

private:
    KartivoStartOptionen optionen_;
    std::unique_ptr<Einstellungen> settings_;
    std::unique_ptr<TTitelForm> titel_;
    std::vector<std::unique_ptr<QWidget>> besitz_;
    std::vector<QWidget*> fenster_;
    TForm1* form1_ = nullptr;
    bool datenGeladen_ = false;
    qint64 datenMs_ = 0;
    qint64 fensterMs_ = 0;
};

} // namespace zl
