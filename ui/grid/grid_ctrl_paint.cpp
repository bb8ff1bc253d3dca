// Geometry, scrolling and painting of the grid.
#include "ui/grid/grid_ctrl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

int CGridCtrl::FixedWidth() const
{
    int width = 0;
    for (int column = 0; column < m_fixedColumnCount; ++column)
        width += m_columnWidths[column];
    return width;
}

int CGridCtrl::FixedHeight() const
{
    int height = 0;
    for (int row = 0; row < m_fixedRowCount; ++row)
        height += m_rowHeights[row];
    return height;
}

int CGridCtrl::BodyWidth() const
{
    int width = 0;
    for (int column = m_fixedColumnCount; column < m_columnCount; ++column)
        width += m_columnWidths[column];
    return width;
}

int CGridCtrl::BodyHeight() const
{
    int height = 0;
    for (int row = m_fixedRowCount; row < m_rowCount; ++row)
        height += m_rowHeights[row];
    return height;
}

int CGridCtrl::ColumnLeft(int column) const
{
    const bool fixed = column < m_fixedColumnCount;
    int x = fixed ? 0 : FixedWidth() - horizontalScrollBar()->value();
    for (int c = fixed ? 0 : m_fixedColumnCount; c < column; ++c)
        x += m_columnWidths[c];
    return x;
}

int CGridCtrl::RowTop(int row) const
{
    const bool fixed = row < m_fixedRowCount;
    int y = fixed ? 0 : FixedHeight() - verticalScrollBar()->value();
    for (int r = fixed ? 0 : m_fixedRowCount; r < row; ++r)
        y += m_rowHeights[r];
    return y;
}

CellPos CGridCtrl::GetTopLeftNonFixedCell() const
{
    if (m_topLeft.IsValid())
        return m_topLeft;
    const Span rows = RowSpan(FixedHeight(), FixedHeight(), false);
    const Span columns = ColumnSpan(FixedWidth(), FixedWidth(), false);
    if (rows.first <= rows.last && columns.first <= columns.last)
        m_topLeft = CellPos{rows.first, columns.first};
    return m_topLeft;
}

bool CGridCtrl::IsCellVisible(int row, int column) const
{
    QRect rect;
    if (!GetCellRect(row, column, &rect) || m_rowHeights[row] == 0 || m_columnWidths[column] == 0)
        return false;
    QRect shown = viewport()->rect();
    if (row >= m_fixedRowCount)
        shown.setTop(FixedHeight());
    if (column >= m_fixedColumnCount)
        shown.setLeft(FixedWidth());
    return rect.adjusted(0, 0, 1, 1).intersects(shown);
}

bool CGridCtrl::GetCellRect(int row, int column, QRect* rect) const
{
    if (!IsValid(row, column))
        return false;
    *rect = QRect(ColumnLeft(column), RowTop(row), m_columnWidths[column] - 1, m_rowHeights[row] - 1);
    return true;
}

CellPos CGridCtrl::GetCellFromPoint(const QPoint& point) const
{
    if (!viewport()->rect().contains(point))
        return CellPos();
    const bool fixedRow = point.y() < FixedHeight();
    const bool fixedColumn = point.x() < FixedWidth();
    const Span rows = RowSpan(point.y(), point.y(), fixedRow);
    const Span columns = ColumnSpan(point.x(), point.x(), fixedColumn);
    if (rows.first > rows.last || columns.first > columns.last)
        return CellPos();
    return CellPos{rows.first, columns.first};
}

void CGridCtrl::EnsureVisible(int row, int column)
{
    if (!IsValid(row, column))
        return;
    // Scrolls to row (column) edges, so that the body starts with a whole row (column).
    const auto reveal = [](QScrollBar* bar, const std::vector<int>& sizes, int fixedCount, int index, int room) {
        if (index < fixedCount)
            return;
        int offset = 0;
        for (int i = fixedCount; i < index; ++i)
            offset += sizes[i];
        int position = bar->value();
        if (offset < position) {
            position = offset;
        } else if (offset + sizes[index] > position + room) {
            const int needed = offset + sizes[index] - room;
            int edge = 0;
            for (int i = fixedCount; i < index && edge < needed; ++i)
                edge += sizes[i];
            position = std::min(edge, offset);
        }
        bar->setValue(position);
    };
    reveal(verticalScrollBar(), m_rowHeights, m_fixedRowCount, row, viewport()->height() - FixedHeight());
    reveal(horizontalScrollBar(), m_columnWidths, m_fixedColumnCount, column, viewport()->width() - FixedWidth());
}

bool CGridCtrl::RedrawCell(int row, int column)
{
    return InvalidateCellRect(row, column);
}

