// The generator end to end on a tiny synthetic world: two square countries, an
// 8 x 4 height grid, two towns and a few curated names.
#include "tools/atlasgen/Atlas.h"

#include "datastore/JpegDatei.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

void Schreibe(const QString& datei, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(datei).absolutePath());
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

class Atlasgen : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString q = dir.filePath(QStringLiteral("quellen"));
        const QString t = dir.filePath(QStringLiteral("tabellen"));
        Schreibe(q + QStringLiteral("/countries50.json"),
                 R"([{"id":"AA","polys":[[[0,40,10,40,10,50,0,50,0,40]]]},)"
                 R"({"id":"BB","polys":[[[10,40,20,40,20,50,10,50,10,40],[14,44,16,44,16,46,14,46,14,44]]]}])");
        Schreibe(q + QStringLiteral("/lakes.json"),
                 R"([{"polys":[[[14.2,44.2,15.8,44.2,15.8,45.8,14.2,45.8,14.2,44.2]]]}])");
        Schreibe(q + QStringLiteral("/rivers.json"), R"([{"lines":[[2,41,4,44,6,48]]}])");
        Schreibe(q + QStringLiteral("/relief.json"),
                 R"({"breite":8,"hoehe":4,"lon0":-180,"dlon":45,"lat0":90,"dlat":-45})");
        QByteArray grid;
        for (int i = 0; i < 32; ++i) {
            const qint16 h = qint16(i == 12 ? 3000 : (i % 8) * 100 - 200); // little-endian int16
            grid.append(char(h & 0xff));
            grid.append(char((h >> 8) & 0xff));
        }
        Schreibe(q + QStringLiteral("/relief.bin"), grid);
        Schreibe(q + QStringLiteral("/cities.tsv"),
                 "1\tAstadt\t\tAA\t45\t5\t900000\tPPLC\t00\n2\tBurg\tB\xc3\xbcrgstadt\tBB\t42\t12\t700000\tPPLA\t01\n"
                 "3\tChi\xc8\x99in\xc4\x83u\t\tBB\t48\t14\t600000\tPPL\t01\n");
        Schreibe(q + QStringLiteral("/countries.tsv"),
                 "AA\tAAA\tAland\tAland\tA\teurope\tAstadt\tAstadt\t45.000\t5.000\t1000000\t100000\n"
                 "BB\tBBB\tBland\tB\xc3\xa4rland\tB\teurope\tBurg\tB\xc3\xbcrgstadt\t42.000\t12.000\t2500000\t90000\n");
        QImage flagge(30, 20, QImage::Format_ARGB32);
        flagge.fill(Qt::red);
        ASSERT_TRUE(QDir().mkpath(q + QStringLiteral("/flags")));
        ASSERT_TRUE(flagge.save(q + QStringLiteral("/flags/aa.png")));

        Schreibe(t + QStringLiteral("/karten.tsv"), "# test\nEURO\tEuropa\tEUR\tP\t-2\t22\t38\t52\t2\t10\t50\t-\n"
                                                    "TEST\tTestland\tEUR\tL\t10\t45\t1800\t1200\t3\t10\t50\t-\n");
        Schreibe(t + QStringLiteral("/namen-test.tsv"), "G\tTestsee\t15\t45\t3\t1\nB\tTestberg\t5\t47\t3\t2\tB\nG\tTest"
                                                        "fluss\t4\t44\t3\t2\tF\nG\tFernsee\t100\t10\t3\t1\n");
        Schreibe(t + QStringLiteral("/gruppen.tsv"), "EU\tAA\n");
        quellen = q;
        tabellen = t;
        ziel = dir.filePath(QStringLiteral("data"));
        e.breiteGross = 240;
        e.breiteKlein = 120;
        e.breiteVorschau = 40;
        e.breiteUebersicht = 100;
    }

    QTemporaryDir dir;
    QString quellen, tabellen, ziel;
    zl::atlas::Einstellungen e;
};

