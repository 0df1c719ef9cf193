#include "controls/NumEd.h"
#include "controls/ShadLab.h"
#include "controls/StringGrid2.h"

#include "PixelHilfen.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::Bild;
using test::Huelle;

// ---- TShadowLabel ---------------------------------------------------------------

struct Label : ::testing::Test {
    TShadowLabel l;
    Label()
    {
        l.SetAutoSize(false);
        l.resize(200, 60);
        l.SetColor(clBlue);
        l.SetFontColor(clYellow);
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(10);
        l.setFont(f);
    }
};

TEST(ShadowLabelRegeln, BarsBecomeLineBreaks)
{
    EXPECT_EQ(ShadowLabelText(QStringLiteral("Oben|Unten|")), QStringLiteral("Oben\r\nUnten\r\n"));
    TShadowLabel l;
    EXPECT_EQ(l.Caption(), QStringLiteral("ShadowLabel"));
    EXPECT_EQ(l.Shadow(), 1);
    EXPECT_EQ(l.ShadowColor(), clBlack);
    EXPECT_EQ(l.size(), QSize(120, 30));
}

TEST_F(Label, TwoPartsShowTwoLines)
{
    l.SetShadow(0);
    l.SetCaption(QStringLiteral("Oben|Unten"));
    const QImage img = Bild(l);
    // Rows with text pixels form two bands with an empty gap between them.
    std::vector<bool> zeile(size_t(img.height()), false);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == QColor(255, 255, 0))
                zeile[size_t(y)] = true;
    int baender = 0;
    for (size_t y = 0; y < zeile.size(); ++y)
        if (zeile[y] && (y == 0 || !zeile[y - 1]))
            ++baender;
    EXPECT_EQ(baender, 2);
}

TEST_F(Label, ShadowLiesRightAndBelowInItsColour)
{
    l.SetCaption(QStringLiteral("Frage"));
    l.SetShadow(2);
    l.SetShadowColor(clWhite);
    const QImage img = Bild(l);
    const QRect text = Huelle(img, QColor(255, 255, 0));
    const QRect schatten = Huelle(img, Qt::white);
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(schatten.isEmpty());
    EXPECT_EQ(schatten.right(), text.right() + 2);
    EXPECT_EQ(schatten.bottom(), text.bottom() + 2);
    l.SetShadow(0);
    EXPECT_TRUE(Huelle(Bild(l), Qt::white).isEmpty());
}

TEST_F(Label, TransparentLeavesTheBackground)
{
    l.SetCaption(QString());
    EXPECT_EQ(Bild(l).pixelColor(5, 5), QColor(0, 0, 255));
    l.SetTransparent(true);
    EXPECT_NE(Bild(l).pixelColor(5, 5), QColor(0, 0, 255));
}

TEST_F(Label, FittingShrinksToSevenPointsThenCutsWords)
{
    l.resize(120, 18);
    l.SetCaption(QStringLiteral("Wie heißt die Hauptstadt dieses Landes im Norden Europas?"));
    Bild(l);
    EXPECT_EQ(l.LetzteEinpassung().punkte, 7);
    EXPECT_TRUE(l.LetzteEinpassung().text.endsWith(QStringLiteral(" ...")));
    l.SetAutoSize(true); // no fitting: the label takes its text's size
    Bild(l);
    EXPECT_EQ(l.LetzteEinpassung().punkte, 10);
    EXPECT_GT(l.width(), 120);
}

TEST_F(Label, LayoutPlacesTheText)
{
    l.SetShadow(0);
    l.SetCaption(QStringLiteral("Mitte"));
    l.SetLayout(tlTop);
    const QRect oben = Huelle(Bild(l), QColor(255, 255, 0));
    l.SetLayout(tlBottom);
    const QRect unten = Huelle(Bild(l), QColor(255, 255, 0));
    l.SetLayout(tlCenter);
    const QRect mitte = Huelle(Bild(l), QColor(255, 255, 0));
    EXPECT_LT(oben.top(), mitte.top());
    EXPECT_LT(mitte.top(), unten.top());
    EXPECT_GE(unten.bottom(), 50);
}

// ---- number edits -------------------------------------------------------------------

// German number format for the decimal edits, restored afterwards.
struct Deutsch : ::testing::Test {
    QLocale vorher;
    Deutsch() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~Deutsch() override { QLocale::setDefault(vorher); }
};

