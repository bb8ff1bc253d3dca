// Geometry, scrolling and painting of the grid.
#include "ui/grid/grid_ctrl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

QScrollBar* CGridCtrl::ScrollBar(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
}

int CGridCtrl::Scroll(Qt::Orientation orientation) const { return ScrollBar(orientation)->value(); }

CellPos CGridCtrl::GetTopLeftNonFixedCell() const
{
    if (m_topLeft.IsValid())
        return m_topLeft;
    const AxisSpan rows = m_rows.Span(FixedHeight(), FixedHeight(), false, Scroll(Qt::Vertical));
    const AxisSpan columns = m_columns.Span(FixedWidth(), FixedWidth(), false, Scroll(Qt::Horizontal));
    if (!rows.IsEmpty() && !columns.IsEmpty())
        m_topLeft = CellPos{rows.first, columns.first};
    return m_topLeft;
}

bool CGridCtrl::IsCellVisible(int row, int column) const
{
    QRect rect;
    if (!GetCellRect(row, column, &rect) || m_rows.Size(row) == 0 || m_columns.Size(column) == 0)
        return false;
    QRect shown = viewport()->rect();
    if (!m_rows.IsFixed(row))
        shown.setTop(FixedHeight());
    if (!m_columns.IsFixed(column))
        shown.setLeft(FixedWidth());
    return rect.adjusted(0, 0, 1, 1).intersects(shown);
}

bool CGridCtrl::GetCellRect(int row, int column, QRect* rect) const
{
    if (!IsValid(row, column))
        return false;
    *rect = QRect(ColumnLeft(column), RowTop(row), m_columns.Size(column) - 1, m_rows.Size(row) - 1);
    return true;
}

CellPos CGridCtrl::GetCellFromPoint(const QPoint& point) const
{
    if (!viewport()->rect().contains(point))
        return CellPos();
    const CellPos cell{m_rows.IndexAt(point.y(), Scroll(Qt::Vertical)),
        m_columns.IndexAt(point.x(), Scroll(Qt::Horizontal))};
    return cell.IsValid() ? cell : CellPos();
}

void CGridCtrl::EnsureVisible(int row, int column)
{
    if (!IsValid(row, column))
        return;
    // Scrolls to row (column) edges, so that the body starts with a whole row (column).
    const int roomHeight = viewport()->height() - FixedHeight();
    const int roomWidth = viewport()->width() - FixedWidth();
    verticalScrollBar()->setValue(m_rows.RevealScroll(row, Scroll(Qt::Vertical), roomHeight));
    horizontalScrollBar()->setValue(m_columns.RevealScroll(column, Scroll(Qt::Horizontal), roomWidth));
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

void CGridCtrl::ResetScrollBars()
{
    m_topLeft = CellPos();
    ResetScrollBar(Qt::Horizontal, std::max(0, viewport()->width() - FixedWidth()));
    ResetScrollBar(Qt::Vertical, std::max(0, viewport()->height() - FixedHeight()));
}

void CGridCtrl::ResetScrollBar(Qt::Orientation orientation, int room)
{
    const GridAxis& axis = Axis(orientation);
    const int need = axis.BodyExtent() - room;
    ScrollBar(orientation)->setRange(0, need > 0 ? axis.BodyEdge(need, true) : 0);
    ScrollBar(orientation)->setPageStep(std::max(1, room));
}

void CGridCtrl::OnScrollAction(Qt::Orientation orientation, int action)
{
    // Line and page steps end on row (column) edges; a line is the next visible row.
    QScrollBar* bar = ScrollBar(orientation);
    const GridAxis& axis = Axis(orientation);
    const int position = bar->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        bar->setSliderPosition(axis.BodyEdge(position + 1, true));
        break;
    case QAbstractSlider::SliderSingleStepSub:
        bar->setSliderPosition(axis.BodyEdge(position - 1, false));
        break;
    case QAbstractSlider::SliderPageStepAdd: {
        // A row taller than the page still moves the body on.
        const int edge = axis.BodyEdge(bar->sliderPosition(), false);
        bar->setSliderPosition(edge > position ? edge : axis.BodyEdge(position + 1, true));
        break;
    }
    case QAbstractSlider::SliderPageStepSub:
        bar->setSliderPosition(axis.BodyEdge(bar->sliderPosition(), false));
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
    const int right = ColumnLeft(GetColumnCount());
    const int bottom = RowTop(GetRowCount());
    const QColor background = ToQColor(m_gridBackColour);
    const QRect all = viewport()->rect();
    painter.fillRect(exposed & QRect(QPoint(right, 0), all.bottomRight()), background);
    painter.fillRect(exposed & QRect(QPoint(0, bottom), all.bottomRight()), background);
}

void CGridCtrl::PaintBand(QPainter& painter, const QRect& area, bool fixedRows, bool fixedColumns) const
{
    if (area.isEmpty())
        return;
    const AxisSpan rows = m_rows.Span(area.top(), area.bottom(), fixedRows, Scroll(Qt::Vertical));
    const AxisSpan columns = m_columns.Span(area.left(), area.right(), fixedColumns, Scroll(Qt::Horizontal));
    if (rows.IsEmpty() || columns.IsEmpty())
        return;
    painter.setClipRect(area);
    int y = RowTop(rows.first);
    for (int row = rows.first; row <= rows.last; ++row) {
        const int height = m_rows.Size(row);
        int x = ColumnLeft(columns.first);
        for (int column = columns.first; column <= columns.last; ++column) {
            const int width = m_columns.Size(column);
            if (width > 0 && height > 0)
                PaintCell(painter, row, column, QRect(x, y, width - 1, height - 1));
            x += width;
        }
        y += height;
    }
}

void CGridCtrl::PaintCell(QPainter& painter, int row, int column, const QRect& rect) const
{
    const CGridCellBase* cell = GetCell(row, column);
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
