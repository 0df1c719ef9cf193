#include "controls/DrucSpez.h"

#include "platform/MessageService.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(DrucSpezRechnung, TenthsOfAMillimetreRoundHalfToEven)
{
    EXPECT_EQ(PunkteInZehntelMm(4961, 600), 2100);
    EXPECT_EQ(PunkteInZehntelMm(100, 600), 42); // 42.33
    EXPECT_EQ(PunkteInZehntelMm(1, 508), 0); // 0.5 -> 0
    EXPECT_EQ(PunkteInZehntelMm(3, 508), 2); // 1.5 -> 2
    EXPECT_EQ(PunkteInZehntelMm(5, 508), 2); // 2.5 -> 2
    EXPECT_EQ(PunkteInZehntelMm(-3, 508), -2);
    EXPECT_EQ(PunkteInZehntelMm(100, 0), 0);
    EXPECT_EQ(PunkteInZehntelMm(2000000000LL, 300), 1693333333);
}

TEST(DrucSpezRechnung, PaperSizeAndMargins)
{
    DruckerMetrik m;
    m.dpiX = m.dpiY = 600;
    m.physBreite = 4961;
    m.physHoehe = 7016;
    m.versatzX = 100;
    m.versatzY = 50;
    int b = 0, h = 0;
    HolePapierGroesse(m, b, h);
    EXPECT_EQ(b, 2100);
    EXPECT_EQ(h, 2970);
    int links = 150, oben = 30;
    KorrigiereDruckRaender(m, links, oben);
    EXPECT_EQ(links, 108);
    EXPECT_EQ(oben, 9); // 30 - round(21.17)
    links = 30;
    oben = 0;
    KorrigiereDruckRaender(m, links, oben);
    EXPECT_EQ(links, 0);
    EXPECT_EQ(oben, 0);
}

// What a PDF page draws: filled rectangles and images, in PDF points (origin at
// the bottom left), read from the page's content stream.
struct PdfSeite {
    std::vector<QRectF> rechtecke;
    std::vector<QRectF> bilder;
    double hoehe = 0;
};

QRectF Abbild(const QTransform& t, const QRectF& r) { return t.mapRect(r); }

PdfSeite LesePdf(const QString& datei)
{
    QFile f(datei);
    PdfSeite seite;
    if (!f.open(QIODevice::ReadOnly))
        return seite;
    const QByteArray pdf = f.readAll();
    const qsizetype box = pdf.indexOf("/MediaBox");
    if (box >= 0) {
        const qsizetype auf = pdf.indexOf('[', box) + 1;
        const QList<QByteArray> zahlen = pdf.mid(auf, pdf.indexOf(']', auf) - auf).split(' ');
        QList<double> z;
        for (const QByteArray& s : zahlen) {
            bool ok = false;
            const double d = s.trimmed().toDouble(&ok);
            if (ok)
                z.append(d);
        }
        if (z.size() >= 4)
            seite.hoehe = z[3];
    }
    qsizetype pos = 0;
    while ((pos = pdf.indexOf("stream\n", pos)) >= 0) {
        const qsizetype anfang = pos + 7;
        const qsizetype ende = pdf.indexOf("endstream", anfang);
        if (ende < 0)
            break;
        QByteArray daten = pdf.mid(anfang, ende - anfang);
        pos = ende + 9;
        if (daten.endsWith('\n')) // the line end before "endstream"
            daten.chop(1);
        // Flate streams are zlib data; qUncompress wants the size in front.
        QByteArray mitGroesse(4, '\0');
        mitGroesse[1] = char(0x10); // 1 MiB as the size hint
        const bool zlib = daten.startsWith(char(0x78));
        const QByteArray roh = zlib ? qUncompress(mitGroesse + daten) : QByteArray();
        const QByteArray inhalt = roh.isEmpty() ? daten : roh;
        if (!inhalt.contains(" cm"))
            continue;
        std::vector<QTransform> stapel;
        QTransform ctm;
        std::vector<double> zahlen;
        for (const QByteArray& wort : inhalt.simplified().split(' ')) {
            bool ok = false;
            const double d = wort.toDouble(&ok);
            if (ok) {
                zahlen.push_back(d);
                continue;
            }
            if (wort == "q") {
                stapel.push_back(ctm);
            } else if (wort == "Q") {
                if (!stapel.empty()) {
                    ctm = stapel.back();
                    stapel.pop_back();
                }
            } else if (wort == "cm" && zahlen.size() >= 6) {
                const double* a = &zahlen[zahlen.size() - 6];
                ctm = QTransform(a[0], a[1], a[2], a[3], a[4], a[5]) * ctm;
            } else if (wort == "re" && zahlen.size() >= 4) {
                const double* a = &zahlen[zahlen.size() - 4];
                seite.rechtecke.push_back(Abbild(ctm, QRectF(a[0], a[1], a[2], a[3])));
            } else if (wort == "Do") {
                seite.bilder.push_back(Abbild(ctm, QRectF(0, 0, 1, 1)));
            }
            zahlen.clear();
        }
    }
    return seite;
}

