#include "platform/Canvas.h"
#include "platform/GesetzterText.h"
#include "platform/Metafile.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPicture>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <span>

using namespace zl;

namespace
{

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Bounding box of the pixels that are not white.
QRect ink(const QImage& img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

TEST(Canvas, FontHeightConventions)
{
    QImage img = blank(10, 10);
    TCanvas cv(&img);
    cv.Font.Height = -20; // character height: the em size
    EXPECT_EQ(cv.ResolvedFont().pixelSize(), 20);
    cv.Font.Height = 20; // cell height: ascent + descent
    EXPECT_NEAR(cv.TextHeight(QStringLiteral("Xg")), 20, 1);
    cv.Font.Height = -20;
    EXPECT_GT(cv.TextHeight(QStringLiteral("Xg")), 20);
    cv.SetFontSize(10);
    EXPECT_EQ(cv.Font.Height, -13); // at 96 pixels per inch
    EXPECT_EQ(cv.FontSize(), 10);
}

// A font asked for by its cell height measures that height, as the printouts that step
// by TextHeight assume; the cell is also what an opaque text fills and what TA_BOTTOM
// stands on, on a picture and on a recording alike.
class CanvasZellhoehe : public ::testing::TestWithParam<const char*>
{
};

TEST_P(CanvasZellhoehe, CellHeightIsTheHeightAskedFor)
{
    const QString Name = QString::fromLatin1(GetParam());
    QImage img = blank(300, 160);
    TCanvas onImage(&img);
    TMetafileRecorder rec(QSize(300, 160));
    for (unsigned style : {0u, unsigned(fsBold)})
        for (int h = 8; h <= 60; ++h) {
            SCOPED_TRACE(testing::Message() << Name.toStdString() << " style " << style << " height " << h);
            for (TCanvas* c : {&onImage, &rec.Canvas()}) {
                c->Font = TFontSpec{Name, h, clBlack, style, 0};
                EXPECT_EQ(c->TextHeight(QStringLiteral("Xg")), h);
                EXPECT_EQ(c->FontAscent() + c->FontDescent(), h);
                EXPECT_GT(c->FontDescent(), 0);
                QRect r(0, 0, 1000, 0);
                EXPECT_EQ(c->DrawText(QStringLiteral("eins\r\nzwei"), r, DT_CALCRECT), 2 * h);
            }
            // Text and brush in one colour: the filled cell is a plain box.
            img.fill(Qt::white);
            onImage.Font.Color = clNavy;
            onImage.Brush = TBrush{clNavy, bsSolid};
            onImage.SetTextAlign(TA_LEFT | TA_TOP);
            onImage.TextOut(10, 10, QStringLiteral("HH"));
            onImage.SetTextAlign(TA_LEFT | TA_BOTTOM);
            onImage.TextOut(150, 150, QStringLiteral("HH"));
            const QRect oben = ink(img.copy(0, 0, 150, 160)), unten = ink(img.copy(150, 0, 150, 160));
            EXPECT_EQ(oben.top(), 10);
            EXPECT_EQ(oben.height(), h);
            EXPECT_EQ(unten.top(), 150 - h);
            EXPECT_EQ(unten.height(), h);
        }
}

// The fonts the programs name, as they resolve here (Liberation Sans, Serif and Mono).
INSTANTIATE_TEST_SUITE_P(Schriften, CanvasZellhoehe, ::testing::Values("Arial", "Times New Roman", "Courier New"));

TEST(Canvas, TextAlignment)
{
    struct Case {
        unsigned align;
        bool checkTop, checkBottom, checkLeft, checkRight;
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, true, false, true, false},
        {TA_RIGHT | TA_BASELINE, false, true, false, true},
        {TA_CENTER | TA_BOTTOM, false, true, false, false},
    };
    for (const Case& c : cases) {
        QImage img = blank(200, 100);
        TCanvas cv(&img);
        cv.Font.Height = -30;
        cv.Brush.Style = bsClear;
        cv.SetTextAlign(c.align);
        cv.TextOut(100, 50, QStringLiteral("HH"));
        const QRect r = ink(img);
        ASSERT_FALSE(r.isNull());
        const int asc = cv.FontAscent();
        if (c.checkTop) {
            EXPECT_GE(r.top(), 50);
            EXPECT_LE(r.top(), 50 + asc / 2);
        }
        if (c.checkBottom) {
            EXPECT_LE(r.bottom(), 50);
        }
        if (c.checkLeft) {
            EXPECT_GE(r.left(), 100);
            EXPECT_LE(r.left(), 105);
        }
        if (c.checkRight) {
            EXPECT_LE(r.right(), 100);
            EXPECT_GE(r.right(), 94);
        }
        if ((c.align & 6) == TA_CENTER) {
            EXPECT_NEAR((r.left() + r.right()) / 2.0, 100, 3);
        }
    }
}

TEST(Canvas, OpaqueTextBackgroundAndWrapping)
{
    QImage img = blank(200, 100);
    TCanvas cv(&img);
    cv.Font.Height = -12;
    cv.Brush.Color = clYellow;
    cv.TextOut(10, 10, QStringLiteral("Ab"));
    EXPECT_EQ(img.pixel(10, 10), 0xFFFFFF00u); // cell filled with the brush
    EXPECT_EQ(img.pixel(10 + cv.TextWidth(QStringLiteral("Ab")), 10), 0xFFFFFFFFu);

    const QString text = QStringLiteral("eins zwei drei vier fünf sechs sieben");
    const int w = cv.TextWidth(QStringLiteral("eins zwei drei"));
    const QStringList lines = cv.WrapText(text, w);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("eins zwei drei"));
    for (const QString& l : lines)
        EXPECT_LE(cv.TextWidth(l), w);
    QRect r(0, 0, w, 0);
    const int h = cv.DrawText(text, r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, int(lines.size()) * cv.TextHeight(QStringLiteral("A")));
    EXPECT_EQ(r.height(), h);
    EXPECT_EQ(cv.WrapText(QStringLiteral("a\r\nb"), 1000), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    QImage clip = blank(100, 40);
    TCanvas c2(&clip);
    c2.Brush.Style = bsClear;
    QRect box(10, 10, 30, 12);
    c2.DrawText(QStringLiteral("WWWWWWWWWWWW"), box, DT_SINGLELINE);
    const QRect drawn = ink(clip);
    EXPECT_GE(drawn.left(), 10);
    EXPECT_LE(drawn.right(), 39); // clipped to the rectangle
}

TEST(Canvas, ShapesAndClipping)
{
    QImage img = blank(20, 20);
    TCanvas cv(&img);
    int changes = 0;
    cv.OnChange = [&] { ++changes; };
    cv.Pen.Color = clBlack;
    cv.Brush.Color = clRed;
    cv.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(img.pixel(2, 2), 0xFF000000u);
    EXPECT_EQ(img.pixel(7, 5), 0xFF000000u);
    EXPECT_EQ(img.pixel(8, 6), 0xFFFFFFFFu);
    EXPECT_EQ(img.pixel(4, 4), 0xFFFF0000u);
    cv.Pen.Style = psClear;
    cv.Brush.Color = clBlue;
    cv.Rectangle(10, 10, 14, 14); // without a pen one pixel less
    EXPECT_EQ(img.pixel(12, 12), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(13, 13), 0xFFFFFFFFu);

    QImage e = blank(21, 21);
    TCanvas ce(&e);
    ce.Brush.Color = clLime;
    ce.Ellipse(0, 0, 21, 21);
    EXPECT_EQ(e.pixel(10, 10), 0xFF00FF00u);
    EXPECT_EQ(e.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(e.pixel(0, 10), 0xFF000000u);

    QImage p = blank(20, 20);
    TCanvas cp(&p);
    cp.Brush.Color = clBlue;
    cp.Pen.Style = psClear;
    cp.Polygon(QPolygon({QPoint(0, 0), QPoint(19, 0), QPoint(0, 19)}));
    EXPECT_EQ(p.pixel(3, 3), 0xFF0000FFu);
    EXPECT_EQ(p.pixel(17, 17), 0xFFFFFFFFu);

    QImage c = blank(20, 20);
    TCanvas cc(&c);
    cc.SetClipRect(5, 5, 10, 10);
    cc.Brush.Color = clBlack;
    cc.FillRect(0, 0, 20, 20);
    EXPECT_EQ(ink(c), QRect(5, 5, 5, 5));
    EXPECT_EQ(cc.ClipRect(), QRect(5, 5, 5, 5));
    cc.ClearClip();
    cc.FillRect(0, 0, 1, 1);
    EXPECT_EQ(c.pixel(0, 0), 0xFF000000u);

    QImage f = blank(10, 10);
    TCanvas cf(&f);
    cf.DrawFocusRect(1, 1, 9, 9);
    EXPECT_FALSE(ink(f).isNull());
    EXPECT_EQ(f.pixel(5, 5), 0xFFFFFFFFu);
    cf.DrawFocusRect(1, 1, 9, 9); // the second call takes it away again
    EXPECT_TRUE(ink(f).isNull());
}

TEST(Canvas, StretchDrawAndOtherDevices)
{
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, 0xFFFF0000u);
    src.setPixel(1, 0, 0xFF00FF00u);
    src.setPixel(0, 1, 0xFF0000FFu);
    src.setPixel(1, 1, 0xFF000000u);
    QImage dst = blank(8, 8);
    {
        TCanvas cv(&dst);
        cv.StretchDraw(QRect(2, 2, 4, 4), src);
    }
    EXPECT_EQ(dst.pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(dst.pixel(3, 3), 0xFFFF0000u);
    EXPECT_EQ(dst.pixel(4, 2), 0xFF00FF00u);
    EXPECT_EQ(dst.pixel(5, 5), 0xFF000000u);
    EXPECT_EQ(dst.pixel(6, 6), 0xFFFFFFFFu);

    // The same calls recorded on a picture and replayed onto an image.
    QPicture pic;
    {
        TCanvas cv(&pic);
        cv.Brush.Color = clRed;
        cv.FillRect(1, 1, 4, 4);
    }
    QImage out = blank(6, 6);
    {
        QPainter painter(&out);
        TCanvas cv(&painter); // a canvas over a painter the caller keeps
        painter.drawPicture(0, 0, pic);
        cv.Pen.Color = clBlue;
        cv.MoveTo(0, 5);
        cv.LineTo(6, 5);
    }
    EXPECT_EQ(out.pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(out.pixel(5, 5), 0xFF0000FFu);
}

TEST(Canvas, SystemColours)
{
    const QColor button = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(ColorToQColor(clBtnFace), button);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(GetSysColor(99), 0);
}

namespace
{

int largestChannelDifference(const QImage& a, const QImage& b)
{
    int m = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            m = std::max(
                {m, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return m;
}

} // namespace

TEST(Canvas, CachedTextMatchesTextOutInEveryAlignment)
{
    const QPoint halo[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const unsigned aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_TOP, TA_RIGHT | TA_BASELINE, TA_LEFT | TA_BOTTOM};
    const unsigned styles[] = {0, fsBold, fsItalic, fsUnderline};
    // A character height, and a cell height whose font's rounded ascent and descent add up
    // to one more than the cell.
    const int heights[] = {-17, 40};
    LeereTextsatzCache();
    for (int height : heights)
        for (unsigned align : aligns)
            for (unsigned style : styles)
                for (bool withHalo : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "height " << height << " align " << align << " style " << style
                                                    << " halo " << withHalo);
                    QImage img[2];
                    for (int k = 0; k < 2; ++k) {
                        img[k] = QImage(320, 100, QImage::Format_RGB32);
                        img[k].fill(QColor(90, 140, 70));
                        QPainter p(&img[k]);
                        TCanvas c(&p);
                        c.Font.Height = height;
                        c.Font.Style = style;
                        c.Font.Color = clNavy;
                        c.Brush.Style = bsClear;
                        c.SetTextAlign(align);
                        const std::span<const QPoint> rand =
                            withHalo ? std::span<const QPoint>(halo) : std::span<const QPoint>();
                        if (k == 0)
                            c.TextOut(160, 50, QStringLiteral("Äpfel/Wüg"), rand, clWhite);
                        else
                            GesetzterTextOut(c, 160, 50, QStringLiteral("Äpfel/Wüg"), rand, clWhite);
                        EXPECT_EQ(GesetzteTextbreite(c, QStringLiteral("Äpfel/Wüg")),
                                  c.TextWidth(QStringLiteral("Äpfel/Wüg")));
                    }
                    // Underlined text is drawn by TextOut itself; the rest differs by rounding only.
                    if (style == fsUnderline)
                        EXPECT_EQ(img[1], img[0]);
                    else
                        EXPECT_LE(largestChannelDifference(img[0], img[1]), 2);
                    QImage ground(320, 100, QImage::Format_RGB32);
                    ground.fill(QColor(90, 140, 70));
                    EXPECT_GT(largestChannelDifference(img[1], ground), 100); // the text is there
                }
}

TEST(Canvas, CachedTextLeavesRecordingTargetsToTextOut)
{
    QImage img = blank(40, 20);
    QPainter pi(&img);
    TCanvas onImage(&pi);
    EXPECT_TRUE(GesetzterTextMoeglich(onImage));
    onImage.Font.Orientation = 900;
    EXPECT_FALSE(GesetzterTextMoeglich(onImage));
    pi.end();

    QPicture pic;
    QPainter pp(&pic);
    TCanvas onPicture(&pp);
    EXPECT_FALSE(GesetzterTextMoeglich(onPicture));
    GesetzterTextOut(onPicture, 5, 5, QStringLiteral("Köln"));
    pp.end();
    EXPECT_GT(pic.size(), 0u);
}
