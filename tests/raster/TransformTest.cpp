#include "raster/Rast32_Blend.h"
#include "raster/Rast32_Transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

using namespace zl;

namespace
{

void fillRandom(TBitmap32& b, std::mt19937& rng, bool opaque = false)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, opaque ? (rng() | 0xFF000000u) : TColor32(rng()));
}

QString transferError(TBitmap32* dst, const TBitmap32* src, TRect srcRect)
{
    try {
        TransferScaled(dst, RectOf(0, 0, 4, 4), RectOf(0, 0, 4, 4), src, srcRect, sfLinear, dmOpaque, {});
    } catch (const ETransformError& e) {
        return e.Message();
    }
    return {};
}

// ---- slow references, written from the formulas per destination pixel

struct RefList {
    std::vector<std::pair<int, int>> e;
};

RefList refContributions(int i, int dstLo, int dstHi, int clipLo, int srcLo, int srcHi, TStretchFilter f)
{
    RefList out;
    const int srcW = srcHi - srcLo, dstW = dstHi - dstLo;
    if (srcW == 1) {
        out.e.push_back({srcLo, 256});
        return out;
    }
    const TFilterKernelEntry k = FilterKernel(f);
    const float scale = float(dstW) / float(srcW);
    const float r = 1.0f / scale;
    const float centre = (float(i + clipLo - dstLo) + 0.5f) * r + float(srcLo) - 0.5f;
    if (scale >= 1.0f) {
        for (int j = int(std::floor(centre - float(k.Width))); j <= int(std::ceil(centre + float(k.Width))); ++j) {
            const int w = int(std::nearbyint(k.Kernel(centre - float(j)) * 256.0f));
            if (w)
                out.e.push_back({std::clamp(j, srcLo, srcHi - 1), w});
        }
    } else {
        const float width = float(k.Width) * r;
        for (int j = int(std::floor(centre - width)); j <= int(std::ceil(centre + width)); ++j) {
            const int w = int(std::nearbyint(k.Kernel((centre - float(j)) * scale) * 256.0f * scale));
            if (w)
                out.e.push_back({std::clamp(j, srcLo, srcHi - 1), w});
        }
        if (out.e.empty())
            out.e.push_back({int(std::floor(centre)), 256});
    }
    int sum = 0;
    for (auto& c : out.e)
        sum += c.second;
    out.e[(out.e.size() - 1) / 2].second += 256 - sum;
    return out;
}

TColor32 refResampledPixel(const TBitmap32& src, TRect sr, TRect dr, int x, int y, TStretchFilter f)
{
    const RefList lx = refContributions(x - dr.Left, dr.Left, dr.Right, dr.Left, sr.Left, sr.Right, f);
    const RefList ly = refContributions(y - dr.Top, dr.Top, dr.Bottom, dr.Top, sr.Top, sr.Bottom, f);
    TColor32 out = 0;
    for (int c = 0; c < 4; ++c) {
        std::int64_t s = 0;
        for (auto [q, wx] : lx.e)
            for (auto [p, wy] : ly.e)
                s += std::int64_t((src.Pixel(q, p) >> (8 * c)) & 0xFF) * wx * wy;
        s = std::clamp<std::int64_t>(s, 0, 255 * 65536);
        out |= TColor32(s >> 16) << (8 * c);
    }
    return out;
}

