#include "raster/Rast32_Layers.h"
#include "raster/Rast32_Transforms.h"
#include "raster/widgets/Rast32_Image.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace zl;

namespace
{

constexpr TColor kBack = 0x00336699; // control colour: blue 33, green 66, red 99

QImage shot(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void sendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

struct TestLayer : TCustomLayer {
    QRect area;
    QList<QString>* log;
    TestLayer(TLayerCollection* owner, QRect a, std::uint32_t options, QList<QString>* l)
        : TCustomLayer(owner), area(a), log(l)
    {
        LayerOptions = options;
    }
    bool DoHitTest(int X, int Y) override { return area.contains(X, Y); }
    void Paint(TBitmap32& b) override
    {
        b.FillRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1, 0xFFFF0000u);
    }
    void MouseDown(TMouseButton, TShiftState, int X, int Y) override
    {
        *log << QStringLiteral("down %1,%2").arg(X).arg(Y);
    }
    void MouseUp(TMouseButton, TShiftState, int, int) override { *log << QStringLiteral("up"); }
    void MouseMove(TShiftState, int, int) override { *log << QStringLiteral("move"); }
    TCustomLayer* CreateCopy(TLayerCollection* into) const override
    {
        return new TestLayer(into, area, LayerOptions, log);
    }
};

} // namespace

TEST(Rast32ImageGeometry, RectsOfTheAlignments)
{
    struct Case {
        int bw, bh, cw, ch;
        TScaleMode mode;
        float scale;
        TBitmapAlign align;
        TRect want;
    };
    const Case cases[] = {
        {400, 300, 409, 345, smNormal, 1.0f, baTopLeft, {0, 0, 400, 300}},
        {400, 300, 409, 345, smNormal, 1.0f, baCenter, {4, 22, 404, 322}},
        {1000, 500, 600, 800, smResize, 1.0f, baCenter, {0, 250, 600, 550}},
        {300, 600, 600, 800, smResize, 1.0f, baCenter, {100, 0, 500, 800}},
        {300, 600, 600, 800, smResize, 1.0f, baTopLeft, {0, 0, 400, 800}},
        {500, 500, 100, 100, smNormal, 1.0f, baCenter, {-200, -200, 300, 300}}, // larger: overlaps both edges
        {501, 500, 100, 100, smNormal, 1.0f, baCenter, {-200, -200, 301, 300}}, // truncating div 2
        {10, 10, 50, 40, smStretch, 1.0f, baTopLeft, {0, 0, 50, 40}},
        {10, 10, 50, 40, smScale, 2.5f, baTopLeft, {0, 0, 25, 25}},
        {3, 5, 50, 40, smScale, 0.5f, baTopLeft, {0, 0, 2, 2}}, // 1.5 and 2.5 round half to even
        {10, 10, 0, 40, smNormal, 1.0f, baTopLeft, {0, 0, 0, 0}},
        {0, 10, 50, 40, smNormal, 1.0f, baCenter, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeBitmapRect(c.bw, c.bh, c.cw, c.ch, c.mode, c.scale, c.align, 0, 0), c.want)
            << c.bw << "x" << c.bh << " in " << c.cw << "x" << c.ch;
    EXPECT_EQ(ComputeBitmapRect(10, 10, 50, 50, smNormal, 1, baCustom, 2.5f, 3.5f), RectOf(2, 4, 12, 14));

    const TDisplayTransform t = ComputeDisplayTransform(RectOf(0, 250, 600, 550), 1000, 500);
    EXPECT_EQ(t.ScaleX, 39322); // 600 * 65536 / 1000 rounded
    EXPECT_EQ(t.ScaleY, 39322);
    EXPECT_EQ(t.ShiftY, 250);
    EXPECT_EQ(t.RevScaleX, 109227);
    EXPECT_EQ(ComputeDisplayTransform(RectOf(0, 0, 0, 0), 10, 10), TDisplayTransform{});
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);

    EXPECT_EQ(FitBufferSide(200, 0, 40), 240);
    EXPECT_EQ(FitBufferSide(210, 240, 40), 240);
    EXPECT_EQ(FitBufferSide(150, 240, 40), 150);
    EXPECT_EQ(FitBufferSide(0, 0, 40), 1);
    EXPECT_EQ(FitBufferSide(-5, 10, 40), 10);
}

