#include "raster/Rast32_Transforms.h"

#include "raster/Rast32_Blend.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <emmintrin.h>

namespace zl
{

namespace
{

constexpr TColor32 kRB = 0x00FF00FFu;

// Combines a computed pixel with the destination pixel by the draw mode.
struct PixelCombiner {
    TDrawMode mode;
    TColor32 master;
    TBlendPixelInPlaceMasked blend;
    const TPixelCombineEvent* callback;

    PixelCombiner(const TBitmap32* Src, TDrawMode m, const TPixelCombineEvent& cb)
        : mode(m), master(Src->MasterAlpha()), blend(ModeBlendPixelInPlaceMasked[Src->CombineMode()]), callback(&cb)
    {
    }
    void operator()(TColor32 C, TColor32& D) const
    {
        switch (mode) {
        case dmOpaque:
            D = C;
            break;
        case dmBlend:
            blend(C, D, master);
            break;
        case dmCustom:
            (*callback)(C, D, master);
            break;
        }
    }
};

// Combines a row as TransferBlock does.
void CombineRow(const TColor32* S, TColor32* D, int W, const TBitmap32* Src, TDrawMode Mode,
                const TPixelCombineEvent& Callback)
{
    switch (Mode) {
    case dmOpaque:
        CopyPixels(S, D, W);
        break;
    case dmBlend:
        if (Src->MasterAlpha() >= 255)
            ModeBlendRow[Src->CombineMode()](S, D, W);
        else
            ModeBlendRowMasked[Src->CombineMode()](S, D, W, Src->MasterAlpha());
        break;
    case dmCustom:
        for (int i = 0; i < W; ++i)
            Callback(S[i], D[i], Src->MasterAlpha());
        break;
    }
}

TDrawMode EffectiveMode(TDrawMode Mode, const TPixelCombineEvent& Callback)
{
    return (Mode == dmCustom && !Callback) ? dmOpaque : Mode;
}

// A private copy of a bitmap drawn onto itself, with the properties the transfer reads.
std::unique_ptr<TBitmap32> CopyOfSource(const TBitmap32* Src)
{
    auto copy = std::make_unique<TBitmap32>();
    copy->Assign(Src);
    copy->SetCombineMode(Src->CombineMode());
    copy->SetMasterAlpha(Src->MasterAlpha());
    return copy;
}

TColor32 InterpolateAccelInline(std::uint32_t wx, std::uint32_t wy, const TColor32* U, const TColor32* L)
{
    const std::uint32_t ix = 256 - wx, iy = 256 - wy;
    const TColor32 urb = (((U[0] & kRB) * wx + (U[1] & kRB) * ix) >> 8) & kRB;
    const TColor32 uag = (((U[0] >> 8) & kRB) * wx + ((U[1] >> 8) & kRB) * ix) >> 8 & kRB;
    const TColor32 lrb = (((L[0] & kRB) * wx + (L[1] & kRB) * ix) >> 8) & kRB;
    const TColor32 lag = (((L[0] >> 8) & kRB) * wx + ((L[1] >> 8) & kRB) * ix) >> 8 & kRB;
    const TColor32 rb = ((urb * wy + lrb * iy) >> 8) & kRB;
    const TColor32 ag = (uag * wy + lag * iy) & 0xFF00FF00u;
    return rb | ag;
}

} // namespace

TColor32 InterpolateBilinearAccel(std::uint32_t WX, std::uint32_t WY, const TColor32* U, const TColor32* L)
{
    return InterpolateAccelInline(WX & 0xFFFF, WY & 0xFFFF, U, L);
}

TColor32 InterpolateBilinearPlain(std::uint32_t WX, std::uint32_t WY, const TColor32* U, const TColor32* L)
{
    const TCombinePixels combine = PlainBlendRoutines().CombinePixels;
    const std::uint32_t wx = std::min<std::uint32_t>(WX & 0xFFFF, 255);
    const std::uint32_t wy = std::min<std::uint32_t>(WY & 0xFFFF, 255);
    return combine(combine(U[0], U[1], wx), combine(L[0], L[1], wx), wy);
}

TInterpolateBilinear InterpolateBilinear = InterpolateBilinearAccel;

namespace
{
const bool kInterpolationSelected = [] {
    InterpolateBilinear = MMXActive() ? InterpolateBilinearAccel : InterpolateBilinearPlain;
    return true;
}();
} // namespace

// ------------------------------------------------------------------ kernels

float KernelBox(float x)
{
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float KernelLinear(float x)
{
    if (x >= -1.0f && x < 0.0f)
        return 1.0f + x;
    if (x >= 0.0f && x < 1.0f)
        return 1.0f - x;
    return 0.0f;
}

float KernelCosine(float x)
{
    if (std::fabs(x) < 1.0f)
        return (std::cos(float(M_PI) * x) + 1.0f) / 2.0f;
    return 0.0f;
}

float KernelSpline(float x)
{
    const float t = std::fabs(x);
    if (t < 1.0f)
        return t * t * t / 2.0f - t * t + 2.0f / 3.0f;
    if (t < 2.0f) {
        const float u = 2.0f - t;
        return u * u * u / 6.0f;
    }
    return 0.0f;
}

float Sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    const float s = float(M_PI) * x;
    return std::sin(s) / s;
}

float KernelLanczos3(float x)
{
    const float t = std::fabs(x);
    if (t >= 3.0f)
        return 0.0f;
    return Sinc(t) * Sinc(t / 3.0f);
}

float KernelMitchell(float x)
{
    const float t = std::fabs(x);
    if (t < 1.0f)
        return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
    if (t < 2.0f)
        return (-7.0f / 3.0f * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

TFilterKernelEntry FilterKernel(TStretchFilter Filter)
{
    switch (Filter) {
    case sfNearest:
        return {KernelBox, 1};
    case sfDraft:
    case sfLinear:
        return {KernelLinear, 1};
    case sfCosine:
        return {KernelCosine, 1};
    case sfSpline:
        return {KernelSpline, 2};
    case sfLanczos:
        return {KernelLanczos3, 3};
    case sfMitchell:
        return {KernelMitchell, 2};
    }
    return {KernelLinear, 1};
}

// ------------------------------------------------------------------ checks

void CheckBitmaps(const TBitmap32* Dst, const TBitmap32* Src)
{
    if (!Dst || Dst->Empty())
        throw ETransformError(QStringLiteral("Destination bitmap is nil or empty"));
    if (!Src || Src->Empty())
        throw ETransformError(QStringLiteral("Source bitmap is nil or empty"));
}

bool CheckSourceRect(const TBitmap32* Src, const TRect& SrcRect)
{
    if (RectIsEmpty(SrcRect))
        return false;
    if (SrcRect.Left < 0 || SrcRect.Right > Src->Width() || SrcRect.Top < 0 || SrcRect.Bottom > Src->Height())
        throw ETransformError(QStringLiteral("Source rectangle is invalid"));
    return true;
}

// ------------------------------------------------------------------ block transfer

void TransferBlock(TBitmap32* Dst, TRect DstClip, const TBitmap32* Src, int SrcX, int SrcY, TDrawMode DrawMode,
                   const TPixelCombineEvent& CombineCallback)
{
    const int w = DstClip.Width();
    const int h = DstClip.Height();
    if (w <= 0 || h <= 0)
        return;
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    if (Src == Dst) {
        if (DrawMode == dmOpaque) {
            // Rows overlap: walk against the direction of the move; each row is moved as a whole.
            if (SrcY < DstClip.Top)
                for (int y = h - 1; y >= 0; --y)
                    CopyPixels(Src->PixelPointer(SrcX, SrcY + y), Dst->PixelPointer(DstClip.Left, DstClip.Top + y), w);
            else
                for (int y = 0; y < h; ++y)
                    CopyPixels(Src->PixelPointer(SrcX, SrcY + y), Dst->PixelPointer(DstClip.Left, DstClip.Top + y), w);
            return;
        }
        // Mixing reads and writes the same pixels: take the source block first.
        std::vector<TColor32> block(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(&block[std::size_t(y) * w], Src->PixelPointer(SrcX, SrcY + y), std::size_t(w) * 4);
        for (int y = 0; y < h; ++y)
            CombineRow(&block[std::size_t(y) * w], Dst->PixelPointer(DstClip.Left, DstClip.Top + y), w, Src, DrawMode,
                       CombineCallback);
        return;
    }
    for (int y = 0; y < h; ++y)
        CombineRow(Src->PixelPointer(SrcX, SrcY + y), Dst->PixelPointer(DstClip.Left, DstClip.Top + y), w, Src,
                   DrawMode, CombineCallback);
}

void TransferBlockClipped(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                          TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback)
{
    if (!Src || Src->Empty())
        return;
    CheckBitmaps(Dst, Src);
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    if (DrawMode == dmBlend && Src->MasterAlpha() == 0)
        return;
    const int L = SrcRect.Left, T = SrcRect.Top;
    ClipRects(DstClip, DstClip, Dst->BoundsRect());
    ClipRects(SrcRect, SrcRect, Src->BoundsRect());
    TRect Ziel{SrcRect.Left + DstX - L, SrcRect.Top + DstY - T, SrcRect.Right + DstX - L, SrcRect.Bottom + DstY - T};
    if (!ClipRects(Ziel, Ziel, DstClip))
        return;
    const int sx = Ziel.Left + L - DstX, sy = Ziel.Top + T - DstY;
    struct MMXEnde {
        ~MMXEnde() { EndMMX(); }
    } ende;
    TransferBlock(Dst, Ziel, Src, sx, sy, DrawMode, CombineCallback);
}

// ------------------------------------------------------------------ nearest

void ScaleNearest(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                  const TPixelCombineEvent& CombineCallback)
{
    ClipRects(DstClip, DstClip, Dst->BoundsRect());
    ClipRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip))
        return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height() ||
        RectIsEmpty(SrcRect))
        throw ERasterError(QStringLiteral("Invalid SrcRect"));
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    const int srcW = SrcRect.Width(), srcH = SrcRect.Height();
    const int dstW = DstRect.Width(), dstH = DstRect.Height();
    if (srcW == dstW && srcH == dstH) {
        TransferBlock(Dst, DstClip, Src, SrcRect.Left + DstClip.Left - DstRect.Left,
                      SrcRect.Top + DstClip.Top - DstRect.Top, DrawMode, CombineCallback);
        return;
    }
    const int w = DstClip.Width();
    // Source column per clip column; kept inside SrcRect also where single precision rounds up.
    std::vector<int> map(static_cast<std::size_t>(w));
    if (dstW >= 2) {
        const float scale = float(srcW) / float(dstW);
        for (int i = 0; i < w; ++i)
            map[i] = ClampInt(int(float(DstClip.Left + i - DstRect.Left) * scale + float(SrcRect.Left)), SrcRect.Left,
                              SrcRect.Right - 1);
    } else {
        std::fill(map.begin(), map.end(), (SrcRect.Left + SrcRect.Right - 1) / 2);
    }
    const float scaleY = dstH >= 2 ? float(srcH) / float(dstH) : 0.0f;
    std::vector<TColor32> buffer(DrawMode == dmOpaque ? 0 : std::size_t(w));
    int prevRow = -1;
    for (int y = DstClip.Top; y < DstClip.Bottom; ++y) {
        const int sy = dstH >= 2 ? ClampInt(int(float(y - DstRect.Top) * scaleY + float(SrcRect.Top)), SrcRect.Top,
                                            SrcRect.Bottom - 1)
                                 : (SrcRect.Top + SrcRect.Bottom - 1) / 2;
        TColor32* d = Dst->PixelPointer(DstClip.Left, y);
        if (DrawMode == dmOpaque) {
            if (sy == prevRow) {
                CopyPixels(d - Dst->Width(), d, w);
            } else {
                const TColor32* s = Src->RowPointer(sy);
                for (int i = 0; i < w; ++i)
                    d[i] = s[map[i]];
            }
        } else {
            if (sy != prevRow) {
                const TColor32* s = Src->RowPointer(sy);
                for (int i = 0; i < w; ++i)
                    buffer[i] = s[map[i]];
            }
            CombineRow(buffer.data(), d, w, Src, DrawMode, CombineCallback);
        }
        prevRow = sy;
    }
    EndMMX();
}

// ------------------------------------------------------------------ bilinear enlargement

namespace
{

struct LinearEntry {
    int Pos;
    std::uint32_t Weight; // w in bits 0..15 and again in 16..31
};

// One axis of ScaleLinear; positions stay inside SrcLo..SrcHi-1 and Pos + 1 never leaves it.
std::vector<LinearEntry> BuildLinearMap(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi)
{
    const int n = ClipHi - ClipLo;
    std::vector<LinearEntry> map(std::size_t(std::max(n, 0)));
    const float scale = float(SrcHi - SrcLo) / float(DstHi - DstLo);
    for (int i = 0; i < n; ++i) {
        float x = (float(ClipLo + i - DstLo) + 0.5f) * scale + float(SrcLo) - 0.5f;
        if (x < float(SrcLo))
            x = float(SrcLo);
        if (x > float(SrcHi - 1))
            x = float(SrcHi - 1);
        const float fl = std::floor(x);
        const int w = 256 - int(std::nearbyint((x - fl) * 256.0f));
        map[i] = {int(fl), std::uint32_t(w) | (std::uint32_t(w) << 16)};
    }
    for (int i = n - 1; i >= 0 && map[i].Pos == SrcHi - 1; --i) {
        map[i].Pos -= 1;
        map[i].Weight = 0;
    }
    return map;
}

} // namespace

void ScaleLinear(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                 const TPixelCombineEvent& CombineCallback)
{
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    if (SrcRect.Width() < 2 || SrcRect.Height() < 2 || RectIsEmpty(DstClip))
        return;
    const std::vector<LinearEntry> mapX =
        BuildLinearMap(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right, SrcRect.Left, SrcRect.Right);
    const std::vector<LinearEntry> mapY =
        BuildLinearMap(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom, SrcRect.Top, SrcRect.Bottom);
    const int w = DstClip.Width();
    const PixelCombiner combine(Src, DrawMode, CombineCallback);
    const int stride = Src->Width();

    if (InterpolateBilinear != InterpolateBilinearAccel) {
        for (int j = 0; j < DstClip.Height(); ++j) {
            TColor32* d = Dst->PixelPointer(DstClip.Left, DstClip.Top + j);
            for (int i = 0; i < w; ++i) {
                const TColor32* u = Src->PixelPointer(mapX[i].Pos, mapY[j].Pos);
                combine(InterpolateBilinear(mapX[i].Weight, mapY[j].Weight, u, u + stride), d[i]);
            }
        }
        EndMMX();
        return;
    }

    // The accelerated interpolation truncates the horizontal step of each source row before the
    // vertical one, so a row interpolated across is the same for every destination row that
    // uses it: keep the last two, four 16-bit channels per pixel, and mix them in 16-bit lanes
    // (every product and sum stays below 65536, as in the lanes of the formula).
    const int wEven = (w + 1) & ~1;
    std::vector<std::uint16_t> rows[2];
    for (auto& r : rows)
        r.assign(std::size_t(wEven) * 4, 0);
    int rowOf[2] = {-1, -1};
    const __m128i zero = _mm_setzero_si128();
    auto horizontal = [&](int sy, int slot) {
        const TColor32* s = Src->RowPointer(sy);
        std::uint16_t* h = rows[slot].data();
        for (int i = 0; i < w; ++i) {
            const int wx = int(mapX[i].Weight & 0xFFFF);
            // Pixels Pos and Pos + 1 in one load, channels paired for one multiply-add each.
            const __m128i px =
                _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + mapX[i].Pos)), zero);
            const __m128i pairs = _mm_unpacklo_epi16(px, _mm_srli_si128(px, 8));
            const __m128i wv = _mm_set1_epi32(wx | ((256 - wx) << 16));
            const __m128i v = _mm_srli_epi32(_mm_madd_epi16(pairs, wv), 8);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(h + std::size_t(i) * 4), _mm_packs_epi32(v, zero));
        }
        rowOf[slot] = sy;
    };
    std::vector<TColor32> out(static_cast<std::size_t>(wEven));
    for (int j = 0; j < DstClip.Height(); ++j) {
        const int py = mapY[j].Pos;
        int upper = rowOf[0] == py ? 0 : (rowOf[1] == py ? 1 : -1);
        if (upper < 0) {
            upper = rowOf[0] == py + 1 ? 1 : 0;
            horizontal(py, upper);
        }
        const int lower = 1 - upper;
        if (rowOf[lower] != py + 1)
            horizontal(py + 1, lower);
        const int wy = int(mapY[j].Weight & 0xFFFF);
        const __m128i wv = _mm_set1_epi32(wy | ((256 - wy) << 16));
        const std::uint16_t* u = rows[upper].data();
        const std::uint16_t* l = rows[lower].data();
        TColor32* d = Dst->PixelPointer(DstClip.Left, DstClip.Top + j);
        for (int i = 0; i < wEven; i += 2) {
            const __m128i uu = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + std::size_t(i) * 4));
            const __m128i ll = _mm_loadu_si128(reinterpret_cast<const __m128i*>(l + std::size_t(i) * 4));
            const __m128i p0 = _mm_srli_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(uu, ll), wv), 8);
            const __m128i p1 = _mm_srli_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(uu, ll), wv), 8);
            const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(p0, p1), zero);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out.data() + i), packed);
        }
        if (DrawMode == dmOpaque)
            std::memcpy(d, out.data(), std::size_t(w) * 4);
        else
            for (int i = 0; i < w; ++i)
                combine(out[std::size_t(i)], d[i]);
    }
    EndMMX();
}

