#include "learning/tools/zl_laendertabelle.h"

#include <gtest/gtest.h>

using namespace zl;

namespace
{

laenderdatatyp Land(const char* Name, int Gebiet, double Einwohner, double Flaeche)
{
    laenderdatatyp l;
    l.Name = QString::fromUtf8(Name);
    l.Gebiet = Gebiet;
    l.Einwohner = Einwohner;
    l.Flaeche = Flaeche;
    l.Dichte = Flaeche != 0 ? Einwohner / Flaeche : 0;
    return l;
}

QList<laenderdatatyp> Tabelle()
{
    return {Land("Europa", 0, 740e6, 10.18e6),      Land("Deutschland", 10, 83.2e6, 357588),
            Land("frankreich", 10, 67.8e6, 643801), Land("Österreich", 10, 9e6, 83879),
            Land("Ägypten", 20, 104e6, 1001450),    Land("Bayern", 11, 13.1e6, 70550),
            Land("Erde", 99, 8e9, 510e6),           Land("Malta (2004)", 19, 0.5e6, 316),
            Land("Zypern (2004)", 19, 0.9e6, 9251), Land("Argentinien", 60, 45e6, 2780400),
            Land("Nirgendland", 15, 1, 1)};
}

QStringList Namen(const QList<laenderdatatyp>& T, const TLaenderauswahl& A)
{
    QStringList n;
    for (int i : A.Laenderliste)
        n.append(T.at(i).Name);
    return n;
}

TEST(Laendertabelle, AuswahlNachGebiet)
{
    const QList<laenderdatatyp> T = Tabelle();
    // "Alle Länder": codes 10 to 70 in steps of ten, never continents, earth or states.
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 0, kSortName)),
              (QStringList{QStringLiteral("Ägypten"), QStringLiteral("Argentinien"), QStringLiteral("Deutschland"),
                           QStringLiteral("frankreich"), QStringLiteral("Österreich")}));
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 1, kSortName)), QStringList{QStringLiteral("Erde")});
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 2, kSortName)), QStringList{QStringLiteral("Europa")});
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 10, kSortName)), QStringList{QStringLiteral("Bayern")});
    EXPECT_TRUE(BaueLaenderListe(T, 99, kSortName).Laenderliste.isEmpty());
    EXPECT_TRUE(BaueLaenderListe(T, -1, kSortName).Laenderliste.isEmpty());
    EXPECT_EQ(GebietsWahlText(14), QStringLiteral("Europäische Union (mit Beitrittsjahr)"));
    EXPECT_EQ(GebietsWahlText(18), QString());
}

TEST(Laendertabelle, SortierschluesselAbsteigendUndNamenOhneFall)
{
    const QList<laenderdatatyp> T = Tabelle();
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 3, kSortName)),
              (QStringList{QStringLiteral("Deutschland"), QStringLiteral("frankreich"), QStringLiteral("Österreich")}));
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 3, kSortEinwohner)),
              (QStringList{QStringLiteral("Deutschland"), QStringLiteral("frankreich"), QStringLiteral("Österreich")}));
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 3, kSortFlaeche)),
              (QStringList{QStringLiteral("frankreich"), QStringLiteral("Deutschland"), QStringLiteral("Österreich")}));
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 3, kSortDichte)),
              (QStringList{QStringLiteral("Deutschland"), QStringLiteral("Österreich"), QStringLiteral("frankreich")}));
}

TEST(Laendertabelle, GleicheSchluesselFolgenDerAuswahlsortierung)
{
    // Three equal keys A, B, C in file order give C, A, B.
    const QList<laenderdatatyp> T = {Land("A", 10, 5, 1), Land("B", 10, 5, 1), Land("C", 10, 5, 1)};
    EXPECT_EQ(Namen(T, BaueLaenderListe(T, 3, kSortEinwohner)),
              (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(VergleicheLaender(T[0], T[1], kSortEinwohner), 1);
    EXPECT_EQ(VergleicheLaender(T[0], T[1], kSortName), -1);
}

TEST(Laendertabelle, SummenUndZellen)
{
    const QList<laenderdatatyp> T = Tabelle();
    const TLaenderauswahl A = BaueLaenderListe(T, 3, kSortName);
    EXPECT_DOUBLE_EQ(A.SummeEinwohner, 83.2e6 + 67.8e6 + 9e6);
    EXPECT_DOUBLE_EQ(A.SummeFlaeche, 357588 + 643801 + 83879);
    const QList<QStringList> Z = TabellenZeilen(T, A);
    ASSERT_EQ(Z.size(), 3);
    EXPECT_EQ(Z[0], (QStringList{QStringLiteral("1"), QStringLiteral(" Deutschland"), QStringLiteral(" 83.200.000 "),
                                 QStringLiteral(" 357.588 "), QStringLiteral("233 ")}));
    EXPECT_EQ(SummenZellen(A),
              (QStringList{QStringLiteral("Summe"), QStringLiteral(" Gesamt"), QStringLiteral(" 160.000.000 "),
                           QStringLiteral(" 1.085.268 "), QStringLiteral("147 ")}));
    // An empty selection and an area of 0: sums 0, density 0.
    const TLaenderauswahl Leer = BaueLaenderListe(T, 17, kSortName);
    EXPECT_EQ(SummenZellen(Leer).mid(2),
              (QStringList{QStringLiteral(" 0 "), QStringLiteral(" 0 "), QStringLiteral("0 ")}));
    const QList<laenderdatatyp> Null = {Land("Punkt", 10, 100, 0)};
    EXPECT_EQ(BaueLaenderListe(Null, 3, kSortName).SummeDichte, 0.0);
}

TEST(Laendertabelle, ZwischenablageUndDruckfelder)
{
    const QList<QStringList> Z = {{QStringLiteral("1"), QStringLiteral(" A"), QStringLiteral(" 1 "),
                                   QStringLiteral(" 2 "), QStringLiteral("3 ")}};
    const QStringList S = {QStringLiteral("Summe"), QStringLiteral(" Gesamt"), QStringLiteral(" 1 "),
                           QStringLiteral(" 2 "), QStringLiteral("3 ")};
    EXPECT_EQ(ZwischenablageText(Z, S), QStringLiteral(" \tLand/Gebiet\tEinwohner\tFläche [km²]\tBev.dichte [E/km²]\r\n"
                                                       "1\t A\t 1 \t 2 \t3 \r\n"
                                                       "Summe\t Gesamt\t 1 \t 2 \t3 \r\n"));
    EXPECT_EQ(DruckUeberschrift(3), QStringLiteral("Auswahl: Europa"));
    EXPECT_EQ(DruckSummenzeile(S), QStringLiteral("Summe~ Gesamt~ 1 ~ 2 ~3 ~"));
    EXPECT_EQ(DruckKopfzeile(), QStringLiteral("Rang~ Land/Gebiet~Einwohner ~Fläche [km²] ~Dichte [E/km²] ~"));
}

TEST(Laendertabelle, SuchbegriffFuerLandZeigen)
{
    EXPECT_EQ(LandSuchbegriff(QStringLiteral(" Malta (2004)"), kWahlEU), QStringLiteral("Malta"));
    EXPECT_EQ(LandSuchbegriff(QStringLiteral(" Malta (2004)"), 3), QStringLiteral("Malta (2004)"));
    EXPECT_EQ(LandSuchbegriff(QStringLiteral(" Deutschland "), 0), QStringLiteral("Deutschland"));
}

} // namespace