constexpr double kPunkteProMm = 72.0 / 25.4;

class DrucSpezPdf : public ::testing::TestWithParam<bool> {};

TEST_P(DrucSpezPdf, PageInTenthsOfAMillimetre)
{
    QTemporaryDir dir;
    const QString datei = dir.filePath(QStringLiteral("seite.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(datei);
    // A printer that cannot print within 5 mm left and 7 mm top of the paper's edge,
    // with the page layout's own margins larger than that.
    ASSERT_TRUE(printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                  QMarginsF(10, 15, 10, 10), QPageLayout::Millimeter,
                                                  QMarginsF(5, 7, 5, 5))));
    printer.setFullPage(GetParam());

    ScopedMessageRecorder boxen;
    QPainter p;
    ASSERT_TRUE(BeginneDruck(p, printer));
    ASSERT_TRUE(SetzeDruckerMasstab(p, printer));
    int breite = 0, hoehe = 0;
    ASSERT_TRUE(HolePapierGroesse(printer, breite, hoehe));
    EXPECT_NEAR(breite, 2100, 2);
    EXPECT_NEAR(hoehe, 2970, 2);
    const DruckerMetrik m = LeseDruckerMetrik(printer);
    EXPECT_DOUBLE_EQ(DruckerZehntelProPixelX(), 254.0 / m.dpiX);
    int links = 150, oben = 60;
    ASSERT_TRUE(KorrigiereDruckRaender(printer, links, oben));
    EXPECT_EQ(links, 100);
    EXPECT_EQ(oben, 0); // 6 mm is less than the 7 mm border

    p.fillRect(QRect(QPoint(200, 200), QPoint(1199, 699)), Qt::black);
    QImage bild(4, 2, QImage::Format_RGB32);
    bild.fill(Qt::red);
    ASSERT_TRUE(DruckeBitmap(p, 0, 1000, 1000, 1500, bild));
    p.end();
    EXPECT_TRUE(boxen.entries().isEmpty());

    const PdfSeite seite = LesePdf(datei);
    ASSERT_EQ(seite.rechtecke.size(), 1u);
    ASSERT_EQ(seite.bilder.size(), 1u);
    ASSERT_GT(seite.hoehe, 800);
    // The printable area starts at the unprintable border.
    const double randX = m.versatzX * 72.0 / m.dpiX;
    const double randY = m.versatzY * 72.0 / m.dpiY;
    EXPECT_NEAR(randX, 5 * kPunkteProMm, 0.1);
    EXPECT_NEAR(randY, 7 * kPunkteProMm, 0.1);
    const QRectF r = seite.rechtecke[0];
    const double tol = 0.05;
    EXPECT_NEAR(r.width(), 100 * kPunkteProMm, tol);
    EXPECT_NEAR(r.height(), 50 * kPunkteProMm, tol);
    EXPECT_NEAR(r.left(), randX + 20 * kPunkteProMm, tol);
    // y grows downwards: the top edge lies 2 cm below the printable area's top.
    EXPECT_NEAR(seite.hoehe - r.bottom(), randY + 20 * kPunkteProMm, tol);
    const QRectF b = seite.bilder[0];
    EXPECT_NEAR(b.width(), 100 * kPunkteProMm, tol);
    EXPECT_NEAR(b.height(), 50 * kPunkteProMm, tol);
    EXPECT_NEAR(b.left(), randX, tol);
    EXPECT_NEAR(seite.hoehe - b.bottom(), randY + 100 * kPunkteProMm, tol);
}

INSTANTIATE_TEST_SUITE_P(Seitenmodus, DrucSpezPdf, ::testing::Bool());

TEST(DrucSpezOhneDrucker, SaysSoAndNeverSucceeds)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed here";
    ScopedMessageRecorder boxen;
    QPrinter printer;
    QPainter p;
    EXPECT_FALSE(DruckerBereit(printer));
    EXPECT_FALSE(BeginneDruck(p, printer));
    EXPECT_FALSE(p.isActive());
    // Page functions without a job report it as well.
    EXPECT_FALSE(SetzeDruckerMasstab(p, printer));
    QImage bild(2, 2, QImage::Format_RGB32);
    EXPECT_FALSE(DruckeBitmap(p, 0, 0, 10, 10, bild));
    ASSERT_EQ(boxen.entries().size(), 4);
    for (const auto& e : boxen.entries()) {
        EXPECT_EQ(e.kind, MsgKind::Fehler);
        EXPECT_EQ(e.text, KeinDruckerText());
    }
}

TEST(DrucSpezOhneDrucker, PdfWithoutFileNameIsNoPrinter)
{
    ScopedMessageRecorder boxen;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPainter p;
    EXPECT_FALSE(BeginneDruck(p, printer));
    EXPECT_EQ(boxen.entries().size(), 1);
}

} // namespace
} // namespace zl
