#pragma once

#include <string>
#include <vector>

#include "core/problem.h"
#include "core/tutoring_window.h"

// What the table window's main grid shows: m + 3 rows and n + 3 columns; grid row g shows matrix
// row g - 1 and grid column h matrix column h - 1. Values are the displayed values.

// Row 1's headers ("Цены", "Базис", "Св.чл.", the names) and row 0's coefficients.
void WriteTableHeaders(TutoringWindow& window, const Problem& problem, DisplayMode mode);

// The free term, the prices, the basis, the values and the index row; the first table shows "?"
// for the prices, the basis and the index row until the student has supplied them.
void WriteTableBody(TutoringWindow& window, const Problem& problem, int tableNumber, DisplayMode mode);

// The texts of the main grid after a completed table, by grid row and column: m + 3 rows of
// n + 3 texts. The report writes them out in the order the run took them.
using TableSnapshot = std::vector<std::vector<std::string>>;

// "1-я симплексная таблица (F-MAX)"
std::string TableTitle(const Problem& problem, int tableNumber);