TEST(Rast32Image, BandsAroundTheBitmapAndAlphaIgnored)
{
    TImage32 img;
    img.SetColor(kBack);
    img.resize(409, 345);
    img.Bitmap().SetDimensions(400, 300);
    img.Bitmap().Clear(0x00C0FFEEu); // alpha 0: still shown, alpha is ignored on screen
    QImage s = shot(img);
    EXPECT_EQ(s.pixel(10, 10), 0xFFC0FFEEu);
    EXPECT_EQ(s.pixel(405, 10), 0xFF996633u);
    EXPECT_EQ(s.pixel(10, 320), 0xFF996633u);
    img.SetBitmapAlign(baCenter);
    s = shot(img);
    EXPECT_EQ(img.DisplayRect(), RectOf(4, 22, 404, 322));
    EXPECT_EQ(s.pixel(3, 100), 0xFF996633u);
    EXPECT_EQ(s.pixel(4, 22), 0xFFC0FFEEu);
    EXPECT_EQ(s.pixel(403, 321), 0xFFC0FFEEu);
    EXPECT_EQ(s.pixel(404, 322), 0xFF996633u);
}

TEST(Rast32Image, EmptyAndDegenerateDisplays)
{
    TImage32 img;
    img.SetColor(kBack);
    img.resize(50, 40);
    QImage s = shot(img);
    EXPECT_EQ(s.pixel(25, 20), 0xFF996633u); // empty bitmap: all in the control colour

    img.Bitmap().SetDimensions(3, 3);
    img.Bitmap().Clear(0xFFFFFFFFu);
    img.SetScaleMode(smScale);
    img.SetScale(0); // raised to 0.001: the display rectangle is empty, nothing drawn, no assertion
    EXPECT_FLOAT_EQ(img.Scale(), 0.001f);
    s = shot(img);
    EXPECT_EQ(s.pixel(0, 0), 0xFF996633u);
    EXPECT_TRUE(RectIsEmpty(img.DisplayRect()));
    EXPECT_EQ(img.Transform(), TDisplayTransform{});

    int changes = 0;
    img.OnChange = [&](TCustomImage32*) { ++changes; };
    img.SetScale(0.0005f); // the same 0.001 again: nothing
    EXPECT_EQ(changes, 0);
    img.SetScale(2);
    EXPECT_EQ(changes, 1);

    TImage32 zero;
    zero.resize(0, 0);
    zero.Bitmap().SetDimensions(5, 5);
    zero.show();
    QApplication::processEvents();
    zero.repaint();
}

