#include "learning/mapview/zl_rahmen.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zl;

namespace {

// A pattern whose every pixel tells where it came from: red = x, green = y.
QImage koordinatenMuster(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, 7));
    return img;
}

QPoint quelle(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return QPoint(qRed(c), qGreen(c));
}

} // namespace

TEST(ZeichneRahmen, CornersOneToOneEdgesAlongTheirLength)
{
    const QImage muster = koordinatenMuster(72, 72);
    QImage ziel(200, 100, QImage::Format_RGB32);
    ZeichneRahmen(ziel, muster, 30);
    ASSERT_EQ(ziel.size(), QSize(200, 100));
    // Corners unscaled.
    for (int i : {0, 13, 29}) {
        EXPECT_EQ(quelle(ziel, i, i), QPoint(i, i));                      // top left
        EXPECT_EQ(quelle(ziel, i, 70 + i), QPoint(i, 42 + i));            // bottom left
        EXPECT_EQ(quelle(ziel, 170 + i, i), QPoint(42 + i, i));           // top right
        EXPECT_EQ(quelle(ziel, 170 + i, 70 + i), QPoint(42 + i, 42 + i)); // bottom right
    }
    // The top edge's 12 columns are stretched over 140; its rows stay one to one.
    EXPECT_EQ(quelle(ziel, 30, 5), QPoint(30, 5));
    EXPECT_EQ(quelle(ziel, 169, 5).x(), 41);
    EXPECT_EQ(quelle(ziel, 100, 17).y(), 17);
    for (int x = 30; x < 170; ++x) {
        const int sx = quelle(ziel, x, 0).x();
        EXPECT_GE(sx, 30);
        EXPECT_LE(sx, 41);
    }
    // The left edge keeps its columns; the bottom edge its rows.
    EXPECT_EQ(quelle(ziel, 12, 50).x(), 12);
    EXPECT_EQ(quelle(ziel, 100, 99).y(), 71);
    // The inner area (12 x 12) under the frame.
    const QPoint mitte = quelle(ziel, 100, 50);
    EXPECT_GE(mitte.x(), 30);
    EXPECT_LE(mitte.x(), 41);
    EXPECT_GE(mitte.y(), 30);
    EXPECT_LE(mitte.y(), 41);
}

TEST(ZeichneRahmen, SmallTargetsAndEmptyPatternsDoNotFail)
{
    const QImage muster = koordinatenMuster(72, 72);
    QImage klein(40, 20, QImage::Format_RGB32);
    ZeichneRahmen(klein, muster, 30); // the right column, drawn last, lies on top
    EXPECT_EQ(quelle(klein, 39, 0).x(), 71);
    EXPECT_EQ(quelle(klein, 0, 0).x(), 0);

    QImage leer;
    ZeichneRahmen(leer, muster, 30);
    EXPECT_TRUE(leer.isNull());

    QImage ziel(50, 50, QImage::Format_RGB32);
    ZeichneRahmen(ziel, QImage(), 30);
    EXPECT_EQ(ziel.pixel(25, 25), QColor(126, 153, 206).rgb());
}

TEST(Muster, DocumentedColoursFromTheBuiltInPatterns)
{
    QTemporaryDir dir;
    const QString verz = dir.path() + QLatin1Char('/');
    const QImage m1 = LadeMuster(verz, 1), m2 = LadeMuster(verz, 2);
    EXPECT_EQ(m1.size(), QSize(72, 72));
    LeseDialogFarben(m1, m2);
    EXPECT_EQ(Rahmenfarbe, TColor(126 | 153 << 8 | 206 << 16));
    EXPECT_EQ(Flaechenfarbe, TColor(96 | 112 << 8 | 159 << 16));
    EXPECT_EQ(DialogFlaechenfarbe, TColor(206 | 215 << 8 | 230 << 16));

    // A picture supplied by the installation gives its own colours; a picture too
    // small for the frame, or a damaged file, gives the built-in one.
    QImage eigen(72, 72, QImage::Format_RGB32);
    eigen.fill(QColor(10, 20, 30));
    eigen.setPixel(30, 30, qRgb(40, 50, 60));
    ASSERT_TRUE(eigen.save(verz + MusterDateiName(1), "BMP"));
    ASSERT_TRUE(QImage(20, 20, QImage::Format_RGB32).save(verz + MusterDateiName(2), "BMP"));
    QFile kaputt(verz + MusterDateiName(3));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("BM not a picture");
    kaputt.close();
    LeseDialogFarben(LadeMuster(verz, 1), LadeMuster(verz, 2));
    EXPECT_EQ(Rahmenfarbe, TColor(10 | 20 << 8 | 30 << 16));
    EXPECT_EQ(Flaechenfarbe, TColor(40 | 50 << 8 | 60 << 16));
    EXPECT_EQ(DialogFlaechenfarbe, TColor(206 | 215 << 8 | 230 << 16));
    EXPECT_EQ(LadeMuster(verz, 3), StandardMuster(3));
    LeseDialogFarben(StandardMuster(1), StandardMuster(2));
}

TEST(PunktInRechteck, EdgesBelongToTheRectangle)
{
    EXPECT_TRUE(PunktInRechteck(10, 20, 10, 20, 10, 20));
    EXPECT_TRUE(PunktInRechteck(5, 5, 0, 0, 10, 10));
    EXPECT_FALSE(PunktInRechteck(11, 20, 10, 20, 10, 20));
    EXPECT_FALSE(PunktInRechteck(10, 19, 10, 20, 10, 20));
}
