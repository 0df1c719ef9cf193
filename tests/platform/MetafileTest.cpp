#include "platform/Metafile.h"
#include "platform/MetafileWriter.h"

#include "MetafileLeser.h"
#include "QtPrintTo.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace zl;

namespace
{

// Four coloured quadrants: red, green on top, blue, yellow below.
QImage Quadranten(int w, int h)
{
    QImage bild(w, h, QImage::Format_RGB32);
    QPainter p(&bild);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::yellow);
    return bild;
}

// A page that uses every kind of record. Known colours at the probe points below.
void ZeichneSzene(TCanvas& c)
{
    c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(200, 150));
    c.Pen = TPen{clBlack, 1, psSolid};
    c.Brush = TBrush{clWhite, bsSolid};
    c.Rectangle(20, 20, 60, 50);
    c.SetClipRect(100, 0, 200, 150);
    c.Brush.Color = clNavy;
    c.FillRect(80, 100, 180, 140);
    c.ClearClip();
    c.Brush.Color = clFuchsia;
    c.Ellipse(120, 40, 180, 70);
    c.Pen.Color = clRed;
    c.MoveTo(10, 60);
    c.LineTo(90, 60);
    c.Polygon(QPolygon({QPoint(20, 100), QPoint(60, 100), QPoint(40, 130)}));
    c.Font.Height = -20;
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(110, 5, QStringLiteral("Zürich"));
    QRect r(105, 75, 90, 24);
    c.Font.Height = -11;
    c.DrawText(QStringLiteral("Ein Text der umbricht"), r, DT_WORDBREAK | DT_NOPREFIX);
    c.Pen = TPen{clBlack, 2, psSolid};
    c.Rectangle(0, 0, 201, 151);
}

struct Probe {
    QPoint p;
    QColor farbe;
    bool geclippt = false; // shows the clip (libwmf's SVG output leaves clipping out)
};
const Probe kProben[] = {
    {{40, 35}, QColor(255, 255, 255)}, {{150, 120}, QColor(0, 0, 128)},  {{90, 120}, QColor(0, 0, 255), true},
    {{190, 30}, QColor(0, 255, 0)},    {{150, 55}, QColor(255, 0, 255)}, {{10, 10}, QColor(255, 0, 0)},
    {{40, 110}, QColor(255, 0, 255)},  {{8, 140}, QColor(0, 0, 255)},    {{188, 138}, QColor(255, 255, 0)},
};

TMetafilePtr Szene()
{
    TMetafileRecorder rec(QSize(200, 150));
    ZeichneSzene(rec.Canvas());
    return rec.Beenden();
}

using test::EmfDatensaetze;
using test::WmfDatensaetze;

int TexteIn(const TMetafile& mf)
{
    return int(std::count_if(mf.Datensaetze().begin(), mf.Datensaetze().end(),
                             [](const TMetaRecord& d) { return std::holds_alternative<MfText>(d); }));
}

} // namespace

TEST(Metafile, ReplayGivesTheSamePixelsAsDrawingDirectly)
{
    QImage direkt(200, 150, QImage::Format_RGB32);
    direkt.fill(Qt::white);
    {
        TCanvas c(&direkt);
        ZeichneSzene(c);
    }
    const QImage gespielt = AlsBild(*Szene());
    ASSERT_EQ(gespielt.size(), direkt.size());
    EXPECT_EQ(gespielt, direkt);
    for (const Probe& pr : kProben)
        EXPECT_TRUE(test::Nahe(gespielt.pixelColor(pr.p), pr.farbe, 0)) << pr.p.x() << "," << pr.p.y();
}

// Drawing calls the worksheet page and the labels use, each drawn directly and replayed: the
// pixels must agree exactly, and both writers must take the recording.
struct Zeichnung {
    const char* name;
    std::function<void(TCanvas&)> zeichne;
};

class MetafileZeichnung : public ::testing::TestWithParam<Zeichnung>
{
};

