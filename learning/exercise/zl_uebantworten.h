#pragma once

// The answer generators and plausibility rules of question generation, over an
// index of the exercise map that is built once per exercise. Every generator
// draws from the program's one random generator exactly in its documented order,
// so the same seed, tables and settings give the same answers everywhere.

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace zl {

struct laenderdatatyp;
struct ObjDataTyp;

// Labels and countries of one exercise, prepared once at its start: the labels
// of each category on the exercise map up to the intensity, the one-line and the
// upper-cased one-line text of every label, and the lookups by name.
class TUebIndex {
public:
    // Reads ObjDaten, LaenderDaten and KartenDaten (Part of the data store) as they are now.
    void Aufbauen(const QString& KartID, int Intensitaet, int Gebiet);

    const QString& KartID() const { return KartID_; }
    int Intensitaet() const { return Intensitaet_; }
    int Gebiet() const { return Gebiet_; }

    // Objects of category 1..5 (ZaehleKategorieObjekte); "IS" counts in 1 and 5.
    int KategorieAnzahl(int c) const;
    // The label index at place k of category c (FindeKategorieObjekt); -1 when there are fewer.
    int KategorieObjekt(int k, int c) const;

    // The one-line form of a label's text (EntferneTrennzeichen, then EntferneApostrophe);
    // prepared for the exercise map's labels, computed for others.
    QString Einzeilig(int ObjIndex) const;

    // SucheObjekt over the index: the first label of the map, then of every map of
    // the map list, whose one-line text equals the name without case and whose
    // type lies in the set (1 Länder, 2 Städte). GefundenKartID as SucheObjekt.
    // The lookup by name is built at the first search.
    int SucheObjekt(const QString& Name, int Gruppe, QString& GefundenKartID) const;

    // Rows of LaenderDaten that pass the exercise's region test for the subject
    // of a country question (0: code a multiple of ten and above 0).
    bool LandPasstSubjekt(int Zeile) const;
    bool HatSubjektLand() const { return SubjektLaender_ > 0; }
    // Rows of LaenderDaten that pass LandImGebiet for the exercise's region, in table order.
    const QList<int>& GebietsLaender() const { return GebietsLaender_; }

    // One-line name, capital and flag file of every row of LaenderDaten.
    const QString& LandName(int Zeile) const { return LandName_[Zeile]; }
    const QString& LandHauptstadt(int Zeile) const { return LandHauptstadt_[Zeile]; }
    const QString& LandFlagge(int Zeile) const { return LandFlagge_[Zeile]; }
    int LaenderAnzahl() const { return int(LandName_.size()); }

private:
    QString KartID_;
    int Intensitaet_ = 1;
    int Gebiet_ = -1;
    std::array<QList<int>, 5> Kategorien_;
    QHash<int, QString> Einzeilig_; // the labels of the categories
    // (hash of the upper-cased one-line text, label) of the country and city
    // labels, sorted; a hit is confirmed on the text itself.
    mutable std::vector<std::pair<std::uint64_t, int>> NachName_;
    mutable bool NamenBereit_ = false;
    QList<QString> KartenFolge_; // the exercise map, then the map list
    QList<QString> LandName_, LandHauptstadt_, LandFlagge_;
    QList<int> GebietsLaender_;
    int SubjektLaender_ = 0;
};

// The one-line form of a text: EntferneTrennzeichen, then EntferneApostrophe.
QString Einzeilig(const QString& Text);

// Per category 1..5 (index 0..4): the labels of the map (exact id) with
// 0 < Intens <= Intensitaet ("IS" counts in 1 and 5).
std::array<int, 5> ZaehleKategorieObjekte(const QList<ObjDataTyp>& Tabelle, const QString& KartID,
                                          int Intensitaet);
// The index of the label at place k (from 0) of category c among those labels; -1 when fewer.
int FindeKategorieObjekt(const QList<ObjDataTyp>& Tabelle, const QString& KartID, int Intensitaet, int k, int c);

// The working record of one question generation.
struct Fragenentwurf {
    int Typ = 0;
    int Land = -1;
    int Objekt = -1;
    std::array<QString, 5> Antworten;    // 0 is the right one
    std::array<QString, 5> Laendernamen; // type 1: the country behind each flag
    std::array<int, 5> ObjIndizes{-1, -1, -1, -1, -1};
    std::array<double, 9> Zahlenleiter{};
    QString FragText;
    QString BildPfad;
    QString BildKartID;
    QString KartenName;
};

// ---- Rules (k: the answer just drawn)

// Antworten k differs from 0..k-1 in its one-line form.
bool AntwortNeu(const Fragenentwurf& F, int k);
// The row's region code equals Gebiet, or Gebiet is 0 and the code a multiple of ten.
bool LandImGebiet(const laenderdatatyp& Land, int Gebiet);
// Each pair of positions of ObjIndizes 0..k is at least 0.1 of the map apart.
bool ObjekteAuseinander(const Fragenentwurf& F, int k);
// None of the look-alike flag pairs among Antworten 0..k (without case).
bool FlaggenUnterscheidbar(const Fragenentwurf& F, int k);

// ---- Generators: each fills Antworten 1..4 (and what it says); false when no
// acceptable set exists (checked before drawing) or, for ObjektAntworten, after
// 100 draws.

bool LaenderAntworten(Fragenentwurf& F, const TUebIndex& I);
bool HauptstadtAntworten(Fragenentwurf& F, const TUebIndex& I);
bool FlaggenAntworten(Fragenentwurf& F, const TUebIndex& I);
// Also draws the right answer, a country of another continent.
bool AusreisserAntworten(Fragenentwurf& F, const TUebIndex& I);
bool KontinentAntworten(Fragenentwurf& F);
bool ObjektAntworten(Fragenentwurf& F, const TUebIndex& I, int Kategorie);
// Types 5 and 6 (Einheit " Einw./km²" for 6); Antworten 0 holds the unrounded figure text.
bool ZahlenAntworten(Fragenentwurf& F, const QString& Einheit);
// The nine candidate numbers around V, each rounded to two significant digits.
std::array<double, 9> ZahlenLeiter(double V);

} // namespace zl
