#pragma once

// Bookmarks: the record, the table of the run, the stored value "Lesezeichen"
// (its reader and writer), the captions and the table edits of the dialog.

#include "learning/mapview/zl_zustand.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace zl
{

// One bookmark: a learning-map view (Modus 2), an exercise (3) or a puzzle (4).
struct LesezeichenDataTyp {
    QString Titel;
    QString KartID;
    std::int32_t Modus = 2;
    std::int32_t Gebiet = -1;
    std::int32_t Intensitaet = -1;
    QString Daten;        // mode 2: nine values each followed by "~"; 3: the seed; 4: the size
    QString ObjDateiName; // file name only
    QString FragTypOk;
    QString KartTyp;
    std::int32_t FragAnz = -1;
    std::int32_t FontFakIndex = -1;
    std::int32_t Kartenschrift = -1;
    std::int32_t UebModus = 1;
    bool AutoWeiter = false;

    bool operator==(const LesezeichenDataTyp&) const = default;
};

// The table of the run, in definition order; entry i is menu item i + 1.
inline QList<LesezeichenDataTyp> LesezeichenListe;
// Stored items that could not be read: not shown, written back unchanged.
inline QStringList LesezeichenUnlesbar;

// ---- The stored value ---------------------------------------------------------

// The class library's comma text: items separated by commas or blanks; an item
// in double quotes may hold both, a doubled quote inside stands for one. An
// unclosed quote runs to the end of the text.
QStringList ZerlegeCommaText(const QString& Text);
// One item quoted for comma text.
QString CommaTextEintrag(const QString& Eintrag);

// One stored item; nothing when Modus, Gebiet or Intensitaet is no whole number
// or Modus is no bookmark mode. Without a label file after Daten the current one
// (AktObjDatei, any path) is taken. Only file names are kept.
std::optional<LesezeichenDataTyp> LeseLesezeichenEintrag(const QString& Eintrag, const QString& AktObjDatei);

struct LesezeichenLesung {
    QList<LesezeichenDataTyp> Liste;
    QStringList Unlesbar; // the raw items that could not be read, in stored order
};
// The whole value; an item that cannot be read is set aside, the others are kept.
LesezeichenLesung LeseLesezeichenWert(const QString& Text, const QString& AktObjDatei);
// The value to store: one quoted item per bookmark (fourteen fields each followed
// by "|"), then the unreadable items as they were read, joined by commas.
QString LesezeichenWert(const QList<LesezeichenDataTyp>& Liste, const QStringList& Unlesbar = {});
// The file-name part of a label-file path ("/" or "\\" separated).
QString LesezeichenDateiName(const QString& Pfad);
// The fourteen fields of one bookmark, each followed by "|".
QString LesezeichenFelder(const LesezeichenDataTyp& L);

// ---- Data of a learning-map bookmark ----------------------------------------

struct KartenLesezeichen {
    std::optional<int> Intensitaet; // 1..3; nothing keeps the current one
    std::array<bool, 5> Ebenen{};   // label layers 1 to 5
    int ZoomStufe = 0;              // 0..4
    int AnkerX = 0;                 // -1, 0, 1
    int AnkerY = 0;
};
// "2~1~1~0~1~1~0~0~0~": intensity, five layers, zoom, anchors.
QString KartenLesezeichenDaten(const KartenLesezeichen& K);
// Each value read tolerantly; a layer is on exactly when it reads 1; values out of
// range count as missing (zoom and anchors 0).
KartenLesezeichen LeseKartenLesezeichen(const QString& Daten);
// The puzzle size of a mode-4 bookmark: 4 or 5 as stored, else 3.
int PuzzleGroesse(const QString& Daten);
// The seed of a mode-3 bookmark (0: a new random sequence).
std::int32_t LesezeichenSeed(const QString& Daten);

// ---- Restoring -------------------------------------------------------------------
// The state a restore sets before the windows show it. Values out of range keep
// the current ones; a display type that is none keeps the current type.

// Mode 2: map, display type, label size and style, intensity, zoom and anchors.
// Returns the label layers 1 to 5 to check.
std::array<bool, 5> SetzeKartenansicht(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& KartTyp);
// Mode 3: the exercise map's display type, the count, the preset of the kind
// "Individuell" (whatever the bookmark's kind), the kind, its mask (at most 50
// characters), the advance and the last exercise-map index of the map. Returns
// the start of the exercise with the stored seed (0: a new random sequence).
TUebStart SetzeUebung(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& UebKartTyp);
// Mode 4: map, display type and the puzzle size, which it returns.
int SetzePuzzle(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& KartTyp);

// ---- Captions -------------------------------------------------------------------

// The confirmation before a bookmark is set in view mode Modus.
QString LesezeichenFrage(int Modus, bool AnredeDu);
// Date and time as the captions begin ("08.12.2026 14:05:31").
QString LesezeichenZeit(const QDateTime& Zeit);
QString LesezeichenTitelKarte(const QString& Zeit, const QString& KartenName);
// Kind 1..4 ("Standard", "Erweitert", "Zuordnungen", "Individuell"), intensity 1..3.
QString LesezeichenTitelUebung(const QString& Zeit, const QString& KartenName, int UebModus, int Intensitaet,
                               int FragAnz, std::int32_t Seed);
QString LesezeichenTitelPuzzle(const QString& Zeit, const QString& KartenName, int n);
QString UebModusKurzname(int UebModus);
// The menu caption of entry i (0-based): "&1:  Titel" up to 9, "10:  Titel" on.
QString LesezeichenMenueText(int i, const QString& Titel);
// A caption without "|" (the field terminator), CR or LF.
QString BereinigeTitel(const QString& Titel);

// ---- Table edits of the dialog ------------------------------------------------

// Renames entry i; false when i names no entry.
bool BenenneLesezeichen(QList<LesezeichenDataTyp>& Liste, int i, const QString& Titel);
// Removes entry i; returns the entry to select next (the same position, else the
// last; -1 for an empty table or when i names no entry).
int LoescheLesezeichen(QList<LesezeichenDataTyp>& Liste, int i);

} // namespace zl
