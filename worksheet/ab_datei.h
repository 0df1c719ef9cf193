#pragma once

// The worksheet file ("zla"): one value a line through the text-file layer. Reading parses into
// a document of its own and refuses the whole file at its first fault, so a damaged file never
// changes the open worksheet; opening then switches to the worksheet's label file and matches
// the entries against it.

#include "worksheet/ab_arbeitsblatt.h"

#include <QString>

namespace zl::ab
{

inline const QString kArbeitsblattKopf = QStringLiteral("Foliavo-ZLA-1.00");
inline const QString kArbeitsblattKopfAlt = QStringLiteral("Kartivo-AB-2003-1.00");

inline const QString kLesefehlerText = QStringLiteral("Lesefehler! Datei kann nicht gelesen werden.");
inline const QString kFormatfehlerText = QStringLiteral("Falsches Dateiformat!");

struct TArbeitsblattLesen {
    enum Ergebnis { Gelesen, NichtGeoeffnet, FalscherKopf, Beschaedigt };
    Ergebnis Status = NichtGeoeffnet;
    ArbeitsblattDataTyp Dokument; // complete only when Gelesen; every label index -1
    int Fehlerzeile = 0;          // Beschaedigt: the line of the first fault
    QString Fehler;               // Beschaedigt: what is wrong there
};

// Reads a worksheet file without showing anything but the text-file layer's open-error box.
// A count outside 0..30, a numbering that is not a permutation of 1..n, a theme, intensity or
// task index out of range, a placement outside -3..+3, a number or real that does not convert,
// a non-finite position or a file that ends early make it Beschaedigt. A MaxAnz outside 1..30
// counts as missing (20).
TArbeitsblattLesen LeseArbeitsblattDatei(const QString& Pfad);

// The message shown for a result that is not Gelesen (the two boxes of a failed open are
// "Lesefehler! ..." after the layer's own).
QString LesefehlerMeldung(const TArbeitsblattLesen& R, const QString& Pfad);

// Writes the document (line 11 its ObjDatei) atomically; true on success. On failure the
// write-error box of the text-file layer and/or "Schreibfehler! Das Arbeitsblatt konnte nicht
// gespeichert werden." are shown and the old file is kept.
bool SchreibeArbeitsblatt(const QString& Pfad, const ArbeitsblattDataTyp& A);

// The file-name part of a stored label-file path (Windows or Linux separators).
QString DateinameAusPfad(const QString& Pfad);

// Matches every entry with a negative label index against the table (map exact, one-line name
// case ignored, type exact); sets the index of the found ones. Returns the warning text for
// missing and moved entries, empty when there are none.
QString PruefeAbfrageobjekte(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte);

// Opening a worksheet file in the program: reads it (boxes as the file's faults need them),
// then switches to its label file in DatenVerz (the shared ObjDatei and ObjDaten; ObjDatei
// changes only after that file was read), matches the entries, and replaces Ziel and the
// run's presets. False with Ziel, ObjDatei and ObjDaten unchanged when the file was refused.
bool OeffneArbeitsblatt(const QString& Pfad, ArbeitsblattDataTyp& Ziel);

} // namespace zl::ab
