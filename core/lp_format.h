#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fraction.h"
#include "core/relation.h"

// Problems in files: the LP text format that solvers read (CPLEX's algebraic format), in the
// subset a course problem needs, for a problem as the entry wizard holds it.
//
// Read: "Maximize" or "Minimize" (also max, maximum, maximise, min, ...) with one objective, an
// optional label and an optional constant term; "Subject To" (st, s.t., such that) with one row
// per line of the problem, an optional label, and =, <=, >= (=<, =>, <, > mean the same); an
// optional "Bounds" section that holds nothing but x >= 0; "End". A `\` starts a comment to the
// end of the line. Keywords count only at the start of a line. Numbers are exact: integers,
// decimals and exponents ("1e3", "2.5E-2"). A name may appear once per row and once in the
// objective. GLPK keeps the objective's constant term in the comment "\* constant term = 5 *\"
// after the objective; that comment is read as the constant term.
//
// Two extensions of the format: a number may be a fraction "2/3", and a name may be any name the
// wizard accepts: letters beyond ASCII as they are ("х1", "Ф"), anything else in double quotes
// with a quote doubled ("1 x", "a""b").
//
// Written: plain LP wherever possible: decimals where the value has a finite decimal form, ASCII
// names as typed, the free term in GLPK's comment (GLPK refuses a constant in the objective
// itself). The objective names every unknown, zeros included, so that any reader keeps the
// unknowns' order. Only a file that needs an extension starts with a comment saying which.

struct LpRow {
    std::vector<Fraction> coefficients; // one per unknown, in the problem's order
    Relation relation = Relation::Equal;
    Fraction rightHandSide;

    bool operator==(const LpRow&) const = default;
};

// A problem as the wizard holds it: every value one that its cells can hold (see IsEntryValue).
struct LpProblem {
    std::vector<std::string> unknownNames; // one to three UTF-8 characters each, all different
    std::string functionName = "F"; // one character
    bool isMax = true;
    std::vector<Fraction> objective; // one per unknown
    Fraction freeTerm;
    std::vector<LpRow> rows;

    bool operator==(const LpProblem&) const = default;
};

struct LpReadResult {
    std::optional<LpProblem> problem;
    std::string message; // without a problem: why, in Russian, with the line where it applies
};

// The largest file taken. The caller reads at most one byte more and hands that over; the
// reader refuses anything larger with its own message.
inline constexpr std::size_t kLpFileSizeLimit = 1024 * 1024;

// Never throws for bad input; the time grows about linearly with the text.
LpReadResult ReadLpProblem(std::string_view text);

// Why the problem cannot go into a file, or nothing: sizes outside 1..100, names that are empty,
// longer than three characters or equal, a value the wizard's cells cannot hold.
std::optional<std::string> FindLpProblemFault(const LpProblem& problem);

// The file text of a problem that has no fault; ReadLpProblem gives the same problem back.
std::string WriteLpProblem(const LpProblem& problem);

// A value that a cell of the wizard can hold: in lowest terms, and its text reads back to it.
bool IsEntryValue(const Fraction& value);
