// What the grid does by itself in answer to the keyboard and the mouse: editing in place,
// moving the focus cell, the title tip, wheel and auto-scroll.
#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

#include "ui/grid/cell_editor.h"
#include "ui/grid/cell_tip.h"

namespace {

constexpr int AutoScrollInterval = 25;
constexpr int ResizeCaptureRange = 3;

// Keys after which an editor reopens on the next focus cell.
bool ContinuesEditing(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

enum class Shortcut { None, Copy, Cut, Paste, SelectAll, Clear };

Shortcut ShortcutOf(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_C:
        case Qt::Key_Insert:
            return Shortcut::Copy;
        case Qt::Key_X:
            return Shortcut::Cut;
        case Qt::Key_V:
            return Shortcut::Paste;
        case Qt::Key_A:
            return Shortcut::SelectAll;
        default:
            return Shortcut::None;
        }
    }
    if (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert)
        return Shortcut::Paste;
    if (modifiers == Qt::NoModifier && key == Qt::Key_Delete)
        return Shortcut::Clear;
    return Shortcut::None;
}

} // namespace

GridShape CGridCtrl::Shape() const
{
    return GridShape{m_fixedRowCount, m_fixedColumnCount, m_rowHeights, m_columnWidths};
}

bool CGridCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && m_handleTab && !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride && ShortcutOf(static_cast<QKeyEvent*>(event)) != Shortcut::None) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    HideTitleTip();
    const int key = event->key();
    // Enter and Escape belong to the dialog: its default button and its cancel.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    event->accept();
    if (HandleShortcut(event) || HandleKey(key, event->modifiers()))
        return;
    OnTypedCharacter(event);
}

bool CGridCtrl::HandleShortcut(QKeyEvent* event)
{
    switch (ShortcutOf(event)) {
    case Shortcut::Copy:
        OnEditCopy();
        return true;
    case Shortcut::Cut:
        OnEditCut();
        return true;
    case Shortcut::Paste:
        OnEditPaste();
        return true;
    case Shortcut::SelectAll:
        OnEditSelectAll();
        return true;
    case Shortcut::Clear:
        ClearSelectedText();
        return true;
    case Shortcut::None:
        break;
    }
    return false;
}

bool CGridCtrl::HandleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    std::optional<NavigationKey> move;
    switch (key) {
    case Qt::Key_Left:
        move = NavigationKey::Left;
        break;
    case Qt::Key_Right:
        move = NavigationKey::Right;
        break;
    case Qt::Key_Up:
        move = NavigationKey::Up;
        break;
    case Qt::Key_Down:
        move = NavigationKey::Down;
        break;
    case Qt::Key_Tab:
        move = modifiers & Qt::ShiftModifier ? NavigationKey::BackTab : NavigationKey::Tab;
        break;
    case Qt::Key_Backtab:
        move = NavigationKey::BackTab;
        break;
    case Qt::Key_Home:
        move = ctrl ? NavigationKey::CtrlHome : NavigationKey::Home;
        break;
    case Qt::Key_End:
        move = ctrl ? NavigationKey::CtrlEnd : NavigationKey::End;
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    case Qt::Key_F2:
        if (m_focusCell.IsValid())
            OpenCellEditor(m_focusCell.row, m_focusCell.column, CellKeyMouse);
        return true;
    default:
        return false;
    }
    if (!m_focusCell.IsValid())
        return true;

    CellPos next;
    if (!move) {
        next = PageTarget(key == Qt::Key_PageDown);
    } else {
        if (key == Qt::Key_Home || key == Qt::Key_End) {
            QScrollBar* horizontal = horizontalScrollBar();
            horizontal->setValue(key == Qt::Key_Home ? 0 : horizontal->maximum());
            if (ctrl)
                verticalScrollBar()->setValue(key == Qt::Key_Home ? 0 : verticalScrollBar()->maximum());
        }
        next = NextFocusCell(Shape(), m_focusCell, *move);
    }
    MoveFocusByKey(next, key, modifiers);
    return true;
}

CellPos CGridCtrl::PageTarget(bool down)
{
    const int topBefore = GetTopLeftNonFixedCell().row;
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    const int topAfter = GetTopLeftNonFixedCell().row;
    CellPos next = m_focusCell;
    if (topBefore >= 0 && topAfter >= 0 && topAfter != topBefore)
        next.row = std::clamp(m_focusCell.row + topAfter - topBefore, m_fixedRowCount, m_rowCount - 1);
    else
        next.row = NextFocusCell(Shape(), m_focusCell, down ? NavigationKey::CtrlEnd : NavigationKey::CtrlHome).row;
    return next;
}

