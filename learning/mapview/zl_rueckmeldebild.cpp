#include "learning/mapview/zl_rueckmeldebild.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zl
{

namespace
{

// The part of a polyline up to a fraction of its length.
QPainterPath Teilweg(const QPolygonF& Weg, double Anteil)
{
    double gesamt = 0;
    for (qsizetype i = 1; i < Weg.size(); ++i)
        gesamt += QLineF(Weg[i - 1], Weg[i]).length();
    double rest = gesamt * Anteil;
    QPainterPath p(Weg.first());
    for (qsizetype i = 1; i < Weg.size() && rest > 0; ++i) {
        const QLineF l(Weg[i - 1], Weg[i]);
        if (l.length() <= rest) {
            p.lineTo(Weg[i]);
            rest -= l.length();
        } else {
            p.lineTo(l.pointAt(rest / l.length()));
            rest = 0;
        }
    }
    return p;
}

} // namespace

QImage RueckmeldeBild(bool Richtig, double Fortschritt, QSize Groesse)
{
    const double t = std::clamp(std::isfinite(Fortschritt) ? Fortschritt : 1.0, 0.0, 1.0);
    QImage Bild(Groesse, QImage::Format_RGB32);
    const QColor Grund = Richtig ? QColor(232, 246, 232) : QColor(252, 234, 232);
    const QColor Farbe = Richtig ? QColor(38, 150, 62) : QColor(206, 44, 40);
    Bild.fill(Grund);
    QPainter p(&Bild);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(Groesse.width(), Groesse.height()) / 137.0;
    p.scale(s, s);
    // The ring grows in the first third, the sign is drawn in the rest.
    const double ring = std::min(1.0, t * 3);
    p.setPen(QPen(Farbe, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 14, 109, 109), 90 * 16, int(-360 * 16 * ring));
    const double zeichen = std::clamp((t - 1.0 / 3) * 1.5, 0.0, 1.0);
    if (zeichen > 0) {
        p.setPen(QPen(Farbe, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (Richtig) {
            p.drawPath(Teilweg(QPolygonF({QPointF(42, 71), QPointF(61, 90), QPointF(97, 50)}), zeichen));
        } else {
            p.drawPath(Teilweg(QPolygonF({QPointF(47, 47), QPointF(90, 90)}), std::min(1.0, zeichen * 2)));
            if (zeichen > 0.5)
                p.drawPath(Teilweg(QPolygonF({QPointF(90, 47), QPointF(47, 90)}), zeichen * 2 - 1));
        }
    }
    return Bild;
}

QImage WeiterBild(QSize Groesse)
{
    QImage Bild(Groesse, QImage::Format_RGB32);
    Bild.fill(QColor(232, 238, 252));
    QPainter p(&Bild);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(Groesse.width(), Groesse.height()) / 137.0;
    p.scale(s, s);
    const QColor Farbe(52, 84, 170);
    p.setPen(QPen(Farbe, 6));
    p.drawEllipse(QRectF(33, 10, 71, 71));
    p.setPen(QPen(Farbe, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(52, 45.5), QPointF(84, 45.5));
    p.drawPolyline(QPolygonF({QPointF(70, 31), QPointF(84, 45.5), QPointF(70, 60)}));
    return Bild;
}

} // namespace zl
