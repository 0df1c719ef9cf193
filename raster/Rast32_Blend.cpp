#include "raster/Rast32_Blend.h"

#include "raster/Rast32_System.h"

#include <algorithm>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zl
{

namespace
{

constexpr TColor32 kRB = 0x00FF00FFu; // blue and red lanes of a word
constexpr TColor32 kAG = 0xFF00FF00u; // green and alpha

inline TColor32 Lim255(TColor32 M)
{
    return M > 255 ? 255 : M;
}

// ------------------------------------------------------------------ plain set
// part(c, w) = (c * w + 128) div 256, two channels per word so none carries into another.

inline TColor32 PartRB(TColor32 c, TColor32 w)
{
    return (((c & kRB) * w + 0x00800080u) >> 8) & kRB;
}
inline TColor32 PartAG(TColor32 c, TColor32 w)
{
    return ((((c >> 8) & kRB) * w + 0x00800080u) & 0xFF00FF00u);
}
inline TColor32 PartMix4(TColor32 x, TColor32 y, TColor32 w)
{
    return (PartRB(x, w) + PartRB(y, 255 - w)) | (PartAG(x, w) + PartAG(y, 255 - w));
}
inline TColor32 PartMix3(TColor32 x, TColor32 y, TColor32 w)
{
    return (PartRB(x, w) + PartRB(y, 255 - w)) | ((PartAG(x, w) + PartAG(y, 255 - w)) & 0x0000FF00u);
}

// Row and combine forms that both sets build from their own merge of two pixels.
using MergeFunktion = TColor32 (*)(TColor32, TColor32);
using MergeMaskedFunktion = TColor32 (*)(TColor32, TColor32, TColor32);

template <MergeFunktion Merge> inline void MergeEachPixel(const TColor32* Src, TColor32* Dst, int Count)
{
    for (int i = 0; i < Count; ++i)
        Dst[i] = Merge(Src[i], Dst[i]);
}

template <MergeMaskedFunktion Merge>
inline void MergeEachPixelMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M)
{
    for (int i = 0; i < Count; ++i)
        Dst[i] = Merge(Src[i], Dst[i], M);
}

// Merging with the weight as the foreground's alpha.
template <MergeFunktion Merge> inline TColor32 CombineMerge(TColor32 X, TColor32 Y, TColor32 W)
{
    return Merge((X & 0x00FFFFFFu) | (Lim255(W) << 24), Y);
}

// The blend shape both routine sets share: the shortcuts for a clear and an opaque
// foreground, the set's own mixing formula in between.
using MixFunktion = TColor32 (*)(TColor32, TColor32, TColor32);

template <MixFunktion MixFn> inline void BlendInPlace(TColor32 F, TColor32& B)
{
    const TColor32 fa = F >> 24;
    if (fa == 0)
        return;
    if (fa == 255) {
        B = F;
        return;
    }
    B = MixFn(F, B, fa);
}

template <MixFunktion MixFn> inline TColor32 BlendMasked(TColor32 F, TColor32 B, TColor32 M)
{
    const TColor32 fa = F >> 24;
    if (fa == 0)
        return B;
    const TColor32 w = ((Lim255(M) + 1) * fa) >> 8;
    if (w == 0)
        return B;
    return MixFn(F, B, w);
}

TColor32 P_CombinePixels(TColor32 X, TColor32 Y, TColor32 W)
{
    if ((W & 0xFFFF) == 0)
        return Y;
    if (W == 255)
        return X;
    return PartMix4(X, Y, W);
}

void P_CombinePixelInPlace(TColor32 X, TColor32& Y, TColor32 W)
{
    if (W == 0)
        return;
    if (W == 255) {
        Y = X;
        return;
    }
    Y = PartMix3(X, Y, W);
}

TColor32 P_BlendPixel(TColor32 F, TColor32 B)
{
    if (F >= 0xFF000000u)
        return F;
    const TColor32 fa = F >> 24;
    if (fa == 0)
        return B;
    return PartMix4(F, B, fa);
}

void P_BlendPixelInPlace(TColor32 F, TColor32& B)
{
    BlendInPlace<PartMix4>(F, B);
}

TColor32 P_BlendPixelMasked(TColor32 F, TColor32 B, TColor32 M)
{
    return BlendMasked<PartMix3>(F, B, M);
}

void P_BlendPixelInPlaceMasked(TColor32 F, TColor32& B, TColor32 M)
{
    B = P_BlendPixelMasked(F, B, M);
}

void P_BlendRow(const TColor32* Src, TColor32* Dst, int Count)
{
    for (int i = 0; i < Count; ++i)
        P_BlendPixelInPlace(Src[i], Dst[i]);
}

void P_BlendRowMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M)
{
    for (int i = 0; i < Count; ++i)
        P_BlendPixelInPlaceMasked(Src[i], Dst[i], M);
}

