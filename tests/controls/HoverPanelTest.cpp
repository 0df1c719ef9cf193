#include "controls/HoverPanel.h"

#include "controls/Dspez.h"
#include "PixelHilfen.h"

#include <QTest>

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::Bild;
using test::Huelle;
using test::Q;

// Measures as if every character were `pt` pixels wide and one line `pt` high;
// words (split at blanks) each take a line when `umbruch`.
TextMessung FesteMessung(bool umbruch)
{
    return [umbruch](const QString& t, int pt) {
        if (!umbruch)
            return QSize(int(t.size()) * pt, pt);
        const QStringList woerter = t.split(u' ', Qt::SkipEmptyParts);
        int breit = 0;
        for (const QString& w : woerter)
            breit = std::max(breit, int(w.size()));
        return QSize(breit * pt, std::max<int>(1, int(woerter.size())) * pt);
    };
}

TEST(HoverPanelEinpassung, ShrinksToTheMinimumSize)
{
    const auto e = PasseTextEin(QStringLiteral("Abcdefghij"), 10, 7, {80, 20}, true, FesteMessung(false));
    EXPECT_EQ(e.text, QStringLiteral("Abcdefghij"));
    EXPECT_EQ(e.punkte, 8);
}

TEST(HoverPanelEinpassung, BreaksAfterAHyphenWhenThatFits)
{
    // 19 characters are too wide even at 7 points; after the hyphen break each
    // part fits on its own line at the panel's own size.
    const auto e = PasseTextEin(QStringLiteral("Nordrhein-Westfalen"), 8, 7, {100, 40}, true,
                                FesteMessung(true));
    EXPECT_EQ(e.text, QStringLiteral("Nordrhein- Westfalen"));
    EXPECT_EQ(e.punkte, 8);
}

TEST(HoverPanelEinpassung, CutsWordsWithAnEllipsis)
{
    const QString drei = QStringLiteral("Aaaaaaaaaa Bbbbbbbbbb Cccccccccc");
    auto e = PasseTextEin(drei, 8, 7, {100, 10}, true, FesteMessung(false));
    EXPECT_EQ(e.text, QStringLiteral("Aaaaaaaaaa ..."));
    EXPECT_EQ(e.punkte, 7);
    e = PasseTextEin(drei, 8, 7, {30, 10}, true, FesteMessung(false));
    EXPECT_EQ(e.text, QStringLiteral("..."));
    // Nothing fits at all: "..." is the end, no endless loop.
    e = PasseTextEin(drei, 8, 7, {-5, -5}, true, FesteMessung(false));
    EXPECT_EQ(e.text, QStringLiteral("..."));
    // The label's rule has no hyphen step.
    e = PasseTextEin(QStringLiteral("Nordrhein-Westfalen"), 8, 7, {100, 40}, false, FesteMessung(true));
    EXPECT_EQ(e.text, QStringLiteral("..."));
}

TEST(HoverPanelEinpassung, MinFontSizeZeroStopsAtOnePoint)
{
    int kleinste = 100;
    auto e = PasseTextEin(QStringLiteral("X"), 8, 0, {0, 0}, true, [&](const QString&, int pt) {
        kleinste = std::min(kleinste, pt);
        return QSize(10, 10);
    });
    EXPECT_EQ(kleinste, 1);
    EXPECT_EQ(e.punkte, 1);
    e = PasseTextEin(QStringLiteral("X"), 8, -4, {0, 0}, true, FesteMessung(false));
    EXPECT_EQ(e.punkte, 1);
}

TEST(HoverPanelEinpassung, LinesBreakAtBlanksAndSoftHyphens)
{
    auto laenge = [](const QString& z) { return int(z.size()); };
    EXPECT_EQ(BrichTextUm(QStringLiteral("Nordrhein-Westfalen"), 10, true, laenge),
              QStringList{QStringLiteral("Nordrhein-Westfalen")});
    EXPECT_EQ(BrichTextUm(QStringLiteral("Nordrhein- Westfalen"), 10, true, laenge),
              (QStringList{QStringLiteral("Nordrhein-"), QStringLiteral("Westfalen")}));
    EXPECT_EQ(BrichTextUm(QStringLiteral("ab cd ef\r\ngh"), 5, true, laenge),
              (QStringList{QStringLiteral("ab cd"), QStringLiteral("ef"), QStringLiteral("gh")}));
    EXPECT_EQ(BrichTextUm(QStringLiteral("ab cd ef"), 5, false, laenge), QStringList{QStringLiteral("ab cd ef")});
    EXPECT_EQ(BrichTextUm(QString(), 5, true, laenge), QStringList{QString()});
    // A soft hyphen breaks a long word with a visible hyphen and vanishes where no break is.
    const QString Weich = QStringLiteral("Karten\u00ADauswahl");
    EXPECT_EQ(BrichTextUm(Weich, 8, true, laenge), (QStringList{QStringLiteral("Karten-"), QStringLiteral("auswahl")}));
    EXPECT_EQ(BrichTextUm(Weich, 20, true, laenge), QStringList{QStringLiteral("Kartenauswahl")});
    EXPECT_EQ(BrichTextUm(Weich, 8, false, laenge), QStringList{QStringLiteral("Kartenauswahl")});
    EXPECT_EQ(BrichTextUm(QStringLiteral("ab  cd"), 20, true, laenge), QStringList{QStringLiteral("ab  cd")});
}

