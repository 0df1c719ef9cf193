// Map pictures: file names, loaders, the map cache and the section cut.
#include "Hilfen.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdlib>

using namespace zl;
using zl::testing::DatenTest;

namespace
{

// JPEG coding moves colours a little.
::testing::AssertionResult nahe(QRgb ist, int r, int g, int b, int toleranz = 8)
{
    if (std::abs(qRed(ist) - r) <= toleranz && std::abs(qGreen(ist) - g) <= toleranz &&
        std::abs(qBlue(ist) - b) <= toleranz)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << qRed(ist) << ", " << qGreen(ist) << ", " << qBlue(ist)
                                         << ") is not near (" << r << ", " << g << ", " << b << ")";
}

// Red and green of the fixture's picture at a source pixel.
int rotBei(int x, int breite)
{
    return x * 255 / (breite - 1);
}
int gruenBei(int y, int hoehe)
{
    return y * 255 / (hoehe - 1);
}

class KartenbilderTest : public DatenTest
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog()));
        ScopedMessageRecorder boxes;
        DatenInitialisieren(prog());
        ASSERT_TRUE(boxes.texts().isEmpty());
    }
    QString datei(const QString& name) const { return prog() + name; }
};

class PfadTest : public DatenTest
{
  protected:
    void SetUp() override
    {
        KartenVerz = prog() + QLatin1String("ZX-Karten/");
        ASSERT_TRUE(QDir().mkpath(KartenVerz + QLatin1String("klein")));
    }
    void lege(const char* name) { ASSERT_TRUE(fixtures::writeBytes(KartenVerz + QLatin1String(name), "x")); }
    QString k(const char* name) const { return KartenVerz + QLatin1String(name); }
};

} // namespace

TEST_F(PfadTest, MapPictureFallbackChain)
{
    lege("A-RS-1.jpg");
    lege("A-RS-1.dat");
    lege("B-RS-1.dat");
    lege("C-RS-5.jpg");
    lege("D-RS-5.dat");
    lege("f-rs-1.JPG");
    const std::tuple<const char*, const char*, QString> faelle[] = {
        {"A", "1", k("A-RS-1.jpg")}, {"B", "1", k("B-RS-1.dat")},
        {"C", "1", k("C-RS-5.jpg")}, {"C", "5", k("C-RS-5.jpg")},
        {"D", "1", k("D-RS-5.dat")}, {"E", "1", k("E-RS-5.dat")}, // nothing: the last name tried
        {"E", "5", k("E-RS-5.dat")}, {"B", "5", k("B-RS-5.dat")}, // resolution "5" does not fall back to "1"
        {"F", "1", k("f-rs-1.JPG")},                              // found whatever the case, as Windows finds it
    };
    for (const auto& [id, res, erwartet] : faelle)
        EXPECT_EQ(KartenbildPfad(QLatin1String(id), QStringLiteral("RS"), QLatin1String(res)), erwartet)
            << id << " " << res;
}

TEST_F(PfadTest, ThumbnailFallbackChain)
{
    lege("klein/A-PF-K.jpg");
    lege("klein/B-PF-K.dat");
    EXPECT_EQ(KleinbildPfad(QStringLiteral("A"), QStringLiteral("PF")), k("klein/A-PF-K.jpg"));
    EXPECT_EQ(KleinbildPfad(QStringLiteral("B"), QStringLiteral("PF")), k("klein/B-PF-K.dat"));
    EXPECT_EQ(KleinbildPfad(QStringLiteral("C"), QStringLiteral("PF")), k("klein/xxx.dat"));
    lege("klein/xxx.dat");
    EXPECT_EQ(KleinbildPfad(QStringLiteral("C"), QStringLiteral("PF")), k("klein/xxx.dat"));
}

