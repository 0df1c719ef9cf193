// Map output without windows: export size and scale, the extension rule, the four file
// formats drawn from the fixture's large map picture, and what a failed export leaves.

#include "learning/mapview/zl_ausgabe.h"

#include "MetafileLeser.h"
#include "QtPrintTo.h"
#include "datastore/JpegDatei.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "platform/MetafileWriter.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

namespace zl
{
namespace
{

class Ausgabe : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_prog = s_dir->path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(s_prog));
        // A picture wider than a WMF can hold.
        ASSERT_TRUE(
            fixtures::writeTestJpeg(s_prog + QStringLiteral("ZX-Karten/BIG-RS-1.jpg"), 33000, 8, QStringLiteral("RS")));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { DatenInitialisieren(s_prog); }
    void TearDown() override { DatenFreigeben(); }

    static TKartenausgabe Karte(const QString& Id = QStringLiteral("DEU"), TRect Ausschnitt = {0, 0, 10000, 10000},
                                double Zoom = 1.0)
    {
        TKartenausgabe A;
        A.KartID = Id;
        A.Ausschnitt = Ausschnitt;
        A.ZoomFaktor = Zoom;
        A.Beschriftung.AktKartID = Id;
        A.Beschriftung.Ansichtsmodus = 2;
        A.Beschriftung.LernIntensitaet = 3;
        return A;
    }
    QString Datei(const QString& Name) const { return m_tmp.filePath(Name); }

    static QTemporaryDir* s_dir;
    static QString s_prog;
    QTemporaryDir m_tmp;
};

QTemporaryDir* Ausgabe::s_dir = nullptr;
QString Ausgabe::s_prog;

TEST_F(Ausgabe, SizeIsTheSectionInPixelsOfTheLargePicture)
{
    int W = 0, H = 0, Bytes = 0;
    ErmittleExportgroesse(Karte(), W, H, Bytes);
    EXPECT_EQ(QSize(W, H), QSize(fixtures::kGrossBreite, fixtures::kGrossHoehe));
    EXPECT_EQ(Bytes, QFile(KartenVerz + QStringLiteral("DEU-RS-1.jpg")).size());
    ErmittleExportgroesse(Karte(QStringLiteral("DEU"), {2500, 2500, 7500, 7500}, 2.0), W, H, Bytes);
    EXPECT_EQ(QSize(W, H), QSize(fixtures::kGrossBreite / 2, fixtures::kGrossHoehe / 2));
}

TEST(AusgabeRegeln, LabelScaleFollowsTheBoxDiagonal)
{
    struct Fall {
        bool drucker;
        double zoom;
        int w, h;
        double skala;
    };
    const Fall faelle[] = {
        {false, 1.0, 2000, 1500, 0.8 * 2500 / 900.0},
        {false, 2.0, 1000, 750, 0.96 * 1250 / 900.0},
        {true, 1.0, 1700, 1275, 0.8 * 0.00105 * 2125},
    };
    for (const Fall& f : faelle)
        EXPECT_NEAR(AusgabeSkala(f.drucker, f.zoom, f.w, f.h), f.skala, 1e-12) << f.w;
}

TEST(AusgabeRegeln, JpegQualityAndTheExtensionRule)
{
    EXPECT_EQ(ExportJpegQualitaet(750000), 99);
    EXPECT_EQ(ExportJpegQualitaet(750001), 98);
    EXPECT_EQ(ExportJpegQualitaet(-1), 99);
    const std::pair<const char*, TExportArt> faelle[] = {
        {"/tmp/a.bmp", TExportArt::Bitmap},     {"/tmp/a.BMP", TExportArt::Bitmap},
        {"/tmp/a.jpg", TExportArt::Jpeg},       {"/tmp/a.Jpg", TExportArt::Jpeg},
        {"/tmp/a.WmF", TExportArt::Metafile},   {"/tmp/a.emf", TExportArt::Metafile},
        {"/tmp/a.jpeg", TExportArt::Ungueltig}, {"/tmp/a.png", TExportArt::Ungueltig},
        {"/tmp/a", TExportArt::Ungueltig},      {"/tmp/a.emf.txt", TExportArt::Ungueltig},
    };
    for (const auto& [name, art] : faelle)
        EXPECT_EQ(ExportArtFuerName(QString::fromLatin1(name)), art) << name;
    EXPECT_TRUE(IstWmfName(QStringLiteral("x.WmF")));
    EXPECT_FALSE(IstWmfName(QStringLiteral("x.emf")));
}

TEST(AusgabeRegeln, OutputAreaWidensTheDrawingRectangle)
{
    EXPECT_EQ(AusgabeRechteck(10, 20, 300, 200, kGanzeAusgabeflaeche), QRect(10, 20, 300, 200));
    // The box shows the middle half: the drawing rectangle is twice as large around it.
    EXPECT_EQ(AusgabeRechteck(10, 20, 300, 200, QRectF(0.25, 0.25, 0.5, 0.5)), QRect(-140, -80, 600, 400));
    EXPECT_EQ(AusgabeRechteck(10, 20, 300, 200, QRectF(0, 0, 0, 1)), QRect(10, 20, 300, 200));
}

