// Start-up loading: folders, the four data tables, map-name lookups.
#include "Hilfen.h"

#include "datastore/zl_data.h"

#include <QDir>
#include <QStandardPaths>

using namespace zl;
using zl::testing::DatenTest;

namespace
{

class TabellenTest : public DatenTest
{
  protected:
    void schreibe(const QString& name, const QStringList& zeilen)
    {
        ASSERT_TRUE(fixtures::writeTextFile(daten(name), zeilen));
    }
};

} // namespace

TEST_F(TabellenTest, StartupLoadsEveryTableOfTheFixtureWithoutABox)
{
    ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog(), {.pictures = false}));
    ScopedMessageRecorder boxes;
    DatenInitialisieren(dir.path()); // no trailing separator: one is added

    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(ProgVerz, prog());
    EXPECT_EQ(DatenVerz, prog() + QLatin1String("ZL-Daten/"));
    EXPECT_EQ(KartenVerz, prog() + QLatin1String("ZX-Karten/"));
    EXPECT_EQ(FlaggenVerz, prog() + QLatin1String("ZL-Flaggen/"));
    EXPECT_EQ(SoundVerz, prog() + QLatin1String("ZL-Sound/"));
    EXPECT_EQ(VideoVerz, prog() + QLatin1String("ZL-Video/"));
    EXPECT_EQ(HilfeVerz, prog() + QLatin1String("ZL-Hilfe/"));
    EXPECT_EQ(ProtokollVerz, prog() + QLatin1String("ZL-Protokolle/"));
    EXPECT_EQ(NetzVerz, prog() + QLatin1String("ZL-Netz/"));
    EXPECT_EQ(ObjDatei, prog() + QLatin1String("ZL-Daten/zl_standard.zlk"));
    EXPECT_EQ(MasterIniDatei, prog() + QLatin1String("KartivoMasterCfg.ini"));
    if (!EigeneDateienPfad().isEmpty()) {
        EXPECT_EQ(UserIniDatei, EigeneDateienPfad() + QLatin1String("Kartivo/KartivoUserCfg.ini"));
    }

    EXPECT_EQ(LaenderDaten.size(), fixtures::laenderLines().size() - 1);
    EXPECT_EQ(UebungsDaten.size(), fixtures::uebungenLines().size() - 1);
    EXPECT_EQ(KartenDaten.size(), fixtures::kartenLines().size() - 1);
    EXPECT_EQ(KartAuswDaten.size(), fixtures::kartenauswahlLines().size() - 1);
    EXPECT_EQ(ObjDaten.size(), fixtures::labelLines().size() - 1);
    ASSERT_TRUE(KartenCache);
    EXPECT_TRUE(KartenCache->Empty());
    EXPECT_TRUE(KartenCachePfad.isEmpty());

    // Text read as Windows-1252.
    EXPECT_EQ(LaenderDaten[3].Name, QStringLiteral("Österreich"));
    EXPECT_EQ(LaenderDaten[4].Regierungssitz, QStringLiteral("Den Haag"));
    EXPECT_DOUBLE_EQ(LaenderDaten[1].Einwohner, 83200000.0);
    EXPECT_DOUBLE_EQ(LaenderDaten[1].Dichte, 83200000.0 / 357588.0);
    EXPECT_EQ(UebungsDaten[2].UebKartID, QStringLiteral("DBY"));
    EXPECT_EQ(UebungsDaten[2].Gebiet, -1);

    // Catalogue corrections of the three overview pictures.
    const KartAuswDataTyp& wlt = KartAuswDaten[0];
    EXPECT_EQ(std::tuple(wlt.FeldX, wlt.FeldY, wlt.MarkLinks, wlt.MarkOben, wlt.MarkRechts, wlt.MarkUnten),
              std::tuple(5200, 4124, 4600, 3524, 5800, 4724));
    const KartAuswDataTyp& eur = KartAuswDaten[1];
    EXPECT_EQ(std::tuple(eur.FeldX, eur.FeldY, eur.MarkLinks, eur.MarkOben, eur.MarkRechts, eur.MarkUnten),
              std::tuple(6202, 5000, 5764, 4000, 6639, 6000));
    const KartAuswDataTyp& deu = KartAuswDaten[2];
    EXPECT_EQ(std::tuple(deu.FeldX, deu.FeldY, deu.MarkLinks, deu.MarkOben, deu.MarkRechts, deu.MarkUnten),
              std::tuple(5635, 7500, 4682, 6000, 6905, 9500));
}

