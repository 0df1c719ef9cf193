#include "controls/Buttons2.h"

#include "PixelHilfen.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::Bild;
using test::Huelle;
using test::Q;

// A button with a plain blue fill and white caption, where only the caption and
// its shadow differ from the fill.
struct Knopf : ::testing::Test {
    TBitBtn2 b;
    Knopf()
    {
        b.resize(120, 30);
        b.SetColor(clBlue);
        b.SetFontColor(clWhite);
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(10);
        b.setFont(f);
    }
    QRect Innen() const { return QRect(2, 2, b.width() - 4, b.height() - 4); }
};

TEST(Buttons2Regeln, NumGlyphsAndGlyphIndex)
{
    EXPECT_EQ(BegrenzeNumGlyphs(6), 4);
    EXPECT_EQ(BegrenzeNumGlyphs(0), 1);
    EXPECT_EQ(BegrenzeNumGlyphs(-5), 1);
    EXPECT_EQ(BegrenzeNumGlyphs(3), 3);
    EXPECT_EQ(GlyphIndex(GlyphZustand::Gesperrt, 1), 0);
    EXPECT_EQ(GlyphIndex(GlyphZustand::Gesperrt, 2), 1);
    EXPECT_EQ(GlyphIndex(GlyphZustand::Unten, 2), 0);
    EXPECT_EQ(GlyphIndex(GlyphZustand::Unten, 3), 2);
    EXPECT_EQ(GlyphIndex(GlyphZustand::Unten, 0), 0);
}

TEST(Buttons2Regeln, FontShrinksOnePointPerStepDownToOne)
{
    std::vector<int> gemessen;
    auto mass = [&](int pt) {
        gemessen.push_back(pt);
        return pt * 10;
    };
    EXPECT_EQ(PasseSchriftAn(8, 45, mass), 4);
    EXPECT_EQ(gemessen, (std::vector<int>{8, 7, 6, 5, 4}));
    EXPECT_EQ(PasseSchriftAn(8, 0, mass), 1);
    EXPECT_EQ(PasseSchriftAn(8, 1000, mass), 8);
}

TEST(Buttons2Regeln, KindsGiveTheirModalResults)
{
    const std::pair<TBitBtnKind, int> tabelle[] = {
        {bkCustom, 0}, {bkOK, 1}, {bkCancel, 2}, {bkHelp, 0}, {bkYes, 6}, {bkNo, 7},
        {bkClose, 0}, {bkAbort, 3}, {bkRetry, 4}, {bkIgnore, 5}, {bkAll, 8}};
    for (auto [kind, mr] : tabelle) {
        TBitBtn2 b;
        b.SetKind(kind);
        EXPECT_EQ(b.ModalResult(), mr) << kind;
        EXPECT_EQ(b.Kind(), kind) << kind;
        EXPECT_EQ(b.Default(), kind == bkOK || kind == bkYes) << kind;
        EXPECT_EQ(b.Cancel(), kind == bkCancel || kind == bkNo) << kind;
        if (kind != bkCustom) {
            EXPECT_EQ(b.NumGlyphs(), 2);
            EXPECT_FALSE(b.Glyph().isNull());
        }
    }
}

TEST(Buttons2Regeln, KindReadsCustomOnceAPropertyNoLongerMatches)
{
    TBitBtn2 b;
    b.SetCaption(QStringLiteral("&Weiter"));
    b.SetKind(bkOK);
    EXPECT_EQ(b.Caption(), QStringLiteral("&Weiter"));
    b.SetModalResult(mrCancel);
    EXPECT_EQ(b.Kind(), bkCustom);
    b.SetKind(bkCancel);
    b.SetDefault(true);
    EXPECT_EQ(b.Kind(), bkCustom);
    b.SetKind(bkYes);
    b.SetGlyph(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_EQ(b.Kind(), bkCustom);
}

TEST(Buttons2Regeln, PropertyLimits)
{
    TBitBtn2 b;
    b.SetNumGlyphs(6);
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetMargin(5);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), 5);
    b.SetMargin(-1);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Shadow(), 1);
    EXPECT_EQ(b.Style3D(), 2);
    EXPECT_EQ(b.SelColor(), clWhite);
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.GlyphTransparentColor(), clOlive);
}

TEST_F(Knopf, UpStateIsTheFrameFilledWithColor)
{
    const QImage img = Bild(b);
    EXPECT_EQ(img.pixelColor(0, 0), Q(clBtnHighlight, b));
    EXPECT_EQ(img.pixelColor(b.width() - 1, b.height() - 1), Q(Sysfarbe::DunklerSchatten3D, b));
    // The inner edge is covered by the fill.
    EXPECT_EQ(img.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(b.width() - 2, b.height() - 2), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(60, 15), QColor(0, 0, 255));
}

