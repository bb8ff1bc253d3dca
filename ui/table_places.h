#pragma once

#include "core/table_state.h"

// Where the program's tables stand in their grids: the one place that knows it.

struct GridCell {
    int row = 0;
    int column = 0;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The table window's main grid: the objective in row 0, the headings in row 1, equation i in row
// i + 1 and the index row below them; the prices in column 0, the basic unknowns in column 1,
// matrix column c in column c + 1. The key-row grid is one row with the same columns.
struct TableGridPlaces {
    static GridCell Cell(TablePlace place)
    {
        const int row = place.row == TablePlace::HeadingRow ? 1 : place.row == 0 ? 0 : place.row + 1;
        return {row, Column(place.column)};
    }
    static int Column(int tableColumn) { return tableColumn - TablePlace::PriceColumn; }
    // Down to the table's last row: the index row, or its parts at M below it.
    static int RowCount(int lastTableRow) { return lastTableRow + 2; }
    static int ColumnCount(int unknownCount) { return unknownCount + 3; }
    // The grid's fixed rows: the objective and the headings.
    static constexpr int FixedRows = 2;
};

// The wizard's matrix page. Equation i is row i of the matrix grid: unknown k's coefficient in
// column k - 1, then the sign, then the right-hand side; row 0 holds the headings. The objective
// is row 1 of its grid: the free term in column 0, then unknown k's coefficient in column k.
struct MatrixPageCells {
    int unknownCount;

    int CoefficientColumn(int unknown) const { return unknown - 1; }
    int SignColumn() const { return unknownCount; }
    int RightHandSideColumn() const { return unknownCount + 1; }
    int MatrixColumns() const { return unknownCount + 2; }

    static constexpr int ObjectiveRow = 1;
    static constexpr int FreeTermColumn = 0;
    int ObjectiveColumn(int unknown) const { return unknown; }
    int ObjectiveColumns() const { return unknownCount + 1; }
};
