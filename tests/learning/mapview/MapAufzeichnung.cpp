#include "MapAufzeichnung.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextItem>

namespace zl::test
{

namespace
{

class Engine : public QPaintEngine
{
  public:
    explicit Engine(AufzeichnungsGeraet* g) : QPaintEngine(QPaintEngine::AllFeatures), m_g(g) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { neu(Aufzeichnung::Sonstiges); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        neu(Aufzeichnung::Sonstiges);
    }
    void drawTextItem(const QPointF& p, const QTextItem& ti) override
    {
        Aufzeichnung& a = neu(Aufzeichnung::Text);
        a.text = ti.text();
        a.font = ti.font();
        a.punkt = painter()->combinedTransform().map(p);
    }
    void drawEllipse(const QRectF& r) override
    {
        Aufzeichnung& a = neu(Aufzeichnung::Ellipse);
        a.rect = painter()->combinedTransform().mapRect(r);
    }
    void drawEllipse(const QRect& r) override { drawEllipse(QRectF(r)); }
    void drawPolygon(const QPointF* pts, int n, PolygonDrawMode) override
    {
        Aufzeichnung& a = neu(Aufzeichnung::Polygon);
        for (int i = 0; i < n; ++i)
            a.polygon << painter()->combinedTransform().map(pts[i]);
    }
    void drawPolygon(const QPoint* pts, int n, PolygonDrawMode m) override
    {
        QPolygonF f;
        for (int i = 0; i < n; ++i)
            f << QPointF(pts[i]);
        drawPolygon(f.constData(), n, m);
    }
    void drawPath(const QPainterPath&) override { neu(Aufzeichnung::Sonstiges); }
    void drawRects(const QRectF*, int) override { neu(Aufzeichnung::Sonstiges); }
    void drawRects(const QRect*, int) override { neu(Aufzeichnung::Sonstiges); }
    void drawLines(const QLineF*, int) override { neu(Aufzeichnung::Sonstiges); }
    void drawLines(const QLine*, int) override { neu(Aufzeichnung::Sonstiges); }

  private:
    Aufzeichnung& neu(Aufzeichnung::Art art)
    {
        Aufzeichnung a;
        a.art = art;
        a.stift = painter()->pen().style() == Qt::NoPen ? QColor() : painter()->pen().color();
        a.pinsel = painter()->brush().style() == Qt::NoBrush ? QColor() : painter()->brush().color();
        m_g->eintraege.push_back(a);
        return m_g->eintraege.back();
    }
    AufzeichnungsGeraet* m_g;
};

} // namespace

AufzeichnungsGeraet::AufzeichnungsGeraet(int w, int h) : m_w(w), m_h(h), m_engine(std::make_unique<Engine>(this)) {}

AufzeichnungsGeraet::~AufzeichnungsGeraet() = default;

QPaintEngine* AufzeichnungsGeraet::paintEngine() const
{
    return m_engine.get();
}

std::vector<Aufzeichnung> AufzeichnungsGeraet::texte() const
{
    std::vector<Aufzeichnung> r;
    for (const Aufzeichnung& a : eintraege)
        if (a.art == Aufzeichnung::Text)
            r.push_back(a);
    return r;
}

int AufzeichnungsGeraet::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth:
        return m_w;
    case PdmHeight:
        return m_h;
    case PdmWidthMM:
        return m_w * 254 / 960;
    case PdmHeightMM:
        return m_h * 254 / 960;
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}

} // namespace zl::test
