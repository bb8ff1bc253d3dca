#pragma once

#include <cstdint>
#include <functional>

// A cell of a grid by row and column, both 0-based and counting the fixed ones.
// (-1, -1) means no cell.
struct CellPos {
    int row = -1;
    int column = -1;

    bool IsValid() const { return row >= 0 && column >= 0; }
    bool operator==(const CellPos&) const = default;
};

// How many rows and columns a grid has, the fixed ones among them.
struct GridCounts {
    int rows = 0;
    int columns = 0;
    int fixedRows = 0;
    int fixedColumns = 0;

    int BodyRows() const { return rows > fixedRows ? rows - fixedRows : 0; }
    int BodyColumns() const { return columns > fixedColumns ? columns - fixedColumns : 0; }
    bool operator==(const GridCounts&) const = default;
};

// Cell state bits.
constexpr uint32_t GCS_FOCUSED = 0x01;
constexpr uint32_t GCS_SELECTED = 0x02;
constexpr uint32_t GCS_DROPHILITED = 0x04;
constexpr uint32_t GCS_READONLY = 0x08;
constexpr uint32_t GCS_FIXED = 0x10;
constexpr uint32_t GCS_FIXEDROW = 0x20;
constexpr uint32_t GCS_FIXEDCOL = 0x40;
constexpr uint32_t GCS_MODIFIED = 0x80;

// Text format words of cells: the text-drawing flags the program's tables were written with.
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// A cell's format word that defers to its default cell.
constexpr uint32_t kFormatUnset = 0xFFFFFFFFu;

// Codes of the notifications a grid sends to its owner.
constexpr int GN_SELCHANGING = -100;
constexpr int GN_SELCHANGED = -101;
constexpr int GN_BEGINEDIT = -105;
constexpr int GN_ENDEDIT = -106;
constexpr int GN_BEGINDRAG = -109;
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RCLICK = -5;

// The owner's side of the notifications: called synchronously with the code and the cell,
// its result goes back to the grid (a negative result cancels an edit or rejects its text).
using GridNotifyHandler = std::function<int(int code, int row, int column)>;
