#pragma once

// The question-type dialog of the exercise kind "Individuell".

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>

#include <array>

class QFrame;

namespace zl
{

class THauptfensterHost;

class TUebungsoptForm : public QDialog
{
  public:
    explicit TUebungsoptForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // Ticks every type whose mask character is "1" and counts the groups.
    void ZeigeMaske(const QString& Maske);
    // The 50-character mask of the ticks ("OK").
    QString UebernimmMaske() const;
    void ZeigeAnzahlen();
    // Shows the mask, runs the dialog and on "OK" writes the new mask. Returns
    // whether it was confirmed (Esc and "Abbrechen" leave the mask as it was).
    bool Bearbeite(QString& Maske);

    TImage* MainBackImg;
    std::array<QCheckBox*, 10> CheckS{};
    QListWidget* ErwFragTypListBox;
    std::array<QCheckBox*, 5> CheckZ{};
    QLabel *AnzCheckedLab, *AnzCheckedLab2, *AnzCheckLab3;
    std::array<QWidget*, 5> ObjShape{}, ObjShapeZ{};
    QFrame *CheckMarkRahm, *CheckMarkRahm3;
    TBitBtn2 *OKBtn, *AbbrBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

inline TUebungsoptForm* UebungsoptForm = nullptr;

} // namespace zl
