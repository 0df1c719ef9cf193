#include "learning/mapview/zl_rahmen.h"

#include "platform/FileAccess.h"

#include <QPainter>

namespace zl {
namespace {

QColor farbe(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TColor rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

void strecke(QPainter& p, const QRect& ziel, const QImage& muster, const QRect& quelle)
{
    if (ziel.width() <= 0 || ziel.height() <= 0 || quelle.width() <= 0 || quelle.height() <= 0)
        return;
    p.drawImage(ziel, muster, quelle);
}

} // namespace

QString MusterDateiName(int n) { return QStringLiteral("BackTeile%1.bmp").arg(n); }

QImage StandardMuster(int n)
{
    const TColor rahmen = rgb(126, 153, 206);
    const TColor innen = n == 1 ? rgb(96, 112, 159) : n == 2 ? rgb(206, 215, 230) : rgb(226, 236, 255);
    QImage img(72, 72, QImage::Format_RGB32);
    img.fill(farbe(rahmen));
    QPainter p(&img);
    // A light outer line and a dark inner line give the frame its relief.
    p.setPen(farbe(rgb(173, 193, 239)));
    p.drawRect(2, 2, 67, 67);
    p.setPen(farbe(rgb(83, 94, 123)));
    p.drawRect(27, 27, 17, 17);
    p.fillRect(QRect(30, 30, 12, 12), farbe(innen));
    p.end();
    return img;
}

const QImage& Muster(int n)
{
    static const QImage standard[3] = {StandardMuster(1), StandardMuster(2), StandardMuster(3)};
    const QImage& gesetzt = n == 1 ? BackTeileImg : n == 2 ? BackTeileImg2 : BackTeileImg3;
    if (!gesetzt.isNull())
        return gesetzt;
    return standard[n == 1 ? 0 : n == 2 ? 1 : 2];
}

QImage LadeMuster(const QString& DatenVerz, int n)
{
    const QString pfad = resolvePath(DatenVerz + MusterDateiName(n));
    QImage img(pfad);
    if (img.isNull() || img.width() < 2 * kRahmenbreite + 1 || img.height() < 2 * kRahmenbreite + 1)
        return StandardMuster(n);
    return img.convertToFormat(QImage::Format_RGB32);
}

TColor PixelFarbe(const QImage& Bild, int x, int y, TColor Ersatz)
{
    if (Bild.isNull() || x < 0 || y < 0 || x >= Bild.width() || y >= Bild.height())
        return Ersatz;
    const QRgb c = Bild.pixel(x, y);
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

void LeseDialogFarben(const QImage& BackTeileImg, const QImage& BackTeileImg2)
{
    Rahmenfarbe = PixelFarbe(BackTeileImg, 0, 0, rgb(126, 153, 206));
    Flaechenfarbe = PixelFarbe(BackTeileImg, 30, 30, rgb(96, 112, 159));
    DialogFlaechenfarbe = PixelFarbe(BackTeileImg2, 30, 30, rgb(206, 215, 230));
}

void ZeichneRahmen(QImage& Ziel, const QImage& Muster, int R)
{
    if (Ziel.isNull())
        return;
    const int W = Ziel.width(), H = Ziel.height();
    const int w = Muster.width(), h = Muster.height();
    QImage arbeit(W, H, QImage::Format_RGB32);
    arbeit.fill(farbe(PixelFarbe(Muster, R, R, Rahmenfarbe)));
    if (!Muster.isNull()) {
        QPainter p(&arbeit);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        strecke(p, QRect(0, 0, W, H), Muster, QRect(R, R, w - 2 * R, h - 2 * R));
        strecke(p, QRect(0, 0, R, R), Muster, QRect(0, 0, R, R));
        strecke(p, QRect(0, H - R, R, R), Muster, QRect(0, h - R, R, R));
        strecke(p, QRect(R, 0, W - 2 * R, R), Muster, QRect(R, 0, w - 2 * R, R));
        strecke(p, QRect(R, H - R, W - 2 * R, R), Muster, QRect(R, h - R, w - 2 * R, R));
        strecke(p, QRect(0, R, R, H - 2 * R), Muster, QRect(0, R, R, h - 2 * R));

        QImage spalte(R, H, QImage::Format_RGB32);
        spalte.fill(farbe(PixelFarbe(Muster, R, R, Rahmenfarbe)));
        {
            QPainter q(&spalte);
            strecke(q, QRect(0, 0, R, R), Muster, QRect(w - R, 0, R, R));
            strecke(q, QRect(0, H - R, R, R), Muster, QRect(w - R, h - R, R, R));
            strecke(q, QRect(0, R, R, H - 2 * R), Muster, QRect(w - R, R, R, h - 2 * R));
        }
        if (R > 0)
            p.drawImage(QPoint(W - R, 0), spalte);
    }
    Ziel = arbeit.convertToFormat(Ziel.format());
}

bool PunktInRechteck(int x, int y, int links, int oben, int rechts, int unten)
{
    return links <= x && x <= rechts && oben <= y && y <= unten;
}

} // namespace zl
