#pragma once

#include <array>
#include <string>

#include "core/fraction.h"
#include "core/table_value.h"

// The canonical problem the student entered and, during a run, the current simplex table.
//
// matrix layout with m equations and n unknowns (unknown k lives in column k + 1):
//   row 0, columns 2..n+1      objective coefficients in the internal, maximising form
//   rows 1..m, column 1        right-hand sides
//   rows 1..m, columns 2..n+1  equation coefficients
//   rows 1..m, column n+2      the right-hand sides again, as the entry left them
//   row m+1, column 1          the internal objective at the current basic solution
//   row m+1, columns 2..n+1    the index-row estimates
//   row m+2                    with artificial unknowns: the index row's parts at M
// A "Min" problem keeps its objective row negated so that every table is maximised; the
// displayed values bring the student's signs back.
//
// A general problem is brought to this form by the program (canonical_form.h): its unknowns
// beyond the student's own are those of the inequalities and the artificial ones, whose price
// is -M in the maximising form. An estimate a + bM compares by b first, then by a.
struct Problem {
    static constexpr int kMaxEquations = 100;
    // As the student enters them, and in all once a general problem has gained its own.
    static constexpr int kMaxEntryUnknowns = 100;
    static constexpr int kMaxUnknowns = 300;
    static constexpr int kRows = kMaxEquations + 3;
    static constexpr int kColumns = kMaxUnknowns + 3;

    int equationCount = 3;
    int unknownCount = 3;
    int workUnknownCount = 3;
    // The student's own unknowns: 1..originalUnknownCount.
    int originalUnknownCount = 3;
    // artificial[k]: unknown k is artificial, its price -M; artificialCount of them in all.
    std::array<bool, kMaxUnknowns + 1> artificial{};
    int artificialCount = 0;
    // basis[i] is the basic unknown of equation i (1..m); entry 0 is unused.
    std::array<int, kMaxEquations + 1> basis{};
    std::array<std::array<TableValue, kColumns>, kRows> matrix{};
    // The free term of the objective exactly as entered, never negated.
    Fraction freeTerm;
    int isMax = 1;
    std::array<std::string, kMaxUnknowns + 1> unknownNames{};
    std::string functionName;

    // The value the student sees and is judged on: row 0, the prices and the index rows carry
    // the entered problem's sign; (0, 1) shows the free term as entered.
    TableValue DisplayValue(int row, int column) const;

    // The displayed coefficient of the basic unknown of equation i, and its part at M.
    TableValue Price(int equation) const;
    TableValue PriceAtM(int equation) const;
    // The displayed part at M of unknown k's price: -1 or 1 for an artificial unknown, else 0.
    TableValue DisplayPriceAtM(int unknown) const;

    // With artificial unknowns the index row has a second row, of its parts at M.
    bool HasMRow() const { return artificialCount > 0; }
    int IndexRow() const { return equationCount + 1; }
    int MRow() const { return equationCount + 2; }
    // The last row a pivot changes.
    int LastRow() const { return HasMRow() ? MRow() : IndexRow(); }

    // Fills the index row m + 1 (and m + 2) from the objective row, the equations and the basis.
    void ComputeIndexRow();
};
