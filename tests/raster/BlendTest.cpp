#include "raster/Rast32_Blend.h"
#include "raster/Rast32_System.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace zl;

namespace
{

int ch(TColor32 c, int i)
{
    return int((c >> (8 * i)) & 0xFF);
}
TColor32 pack(const int v[4])
{
    return TColor32(v[0] & 0xFF) | TColor32(v[1] & 0xFF) << 8 | TColor32(v[2] & 0xFF) << 16 |
           TColor32(v[3] & 0xFF) << 24;
}
int part(int c, int w)
{
    return (c * w + 128) / 256;
}
int mix(int x, int y, int w)
{
    return (x * w + y * (256 - w) + 128) / 256;
}

// The routines written channel by channel, straight from their formulas.
TColor32 refPlainMix(TColor32 x, TColor32 y, int w, bool keepAlpha)
{
    int v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = part(ch(x, i), w) + part(ch(y, i), 255 - w);
    if (!keepAlpha)
        v[3] = 0;
    return pack(v);
}
TColor32 refAccelMix(TColor32 x, TColor32 y, int w)
{
    int v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = mix(ch(x, i), ch(y, i), w);
    return pack(v);
}
TColor32 refPlainMerge(TColor32 F, TColor32 B)
{
    const int fa = ch(F, 3), ba = ch(B, 3);
    if (fa == 255)
        return F;
    if (fa == 0)
        return B;
    if (ba == 0)
        return F;
    const int ra = fa + ba - (fa * ba) / 255;
    const int k = 65536 / ra;
    int v[4];
    for (int i = 0; i < 3; ++i) {
        const int bp = ch(B, i) * ba / 256;
        const int t = int(std::floor(double(ch(F, i) - bp) * fa / 256.0));
        v[i] = ((t + bp) * k) / 256;
    }
    v[3] = ra;
    return pack(v);
}
TColor32 refAccelMerge(TColor32 F, TColor32 B)
{
    const int fa = ch(F, 3), ba = ch(B, 3);
    if (fa == 0)
        return B;
    if (ba == 0)
        return F;
    if (fa == 255)
        return F;
    const int ra = fa + ba - (fa * ba) / 255;
    const int k = 65535 / ra;
    int v[4];
    for (int i = 0; i < 3; ++i) {
        const int fp = ch(F, i) * fa / 256, bp = ch(B, i) * ba / 256;
        const int s = std::max(0, std::min(bp + fp, 65535) - fa * bp / 256);
        v[i] = std::min(((s * k) & 0xFFFF) / 256, 255);
    }
    v[3] = ra;
    return pack(v);
}

TColor32 randomPixel(std::mt19937& rng)
{
    // Alpha often at its shortcut values.
    TColor32 c = rng();
    switch (rng() % 4) {
    case 0:
        return c | 0xFF000000u;
    case 1:
        return c & 0x00FFFFFFu;
    default:
        return c;
    }
}

} // namespace

TEST(Rast32Blend, TableOfEdgeCases)
{
    const TBlendRoutines& p = PlainBlendRoutines();
    const TBlendRoutines& a = AcceleratedBlendRoutines();
    EXPECT_EQ(p.BlendPixel(0x80FF0000u, 0xFF0000FFu), 0xBF80007Fu);
    EXPECT_EQ(a.BlendPixel(0x80FF0000u, 0xFF0000FFu), 0xC0800080u);
    EXPECT_EQ(p.CombinePixels(0x12345678u, 0x9ABCDEF0u, 0), 0x9ABCDEF0u);
    EXPECT_EQ(p.CombinePixels(0x12345678u, 0x9ABCDEF0u, 255), 0x12345678u);
    EXPECT_EQ(a.CombinePixels(0xFFFFFFFFu, 0, 255), 0xFEFEFEFEu);
    for (const TBlendRoutines* r : {&p, &a}) {
        EXPECT_EQ(r->ChannelDivide(0, 0xFFFFFFFFu), 0xFFFFFFFFu);
        EXPECT_EQ(r->ChannelExclusion(0xFF, 0xFF) & 0xFF, 2u);
        EXPECT_EQ(r->MergePixels(0xFF123456u, 0x80ABCDEFu), 0xFF123456u); // opaque F
        EXPECT_EQ(r->MergePixels(0x80123456u, 0x00ABCDEFu), 0x80123456u); // transparent B
        EXPECT_EQ(r->MergePixels(0x00123456u, 0x80ABCDEFu), 0x80ABCDEFu); // transparent F
        TColor32 dst = 0x11223344u;
        const TColor32 src = 0x80FFFFFFu;
        r->BlendRow(&src, &dst, 0);
        r->BlendRowMasked(&src, &dst, 0, 128);
        r->MergeRow(&src, &dst, 0);
        EXPECT_EQ(dst, 0x11223344u);
    }
}

