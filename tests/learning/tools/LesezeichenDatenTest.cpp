// Bookmarks without a window: the stored value read and written back, damaged
// items, the data of a learning-map bookmark, captions and the table edits.

#include "learning/tools/zl_lesezeichendaten.h"

#include "datastore/zl_data.h"

#include <gtest/gtest.h>

using namespace zl;

namespace
{

LesezeichenDataTyp karte()
{
    LesezeichenDataTyp L;
    L.Titel = QStringLiteral("08.12.2026 14:05:31 - Karte: Italien");
    L.KartID = QStringLiteral("ITA");
    L.Modus = 2;
    L.Daten = QStringLiteral("2~1~1~0~1~1~0~0~0~");
    L.ObjDateiName = QStringLiteral("zl_standard.zlk");
    L.KartTyp = QStringLiteral("PF");
    L.FontFakIndex = 2;
    L.Kartenschrift = 1;
    L.UebModus = 1;
    L.AutoWeiter = true;
    return L;
}

LesezeichenDataTyp uebung()
{
    LesezeichenDataTyp L;
    L.Titel = QStringLiteral("Übung, \"exakt\" - [-123456]");
    L.KartID = QStringLiteral("EUR");
    L.Modus = 3;
    L.Gebiet = 10;
    L.Intensitaet = 3;
    L.Daten = QStringLiteral("-123456");
    L.ObjDateiName = QStringLiteral("eigene Datei.zlk");
    L.FragTypOk = QStringLiteral("11111000001111100000111");
    L.KartTyp = QStringLiteral("RS");
    L.FragAnz = 25;
    L.UebModus = 4;
    return L;
}

LesezeichenDataTyp puzzle()
{
    LesezeichenDataTyp L;
    L.Titel = QString();
    L.KartID = QStringLiteral("DEU");
    L.Modus = 4;
    L.Daten = QStringLiteral("5");
    L.ObjDateiName = QStringLiteral("zl_standard.zlk");
    L.KartTyp = QStringLiteral("RH");
    L.UebModus = 2;
    return L;
}

} // namespace

