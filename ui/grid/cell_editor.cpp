#include "ui/grid/cell_editor.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

#include "ui/grid/grid_cell_accessible.h"
#include "ui/grid/grid_ctrl.h"

namespace {

// Shared by all editors: closing one can move the focus, and that must not end it twice.
bool endingEdit = false;

// An editor opened by one of these keys (or a space) starts with its whole text selected.
bool SelectsWholeText(int key)
{
    return key == ' ' || ContinuesEditing(key);
}

Qt::Alignment AlignmentOf(uint32_t format)
{
    if (format & DT_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (format & DT_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

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

CCellEditor::CCellEditor(CGridCtrl* grid, int row, int column, const QRect& rect, uint32_t format,
    const QString& text, int firstKey)
    : QLineEdit(grid->viewport())
    , m_grid(grid)
    , m_row(row)
    , m_column(column)
    , m_initialText(text)
    , m_exitOnArrows(firstKey != CellKeyMouse)
{
    setFont(grid->font());
    setAlignment(AlignmentOf(format));
    setTextMargins(0, 0, 0, 0);
    setGeometry(rect);
    setAccessibleName(CellTitle(*grid, row, column));
    setText(text);
    connect(this, &QLineEdit::textChanged, this, &CCellEditor::Grow);
    show();
    setFocus(Qt::OtherFocusReason);
    StartWith(firstKey);
}

void CCellEditor::StartWith(int firstKey)
{
    if (firstKey == CellKeyMouse || firstKey == Qt::Key_Return || firstKey == Qt::Key_Enter) {
        end(false);
    } else if (firstKey == Qt::Key_Backspace) {
        end(false);
        backspace();
    } else if (SelectsWholeText(firstKey)) {
        selectAll();
    } else {
        selectAll();
        TypeKey(firstKey);
    }
}

void CCellEditor::TypeKey(int key)
{
    if (key == Qt::Key_Backspace) {
        backspace();
        return;
    }
    const char32_t codePoint = char32_t(key);
    if (key >= ' ' && codePoint <= 0x10FFFF)
        insert(QString::fromUcs4(&codePoint, 1));
}

bool CCellEditor::event(QEvent* event)
{
    // An open editor claims every key but the window's open and save commands: no other shortcut
    // of the dialog and no focus change by Tab. The window takes the typed text before it saves.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Open) || key->matches(QKeySequence::Save))
            return QLineEdit::event(event);
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        // Ctrl+Tab leaves the grid: the edit ends in place, and the grid passes the focus on.
        if (tab && (keyEvent->modifiers() & Qt::ControlModifier)) {
            const QPointer<CGridCtrl> grid = m_grid;
            Leave(0);
            if (grid)
                QCoreApplication::sendEvent(grid, keyEvent);
            return true;
        }
        if (tab) {
            keyPressEvent(keyEvent);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellEditor::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    event->accept();
    switch (key) {
    case Qt::Key_Tab:
        Leave(event->modifiers() & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab);
        return;
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Leave(key);
        return;
    case Qt::Key_Escape:
        setText(m_initialText);
        Leave(key);
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_exitOnArrows || ctrl) {
            Leave(key);
            return;
        }
        break;
    default:
        if ((event->modifiers() & Qt::AltModifier) && !event->text().isEmpty())
            return;
        break;
    }
    QLineEdit::keyPressEvent(event);
    // Keys the line edit does not use would otherwise reach the grid behind it.
    event->accept();
}

void CCellEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu takes the focus for a moment; that is still editing.
    if (event->reason() != Qt::PopupFocusReason)
        EndEdit();
}

void CCellEditor::Leave(int key)
{
    m_lastKey = key;
    if (m_grid)
        m_grid->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CCellEditor::EndEdit()
{
    if (endingEdit || m_ended)
        return;
    endingEdit = true;
    m_ended = true;
    // Hiding a focused widget would pass the focus on to the next control of the dialog.
    if (hasFocus() && m_grid)
        m_grid->setFocus(Qt::OtherFocusReason);
    const QString edited = text();
    hide();
    deleteLater();
    endingEdit = false;
    if (m_grid)
        m_grid->OnEditorClosed(m_row, m_column, edited, m_lastKey);
}

void CCellEditor::Grow()
{
    // The editor widens as the text grows, up to the grid's right edge.
    const int needed = fontMetrics().horizontalAdvance(text() + QStringLiteral("  "));
    if (needed <= width())
        return;
    const int limit = parentWidget()->width() - x();
    resize(std::max(width(), std::min(needed, limit)), height());
}
