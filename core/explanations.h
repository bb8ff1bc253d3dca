#pragma once

#include <optional>
#include <string>

#include "core/number_text.h"
#include "core/problem.h"
#include "core/simplex.h"
#include "core/table_state.h"
#include "core/table_value.h"

// Why a wrong answer is wrong, told to the student: the rule the answer broke, built from the
// exact table and the typed value, with the numbers in the student's display mode. Cells are
// named as the questions name them: B(i) the free term of equation i, A(i,k) the element of
// unknown k in it, Ind(k) the index row, M(k) its part at M, and C(k) the function's coefficient of
// unknown k, C(0) its free term. A slip recognised in the typed value is named before the rule. The judges put
// an explanation under the first line of their message (WithExplanation).

// A typed answer as it was judged: the exact number typed, or the calculator's value of an
// expression.
struct TypedValue {
    std::optional<TableValue> exact;
    double computed = 0;

    // The judges' rule: the same three decimals.
    bool Matches(const TableValue& value) const;
};

// The key element of the pivot that makes the new table: its equation and the entering unknown.
struct KeyElement {
    int row = 0;
    int unknown = 0;
};

// How much a value's explanation tells: the rule with the cells it uses after a first wrong value,
// the same rule with the table's numbers put in after the second. Never the result.
enum class Hint { Rule, Numbers };

// A cell of the index row of the table `problem` holds, or of its parts at M (`row` m + 1 or
// m + 2): column 1 the free terms, k + 1 unknown k.
std::string ExplainIndexRowValue(const Problem& problem, int row, int column, const TypedValue& typed, Hint hint,
                                 DisplayMode mode);

// A cell of the new table (a row 1..m + 1, a column 1..n + 1, as in TablePlace) outside the key
// column, computed from `previous`, the table as it was shown before the pivot: the key row by
// division, every other row by the rectangle rule. `right` is the cell's right value. Empty when
// `previous` does not show a value the rule needs.
std::string ExplainNewTableValue(const TableView& previous, KeyElement key, TablePlace cell, const TableValue& right,
                                 const TypedValue& typed, bool isMax, Hint hint, DisplayMode mode);

// A wrong key column: `expected` is the column the rules expect (FindKeyColumn, or
// FindAlternativeColumn at an optimum), `chosen` the student's, 1..n.
std::string ExplainKeyColumn(const Problem& problem, int expected, int chosen, DisplayMode mode);

// A wrong key element in the accepted key column: `chosen` is its equation, 1..m.
std::string ExplainKeyRow(const Problem& problem, int column, int chosen, DisplayMode mode);

// A wrong basic unknown of an equation of the first table.
std::string ExplainBasis(const Problem& problem, int equation, const std::string& chosen, DisplayMode mode);

// A wrong answer to "build another table?": the estimate that decides it.
std::string ExplainDecision(const Problem& problem, StepStatus status, DisplayMode mode);

// The message's first line as it always reads, an empty line, then the explanation; the first
// line alone when there is nothing to explain.
std::string WithExplanation(const std::string& message, const std::string& explanation);