void CGridCtrl::MoveFocusByKey(CellPos next, int key, Qt::KeyboardModifiers modifiers)
{
    if (next == m_focusCell || !next.IsValid())
        return;
    if (m_mouseMode == MouseMode::Idle) {
        m_previousSelection.clear();
        m_mouseMode = m_listMode ? MouseMode::SelectRows : MouseMode::SelectCells;
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (!(modifiers & Qt::ShiftModifier) || tab)
            m_selectionAnchor = next;
        Notify(GN_SELCHANGING, next);
        SelectRange(m_selectionAnchor, next);
        Notify(GN_SELCHANGED, next);
        m_mouseMode = MouseMode::Idle;
    }
    SetFocusCell(next.row, next.column);
    EnsureVisible(next.row, next.column);
}

void CGridCtrl::OnTypedCharacter(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || !m_focusCell.IsValid() || m_mouseMode != MouseMode::Idle)
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return;
    int firstKey = Qt::Key_Backspace;
    if (event->key() != Qt::Key_Backspace) {
        const char32_t codePoint = text.toUcs4().value(0);
        if (codePoint < U' ' || codePoint == 0x7F)
            return;
        firstKey = int(codePoint);
    }
    OpenCellEditor(m_focusCell.row, m_focusCell.column, firstKey);
}

bool CGridCtrl::OpenCellEditor(int row, int column, int firstKey)
{
    HideTitleTip();
    if (!IsCellEditable(row, column))
        return false;
    EnsureVisible(row, column);
    QRect rect;
    if (!IsCellVisible(row, column) || !GetCellRect(row, column, &rect) || rect.isEmpty())
        return false;
    if (Notify(GN_BEGINEDIT, CellPos{row, column}) < 0)
        return false;
    const CellPos cell{row, column};
    if (m_editCell.IsValid() && m_editCell != cell)
        EndEditing();
    m_editCell = cell;
    return GetCell(row, column)->Edit(row, column, rect, firstKey);
}

void CGridCtrl::EndEditing()
{
    if (CGridCellBase* cell = GetCell(m_editCell.row, m_editCell.column))
        cell->EndEdit();
}

CCellEditor* CGridCtrl::GetEditor() const
{
    const CGridCellBase* cell = GetCell(m_editCell.row, m_editCell.column);
    return cell ? cell->GetEditor() : nullptr;
}

void CGridCtrl::OnEditorClosed(int row, int column, const QString& text, int lastKey)
{
    if (m_editCell == CellPos{row, column})
        m_editCell = CellPos();
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return;
    TakeEditedText(row, column, text);
    cell->OnEndEdit();
    if (!ContinuesEditing(lastKey))
        return;
    HandleKey(lastKey, Qt::NoModifier);
    if (m_focusCell.IsValid())
        OpenCellEditor(m_focusCell.row, m_focusCell.column, lastKey);
}

bool CGridCtrl::TakeEditedText(int row, int column, const QString& text)
{
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return false;
    const QString old = cell->GetText();
    if (text == old)
        return true;
    cell->SetText(text);
    if (!ValidateEdit(row, column, text) || Notify(GN_ENDEDIT, CellPos{row, column}) < 0) {
        cell->SetText(old);
        RedrawCell(row, column);
        return false;
    }
    SetModified(true, row, column);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::ValidateEdit(int row, int column, const QString& text)
{
    CGridCellBase* cell = GetCell(row, column);
    return cell && cell->ValidateEdit(text);
}

bool CGridCtrl::ChangeCellText(int row, int column, const QString& text)
{
    if (!IsCellEditable(row, column) || Notify(GN_BEGINEDIT, CellPos{row, column}) < 0)
        return false;
    return TakeEditedText(row, column, text);
}

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
    const bool overDivider = m_mouseMode == MouseMode::OverColumnDivider || m_mouseMode == MouseMode::OverRowDivider;
    if (IsCellSelected(m_pressCell.row, m_pressCell.column)) {
        // Drag and drop of cells is not built, so a press on the selection only toggles it.
        if (ctrl) {
            SetFocusCell(m_pressCell.row, m_pressCell.column);
            SetCellState(m_pressCell.row, m_pressCell.column, cell->GetState() ^ GCS_SELECTED);
            RedrawCell(m_pressCell.row, m_pressCell.column);
        }
    } else if (!overDivider) {
        const bool body = m_pressCell.row >= m_fixedRowCount && m_pressCell.column >= m_fixedColumnCount;
        if (body)
            SetFocusCell(m_pressCell.row, m_pressCell.column);
        else
            SetFocusCell(-1, -1);
    }

    if (overDivider) {
        StartSizing();
        return;
    }
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
        case MouseMode::SelectAll:
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
        m_tip = new CCellTip(this);
    m_tip->Show(rect, over->GetTipText(), hover, over->GetFont(), m_tipTextColour, m_tipBackColour);
}

void CGridCtrl::HideTitleTip()
{
    if (m_tip && m_tip->isVisible())
        m_tip->Hide();
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