TEST(Lesezeichen, CommaTextSplitsAsTheClassLibraryDoes)
{
    struct Fall {
        const char* Text;
        QStringList Items;
    };
    const Fall faelle[] = {
        {"", {}},
        {"a,b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"  a ,  b  ", {QStringLiteral("a"), QStringLiteral("b")}},
        {"\"a b\",c", {QStringLiteral("a b"), QStringLiteral("c")}},
        {"\"x,\"\"y\"\"\"", {QStringLiteral("x,\"y\"")}},
        {"a,", {QStringLiteral("a"), QString()}},
        {"a,,b", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"\"offen, bis zum Ende", {QStringLiteral("offen, bis zum Ende")}},
        {"\"ab\"cd", {QStringLiteral("ab"), QStringLiteral("cd")}},
        {"\"\"", {QString()}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ZerlegeCommaText(QString::fromUtf8(f.Text)), f.Items) << f.Text;
    EXPECT_EQ(CommaTextEintrag(QStringLiteral("a \"b\", c")), QStringLiteral("\"a \"\"b\"\", c\""));
}

TEST(Lesezeichen, EachKindIsWrittenAndReadBackUnchanged)
{
    const QList<LesezeichenDataTyp> liste = {karte(), uebung(), puzzle()};
    const QString wert = LesezeichenWert(liste);
    EXPECT_TRUE(wert.startsWith(QStringLiteral(
        "\"08.12.2026 14:05:31 - Karte: Italien|ITA|2|-1|-1|2~1~1~0~1~1~0~0~0~|zl_standard.zlk||PF|-1|2|1|1|1|\",")))
        << wert.toStdString();
    const LesezeichenLesung r = LeseLesezeichenWert(wert, QStringLiteral("/daten/andere.zlk"));
    EXPECT_TRUE(r.Unlesbar.isEmpty());
    ASSERT_EQ(r.Liste.size(), 3);
    EXPECT_EQ(r.Liste, liste);
    EXPECT_EQ(LesezeichenWert(r.Liste), wert);
    EXPECT_EQ(LesezeichenFelder(puzzle()), QStringLiteral("|DEU|4|-1|-1|5|zl_standard.zlk||RH|-1|-1|-1|2|0|"));
}

TEST(Lesezeichen, AnItemOfSixFieldsTakesTheCurrentLabelFile)
{
    const auto L = LeseLesezeichenEintrag(QStringLiteral("Alt|DEU|2|-1|-1|2~1~1~1~1~1~0~0~0~|"),
                                          QStringLiteral("/prog/ZL-Daten/meine.zlk"));
    ASSERT_TRUE(L);
    EXPECT_EQ(L->Titel, QStringLiteral("Alt"));
    EXPECT_EQ(L->ObjDateiName, QStringLiteral("meine.zlk"));
    EXPECT_EQ(L->FragTypOk, QString());
    EXPECT_EQ(L->KartTyp, QString());
    EXPECT_EQ(L->FragAnz, 0);
    EXPECT_EQ(L->FontFakIndex, 0);
    EXPECT_EQ(L->Kartenschrift, 0);
    EXPECT_EQ(L->UebModus, 0);
    EXPECT_FALSE(L->AutoWeiter);
    // A label file with a folder keeps only its name; fields are read tolerantly.
    const auto M =
        LeseLesezeichenEintrag(QStringLiteral("T|EUR|3|10|2|77|C:\\Daten\\x.zlk|111|RS| 12 |a|1.6|3|1|"), {});
    ASSERT_TRUE(M);
    EXPECT_EQ(M->ObjDateiName, QStringLiteral("x.zlk"));
    EXPECT_EQ(M->FragAnz, 12);
    EXPECT_EQ(M->FontFakIndex, 0);
    EXPECT_EQ(M->Kartenschrift, 2);
    EXPECT_TRUE(M->AutoWeiter);
}

TEST(Lesezeichen, DamagedItemsAreSetAsideAndTheRestIsKept)
{
    const QString gut = CommaTextEintrag(LesezeichenFelder(puzzle()));
    const QStringList schlecht = {
        QStringLiteral("T|DEU|zwei|-1|-1|x|"), // Modus no number
        QStringLiteral("T|DEU|2|-1|1.5|x|"),   // Intensitaet no whole number
        QStringLiteral("T|DEU|9|-1|-1|x|"),    // no bookmark mode
        QStringLiteral("T|DEU|2|-1|"),         // fields missing
        QStringLiteral("T|DEU|99999999999|-1|-1|x|"),
        QStringLiteral("T|DEU|+-2|-1|-1|x|"),
        QStringLiteral("nur ein Titel"),
    };
    QString wert = gut;
    for (const QString& s : schlecht)
        wert += u',' + CommaTextEintrag(s);
    wert += u',' + gut + QStringLiteral(",,");
    const LesezeichenLesung r = LeseLesezeichenWert(wert, {});
    EXPECT_EQ(r.Liste.size(), 2);
    EXPECT_EQ(r.Unlesbar, schlecht);
    // Written back, the damaged items follow unchanged.
    const LesezeichenLesung wieder = LeseLesezeichenWert(LesezeichenWert(r.Liste, r.Unlesbar), {});
    EXPECT_EQ(wieder.Liste, r.Liste);
    EXPECT_EQ(wieder.Unlesbar, schlecht);
    // An unclosed quote swallows the rest, which then does not read.
    const LesezeichenLesung offen = LeseLesezeichenWert(gut + QStringLiteral(",\"T|DEU|2|-1|"), {});
    EXPECT_EQ(offen.Liste.size(), 1);
    EXPECT_EQ(offen.Unlesbar.size(), 1);
}

TEST(Lesezeichen, ABarInATitleNeverShiftsTheFields)
{
    LesezeichenDataTyp L = karte();
    L.Titel = QStringLiteral("a|b\r\nc");
    EXPECT_EQ(BereinigeTitel(L.Titel), QStringLiteral("abc"));
    const auto r = LeseLesezeichenWert(LesezeichenWert({L}), {});
    ASSERT_EQ(r.Liste.size(), 1);
    EXPECT_EQ(r.Liste[0].Titel, QStringLiteral("abc"));
    EXPECT_EQ(r.Liste[0].KartID, QStringLiteral("ITA"));
    QList<LesezeichenDataTyp> t = {karte()};
    EXPECT_TRUE(BenenneLesezeichen(t, 0, QStringLiteral("neu|er Name")));
    EXPECT_EQ(t[0].Titel, QStringLiteral("neuer Name"));
    EXPECT_TRUE(BenenneLesezeichen(t, 0, QString()));
    EXPECT_EQ(t[0].Titel, QString());
    EXPECT_FALSE(BenenneLesezeichen(t, 1, QStringLiteral("x")));
}

TEST(Lesezeichen, LearningMapDataHoldsIntensityLayersZoomAndAnchors)
{
    KartenLesezeichen K;
    K.Intensitaet = 2;
    K.Ebenen = {true, true, false, true, true};
    EXPECT_EQ(KartenLesezeichenDaten(K), QStringLiteral("2~1~1~0~1~1~0~0~0~"));
    K.Intensitaet = 3;
    K.Ebenen = {false, true, false, false, true};
    K.ZoomStufe = 4;
    K.AnkerX = -1;
    K.AnkerY = 1;
    const QString d = KartenLesezeichenDaten(K);
    EXPECT_EQ(d, QStringLiteral("3~0~1~0~0~1~4~-1~1~"));
    const KartenLesezeichen R = LeseKartenLesezeichen(d);
    EXPECT_EQ(R.Intensitaet, 3);
    EXPECT_EQ(R.Ebenen, K.Ebenen);
    EXPECT_EQ(R.ZoomStufe, 4);
    EXPECT_EQ(R.AnkerX, -1);
    EXPECT_EQ(R.AnkerY, 1);
    // Out of range counts as missing; only a 1 turns a layer on.
    const KartenLesezeichen S = LeseKartenLesezeichen(QStringLiteral("7~2~1~x~~1~9~5~-3~"));
    EXPECT_FALSE(S.Intensitaet);
    EXPECT_EQ(S.Ebenen, (std::array<bool, 5>{false, true, false, false, true}));
    EXPECT_EQ(S.ZoomStufe, 0);
    EXPECT_EQ(S.AnkerX, 0);
    EXPECT_EQ(S.AnkerY, 0);
    const KartenLesezeichen T = LeseKartenLesezeichen(QString());
    EXPECT_FALSE(T.Intensitaet);
    EXPECT_EQ(T.ZoomStufe, 0);
}

TEST(Lesezeichen, PuzzleSizeAndSeedOfTheData)
{
    for (const auto& [d, n] : std::initializer_list<std::pair<const char*, int>>{
             {"3", 3}, {"4", 4}, {"5", 5}, {"6", 3}, {"", 3}, {"x", 3}, {" 4", 4}})
        EXPECT_EQ(PuzzleGroesse(QString::fromLatin1(d)), n) << d;
    EXPECT_EQ(LesezeichenSeed(QStringLiteral("0")), 0);
    EXPECT_EQ(LesezeichenSeed(QStringLiteral("-2147483648")), INT32_MIN);
    EXPECT_EQ(LesezeichenSeed(QStringLiteral("99999999999")), INT32_MAX);
    EXPECT_EQ(LesezeichenSeed(QStringLiteral("Zufall")), 0);
}

TEST(Lesezeichen, CaptionsAndQuestions)
{
    const QString zeit = LesezeichenZeit(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 31)));
    EXPECT_EQ(zeit, QStringLiteral("08.12.2026 14:05:31"));
    EXPECT_EQ(LesezeichenTitelKarte(zeit, QStringLiteral("Italien")),
              QStringLiteral("08.12.2026 14:05:31 - Karte: Italien"));
    EXPECT_EQ(LesezeichenTitelUebung(QStringLiteral("08.12.2026 14:06:02"), QStringLiteral("Italien"), 1, 1, 10, 0),
              QStringLiteral("08.12.2026 14:06:02 - Übung: Italien - Standard - Basis (10) - Zufall"));
    EXPECT_EQ(LesezeichenTitelUebung(zeit, QStringLiteral("Welt"), 4, 3, 30, -77),
              QStringLiteral("08.12.2026 14:05:31 - Übung: Welt - Individuell - Experte (30) - [-77]"));
    EXPECT_EQ(LesezeichenTitelPuzzle(QStringLiteral("08.12.2026 14:07:45"), QStringLiteral("Italien"), 4),
              QStringLiteral("08.12.2026 14:07:45 - Puzzle: Italien - 4x4"));
    EXPECT_EQ(LesezeichenTitelPuzzle(zeit, QStringLiteral("A|B"), 3),
              QStringLiteral("08.12.2026 14:05:31 - Puzzle: AB - 3x3"));
    EXPECT_EQ(UebModusKurzname(2), QStringLiteral("Erweitert"));
    EXPECT_EQ(UebModusKurzname(3), QStringLiteral("Zuordnungen"));

    EXPECT_EQ(LesezeichenFrage(2, true),
              QStringLiteral("Möchtest Du auf diese Karte mit der gewählten Darstellungsart ein Lesezeichen setzen?"));
    EXPECT_EQ(LesezeichenFrage(3, false),
              QStringLiteral("Möchten Sie auf diese Übung mit den gewählten Einstellungen ein Lesezeichen setzen?"));
    EXPECT_EQ(LesezeichenFrage(4, true),
              QStringLiteral("Möchtest Du auf dieses Puzzle mit den gewählten Einstellungen ein Lesezeichen setzen?"));
    EXPECT_EQ(LesezeichenFrage(1, true), QStringLiteral("Möchtest Du auf ein Lesezeichen setzen?"));
}

