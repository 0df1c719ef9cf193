#pragma once

// Small helpers for tests that look at what a widget drew.
#include "controls/Farben.h"

#include <QImage>
#include <QRect>
#include <QWidget>

namespace zl::test {

// The widget as drawn, at one image pixel per widget pixel.
inline QImage Bild(QWidget& w)
{
    QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (img.size() != w.size())
        img = img.scaled(w.size());
    return img;
}

inline QColor Pixel(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

// The bounding box of all pixels of exactly this colour (empty when none).
inline QRect Huelle(const QImage& img, const QColor& c, const QRect& bereich = {})
{
    const QRect r = bereich.isNull() ? img.rect() : bereich;
    const QRgb soll = c.rgb() | 0xFF000000u;
    int x1 = INT_MAX, y1 = INT_MAX, x2 = INT_MIN, y2 = INT_MIN;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == soll) {
                x1 = std::min(x1, x);
                y1 = std::min(y1, y);
                x2 = std::max(x2, x);
                y2 = std::max(y2, y);
            }
    if (x1 == INT_MAX)
        return {};
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

inline int Anzahl(const QImage& img, const QColor& c)
{
    const QRgb soll = c.rgb() | 0xFF000000u;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == soll;
    return n;
}

inline QColor Q(TColor c, const QWidget& w) { return ZuQColor(c, w.palette()); }

} // namespace zl::test