TEST_P(MetafileZeichnung, ReplayEqualsDirectDrawing)
{
    QImage direkt(160, 120, QImage::Format_RGB32);
    direkt.fill(Qt::white);
    {
        TCanvas c(&direkt);
        GetParam().zeichne(c);
    }
    TMetafileRecorder rec(QSize(160, 120));
    GetParam().zeichne(rec.Canvas());
    const TMetafilePtr mf = rec.Beenden();
    EXPECT_EQ(AlsBild(*mf), direkt);
    EXPECT_FALSE(SchreibeEmf(*mf).isEmpty());
    EXPECT_FALSE(SchreibeWmf(*mf).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Aufrufe, MetafileZeichnung,
    ::testing::Values(Zeichnung{"RechtsUnten",
                                [](TCanvas& c) {
                                    c.Font.Height = -14;
                                    c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
                                    c.TextOut(150, 110, QStringLiteral("Lösung"));
                                    c.SetTextAlign(TA_CENTER | TA_BASELINE);
                                    c.TextOut(80, 40, QStringLiteral("Mitte"));
                                }},
                      Zeichnung{"ZellhoeheUndStile",
                                [](TCanvas& c) {
                                    c.Font.Height = 18; // cell height
                                    c.Font.Style = fsBold | fsItalic | fsUnderline;
                                    c.Font.Color = clNavy;
                                    c.TextOut(5, 5, QStringLiteral("Fett kursiv"));
                                    c.Brush = TBrush{clYellow, bsSolid};
                                    c.Font.Style = 0;
                                    c.TextOut(5, 50, QStringLiteral("Hinterlegt"));
                                }},
                      Zeichnung{"LaufenderPunkt",
                                [](TCanvas& c) {
                                    c.Font.Height = -12;
                                    c.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
                                    c.MoveTo(10, 10);
                                    c.TextOut(0, 0, QStringLiteral("eins "));
                                    c.TextOut(0, 0, QStringLiteral("zwei"));
                                }},
                      Zeichnung{"Umbruch",
                                [](TCanvas& c) {
                                    c.Font.Height = -11;
                                    QRect r(10, 10, 70, 100);
                                    c.DrawText(QStringLiteral("Ein langer Satz bricht an den Leerzeichen um"), r,
                                               DT_WORDBREAK | DT_CENTER);
                                    QRect s(90, 10, 60, 100);
                                    c.DrawText(QStringLiteral("rechts &bündig"), s, DT_WORDBREAK | DT_RIGHT);
                                    QRect t(90, 80, 60, 30);
                                    c.DrawText(QStringLiteral("unten"), t, DT_SINGLELINE | DT_BOTTOM | DT_CENTER);
                                }},
                      Zeichnung{"Gedreht",
                                [](TCanvas& c) {
                                    c.Font.Height = -16;
                                    c.Font.Orientation = 900;
                                    c.TextOut(60, 110, QStringLiteral("Rhein"));
                                }},
                      Zeichnung{"Formen",
                                [](TCanvas& c) {
                                    c.Pen = TPen{clGreen, 3, psSolid};
                                    c.Brush = TBrush{clAqua, bsSolid};
                                    c.Polygon(QPolygon({QPoint(10, 10), QPoint(70, 20), QPoint(40, 70)}));
                                    c.Pen = TPen{clMaroon, 1, psDash};
                                    c.Brush.Style = bsClear;
                                    c.Rectangle(80, 10, 150, 60);
                                    c.Pen.Style = psClear;
                                    c.Brush = TBrush{clGray, bsSolid};
                                    c.Rectangle(80, 70, 120, 110);
                                    c.Brush = TBrush{clRed, bsDiagCross};
                                    c.FillRect(125, 70, 155, 110);
                                    c.Brush = TBrush{clBlue, bsSolid};
                                    c.FrameRect(5, 80, 60, 115);
                                    c.Pen = TPen{clBlack, 1, psSolid};
                                    c.Polyline(QPolygon({QPoint(5, 75), QPoint(40, 90), QPoint(75, 75)}));
                                }},
                      Zeichnung{"BildTeilUndClip",
                                [](TCanvas& c) {
                                    const QImage q = Quadranten(40, 30);
                                    c.StretchDraw(QRect(0, 0, 80, 60), q, QRect(20, 0, 20, 15));
                                    c.SetClipRect(90, 0, 130, 120);
                                    c.Draw(80, 40, q);
                                    c.ClearClip();
                                    c.StretchDraw(QRect(100, 80, 60, 40), q, true);
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Metafile, StateIsRecordedOnlyWhenItChanges)
{
    TMetafileRecorder rec(QSize(50, 50));
    TCanvas& c = rec.Canvas();
    c.Pen.Color = clRed;
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
    c.LineTo(20, 10);
    c.Brush.Color = clBlue;
    c.FillRect(0, 0, 5, 5); // brush only: no pen record
    c.Pen.Color = clGreen;
    c.LineTo(30, 30);
    c.SetClipRect(1, 1, 5, 5);
    c.SetClipRect(1, 1, 5, 5);
    c.ClearClip();
    const TMetafilePtr mf = rec.Beenden();
    std::vector<std::size_t> arten;
    for (const TMetaRecord& d : mf->Datensaetze())
        arten.push_back(d.index());
    const std::vector<std::size_t> erwartet = {0, 5, 5, 1, 10, 0, 5, 4, 4};
    EXPECT_EQ(arten, erwartet);
    // Nothing is recorded once the recording is finished.
    c.LineTo(0, 0);
    EXPECT_FALSE(c.IsActive());
    EXPECT_EQ(mf->Datensaetze().size(), erwartet.size());
}

TEST(Metafile, DrawTextRecordsLinesInsideItsRectangleAndRestoresTheClip)
{
    TMetafileRecorder rec(QSize(300, 100));
    TCanvas& c = rec.Canvas();
    c.Font.Height = -12;
    c.SetClipRect(0, 0, 150, 100);
    c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    QRect r(10, 10, 60, 80);
    c.DrawText(QStringLiteral("eins zwei drei vier"), r, DT_WORDBREAK);
    EXPECT_EQ(c.TextAlign(), unsigned(TA_RIGHT | TA_BOTTOM));
    const TMetafilePtr mf = rec.Beenden();
    QStringList zeilen;
    std::vector<QRect> clips;
    for (const TMetaRecord& d : mf->Datensaetze()) {
        if (auto* t = std::get_if<MfText>(&d))
            zeilen << t->Text;
        if (auto* k = std::get_if<MfClip>(&d))
            clips.push_back(k->Rect);
    }
    EXPECT_EQ(zeilen, c.WrapText(QStringLiteral("eins zwei drei vier"), 60));
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[1], QRect(10, 10, 60, 80));
    EXPECT_EQ(clips[2], QRect(0, 0, 150, 100));
}

TEST(Metafile, ReplayStretchesIntoTheTargetAndKeepsThePaintersClip)
{
    const TMetafilePtr mf = Szene();
    QImage bild(400, 300, QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter p(&bild);
        p.setClipRect(0, 0, 200, 300);
        Abspielen(*mf, p, QRectF(0, 0, 400, 300));
        EXPECT_TRUE(p.hasClipping());
    }
    EXPECT_EQ(bild.pixelColor(20, 20), QColor(255, 0, 0));
    EXPECT_EQ(bild.pixelColor(80, 70), QColor(255, 255, 255));  // the white rectangle, doubled
    EXPECT_EQ(bild.pixelColor(380, 60), QColor(255, 255, 255)); // outside the painter's clip
}

TEST(MetafileWriter, EmfRecordsParseBackAndRepeatExactly)
{
    const TMetafilePtr mf = Szene();
    const QByteArray emf = SchreibeEmf(*mf);
    ASSERT_GT(emf.size(), 200);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(emf.constData() + 48), quint32(emf.size()));
    QString fehler;
    const auto n = EmfDatensaetze(emf, &fehler);
    EXPECT_TRUE(fehler.isEmpty()) << fehler.toStdString();
    EXPECT_EQ(n.at(1), 1);             // header
    EXPECT_EQ(n.at(14), 1);            // end
    EXPECT_EQ(n.at(81), 1);            // the bitmap
    EXPECT_EQ(n.at(84), TexteIn(*mf)); // "Zürich" and the wrapped lines
    EXPECT_EQ(n.at(33), 2);            // one saved state per clip
    EXPECT_EQ(n.at(34), 2);
    EXPECT_EQ(SchreibeEmf(*mf), emf);
}

TEST(MetafileWriter, WmfRecordsParseBackWithPlaceableHeader)
{
    const TMetafilePtr mf = Szene();
    const QByteArray wmf = SchreibeWmf(*mf);
    ASSERT_GT(wmf.size(), 200);
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
    quint16 summe = 0;
    for (int i = 0; i < 10; ++i)
        summe ^= qFromLittleEndian<quint16>(wmf.constData() + 2 * i);
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 20), summe);
    EXPECT_EQ(qFromLittleEndian<qint16>(wmf.constData() + 10), 200);
    EXPECT_EQ(qFromLittleEndian<qint16>(wmf.constData() + 12), 150);
    EXPECT_EQ(qFromLittleEndian<quint16>(wmf.constData() + 14), 96);
    QString fehler;
    const auto n = WmfDatensaetze(wmf, &fehler);
    EXPECT_TRUE(fehler.isEmpty()) << fehler.toStdString();
    EXPECT_EQ(n.at(0x0F43), 1);
    EXPECT_EQ(n.at(0x0A32), TexteIn(*mf));
    EXPECT_EQ(n.at(0x0000), 1);
    // Text in Windows-1252.
    EXPECT_TRUE(wmf.contains(QByteArray("Z\xFCrich")));
}

