#pragma once

// A paint device that records what is drawn on it (texts with their fonts and colours,
// ellipses, polygons), so the label renderer's output can be checked call by call through
// the very canvas it draws on.

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

namespace zl::test
{

struct Aufzeichnung {
    enum Art { Text, Ellipse, Polygon, Sonstiges } art = Sonstiges;
    QString text;
    QFont font;
    QPointF punkt; // text: baseline start in device pixels
    QRectF rect;   // ellipse
    QPolygonF polygon;
    QColor stift;
    QColor pinsel; // invalid when no brush
};

class AufzeichnungsGeraet : public QPaintDevice
{
  public:
    AufzeichnungsGeraet(int w, int h);
    ~AufzeichnungsGeraet() override;
    QPaintEngine* paintEngine() const override;
    std::vector<Aufzeichnung> eintraege;
    // Texts only, in drawing order.
    std::vector<Aufzeichnung> texte() const;

  protected:
    int metric(PaintDeviceMetric m) const override;

  private:
    int m_w, m_h;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace zl::test
