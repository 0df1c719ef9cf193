#include "tools/atlasgen/Platzierung.h"
#include "tools/atlasgen/Atlas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zl::atlas;

namespace
{

// The boxes of a placed label on the map, in both programs.
Programmfelder Felder(const Kandidat& k, const Platzierung& p, QSize karte,
                      const QString& KartID = QStringLiteral("XX"))
{
    const Beschriftungsfelder f = Vermesse(KartID, k.ObjTyp, p.Bez.isEmpty() ? k.Bez : p.Bez, p.dx, p.dy);
    const QPointF punkt(std::round(p.punkt.x() * 10000) / 10000 * karte.width(),
                        std::round(p.punkt.y() * 10000) / 10000 * karte.height());
    Programmfelder b;
    for (int i = 0; i < kProgramme; ++i)
        b[i] = f.text[i].translated(std::nearbyint(punkt.x()), std::nearbyint(punkt.y()));
    return b;
}

bool Ueberlappen(const Programmfelder& a, const Programmfelder& b)
{
    for (int i = 0; i < kProgramme; ++i)
        if (a[i].intersects(b[i]))
            return true;
    return false;
}

} // namespace

TEST(Platzierung, BoxesAreMeasuredByBothProgramsRenderers)
{
    const QString koeln = QStringLiteral("Köln");
    const Beschriftungsfelder rechts = Vermesse(QStringLiteral("DEU"), QStringLiteral("S"), koeln, 2, 0);
    const Beschriftungsfelder links = Vermesse(QStringLiteral("DEU"), QStringLiteral("S"), koeln, -2, 0);
    const Beschriftungsfelder oben = Vermesse(QStringLiteral("DEU"), QStringLiteral("S"), koeln, 0, -2);
    for (int p = 0; p < kProgramme; ++p) {
        SCOPED_TRACE(p);
        // A town's dot round its point; the text beside it on the side dx names, above it for dy < 0.
        ASSERT_FALSE(rechts.symbol[p].isNull());
        EXPECT_TRUE(rechts.symbol[p].contains(QPointF(0, 0)));
        EXPECT_GT(rechts.text[p].left(), rechts.symbol[p].right());
        EXPECT_LT(links.text[p].right(), links.symbol[p].left());
        EXPECT_LT(oben.text[p].bottom(), oben.symbol[p].top());
        EXPECT_DOUBLE_EQ(rechts.text[p].width(), links.text[p].width());
        // Continents in spaced capitals (Foliavo shows them as large lands, LX), far wider than the name.
        const QRectF k = Vermesse(QStringLiteral("WELT"), QStringLiteral("K"), QStringLiteral("Asien"), 0, 0).text[p];
        const QRectF l = Vermesse(QStringLiteral("WELT"), QStringLiteral("L"), QStringLiteral("Asien"), 0, 0).text[p];
        EXPECT_GT(k.width(), 2 * l.width());
        EXPECT_GT(k.height(), l.height());
        // Two lines stand one above the other round the place of one.
        const QRectF zwei =
            Vermesse(QStringLiteral("WELT"), QStringLiteral("L"), QStringLiteral("Groß|Land"), 0, 0).text[p];
        const QRectF eins = Vermesse(QStringLiteral("WELT"), QStringLiteral("L"), QStringLiteral("Land"), 0, 0).text[p];
        EXPECT_GT(zwei.height(), 1.8 * eins.height());
        EXPECT_LT(zwei.top(), eins.top());
        EXPECT_GT(zwei.bottom(), eins.bottom());
        // No text for a label type the programs do not draw.
        EXPECT_TRUE(Vermesse(QStringLiteral("WELT"), QStringLiteral("Q"), koeln, 0, 0).text[p].isNull());
    }
    // Kartivo draws 1.2 times as large on the German state maps; Foliavo does not.
    const Beschriftungsfelder land = Vermesse(QStringLiteral("DBAY"), QStringLiteral("S"), koeln, 2, 0);
    EXPECT_GT(land.text[kKartivo].width(), rechts.text[kKartivo].width());
    EXPECT_DOUBLE_EQ(land.text[kFoliavo].width(), rechts.text[kFoliavo].width());
    EXPECT_EQ(FoliavoTyp(QStringLiteral("UG")), QStringLiteral("L"));
    EXPECT_EQ(FoliavoTyp(QStringLiteral("K")), QStringLiteral("LX"));
    EXPECT_EQ(FoliavoTyp(QStringLiteral("IS")), QStringLiteral("IS"));
    EXPECT_EQ(Kartenbox(2200, 880), QSize(790, 316));
    EXPECT_EQ(Kartenbox(1000, 2000), QSize(430, 860));
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

TEST(Platzierung, AvoidsCollisionsAndEdges)
{
    const QSize karte(1000, 800);
    // Two towns close together: the second takes another side.
    QList<Kandidat> k = {{QStringLiteral("S"), QStringLiteral("Erststadt"), {0.5, 0.5}, 1, false},
                         {QStringLiteral("S"), QStringLiteral("Zweitstadt"), {0.53, 0.5}, 2, false}};
    QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    EXPECT_FALSE(Ueberlappen(Felder(k[0], p[0], karte), Felder(k[1], p[1], karte)));
    // Neither text covers the other town's dot.
    const Programmfelder punkt1 = Vermesse(QStringLiteral("XX"), QStringLiteral("S"), k[1].Bez, 0, 0).symbol;
    const Programmfelder punkt0 = Vermesse(QStringLiteral("XX"), QStringLiteral("S"), k[0].Bez, 0, 0).symbol;
    for (int i = 0; i < kProgramme; ++i) {
        EXPECT_FALSE(Felder(k[0], p[0], karte)[i].intersects(punkt1[i].translated(530, 400)));
        EXPECT_FALSE(Felder(k[1], p[1], karte)[i].intersects(punkt0[i].translated(500, 400)));
    }

    // At the right edge a town is labelled to the left of its dot.
    k = {{QStringLiteral("S"), QStringLiteral("Randstadt"), {0.995, 0.5}, 1, false}};
    p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert);
    EXPECT_LT(p[0].dx, 0);
    for (const QRectF& b : Felder(k[0], p[0], karte))
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(karte)).contains(b));

    // Of three mandatory countries on one spot of a small map only those that find room are placed,
    // the first of them; a town whose name fits nowhere on the map is left out.
    k = {{QStringLiteral("L"), QStringLiteral("Erstland"), {0.5, 0.5}, 0, true},
         {QStringLiteral("L"), QStringLiteral("Zweitland"), {0.5, 0.5}, 1, true},
         {QStringLiteral("L"), QStringLiteral("Drittland"), {0.5, 0.5}, 2, true},
         {QStringLiteral("S"), QStringLiteral("Sehr lange Ortsbezeichnung"), {0.9, 0.9}, 3, false}};
    p = PlatziereBeschriftungen(k, QSize(100, 40), QStringLiteral("XX"));
    EXPECT_TRUE(p[0].platziert);
    EXPECT_FALSE(p[1].platziert && p[2].platziert);
    EXPECT_FALSE(p[3].platziert);
}

