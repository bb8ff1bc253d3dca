#include "ui/table_grids.h"

#include <QString>

#include "ui/grid/grid_ctrl.h"
#include "ui/table_places.h"

namespace {

constexpr COLORREF kTableBackground = RGB(255, 255, 224);

QString Text(const TableCell& cell, DisplayMode mode)
{
    const std::string text = CellText(cell, mode);
    // A value's text is digits and signs only, which the quicker conversion takes as they are.
    if (cell.kind == TableCell::Kind::Value)
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromStdString(text);
}

bool SameContent(const TableCell& a, const TableCell& b)
{
    return a.kind == b.kind && a.text == b.text && (a.kind != TableCell::Kind::Value || a.value == b.value);
}

void SetUpLook(CGridCtrl& grid, COLORREF background)
{
    grid.GetDefaultCell(false, false)->SetBackColor(background);
    grid.SetRowResize(false);
    grid.SetColumnResize(false);
    grid.EnableSelection(false);
    // The tables are the run's to write: the student answers in the step dialogs.
    grid.SetEditable(false);
}

void ShowCell(CGridCtrl& grid, TablePlace place, const TableCell& cell, DisplayMode mode)
{
    const GridCell at = TableGridPlaces::Cell(place);
    grid.SetCellText(at.row, at.column, Text(cell, mode));
    grid.SetCellBackColor(at.row, at.column, MarkColour(cell.mark));
}

} // namespace

COLORREF MarkColour(CellMark mark)
{
    switch (mark) {
    case CellMark::Asked: return PromptColour;
    case CellMark::Column: return ChoiceColour;
    case CellMark::Candidate: return CandidateColour;
    case CellMark::None: break;
    }
    return CLR_DEFAULT;
}

void SetUpTableGrid(CGridCtrl& grid, int lastTableRow, int unknownCount, int columnWidth)
{
    SetUpLook(grid, kTableBackground);
    grid.SetColumnCount(TableGridPlaces::ColumnCount(unknownCount));
    grid.SetFixedRowCount(TableGridPlaces::FixedRows);
    grid.SetRowCount(TableGridPlaces::RowCount(lastTableRow));
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        grid.SetColumnWidth(c, columnWidth);
}

void ShowTableView(CGridCtrl& grid, const TableView& table, DisplayMode mode)
{
    table.ForEachPlace([&](TablePlace place) { ShowCell(grid, place, table.At(place), mode); });
    grid.Refresh();
}

TableGrids::TableGrids(CGridCtrl& main, CGridCtrl& keyRow, DisplayMode mode, int columnWidth)
    : main(main), keyRow(keyRow), mode(mode), columnWidth(columnWidth)
{
}

void TableGrids::SetUp(int lastTableRow, int unknownCount)
{
    SetUpTableGrid(main, lastTableRow, unknownCount, columnWidth);
    SetUpLook(keyRow, ChoiceColour);
    keyRow.SetRowCount(1);
}

void TableGrids::Show(const TableState& state)
{
    ShowTable(state.table);
    ShowKeyRow(state.keyRow);
    if (state.pointed != shownPointed) {
        shownPointed = state.pointed;
        if (state.pointed) {
            const GridCell cell = TableGridPlaces::Cell(*state.pointed);
            main.SetFocusCell(cell.row, cell.column);
        }
    }
    ShowPlaceInSight(state);
}

void TableGrids::ShowTable(const TableView& table)
{
    // Within one table only what changed is written again; a new table is written whole.
    const bool sameTable = tableShown && shownTable.Version() == table.Version();
    bool changed = false;
    table.ForEachPlace([&](TablePlace place) {
        const TableCell& cell = table.At(place);
        const TableCell* shown = sameTable ? &shownTable.At(place) : nullptr;
        const bool newText = shown == nullptr || !SameContent(*shown, cell);
        // The grid's cells start unmarked.
        const bool newMark = shown != nullptr ? shown->mark != cell.mark : tableShown || cell.mark != CellMark::None;
        if (!newText && !newMark)
            return;
        const GridCell at = TableGridPlaces::Cell(place);
        if (newText)
            main.SetCellText(at.row, at.column, Text(cell, mode));
        if (newMark)
            main.SetCellBackColor(at.row, at.column, MarkColour(cell.mark));
        if (sameTable)
            shownTable.At(place) = cell;
        changed = true;
    });
    if (!changed)
        return;
    if (!sameTable) {
        shownTable = table;
        tableShown = true;
    }
    main.Refresh();
}

void TableGrids::ShowKeyRow(const TableRow& row)
{
    if (row == shownKeyRow)
        return;
    if (row.Empty()) {
        keyRow.DeleteAllCells();
    } else {
        if (shownKeyRow.Empty()) {
            keyRow.SetRowCount(1);
            keyRow.SetColumnCount(TableGridPlaces::Column(row.LastColumn()) + 1);
            for (int c = 0; c < keyRow.GetColumnCount(); ++c)
                keyRow.SetColumnWidth(c, columnWidth);
        }
        for (int column = TablePlace::PriceColumn; column <= row.LastColumn(); ++column) {
            const int at = TableGridPlaces::Column(column);
            keyRow.SetCellText(0, at, Text(row.At(column), mode));
            keyRow.SetCellBackColor(0, at, MarkColour(row.At(column).mark));
        }
    }
    shownKeyRow = row;
    keyRow.Refresh();
}

// A question keeps what it is about in sight once, when it is put; the student may scroll away.
void TableGrids::ShowPlaceInSight(const TableState& state)
{
    if (state.tableInSight != shownInSight) {
        shownInSight = state.tableInSight;
        const GridCell at =
            TableGridPlaces::Cell({state.tableInSight.row.value_or(0), state.tableInSight.column.value_or(0)});
        if (state.tableInSight.row)
            main.EnsureRowVisible(at.row);
        if (state.tableInSight.column)
            main.EnsureColumnVisible(at.column);
    }
    if (state.keyRowColumnInSight != shownKeyRowInSight) {
        shownKeyRowInSight = state.keyRowColumnInSight;
        if (state.keyRowColumnInSight)
            keyRow.EnsureColumnVisible(TableGridPlaces::Column(*state.keyRowColumnInSight));
    }
}

TableSnapshot TableGrids::Snapshot(const TableView& table) const
{
    TableSnapshot snapshot(TableGridPlaces::RowCount(table.LastRow()),
                           std::vector<std::string>(TableGridPlaces::ColumnCount(table.UnknownCount())));
    table.ForEachPlace([&](TablePlace place) {
        const GridCell at = TableGridPlaces::Cell(place);
        snapshot[at.row][at.column] = CellText(table.At(place), mode);
    });
    return snapshot;
}