TEST(Rast32Image, ScaledDrawEqualsTheTransfer)
{
    TImage32 img;
    img.resize(60, 80);
    img.SetScaleMode(smResize);
    img.SetBitmapAlign(baCenter);
    TBitmap32& b = img.Bitmap();
    b.SetDimensions(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            b.SetPixel(x, y, 0xFF000000u | TColor32(x * 6) << 16 | TColor32(y * 12));
    b.SetStretchFilter(sfLinear);
    const QImage s = shot(img);
    const TRect r = img.DisplayRect();
    EXPECT_EQ(r, RectOf(0, 25, 60, 55));
    TBitmap32 expect;
    expect.SetDimensions(60, 80);
    TransferScaled(&expect, r, expect.BoundsRect(), &b, b.BoundsRect(), sfLinear, dmOpaque, {});
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(s.pixel(x, y), expect.Pixel(x, y) | 0xFF000000u) << x << "," << y;
}

TEST(Rast32Image, TilesFillTheBuffer)
{
    TImage32 img;
    img.resize(35, 25);
    img.SetBitmapAlign(baTile);
    img.Bitmap().SetDimensions(10, 10);
    img.Bitmap().Clear(0xFF000000u);
    img.Bitmap().SetPixel(0, 0, 0xFFFFFFFFu);
    const QImage s = shot(img);
    EXPECT_EQ(s.pixel(30, 20), 0xFFFFFFFFu);
    EXPECT_EQ(s.pixel(31, 21), 0xFF000000u);
}

TEST(Rast32Image, BufferFitting)
{
    TImage32 img;
    img.resize(200, 200);
    img.FitBuffer();
    EXPECT_EQ(img.Buffer().Width(), 240);
    img.show();
    img.resize(210, 210);
    QApplication::processEvents();
    EXPECT_EQ(img.Buffer().Width(), 240);
    img.resize(150, 150);
    QApplication::processEvents();
    EXPECT_EQ(img.Buffer().Width(), 150);
    EXPECT_EQ(img.Buffer().Height(), 150);
}

TEST(Rast32Image, StagesUpdatesAndMessages)
{
    TImage32 img;
    ASSERT_EQ(img.PaintStages().Count(), 5);
    EXPECT_EQ(img.PaintStages().Items(0).StageKind, stClearBackground);
    EXPECT_FALSE(img.PaintStages().Items(1).AtRunTime);
    EXPECT_EQ(img.PaintStages().Items(4).StageParam, 0x80000000u);
    QList<int> stages;
    img.OnInitStages = [](TCustomImage32* s) {
        TPaintStage& st = s->PaintStages().Add();
        st.StageKind = stCustom;
    };
    img.OnPaintStage = [&](TCustomImage32*, TBitmap32& buf, int n) {
        stages << n;
        buf.FillRect(0, 0, 1, 1, 0xFF00FF00u);
    };
    img.Loaded();
    ASSERT_EQ(img.PaintStages().Count(), 6);
    const QImage s = shot(img);
    EXPECT_EQ(stages, QList<int>{5});
    EXPECT_EQ(s.pixel(0, 0), 0xFF00FF00u);

    int changes = 0;
    img.OnChange = [&](TCustomImage32*) { ++changes; };
    img.BeginUpdate();
    img.Bitmap().SetDimensions(4, 4);
    img.SetBitmapAlign(baCenter);
    EXPECT_EQ(changes, 0);
    img.EndUpdate();
    img.Bitmap().Clear(0);
    EXPECT_EQ(changes, 1);
    try {
        img.EndUpdate();
        FAIL();
    } catch (const ERasterAssertion& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unpaired EndUpdate call"));
        EXPECT_EQ(e.Unit(), QStringLiteral("Rast32_Image"));
    }
    EXPECT_EQ(img.UpdateDepth(), 0);

    // Drawing on the bitmap's canvas repaints the control.
    img.Bitmap().ProvideCanvas()->FillRect(0, 0, 2, 2);
    EXPECT_EQ(changes, 2);
}

TEST(Rast32Image, MouseEventsInControlCoordinates)
{
    TImage32 img;
    img.resize(100, 80);
    img.Bitmap().SetDimensions(10, 10);
    img.SetBitmapAlign(baCenter);
    img.show();
    QList<QString> log;
    img.OnMouseDown = [&](TCustomImage32*, TMouseButton b, TShiftState s, int X, int Y, TCustomLayer* l) {
        log << QStringLiteral("down %1 %2 %3,%4 %5").arg(int(b)).arg(s & ssLeft ? 1 : 0).arg(X).arg(Y).arg(l ? 1 : 0);
    };
    img.OnMouseMove = [&](TCustomImage32*, TShiftState s, int X, int Y, TCustomLayer* l) {
        log << QStringLiteral("move %1 %2,%3 %4").arg(s & ssLeft ? 1 : 0).arg(X).arg(Y).arg(l ? 1 : 0);
    };
    img.OnMouseUp = [&](TCustomImage32*, TMouseButton b, TShiftState, int X, int Y, TCustomLayer* l) {
        log << QStringLiteral("up %1 %2,%3 %4").arg(int(b)).arg(X).arg(Y).arg(l ? 1 : 0);
    };
    int clicks = 0;
    img.OnClick = [&](TCustomImage32*) { ++clicks; };
    sendMouse(img, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(img, QEvent::MouseMove, {-15, 120}, Qt::NoButton, Qt::LeftButton);
    sendMouse(img, QEvent::MouseButtonRelease, {31, 41}, Qt::LeftButton, Qt::NoButton);
    sendMouse(img, QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log, (QList<QString>{QStringLiteral("down 0 1 30,40 0"), QStringLiteral("move 1 -15,120 0"),
                                   QStringLiteral("up 0 31,41 0"), QStringLiteral("move 0 5,6 0")}));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(img.hasMouseTracking());

    QEvent enter(QEvent::Enter);
    int entered = 0;
    img.OnMouseEnter = [&](TCustomPaintBox32*) { ++entered; };
    QEnterEvent ee(QPointF(1, 1), QPointF(1, 1), img.mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(&img, &ee);
    EXPECT_TRUE(img.MouseInside());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&img, &leave);
    EXPECT_FALSE(img.MouseInside());
    EXPECT_EQ(entered, 1);
}

TEST(Rast32Layers, CollectionContract)
{
    TImage32 img;
    EXPECT_EQ(img.Layers().Count(), 0);
    EXPECT_EQ(img.Layers().Transform(), &img.Transform());
    QList<QString> log;
    TLayerCollection& layers = img.Layers();
    int changed = 0, begins = 0;
    layers.OnListBeginUpdate = [&](TLayerCollection*) { ++begins; };
    const auto keep = layers.OnListChanged;
    layers.OnListChanged = [&](TLayerCollection* c) {
        ++changed;
        keep(c);
    };
    layers.BeginUpdate();
    auto* bottom = new TestLayer(&layers, QRect(0, 0, 50, 50), loMouseEvents | loVisible, &log);
    auto* top = new TestLayer(&layers, QRect(10, 10, 10, 10), loMouseEvents | loNoCapture, &log);
    layers.EndUpdate();
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(layers.LayerAt(15, 15, loMouseEvents), top);
    EXPECT_EQ(layers.LayerAt(30, 30, loMouseEvents), bottom);
    EXPECT_EQ(layers.LayerAt(15, 15, loVisible), bottom);
    EXPECT_EQ(layers.LayerAt(70, 70, loMouseEvents), nullptr);

    // A left press on a layer with the no-capture bit: no listener, the press not passed on.
    EXPECT_EQ(layers.MouseDown(mbLeft, ssLeft, 15, 15), top);
    EXPECT_EQ(layers.MouseListener(), nullptr);
    layers.MouseUp(mbLeft, 0, 15, 15);
    // On the bottom layer: it listens until its last button is up.
    EXPECT_EQ(layers.MouseDown(mbLeft, ssLeft, 30, 30), bottom);
    EXPECT_EQ(layers.MouseListener(), bottom);
    EXPECT_EQ(layers.MouseMove(ssLeft, 90, 90), bottom);
    EXPECT_EQ(layers.MouseUp(mbLeft, 0, 90, 90), bottom);
    EXPECT_EQ(layers.MouseListener(), nullptr);
    EXPECT_EQ(log, (QList<QString>{QStringLiteral("up"), QStringLiteral("down 30,30"), QStringLiteral("move"),
                                   QStringLiteral("up")}));

    // The layers stage paints the layers with the top bit.
    img.resize(60, 60);
    const QImage s = shot(img);
    EXPECT_EQ(s.pixel(40, 40), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(55, 55) & 0xFFFFFF, TColor32(ColorToRGB(clWindow) & 0xFF) << 16 |
                                              TColor32(ColorToRGB(clWindow) & 0xFF00) |
                                              TColor32((ColorToRGB(clWindow) >> 16) & 0xFF));

    TImage32 other;
    other.Layers().Assign(layers);
    EXPECT_EQ(other.Layers().Count(), 2);
    delete top; // a layer leaves its collection
    EXPECT_EQ(layers.Count(), 1);
    layers.Clear();
    EXPECT_EQ(layers.Count(), 0);
    EXPECT_THROW(layers.EndUpdate(), ERasterAssertion);
    try {
        layers.EndUpdate();
    } catch (const ERasterAssertion& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unpaired EndUpdate"));
    }
}
