#pragma once

#include "controls/Exceptions.h"
#include "controls/Farben.h"

#include <QTableWidget>

class QTableView;

#include <vector>

namespace zl {

// A grid operation on a cell or column that does not exist.
class EInvalidGridOperation : public Exception {
public:
    EInvalidGridOperation() : Exception(QStringLiteral("Gitterindex außerhalb des zulässigen Bereichs")) {}
};

// Where a cell's text starts for an alignment (0 left, 1 centre, 2 right) in the cell
// left..right (right exclusive): the x of the text's left edge, centre or right end.
int ZellTextX(int ausrichtung, int left, int right);

// A string grid (fixed rows and columns drawn in FixedColor, the others in Color)
// with a text alignment per column. Cells are addressed (column, row). The fixed
// rows stay at the top when the grid scrolls; the rows below scroll under them.
class TStringGrid2 : public QTableWidget {
    Q_OBJECT

public:
    explicit TStringGrid2(QWidget* parent = nullptr);

    int ColCount() const { return columnCount(); }
    void SetColCount(int n);
    int RowCount() const { return rowCount(); }
    void SetRowCount(int n);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int n);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int n);
    // Empty text for a cell that does not exist.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int w);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int h);
    int ColWidths(int col) const { return columnWidth(col); }
    void SetColWidths(int col, int w) { setColumnWidth(col, w); }
    int RowHeights(int row) const { return rowHeight(row); }
    void SetRowHeights(int row, int h) { setRowHeight(row, h); }
    int Col() const { return currentColumn(); }
    int Row() const { return currentRow(); }
    void SetCol(int col) { setCurrentCell(currentRow(), col); }
    void SetRow(int row) { setCurrentCell(row, currentColumn()); }
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool b);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor c);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);

    // 0 left, 1 centre, 2 right; 0 for a column never set or not in the grid.
    int GetColAlign(int col) const;
    // Throws EInvalidGridOperation for a column not in the grid. Columns added after
    // the first call are taken in (left-aligned until set).
    void SetColAlign(int col, int align);

    bool IstFesteZelle(int col, int row) const { return col < m_fixedCols || row < m_fixedRows; }

    // The first body row shown below the fixed rows (TopRow).
    int TopRow() const;
    // Height of the fixed rows' band at the top of the cells.
    int FesteHoehe() const;

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // From row abZeile on.
    void updateFlags(int abZeile = 0);
    void ordneFesteZeilen();

    QTableView* m_feste = nullptr; // the fixed rows, held over the scrolling cells

    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    bool m_defaultDrawing = true;
    TColor m_color = clWindow;
    TColor m_fixedColor = clBtnFace;
    TColor m_fontColor = clWindowText;
    std::vector<int> m_colAlign;
};

} // namespace zl
