#pragma once

#include <QColor>
#include <QPainter>

namespace zl {

// GDI-style pixel drawing shared by the owner-drawn controls; rectangles are
// X1..X2-1, Y1..Y2-1 as in the class library.

// Fills the rectangle; an empty one draws nothing.
void Fuelle(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c);

// A one-pixel outline of the rectangle.
void Umriss(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c);

// DrawFocusRect: a dotted frame drawn by inverting every other pixel.
void FokusRahmen(QPainter& p, int x1, int y1, int x2, int y2);

} // namespace zl
