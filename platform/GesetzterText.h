#pragma once

// Shaped text for canvases that draw the same short texts again and again (the map labels):
// a text is shaped once per font and device resolution, and later calls draw its glyphs
// straight from the cache, a halo from the same glyphs. The pixels equal those of the
// canvas's TextOut. Targets that need every call (printer, metafile recorder), rotated,
// underlined or struck-out text, a filled text background and TA_UPDATECP take TextOut.

#include "platform/Canvas.h"

#include <QPoint>
#include <QString>

#include <span>

namespace zl
{

// True when the canvas draws through the cache (a raster target and the canvas's
// current font and alignment allow it).
bool GesetzterTextMoeglich(const TCanvas& Canvas);

// The width of Text in the canvas's font, as TextWidth gives it.
int GesetzteTextbreite(const TCanvas& Canvas, const QString& Text);

// Text placed as TextOut places it; first drawn in Randfarbe at each offset from (X, Y)
// (the halo), then in Font.Color at (X, Y).
void GesetzterTextOut(TCanvas& Canvas, int X, int Y, const QString& Text, std::span<const QPoint> Rand = {},
                      TColor Randfarbe = clWhite);

// Empties the calling thread's cache (it is bounded on its own; for tests and memory).
void LeereTextsatzCache();
// Texts shaped by the calling thread since the last LeereTextsatzCache.
int TextsatzZaehler();

} // namespace zl