TColor32 refLinearPixel(const TBitmap32& src, TRect sr, TRect dr, int x, int y)
{
    auto axis = [](int d, int dLo, int dHi, int sLo, int sHi, int& pos, int& w) {
        float v = (float(d - dLo) + 0.5f) * (float(sHi - sLo) / float(dHi - dLo)) + float(sLo) - 0.5f;
        v = std::clamp(v, float(sLo), float(sHi - 1));
        pos = int(std::floor(v));
        w = 256 - int(std::nearbyint((v - std::floor(v)) * 256.0f));
        if (pos == sHi - 1) {
            pos -= 1;
            w = 0;
        }
    };
    int px, wx, py, wy;
    axis(x, dr.Left, dr.Right, sr.Left, sr.Right, px, wx);
    axis(y, dr.Top, dr.Bottom, sr.Top, sr.Bottom, py, wy);
    TColor32 out = 0;
    for (int c = 0; c < 4; ++c) {
        auto g = [&](int xx, int yy) { return int((src.Pixel(xx, yy) >> (8 * c)) & 0xFF); };
        const int up = (g(px, py) * wx + g(px + 1, py) * (256 - wx)) / 256;
        const int lo = (g(px, py + 1) * wx + g(px + 1, py + 1) * (256 - wx)) / 256;
        out |= TColor32((up * wy + lo * (256 - wy)) / 256) << (8 * c);
    }
    return out;
}

TColor32 refNearestPixel(const TBitmap32& src, TRect sr, TRect dr, int x, int y)
{
    auto axis = [](int d, int dLo, int dHi, int sLo, int sHi) {
        if (dHi - dLo < 2)
            return (sLo + sHi - 1) / 2;
        return std::clamp(int(float(d - dLo) * (float(sHi - sLo) / float(dHi - dLo)) + float(sLo)), sLo, sHi - 1);
    };
    return src.Pixel(axis(x, dr.Left, dr.Right, sr.Left, sr.Right), axis(y, dr.Top, dr.Bottom, sr.Top, sr.Bottom));
}

TColor32 refDraftPixel(const TBitmap32& src, TRect sr, TRect dr, int x, int y)
{
    auto block = [](int d, int dLo, int dHi, int sLo, int sHi, int& a, int& b) {
        const float scale = float(sHi - sLo) / float(dHi - dLo);
        const std::int64_t step = std::int64_t(65536.0f * scale);
        auto bound = [&](std::int64_t k) {
            const std::int64_t v = k == 0 ? 0 : k == 1 ? std::int64_t(scale) : (k * step) >> 16;
            return int(std::min<std::int64_t>(v, sHi - sLo));
        };
        a = sLo + bound(d - dLo);
        b = sLo + bound(d - dLo + 1);
    };
    int x0, x1, y0, y1;
    block(x, dr.Left, dr.Right, sr.Left, sr.Right, x0, x1);
    block(y, dr.Top, dr.Bottom, sr.Top, sr.Bottom, y0, y1);
    TColor32 out = 0;
    for (int c = 0; c < 4; ++c) {
        std::uint64_t sum = 0;
        for (int yy = y0; yy < y1; ++yy)
            for (int xx = x0; xx < x1; ++xx)
                sum += (src.Pixel(xx, yy) >> (8 * c)) & 0xFF;
        out |= TColor32(sum / std::uint64_t((x1 - x0) * (y1 - y0))) << (8 * c);
    }
    return out;
}

} // namespace

TEST(Rast32Transfer, Errors)
{
    TBitmap32 dst, src, empty;
    dst.SetDimensions(4, 4);
    src.SetDimensions(8, 8);
    EXPECT_EQ(transferError(nullptr, &src, RectOf(0, 0, 8, 8)), QStringLiteral("Destination bitmap is nil or empty"));
    EXPECT_EQ(transferError(&empty, &src, RectOf(0, 0, 8, 8)), QStringLiteral("Destination bitmap is nil or empty"));
    EXPECT_EQ(transferError(&dst, nullptr, RectOf(0, 0, 8, 8)), QStringLiteral("Source bitmap is nil or empty"));
    EXPECT_EQ(transferError(&dst, &empty, RectOf(0, 0, 8, 8)), QString()); // empty source: nothing
    EXPECT_EQ(transferError(&dst, &src, RectOf(5, 5, 5, 9)), QString());   // empty SrcRect: nothing
    for (TRect bad : {RectOf(-1, 0, 4, 4), RectOf(0, 0, 9, 4), RectOf(0, -1, 4, 4), RectOf(0, 0, 4, 9)})
        EXPECT_EQ(transferError(&dst, &src, bad), QStringLiteral("Source rectangle is invalid"));
}

