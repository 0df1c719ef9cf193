// Learning lists, counts, country facts, tab colours and the geometry of both pages, for
// the generated fixture map and for small hand-made tables.

#include "learning/mapview/zl_lernlayout.h"
#include "learning/mapview/zl_lernlisten.h"

#include "fixtures/DataFolder.h"

#include "MapTestDruck.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace zl
{
namespace
{

class FixtureDaten : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(s_dir->path(), {false}));
        DatenInitialisieren(s_dir->path() + QLatin1Char('/'));
    }
    static void TearDownTestSuite()
    {
        DatenFreigeben();
        delete s_dir;
    }
    static QStringList Texte(const TLernliste& l)
    {
        QStringList r;
        for (const TLernEintrag& e : l)
            r << e.Text;
        return r;
    }
    static inline QTemporaryDir* s_dir = nullptr;
};

TEST_F(FixtureDaten, ListsOfTheGermanMap)
{
    const TLernlisten L = FuelleLernlisten(ObjDaten, QStringLiteral("DEU"), 3, false);
    EXPECT_EQ(Texte(L[0]), QStringList({LernUeberschrift(QStringLiteral("Deutsche Bundesländer")),
                                        QStringLiteral(" Baden-Württemberg"), QStringLiteral(" Bayern"),
                                        QStringLiteral(" Nordrhein-Westfalen")}));
    EXPECT_EQ(L[0][0].Objekt, kUeberschriftObjekt);
    EXPECT_EQ(ObjDaten[L[0][2].Objekt].Bez, QStringLiteral("Bayern"));
    EXPECT_EQ(Texte(L[1]), QStringList({QStringLiteral(" Berlin"), QStringLiteral(" München")}));
    EXPECT_EQ(Texte(L[2]), QStringList({QStringLiteral(" Nordsee")}));
    EXPECT_TRUE(L[3].isEmpty());
    EXPECT_EQ(Texte(L[4]), QStringList({QStringLiteral(" Rügen")}));
    // Rügen is Experte: not listed at Basis.
    EXPECT_TRUE(FuelleLernlisten(ObjDaten, QStringLiteral("DEU"), 1, false)[4].isEmpty());
    // Map ids are compared exactly.
    for (const TLernliste& l : FuelleLernlisten(ObjDaten, QStringLiteral("deu"), 3, false))
        EXPECT_TRUE(l.isEmpty());
}

TEST_F(FixtureDaten, ListsAndCountsOfTheEuropeMap)
{
    const TLernlisten L = FuelleLernlisten(ObjDaten, QStringLiteral("EUR"), 3, false);
    EXPECT_EQ(Texte(L[0]), QStringList({LernUeberschrift(QStringLiteral("Staaten")), QStringLiteral(" Deutschland"),
                                        QStringLiteral(" Frankreich"), QStringLiteral(" Malta"),
                                        LernUeberschrift(QStringLiteral("Kontinente")), QStringLiteral(" Europa")}));
    EXPECT_EQ(Texte(L[2]), QStringList({QStringLiteral(" Golf von Biskaya"), QStringLiteral(" Nordsee")}));
    EXPECT_EQ(Texte(L[3]), QStringList({QStringLiteral(" Alpen"), QStringLiteral(" Mont Blanc")}));
    EXPECT_EQ(Texte(L[4]), QStringList({QStringLiteral(" Korsika"), QStringLiteral(" Malta")}));

    const TLernObjAnzahl n = ZaehleLernObjekte(ObjDaten, QStringLiteral("EUR"));
    // Europa (intensity 0) and the KD dot are not counted; Malta counts twice.
    const TLernObjAnzahl Erwartet{{{2, 3, 3}, {2, 3, 3}, {1, 2, 2}, {1, 1, 2}, {0, 2, 2}}};
    EXPECT_EQ(n, Erwartet);
    EXPECT_EQ(IntensitaetsBeschriftungen(n, 5),
              QStringList({QStringLiteral("1 - Basis (0)"), QStringLiteral("2 - Aufbau (2)"),
                           QStringLiteral("3 - Experte (2)")}));
    EXPECT_EQ(IntensitaetsBeschriftungen(n, 9)[0], QStringLiteral("1 - Basis (2)")); // Länder tab
}