// ------------------------------------------------------------------ contributions

ContributionTable BuildContributions(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                     TStretchFilter Filter)
{
    const int srcW = SrcHi - SrcLo;
    const int dstW = DstHi - DstLo;
    const int n = std::max(ClipHi - ClipLo, 0);
    ContributionTable table;
    if (srcW <= 0 || dstW <= 0)
        return table;
    table.resize(std::size_t(n));
    if (srcW == 1) {
        for (auto& list : table)
            list.push_back({SrcLo, 256});
        return table;
    }
    const TFilterKernelEntry fk = FilterKernel(Filter);
    const float scale = float(dstW) / float(srcW);
    const float r = 1.0f / scale;
    const bool reducing = scale < 1.0f;
    const float width = reducing ? float(fk.Width) * r : float(fk.Width);
    for (int i = 0; i < n; ++i) {
        ContributionList& list = table[std::size_t(i)];
        const float centre = (float(i + ClipLo - DstLo) + 0.5f) * r + float(SrcLo) - 0.5f;
        const int lo = int(std::floor(centre - width));
        const int hi = int(std::ceil(centre + width));
        for (int j = lo; j <= hi; ++j) {
            int w;
            if (reducing)
                w = int(std::nearbyint(fk.Kernel((centre - float(j)) * scale) * 256.0f * scale));
            else
                w = int(std::nearbyint(fk.Kernel(centre - float(j)) * 256.0f));
            if (w != 0)
                list.push_back({ClampInt(j, SrcLo, SrcHi - 1), w});
        }
        if (list.empty())
            list.push_back({ClampInt(int(std::floor(centre)), SrcLo, SrcHi - 1), 256});
        int sum = 0;
        for (const Contribution& c : list)
            sum += c.Weight;
        if (sum != 256)
            list[(list.size() - 1) / 2].Weight += 256 - sum;
    }
    return table;
}

