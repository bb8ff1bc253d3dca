#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/problem.h"
#include "core/relation.h"

// A general problem, with inequalities, negative right-hand sides and equations without a basic
// unknown, brought to the canonical form of the tables, in the order a textbook takes:
//   - an equation with a negative right-hand side is multiplied by -1, its sign turning round;
//   - each "<=" gains a new unknown with coefficient +1, its basic unknown, each ">=" one with -1,
//     both with the price 0;
//   - each equation still without a basic unknown (one with 1 in it and 0 in every other
//     equation; the last such, as for a canonical problem) gains an artificial unknown with +1
//     and the price -M in the maximising form.
// New unknowns go on with the student's names where they fit three characters (x5, x6, ...);
// the artificial ones are named apart (y1, y2, ...); no name is used twice.

// "=", "<=" or ">=" (also "≤", "≥"), with spaces around it.
std::optional<Relation> ReadRelation(const std::string& text);

// The problem as the student entered it (BuildProblem), the relations of equations 1..m (entry
// 0 unused), before the objective's sense is applied. Returns what was done, a line per equation
// that changed; nothing when the problem was canonical already.
std::vector<std::string> BringToCanonicalForm(Problem& problem, const std::vector<Relation>& relations);

// The message that tells the student of the conversion, caption "Приведение к каноническому виду".
std::string ConversionMessage(const std::vector<std::string>& lines, const Problem& problem);