TEST_F(FixtureDaten, CountryFacts)
{
    QList<ObjDataTyp> Obj = ObjDaten;
    auto Index = [&Obj](const char* Typ, const QString& Bez) {
        ObjDataTyp o;
        o.KartID = QStringLiteral("DEU");
        o.ObjTyp = QLatin1String(Typ);
        o.Bez = Bez;
        Obj.append(o);
        return int(Obj.size()) - 1;
    };
    TLaenderInfo i = LaenderInfo(Obj, Index("L", QStringLiteral("Deutsch-|land")), LaenderDaten);
    EXPECT_TRUE(i.Gefunden);
    EXPECT_EQ(i.Titel,
              QStringList({QStringLiteral(" Gebiet:"), QStringLiteral(" Einwohner:"), QStringLiteral(" Fläche:"),
                           QStringLiteral(" Hauptstadt:"), QStringLiteral(" Bevölk.dichte:")}));
    EXPECT_EQ(i.Werte,
              QStringList({QStringLiteral(" Deutschland"), QStringLiteral(" 83.200.000"),
                           QStringLiteral(" 357.588 km²"), QStringLiteral(" Berlin"), QStringLiteral(" 233 E/km²")}));
    EXPECT_EQ(i.Flagge, QStringLiteral("de.bmp"));
    EXPECT_TRUE(i.Regierungssitz.isEmpty());

    i = LaenderInfo(Obj, Index("L", QStringLiteral("NIEDERLANDE")), LaenderDaten);
    EXPECT_EQ(i.Regierungssitz, QStringLiteral("Regierungssitz: Den Haag"));
    // A city named like a row of the table (a city state) shows it: S lies inside "IS".
    EXPECT_TRUE(LaenderInfo(Obj, Index("S", QStringLiteral("Bayern")), LaenderDaten).Gefunden);
    // A mountain never does, nor a capital (H is in no country code).
    EXPECT_FALSE(LaenderInfo(Obj, Index("B", QStringLiteral("Bayern")), LaenderDaten).Gefunden);
    EXPECT_FALSE(LaenderInfo(Obj, Index("H", QStringLiteral("Bayern")), LaenderDaten).Gefunden);
    // No row, a heading and a stale index: empty facts.
    for (int k : {Index("L", QStringLiteral("Atlantis")), kUeberschriftObjekt, -1, int(Obj.size()) + 5}) {
        const TLaenderInfo e = LaenderInfo(Obj, k, LaenderDaten);
        EXPECT_FALSE(e.Gefunden);
        EXPECT_EQ(e.Werte, QStringList(5, QString()));
        EXPECT_EQ(e.Titel.size(), 5);
    }
}

TEST_F(FixtureDaten, MapListOfTheOverviewPages)
{
    QList<KartAuswDataTyp> Katalog = KartAuswDaten;
    KartAuswDataTyp Zweit = Katalog[0];
    Zweit.Uebersicht = QStringLiteral("EUR");
    Zweit.KartName = QStringLiteral("europa ");
    Katalog.append(Zweit);
    KartAuswDataTyp Klein = Katalog[0];
    Klein.Uebersicht = QStringLiteral("wlt");
    Klein.KartName = QStringLiteral("Nirgends");
    Katalog.append(Klein);
    const auto Liste = BaueKartenListe(Katalog);
    ASSERT_EQ(Liste.size(), 3);
    EXPECT_EQ(Liste[0].Text, QStringLiteral(" Bayern"));
    EXPECT_EQ(Liste[1].Text, QStringLiteral(" Deutschland"));
    EXPECT_EQ(Liste[2].Text, QStringLiteral(" Europa"));
    EXPECT_EQ(Liste[2].Katalogindex, 0);
    EXPECT_EQ(KartenFelderDerUebersicht(Katalog, QStringLiteral("EUR")), QList<int>({1, 3}));
    EXPECT_TRUE(KartenFelderDerUebersicht(Katalog, QStringLiteral("eur")).isEmpty());
    EXPECT_TRUE(BaueKartenListe({}).isEmpty());
}

