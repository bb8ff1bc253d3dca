#include "ui/grid/grid_announce.h"

#include <QAccessible>

#include <algorithm>

#include "ui/grid/grid_accessible.h"
#include "ui/grid/grid_ctrl.h"

namespace {

QAccessibleInterface* CellInterfaceOf(CGridCtrl* grid, int row, int column)
{
    auto* table = dynamic_cast<CGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
    return table ? table->CellInterface(row, column) : nullptr;
}

void AnnounceCell(CGridCtrl* grid, int row, int column, QAccessible::Event type)
{
    if (QAccessibleInterface* cell = CellInterfaceOf(grid, row, column)) {
        QAccessibleEvent event(cell, type);
        QAccessible::updateAccessibility(&event);
    }
}

// Rows or columns at the end of the body when nothing else changed, else a new table.
void DescribeShapeChange(QAccessibleTableModelChangeEvent& event, const GridCounts& before, const GridCounts& after)
{
    using Change = QAccessibleTableModelChangeEvent;
    if (before.fixedRows != after.fixedRows || before.fixedColumns != after.fixedColumns)
        return;
    const int rowsBefore = before.BodyRows();
    const int rowsAfter = after.BodyRows();
    const int columnsBefore = before.BodyColumns();
    const int columnsAfter = after.BodyColumns();
    if (columnsBefore == columnsAfter && rowsBefore != rowsAfter) {
        event.setModelChangeType(rowsAfter > rowsBefore ? Change::RowsInserted : Change::RowsRemoved);
        event.setFirstRow(std::min(rowsBefore, rowsAfter));
        event.setLastRow(std::max(rowsBefore, rowsAfter) - 1);
    } else if (rowsBefore == rowsAfter && columnsBefore != columnsAfter) {
        event.setModelChangeType(columnsAfter > columnsBefore ? Change::ColumnsInserted : Change::ColumnsRemoved);
        event.setFirstColumn(std::min(columnsBefore, columnsAfter));
        event.setLastColumn(std::max(columnsBefore, columnsAfter) - 1);
    }
}

} // namespace

void AnnounceFocusCell(CGridCtrl* grid)
{
    if (!QAccessible::isActive() || !grid->hasFocus())
        return;
    const CellPos focus = grid->GetFocusCell();
    AnnounceCell(grid, focus.row, focus.column, QAccessible::Focus);
}

void AnnounceFocusCellAfterFocusIn(CGridCtrl* grid)
{
    if (QAccessible::isActive())
        QMetaObject::invokeMethod(grid, [grid] { AnnounceFocusCell(grid); }, Qt::QueuedConnection);
}

CCellTextAnnouncer::CCellTextAnnouncer(CGridCtrl* grid, int row, int column)
    : m_grid(grid), m_row(row), m_column(column), m_listening(QAccessible::isActive())
{
    if (m_listening)
        m_oldText = grid->GetCellText(row, column);
}

CCellTextAnnouncer::~CCellTextAnnouncer()
{
    if (m_listening && QAccessible::isActive() && m_grid->GetCellText(m_row, m_column) != m_oldText)
        AnnounceCell(m_grid, m_row, m_column, QAccessible::NameChanged);
}

CGridShapeAnnouncer::CGridShapeAnnouncer(CGridCtrl* grid)
    : m_grid(grid), m_listening(QAccessible::isActive())
{
    if (m_listening)
        m_before = CountsOf(*grid);
}

CGridShapeAnnouncer::~CGridShapeAnnouncer()
{
    if (!m_listening || !QAccessible::isActive())
        return;
    const GridCounts after = CountsOf(*m_grid);
    if (after == m_before)
        return;
    QAccessibleTableModelChangeEvent event(m_grid, QAccessibleTableModelChangeEvent::ModelReset);
    DescribeShapeChange(event, m_before, after);
    QAccessible::updateAccessibility(&event);
}
