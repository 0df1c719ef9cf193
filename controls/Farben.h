#pragma once

// The colour value of the controls: TColor, 0x00BBGGRR with red in the low byte; a
// value with the high byte 0xFF names a system colour by its index in the low byte.
// The type, the common constants and ColorToRGB/ColorToQColor (application palette)
// come from the canvas; this adds what the controls need on top: channel access,
// resolving against a widget's own palette, and the remaining system colours.

#include "platform/Canvas.h"

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace zl {

constexpr TColor RGBFarbe(int r, int g, int b)
{
    return TColor((std::uint32_t(r) & 0xFF) | ((std::uint32_t(g) & 0xFF) << 8)
                  | ((std::uint32_t(b) & 0xFF) << 16));
}
constexpr int RotAnteil(TColor c) { return int(std::uint32_t(c) & 0xFF); }
constexpr int GruenAnteil(TColor c) { return int((std::uint32_t(c) >> 8) & 0xFF); }
constexpr int BlauAnteil(TColor c) { return int((std::uint32_t(c) >> 16) & 0xFF); }

constexpr bool IstSystemfarbe(TColor c)
{
    return (std::uint32_t(c) & 0xFF000000u) == 0xFF000000u;
}
// The system colour with the given index (the system's colour number).
constexpr TColor Systemfarbe(int index) { return TColor(0xFF000000u | (std::uint32_t(index) & 0xFF)); }

// System colours the canvas does not name.
namespace Sysfarbe {
constexpr TColor FensterRahmen = Systemfarbe(6); // clWindowFrame
constexpr TColor DunklerSchatten3D = Systemfarbe(21); // cl3DDkShadow
constexpr TColor Hell3D = Systemfarbe(22); // cl3DLight
constexpr TColor InfoText = Systemfarbe(23); // clInfoText
} // namespace Sysfarbe

// The RGB value (high byte 0) of a colour, system colours taken from the given
// palette (classic values for those it has no role for). Fixed colours come back
// unchanged; an unknown system index gives black.
TColor ColorToRGB(TColor c, const QPalette& palette);
QColor ZuQColor(TColor c, const QPalette& palette);
// The colour value of a QColor (alpha dropped).
TColor AusQColor(const QColor& c);

} // namespace zl