// ------------------------------------------------------------------ separable filtering

void ScaleResampled(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                    TStretchFilter Filter, TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback)
{
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    if (DrawMode == dmBlend && Src->MasterAlpha() == 0)
        return;
    const ContributionTable mapX = BuildContributions(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right,
                                                      SrcRect.Left, SrcRect.Right, Filter);
    const ContributionTable mapY = BuildContributions(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom,
                                                      SrcRect.Top, SrcRect.Bottom, Filter);
    if (mapX.empty() || mapY.empty())
        return;
    // The columns every list needs: kernels with interior zeros leave gaps at the ends of the
    // first and last lists, so look at all of them.
    int xMin = mapX.front().front().Pos, xMax = xMin;
    for (const ContributionList& list : mapX)
        for (const Contribution& c : list) {
            xMin = std::min(xMin, c.Pos);
            xMax = std::max(xMax, c.Pos);
        }
    const int span = xMax - xMin + 1;
    const PixelCombiner combine(Src, DrawMode, CombineCallback);
    const __m128i zero = _mm_setzero_si128();
    const __m128i lim = _mm_set1_epi32(255 * 65536);
    const __m128i low8 = _mm_set1_epi32(255);

    // Taps in pairs with their two 16-bit weights in one word, for one multiply-add per pair.
    struct TapPair {
        int p0, p1;
        std::int32_t w;
    };
    auto pairsOf = [](const ContributionList& list, int offset) {
        std::vector<TapPair> out;
        for (std::size_t t = 0; t < list.size(); t += 2) {
            const bool two = t + 1 < list.size();
            const int w0 = list[t].Weight, w1 = two ? list[t + 1].Weight : 0;
            out.push_back({list[t].Pos - offset, (two ? list[t + 1].Pos : list[t].Pos) - offset,
                           std::int32_t((std::uint32_t(w0) & 0xFFFF) | (std::uint32_t(w1) << 16))});
        }
        return out;
    };
    // Without negative weights every sum already lies in the channel range.
    bool needClamp = false;
    for (const ContributionTable* table : {&mapX, &mapY})
        for (const ContributionList& l : *table)
            for (const Contribution& c : l)
                needClamp = needClamp || c.Weight < 0;

    // All horizontal pairs in one array, pixel i's from pairStart[i] to pairStart[i + 1].
    std::vector<TapPair> pairsX;
    std::vector<std::size_t> pairStart{0};
    for (const ContributionList& l : mapX) {
        const std::vector<TapPair> p = pairsOf(l, xMin);
        pairsX.insert(pairsX.end(), p.begin(), p.end());
        pairStart.push_back(pairsX.size());
    }

    // The vertical sums of one destination row, per column eight 16-bit values: the low byte
    // of each channel's sum, then the rest (sum >> 8), so the horizontal pass can multiply-add
    // them in 16 bits and still get the exact 32-bit sum (256 * high + low).
    std::vector<std::int16_t> split(static_cast<std::size_t>(span) * 8);
    auto splitAt = [&split](int x) { return reinterpret_cast<__m128i*>(split.data() + std::size_t(x) * 8); };
    // Without negative weights every partial sum is a whole number below 2^24, which single
    // precision holds exactly: then the sums are kept as floats and multiplied four channels
    // at a time.
    std::vector<float> sumsF(needClamp ? 0 : static_cast<std::size_t>(span) * 4);
    // Every list padded to the same number of taps (weight 0), weights spread over four lanes.
    std::size_t tapsPer = 0;
    for (const ContributionList& l : mapX)
        tapsPer = std::max(tapsPer, l.size());
    std::vector<int> tapPos;
    std::vector<float> tapW;
    if (!needClamp) {
        tapPos.reserve(mapX.size() * tapsPer);
        tapW.reserve(mapX.size() * tapsPer * 4);
        for (const ContributionList& l : mapX)
            for (std::size_t k = 0; k < tapsPer; ++k) {
                const bool real = k < l.size();
                tapPos.push_back(((real ? l[k].Pos : l[0].Pos) - xMin) * 4);
                tapW.insert(tapW.end(), 4, real ? float(l[k].Weight) : 0.0f);
            }
    }
    auto store = [&](int x, __m128i acc) {
        if (needClamp)
            _mm_storeu_si128(splitAt(x), _mm_packs_epi32(_mm_and_si128(acc, low8), _mm_srai_epi32(acc, 8)));
        else
            _mm_storeu_ps(sumsF.data() + std::size_t(x) * 4, _mm_cvtepi32_ps(acc));
    };
    std::vector<TColor32> out(std::size_t(DstClip.Width()));
    std::vector<const TColor32*> rowPtr;
    std::vector<std::int32_t> rowW;

    for (int j = 0; j < DstClip.Height(); ++j) {
        const std::vector<TapPair> py = pairsOf(mapY[std::size_t(j)], 0);
        rowPtr.clear();
        rowW.clear();
        for (const TapPair& t : py) {
            rowPtr.push_back(Src->PixelPointer(xMin, t.p0));
            rowPtr.push_back(Src->PixelPointer(xMin, t.p1));
            rowW.push_back(t.w);
        }
        const std::size_t np = py.size();
        int x = 0;
        for (; x + 3 < span; x += 4) {
            __m128i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
            for (std::size_t t = 0; t < np; ++t) {
                const __m128i wv = _mm_set1_epi32(rowW[t]);
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowPtr[2 * t] + x));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowPtr[2 * t + 1] + x));
                // Bytes of the two rows interleaved, then widened: channel pairs (a, b) in 16 bits.
                const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
                acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), wv));
                acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), wv));
                acc2 = _mm_add_epi32(acc2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), wv));
                acc3 = _mm_add_epi32(acc3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), wv));
            }
            store(x, acc0);
            store(x + 1, acc1);
            store(x + 2, acc2);
            store(x + 3, acc3);
        }
        for (; x + 1 < span; x += 2) {
            __m128i acc0 = zero, acc1 = zero;
            for (std::size_t t = 0; t < np; ++t) {
                const __m128i wv = _mm_set1_epi32(rowW[t]);
                const __m128i a =
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(rowPtr[2 * t] + x)), zero);
                const __m128i b =
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(rowPtr[2 * t + 1] + x)), zero);
                acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wv));
                acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), wv));
            }
            store(x, acc0);
            store(x + 1, acc1);
        }
        for (; x < span; ++x) {
            __m128i acc = zero;
            for (std::size_t t = 0; t < np; ++t) {
                const __m128i wv = _mm_set1_epi32(rowW[t]);
                const __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(rowPtr[2 * t][x])), zero);
                const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(rowPtr[2 * t + 1][x])), zero);
                acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wv));
            }
            store(x, acc);
        }
        // Horizontal pass per destination pixel; overshoot of the kernels with negative lobes
        // (and of a corrected weight) is cut to the channel range before the shift.
        auto sumAt = [&](int i) {
            if (!needClamp) {
                __m128 acc = _mm_setzero_ps();
                const std::size_t k0 = std::size_t(i) * tapsPer;
                for (std::size_t k = k0; k < k0 + tapsPer; ++k)
                    acc =
                        _mm_add_ps(acc, _mm_mul_ps(_mm_loadu_ps(sumsF.data() + tapPos[k]), _mm_loadu_ps(&tapW[k * 4])));
                return _mm_srli_epi32(_mm_cvttps_epi32(acc), 16);
            }
            __m128i accL = zero, accH = zero;
            for (std::size_t k = pairStart[std::size_t(i)]; k < pairStart[std::size_t(i) + 1]; ++k) {
                const TapPair& t = pairsX[k];
                const __m128i wv = _mm_set1_epi32(t.w);
                const __m128i a = _mm_loadu_si128(splitAt(t.p0));
                const __m128i b = _mm_loadu_si128(splitAt(t.p1));
                accL = _mm_add_epi32(accL, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wv));
                accH = _mm_add_epi32(accH, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), wv));
            }
            __m128i sv = _mm_add_epi32(_mm_slli_epi32(accH, 8), accL);
            if (needClamp) {
                sv = _mm_and_si128(sv, _mm_cmpgt_epi32(sv, zero));
                const __m128i over = _mm_cmpgt_epi32(sv, lim);
                sv = _mm_or_si128(_mm_and_si128(over, lim), _mm_andnot_si128(over, sv));
            }
            return _mm_srli_epi32(sv, 16);
        };
        const int dw = DstClip.Width();
        int i = 0;
        if (!needClamp) {
            // Two pixels, each with two partial sums, so four independent additions are in
            // flight; the sums are whole numbers held exactly, so the order does not matter.
            const float* sf = sumsF.data();
            for (; i + 1 < dw; i += 2) {
                __m128 a0 = _mm_setzero_ps(), a1 = _mm_setzero_ps(), b0 = _mm_setzero_ps(), b1 = _mm_setzero_ps();
                const std::size_t ka = std::size_t(i) * tapsPer, kb = ka + tapsPer;
                std::size_t k = 0;
                for (; k + 1 < tapsPer; k += 2) {
                    a0 = _mm_add_ps(a0,
                                    _mm_mul_ps(_mm_loadu_ps(sf + tapPos[ka + k]), _mm_loadu_ps(&tapW[(ka + k) * 4])));
                    a1 = _mm_add_ps(
                        a1, _mm_mul_ps(_mm_loadu_ps(sf + tapPos[ka + k + 1]), _mm_loadu_ps(&tapW[(ka + k + 1) * 4])));
                    b0 = _mm_add_ps(b0,
                                    _mm_mul_ps(_mm_loadu_ps(sf + tapPos[kb + k]), _mm_loadu_ps(&tapW[(kb + k) * 4])));
                    b1 = _mm_add_ps(
                        b1, _mm_mul_ps(_mm_loadu_ps(sf + tapPos[kb + k + 1]), _mm_loadu_ps(&tapW[(kb + k + 1) * 4])));
                }
                if (k < tapsPer) {
                    a0 = _mm_add_ps(a0,
                                    _mm_mul_ps(_mm_loadu_ps(sf + tapPos[ka + k]), _mm_loadu_ps(&tapW[(ka + k) * 4])));
                    b0 = _mm_add_ps(b0,
                                    _mm_mul_ps(_mm_loadu_ps(sf + tapPos[kb + k]), _mm_loadu_ps(&tapW[(kb + k) * 4])));
                }
                const __m128i pa = _mm_srli_epi32(_mm_cvttps_epi32(_mm_add_ps(a0, a1)), 16);
                const __m128i pb = _mm_srli_epi32(_mm_cvttps_epi32(_mm_add_ps(b0, b1)), 16);
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out.data() + i),
                                 _mm_packus_epi16(_mm_packs_epi32(pa, pb), zero));
            }
        }
        for (; i + 1 < dw; i += 2) {
            const __m128i two = _mm_packus_epi16(_mm_packs_epi32(sumAt(i), sumAt(i + 1)), zero);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out.data() + i), two);
        }
        if (i < dw)
            out[std::size_t(i)] = TColor32(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(sumAt(i), zero), zero)));
        TColor32* d = Dst->PixelPointer(DstClip.Left, DstClip.Top + j);
        if (DrawMode == dmOpaque)
            std::memcpy(d, out.data(), out.size() * 4);
        else
            for (int i = 0; i < DstClip.Width(); ++i)
                combine(out[std::size_t(i)], d[i]);
    }
    EndMMX();
}

