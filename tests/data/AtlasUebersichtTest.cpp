// The bundled overview pictures on the map-selection page: shaped like its picture area
// at the usual window sizes, and its description text legible on them.
#include "datastore/JpegDatei.h"
#include "learning/mapview/zl_lernlayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const QString kDaten = QStringLiteral(ZL_KARTIVO_DIR "/ZL-Daten/");

// The page's picture area in windows of 1920 x 1080, 1280 x 1024 and 980 x 640.
const QSize kFlaechen[] = {{1640, 946}, {1000, 890}, {700, 506}};

// The colour the page writes its description text in.
const QColor kTextfarbe(207, 178, 182);

double Leuchtdichte(QColor c)
{
    auto k = [](double v) {
        v /= 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * k(c.red()) + 0.7152 * k(c.green()) + 0.0722 * k(c.blue());
}

double Kontrast(QColor a, QColor b)
{
    const double la = Leuchtdichte(a), lb = Leuchtdichte(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class Uebersichtsbild : public ::testing::TestWithParam<const char*>
{
};

TEST(UebersichtKontrast, FormulaGivesKnownRatios)
{
    EXPECT_NEAR(Kontrast(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(Kontrast(QColor(119, 119, 119), Qt::white), 4.48, 0.01);
}

TEST_P(Uebersichtsbild, StretchIsCloseToUniform)
{
    int w = 0, h = 0;
    zl::JpegGroesse(kDaten + QStringLiteral("KA-%1.jpg").arg(QLatin1String(GetParam())), w, h);
    ASSERT_GT(w * h, 0);
    for (const QSize& f : kFlaechen) {
        // Horizontal over vertical stretch.
        const double verzerrung = (double(f.width()) / w) / (double(f.height()) / h);
        EXPECT_GT(verzerrung, 0.75) << f.width() << "x" << f.height();
        EXPECT_LT(verzerrung, 1.3) << f.width() << "x" << f.height();
    }
}

TEST_P(Uebersichtsbild, DescriptionTextHasContrast)
{
    const QString code = QLatin1String(GetParam());
    const QImage bild = zl::LadeJpegBildDatei(kDaten + QStringLiteral("KA-") + code + QStringLiteral(".jpg"));
    ASSERT_FALSE(bild.isNull());
    for (const QSize& f : kFlaechen) {
        const QImage seite = bild.scaled(f, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // The tab control is two pixels wider than its pages.
        const int W = f.width() + 2;
        QFont schrift(QStringLiteral("Arial"));
        schrift.setPointSize(zl::UebersichtLabelPunkte(W));
        const QRect feld = zl::UebersichtLabelRect(code, W);
        const QRect text =
            QFontMetrics(schrift)
                .boundingRect(feld, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, zl::UebersichtText(code))
                .adjusted(-2, -2, 2, 2)
                .intersected(seite.rect());
        ASSERT_FALSE(text.isEmpty());
        double schlechtester = 99;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                schlechtester = std::min(schlechtester, Kontrast(kTextfarbe, seite.pixelColor(x, y)));
        EXPECT_GE(schlechtester, 4.5) << code.toStdString() << " at " << f.width() << "x" << f.height();
    }
}

INSTANTIATE_TEST_SUITE_P(Bundled, Uebersichtsbild, ::testing::Values("WLT", "EUR", "DEU"));

} // namespace