// The merge formula of the plain set, without its shortcuts; Ba and the result alpha >= 1.
TColor32 P_MergeCore(TColor32 F, TColor32 B, int fa)
{
    const int ba = int(B >> 24);
    const int ra = fa + ba - (fa * ba) / 255;
    const int k = 65536 / ra;
    TColor32 out = TColor32(ra) << 24;
    for (int sh = 0; sh <= 16; sh += 8) {
        const int f = int((F >> sh) & 0xFF);
        const int bp = (int((B >> sh) & 0xFF) * ba) / 256;
        const int t = ((f - bp) * fa) >> 8; // floor, also of a negative product
        const int c = (((t + bp) * k) / 256) & 0xFF;
        out |= TColor32(c) << sh;
    }
    return out;
}

TColor32 P_MergePixels(TColor32 F, TColor32 B)
{
    const int fa = int(F >> 24);
    if (fa == 255)
        return F;
    if (fa == 0)
        return B;
    if ((B >> 24) == 0)
        return F;
    return P_MergeCore(F, B, fa);
}

void P_MergePixelInPlace(TColor32 F, TColor32& B)
{
    B = P_MergePixels(F, B);
}

TColor32 P_MergePixelMasked(TColor32 F, TColor32 B, TColor32 M)
{
    M = Lim255(M);
    const int fa = int(F >> 24);
    if (fa == 255) {
        if (M == 255)
            return F;
        if (M == 0)
            return B;
    }
    if (fa == 0)
        return B;
    const int fa2 = (fa * int(M)) / 255;
    const TColor32 f2 = (F & 0x00FFFFFFu) | (TColor32(fa2) << 24);
    if (fa2 == 255)
        return f2;
    if ((B >> 24) == 0)
        return f2;
    return P_MergeCore(f2, B, fa2);
}

void P_MergePixelInPlaceMasked(TColor32 F, TColor32& B, TColor32 M)
{
    B = P_MergePixelMasked(F, B, M);
}

void P_MergeRow(const TColor32* Src, TColor32* Dst, int Count)
{
    MergeEachPixel<P_MergePixels>(Src, Dst, Count);
}

void P_MergeRowMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M)
{
    MergeEachPixelMasked<P_MergePixelMasked>(Src, Dst, Count, M);
}

TColor32 P_CombineMergePixels(TColor32 X, TColor32 Y, TColor32 W)
{
    return CombineMerge<P_MergePixels>(X, Y, W);
}

void P_CombineMergePixelInPlace(TColor32 X, TColor32& Y, TColor32 W)
{
    Y = P_CombineMergePixels(X, Y, W);
}

// ------------------------------------------------------------------ accelerated set
// mix(x, y, w) = (x * w + y * (256 - w) + 128) div 256 on all four channels; the sums stay
// below 65536, so two channels per word reproduce the 16-bit lanes exactly.

