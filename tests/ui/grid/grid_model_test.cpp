#include "ui/grid/grid_ctrl.h"

#include <QPalette>

#include <gtest/gtest.h>

#include <climits>
#include <new>

namespace {

constexpr COLORREF Prompt = RGB(254, 204, 163);

// A grid shaped like the table window's: rows 0 and 1 fixed, one fixed column.
struct GridModel : testing::Test {
    CGridCtrl grid;

    void SetUp() override
    {
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(2);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(5);
    }
};

TEST(GridModelEmpty, NewGridHasNoCells)
{
    CGridCtrl grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetCellText(0, 0), "");
    EXPECT_FALSE(grid.SetCellText(0, 0, "1"));
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
}

TEST(GridModelEmpty, FixedRowCountCreatesTheRowsItNeeds)
{
    CGridCtrl grid;
    grid.SetColumnCount(2);
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetCellState(0, 1), GCS_FIXED | GCS_FIXEDROW);
}

TEST_F(GridModel, NewCellsCarryTheirFixedBitsAndDefaultFormat)
{
    grid.SetColumnCount(7);
    EXPECT_EQ(grid.GetCellState(0, 0), GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL);
    EXPECT_EQ(grid.GetCellState(1, 6), GCS_FIXED | GCS_FIXEDROW);
    EXPECT_EQ(grid.GetCellState(4, 0), GCS_FIXED | GCS_FIXEDCOL);
    EXPECT_EQ(grid.GetCellState(4, 6), 0u);
    EXPECT_EQ(grid.GetCell(4, 6)->GetFormat(), 0x8824u);
    EXPECT_EQ(grid.GetColumnWidth(6), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_EQ(grid.GetRowHeight(4), grid.GetDefaultCell(false, false)->GetHeight());
}

TEST_F(GridModel, InvalidIndicesChangeNothing)
{
    const CellPos invalid[] = {{-1, 1}, {1, -1}, {5, 1}, {1, 6}, {100, 100}};
    for (const CellPos& cell : invalid) {
        SCOPED_TRACE(testing::Message() << cell.row << ", " << cell.column);
        EXPECT_FALSE(grid.SetCellText(cell.row, cell.column, "7"));
        EXPECT_EQ(grid.GetCellText(cell.row, cell.column), "");
        EXPECT_FALSE(grid.SetCellState(cell.row, cell.column, GCS_READONLY));
        EXPECT_EQ(grid.GetCellState(cell.row, cell.column), 0u);
        EXPECT_FALSE(grid.SetCellBackColor(cell.row, cell.column, Prompt));
        EXPECT_EQ(grid.GetCellBackColor(cell.row, cell.column), 0u);
        EXPECT_FALSE(grid.IsCellEditable(cell.row, cell.column));
    }
    EXPECT_FALSE(grid.SetColumnWidth(6, 50));
    EXPECT_FALSE(grid.SetColumnWidth(2, -1));
    EXPECT_EQ(grid.GetColumnWidth(-1), 0);
    EXPECT_TRUE(grid.SetColumnWidth(2, 0));
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
}

TEST_F(GridModel, FocusInFixedRowsOrColumnsMovesIntoTheBody)
{
    EXPECT_EQ(grid.SetFocusCell(0, 3), CellPos());
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 3}));
    EXPECT_TRUE(grid.GetCellState(2, 3) & GCS_FOCUSED);

    EXPECT_EQ(grid.SetFocusCell(3, 0), (CellPos{2, 3}));
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{3, 1}));
    EXPECT_FALSE(grid.GetCellState(2, 3) & GCS_FOCUSED);

    grid.SetFocusCell(-1, -1);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
    EXPECT_FALSE(grid.GetCellState(3, 1) & GCS_FOCUSED);
}

TEST_F(GridModel, ShrinkingRowsClearsFocusAndLowersFixedCount)
{
    grid.SetFocusCell(4, 2);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetCellText(1, 1), "");
}

TEST_F(GridModel, TurningRowsFixedResetsTheirColours)
{
    grid.SetCellBackColor(2, 3, Prompt);
    grid.SetCellTextColor(2, 0, Prompt);
    grid.SetFixedRowCount(3);
    EXPECT_EQ(grid.GetCellBackColor(2, 3), CLR_DEFAULT);
    EXPECT_EQ(grid.GetCellTextColor(2, 0), CLR_DEFAULT);
    EXPECT_EQ(grid.GetCellState(2, 3), GCS_FIXED | GCS_FIXEDROW);
}