TEST(MetafileWriter, WmfRefusesWhatDoesNotFitSixteenBits)
{
    for (const QSize g : {QSize(32768, 10), QSize(10, 40000)}) {
        TMetafileRecorder rec(g);
        rec.Canvas().Rectangle(0, 0, 5, 5);
        QString fehler;
        EXPECT_TRUE(SchreibeWmf(*rec.Beenden(), &fehler).isEmpty());
        EXPECT_FALSE(fehler.isEmpty());
    }
    TMetafileRecorder rec(QSize(100, 100));
    rec.Canvas().Rectangle(-40000, 0, 5, 5);
    QString fehler;
    EXPECT_TRUE(SchreibeWmf(*rec.Beenden(), &fehler).isEmpty());
    EXPECT_FALSE(fehler.isEmpty());
    // The EMF has 32-bit coordinates.
    TMetafileRecorder gross(QSize(40000, 10));
    gross.Canvas().Rectangle(0, 0, 5, 5);
    EXPECT_FALSE(SchreibeEmf(*gross.Beenden()).isEmpty());
}

namespace
{

constexpr QPoint kRand[8] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// Texts with a white halo over a picture: three alignments, one inside a clip.
TMetafilePtr RandSzene()
{
    TMetafileRecorder rec(QSize(200, 150));
    TCanvas& c = rec.Canvas();
    c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(200, 150));
    c.Pen = TPen{clBlack, 1, psSolid};
    c.Brush = TBrush{clYellow, bsSolid};
    c.Ellipse(30, 30, 50, 50);
    c.Brush.Style = bsClear;
    c.Font.Height = -16;
    c.Font.Color = clNavy;
    c.TextOut(10, 8, QStringLiteral("Wörth"), kRand, clWhite);
    c.SetTextAlign(TA_CENTER | TA_BASELINE);
    c.Font.Style = fsBold | fsItalic;
    c.TextOut(100, 80, QStringLiteral("Äquator fj"), kRand, clWhite);
    c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    c.Font.Style = 0;
    c.SetClipRect(120, 100, 170, 150);
    c.TextOut(190, 140, QStringLiteral("Rügen"), kRand, clWhite);
    c.ClearClip();
    return rec.Beenden();
}

