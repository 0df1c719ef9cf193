// Answer generators and their rules.
#include "learning/exercise/zl_uebantworten.h"

#include "UebTestdaten.h"
#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/zl_data.h"

#include <gtest/gtest.h>

#include <set>

using namespace zl;

namespace {

class UebAntworten : public ::testing::Test {
protected:
    void SetUp() override
    {
        testdaten::Setze();
        seed_ = Zufall::RandSeed();
    }
    void TearDown() override
    {
        testdaten::Leere();
        Zufall::SetRandSeed(seed_);
    }
    std::int32_t seed_ = 0;
};

// The row of a name (of the region, or any region for -2).
int SucheLand(const QString& Name, int Gebiet)
{
    for (qsizetype r = 0; r < LaenderDaten.size(); ++r)
        if (LaenderDaten[r].Name == Name && (Gebiet == -2 || LaenderDaten[r].Gebiet == Gebiet))
            return int(r);
    return 0;
}

QStringList texte(const std::array<double, 9>& L)
{
    QStringList s;
    for (double x : L)
        s << FormatiereGanzzahl(x, 0);
    return s;
}

} // namespace

TEST(ZahlenLeiter, TwoSignificantDigits)
{
    EXPECT_EQ(texte(ZahlenLeiter(4321)).join(u' '),
              QStringLiteral("150 350 810 1.900 4.300 9.900 23.000 53.000 120.000"));
    EXPECT_EQ(texte(ZahlenLeiter(37)).join(u' '), QStringLiteral("1 1 5 15 37 86 200 450 1.000"));
    // Never below 1; large figures stay exact past 32 bits.
    for (double x : ZahlenLeiter(1))
        EXPECT_GE(x, 1.0);
    EXPECT_EQ(texte(ZahlenLeiter(8.1e9))[8], QStringLiteral("230.000.000.000"));
    EXPECT_EQ(texte(ZahlenLeiter(0))[4], QStringLiteral("0"));
}

TEST_F(UebAntworten, NumberAnswersAreFiveDifferentRungs)
{
    for (std::int32_t seed : {1, 77, 123456, -5}) {
        Zufall::SetRandSeed(seed);
        Fragenentwurf f;
        f.Antworten[0] = QStringLiteral("4.321");
        ASSERT_TRUE(ZahlenAntworten(f, QStringLiteral(" Einw./km²")));
        EXPECT_EQ(f.Antworten[0], QStringLiteral("4.300 Einw./km²"));
        std::set<QString> alle(f.Antworten.begin(), f.Antworten.end());
        EXPECT_EQ(alle.size(), 5u);
        for (const QString& a : f.Antworten)
            EXPECT_TRUE(a.endsWith(QStringLiteral(" Einw./km²")));
    }
    // A ladder of fewer than five different numbers cannot give four wrong answers.
    Fragenentwurf f;
    f.Antworten[0] = QStringLiteral("0");
    ASSERT_TRUE(ZahlenAntworten(f, {})); // 0 1 2 3 4 (and 1s): five values
}

TEST(UebRegeln, LookAlikeFlagsIgnoreCase)
{
    const struct {
        const char* a;
        const char* b;
        bool ok;
    } faelle[] = {{"luxemb.jpg", "NIEDERLA.JPG", false}, {"Frankr.jpg", "franzguayana.jpg", false},
                  {"indones.jpg", "monaco.jpg", false},  {"luxemb.jpg", "belgien.jpg", true},
                  {"niederla.jpg", "frankr.jpg", true}};
    for (const auto& f : faelle) {
        Fragenentwurf e;
        e.Antworten[0] = QString::fromLatin1(f.a);
        e.Antworten[1] = QStringLiteral("x.jpg");
        e.Antworten[2] = QString::fromLatin1(f.b);
        EXPECT_TRUE(FlaggenUnterscheidbar(e, 1));
        EXPECT_EQ(FlaggenUnterscheidbar(e, 2), f.ok) << f.a << " " << f.b;
    }
}

