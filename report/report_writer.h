#pragma once

#include <string>
#include <vector>

#include "core/texts.h"


// The texts of a table as the table window's main grid showed them, by grid row and column: m + 3
// rows of n + 3 texts.
using TableSnapshot = std::vector<std::vector<std::string>>;

// What became of a report: either written, or the reason it was not, worded for the student.
struct ReportResult {
    bool ok = true;
    std::string message;
};

// The sheets of a report: the student's tables, and once the run has ended the program's own. A
// sheet is named in the interface's language when it is written.
inline constexpr char StudentSheetName[] = TR_NOOP("Report", "Решение");
inline constexpr char ProgramSheetName[] = TR_NOOP("Report", "Решение программы");

// One sheet: its tables, a line of text under the last one (none when empty), and a picture (PNG
// bytes, none when empty) beside the blocks, level with the first.
struct ReportSheet {
    std::string name;
    std::vector<TableSnapshot> snapshots;
    std::string closingLine;
    std::vector<unsigned char> picturePng;
};

// Writes the sheets into a new workbook at path (an existing file there is replaced) so that the
// solution can be printed: on each, one bordered block per snapshot, titled "Шаг 0", "Шаг 1", ...
// in the order given, and the closing line one empty row below the last block. m and n are the
// run's numbers of equations and unknowns; each snapshot gives m + 3 rows of n + 3 texts, and a
// text it lacks is written as an empty cell.
ReportResult WriteReportSheets(const std::string& path, int m, int n, const std::vector<ReportSheet>& sheets);

// The run's tables alone, on the sheet "Решение", with the picture of the path when given.
ReportResult WriteReport(const std::string& path, int m, int n, const std::vector<TableSnapshot>& snapshots,
                         const std::vector<unsigned char>& picturePng = {});
