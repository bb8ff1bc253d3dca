#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <cstdint>

class CGridCtrl;

// The key an in-place editor starts with, and the key that ended one: the code point of a
// typed character, a Qt::Key value for keys without a character, or CellKeyMouse for a click
// and F2. Qt::Key values lie above every code point, so no character is mistaken for a key.
constexpr int CellKeyMouse = 1;

// The keys that, ending an editor, move the focus cell on and open an editor there: Tab, the
// arrows, Home, End and the page keys.
bool ContinuesEditing(int key);

// The single-line editor that opens over a cell. It ends when it loses the keyboard focus and
// then reports its text and the key that ended it to the grid; Tab, Enter, Escape and, when it
// was opened by typing, the arrows and page keys hand the focus back to the grid.
class CCellEditor : public QLineEdit {
    Q_OBJECT

public:
    CCellEditor(CGridCtrl* grid, int row, int column, const QRect& rect, uint32_t format,
        const QString& text, int firstKey);

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_column; }
    // Acts on a key as if the student had typed it into the editor.
    void TypeKey(int key);
    // Closes the editor and reports to the grid; a second call does nothing.
    void EndEdit();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void StartWith(int firstKey);
    void Leave(int key);
    void Grow();

    QPointer<CGridCtrl> m_grid;
    int m_row;
    int m_column;
    QString m_initialText;
    int m_lastKey = 0;
    bool m_exitOnArrows;
    bool m_ended = false;
};