TEST(Lesezeichen, MenuCaptionsHaveAcceleratorsUpToNine)
{
    EXPECT_EQ(LesezeichenMenueText(0, QStringLiteral("A")), QStringLiteral("&1:  A"));
    EXPECT_EQ(LesezeichenMenueText(8, QStringLiteral("B")), QStringLiteral("&9:  B"));
    EXPECT_EQ(LesezeichenMenueText(9, QStringLiteral("C")), QStringLiteral("10:  C"));
    EXPECT_EQ(LesezeichenMenueText(10, QString()), QStringLiteral("11:  "));
}

TEST(Lesezeichen, DeletingSelectsTheSamePlaceOrTheLast)
{
    QList<LesezeichenDataTyp> t = {karte(), uebung(), puzzle()};
    EXPECT_EQ(LoescheLesezeichen(t, 0), 0);
    EXPECT_EQ(t.size(), 2);
    EXPECT_EQ(t[0], uebung());
    EXPECT_EQ(LoescheLesezeichen(t, 1), 0); // the last one: the new last is selected
    EXPECT_EQ(LoescheLesezeichen(t, 5), -1);
    EXPECT_EQ(LoescheLesezeichen(t, 0), -1); // the only one: nothing left
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(LoescheLesezeichen(t, 0), -1);
}

