#pragma once

// "Arbeitsblatt-Optionen": the presets of the worksheet page.

#include "worksheet/ab_voreinstellungen.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zl
{
class SettingsStore;
}

namespace zl::ab
{

class TVoreinstForm : public QDialog
{
  public:
    explicit TVoreinstForm(QWidget* parent = nullptr);

    // Fills the dialog from the presets, the task items for the task labels, and the key the
    // defaults are read from and written to (it must outlive the dialog's showing).
    void Zeige(const ABVoreinstellungen& V, const QStringList& AufgabenTexte, SettingsStore& Store);
    // The presets after OK: the fields shown written back (KlasseText and DatumText kept).
    ABVoreinstellungen Werte() const { return m_werte; }

    std::array<QLabel*, 4> AufgLab{};
    std::array<QLineEdit*, 4> AufgEdit{};
    QCheckBox *NameBox, *KlasseBox, *DatumBox;
    QLineEdit *ABNameEdit, *TitelEdit;
    QComboBox* MaxAnzCombo;
    std::array<QLineEdit*, 8> HinweisEdit{}; // L, IS, S, H, G, GB, B, I
    QCheckBox* HinweisBox;
    QCheckBox* StandardBox;
    QPushButton *OKBtn, *AbbrechenBtn, *StdLadenBtn;

    void accept() override;

  private:
    void Fuelle(const ABVoreinstellungen& V);
    ABVoreinstellungen m_werte;
    SettingsStore* m_store = nullptr;
};

} // namespace zl::ab
