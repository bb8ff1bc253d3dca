#include "ui/grid/grid_navigation.h"

namespace {

// The next shown index after `from` in the given direction, within [first, sizes.size()),
// that `accepts`, or -1 when there is none.
template <typename Accepts>
int NextShown(const std::vector<int>& sizes, int first, int from, int step, Accepts accepts)
{
    for (int i = from + step; i >= first && i < int(sizes.size()); i += step)
        if (sizes[i] > 0 && accepts(i))
            return i;
    return -1;
}

int NextShown(const std::vector<int>& sizes, int first, int from, int step)
{
    return NextShown(sizes, first, from, step, [](int) { return true; });
}

bool TakesFocus(const GridShape& shape, int row, int column)
{
    return !shape.takesKeyboardFocus || shape.takesKeyboardFocus(CellPos{row, column});
}

// Along the row: the next column after `from` whose cell takes the focus, or -1.
int NextInRow(const GridShape& shape, int row, int from, int step)
{
    return NextShown(shape.columnWidths, shape.fixedColumns, from, step,
        [&](int column) { return TakesFocus(shape, row, column); });
}

// Along the column: the next row after `from` whose cell takes the focus, or -1.
int NextInColumn(const GridShape& shape, int column, int from, int step)
{
    return NextShown(shape.rowHeights, shape.fixedRows, from, step,
        [&](int row) { return TakesFocus(shape, row, column); });
}

// The column index "before" the first body column in the given direction, so that the next
// one in that direction is the row's first.
int BeforeFirstColumn(const GridShape& shape, int step)
{
    return step > 0 ? shape.fixedColumns - 1 : int(shape.columnWidths.size());
}

// In reading order (Tab's order): the next cell after `from` in the given direction that takes
// the focus, going on along the following rows; an invalid cell when there is none.
CellPos NextInReadingOrder(const GridShape& shape, CellPos from, int step)
{
    int column = from.column;
    for (int row = from.row; row >= 0; row = NextShown(shape.rowHeights, shape.fixedRows, row, step)) {
        if (const int next = NextInRow(shape, row, column, step); next >= 0)
            return CellPos{row, next};
        column = BeforeFirstColumn(shape, step);
    }
    return CellPos();
}

// The first cell in reading order, from the top (step 1) or from the bottom (step -1).
CellPos FirstInReadingOrder(const GridShape& shape, int step)
{
    const int before = step > 0 ? shape.fixedRows - 1 : int(shape.rowHeights.size());
    const int row = NextShown(shape.rowHeights, shape.fixedRows, before, step);
    if (row < 0)
        return CellPos();
    return NextInReadingOrder(shape, CellPos{row, BeforeFirstColumn(shape, step)}, step);
}

CellPos Moved(CellPos current, int row, int column)
{
    if (row < 0 || column < 0)
        return current;
    return CellPos{row, column};
}

CellPos Moved(CellPos current, CellPos next) { return Moved(current, next.row, next.column); }

} // namespace

CellPos NextFocusCell(const GridShape& shape, CellPos current, NavigationKey key)
{
    const int row = current.row;
    const int column = current.column;
    switch (key) {
    case NavigationKey::Right:
        return Moved(current, row, NextInRow(shape, row, column, 1));
    case NavigationKey::Left:
        return Moved(current, row, NextInRow(shape, row, column, -1));
    case NavigationKey::Down:
        return Moved(current, NextInColumn(shape, column, row, 1), column);
    case NavigationKey::Up:
        return Moved(current, NextInColumn(shape, column, row, -1), column);
    case NavigationKey::Tab:
        return Moved(current, NextInReadingOrder(shape, current, 1));
    case NavigationKey::BackTab:
        return Moved(current, NextInReadingOrder(shape, current, -1));
    case NavigationKey::Home:
        return Moved(current, row, NextInRow(shape, row, BeforeFirstColumn(shape, 1), 1));
    case NavigationKey::End:
        return Moved(current, row, NextInRow(shape, row, BeforeFirstColumn(shape, -1), -1));
    case NavigationKey::CtrlHome:
        return Moved(current, FirstInReadingOrder(shape, 1));
    case NavigationKey::CtrlEnd:
        return Moved(current, FirstInReadingOrder(shape, -1));
    }
    return current;
}
