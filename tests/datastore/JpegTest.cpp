// JPEG decoding of good and bad files, and the JPEG writer.
#include "Hilfen.h"

#include "datastore/JpegDatei.h"
#include "raster/Rast32.h"

#include <QImage>

using namespace zl;
using zl::testing::DatenTest;

namespace
{

QByteArray farbJpeg(int b, int h, int qualitaet = 90)
{
    return KodiereJpeg(fixtures::testPicture(b, h, QStringLiteral("PF")), qualitaet);
}

// The file cut halfway through its scan data.
QByteArray mitteDerBilddaten(const QByteArray& b)
{
    const qsizetype sos = b.indexOf("\xFF\xDA");
    return b.left(sos + (b.size() - sos) / 2);
}

struct Eingabe {
    const char* name;
    QByteArray (*bytes)();
    bool gueltig;
    int breite, hoehe;
    int r, g, b; // expected colour of pixel (0, 0) when valid, -1: not checked
};

const Eingabe kEingaben[] = {
    {"farbig", [] { return farbJpeg(64, 48); }, true, 64, 48, 0, 0, 160},
    {"grau", [] { return zl::testing::GrauJpeg(7, 5, 128); }, true, 7, 5, 128, 128, 128},
    {"cmyk_rot", [] { return zl::testing::CmykJpeg(9, 3, 0, 255, 255, 0); }, true, 9, 3, 255, 0, 0},
    {"cmyk_schwarz", [] { return zl::testing::CmykJpeg(4, 4, 0, 0, 0, 255); }, true, 4, 4, 0, 0, 0},
    {"ein_pixel", [] { return farbJpeg(1, 1); }, true, 1, 1, 0, 0, 160},
    // Cut in the middle of the picture data: libjpeg fills the rest and warns.
    {"abgeschnitten", [] { return mitteDerBilddaten(farbJpeg(64, 48)); }, true, 64, 48, 0, 0, 160},
    // Cut before the picture data starts: no picture at all.
    {"ohne_bilddaten",
     [] {
         QByteArray b = farbJpeg(64, 48);
         return b.left(b.indexOf("\xFF\xDA"));
     },
     false, 0, 0, -1, -1, -1},
    {"null_mal_null", [] { return zl::testing::NullJpeg(); }, false, 0, 0, -1, -1, -1},
    // Far more pixels than a bitmap may hold: refused before allocating.
    {"riesig", [] { return zl::testing::JpegMitGroesse(65000, 65000); }, false, 0, 0, -1, -1, -1},
    // A tiny file whose header claims a huge picture: refused before anything is decoded.
    {"luegt_ueber_die_groesse", [] { return zl::testing::JpegMitGroesse(5112, 65320); }, false, 0, 0, -1, -1, -1},
    {"zu_breit", [] { return zl::testing::JpegMitGroesse(50000, 8); }, false, 0, 0, -1, -1, -1},
    {"progressiv", [] { return zl::testing::ProgressivesJpeg(32, 32, 5); }, true, 32, 32, 90, 90, 90},
    {"endlose_scans", [] { return zl::testing::ProgressivesJpeg(32, 32, 200); }, false, 0, 0, -1, -1, -1},
    {"leer", [] { return QByteArray(); }, false, 0, 0, -1, -1, -1},
    {"nur_soi", [] { return QByteArray("\xFF\xD8", 2); }, false, 0, 0, -1, -1, -1},
    {"kein_jpeg", [] { return QByteArray("BM das ist ein Text und kein Bild"); }, false, 0, 0, -1, -1, -1},
    {"kaputter_kopf",
     [] {
         QByteArray b = farbJpeg(16, 16);
         b[20] = char(0xFF);
         b[21] = char(0xC3);
         return b.left(200);
     },
     false, 0, 0, -1, -1, -1},
};

class JpegEingabeTest : public DatenTest, public ::testing::WithParamInterface<Eingabe>
{
};

} // namespace