TEST(Rast32Blend, RoutinesFollowTheirFormulas)
{
    const TBlendRoutines& p = PlainBlendRoutines();
    const TBlendRoutines& a = AcceleratedBlendRoutines();
    std::mt19937 rng(7);
    for (int n = 0; n < 20000; ++n) {
        const TColor32 x = randomPixel(rng), y = randomPixel(rng);
        const int w = int(rng() % 256);
        const int m = int(rng() % 256);
        const int fa = ch(x, 3);
        SCOPED_TRACE(testing::Message() << std::hex << x << " " << y << std::dec << " w=" << w << " m=" << m);

        // plain
        EXPECT_EQ(p.CombinePixels(x, y, w), w == 0 ? y : w == 255 ? x : refPlainMix(x, y, w, true));
        TColor32 t = y;
        p.CombinePixelInPlace(x, t, w);
        EXPECT_EQ(t, w == 0 ? y : w == 255 ? x : refPlainMix(x, y, w, false));
        EXPECT_EQ(p.BlendPixel(x, y), x >= 0xFF000000u ? x : fa == 0 ? y : refPlainMix(x, y, fa, true));
        const int pw = ((m + 1) * fa) / 256;
        EXPECT_EQ(p.BlendPixelMasked(x, y, m), (fa == 0 || pw == 0) ? y : refPlainMix(x, y, pw, false));
        EXPECT_EQ(p.MergePixels(x, y), refPlainMerge(x, y));

        // accelerated
        EXPECT_EQ(a.CombinePixels(x, y, w), refAccelMix(x, y, w));
        EXPECT_EQ(a.BlendPixel(x, y), refAccelMix(x, y, fa));
        t = y;
        a.BlendPixelInPlace(x, t);
        EXPECT_EQ(t, fa == 0 ? y : fa == 255 ? x : refAccelMix(x, y, fa));
        EXPECT_EQ(a.BlendPixelMasked(x, y, m), (fa == 0 || pw == 0) ? y : refAccelMix(x, y, pw));
        t = y;
        a.BlendRowMasked(&x, &t, 1, m);
        const int rw = ((fa + 1) * m) / 256;
        EXPECT_EQ(t, (fa == 0 || rw == 0) ? y : refAccelMix(x, y, rw));
        EXPECT_EQ(a.MergePixels(x, y), refAccelMerge(x, y));
        const TColor32 xm = (x & 0x00FFFFFFu) | TColor32((fa * m) / 255) << 24;
        EXPECT_EQ(a.MergePixelMasked(x, y, m), refAccelMerge(xm, y));
        EXPECT_EQ(a.CombineMergePixels(x, y, w), refAccelMerge((x & 0x00FFFFFFu) | TColor32(w) << 24, y));

        // channel arithmetic
        int v[4];
        for (int i = 0; i < 4; ++i)
            v[i] = std::min(ch(x, i) + ch(y, i), 255);
        EXPECT_EQ(p.ChannelAdd(x, y), pack(v));
        for (int i = 0; i < 4; ++i)
            v[i] = ch(x, i) == 0 ? 255 : std::min(ch(y, i) * 256 / ch(x, i), 255);
        EXPECT_EQ(a.ChannelDivide(x, y), pack(v));
        for (int i = 0; i < 4; ++i)
            v[i] = ch(x, i) + ch(y, i) - ch(x, i) * ch(y, i) / 128;
        EXPECT_EQ(a.ChannelExclusion(x, y), pack(v));
        if (HasFailure())
            return;
    }
}

TEST(Rast32Blend, PlainMaskedMergeFormula)
{
    const TBlendRoutines& p = PlainBlendRoutines();
    EXPECT_EQ(p.MergePixelMasked(0xFF102030u, 0x80405060u, 255), 0xFF102030u);
    EXPECT_EQ(p.MergePixelMasked(0xFF102030u, 0x80405060u, 0), 0x80405060u);
    EXPECT_EQ(p.MergePixelMasked(0x00102030u, 0x80405060u, 128), 0x80405060u);
    // Fa' = 200 * 128 div 255 = 100, then the merge of F' over B.
    EXPECT_EQ(p.MergePixelMasked(0xC8102030u, 0x80405060u, 128), refPlainMerge(0x64102030u, 0x80405060u));
    EXPECT_EQ(p.MergePixelMasked(0xC8102030u, 0x00405060u, 128), 0x64102030u); // Ba = 0 gives F'
}