inline TColor32 Mix(TColor32 x, TColor32 y, TColor32 w)
{
    const TColor32 iw = 256 - w;
    const TColor32 rb = (((x & kRB) * w + (y & kRB) * iw + 0x00800080u) >> 8) & kRB;
    const TColor32 ag = (((x >> 8) & kRB) * w + ((y >> 8) & kRB) * iw + 0x00800080u) & kAG;
    return rb | ag;
}

TColor32 A_CombinePixels(TColor32 X, TColor32 Y, TColor32 W)
{
    return Mix(X, Y, W & 0xFF);
}

void A_CombinePixelInPlace(TColor32 X, TColor32& Y, TColor32 W)
{
    if (W == 0)
        return;
    if (W == 255) {
        Y = X;
        return;
    }
    Y = Mix(X, Y, W & 0xFF);
}

TColor32 A_BlendPixel(TColor32 F, TColor32 B)
{
    return Mix(F, B, F >> 24);
}

void A_BlendPixelInPlace(TColor32 F, TColor32& B)
{
    BlendInPlace<Mix>(F, B);
}

TColor32 A_BlendPixelMasked(TColor32 F, TColor32 B, TColor32 M)
{
    return BlendMasked<Mix>(F, B, M);
}

void A_BlendPixelInPlaceMasked(TColor32 F, TColor32& B, TColor32 M)
{
    B = A_BlendPixelMasked(F, B, M);
}

#if defined(__SSE2__)
// mix() of two pixels per half register in 16-bit lanes: ((f - b) * w + b * 256 + 128) >> 8.
// The products wrap in 16 bits as in the lanes of the formula; the true sum lies in 0..65408,
// so the wrapped sum is exact.
inline __m128i MixLanes(__m128i f16, __m128i b16, __m128i w16)
{
    const __m128i bias = _mm_set1_epi16(128);
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(f16, b16), w16), _mm_slli_epi16(b16, 8));
    return _mm_srli_epi16(_mm_add_epi16(t, bias), 8);
}

// Four pixels: f mixed over b with per-pixel weights w (16-bit lanes, four per pixel).
inline __m128i Mix4(__m128i f, __m128i b, __m128i wlo, __m128i whi)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = MixLanes(_mm_unpacklo_epi8(f, zero), _mm_unpacklo_epi8(b, zero), wlo);
    const __m128i hi = MixLanes(_mm_unpackhi_epi8(f, zero), _mm_unpackhi_epi8(b, zero), whi);
    return _mm_packus_epi16(lo, hi);
}

// Each pixel's alpha in all four of its 16-bit lanes.
inline void AlphaLanes(__m128i f, __m128i& lo, __m128i& hi)
{
    const __m128i zero = _mm_setzero_si128();
    lo = _mm_unpacklo_epi8(f, zero);
    hi = _mm_unpackhi_epi8(f, zero);
    lo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(lo, 0xFF), 0xFF);
    hi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(hi, 0xFF), 0xFF);
}
#endif

void A_BlendRow(const TColor32* Src, TColor32* Dst, int Count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    for (; i + 4 <= Count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
        const __m128i fa = _mm_and_si128(f, alphaMask);
        const int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(fa, alphaMask));
        if (opaque == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), f);
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(fa, _mm_setzero_si128())) == 0xFFFF)
            continue;
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        __m128i wlo, whi;
        AlphaLanes(f, wlo, whi);
        // Mixing with weight 0 leaves b; opaque pixels are copied.
        const __m128i mixed = Mix4(f, b, wlo, whi);
        const __m128i sel = _mm_cmpeq_epi32(fa, alphaMask);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i),
                         _mm_or_si128(_mm_and_si128(sel, f), _mm_andnot_si128(sel, mixed)));
    }
#endif
    for (; i < Count; ++i) {
        const TColor32 f = Src[i];
        const TColor32 fa = f >> 24;
        if (fa == 0)
            continue;
        Dst[i] = fa == 255 ? f : Mix(f, Dst[i], fa);
    }
}

