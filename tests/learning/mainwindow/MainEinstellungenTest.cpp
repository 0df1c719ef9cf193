#include "learning/mainwindow/zl_einstellungen.h"

#include "datastore/zl_data.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zl;

namespace {

class EinstellungenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MasterKonfigZuruecksetzen();
        KartTyp.clear();
        UebKartTyp.clear();
        KomModus = -1;
        NetzVerz = QStringLiteral("/prog/ZL-Netz/");
        U.LeseLesezeichen = [this](const QString& t) { lesezeichen.append(t); };
    }
    void TearDown() override { MasterKonfigZuruecksetzen(); }

    HauptfensterZustand lies()
    {
        HauptfensterZustand z;
        LeseEinstellungen(store, z, U);
        return z;
    }

    MemorySettingsStore store;
    EinstellungsUmgebung U;
    QStringList lesezeichen;
};

} // namespace

TEST_F(EinstellungenTest, EmptyKeyGivesTheDefaults)
{
    const HauptfensterZustand z = lies();
    EXPECT_EQ(z.KartenAuswahlSeite, QStringLiteral("EURSheet"));
    EXPECT_EQ(z.LernIntensitaet, 2);
    EXPECT_TRUE(z.Wahl.Sound);
    EXPECT_EQ(z.Wahl.Animation, 0); // as the form has it
    EXPECT_EQ(z.UebRFLevel, 2);
    EXPECT_EQ(z.Wahl.RFLevelMarke, 2);
    EXPECT_TRUE(z.Wahl.AnredeDu);
    EXPECT_EQ(z.Wahl.PuzzleTeile, 3);
    EXPECT_EQ(z.Wahl.PuzzleModus, 0);
    EXPECT_EQ(KartTyp, QStringLiteral("RS"));
    EXPECT_EQ(UebKartTyp, QStringLiteral("RS"));
    EXPECT_FALSE(z.Wahl.KartHell);
    EXPECT_EQ(z.Kartenschrift, 0);
    EXPECT_TRUE(lesezeichen.isEmpty());
    EXPECT_EQ(KomModus, -1);
    EXPECT_EQ(NetzVerz, QStringLiteral("/prog/ZL-Netz/"));
    EXPECT_EQ(z.FragTypMasken[3], QString(23, u'1'));
    EXPECT_EQ(z.Uebung.UebFragAnz, 10);
    EXPECT_EQ(z.FontFakIndex, 1);
    EXPECT_EQ(z.Uebung.UebModus, 1);
    EXPECT_EQ(z.Uebung.UebIntensitaet, 1);
    EXPECT_TRUE(z.Wahl.FragWeiterAuto);
}

