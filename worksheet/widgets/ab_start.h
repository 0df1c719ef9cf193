#pragma once

// Foliavo's start-up: the data module, the screen-mode check, the application title, the splash
// window (1500 ms) and every window created once with the main window first; the shutdown in
// reverse order.

#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace zl
{
class SettingsStore;
class TTitelForm;
} // namespace zl

namespace zl::ab
{

class TForm1;

struct FoliavoStartOptionen {
    QString ProgrammVerz;           // empty: the executable's folder
    QString EinstellungsRoot;       // empty: the user's configuration folder
    SettingsStore* Store = nullptr; // a key given from outside (tests); not owned
    bool Titelfenster = true;
    bool Bildschirmpruefung = true;
};

class TFoliavo
{
  public:
    explicit TFoliavo(FoliavoStartOptionen Optionen);
    ~TFoliavo();
    TFoliavo(const TFoliavo&) = delete;
    TFoliavo& operator=(const TFoliavo&) = delete;

    // False when the screen-mode check ends the program (no window exists then).
    bool Starte();
    // Shows the main window maximized and runs its first activation.
    void ZeigeHauptfenster();

    TForm1* Hauptfenster() const { return m_form1; }
    TTitelForm* Titel() const { return m_titel.get(); }
    const std::vector<QWidget*>& Fenster() const { return m_fenster; }

  private:
    FoliavoStartOptionen m_optionen;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<TTitelForm> m_titel;
    std::vector<std::unique_ptr<QWidget>> m_besitz;
    std::vector<QWidget*> m_fenster;
    TForm1* m_form1 = nullptr;
    bool m_datenGeladen = false;
};

} // namespace zl::ab
