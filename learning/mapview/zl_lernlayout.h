#pragma once

// Placement rules of the map-selection page and the learning-map screen as plain
// geometry, so the widgets only apply them and the tests check them without a window.

#include "datastore/zl_data.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <array>

namespace zl
{

// ---- Map selection

// Bounds of an overview's description label for the client width W of the page control.
QRect UebersichtLabelRect(const QString& Code, int W);
// 9 points from a width of 700, else 8.
int UebersichtLabelPunkte(int W);
// The label's bounds for its font: UebersichtLabelRect grown where the word-wrapped
// description needs more (a word wider than the label, more lines than its height), so no
// line or letter is cut off at any window size.
QRect UebersichtLabelPassend(const QString& Code, int W, const QFont& Schrift);
// The description text of an overview ("WLT", "EUR", "DEU"); empty for other codes.
QString UebersichtText(const QString& Code);
// A map panel: (characters + 2) x 7 wide, round(0.04 x control height) high, centred on the
// entry's point of the image.
QRect KartenFeldRect(const KartAuswDataTyp& Eintrag, const QRect& Bild, int ControlHoehe);
// The highlight rectangle of an entry relative to an image of Wi x Hi.
QRect MarkierungsRect(const KartAuswDataTyp& Eintrag, int Wi, int Hi);

// ---- Learning map

// The seven view buttons of the tool bar from x = 12 (left, width; top and height stay).
struct TWerkzeugKnopf {
    int Left;
    int Width;
};
std::array<TWerkzeugKnopf, 7> WerkzeugKnoepfe(int InfoPanBreite);
// The four display-type buttons after DatentabelleBtn2 (its right edge and width) and before
// the logo's left edge.
std::array<TWerkzeugKnopf, 4> KartTypKnoepfe(int DatentabelleRechts, int DatentabelleBreite, int LogoLinks);
// The mark bar under the display-type button of KartTyp (RS button's rectangle given).
QRect KartTypMarke(const QRect& RSKnopf, const QString& KartTyp);

struct TLernSeite {
    QRect KartPan; // LernKartPan
    QRect InfoPan; // LernInfoPan
};
TLernSeite LernSeitenAufteilung(int W, int H);

// The right column for its client size (the zoom panel's height as it is).
struct TLernSpalte {
    QRect ZoomPan; // LernZoomPan at the bottom
    QRect ObjPan;  // LernObjPan above it
    QRect Grid;    // LernInfoGrid (in ObjPan)
    int GridSpalte0 = 0;
    int GridSpalte1 = 0;
    QRect Marker;  // HSInfoZusatzPan (in ObjPan)
    QRect FlagPan; // LernInfoFlagPan (in ObjPan)
    QRect FlagImg; // LernInfoFlagImg (in FlagPan)
    QRect FlagLab; // LernInfoFlagLab (in FlagPan)
};
TLernSpalte LernSpaltenAufteilung(int SpaltenBreite, int SpaltenHoehe, int ZoomPanHoehe, int GridHoehe);

// Tabs of the object panel for its client width.
struct TLernReiter {
    std::array<QRect, 5> ObjCheckPan;
    QRect CheckBox; // the layer box inside each ObjCheckPan
    std::array<QRect, 3> IntensPan;
    std::array<QRect, 5> ObjKnopf; // LernListLaenderBtn .. LernListInselnBtn
};
TLernReiter LernReiterAufteilung(int ObjPanClientBreite);

// The object tab strip under the checked tab button (1..5); width kept.
QRect ObjReiterStreifen(const QRect& CheckedKnopf, int StreifenBreite, int Reiter);
// The intensity strip left of IntensPan1 for a level 1..3.
QRect IntensReiterStreifen(const QRect& IntensPan1, int StreifenBreite, int Stufe);
// The 1 px separator at the left edge of the intensity strip.
QRect ReiterTrenner(const QRect& IntensStreifen, const QRect& ObjStreifen, int IntensPanHoehe, int ObjKnopfHoehe);
// The list height on a tab (tab 1 leaves the flag panel and grid visible).
int LernlistenHoehe(int Reiter, int ListeOben, int FlagPanOben, int ObjPanClientHoehe);

// The mini-map image in the zoom panel.
QRect MiniKartenRect(int ZoomKnopfPanLinks, int ZoomPanHoehe);

} // namespace zl
