#pragma once

// Exercise kinds, question types, type masks, the region rules and the question
// history: the tables every exercise unit reads.

#include <QString>

#include <array>

namespace zl {

// ---- Exercise kinds (UebModus 1..4)

inline constexpr int kUebModusAnzahl = 4;

// "Standard", "Erweitert", "Zuordnungen", "Individuell"; empty outside 1..4.
QString UebModusName(int UebModus);
// The radio button captions ("&Topographie-Übung mit Auswahlaufgaben (Single Choice)", ...).
QString UebModusTitel(int UebModus);
// The descriptions below the radio buttons.
QString UebModusInfo(int UebModus);
// The caption as the protocol header writes it: without "&" and " (Single Choice)".
QString UebModusProtokollTitel(int UebModus);

// ---- Question types (FragTyp 1..23)

enum FragTyp : int {
    E01 = 1, E02, E03, E04, E05, E06, E07, E08,           // country questions
    S01 = 9, S02, S03, S04, S05, S06, S07, S08, S09, S10, // object questions (S06..S10 pointing)
    Z01 = 19, Z02, Z03, Z04, Z05,                         // assignment questions
};
inline constexpr int kFragTypen = 23;

// "E01".."E08", "S01".."S10", "Z01".."Z05"; empty outside 1..23.
QString FragTypCode(int Typ);
// The type of a code (exact, upper case); 0 when there is none.
int FragTypAusCode(const QString& Code);

inline bool IstLandFrage(int Typ) { return Typ >= E01 && Typ <= E08; }
inline bool IstObjektFrage(int Typ) { return Typ >= S01 && Typ <= Z05; }
inline bool IstZeigeFrage(int Typ) { return Typ >= S06 && Typ <= S10; }
inline bool IstZuordnungsFrage(int Typ) { return Typ >= Z01 && Typ <= Z05; }
// Question numbers a question occupies: 5 for an assignment, else 1.
inline int FragenProFrage(int Typ) { return IstZuordnungsFrage(Typ) ? 5 : 1; }
// Category 1..5 of an object question ((Typ - 9) mod 5 + 1); 0 for country types.
int FragTypKategorie(int Typ);

// Whether the region code of the exercise map permits the type (the region table).
bool FragTypErlaubt(int Typ, int Gebiet);

// ---- Type masks

// Character n is '1' when type n may be asked; characters past 23 are ignored,
// a missing character counts as not allowed. At most 50 characters are kept.
using FragTypMaske = QString;
inline constexpr int kMaxMaskenLaenge = 50;

// The mask cut to 50 characters.
FragTypMaske KuerzeMaske(const FragTypMaske& Maske);
// Character Typ of the mask is '1'.
bool MaskeErlaubt(const FragTypMaske& Maske, int Typ);
// The number of '1' among characters 1..23 ("n von 23 ausgewählt").
int ZaehleMaskenTypen(const FragTypMaske& Maske);
// The number of types 1..23 the mask allows and FragTypErlaubt permits for the region.
int ZaehleErlaubteFragTypen(const FragTypMaske& Maske, int Gebiet);

// ---- Question history

struct FragenhistorieEintrag {
    int Typ = -1;
    int Land = -1;   // row of LaenderDaten, -1 none
    int Objekt = -1; // index into ObjDaten, -1 none
};

// The last 20 questions, entry 0 the latest.
class Fragenhistorie {
public:
    static constexpr int kLaenge = 20;

    Fragenhistorie() { Zuruecksetzen(); }
    // Every entry (-1, -1, -1).
    void Zuruecksetzen();
    // Moves every entry one place back (the last is dropped) and writes entry 0.
    void Eintragen(int Typ, int Land, int Objekt);
    const FragenhistorieEintrag& operator[](int e) const { return Eintraege_[std::size_t(e)]; }

    // Whether the question would repeat a recent one, looking at entries
    // 0..Tiefe (none for -1): the type within Minimum(3, AnzErlaubteFragTypen - 2)
    // entries, the country or object (when not -1) anywhere in that window.
    bool KuerzlichGefragt(int Typ, int Land, int Objekt, int Tiefe, int AnzErlaubteFragTypen) const;

private:
    std::array<FragenhistorieEintrag, kLaenge> Eintraege_;
};

} // namespace zl