void A_BlendRowMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M)
{
    M = Lim255(M);
    int i = 0;
#if defined(__SSE2__)
    // W = ((Fa + 1) * M) div 256 stays below 65536; W = 0 (also Fa = 0) mixes to b unchanged.
    const __m128i m16 = _mm_set1_epi16(short(M));
    const __m128i one = _mm_set1_epi16(1);
    for (; i + 4 <= Count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        __m128i alo, ahi;
        AlphaLanes(f, alo, ahi);
        const __m128i wlo = _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(alo, one), m16), 8);
        const __m128i whi = _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(ahi, one), m16), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), Mix4(f, b, wlo, whi));
    }
#endif
    for (; i < Count; ++i) {
        const TColor32 f = Src[i];
        const TColor32 fa = f >> 24;
        if (fa == 0)
            continue;
        const TColor32 w = ((fa + 1) * M) >> 8;
        if (w == 0)
            continue;
        Dst[i] = Mix(f, Dst[i], w);
    }
}

inline unsigned Sat16(unsigned v)
{
    return v > 65535 ? 65535 : v;
}

TColor32 A_MergePixels(TColor32 F, TColor32 B)
{
    const unsigned fa = F >> 24;
    if (fa == 0)
        return B;
    const unsigned ba = B >> 24;
    if (ba == 0)
        return F;
    if (F >= 0xFF000000u)
        return F;
    const unsigned ra = fa + ba - (fa * ba) / 255;
    const unsigned k = 65535 / ra;
    TColor32 out = 0;
    for (int sh = 0; sh <= 16; sh += 8) { // alpha's lane is replaced by Ra below
        const unsigned f = (F >> sh) & 0xFF, b = (B >> sh) & 0xFF;
        const unsigned fp = (f * fa) >> 8, bp = (b * ba) >> 8;
        const unsigned sum = Sat16(bp + fp);
        const unsigned sub = (fa * bp) >> 8;
        const unsigned s = sum > sub ? sum - sub : 0;
        unsigned c = ((s * k) & 0xFFFF) >> 8;
        out |= TColor32(std::min(c, 255u)) << sh;
    }
    return out | (TColor32(ra) << 24);
}

void A_MergePixelInPlace(TColor32 F, TColor32& B)
{
    B = A_MergePixels(F, B);
}

TColor32 A_MergePixelMasked(TColor32 F, TColor32 B, TColor32 M)
{
    const TColor32 fa = ((F >> 24) * Lim255(M)) / 255;
    return A_MergePixels((F & 0x00FFFFFFu) | (fa << 24), B);
}

void A_MergePixelInPlaceMasked(TColor32 F, TColor32& B, TColor32 M)
{
    B = A_MergePixelMasked(F, B, M);
}

void A_MergeRow(const TColor32* Src, TColor32* Dst, int Count)
{
    MergeEachPixel<A_MergePixels>(Src, Dst, Count);
}

void A_MergeRowMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M)
{
    MergeEachPixelMasked<A_MergePixelMasked>(Src, Dst, Count, M);
}

TColor32 A_CombineMergePixels(TColor32 X, TColor32 Y, TColor32 W)
{
    return CombineMerge<A_MergePixels>(X, Y, W);
}

void A_CombineMergePixelInPlace(TColor32 X, TColor32& Y, TColor32 W)
{
    Y = A_CombineMergePixels(X, Y, W);
}

// ------------------------------------------------------------------ channel arithmetic

template <typename Op> inline TColor32 PerChannel(TColor32 A, TColor32 B, Op op)
{
    TColor32 out = 0;
    for (int sh = 0; sh < 32; sh += 8)
        out |= TColor32(op(int((A >> sh) & 0xFF), int((B >> sh) & 0xFF)) & 0xFF) << sh;
    return out;
}