TEST_F(Knopf, DownStateIsAShadowRectangle)
{
    b.setDown(true);
    const QImage img = Bild(b);
    EXPECT_EQ(img.pixelColor(1, 1), Q(clBtnShadow, b));
    EXPECT_EQ(img.pixelColor(b.width() - 2, 5), Q(clBtnShadow, b));
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0, 0, 255));
}

TEST_F(Knopf, ShadowZeroDrawsTheCaptionOnce)
{
    b.SetShadow(0);
    b.SetCaption(QStringLiteral("OK"));
    const QImage img = Bild(b);
    EXPECT_FALSE(Huelle(img, Qt::white, Innen()).isEmpty());
    EXPECT_TRUE(Huelle(img, Qt::black, Innen()).isEmpty());
}

TEST_F(Knopf, ShadowTwoLiesTwoPixelsRightAndBelow)
{
    b.SetShadow(2);
    b.SetCaption(QStringLiteral("OK"));
    const QImage img = Bild(b);
    const QRect text = Huelle(img, Qt::white, Innen());
    const QRect schatten = Huelle(img, Qt::black, Innen());
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(schatten.isEmpty());
    // The shadow's right and bottom edges show fully beside the text.
    EXPECT_EQ(schatten.right(), text.right() + 2);
    EXPECT_EQ(schatten.bottom(), text.bottom() + 2);
}

TEST_F(Knopf, DisabledCaptionIsGreyWithAWhiteCopy)
{
    b.SetShadow(3);
    b.SetCaption(QStringLiteral("Abbrechen"));
    b.setEnabled(false);
    const QImage img = Bild(b);
    const QRect grau = Huelle(img, QColor(0x80, 0x80, 0x80), Innen());
    const QRect weiss = Huelle(img, Qt::white, Innen());
    ASSERT_FALSE(grau.isEmpty());
    ASSERT_FALSE(weiss.isEmpty());
    EXPECT_EQ(weiss.right(), grau.right() + 1);
    EXPECT_EQ(weiss.bottom(), grau.bottom() + 1);
    EXPECT_TRUE(Huelle(img, Qt::black, Innen()).isEmpty());
}

TEST_F(Knopf, PressedCaptionMovesOneRightAndDown)
{
    b.SetShadow(0);
    b.SetCaption(QStringLiteral("Los"));
    const QRect oben = Huelle(Bild(b), Qt::white, Innen());
    b.setDown(true);
    const QRect unten = Huelle(Bild(b), Qt::white, Innen());
    ASSERT_FALSE(oben.isEmpty());
    EXPECT_EQ(unten, oben.translated(1, 1));
}

TEST_F(Knopf, TooWideCaptionIsDrawnSmallerAndTheFontStays)
{
    b.SetShadow(0);
    b.resize(60, 30);
    b.SetCaption(QStringLiteral("Eine viel zu lange Beschriftung"));
    const QImage img = Bild(b);
    const QRect text = Huelle(img, Qt::white, Innen());
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 2);
    EXPECT_LE(text.right(), b.width() - 3);
    EXPECT_EQ(b.font().pointSize(), 10);
}

TEST_F(Knopf, GlyphStatesFromTheStrip)
{
    QImage strip(20, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    {
        QPainter p(&strip);
        p.fillRect(10, 0, 10, 10, Qt::green);
    }
    strip.setPixelColor(0, 9, QColor(0x80, 0x80, 0)); // the transparent colour
    b.SetGlyph(strip);
    b.SetNumGlyphs(2);
    QImage img = Bild(b);
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(11, 11), QColor(Qt::red));
    b.setEnabled(false);
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::green));
    b.setEnabled(true);
    b.setDown(true); // fewer than 3 images: the up image, moved by one
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0, 0, 255));
    b.setDown(false);
    b.SetStyle3D(1);
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::red));
    b.SetStyle3D(2);
    b.SetMargin(10);
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(11, 2), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(12, 2), QColor(Qt::red));
}

TEST_F(Knopf, CheckedGlyphIsBlendedWithSelColorAndTransparentTakesTheFace)
{
    QImage strip(10, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    strip.setPixelColor(0, 9, QColor(0x80, 0x80, 0)); // bottom left: the transparent colour
    strip.setPixelColor(5, 5, QColor(0x80, 0x80, 0));
    b.SetGlyph(strip);
    EXPECT_EQ(b.GlyphTransparentColor(), clOlive);
    QImage img = Bild(b);
    EXPECT_EQ(img.pixelColor(7, 7), QColor(0x80, 0x80, 0)); // copied without mask
    b.SetTransparent(true);
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(7, 7), Q(clBtnFace, b));
    b.SetTransparent(false);
    b.SetChecked(true);
    img = Bild(b);
    EXPECT_EQ(img.pixelColor(3, 3), QColor(255, 127, 127));
}

