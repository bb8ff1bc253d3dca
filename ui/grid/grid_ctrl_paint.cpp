// Painting of the grid: the four bands, each cell with its grid lines, and the background
// beyond the last row and column.
#include "ui/grid/grid_ctrl.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    if (!m_allowDraw)
        return;
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const QRect all = viewport()->rect();
    const int fixedWidth = std::min(FixedWidth(), all.width());
    const int fixedHeight = std::min(FixedHeight(), all.height());
    const int bodyWidth = all.width() - fixedWidth;
    const int bodyHeight = all.height() - fixedHeight;

    PaintOutside(painter, exposed);
    PaintBand(painter, exposed & QRect(fixedWidth, fixedHeight, bodyWidth, bodyHeight), false, false);
    PaintBand(painter, exposed & QRect(fixedWidth, 0, bodyWidth, fixedHeight), true, false);
    PaintBand(painter, exposed & QRect(0, fixedHeight, fixedWidth, bodyHeight), false, true);
    PaintBand(painter, exposed & QRect(0, 0, fixedWidth, fixedHeight), true, true);
}

void CGridCtrl::PaintOutside(QPainter& painter, const QRect& exposed) const
{
    // The grid background shows right of the last column and below the last row.
    const int right = ColumnLeft(GetColumnCount());
    const int bottom = RowTop(GetRowCount());
    const QColor background = ToQColor(m_gridBackColour);
    const QRect all = viewport()->rect();
    painter.fillRect(exposed & QRect(QPoint(right, 0), all.bottomRight()), background);
    painter.fillRect(exposed & QRect(QPoint(0, bottom), all.bottomRight()), background);
}

void CGridCtrl::PaintBand(QPainter& painter, const QRect& area, bool fixedRows, bool fixedColumns) const
{
    if (area.isEmpty())
        return;
    const AxisSpan rows = m_rows.Span(area.top(), area.bottom(), fixedRows, Scroll(Qt::Vertical));
    const AxisSpan columns = m_columns.Span(area.left(), area.right(), fixedColumns, Scroll(Qt::Horizontal));
    if (rows.IsEmpty() || columns.IsEmpty())
        return;
    painter.setClipRect(area);
    int y = RowTop(rows.first);
    for (int row = rows.first; row <= rows.last; ++row) {
        const int height = m_rows.Size(row);
        int x = ColumnLeft(columns.first);
        for (int column = columns.first; column <= columns.last; ++column) {
            const int width = m_columns.Size(column);
            if (width > 0 && height > 0)
                PaintCell(painter, row, column, QRect(x, y, width - 1, height - 1));
            x += width;
        }
        y += height;
    }
}

void CGridCtrl::PaintCell(QPainter& painter, int row, int column, const QRect& rect) const
{
    const CGridCellBase* cell = GetCell(row, column);
    cell->Draw(painter, row, column, rect);
    if (cell->IsFixed() && m_gridLines != GridLines::None)
        return;
    // The line pixels right of and below the cell: a grid line, or the cell's own background.
    const bool vertical = m_gridLines == GridLines::Vertical || m_gridLines == GridLines::Both;
    const bool horizontal = m_gridLines == GridLines::Horizontal || m_gridLines == GridLines::Both;
    const COLORREF back = cell->GetBackColor() == CLR_DEFAULT ? cell->GetDefaultCell()->GetBackColor()
                                                               : cell->GetBackColor();
    const QColor line = ToQColor(m_gridLineColour);
    const QColor fill = ToQColor(back);
    painter.fillRect(QRect(rect.right() + 1, rect.top(), 1, rect.height() + 1), vertical ? line : fill);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width() + 1, 1), horizontal ? line : fill);
}
