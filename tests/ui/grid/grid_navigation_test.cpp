#include "ui/grid/grid_navigation.h"

#include <gtest/gtest.h>

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

TEST(NavigationEdges, GridWithoutBodyColumnsKeepsTheCell)
{
    const std::vector<int> oneRow{20, 20};
    const std::vector<int> fixedOnly{50};
    const GridShape headersOnly{1, 1, oneRow, fixedOnly};
    EXPECT_EQ(NextFocusCell(headersOnly, CellPos{1, 0}, NavigationKey::Tab), (CellPos{1, 0}));
}

} // namespace
