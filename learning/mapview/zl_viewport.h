#pragma once

// Zoom and scroll state of the learning map and the arithmetic that ties the shown
// section, the pointer arrows, the mini-map and a clicked pixel to map positions.
// Everything here is plain numbers, so the widgets and the tests share one rule set.

#include "raster/Rast32.h"

#include <QPoint>
#include <QRect>
#include <Qt>

#include <optional>

namespace zl
{

inline constexpr int kZoomStufen = 5;
inline constexpr double ZoomFaktoren[kZoomStufen] = {1.0, 1.25, 1.5, 1.75, 2.0};
// Captions of the zoom buttons ZoomPan0..ZoomPan4.
QString ZoomBeschriftung(int Stufe);

// The whole map in 1/10000 of the picture.
inline constexpr TRect kGanzeKarte{0, 0, 10000, 10000};

// Round to the nearest whole number, a half to the even neighbour; NaN gives 0 and values
// beyond the int range are held at its ends, so no caller ever converts an undefined value.
int RundeGerade(double Wert);

struct TViewport {
    int ZoomStufe = 0;       // 0..4
    double ZoomFaktor = 1.0; // ZoomFaktoren[ZoomStufe]
    int ScrollAnkerX = 0;    // -1, 0, 1
    int ScrollAnkerY = 0;
    TRect Ausschnitt = kGanzeKarte;         // section last drawn
    double AusschnittSeitenverhaeltnis = 0; // width / height of that section picture, 0 before the first

    // Level out of 0..4 is held at the nearest end (bookmarks and settings may carry any number).
    void SetzeZoomStufe(int Stufe);
    // Anchors out of -1..1 are held at the nearest end.
    void SetzeAnker(int X, int Y);
};

enum class TViewportBefehl {
    Standardgroesse, // "100 %", "Auf &Standardgröße"
    Zoom1,
    Zoom2,
    Zoom3,
    Zoom4,    // ZoomPan1..ZoomPan4
    ZoomRein, // "&Hineinzoomen"
    ZoomRaus, // "He&rauszoomen"
    Links,
    Rechts,
    Oben,
    Unten // "Nach &links scrollen" ...
};

// Applies a zoom or scroll command to the anchors and returns the level SetzeZoom is then
// called with; nothing when the command does nothing (zooming past the ends, scrolling at
// an edge).
std::optional<int> FuehreAus(TViewport& V, TViewportBefehl Befehl);

// The command of a key of the main window (Ctrl with the numeric pad's plus, minus and 0,
// Ctrl with an arrow key); the modifiers must be exactly Ctrl (plus the keypad flag).
std::optional<TViewportBefehl> BefehlFuerTaste(int Taste, Qt::KeyboardModifiers Modifiers);

// The anchors nearest to a mini-map point given as fractions of the control's size; ties
// go to the pair tried first.
void WaehleZoomAusschnitt(double fx, double fy, int& AnkerX, int& AnkerY);

// The section rectangle on a thumbnail of w x h pixels (the mini-map frame).
QRect MiniKartenRahmen(const TRect& Ausschnitt, int w, int h);

// The preview rectangle of the mini-map for anchors that a click would choose: the current
// section size placed at those anchors, on a thumbnail of w x h at (OffsetX, OffsetY).
QRect MiniKartenVorschau(const TRect& Ausschnitt, int AnkerX, int AnkerY, int w, int h, int OffsetX, int OffsetY);

// The thumbnail's rectangle inside its control (picture centred).
QRect MiniBildRechteck(int ControlW, int ControlH, int BildW, int BildH);

// Where the bottom-right corner of the pointer arrow goes for a map point (Px, Py) on an
// image control at ImgRect showing a picture of pw x ph centred in it; nothing when the
// section or the picture is empty.
std::optional<QPoint> ZeigerPunkt(const QRect& ImgRect, int pw, int ph, const TRect& Ausschnitt, double Px, double Py);
// The same for a mark on the question picture: relative to the picture control itself.
std::optional<QPoint> MarkenPunkt(int ControlW, int ControlH, int bw, int bh, const TRect& Ausschnitt, double Px,
                                  double Py);
// Top-left corner of the 5 x 5 mini-map mark for a map point (fractions of the whole map).
QPoint MiniMarkenPunkt(const QRect& MiniRect, int pw, int ph, double Px, double Py);

// The reverse of ZeigerPunkt: the map position under pixel (X, Y) of the image control,
// both held to 0..1. An empty picture gives the section's top-left corner.
void BildpunktZuKarte(int X, int Y, const QRect& ImgRect, int pw, int ph, const TRect& Ausschnitt, double& Px,
                      double& Py);

} // namespace zl
