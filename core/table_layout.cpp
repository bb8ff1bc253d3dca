#include "core/table_layout.h"

#include "core/number_text.h"

namespace {

constexpr auto kMain = TutoringWindow::Grid::Main;

} // namespace

void WriteTableHeaders(TutoringWindow& window, const Problem& problem, DisplayMode mode)
{
    window.SetCellText(kMain, 1, 0, "Цены");
    window.SetCellText(kMain, 1, 1, "Базис");
    window.SetCellText(kMain, 1, 2, "Св.чл.");
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        window.SetCellText(kMain, 0, k + 2, ToDisplayText(problem.DisplayValue(0, k + 1), mode));
        window.SetCellText(kMain, 1, k + 2, problem.unknownNames[k]);
    }
}

void WriteTableBody(TutoringWindow& window, const Problem& problem, int tableNumber, DisplayMode mode)
{
    const int m = problem.equationCount;
    const int n = problem.workUnknownCount;
    const bool firstTable = tableNumber == 1;
    window.SetCellText(kMain, 0, 2, ToDisplayText(problem.freeTerm, mode));
    for (int i = 1; i <= m; ++i) {
        window.SetCellText(kMain, i + 1, 0, firstTable ? "?" : ToDisplayText(problem.Price(i), mode));
        window.SetCellText(kMain, i + 1, 1, firstTable ? "?" : problem.unknownNames[problem.basis[i]]);
    }
    for (int i = 1; i <= m + 1; ++i) {
        for (int c = 1; c <= n + 1; ++c) {
            bool hidden = firstTable && i == m + 1;
            window.SetCellText(kMain, i + 1, c + 1, hidden ? "?" : ToDisplayText(problem.DisplayValue(i, c), mode));
        }
    }
    window.SetCellText(kMain, m + 2, 0, "***");
    window.SetCellText(kMain, m + 2, 1, "ИС");
}

std::string TableTitle(const Problem& problem, int tableNumber)
{
    return std::to_string(tableNumber) + "-я симплексная таблица (" + problem.functionName + "-" +
           (problem.isMax ? "MAX" : "MIN") + ")";
}
