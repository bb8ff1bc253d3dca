#include "core/solution.h"

#include <algorithm>

#include "core/simplex.h"
#include "core/texts.h"

namespace {

// The order of the rows does not matter: the same set of basic unknowns is the same table.
std::vector<int> BasisSet(const Problem& problem)
{
    std::vector<int> basis(problem.basis.begin() + 1, problem.basis.begin() + 1 + problem.equationCount);
    std::sort(basis.begin(), basis.end());
    return basis;
}

// The lowest-numbered improving column, and in it the tied row whose basic unknown has the
// lowest number: choices that never repeat a table.
int LowestNumberedColumn(const Problem& problem)
{
    const int expected = FindKeyColumn(problem);
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (IsRightKeyColumn(problem, expected, k))
            return k;
    }
    return expected;
}

int LowestNumberedRow(const Problem& problem, int column)
{
    int row = FindKeyRow(problem, column);
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (problem.matrix[i][column + 1].Sign() > 0 && IsRightKeyRow(problem, column, i) &&
            problem.basis[i] < problem.basis[row])
            row = i;
    }
    return row;
}

// The table as the run shows it while the key element is chosen: the key column marked, the key
// element in it as the candidate.
void MarkKeyElement(TableView& table, int row, int column)
{
    for (int i = 1; i <= table.IndexRow(); ++i)
        table.At({i, column + 1}).mark = i == row ? CellMark::Candidate : CellMark::Column;
}

bool Finished(const Problem& problem)
{
    return ClassifyTable(problem) != StepStatus::Continue || HasBlockedColumn(problem);
}

} // namespace

Solution SolveProblem(Problem problem, DisplayMode mode)
{
    problem.ComputeIndexRow();
    Solution solution;
    std::vector<std::vector<int>> bases;
    bool lowestNumbers = false;
    while (!Finished(problem)) {
        std::vector<int> basis = BasisSet(problem);
        lowestNumbers = lowestNumbers || std::find(bases.begin(), bases.end(), basis) != bases.end();
        bases.push_back(std::move(basis));
        const int column = lowestNumbers ? LowestNumberedColumn(problem) : FindKeyColumn(problem);
        const int row = lowestNumbers ? LowestNumberedRow(problem, column) : FindKeyRow(problem, column);
        solution.tables.push_back(MakeTableView(problem, false));
        MarkKeyElement(solution.tables.back(), row, column);
        Pivot(problem, column, row);
    }
    solution.tables.push_back(MakeTableView(problem, false));
    solution.answer = AnswerText(problem, mode);
    return solution;
}

std::string AnswerText(const Problem& table, DisplayMode mode)
{
    if (IsInfeasible(table))
        return Tr("Solution", "Система ограничений несовместна: задача не имеет решения");
    if (HasBlockedColumn(table))
        return Fill(Tr("Solution", "Функция %1 не ограничена: задача не имеет решения"), {table.functionName});
    // The student's own unknowns: those the program added to a general problem are its own.
    std::string answer;
    for (int k = 1; k <= table.originalUnknownCount; ++k) {
        TableValue value;
        for (int i = 1; i <= table.equationCount; ++i) {
            if (table.basis[i] == k)
                value = table.DisplayValue(i, 1);
        }
        answer += (k == 1 ? "" : ", ") + table.unknownNames[k] + " = " + ToDisplayText(value, mode);
    }
    const TableValue function = table.DisplayValue(table.IndexRow(), 1);
    return answer + "; " + table.functionName + " = " + ToDisplayText(function, mode);
}
