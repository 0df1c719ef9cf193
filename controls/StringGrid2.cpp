#include "controls/StringGrid2.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

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
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    // The fixed rows are a second view of the same cells, laid over the top of the
    // viewport (as a sibling, so the viewport's scrolling does not move it).
    m_feste = new QTableView(this);
    m_feste->setObjectName(QStringLiteral("FesteZeilen"));
    m_feste->setModel(model());
    m_feste->setItemDelegate(itemDelegate());
    m_feste->horizontalHeader()->hide();
    m_feste->verticalHeader()->hide();
    m_feste->horizontalHeader()->setMinimumSectionSize(1);
    m_feste->verticalHeader()->setMinimumSectionSize(1);
    m_feste->setFrameShape(QFrame::NoFrame);
    m_feste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_feste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_feste->setSelectionMode(QAbstractItemView::NoSelection);
    m_feste->setFocusPolicy(Qt::NoFocus);
    m_feste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_feste->setHorizontalScrollMode(horizontalScrollMode());
    m_feste->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, m_feste,
            [this](int c, int, int w) { m_feste->setColumnWidth(c, w); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int r, int, int h) {
        if (r < m_fixedRows) {
            m_feste->setRowHeight(r, h);
            ordneFesteZeilen();
        }
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_feste->horizontalScrollBar(), &QScrollBar::setValue);
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { ordneFesteZeilen(); });
    connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { ordneFesteZeilen(); });

    setColumnCount(5);
    setRowCount(5);
    resize(320, 120);
    updateFlags();
    ordneFesteZeilen();
}

int TStringGrid2::FesteHoehe() const
{
    int h = 0;
    for (int r = 0; r < std::min(m_fixedRows, rowCount()); ++r)
        h += rowHeight(r);
    return h;
}

int TStringGrid2::TopRow() const
{
    const int r = rowAt(FesteHoehe());
    return r < 0 ? std::min(m_fixedRows, rowCount()) : std::max(r, m_fixedRows);
}

void TStringGrid2::ordneFesteZeilen()
{
    if (!m_feste)
        return;
    const int n = std::min(m_fixedRows, rowCount());
    if (n <= 0) {
        m_feste->hide();
        return;
    }
    // The band is exactly as high as the fixed rows and never scrolls, so the
    // rows below them never show in it.
    for (int r = 0; r < n; ++r)
        m_feste->setRowHeight(r, rowHeight(r));
    for (int c = 0; c < columnCount(); ++c)
        m_feste->setColumnWidth(c, columnWidth(c));
    m_feste->setShowGrid(showGrid());
    m_feste->setGridStyle(gridStyle());
    m_feste->setPalette(palette());
    m_feste->setFont(font());
    const QRect vp = viewport()->geometry();
    m_feste->setGeometry(vp.x(), vp.y(), vp.width(), std::min(FesteHoehe(), vp.height()));
    m_feste->horizontalScrollBar()->setRange(horizontalScrollBar()->minimum(), horizontalScrollBar()->maximum());
    m_feste->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_feste->verticalScrollBar()->setValue(0);
    m_feste->show();
    m_feste->raise();
}

void TStringGrid2::updateGeometries()
{
    QTableWidget::updateGeometries();
    ordneFesteZeilen();
}

void TStringGrid2::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    const int r = index.row();
    if (!index.isValid() || r < m_fixedRows || m_fixedRows <= 0)
        return;
    // A body row must not end up under the fixed rows: the rows above it that the
    // band covers scroll off instead.
    const int band = FesteHoehe();
    if (rowViewportPosition(r) >= band)
        return;
    int v = r, hoehe = 0;
    while (v > 0 && hoehe < band) {
        --v;
        hoehe += rowHeight(v);
    }
    verticalScrollBar()->setValue(v);
}

bool TStringGrid2::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel over the fixed rows scrolls the grid.
    if (m_feste && watched == m_feste->viewport() && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(viewport(), event);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

void TStringGrid2::SetColCount(int n)
{
    setColumnCount(std::max(n, 0));
    updateFlags();
}

void TStringGrid2::SetRowCount(int n)
{
    const int alt = rowCount();
    setRowCount(std::max(n, 0));
    updateFlags(alt); // rows already there keep their items
    ordneFesteZeilen();
}

void TStringGrid2::SetFixedCols(int n)
{
    m_fixedCols = std::max(n, 0);
    updateFlags();
    viewport()->update();
    if (m_feste)
        m_feste->viewport()->update();
}

void TStringGrid2::SetFixedRows(int n)
{
    m_fixedRows = std::max(n, 0);
    updateFlags();
    ordneFesteZeilen();
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
    if (m_feste)
        m_feste->viewport()->update();
}

void TStringGrid2::SetColor(TColor c)
{
    m_color = c;
    viewport()->update();
    if (m_feste)
        m_feste->viewport()->update();
}

void TStringGrid2::SetFixedColor(TColor c)
{
    m_fixedColor = c;
    viewport()->update();
    if (m_feste)
        m_feste->viewport()->update();
}

void TStringGrid2::SetFontColor(TColor c)
{
    m_fontColor = c;
    viewport()->update();
    if (m_feste)
        m_feste->viewport()->update();
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
void TStringGrid2::updateFlags(int abZeile)
{
    for (int r = std::max(abZeile, 0); r < rowCount(); ++r)
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