TEST(AusschnittTest, SectionsAgainstHandComputedRectangles)
{
    struct Fall {
        int W, H, boxB, boxH;
        double zoom;
        int ankerX, ankerY;
        int dW, dH;
        TRect quelle, ausschnitt;
    };
    const Fall faelle[] = {
        // The large picture at zoom 2, left and bottom.
        {2000, 1500, 800, 600, 2.0, -1, 1, 800, 600, {0, 750, 1000, 1500}, {0, 5000, 5000, 10000}},
        // The small picture at zoom 1 is the whole picture.
        {1000, 750, 800, 600, 1.0, 0, 0, 800, 600, {0, 0, 1000, 750}, {0, 0, 10000, 10000}},
        // Middle anchors at zoom 1.5.
        {1200, 900, 800, 600, 1.5, 0, 0, 800, 600, {200, 150, 1000, 750}, {1667, 1667, 8333, 8333}},
        // Right and top.
        {1200, 900, 800, 600, 2.0, 1, -1, 800, 600, {600, 0, 1200, 450}, {5000, 0, 10000, 5000}},
        // A tall picture fills the height; at zoom 1 it shows narrower than the box.
        {500, 1000, 800, 600, 1.0, 0, 0, 300, 600, {0, 0, 500, 1000}, {0, 0, 10000, 10000}},
        {500, 1000, 800, 600, 2.0, -1, 1, 600, 600, {0, 500, 500, 1000}, {0, 5000, 10000, 10000}},
        // Halves go to the even neighbour: sW = round(500.5) = 500, x0 = round(250.5) = 250,
        // x1 = round(750.5) = 750, y0 = round(187.5) = 188, y1 = round(562.5) = 562.
        {1001, 750, 1001, 750, 2.0, 0, 0, 1001, 750, {250, 188, 750, 562}, {2498, 2507, 7493, 7493}},
    };
    for (const Fall& f : faelle) {
        Kartenausschnitt a;
        ASSERT_TRUE(BerechneAusschnitt(f.W, f.H, f.boxB, f.boxH, f.zoom, f.ankerX, f.ankerY, a))
            << f.W << "x" << f.H << " zoom " << f.zoom;
        EXPECT_EQ(a.Breite, f.dW) << f.W << "x" << f.H << " zoom " << f.zoom;
        EXPECT_EQ(a.Hoehe, f.dH) << f.W << "x" << f.H << " zoom " << f.zoom;
        EXPECT_EQ(a.Quelle, f.quelle) << f.W << "x" << f.H << " zoom " << f.zoom;
        EXPECT_EQ(a.Ausschnitt, f.ausschnitt) << f.W << "x" << f.H << " zoom " << f.zoom;
    }
}

TEST(AusschnittTest, ZeroSizesGiveNothing)
{
    Kartenausschnitt a;
    EXPECT_FALSE(BerechneAusschnitt(1000, 750, 0, 600, 1.0, 0, 0, a));
    EXPECT_FALSE(BerechneAusschnitt(1000, 750, 800, 0, 1.0, 0, 0, a));
    EXPECT_FALSE(BerechneAusschnitt(0, 750, 800, 600, 1.0, 0, 0, a));
    EXPECT_FALSE(BerechneAusschnitt(1000, 0, 800, 600, 1.0, 0, 0, a));
    EXPECT_FALSE(BerechneAusschnitt(10000, 1, 100, 100, 1.0, 0, 0, a)); // fitted height rounds to 0
    EXPECT_FALSE(BerechneAusschnitt(1000, 750, 800, 600, 0.0, 0, 0, a));
}

TEST(AusschnittTest, ResolutionByBoxAndZoom)
{
    EXPECT_EQ(AufloesungFuerBox(800, 600, 2.0), QStringLiteral("1"));
    EXPECT_EQ(AufloesungFuerBox(800, 600, 1.0), QStringLiteral("5"));
    EXPECT_EQ(AufloesungFuerBox(400, 300, 2.0), QStringLiteral("5"));
    EXPECT_EQ(AufloesungFuerBox(450, 430, 2.0), QStringLiteral("1"));
    EXPECT_EQ(AufloesungFuerBox(950, 10, 1.0), QStringLiteral("1"));
    EXPECT_EQ(AufloesungFuerBox(949, 849, 1.0), QStringLiteral("5"));
}

