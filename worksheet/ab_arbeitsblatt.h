#pragma once

// The worksheet document and its composer: which objects of the current map a worksheet asks
// for, their numbers, and the order of the answer list. Everything works on a plain document
// and a label table, so the windows and the tests share one rule set.

#include "datastore/Objektdaten.h"
#include "worksheet/ab_voreinstellungen.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace zl::ab
{

// One worksheet entry: a copy of the label it was drawn from.
struct ABObjDataTyp {
    std::int32_t ObjIndex = -1; // index in the label table, -1 when not matched
    double Px = 0;
    double Py = 0;
    QString Name; // one-line display text, at most 60 characters
    std::int8_t dx = 0;
    std::int8_t dy = 0;
    QString ObjTyp; // at most 8 characters
    std::int8_t Intens = 0;
    friend bool operator==(const ABObjDataTyp&, const ABObjDataTyp&) = default;
};

inline constexpr int kMaxNamenLaenge = 60;

// The task combo's items; index 0..3 is the task T.
extern const QStringList Aufgaben; // "A - Nummern in Karte" ...

// The worksheet document: what a worksheet file holds, in its order.
struct ArbeitsblattDataTyp {
    QString KartID;
    QString KartTyp = QStringLiteral("RS");
    int Thema = 0;   // theme combo index 0..5 (group - 1)
    int Intens = 1;  // intensity combo index 0..2 (intensity - 1)
    int Aufgabe = 0; // task combo index 0..3
    bool Lsg = false;
    int Anzahl = 0; // 0..30
    std::array<ABObjDataTyp, kMaxEintraege> Eintraege{};
    // Nummerierung[k] (k = 0..Anzahl-1): the entry (1-based) that stands k-th alphabetically.
    std::array<int, kMaxEintraege> Nummerierung{};
    QString ObjDatei; // the label file the entries come from
    ABVoreinstellungen Vorein;
    bool Komplett = true;

    int Gruppe() const { return Thema + 1; }
    int Intensitaet() const { return Intens + 1; }
    // Voll: everything is drawn, not only the solution marks.
    bool Voll() const { return !Lsg || Komplett; }
    friend bool operator==(const ArbeitsblattDataTyp&, const ArbeitsblattDataTyp&) = default;
};

// Candidate counts per theme 1..6 (index 0 unused).
using TKategorieAnzahl = std::array<int, 7>;
// LernObjAnzahl[g][a]: labels of theme g (1..6) with an intensity from 1 up to a (1..3).
using TABLernObjAnzahl = std::array<std::array<int, 4>, 7>;

// True when label k is a candidate for map m (exact), intensity a and theme t.
bool IstKandidat(const ObjDataTyp& o, const QString& KartID, int Intens, int Gruppe);

// Counts the labels of the map (exact id) with 0 < Intens <= a: once in the first theme 1..5
// of their type, IS also in 5, and every one in 6 (Mix). Labels of other type codes are not
// counted anywhere, so each count is what FindeKategorieObjekt can find.
TKategorieAnzahl ZaehleKategorieObjekte(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens);

// The index of the r-th candidate (from 0) at or after Start in table order; -1 when none.
int FindeKategorieObjekt(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens, int Start, int r,
                         int Gruppe);

// The number-box position of a label in map fractions.
QPointF KaestchenPos(double Px, double Py, int dx, int dy);

// The number-box positions of the candidates (other labels keep (0, 0)); one per label.
QList<QPointF> BerechneKaestchenPos(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens, int Gruppe);

// Whether the first n entries have a label index k.
bool IstGewaehlt(const ArbeitsblattDataTyp& A, int n, int k);
// Whether label k's box keeps 0.08 from every chosen box and 0.07 from every chosen point, and
// its point 0.07 from every chosen box.
bool AbstandAusreichend(const ArbeitsblattDataTyp& A, int n, int k, const QList<ObjDataTyp>& Objekte,
                        const QList<QPointF>& Kaestchen);

// Fills entry n (1-based) from label k; with k outside the table only the index is set.
void SetzeEintrag(ArbeitsblattDataTyp& A, int n, const QList<ObjDataTyp>& Objekte, int k);

// Composes a random worksheet of at most MaxAnz (held to 1..30) entries of the document's
// map, theme and intensity, numbered afterwards. Draws through the program's generator.
void GeneriereArbeitsblatt(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte, int MaxAnz);

// The alphabetical order (case counts, German order; equal names later entry first).
void ErzeugeNummerierung(ArbeitsblattDataTyp& A);
// New random number order of the same entries, then numbering.
void MischeEintraege(ArbeitsblattDataTyp& A);
// Removes the entry at list index i (from 0); returns the list index to mark afterwards, -1
// when none remains or nothing was removed.
int EntferneEintrag(ArbeitsblattDataTyp& A, int i);
// The entry list lines "01 - name" .. "30 - name".
QStringList Eintragsliste(const ArbeitsblattDataTyp& A);

// Copies every matched entry again from its label (after the label view), as long as the label
// index still points at a label of the document's map with the entry's name, or with its type and
// place; an entry that no longer matches is matched again by name and type, else it keeps its
// values and gets -1.
void AktualisiereEintraege(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte);

// After the label table changed: every entry whose label index no longer fits (as above) is
// matched again by name and type (-1 when none); nothing is copied, the entries keep their values.
void PruefeEintragsindizes(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte);

TABLernObjAnzahl CalcLernObjAnz(const QList<ObjDataTyp>& Objekte, const QString& KartID);
// "1 - Basis (n)", "2 - Aufbau (n)", "3 - Experte (n)" for theme t (1..6).
QStringList IntensitaetsTexte(const TABLernObjAnzahl& Anzahl, int Gruppe);

// The manual choice: one check-list item per candidate of the theme at intensity 3.
struct THinzuEintrag {
    QString Text; // " name" [+ " (type)" for Mix] + " (intensity)"
    int ObjIndex = -1;
    bool Gewaehlt = false;
};
// Sorted as the check list sorts (German order, case ignored).
QList<THinzuEintrag> HinzuKandidaten(const ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte);
// The error text for more than 30 checked items, empty when the choice is allowed.
QString HinzuFehler(int AnzahlGewaehlt);
// The checked items (in list order) become the entries; then a random number order.
void UebernimmAuswahl(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte, const QList<int>& ObjIndizes);

} // namespace zl::ab
