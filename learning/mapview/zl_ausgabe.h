#pragma once

// Output of the visible map section: drawn fresh from the large map picture with its labels
// and a frame, into a bitmap (BMP, JPEG, clipboard), a metafile (EMF, WMF, clipboard) or a
// printer page. Headless: the main window adds the dialogs, boxes and cursor.

#include "learning/mapview/zl_beschriftung.h"
#include "platform/Metafile.h"

#include <QImage>
#include <QRectF>
#include <QString>

namespace zl
{

// The output area: the part of the drawing rectangle the output box shows, as fractions
// (left, top, width, height). Every export draws with the whole area, so the drawing
// rectangle is the box; the map print dialog keeps its own and passes it.
inline const QRectF kGanzeAusgabeflaeche(0, 0, 1, 1);

// What an output draws: the map and display type, the section on screen (1/10000 of the
// picture), the zoom factor and the label state of the screen.
struct TKartenausgabe {
    QString KartID;
    QString KartTyp = QStringLiteral("RS");
    TRect Ausschnitt{0, 0, 10000, 10000};
    double ZoomFaktor = 1.0;
    TBeschriftungsZustand Beschriftung;
};

// The export size: the section in pixels of the large map picture, and that file's bytes.
// Throws EBildFehler when there is no picture at all.
void ErmittleExportgroesse(const TKartenausgabe& A, int& W, int& H, int& Dateigroesse);
// JPEG quality of an export: 99 up to 750000 bytes of the large picture, else 98.
int ExportJpegQualitaet(int Dateigroesse);
// The label scale of an output box of W x H.
double AusgabeSkala(bool Drucker, double ZoomFaktor, int W, int H);
// The drawing rectangle for the box and an output area (the box itself for the whole area;
// an area of no positive size counts as the whole).
QRect AusgabeRechteck(int X0, int Y0, int W, int H, const QRectF& Flaeche);

// Draws the section into the box X0, Y0, W, H (the canvas's logical units): the picture cut
// 1:1 and stretched, the labels, and a 2-unit black frame that is not clipped by the box.
// sx, sy: logical units per device pixel (1 for bitmaps and metafiles); the clip is rounded
// to whole device pixels with them. Drucker picks the printer's label scale. Throws
// EBildFehler when the picture is missing or damaged (nothing drawn).
void ZeichneKartenausschnitt(const TKartenausgabe& A, bool Drucker, TCanvas& Canvas, int X0, int Y0, int W, int H,
                             double sx, double sy, const QRectF& Flaeche = kGanzeAusgabeflaeche);

// The section drawn into a bitmap or recorded into a metafile of the export size.
// Throw EBildFehler.
QImage ZeichneKartenbild(const TKartenausgabe& A, int* Dateigroesse = nullptr);
TMetafilePtr NimmKartenausschnittAuf(const TKartenausgabe& A);

// What the export command does with a file name, by its extension in any case.
enum class TExportArt { Bitmap, Jpeg, Metafile, Ungueltig };
TExportArt ExportArtFuerName(const QString& Datei);
// The box for any other extension.
QString UngueltigeEndungText();

// ExportiereMetafile / ExportiereBitmap: to the file (written through a temporary file, the
// old one intact on failure), or to the clipboard with an empty name. False with Fehler set
// (the text for the error box); nothing is reported as success that was not written.
bool ExportiereMetafile(const TKartenausgabe& A, const QString& Datei, QString& Fehler);
bool ExportiereBitmap(const TKartenausgabe& A, const QString& Datei, bool AlsJpeg, QString& Fehler);

} // namespace zl