TEST_F(EinstellungenTest, ValuesFromTheKeyAreApplied)
{
    store.writeText(QStringLiteral("Karten-Auswahl"), QStringLiteral("WLTSheet"));
    store.writeInt32(QStringLiteral("Intensität"), 3);
    store.writeBool(QStringLiteral("Sound-On"), false);
    store.writeInt32(QStringLiteral("Animationen"), 1);
    store.writeInt32(QStringLiteral("UebRFLevel"), 7);
    store.writeBool(QStringLiteral("Anrede-Du"), false);
    store.writeInt32(QStringLiteral("Puzzle-Teile"), 5);
    store.writeInt32(QStringLiteral("Puzzle-Modus"), 1);
    store.writeInt32(QStringLiteral("Kartendarstellung"), 1);
    store.writeText(QStringLiteral("KartTyp"), QStringLiteral("PW"));
    store.writeText(QStringLiteral("UebKartTyp"), QStringLiteral("RH"));
    store.writeInt32(QStringLiteral("Kartenschrift"), 1);
    store.writeText(QStringLiteral("Lesezeichen"), QStringLiteral("\"a\",\"b\""));
    store.writeText(QStringLiteral("NetzKommVerz"), QStringLiteral("/srv/netz"));
    store.writeBool(QStringLiteral("NetzKomDatei"), true);
    store.writeBool(QStringLiteral("NetzKomMailslot"), true);
    store.writeText(QStringLiteral("FragTypOk"), QStringLiteral("101"));
    store.writeInt32(QStringLiteral("UebFragAnz"), 25);
    store.writeInt32(QStringLiteral("FontFakIndex"), 2);
    store.writeInt32(QStringLiteral("UebModus"), 4);
    store.writeInt32(QStringLiteral("UebIntensitaet"), 3);
    store.writeInt32(QStringLiteral("UebAutoWeiter"), 0);
    const HauptfensterZustand z = lies();
    EXPECT_EQ(z.KartenAuswahlSeite, QStringLiteral("WLTSheet"));
    EXPECT_EQ(z.LernIntensitaet, 3);
    EXPECT_FALSE(z.Wahl.Sound);
    EXPECT_EQ(z.Wahl.Animation, 1);
    EXPECT_EQ(z.UebRFLevel, 7); // kept, and the last level is checked
    EXPECT_EQ(z.Wahl.RFLevelMarke, 2);
    EXPECT_FALSE(z.Wahl.AnredeDu);
    EXPECT_EQ(z.Wahl.PuzzleTeile, 5);
    EXPECT_EQ(z.Wahl.PuzzleModus, 1);
    EXPECT_TRUE(z.Wahl.KartHell);
    EXPECT_EQ(KartTyp, QStringLiteral("PW"));
    EXPECT_EQ(UebKartTyp, QStringLiteral("RH"));
    EXPECT_EQ(z.Kartenschrift, 1);
    EXPECT_EQ(lesezeichen, QStringList{QStringLiteral("\"a\",\"b\"")});
    EXPECT_EQ(NetzVerz, QStringLiteral("/srv/netz/")); // the separator is added
    EXPECT_EQ(KomModus, 1); // the mailslot wins when both are set
    EXPECT_EQ(z.FragTypMasken[3], QStringLiteral("101"));
    EXPECT_EQ(z.Uebung.UebFragAnz, 25);
    EXPECT_EQ(z.FontFakIndex, 2);
    EXPECT_EQ(z.Uebung.UebModus, 4);
    EXPECT_EQ(z.Uebung.UebIntensitaet, 3);
    EXPECT_FALSE(z.Wahl.FragWeiterAuto);
}

TEST_F(EinstellungenTest, WrongTypesAndValuesOutOfRangeCountAsMissing)
{
    store.writeText(QStringLiteral("Intensität"), QStringLiteral("3"));
    store.writeInt32(QStringLiteral("Sound-On"), 0);    // a truth value is a number: this is valid
    store.writeText(QStringLiteral("Anrede-Du"), QStringLiteral("0")); // wrong type: unchanged
    store.writeInt32(QStringLiteral("Karten-Auswahl"), 1);
    store.writeInt32(QStringLiteral("FontFakIndex"), 3);
    store.writeInt32(QStringLiteral("UebIntensitaet"), 0);
    store.writeInt32(QStringLiteral("UebModus"), 9);
    store.writeInt32(QStringLiteral("Kartenschrift"), -1);
    store.writeInt32(QStringLiteral("UebFragAnz"), -5);
    store.writeInt32(QStringLiteral("UebRFLevel"), -1);
    store.writeText(QStringLiteral("KartTyp"), QStringLiteral("XX"));
    store.writeInt32(QStringLiteral("Animationen"), 5); // other numbers change nothing
    HauptfensterZustand vorher;
    vorher.Wahl.Animation = 1;
    LeseEinstellungen(store, vorher, U);
    const HauptfensterZustand& z = vorher;
    EXPECT_EQ(z.LernIntensitaet, 2);
    EXPECT_FALSE(z.Wahl.Sound);
    EXPECT_TRUE(z.Wahl.AnredeDu);
    EXPECT_EQ(z.KartenAuswahlSeite, QStringLiteral("EURSheet"));
    EXPECT_EQ(z.FontFakIndex, 1);
    EXPECT_EQ(z.Uebung.UebIntensitaet, 1);
    EXPECT_EQ(z.Uebung.UebModus, 1);
    EXPECT_EQ(z.Kartenschrift, 0);
    EXPECT_EQ(z.Uebung.UebFragAnz, 10);
    EXPECT_EQ(z.UebRFLevel, 2);
    EXPECT_EQ(KartTyp, QStringLiteral("RS"));
    EXPECT_EQ(z.Wahl.Animation, 1);

    store.writeText(QStringLiteral("Karten-Auswahl"), QStringLiteral("Irgendwas"));
    EXPECT_EQ(lies().KartenAuswahlSeite, QStringLiteral("EURSheet"));
}