TEST_F(UebAntworten, RulesOnPositionsNamesAndRegions)
{
    testdaten::Objekt(QStringLiteral("S"), QStringLiteral("A"), 0.5, 0.5);
    testdaten::Objekt(QStringLiteral("S"), QStringLiteral("B"), 0.5 + 0.0999, 0.5);
    testdaten::Objekt(QStringLiteral("S"), QStringLiteral("C"), 0.5 + 0.06, 0.5 + 0.08); // exactly 0.1
    const int n = int(ObjDaten.size());
    Fragenentwurf f;
    f.ObjIndizes = {n - 3, n - 2, n - 1, -1, -1};
    EXPECT_FALSE(ObjekteAuseinander(f, 1));
    f.ObjIndizes[1] = n - 1;
    EXPECT_TRUE(ObjekteAuseinander(f, 1));

    f.Antworten = {QStringLiteral("Alpha"), QStringLiteral("alpha"), QStringLiteral("Alpha")};
    EXPECT_TRUE(AntwortNeu(f, 1)); // with case
    EXPECT_FALSE(AntwortNeu(f, 2));

    laenderdatatyp l;
    l.Gebiet = 0;
    EXPECT_TRUE(LandImGebiet(l, 0)); // the continents' own rows on a map of region 0
    l.Gebiet = 30;
    EXPECT_TRUE(LandImGebiet(l, 0));
    EXPECT_FALSE(LandImGebiet(l, 10));
    l.Gebiet = 11;
    EXPECT_FALSE(LandImGebiet(l, 0));
}

TEST_F(UebAntworten, IndexCountsAndFindsByCategory)
{
    testdaten::Objekt(QStringLiteral("IS"), QStringLiteral("Zypern"), 0.9, 0.9, 2);
    testdaten::Objekt(QStringLiteral("I"), QStringLiteral("Experteninsel"), 0.9, 0.1, 3);
    TUebIndex i;
    i.Aufbauen(testdaten::kKarte, 2, 10);
    EXPECT_EQ(i.KategorieAnzahl(1), 9); // 8 countries and the island state
    EXPECT_EQ(i.KategorieAnzahl(2), 8);
    EXPECT_EQ(i.KategorieAnzahl(5), 7); // 6 islands and the island state, not the intensity-3 one
    EXPECT_EQ(i.KategorieAnzahl(6), 0);
    const auto gezaehlt = ZaehleKategorieObjekte(ObjDaten, testdaten::kKarte, 2);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(gezaehlt[std::size_t(c - 1)], i.KategorieAnzahl(c));
        for (int k = 0; k <= i.KategorieAnzahl(c); ++k)
            EXPECT_EQ(i.KategorieObjekt(k, c), FindeKategorieObjekt(ObjDaten, testdaten::kKarte, 2, k, c));
    }
    EXPECT_EQ(ObjDaten[i.KategorieObjekt(8, 1)].Bez, QStringLiteral("Zypern"));
    EXPECT_EQ(i.KategorieObjekt(9, 1), -1);
    EXPECT_EQ(i.Einzeilig(i.KategorieObjekt(2, 2)), QStringLiteral("Kopenhagen"));

    // The search finds the exercise map first, then the map list; markup and case do not matter.
    QString karte;
    EXPECT_EQ(ObjDaten[i.SucheObjekt(QStringLiteral("KOPENHAGEN"), 2, karte)].Bez, QStringLiteral("Kopen-|hagen"));
    EXPECT_EQ(karte, testdaten::kKarte);
    EXPECT_GE(i.SucheObjekt(QStringLiteral("Moskau"), 2, karte), 0);
    EXPECT_EQ(karte, QStringLiteral("ZWEI"));
    EXPECT_EQ(i.SucheObjekt(QStringLiteral("Moskau"), 1, karte), -1);
    EXPECT_EQ(karte, testdaten::kKarte);
}

// A region with four rows cannot give five different names: the generator
// gives up at once instead of drawing for ever.
TEST_F(UebAntworten, CountryGeneratorsGiveUpWhenTheRegionIsTooSmall)
{
    testdaten::Land(QStringLiteral("Eins"), 71, 1, 1, QStringLiteral("E1"), QStringLiteral("e1.jpg"));
    testdaten::Land(QStringLiteral("Zwei"), 71, 1, 1, QStringLiteral("E2"), QStringLiteral("e2.jpg"));
    testdaten::Land(QStringLiteral("Drei"), 71, 1, 1, QStringLiteral("E3"), QStringLiteral("e3.jpg"));
    testdaten::Land(QStringLiteral("Vier"), 71, 1, 1, QStringLiteral("E4"), QStringLiteral("e4.jpg"));
    TUebIndex i;
    i.Aufbauen(testdaten::kKarte, 3, 71);
    Fragenentwurf f;
    f.Antworten[0] = QStringLiteral("Eins");
    EXPECT_FALSE(LaenderAntworten(f, i));
    f = {};
    f.Antworten[0] = QStringLiteral("E1");
    EXPECT_FALSE(HauptstadtAntworten(f, i));
    f = {};
    f.Antworten[0] = QStringLiteral("e1.jpg");
    EXPECT_FALSE(FlaggenAntworten(f, i));

    testdaten::Land(QStringLiteral("Fünf"), 71, 1, 1, QStringLiteral("E5"), QStringLiteral("e5.jpg"));
    i.Aufbauen(testdaten::kKarte, 3, 71);
    f = {};
    f.Antworten[0] = QStringLiteral("Eins");
    ASSERT_TRUE(LaenderAntworten(f, i));
    std::set<QString> alle(f.Antworten.begin(), f.Antworten.end());
    EXPECT_EQ(alle.size(), 5u);
}