TEST(NumEdRegeln, DecimalValues)
{
    const std::pair<const char*, double> tabelle[] = {
        {"2.5", 2.5}, {"2,45", 2.45}, {"-1,5", -1.5}, {"+3", 3.0}, {"1e3", 1000.0}, {",5", 0.5},
        {"1.234,5", 0.0}, {"abc", 0.0}, {"", 0.0}, {"1 000", 0.0}, {"inf", 0.0}, {"--1", 0.0},
        {"1e999", 0.0}, {"-", 0.0}};
    for (auto [text, wert] : tabelle)
        EXPECT_DOUBLE_EQ(NumEditQWert(QString::fromLatin1(text)), wert) << text;
}

TEST(NumEdRegeln, KeyFiltersAndClamping)
{
    for (QChar c : QStringLiteral("0123456789,-.\b"))
        EXPECT_TRUE(NumEditQNimmtZeichen(c)) << int(c.unicode());
    for (QChar c : QStringLiteral("a E+"))
        EXPECT_FALSE(NumEditQNimmtZeichen(c)) << int(c.unicode());
    EXPECT_TRUE(NumEditZNimmtZeichen(u'7'));
    EXPECT_TRUE(NumEditZNimmtZeichen(u'-'));
    EXPECT_FALSE(NumEditZNimmtZeichen(u','));
    EXPECT_FALSE(NumEditZNimmtZeichen(u'.'));
    EXPECT_EQ(NumEditZBegrenze(45, 1, 30), 30);
    EXPECT_EQ(NumEditZBegrenze(-3, 1, 30), 1);
    EXPECT_EQ(NumEditZBegrenze(12, 1, 30), 12);
    EXPECT_EQ(NumEditZBegrenze(12, 50, 10), 50); // inconsistent limits: one pass, no recursion
}

TEST_F(Deutsch, DecimalEditNormalisesOnExit)
{
    TNumEditQ e;
    EXPECT_EQ(e.text(), QStringLiteral("0,0"));
    const std::pair<const char*, const char*> tabelle[] = {
        {"2.5", "2,5"}, {"2,45", "2,5"}, {"1.234,5", "0,0"}, {"7", "7,0"}};
    for (auto [eingabe, ergebnis] : tabelle) {
        e.setText(QString::fromLatin1(eingabe));
        e.DoExit();
        EXPECT_EQ(e.text(), QString::fromLatin1(ergebnis)) << eingabe;
    }
    e.SetNkst(3);
    EXPECT_EQ(e.text(), QStringLiteral("7,0")); // Nkst does not reformat
    e.SetValue(1.0 / 3.0);
    EXPECT_EQ(e.text(), QStringLiteral("0,333"));
}

TEST_F(Deutsch, TypedKeysAreFilteredPasteIsNot)
{
    QWidget fenster;
    auto* layout = new QVBoxLayout(&fenster);
    auto* q = new TNumEditQ(&fenster);
    auto* z = new TNumEditZ(&fenster);
    auto* anderes = new QLineEdit(&fenster);
    layout->addWidget(q);
    layout->addWidget(z);
    layout->addWidget(anderes);
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    int exits = 0;
    QObject::connect(q, &TEdit2::OnExit, [&] { ++exits; });

    q->setFocus();
    q->clear();
    QTest::keyClicks(q, QStringLiteral("2a .b5x"));
    EXPECT_EQ(q->text(), QStringLiteral("2.5"));
    anderes->setFocus(); // leaving the field normalises it
    EXPECT_EQ(q->text(), QStringLiteral("2,5"));
    EXPECT_EQ(exits, 1);

    z->setFocus();
    z->clear();
    QTest::keyClicks(z, QStringLiteral("-1,2.3 x"));
    EXPECT_EQ(z->text(), QStringLiteral("-123"));

    QGuiApplication::clipboard()->setText(QStringLiteral("zwölf"));
    q->setFocus();
    q->clear();
    q->paste();
    EXPECT_EQ(q->text(), QStringLiteral("zwölf"));
    anderes->setFocus();
    EXPECT_EQ(q->text(), QStringLiteral("0,0"));
}