TEST_F(EinstellungenTest, AnimationsStayOffWithoutVideos)
{
    store.writeInt32(QStringLiteral("Animationen"), 0);
    U.VideosVorhanden = false;
    HauptfensterZustand z;
    z.Wahl.Animation = 2; // the form checked the still pictures for missing videos
    LeseEinstellungen(store, z, U);
    EXPECT_EQ(z.Wahl.Animation, 2);
    U.VideosVorhanden = true;
    LeseEinstellungen(store, z, U);
    EXPECT_EQ(z.Wahl.Animation, 0);
}

TEST_F(EinstellungenTest, FixedNetworkIgnoresTheStoredChannel)
{
    store.writeText(QStringLiteral("NetzKommVerz"), QStringLiteral("/srv/netz/"));
    store.writeBool(QStringLiteral("NetzKomDatei"), true);
    MasterIni.NetzFest = 1;
    lies();
    EXPECT_EQ(NetzVerz, QStringLiteral("/prog/ZL-Netz/"));
    EXPECT_EQ(KomModus, -1);
}

TEST_F(EinstellungenTest, UserFileOnlyWhenTheMasterRecordAsks)
{
    QTemporaryDir dir;
    const QString datei = dir.filePath(QStringLiteral("KartivoUserCfg.ini"));
    IniFile ini;
    ini.writeString(kEinstellungsAbschnitt, QStringLiteral("Intensität"), QStringLiteral("1"));
    ini.writeString(kEinstellungsAbschnitt, QStringLiteral("Lesezeichen"), QStringLiteral("a,b"));
    ini.writeString(kEinstellungsAbschnitt, QStringLiteral("KartTyp"), QStringLiteral("PF"));
    ini.writeString(kEinstellungsAbschnitt, QStringLiteral("UebFragAnz"), QStringLiteral("zwanzig"));
    ASSERT_EQ(ini.save(datei), 0);
    store.writeInt32(QStringLiteral("UebFragAnz"), 30);
    store.writeInt32(QStringLiteral("Animationen"), 1);

    HauptfensterZustand z = lies();
    EXPECT_EQ(LeseEinstellungenIni(datei, z, U), 0); // reset record: not read
    EXPECT_EQ(z.LernIntensitaet, 2);

    MasterIni.UserIniLesen = 1;
    EXPECT_EQ(LeseEinstellungenIni(datei, z, U), 0);
    EXPECT_EQ(z.LernIntensitaet, 1);
    EXPECT_EQ(KartTyp, QStringLiteral("PF"));
    EXPECT_EQ(z.Uebung.UebFragAnz, 10); // not a number: the user file's default
    EXPECT_EQ(z.Wahl.Animation, 0);     // missing in the file: its default 0
    EXPECT_EQ(KomModus, 1);             // "NetzKomMailslot" missing: default true
    EXPECT_EQ(lesezeichen.last(), QStringLiteral("\"a,b\""));

    // A missing file and an empty path are skipped without a message.
    ScopedMessageRecorder rec;
    EXPECT_EQ(LeseEinstellungenIni(dir.filePath(QStringLiteral("none.ini")), z, U), 0);
    EXPECT_EQ(LeseEinstellungenIni(QString(), z, U), 0);
    EXPECT_TRUE(rec.entries().isEmpty());
    // A folder where the file should be cannot be read.
    QDir().mkpath(dir.filePath(QStringLiteral("ordner.ini")));
    EXPECT_NE(LeseEinstellungenIni(dir.filePath(QStringLiteral("ordner.ini")), z, U), 0);
}