TEST(Rast32Transfer, SameSizeWithNegativeOffset)
{
    TBitmap32 src, dst;
    src.SetDimensions(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            src.SetPixel(x, y, TColor32(y * 1000 + x));
    dst.SetDimensions(50, 50);
    TransferScaled(&dst, RectOf(-10, -10, 90, 90), dst.ClipRect, &src, src.BoundsRect(), sfLanczos, dmOpaque, {});
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(dst.Pixel(x, y), TColor32((y + 10) * 1000 + x + 10));
}

TEST(Rast32Transfer, ContributionGoldens)
{
    const ContributionTable half = BuildContributions(0, 4, 0, 4, 0, 8, sfLinear);
    ASSERT_EQ(half.size(), 4u);
    EXPECT_EQ(half[0], (ContributionList{{0, 32}, {0, 96}, {1, 96}, {2, 32}}));
    EXPECT_EQ(half[2], (ContributionList{{3, 32}, {4, 96}, {5, 96}, {6, 32}}));
    const ContributionTable dbl = BuildContributions(0, 8, 0, 8, 0, 4, sfLinear);
    EXPECT_EQ(dbl[1], (ContributionList{{0, 192}, {1, 64}}));
    EXPECT_TRUE(BuildContributions(0, 8, 0, 8, 3, 3, sfLinear).empty());
    EXPECT_EQ(BuildContributions(0, 8, 2, 5, 3, 4, sfSpline), (ContributionTable(3, ContributionList{{3, 256}})));
    // Every list adds up to 256 for every filter, reductions to 1/1000 and enlargements to 500x.
    for (int f = sfNearest; f <= sfMitchell; ++f)
        for (auto [s, d] : {std::pair{3000, 3}, std::pair{2, 1000}, std::pair{7, 5}, std::pair{5, 7}})
            for (const ContributionList& l : BuildContributions(0, d, 0, d, 0, s, TStretchFilter(f))) {
                int sum = 0;
                for (const Contribution& c : l) {
                    sum += c.Weight;
                    ASSERT_GE(c.Pos, 0);
                    ASSERT_LT(c.Pos, s);
                }
                ASSERT_EQ(sum, 256);
            }
}

TEST(Rast32Transfer, UniformColourStaysExact)
{
    const TColor32 colours[] = {0xFFFFFFFFu, 0xFF000000u, 0x80402010u, 0x00FFFFFFu};
    for (int f = sfNearest; f <= sfMitchell; ++f)
        for (auto [sw, sh, dw, dh] : {std::array{9, 9, 3, 3}, std::array{10, 7, 3, 2}, std::array{3, 3, 10, 8},
                                      std::array{300, 2, 1, 1}, std::array{7, 9, 5, 12}})
            for (TColor32 c : colours) {
                TBitmap32 src, dst;
                src.SetDimensions(sw, sh);
                src.Clear(c);
                dst.SetDimensions(dw, dh);
                dst.Clear(0x12345678u);
                TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), TStretchFilter(f),
                               dmOpaque, {});
                for (int y = 0; y < dh; ++y)
                    for (int x = 0; x < dw; ++x)
                        ASSERT_EQ(dst.Pixel(x, y), c)
                            << "filter " << f << " " << sw << "x" << sh << "->" << dw << "x" << dh;
            }
}