TEST(Platzierung, LabelsKeepApartWhateverTheirIntensity)
{
    // Five countries of every intensity on one spot of a narrow strip: no two placed texts meet
    // in either program, since all are shown together at the highest intensity; the intensity
    // stays the candidate's. Those with room to move shift their point.
    const QSize karte(300, 40);
    QList<Kandidat> k;
    for (int i = 0; i < 5; ++i)
        k.append(Kandidat{QStringLiteral("L"),
                          QStringLiteral("Land %1").arg(i),
                          {0.5, 0.5},
                          i,
                          true,
                          1 + i % 3,
                          i < 3 ? 120.0 : 0.0});
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    int platziert = 0, verschoben = 0;
    for (qsizetype i = 0; i < k.size(); ++i) {
        if (!p[i].platziert)
            continue;
        ++platziert;
        verschoben += p[i].punkt != k[i].punkt ? 1 : 0;
        for (qsizetype j = 0; j < i; ++j) {
            if (!p[j].platziert)
                continue;
            EXPECT_FALSE(Ueberlappen(Felder(k[i], p[i], karte), Felder(k[j], p[j], karte))) << i << " " << j;
        }
    }
    EXPECT_TRUE(p[0].platziert && p[1].platziert && p[2].platziert);
    EXPECT_EQ(platziert, 3); // the two without room have none left
    EXPECT_EQ(verschoben, 2);
}

