#include "controls/Zeichnen.h"

namespace zl {

void Fuelle(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c)
{
    if (x2 > x1 && y2 > y1)
        p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), c);
}

void Umriss(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c)
{
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    Fuelle(p, x1, y1, x2, y1 + 1, c);
    Fuelle(p, x1, y2 - 1, x2, y2, c);
    Fuelle(p, x1, y1, x1 + 1, y2, c);
    Fuelle(p, x2 - 1, y1, x2, y2, c);
}

void FokusRahmen(QPainter& p, int x1, int y1, int x2, int y2)
{
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    for (int x = x1; x < x2; x += 2) {
        p.drawPoint(x, y1);
        p.drawPoint(x, y2 - 1);
    }
    for (int y = y1; y < y2; y += 2) {
        p.drawPoint(x1, y);
        p.drawPoint(x2 - 1, y);
    }
    p.restore();
}

} // namespace zl