TEST(StreckenTest, NearestAndOrStretch)
{
    const quint32 zeile[4] = {0xFF000001, 0xFF000002, 0xFF000004, 0xFF000008};
    quint32 aus[4] = {};
    StreckeNaechstes(reinterpret_cast<const uchar*>(zeile), 16, RectOf(0, 0, 4, 1), reinterpret_cast<uchar*>(aus), 8, 2,
                     1);
    EXPECT_EQ(aus[0], 0xFF000002u);
    EXPECT_EQ(aus[1], 0xFF000008u);
    StreckeNaechstes(reinterpret_cast<const uchar*>(zeile), 16, RectOf(1, 0, 3, 1), reinterpret_cast<uchar*>(aus), 16,
                     4, 1);
    EXPECT_EQ(std::vector<quint32>(aus, aus + 4),
              (std::vector<quint32>{0xFF000002, 0xFF000002, 0xFF000004, 0xFF000004}));

    StreckeOder(reinterpret_cast<const uchar*>(zeile), 16, 4, 1, reinterpret_cast<uchar*>(aus), 8, 2, 1);
    EXPECT_EQ(aus[0], 0xFF000003u); // the dropped pixel is OR-ed in
    EXPECT_EQ(aus[1], 0xFF00000Cu);
    StreckeOder(reinterpret_cast<const uchar*>(zeile), 16, 2, 1, reinterpret_cast<uchar*>(aus), 16, 4, 1);
    EXPECT_EQ(std::vector<quint32>(aus, aus + 4),
              (std::vector<quint32>{0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002}));
}

TEST(PasseEinTest, FitIntoBox)
{
    struct Fall {
        int W, H, boxB, boxH;
        bool ok;
        int b, h;
    };
    const Fall faelle[] = {
        {200, 100, 100, 100, true, 100, 50}, {100, 200, 100, 100, true, 50, 100},
        {4, 1, 10, 10, true, 10, 2}, // 2.5 to the even 2
        {4, 3, 10, 10, true, 10, 8}, // 7.5 to the even 8
        {100, 100, 60, 40, true, 40, 40},    {1, 1, 0, 5, false, 0, 0},
        {0, 1, 5, 5, false, 0, 0},           {10000, 1, 100, 100, false, 0, 0},
    };
    for (const Fall& f : faelle) {
        int b = 0, h = 0;
        EXPECT_EQ(PasseEin(f.W, f.H, f.boxB, f.boxH, b, h), f.ok) << f.W << "x" << f.H;
        if (f.ok) {
            EXPECT_EQ(b, f.b) << f.W << "x" << f.H;
            EXPECT_EQ(h, f.h) << f.W << "x" << f.H;
        }
    }
}

TEST_F(KartenbilderTest, CutsTheLargePictureAtZoom2)
{
    QImage ziel;
    TRect a;
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DEU"), QStringLiteral("PF"), 2.0, -1, 1, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("ZX-Karten/DEU-PF-1.jpg")));
    EXPECT_EQ(a, RectOf(0, 5000, 5000, 10000));
    ASSERT_EQ(ziel.size(), QSize(800, 600));
    // Source 0..600 x 450..900 of the 1200 x 900 picture.
    EXPECT_TRUE(nahe(ziel.pixel(0, 0), 0, gruenBei(450, 900), 160));
    EXPECT_TRUE(nahe(ziel.pixel(799, 599), rotBei(599, 1200), 255, 160));
    EXPECT_TRUE(nahe(ziel.pixel(400, 300), rotBei(300, 1200), gruenBei(675, 900), 160));
}

TEST_F(KartenbilderTest, ResolutionFollowsTheBox)
{
    QImage ziel;
    TRect a;
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DEU"), QStringLiteral("RS"), 1.0, 0, 0, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("DEU-RS-5.jpg")));
    EXPECT_EQ(a, RectOf(0, 0, 10000, 10000));
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 400, 300, QStringLiteral("DEU"), QStringLiteral("RS"), 2.0, 0, 0, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("DEU-RS-5.jpg")));
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 450, 430, QStringLiteral("DEU"), QStringLiteral("RS"), 2.0, 0, 0, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("DEU-RS-1.jpg")));
}