TEST_F(Ausgabe, BitmapShowsTheSectionLabelsAndFrame)
{
    const QImage Bild = ZeichneKartenbild(Karte());
    ASSERT_EQ(Bild.size(), QSize(fixtures::kGrossBreite, fixtures::kGrossHoehe));
    // The frame: two units on the left and top, the right and bottom ones on the last column.
    EXPECT_EQ(Bild.pixel(0, 500), qRgb(0, 0, 0));
    EXPECT_EQ(Bild.pixel(1, 500), qRgb(0, 0, 0));
    EXPECT_EQ(Bild.pixel(Bild.width() - 1, 500), qRgb(0, 0, 0));
    EXPECT_NE(Bild.pixel(2, 500), qRgb(0, 0, 0));
    // Labels are drawn over the picture.
    TKartenausgabe Ohne = Karte();
    const QList<ObjDataTyp> Leer;
    Ohne.Beschriftung.Objekte = &Leer;
    const QImage Nackt = ZeichneKartenbild(Ohne);
    EXPECT_NE(Bild, Nackt);
    // Without labels the inside is the picture, cut 1:1 (red grows with x, green with y).
    const QColor c = Nackt.pixelColor(600, 450);
    EXPECT_NEAR(c.red(), 128, 8);
    EXPECT_NEAR(c.green(), 128, 8);
    EXPECT_NEAR(c.blue(), fixtures::blueOf(QStringLiteral("RS")), 8);
    // A quarter at 200 %: the section's middle is the picture's middle.
    Ohne.Ausschnitt = {2500, 2500, 7500, 7500};
    Ohne.ZoomFaktor = 2.0;
    const QImage Viertel = ZeichneKartenbild(Ohne);
    ASSERT_EQ(Viertel.size(), QSize(600, 450));
    EXPECT_NEAR(Viertel.pixelColor(300, 225).red(), 128, 8);
    EXPECT_NEAR(Viertel.pixelColor(10, 225).red(), 66, 8);
}

TEST_F(Ausgabe, EveryFormatIsWrittenAndReadBackByAnIndependentReader)
{
    const TKartenausgabe A = Karte();
    const QImage Referenz = ZeichneKartenbild(A);
    TKartenausgabe Ohne = A;
    const QList<ObjDataTyp> Leer;
    Ohne.Beschriftung.Objekte = &Leer;
    const QImage Nackt = ZeichneKartenbild(Ohne);
    QString Fehler;
    ASSERT_TRUE(ExportiereBitmap(A, Datei(QStringLiteral("k.bmp")), false, Fehler)) << Fehler.toStdString();
    ASSERT_TRUE(ExportiereBitmap(A, Datei(QStringLiteral("k.jpg")), true, Fehler)) << Fehler.toStdString();
    ASSERT_TRUE(ExportiereMetafile(A, Datei(QStringLiteral("k.emf")), Fehler)) << Fehler.toStdString();
    ASSERT_TRUE(ExportiereMetafile(A, Datei(QStringLiteral("k.WmF")), Fehler)) << Fehler.toStdString();

    const QImage Bmp = QImage(Datei(QStringLiteral("k.bmp"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Bmp, Referenz);
    const QImage Jpg = LadeJpegBildDatei(Datei(QStringLiteral("k.jpg")));
    ASSERT_EQ(Jpg.size(), Referenz.size());
    EXPECT_LT(test::MittlereAbweichung(Jpg, Referenz), 3.0);

    const QByteArray Emf = test::LeseDatei(Datei(QStringLiteral("k.emf")));
    const QByteArray Wmf = test::LeseDatei(Datei(QStringLiteral("k.WmF")));
    EXPECT_EQ(Emf.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(Wmf.constData()), 0x9AC6CDD7u);
    // The picture goes in as one 24-bit DIB; the records beside it stay small.
    const qsizetype Dib = qsizetype((Referenz.width() * 3 + 3) & ~3) * Referenz.height();
    EXPECT_GT(Emf.size(), Dib);
    EXPECT_LT(Emf.size() - Dib, 64 * 1024);
    // The white halos lie in the picture: one text record per label line.
    const TMetafilePtr Mf = NimmKartenausschnittAuf(A);
    const auto Texte = std::count_if(Mf->Datensaetze().begin(), Mf->Datensaetze().end(),
                                     [](const TMetaRecord& d) { return std::holds_alternative<MfText>(d); });
    ASSERT_GT(Texte, 0);
    EXPECT_EQ(test::EmfDatensaetze(Emf, &Fehler)[84], Texte) << Fehler.toStdString();
    // Pixels of the halo only (white with the labels, not without them).
    QList<QPoint> Rand;
    for (int y = 0; y < Referenz.height(); ++y)
        for (int x = 0; x < Referenz.width(); ++x)
            if (Referenz.pixel(x, y) == qRgb(255, 255, 255) && Nackt.pixel(x, y) != qRgb(255, 255, 255))
                Rand.append(QPoint(x, y));
    ASSERT_GT(Rand.size(), 50);

    for (const auto& [Name, Programm] :
         {std::pair{QStringLiteral("k.emf"), "emf2svg-conv"}, std::pair{QStringLiteral("k.WmF"), "wmf2svg"}}) {
        QString Grund;
        const QImage Gelesen = test::LiesMitLeser(Programm, Datei(Name), Referenz.size(), &Grund);
        if (Gelesen.isNull() && Grund.startsWith(QStringLiteral("missing")))
            GTEST_SKIP() << Grund.toStdString();
        ASSERT_FALSE(Gelesen.isNull()) << Grund.toStdString();
        // Probes on the picture away from labels and frame agree with the BMP.
        int Verglichen = 0;
        for (const QPoint p : test::ProbenOhneBeschriftung(Referenz, Nackt)) {
            EXPECT_TRUE(test::Nahe(Gelesen.pixelColor(p), Referenz.pixelColor(p), 12))
                << Programm << " at " << p.x() << "," << p.y() << " " << Gelesen.pixelColor(p).name().toStdString()
                << " " << Referenz.pixelColor(p).name().toStdString();
            ++Verglichen;
        }
        EXPECT_GE(Verglichen, 10);
        // The reader shows the halo. Its own text lands up to a pixel away from the recorded
        // place and covers part of it (about 40 % stay white); without the halo none would.
        const auto Weiss = std::count_if(Rand.begin(), Rand.end(), [&](QPoint p) {
            return test::Nahe(Gelesen.pixelColor(p), QColor(Qt::white), 40);
        });
        EXPECT_GT(Weiss, Rand.size() / 4) << Programm << " " << Weiss << " of " << Rand.size();
    }
}

TEST_F(Ausgabe, ClipboardGetsAMetafileAndAPicture)
{
    QString Fehler;
    ASSERT_TRUE(ExportiereMetafile(Karte(), QString(), Fehler)) << Fehler.toStdString();
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->data(QString::fromLatin1(kEmfMimeTyp)).mid(40, 4), QByteArray(" EMF"));
    ASSERT_TRUE(ExportiereBitmap(Karte(), QString(), false, Fehler)) << Fehler.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), ZeichneKartenbild(Karte()));
}

