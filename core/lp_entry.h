#pragma once

#include <string>

#include "core/entry_checks.h"
#include "core/lp_format.h"

// Between a problem in a file and the texts of the entry wizard: what opening a file puts into
// the cells, and the problem that saving takes from them.

// The text a cell shows for a value from a file: its decimals where it has a decimal form that
// the cell reads back ("2.5"), else its fraction ("2/3").
std::string EntryCellText(const Fraction& value);

// Every text of the wizard for a problem: sizes, names, the designation, the sense "Max" or
// "Min", each cell, and each equation's sign "=", "<=" or ">=".
EntryTexts ToEntryTexts(const LpProblem& problem);

// The problem of texts that passed CheckCellFormats. The signs count for a general problem only;
// otherwise every row is an equation. Without a problem: the equation whose sign is none of
// "=", "<=", ">=".
LpReadResult ToLpProblem(const EntryTexts& texts, bool generalProblem);

bool HasInequalities(const LpProblem& problem);
