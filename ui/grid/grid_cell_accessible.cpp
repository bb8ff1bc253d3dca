#include "ui/grid/grid_cell_accessible.h"

#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

#include "ui/grid/grid_accessible.h"
#include "ui/grid/grid_ctrl.h"

namespace {

QString JoinedTexts(const CGridCtrl& grid, int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    QStringList texts;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            if (const QString text = grid.GetCellText(row, column); !text.isEmpty())
                texts << text;
    return texts.join(QLatin1Char(' '));
}

} // namespace

QString ColumnHeaderText(const CGridCtrl& grid, int column)
{
    return JoinedTexts(grid, 0, grid.GetFixedRowCount() - 1, column, column);
}

QString RowHeaderText(const CGridCtrl& grid, int row)
{
    return JoinedTexts(grid, row, row, 0, grid.GetFixedColumnCount() - 1);
}

QString CellTitle(const CGridCtrl& grid, int row, int column)
{
    QString columnPart = ColumnHeaderText(grid, column);
    if (columnPart.isEmpty())
        columnPart =
            QCoreApplication::translate("CGridCtrl", "столбец %1").arg(column - grid.GetFixedColumnCount() + 1);
    QString rowPart = RowHeaderText(grid, row);
    if (rowPart.isEmpty())
        rowPart = QCoreApplication::translate("CGridCtrl", "строка %1").arg(row - grid.GetFixedRowCount() + 1);
    return columnPart + QStringLiteral(", ") + rowPart;
}

CGridCellAccessible::CGridCellAccessible(CGridCtrl* grid, int row, int column)
    : m_grid(grid), m_row(row), m_column(column)
{
}

bool CGridCellAccessible::isValid() const { return m_grid && m_grid->IsValid(m_row, m_column); }

bool CGridCellAccessible::InBody() const
{
    return m_row >= m_grid->GetFixedRowCount() && m_column >= m_grid->GetFixedColumnCount();
}

CGridAccessible* CGridCellAccessible::Table() const
{
    return m_grid ? dynamic_cast<CGridAccessible*>(QAccessible::queryAccessibleInterface(m_grid)) : nullptr;
}

QWindow* CGridCellAccessible::window() const
{
    const QAccessibleInterface* grid = parent();
    return grid ? grid->window() : nullptr;
}

QAccessibleInterface* CGridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr;
}

QString CGridCellAccessible::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name || !isValid())
        return QString();
    return m_grid->GetCellText(m_row, m_column);
}

QRect CGridCellAccessible::rect() const
{
    QRect cell;
    if (!isValid() || !m_grid->GetCellRect(m_row, m_column, &cell))
        return QRect();
    return QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role CGridCellAccessible::role() const
{
    if (!isValid() || InBody())
        return QAccessible::Cell;
    return m_row < m_grid->GetFixedRowCount() ? QAccessible::ColumnHeader : QAccessible::RowHeader;
}

QAccessible::State CGridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const CGridCtrl& grid = *m_grid;
    state.disabled = !grid.isEnabled();
    state.invisible = !grid.isVisible();
    state.offscreen = !grid.IsCellVisible(m_row, m_column);
    // The headers take neither the focus nor typing, whatever their state bits say.
    if (InBody()) {
        state.focusable = true;
        state.focused = grid.hasFocus() && grid.GetFocusCell() == CellPos{m_row, m_column};
        state.selectable = grid.IsSelectable();
        state.selected = grid.IsCellSelected(m_row, m_column);
        state.editable = grid.IsCellEditable(m_row, m_column);
    }
    state.readOnly = !state.editable;
    return state;
}

void* CGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface && isValid() && InBody())
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool CGridCellAccessible::isSelected() const { return isValid() && m_grid->IsCellSelected(m_row, m_column); }

// The header next to the body comes first: a screen reader that speaks one header speaks that
// one, the unknown's name under the table's row of prices.
QList<QAccessibleInterface*> CGridCellAccessible::HeaderCells(bool ofColumn) const
{
    QList<QAccessibleInterface*> headers;
    const CGridAccessible* table = isValid() ? Table() : nullptr;
    if (!table)
        return headers;
    for (int fixed = (ofColumn ? m_grid->GetFixedRowCount() : m_grid->GetFixedColumnCount()) - 1; fixed >= 0; --fixed)
        headers << (ofColumn ? table->CellInterface(fixed, m_column) : table->CellInterface(m_row, fixed));
    return headers;
}

int CGridCellAccessible::columnIndex() const { return m_grid ? m_column - m_grid->GetFixedColumnCount() : -1; }

int CGridCellAccessible::rowIndex() const { return m_grid ? m_row - m_grid->GetFixedRowCount() : -1; }

QAccessibleInterface* CGridCellAccessible::table() const { return parent(); }
