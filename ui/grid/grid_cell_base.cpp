#include "ui/grid/grid_cell_base.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "ui/grid/grid_ctrl.h"

namespace {

QColor ColourOr(COLORREF colour, COLORREF fallback)
{
    return ToQColor(colour == CLR_DEFAULT ? fallback : colour);
}

Qt::Alignment AlignmentOf(uint32_t format)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if (format & DT_RIGHT)
        alignment = Qt::AlignRight;
    else if (format & DT_CENTER)
        alignment = Qt::AlignHCenter;
    if (format & DT_BOTTOM)
        return alignment | Qt::AlignBottom;
    if (format & DT_VCENTER)
        return alignment | Qt::AlignVCenter;
    return alignment | Qt::AlignTop;
}

// No character is narrower than a pixel but the few that take no room at all: a line of
// `width` pixels never shows more characters than this.
qsizetype ReadableLength(int width)
{
    return qsizetype(std::max(width, 0)) * 2 + 16;
}

} // namespace

ShownText FitText(const QString& text, const QFontMetrics& metrics, int width, bool ellipsis)
{
    const bool cut = text.size() > ReadableLength(width);
    ShownText shown{cut ? text.left(ReadableLength(width)) : text, 0};
    shown.width = metrics.horizontalAdvance(shown.text);
    if (ellipsis && shown.width > width) {
        shown.text = metrics.elidedText(shown.text, Qt::ElideRight, width);
        shown.width = metrics.horizontalAdvance(shown.text);
    }
    return shown;
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& other)
{
    if (this == &other)
        return *this;
    SetGrid(other.GetGrid());
    SetText(other.GetText());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColor(other.GetTextColor());
    SetBackColor(other.GetBackColor());
    SetFont(other.IsDefaultFont() ? nullptr : &other.GetFont());
    SetMargin(other.GetMargin());
    return *this;
}

const CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    const CGridCtrl* grid = GetGrid();
    return grid ? grid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
}

void CGridCellBase::Reset()
{
    m_state = 0;
}

void CGridCellBase::Draw(QPainter& painter, int row, int column, const QRect& rect) const
{
    const CGridCtrl* grid = GetGrid();
    const CGridDefaultCell* defaults = GetDefaultCell();
    if (!grid || !defaults || rect.isEmpty())
        return;

    // A disabled grid keeps the look of an enabled one, so only active colours are used.
    const QPalette& palette = grid->palette();
    QColor text = ColourOr(GetTextColor(), defaults->GetTextColor());
    QColor back = ColourOr(GetBackColor(), defaults->GetBackColor());
    if (IsSelected()) {
        text = palette.color(QPalette::Active, QPalette::HighlightedText);
        back = palette.color(QPalette::Active, QPalette::Highlight);
    }
    painter.fillRect(rect, back);
    if ((IsFocused() || IsDropHighlighted()) && grid->GetFrameFocusCell()) {
        painter.setPen(text);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    if (IsFixed() && grid->GetGridLines() != CGridCtrl::GridLines::None)
        DrawFixedEdge(painter, row, column, rect);
    DrawText(painter, rect, text);
}

void CGridCellBase::DrawFixedEdge(QPainter& painter, int row, int column, const QRect& rect) const
{
    const CGridCtrl* grid = GetGrid();
    const CellPos focus = grid->GetFocusCell();
    const bool sunken = grid->GetTrackFocusCell() && focus.IsValid()
        && (focus.row == row || focus.column == column);
    const QPalette& palette = grid->palette();
    const QColor light = palette.color(QPalette::Active, QPalette::Light);
    const QColor dark = palette.color(QPalette::Active, QPalette::Shadow);
    const QColor& topLeft = sunken ? dark : light;
    const QColor& bottomRight = sunken ? light : dark;

    // The edge covers the cell's grid lines too, so a header looks like a button.
    const QRect edge = rect.adjusted(0, 0, 1, 1);
    painter.fillRect(QRect(edge.left(), edge.top(), edge.width(), 1), topLeft);
    painter.fillRect(QRect(edge.left(), edge.top(), 1, edge.height()), topLeft);
    painter.fillRect(QRect(edge.left(), edge.bottom(), edge.width(), 1), bottomRight);
    painter.fillRect(QRect(edge.right(), edge.top(), 1, edge.height()), bottomRight);
}

void CGridCellBase::DrawText(QPainter& painter, const QRect& rect, const QColor& colour) const
{
    const QString text = GetText();
    if (text.isEmpty())
        return;
    const int margin = GetMargin();
    const QRect textRect = GetTextRect(rect).adjusted(margin, 0, -margin, 0);
    if (textRect.width() <= 0)
        return;
    const QFont& font = GetFont();
    if (!(painter.font() == font))
        painter.setFont(font);
    painter.setPen(colour);

    const uint32_t format = GetFormat() | DT_NOPREFIX;
    const QFontMetrics metrics = painter.fontMetrics();
    if (!(format & DT_SINGLELINE)) {
        // Lines of text: no more of it than the rectangle's lines can show.
        const int lines = textRect.height() / std::max(1, metrics.height()) + 1;
        const QString shown = text.left(ReadableLength(textRect.width()) * lines);
        const int wrap = (format & DT_WORDBREAK) ? int(Qt::TextWordWrap) : 0;
        painter.drawText(textRect, int(AlignmentOf(format)) | wrap, shown);
        return;
    }
    // A single line is placed by hand: drawing at a point is much cheaper than laying the
    // text out in a rectangle, and every cell of a large table goes through here.
    const ShownText fitted = GetShownText(metrics, textRect.width(), format & DT_END_ELLIPSIS);
    const QString& shown = fitted.text;
    const int width = fitted.width;
    int x = textRect.left();
    if (format & DT_RIGHT)
        x = textRect.right() + 1 - width;
    else if (format & DT_CENTER)
        x = textRect.left() + (textRect.width() - width) / 2;
    int y = textRect.top() + metrics.ascent();
    if (format & DT_BOTTOM)
        y = textRect.bottom() + 1 - metrics.descent();
    else if (format & DT_VCENTER)
        y = textRect.top() + (textRect.height() - metrics.height()) / 2 + metrics.ascent();
    // Text that still overflows (no ellipsis asked for, or too tall) is cut at the margins.
    if (width <= textRect.width() && metrics.height() <= textRect.height()) {
        painter.drawText(QPoint(x, y), shown);
        return;
    }
    painter.save();
    painter.setClipRect(textRect, Qt::IntersectClip);
    painter.drawText(QPoint(x, y), shown);
    painter.restore();
}

QSize CGridCellBase::GetTextExtent(const QString& text) const
{
    const QFontMetrics metrics(GetFont());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

ShownText CGridCellBase::GetShownText(const QFontMetrics& metrics, int width, bool ellipsis) const
{
    return FitText(GetText(), metrics, width, ellipsis);
}

QSize CGridCellBase::GetCellExtent() const
{
    const QSize extent = GetTextExtent(GetText());
    const int margin = GetMargin();
    return QSize(extent.width() + 2 * margin, extent.height() + 2 * margin);
}
