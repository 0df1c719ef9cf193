#pragma once

// The headless side of the learning-map screen and the map selection: object counts,
// the five learning lists, the country facts, the tab colours and captions, the
// type-ahead of both list boxes and the map list of the overview pages.

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "platform/Canvas.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zl
{

// Categories 1..5 (Länder, Städte, Gewässer, Gebirge/Landschaft, Inseln) as index 0..4.
inline constexpr int kKategorien = 5;

// The object of a heading entry of the Länder list.
inline constexpr int kUeberschriftObjekt = -99;

// One list entry: the display text and the label index into the label table (or -99).
struct TLernEintrag {
    QString Text;
    int Objekt = -1;
    friend bool operator==(const TLernEintrag&, const TLernEintrag&) = default;
};
using TLernliste = QList<TLernEintrag>;

// Lernlisten 0..4: Länder, Städte, Gewässer, Gebirge, Inseln.
using TLernlisten = std::array<TLernliste, kKategorien>;

// LernObjAnzahl[g-1][l-1]: labels of category g with an intensity from 1 to l.
using TLernObjAnzahl = std::array<std::array<int, 3>, kKategorien>;

// Counts the labels of the map (exact id) with an intensity above 0; IS counts as Länder
// and as Inseln.
TLernObjAnzahl ZaehleLernObjekte(const QList<ObjDataTyp>& Objekte, const QString& AktKartID);

// Builds the five lists for the map (exact id) and intensity (held to 1..3), labels of
// intensity 0 included. Equal names in one list get trailing apostrophes in table order;
// the apostrophes live in the entry text only, the label table is not changed. With
// MitIntensitaet every entry but the headings carries " (n)".
TLernlisten FuelleLernlisten(const QList<ObjDataTyp>& Objekte, const QString& AktKartID, int LernIntensitaet,
                             bool MitIntensitaet);

// A heading entry: em dash, blank, word, blank, 30 em dashes.
QString LernUeberschrift(const QString& Wort);

// Locale order, case ignored (the lists' sort and their duplicate test).
int VergleicheListentext(const QString& a, const QString& b);

// Type-ahead: the index of the first entry after Ausgewaehlt (the first entry when none is
// selected), going round once, whose trimmed text begins with the letter (case ignored);
// -1 when none does or the list is empty.
int SucheNachBuchstabe(const QStringList& Texte, int Ausgewaehlt, QChar Buchstabe);

// Kategoriefarben[g-1][l-1]: level 3 is the stored colour, levels 2 and 1 are it mixed with
// white by 0.2 and 0.4.
using TKategoriefarben = std::array<std::array<TColor, 3>, kKategorien>;
TKategoriefarben BerechneKategoriefarben();
// The colour of a category (1..5) at a level (1..3); values out of range are held at the ends.
TColor Kategoriefarbe(const TKategoriefarben& Farben, int Kategorie, int Stufe);

// "1 - Basis (n)", "2 - Aufbau (n)", "3 - Experte (n)" for the counts of one tab (1..5).
QStringList IntensitaetsBeschriftungen(const TLernObjAnzahl& Anzahl, int Reiter);

// The tab of a category for a tab value; values outside 1..5 give the Länder tab.
int GueltigerReiter(int Reiter);

// The type sets of the tabs 1..5.
QString ReiterGruppe(int Reiter);

// 0..3 for "RS", "RH", "PF", "PW" (its position in "RS*RH*PF*PW*" div 3; not found: 0).
int KartTypIndex(const QString& KartTyp);

// The country-facts grid: row titles, values, the seat-of-government hint and the flag file.
struct TLaenderInfo {
    QStringList Titel; // " Gebiet:", " Einwohner:", " Fläche:", " Hauptstadt:", " Bevölk.dichte:"
    QStringList Werte; // five values, empty when no row was found
    bool Gefunden = false;
    QString Flagge;         // file name in FlaggenVerz, empty when none
    QString Regierungssitz; // hint text "Regierungssitz: ...", empty: marker hidden
};
// The facts of label i (an index out of the table gives empty facts) from the country table:
// only for type codes that occur in "~L~LX~K~UG~IS~"; the first row whose name matches the
// one-line label text without regard to case.
TLaenderInfo LaenderInfo(const QList<ObjDataTyp>& Objekte, int i, const QList<laenderdatatyp>& Laender);

// The map list of the overview pages: " " + name once per name (case ignored), sorted, each
// with the catalogue index of the first entry of that name that has a panel.
struct TKartenListenEintrag {
    QString Text;
    int Katalogindex = -1;
};
QList<TKartenListenEintrag> BaueKartenListe(const QList<KartAuswDataTyp>& Katalog);
// Catalogue entries offered on an overview ("WLT", "EUR", "DEU", compared exactly), in table order.
QList<int> KartenFelderDerUebersicht(const QList<KartAuswDataTyp>& Katalog, const QString& Code);

} // namespace zl
