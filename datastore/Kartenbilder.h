#pragma once

// Map pictures: their file names with fallbacks, the picture loaders, the shared
// map cache and the cutting of a map section for a view box.
//
// Pictures are ordinary bitmaps (QImage::Format_RGB32) or TBitmap32. Loaders that
// fit or stretch resample as the system's COLORONCOLOR (nearest pixel) or, where
// said, WHITEONBLACK (dropped pixels OR-ed in) stretch modes do.

#include "raster/Rast32.h"

#include <QImage>
#include <QString>

class QPainter;

namespace zl
{

// Display types "RS", "RH", "PF", "PW"; resolutions "1" (large) and "5" (small).

// True when the file exists under its name or under a name that differs only in
// case (the found name is then returned through Gefunden).
bool BildDateiDa(const QString& Datei, QString* Gefunden = nullptr);

// KartenVerz + id + "-" + type + "-" + resolution + ".jpg", else ".dat"; for
// resolution "1" then the "5" picture (".jpg", else ".dat"). The result may name
// a missing file.
QString KartenbildPfad(const QString& KartID, const QString& KartTyp, const QString& Aufloesung);
// KartenVerz + "klein/" + id + "-" + type + "-K.jpg", else ".dat", else
// "klein/xxx.dat". The result may name a missing file.
QString KleinbildPfad(const QString& KartID, const QString& KartTyp);

// Fits a picture of W x H into the box: the side that fills it first sets the
// scale, the other is rounded half to even. False (nothing to do) when any size
// is 0 or less or a side rounds to 0.
bool PasseEin(int W, int H, int BoxBreite, int BoxHoehe, int& Breite, int& Hoehe);

// Load a BMP or JPEG file into the ordinary bitmap: fitted into the box when
// Einpassen is set, at its own size otherwise. A missing file is tried with
// ".dat"; when that is missing too the target is left as it was and the result is
// false. A file that is no valid picture throws EBildFehler.
bool LadeBmpBild(QImage& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei);
bool LadeJpegBild(QImage& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei);
// BMP when the file name ends in ".bmp" (any case), else JPEG; then a black
// 1-pixel frame round the picture when Rahmen is set.
bool LadeKartenbild(QImage& Bild, int BoxBreite, int BoxHoehe, const QString& Datei, bool Einpassen, bool Rahmen);
// LadeJpegBild, then into the TBitmap32 of an image control.
bool LadeJpegInBild(TBitmap32& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei);
// Stretched to exactly Breite x Hoehe (WHITEONBLACK). Same fallbacks and errors.
bool LadeJpegGestreckt(QImage& Ziel, int Breite, int Hoehe, const QString& Datei);
bool LadeJpegGestrecktInBild(TBitmap32& Ziel, int Breite, int Hoehe, const QString& Datei);
// Scaled to exactly Breite x Hoehe through the linear resampling filter, for
// colour artwork (the OR stretch turns it into speckle). Same fallbacks and errors.
bool LadeJpegGeglaettet(QImage& Ziel, int Breite, int Hoehe, const QString& Datei);

// Decodes a map picture into KartenCache and sets KartenCachePfad to Datei (a
// missing file is tried with ".dat"). When no file exists, the cache is emptied,
// the path cleared and the result is false. A file that is no valid picture
// empties the cache and clears the path too, then throws EBildFehler.
bool LadeKartenCache(const QString& Datei);

// Width and height of the map picture KartenbildPfad finds, and its file size
// (-1 when it cannot be measured). Throws EBildFehler when there is no picture or
// it cannot be read.
void KartenbildInfo(int& Breite, int& Hoehe, int& Groesse, const QString& KartID, const QString& KartTyp,
                    const QString& Aufloesung);

// The resolution a view box needs at a zoom: "1" when BoxBreite x Zoom >= 950 or
// BoxHoehe x Zoom >= 850, else "5".
QString AufloesungFuerBox(int BoxBreite, int BoxHoehe, double Zoom);

// The section of a W x H picture shown in a box at a zoom and scroll anchors
// (-1 left/top, 0 middle, 1 right/bottom): the shown size, the source rectangle in
// pixels and the section in 1/10000 of the picture. False when a size is 0.
struct Kartenausschnitt {
    int Breite = 0; // shown size
    int Hoehe = 0;
    TRect Quelle;     // pixels of the picture
    TRect Ausschnitt; // 1/10000 of the picture
};
bool BerechneAusschnitt(int W, int H, int BoxBreite, int BoxHoehe, double Zoom, int AnkerX, int AnkerY,
                        Kartenausschnitt& Ergebnis);

// Cuts the visible section of a map for the view box into Ziel (Format_RGB32,
// the shown size) and returns the section rectangle. The picture is decoded only
// when its path differs from KartenCachePfad. Returns false with Ziel and
// Ausschnitt unchanged when no picture (not even "xxx.dat") exists or a size is
// 0; a damaged picture throws EBildFehler.
bool LadeKartenausschnitt(QImage& Ziel, int BoxBreite, int BoxHoehe, const QString& KartID, const QString& KartTyp,
                          double Zoom, int AnkerX, int AnkerY, TRect& Ausschnitt);

// Nearest-pixel stretch (COLORONCOLOR) of the source rectangle of a 32-bit
// picture onto a Breite x Hoehe target. The rectangle must lie in the source.
void StreckeNaechstes(const uchar* Quelle, qsizetype QuellZeile, const TRect& QuellRect, uchar* Ziel,
                      qsizetype ZielZeile, int Breite, int Hoehe);
// The whole source onto the target, OR-ing the pixels a reduction drops
// (WHITEONBLACK); an enlargement repeats pixels as the nearest-pixel stretch does.
void StreckeOder(const uchar* Quelle, qsizetype QuellZeile, int QuellBreite, int QuellHoehe, uchar* Ziel,
                 qsizetype ZielZeile, int Breite, int Hoehe);

// The rectangle (0, 0) to (Breite, Hoehe) in a solid black pen of the given width
// with a clear brush; the right and bottom edges are excluded, as the system's
// rectangle does (a 1-pixel frame lies on columns 0 and Breite - 1).
void ZeichneBildrand(QPainter& Canvas, int Hoehe, int Breite, int Stiftbreite);
void ZeichneBildrand(QImage& Bild, int Stiftbreite = 1);

} // namespace zl