TColor32 C_Add(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return std::min(a + b, 255); });
}
TColor32 C_Subtract(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return std::max(a - b, 0); });
}
TColor32 C_Multiply(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return (a * b) >> 8; });
}
TColor32 C_Divide(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return a == 0 ? 255 : std::min((b * 256) / a, 255); });
}
TColor32 C_Modulate(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return (a * b) >> 8; });
}
TColor32 C_Max(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return std::max(a, b); });
}
TColor32 C_Min(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return std::min(a, b); });
}
TColor32 C_Difference(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return std::abs(a - b); });
}
TColor32 C_Exclusion(TColor32 A, TColor32 B)
{
    return PerChannel(A, B, [](int a, int b) { return a + b - (a * b) / 128; });
}

constexpr TBlendRoutines kPlain{P_CombinePixels,
                                P_CombinePixelInPlace,
                                P_BlendPixel,
                                P_BlendPixelInPlace,
                                P_BlendPixelMasked,
                                P_BlendPixelInPlaceMasked,
                                P_BlendRow,
                                P_BlendRowMasked,
                                P_CombineMergePixels,
                                P_CombineMergePixelInPlace,
                                P_MergePixels,
                                P_MergePixelInPlace,
                                P_MergePixelMasked,
                                P_MergePixelInPlaceMasked,
                                P_MergeRow,
                                P_MergeRowMasked,
                                C_Add,
                                C_Subtract,
                                C_Multiply,
                                C_Divide,
                                C_Modulate,
                                C_Max,
                                C_Min,
                                C_Difference,
                                C_Exclusion};

constexpr TBlendRoutines kAccel{A_CombinePixels,
                                A_CombinePixelInPlace,
                                A_BlendPixel,
                                A_BlendPixelInPlace,
                                A_BlendPixelMasked,
                                A_BlendPixelInPlaceMasked,
                                A_BlendRow,
                                A_BlendRowMasked,
                                A_CombineMergePixels,
                                A_CombineMergePixelInPlace,
                                A_MergePixels,
                                A_MergePixelInPlace,
                                A_MergePixelMasked,
                                A_MergePixelInPlaceMasked,
                                A_MergeRow,
                                A_MergeRowMasked,
                                C_Add,
                                C_Subtract,
                                C_Multiply,
                                C_Divide,
                                C_Modulate,
                                C_Max,
                                C_Min,
                                C_Difference,
                                C_Exclusion};

} // namespace

const TBlendRoutines& PlainBlendRoutines()
{
    return kPlain;
}
const TBlendRoutines& AcceleratedBlendRoutines()
{
    return kAccel;
}

bool MMXActive()
{
    static const bool active = MmxPresent();
    return active;
}

// Constant-initialised with the accelerated set, which an x86-64 processor always selects, so
// code running before the selection below sees the same routines.
TCombinePixels CombinePixels = A_CombinePixels;
TCombinePixelInPlace CombinePixelInPlace = A_CombinePixelInPlace;
TBlendPixel BlendPixel = A_BlendPixel;
TBlendPixelInPlace BlendPixelInPlace = A_BlendPixelInPlace;
TBlendPixelMasked BlendPixelMasked = A_BlendPixelMasked;
TBlendPixelInPlaceMasked BlendPixelInPlaceMasked = A_BlendPixelInPlaceMasked;
TBlendRow BlendRow = A_BlendRow;
TBlendRowMasked BlendRowMasked = A_BlendRowMasked;
TCombinePixels CombineMergePixels = A_CombineMergePixels;
TCombinePixelInPlace CombineMergePixelInPlace = A_CombineMergePixelInPlace;
TBlendPixel MergePixels = A_MergePixels;
TBlendPixelInPlace MergePixelInPlace = A_MergePixelInPlace;
TBlendPixelMasked MergePixelMasked = A_MergePixelMasked;
TBlendPixelInPlaceMasked MergePixelInPlaceMasked = A_MergePixelInPlaceMasked;
TBlendRow MergeRow = A_MergeRow;
TBlendRowMasked MergeRowMasked = A_MergeRowMasked;
TChannelRoutine ChannelAdd = C_Add, ChannelSubtract = C_Subtract, ChannelMultiply = C_Multiply,
                ChannelDivide = C_Divide, ChannelModulate = C_Modulate, ChannelMax = C_Max, ChannelMin = C_Min,
                ChannelDifference = C_Difference, ChannelExclusion = C_Exclusion;