TEST(Rast32Transfer, LinearAndNearestEdges)
{
    TBitmap32 src, dst;
    src.SetDimensions(2, 2);
    src.SetPixel(0, 0, 0xFF000000u);
    src.SetPixel(1, 0, 0xFFFFFFFFu);
    src.SetPixel(0, 1, 0xFF808080u);
    src.SetPixel(1, 1, 0xFF0000FFu);
    dst.SetDimensions(4, 4);
    TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfLinear, dmOpaque, {});
    EXPECT_EQ(dst.Pixel(3, 3), 0xFF0000FFu); // last column and row at full weight
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF000000u);

    TBitmap32 wide;
    wide.SetDimensions(7, 3);
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 3; ++y)
            wide.SetPixel(x, y, 0xFF000000u | TColor32(x));
    TBitmap32 one;
    one.SetDimensions(1, 5);
    TransferScaled(&one, one.BoundsRect(), one.BoundsRect(), &wide, RectOf(1, 0, 6, 3), sfNearest, dmOpaque, {});
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(one.Pixel(0, y), 0xFF000003u); // (1 + 6 - 1) div 2
}

TEST(Rast32Transfer, MitchellOvershootIsLimited)
{
    TBitmap32 src, dst;
    src.SetDimensions(8, 1);
    for (int x = 0; x < 8; ++x)
        src.SetPixel(x, 0, x < 4 ? 0xFF000000u : 0xFFFFFFFFu);
    for (TStretchFilter f : {sfMitchell, sfLanczos}) {
        dst.SetDimensions(37, 3);
        TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), f, dmOpaque, {});
        for (int x = 0; x < 37; ++x) {
            const TColor32 p = dst.Pixel(x, 1);
            // A wrapped channel would show as dark next to white or light next to black.
            if (x < 10) {
                EXPECT_LT(p & 0xFF, 0x20u) << x;
            }
            if (x > 27) {
                EXPECT_GT(p & 0xFF, 0xE0u) << x;
            }
            EXPECT_EQ(p >> 24, 0xFFu);
        }
    }
}

TEST(Rast32Transfer, DrawModes)
{
    TBitmap32 src, dst;
    src.SetDimensions(4, 4);
    src.Clear(0x80FF0000u);
    src.SetDrawMode(dmBlend);
    src.SetMasterAlpha(0);
    dst.SetDimensions(8, 8);
    dst.Clear(0xFF0000FFu);
    for (TStretchFilter f : {sfNearest, sfLinear, sfDraft})
        for (TRect r : {RectOf(0, 0, 4, 4), RectOf(0, 0, 8, 8)}) {
            TransferScaled(&dst, r, dst.ClipRect, &src, src.BoundsRect(), f, dmBlend, {});
            EXPECT_EQ(dst.Pixel(1, 1), 0xFF0000FFu);
        }
    // dmCustom without a callback is dmOpaque.
    TransferScaled(&dst, RectOf(0, 0, 8, 8), dst.ClipRect, &src, src.BoundsRect(), sfLinear, dmCustom, {});
    EXPECT_EQ(dst.Pixel(3, 3), 0x80FF0000u);
    // dmBlend with the accelerated mix; MasterAlpha 255 takes BlendRow, less the masked row.
    src.SetMasterAlpha(255);
    dst.Clear(0xFF0000FFu);
    TransferBlock(&dst, RectOf(0, 0, 4, 4), &src, 0, 0, dmBlend, {});
    EXPECT_EQ(dst.Pixel(0, 0), 0xC0800080u);
    EXPECT_EQ(dst.Pixel(5, 5), 0xFF0000FFu);
    src.SetMasterAlpha(128);
    dst.Clear(0xFF0000FFu);
    TransferBlock(&dst, RectOf(0, 0, 4, 4), &src, 0, 0, dmBlend, {});
    EXPECT_EQ(
        dst.Pixel(0, 0), AcceleratedBlendRoutines().BlendPixelMasked(0x80FF0000u, 0xFF0000FFu, 128) == 0 ? 0u : [] {
            TColor32 d = 0xFF0000FFu;
            const TColor32 s = 0x80FF0000u;
            AcceleratedBlendRoutines().BlendRowMasked(&s, &d, 1, 128);
            return d;
        }());
    // dmCustom gets F, B and the master alpha.
    int calls = 0;
    TPixelCombineEvent cb = [&](TColor32 F, TColor32& B, TColor32 M) {
        ++calls;
        B = F ^ M;
    };
    TransferScaled(&dst, RectOf(2, 2, 4, 4), dst.ClipRect, &src, RectOf(0, 0, 2, 2), sfNearest, dmCustom, cb);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(dst.Pixel(2, 2), 0x80FF0000u ^ 128u);
}