TEST_F(TabellenTest, MissingMapListGivesOneReadErrorAndTheRestLoads)
{
    ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog(), {.pictures = false}));
    ASSERT_TRUE(QFile::remove(daten(QStringLiteral("zl_karten.dat"))));
    ScopedMessageRecorder boxes;
    DatenInitialisieren(prog());
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Datei-Lesefehler! (2)")});
    EXPECT_TRUE(KartenDaten.isEmpty());
    EXPECT_FALSE(LaenderDaten.isEmpty());
    EXPECT_FALSE(ObjDaten.isEmpty());
}

TEST_F(TabellenTest, MissingDataFolderGivesFiveBoxesWithCode3)
{
    ScopedMessageRecorder boxes;
    DatenInitialisieren(prog() + QLatin1String("nirgends"));
    EXPECT_EQ(boxes.texts(), QStringList(5, QStringLiteral("Datei-Lesefehler! (3)")));
    EXPECT_TRUE(LaenderDaten.isEmpty());
    EXPECT_TRUE(UebungsDaten.isEmpty());
    EXPECT_TRUE(KartenDaten.isEmpty());
    EXPECT_TRUE(KartAuswDaten.isEmpty());
    EXPECT_TRUE(ObjDaten.isEmpty());
    EXPECT_FALSE(QDir(prog() + QLatin1String("nirgends")).exists()); // nothing is created
}

TEST_F(TabellenTest, FailedReReadKeepsTheTable)
{
    ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog(), {.pictures = false}));
    DatenInitialisieren(prog());
    const auto vorher = KartenDaten.size();
    ASSERT_TRUE(QFile::remove(daten(QStringLiteral("zl_karten.dat"))));
    ScopedMessageRecorder boxes;
    EXPECT_FALSE(LeseKarten());
    EXPECT_EQ(KartenDaten.size(), vorher);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Datei-Lesefehler! (2)")});
}

