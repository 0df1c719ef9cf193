#include "AbHilfen.h"

#include "controls/TextFile.h"
#include "controls/Zufall.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_datei.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zl::ab
{
namespace
{

using test::Obj;

QByteArray Lies(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Schreibe(const QString& pfad, const QStringList& zeilen)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (const QString& z : zeilen)
        f.write(toCp1252(z) + "\r\n");
    return true;
}

// A program folder with its own label file, set up as the program sees it.
class AbDateiTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        DatenVerz = dir.path() + QLatin1String("/AB-Daten/");
        QDir().mkpath(DatenVerz);
        ObjDatei = DatenVerz + QLatin1String("zl_standard.zlk");
        Labels = {
            Obj("EUR", "L", 0.1, 0.2, QStringLiteral("Frank-|reich"), 1, 1, -1),
            Obj("EUR", "S", 0.3, 0.4, QStringLiteral("Köln"), 2),
            Obj("EUR", "G", 0.5, 0.6, QStringLiteral("Rhein"), 3, -2, 3),
            Obj("EUR", "S", 0.7, 0.8, QStringLiteral("Zürich"), 1),
        };
        ASSERT_TRUE(SchreibeObjektdatei(ObjDatei, Labels));
        ObjDaten = Labels;
        Voreinstellungen = {};
    }
    void TearDown() override
    {
        ObjDaten.clear();
        DatenVerz.clear();
        ObjDatei.clear();
    }
    ArbeitsblattDataTyp Blatt()
    {
        ArbeitsblattDataTyp a;
        a.KartID = QStringLiteral("EUR");
        a.KartTyp = QStringLiteral("PW");
        a.Thema = 5;
        a.Intens = 2;
        a.Aufgabe = 2;
        a.Lsg = true;
        a.Komplett = false;
        a.ObjDatei = ObjDatei;
        a.Vorein.TitelText = QStringLiteral("%thema% auf %karte% – €");
        a.Vorein.KlasseZeile = false;
        a.Vorein.MaxAnz = 7;
        UebernimmAuswahl(a, ObjDaten, {0, 1, 2, 3});
        return a;
    }
    QString Pfad(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // The lines of a written worksheet, for damaging it.
    QStringList Zeilen(const ArbeitsblattDataTyp& a)
    {
        const QString p = Pfad("vorlage.zla");
        EXPECT_TRUE(SchreibeArbeitsblatt(p, a));
        QString t = fromCp1252(Lies(p));
        t.chop(2);
        return t.split(QLatin1String("\r\n"));
    }

    QTemporaryDir dir;
    QList<ObjDataTyp> Labels;
};

TEST_F(AbDateiTest, RoundTripGivesTheSameState)
{
    ScopedMessageRecorder rec;
    const ArbeitsblattDataTyp a = Blatt();
    const QString p = Pfad("blatt.zla");
    ASSERT_TRUE(SchreibeArbeitsblatt(p, a));
    EXPECT_TRUE(Lies(p).startsWith("Foliavo-ZLA-1.00\r\nEUR\r\nPW\r\n5\r\n2\r\n2\r\n1\r\n4\r\n"));

    ArbeitsblattDataTyp b;
    ASSERT_TRUE(OeffneArbeitsblatt(p, b));
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
    EXPECT_EQ(b, a); // every entry matched again to its own label
    EXPECT_EQ(Voreinstellungen, a.Vorein);

    // Written again, the same bytes.
    const QString q = Pfad("wieder.zla");
    ASSERT_TRUE(SchreibeArbeitsblatt(q, b));
    EXPECT_EQ(Lies(p), Lies(q));
}

TEST_F(AbDateiTest, OlderHeaderAndDisplayTypeCodes)
{
    QStringList z = Zeilen(Blatt());
    const struct {
        const char* kopf;
        const char* typ;
        bool ok;
        const char* erwartet;
    } faelle[] = {
        {"Kartivo-AB-2003-1.00", "1", true, "RH"}, {"Foliavo-ZLA-1.00", "0", true, "RS"},
        {"Foliavo-ZLA-1.00", "PW", true, "PW"},    {"foliavo-zla-1.00", "RS", false, ""},
        {"Foliavo-ZLA-1.01", "RS", false, ""},
    };
    for (const auto& f : faelle) {
        z[0] = QString::fromLatin1(f.kopf);
        z[2] = QString::fromLatin1(f.typ);
        ASSERT_TRUE(Schreibe(Pfad("k.zla"), z));
        const auto r = LeseArbeitsblattDatei(Pfad("k.zla"));
        EXPECT_EQ(r.Status == TArbeitsblattLesen::Gelesen, f.ok) << f.kopf;
        if (f.ok) {
            EXPECT_EQ(r.Dokument.KartTyp, QString::fromLatin1(f.erwartet));
        } else {
            EXPECT_EQ(LesefehlerMeldung(r, Pfad("k.zla")), QStringLiteral("Falsches Dateiformat!"));
        }
    }
}

// Each damage refuses the file with a message; the open worksheet, the label table and the label
// file stay as they were.
TEST_F(AbDateiTest, DamagedFilesChangeNothing)
{
    const ArbeitsblattDataTyp a = Blatt();
    const QStringList gut = Zeilen(a);
    // Line numbers (from 1): 8 count, 9.. entries (8 lines each), 41.. numbering.
    const struct {
        const char* was;
        int zeile; // 0: cut the file after the line given by -wert
        const char* wert;
    } faelle[] = {
        {"count above 30", 8, "31"},
        {"negative count", 8, "-1"},
        {"count not a number", 8, "vier"},
        {"theme out of range", 4, "6"},
        {"intensity out of range", 5, "3"},
        {"task out of range", 6, "-1"},
        {"position not a number", 10, "0,5"},
        {"position not finite", 11, "inf"},
        {"placement out of range", 13, "4"},
        {"numbering repeated", 42, "=41"},
        {"numbering out of range", 41, "5"},
        {"numbering zero", 41, "0"},
        {"truncated in the entries", 0, "20"},
        {"truncated in the presets", 0, "50"},
        {"empty file", 0, "0"},
    };
    ArbeitsblattDataTyp offen;
    offen.KartID = QStringLiteral("OFFEN");
    const QByteArray zlk = Lies(ObjDatei);
    for (const auto& f : faelle) {
        QStringList z = gut;
        if (f.zeile > 0 && f.wert[0] == '=')
            z[f.zeile - 1] = z[QString::fromLatin1(f.wert + 1).toInt() - 1];
        else if (f.zeile > 0)
            z[f.zeile - 1] = QString::fromLatin1(f.wert);
        else
            z = z.mid(0, QString::fromLatin1(f.wert).toInt());
        ASSERT_TRUE(Schreibe(Pfad("kaputt.zla"), z));
        ScopedMessageRecorder rec;
        ObjDaten = {Obj("X", "L", 0, 0, QStringLiteral("Andere"), 1)};
        EXPECT_FALSE(OeffneArbeitsblatt(Pfad("kaputt.zla"), offen)) << f.was;
        ASSERT_EQ(rec.entries().size(), 1) << f.was;
        EXPECT_TRUE(rec.texts()[0].startsWith(QLatin1String("Falsches Dateiformat!"))) << f.was;
        EXPECT_EQ(offen.KartID, QStringLiteral("OFFEN"));
        EXPECT_EQ(ObjDaten.size(), 1);
        EXPECT_EQ(Lies(ObjDatei), zlk);
    }
}

TEST_F(AbDateiTest, MissingFileGivesTheReadErrorBoxes)
{
    ScopedMessageRecorder rec;
    ArbeitsblattDataTyp offen;
    EXPECT_FALSE(OeffneArbeitsblatt(Pfad("fehlt.zla"), offen));
    ASSERT_EQ(rec.entries().size(), 2);
    EXPECT_EQ(rec.texts()[0], QStringLiteral("Datei-Lesefehler! (2)"));
    EXPECT_EQ(rec.texts()[1], QStringLiteral("Lesefehler! Datei kann nicht gelesen werden."));
}

TEST_F(AbDateiTest, LabelFileSwitch)
{
    ArbeitsblattDataTyp a = Blatt();
    // Another label file beside the default one, named in the worksheet with a Windows path.
    QList<ObjDataTyp> andere = Labels;
    andere[1].Px = 0.3001; // Köln moved by one ten-thousandth
    andere.removeAt(3);    // Zürich gone
    ASSERT_TRUE(SchreibeObjektdatei(DatenVerz + QLatin1String("Schule.zlk"), andere));
    a.ObjDatei = QStringLiteral("C:\\Programme\\Foliavo\\AB-Daten\\Schule.zlk");
    ASSERT_TRUE(SchreibeArbeitsblatt(Pfad("s.zla"), a));

    ScopedMessageRecorder rec;
    ArbeitsblattDataTyp b;
    ASSERT_TRUE(OeffneArbeitsblatt(Pfad("s.zla"), b));
    ASSERT_EQ(rec.entries().size(), 2);
    EXPECT_EQ(rec.texts()[0], QStringLiteral("Kartenbeschriftungsdatei \"Schule.zlk\" wird geöffnet."));
    EXPECT_EQ(rec.texts()[1],
              QStringLiteral("Die folgenden Abfrageobjekte konnten in der Beschriftungsdatei nicht gefunden werden "
                             "und können deshalb nicht bearbeitet werden: \r\n\r\nZürich\r\n\r\nBei folgenden "
                             "Abfrageobjekten hat sich in der Beschriftungsdatei die Position auf der Karte geändert:  "
                             "\r\n\r\nKöln"));
    EXPECT_EQ(ObjDatei, DatenVerz + QLatin1String("Schule.zlk"));
    EXPECT_EQ(ObjDaten.size(), 3);
    for (int i = 0; i < b.Anzahl; ++i) {
        if (b.Eintraege[i].Name == u"Köln") {
            EXPECT_EQ(b.Eintraege[i].Px, 0.3); // drawn at its stored place
        }
        if (b.Eintraege[i].Name == u"Zürich") {
            EXPECT_EQ(b.Eintraege[i].ObjIndex, -1);
        }
    }

    // The same name in other letters: no box, but the table is read again.
    a.ObjDatei = QStringLiteral("/irgendwo/SCHULE.ZLK");
    ObjDaten.clear();
    ASSERT_TRUE(SchreibeArbeitsblatt(Pfad("s2.zla"), a));
    QFile::rename(DatenVerz + QLatin1String("Schule.zlk"), DatenVerz + QLatin1String("SCHULE.ZLK"));
    rec.clear();
    ASSERT_TRUE(OeffneArbeitsblatt(Pfad("s2.zla"), b));
    EXPECT_FALSE(rec.texts().join(u'\n').contains(QStringLiteral("wird geöffnet")));
    EXPECT_EQ(ObjDaten.size(), 3);

    // A label file that is missing, or names a folder: warning, the table stays.
    for (const char* name : {"C:\\weg\\Fehlt.zlk", "C:\\weg\\"}) {
        a.ObjDatei = QString::fromLatin1(name);
        ASSERT_TRUE(SchreibeArbeitsblatt(Pfad("s3.zla"), a));
        rec.clear();
        const QString vorher = ObjDatei;
        ASSERT_TRUE(OeffneArbeitsblatt(Pfad("s3.zla"), b));
        ASSERT_GE(rec.entries().size(), 1);
        EXPECT_TRUE(rec.texts()[0].endsWith(
            QStringLiteral("ist nicht vorhanden. Die Abfrageobjekte können deshalb evtl. nicht bearbeitet werden.")));
        EXPECT_EQ(ObjDatei, vorher);
        EXPECT_EQ(b.ObjDatei, vorher);
    }
}

TEST_F(AbDateiTest, UnwritablePathKeepsTheOldFile)
{
    ScopedMessageRecorder rec;
    EXPECT_FALSE(SchreibeArbeitsblatt(Pfad("gibtsnicht/blatt.zla"), Blatt()));
    EXPECT_FALSE(rec.entries().isEmpty());
}

TEST_F(AbDateiTest, ZeroEntries)
{
    ArbeitsblattDataTyp a = Blatt();
    a.Anzahl = 0;
    ASSERT_TRUE(SchreibeArbeitsblatt(Pfad("leer.zla"), a));
    ArbeitsblattDataTyp b;
    ScopedMessageRecorder rec;
    ASSERT_TRUE(OeffneArbeitsblatt(Pfad("leer.zla"), b));
    EXPECT_EQ(b.Anzahl, 0);
    EXPECT_TRUE(rec.entries().isEmpty());
}

// Every map of the bundled worksheet data: a worksheet composed, written and read back.
TEST(AbDateiBundled, EveryMapRoundTrips)
{
    ScopedMessageRecorder rec;
    DatenInitialisieren(test::FoliavoVerz());
    QTemporaryDir dir;
    Zufall::SetRandSeed(20260);
    ASSERT_FALSE(KartenDaten.isEmpty());
    int mitEintraegen = 0;
    for (const KartDataTyp& k : KartenDaten) {
        for (int thema : {0, 5}) {
            ArbeitsblattDataTyp a;
            a.KartID = k.KartID;
            a.Thema = thema;
            a.Intens = 2;
            a.ObjDatei = ObjDatei;
            GeneriereArbeitsblatt(a, ObjDaten, 30);
            if (a.Anzahl > 0)
                ++mitEintraegen;
            const QString p = dir.filePath(k.KartID + QLatin1String(".zla"));
            ASSERT_TRUE(SchreibeArbeitsblatt(p, a)) << k.KartID.toStdString();
            ArbeitsblattDataTyp b;
            ASSERT_TRUE(OeffneArbeitsblatt(p, b)) << k.KartID.toStdString();
            EXPECT_EQ(b, a) << k.KartID.toStdString();
        }
    }
    EXPECT_GT(mitEintraegen, KartenDaten.size());
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
    DatenFreigeben();
}

} // namespace
} // namespace zl::ab
