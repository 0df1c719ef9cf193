#pragma once

// View 1 of the main window: the map choice with its hint, the caption over the map list
// and the button "Karte auswählen", laid out in the window's page KartenAuswahlPan.

#include "learning/mapview/widgets/zl_kartenauswahl.h"

#include <QObject>

class QLabel;

namespace zl
{

class TForm1;
class THoverPanel;
class TImage;

class TKartenauswahlSeite : public QObject, public TKartenauswahl
{
  public:
    // Creates the page's controls inside Form.KartenAuswahlPan.
    explicit TKartenauswahlSeite(TForm1& Form);

    // Enters view 1 and lays the page out; with NeuAufbau (or an empty list) the pictures,
    // panels and the map list are built anew.
    void ZeigeKartenauswahl(bool NeuAufbau);
    // The hint label in the form of address of the menu.
    void SetzeAuswahlHinweis();

    void KartenFeldKlick(int Index) override;
    void KartList1DblClick();
    void KartList1KeyPress(QChar Zeichen);

    // The page's controls (object names as the fields).
    QLabel* AuswahlInfoLab;
    QWidget* KartListPan;
    THoverPanel* KartAuswBtn;
    TImage* MainBackImg;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Ordne();
    TForm1& F;
};

} // namespace zl
