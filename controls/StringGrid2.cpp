#include "controls/StringGrid2.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zl {

int ZellTextX(int ausrichtung, int left, int right)
{
    switch (ausrichtung) {
    case 1: return (left + right) / 2;
    case 2: return right - 2;
    default: return left + 2;
    }
}

namespace {

// Draws every cell: background with the grid's brush, text at 2 pixels from the
// top and from the aligned edge, clipped to the cell.
class ZellenMaler : public QStyledItemDelegate {
public:
    explicit ZellenMaler(TStringGrid2* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!m_grid->DefaultDrawing())
            return;
        const QPalette& pal = m_grid->palette();
        const int col = index.column();
        const int row = index.row();
        const bool fest = m_grid->IstFesteZelle(col, row);
        const bool gewaehlt = !fest && (option.state & QStyle::State_Selected);
        const QColor hinten = fest ? ZuQColor(m_grid->FixedColor(), pal)
                            : gewaehlt ? ZuQColor(clHighlight, pal)
                                       : ZuQColor(m_grid->Color(), pal);
        const QColor schrift = gewaehlt ? ZuQColor(clHighlightText, pal) : ZuQColor(m_grid->FontColor(), pal);
        const QRect r = option.rect;
        p->save();
        p->setClipRect(r);
        p->fillRect(r, hinten);
        const int ausrichtung = row < m_grid->FixedRows() ? 0 : m_grid->GetColAlign(col);
        const QString text = index.data(Qt::DisplayRole).toString();
        QFont f = m_grid->font();
        f.setStyleStrategy(QFont::NoAntialias);
        p->setFont(f);
        p->setPen(schrift);
        const QFontMetrics fm(f, m_grid);
        const int breite = fm.horizontalAdvance(text);
        const int x = ZellTextX(ausrichtung, r.left(), r.left() + r.width());
        const int links = ausrichtung == 1 ? x - breite / 2 : ausrichtung == 2 ? x - breite : x;
        p->drawText(QPoint(links, r.top() + 2 + fm.ascent()), text);
        p->restore();
    }

private:
    TStringGrid2* m_grid;
};

} // namespace

TStringGrid2::TStringGrid2(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(m_defaultColWidth);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new ZellenMaler(this));
    setColumnCount(5);
    setRowCount(5);
    resize(320, 120);
    updateFlags();
}

void TStringGrid2::SetColCount(int n)
{
    setColumnCount(std::max(n, 0));
    updateFlags();
}

void TStringGrid2::SetRowCount(int n)
{
    setRowCount(std::max(n, 0));
    updateFlags();
}

void TStringGrid2::SetFixedCols(int n)
{
    m_fixedCols = std::max(n, 0);
    updateFlags();
    viewport()->update();
}

void TStringGrid2::SetFixedRows(int n)
{
    m_fixedRows = std::max(n, 0);
    updateFlags();
    viewport()->update();
}

QString TStringGrid2::Cells(int col, int row) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void TStringGrid2::SetCells(int col, int row, const QString& text)
{
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount())
        return;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem(text);
        setItem(row, col, it);
        updateFlags();
    } else {
        it->setText(text);
    }
}

void TStringGrid2::SetDefaultColWidth(int w)
{
    m_defaultColWidth = w;
    horizontalHeader()->setDefaultSectionSize(w);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, w);
}

void TStringGrid2::SetDefaultRowHeight(int h)
{
    m_defaultRowHeight = h;
    verticalHeader()->setDefaultSectionSize(h);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, h);
}

void TStringGrid2::SetDefaultDrawing(bool b)
{
    m_defaultDrawing = b;
    viewport()->update();
}

void TStringGrid2::SetColor(TColor c)
{
    m_color = c;
    viewport()->update();
}

void TStringGrid2::SetFixedColor(TColor c)
{
    m_fixedColor = c;
    viewport()->update();
}

void TStringGrid2::SetFontColor(TColor c)
{
    m_fontColor = c;
    viewport()->update();
}

int TStringGrid2::GetColAlign(int col) const
{
    if (col < 0 || col >= columnCount() || size_t(col) >= m_colAlign.size())
        return 0;
    return m_colAlign[size_t(col)];
}

void TStringGrid2::SetColAlign(int col, int align)
{
    if (col < 0 || col >= columnCount())
        throw EInvalidGridOperation();
    if (m_colAlign.size() < size_t(columnCount()))
        m_colAlign.resize(size_t(columnCount()), 0);
    m_colAlign[size_t(col)] = align;
}

// Fixed cells take no selection; every cell has an item so that it can be drawn.
void TStringGrid2::updateFlags()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem();
                setItem(r, c, it);
            }
            const Qt::ItemFlags soll = IstFesteZelle(c, r) ? Qt::ItemIsEnabled
                                                          : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (it->flags() != soll)
                it->setFlags(soll);
        }
}

} // namespace zl
