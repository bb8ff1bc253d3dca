#pragma once

#include <optional>

#include "core/table_state.h"
#include "platform/colorref.h"
#include "report/report_writer.h"

class CGridCtrl;

// Highlights of a run, as grid cell backgrounds.
constexpr COLORREF PromptColour = RGB(254, 204, 163);    // the cell being asked
constexpr COLORREF ChoiceColour = RGB(199, 178, 153);    // the column being chosen; the key-row grid
constexpr COLORREF CandidateColour = RGB(199, 0, 0);     // the candidate key element

// The background of a mark; an unmarked cell takes its grid's default.
COLORREF MarkColour(CellMark mark);

// A grid laid out and looking as the table window's main grid, for a table down to its last row,
// of n unknowns: its headings fixed, its cells read-only, every column `columnWidth` pixels wide.
void SetUpTableGrid(CGridCtrl& grid, int lastTableRow, int unknownCount, int columnWidth);
// Writes a whole table into such a grid, each cell's text and the colour of its mark.
void ShowTableView(CGridCtrl& grid, const TableView& table, DisplayMode mode);

// Shows a run's state in the table window's two grids: the current table in the main grid and,
// at the first pivot, the key row of the new table in the one-row grid. Only what changed since
// the last showing is written again.
class TableGrids {
public:
    TableGrids(CGridCtrl& main, CGridCtrl& keyRow, DisplayMode mode, int columnWidth);

    // The grids' shape and look for a table down to its last row, of n unknowns.
    void SetUp(int lastTableRow, int unknownCount);
    void Show(const TableState& state);

    // A table's texts as the main grid shows them, by grid row and column.
    TableSnapshot Snapshot(const TableView& table) const;

private:
    void ShowTable(const TableView& table);
    void ShowKeyRow(const TableRow& row);
    void ShowPlaceInSight(const TableState& state);

    CGridCtrl& main;
    CGridCtrl& keyRow;
    DisplayMode mode;
    int columnWidth;
    TableView shownTable;
    bool tableShown = false;
    TableRow shownKeyRow;
    std::optional<TablePlace> shownPointed;
    InSight shownInSight;
    std::optional<int> shownKeyRowInSight;
};
