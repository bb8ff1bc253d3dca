// What the grid does by itself in answer to the mouse: focus and editing by clicks, the click
// notifications, divider resizing, the title tip, the wheel and auto-scroll.
#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

#include "ui/grid/cell_editor.h"
#include "ui/grid/cell_tip.h"

namespace {

constexpr int AutoScrollInterval = 25;
constexpr int ResizeCaptureRange = 3;

} // namespace

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    HideTitleTip();
    if (event->button() == Qt::LeftButton)
        OnLeftButtonDown(event);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLeftButtonUp(event);
    else if (event->button() == Qt::RightButton)
        OnRightButtonUp(event);
}

void CGridCtrl::OnLeftButtonDown(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    setFocus(Qt::MouseFocusReason);
    m_leftButtonDown = true;
    m_pressPoint = m_lastPoint = point;
    m_pressCell = GetCellFromPoint(point);
    if (!m_pressCell.IsValid())
        return;
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_selectionAnchor = m_pressCell;
    else if (!m_selectionAnchor.IsValid())
        m_selectionAnchor = m_focusCell;
    EndEditing();

    CGridCellBase* cell = GetCell(m_pressCell.row, m_pressCell.column);
    cell->OnClickDown(point);
    QRect rect;
    GetCellRect(m_pressCell.row, m_pressCell.column, &rect);
    if (m_pressCell == m_focusCell && !ctrl && cell->GetTextRect(rect).contains(point)
        && IsCellEditable(m_pressCell.row, m_pressCell.column)) {
        m_mouseMode = MouseMode::PrepareEdit;
        return;
    }

    if (m_mouseMode == MouseMode::Idle)
        UpdateDividerCursor(point);
    if (m_mouseMode == MouseMode::OverColumnDivider || m_mouseMode == MouseMode::OverRowDivider) {
        StartSizing();
        return;
    }
    FocusPressedCell(ctrl);
    Notify(GN_SELCHANGING, m_pressCell);
    m_previousSelection = ctrl ? m_selectedCells : QSet<uint32_t>();
    if (m_pressCell.row < m_fixedRowCount) {
        OnFixedRowClick(m_pressCell);
    } else if (m_pressCell.column < m_fixedColumnCount) {
        OnFixedColumnClick(m_pressCell);
    } else {
        m_mouseMode = m_listMode ? MouseMode::SelectRows : MouseMode::SelectCells;
        SelectRange(m_selectionAnchor, m_pressCell);
        m_autoScrollTimer.start(AutoScrollInterval, this);
    }
}

void CGridCtrl::FocusPressedCell(bool ctrl)
{
    const CellPos cell = m_pressCell;
    if (IsCellSelected(cell.row, cell.column)) {
        // Cells are not dragged out of the grid, so a press on the selection only toggles it.
        if (ctrl) {
            SetFocusCell(cell.row, cell.column);
            SetCellState(cell.row, cell.column, GetCellState(cell.row, cell.column) ^ GCS_SELECTED);
            RedrawCell(cell.row, cell.column);
        }
        return;
    }
    // A header press leaves no focus cell: the student clicks the cell to type into.
    const bool body = cell.row >= m_fixedRowCount && cell.column >= m_fixedColumnCount;
    if (body)
        SetFocusCell(cell.row, cell.column);
    else
        SetFocusCell(-1, -1);
}

void CGridCtrl::OnLeftButtonUp(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_leftButtonDown = false;
    m_autoScrollTimer.stop();
    CGridCellBase* focus = GetCell(m_focusCell.row, m_focusCell.column);
    switch (m_mouseMode) {
    case MouseMode::PrepareEdit:
        OpenCellEditor(m_focusCell.row, m_focusCell.column, CellKeyMouse);
        break;
    case MouseMode::PrepareDrag:
        if (focus)
            focus->OnClick(point);
        Notify(NM_CLICK, m_pressCell);
        Notify(GN_SELCHANGING, m_pressCell);
        ResetSelection();
        Notify(GN_SELCHANGED, CellPos());
        break;
    case MouseMode::SizingColumn:
    case MouseMode::SizingRow:
        FinishSizing(point);
        break;
    default:
        Notify(GN_SELCHANGED, m_focusCell);
        if (focus)
            focus->OnClick(point);
        Notify(NM_CLICK, m_pressCell);
        break;
    }
    m_mouseMode = MouseMode::Idle;
    viewport()->unsetCursor();
    if (m_pressCell.IsValid())
        QMetaObject::invokeMethod(this, &CGridCtrl::clicked, Qt::QueuedConnection);
}