TEST_F(TabellenTest, HeaderOnlyAndEmptyFilesGiveEmptyTablesLfOnlyFilesAreRead)
{
    ASSERT_TRUE(QDir().mkpath(prog() + QLatin1String("ZL-Daten")));
    DatenVerz = prog() + QLatin1String("ZL-Daten/");
    ScopedMessageRecorder boxes;

    schreibe(kKartenDateiName, {QStringLiteral("KartID~KartName~Wert~")});
    EXPECT_TRUE(LeseKarten());
    EXPECT_TRUE(KartenDaten.isEmpty());

    ASSERT_TRUE(fixtures::writeBytes(daten(kKartenDateiName), QByteArray()));
    EXPECT_TRUE(LeseKarten());
    EXPECT_TRUE(KartenDaten.isEmpty());

    // A file without any CR (as a Linux editor leaves it) is read with LF line ends.
    ASSERT_TRUE(fixtures::writeBytes(daten(kKartenDateiName), "KartID~KartName~Wert~\nDEU~Deutschland~1~\n"));
    EXPECT_TRUE(LeseKarten());
    ASSERT_EQ(KartenDaten.size(), 1);
    EXPECT_EQ(KartenDaten[0].KartID, QStringLiteral("DEU"));
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST_F(TabellenTest, CountryLineIsTrimmedAndDropsEveryDot)
{
    schreibe(kLaenderDateiName,
             {QStringLiteral("Kopf"), QStringLiteral("   Land;10;1.234.567;83.5;Stadt;;fahne.bmp  "),
              QStringLiteral("     "), QStringLiteral("Leer;20;1000;0;;;"), QStringLiteral("Kurz;30")});
    auto t = LeseLaenderdatei(daten(kLaenderDateiName));
    ASSERT_TRUE(t.Geoeffnet);
    EXPECT_EQ(t.ErsteFehlerzeile, 0);
    ASSERT_EQ(t.Zeilen.size(), 3);
    const laenderdatatyp& l = t.Zeilen[0];
    EXPECT_EQ(l.Name, QStringLiteral("Land"));
    EXPECT_EQ(l.Gebiet, 10);
    EXPECT_DOUBLE_EQ(l.Einwohner, 1234567.0);
    EXPECT_DOUBLE_EQ(l.Flaeche, 835.0);
    EXPECT_EQ(l.Hauptstadt, QStringLiteral("Stadt"));
    EXPECT_TRUE(l.Regierungssitz.isEmpty());
    EXPECT_EQ(l.Flagge, QStringLiteral("fahne.bmp"));
    EXPECT_DOUBLE_EQ(l.Dichte, 1234567.0 / 835.0);
    EXPECT_EQ(t.Zeilen[1].Dichte, 0.0); // area 0
    // Too few fields: empty texts and 0 for the lenient numbers.
    EXPECT_EQ(t.Zeilen[2].Einwohner, 0.0);
    EXPECT_TRUE(t.Zeilen[2].Flagge.isEmpty());
}

TEST_F(TabellenTest, CatalogueCorrectionDependsOnTheExactCode)
{
    struct Fall {
        const char16_t* code;
        std::tuple<int, int, int, int, int, int> erwartet; // FeldX, FeldY, MarkLinks, MarkOben, MarkRechts, MarkUnten
    };
    const Fall faelle[] = {
        {u"DEU", {8175, 5000, 1825, 0, 8175, 10000}},
        {u"WLT", {10000, 6724, 0, 1724, 10000, 11724}},
        {u"wlt", {10000, 5000, 0, 0, 10000, 10000}},
        {u"EUR", {10580, 5000, 1824, 0, 10580, 10000}},
    };
    for (const Fall& f : faelle) {
        const QString code = QString::fromUtf16(f.code);
        schreibe(kKartenauswahlDateiName,
                 {QStringLiteral("Kopf"), code + QLatin1String("~D01~Bayern~10000~5000~0~0~10000~10000")});
        auto t = LeseKartenauswahldatei(daten(kKartenauswahlDateiName));
        ASSERT_EQ(t.Zeilen.size(), 1) << code.toStdString();
        const KartAuswDataTyp& k = t.Zeilen[0];
        EXPECT_EQ(std::tuple(k.FeldX, k.FeldY, k.MarkLinks, k.MarkOben, k.MarkRechts, k.MarkUnten), f.erwartet)
            << code.toStdString();
        EXPECT_EQ(k.KartName, QStringLiteral("Bayern"));
    }
}

TEST_F(TabellenTest, RowsThatDoNotConvertAreSkippedWithOneBoxPerFile)
{
    ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog(), {.pictures = false}));
    schreibe(kUebungenDateiName, {
                                     QStringLiteral("Nr~LernKartID~UebKartID~Gebiet~"), QStringLiteral("1~EUR~EUR~10~"),
                                     QStringLiteral("x~EUR~EUR~10~"),          // line 3: not a number
                                     QStringLiteral("3~DEU~DEU~"),             // empty strict field
                                     QStringLiteral("4~DEU~DEU~99999999999~"), // beyond 32 bits
                                     QStringLiteral("   "),                    // blanks are no row
                                     QStringLiteral("7~DEU~DBY~ -1~"),         // leading blank is allowed
                                 });
    schreibe(kKartenauswahlDateiName,
             {QStringLiteral("Kopf"), QStringLiteral("WLT~EUR~Europa~1~2~3~4~5~6~"),
              QStringLiteral("WLT~EUR~Europa~1~2~3~4~5~"),
              QStringLiteral("WLT~EUR~Europa~1~2147483647~3~4~5~6~")}); // corrected beyond 32 bits
    ScopedMessageRecorder boxes;
    DatenInitialisieren(prog());
    ASSERT_EQ(UebungsDaten.size(), 2);
    EXPECT_EQ(UebungsDaten[1].Nr, 7);
    EXPECT_EQ(UebungsDaten[1].Gebiet, -1);
    EXPECT_EQ(KartAuswDaten.size(), 1);
    EXPECT_EQ(boxes.texts(), (QStringList{FehlerzeilenMeldung(daten(kUebungenDateiName), 3),
                                          FehlerzeilenMeldung(daten(kKartenauswahlDateiName), 3)}));
    EXPECT_TRUE(boxes.texts()[0].contains(QLatin1String("zl_uebungen.dat")));
    EXPECT_TRUE(boxes.texts()[0].contains(QLatin1String("Zeile 3")));
    // The rest of the start goes on.
    EXPECT_EQ(KartenDaten.size(), 3);
    EXPECT_FALSE(ObjDaten.isEmpty());
}

