#include "tools/atlasgen/Platzierung.h"
#include "tools/atlasgen/Atlas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zl::atlas;

TEST(Platzierung, TextBoxFollowsTheLearningMapsOffsets)
{
    Schriftmass m;
    m.textBreite = 40;
    m.hoeheX = 10; // lh = 8
    m.hoehe = 14;
    m.zeilen = 1;
    // Centred, top 0.65 lh above the point.
    QRectF b = TextBox(m, 0, 0);
    EXPECT_DOUBLE_EQ(b.left(), -20);
    EXPECT_DOUBLE_EQ(b.top(), std::round(-0.65 * 8));
    EXPECT_DOUBLE_EQ(b.height(), 14);
    // dx = 2: centre moves by half the width plus the gap 7k (k = 0.7).
    b = TextBox(m, 2, 0);
    EXPECT_DOUBLE_EQ(b.center().x(), std::round(7 * 0.7 + 20));
    b = TextBox(m, -3, 0);
    EXPECT_DOUBLE_EQ(b.center().x(), std::round(-7 * 0.7 - 30));
    // dy moves by lh per step; two lines stand 2 lh apart around the same place.
    b = TextBox(m, 0, -2);
    EXPECT_DOUBLE_EQ(b.top(), std::round(-2.65 * 8));
    // German state maps draw 1.2 times as large: the gap beside the symbol grows with it.
    EXPECT_DOUBLE_EQ(TextBox(m, 2, 0, 1.2).center().x(), std::round(7 * 0.7 * 1.2 + 20));
    EXPECT_DOUBLE_EQ(Textskalierung(QStringLiteral("DBAY")), 1.2);
    EXPECT_DOUBLE_EQ(Textskalierung(QStringLiteral("DEU")), 1.0);
    EXPECT_DOUBLE_EQ(Textskalierung(QStringLiteral("EURO")), 1.0);
    EXPECT_GT(MesseText(QStringLiteral("S"), QStringLiteral("Köln"), 1.2).textBreite,
              MesseText(QStringLiteral("S"), QStringLiteral("Köln")).textBreite);
    m.zeilen = 2;
    b = TextBox(m, 0, 0);
    EXPECT_DOUBLE_EQ(b.top(), std::round(-0.65 * 8) - 8);
    EXPECT_DOUBLE_EQ(b.bottom(), std::round(-0.65 * 8) + 8 + 14);
}

TEST(Platzierung, LongNamesBreakNearTheMiddle)
{
    struct Fall {
        const char16_t* ein;
        const char16_t* aus;
    };
    const Fall faelle[] = {
        {u"Bayern", u"Bayern"},
        {u"Baden-Württemberg", u"Baden-|Württemberg"},
        {u"Golf von Biskaya", u"Golf von|Biskaya"},
        {u"Mecklenburgische Seenplatte", u"Mecklenburgische|Seenplatte"},
        {u"Kilimandscharomassiv", u"Kilimandscharomassiv"}, // no place to break
        {u"Golf von|Biskaya", u"Golf von|Biskaya"},         // already broken
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(UmbrechenWennLang(QString::fromUtf16(f.ein)), QString::fromUtf16(f.aus));
}

TEST(Platzierung, SpacedCapitalsForContinents)
{
    EXPECT_EQ(AngezeigteZeilen(QStringLiteral("K"), QStringLiteral("Asien")).join(u'|'),
              QStringLiteral("A    S    I    E    N"));
    EXPECT_EQ(AngezeigteZeilen(QStringLiteral("LX"), QStringLiteral("Groß|Land")).join(u'|'),
              QStringLiteral("G    R    O    S    S|L    A    N    D"));
    EXPECT_EQ(AngezeigteZeilen(QStringLiteral("S"), QStringLiteral("Köln")).join(u'|'), QStringLiteral("Köln"));
}

TEST(Platzierung, AvoidsCollisionsAndEdges)
{
    const double w = 1000, h = 800;
    // Two cities close together: the second takes another side.
    QList<Kandidat> k = {{QStringLiteral("S"), QStringLiteral("Erststadt"), {0.5, 0.5}, 1, false},
                         {QStringLiteral("S"), QStringLiteral("Zweitstadt"), {0.53, 0.5}, 2, false}};
    QList<Platzierung> p = PlatziereBeschriftungen(k, w, h);
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    auto box = [&](int i) {
        return TextBox(MesseText(k[i].ObjTyp, k[i].Bez), p[i].dx, p[i].dy)
            .translated(k[i].punkt.x() * w, k[i].punkt.y() * h);
    };
    EXPECT_FALSE(box(0).intersects(box(1)));
    // Neither text covers the other town's dot.
    EXPECT_FALSE(box(0).intersects(SymbolBox(QStringLiteral("S")).translated(530, 400)));
    EXPECT_FALSE(box(1).intersects(SymbolBox(QStringLiteral("S")).translated(500, 400)));

    // At the right edge a city is labelled to the left of its dot.
    k = {{QStringLiteral("S"), QStringLiteral("Randstadt"), {0.995, 0.5}, 1, false}};
    p = PlatziereBeschriftungen(k, w, h);
    ASSERT_TRUE(p[0].platziert);
    EXPECT_LT(p[0].dx, 0);
    EXPECT_TRUE(QRectF(0, 0, w, h).contains(box(0)));

    // A town whose name fits nowhere on the map is dropped; mandatory names are kept even when
    // they cannot avoid each other.
    k = {{QStringLiteral("L"), QStringLiteral("Erstland"), {0.5, 0.5}, 0, true},
         {QStringLiteral("L"), QStringLiteral("Zweitland"), {0.5, 0.5}, 1, true},
         {QStringLiteral("L"), QStringLiteral("Drittland"), {0.5, 0.5}, 2, true},
         {QStringLiteral("S"), QStringLiteral("Sehr lange Ortsbezeichnung"), {0.9, 0.9}, 3, false}};
    p = PlatziereBeschriftungen(k, 100, 40);
    EXPECT_TRUE(p[0].platziert && p[1].platziert && p[2].platziert);
    EXPECT_FALSE(p[3].platziert);
}

TEST(Platzierung, OverviewPanelsKeepApartInsideTheirMaps)
{
    // Three maps over one another: their panels do not overlap and stay inside their rectangles.
    QList<zl::atlas::Kartenfeld> f = {
        {QStringLiteral("EUR"), QStringLiteral("A"), QStringLiteral("Mitteleuropa"), QRectF(0.3, 0.3, 0.3, 0.3), {}},
        {QStringLiteral("EUR"), QStringLiteral("B"), QStringLiteral("Deutschland"), QRectF(0.35, 0.35, 0.2, 0.2), {}},
        {QStringLiteral("EUR"), QStringLiteral("C"), QStringLiteral("Alpen"), QRectF(0.4, 0.4, 0.15, 0.1), {}},
        {QStringLiteral("DEU"), QStringLiteral("D"), QStringLiteral("Bayern"), QRectF(0.4, 0.4, 0.15, 0.1), {}},
    };
    zl::atlas::PlatziereFelder(f, QStringLiteral("EUR"));
    auto box = [&](int i) {
        const QSizeF g((f[i].name.size() + 2) * 7 / 960.0, 0.04);
        return QRectF(f[i].feld - QPointF(g.width() / 2, g.height() / 2), g);
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(f[i].mark.contains(f[i].feld)) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(box(i).intersects(box(j))) << i << " " << j;
    }
    EXPECT_EQ(f[3].feld, QPointF()); // another overview is left alone
}
