#pragma once

#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/problem.h"
#include "core/table_state.h"

// The program's own way through a problem: every table from the first to the last, each step's
// key column and key element marked, and the answer read off the last table.
struct Solution {
    std::vector<TableView> tables;
    std::string answer;
};

// Solves from the first table with the program's own choices, the key column of FindKeyColumn and
// the key row of FindKeyRow; once a basis comes round again, with the lowest-numbered choices,
// which cannot go round in a cycle. Ends at an optimal table, or at one that shows the function
// unbounded.
Solution SolveProblem(Problem problem, DisplayMode mode);

// What a final table says: "x1 = 3, x2 = 1, x3 = 0, x4 = 0; F = 9" at an optimum, every entered
// unknown and the function; or that the function is unbounded.
std::string AnswerText(const Problem& table, DisplayMode mode);
