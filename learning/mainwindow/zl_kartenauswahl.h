#pragma once

// View 1 of the main window: the three overview pictures with a clickable panel per
// catalogue map and its highlight, and the list of all selectable maps.

#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_lernkarte_steuer.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>

#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QTabWidget;

namespace zl
{

class TForm1;
class THoverPanel;
class TImage;
class TImage32;

// The colours of a map field on an overview: normal, under the mouse, pressed.
struct TKartenFeldFarben {
    TColor Normal, Hover, Gedrueckt;
};

// A hover panel on Sheet for each map of Katalog on the overview Code, placed over
// the picture rectangle Bild of a tab control ControlHoehe high. Klick and Ueber
// get the map's catalogue index; they are connected in the context of Kontext.
QList<THoverPanel*> BaueKartenFeldPanels(QWidget* Sheet, const QList<KartAuswDataTyp>& Katalog, const QString& Code,
                                         const QRect& Bild, int ControlHoehe, const TKartenFeldFarben& Farben,
                                         QObject* Kontext, const std::function<void(int)>& Klick,
                                         const std::function<void(int)>& Ueber);

// The overview picture "KA-<Code>.jpg" of the folder Verz smoothed to Breite x Hoehe;
// empty when the size is empty or the file is missing or damaged.
QImage LadeUebersichtsbild(const QString& Verz, const QString& Code, int Breite, int Hoehe);

class TKartenauswahlSeite : public QObject
{
  public:
    // Creates the page's controls inside Form.KartenAuswahlPan.
    explicit TKartenauswahlSeite(TForm1& Form);

    // Enters view 1 and lays the page out; with NeuAufbau (or an empty list) the pictures,
    // panels and the map list are built anew.
    void ZeigeKartenauswahl(bool NeuAufbau);
    // Builds the panels of one overview (0 WLT, 1 EUR, 2 DEU) and adds their names to the list.
    void BaueKartenFelder(int Seite);
    // Shows the highlight of a catalogue entry on the page shown; negative hides all three.
    void MarkiereKarteImUeberblick(int Index);
    // The hint label in the form of address of the menu.
    void SetzeAuswahlHinweis();

    void KartenFeldKlick(int Index);
    void KartList1DblClick();
    void KartList1KeyPress(QChar Zeichen);

    // The page's controls (object names as the fields).
    QLabel* AuswahlInfoLab;
    QTabWidget* KartAuswahlControl;
    struct Uebersicht {
        QString Code;       // "WLT", "EUR", "DEU"
        QWidget* Sheet;     // WLTSheet ...
        TImage32* Img;      // KAWLTImg ...
        QLabel* Lab;        // KAWLTLab ...
        TRahmenForm* Shape; // KAWLTShape ...
        QList<THoverPanel*> Felder;
    };
    std::array<Uebersicht, 3> Uebersichten;
    QWidget* KartListPan;
    QListWidget* KartList1;
    THoverPanel* KartAuswBtn;
    TImage* MainBackImg;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Ordne();
    TForm1& F;
};

} // namespace zl