// Random sizes, rectangles, clips, filters and modes: the scaled pixels match the slow
// references, nothing outside the clip is written, nothing outside SrcRect influences the
// result, and a clipped transfer equals the same region of an unclipped one.
TEST(Rast32Transfer, RandomizedAgainstReferences)
{
    std::mt19937 rng(20261210);
    auto rnd = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
    const TDrawMode modes[] = {dmOpaque, dmBlend, dmCustom};
    const TPixelCombineEvent custom = [](TColor32 F, TColor32& B, TColor32 M) {
        B = (F & 0xFFFF00FFu) ^ (B & 0xFF00) ^ M;
    };
    for (int iter = 0; iter < 3000; ++iter) {
        const int g = 3; // guard border
        TBitmap32 src, src2;
        src.SetDimensions(rnd(1, 64) + 2 * g, rnd(1, 64) + 2 * g);
        fillRandom(src, rng, iter % 2 == 0);
        src.SetMasterAlpha(rnd(0, 3) == 0 ? 255 : rnd(1, 255));
        src.SetCombineMode(rnd(0, 1) ? cmMerge : cmBlend);
        // SrcRect inside the source, sometimes the whole bitmap.
        TRect sr;
        if (rnd(0, 3) == 0) {
            sr = src.BoundsRect();
        } else {
            sr.Left = rnd(0, src.Width() - 1);
            sr.Right = rnd(sr.Left + 1, src.Width());
            sr.Top = rnd(0, src.Height() - 1);
            sr.Bottom = rnd(sr.Top + 1, src.Height());
        }
        // The same source with different pixels outside SrcRect.
        src2.Assign(&src);
        src2.SetCombineMode(src.CombineMode());
        for (int y = 0; y < src.Height(); ++y)
            for (int x = 0; x < src.Width(); ++x)
                if (x < sr.Left || x >= sr.Right || y < sr.Top || y >= sr.Bottom)
                    src2.SetPixel(x, y, ~src.Pixel(x, y));

        TBitmap32 base;
        base.SetDimensions(rnd(1, 64), rnd(1, 64));
        fillRandom(base, rng);
        const TRect dr = RectOf(rnd(-20, base.Width()), rnd(-20, base.Height()), 0, 0);
        const TRect dstRect = RectOf(dr.Left, dr.Top, dr.Left + rnd(1, 70), dr.Top + rnd(1, 70));
        const TRect clip =
            RectOf(rnd(-5, base.Width()), rnd(-5, base.Height()), rnd(0, base.Width() + 5), rnd(0, base.Height() + 5));
        const TStretchFilter filter = TStretchFilter(rnd(sfNearest, sfMitchell));
        const TDrawMode mode = modes[rnd(0, 2)];
        SCOPED_TRACE(testing::Message() << "iter " << iter << " filter " << int(filter) << " mode " << int(mode)
                                        << " src " << src.Width() << "x" << src.Height() << " sr " << sr.Left << ","
                                        << sr.Top << "," << sr.Right << "," << sr.Bottom << " dst " << dstRect.Left
                                        << "," << dstRect.Top << "," << dstRect.Right << "," << dstRect.Bottom);

        TBitmap32 clipped, clipped2, full;
        clipped.Assign(&base);
        clipped2.Assign(&base);
        full.Assign(&base);
        TransferScaled(&clipped, dstRect, clip, &src, sr, filter, mode, custom);
        TransferScaled(&clipped2, dstRect, clip, &src2, sr, filter, mode, custom);
        TransferScaled(&full, dstRect, full.BoundsRect(), &src, sr, filter, mode, custom);

        TRect eff;
        ClipRects(eff, clip, base.BoundsRect());
        ClipRects(eff, eff, dstRect);
        for (int y = 0; y < base.Height(); ++y)
            for (int x = 0; x < base.Width(); ++x) {
                const bool inside =
                    !RectIsEmpty(eff) && x >= eff.Left && x < eff.Right && y >= eff.Top && y < eff.Bottom;
                if (!inside)
                    ASSERT_EQ(clipped.Pixel(x, y), base.Pixel(x, y)) << "written outside the clip at " << x << "," << y;
                else
                    ASSERT_EQ(clipped.Pixel(x, y), full.Pixel(x, y)) << "clipped differs at " << x << "," << y;
                ASSERT_EQ(clipped.Pixel(x, y), clipped2.Pixel(x, y)) << "read outside SrcRect at " << x << "," << y;
            }

        // Opaque scaled pixels against the slow references.
        if (mode != dmOpaque || RectIsEmpty(eff))
            continue;
        const bool same = dstRect.Width() == sr.Width() && dstRect.Height() == sr.Height();
        for (int y = eff.Top; y < eff.Bottom; ++y)
            for (int x = eff.Left; x < eff.Right; ++x) {
                TColor32 want;
                if (same)
                    want = src.Pixel(sr.Left + x - dstRect.Left, sr.Top + y - dstRect.Top);
                else if (filter == sfNearest)
                    want = refNearestPixel(src, sr, dstRect, x, y);
                else if (filter == sfLinear && dstRect.Width() > sr.Width() && dstRect.Height() > sr.Height() &&
                         sr.Width() > 1 && sr.Height() > 1)
                    want = refLinearPixel(src, sr, dstRect, x, y);
                else if (filter == sfDraft && (sr.Width() < dstRect.Width() || sr.Height() < dstRect.Height()))
                    want = (sr.Width() < 2 || sr.Height() < 2) ? refResampledPixel(src, sr, dstRect, x, y, sfLinear)
                                                               : refLinearPixel(src, sr, dstRect, x, y);
                else if (filter == sfDraft)
                    want = refDraftPixel(src, sr, dstRect, x, y);
                else
                    want = refResampledPixel(src, sr, dstRect, x, y, filter);
                ASSERT_EQ(clipped.Pixel(x, y), want) << "at " << x << "," << y;
            }
    }
}