TEST(Lernlisten, EqualNamesApartOnlyInTheListText)
{
    QList<ObjDataTyp> Obj;
    for (const auto& [Typ, Bez, Intens] : {std::tuple{"S", "Neustadt", 1}, std::tuple{"H", "NEUSTADT", 2},
                                           std::tuple{"S", "Neustadt", 0}, std::tuple{"S", "Altdorf", 1}}) {
        ObjDataTyp o;
        o.KartID = QStringLiteral("X");
        o.ObjTyp = QLatin1String(Typ);
        o.Bez = QLatin1String(Bez);
        o.Intens = Intens;
        Obj.append(o);
    }
    const QList<ObjDataTyp> Vorher = Obj;
    for (int Runde = 0; Runde < 2; ++Runde) {
        const TLernliste S = FuelleLernlisten(Obj, QStringLiteral("X"), 3, false)[1];
        ASSERT_EQ(S.size(), 4);
        EXPECT_EQ(S[0], (TLernEintrag{QStringLiteral(" Altdorf"), 3}));
        EXPECT_EQ(S[1], (TLernEintrag{QStringLiteral(" Neustadt"), 0}));
        EXPECT_EQ(S[2], (TLernEintrag{QStringLiteral(" NEUSTADT'"), 1}));
        EXPECT_EQ(S[3], (TLernEintrag{QStringLiteral(" Neustadt''"), 2}));
    }
    // The label table keeps its texts.
    for (int i = 0; i < Obj.size(); ++i)
        EXPECT_EQ(Obj[i].Bez, Vorher[i].Bez);
    const TLernliste M = FuelleLernlisten(Obj, QStringLiteral("X"), 3, true)[1];
    EXPECT_EQ(M[1].Text, QStringLiteral(" Neustadt (1)"));
    EXPECT_EQ(M[3].Text, QStringLiteral(" Neustadt'' (0)"));
    // Intensity out of range is held at 1..3.
    EXPECT_EQ(FuelleLernlisten(Obj, QStringLiteral("X"), 0, false)[1].size(), 3);
    EXPECT_EQ(FuelleLernlisten(Obj, QStringLiteral("X"), 99, false)[1].size(), 4);
}

TEST(Lernlisten, WithoutCountriesNoHeadings)
{
    QList<ObjDataTyp> Obj(1);
    Obj[0].KartID = QStringLiteral("X");
    Obj[0].ObjTyp = QStringLiteral("g");
    Obj[0].Bez = QStringLiteral("See");
    const TLernlisten L = FuelleLernlisten(Obj, QStringLiteral("X"), 3, false);
    EXPECT_TRUE(L[0].isEmpty());
    EXPECT_EQ(L[2].size(), 1); // codes are upper-cased for the lists
    EXPECT_EQ(LernUeberschrift(QStringLiteral("Staaten")),
              QString(QChar(0x2014)) + QStringLiteral(" Staaten ") + QString(30, QChar(0x2014)));
}

TEST(Lernlisten, TypeAhead)
{
    const QStringList T = {QStringLiteral(" Bayern"), QStringLiteral(" Berlin"), QStringLiteral(" Brandenburg"),
                           QStringLiteral(" Ägypten")};
    EXPECT_EQ(SucheNachBuchstabe(T, 1, u'b'), 2);
    EXPECT_EQ(SucheNachBuchstabe(T, 2, u'b'), 0);
    EXPECT_EQ(SucheNachBuchstabe(T, -1, u'B'), 0);
    EXPECT_EQ(SucheNachBuchstabe(T, 0, u'ä'), 3);
    EXPECT_EQ(SucheNachBuchstabe(T, 1, u'x'), -1);
    EXPECT_EQ(SucheNachBuchstabe(T, 17, u'b'), 0); // a stale selection starts at the top
    EXPECT_EQ(SucheNachBuchstabe({}, 0, u'b'), -1);
    EXPECT_EQ(SucheNachBuchstabe({QStringLiteral(" Berlin")}, 0, u'b'), 0);
}

TEST(Lernlisten, ColoursAndDisplayTypeIndex)
{
    const TKategoriefarben F = BerechneKategoriefarben();
    auto Rgb = [](int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); };
    EXPECT_EQ(Kategoriefarbe(F, 1, 3), Rgb(173, 214, 154));
    EXPECT_EQ(Kategoriefarbe(F, 1, 1), Rgb(206, 230, 194));
    EXPECT_EQ(Kategoriefarbe(F, 5, 3), Rgb(204, 224, 231));
    EXPECT_EQ(Kategoriefarbe(F, 9, 0), Kategoriefarbe(F, 5, 1));
    const std::pair<const char*, int> Typen[] = {{"RS", 0}, {"RH", 1}, {"PF", 2}, {"PW", 3}, {"XX", 0}, {"", 0}};
    for (const auto& [t, i] : Typen)
        EXPECT_EQ(KartTypIndex(QLatin1String(t)), i) << t;
    EXPECT_EQ(ReiterGruppe(3), QStringLiteral("~G~"));
    EXPECT_EQ(ReiterGruppe(0), QStringLiteral("~L~LX~K~UG~IS~"));
}

