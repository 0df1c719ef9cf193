#include "AbHilfen.h"

#include "controls/Zufall.h"
#include "worksheet/ab_arbeitsblatt.h"

#include <QSet>
#include <gtest/gtest.h>

#include <cmath>

namespace zl::ab
{
namespace
{

using test::Obj;

QList<ObjDataTyp> KleineKarte()
{
    return {
        Obj("EUR", "L", 0.10, 0.10, QStringLiteral("Frankreich"), 1),
        Obj("EUR", "IS", 0.50, 0.10, QStringLiteral("Island"), 2),
        Obj("EUR", "I", 0.90, 0.10, QStringLiteral("Korsika"), 3),
        Obj("EUR", "S", 0.10, 0.50, QStringLiteral("Lyon"), 1),
        Obj("EUR", "K", 0.50, 0.50, QStringLiteral("Europa"), 1), // not a worksheet code
        Obj("EUR", "G", 0.90, 0.50, QStringLiteral("Rhein"), 0),  // intensity 0: never asked
        Obj("DEU", "L", 0.50, 0.90, QStringLiteral("Bayern"), 1),
        Obj("eur", "L", 0.90, 0.90, QStringLiteral("Klein"), 1), // id compared exactly
    };
}

// A grid of well-spaced labels of one type on one map.
QList<ObjDataTyp> Raster(int n, const char* typ = "S")
{
    QList<ObjDataTyp> l;
    for (int i = 0; i < n; ++i)
        l.append(Obj("M", typ, 0.05 + 0.1 * (i % 10), 0.05 + 0.1 * (i / 10), QStringLiteral("Ort %1").arg(i), 1));
    return l;
}

TEST(AbKomponist, ZaehleKategorieObjekte)
{
    const auto n = ZaehleKategorieObjekte(KleineKarte(), QStringLiteral("EUR"), 3);
    EXPECT_EQ(n[1], 2); // L, IS
    EXPECT_EQ(n[2], 1);
    EXPECT_EQ(n[3], 0);
    EXPECT_EQ(n[4], 0);
    EXPECT_EQ(n[5], 2); // IS and I
    EXPECT_EQ(n[6], 4); // K and the intensity-0 label not counted
    const auto n1 = ZaehleKategorieObjekte(KleineKarte(), QStringLiteral("EUR"), 1);
    EXPECT_EQ(n1[1], 1);
    EXPECT_EQ(n1[6], 2);
    // Each count is what the lookup finds.
    for (int t = 1; t <= 6; ++t) {
        EXPECT_GE(FindeKategorieObjekt(KleineKarte(), QStringLiteral("EUR"), 3, 0, n[t] - 1, t), n[t] ? 0 : -1);
        EXPECT_EQ(FindeKategorieObjekt(KleineKarte(), QStringLiteral("EUR"), 3, 0, n[t], t), -1);
    }
    EXPECT_EQ(FindeKategorieObjekt(KleineKarte(), QStringLiteral("EUR"), 3, 2, 0, 5), 2);
}

TEST(AbKomponist, CalcLernObjAnz)
{
    const auto n = CalcLernObjAnz(KleineKarte(), QStringLiteral("EUR"));
    EXPECT_EQ(n[1][1], 1);
    EXPECT_EQ(n[1][2], 2);
    EXPECT_EQ(n[5][2], 1);
    EXPECT_EQ(n[5][3], 2);
    EXPECT_EQ(n[6][3], 4);
    EXPECT_EQ(IntensitaetsTexte(n, 1), QStringList({QStringLiteral("1 - Basis (1)"), QStringLiteral("2 - Aufbau (2)"),
                                                    QStringLiteral("3 - Experte (2)")}));
}

TEST(AbKomponist, KaestchenPos)
{
    const QPointF p = KaestchenPos(0.5, 0.5, 2, -3);
    EXPECT_DOUBLE_EQ(p.x(), 0.5 + 0.02 + 0.00875);
    EXPECT_DOUBLE_EQ(p.y(), 0.5 - 0.0525 - 0.00875);
    EXPECT_EQ(KaestchenPos(0.25, 0.75, 0, 0), QPointF(0.25, 0.75));
}

TEST(AbKomponist, AbstandAusreichend)
{
    // Label 0 is chosen at (0.5, 0.5), its box on its point. The candidate's point and box
    // are set apart by its placement.
    const struct {
        double px, py;
        int dx, dy;
        bool ok;
    } faelle[] = {
        {0.5 + 0.079, 0.5, 0, 0, false}, // box to box
        {0.5 + 0.081, 0.5, 0, 0, true},
        {0.5, 0.5, 0, 0, false},
        // box far, point near the chosen box: allowed only from 0.07
        {0.5 + 0.069, 0.5, 3, 0, false},
        {0.5 + 0.071, 0.5 - 0.08, 0, 3, false}, // its box lands near the chosen one
    };
    for (const auto& f : faelle) {
        QList<ObjDataTyp> o = {Obj("M", "S", 0.5, 0.5, QStringLiteral("A"), 1),
                               Obj("M", "S", f.px, f.py, QStringLiteral("B"), 1, f.dx, f.dy)};
        ArbeitsblattDataTyp a;
        a.KartID = QStringLiteral("M");
        SetzeEintrag(a, 1, o, 0);
        const auto k = BerechneKaestchenPos(o, a.KartID, 3, 2);
        EXPECT_EQ(AbstandAusreichend(a, 1, 1, o, k), f.ok) << f.px << " " << f.py;
        EXPECT_TRUE(AbstandAusreichend(a, 0, 1, o, k));
    }
    // Two chosen points may be close when the boxes are apart.
    QList<ObjDataTyp> o = {Obj("M", "S", 0.5, 0.5, QStringLiteral("A"), 1, -3, -3),
                           Obj("M", "S", 0.51, 0.5, QStringLiteral("B"), 1, 3, 3)};
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("M");
    SetzeEintrag(a, 1, o, 0);
    EXPECT_TRUE(AbstandAusreichend(a, 1, 1, o, BerechneKaestchenPos(o, a.KartID, 3, 2)));
}

TEST(AbKomponist, GeneriertBisMaxAnzMitAbstand)
{
    const QList<ObjDataTyp> o = Raster(100);
    Zufall::SetRandSeed(4711);
    for (int maxAnz : {0, 1, 12, 30, 99}) {
        ArbeitsblattDataTyp a;
        a.KartID = QStringLiteral("M");
        a.Thema = 1;
        a.Intens = 0;
        GeneriereArbeitsblatt(a, o, maxAnz);
        EXPECT_EQ(a.Anzahl, GueltigeMaxAnz(maxAnz)) << maxAnz;
        const auto k = BerechneKaestchenPos(o, a.KartID, 1, 2);
        QSet<int> gesehen;
        for (int i = 0; i < a.Anzahl; ++i) {
            const int j = a.Eintraege[i].ObjIndex;
            ASSERT_GE(j, 0);
            EXPECT_FALSE(gesehen.contains(j));
            gesehen.insert(j);
            EXPECT_TRUE(AbstandAusreichend(a, i, j, o, k)); // apart from every entry before it
            EXPECT_EQ(a.Eintraege[i].Name, o[j].Bez);
        }
    }
}

TEST(AbKomponist, StopsWhenNoSpacedCandidateIsLeft)
{
    // Five labels on top of each other: only one can be chosen.
    QList<ObjDataTyp> o;
    for (int i = 0; i < 5; ++i)
        o.append(Obj("M", "G", 0.5, 0.5, QStringLiteral("See %1").arg(i), 1));
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("M");
    a.Thema = 2;
    GeneriereArbeitsblatt(a, o, 20);
    EXPECT_EQ(a.Anzahl, 1);
    a.Thema = 0; // no countries at all
    GeneriereArbeitsblatt(a, o, 20);
    EXPECT_EQ(a.Anzahl, 0);
    EXPECT_TRUE(Eintragsliste(a).isEmpty());
}

TEST(AbKomponist, DifferentSeedsComposeDifferently)
{
    const QList<ObjDataTyp> o = Raster(100);
    ArbeitsblattDataTyp a, b;
    a.KartID = b.KartID = QStringLiteral("M");
    a.Thema = b.Thema = 5;
    Zufall::SetRandSeed(1);
    GeneriereArbeitsblatt(a, o, 10);
    GeneriereArbeitsblatt(b, o, 10);
    EXPECT_NE(a.Eintraege, b.Eintraege);
    Zufall::SetRandSeed(1);
    GeneriereArbeitsblatt(b, o, 10);
    EXPECT_EQ(a.Eintraege, b.Eintraege);
}

TEST(AbKomponist, MixMayHoldEveryType)
{
    QList<ObjDataTyp> o;
    const char* typen[] = {"L", "LX", "IS", "H", "S", "G", "GB", "B", "I"};
    for (int i = 0; i < 9; ++i)
        o.append(Obj("M", typen[i], 0.1 + 0.1 * i, 0.1 + 0.1 * i, QStringLiteral("N%1").arg(i), 1));
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("M");
    a.Thema = 5;
    a.Intens = 2;
    GeneriereArbeitsblatt(a, o, 30);
    EXPECT_EQ(a.Anzahl, 9);
}

TEST(AbKomponist, NummerierungAlphabetischSpaetererZuerst)
{
    ArbeitsblattDataTyp a;
    const char16_t* namen[] = {u"Ulm", u"Aachen", u"Öhringen", u"aalen", u"Aachen", u"Zwickau"};
    a.Anzahl = 6;
    for (int i = 0; i < 6; ++i)
        a.Eintraege[i].Name = QString::fromUtf16(namen[i]);
    ErzeugeNummerierung(a);
    // Aachen (5), Aachen (2), aalen, Öhringen, Ulm, Zwickau.
    const std::array<int, 6> erwartet{5, 2, 4, 3, 1, 6};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(a.Nummerierung[k], erwartet[k]) << k;
}

TEST(AbKomponist, MischenBehaeltDieEintraege)
{
    const QList<ObjDataTyp> o = Raster(40);
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("M");
    a.Thema = 1;
    GeneriereArbeitsblatt(a, o, 12);
    auto vorher = a.Eintraege;
    MischeEintraege(a);
    QSet<int> v, n;
    for (int i = 0; i < a.Anzahl; ++i) {
        v.insert(vorher[i].ObjIndex);
        n.insert(a.Eintraege[i].ObjIndex);
    }
    EXPECT_EQ(v, n);
    EXPECT_EQ(a.Anzahl, 12);
}

TEST(AbKomponist, EntferneEintrag)
{
    const QList<ObjDataTyp> o = Raster(5);
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("M");
    UebernimmAuswahl(a, o, {0, 1, 2});
    const QString dritter = a.Eintraege[2].Name;
    EXPECT_EQ(EntferneEintrag(a, -1), -1);
    EXPECT_EQ(EntferneEintrag(a, 7), -1);
    EXPECT_EQ(a.Anzahl, 3);
    EXPECT_EQ(EntferneEintrag(a, 0), 0);
    EXPECT_EQ(a.Eintraege[1].Name, dritter);
    EXPECT_EQ(EntferneEintrag(a, 1), 0); // the last removed: the new last is marked
    EXPECT_EQ(EntferneEintrag(a, 0), -1);
    EXPECT_EQ(a.Anzahl, 0);
}

TEST(AbKomponist, EintragslisteUndManuelleAuswahl)
{
    const QList<ObjDataTyp> o = KleineKarte();
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("EUR");
    a.Thema = 5;
    const auto kand = HinzuKandidaten(a, o);
    ASSERT_EQ(kand.size(), 4);
    EXPECT_EQ(kand[0].Text, QStringLiteral(" Frankreich (Land) (1)"));
    EXPECT_EQ(kand[1].Text, QStringLiteral(" Island (Inselstaat) (2)"));
    a.Thema = 0;
    EXPECT_EQ(HinzuKandidaten(a, o)[0].Text, QStringLiteral(" Frankreich (1)"));

    EXPECT_EQ(HinzuFehler(30), QString());
    EXPECT_EQ(HinzuFehler(31), QStringLiteral("Sie können höchstens 30 Objekte auswählen. Sie haben 1 Objekt(e) zu "
                                              "viel markiert."));

    QList<ObjDataTyp> viele = Raster(40);
    QList<int> alle;
    for (int i = 0; i < 40; ++i)
        alle.append(i);
    a.KartID = QStringLiteral("M");
    UebernimmAuswahl(a, viele, alle);
    EXPECT_EQ(a.Anzahl, 30);
    const QStringList l = Eintragsliste(a);
    ASSERT_EQ(l.size(), 30);
    EXPECT_TRUE(l[0].startsWith(QLatin1String("01 - Ort ")));
    EXPECT_TRUE(l[29].startsWith(QLatin1String("30 - Ort ")));
    a.Thema = 1;
    EXPECT_TRUE(HinzuKandidaten(a, viele)[0].Gewaehlt);
}

TEST(AbKomponist, AktualisiereEintraegeFolgtDenKorrekturen)
{
    QList<ObjDataTyp> o = KleineKarte();
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("EUR");
    UebernimmAuswahl(a, o, {0, 3});
    o[0].Px = 0.2; // moved in the label view
    o.removeAt(1); // a label before "Lyon" deleted: its index shifts
    AktualisiereEintraege(a, o);
    for (int i = 0; i < a.Anzahl; ++i) {
        const ABObjDataTyp& e = a.Eintraege[i];
        if (e.Name == u"Frankreich") {
            EXPECT_EQ(e.Px, 0.2);
        }
        ASSERT_GE(e.ObjIndex, 0);
        ASSERT_LT(e.ObjIndex, o.size());
    }
    o.clear(); // a reload without the labels: nothing read past the end
    AktualisiereEintraege(a, o);
    EXPECT_EQ(a.Eintraege[0].ObjIndex, -1);
    EXPECT_EQ(a.Anzahl, 2);
}

TEST(AbKomponist, PruefeEintragsindizesNachNeuemLesen)
{
    QList<ObjDataTyp> o = KleineKarte();
    ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("EUR");
    UebernimmAuswahl(a, o, {0, 3});
    o.removeAt(1);
    o[0].Px = 0.3; // a label moved in the file read: the entry keeps its stored place
    PruefeEintragsindizes(a, o);
    for (int i = 0; i < a.Anzahl; ++i) {
        const ABObjDataTyp& e = a.Eintraege[i];
        ASSERT_GE(e.ObjIndex, 0);
        EXPECT_EQ(EntferneTrennzeichen(o[e.ObjIndex].Bez), e.Name);
        if (e.Name == u"Frankreich") {
            EXPECT_EQ(e.Px, 0.1);
        }
    }
}

} // namespace
} // namespace zl::ab