TEST_P(JpegEingabeTest, DecodesOrGivesAClearError)
{
    const Eingabe& e = GetParam();
    const QString pfad = prog() + QLatin1String(e.name) + QLatin1String(".jpg");
    ASSERT_TRUE(fixtures::writeBytes(pfad, e.bytes()));

    TBitmap32 bmp;
    bmp.SetDimensions(3, 3); // a failed decode leaves it empty
    if (!e.gueltig) {
        try {
            LadeJpegDatei(bmp, pfad);
            FAIL() << "no error for " << e.name;
        } catch (const EBildFehler& f) {
            EXPECT_TRUE(f.message().contains(QLatin1String(e.name))) << f.message().toStdString();
        }
        EXPECT_TRUE(bmp.Empty());
        EXPECT_THROW(LadeJpegBildDatei(pfad), EBildFehler);
        return;
    }
    ASSERT_NO_THROW(LadeJpegDatei(bmp, pfad));
    ASSERT_EQ(bmp.Width(), e.breite);
    ASSERT_EQ(bmp.Height(), e.hoehe);
    const TColor32 p = bmp.Pixel(0, 0);
    EXPECT_EQ(AlphaComponent(p), 255);
    EXPECT_NEAR(RedComponent(p), e.r, 8);
    EXPECT_NEAR(GreenComponent(p), e.g, 8);
    EXPECT_NEAR(BlueComponent(p), e.b, 8);
    const QImage bild = LadeJpegBildDatei(pfad);
    EXPECT_EQ(bild.size(), QSize(e.breite, e.hoehe));
    EXPECT_EQ(bild.pixel(0, 0) & 0xFFFFFF, p & 0xFFFFFF);
    int b = 0, h = 0;
    JpegGroesse(pfad, b, h);
    EXPECT_EQ(std::pair(b, h), std::pair(e.breite, e.hoehe));
}

INSTANTIATE_TEST_SUITE_P(Eingaben, JpegEingabeTest, ::testing::ValuesIn(kEingaben),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatenTest, MissingJpegNamesFileAndCode)
{
    TBitmap32 bmp;
    try {
        LadeJpegDatei(bmp, prog() + QLatin1String("fehlt.jpg"));
        FAIL();
    } catch (const EBildFehler& f) {
        EXPECT_TRUE(f.message().contains(QLatin1String("fehlt.jpg")));
        EXPECT_TRUE(f.message().contains(QLatin1String("(Fehler 2)")));
    }
}

TEST_F(DatenTest, WriterKeepsThePictureAndHonoursQuality)
{
    const QImage quelle = fixtures::testPicture(200, 100, QStringLiteral("RH"));
    const QByteArray gut = KodiereJpeg(quelle, 95);
    const QByteArray grob = KodiereJpeg(quelle, 10);
    EXPECT_LT(grob.size(), gut.size());
    EXPECT_EQ(KodiereJpeg(quelle, 500), KodiereJpeg(quelle, 100)); // clamped

    const QImage zurueck = LadeJpegBildDaten(gut, QStringLiteral("gut"));
    ASSERT_EQ(zurueck.size(), quelle.size());
    int maxFehler = 0;
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 200; x += 7) {
            const QRgb a = quelle.pixel(x, y), b = zurueck.pixel(x, y);
            maxFehler = std::max({maxFehler, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(maxFehler, 6);

    // Other formats are converted; an empty picture is refused.
    EXPECT_FALSE(KodiereJpeg(quelle.convertToFormat(QImage::Format_RGB888), 90).isEmpty());
    EXPECT_THROW(KodiereJpeg(QImage(), 90), EBildFehler);

    // The file is written whole or not at all.
    const QString pfad = prog() + QLatin1String("karte.jpg");
    ASSERT_EQ(SchreibeJpegDatei(pfad, quelle, 80), 0);
    EXPECT_EQ(zl::testing::leseBytes(pfad), KodiereJpeg(quelle, 80));
    EXPECT_EQ(SchreibeJpegDatei(prog() + QLatin1String("fehlt/karte.jpg"), quelle, 80), 3);
}