int RaenderIn(const TMetafile& mf)
{
    return int(std::count_if(mf.Datensaetze().begin(), mf.Datensaetze().end(), [](const TMetaRecord& d) {
        const auto* t = std::get_if<MfText>(&d);
        return t && !t->Rand.empty();
    }));
}

} // namespace

TEST(MetafileWriter, HalosOverAPictureGoIntoItsPixels)
{
    const TMetafilePtr mf = RandSzene();
    const QImage vorher = std::get<MfBitmap>(mf->Datensaetze().front()).Bild;
    const TMetafile flach = RaenderImBild(*mf);
    EXPECT_EQ(RaenderIn(flach), 0);
    EXPECT_EQ(TexteIn(flach), 3);
    // The same pixels as the halo drawn as text; the recorded picture is left as it was.
    EXPECT_EQ(AlsBild(flach), AlsBild(*mf));
    EXPECT_EQ(std::get<MfBitmap>(mf->Datensaetze().front()).Bild, vorher);
    EXPECT_NE(std::get<MfBitmap>(flach.Datensaetze().front()).Bild, vorher);
    EXPECT_EQ(RaenderIn(*mf), 3);
    // The files hold one text record per text.
    QString fehler;
    EXPECT_EQ(EmfDatensaetze(SchreibeEmf(*mf), &fehler).at(84), 3);
    EXPECT_EQ(WmfDatensaetze(SchreibeWmf(*mf), &fehler).at(0x0A32), 3);
    EXPECT_TRUE(fehler.isEmpty()) << fehler.toStdString();
}