TEST(Rast32Transfer, DraftBlockAverages)
{
    TBitmap32 src, dst;
    src.SetDimensions(3, 1);
    src.Clear(0xFFFFFFFFu);
    dst.SetDimensions(1, 1);
    TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfDraft, dmOpaque, {});
    EXPECT_EQ(dst.Pixel(0, 0), 0xFFFFFFFFu); // a uniform 3-pixel block keeps its colour
    src.SetDimensions(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            src.SetPixel(x, y, TColor32(x * 10 + y));
    dst.SetDimensions(3, 2);
    TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfDraft, dmOpaque, {});
    // block (0..1, 0..1): blue (0+1+10+11) div 4 = 5
    EXPECT_EQ(dst.Pixel(0, 0), 5u);
    EXPECT_EQ(dst.Pixel(2, 1), TColor32((42 + 43 + 52 + 53) / 4));
    // A block wider than 257 pixels and a wide source stay exact.
    src.SetDimensions(40000, 1);
    src.Clear(0xFFFFFFFFu);
    dst.SetDimensions(7, 1);
    TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfDraft, dmOpaque, {});
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(dst.Pixel(x, 0), 0xFFFFFFFFu);
}

TEST(Rast32Transfer, SelfDrawing)
{
    std::mt19937 rng(3);
    TBitmap32 b, copy, expect;
    b.SetDimensions(20, 20);
    fillRandom(b, rng, true);
    for (auto [dx, dy] : {std::pair{3, 2}, std::pair{-3, -2}, std::pair{5, -4}, std::pair{0, 1}})
        for (TDrawMode mode : {dmOpaque, dmBlend}) {
            copy.Assign(&b);
            expect.Assign(&b);
            const TRect dr = RectOf(dx, dy, dx + 20, dy + 20);
            TransferScaled(&expect, dr, expect.BoundsRect(), &b, b.BoundsRect(), sfNearest, mode, {});
            TransferScaled(&copy, dr, copy.BoundsRect(), &copy, copy.BoundsRect(), sfNearest, mode, {});
            ASSERT_TRUE(TBitmap32::SameImage(&copy, &expect)) << dx << "," << dy << " mode " << int(mode);
        }
    for (TStretchFilter f : {sfNearest, sfDraft, sfLinear, sfLanczos}) {
        copy.Assign(&b);
        expect.Assign(&b);
        TransferScaled(&expect, RectOf(2, 3, 35, 17), expect.BoundsRect(), &b, b.BoundsRect(), f, dmOpaque, {});
        TransferScaled(&copy, RectOf(2, 3, 35, 17), copy.BoundsRect(), &copy, copy.BoundsRect(), f, dmOpaque, {});
        ASSERT_TRUE(TBitmap32::SameImage(&copy, &expect)) << int(f);
    }
}