TEST_F(TabellenTest, MapNameLookups)
{
    KartenDaten = {{QStringLiteral("DEU"), QStringLiteral("Deutschland"), 1},
                   {QStringLiteral("ÖST"), QStringLiteral("Österreich"), 1},
                   {QStringLiteral("deu"), QStringLiteral("zweiter Eintrag"), 1}};
    EXPECT_EQ(KartenName(QStringLiteral("deu")), QStringLiteral("Deutschland"));
    EXPECT_EQ(KartenName(QStringLiteral("öst")), QStringLiteral("Österreich"));
    EXPECT_TRUE(KartenName(QStringLiteral("XYZ")).isEmpty());

    const std::pair<const char16_t*, const char16_t*> gruppen[] = {
        {u"DEU", u"Deutsche Bundesländer"},          {u"DNDS", u"Deutsche Bundesländer"},
        {u"DE", u"Untergeordnete Gebiete"},          {u"dNDS", u"Untergeordnete Gebiete"},
        {u"ÖST", u"Österreichische Bundesländer"},   {u"SCH", u"Schweizer Kantone"},
        {u"USA", u"US-Amerikanische Bundesstaaten"}, {u"KAN", u"Kanadische Provinzen/Territorien"},
        {u"AUS", u"Australische Bundesstaaten"},     {u"GBI", u"Teilgebiete Großbritanniens"},
        {u"usa", u"Untergeordnete Gebiete"},
    };
    for (const auto& [id, name] : gruppen)
        EXPECT_EQ(KartenGruppenName(QString::fromUtf16(id)), QString::fromUtf16(name))
            << QString::fromUtf16(id).toStdString();
}

TEST(AnsiUpperCaseTest, UpperCasesLetterByLetterWithinTheCodePage)
{
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("baden-württemberg")), QStringLiteral("BADEN-WÜRTTEMBERG"));
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("straße")), QStringLiteral("STRAßE")); // ß stays
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("ÿ µ é")), QStringLiteral("Ÿ µ É"));
}

TEST(KonstantenTest, ContinentsAndIntensities)
{
    EXPECT_EQ(Kontinente.size(), 7);
    EXPECT_EQ(Kontinente[5], QStringLiteral("Südamerika"));
    EXPECT_EQ(Kontinente[6], QStringLiteral("Australien/Ozeanien"));
    EXPECT_EQ(Intensitaeten,
              (QStringList{QStringLiteral("Basis"), QStringLiteral("Aufbau"), QStringLiteral("Experte")}));
}
