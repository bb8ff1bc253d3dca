#include "ui/grid/grid_navigation.h"

namespace {

// The next shown index after `from` in the given direction, within [first, sizes.size()),
// or -1 when there is none.
int NextShown(const std::vector<int>& sizes, int first, int from, int step)
{
    for (int i = from + step; i >= first && i < int(sizes.size()); i += step)
        if (sizes[i] > 0)
            return i;
    return -1;
}

int FirstShown(const std::vector<int>& sizes, int first) { return NextShown(sizes, first, first - 1, 1); }

int LastShown(const std::vector<int>& sizes, int first) { return NextShown(sizes, first, int(sizes.size()), -1); }

CellPos Moved(CellPos current, int row, int column)
{
    if (row < 0 || column < 0)
        return current;
    return CellPos{row, column};
}

} // namespace

CellPos NextFocusCell(const GridShape& shape, CellPos current, NavigationKey key)
{
    const std::vector<int>& rows = shape.rowHeights;
    const std::vector<int>& columns = shape.columnWidths;
    const int row = current.row;
    const int column = current.column;
    switch (key) {
    case NavigationKey::Right:
        return Moved(current, row, NextShown(columns, shape.fixedColumns, column, 1));
    case NavigationKey::Left:
        return Moved(current, row, NextShown(columns, shape.fixedColumns, column, -1));
    case NavigationKey::Down:
        return Moved(current, NextShown(rows, shape.fixedRows, row, 1), column);
    case NavigationKey::Up:
        return Moved(current, NextShown(rows, shape.fixedRows, row, -1), column);
    case NavigationKey::Tab:
        if (const int next = NextShown(columns, shape.fixedColumns, column, 1); next >= 0)
            return CellPos{row, next};
        return Moved(current, NextShown(rows, shape.fixedRows, row, 1), FirstShown(columns, shape.fixedColumns));
    case NavigationKey::BackTab:
        if (const int previous = NextShown(columns, shape.fixedColumns, column, -1); previous >= 0)
            return CellPos{row, previous};
        return Moved(current, NextShown(rows, shape.fixedRows, row, -1), LastShown(columns, shape.fixedColumns));
    case NavigationKey::Home:
        return Moved(current, row, FirstShown(columns, shape.fixedColumns));
    case NavigationKey::End:
        return Moved(current, row, LastShown(columns, shape.fixedColumns));
    case NavigationKey::CtrlHome:
        return Moved(current, FirstShown(rows, shape.fixedRows), FirstShown(columns, shape.fixedColumns));
    case NavigationKey::CtrlEnd:
        return Moved(current, LastShown(rows, shape.fixedRows), LastShown(columns, shape.fixedColumns));
    }
    return current;
}
