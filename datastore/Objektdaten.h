#pragma once

// The label table and the label files ("zlk") that hold the labels of all maps.

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace zl
{

// One label.
struct ObjDataTyp {
    QString KartID;     // at most 8 characters
    QString ObjTyp;     // at most 8 characters, the type code
    double Px = 0;      // position as a fraction 0..1 of the picture's width
    double Py = 0;      // ... and height
    QString Bez;        // text with markup: "|" line break, "-|" break after a hyphen
    std::int8_t dx = 0; // placement of the text, -3..+3
    std::int8_t dy = 0;
    std::int32_t Intens = 0; // 0 always drawn and never asked, 1..3 Basis/Aufbau/Experte
};

} // namespace zl

// Texts and numbers only: a growing table moves its labels as memory.
Q_DECLARE_TYPEINFO(zl::ObjDataTyp, Q_RELOCATABLE_TYPE);

namespace zl
{

// The labels of the current label file ObjDatei, in file order.
inline QList<ObjDataTyp> ObjDaten;

// The first line of every label file.
inline const QString kObjDateiKopf = QStringLiteral("KartID~ObjTyp~Px~Py~Bez~dx~dy~Intens~");
// Longest map id and type code a label holds.
inline constexpr int kMaxIdLaenge = 8;

// The type sets, each framed by "~": 0 every askable label, 1 Länder, 2 Städte,
// 3 Gewässer, 4 Gebirge/Landschaft, 5 Inseln, 6 dots.
extern const QStringList ObjGruppen;

// Replaces ObjDaten by the labels of the file; true when the file could be
// opened. Otherwise the box "Datei-Lesefehler! (code)" is shown and ObjDaten
// keeps what it held.
bool LeseObjektdatei(const QString& Datei);
// The same into any table (the worksheet program keeps its own).
bool LeseObjektdatei(const QString& Datei, QList<ObjDataTyp>& Tabelle);

// Writes ObjDaten to the file; true on success. The old file is replaced only
// when the whole new one is written. On failure the write-error box, then
// "Schreibfehler! Objektdaten können nicht geschrieben werden.", false, and the
// old file is kept. A label whose text would break the file ("~", CR, LF or a
// character Windows-1252 cannot hold) refuses the write with a box naming it.
// An empty table asks before it replaces a file that holds labels; "Nein"
// gives false and leaves the file as it was.
bool SchreibeObjektdatei(const QString& Datei);
bool SchreibeObjektdatei(const QString& Datei, const QList<ObjDataTyp>& Tabelle);

// One file line of a label (without the line end), and one label from a line.
QString ObjektZeile(const ObjDataTyp& Obj);
ObjDataTyp ObjektAusZeile(const QString& Zeile);
// Empty when the label can be written, else the reason shown in the refusal box.
QString ObjektSchreibfehler(const ObjDataTyp& Obj);

// The display name of a type code (upper-cased first); empty for "KD" and
// unknown codes.
QString ObjTypName(const QString& Code);
// The first set of 1..6 that holds the code exactly; -1 when none does.
int ObjGruppe(const QString& Code);
// True when the set holds "~" + code + "~".
bool InObjGruppe(const QString& Code, const QString& Gruppe);

// The one-line display text of a stored label text.
QString EntferneTrennzeichen(const QString& Text);
// The text without the apostrophes at its end.
QString EntferneApostrophe(const QString& Text);
// Accented letters folded to their base letters; umlauts and "ß" stay.
QString EntferneAkzente(const QString& Text);

// Index into ObjDaten of the first label of the map (exact id) whose display
// text equals the name without regard to case and whose type is in the set;
// -1 when none.
int SucheObjektAufKarte(const QString& KartID, const QString& Name, const QString& Gruppe);
// Searches the given map, then every map of KartenDaten in list order.
// GefundenKartID: the map on which it was found, else the given map id.
int SucheObjekt(const QString& KartID, const QString& Name, const QString& Gruppe, QString& GefundenKartID);

} // namespace zl