// A picture with more pixels than units takes the halo at its own resolution.
TEST(MetafileWriter, HalosGoIntoAFinerPictureAtItsResolution)
{
    TMetafileRecorder rec(QSize(200, 150));
    TCanvas& c = rec.Canvas();
    c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(400, 300));
    c.Font.Height = -20;
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    c.TextOut(20, 20, QStringLiteral("HHHH"), kRand, clWhite);
    const TMetafilePtr mf = rec.Beenden();
    const TMetafile flach = RaenderImBild(*mf);
    EXPECT_EQ(RaenderIn(flach), 0);
    // About as much halo as drawn at unit resolution.
    auto hell = [](const QImage& b) {
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                n += qGreen(b.pixel(x, y)) > 160 && qRed(b.pixel(x, y)) > 160 && qBlue(b.pixel(x, y)) > 160;
        return n;
    };
    const int vorher = hell(AlsBild(*mf)), nachher = hell(AlsBild(flach));
    EXPECT_GT(vorher, 100);
    EXPECT_NEAR(nachher, vorher, vorher / 4);
}

struct OhnePlatz {
    const char* name;
    std::function<void(TCanvas&)> vorher; // before the text at (60, 60)
};

class HaloOhnePlatz : public ::testing::TestWithParam<OhnePlatz>
{
};

// A halo the picture cannot hold whole is written as one text record per offset.
TEST_P(HaloOhnePlatz, StaysTextRecords)
{
    TMetafileRecorder rec(QSize(200, 150));
    TCanvas& c = rec.Canvas();
    c.Font.Height = -16;
    c.Brush.Style = bsClear;
    GetParam().vorher(c);
    c.TextOut(60, 60, QStringLiteral("Halle"), kRand, clWhite);
    const TMetafilePtr mf = rec.Beenden();
    EXPECT_EQ(RaenderIn(RaenderImBild(*mf)), 1);
    QString fehler;
    EXPECT_EQ(EmfDatensaetze(SchreibeEmf(*mf), &fehler).at(84), 9);
    EXPECT_EQ(WmfDatensaetze(SchreibeWmf(*mf), &fehler).at(0x0A32), 9);
    EXPECT_TRUE(fehler.isEmpty()) << fehler.toStdString();
    QImage referenz(200, 150, QImage::Format_RGB32);
    referenz.fill(Qt::white);
    {
        TCanvas direkt(&referenz);
        direkt.Font.Height = -16;
        direkt.Brush.Style = bsClear;
        GetParam().vorher(direkt);
        direkt.TextOut(60, 60, QStringLiteral("Halle"), kRand, clWhite);
    }
    EXPECT_EQ(AlsBild(RaenderImBild(*mf)), referenz);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, HaloOhnePlatz,
    ::testing::Values(
        OhnePlatz{"KeinBild", [](TCanvas&) {}},
        OhnePlatz{"BildEndetAmText", [](TCanvas& c) { c.StretchDraw(QRect(0, 0, 200, 61), Quadranten(200, 61)); }},
        OhnePlatz{"BildGroeber", [](TCanvas& c) { c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(100, 75)); }},
        OhnePlatz{"TextMitHintergrund",
                  [](TCanvas& c) {
                      c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(200, 150));
                      c.Brush = TBrush{clSilver, bsSolid};
                  }},
        OhnePlatz{"BildVorEinemAnderen",
                  [](TCanvas& c) {
                      c.StretchDraw(QRect(0, 0, 200, 150), Quadranten(200, 150));
                      c.StretchDraw(QRect(150, 0, 200, 20), Quadranten(50, 20));
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MetafileWriter, SavesByExtensionAndKeepsTheOldFileOnFailure)
{
    QTemporaryDir dir;
    const TMetafilePtr mf = Szene();
    const QString wmf = dir.filePath(QStringLiteral("karte.WmF"));
    const QString emf = dir.filePath(QStringLiteral("karte.emf"));
    ASSERT_TRUE(SpeichereMetafile(*mf, wmf));
    ASSERT_TRUE(SpeichereMetafile(*mf, emf));
    QFile a(wmf), b(emf);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(qFromLittleEndian<quint32>(a.read(4).constData()), 0x9AC6CDD7u);
    EXPECT_EQ(b.read(44).mid(40), QByteArray(" EMF"));

    QFile alt(dir.filePath(QStringLiteral("ro/alt.emf")));
    QDir(dir.path()).mkdir(QStringLiteral("ro"));
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString fehler;
    const bool ok = SpeichereMetafile(*mf, alt.fileName(), &fehler);
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!ok) { // root can write anyway
        EXPECT_FALSE(fehler.isEmpty());
        ASSERT_TRUE(alt.open(QIODevice::ReadOnly));
        EXPECT_EQ(alt.readAll(), QByteArray("alt"));
    }
    EXPECT_FALSE(SpeichereMetafile(*mf, dir.filePath(QStringLiteral("fehlt/karte.emf")), &fehler));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fehlt/karte.emf"))));
    EXPECT_FALSE(SpeichereMetafile(TMetafile(), emf, &fehler));
}

