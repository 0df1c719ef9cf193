#include "learning/mapview/widgets/zl_lernkarte_steuer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace zl
{

TBildFlaeche::TBildFlaeche(QWidget* parent, bool Zentriert) : QWidget(parent), m_zentriert(Zentriert)
{
    setMouseTracking(true);
}

void TBildFlaeche::SetBild(const QImage& Bild)
{
    m_bild = Bild;
    update();
}

QRect TBildFlaeche::BildRect() const
{
    if (!m_zentriert)
        return QRect(QPoint(0, 0), m_bild.size());
    return QRect((width() - m_bild.width()) / 2, (height() - m_bild.height()) / 2, m_bild.width(), m_bild.height());
}

void TBildFlaeche::paintEvent(QPaintEvent*)
{
    if (m_bild.isNull())
        return;
    QPainter p(this);
    p.drawImage(BildRect().topLeft(), m_bild);
}

void TBildFlaeche::mousePressEvent(QMouseEvent* e)
{
    if (OnMausDruck)
        OnMausDruck(e);
}

void TBildFlaeche::mouseMoveEvent(QMouseEvent* e)
{
    if (OnMausBewegung)
        OnMausBewegung(e);
}

void TBildFlaeche::leaveEvent(QEvent*)
{
    if (OnMausVerlassen)
        OnMausVerlassen();
}

TRahmenForm::TRahmenForm(QWidget* parent, const QColor& Farbe, int Stiftbreite)
    : QWidget(parent), m_farbe(Farbe), m_breite(Stiftbreite)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TRahmenForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPen pen(m_farbe);
    pen.setWidth(m_breite);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The pen lies inside the control, as a shape draws it.
    const qreal h = m_breite / 2.0;
    p.drawRect(QRectF(h, h, width() - m_breite, height() - m_breite));
}

TMiniMarke::TMiniMarke(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(5, 5);
    hide();
}

void TMiniMarke::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRectF(0, 0, 5, 5));
}

TZeigerPfeil::TZeigerPfeil(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(32, 32);
    hide();
}

void TZeigerPfeil::Zeige(const QPoint& Spitze)
{
    move(Spitze.x() - width(), Spitze.y() - height());
    show();
    raise();
}

void TZeigerPfeil::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // An arrow pointing down to the right, its tip on the bottom-right pixel.
    const QPolygonF Pfeil({QPointF(31.5, 31.5), QPointF(14, 28), QPointF(19.5, 22.5), QPointF(3, 6), QPointF(6, 3),
                           QPointF(22.5, 19.5), QPointF(28, 14)});
    p.setPen(QPen(QColor(255, 255, 255), 1.5));
    p.setBrush(QColor(220, 0, 0));
    p.drawPolygon(Pfeil);
}

} // namespace zl