TEST_F(GridModel, RowsLeavingTheFixedBandKeepOnlyTheirColumnBits)
{
    grid.SetCellBackColor(1, 0, Prompt);
    grid.SetCellBackColor(1, 3, Prompt);
    grid.SetFocusCell(3, 3);
    grid.SetFixedRowCount(1);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
    EXPECT_EQ(grid.GetCellState(1, 0), GCS_FIXED | GCS_FIXEDCOL);
    EXPECT_EQ(grid.GetCellBackColor(1, 0), Prompt);
    EXPECT_EQ(grid.GetCellState(1, 3), 0u);
    EXPECT_EQ(grid.GetCellBackColor(1, 3), CLR_DEFAULT);
}

TEST_F(GridModel, DefaultColourRoundTrip)
{
    EXPECT_EQ(grid.GetCellBackColor(3, 3), CLR_DEFAULT);
    grid.SetCellBackColor(3, 3, Prompt);
    EXPECT_EQ(grid.GetCellBackColor(3, 3), Prompt);
    grid.SetCellBackColor(3, 3, grid.GetCellBackColor(4, 4));
    EXPECT_EQ(grid.GetCellBackColor(3, 3), CLR_DEFAULT);
}

TEST_F(GridModel, ReadOnlyBitStopsEditing)
{
    EXPECT_TRUE(grid.IsCellEditable(3, 3));
    grid.SetCellState(3, 3, grid.GetCellState(3, 3) | GCS_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(3, 3));
    EXPECT_TRUE(grid.IsCellEditable(3, 4));
    grid.SetEditable(false);
    EXPECT_FALSE(grid.IsCellEditable(3, 4));
}

TEST_F(GridModel, SelectedBitFollowsTheSelectedSet)
{
    grid.SetCellState(3, 3, GCS_SELECTED);
    grid.SetFocusCell(3, 3);
    EXPECT_TRUE(grid.IsCellSelected(3, 3));
    grid.ResetSelection();
    EXPECT_FALSE(grid.GetCellState(3, 3) & GCS_SELECTED);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());

    grid.SetCellState(3, 3, GCS_SELECTED);
    grid.EnableSelection(false);
    EXPECT_FALSE(grid.IsCellSelected(3, 3));
    EXPECT_FALSE(grid.IsSelectable());
}

TEST_F(GridModel, DeleteAllCellsLeavesFreshCellsBehind)
{
    grid.SetCellText(3, 3, "12");
    grid.SetCellBackColor(3, 3, Prompt);
    grid.SetCellState(3, 3, GCS_READONLY);
    grid.SetFocusCell(3, 3);
    ASSERT_TRUE(grid.DeleteAllCells());
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());

    grid.SetRowCount(5);
    grid.SetColumnCount(6);
    EXPECT_EQ(grid.GetCellText(3, 3), "");
    EXPECT_EQ(grid.GetCellBackColor(3, 3), CLR_DEFAULT);
    EXPECT_EQ(grid.GetCellState(3, 3), 0u);
    EXPECT_EQ(grid.GetCell(3, 3)->GetFormat(), 0x8824u);
}

TEST_F(GridModel, ClearingTheGridModifiedFlagClearsTheCellBits)
{
    grid.SetCellText(3, 3, "1/2");
    EXPECT_TRUE(grid.GetCellState(3, 3) & GCS_MODIFIED);
    EXPECT_TRUE(grid.GetModified());
    grid.SetModified(false);
    EXPECT_FALSE(grid.GetCellState(3, 3) & GCS_MODIFIED);
    EXPECT_FALSE(grid.GetModified());
}

// A grid whose memory runs out after a given number of new cells.
class ScarceGrid : public CGridCtrl {
public:
    int cellsLeft = INT_MAX;

protected:
    CGridCellBase* CreateCell(int row, int column) override
    {
        if (cellsLeft-- <= 0)
            throw std::bad_alloc();
        return CGridCtrl::CreateCell(row, column);
    }
};

