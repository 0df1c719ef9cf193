#include "learning/tools/zl_suchmodell.h"

#include "datastore/zl_data.h"

#include <gtest/gtest.h>

using namespace zl;

namespace
{

ObjDataTyp Obj(const char* Kart, const char* Typ, const char* Bez)
{
    ObjDataTyp o;
    o.KartID = QString::fromUtf8(Kart);
    o.ObjTyp = QString::fromUtf8(Typ);
    o.Bez = QString::fromUtf8(Bez);
    return o;
}

QList<ObjDataTyp> Tabelle()
{
    return {Obj("SAM", "H", "São Paulo"),        Obj("EUR", "H", "Köln"),
            Obj("SAM", "S", "Rio de Janeiro"),   Obj("EUR", "L", "Rioja"),
            Obj("EUR", "G", "Golf von|Biskaya"), Obj("DEU", "S", "Rio"),
            Obj("EUR", "S", "Frank-|furt''"),    Obj("EUR", "L", "Rio")};
}

struct Fall {
    const char* Begriff;
    bool GanzWort;
    bool GanzStr;
    const char* Filter;
    QList<int> Treffer;
};

class SucheRegeln : public ::testing::TestWithParam<Fall>
{
};

TEST_P(SucheRegeln, FindetDieRichtigenBeschriftungen)
{
    const Fall& f = GetParam();
    TSuchIndex Index;
    const QList<ObjDataTyp> T = Tabelle();
    EXPECT_EQ(Index.Suche(T, QString::fromUtf8(f.Begriff), {f.GanzWort, f.GanzStr, QString::fromUtf8(f.Filter)}),
              f.Treffer)
        << f.Begriff;
}

INSTANTIATE_TEST_SUITE_P(Faelle, SucheRegeln,
                         ::testing::Values(
                             // Accents fold and case is ignored; umlauts are not folded.
                             Fall{"sao paulo", false, false, "", {0}}, Fall{"koln", false, false, "", {}},
                             Fall{"köln", false, false, "", {1}},
                             // Whole words: rio finds Rio de Janeiro and Rio, not Rioja.
                             Fall{"rio", true, false, "", {2, 5, 7}}, Fall{"rio", false, false, "", {2, 3, 5, 7}},
                             // The whole name wins over whole words.
                             Fall{"rio", true, true, "", {5, 7}}, Fall{"RIO DE JANEIRO", false, true, "", {2}},
                             // Line-break markup and trailing apostrophes are not part of the name.
                             Fall{"golf von biskaya", false, true, "", {4}}, Fall{"frankfurt", false, true, "", {6}},
                             // The map filter is exact.
                             Fall{"rio", true, false, "EUR", {7}}, Fall{"rio", true, false, "eur", {}},
                             // An empty term finds nothing (never every label).
                             Fall{"", false, false, "", {}}, Fall{"", true, false, "", {}}));

TEST(SuchIndex, FolgtDerGeaendertenTabelle)
{
    QList<ObjDataTyp> T = Tabelle();
    TSuchIndex Index;
    EXPECT_EQ(Index.Suche(T, QStringLiteral("rioja"), {}), QList<int>{3});
    T[3].Bez = QStringLiteral("La Mancha");
    EXPECT_EQ(Index.Suche(T, QStringLiteral("rioja"), {}), QList<int>{});
    T.append(Obj("EUR", "L", "Rioja"));
    EXPECT_EQ(Index.Suche(T, QStringLiteral("rioja"), {}), QList<int>{8});
}

TEST(Suchergebnis, IndizesUndVeralteteTreffer)
{
    QList<ObjDataTyp> T = Tabelle();
    TSuchergebnis E;
    E.Leeren(T);
    E.FuegeHinzu(17);
    E.FuegeHinzu(230);
    EXPECT_EQ(E.TrefferIndizes, QStringLiteral("17|230|"));
    EXPECT_EQ(E.TrefferAnzahl, 2);
    EXPECT_EQ(E.IndexInZeile(1), 17);
    EXPECT_EQ(E.IndexInZeile(2), 230);
    EXPECT_EQ(E.IndexInZeile(0), -1);
    EXPECT_EQ(E.IndexInZeile(3), -1);
    EXPECT_EQ(E.IndexInZeile(-1), -1);
    EXPECT_FALSE(E.Veraltet(T));
    T.removeAt(0);
    EXPECT_TRUE(E.Veraltet(T));
}

TEST(Suchergebnis, BevorzugterTreffer)
{
    const QList<ObjDataTyp> T = Tabelle();
    EXPECT_EQ(BevorzugteTrefferzeile({}, T, QStringLiteral("EUR")), 0);
    EXPECT_EQ(BevorzugteTrefferzeile({2}, T, QStringLiteral("EUR")), 1);
    // Two hits, the second on the current map: the second row.
    EXPECT_EQ(BevorzugteTrefferzeile({2, 7}, T, QStringLiteral("EUR")), 2);
    EXPECT_EQ(BevorzugteTrefferzeile({2, 5}, T, QStringLiteral("EUR")), 1);
    EXPECT_EQ(BevorzugteTrefferzeile({99, 5}, T, QStringLiteral("DEU")), 2);
}

TEST(Suchergebnis, TitelUndTexte)
{
    EXPECT_EQ(SuchergebnisTitel(1, QStringLiteral("Rio")), QStringLiteral("1 Suchergebnis für 'Rio'"));
    EXPECT_EQ(SuchergebnisTitel(12, QStringLiteral("a")), QStringLiteral("12 Suchergebnisse für 'a'"));
    EXPECT_EQ(NichtGefundenText(QStringLiteral("xy"), true),
              QStringLiteral("Die Bezeichnung 'xy' wurde leider nicht gefunden.\r\n\r\nVielleicht gibt es für den "
                             "gesuchten Ort verschiedene Schreibweisen. Versuche es, indem du nur einen Teil des "
                             "Suchbegriffs angibst. Die Option 'Nur ganze Wörter' muss dazu ausgeschaltet sein."));
    EXPECT_TRUE(NichtGefundenText(QStringLiteral("xy"), false)
                    .endsWith(QStringLiteral("Versuchen Sie es, indem Sie nur einen Teil des Suchbegriffs eingeben. "
                                             "Die Option 'Nur ganze Wörter' muss dazu ausgeschaltet sein.")));
}

TEST(Suchergebnis, ZellenZeigenDenEinzeiligenText)
{
    KartenDaten = {{QStringLiteral("EUR"), QStringLiteral("Europa"), 0}};
    const QStringList z = TrefferZellen(Obj("eur", "S", "Frank-|furt''"));
    EXPECT_EQ(z.at(0), QStringLiteral(" Frankfurt''"));
    EXPECT_EQ(z.at(1), QStringLiteral(" ") + ObjTypName(QStringLiteral("S")));
    EXPECT_EQ(z.at(2), QStringLiteral(" Europa"));
    KartenDaten.clear();
}

TEST(Suchverlauf, NeuesteZuerstOhneDoppelte)
{
    QStringList v;
    MerkeSuchbegriff(v, QStringLiteral("Rio"));
    MerkeSuchbegriff(v, QStringLiteral("Paris"));
    MerkeSuchbegriff(v, QString());
    EXPECT_EQ(v, (QStringList{QStringLiteral("Paris"), QStringLiteral("Rio")}));
    MerkeSuchbegriff(v, QStringLiteral("RIO"));
    EXPECT_EQ(v, (QStringList{QStringLiteral("Rio"), QStringLiteral("Paris")}));
    MerkeSuchbegriff(v, QStringLiteral("köln"));
    MerkeSuchbegriff(v, QStringLiteral("KÖLN"));
    EXPECT_EQ(v.first(), QStringLiteral("köln"));
    EXPECT_EQ(v.size(), 3);
}

TEST(SuchergebnisFenster, PositionUndSpalten)
{
    // Beside the main window's right edge, at its bottom.
    EXPECT_EQ(SuchergebnisPosition(1600, QRect(0, 0, 1000, 800), QSize(400, 300)), QPoint(840, 494));
    // Held inside the screen.
    EXPECT_EQ(SuchergebnisPosition(1600, QRect(0, 0, 1600, 1000), QSize(400, 300)), QPoint(1198, 694));
    EXPECT_EQ(TrefferSpaltenbreiten(96, 400), (QList<int>{96, 61, 240}));
    EXPECT_EQ(TrefferSpaltenbreiten(144, 400), (QList<int>{144, 92, 161}));
}

} // namespace
