#pragma once

// Block and stretch transfer between bitmaps, clipped, with seven resampling filters.

#include "raster/Rast32.h"

#include <vector>

namespace zl
{

class ETransformError : public ERasterError
{
  public:
    using ERasterError::ERasterError;
};

// One source position and its weight in 1/256 (negative for kernels with negative lobes).
struct Contribution {
    int Pos = 0;
    int Weight = 0;
    friend bool operator==(const Contribution&, const Contribution&) = default;
};
using ContributionList = std::vector<Contribution>;
// One list per destination column (or row) of the clipped area; every list adds up to 256.
using ContributionTable = std::vector<ContributionList>;

using TFilterKernel = float (*)(float);
struct TFilterKernelEntry {
    TFilterKernel Kernel;
    int Width;
};
TFilterKernelEntry FilterKernel(TStretchFilter Filter);

float KernelBox(float x);
float KernelLinear(float x);
float KernelCosine(float x);
float KernelSpline(float x);
float Sinc(float x);
float KernelLanczos3(float x);
float KernelMitchell(float x);

// General entry: the whole SrcRect lands on DstRect; only DstClip (cut to Dst) is written.
// An empty Src draws nothing; throws ETransformError for a nil or empty Dst, a nil Src or a
// SrcRect outside the source. Src may be Dst.
void TransferScaled(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                    TStretchFilter StretchFilter, TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback);

// Unscaled transfer. DstClip must lie inside Dst, the source block of its size at SrcX, SrcY
// inside Src; nothing is checked. Src may be Dst, also overlapping.
void TransferBlock(TBitmap32* Dst, TRect DstClip, const TBitmap32* Src, int SrcX, int SrcY, TDrawMode DrawMode,
                   const TPixelCombineEvent& CombineCallback);

// Unscaled transfer of SrcRect of Src to (DstX, DstY) of Dst, both rectangles clipped first
// (DstClip to Dst, SrcRect to Src). Nothing for an empty Src, or with dmBlend and a MasterAlpha
// of 0; dmCustom without a callback is opaque. Throws ETransformError for a nil or empty Dst.
void TransferBlockClipped(TBitmap32* Dst, int DstX, int DstY, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                          TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback);

void CheckBitmaps(const TBitmap32* Dst, const TBitmap32* Src);
// False when SrcRect is empty; throws "Source rectangle is invalid" when it leaves Src.
bool CheckSourceRect(const TBitmap32* Src, const TRect& SrcRect);

ContributionTable BuildContributions(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                     TStretchFilter Filter);

// The scalers, called by TransferScaled (DstClip already cut to Dst and DstRect).
void ScaleNearest(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                  const TPixelCombineEvent& CombineCallback);
void ScaleDraft(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                const TPixelCombineEvent& CombineCallback);
void ScaleLinear(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect, TDrawMode DrawMode,
                 const TPixelCombineEvent& CombineCallback);
void ScaleResampled(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                    TStretchFilter Filter, TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback);

// Per-channel average of a W x H block (rows Stride bytes apart), exact for any block size.
TColor32 AverageBlock(int W, int H, const TColor32* Src, std::ptrdiff_t Stride);
// Bilinear mix of U[0], U[1] (upper) and L[0], L[1] (lower); WX, WY: weight of the left/upper
// pixel in 1/256 in the low 16 bits.
using TInterpolateBilinear = TColor32 (*)(std::uint32_t WX, std::uint32_t WY, const TColor32* U, const TColor32* L);
TColor32 InterpolateBilinearPlain(std::uint32_t WX, std::uint32_t WY, const TColor32* U, const TColor32* L);
TColor32 InterpolateBilinearAccel(std::uint32_t WX, std::uint32_t WY, const TColor32* U, const TColor32* L);
// The variant selected at start-up (accelerated when the processor test finds MMX).
extern TInterpolateBilinear InterpolateBilinear;

} // namespace zl