TEST_F(KartenbilderTest, CacheDecodesOncePerPath)
{
    QImage ziel;
    TRect a;
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DBY"), QStringLiteral("RH"), 2.0, -1, 1, a));
    // Mark the cached pixel that lands at (0, 0): a second cut of the same
    // picture must show the mark, so it did not decode again.
    const quint32 marke = 0xFF123456;
    KartenCache->SetPixel(0, 450, marke);
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DBY"), QStringLiteral("RH"), 2.0, -1, 1, a));
    EXPECT_EQ(ziel.pixel(0, 0), marke);
    // Scrolling on the same picture reuses it too.
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DBY"), QStringLiteral("RH"), 2.0, -1, 0, a));
    EXPECT_EQ(KartenCache->Pixel(0, 450), marke);
    // Another picture replaces it; coming back decodes afresh.
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DBY"), QStringLiteral("RH"), 1.0, 0, 0, a));
    EXPECT_EQ(KartenCache->Width(), fixtures::kKleinBreite);
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DBY"), QStringLiteral("RH"), 2.0, -1, 1, a));
    EXPECT_NE(ziel.pixel(0, 0), marke);
}

TEST_F(KartenbilderTest, MissingPicturesFallBack)
{
    QImage ziel;
    TRect a;
    // No large picture: the small one at any zoom.
    ASSERT_TRUE(QFile::remove(karten(QStringLiteral("DEU-PW-1.jpg"))));
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("DEU"), QStringLiteral("PW"), 2.0, 0, 0, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("DEU-PW-5.jpg")));
    EXPECT_EQ(KartenCache->Width(), fixtures::kKleinBreite);

    // No picture of the map at all: the placeholder.
    ASSERT_TRUE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("ZZZ"), QStringLiteral("PW"), 2.0, 0, 0, a));
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("ZX-Karten/xxx.dat")));
    EXPECT_TRUE(nahe(ziel.pixel(10, 10), qRed(ziel.pixel(10, 10)), qGreen(ziel.pixel(10, 10)), 0));

    // Not even the placeholder: nothing changes.
    ASSERT_TRUE(QFile::remove(karten(QStringLiteral("xxx.dat"))));
    QImage vorher(5, 5, QImage::Format_RGB32);
    vorher.fill(Qt::red);
    ziel = vorher;
    a = RectOf(1, 2, 3, 4);
    EXPECT_FALSE(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("ZZZ"), QStringLiteral("PW"), 2.0, 0, 0, a));
    EXPECT_EQ(ziel, vorher);
    EXPECT_EQ(a, RectOf(1, 2, 3, 4));

    // A box of no size changes nothing and divides by nothing.
    EXPECT_FALSE(LadeKartenausschnitt(ziel, 0, 600, QStringLiteral("DEU"), QStringLiteral("RS"), 1.0, 0, 0, a));
    EXPECT_FALSE(LadeKartenausschnitt(ziel, 800, 0, QStringLiteral("DEU"), QStringLiteral("RS"), 1.0, 0, 0, a));
    EXPECT_EQ(ziel, vorher);
    EXPECT_EQ(a, RectOf(1, 2, 3, 4));
}

TEST_F(KartenbilderTest, CacheNeverKeepsAnotherMapUnderANewName)
{
    ASSERT_TRUE(LadeKartenCache(KartenbildPfad(QStringLiteral("EUR"), QStringLiteral("RS"), QStringLiteral("5"))));
    EXPECT_FALSE(KartenCache->Empty());
    EXPECT_FALSE(LadeKartenCache(karten(QStringLiteral("GIBTS-NICHT.jpg"))));
    EXPECT_TRUE(KartenCache->Empty());
    EXPECT_TRUE(KartenCachePfad.isEmpty());

    // The ".dat" twin of a missing ".jpg".
    ASSERT_TRUE(QFile::rename(karten(QStringLiteral("EUR-RS-5.jpg")), karten(QStringLiteral("EUR-RS-5.dat"))));
    ASSERT_TRUE(LadeKartenCache(karten(QStringLiteral("EUR-RS-5.jpg"))));
    EXPECT_EQ(KartenCache->Width(), fixtures::kKleinBreite);
    EXPECT_EQ(KartenCachePfad, karten(QStringLiteral("EUR-RS-5.jpg")));

    // A damaged picture: an error for the caller, and an empty cache.
    ASSERT_TRUE(fixtures::writeBytes(karten(QStringLiteral("KAPUTT-RS-5.jpg")), "kein JPEG"));
    EXPECT_THROW(LadeKartenCache(karten(QStringLiteral("KAPUTT-RS-5.jpg"))), EBildFehler);
    EXPECT_TRUE(KartenCache->Empty());
    EXPECT_TRUE(KartenCachePfad.isEmpty());
    QImage ziel;
    TRect a;
    EXPECT_THROW(LadeKartenausschnitt(ziel, 800, 600, QStringLiteral("KAPUTT"), QStringLiteral("RS"), 1.0, 0, 0, a),
                 EBildFehler);
}