TEST(Rast32System, ProcessorTestOnInjectedRegisters)
{
    CpuIdRegisters r;
    r.HasCpuid = true;
    r.Fn1Eax = 5u << 8;
    r.Fn1Edx = (1u << 23) | (1u << 25) | (1u << 26);
    r.MaxExtended = 0x80000001u;
    r.ExtEdx = (1u << 31) | (1u << 30);
    EXPECT_TRUE(CpuHasFeature(r, cfMMX));
    EXPECT_TRUE(CpuHasFeature(r, cfSSE));
    EXPECT_TRUE(CpuHasFeature(r, cfSSE2));
    EXPECT_TRUE(CpuHasFeature(r, cf3DNow));
    EXPECT_TRUE(CpuHasFeature(r, cf3DNowExt));

    CpuIdRegisters family4 = r;
    family4.Fn1Eax = 4u << 8;
    EXPECT_FALSE(CpuHasFeature(family4, cfSSE));
    EXPECT_FALSE(CpuHasFeature(family4, cfMMX));

    CpuIdRegisters noExtLeaf = r;
    noExtLeaf.MaxExtended = 0x80000000u;
    EXPECT_FALSE(CpuHasFeature(noExtLeaf, cf3DNow));
    EXPECT_FALSE(CpuHasFeature(noExtLeaf, cf3DNowExt));
    EXPECT_TRUE(CpuHasFeature(noExtLeaf, cfMMX));

    CpuIdRegisters noCpuid = r;
    noCpuid.HasCpuid = false;
    EXPECT_FALSE(CpuHasFeature(noCpuid, cfMMX));

    CpuIdRegisters onlySse = r;
    onlySse.Fn1Edx = 1u << 25;
    EXPECT_FALSE(CpuHasFeature(onlySse, cfMMX));
    EXPECT_TRUE(CpuHasFeature(onlySse, cfSSE));
}

TEST(Rast32System, AcceleratedSetIsActiveAndThemesAreOff)
{
#if defined(__x86_64__)
    EXPECT_TRUE(MmxPresent());
    EXPECT_TRUE(MMXActive());
    EXPECT_EQ(BlendPixel, AcceleratedBlendRoutines().BlendPixel);
    EXPECT_EQ(ModeBlendRow[cmMerge], AcceleratedBlendRoutines().MergeRow);
    EXPECT_EQ(ModeBlendPixelInPlaceMasked[cmBlend], AcceleratedBlendRoutines().BlendPixelInPlaceMasked);
#endif
    EXPECT_FALSE(ThemesEnabled());
    ThemeNexus().ThemeChanged();
    EXPECT_FALSE(ThemesEnabled());
    EXPECT_EQ(ThemeNexus().ScrollbarTheme(), 0u);
    EndMMX();
}

// The row routines process several pixels at once; each pixel must still follow its formula.
TEST(Rast32Blend, RowsMatchTheirPixelRoutines)
{
    std::mt19937 rng(11);
    for (const TBlendRoutines* r : {&PlainBlendRoutines(), &AcceleratedBlendRoutines()})
        for (int n = 0; n < 200; ++n) {
            const int count = int(rng() % 40);
            std::vector<TColor32> src(std::size_t(count) + 1), dst(std::size_t(count) + 1);
            const int kind = int(rng() % 4); // all opaque, all transparent, mixed, random
            for (int i = 0; i < count; ++i) {
                src[std::size_t(i)] = kind == 0   ? (rng() | 0xFF000000u)
                                      : kind == 1 ? (rng() & 0xFFFFFFu)
                                                  : randomPixel(rng);
                dst[std::size_t(i)] = rng();
            }
            const TColor32 guard = 0xDEADBEEFu;
            dst[std::size_t(count)] = guard;
            const TColor32 m = rng() % 256;
            std::vector<TColor32> a = dst, b = dst, c = dst;
            r->BlendRow(src.data(), a.data(), count);
            r->BlendRowMasked(src.data(), b.data(), count, m);
            r->MergeRow(src.data(), c.data(), count);
            for (int i = 0; i < count; ++i) {
                const TColor32 f = src[std::size_t(i)];
                TColor32 e = dst[std::size_t(i)];
                r->BlendPixelInPlace(f, e);
                ASSERT_EQ(a[std::size_t(i)], e) << i;
                TColor32 em = dst[std::size_t(i)];
                if (r == &AcceleratedBlendRoutines()) {
                    const int fa = ch(f, 3), w = ((fa + 1) * int(m)) / 256;
                    if (fa != 0 && w != 0)
                        em = refAccelMix(f, em, w);
                } else {
                    r->BlendPixelInPlaceMasked(f, em, m);
                }
                ASSERT_EQ(b[std::size_t(i)], em) << i;
                ASSERT_EQ(c[std::size_t(i)], r->MergePixels(f, dst[std::size_t(i)])) << i;
            }
            ASSERT_EQ(a[std::size_t(count)], guard);
            ASSERT_EQ(b[std::size_t(count)], guard);
        }
}
