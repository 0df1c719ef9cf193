#pragma once

// The exercise screen's rules without widgets: the answer-button layouts, the
// question-type dialog's mask, the status line and feedback texts, the placement
// of names in assignment questions, and the grade scale's geometry.

#include "controls/Farben.h"

#include <QRect>
#include <QString>

#include <array>

namespace zl {

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

// ---- Status line and feedback ---------------------------------------------------

// Success rate in per cent: 0 when nothing is answered (single precision, as shown).
float Erfolgsquote(int Richtig, int Falsch);
struct StatusTexte {
    QString Richtig, Falsch, Quote;
};
// Level 0 hides the counts as "?"; else the counts and "66.7 %".
StatusTexte StatusZeile(int Level, int Richtig, int Falsch);

struct Rueckmeldung {
    QString Text;
    TColor Farbe = 0;
};
inline constexpr TColor kFarbeRichtigText = RGBFarbe(0, 255, 0);
inline constexpr TColor kFarbeTeilweise = RGBFarbe(255, 255, 0);
inline constexpr TColor kFarbeFalschText = RGBFarbe(255, 91, 100);
// Buttons coloured right or wrong: font and panel.
inline constexpr TColor kKnopfRichtigSchrift = RGBFarbe(0, 255, 0);
inline constexpr TColor kKnopfRichtigFlaeche = RGBFarbe(0, 128, 64);
inline constexpr TColor kKnopfFalschSchrift = RGBFarbe(255, 0, 0);
inline constexpr TColor kKnopfFalschFlaeche = RGBFarbe(128, 0, 0);
// Answer buttons: normal, hover and checked colour.
inline constexpr TColor kAntwortNorm = RGBFarbe(173, 193, 239);
inline constexpr TColor kAntwortHover = RGBFarbe(197, 217, 255);
inline constexpr TColor kAntwortCheck = RGBFarbe(226, 236, 255);

// A single-choice answer; AntwortText is the slot's entry of AntwortTexte.
Rueckmeldung RueckmeldungEinfach(bool Richtig, const QString& AntwortText);
// An assignment block with k names on their right target.
Rueckmeldung RueckmeldungZuordnung(int k);
Rueckmeldung RueckmeldungLoesung();

// ---- Assignment questions ---------------------------------------------------------

// Five names and five targets (letters 1..5 = A..E). Name i's right target comes
// with the question; its placed target is 1..5, or -i while not placed. The drag
// source is 0 (none), t > 0 (target t) or -i (name i).
class TZuordnung {
public:
    // Right targets of names 1..5 (each 1..5).
    void Neu(const std::array<int, kAntwortAnzahl>& RichtigeZiele);
    int RichtigesZiel(int Name) const;
    // 1..5, or -Name while not placed.
    int Platz(int Name) const;
    int Ziehquelle() const { return quelle_; }
    void SetzeZiehquelle(int Quelle) { quelle_ = Quelle; }
    // A name accepts a dragged target, a target accepts a dragged name.
    bool NameNimmtAn() const { return quelle_ > 0; }
    bool ZielNimmtAn() const { return quelle_ < 0; }
    // Places the name on the target (freeing whatever name was there); nothing
    // unless both are 1..5. Resets the drag source. False when nothing changed.
    bool OrdneZu(int Name, int Ziel);
    int ZaehleZugeordnete() const;
    // The name placed on the target, or 0.
    int NameAuf(int Ziel) const;
    // Names on their right target (0..5); Folge gets "+" or "-" per name in order.
    int Bewerte(QString* Folge = nullptr) const;

private:
    std::array<int, kAntwortAnzahl> richtig_{1, 2, 3, 4, 5};
    std::array<int, kAntwortAnzahl> platz_{-1, -2, -3, -4, -5};
    int quelle_ = 0;
};

// ---- Grade scale -----------------------------------------------------------------

// y of a rate on a scale picture of height H: round((100 - r) / 100 x (H - 24)) + 12,
// half to even.
int NotenskalaY(double Rate, int H);

} // namespace zl