TEST(Lesezeichen, RestoreOfEachKindSetsTheMainWindowState)
{
    // Learning map: everything the bookmark holds, out-of-range values keep the state.
    {
        HauptfensterZustand Z;
        QString typ = QStringLiteral("RS");
        LesezeichenDataTyp L = karte();
        L.Daten = QStringLiteral("3~0~1~0~0~1~4~-1~1~");
        const auto ebenen = SetzeKartenansicht(L, Z, typ);
        EXPECT_EQ(Z.AktKartID, QStringLiteral("ITA"));
        EXPECT_EQ(typ, QStringLiteral("PF"));
        EXPECT_EQ(Z.FontFakIndex, 2);
        EXPECT_EQ(Z.Kartenschrift, 1);
        EXPECT_EQ(Z.LernIntensitaet, 3);
        EXPECT_EQ(Z.Viewport.ZoomStufe, 4);
        EXPECT_DOUBLE_EQ(Z.Viewport.ZoomFaktor, 2.0);
        EXPECT_EQ(Z.Viewport.ScrollAnkerX, -1);
        EXPECT_EQ(Z.Viewport.ScrollAnkerY, 1);
        EXPECT_EQ(ebenen, (std::array<bool, 5>{false, true, false, false, true}));

        L.KartTyp = QStringLiteral("XX");
        L.FontFakIndex = 7;
        L.Kartenschrift = -1;
        L.Daten = QStringLiteral("9~");
        SetzeKartenansicht(L, Z, typ);
        EXPECT_EQ(typ, QStringLiteral("PF"));
        EXPECT_EQ(Z.FontFakIndex, 2);
        EXPECT_EQ(Z.Kartenschrift, 1);
        EXPECT_EQ(Z.LernIntensitaet, 3);
        EXPECT_EQ(Z.Viewport.ZoomStufe, 0);
    }
    // Exercise: kind, count, masks, advance, the last matching exercise map; the seed.
    {
        UebungsDaten = {{1, QStringLiteral("WELT"), QStringLiteral("EUR"), 0},
                        {2, QStringLiteral("EURO"), QStringLiteral("EUR"), 10},
                        {3, QStringLiteral("EURO"), QStringLiteral("ITA"), 10}};
        HauptfensterZustand Z;
        QString uebTyp = QStringLiteral("RS");
        LesezeichenDataTyp L = uebung();
        L.FragTypOk = QString(60, u'1');
        const TUebStart S = SetzeUebung(L, Z, uebTyp);
        EXPECT_EQ(S.KartID, QStringLiteral("EUR"));
        EXPECT_EQ(S.Gebiet, 10);
        EXPECT_EQ(S.Seed, -123456);
        EXPECT_EQ(S.Intensitaet, 3);
        EXPECT_EQ(uebTyp, QStringLiteral("RS"));
        EXPECT_EQ(Z.Uebung.UebFragAnz, 25);
        EXPECT_EQ(Z.Uebung.UebModus, 4);
        EXPECT_EQ(Z.FragTypMasken[3], QString(60, u'1'));
        EXPECT_EQ(Z.Uebung.UebTypMaske, QString(50, u'1'));
        EXPECT_FALSE(Z.Wahl.FragWeiterAuto);
        EXPECT_EQ(Z.Uebung.UebKartIndex, 1);

        // A "Standard" bookmark of six fields: kind 0 counts as 1, the count stays,
        // the "Individuell" preset takes the (empty) stored mask.
        const auto alt = LeseLesezeichenEintrag(QStringLiteral("Alt|ITA|3|10|1|0|"), {});
        ASSERT_TRUE(alt);
        const TUebStart T = SetzeUebung(*alt, Z, uebTyp);
        EXPECT_EQ(T.Seed, 0);
        EXPECT_EQ(Z.Uebung.UebModus, 1);
        EXPECT_EQ(Z.Uebung.UebFragAnz, 25);
        EXPECT_EQ(Z.Uebung.UebTypMaske, StandardFragTypMasken()[0].left(50));
        EXPECT_EQ(Z.FragTypMasken[3], QString());
        EXPECT_EQ(Z.Uebung.UebKartIndex, 2);
        UebungsDaten.clear();
    }
    // Puzzle: map, display type and size.
    {
        HauptfensterZustand Z;
        QString typ = QStringLiteral("PF");
        EXPECT_EQ(SetzePuzzle(puzzle(), Z, typ), 5);
        EXPECT_EQ(Z.AktKartID, QStringLiteral("DEU"));
        EXPECT_EQ(typ, QStringLiteral("RH"));
        EXPECT_EQ(Z.Wahl.PuzzleTeile, 5);
        LesezeichenDataTyp L = puzzle();
        L.Daten = QStringLiteral("7");
        EXPECT_EQ(SetzePuzzle(L, Z, typ), 3);
    }
}
