#include "learning/tools/zl_drucklayout.h"

#include "learning/mapview/zl_ausgabe.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace zl;

namespace
{

TEST(Drucklayout, Druckerzeile)
{
    EXPECT_EQ(DruckerInfoText(QString(), QStringLiteral("LPT1:")), QStringLiteral("- Kein Drucker -"));
    EXPECT_EQ(DruckerInfoText(QStringLiteral("Laser"), QString()), QStringLiteral("Laser"));
    EXPECT_EQ(DruckerInfoText(QStringLiteral("Laser"), QStringLiteral("LPT1:")), QStringLiteral("Laser an LPT1:"));
}

TEST(Drucklayout, Seitenverhaeltnis)
{
    const QRectF Ganz = kGanzeAusgabeflaeche;
    // A section twice as wide as high: width 17,0 gives height 8,5.
    EXPECT_DOUBLE_EQ(*RatioHoehe(17.0, Ganz, 2.0), 8.5);
    EXPECT_DOUBLE_EQ(*RatioBreite(8.5, Ganz, 2.0), 17.0);
    const QRectF Teil(0.25, 0, 0.5, 1);
    EXPECT_DOUBLE_EQ(*RatioHoehe(10.0, Teil, 1.0), 20.0);
    EXPECT_DOUBLE_EQ(*RatioBreite(20.0, Teil, 1.0), 10.0);
    // No section drawn yet, an empty area, or a length of 0 or less: nothing.
    for (double a : {0.0, -1.0, std::nan(""), double(INFINITY)})
        EXPECT_FALSE(RatioHoehe(17.0, Ganz, a).has_value()) << a;
    EXPECT_FALSE(RatioHoehe(17.0, QRectF(0.5, 0, 0, 1), 1.0).has_value());
    EXPECT_FALSE(RatioBreite(5.0, QRectF(0, 0.5, 1, 0), 1.0).has_value());
    EXPECT_FALSE(RatioHoehe(0.0, Ganz, 1.0).has_value());
    EXPECT_FALSE(RatioBreite(-3.0, Ganz, 1.0).has_value());
}

TEST(Drucklayout, ZentimeterUndSeite)
{
    EXPECT_EQ(CmInZehntelMm(2.0), 200);
    EXPECT_EQ(CmInZehntelMm(17.0), 1700);
    EXPECT_EQ(CmInZehntelMm(0.125), 12); // half to even
    EXPECT_EQ(CmInZehntelMm(0.135), 14);
    const TDruckSeite s = Druckseite(2100, 2970, 250, 180, 250, 180);
    EXPECT_EQ(s.L, 250);
    EXPECT_EQ(s.T, 180);
    EXPECT_EQ(s.U, 1600);
    EXPECT_EQ(s.B, 2610);
    EXPECT_EQ(Spaltenkanten({55, 160, 105, 105, 105}, 250, 1600), (QList<int>{250, 416, 899, 1216, 1533, 1850}));
    EXPECT_EQ(Spaltenkanten({}, 10, 100), QList<int>{10});
}

// A canvas on a picture whose pixel is 0.1 mm.
struct Papier {
    explicit Papier(int w, int h) : Bild(w, h, QImage::Format_RGB32), p(&Bild), c(&p) { Bild.fill(Qt::white); }
    QImage Bild;
    QPainter p;
    TCanvas c;
};

TEST(Drucklayout, ListenschriftSchrumpftBis20)
{
    Papier P(400, 400);
    EXPECT_EQ(ListenSchrifthoehe(P.c, 10, 1800), 40);
    EXPECT_EQ(ListenSchrifthoehe(P.c, 1000, 1800), 20);
    const int h = ListenSchrifthoehe(P.c, 100, 1800);
    EXPECT_GT(h, 20);
    EXPECT_LT(h, 40);
    P.c.Font.Height = h;
    EXPECT_LE(P.c.TextWidth(QString(100, QLatin1Char('X'))), 1800);
    P.c.Font.Height = h + 1;
    EXPECT_GT(P.c.TextWidth(QString(100, QLatin1Char('X'))), 1800);
}

TEST(Drucklayout, SeitenwechselOhneLeereSchlussseite)
{
    Papier P(600, 300);
    const TDruckSeite s{10, 20, 580, 250};
    int Neu = 0;
    const TNeueSeite neu = [&] {
        ++Neu;
        return true;
    };
    // At h = 40 a page holds the lines at 20, 60, 100, 140, 180 (the next would pass 250).
    const int h = [&] {
        P.c.Font = TFontSpec{QStringLiteral("Courier New"), 40};
        return P.c.TextHeight(QStringLiteral("X"));
    }();
    ASSERT_EQ(h, 40);
    QStringList Zeilen;
    for (int i = 0; i < 5; ++i)
        Zeilen.append(QStringLiteral("Zeile %1").arg(i));
    EXPECT_EQ(DruckeListe(P.c, s, Zeilen, neu), 1);
    EXPECT_EQ(Neu, 0);
    Zeilen.append(QStringLiteral("mehr"));
    EXPECT_EQ(DruckeListe(P.c, s, Zeilen, neu), 2);
    EXPECT_EQ(Neu, 1);
    EXPECT_EQ(DruckeListe(P.c, s, {}, neu), 1);
    // A failing page ends the printout.
    EXPECT_EQ(DruckeListe(P.c, s, Zeilen, [] { return false; }), 0);
}

TEST(Drucklayout, TabelleMitKopfUndSumme)
{
    Papier P(600, 400);
    const TDruckSeite s{10, 20, 580, 380};
    TTabellenDruck t;
    t.Spaltenbreiten = {1, 1};
    t.Ausrichtungen = {0, 2};
    t.Ueberschrift = QStringLiteral("Auswahl: Test");
    t.Kopfzeile = QStringLiteral("A~B~");
    t.Summenzeile = QStringLiteral("S~9~");
    for (int i = 0; i < 3; ++i)
        t.Zeilen.append({QStringLiteral("x"), QString::number(i)});
    int Neu = 0;
    EXPECT_EQ(DruckeTabelle(P.c, s, t,
                            [&] {
                                ++Neu;
                                return true;
                            }),
              1);
    const int h = P.c.TextHeight(QStringLiteral("X"));
    // Title at 20, heading at 20 + 2h with its rule below, three rows, the sum row
    // with its rule along the top.
    auto schwarzeZeile = [&](int y) {
        int n = 0;
        for (int x = 10; x < 590; ++x)
            n += qGray(P.Bild.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(schwarzeZeile(20 + 3 * h), 500);
    EXPECT_GT(schwarzeZeile(20 + 6 * h), 500);
    EXPECT_LT(schwarzeZeile(20 + 5 * h), 100);
    // The right-aligned column ends at the page's right edge.
    int rechts = 0;
    for (int x = 0; x < 600; ++x)
        for (int y = 20 + 3 * h + 3; y < 20 + 4 * h - 2; ++y)
            if (qGray(P.Bild.pixel(x, y)) < 128)
                rechts = std::max(rechts, x);
    EXPECT_LE(rechts, 590);
    EXPECT_GE(rechts, 575);
    EXPECT_EQ(Neu, 0);
}

// The table asks for Arial of cell height 40 and steps by it: the heading's rule three lines
// below the top, and a page holds the rows that fit in steps of 40.
TEST(Drucklayout, TabelleStuftInDerZellhoehe)
{
    Papier P(600, 600);
    // Rows from T + 3 x 40 = 140; ten fit above B = 540.
    const TDruckSeite s{10, 20, 580, 540};
    TTabellenDruck t;
    t.Spaltenbreiten = {1, 1};
    t.Ausrichtungen = {0, 2};
    t.Ueberschrift = QStringLiteral("Auswahl: Test");
    t.Kopfzeile = QStringLiteral("A~B~");
    const auto Drucke = [&](int Zeilen) {
        P.Bild.fill(Qt::white);
        t.Zeilen.clear();
        for (int i = 0; i < Zeilen; ++i)
            t.Zeilen.append({QStringLiteral("x"), QString::number(i)});
        return DruckeTabelle(P.c, s, t, [] { return true; });
    };
    EXPECT_EQ(Drucke(10), 1);
    auto schwarz = [&](int y) {
        int n = 0;
        for (int x = 10; x < 590; ++x)
            n += qGray(P.Bild.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(schwarz(140), 500);
    for (int y : {142, 143})
        EXPECT_LT(schwarz(y), 100) << y;
    EXPECT_EQ(Drucke(11), 2);
}

// A list steps by the cell height its width gives (20 to 40): a page holds (B - T) / h lines.
TEST(Drucklayout, ListenseiteFasstIhreZeilen)
{
    Papier P(100, 100);
    const TDruckSeite s{10, 20, 1800, 1220};
    QList<int> Hoehen;
    for (int n = 10; n <= 160; n += 5) {
        const int h = ListenSchrifthoehe(P.c, n, s.U);
        if (Hoehen.contains(h))
            continue;
        Hoehen.append(h);
        SCOPED_TRACE(testing::Message() << n << " characters, height " << h);
        const int Passen = (s.B - s.T) / h;
        QStringList Zeilen(Passen, QString(n, QLatin1Char('X')));
        EXPECT_EQ(DruckeListe(P.c, s, Zeilen, [] { return true; }), 1);
        Zeilen.append(QStringLiteral("mehr"));
        EXPECT_EQ(DruckeListe(P.c, s, Zeilen, [] { return true; }), 2);
    }
    EXPECT_GE(Hoehen.size(), 10);
}

} // namespace
