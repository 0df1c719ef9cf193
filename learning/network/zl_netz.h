#pragma once

// The class exercise's exchange through the communication folder: the command
// file "zlnetz.dat" the teacher writes, the participants' result texts with their
// result, flag and probe files, and the names a participant draws.
//
// Every file is written under a temporary name (".<name>.tmp...", which no scan
// pattern matches) and renamed into place, and read without a lock, so a reader
// never sees half a file and a writer is never refused because someone reads.
// Readers here show no boxes; the writers show the boxes their callers expect.

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace zl {

inline const QString kNetzDateiName = QStringLiteral("zlnetz.dat");
inline const QString kErgebnisPraefix = QStringLiteral("ZLTNX_");
inline const QString kFlagPraefix = QStringLiteral("ZLTNS_");
inline const QString kProbePraefix = QStringLiteral("ZLXZ_");
// The short grade of a result sent at the start.
inline const QString kNoteKurzStart = QStringLiteral("  -     ");

// The published exercise.
struct NetzwerkBefehlDataTyp {
    QString Titel; // "Übung: " + map name
    QString KartID;
    std::int32_t Status = 0; // 3: open for participants
    std::int32_t Gebiet = -1;
    std::int32_t Intensitaet = 1;
    QString RandSeed;
    std::int32_t Sound = 2;       // 0 on, 1 off, 2 own choice
    std::int32_t Animationen = 3; // 0 on, 1 off, 2 still picture, 3 own choice
    std::int32_t Anrede = 2;      // 0 "Du", 1 "Sie", 2 own choice
    std::int32_t AutoWeiter = 2;  // 0 automatic, 1 manual, 2 own choice
    std::int32_t RFLevel = 3;     // 0..2, 3 own choice
    QString ObjDateiName;
    QString FragTypOk;
    std::int32_t UebModus = 1;
    QString UebKartTyp;
    std::int32_t UebFragAnz = 0;
    QString UebungsID;
    bool operator==(const NetzwerkBefehlDataTyp&) const = default;
};

// The command file's content: the record, the teacher's computer and the channel.
struct NetzDateiInhalt {
    NetzwerkBefehlDataTyp Befehl;
    QString LehrerRechner;
    bool Mailslot = true;
    bool operator==(const NetzDateiInhalt&) const = default;
};

// The command file line without its line end: 19 fields, each followed by "|".
// A "|" inside a text field is written as "/" so it cannot shift the fields.
QString NetzBefehlZeile(const NetzDateiInhalt& Inhalt);
// Reads the command file's text: the last line wins; missing fields read as
// empty text or 0, field 12 keeps only its file name.
NetzDateiInhalt LeseNetzBefehlText(const QString& Text);

// Writes NetzVerz + "zlnetz.dat". False after "Datei-Schreibfehler! (code)" and
// the network write-error box.
bool SchreibeNetzDatei(const QString& NetzVerz, const NetzDateiInhalt& Inhalt);
// Reads NetzVerz + "zlnetz.dat" without a box: empty when it does not exist or
// cannot be read (Fehlercode then holds the Windows code when given).
std::optional<NetzDateiInhalt> LeseNetzDatei(const QString& NetzVerz, int* Fehlercode = nullptr);
// Deletes NetzVerz + "zlnetz.dat" when it exists.
void LoescheNetzDatei(const QString& NetzVerz);

// The text of the error boxes of a failed result (or command) and flag write.
QString NetzSchreibFehlerText();
QString NetzFlagSchreibFehlerText();

// Letters "A".."Z", each from the program's random generator (Zufall).
QString ZufallsBuchstaben(int Anzahl);
// A participant's result and flag file name; the 12 letters come from the
// system's entropy, never from the exercise generator, so two participants that
// start in the same millisecond still differ and the questions stay untouched.
struct ErgebnisNamen {
    QString Datei; // "ZLTNX_" + 12 letters + ".dat"
    QString Flag;  // "ZLTNS_" + the same letters + ".dat"
};
ErgebnisNamen NeueErgebnisNamen();

// One participant's state as it is sent after the start and every answer.
struct Teilnehmerergebnis {
    QString Schluessel; // the result file name
    QString UebungsID;
    QString Rechner;
    QString Name;
    double Start = 0; // day number with fraction
    std::int32_t FrageNr = 0;
    std::int32_t Richtig = 0;
    std::int32_t Falsch = 0;
    double Quote = 0; // per cent
    QString NoteKurz = kNoteKurzStart;
    std::int32_t Millisekunden = 0;
    QString AntwortFolge;
    bool operator==(const Teilnehmerergebnis&) const = default;
};

// The most questions an exercise has, so the most items a result counts.
inline constexpr int kMaxNetzFragen = 50;

// The 12 lines, each ended by CR LF; a control character in a text field is
// sent as a blank.
QString ErgebnisText(const Teilnehmerergebnis& E);
// Reads a result text (a file's or a message's): numbers that do not convert
// read as 0. Empty when it holds fewer than 12 lines or is no possible result
// (IstMoeglichesErgebnis).
std::optional<Teilnehmerergebnis> LeseErgebnisText(const QString& Text);
// Reads a result message: as LeseErgebnisText, and empty when its key, which
// names the participant's row, is blank.
std::optional<Teilnehmerergebnis> LeseErgebnisNachricht(const QString& Text);
// True for what a participant's exercise can have sent: no control character
// in a text, a name, a "+"/"-" answer string of at most kMaxNetzFragen items
// that the right and wrong counts agree with, a question number not past the
// items answered, a rate of 0..100 %, a start within the calendar and a
// duration under a day.
bool IstMoeglichesErgebnis(const Teilnehmerergebnis& E);

// Writes the result file and then its flag into NetzVerz. False after the
// writer's box and the matching network error box (no flag when the result
// could not be written).
bool SchreibeErgebnisDateien(const QString& NetzVerz, const ErgebnisNamen& Namen, const Teilnehmerergebnis& E);

// Result of reading one participant file.
enum class DateiLesen { Ok, Fehlt, Unlesbar, Fremd };
// Reads NetzVerz + Name as a result file without a box.
DateiLesen LeseErgebnisDatei(const QString& NetzVerz, const QString& Name, Teilnehmerergebnis& E);

// One scan of the folder. Flag mode: each flag "ZLTNS_*" is deleted first and
// its result read then, so a result rewritten meanwhile raises a new flag that
// the next scan sees; a result that exists but cannot be read gets its flag
// back for a retry. Otherwise every "ZLTNX_*" is read and nothing is deleted.
// Files that are missing, empty or foreign are skipped.
QList<Teilnehmerergebnis> LeseTeilnehmerErgebnisse(const QString& NetzVerz, bool FlagModus);

// Deletes every "ZLTNS_*" and then every "ZLTNX_*" of NetzVerz, and the
// temporary files a writer that died left behind.
void LoescheErgebnisDateien(const QString& NetzVerz);

// The write probe: mailslot mode is always true. Otherwise creates the first
// free Ordner + "ZLXZ_" + n exclusively and deletes it again; false when that
// fails or no n up to 10000 is free.
bool TesteVerzeichnisZugriff(const QString& Ordner, bool Mailslot);
// The access warning's text; AusDialog leaves out the menu hint.
QString ZugriffsFehlerText(bool AusDialog, const QString& Ordner);
void ZeigeZugriffsFehler(bool AusDialog, const QString& Ordner);

// A folder path ending in "/" (an empty text stays empty).
QString MitTrenner(const QString& Ordner);

// Day number with fraction (days since 30 Dec 1899, local time) and back.
double TagesZahl(const QDateTime& Zeit);
QDateTime ZeitAusTageszahl(double Tage);

} // namespace zl
