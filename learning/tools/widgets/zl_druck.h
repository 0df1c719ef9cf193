#pragma once

// The map print dialog: the visible section of the learning map at a position and
// size on the page in centimetres, optionally in the section's side ratio.

#include "learning/mapview/zl_ausgabe.h"
#include "learning/tools/widgets/zl_drucker.h"

class QCheckBox;
class QGroupBox;

namespace zl
{

class THauptfensterHost;
class TNumEditQ;

class TDruckForm : public TDruckDialog
{
  public:
    explicit TDruckForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // Prints the section at the edits' position and size (DruckeKarte).
    bool Drucke();
    void DruckBtnClick() override { Drucke(); }
    void SeitRatioClick();
    void BreiteEditChange();
    void HoeheEditChange();

    // The output area the map is printed with (reset on every activation) and the
    // side ratio of the section last drawn; the activation reads the ratio from the
    // main window.
    QRectF Ausgabeflaeche = kGanzeAusgabeflaeche;
    double Seitenverhaeltnis = 0;

    QGroupBox* PosGruppe;
    TNumEditQ *LiRandEdit, *ObRandEdit, *BreiteEdit, *HoeheEdit;
    QCheckBox* SeitRatio;

  protected:
    void FormActivate() override;
    void OrdnePanel(int Breite) override;
};

// The one window of the run (created at start-up).
inline TDruckForm* DruckForm = nullptr;

} // namespace zl
