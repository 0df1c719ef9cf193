#include "platform/Canvas.h"
#include "raster/Rast32.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

using namespace zl;

namespace {

struct Counter {
    int changes = 0;
    int resizes = 0;
    void attach(TBitmap32& b)
    {
        b.OnChange = [this](TThreadPersistent*) { ++changes; };
        b.OnResize = [this](TThreadPersistent*) { ++resizes; };
    }
};

} // namespace

TEST(Rast32Colour, WinColorTo32)
{
    EXPECT_EQ(WinColorTo32(clRed), 0xFFFF0000u);
    EXPECT_EQ(WinColorTo32(0x7F123456), 0xFF563412u); // top byte ignored
    const TColor face = GetSysColor(15);
    EXPECT_EQ(WinColorTo32(clBtnFace), 0xFF000000u | TColor32((face & 0xFF) << 16) | TColor32(face & 0xFF00) |
                                           TColor32((face >> 16) & 0xFF));
}

TEST(Rast32Rect, ClipRects)
{
    TRect d;
    EXPECT_TRUE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(5, 5, 20, 20)));
    EXPECT_EQ(d, RectOf(5, 5, 10, 10));
    EXPECT_TRUE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(10, 0, 20, 10))); // zero width answers true
    EXPECT_EQ(d, RectOf(10, 0, 10, 10));
    EXPECT_FALSE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(11, 0, 20, 10)));
    EXPECT_EQ(d, RectOf(0, 0, 0, 0));
    TRect r1 = RectOf(0, 0, 8, 8);
    EXPECT_TRUE(ClipRects(r1, r1, RectOf(2, 3, 50, 50))); // Dst aliasing R1
    EXPECT_EQ(r1, RectOf(2, 3, 8, 8));
}

TEST(Rast32Bitmap, SizingAndNotifications)
{
    TBitmap32 b;
    Counter c;
    c.attach(b);
    EXPECT_TRUE(b.SetDimensions(-5, 10));
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 10);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Bits(), nullptr);
    EXPECT_EQ(c.resizes, 1);
    EXPECT_TRUE(b.SetDimensions(4, 3));
    EXPECT_EQ(b.ClipRect, RectOf(0, 0, 4, 3));
    const int changes = c.changes;
    EXPECT_FALSE(b.SetDimensions(4, 3));
    EXPECT_EQ(c.changes, changes);
    EXPECT_EQ(c.resizes, 2);
}

TEST(Rast32Bitmap, ClearFillRectAndViewShareMemory)
{
    TBitmap32 b;
    b.SetDimensions(10, 10);
    b.Clear(0xFF000000u);
    Counter c;
    c.attach(b);
    b.FillRect(5, 5, 5, 10, 0xFFFFFFFFu);
    EXPECT_EQ(c.changes, 0);
    b.FillRect(-10, -10, 5, 5, 0xFF00FF00u);
    EXPECT_EQ(c.changes, 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, y), (x < 5 && y < 5) ? 0xFF00FF00u : 0xFF000000u);
    QImage view = b.ImageView();
    EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(b.Bits()));
    EXPECT_EQ(view.pixel(2, 2), 0xFF00FF00u);
}

TEST(Rast32Bitmap, UnpairedEndUpdate)
{
    TBitmap32 b;
    try {
        b.EndUpdate();
        FAIL();
    } catch (const ERasterAssertion& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unpaired TThreadPersistent.EndUpdate"));
        EXPECT_EQ(e.Unit(), QStringLiteral("Rast32"));
    }
    EXPECT_EQ(b.UpdateCount(), 0);
}