bool CGridCtrl::InvalidateCellRect(int row, int column)
{
    if (!m_allowDraw || !IsCellVisible(row, column))
        return false;
    QRect rect;
    GetCellRect(row, column, &rect);
    viewport()->update(rect.adjusted(0, 0, 1, 1));
    return true;
}

void CGridCtrl::Refresh()
{
    if (m_allowDraw)
        viewport()->update();
}

void CGridCtrl::UpdateFixedCellsOf(CellPos cell)
{
    if (!m_allowDraw || !IsValid(cell.row, cell.column))
        return;
    QRect rect;
    GetCellRect(cell.row, cell.column, &rect);
    viewport()->update(QRect(0, rect.top(), FixedWidth(), rect.height() + 1));
    viewport()->update(QRect(rect.left(), 0, rect.width() + 1, FixedHeight()));
}

namespace {

// The edge between two rows (columns) of the body nearest to a scroll position: at or above
// it, or at or below it. Scrolling to edges keeps a whole row (column) at the body's start.
int BodyEdge(const std::vector<int>& sizes, int fixedCount, int position, bool below)
{
    int edge = 0;
    for (int i = fixedCount; i < int(sizes.size()); ++i) {
        const int next = edge + sizes[i];
        if (below ? edge >= position : next > position)
            break;
        edge = next;
    }
    return edge;
}

} // namespace

void CGridCtrl::ResetScrollBars()
{
    m_topLeft = CellPos();
    const int roomWidth = std::max(0, viewport()->width() - FixedWidth());
    const int roomHeight = std::max(0, viewport()->height() - FixedHeight());
    const int needWidth = BodyWidth() - roomWidth;
    const int needHeight = BodyHeight() - roomHeight;
    horizontalScrollBar()->setRange(0, needWidth > 0 ? BodyEdge(m_columnWidths, m_fixedColumnCount, needWidth, true) : 0);
    horizontalScrollBar()->setPageStep(std::max(1, roomWidth));
    verticalScrollBar()->setRange(0, needHeight > 0 ? BodyEdge(m_rowHeights, m_fixedRowCount, needHeight, true) : 0);
    verticalScrollBar()->setPageStep(std::max(1, roomHeight));
}

void CGridCtrl::OnScrollAction(Qt::Orientation orientation, int action)
{
    // Line and page steps end on row (column) edges; a line is the next visible row.
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    const std::vector<int>& sizes = orientation == Qt::Vertical ? m_rowHeights : m_columnWidths;
    const int fixedCount = orientation == Qt::Vertical ? m_fixedRowCount : m_fixedColumnCount;
    const int position = bar->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        bar->setSliderPosition(BodyEdge(sizes, fixedCount, position + 1, true));
        break;
    case QAbstractSlider::SliderSingleStepSub:
        bar->setSliderPosition(BodyEdge(sizes, fixedCount, position - 1, false));
        break;
    case QAbstractSlider::SliderPageStepAdd: {
        // A row taller than the page still moves the body on.
        const int edge = BodyEdge(sizes, fixedCount, bar->sliderPosition(), false);
        bar->setSliderPosition(edge > position ? edge : BodyEdge(sizes, fixedCount, position + 1, true));
        break;
    }
    case QAbstractSlider::SliderPageStepSub:
        bar->setSliderPosition(BodyEdge(sizes, fixedCount, bar->sliderPosition(), false));
        break;
    default:
        break;
    }
}

void CGridCtrl::scrollContentsBy(int dx, int dy)
{
    EndEditing();
    HideTitleTip();
    m_topLeft = CellPos();
    if (!m_allowDraw)
        return;
    // Only the body moves: fixed rows follow horizontally, fixed columns vertically, and the
    // corner stays; Qt shifts the pixels and repaints the strip that comes into view.
    const QRect all = viewport()->rect();
    const int fixedWidth = std::min(FixedWidth(), all.width());
    const int fixedHeight = std::min(FixedHeight(), all.height());
    if (dx != 0)
        viewport()->scroll(dx, 0, QRect(fixedWidth, 0, all.width() - fixedWidth, all.height()));
    if (dy != 0)
        viewport()->scroll(0, dy, QRect(0, fixedHeight, all.width(), all.height() - fixedHeight));
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    EndEditing();
    QAbstractScrollArea::resizeEvent(event);
    ResetScrollBars();
}

