// What the grid does by itself in answer to the keyboard: moving the focus cell, the clipboard
// keys, and typing that opens an editor.
#include "ui/grid/grid_ctrl.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <optional>

#include "ui/grid/cell_editor.h"
#include "ui/grid/grid_announce.h"

namespace {

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
    // Read-only cells take no typing: the keys pass over them to the next cell to type into.
    return GridShape{GetFixedRowCount(), GetFixedColumnCount(), m_rows.Sizes(), m_columns.Sizes(),
        [this](CellPos cell) { return !(GetCellState(cell.row, cell.column) & GCS_READONLY); }};
}

bool CGridCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        // Tab moves between cells; Ctrl+Tab and Ctrl+Shift+Tab move to the next and the previous
        // control, as in every widget that takes Tab, so that the keyboard can always leave.
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (tab && m_handleTab) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn)
        AnnounceFocusCellAfterFocusIn(this);
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
        next.row = std::clamp(m_focusCell.row + topAfter - topBefore, GetFixedRowCount(), GetRowCount() - 1);
    else
        next.row = NextFocusCell(Shape(), m_focusCell, down ? NavigationKey::CtrlEnd : NavigationKey::CtrlHome).row;
    return next;
}

void CGridCtrl::MoveFocusByKey(CellPos next, int key, Qt::KeyboardModifiers modifiers)
{
    if (next == m_focusCell || !next.IsValid())
        return;
    // While a mouse gesture selects, the mouse has the selection; otherwise the key moves it.
    if (m_mouse.mode == MouseMode::Idle) {
        m_previousSelection.clear();
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (!(modifiers & Qt::ShiftModifier) || tab)
            m_selectionAnchor = next;
        Notify(GN_SELCHANGING, next);
        SelectRange(m_selectionAnchor, next);
        Notify(GN_SELCHANGED, next);
    }
    SetFocusCell(next.row, next.column);
    EnsureVisible(next.row, next.column);
}

void CGridCtrl::OnTypedCharacter(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || !m_focusCell.IsValid() || m_mouse.mode != MouseMode::Idle)
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