// ------------------------------------------------------------------ draft

TColor32 AverageBlock(int W, int H, const TColor32* Src, std::ptrdiff_t Stride)
{
    std::uint64_t sb = 0, sg = 0, sr = 0, sa = 0;
    const auto* row = reinterpret_cast<const unsigned char*>(Src);
    for (int y = 0; y < H; ++y, row += Stride) {
        const auto* p = reinterpret_cast<const TColor32*>(row);
        std::uint32_t rb = 0, b2 = 0, g = 0, a = 0;
        for (int x = 0; x < W; ++x) {
            const TColor32 c = p[x];
            rb += c & 0xFF;
            g += (c >> 8) & 0xFF;
            b2 += (c >> 16) & 0xFF;
            a += c >> 24;
        }
        sb += rb;
        sg += g;
        sr += b2;
        sa += a;
    }
    // A plain division keeps a uniform block exactly its colour, for every block size.
    const std::uint64_t n = std::uint64_t(W) * std::uint64_t(H);
    return TColor32(sb / n) | (TColor32(sg / n) << 8) | (TColor32(sr / n) << 16) | (TColor32(sa / n) << 24);
}

void ScaleDraft(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                const TPixelCombineEvent& CombineCallback)
{
    const int srcW = SrcRect.Width(), srcH = SrcRect.Height();
    const int dstW = DstRect.Width(), dstH = DstRect.Height();
    if (srcW < dstW || srcH < dstH) {
        if (srcW < 2 || srcH < 2)
            ScaleResampled(Dst, DstRect, DstClip, Src, SrcRect, sfLinear, DrawMode, CombineCallback);
        else
            ScaleLinear(Dst, DstRect, DstClip, Src, SrcRect, DrawMode, CombineCallback);
        return;
    }
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    // Block bounds b(k) = (k * step) div 65536 counted from DstRect's edge, in 64 bits so wide
    // sources cannot overflow the 16.16 steps; a clipped transfer then cuts the same blocks as
    // an unclipped one.
    auto bounds = [](int srcLen, int dstLen, int clipLo, int dstLo, int n) {
        const float scale = float(srcLen) / float(dstLen);
        const std::int64_t step = std::int64_t(65536.0f * scale);
        const int first = clipLo - dstLo;
        std::vector<int> b(std::size_t(n) + 1);
        for (int k = 0; k <= n; ++k) {
            const std::int64_t kk = first + k;
            std::int64_t v = kk == 0 ? 0 : kk == 1 ? std::int64_t(scale) : (kk * step) >> 16;
            b[std::size_t(k)] = int(std::min<std::int64_t>(v, srcLen));
        }
        return std::make_pair(0, b);
    };
    const int w = DstClip.Width(), h = DstClip.Height();
    const auto [x0, bx] = bounds(srcW, dstW, DstClip.Left, DstRect.Left, w);
    const auto [y0, by] = bounds(srcH, dstH, DstClip.Top, DstRect.Top, h);
    const PixelCombiner combine(Src, DrawMode, CombineCallback);
    const std::ptrdiff_t stride = std::ptrdiff_t(Src->Width()) * 4;
    for (int j = 0; j < h; ++j) {
        const int sy = SrcRect.Top + y0 + by[std::size_t(j)];
        const int bh = by[std::size_t(j) + 1] - by[std::size_t(j)];
        TColor32* d = Dst->PixelPointer(DstClip.Left, DstClip.Top + j);
        for (int i = 0; i < w; ++i) {
            const int sx = SrcRect.Left + x0 + bx[std::size_t(i)];
            const int bw = bx[std::size_t(i) + 1] - bx[std::size_t(i)];
            if (bw <= 0 || bh <= 0)
                continue;
            combine(AverageBlock(bw, bh, Src->PixelPointer(sx, sy), stride), d[i]);
        }
    }
    EndMMX();
}

