#pragma once

// The exercise protocol's lines, the grade table and the success rate.
// The protocol is held as text; its byte form (Windows-1252, CR LF) is what is
// saved, copied and compared.

#include "learning/exercise/zl_uebtypen.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace zl {

// ---- Writing the protocol (Uebungsprotokoll)

// Empties it.
void LoescheProtokoll(QString& Protokoll);
// Appends " " + line + CR LF (an empty line is " " CR LF).
void SchreibeProtokoll(QString& Protokoll, const QString& Zeile);
// SchreibeProtokoll of 84 em dashes.
void SchreibeProtokollLinie(QString& Protokoll);
// The empty line, the separator and the empty line that close every block.
void SchreibeProtokollAbschluss(QString& Protokoll);
// The protocol's bytes as they are saved: Windows-1252 (the separator's dash is 0x97).
QByteArray ProtokollBytes(const QString& Protokoll);

// "dd.MM.yyyy hh:mm:ss", the short date and long time of the German system.
QString DatumZeitText(const QDateTime& Zeit);

// What the header names.
struct TProtokollKopf {
    QDateTime Datum;
    QString KartenName;   // the exercise map's name
    int UebModus = 1;     // 1..4
    std::int32_t Seed = 0; // the seed used
    int Intensitaet = 1;  // 1..3
    int FragAnz = 0;
    QString ObjDateiName; // the label file without folder
    FragTypMaske Maske;
};
// The header lines from "Übungsprotokoll" to the separator and the empty line after it.
void SchreibeProtokollKopf(QString& Protokoll, const TProtokollKopf& Kopf);
// One line listing the types Von..Bis: "+S01 +S02 ... " ('+' allowed, '-' not, each followed by a blank).
QString FragTypenZeile(const FragTypMaske& Maske, int Von, int Bis);

// "07." or "06.-10." followed by " Frage [S03]: " and the question text.
QString FrageZeile(int FrageNr, int Typ, const QString& FragText);
// Letter A..E of a slot 1..5 ('?' outside).
QChar AntwortBuchstabe(int Slot);
// "Richtige Antwort: C" or, for an assignment, "Richtige Antwort: 1-C 2-A ... " (Ziele: the
// right target letter 1..5 of names 1..5).
QString RichtigeAntwortZeile(int RichtigeAntwort);
QString RichtigeZuordnungZeile(const std::array<int, 5>& Ziele);
// "Gewählte Antwort: C (richtig)" / " (falsch)".
QString GewaehlteAntwortZeile(int Antwort, bool Richtig);
// "Gewählte Antwort: 1-C 2-B ... (3 richtig, 2 falsch)" (Gesetzt: placed target of each name).
QString GewaehlteZuordnungZeile(const std::array<int, 5>& Gesetzt, int AnzRichtig);

// ---- Grade (Notentabelle)

inline constexpr int kNoten = 6;
// Lower bound of grade 1..6 in per cent (85, 70, 55, 40, 25, 0); 100 for grade 0 (the top of the scale).
int Notengrenze(int Note);
// "sehr gut" .. "ungenügend".
QString Notenname(int Note);
// "sgt. (1)" .. "ung. (6)", always 8 characters.
QString Notenkurz(int Note);
// Band colour of the grade (red, green, blue as 0xRRGGBB).
std::uint32_t Notenfarbe(int Note);
// The first grade whose lower bound is at most the rate.
int NoteAusQuote(double Quote);

// Right / (right + wrong) x 100 in single precision; 0 when nothing is answered.
float Erfolgsquote(int AnzRichtig, int AnzFalsch);
// The rate with one decimal and "." ("66.7").
QString QuoteText(double Quote);

// ---- Summary

struct TProtokollSchluss {
    int FragenGesamt = 0;
    int AnzRichtig = 0;
    int AnzFalsch = 0;
    std::int64_t DauerMs = 0;       // the clock's value at the end (from the start tick)
    std::int64_t TicksSeitStart = 0; // tick count at the end - start tick, for the time per question
};
// "Fragenanzahl ..... " to "Zeit pro Frage ... Ø x.y Sek.".
void SchreibeProtokollSchluss(QString& Protokoll, const TProtokollSchluss& Schluss);

// Geometry of the grade scale picture of height H: the y of a rate.
int NotenskalaY(double Quote, int H);

} // namespace zl
