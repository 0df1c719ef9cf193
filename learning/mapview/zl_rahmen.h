#pragma once

// The window dressing that needs no widgets: the frame drawn from a pattern
// picture, the dressing colours read from the pattern pictures, and the
// built-in pattern pictures used when the installation supplies none.

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

namespace zl {

// Frame width of every background.
inline constexpr int kRahmenbreite = 30;

// Background of the main window's frame panels and of every dialog.
inline TColor Rahmenfarbe = TColor(126 | (153 << 8) | (206 << 16));
// Background of the main window's inner panels.
inline TColor Flaechenfarbe = TColor(96 | (112 << 8) | (159 << 16));
// Background of the dialogs' inner panels.
inline TColor DialogFlaechenfarbe = TColor(206 | (215 << 8) | (230 << 16));

// The pattern pictures: 1 BackTeileImg (views), 2 BackTeileImg2 (dialogs),
// 3 BackTeileImg3 (side panels of the learning map). Set by the main window's
// creation; a null picture stands for the built-in one.
inline QImage BackTeileImg;
inline QImage BackTeileImg2;
inline QImage BackTeileImg3;
// The pattern n in force.
const QImage& Muster(int n);
// The file the installation may supply for pattern n: DatenVerz + "BackTeile<n>.bmp".
QString MusterDateiName(int n);
// The built-in pattern n, 72 x 72, giving the documented dressing colours.
QImage StandardMuster(int n);
// Pattern n from the folder when its file loads as a picture of at least
// 2 * kRahmenbreite + 1 pixels each way, else the built-in one.
QImage LadeMuster(const QString& DatenVerz, int n);

// The colour of a pixel as a TColor; Ersatz when the pixel lies outside the picture.
TColor PixelFarbe(const QImage& Bild, int x, int y, TColor Ersatz);
// Sets Rahmenfarbe, Flaechenfarbe and DialogFlaechenfarbe from the patterns.
void LeseDialogFarben(const QImage& BackTeileImg, const QImage& BackTeileImg2);

// Fills the target, at its present size, with the frame and inner area of the
// pattern: corners one to one, edges stretched along their length, the inner
// area both ways; the right column is drawn last. Pieces whose target or source
// extent is empty are left out. A null target stays as it is.
void ZeichneRahmen(QImage& Ziel, const QImage& Muster, int Rahmen);

// True when left <= x <= right and top <= y <= bottom.
bool PunktInRechteck(int x, int y, int links, int oben, int rechts, int unten);

} // namespace zl