void CGridCtrl::OnRightButtonUp(QMouseEvent* event)
{
    EndEditing();
    const QPoint point = event->position().toPoint();
    const CellPos cell = GetCellFromPoint(point);
    if (!cell.IsValid()) {
        Notify(NM_RCLICK, CellPos());
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(cell.row, cell.column);
    GetCell(cell.row, cell.column)->OnRClick(point);
    Notify(NM_RCLICK, cell);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    HideTitleTip();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const CellPos cell = GetCellFromPoint(point);
    if (!cell.IsValid())
        return;
    CGridCellBase* target = GetCell(cell.row, cell.column);
    if (m_mouseMode == MouseMode::OverColumnDivider) {
        AutoSizeColumn(ColumnDividerAt(point));
        return;
    }
    if (m_mouseMode == MouseMode::OverRowDivider) {
        AutoSizeRow(RowDividerAt(point));
        return;
    }
    QRect rect;
    GetCellRect(cell.row, cell.column, &rect);
    const bool body = cell.row >= m_fixedRowCount && cell.column >= m_fixedColumnCount;
    if (m_mouseMode == MouseMode::Idle && body && m_pressCell.IsValid() && target->GetTextRect(rect).contains(point))
        OpenCellEditor(cell.row, cell.column, CellKeyMouse);
    target->OnDblClick(point);
    Notify(NM_DBLCLK, cell);
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastPoint = point;
    if (m_tip && m_tip->isVisible() && !m_tip->GetHoverRect().contains(point))
        HideTitleTip();
    if (!viewport()->rect().contains(point))
        return;

    if (m_leftButtonDown) {
        switch (m_mouseMode) {
        case MouseMode::SelectColumns:
        case MouseMode::SelectRows:
        case MouseMode::SelectCells: {
            CellPos cell = GetCellFromPoint(point);
            cell.row = std::max(cell.row, m_fixedRowCount);
            cell.column = std::max(cell.column, m_fixedColumnCount);
            if (IsValid(cell.row, cell.column) && cell != m_focusCell) {
                SelectRange(m_selectionAnchor, cell);
                SetFocusCell(cell.row, cell.column);
            }
            break;
        }
        case MouseMode::SizingColumn:
        case MouseMode::SizingRow:
            if (m_mouseMode == MouseMode::SizingColumn)
                m_trackingLine->move(point.x(), 0);
            else
                m_trackingLine->move(0, point.y());
            break;
        case MouseMode::PrepareEdit:
            // A hand's tremble while clicking is still a click.
            if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
                m_mouseMode = MouseMode::PrepareDrag;
            break;
        default:
            break;
        }
        return;
    }

    UpdateDividerCursor(point);
    if (m_mouseMode == MouseMode::Idle) {
        const CellPos cell = GetCellFromPoint(point);
        if (CGridCellBase* over = GetCell(cell.row, cell.column))
            over->OnMouseOver();
        OfferTitleTip(cell);
    }
}

int CGridCtrl::ColumnDividerAt(const QPoint& point) const
{
    if (!m_columnResize || point.y() >= FixedHeight())
        return -1;
    for (int column = 0; column < m_columnCount; ++column) {
        if (m_columnWidths[column] == 0)
            continue;
        const int edge = ColumnLeft(column) + m_columnWidths[column];
        if (std::abs(point.x() - edge) <= ResizeCaptureRange)
            return column;
    }
    return -1;
}

int CGridCtrl::RowDividerAt(const QPoint& point) const
{
    if (!m_rowResize || point.x() >= FixedWidth())
        return -1;
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rowHeights[row] == 0)
            continue;
        const int edge = RowTop(row) + m_rowHeights[row];
        if (std::abs(point.y() - edge) <= ResizeCaptureRange)
            return row;
    }
    return -1;
}

