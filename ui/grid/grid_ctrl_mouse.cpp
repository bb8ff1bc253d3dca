// What the grid does by itself in answer to the mouse: focus and editing by clicks, the click
// notifications, divider resizing and the title tip.
#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>

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
    m_mouse.leftButtonDown = true;
    m_mouse.pressPoint = m_mouse.lastPoint = point;
    m_mouse.pressCell = GetCellFromPoint(point);
    if (!m_mouse.pressCell.IsValid())
        return;
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_selectionAnchor = m_mouse.pressCell;
    else if (!m_selectionAnchor.IsValid())
        m_selectionAnchor = m_focusCell;
    EndEditing();

    CGridCellBase* cell = GetCell(m_mouse.pressCell.row, m_mouse.pressCell.column);
    cell->OnClickDown(point);
    QRect rect;
    GetCellRect(m_mouse.pressCell.row, m_mouse.pressCell.column, &rect);
    if (m_mouse.pressCell == m_focusCell && !ctrl && cell->GetTextRect(rect).contains(point)
        && IsCellEditable(m_mouse.pressCell.row, m_mouse.pressCell.column)) {
        m_mouse.mode = MouseMode::PrepareEdit;
        return;
    }

    if (m_mouse.mode == MouseMode::Idle)
        UpdateDividerCursor(point);
    if (m_mouse.mode == MouseMode::OverColumnDivider || m_mouse.mode == MouseMode::OverRowDivider) {
        StartSizing();
        return;
    }
    FocusPressedCell(ctrl);
    Notify(GN_SELCHANGING, m_mouse.pressCell);
    m_previousSelection = ctrl ? m_selectedCells : QSet<uint32_t>();
    if (m_rows.IsFixed(m_mouse.pressCell.row)) {
        OnFixedRowClick(m_mouse.pressCell);
    } else if (m_columns.IsFixed(m_mouse.pressCell.column)) {
        OnFixedColumnClick(m_mouse.pressCell);
    } else {
        m_mouse.mode = m_listMode ? MouseMode::SelectRows : MouseMode::SelectCells;
        SelectRange(m_selectionAnchor, m_mouse.pressCell);
        m_autoScrollTimer.start(AutoScrollInterval, this);
    }
}

void CGridCtrl::FocusPressedCell(bool ctrl)
{
    const CellPos cell = m_mouse.pressCell;
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
    const bool body = !m_rows.IsFixed(cell.row) && !m_columns.IsFixed(cell.column);
    if (body)
        SetFocusCell(cell.row, cell.column);
    else
        SetFocusCell(-1, -1);
}

void CGridCtrl::OnLeftButtonUp(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_mouse.leftButtonDown = false;
    m_autoScrollTimer.stop();
    CGridCellBase* focus = GetCell(m_focusCell.row, m_focusCell.column);
    switch (m_mouse.mode) {
    case MouseMode::PrepareEdit:
        OpenCellEditor(m_focusCell.row, m_focusCell.column, CellKeyMouse);
        break;
    case MouseMode::PrepareDrag:
        if (focus)
            focus->OnClick(point);
        Notify(NM_CLICK, m_mouse.pressCell);
        Notify(GN_SELCHANGING, m_mouse.pressCell);
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
        Notify(NM_CLICK, m_mouse.pressCell);
        break;
    }
    m_mouse.mode = MouseMode::Idle;
    viewport()->unsetCursor();
    if (m_mouse.pressCell.IsValid())
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
    if (m_mouse.mode == MouseMode::OverColumnDivider || m_mouse.mode == MouseMode::OverRowDivider) {
        const auto orientation = m_mouse.mode == MouseMode::OverColumnDivider ? Qt::Horizontal : Qt::Vertical;
        AutoSize(orientation, DividerAt(orientation, point));
        return;
    }
    QRect rect;
    GetCellRect(cell.row, cell.column, &rect);
    const bool body = !m_rows.IsFixed(cell.row) && !m_columns.IsFixed(cell.column);
    if (m_mouse.mode == MouseMode::Idle && body && m_mouse.pressCell.IsValid() && target->GetTextRect(rect).contains(point))
        OpenCellEditor(cell.row, cell.column, CellKeyMouse);
    target->OnDblClick(point);
    Notify(NM_DBLCLK, cell);
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_mouse.lastPoint = point;
    if (m_tip && m_tip->isVisible() && !m_tip->GetHoverRect().contains(point))
        HideTitleTip();
    if (!viewport()->rect().contains(point))
        return;

    if (m_mouse.leftButtonDown) {
        switch (m_mouse.mode) {
        case MouseMode::SelectColumns:
        case MouseMode::SelectRows:
        case MouseMode::SelectCells: {
            CellPos cell = GetCellFromPoint(point);
            cell.row = std::max(cell.row, GetFixedRowCount());
            cell.column = std::max(cell.column, GetFixedColumnCount());
            if (IsValid(cell.row, cell.column) && cell != m_focusCell) {
                SelectRange(m_selectionAnchor, cell);
                SetFocusCell(cell.row, cell.column);
            }
            break;
        }
        case MouseMode::SizingColumn:
        case MouseMode::SizingRow:
            if (m_mouse.mode == MouseMode::SizingColumn)
                m_trackingLine->move(point.x(), 0);
            else
                m_trackingLine->move(0, point.y());
            break;
        case MouseMode::PrepareEdit:
            // A hand's tremble while clicking is still a click.
            if ((point - m_mouse.pressPoint).manhattanLength() >= QApplication::startDragDistance())
                m_mouse.mode = MouseMode::PrepareDrag;
            break;
        default:
            break;
        }
        return;
    }

    UpdateDividerCursor(point);
    if (m_mouse.mode == MouseMode::Idle) {
        const CellPos cell = GetCellFromPoint(point);
        if (CGridCellBase* over = GetCell(cell.row, cell.column))
            over->OnMouseOver();
        OfferTitleTip(cell);
    }
}

