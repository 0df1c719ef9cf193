#pragma once

#include <cstdint>

namespace zl
{

using TColor32 = std::uint32_t;

// Writes Value Count times from Dst; Count <= 0 writes nothing.
void FillPixels(TColor32* Dst, int Count, TColor32 Value);

// Copies Count pixels. Overlapping ranges are allowed (moved as by memmove), so a bitmap
// may be copied onto itself; nothing happens when Src == Dst or Count <= 0.
void CopyPixels(const TColor32* Src, TColor32* Dst, int Count);

// Lo when Value < Lo, else Hi when Value > Hi, else Value.
constexpr int ClampInt(int Value, int Lo, int Hi)
{
    return Value < Lo ? Lo : (Value > Hi ? Hi : Value);
}

} // namespace zl