// The outlier of a region whose code is no multiple of ten (here the EU, 19) is
// neither one of its members nor the map itself.
TEST_F(UebAntworten, OutlierOfASubRegionIsNoMember)
{
    for (const char* name : {"Frankreich", "Belgien", "Dänemark", "Estland", "Finnland", "Ungarn"})
        testdaten::Land(QString::fromUtf8(name), 19, 1, 1, QStringLiteral("X"), QString());
    TUebIndex i;
    i.Aufbauen(testdaten::kKarte, 3, 19);
    for (std::int32_t seed = 1; seed <= 200; ++seed) {
        Zufall::SetRandSeed(seed);
        Fragenentwurf f;
        f.KartenName = QStringLiteral("Japan"); // the map's own name is never the outlier either
        ASSERT_TRUE(AusreisserAntworten(f, i));
        for (const char* name : {"Frankreich", "Belgien", "Dänemark", "Estland", "Finnland", "Ungarn", "Japan"})
            EXPECT_NE(f.Antworten[0], QString::fromUtf8(name)) << seed;
        for (int k = 1; k <= 4; ++k) // the wrong answers are the members
            EXPECT_EQ(LaenderDaten[SucheLand(f.Antworten[std::size_t(k)], 19)].Gebiet, 19);
    }
    // On a continent map any country of another continent will do, never the continent itself.
    i.Aufbauen(testdaten::kKarte, 3, 10);
    for (std::int32_t seed = 1; seed <= 50; ++seed) {
        Zufall::SetRandSeed(seed);
        Fragenentwurf f;
        ASSERT_TRUE(AusreisserAntworten(f, i));
        const int g = LaenderDaten[SucheLand(f.Antworten[0], -2)].Gebiet;
        EXPECT_TRUE(g == 20 || g == 30) << f.Antworten[0].toStdString();
    }
}

TEST_F(UebAntworten, ObjectAnswersKeepApartAndDifferInTheirOneLineForm)
{
    // "Nord-|see" and "Nord see" look the same on a button.
    testdaten::Objekt(QStringLiteral("G"), QStringLiteral("Nord see"), 0.95, 0.95);
    TUebIndex i;
    i.Aufbauen(testdaten::kKarte, 3, 10);
    for (std::int32_t seed = 1; seed <= 300; ++seed) {
        Zufall::SetRandSeed(seed);
        Fragenentwurf f;
        f.Objekt = i.KategorieObjekt(0, 3);
        f.Antworten[0] = i.Einzeilig(f.Objekt);
        if (!ObjektAntworten(f, i, 3))
            continue;
        std::set<QString> alle(f.Antworten.begin(), f.Antworten.end());
        EXPECT_EQ(alle.size(), 5u) << seed;
        for (int k = 1; k <= 4; ++k)
            EXPECT_TRUE(ObjekteAuseinander(f, k));
    }
    // Too few objects: the generator gives up after its 100 draws.
    testdaten::Setze();
    for (int k = 0; k < 5; ++k)
        testdaten::Objekt(QStringLiteral("GB"), QStringLiteral("Eng"), 0.5 + 0.01 * k, 0.5, 1, QStringLiteral("ENG"));
    i.Aufbauen(QStringLiteral("ENG"), 3, 10);
    Fragenentwurf f;
    f.Objekt = i.KategorieObjekt(0, 4);
    f.Antworten[0] = i.Einzeilig(f.Objekt);
    EXPECT_FALSE(ObjektAntworten(f, i, 4));
}
