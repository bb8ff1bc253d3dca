#pragma once

#include <string>
#include <vector>


// The texts of a table as the table window's main grid showed them, by grid row and column: m + 3
// rows of n + 3 texts.
using TableSnapshot = std::vector<std::vector<std::string>>;

// What became of a report: either written, or the reason it was not, worded for the student.
struct ReportResult {
    bool ok = true;
    std::string message;
};

// Writes the run's tables into a new workbook at path (an existing file there is replaced) so that
// the solution can be printed: one bordered block per snapshot, titled "Шаг 0", "Шаг 1", ... in
// the order the run took them. m and n are the run's numbers of equations and unknowns; each
// snapshot gives m + 3 rows of n + 3 texts, and a text it lacks is written as an empty cell.
// A picture (PNG bytes), when given, stands beside the blocks, level with the first.
ReportResult WriteReport(const std::string& path, int m, int n, const std::vector<TableSnapshot>& snapshots,
                         const std::vector<unsigned char>& picturePng = {});
