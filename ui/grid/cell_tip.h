#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include "platform/colorref.h"

// The tip that shows the whole text of a cell whose text is cut. It is a child of the grid's
// window lying over the cell, so that it may reach beyond the grid, and it lets every input
// through to the grid beneath, which hides it when the pointer leaves the cell, on a key, a
// press, scrolling and when an editor opens.
class CCellTip : public QWidget {
    Q_OBJECT

public:
    // viewport is the widget whose coordinates the rectangles below are in.
    explicit CCellTip(QWidget* viewport);

    // cellRect and hoverRect are in the coordinates of the grid's viewport. Shows nothing when
    // the text with a space on each side fits the cell, or when no window of the program has
    // the keyboard focus. CLR_DEFAULT colours are the system's tooltip colours.
    bool Show(const QRect& cellRect, const QString& text, const QRect& hoverRect, const QFont& font,
        COLORREF textColour, COLORREF backColour);
    void Hide();

    QString GetText() const { return m_text; }
    QRect GetHoverRect() const { return m_hoverRect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_viewport;
    QString m_text;
    QRect m_hoverRect;
    QColor m_textColour;
    QColor m_backColour;
};
