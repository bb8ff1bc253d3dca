#pragma once

#include <functional>
#include <vector>

#include "ui/grid/grid_defs.h"

// The keys that move the focus cell by the grid's shape alone (the page keys also depend on
// scrolling and are the grid's own business).
enum class NavigationKey { Left, Right, Up, Down, Tab, BackTab, Home, End, CtrlHome, CtrlEnd };

// What navigation needs to know of a grid: hidden rows and columns have size 0.
struct GridShape {
    int fixedRows;
    int fixedColumns;
    const std::vector<int>& rowHeights;
    const std::vector<int>& columnWidths;
    // Whether the keys may stop on a body cell: a student typing along a row passes over the
    // cells nobody types into. Unset, every cell takes the focus.
    std::function<bool(CellPos)> takesKeyboardFocus = {};
};

// The focus cell after the key. It never enters the fixed rows or columns, passes over the cells
// that do not take the keyboard focus and stays where it is when there is nowhere to go.
CellPos NextFocusCell(const GridShape& shape, CellPos current, NavigationKey key);
