// Where rows and columns stand on screen, and scrolling: the scroll bars' ranges and steps on
// row and column edges, the wheel, and scrolling while a held button drags beyond an edge.
#include "ui/grid/grid_ctrl.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

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
    EnsureRowVisible(row);
    EnsureColumnVisible(column);
}

// Scrolls to row (column) edges, so that the body starts with a whole row (column).
void CGridCtrl::EnsureRowVisible(int row)
{
    if (row < 0 || row >= GetRowCount())
        return;
    const int roomHeight = viewport()->height() - FixedHeight();
    verticalScrollBar()->setValue(m_rows.RevealScroll(row, Scroll(Qt::Vertical), roomHeight));
}

void CGridCtrl::EnsureColumnVisible(int column)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    const int roomWidth = viewport()->width() - FixedWidth();
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

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    // A notch of 120 scrolls the system's number of lines; up for a positive delta.
    const int steps = m_wheelLines * event->angleDelta().y() / 120;
    ScrollLines(Qt::Vertical, -steps);
    event->accept();
}

void CGridCtrl::ScrollLines(Qt::Orientation orientation, int lines)
{
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    const auto action = lines > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
    for (int i = 0; i < std::abs(lines); ++i)
        bar->triggerAction(action);
}

void CGridCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_autoScrollTimer.timerId())
        OnAutoScroll();
    else
        QAbstractScrollArea::timerEvent(event);
}

void CGridCtrl::OnAutoScroll()
{
    // Holding the button beyond an edge scrolls that way and drags the focus cell along.
    const QRect area = viewport()->rect();
    const QPoint point = m_mouse.lastPoint;
    if (point.y() > area.bottom())
        HandleKey(Qt::Key_Down, Qt::NoModifier);
    else if (point.y() < FixedHeight())
        HandleKey(Qt::Key_Up, Qt::NoModifier);
    if (point.x() > area.right())
        HandleKey(Qt::Key_Right, Qt::NoModifier);
    else if (point.x() < FixedWidth())
        HandleKey(Qt::Key_Left, Qt::NoModifier);
    SelectRange(m_selectionAnchor, m_focusCell);
}
