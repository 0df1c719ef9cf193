#pragma once

// The label renderer: draws the labels of the current map (symbol and text in the style of
// each type code) over a map section on any canvas. The learning map, the export, the
// printout and the question picture differ only in canvas, target rectangle, section and
// scale.

#include "datastore/Objektdaten.h"
#include "platform/Canvas.h"
#include "raster/Rast32.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <array>
#include <span>

namespace zl
{

// Base text heights for FontFakIndex 0, 1, 2 (pixels at scale 1).
inline constexpr int Schriftgroessen[3] = {11, 13, 15};

// Layer items LernObjCheck1..LernObjCheck6: Länder, Städte, Gewässer, Landschaften, Inseln, Kreise.
inline constexpr int kEbenen = 6;

// What the renderer reads from the main window. Values out of range are held at the
// nearest valid one (LernIntensitaet 1..3, FontFakIndex 0..2, Kartenschrift 0..1).
struct TBeschriftungsZustand {
    const QList<ObjDataTyp>* Objekte = &ObjDaten; // not owned
    QString AktKartID;
    int LernIntensitaet = 2;
    int FontFakIndex = 1;
    int Kartenschrift = 0; // 0 contrast (white halo), 1 normal
    int Ansichtsmodus = 2;
    std::array<bool, kEbenen> Ebenen{true, true, true, true, true, true};
    // Draw every text through the canvas's TextOut even on a raster target (the cached path
    // gives the same pixels up to rounding; this is the reference it is checked against).
    bool NurTextOut = false;
};

// Draws the labels of AktKartID onto the canvas: a map point at the section's edges lands on
// the edges of the target rectangle (XOffset, YOffset, Breite, Hoehe). ObjIndex -1 draws all
// labels with their texts; an index draws that object's symbol only, and only in view 3. An
// empty section or target, a scale that is not a positive number, or an index outside the
// table draws nothing.
void ZeichneBeschriftungen(TCanvas& Canvas, int XOffset, int YOffset, int Breite, int Hoehe, double Skala, int ObjIndex,
                           const TRect& Ausschnitt, const TBeschriftungsZustand& Zustand);

// The label scale of the learning map at a zoom factor: 0.8 at 100 %, 0.96 at 200 %.
double LernkartenSkala(double ZoomFaktor);

// The halo of contrast text: the eight neighbouring offsets.
std::span<const QPoint> KontrastRand();

// The text of an LX or K label as drawn: "ß" as "ss", upper case, four blanks between letters
// but none beside a line break. No length limit.
QString GesperrteGrossschrift(const QString& Text);

// A "KD" label's disc: "1|<hex BBGGRR>|<f>". False (nothing to draw) unless all three fields
// are valid: the first is 1, the colour 1 to 6 hexadecimal digits of either case, f a positive
// decimal number.
bool LeseKreisdaten(const QString& Bez, TColor& Farbe, double& f);

} // namespace zl
