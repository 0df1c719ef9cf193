#pragma once

// The main window's map output: the export command with its save dialog, the two clipboard
// commands and the printing core the map print dialog calls.

#include "learning/mapview/zl_ausgabe.h"

class QPrinter;

namespace zl
{

class TForm1;

// The learning map's output as the screen shows it (map, display type, section, zoom, labels).
TKartenausgabe AktuelleKartenausgabe(const TForm1& Form);

// Connects "&Drucken...", "D&ruckereinrichtung...", "&Exportieren...",
// "In &Zwischenablage kopieren (EMF) " and "In Zw&ischenablage kopieren (BMP) ".
void VerbindeAusgabe(TForm1& Form);

// The save dialog "Landkarte exportieren", then ExportiereDatei with the chosen name.
void Exportieren1Click(TForm1& Form);
// The export by the name's extension: BMP, JPG, WMF or EMF, else the error box for the
// extension and nothing written. Hourglass while it runs; failures give an error box.
// True when the file was written.
bool ExportiereDatei(TForm1& Form, const QString& Datei);
// The section to the clipboard as an enhanced metafile (with a picture) or as a bitmap.
bool KopiereKarteEMF(TForm1& Form);
bool KopiereKarteBMP(TForm1& Form);

// Prints the section into Box (0.1 mm; left and top measured from the paper's edge and
// reduced by the printer's unprintable border, not below 0) with the output area Flaeche,
// as one job on the printer, showing the wait message meanwhile. Size and position are not
// checked against the paper. False after an error box when the box is empty, no printer is
// there, the job does not start or the picture is missing (the job is then dropped).
bool DruckeKarte(const TForm1& Form, QPrinter& Drucker, const QRect& Box, const QRectF& Flaeche = kGanzeAusgabeflaeche);

} // namespace zl