TEST(HoverPanelEinpassung, VerticalPlacement)
{
    EXPECT_EQ(VertikalVersatz(tlTop, 40, 10), 0);
    EXPECT_EQ(VertikalVersatz(tlCenter, 41, 10), 15);
    EXPECT_EQ(VertikalVersatz(tlBottom, 40, 10), 30);
    EXPECT_EQ(VertikalVersatz(tlBottom, 5, 10), 0);
}

TEST(Padding, AssignCopiesEverySideAndNotifies)
{
    int meldungen = 0;
    TPadding a([&] { ++meldungen; });
    TPadding b;
    b.SetLeft(1);
    b.SetTop(2);
    b.SetRight(3);
    b.SetBottom(4);
    a.Assign(b);
    EXPECT_EQ(a.Left(), 1);
    EXPECT_EQ(a.Top(), 2);
    EXPECT_EQ(a.Right(), 3);
    EXPECT_EQ(a.Bottom(), 4);
    EXPECT_EQ(meldungen, 1);
    a.SetSide(2, 3); // unchanged: no notification
    EXPECT_EQ(meldungen, 1);
    a.SetSide(9, 3);
    EXPECT_EQ(a.Side(9), 0);
}

struct Panel : ::testing::Test {
    THoverPanel p;
    Panel()
    {
        p.resize(100, 40);
        p.SetBevelOuter(bvNone);
    }
};

TEST_F(Panel, NewPanelColours)
{
    EXPECT_EQ(p.HoverColor(), clYellow);
    EXPECT_EQ(p.CheckColor(), clWhite);
    EXPECT_EQ(p.NormColor(), clBtnFace);
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_EQ(p.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(p.MinFontSize(), 7);
}

TEST_F(Panel, SetColorsMixesTheHoverColour)
{
    p.SetColors(clBlack, -1, clWhite);
    EXPECT_EQ(p.HoverColor(), RGBFarbe(26, 26, 26));
    // A system colour is mixed as its RGB value, not as its index bytes.
    p.SetColors(clBtnFace, -1, clWhite);
    EXPECT_EQ(p.HoverColor(), MischeFarben(ColorToRGB(clBtnFace, p.palette()), clWhite, 0.1));
    EXPECT_FALSE(IstSystemfarbe(p.HoverColor()));
    EXPECT_EQ(p.Color(), clBtnFace);
}

TEST_F(Panel, HoverColourIsDrawnAndLeavingRestores)
{
    p.SetColors(clRed, clLime, clBlue);
    int herein = 0, hinaus = 0;
    QObject::connect(&p, &THoverPanel::OnMouseEnter, [&] { ++herein; });
    QObject::connect(&p, &THoverPanel::OnMouseLeave, [&] { ++hinaus; });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&p, &enter);
    EXPECT_TRUE(p.MouseInside());
    EXPECT_EQ(Bild(p).pixelColor(50, 3), QColor(0, 255, 0));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&p, &leave);
    EXPECT_EQ(Bild(p).pixelColor(50, 3), QColor(255, 0, 0));
    p.SetChecked(true);
    EXPECT_EQ(Bild(p).pixelColor(50, 20), QColor(0, 0, 255));
    EXPECT_EQ(herein, 1);
    EXPECT_EQ(hinaus, 1);
}

TEST_F(Panel, HoverInactiveKeepsTheColourButLeavingStillSetsIt)
{
    p.SetColors(clRed, clLime, clBlue);
    p.SetHoverActive(false);
    p.MausHerein();
    EXPECT_EQ(p.Color(), clRed);
    EXPECT_FALSE(p.MouseInside());
    p.SetColor(clYellow); // someone painted it over
    p.MausHinaus();
    EXPECT_EQ(p.Color(), clRed);
}

TEST_F(Panel, CheckedAppliesTheColourRuleEvenUnchanged)
{
    p.SetColors(clRed, clLime, clBlue);
    p.SetCheckFontColor(clWhite);
    p.SetCheckFontBold(true);
    p.SetColor(clYellow);
    p.SetChecked(false);
    EXPECT_EQ(p.Color(), clRed);
    p.SetChecked(true);
    EXPECT_EQ(p.Color(), clBlue);
    EXPECT_EQ(p.FontColor(), clWhite);
    EXPECT_TRUE(p.font().bold());
    p.SetChecked(false);
    EXPECT_EQ(p.FontColor(), clBlack);
    EXPECT_FALSE(p.font().bold());
}

