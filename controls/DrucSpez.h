#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;

namespace zl {

class TCanvas;

// ---- page arithmetic (headless) -------------------------------------------------

// What a page function needs to know about a printer, in device pixels (dots).
struct DruckerMetrik {
    int dpiX = 0;
    int dpiY = 0;
    int physBreite = 0; // the paper's width (PHYSICALWIDTH)
    int physHoehe = 0; // the paper's height (PHYSICALHEIGHT)
    int versatzX = 0; // unprintable border on the left (PHYSICALOFFSETX)
    int versatzY = 0; // unprintable border on top (PHYSICALOFFSETY)
};

// dots x 254 / dpi, rounded half to even: a length in tenths of a millimetre.
// 0 for a dpi of 0 or less.
int PunkteInZehntelMm(long long punkte, int dpi);

// The physical paper size in 0.1 mm.
void HolePapierGroesse(const DruckerMetrik& m, int& breite, int& hoehe);
// Margins measured from the paper's edge become distances from the printable area;
// a margin smaller than the unprintable border becomes 0.
void KorrigiereDruckRaender(const DruckerMetrik& m, int& links, int& oben);

// ---- the printer -------------------------------------------------------------------

// The text shown when no printer can be used.
QString KeinDruckerText();

// The metrics of a printer as its page layout reports them: the paper in device
// pixels, and the printer's minimum margins as the unprintable border.
DruckerMetrik LeseDruckerMetrik(const QPrinter& printer);

// Whether the printer can print: a file output (PDF) or an installed printer.
// Otherwise the error box KeinDruckerText() and false.
bool DruckerBereit(const QPrinter& printer);
// Begins the print job on the printer; false (with an error box) when there is no
// printer or the job does not start.
bool BeginneDruck(QPainter& painter, QPrinter& printer);

// The page functions work on a painter that is active on the printer (a begun job).
// Each returns false with an error box when there is none, never a silent success.

// From now on one logical unit is 0.1 mm in both directions, the origin is the
// top-left corner of the printable area and y grows downwards.
bool SetzeDruckerMasstab(QPainter& painter, const QPrinter& printer);
bool SetzeDruckerMasstab(TCanvas& canvas, const QPrinter& printer);
// The paper's width and height in 0.1 mm.
bool HolePapierGroesse(const QPrinter& printer, int& breite, int& hoehe);
// The margins (0.1 mm from the paper's edge) made relative to the printable area.
bool KorrigiereDruckRaender(const QPrinter& printer, int& links, int& oben);
// The whole bitmap stretched into left..right, top..bottom (logical units).
bool DruckeBitmap(QPainter& painter, int left, int top, int right, int bottom, const QImage& bitmap);
bool DruckeBitmap(TCanvas& canvas, int left, int top, int right, int bottom, const QImage& bitmap);

// Tenths of a millimetre per device pixel horizontally and vertically, as the last
// HolePapierGroesse or KorrigiereDruckRaender found them (254 / dpi; 0 before).
double DruckerZehntelProPixelX();
double DruckerZehntelProPixelY();

} // namespace zl
