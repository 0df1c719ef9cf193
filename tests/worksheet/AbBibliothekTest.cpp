// The raster functions only the worksheet program uses: the unscaled, clipped drawing of one
// bitmap into another behind the page preview.

#include "raster/Rast32.h"
#include "raster/Rast32_Transforms.h"

#include <gtest/gtest.h>

namespace zl
{
namespace
{

// A bitmap whose every pixel tells its position.
void Muster(TBitmap32& b, int w, int h)
{
    b.SetDimensions(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, TColor32(0xFF000000u | (std::uint32_t(x) << 12) | std::uint32_t(y)));
}

TEST(AbBibliothek, DrawAtClipsAndShifts)
{
    const struct {
        int x, y;
    } faelle[] = {{0, 0}, {10, 10}, {-10, 0}, {0, -1624}, {1001, 0}};
    TBitmap32 src;
    Muster(src, 1001, 1625);
    for (const auto& f : faelle) {
        TBitmap32 dst;
        dst.SetDimensions(1001, 1625);
        dst.Clear(0xFF123456u);
        dst.DrawAt(f.x, f.y, &src);
        for (int y : {0, 9, 10, 800, 1614, 1624})
            for (int x : {0, 9, 10, 500, 990, 1000}) {
                const int sx = x - f.x, sy = y - f.y;
                const bool innen = sx >= 0 && sy >= 0 && sx < 1001 && sy < 1625;
                EXPECT_EQ(dst.Pixel(x, y), innen ? src.Pixel(sx, sy) : TColor32(0xFF123456u))
                    << f.x << "," << f.y << " at " << x << "," << y;
            }
    }
}

TEST(AbBibliothek, NothingDrawnForNilEmptyOrTransparentSource)
{
    TBitmap32 dst;
    dst.SetDimensions(4, 4);
    dst.Clear(0xFF000000u);
    dst.DrawAt(0, 0, nullptr);
    TBitmap32 leer;
    dst.DrawAt(0, 0, &leer);
    TBitmap32 src;
    src.SetDimensions(4, 4);
    src.Clear(0xFFFFFFFFu);
    src.SetDrawMode(dmBlend);
    src.SetMasterAlpha(0);
    dst.DrawAt(0, 0, &src);
    EXPECT_EQ(dst.Pixel(1, 1), TColor32(0xFF000000u));
    src.SetDrawMode(dmCustom); // without a callback: opaque
    dst.DrawAt(1, 1, &src);
    EXPECT_EQ(dst.Pixel(1, 1), TColor32(0xFFFFFFFFu));
    EXPECT_EQ(dst.Pixel(0, 0), TColor32(0xFF000000u));
    // An empty target draws nothing rather than failing.
    leer.DrawAt(0, 0, &src);
    EXPECT_TRUE(leer.Empty());
    EXPECT_THROW(TransferBlockClipped(&leer, 0, 0, TRect{0, 0, 4, 4}, &src, src.BoundsRect(), dmOpaque, {}),
                 ETransformError);
}

TEST(AbBibliothek, SourceRectangleIsClippedToTheSource)
{
    TBitmap32 src, dst;
    Muster(src, 20, 20);
    dst.SetDimensions(20, 20);
    dst.Clear(0);
    TransferBlockClipped(&dst, 5, 5, dst.BoundsRect(), &src, TRect{-5, -5, 10, 10}, dmOpaque, {});
    EXPECT_EQ(dst.Pixel(10, 10), src.Pixel(0, 0)); // (-5,-5) lands on (5,5), so (0,0) on (10,10)
    EXPECT_EQ(dst.Pixel(9, 9), TColor32(0));
    EXPECT_EQ(dst.Pixel(19, 19), src.Pixel(9, 9));
}

} // namespace
} // namespace zl