void CGridCtrl::OnFixedRowClick(CellPos cell)
{
    // A header selects its column, the corner the whole body.
    if (!m_selectionEnabled || m_rows.Count() <= m_rows.FixedCount())
        return;
    m_mouse.mode = MouseMode::SelectColumns;
    const int top = GetFixedRowCount();
    const int bottom = GetRowCount() - 1;
    if (m_columns.IsFixed(cell.column))
        SelectRange(CellPos{top, GetFixedColumnCount()}, CellPos{bottom, GetColumnCount() - 1});
    else
        SelectRange(CellPos{top, cell.column}, CellPos{bottom, cell.column});
}

void CGridCtrl::OnFixedColumnClick(CellPos cell)
{
    if (!m_selectionEnabled || m_columns.Count() <= m_columns.FixedCount())
        return;
    m_mouse.mode = MouseMode::SelectRows;
    SelectRange(CellPos{cell.row, GetFixedColumnCount()}, CellPos{cell.row, GetColumnCount() - 1});
}

int CGridCtrl::DividerAt(Qt::Orientation orientation, const QPoint& point) const
{
    // Dividers are grabbed in the headers: column dividers in the fixed rows, row dividers in
    // the fixed columns.
    const bool columns = orientation == Qt::Horizontal;
    if (!(columns ? m_columnResize : m_rowResize))
        return -1;
    if (columns ? point.y() >= FixedHeight() : point.x() >= FixedWidth())
        return -1;
    return Axis(orientation).DividerAt(columns ? point.x() : point.y(), Scroll(orientation), ResizeCaptureRange);
}

void CGridCtrl::UpdateDividerCursor(const QPoint& point)
{
    const bool overOrIdle = m_mouse.mode == MouseMode::Idle || m_mouse.mode == MouseMode::OverColumnDivider
        || m_mouse.mode == MouseMode::OverRowDivider;
    if (!overOrIdle)
        return;
    if (DividerAt(Qt::Horizontal, point) >= 0) {
        m_mouse.mode = MouseMode::OverColumnDivider;
        viewport()->setCursor(Qt::SplitHCursor);
    } else if (DividerAt(Qt::Vertical, point) >= 0) {
        m_mouse.mode = MouseMode::OverRowDivider;
        viewport()->setCursor(Qt::SplitVCursor);
    } else if (m_mouse.mode != MouseMode::Idle) {
        m_mouse.mode = MouseMode::Idle;
        viewport()->unsetCursor();
    }
}

void CGridCtrl::StartSizing()
{
    const bool column = m_mouse.mode == MouseMode::OverColumnDivider;
    m_mouse.sizingIndex = DividerAt(column ? Qt::Horizontal : Qt::Vertical, m_mouse.pressPoint);
    m_mouse.mode = column ? MouseMode::SizingColumn : MouseMode::SizingRow;
    if (!m_trackingLine)
        m_trackingLine = new QRubberBand(QRubberBand::Line, viewport());
    const QRect area = viewport()->rect();
    m_trackingLine->setGeometry(column ? QRect(m_mouse.pressPoint.x(), 0, 2, area.height()) : QRect(0, m_mouse.pressPoint.y(), area.width(), 2));
    m_trackingLine->show();
}

void CGridCtrl::FinishSizing(const QPoint& point)
{
    m_trackingLine->hide();
    if (point == m_mouse.pressPoint || point == QPoint(0, 0))
        return;
    if (m_mouse.mode == MouseMode::SizingColumn)
        SetColumnWidth(m_mouse.sizingIndex, std::max(m_allowColumnHide ? 0 : 1, point.x() - ColumnLeft(m_mouse.sizingIndex)));
    else
        SetRowHeight(m_mouse.sizingIndex, std::max(m_allowRowHide ? 0 : 1, point.y() - RowTop(m_mouse.sizingIndex)));
    Refresh();
}

void CGridCtrl::AutoSize(Qt::Orientation orientation, int index)
{
    // The row (column) becomes as large as its largest cell needs.
    const bool column = orientation == Qt::Horizontal;
    if (index < 0 || index >= Axis(orientation).Count())
        return;
    int size = 0;
    for (int other = 0; other < Axis(column ? Qt::Vertical : Qt::Horizontal).Count(); ++other) {
        const QSize extent = column ? GetCell(other, index)->GetCellExtent() : GetCell(index, other)->GetCellExtent();
        size = std::max(size, column ? extent.width() : extent.height());
    }
    Axis(orientation).SetSize(index, size + 1);
    ResetScrollBars();
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
