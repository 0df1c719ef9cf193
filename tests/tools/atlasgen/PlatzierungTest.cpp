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

TEST(Platzierung, MandatoryLabelsKeepApartFromTheirOwnIntensity)
{
    // Five countries on one spot of a narrow strip: no two texts of one intensity meet;
    // those that meet one of every intensity are dropped.
    const double w = 90, h = 20;
    QList<Kandidat> k;
    for (int i = 0; i < 5; ++i)
        k.append(Kandidat{QStringLiteral("L"), QStringLiteral("Land %1").arg(i), {0.5, 0.5}, i, true, 1});
    const QList<Platzierung> p = PlatziereBeschriftungen(k, w, h);
    ASSERT_TRUE(p[0].platziert);
    EXPECT_EQ(p[0].intens, 1);
    int gedroppt = 0, hoeher = 0;
    for (qsizetype i = 0; i < k.size(); ++i) {
        gedroppt += p[i].platziert ? 0 : 1;
        hoeher += p[i].platziert && p[i].intens > 1 ? 1 : 0;
        for (qsizetype j = 0; j < i; ++j) {
            if (!p[i].platziert || !p[j].platziert || p[i].intens != p[j].intens)
                continue;
            auto box = [&](qsizetype n) {
                return TextBox(MesseText(k[n].ObjTyp, k[n].Bez), p[n].dx, p[n].dy)
                    .translated(p[n].punkt.x() * w, p[n].punkt.y() * h);
            };
            const QRectF x = box(i).intersected(box(j));
            EXPECT_FALSE(x.width() > 1 && x.height() > 1) << i << " " << j;
        }
    }
    EXPECT_GT(gedroppt, 0);
    EXPECT_GT(hoeher, 0);
}

TEST(Platzierung, TextsStayInsideTheMap)
{
    // A country's name at the edge moves inside; a mandatory town's name that fits nowhere is dropped.
    const double w = 200, h = 16;
    const QList<Kandidat> k = {
        {QStringLiteral("L"), QStringLiteral("Randland"), {0.995, 0.1}, 0, true, 1},
        {QStringLiteral("H"), QStringLiteral("Eine sehr lange Hauptstadt mit Namen"), {0.5, 0.5}, 1, true, 2}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, w, h);
    ASSERT_TRUE(p[0].platziert);
    const QRectF box =
        TextBox(MesseText(k[0].ObjTyp, k[0].Bez), p[0].dx, p[0].dy).translated(p[0].punkt.x() * w, p[0].punkt.y() * h);
    EXPECT_TRUE(QRectF(0, 0, w, h).contains(box));
    EXPECT_LT(p[0].punkt.x(), 0.995);
    EXPECT_FALSE(p[1].platziert);
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
        const QSizeF g((f[i].name.size() + 2) * 7 / 1000.0, 0.04);
        return QRectF(f[i].feld - QPointF(g.width() / 2, g.height() / 2), g);
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(f[i].mark.contains(f[i].feld)) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(box(i).intersects(box(j))) << i << " " << j;
    }
    EXPECT_EQ(f[3].feld, QPointF()); // another overview is left alone

    // The box of the page's description text stays free.
    QList<zl::atlas::Kartenfeld> g = {
        {QStringLiteral("EUR"), QStringLiteral("A"), QStringLiteral("Westeuropa"), QRectF(0.0, 0.2, 0.3, 0.3), {}}};
    const QRectF text(0.0, 0.19, 0.18, 0.24);
    zl::atlas::PlatziereFelder(g, QStringLiteral("EUR"), text);
    const QSizeF gr(12 * 7 / 1000.0, 0.04);
    EXPECT_FALSE(QRectF(g[0].feld - QPointF(gr.width() / 2, gr.height() / 2), gr).intersects(text));
    EXPECT_TRUE(g[0].mark.contains(g[0].feld));
}
