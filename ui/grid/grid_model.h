#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/grid/grid_cell.h"

// The cells of a grid, row by row, and the four default cells whose looks they fall back on.
// The store knows nothing of painting or input; it grows only as a whole: new rows or columns
// are built completely before any of them is taken in, so that running out of memory leaves
// the store exactly as it was.
class CGridModel {
public:
    // Makes the cell for a position; may throw std::bad_alloc.
    using CellFactory = std::function<std::unique_ptr<CGridCellBase>(int row, int column)>;

    int RowCount() const { return int(m_rows.size()); }
    int ColumnCount() const { return m_columnCount; }
    bool IsValid(int row, int column) const
    {
        return row >= 0 && row < RowCount() && column >= 0 && column < m_columnCount;
    }
    // nullptr outside the store.
    CGridCellBase* Cell(int row, int column) const { return IsValid(row, column) ? m_rows[row][column].get() : nullptr; }

    // The default cell for ordinary cells, fixed-column, fixed-row or corner cells.
    CGridDefaultCell& DefaultCell(bool fixedRow, bool fixedColumn);
    const CGridDefaultCell& DefaultCell(bool fixedRow, bool fixedColumn) const;
    // The four default cells, for settings that apply to all of them.
    std::vector<CGridDefaultCell*> DefaultCells();

    // Grow to `count` rows (columns) made by the factory; false, and nothing changed, when
    // memory runs out. `prepare` runs after the new cells are made and before they are taken
    // in: whatever else must grow with them reserves its memory there.
    bool GrowRows(int count, const CellFactory& make, const std::function<void()>& prepare);
    bool GrowColumns(int count, const CellFactory& make, const std::function<void()>& prepare);
    // Drop the rows (columns) from `count` on; the caller has let go of their cells first.
    void ShrinkRows(int count);
    void ShrinkColumns(int count);
    void Clear();

    template <typename Visit>
    void ForEachCell(Visit visit) const
    {
        for (const Row& cells : m_rows)
            for (const auto& cell : cells)
                visit(*cell);
    }

private:
    using Row = std::vector<std::unique_ptr<CGridCellBase>>;

    std::vector<Row> m_rows;
    int m_columnCount = 0;

    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;
};
