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
    // stays the candidate's. Those with room to move shift their point and leave the spot and
    // the lines above and below it to the two that cannot move.
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
    EXPECT_EQ(platziert, 5);
    EXPECT_EQ(verschoben, 3);
    EXPECT_EQ(p[3].punkt, k[3].punkt);
    EXPECT_EQ(p[4].punkt, k[4].punkt);
}

TEST(Platzierung, ALabelNeverGivesWayToOneOfAHigherIntensity)
{
    // Whatever their priorities and whether they are mandatory, the label of the lower
    // intensity keeps its place; the other moves or is left out.
    struct Fall {
        const char* was;
        QSize karte;
        QList<Kandidat> k;
        QList<bool> platziert;
    };
    const QString S = QStringLiteral("S"), L = QStringLiteral("L"), G = QStringLiteral("G");
    const Fall faelle[] = {
        {"a mandatory country of a higher intensity and better priority on a sea's spot",
         {100, 20},
         {{L, QStringLiteral("Hochland"), {0.5, 0.5}, 0, true, 3},
          {G, QStringLiteral("Tiefsee"), {0.5, 0.5}, 5, false, 1}},
         {false, true}},
        {"the same, both of one intensity: the mandatory country first",
         {100, 20},
         {{L, QStringLiteral("Hochland"), {0.5, 0.5}, 0, true, 1},
          {G, QStringLiteral("Tiefsee"), {0.5, 0.5}, 5, false, 1}},
         {true, false}},
        {"a town whose name has room only over the dot of a town of a higher intensity",
         {100, 20},
         {{S, QStringLiteral("Oben"), {0.35, 0.5}, 0, false, 2},
          {S, QStringLiteral("Unten"), {0.05, 0.5}, 1, false, 1}},
         {false, true}},
        {"the same, both of one intensity: a town that is not mandatory pushes out none of its own",
         {100, 20},
         {{S, QStringLiteral("Oben"), {0.35, 0.5}, 1, false, 1},
          {S, QStringLiteral("Unten"), {0.05, 0.5}, 0, false, 1}},
         {true, false}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const QList<Platzierung> p = PlatziereBeschriftungen(f.k, f.karte, QStringLiteral("XX"));
        for (qsizetype i = 0; i < f.k.size(); ++i)
            EXPECT_EQ(p[i].platziert, f.platziert[i]) << i;
    }
}

TEST(Platzierung, APlacedTextOfItsOwnIntensityMovesAsideForALabelWithoutRoom)
{
    // A capital at the right edge has room only on the left of its dot, where the name of a town
    // placed before it stands: the town's name moves to its other side. For a capital of a
    // higher intensity it stays and the capital is left out.
    const QSize karte(200, 20);
    QList<Kandidat> k = {{QStringLiteral("S"), QStringLiteral("Mittel"), {0.5, 0.5}, 0, false, 1},
                         {QStringLiteral("H"), QStringLiteral("Randhaupt"), {0.95, 0.5}, 1, false, 1}};
    QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    EXPECT_LT(p[0].dx, 0);
    EXPECT_LT(p[1].dx, 0);
    EXPECT_FALSE(Ueberlappen(Felder(k[0], p[0], karte), Felder(k[1], p[1], karte)));
    k[1].intens = 2;
    p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    EXPECT_TRUE(p[0].platziert);
    EXPECT_GT(p[0].dx, 0);
    EXPECT_FALSE(p[1].platziert);
}

TEST(Platzierung, ALabelLeavesRoomToACountryOfAHigherIntensity)
{
    // A sea's name and a country's name on one spot of a strip with room for both one above
    // the other: the sea's name, placed first, takes the place that leaves the country one.
    const QSize karte(200, 36);
    const QList<Kandidat> k = {{QStringLiteral("G"), QStringLiteral("Meer"), {0.5, 0.5}, 0, false, 1},
                               {QStringLiteral("L"), QStringLiteral("Festland"), {0.5, 0.5}, 1, false, 3}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert && p[1].platziert);
    EXPECT_FALSE(Ueberlappen(Felder(k[0], p[0], karte), Felder(k[1], p[1], karte)));
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
    // A country's name at the edge moves inside; a mandatory town's name that fits nowhere is left
    // out, and so is a lake's at the edge, whose point stays on its water.
    const QSize karte(200, 16);
    const QList<Kandidat> k = {
        {QStringLiteral("L"), QStringLiteral("Randland"), {0.995, 0.1}, 0, true, 1},
        {QStringLiteral("H"), QStringLiteral("Eine sehr lange Hauptstadt mit Namen"), {0.5, 0.5}, 1, true, 2},
        {QStringLiteral("G"), QStringLiteral("Randsee"), {0.005, 0.5}, 2, true, 1}};
    const QList<Platzierung> p = PlatziereBeschriftungen(k, karte, QStringLiteral("XX"));
    ASSERT_TRUE(p[0].platziert);
    for (const QRectF& b : Felder(k[0], p[0], karte))
        EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(karte)).contains(b));
    EXPECT_LT(p[0].punkt.x(), 0.995);
    EXPECT_FALSE(p[1].platziert);
    EXPECT_FALSE(p[2].platziert);
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
