#pragma once

#include <string>
#include <vector>

#include "core/problem.h"

// The classification of a table; the student never sees these names.
enum class StepStatus {
    Optimal,      // optimal, and no other table exists
    NoSolution,   // the objective is unbounded
    Continue,     // the table can be improved
    ContinueOnce, // optimal, but a non-basic unknown with a zero estimate can enter
    Infeasible,   // an artificial unknown stays above 0 however the table goes on: no solution at all
};

// Unknowns and rows are numbered from 1; 0 means none. Everything works on the internal,
// maximising form: a table is optimal when every estimate is >= 0. With artificial unknowns an
// estimate compares by its part at M first.

// The unknown with the most negative estimate among those with a positive coefficient.
int FindKeyColumn(const Problem& problem);
// The first non-basic unknown with a zero estimate and a positive coefficient.
int FindAlternativeColumn(const Problem& problem);
// Some unknown has a negative estimate and no positive coefficient: the objective is unbounded.
bool HasBlockedColumn(const Problem& problem);
bool CanContinue(const Problem& problem);
// -1, 0 or 1: the sign of unknown k's estimate, at M first.
int EstimateSign(const Problem& problem, int k);
// The artificial unknowns cannot all reach 0: the constraints have no common solution.
bool IsInfeasible(const Problem& problem);
StepStatus ClassifyTable(const Problem& problem);
// The ratio test: the smallest b_i / a_ik over positive a_ik, the lowest row on a tie.
int FindKeyRow(const Problem& problem, int column);

// Unknown `column` enters, the basic unknown of `row` leaves. Both must be in range and the key
// element non-zero (the answer rules accept nothing else); std::invalid_argument otherwise.
void Pivot(Problem& problem, int column, int row);

// The answer rules. A column outside 1..n or a row outside 1..m is a wrong answer.
bool IsRightDecision(const Problem& problem, StepStatus status, bool yes);
bool IsRightKeyColumn(const Problem& problem, int expected, int chosen);
bool IsRightKeyRow(const Problem& problem, int column, int chosen);
bool IsRightBasis(const Problem& problem, int equation, const std::string& name);

// The values of unknowns 1..n in the table's basic solution: the right-hand side of the row an
// unknown is basic in, 0 for a non-basic one.
std::vector<TableValue> BasicSolution(const Problem& problem);