// The visible rows (or columns) of one band whose extents lie between low and high: the band
// starts at `origin` and holds the sizes from `first` to `end`; hidden ones never count.
CGridCtrl::Span CGridCtrl::SpanOf(const std::vector<int>& sizes, int first, int end, int origin, int low, int high)
{
    Span span{0, -1};
    int position = origin;
    for (int index = first; index < end && position <= high; ++index) {
        const int next = position + sizes[index];
        if (next > low && sizes[index] > 0) {
            if (span.first > span.last)
                span.first = index;
            span.last = index;
        }
        position = next;
    }
    return span;
}

CGridCtrl::Span CGridCtrl::RowSpan(int top, int bottom, bool fixed) const
{
    if (fixed)
        return SpanOf(m_rowHeights, 0, m_fixedRowCount, 0, top, bottom);
    return SpanOf(m_rowHeights, m_fixedRowCount, m_rowCount, FixedHeight() - verticalScrollBar()->value(), top, bottom);
}

CGridCtrl::Span CGridCtrl::ColumnSpan(int left, int right, bool fixed) const
{
    if (fixed)
        return SpanOf(m_columnWidths, 0, m_fixedColumnCount, 0, left, right);
    return SpanOf(m_columnWidths, m_fixedColumnCount, m_columnCount,
                  FixedWidth() - horizontalScrollBar()->value(), left, right);
}

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    if (!m_allowDraw)
        return;
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const QRect all = viewport()->rect();
    const int fixedWidth = std::min(FixedWidth(), all.width());
    const int fixedHeight = std::min(FixedHeight(), all.height());
    const int bodyWidth = all.width() - fixedWidth;
    const int bodyHeight = all.height() - fixedHeight;

    PaintOutside(painter, exposed);
    PaintBand(painter, exposed & QRect(fixedWidth, fixedHeight, bodyWidth, bodyHeight), false, false);
    PaintBand(painter, exposed & QRect(fixedWidth, 0, bodyWidth, fixedHeight), true, false);
    PaintBand(painter, exposed & QRect(0, fixedHeight, fixedWidth, bodyHeight), false, true);
    PaintBand(painter, exposed & QRect(0, 0, fixedWidth, fixedHeight), true, true);
}

void CGridCtrl::PaintOutside(QPainter& painter, const QRect& exposed) const
{
    // The grid background shows right of the last column and below the last row.
    const int right = m_columnCount > 0 ? ColumnLeft(m_columnCount - 1) + m_columnWidths.back() : 0;
    const int bottom = m_rowCount > 0 ? RowTop(m_rowCount - 1) + m_rowHeights.back() : 0;
    const QColor background = ToQColor(m_gridBackColour);
    const QRect all = viewport()->rect();
    painter.fillRect(exposed & QRect(QPoint(right, 0), all.bottomRight()), background);
    painter.fillRect(exposed & QRect(QPoint(0, bottom), all.bottomRight()), background);
}

void CGridCtrl::PaintBand(QPainter& painter, const QRect& area, bool fixedRows, bool fixedColumns) const
{
    if (area.isEmpty())
        return;
    const Span rows = RowSpan(area.top(), area.bottom(), fixedRows);
    const Span columns = ColumnSpan(area.left(), area.right(), fixedColumns);
    if (rows.first > rows.last || columns.first > columns.last)
        return;
    painter.setClipRect(area);
    int y = RowTop(rows.first);
    for (int row = rows.first; row <= rows.last; ++row) {
        const int height = m_rowHeights[row];
        int x = ColumnLeft(columns.first);
        for (int column = columns.first; column <= columns.last; ++column) {
            const int width = m_columnWidths[column];
            if (width > 0 && height > 0)
                PaintCell(painter, row, column, QRect(x, y, width - 1, height - 1));
            x += width;
        }
        y += height;
    }
}

void CGridCtrl::PaintCell(QPainter& painter, int row, int column, const QRect& rect) const
{
    const CGridCellBase* cell = m_rows[row][column].get();
    cell->Draw(painter, row, column, rect);
    if (cell->IsFixed() && m_gridLines != GridLines::None)
        return;
    // The line pixels right of and below the cell: a grid line, or the cell's own background.
    const bool vertical = m_gridLines == GridLines::Vertical || m_gridLines == GridLines::Both;
    const bool horizontal = m_gridLines == GridLines::Horizontal || m_gridLines == GridLines::Both;
    const COLORREF back = cell->GetBackColor() == CLR_DEFAULT ? cell->GetDefaultCell()->GetBackColor()
                                                               : cell->GetBackColor();
    const QColor line = ToQColor(m_gridLineColour);
    const QColor fill = ToQColor(back);
    painter.fillRect(QRect(rect.right() + 1, rect.top(), 1, rect.height() + 1), vertical ? line : fill);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width() + 1, 1), horizontal ? line : fill);
}