TBlendPixel ModeBlendPixel[2] = {A_BlendPixel, A_MergePixels};
TBlendPixelInPlace ModeBlendPixelInPlace[2] = {A_BlendPixelInPlace, A_MergePixelInPlace};
TCombinePixels ModeCombinePixels[2] = {A_CombinePixels, A_CombineMergePixels};
TCombinePixelInPlace ModeCombinePixelInPlace[2] = {A_CombinePixelInPlace, A_CombineMergePixelInPlace};
TBlendPixelMasked ModeBlendPixelMasked[2] = {A_BlendPixelMasked, A_MergePixelMasked};
TBlendPixelInPlaceMasked ModeBlendPixelInPlaceMasked[2] = {A_BlendPixelInPlaceMasked, A_MergePixelInPlaceMasked};
TBlendRow ModeBlendRow[2] = {A_BlendRow, A_MergeRow};
TBlendRowMasked ModeBlendRowMasked[2] = {A_BlendRowMasked, A_MergeRowMasked};

namespace
{

// Start-up: the set the processor test selects goes into every slot and mode table.
const bool kSelected = [] {
    const TBlendRoutines& s = MMXActive() ? kAccel : kPlain;
    CombinePixels = s.CombinePixels;
    CombinePixelInPlace = s.CombinePixelInPlace;
    BlendPixel = s.BlendPixel;
    BlendPixelInPlace = s.BlendPixelInPlace;
    BlendPixelMasked = s.BlendPixelMasked;
    BlendPixelInPlaceMasked = s.BlendPixelInPlaceMasked;
    BlendRow = s.BlendRow;
    BlendRowMasked = s.BlendRowMasked;
    CombineMergePixels = s.CombineMergePixels;
    CombineMergePixelInPlace = s.CombineMergePixelInPlace;
    MergePixels = s.MergePixels;
    MergePixelInPlace = s.MergePixelInPlace;
    MergePixelMasked = s.MergePixelMasked;
    MergePixelInPlaceMasked = s.MergePixelInPlaceMasked;
    MergeRow = s.MergeRow;
    MergeRowMasked = s.MergeRowMasked;
    ModeBlendPixel[cmBlend] = s.BlendPixel;
    ModeBlendPixel[cmMerge] = s.MergePixels;
    ModeBlendPixelInPlace[cmBlend] = s.BlendPixelInPlace;
    ModeBlendPixelInPlace[cmMerge] = s.MergePixelInPlace;
    ModeCombinePixels[cmBlend] = s.CombinePixels;
    ModeCombinePixels[cmMerge] = s.CombineMergePixels;
    ModeCombinePixelInPlace[cmBlend] = s.CombinePixelInPlace;
    ModeCombinePixelInPlace[cmMerge] = s.CombineMergePixelInPlace;
    ModeBlendPixelMasked[cmBlend] = s.BlendPixelMasked;
    ModeBlendPixelMasked[cmMerge] = s.MergePixelMasked;
    ModeBlendPixelInPlaceMasked[cmBlend] = s.BlendPixelInPlaceMasked;
    ModeBlendPixelInPlaceMasked[cmMerge] = s.MergePixelInPlaceMasked;
    ModeBlendRow[cmBlend] = s.BlendRow;
    ModeBlendRow[cmMerge] = s.MergeRow;
    ModeBlendRowMasked[cmBlend] = s.BlendRowMasked;
    ModeBlendRowMasked[cmMerge] = s.MergeRowMasked;
    return true;
}();

} // namespace

} // namespace zl
