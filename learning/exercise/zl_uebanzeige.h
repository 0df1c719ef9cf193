#pragma once

// The exercise screen's rules without widgets: the answer-button layouts, the
// question-type dialog's mask, the status line and feedback texts, the placement
// of names in assignment questions, and the grade scale's geometry.

#include "controls/Farben.h"

#include <QRect>
#include <QString>

#include <array>

namespace zl
{

inline constexpr int kAntwortAnzahl = 5;

// ---- Answer buttons -----------------------------------------------------------

// Mode 0: a list beside the question picture; mode 1: flags, three above two.
struct AntwortKnopfLayout {
    bool BildSichtbar = false;
    QRect Bild; // FPicPan (mode 0)
    std::array<QRect, kAntwortAnzahl> Knoepfe;
};
// W, H: the client size of the answer area.
AntwortKnopfLayout OrdneAntwortKnoepfe(int Modus, int W, int H);

// ---- Question-type mask ---------------------------------------------------------

// 50 characters: all "1", then "0" for every unticked type (index 0 = type 1).
QString MaskeAusHaken(const std::array<bool, 23>& Haken);
// Type n is ticked when character n is "1"; a missing character is unticked.
std::array<bool, 23> HakenAusMaske(const QString& Maske);
// n + " von " + total + " ausgewählt".
QString AnzahlAusgewaehltText(int n, int Gesamt);

// ---- Colours of the answer buttons ------------------------------------------------

// Buttons coloured right or wrong: font and panel.
inline constexpr TColor kKnopfRichtigSchrift = RGBFarbe(0, 255, 0);
inline constexpr TColor kKnopfRichtigFlaeche = RGBFarbe(0, 128, 64);
inline constexpr TColor kKnopfFalschSchrift = RGBFarbe(255, 0, 0);
inline constexpr TColor kKnopfFalschFlaeche = RGBFarbe(128, 0, 0);
// Answer buttons: normal, hover and checked colour.
inline constexpr TColor kAntwortNorm = RGBFarbe(173, 193, 239);
inline constexpr TColor kAntwortHover = RGBFarbe(197, 217, 255);
inline constexpr TColor kAntwortCheck = RGBFarbe(226, 236, 255);
// The text shown with an assignment's solution, and its colour.
inline const QString kLoesungText = QStringLiteral("Lösung");
inline constexpr TColor kLoesungFarbe = RGBFarbe(255, 255, 0);

// ---- Drag source of an assignment question -----------------------------------------

// 0 none, t > 0 target t is dragged, -i name i is dragged.
struct TZiehQuelle {
    int Wert = 0;
    // A name (button, panel, marker) accepts a dragged target.
    bool NameNimmtAn() const { return Wert > 0; }
    // A target arrow accepts a dragged name.
    bool ZielNimmtAn() const { return Wert < 0; }
};

// The name placed on target 1..5 (Ziele: the target of each name, -i unplaced), or 0.
int NameAufZiel(const std::array<int, kAntwortAnzahl>& Ziele, int Ziel);

} // namespace zl
