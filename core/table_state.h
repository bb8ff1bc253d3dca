#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/problem.h"
#include "core/table_value.h"

// What the table window shows of a run, in the run's own terms: the current table cell by cell,
// the marks that draw the student's eye, the key row of the new table at the first pivot, the
// table's number and the status line. The run changes it; the window shows it.

// How a cell draws the student's eye.
enum class CellMark {
    None,
    Asked,     // the cell being asked
    Column,    // the column being chosen; an answered cell of the key row
    Candidate, // the candidate key element
};

// What one cell shows.
struct TableCell {
    enum class Kind {
        Empty,
        Hidden, // "?": a value the student has yet to supply
        Value,  // an exact value, shown in the student's display mode
        AtM,    // an exact value times M: the price of an artificial unknown, "-M"
        Name,   // a name the student gave: an unknown's
        Label,  // a fixed heading of the table: "Цены", "Базис", "Св.чл.", "ИС", "***"
    };

    Kind kind = Kind::Empty;
    TableValue value;
    std::string text;
    CellMark mark = CellMark::None;

    static TableCell Hidden() { return {Kind::Hidden, {}, {}}; }
    static TableCell Of(const TableValue& value) { return {Kind::Value, value, {}}; }
    static TableCell TimesM(const TableValue& value) { return {Kind::AtM, value, {}}; }
    static TableCell Named(const std::string& name) { return {Kind::Name, {}, name}; }
    static TableCell Labelled(const std::string& label) { return {Kind::Label, {}, label}; }
};

// The text of a cell as the student reads it.
std::string CellText(const TableCell& cell, DisplayMode mode);

// Same content and mark.
bool operator==(const TableCell& a, const TableCell& b);

// A place in a table. `row` is a row of the problem's matrix (0 the objective, 1..m the
// equations, m + 1 the index row, m + 2 its parts at M) or the row of headings; `column` is a column of the matrix
// (1 the free terms, k + 1 unknown k) or the column of the prices or of the basic unknowns.
struct TablePlace {
    static constexpr int HeadingRow = -1;
    static constexpr int PriceColumn = -1;
    static constexpr int BasisColumn = 0;

    int row = 0;
    int column = 0;

    friend bool operator==(const TablePlace&, const TablePlace&) = default;
};

// One row of a table, by the table's columns: the price, the basic unknown, then the matrix's.
class TableRow {
public:
    TableRow() = default;
    explicit TableRow(int unknownCount) : cells(unknownCount + 3) {}

    bool Empty() const { return cells.empty(); }
    // Columns PriceColumn .. n + 1.
    int LastColumn() const { return static_cast<int>(cells.size()) + TablePlace::PriceColumn - 1; }
    TableCell& At(int column) { return cells[column - TablePlace::PriceColumn]; }
    const TableCell& At(int column) const { return cells[column - TablePlace::PriceColumn]; }

    friend bool operator==(const TableRow&, const TableRow&) = default;

private:
    std::vector<TableCell> cells;
};

// A whole table: the objective, the headings, the equations and the index row.
class TableView {
public:
    TableView() = default;
    TableView(int equationCount, int unknownCount, bool withMRow = false);

    int EquationCount() const { return equationCount; }
    int UnknownCount() const { return unknownCount; }
    int IndexRow() const { return equationCount + 1; }
    bool HasMRow() const { return withMRow; }
    int LastRow() const { return withMRow ? equationCount + 2 : equationCount + 1; }
    // Made anew for every new table, kept by its copies: a window that showed a table of this
    // version need look only for what changed in it.
    uint64_t Version() const { return version; }
    bool Contains(TablePlace place) const;
    TableCell& At(TablePlace place) { return rows[place.row - TablePlace::HeadingRow].At(place.column); }
    const TableCell& At(TablePlace place) const { return rows[place.row - TablePlace::HeadingRow].At(place.column); }
    // Every place, the headings first, row by row.
    template <class Visit>
    void ForEachPlace(Visit&& visit) const
    {
        for (int row = TablePlace::HeadingRow; row <= LastRow(); ++row) {
            for (int column = TablePlace::PriceColumn; column <= unknownCount + 1; ++column)
                visit(TablePlace{row, column});
        }
    }
    void ClearMarks();

private:
    int equationCount = 0;
    int unknownCount = 0;
    bool withMRow = false;
    uint64_t version = 0;
    std::vector<TableRow> rows;
};

// What a question is about, to be kept in sight on a big table: a cell, a row or a column of the
// table (row and column as in TablePlace).
struct InSight {
    std::optional<int> row;
    std::optional<int> column;

    friend bool operator==(const InSight&, const InSight&) = default;
};

struct TableState {
    TableView table;
    // The key row of the new table while the first pivot asks for it; empty otherwise.
    TableRow keyRow;
    // The place of the previous table from which the student computes an asked element.
    std::optional<TablePlace> pointed;
    InSight tableInSight;
    // The key row's column being asked.
    std::optional<int> keyRowColumnInSight;
    // The number in the title: the table shown.
    int titleNumber = 1;
    std::string status;
    // Every completed table of the run, in order.
    std::vector<TableView> completedTables;
    // The basic solution (values of unknowns 1..n) of every table shown, in order: the first
    // table's from its start, each next one's once it is shown.
    std::vector<std::vector<TableValue>> tableSolutions;
};

// The table as the problem stands, from its numbers: the headings, the free term, the prices,
// the basis, the values and the index row (with its parts at M in a row of their own). The
// first table shows "?" for the prices, the basis and the index rows until the student has
// supplied them.
TableView MakeTableView(const Problem& problem, bool firstTable);

// The price of equation i's basic unknown: a number, or a multiple of M for an artificial one.
TableCell PriceCell(const Problem& problem, int equation);

// "1-я симплексная таблица (F-MAX)"
std::string TableTitle(const Problem& problem, int tableNumber);
