#pragma once

// The country data table without windows: the region choices, the selection,
// sums and sort, the cell texts, the clipboard text and the fields of the
// table printout.

#include "datastore/zl_data.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace zl
{

struct TGebietsWahl {
    const char* Text; // UTF-8
    int Gebiet;       // region code; -1 for "Alle Länder"
};
inline constexpr int kGebietsWahlen = 18;
extern const std::array<TGebietsWahl, kGebietsWahlen> GebietsWahlen;
// The entry text of a choice (0..17); empty outside.
QString GebietsWahlText(int Wahl);
// The choice "Europäische Union (mit Beitrittsjahr)".
inline constexpr int kWahlEU = 14;

// Sort keys.
enum : int { kSortName = 1, kSortEinwohner = 2, kSortFlaeche = 3, kSortDichte = 4 };

// The row belongs to the choice: its region code, or one of 10..70 in steps of ten
// for "Alle Länder". A choice outside 0..17 takes no row.
bool LandInAuswahl(int Wahl, const laenderdatatyp& Land);
// -1 when a comes strictly before b under the key, else 1.
int VergleicheLaender(const laenderdatatyp& a, const laenderdatatyp& b, int Sortierung);

struct TLaenderauswahl {
    QList<int> Laenderliste; // indices into the table, in display order
    double SummeEinwohner = 0;
    double SummeFlaeche = 0;
    double SummeDichte = 0; // 0 when SummeFlaeche is 0
};
// Selects, sums and sorts (selection sort, so ties put the later row first).
TLaenderauswahl BaueLaenderListe(const QList<laenderdatatyp>& Tabelle, int Wahl, int Sortierung);

// The five cells of a table row (place 1-based) and of the sum row.
QStringList LaenderZellen(int Platz, const laenderdatatyp& Land);
QStringList SummenZellen(const TLaenderauswahl& Auswahl);
// Every row's cells of the table (none for an empty selection).
QList<QStringList> TabellenZeilen(const QList<laenderdatatyp>& Tabelle, const TLaenderauswahl& Auswahl);

// The sort buttons' captions and hints (key 1..4 at index 0..3).
extern const std::array<const char*, 4> SortierTitel;
extern const std::array<const char*, 4> SortierHinweise;

// The plain text for the clipboard: heading line, the rows, the sum row; TAB
// between cells, CR LF after each line.
QString ZwischenablageText(const QList<QStringList>& Zeilen, const QStringList& Summe);

// The search term for "Land zeigen": the name cell trimmed, for the EU choice cut
// before its first " (".
QString LandSuchbegriff(const QString& NamensZelle, int Wahl);

// The fields of the table printout.
QString DruckUeberschrift(int Wahl);
QString DruckKopfzeile();
QString DruckSummenzeile(const QStringList& Summe);

} // namespace zl
