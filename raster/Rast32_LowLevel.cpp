#include "raster/Rast32_LowLevel.h"

#include <algorithm>
#include <cstring>

namespace zl
{

void FillPixels(TColor32* Dst, int Count, TColor32 Value)
{
    if (Count <= 0)
        return;
    std::fill_n(Dst, Count, Value);
}

void CopyPixels(const TColor32* Src, TColor32* Dst, int Count)
{
    if (Count <= 0 || Src == Dst)
        return;
    std::memmove(Dst, Src, static_cast<std::size_t>(Count) * sizeof(TColor32));
}

} // namespace zl