TEST_F(Ausgabe, FailuresWriteNothingAndKeepTheOldFile)
{
    QString Fehler;
    // No picture at all.
    EXPECT_FALSE(ExportiereBitmap(Karte(QStringLiteral("XYZ")), Datei(QStringLiteral("x.bmp")), false, Fehler));
    EXPECT_FALSE(Fehler.isEmpty());
    EXPECT_FALSE(QFile::exists(Datei(QStringLiteral("x.bmp"))));
    Fehler.clear();
    EXPECT_FALSE(ExportiereMetafile(Karte(QStringLiteral("XYZ")), Datei(QStringLiteral("x.emf")), Fehler));
    EXPECT_FALSE(Fehler.isEmpty());
    EXPECT_FALSE(QFile::exists(Datei(QStringLiteral("x.emf"))));
    // A folder that does not exist.
    for (const char* Name : {"fehlt/x.bmp", "fehlt/x.jpg", "fehlt/x.emf", "fehlt/x.wmf"}) {
        Fehler.clear();
        const QString D = Datei(QString::fromLatin1(Name));
        const bool Ok = ExportArtFuerName(D) == TExportArt::Metafile
                            ? ExportiereMetafile(Karte(), D, Fehler)
                            : ExportiereBitmap(Karte(), D, ExportArtFuerName(D) == TExportArt::Jpeg, Fehler);
        EXPECT_FALSE(Ok) << Name;
        EXPECT_EQ(Fehler, QStringLiteral("Datei-Schreibfehler! (3)")) << Name;
    }
    // A WMF beyond 16-bit coordinates: the box text, the old file as it was.
    const QString Alt = Datei(QStringLiteral("alt.wmf"));
    {
        QFile f(Alt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt");
    }
    Fehler.clear();
    EXPECT_FALSE(ExportiereMetafile(Karte(QStringLiteral("BIG")), Alt, Fehler));
    EXPECT_TRUE(Fehler.contains(QStringLiteral("WMF")));
    EXPECT_EQ(test::LeseDatei(Alt), QByteArray("alt"));
    // The same section fits an EMF.
    EXPECT_TRUE(ExportiereMetafile(Karte(QStringLiteral("BIG")), Datei(QStringLiteral("big.emf")), Fehler));
}

} // namespace
} // namespace zl