void ExpectWholeGrid(const CGridCtrl& grid, int rows, int columns)
{
    EXPECT_EQ(grid.GetRowCount(), rows);
    EXPECT_EQ(grid.GetColumnCount(), columns);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            ASSERT_EQ(grid.GetCellText(row, column), QStringLiteral("%1,%2").arg(row).arg(column)) << row << " " << column;
    EXPECT_EQ(grid.GetCell(rows, 0), nullptr);
    EXPECT_EQ(grid.GetCell(0, columns), nullptr);
    EXPECT_EQ(grid.GetRowHeight(rows), 0);
    EXPECT_EQ(grid.GetColumnWidth(columns), 0);
}

TEST(GridGrowth, RunningOutOfMemoryLeavesTheGridAsItWas)
{
    ScarceGrid grid;
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetRowCount(3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            grid.SetCellText(row, column, QStringLiteral("%1,%2").arg(row).arg(column));
    grid.SetFocusCell(2, 3);

    grid.cellsLeft = 5;
    EXPECT_FALSE(grid.SetRowCount(10));
    ExpectWholeGrid(grid, 3, 4);
    grid.cellsLeft = 2;
    EXPECT_FALSE(grid.SetColumnCount(10));
    ExpectWholeGrid(grid, 3, 4);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 3}));
    grid.cellsLeft = 0;
    EXPECT_FALSE(grid.SetFixedRowCount(5));
    ExpectWholeGrid(grid, 3, 4);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);

    // With memory again the grid grows as usual, its old cells kept.
    grid.cellsLeft = INT_MAX;
    EXPECT_TRUE(grid.SetRowCount(5));
    EXPECT_TRUE(grid.SetColumnCount(6));
    EXPECT_EQ(grid.GetCellText(2, 3), "2,3");
    EXPECT_TRUE(grid.SetCellText(4, 5, "new"));
    EXPECT_EQ(grid.GetCellState(0, 5), GCS_FIXED | GCS_FIXEDROW);
}

TEST(GridDefaults, SizesComeFromTheFont)
{
    CGridCtrl grid;
    QFont font("Liberation Serif");
    font.setPixelSize(30);
    grid.setFont(font);
    const QFontMetrics metrics(font);
    const CGridDefaultCell* cell = grid.GetDefaultCell(false, false);
    EXPECT_EQ(cell->GetMargin(), metrics.horizontalAdvance(' '));
    EXPECT_EQ(cell->GetWidth(), metrics.horizontalAdvance(" XXXXXXXXXXXX "));
    EXPECT_EQ(cell->GetHeight(), metrics.height() * 3 / 2);
    grid.SetRowCount(1);
    grid.SetColumnCount(1);
    EXPECT_EQ(grid.GetRowHeight(0), cell->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(0), cell->GetWidth());
    EXPECT_EQ(grid.GetCell(0, 0)->GetMargin(), cell->GetMargin());
}

TEST(GridDefaults, ColoursStartFromTheSystemAndFollowItWhenUnchanged)
{
    CGridCtrl grid;
    const QPalette start = grid.palette();
    CGridDefaultCell* body = grid.GetDefaultCell(false, false);
    CGridDefaultCell* header = grid.GetDefaultCell(true, false);
    EXPECT_EQ(body->GetBackColor(), FromQColor(start.color(QPalette::Base)));
    EXPECT_EQ(header->GetBackColor(), FromQColor(start.color(QPalette::Button)));
    EXPECT_EQ(grid.GetGridBkColor(), FromQColor(start.color(QPalette::Dark)));

    CGridCtrl chosen;
    chosen.GetDefaultCell(false, false)->SetBackColor(RGB(255, 255, 224));

    QPalette changed = start;
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::Base, QPalette::Button, QPalette::Dark})
        changed.setColor(role, QColor(10, 20, 30 + role));
    grid.setPalette(changed);
    chosen.setPalette(changed);
    EXPECT_EQ(body->GetTextColor(), FromQColor(changed.color(QPalette::Text)));
    EXPECT_EQ(body->GetBackColor(), FromQColor(changed.color(QPalette::Base)));
    EXPECT_EQ(header->GetBackColor(), FromQColor(start.color(QPalette::Button)));
    EXPECT_EQ(grid.GetGridBkColor(), FromQColor(changed.color(QPalette::Dark)));
    EXPECT_EQ(chosen.GetDefaultCell(false, false)->GetBackColor(), RGB(255, 255, 224));
}

} // namespace