TEST_F(Atlasgen, WritesEveryFileOfBothPrograms)
{
    zl::ScopedMessageRecorder boxen;
    zl::atlas::Atlas a;
    QString fehler;
    ASSERT_TRUE(a.lade(quellen, tabellen, fehler)) << fehler.toStdString();
    ASSERT_TRUE(a.erzeuge(ziel, e, fehler)) << fehler.toStdString();
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();

    const QDir z(ziel);
    for (const QString& id : {QStringLiteral("EURO"), QStringLiteral("TEST")})
        for (const QString& typ :
             {QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"), QStringLiteral("PW")}) {
            int w = 0, h = 0;
            zl::JpegGroesse(z.filePath(QStringLiteral("ZX-Karten/%1-%2-1.jpg").arg(id, typ)), w, h);
            EXPECT_EQ(w, 240);
            zl::JpegGroesse(z.filePath(QStringLiteral("ZX-Karten/%1-%2-5.jpg").arg(id, typ)), w, h);
            EXPECT_EQ(w, 120);
            EXPECT_TRUE(QFile::exists(z.filePath(QStringLiteral("ZX-Karten/klein/%1-%2-K.jpg").arg(id, typ))));
        }
    for (const char* f : {"ZX-Karten/xxx.dat", "ZX-Karten/klein/xxx.dat", "Kartivo/ZL-Daten/KA-EUR.jpg",
                          "Foliavo/AB-Daten/KA-EUR.jpg", "Kartivo/ZL-Flaggen/aland.jpg"})
        EXPECT_TRUE(QFile::exists(z.filePath(QString::fromLatin1(f)))) << f;

    // The label file reads back through the data store; every label lies on its map.
    QList<zl::ObjDataTyp> labels;
    ASSERT_TRUE(zl::LeseObjektdatei(z.filePath(QStringLiteral("Kartivo/ZL-Daten/zl_standard.zlk")), labels));
    QStringList test;
    for (const auto& o : labels) {
        EXPECT_GE(o.Px, 0.0);
        EXPECT_LE(o.Px, 1.0);
        EXPECT_GE(o.Py, 0.0);
        EXPECT_LE(o.Py, 1.0);
        EXPECT_GE(o.dx, -3);
        EXPECT_LE(o.dx, 3);
        EXPECT_GE(o.Intens, 1);
        EXPECT_LE(o.Intens, 3);
        if (o.KartID == u"TEST")
            test.append(o.ObjTyp + u':' + o.Bez);
    }
    EXPECT_TRUE(test.contains(QStringLiteral("L:Aland"))) << test.join(u' ').toStdString();
    EXPECT_TRUE(test.contains(QStringLiteral("L:Bärland")));
    EXPECT_TRUE(test.contains(QStringLiteral("H:Astadt")));
    EXPECT_TRUE(test.contains(QStringLiteral("G:Testsee")));
    EXPECT_TRUE(test.contains(QStringLiteral("B:Testberg")));
    EXPECT_TRUE(test.contains(QStringLiteral("G:Testfluss")));
    EXPECT_FALSE(test.contains(QStringLiteral("G:Fernsee"))); // outside the map
    // A name that Windows-1252 cannot hold loses its accents instead of the label.
    EXPECT_TRUE(test.contains(QStringLiteral("S:Chisinau"))) << test.join(u' ').toStdString();

    // The capital of Bärland comes from the towns (German name), its label is found as a capital.
    const auto laender = zl::LeseLaenderdatei(z.filePath(QStringLiteral("Kartivo/ZL-Daten/zl_laender.dat")));
    ASSERT_TRUE(laender.Geoeffnet);
    EXPECT_EQ(laender.ErsteFehlerzeile, 0);
    bool aland = false, eu = false;
    for (const auto& l : laender.Zeilen) {
        if (l.Name == u"Aland" && l.Gebiet == 10) {
            aland = true;
            EXPECT_EQ(l.Einwohner, 1000000);
            EXPECT_EQ(l.Flaeche, 100000);
            EXPECT_EQ(l.Hauptstadt, QStringLiteral("Astadt"));
            EXPECT_EQ(l.Flagge, QStringLiteral("aland.jpg"));
        }
        if (l.Name == u"Bärland") {
            EXPECT_EQ(l.Hauptstadt, QStringLiteral("Bürgstadt"));
        }
        if (l.Name == u"Aland" && l.Gebiet == 19)
            eu = true;
    }
    EXPECT_TRUE(aland);
    EXPECT_TRUE(eu);

    const auto auswahl =
        zl::LeseKartenauswahldatei(z.filePath(QStringLiteral("Kartivo/ZL-Daten/zl_kartenauswahl.dat")));
    ASSERT_TRUE(auswahl.Geoeffnet);
    ASSERT_EQ(auswahl.Zeilen.size(), 2);
    const auto& t = auswahl.Zeilen[1];
    EXPECT_EQ(t.KartID, QStringLiteral("TEST"));
    EXPECT_LT(t.MarkLinks, t.FeldX);
    EXPECT_GT(t.MarkRechts, t.FeldX);
    EXPECT_GE(t.MarkLinks, 0);
    EXPECT_LE(t.MarkRechts, 10000);
    const auto uebungen = zl::LeseUebungsdatei(z.filePath(QStringLiteral("Kartivo/ZL-Daten/zl_uebungen.dat")));
    ASSERT_EQ(uebungen.Zeilen.size(), 2);
    EXPECT_EQ(uebungen.Zeilen[1].UebKartID, QStringLiteral("TEST"));
    EXPECT_EQ(uebungen.Zeilen[1].Gebiet, 10);

    // The worksheet program's label file knows only its own type codes.
    QList<zl::ObjDataTyp> ab;
    ASSERT_TRUE(zl::LeseObjektdatei(z.filePath(QStringLiteral("Foliavo/AB-Daten/zl_standard.zlk")), ab));
    EXPECT_EQ(ab.size(), labels.size());
    for (const auto& o : ab)
        EXPECT_TRUE(QStringLiteral("~L~LX~IS~H~S~G~GB~B~I~").contains(u'~' + o.ObjTyp + u'~'))
            << o.ObjTyp.toStdString();
    EXPECT_TRUE(QFile::exists(z.filePath(QStringLiteral("Foliavo/AB-Daten/ab_karten.dat"))));
    EXPECT_TRUE(QFile::exists(z.filePath(QStringLiteral("Foliavo/AB-Daten/ab_kartenauswahl.dat"))));
}

TEST_F(Atlasgen, PoliticalPictureColoursNeighboursApartAndReliefShowsWater)
{
    zl::atlas::Atlas a;
    QString fehler;
    ASSERT_TRUE(a.lade(quellen, tabellen, fehler));
    e.nurKarten = {QStringLiteral("TEST")};
    ASSERT_TRUE(a.erzeuge(ziel, e, fehler)) << fehler.toStdString();
    const QImage pf = zl::LadeJpegBildDatei(QDir(ziel).filePath(QStringLiteral("ZX-Karten/TEST-PF-1.jpg")));
    ASSERT_FALSE(pf.isNull());
    // Points well inside Aland and Bärland (west and east of the map's centre).
    const QColor links = pf.pixelColor(pf.width() * 3 / 10, pf.height() / 2);
    const QColor rechts = pf.pixelColor(pf.width() * 7 / 10, pf.height() / 4);
    const int abstand = std::abs(links.red() - rechts.red()) + std::abs(links.green() - rechts.green()) +
                        std::abs(links.blue() - rechts.blue());
    EXPECT_GT(abstand, 40);
    // The lake in the middle of Bärland is blue in the relief picture.
    const QImage rs = zl::LadeJpegBildDatei(QDir(ziel).filePath(QStringLiteral("ZX-Karten/TEST-RS-1.jpg")));
    const QColor see = rs.pixelColor(rs.width() * 0.75, rs.height() / 2);
    EXPECT_GT(see.blue(), see.red() + 40);
}

TEST_F(Atlasgen, MissingSourcesAreReported)
{
    zl::atlas::Atlas a;
    QString fehler;
    QFile::remove(quellen + QStringLiteral("/relief.bin"));
    EXPECT_FALSE(a.lade(quellen, tabellen, fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("Relief"))) << fehler.toStdString();
    // A damaged outline file names itself.
    Schreibe(quellen + QStringLiteral("/countries50.json"), "[{\"id\":");
    zl::atlas::Atlas b;
    EXPECT_FALSE(b.lade(quellen, tabellen, fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("countries50.json"))) << fehler.toStdString();
}

TEST(Flaggen, NamesForTheLookAlikeRules)
{
    EXPECT_EQ(zl::atlas::FlaggenName(QStringLiteral("LU"), QStringLiteral("Luxemburg")), QStringLiteral("luxemb.jpg"));
    EXPECT_EQ(zl::atlas::FlaggenName(QStringLiteral("NL"), QStringLiteral("Niederlande")),
              QStringLiteral("niederla.jpg"));
    EXPECT_EQ(zl::atlas::FlaggenName(QStringLiteral("AT"), QStringLiteral("Österreich")),
              QStringLiteral("oesterre.jpg"));
    EXPECT_EQ(zl::atlas::FlaggenName(QStringLiteral("CI"), QStringLiteral("Côte d’Ivoire")),
              QStringLiteral("cotedivo.jpg"));
}

} // namespace
