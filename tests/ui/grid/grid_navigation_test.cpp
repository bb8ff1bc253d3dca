#include "ui/grid/grid_navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

void PrintTo(const CellPos& cell, std::ostream* out) { *out << "(" << cell.row << ", " << cell.column << ")"; }

namespace {

struct Move {
    CellPos from;
    NavigationKey key;
    CellPos to;
};

void PrintTo(const Move& move, std::ostream* out)
{
    *out << move.from.row << "," << move.from.column << " key " << static_cast<int>(move.key) << " to "
         << move.to.row << "," << move.to.column;
}

// Rows 0 and 1 fixed, row 4 hidden; column 0 fixed, column 3 hidden: body rows 2, 3, 5 and
// body columns 1, 2, 4.
const std::vector<int> heights{20, 20, 20, 20, 0, 20};
const std::vector<int> widths{50, 50, 50, 0, 50};
const GridShape shape{2, 1, heights, widths};

class Navigation : public testing::TestWithParam<Move> {};

TEST_P(Navigation, MovesTheFocusCell)
{
    EXPECT_EQ(NextFocusCell(shape, GetParam().from, GetParam().key), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Arrows, Navigation, testing::Values(
    Move{{2, 1}, NavigationKey::Right, {2, 2}},
    Move{{2, 2}, NavigationKey::Right, {2, 4}},    // over the hidden column
    Move{{2, 4}, NavigationKey::Right, {2, 4}},    // the last column keeps it
    Move{{2, 1}, NavigationKey::Left, {2, 1}},     // never into the fixed column
    Move{{3, 1}, NavigationKey::Down, {5, 1}},     // over the hidden row
    Move{{5, 1}, NavigationKey::Down, {5, 1}},
    Move{{2, 1}, NavigationKey::Up, {2, 1}}));     // never into the fixed rows

INSTANTIATE_TEST_SUITE_P(Tab, Navigation, testing::Values(
    Move{{2, 2}, NavigationKey::Tab, {2, 4}},
    Move{{2, 4}, NavigationKey::Tab, {3, 1}},      // wraps to the first body column
    Move{{3, 4}, NavigationKey::Tab, {5, 1}},      // over the hidden row
    Move{{5, 4}, NavigationKey::Tab, {5, 4}},      // the last cell keeps it
    Move{{3, 1}, NavigationKey::BackTab, {2, 4}},
    Move{{2, 1}, NavigationKey::BackTab, {2, 1}}));

INSTANTIATE_TEST_SUITE_P(HomeEnd, Navigation, testing::Values(
    Move{{3, 4}, NavigationKey::Home, {3, 1}},
    Move{{3, 1}, NavigationKey::End, {3, 4}},
    Move{{5, 4}, NavigationKey::CtrlHome, {2, 1}},
    Move{{2, 1}, NavigationKey::CtrlEnd, {5, 4}}));

// The same body with read-only cells, R below:
//        1  2  4
//    2   .  R  .
//    3   R  .  R
//    5   .  .  R
const std::vector<CellPos> readOnly{{2, 2}, {3, 1}, {3, 4}, {5, 4}};
const GridShape withReadOnly{2, 1, heights, widths,
    [](CellPos cell) { return std::find(readOnly.begin(), readOnly.end(), cell) == readOnly.end(); }};

class ReadOnlyNavigation : public testing::TestWithParam<Move> {};

TEST_P(ReadOnlyNavigation, PassesOverReadOnlyCells)
{
    EXPECT_EQ(NextFocusCell(withReadOnly, GetParam().from, GetParam().key), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ReadOnlyNavigation, testing::Values(
    Move{{2, 1}, NavigationKey::Right, {2, 4}},
    Move{{2, 4}, NavigationKey::Left, {2, 1}},
    Move{{2, 1}, NavigationKey::Down, {5, 1}},     // over a read-only and a hidden row
    Move{{5, 1}, NavigationKey::Up, {2, 1}},
    Move{{2, 2}, NavigationKey::Down, {3, 2}},     // leaving a clicked read-only cell
    Move{{5, 2}, NavigationKey::Right, {5, 2}},    // all the rest read-only: stays
    Move{{3, 2}, NavigationKey::Left, {3, 2}},
    Move{{2, 4}, NavigationKey::Down, {2, 4}},
    Move{{3, 2}, NavigationKey::Up, {3, 2}}));

INSTANTIATE_TEST_SUITE_P(Tab, ReadOnlyNavigation, testing::Values(
    Move{{2, 1}, NavigationKey::Tab, {2, 4}},
    Move{{2, 4}, NavigationKey::Tab, {3, 2}},      // wraps past the read-only row start
    Move{{3, 2}, NavigationKey::Tab, {5, 1}},      // the row ends read-only: on to the next row
    Move{{5, 2}, NavigationKey::Tab, {5, 2}},
    Move{{2, 4}, NavigationKey::BackTab, {2, 1}},
    Move{{3, 2}, NavigationKey::BackTab, {2, 4}},
    Move{{5, 1}, NavigationKey::BackTab, {3, 2}},  // the row above ends read-only
    Move{{2, 1}, NavigationKey::BackTab, {2, 1}}));

INSTANTIATE_TEST_SUITE_P(HomeEnd, ReadOnlyNavigation, testing::Values(
    Move{{5, 2}, NavigationKey::Home, {5, 1}},
    Move{{5, 1}, NavigationKey::End, {5, 2}},
    Move{{3, 2}, NavigationKey::Home, {3, 2}},
    Move{{3, 2}, NavigationKey::End, {3, 2}},
    Move{{5, 2}, NavigationKey::CtrlHome, {2, 1}},
    Move{{2, 1}, NavigationKey::CtrlEnd, {5, 2}}));

TEST(NavigationEdges, TabCrossesWholeReadOnlyRows)
{
    const std::vector<CellPos> open{{2, 4}, {5, 1}};
    const GridShape shape{2, 1, heights, widths,
        [&](CellPos cell) { return std::find(open.begin(), open.end(), cell) != open.end(); }};
    EXPECT_EQ(NextFocusCell(shape, CellPos{2, 4}, NavigationKey::Tab), (CellPos{5, 1}));
    EXPECT_EQ(NextFocusCell(shape, CellPos{5, 1}, NavigationKey::BackTab), (CellPos{2, 4}));
    EXPECT_EQ(NextFocusCell(shape, CellPos{3, 2}, NavigationKey::CtrlHome), (CellPos{2, 4}));
}

TEST(NavigationEdges, EveryKeyKeepsTheCellWhenNothingTakesTheFocus)
{
    const GridShape shape{2, 1, heights, widths, [](CellPos) { return false; }};
    for (NavigationKey key : {NavigationKey::Left, NavigationKey::Right, NavigationKey::Up, NavigationKey::Down,
             NavigationKey::Tab, NavigationKey::BackTab, NavigationKey::Home, NavigationKey::End,
             NavigationKey::CtrlHome, NavigationKey::CtrlEnd})
        EXPECT_EQ(NextFocusCell(shape, CellPos{3, 2}, key), (CellPos{3, 2})) << static_cast<int>(key);
}

TEST(NavigationEdges, GridWithoutBodyColumnsKeepsTheCell)
{
    const std::vector<int> oneRow{20, 20};
    const std::vector<int> fixedOnly{50};
    const GridShape headersOnly{1, 1, oneRow, fixedOnly};
    EXPECT_EQ(NextFocusCell(headersOnly, CellPos{1, 0}, NavigationKey::Tab), (CellPos{1, 0}));
}

} // namespace