TEST(NumEditZ, LimitsOnExit)
{
    TNumEditZ e;
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    EXPECT_EQ(e.MinValue(), 0);
    EXPECT_EQ(e.MaxValue(), 2147483647);
    e.SetMinValue(1);
    EXPECT_EQ(e.text(), QStringLiteral("0")); // limits do not clamp the text
    e.SetMaxValue(30);
    const std::pair<const char*, const char*> tabelle[] = {
        {"45", "30"}, {"-3", "1"}, {"", "1"}, {"17", "17"}, {"1-2", "1"}, {"99999999999", "30"},
        {"zwölf", "1"}};
    for (auto [eingabe, ergebnis] : tabelle) {
        e.setText(QString::fromUtf8(eingabe));
        e.DoExit();
        EXPECT_EQ(e.text(), QString::fromLatin1(ergebnis)) << eingabe;
    }
    e.SetValue(100);
    EXPECT_EQ(e.text(), QStringLiteral("30"));
    EXPECT_EQ(e.GetValue(), 30);
}

TEST(NumEditZ, MinAboveMaxEndsWithoutRecursion)
{
    TNumEditZ e;
    e.SetMinValue(50);
    e.SetMaxValue(10);
    e.SetValue(20);
    EXPECT_EQ(e.text(), QStringLiteral("50"));
    e.setText(QStringLiteral("5"));
    e.DoExit();
    EXPECT_EQ(e.text(), QStringLiteral("50"));
}

// ---- TStringGrid2 ---------------------------------------------------------------------

TEST(StringGrid2, ColumnAlignments)
{
    TStringGrid2 g;
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.GetColAlign(2), 0); // never set
    g.SetColAlign(2, 2);
    EXPECT_EQ(g.GetColAlign(2), 2);
    EXPECT_EQ(g.GetColAlign(1), 0);
    EXPECT_EQ(g.GetColAlign(5), 0);
    EXPECT_EQ(g.GetColAlign(-1), 0);
    try {
        g.SetColAlign(5, 1);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Gitterindex außerhalb des zulässigen Bereichs"));
    }
    EXPECT_THROW(g.SetColAlign(-1, 1), EInvalidGridOperation);
    // A column added later takes an alignment as well.
    g.SetColCount(7);
    EXPECT_EQ(g.GetColAlign(6), 0);
    EXPECT_NO_THROW(g.SetColAlign(6, 1));
    EXPECT_EQ(g.GetColAlign(6), 1);
    EXPECT_EQ(g.GetColAlign(2), 2);
    // Fewer columns: the dropped ones read 0.
    g.SetColCount(2);
    EXPECT_EQ(g.GetColAlign(6), 0);
}

TEST(StringGrid2, TextPositions)
{
    EXPECT_EQ(ZellTextX(0, 10, 74), 12);
    EXPECT_EQ(ZellTextX(1, 10, 74), 42);
    EXPECT_EQ(ZellTextX(2, 10, 74), 72);
}

TEST(StringGrid2, BodyCellsAlignedFixedRowLeft)
{
    TStringGrid2 g;
    g.resize(420, 100);
    g.SetColWidths(2, 100);
    g.SetColAlign(2, 2);
    g.SetColAlign(3, 1);
    g.SetCells(2, 0, QStringLiteral("Kopf"));
    g.SetCells(2, 1, QStringLiteral("123"));
    g.SetCells(3, 1, QStringLiteral("mm"));
    g.SetCells(9, 9, QStringLiteral("nirgends")); // no such cell: ignored
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("123"));
    EXPECT_EQ(g.Cells(9, 9), QString());
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QWidget* vp = g.viewport();
    const QImage img = Bild(*vp);
    const QRect kopfZelle = g.visualRect(g.model()->index(0, 2));
    const QRect zelle = g.visualRect(g.model()->index(1, 2));
    const QRect mitte = g.visualRect(g.model()->index(1, 3));
    const QColor schrift = test::Q(clWindowText, g);
    const QRect kopfText = Huelle(img, schrift, kopfZelle);
    const QRect text = Huelle(img, schrift, zelle);
    const QRect mitteText = Huelle(img, schrift, mitte);
    ASSERT_FALSE(kopfText.isEmpty());
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LE(kopfText.left() - kopfZelle.left(), 4); // left + 2 (and the glyph's bearing)
    EXPECT_GE(zelle.right() - text.right(), 2);
    EXPECT_LE(zelle.right() - text.right(), 5);
    const int mitteX = (mitte.left() + mitte.left() + mitte.width()) / 2;
    EXPECT_LE(std::abs((mitteText.left() + mitteText.right()) / 2 - mitteX), 2);
    // Fixed cells take the fixed colour.
    EXPECT_EQ(img.pixelColor(kopfZelle.right() - 1, kopfZelle.bottom() - 1), test::Q(clBtnFace, g));
}

} // namespace
} // namespace zl