TEST(Seitengeometrie, MapSelectionPage)
{
    KartAuswDataTyp e;
    e.KartName = QStringLiteral("Europa");
    e.FeldX = 5000;
    e.FeldY = 5000;
    // 56 px wide; 288.5 - 28 = 260.5 rounds to the even 260.
    const QRect r = KartenFeldRect(e, QRect(0, 0, 577, 400), 500);
    EXPECT_EQ(r, QRect(260, 200 - 10, 56, 20));
    EXPECT_EQ(UebersichtLabelRect(QStringLiteral("WLT"), 577).width(), 288);
    EXPECT_EQ(UebersichtLabelRect(QStringLiteral("EUR"), 1000), QRect(12, 180, 160, 500));
    EXPECT_EQ(UebersichtLabelPunkte(699), 8);
    EXPECT_EQ(UebersichtLabelPunkte(700), 9);
    EXPECT_TRUE(
        UebersichtText(QStringLiteral("EUR")).startsWith(QStringLiteral("Auswahlübersicht \"Europa\":\r\n17 ")));
    e.MarkLinks = 1000;
    e.MarkOben = 2000;
    e.MarkRechts = 3000;
    e.MarkUnten = 2000; // empty height
    EXPECT_EQ(MarkierungsRect(e, 800, 600), QRect(80, 120, 160, 0));
}

TEST(Seitengeometrie, LearningMapScreen)
{
    auto k = WerkzeugKnoepfe(899);
    EXPECT_EQ(k[0].Left, 12);
    EXPECT_EQ(k[1].Left, 80);
    EXPECT_EQ(k[6].Width, 69);
    k = WerkzeugKnoepfe(900);
    EXPECT_EQ(k[1].Left, 92);
    EXPECT_EQ(k[6].Width, 73);
    const auto t = KartTypKnoepfe(500, 73, 800);
    EXPECT_EQ(t[0].Left, 507);
    EXPECT_EQ(t[0].Width, 72); // min(72, (800 - 507 - 8) div 4 = 71) + 1
    EXPECT_EQ(t[3].Left, 507 + 3 * 71);
    EXPECT_EQ(KartTypMarke(QRect(500, 5, 40, 30), QStringLiteral("PF")), QRect(579, 6, 38, 3));

    const TLernSeite s = LernSeitenAufteilung(1001, 700);
    EXPECT_EQ(s.KartPan, QRect(0, 57, 701, 643));
    EXPECT_EQ(s.InfoPan, QRect(701, 57, 296, 643));
    const TLernReiter r = LernReiterAufteilung(300);
    EXPECT_EQ(r.IntensPan[1], QRect(292 - 134, 43, 134, 36));
    EXPECT_EQ(r.ObjKnopf[4], QRect(32, 92, 158 - 31, 22));
    const QRect Obj = ObjReiterStreifen(r.ObjKnopf[1], 25, 2);
    EXPECT_EQ(Obj, QRect(134, 50, 25, 3 * 21 + 2));
    const QRect In = IntensReiterStreifen(r.IntensPan[0], 25, 2);
    EXPECT_EQ(In, QRect(158, 8 + 70, 25, 37));
    EXPECT_EQ(ReiterTrenner(In, Obj, 36, 22), QRect(158, 44, 1, 115 - 44));
    EXPECT_EQ(LernlistenHoehe(1, 120, 400, 600), 277);
    EXPECT_EQ(LernlistenHoehe(3, 120, 400, 600), 470);
    const TLernSpalte Sp = LernSpaltenAufteilung(300, 700, 150, 120);
    EXPECT_EQ(Sp.ObjPan.height(), 550);
    EXPECT_EQ(Sp.Grid.top(), 550 - 120 - 12);
    EXPECT_EQ(Sp.FlagPan.height(), 106);
    EXPECT_EQ(Sp.FlagPan.bottom() + 1, Sp.Grid.top());
    EXPECT_EQ(MiniKartenRect(200, 150), QRect(16, 10, 176, 130));
}

} // namespace
} // namespace zl
