#include "controls/Farben.h"

namespace zl {

namespace {

// Classic values of the system colours, for those the palette has no role for.
constexpr std::uint32_t kKlassisch[25] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF,
};

struct Rolle {
    QPalette::ColorGroup gruppe;
    QPalette::ColorRole rolle;
};

bool RolleFuer(int index, Rolle& r)
{
    const auto aktiv = QPalette::Active;
    switch (index) {
    case 4: r = {aktiv, QPalette::Window}; return true;
    case 5: r = {aktiv, QPalette::Base}; return true;
    case 7: r = {aktiv, QPalette::WindowText}; return true;
    case 8: r = {aktiv, QPalette::Text}; return true;
    case 13: r = {aktiv, QPalette::Highlight}; return true;
    case 14: r = {aktiv, QPalette::HighlightedText}; return true;
    case 15: r = {aktiv, QPalette::Button}; return true;
    case 16: r = {aktiv, QPalette::Dark}; return true;
    case 17: r = {QPalette::Disabled, QPalette::Text}; return true;
    case 18: r = {aktiv, QPalette::ButtonText}; return true;
    case 20: r = {aktiv, QPalette::Light}; return true;
    case 21: r = {aktiv, QPalette::Shadow}; return true;
    case 22: r = {aktiv, QPalette::Midlight}; return true;
    case 23: r = {aktiv, QPalette::ToolTipText}; return true;
    case 24: r = {aktiv, QPalette::ToolTipBase}; return true;
    default: return false;
    }
}

} // namespace

TColor ColorToRGB(TColor c, const QPalette& palette)
{
    if (!IstSystemfarbe(c))
        return TColor(std::uint32_t(c) & 0x00FFFFFFu);
    const int index = int(std::uint32_t(c) & 0xFF);
    Rolle r;
    if (RolleFuer(index, r))
        return AusQColor(palette.color(r.gruppe, r.rolle));
    if (index < 25)
        return TColor(kKlassisch[index]);
    return clBlack;
}

QColor ZuQColor(TColor c, const QPalette& palette)
{
    const TColor rgb = ColorToRGB(c, palette);
    return QColor(RotAnteil(rgb), GruenAnteil(rgb), BlauAnteil(rgb));
}

TColor AusQColor(const QColor& c)
{
    return RGBFarbe(c.red(), c.green(), c.blue());
}

} // namespace zl