TEST(Platzierung, AMandatoryNamePushesOutTheTownsUnderIt)
{
    // A small country whose name can only stand over two towns' dots: the towns give way. A
    // mandatory town's dot is never covered: then the country's name is the one left out.
    const QSize karte(60, 20);
    QList<Kandidat> k = {{QStringLiteral("L"), QStringLiteral("Mitte"), {0.5, 0.5}, 0, true},
                         {QStringLiteral("S"), QStringLiteral("Aa"), {0.5, 0.45}, 1, false},
                         {QStringLiteral("S"), QStringLiteral("Bb"), {0.55, 0.55}, 2, false}};
    QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    EXPECT_TRUE(p[0].platziert);
    EXPECT_FALSE(p[1].platziert);
    EXPECT_FALSE(p[2].platziert);
    k[1].pflicht = true;
    p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    EXPECT_FALSE(p[0].platziert);
    EXPECT_TRUE(p[1].platziert);
}

TEST(Platzierung, ContinentsKeepWellApartFromTheirNeighboursInARow)
{
    // Two continents whose points lie side by side: the second keeps the letters' spacing twice
    // over from the first, so that the two do not read as one word.
    const QSize karte(800, 100);
    const QList<Kandidat> k = {{QStringLiteral("K"), QStringLiteral("Westen"), {0.35, 0.5}, 0, true, 1, 300},
                               {QStringLiteral("K"), QStringLiteral("Osten"), {0.57, 0.5}, 1, true, 1, 300}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("WELT"));
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    const Programmfelder a = Felder(k[0], p[0], karte), b = Felder(k[1], p[1], karte);
    for (int i = 0; i < kProgramme; ++i)
        EXPECT_FALSE(a[i].adjusted(-39, -1, 39, 1).intersects(b[i])) << i;
}

TEST(Platzierung, ANameOfTwoWordsTakesTwoLinesWhereOneFindsNoRoom)
{
    // Too wide for the map in one line; a one-word name keeps its line.
    const QSize karte(60, 100);
    const QList<Kandidat> k = {{QStringLiteral("L"), QStringLiteral("Weites Land"), {0.5, 0.3}, 0, true},
                               {QStringLiteral("S"), QStringLiteral("Ort"), {0.2, 0.85}, 1, false}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    EXPECT_EQ(p[0].Bez, QStringLiteral("Weites|Land"));
    EXPECT_EQ(p[1].Bez, QStringLiteral("Ort"));
    for (const QRectF& b : Felder(k[0], p[0], karte))
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(karte)).contains(b));
}

TEST(Platzierung, TextsStayInsideTheMap)
{
    // A country's name at the edge moves inside; a mandatory town's name that fits nowhere is left out.
    const QSize karte(200, 16);
    const QList<Kandidat> k = {
        {QStringLiteral("L"), QStringLiteral("Randland"), {0.995, 0.1}, 0, true, 1},
        {QStringLiteral("H"), QStringLiteral("Eine sehr lange Hauptstadt mit Namen"), {0.5, 0.5}, 1, true, 2}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert);
    for (const QRectF& b : Felder(k[0], p[0], karte))
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(karte)).contains(b));
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
