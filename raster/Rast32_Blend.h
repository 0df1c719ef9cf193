#pragma once

// Per-pixel mixing of TColor32 values: combine by a weight, blend by the source's alpha,
// merge two partly transparent pixels, and channel arithmetic. Two routine sets with slightly
// different rounding exist; one is chosen at start-up and called through the slots below.

#include "raster/Rast32.h"

#include <cstdint>

namespace zl
{

using TCombinePixels = TColor32 (*)(TColor32 X, TColor32 Y, TColor32 W);
using TCombinePixelInPlace = void (*)(TColor32 X, TColor32& Y, TColor32 W);
using TBlendPixel = TColor32 (*)(TColor32 F, TColor32 B);
using TBlendPixelInPlace = void (*)(TColor32 F, TColor32& B);
using TBlendPixelMasked = TColor32 (*)(TColor32 F, TColor32 B, TColor32 M);
using TBlendPixelInPlaceMasked = void (*)(TColor32 F, TColor32& B, TColor32 M);
using TBlendRow = void (*)(const TColor32* Src, TColor32* Dst, int Count);
using TBlendRowMasked = void (*)(const TColor32* Src, TColor32* Dst, int Count, TColor32 M);
using TChannelRoutine = TColor32 (*)(TColor32 A, TColor32 B);

// One routine set. M (master alpha) above 255 counts as 255.
struct TBlendRoutines {
    TCombinePixels CombinePixels;
    TCombinePixelInPlace CombinePixelInPlace;
    TBlendPixel BlendPixel;
    TBlendPixelInPlace BlendPixelInPlace;
    TBlendPixelMasked BlendPixelMasked;
    TBlendPixelInPlaceMasked BlendPixelInPlaceMasked;
    TBlendRow BlendRow;
    TBlendRowMasked BlendRowMasked;
    TCombinePixels CombineMergePixels;
    TCombinePixelInPlace CombineMergePixelInPlace;
    TBlendPixel MergePixels;
    TBlendPixelInPlace MergePixelInPlace;
    TBlendPixelMasked MergePixelMasked;
    TBlendPixelInPlaceMasked MergePixelInPlaceMasked;
    TBlendRow MergeRow;
    TBlendRowMasked MergeRowMasked;
    TChannelRoutine ChannelAdd, ChannelSubtract, ChannelMultiply, ChannelDivide, ChannelModulate, ChannelMax,
        ChannelMin, ChannelDifference, ChannelExclusion;
};

// The plain set (two channels per 32-bit word, weights w and 255 - w) and the accelerated
// set (weights w and 256 - w); both are always built.
const TBlendRoutines& PlainBlendRoutines();
const TBlendRoutines& AcceleratedBlendRoutines();

// True when the processor test found MMX: then the accelerated set is in the slots.
bool MMXActive();
// The shared-register hand-back after a transfer; nothing to do in portable code.
inline void EndMMX() {}

// The slots, filled once at start-up from the chosen set.
extern TCombinePixels CombinePixels;
extern TCombinePixelInPlace CombinePixelInPlace;
extern TBlendPixel BlendPixel;
extern TBlendPixelInPlace BlendPixelInPlace;
extern TBlendPixelMasked BlendPixelMasked;
extern TBlendPixelInPlaceMasked BlendPixelInPlaceMasked;
extern TBlendRow BlendRow;
extern TBlendRowMasked BlendRowMasked;
extern TCombinePixels CombineMergePixels;
extern TCombinePixelInPlace CombineMergePixelInPlace;
extern TBlendPixel MergePixels;
extern TBlendPixelInPlace MergePixelInPlace;
extern TBlendPixelMasked MergePixelMasked;
extern TBlendPixelInPlaceMasked MergePixelInPlaceMasked;
extern TBlendRow MergeRow;
extern TBlendRowMasked MergeRowMasked;
extern TChannelRoutine ChannelAdd, ChannelSubtract, ChannelMultiply, ChannelDivide, ChannelModulate, ChannelMax,
    ChannelMin, ChannelDifference, ChannelExclusion;

// Mode tables indexed by TCombineMode (cmBlend, cmMerge).
extern TBlendPixel ModeBlendPixel[2];
extern TBlendPixelInPlace ModeBlendPixelInPlace[2];
extern TCombinePixels ModeCombinePixels[2];
extern TCombinePixelInPlace ModeCombinePixelInPlace[2];
extern TBlendPixelMasked ModeBlendPixelMasked[2];
extern TBlendPixelInPlaceMasked ModeBlendPixelInPlaceMasked[2];
extern TBlendRow ModeBlendRow[2];
extern TBlendRowMasked ModeBlendRowMasked[2];

} // namespace zl
