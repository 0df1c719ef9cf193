#include "learning/exercise/zl_uebanzeige.h"

#include <gtest/gtest.h>

using namespace zl;

TEST(UebAnzeige, AnswerButtonsAsListBesideThePicture)
{
    // W 1000, H 532: bw = 400, bh = round(100) - 8 = 92.
    const AntwortKnopfLayout L = OrdneAntwortKnoepfe(0, 1000, 532);
    EXPECT_TRUE(L.BildSichtbar);
    EXPECT_EQ(L.Bild, QRect(10, 10, 1000 - 400 - 40, 5 * 92 + 52));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(L.Knoepfe[i], QRect(580, 20 + i * 100, 400, 92)) << i;
}

TEST(UebAnzeige, FlagsThreeAboveTwoWithTheLowerRowShiftedByHalfAButton)
{
    // W 616: bw = round(200) - 8 = 192; H 416: bh = 192.
    const AntwortKnopfLayout L = OrdneAntwortKnoepfe(1, 616, 416);
    EXPECT_FALSE(L.BildSichtbar);
    EXPECT_EQ(L.Knoepfe[0], QRect(12, 12, 192, 192));
    EXPECT_EQ(L.Knoepfe[2], QRect(12 + 2 * 200, 12, 192, 192));
    EXPECT_EQ(L.Knoepfe[3], QRect(12 + 96, 212, 192, 192));
    EXPECT_EQ(L.Knoepfe[4], QRect(12 + 200 + 96, 212, 192, 192));
    // (H - 16) / 2 = 200.5 rounds to 200 (half to even), 202.5 would go to 202 as well.
    EXPECT_EQ(OrdneAntwortKnoepfe(1, 616, 417).Knoepfe[0].height(), 200 - 8);
    EXPECT_EQ(OrdneAntwortKnoepfe(1, 616, 421).Knoepfe[0].height(), 202 - 8);
}

TEST(UebAnzeige, MaskOfTheTicks)
{
    std::array<bool, 23> alle{};
    alle.fill(true);
    EXPECT_EQ(MaskeAusHaken(alle), QString(50, u'1'));
    alle[4] = false;  // E05
    alle[19] = false; // Z02
    const QString m = MaskeAusHaken(alle);
    ASSERT_EQ(m.size(), 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(m[i], (i == 4 || i == 19) ? u'0' : u'1') << i;
    EXPECT_EQ(HakenAusMaske(m), alle);
    // A short or junk mask ticks only its '1' characters.
    const std::array<bool, 23> kurz = HakenAusMaske(QStringLiteral("1x1"));
    EXPECT_TRUE(kurz[0]);
    EXPECT_FALSE(kurz[1]);
    EXPECT_TRUE(kurz[2]);
    EXPECT_FALSE(kurz[3]);
    EXPECT_EQ(AnzahlAusgewaehltText(8, 10), QStringLiteral("8 von 10 ausgewählt"));
}

TEST(UebAnzeige, DragSourceDecidesWhoAcceptsADrop)
{
    TZiehQuelle q;
    EXPECT_FALSE(q.NameNimmtAn());
    EXPECT_FALSE(q.ZielNimmtAn());
    q.Wert = 3; // a target is dragged: names accept, targets refuse
    EXPECT_TRUE(q.NameNimmtAn());
    EXPECT_FALSE(q.ZielNimmtAn());
    q.Wert = -2; // a name is dragged
    EXPECT_FALSE(q.NameNimmtAn());
    EXPECT_TRUE(q.ZielNimmtAn());
    EXPECT_EQ(NameAufZiel({-1, 3, -3, 1, -5}, 3), 2);
    EXPECT_EQ(NameAufZiel({-1, 3, -3, 1, -5}, 2), 0);
    EXPECT_EQ(NameAufZiel({-1, 3, -3, 1, -5}, 0), 0);
}
