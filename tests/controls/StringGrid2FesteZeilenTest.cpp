#include "controls/StringGrid2.h"

#include "PixelHilfen.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace zl
{
namespace
{

using test::Bild;
using test::Huelle;

// A grid of 40 rows with one or two fixed heading rows, 100 px high.
struct Gitter {
    explicit Gitter(int feste)
    {
        g.SetColCount(2);
        g.SetFixedCols(0);
        g.SetRowCount(40);
        g.SetFixedRows(feste);
        g.SetDefaultRowHeight(18);
        g.SetFixedColor(clYellow);
        g.SetColor(clWhite);
        for (int r = 0; r < 40; ++r)
            g.SetCells(0, r, r < feste ? QStringLiteral("Kopf") : QStringLiteral("Zeile %1").arg(r));
        g.resize(200, 100);
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
    }
    // The colour at a point of the grid as drawn with its fixed rows.
    QColor Farbe(int x, int y) { return Bild(g).pixelColor(x, y); }
    TStringGrid2 g;
};

class FesteZeilen : public ::testing::TestWithParam<int>
{
};

TEST_P(FesteZeilen, BleibenBeimRollenStehen)
{
    const int f = GetParam();
    Gitter t(f);
    TStringGrid2& g = t.g;
    const QPoint vp = g.viewport()->geometry().topLeft();
    EXPECT_EQ(g.FesteHoehe(), 18 * f);
    EXPECT_EQ(g.TopRow(), f);
    EXPECT_EQ(t.Farbe(vp.x() + 40, vp.y() + 5), QColor(Qt::yellow));

    g.verticalScrollBar()->setValue(10);
    QApplication::processEvents();
    // The heading stays at the top; the rows below it moved on.
    EXPECT_EQ(t.Farbe(vp.x() + 40, vp.y() + 5), QColor(Qt::yellow));
    EXPECT_EQ(t.Farbe(vp.x() + 40, vp.y() + 18 * f - 2), QColor(Qt::yellow));
    EXPECT_EQ(t.Farbe(vp.x() + 40, vp.y() + 18 * f + 4), QColor(Qt::white));
    EXPECT_EQ(g.TopRow(), 10 + f);
    const QImage img = Bild(g);
    EXPECT_FALSE(Huelle(img, test::Q(clWindowText, g), QRect(vp.x(), vp.y(), 190, 18 * f - 1)).isEmpty());

    // Moving up onto a row hidden under the heading scrolls it into view below it.
    g.setCurrentCell(10 + f - 1, 0);
    QApplication::processEvents();
    EXPECT_EQ(g.TopRow(), 10 + f - 1);
    EXPECT_GE(g.rowViewportPosition(10 + f - 1), g.FesteHoehe());
    // Scrolling back to the top shows the first body row again.
    g.verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    EXPECT_EQ(g.TopRow(), f);
}

INSTANTIATE_TEST_SUITE_P(Anzahl, FesteZeilen, ::testing::Values(1, 2));

TEST(FesteZeilen, OhneFesteZeileRolltAlles)
{
    Gitter t(0);
    t.g.verticalScrollBar()->setValue(5);
    QApplication::processEvents();
    EXPECT_EQ(t.g.TopRow(), 5);
    const QPoint vp = t.g.viewport()->geometry().topLeft();
    EXPECT_EQ(t.Farbe(vp.x() + 40, vp.y() + 5), QColor(Qt::white));
}

TEST(FesteZeilen, FolgenSpaltenbreiteUndInhalt)
{
    Gitter t(1);
    TStringGrid2& g = t.g;
    g.SetColWidths(0, 120);
    g.SetCells(0, 0, QStringLiteral("Neu"));
    g.verticalScrollBar()->setValue(12);
    QApplication::processEvents();
    const QPoint vp = g.viewport()->geometry().topLeft();
    // The heading's grid line moves with the column: yellow up to 120, then the next column.
    EXPECT_EQ(t.Farbe(vp.x() + 110, vp.y() + 9), QColor(Qt::yellow));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("Neu"));
    // Fewer rows than fixed rows: nothing is held.
    g.SetRowCount(0);
    QApplication::processEvents();
    EXPECT_EQ(g.TopRow(), 0);
}

} // namespace
} // namespace zl
