#include "ui/grid/cell_tip.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

#include "ui/grid/grid_cell_base.h"

CCellTip::CCellTip(QWidget* viewport)
    : QWidget(viewport->window())
    , m_viewport(viewport)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

bool CCellTip::Show(const QRect& cellRect, const QString& text, const QRect& hoverRect, const QFont& font,
    COLORREF textColour, COLORREF backColour)
{
    const QFontMetrics metrics(font);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    // The tip is never wider than the window it stands in.
    const ShownText shown = FitText(text, metrics, std::max(cellRect.width(), parentWidget()->width()), true);
    const int textWidth = shown.width;
    if (!QGuiApplication::focusWindow() || textWidth + 2 * space <= cellRect.width()) {
        Hide();
        return false;
    }
    m_text = shown.text;
    m_hoverRect = hoverRect;
    const QPalette& colours = palette();
    m_textColour = textColour == CLR_DEFAULT ? colours.color(QPalette::ToolTipText) : ToQColor(textColour);
    m_backColour = backColour == CLR_DEFAULT ? colours.color(QPalette::ToolTipBase) : ToQColor(backColour);
    setFont(font);

    const QPoint topLeft = m_viewport->mapTo(parentWidget(), cellRect.topLeft());
    setGeometry(QRect(topLeft, QSize(textWidth + 2 * space + 2, cellRect.height() + 1)));
    show();
    raise();
    update();
    return true;
}

void CCellTip::Hide()
{
    m_text.clear();
    hide();
}

void CCellTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColour);
    painter.setPen(m_textColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int space = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    painter.drawText(rect().adjusted(space + 1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}