TEST_F(Panel, CheckedHighlightLines)
{
    p.SetColors(clBlack, clLime, clBlue);
    p.SetBorderWidth(1);
    p.SetBorderColor(clRed);
    p.SetChecked(true);
    QImage img = Bild(p);
    EXPECT_EQ(img.pixelColor(50, 0), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(50, 1), QColor(0xE6, 0x8B, 0x2C));
    EXPECT_EQ(img.pixelColor(50, 2), QColor(0xFF, 0xC7, 0x3C));
    EXPECT_EQ(img.pixelColor(50, 3), QColor(0xFF, 0xC7, 0x3C));
    EXPECT_EQ(img.pixelColor(50, 4), QColor(0, 0, 255));
    p.SetXPCheck(false);
    p.update();
    img = Bild(p);
    const QColor halb = ZuQColor(MischeFarben(clBlack, clWhite, 0.5), p.palette());
    EXPECT_EQ(img.pixelColor(50, 1), halb);
    EXPECT_EQ(img.pixelColor(50, 2), halb);
    EXPECT_EQ(img.pixelColor(50, 3), QColor(0, 0, 255));
}

TEST_F(Panel, BorderAndRaisedBevel)
{
    p.SetColor(RGBFarbe(100, 100, 100));
    p.SetBorderWidth(2);
    p.SetBorderColor(clRed);
    p.SetBevelOuter(bvRaised);
    const QImage img = Bild(p);
    EXPECT_EQ(img.pixelColor(0, 20), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(1, 20), QColor(255, 0, 0));
    const TColor c = RGBFarbe(100, 100, 100);
    EXPECT_EQ(img.pixelColor(2, 20), Q(MischeFarben(clWhite, c, 0.2), p));
    EXPECT_EQ(img.pixelColor(97, 20), Q(MischeFarben(clBlack, c, 0.75), p));
    EXPECT_EQ(img.pixelColor(50, 20), QColor(100, 100, 100));
}

TEST_F(Panel, BitmapFace)
{
    QImage bild(120, 60, QImage::Format_RGB32);
    bild.fill(Qt::green);
    bild.setPixelColor(0, 0, Qt::red);
    p.SetColor(clBlue);
    p.SetBitmap(bild);
    QImage img = Bild(p);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(99, 39), QColor(Qt::green));
    p.SetBitmapLeft(50); // no longer covers: the rest is filled
    img = Bild(p);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(50, 0), QColor(Qt::red));
}

TEST_F(Panel, CaptionFittingOnlyWithFontAutoSize)
{
    p.SetCaption(QStringLiteral("Vereinigte Staaten von Amerika und noch viel mehr"));
    Bild(p);
    EXPECT_EQ(p.LetzteEinpassung().text, p.Caption());
    EXPECT_EQ(p.LetzteEinpassung().punkte, 8);
    p.SetFontAutoSize(true);
    Bild(p);
    EXPECT_TRUE(p.LetzteEinpassung().text.endsWith(QStringLiteral(" ...")));
    EXPECT_EQ(p.LetzteEinpassung().punkte, 7);
    // A hyphenated name that fits once broken.
    p.SetWordWrap(true);
    p.resize(70, 40);
    p.SetCaption(QStringLiteral("Baden-Württemberg"));
    Bild(p);
    EXPECT_EQ(p.LetzteEinpassung().text, QStringLiteral("Baden- Württemberg"));
}

TEST_F(Panel, PaddingLargerThanThePanelDrawsNoText)
{
    p.resize(20, 20);
    p.Padding().SetLeft(15);
    p.Padding().SetRight(15);
    p.Padding().SetTop(15);
    p.SetFontAutoSize(true);
    p.SetMinFontSize(0);
    p.SetCaption(QStringLiteral("Text"));
    p.SetColor(clBlue);
    const QImage img = Bild(p);
    EXPECT_EQ(test::Anzahl(img, QColor(0, 0, 255)), 400);
}

TEST_F(Panel, ClicksAndKeys)
{
    int klicks = 0;
    QObject::connect(&p, &THoverPanel::OnClick, [&] { ++klicks; });
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(klicks, 1);
    QTest::keyClick(&p, Qt::Key_Return); // no TabStop: keys do nothing
    EXPECT_EQ(klicks, 1);
    p.SetTabStop(true);
    p.activateWindow();
    p.setFocus();
    QTest::keyClick(&p, Qt::Key_Return);
    QTest::keyClick(&p, Qt::Key_Space);
    QTest::keyClick(&p, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(klicks, 3);
}

TEST(HoverShape, ReportsEnterAndLeave)
{
    THoverShape s;
    int herein = 0, hinaus = 0;
    QObject::connect(&s, &THoverShape::OnMouseEnter, [&] { ++herein; });
    QObject::connect(&s, &THoverShape::OnMouseLeave, [&] { ++hinaus; });
    EXPECT_FALSE(s.MouseInside());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&s, &enter);
    EXPECT_TRUE(s.MouseInside());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&s, &leave);
    EXPECT_FALSE(s.MouseInside());
    EXPECT_EQ(herein, 1);
    EXPECT_EQ(hinaus, 1);
}

TEST(HoverShape, DrawsItsFrame)
{
    THoverShape s;
    s.resize(30, 20);
    s.SetPen({clRed, 1, psSolid});
    s.SetBrush({clBlue, bsSolid});
    const QImage img = Bild(s);
    EXPECT_EQ(img.pixelColor(0, 10), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(29, 10), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(15, 19), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(15, 10), QColor(Qt::blue));
}

} // namespace
} // namespace zl