TEST_F(EinstellungenTest, EveryValueRoundTripsUnderItsNameAndType)
{
    HauptfensterZustand z;
    z.KartenAuswahlSeite = QStringLiteral("DEUSheet");
    z.LernIntensitaet = 1;
    z.Wahl = TMenueWahl{false, 2, false, 4, 1, true, false, 0};
    z.UebRFLevel = 0;
    z.Kartenschrift = 1;
    z.FontFakIndex = 0;
    z.FragTypMasken[3] = QStringLiteral("0101");
    z.Uebung.UebFragAnz = 40;
    z.Uebung.UebModus = 3;
    z.Uebung.UebIntensitaet = 2;
    KartTyp = QStringLiteral("PF");
    UebKartTyp = QStringLiteral("PW");
    NetzVerz = QStringLiteral("/srv/k, \"n\"/");
    KomModus = 0;
    ASSERT_EQ(SchreibeAlleEinstellungen(store, z, QStringLiteral("\"x\",\"y\"")), 0);
    EXPECT_EQ(store.readBool(QStringLiteral("Sound-On")), false);
    EXPECT_EQ(store.readText(QStringLiteral("NetzKomDatei")), std::nullopt); // a number, not a text
    EXPECT_EQ(store.readInt32(QStringLiteral("NetzKomDatei")), 1);

    KartTyp.clear();
    UebKartTyp.clear();
    KomModus = -1;
    NetzVerz.clear();
    const HauptfensterZustand b = lies();
    EXPECT_EQ(b.KartenAuswahlSeite, z.KartenAuswahlSeite);
    EXPECT_EQ(b.LernIntensitaet, 1);
    EXPECT_FALSE(b.Wahl.Sound);
    EXPECT_EQ(b.Wahl.Animation, 2);
    EXPECT_FALSE(b.Wahl.AnredeDu);
    EXPECT_EQ(b.Wahl.PuzzleTeile, 4);
    EXPECT_EQ(b.Wahl.PuzzleModus, 1);
    EXPECT_FALSE(b.Wahl.FragWeiterAuto);
    EXPECT_EQ(b.UebRFLevel, 0);
    EXPECT_EQ(b.Wahl.RFLevelMarke, 0);
    EXPECT_EQ(b.Kartenschrift, 1);
    EXPECT_EQ(b.FontFakIndex, 0);
    EXPECT_EQ(b.FragTypMasken[3], QStringLiteral("0101"));
    EXPECT_EQ(b.Uebung.UebFragAnz, 40);
    EXPECT_EQ(b.Uebung.UebModus, 3);
    EXPECT_EQ(b.Uebung.UebIntensitaet, 2);
    EXPECT_EQ(KartTyp, QStringLiteral("PF"));
    EXPECT_EQ(UebKartTyp, QStringLiteral("PW"));
    EXPECT_EQ(NetzVerz, QStringLiteral("/srv/k, \"n\"/"));
    EXPECT_EQ(KomModus, 0);
    EXPECT_EQ(lesezeichen.last(), QStringLiteral("\"x\",\"y\""));
}

TEST_F(EinstellungenTest, SettingsSurviveARestartOnDisk)
{
    QTemporaryDir root;
    {
        Einstellungen e(root.path());
        HauptfensterZustand z;
        z.Wahl.AnredeDu = false;
        z.LernIntensitaet = 3;
        e.Schreibe(QStringLiteral("Anrede-Du"), z);
        e.Schreibe(QStringLiteral("Intensität"), z);
    }
    EXPECT_TRUE(QFile::exists(root.filePath(QStringLiteral("Selvik/") + kEinstellungsSchluessel)));
    Einstellungen e(root.path());
    HauptfensterZustand z;
    LeseEinstellungen(e.Store(), z, U);
    EXPECT_FALSE(z.Wahl.AnredeDu);
    EXPECT_EQ(z.LernIntensitaet, 3);
}

TEST_F(EinstellungenTest, StoreFailuresWarnOnceAndTheRunGoesOn)
{
    ScopedMessageRecorder rec;
    store.setWriteError(5);
    Einstellungen e(&store);
    HauptfensterZustand z;
    e.Schreibe(QStringLiteral("Anrede-Du"), z);
    e.Schreibe(QStringLiteral("Sound-On"), z);
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].kind, MsgKind::Warnung);
    EXPECT_TRUE(rec.entries()[0].text.contains(QStringLiteral("(5)")));
    EXPECT_EQ(store.readBool(QStringLiteral("Sound-On")), true); // still there for this run

    // A key that cannot be read: one warning at start, no second one for writes.
    QTemporaryDir root;
    QDir().mkpath(root.filePath(QStringLiteral("Selvik/") + kEinstellungsSchluessel));
    rec.clear();
    Einstellungen kaputt(root.path());
    kaputt.MeldeLesefehler();
    kaputt.MeldeLesefehler();
    kaputt.Schreibe(QStringLiteral("Sound-On"), z);
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.entries()[0].text.startsWith(QStringLiteral("Die Einstellungen können nicht gelesen werden")));
    HauptfensterZustand d;
    LeseEinstellungen(kaputt.Store(), d, U);
    EXPECT_EQ(d.LernIntensitaet, 2);
}
