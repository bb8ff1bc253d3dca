#include "ui/grid/grid_model.h"

#include <new>

CGridDefaultCell& CGridModel::DefaultCell(bool fixedRow, bool fixedColumn)
{
    return const_cast<CGridDefaultCell&>(std::as_const(*this).DefaultCell(fixedRow, fixedColumn));
}

const CGridDefaultCell& CGridModel::DefaultCell(bool fixedRow, bool fixedColumn) const
{
    if (fixedRow && fixedColumn)
        return m_cellFixedRowColDef;
    if (fixedRow)
        return m_cellFixedRowDef;
    if (fixedColumn)
        return m_cellFixedColDef;
    return m_cellDefault;
}

std::vector<CGridDefaultCell*> CGridModel::DefaultCells()
{
    return {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
}

bool CGridModel::GrowRows(int count, const CellFactory& make, const std::function<void()>& prepare)
{
    try {
        std::vector<Row> added;
        added.reserve(count - RowCount());
        for (int row = RowCount(); row < count; ++row) {
            Row& cells = added.emplace_back();
            cells.reserve(m_columnCount);
            for (int column = 0; column < m_columnCount; ++column)
                cells.push_back(make(row, column));
        }
        m_rows.reserve(count);
        prepare();
        for (Row& cells : added)
            m_rows.push_back(std::move(cells));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CGridModel::GrowColumns(int count, const CellFactory& make, const std::function<void()>& prepare)
{
    try {
        std::vector<Row> added(m_rows.size());
        for (int row = 0; row < RowCount(); ++row) {
            added[row].reserve(count - m_columnCount);
            for (int column = m_columnCount; column < count; ++column)
                added[row].push_back(make(row, column));
        }
        // Only capacity changes here: a failure part way leaves every row as it was.
        for (Row& cells : m_rows)
            cells.reserve(count);
        prepare();
        for (int row = 0; row < RowCount(); ++row)
            for (auto& cell : added[row])
                m_rows[row].push_back(std::move(cell));
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_columnCount = count;
    return true;
}

void CGridModel::ShrinkRows(int count)
{
    if (count < RowCount())
        m_rows.resize(count);
}

void CGridModel::ShrinkColumns(int count)
{
    if (count >= m_columnCount)
        return;
    for (Row& cells : m_rows)
        cells.resize(count);
    m_columnCount = count;
}

void CGridModel::Clear()
{
    m_rows.clear();
    m_columnCount = 0;
}
