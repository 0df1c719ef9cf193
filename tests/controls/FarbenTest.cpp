#include "controls/Farben.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(Farben, ChannelsAreRedInTheLowByte)
{
    const TColor c = RGBFarbe(0xE6, 0x8B, 0x2C);
    EXPECT_EQ(c, 0x2C8BE6);
    EXPECT_EQ(RotAnteil(c), 0xE6);
    EXPECT_EQ(GruenAnteil(c), 0x8B);
    EXPECT_EQ(BlauAnteil(c), 0x2C);
    EXPECT_EQ(ZuQColor(c, QPalette()), QColor(0xE6, 0x8B, 0x2C));
    EXPECT_EQ(AusQColor(QColor(1, 2, 3)), RGBFarbe(1, 2, 3));
    EXPECT_EQ(clYellow, RGBFarbe(0xFF, 0xFF, 0));
}

TEST(Farben, SystemColoursComeFromThePalette)
{
    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(40, 50, 60));
    EXPECT_TRUE(IstSystemfarbe(clBtnFace));
    EXPECT_FALSE(IstSystemfarbe(clWhite));
    EXPECT_EQ(ColorToRGB(clBtnFace, pal), RGBFarbe(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clHighlight, pal), RGBFarbe(40, 50, 60));
    // No palette role: the classic value; an unknown index: black.
    EXPECT_EQ(ColorToRGB(Sysfarbe::FensterRahmen, pal), clBlack);
    EXPECT_EQ(ColorToRGB(Systemfarbe(200), pal), clBlack);
    // Fixed colours pass unchanged.
    EXPECT_EQ(ColorToRGB(RGBFarbe(1, 2, 3), pal), RGBFarbe(1, 2, 3));
}

} // namespace
} // namespace zl