TEST_F(Knopf, SettingTheSameColorStillRepaints)
{
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    QCoreApplication::processEvents();
    struct Zaehler : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } zaehler;
    b.installEventFilter(&zaehler);
    b.SetColor(b.Color());
    QTRY_COMPARE(zaehler.n, 1);
    b.SetShadow(b.Shadow()); // other properties repaint only on a change
    QTest::qWait(20);
    EXPECT_EQ(zaehler.n, 1);
}

// ---- behaviour in a dialog -----------------------------------------------------------

struct Dialog : ::testing::Test {
    QDialog d;
    TBitBtn2* ok = new TBitBtn2(&d);
    TBitBtn2* abbrechen = new TBitBtn2(&d);
    QLineEdit* edit = new QLineEdit(&d);
    int klicksOk = 0;
    int klicksAbbrechen = 0;
    Dialog()
    {
        ok->SetCaption(QStringLiteral("OK"));
        ok->SetKind(bkOK);
        abbrechen->SetCaption(QStringLiteral("Abbrechen"));
        abbrechen->SetKind(bkCancel);
        ok->move(0, 0);
        abbrechen->move(0, 40);
        edit->move(0, 80);
        QObject::connect(ok, &TBitBtn2::OnClick, [this] { ++klicksOk; });
        QObject::connect(abbrechen, &TBitBtn2::OnClick, [this] { ++klicksAbbrechen; });
    }
    // Runs the dialog modally while `tun` acts on it; never blocks for long.
    int Ausfuehren(std::function<void()> tun)
    {
        QTimer::singleShot(0, &d, [this, tun] {
            d.activateWindow();
            tun();
        });
        QTimer::singleShot(3000, &d, [this] { d.done(-1); });
        return d.exec();
    }
};

TEST_F(Dialog, ClickClosesWithTheModalResult)
{
    EXPECT_EQ(Ausfuehren([this] { ok->click(); }), mrOk);
    EXPECT_EQ(klicksOk, 1);
    EXPECT_EQ(Ausfuehren([this] { abbrechen->click(); }), mrCancel);
    ok->SetModalResult(mrAll);
    EXPECT_EQ(Ausfuehren([this] { ok->click(); }), mrAll);
}

TEST_F(Dialog, OnClickMayKeepTheDialogOpen)
{
    QObject::connect(ok, &TBitBtn2::OnClick, [this] { SetFormModalResult(&d, mrNone); });
    d.show();
    ok->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(klicksOk, 1);
}

TEST_F(Dialog, KeysClickTheButtons)
{
    // Return on the focused button, Escape for the Cancel button, Return in an
    // edit for the Default button.
    EXPECT_EQ(Ausfuehren([this] {
                  abbrechen->setFocus();
                  QTest::keyClick(abbrechen, Qt::Key_Return);
              }),
              mrCancel);
    EXPECT_EQ(Ausfuehren([this] {
                  edit->setFocus();
                  QTest::keyClick(edit, Qt::Key_Escape);
              }),
              mrCancel);
    EXPECT_EQ(Ausfuehren([this] {
                  edit->setFocus();
                  QTest::keyClick(edit, Qt::Key_Return);
              }),
              mrOk);
    EXPECT_EQ(klicksAbbrechen, 2);
    EXPECT_EQ(klicksOk, 1);
}

TEST_F(Dialog, ReturnWithShiftDoesNotClickAndFocusSetsActive)
{
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    abbrechen->setFocus();
    EXPECT_TRUE(abbrechen->IsActive());
    QTest::keyClick(abbrechen, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(klicksAbbrechen, 0);
    EXPECT_TRUE(d.isVisible());
    edit->setFocus();
    EXPECT_FALSE(abbrechen->IsActive());
}

TEST_F(Dialog, CloseKindClosesTheWindowWithoutOnClick)
{
    ok->SetKind(bkClose);
    d.show();
    ok->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(klicksOk, 0);
}

TEST_F(Dialog, MouseClickAndDoubleClick)
{
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    QObject::connect(ok, &TBitBtn2::OnClick, [this] { SetFormModalResult(&d, mrNone); });
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(klicksOk, 1);
    // A double click as the window system sends it: press, release, double-click
    // press, release. The second press clicks again.
    const QPointF pos(5, 5);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                           QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, pos, ok->mapToGlobal(pos), Qt::LeftButton,
                      t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ok, &e);
    }
    EXPECT_EQ(klicksOk, 3);
}

} // namespace
} // namespace zl