TEST(MetafileWriter, ClipboardDataHoldsTheEmfAndAPicture)
{
    std::unique_ptr<QMimeData> d(MetafileMimeDaten(*Szene()));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->data(QString::fromLatin1(kEmfMimeTyp)), SchreibeEmf(*Szene()));
    EXPECT_EQ(qvariant_cast<QImage>(d->imageData()).size(), QSize(200, 150));
}

// The independent readers: libemf2svg for EMF, libwmf for WMF, each rendered to pixels and
// probed against the replay.
struct Leser {
    const char* name;
    const char* programm;
    bool wmf;
};

class MetafileLeser : public ::testing::TestWithParam<Leser>
{
};

TEST_P(MetafileLeser, RendersLikeTheReplay)
{
    const Leser l = GetParam();
    QTemporaryDir dir;
    const TMetafilePtr mf = Szene();
    const QString datei = dir.filePath(QString::fromLatin1(l.wmf ? "szene.wmf" : "szene.emf"));
    ASSERT_TRUE(SpeichereMetafile(*mf, datei));
    QString grund;
    const QImage bild = test::LiesMitLeser(l.programm, datei, mf->Groesse(), &grund);
    if (bild.isNull() && grund.startsWith(QStringLiteral("missing")))
        GTEST_SKIP() << grund.toStdString();
    ASSERT_FALSE(bild.isNull()) << grund.toStdString();
    const QImage referenz = AlsBild(*mf);
    for (const Probe& pr : kProben) {
        if (pr.geclippt && l.wmf)
            continue;
        EXPECT_TRUE(test::Nahe(bild.pixelColor(pr.p), pr.farbe, 24))
            << l.name << " at " << pr.p.x() << "," << pr.p.y() << ": " << bild.pixelColor(pr.p).name().toStdString();
        EXPECT_TRUE(test::Nahe(bild.pixelColor(pr.p), referenz.pixelColor(pr.p), 24));
    }
    // The text arrives as text (libwmf splits it into letters).
    EXPECT_TRUE(QString::fromUtf8(test::LeseDatei(datei + QStringLiteral(".svg"))).contains(QStringLiteral("ü")))
        << l.name;
}

INSTANTIATE_TEST_SUITE_P(Leser, MetafileLeser,
                         ::testing::Values(Leser{"Emf", "emf2svg-conv", false}, Leser{"Wmf", "wmf2svg", true}),
                         [](const auto& info) { return std::string(info.param.name); });
