#pragma once

// Helper functions shared by every window and data routine: texts, number and
// time texts, arithmetic, colour mixing, waiting and a few system queries.
// They keep no state and report no errors; their rounding, padding and
// separators are part of the file formats and of what the user sees.

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace zl {

// ---- Texts

// Every old character replaced by the new one.
QString ErsetzeZeichen(const QString& text, QChar alt, QChar neu);
// Every occurrence of alt replaced by neu, scanning left to right; a
// replacement is never scanned again. An empty alt leaves the text unchanged.
QString ErsetzeText(const QString& text, const QString& alt, const QString& neu);
// Removes the part again and again until none is left, so removals that bring
// a new occurrence together remove it too ("aabb" less "ab" gives "").
QString EntferneText(const QString& text, const QString& teil);
QString EntferneText2(const QString& text, const QString& teil);
// The field in front of the first separator; text loses it and the separator.
// Without a separator: the empty text, and text stays as it is.
QString HoleFeld(QString& text, QChar trenner);
int ZaehleZeichen(const QString& text, QChar zeichen);
// The text repeated; empty for a count of 0 or less.
QString WiederholeText(const QString& text, int anzahl);
QString WiederholeText2(const QString& text, int anzahl);
// Pads to the width: mode 0 behind, 1 centred (the extra character behind),
// 2 in front. A longer text, or another mode, comes back unchanged.
QString FuelleAuf(const QString& text, QChar fuellZeichen, int breite, int modus);
// The given number of blanks between each two characters.
QString SperreText(const QString& text, int leerzeichen);
// Hexadecimal digits without any check: a character outside 0-9, A-F (any
// case) counts as -1; the value wraps modulo 2^32; "" gives 0.
std::int32_t WandleHexZahl(const QString& text);

// ---- Number and time texts

// Fixed decimals with "." whatever the locale, a half rounded away from zero,
// padded in front with blanks to the width (never cut). A result that shows
// only zeros has no "-"; NaN and infinities are written as zero.
QString FormatiereZahl(long double zahl, int breite, int nachkomma);
// Rounded as FormatiereZahl with 0 decimals, "." between groups of three
// digits (1.234.567), right-aligned to the width.
QString FormatiereGanzzahl(double zahl, int breite);
// "," as decimal mark and "." between groups of three (1.234.567,5),
// right-aligned to the width.
QString FormatiereDezimal(double zahl, int breite, int nachkomma);
// "mm:ss" of the truncated seconds; minutes are not capped (121:05). A
// negative value or NaN counts as 0.
QString FormatiereMinSek(double sekunden);
// "1 Std. 0 Min. 5 Sek.", "2 Min. 5 Sek.", "5 Sek."; a negative value counts as 0.
QString FormatiereDauer(double sekunden);
// Blanks (code 32) removed, then a decimal number with optional sign,
// fraction and exponent, rounded half to even and held to the 32-bit range;
// 0 for anything else.
std::int32_t WandleInGanzzahl(const QString& text);
std::int32_t WandleInGanzzahl(QStringView text);
// The same number as a real; 0 when the text is no number or out of range.
double WandleInZahl(const QString& text);
double WandleInZahl(QStringView text);
// Both on Windows-1252 bytes, as a field of a file line holds them (the same
// results as on the decoded text).
std::int32_t WandleInGanzzahl(const char* first, const char* last);
double WandleInZahl(const char* first, const char* last);

// Reads the whole range as a decimal number: optional sign, digits, optional
// "." and fraction, optional exponent ("E" or "e", optional sign, digits),
// nothing else; "." whatever the locale. False when it is no such number or
// too large to hold; a value too small to hold reads as 0.
bool LiesDezimalzahl(const char* first, const char* last, double& wert);
bool LiesDezimalzahl(const char* first, const char* last, long double& wert);

// ---- Arithmetic

int Minimum(int a, int b);
int Maximum(int a, int b);
// On equality the second argument.
double MinimumF(double a, double b);
double MaximumF(double a, double b);
// 1, 0 or -1.
int Vorzeichen(double wert);
// Base to the power of the exponent; 0 for base 0 (except exponent 0 gives
// 1) and for a negative base with a fractional exponent.
double Potenz(double basis, double exponent);
// Repeated multiplication; exponent 0 gives 1, base 0 gives 0.
double GanzPotenz(double basis, std::int32_t exponent);
// The largest whole number not greater than the value.
long double Abrunden(long double wert);
// The nearest multiple of the step, a half going up; values beyond
// 1E20 steps come back unchanged.
double RundeAufSchritt(double wert, double schritt);
// The base-10 logarithm, exact at powers of ten; 0 for x <= 0.
double Logarithmus10(double x);
// Fills any rectangle with the members Left, Top, Right, Bottom.
template <class Rechteck>
void SetzeRechteck(Rechteck& r, int links, int oben, int rechts, int unten)
{
    r.Left = links;
    r.Top = oben;
    r.Right = rechts;
    r.Bottom = unten;
}
int WaehleWert(bool bedingung, int a, int b);
// Swaps two blocks of any size (they may overlap, as with a move through a buffer).
void TauscheSpeicher(void* a, void* b, std::size_t groesse);

// ---- Colours, waiting, system

// Per channel round(c2 x t + c1 x (1 - t)), half to even, low 8 bits kept;
// colours 0x00BBGGRR, the result's high byte 0. A system colour (top bit
// set) is resolved to its red, green and blue first.
std::int32_t MischeFarben(std::int32_t farbe1, std::int32_t farbe2, double t);

// Waits the given milliseconds, handling the application's events before
// every look at the clock (at least once): windows, timers and clicks keep
// working meanwhile, and callers must expect their handlers to run.
void Warte(std::uint32_t millisekunden);
// The same up to an absolute tick count (TickCount); a target already past
// ends the wait after one round of events.
void WarteBisTick(std::uint32_t tick);
// The same waits without handling events: the windows freeze meanwhile.
void WarteOhneNachrichten(std::uint32_t millisekunden);
void WarteBisTickOhneNachrichten(std::uint32_t tick);

// True when the path (relative to the current folder; a trailing "\" or "/"
// allowed, "\" read as "/") is an existing folder.
bool VerzeichnisExistiert(const QString& pfad);
// The file's size in bytes; -1 when it cannot be opened or is 2 GiB or more.
std::int32_t ErmittleDateiGroesse(const QString& dateiName);
// The computer's network name; empty when the system gives none.
QString HoleComputername();

} // namespace zl
