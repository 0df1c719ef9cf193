#pragma once

// Readable failure messages for the map tests.

#include "QtPrintTo.h"
#include "raster/Rast32.h"

#include <ostream>

namespace zl
{
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << '(' << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom << ')';
}
} // namespace zl
