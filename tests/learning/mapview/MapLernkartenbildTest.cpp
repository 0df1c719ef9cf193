// The learning map's picture: section, labels, frame, mini-map, and the picture cache
// across the small/large threshold, on the generated data folder.

#include "learning/mapview/zl_lernkartenbild.h"

#include "datastore/JpegDatei.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"

#include "MapTestDruck.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace zl
{
namespace
{

class Lernkartenbild : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(m_dir.path()));
        DatenInitialisieren(m_dir.path() + QLatin1Char('/'));
        E.BoxBreite = 800;
        E.BoxHoehe = 600;
        E.KartID = QStringLiteral("DEU");
        E.KartTyp = QStringLiteral("RS");
        E.Beschriftung.AktKartID = E.KartID;
        E.MiniBreite = 130;
        E.MiniHoehe = 100;
    }
    void TearDown() override { DatenFreigeben(); }
    QTemporaryDir m_dir;
    TLernkartenEingabe E;
    TLernkartenBild B;
    TViewport V;
};

TEST_F(Lernkartenbild, SectionLabelsFrameAndMiniMap)
{
    V.SetzeZoomStufe(4);
    V.SetzeAnker(1, -1);
    ASSERT_TRUE(B.Zeichne(E, V));
    EXPECT_EQ(B.Bild().size(), QSize(800, 600));
    // 200 %: the top right quarter of the fitted picture.
    EXPECT_EQ(V.Ausschnitt, (TRect{5000, 0, 10000, 5000}));
    EXPECT_DOUBLE_EQ(V.AusschnittSeitenverhaeltnis, 800.0 / 600.0);
    EXPECT_EQ(B.Bild().pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(B.Bild().pixelColor(799, 300), QColor(0, 0, 0));
    // Berlin (0.75, 0.3) lies at (400, 360) of the section: its circle is red.
    EXPECT_EQ(B.Bild().pixelColor(400, 360), QColor(255, 0, 0));
    // The thumbnail of 120 x 90 fitted into 130 x 100 (97.5 rounds to 98), the grey
    // section rectangle in its top right quarter.
    ASSERT_EQ(B.MiniBild().size(), QSize(130, 98));
    EXPECT_EQ(B.MiniBild().pixelColor(65, 20), QColor(96, 96, 96));
    EXPECT_NE(B.MiniBild().pixelColor(30, 70), QColor(96, 96, 96));
}

TEST_F(Lernkartenbild, NoDecodeAcrossTheResolutionThreshold)
{
    // 800 x 600 takes the small picture at 100 % and the large one from 125 %.
    ASSERT_TRUE(B.Zeichne(E, V));
    const TBitmap32* Klein = KartenCache.get();
    EXPECT_TRUE(KartenCachePfad.endsWith(QStringLiteral("DEU-RS-5.jpg")));
    V.SetzeZoomStufe(1);
    ASSERT_TRUE(B.Zeichne(E, V));
    const TBitmap32* Gross = KartenCache.get();
    EXPECT_TRUE(KartenCachePfad.endsWith(QStringLiteral("DEU-RS-1.jpg")));
    EXPECT_EQ(Gross->Width(), fixtures::kGrossBreite);
    for (int i = 0; i < 3; ++i) {
        V.SetzeZoomStufe(0);
        ASSERT_TRUE(B.Zeichne(E, V));
        EXPECT_EQ(KartenCache.get(), Klein);
        EXPECT_EQ(KartenCache->Width(), fixtures::kKleinBreite);
        V.SetzeZoomStufe(1);
        ASSERT_TRUE(B.Zeichne(E, V));
        EXPECT_EQ(KartenCache.get(), Gross);
    }
    EXPECT_EQ(B.KleinbildLadungen(), 1);
}

TEST_F(Lernkartenbild, EmptyBoxChangesNothing)
{
    V.Ausschnitt = TRect{1, 2, 3, 4};
    E.BoxBreite = 0;
    E.BoxHoehe = 0;
    EXPECT_FALSE(B.Zeichne(E, V));
    EXPECT_EQ(V.Ausschnitt, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(V.AusschnittSeitenverhaeltnis, 0.0);
    EXPECT_TRUE(B.Bild().isNull());
}

TEST_F(Lernkartenbild, MissingAndDamagedPictures)
{
    ASSERT_TRUE(B.Zeichne(E, V));
    EXPECT_FALSE(B.MiniBild().isNull());
    // A map without pictures shows the placeholder picture; without any thumbnail the
    // mini-map is empty, never the previous map's picture.
    ASSERT_TRUE(QFile::remove(m_dir.path() + QStringLiteral("/ZX-Karten/klein/xxx.dat")));
    E.KartID = QStringLiteral("XYZ");
    ASSERT_TRUE(B.Zeichne(E, V));
    EXPECT_TRUE(KartenCachePfad.endsWith(QStringLiteral("xxx.dat")));
    EXPECT_TRUE(B.MiniBild().isNull());
    // No picture at all: the labels on an empty picture of the size shown so far.
    ASSERT_TRUE(QFile::remove(m_dir.path() + QStringLiteral("/ZX-Karten/xxx.dat")));
    ASSERT_TRUE(B.Zeichne(E, V));
    EXPECT_EQ(B.Bild().size(), QSize(800, 600));
    // A damaged picture is an error the caller shows; the state stays.
    ASSERT_TRUE(fixtures::writeBytes(m_dir.path() + QStringLiteral("/ZX-Karten/DBY-RS-5.jpg"),
                                     QByteArray("\xFF\xD8 no picture", 13)));
    E.KartID = QStringLiteral("DBY");
    V.Ausschnitt = TRect{1, 2, 3, 4};
    EXPECT_THROW(B.Zeichne(E, V), EBildFehler);
    EXPECT_EQ(V.Ausschnitt, (TRect{1, 2, 3, 4}));
}

} // namespace
} // namespace zl
