#pragma once

// The map choice both programs show: a page control with the three overview pictures
// (world, Europe, Germany), on each a clickable name panel per catalogue map and the red
// highlight of a map's area, and the list of all selectable maps. Each program places the
// controls, frames them with its own page and decides what a choice does.

#include "datastore/zl_data.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QObject;
class QTabWidget;
class QWidget;

namespace zl
{

class THoverPanel;
class TImage32;
class TRahmenForm;

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

// How a program's map choice looks.
struct TKartenauswahlStil {
    TKartenFeldFarben Felder;      // the map panels
    QString LabelStil;             // style sheet of the overview labels
    bool LabelHoeheNachText = false; // the label exactly as high as its text (with its padding), so it
                                     // covers no panel below
    bool SeitenFaerben = false;    // the overview pages get the colour Seitenfarbe
    TColor Seitenfarbe = clWhite;
};

class TKartenauswahl
{
  public:
    virtual ~TKartenauswahl() = default;

    // A map panel was clicked: catalogue entry Index.
    virtual void KartenFeldKlick(int Index) = 0;

    // Builds the overview pictures of the folder Verz, their panels and the map list
    // anew for the page control's size; the list is hidden until Zeige.
    void BaueUebersichten(const QString& Verz);
    // Builds the panels of one overview (0 WLT, 1 EUR, 2 DEU).
    void BaueKartenFelder(int Seite);
    // Shows the highlight of a catalogue entry on the page shown; negative hides all three.
    void MarkiereKarteImUeberblick(int Index);
    // Selects the list entry " " + Name (compared without case); no selection when none is.
    void WaehleInListe(const QString& Name);
    // The catalogue index of the list's selected entry; -1 when none is selected.
    int GewaehlteKarte() const;
    // Shows the list and the page control and gives the list the focus.
    void Zeige();

    // The controls (object names as the fields).
    QTabWidget* KartAuswahlControl = nullptr;
    struct Uebersicht {
        QString Code;       // "WLT", "EUR", "DEU"
        QWidget* Sheet;     // WLTSheet ...
        TImage32* Img;      // KAWLTImg ...
        QLabel* Lab;        // KAWLTLab ...
        TRahmenForm* Shape; // KAWLTShape ...
        QList<THoverPanel*> Felder;
    };
    std::array<Uebersicht, 3> Uebersichten;
    QListWidget* KartList1 = nullptr;

  protected:
    // Creates the page control in Pan and the list in ListenPan, once, before any other
    // call; the panels' signals are connected in the context of Kontext, which must
    // outlive them.
    void ErzeugeAuswahl(QWidget* Pan, QWidget* ListenPan, const TKartenauswahlStil& Stil, QObject* Kontext);

  private:
    TKartenauswahlStil stil_;
    QObject* kontext_ = nullptr;
};

} // namespace zl