void CGridCtrl::UpdateDividerCursor(const QPoint& point)
{
    const bool overOrIdle = m_mouseMode == MouseMode::Idle || m_mouseMode == MouseMode::OverColumnDivider
        || m_mouseMode == MouseMode::OverRowDivider;
    if (!overOrIdle)
        return;
    if (ColumnDividerAt(point) >= 0) {
        m_mouseMode = MouseMode::OverColumnDivider;
        viewport()->setCursor(Qt::SplitHCursor);
    } else if (RowDividerAt(point) >= 0) {
        m_mouseMode = MouseMode::OverRowDivider;
        viewport()->setCursor(Qt::SplitVCursor);
    } else if (m_mouseMode != MouseMode::Idle) {
        m_mouseMode = MouseMode::Idle;
        viewport()->unsetCursor();
    }
}

void CGridCtrl::StartSizing()
{
    const bool column = m_mouseMode == MouseMode::OverColumnDivider;
    m_sizingIndex = column ? ColumnDividerAt(m_pressPoint) : RowDividerAt(m_pressPoint);
    m_mouseMode = column ? MouseMode::SizingColumn : MouseMode::SizingRow;
    if (!m_trackingLine)
        m_trackingLine = new QRubberBand(QRubberBand::Line, viewport());
    const QRect area = viewport()->rect();
    m_trackingLine->setGeometry(column ? QRect(m_pressPoint.x(), 0, 2, area.height()) : QRect(0, m_pressPoint.y(), area.width(), 2));
    m_trackingLine->show();
}

void CGridCtrl::FinishSizing(const QPoint& point)
{
    m_trackingLine->hide();
    if (point == m_pressPoint || point == QPoint(0, 0))
        return;
    if (m_mouseMode == MouseMode::SizingColumn)
        SetColumnWidth(m_sizingIndex, std::max(m_allowColumnHide ? 0 : 1, point.x() - ColumnLeft(m_sizingIndex)));
    else
        SetRowHeight(m_sizingIndex, std::max(m_allowRowHide ? 0 : 1, point.y() - RowTop(m_sizingIndex)));
    Refresh();
}

void CGridCtrl::AutoSizeColumn(int column)
{
    if (column < 0 || column >= m_columnCount)
        return;
    int width = 0;
    for (int row = 0; row < m_rowCount; ++row)
        width = std::max(width, GetCell(row, column)->GetCellExtent().width());
    SetColumnWidth(column, width + 1);
    Refresh();
}

void CGridCtrl::AutoSizeRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    int height = 0;
    for (int column = 0; column < m_columnCount; ++column)
        height = std::max(height, GetCell(row, column)->GetCellExtent().height());
    SetRowHeight(row, height + 1);
    Refresh();
}

void CGridCtrl::SetTitleTipColors(COLORREF backColour, COLORREF textColour)
{
    m_tipBackColour = backColour;
    m_tipTextColour = textColour;
}

void CGridCtrl::OfferTitleTip(CellPos cell)
{
    const CGridCellBase* over = GetCell(cell.row, cell.column);
    if (!m_titleTips || !over || over->IsEditing() || over->GetText().isEmpty()) {
        HideTitleTip();
        return;
    }
    QRect rect;
    GetCellRect(cell.row, cell.column, &rect);
    const QRect hover = over->GetTipTextRect(rect);
    if (m_tip && m_tip->isVisible() && m_tip->GetHoverRect() == hover)
        return;
    if (!m_tip)
        m_tip = new CCellTip(viewport());
    m_tip->Show(rect, over->GetTipText(), hover, over->GetFont(), m_tipTextColour, m_tipBackColour);
}

void CGridCtrl::HideTitleTip()
{
    if (m_tip && m_tip->isVisible())
        m_tip->Hide();
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        HideTitleTip();
    return QAbstractScrollArea::viewportEvent(event);
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
    const QPoint point = m_lastPoint;
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
