#pragma once

// The map print dialog: the visible section of the learning map at a position and
// size on the page in centimetres, optionally in the section's side ratio.

#include "learning/mainwindow/zl_beschriftung.h"
#include "learning/tools/widgets/zl_drucker.h"

class QCheckBox;
class QGroupBox;

namespace zl
{

class TNumEditQ;

// What the printout of a map section reads from the main window.
struct TKartendruck {
    QString KartID;
    QString KartTyp = QStringLiteral("RS");
    TRect Ausschnitt; // 1/10000 of the picture
    double ZoomFaktor = 1.0;
    TBeschriftungsZustand Beschriftung;
};

// Draws the section onto a printer canvas in 0.1 mm, into the box X0, Y0, W, H:
// the section cut from the large map picture, the labels at the printer's scale,
// and a black frame 2 units wide round the box. False after an error box when
// the picture is missing or damaged.
bool DruckeKartenausschnitt(TCanvas& Canvas, int X0, int Y0, int W, int H, const TKartendruck& Karte);

// The label scale of a printout in a box W x H (0.1 mm) at a zoom factor.
double DruckSkala(double ZoomFaktor, int W, int H);

class TDruckForm : public TDruckDialog
{
  public:
    explicit TDruckForm(QWidget* parent = nullptr);

    bool Drucke();
    void DruckBtnClick() override { Drucke(); }
    void SeitRatioClick();
    void BreiteEditChange();
    void HoeheEditChange();

    // The output area (reset on every activation) and the side ratio of the
    // section last drawn; the activation reads the ratio from the main window.
    TAusgabeflaeche Ausgabeflaeche;
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