TEST_F(KartenbilderTest, PictureInfo)
{
    int b = 0, h = 0, g = 0;
    KartenbildInfo(b, h, g, QStringLiteral("DEU"), QStringLiteral("RS"), QStringLiteral("1"));
    EXPECT_EQ(b, fixtures::kGrossBreite);
    EXPECT_EQ(h, fixtures::kGrossHoehe);
    EXPECT_EQ(g, QFileInfo(karten(QStringLiteral("DEU-RS-1.jpg"))).size());
    EXPECT_THROW(KartenbildInfo(b, h, g, QStringLiteral("ZZZ"), QStringLiteral("RS"), QStringLiteral("1")),
                 EBildFehler);
}

TEST_F(KartenbilderTest, LoadersFitStretchAndFrame)
{
    const QString daumen = KleinbildPfad(QStringLiteral("DEU"), QStringLiteral("RS"));
    QImage bild;
    ASSERT_TRUE(LadeJpegBild(bild, 60, 60, true, daumen));
    EXPECT_EQ(bild.size(), QSize(60, 45));
    ASSERT_TRUE(LadeJpegBild(bild, 60, 60, false, daumen));
    EXPECT_EQ(bild.size(), QSize(fixtures::kDaumenBreite, fixtures::kDaumenHoehe));

    TBitmap32 bmp;
    ASSERT_TRUE(LadeJpegInBild(bmp, 90, 30, true, daumen));
    EXPECT_EQ(std::pair(bmp.Width(), bmp.Height()), std::pair(40, 30));
    EXPECT_EQ(AlphaComponent(bmp.Pixel(5, 5)), 255);

    const QString uebersicht = daten(QStringLiteral("KA-DEU.jpg"));
    ASSERT_TRUE(LadeJpegGestreckt(bild, 333, 111, uebersicht));
    EXPECT_EQ(bild.size(), QSize(333, 111));
    ASSERT_TRUE(LadeJpegGestrecktInBild(bmp, 1000, 20, uebersicht));
    EXPECT_EQ(std::pair(bmp.Width(), bmp.Height()), std::pair(1000, 20));

    ASSERT_TRUE(LadeJpegGeglaettet(bild, 333, 111, uebersicht));
    EXPECT_EQ(bild.size(), QSize(333, 111));

    // Missing file: the target stays as it was.
    QImage vorher(3, 3, QImage::Format_RGB32);
    vorher.fill(Qt::blue);
    bild = vorher;
    EXPECT_FALSE(LadeJpegGeglaettet(bild, 60, 60, datei(QStringLiteral("fehlt.jpg"))));
    EXPECT_FALSE(LadeJpegBild(bild, 60, 60, true, datei(QStringLiteral("fehlt.jpg"))));
    EXPECT_FALSE(LadeJpegGestreckt(bild, 60, 60, datei(QStringLiteral("fehlt.jpg"))));
    EXPECT_EQ(bild, vorher);
    // A box of no size leaves it as it was too.
    EXPECT_FALSE(LadeJpegBild(bild, 0, 60, true, daumen));
    EXPECT_EQ(bild, vorher);
}