TEST(Rast32Transfer, ExtremeScales)
{
    TBitmap32 src, dst;
    src.SetDimensions(3000, 2);
    src.Clear(0xFF336699u);
    dst.SetDimensions(3, 2);
    for (int f = sfNearest; f <= sfMitchell; ++f) {
        dst.Clear(0);
        TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), TStretchFilter(f), dmOpaque,
                       {});
        EXPECT_EQ(dst.Pixel(2, 1), 0xFF336699u) << f;
    }
    src.SetDimensions(2, 2);
    src.Clear(0xFF336699u);
    dst.SetDimensions(1000, 3);
    for (int f = sfNearest; f <= sfMitchell; ++f) {
        dst.Clear(0);
        TransferScaled(&dst, RectOf(0, 0, 1000, 1000), dst.BoundsRect(), &src, src.BoundsRect(), TStretchFilter(f),
                       dmOpaque, {});
        EXPECT_EQ(dst.Pixel(999, 2), 0xFF336699u) << f;
    }
}

TEST(Rast32Transfer, BilinearVariants)
{
    const TColor32 u[2] = {0xFFFFFFFFu, 0x00000000u};
    const TColor32 l[2] = {0x80402010u, 0x10204080u};
    // accelerated: truncating steps in 1/256, weight 256 yields the first pixel exactly
    EXPECT_EQ(InterpolateBilinearAccel(256, 256, u, l), 0xFFFFFFFFu);
    EXPECT_EQ(InterpolateBilinearAccel(0, 0, u, l), 0x10204080u);
    for (std::uint32_t wx : {0u, 1u, 77u, 128u, 255u, 256u})
        for (std::uint32_t wy : {0u, 3u, 128u, 200u, 256u}) {
            TColor32 want = 0;
            for (int c = 0; c < 4; ++c) {
                auto g = [c](TColor32 p) { return int((p >> (8 * c)) & 0xFF); };
                const int up = (g(u[0]) * int(wx) + g(u[1]) * int(256 - wx)) / 256;
                const int lo = (g(l[0]) * int(wx) + g(l[1]) * int(256 - wx)) / 256;
                want |= TColor32((up * int(wy) + lo * int(256 - wy)) / 256) << (8 * c);
            }
            EXPECT_EQ(InterpolateBilinearAccel(wx | (wx << 16), wy | (wy << 16), u, l), want) << wx << " " << wy;
            // plain: weights limited to 255, built from the plain CombinePixels
            const TCombinePixels cp = PlainBlendRoutines().CombinePixels;
            const std::uint32_t px = std::min(wx, 255u), py = std::min(wy, 255u);
            EXPECT_EQ(InterpolateBilinearPlain(wx, wy, u, l), cp(cp(u[0], u[1], px), cp(l[0], l[1], px), py));
        }
    EXPECT_EQ(InterpolateBilinear, &InterpolateBilinearAccel);
}