// ------------------------------------------------------------------ entry

void TransferScaled(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                    TStretchFilter StretchFilter, TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback)
{
    struct EndGuard {
        ~EndGuard() { EndMMX(); }
    } endGuard;
    if (Src && Src->Empty())
        return;
    CheckBitmaps(Dst, Src);
    if (!CheckSourceRect(Src, SrcRect))
        return;
    ClipRects(DstClip, DstClip, Dst->BoundsRect());
    ClipRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip))
        return;
    DrawMode = EffectiveMode(DrawMode, CombineCallback);
    if (DrawMode == dmBlend && Src->MasterAlpha() == 0)
        return;
    const int srcW = SrcRect.Width(), srcH = SrcRect.Height();
    const int dstW = DstRect.Width(), dstH = DstRect.Height();
    if (dstW == srcW && dstH == srcH) {
        TransferBlock(Dst, DstClip, Src, SrcRect.Left + DstClip.Left - DstRect.Left,
                      SrcRect.Top + DstClip.Top - DstRect.Top, DrawMode, CombineCallback);
        return;
    }
    // A scaled bitmap drawn onto itself reads from a copy taken first.
    std::unique_ptr<TBitmap32> copy;
    if (Src == Dst) {
        copy = CopyOfSource(Src);
        Src = copy.get();
    }
    switch (StretchFilter) {
    case sfNearest:
        ScaleNearest(Dst, DstRect, DstClip, Src, SrcRect, DrawMode, CombineCallback);
        break;
    case sfDraft:
        ScaleDraft(Dst, DstRect, DstClip, Src, SrcRect, DrawMode, CombineCallback);
        break;
    case sfLinear:
        if (dstW > srcW && dstH > srcH && srcW > 1 && srcH > 1)
            ScaleLinear(Dst, DstRect, DstClip, Src, SrcRect, DrawMode, CombineCallback);
        else
            ScaleResampled(Dst, DstRect, DstClip, Src, SrcRect, sfLinear, DrawMode, CombineCallback);
        break;
    default:
        ScaleResampled(Dst, DstRect, DstClip, Src, SrcRect, StretchFilter, DrawMode, CombineCallback);
        break;
    }
}

} // namespace zl