TEST_F(KartenbilderTest, FlagsAreLoadedByTheirExtension)
{
    QImage rot(30, 20, QImage::Format_RGB32);
    rot.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(rot.save(datei(QStringLiteral("CH.bmp")), "BMP"));
    ASSERT_TRUE(rot.save(datei(QStringLiteral("ch.BMP")), "BMP"));
    ASSERT_EQ(SchreibeJpegDatei(datei(QStringLiteral("flagge.jpg")), rot, 95), 0);
    ASSERT_EQ(SchreibeJpegDatei(datei(QStringLiteral("nurdat.dat")), rot, 95), 0);

    for (const char* name : {"CH.bmp", "ch.BMP", "flagge.jpg", "nurdat.jpg"}) {
        QImage bild;
        ASSERT_TRUE(LadeKartenbild(bild, 60, 60, datei(QLatin1String(name)), true, true)) << name;
        ASSERT_EQ(bild.size(), QSize(60, 40)) << name;
        EXPECT_EQ(bild.pixel(0, 0), qRgb(0, 0, 0)) << name;
        EXPECT_EQ(bild.pixel(59, 39), qRgb(0, 0, 0)) << name;
        EXPECT_EQ(bild.pixel(59, 20), qRgb(0, 0, 0)) << name;
        EXPECT_TRUE(nahe(bild.pixel(1, 1), 255, 0, 0)) << name;
        EXPECT_TRUE(nahe(bild.pixel(30, 20), 255, 0, 0)) << name;
    }
    // A BMP under a JPEG name is no JPEG, and garbage is no BMP.
    QImage bild;
    ASSERT_TRUE(rot.save(datei(QStringLiteral("falsch.jpg")), "BMP"));
    EXPECT_THROW(LadeKartenbild(bild, 60, 60, datei(QStringLiteral("falsch.jpg")), true, false), EBildFehler);
    ASSERT_TRUE(fixtures::writeBytes(datei(QStringLiteral("kaputt.bmp")), "BMkaputt"));
    EXPECT_THROW(LadeKartenbild(bild, 60, 60, datei(QStringLiteral("kaputt.bmp")), true, false), EBildFehler);
}

TEST(BildrandTest, FrameLiesOnTheOuterPixels)
{
    QImage bild(5, 4, QImage::Format_RGB32);
    bild.fill(Qt::white);
    ZeichneBildrand(bild, 1);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool rand = x == 0 || y == 0 || x == 4 || y == 3;
            EXPECT_EQ(bild.pixel(x, y), rand ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
        }
    }
}

// Colour artwork reduced for the map-selection page looks like a smooth scale,
// not like the OR stretch's speckle.
TEST(GeglaettetTest, BundledOverviewsShrinkLikeASmoothScale)
{
    const QString verz = QStringLiteral(ZL_QUELL_DIR "/data/Kartivo/ZL-Daten/");
    for (const char* name : {"KA-WLT.jpg", "KA-EUR.jpg", "KA-DEU.jpg"}) {
        SCOPED_TRACE(name);
        const QString datei = verz + QLatin1String(name);
        const QImage original = LadeJpegBildDatei(datei);
        ASSERT_FALSE(original.isNull());
        const QSize klein(original.width() * 45 / 100, original.height() * 45 / 100);
        QImage bild;
        ASSERT_TRUE(LadeJpegGeglaettet(bild, klein.width(), klein.height(), datei));
        const QImage glatt = original.scaled(klein, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);
        double summe = 0;
        qint64 weitDaneben = 0;
        for (int y = 0; y < klein.height(); ++y) {
            for (int x = 0; x < klein.width(); ++x) {
                const QRgb a = bild.pixel(x, y), b = glatt.pixel(x, y);
                const int dr = std::abs(qRed(a) - qRed(b)), dg = std::abs(qGreen(a) - qGreen(b)),
                          db = std::abs(qBlue(a) - qBlue(b));
                summe += dr + dg + db;
                weitDaneben += std::max({dr, dg, db}) > 64;
            }
        }
        const double pixel = double(klein.width()) * klein.height();
        EXPECT_LT(summe / (3 * pixel), 4.0); // the OR stretch gives 10 to 24
        EXPECT_LT(weitDaneben / pixel, 0.005); // the OR stretch gives 9 % to 23 %
    }
}
