#include "core/tutoring_run.h"

#include <algorithm>
#include <new>

#include "core/captions.h"
#include "core/element_draw.h"
#include "core/number_text.h"

namespace {

using Grid = TutoringWindow::Grid;

const char kWrongDecisionStatus[] = "Решение о следующей итерации принято неверно";
const char kIndexRowPrompt[] =
    "Подсчитайте элементы индексной строки. Введите точное значение или арифметическое выражение";
const char kKeyRowPrompt[] =
    "Подсчитайте элементы ключевой строки. Введите точное значение или арифметическое выражение";
const char kNewTablePrompt[] =
    "Подсчитайте некоторые элементы новой таблицы. Введите точное значение или арифметическое выражение";

// At most this many elements of the new table are asked beside the key row.
constexpr int kRandomElements = 5;

// The numbers of the table no longer fit the exact arithmetic; the run cannot go on.
struct RunAborted {};

// The order of the rows does not matter: the same set of basic unknowns is the same table.
std::vector<int> BasisSet(const Problem& problem)
{
    std::vector<int> basis(problem.basis.begin() + 1, problem.basis.begin() + 1 + problem.equationCount);
    std::sort(basis.begin(), basis.end());
    return basis;
}

// The choice that cannot go round in a cycle: the lowest-numbered of the right key columns and,
// among the tied rows, the one whose basic unknown has the lowest number.
bool IsLowestNumberedChoice(const Problem& problem, int expectedColumn, int column, int row)
{
    for (int k = 1; k < column; ++k) {
        if (IsRightKeyColumn(problem, expectedColumn, k))
            return false;
    }
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (IsRightKeyRow(problem, column, i) && problem.basis[i] < problem.basis[row])
            return false;
    }
    return true;
}

std::string CycleText(int table, int earlierTable)
{
    return "Таблица " + std::to_string(table) + " повторяет базис таблицы " + std::to_string(earlierTable) +
           ": при таком выборе решение пойдет по кругу и не закончится. Чтобы выйти из цикла, берите из "
           "подходящих ключевых столбцов столбец с наименьшим номером, а из равноценных ключевых элементов — "
           "тот, в строке которого базисное неизвестное имеет наименьший номер.";
}

std::string RepeatedOptimumText(int table, int earlierTable)
{
    return "Оптимальная таблица " + std::to_string(table) + " повторяет таблицу " + std::to_string(earlierTable) +
           ", поэтому строить следующую таблицу не нужно.";
}

} // namespace

TutoringRun::TutoringRun(TutoringWindow& window, Problem& problem) : window(window), problem(problem) {}

std::string TutoringRun::ValueText(const TableValue& value) const
{
    return ToDisplayText(value, window.GetDisplayMode());
}

void TutoringRun::Check(QuestionOutcome outcome)
{
    if (outcome == QuestionOutcome::Aborted)
        throw RunAborted();
}

void TutoringRun::RunTutoring()
{
    try {
        CompleteFirstTable();
        while (window.RunActive() && Step()) {
        }
    } catch (const RunAborted&) {
        ReportOverflow();
    } catch (const FractionOverflow&) {
        ReportOverflow();
    } catch (const std::bad_alloc&) {
        // Exact values grow without bound only in memory: running out of it is the one overflow left.
        ReportOverflow();
    }
}

// The run stops, and a new one may start.
void TutoringRun::ReportOverflow()
{
    window.SetStatusText("Разбор прерван: числа таблицы стали слишком большими");
    window.ShowMessage("Числа этой таблицы стали слишком большими для точного счета, поэтому разбор задачи "
                       "прерван.\nЭто не ваша ошибка: попробуйте задачу с другими коэффициентами.",
                       ProgramName, MessageIcon::Exclamation);
}

void TutoringRun::CompleteFirstTable()
{
    const int m = problem.equationCount;
    const COLORREF normal = NormalBackground(window);
    for (int i = 1; i <= m && window.RunActive(); ++i) {
        window.SetCellBackColor(Grid::Main, i + 1, 1, PromptColour);
        window.SetCellBackColor(Grid::Main, i + 1, 0, PromptColour);
        window.Redraw(Grid::Main);
        Check(window.AskBasis(i));
        if (window.RunActive()) {
            window.SetCellBackColor(Grid::Main, i + 1, 1, normal);
            window.SetCellBackColor(Grid::Main, i + 1, 0, normal);
            window.SetCellText(Grid::Main, i + 1, 0, ValueText(problem.Price(i)));
            window.SetCellText(Grid::Main, i + 1, 1, problem.unknownNames[problem.basis[i]]);
            window.Redraw(Grid::Main);
        }
    }
    for (int c = 1; c <= problem.workUnknownCount + 1 && window.RunActive(); ++c) {
        window.SetCellBackColor(Grid::Main, m + 2, c + 1, PromptColour);
        window.Redraw(Grid::Main);
        Check(window.AskElement(ElementMode::IndexRow, m + 1, c, kIndexRowPrompt));
        if (window.RunActive()) {
            window.SetCellText(Grid::Main, m + 2, c + 1, ValueText(problem.DisplayValue(m + 1, c)));
            window.SetCellBackColor(Grid::Main, m + 2, c + 1, normal);
            window.Redraw(Grid::Main);
        }
    }
    window.TakeSnapshot();
    RememberBasis();
    ++tableNumber;
    firstPivotDone = false;
}

bool TutoringRun::Step()
{
    const StepStatus status = ClassifyTable(problem);
    const bool finished = status == StepStatus::Optimal || status == StepStatus::NoSolution;
    if (window.AskYesNo("Вы хотите строить следующую таблицу?", ProgramName)) {
        if (finished) {
            WrongDecision("Вы приняли неверное решение, так как все итерации выполнены");
            return true;
        }
        BuildNextTable(status);
        return true;
    }
    if (status == StepStatus::Continue && !HasBlockedColumn(problem)) {
        WrongDecision("Вы приняли неверное решение, так как не все итерации выполнены");
        return true;
    }
    Succeed();
    return false;
}

void TutoringRun::WrongDecision(const char* message)
{
    window.ShowMessage(message, ProgramName, MessageIcon::Exclamation);
    window.SetStatusText(kWrongDecisionStatus);
    window.FailRun();
}

void TutoringRun::Succeed()
{
    window.ShowMessage("Теперь вам не составит труда выписать решение из таблицы", ProgramName,
                       MessageIcon::Information);
    window.SetStatusText("Задача успешно решена");
}

void TutoringRun::BuildNextTable(StepStatus status)
{
    const int expectedColumn = status == StepStatus::Continue ? FindKeyColumn(problem) : FindAlternativeColumn(problem);
    KeyAnswer column = window.AskKeyColumn(expectedColumn);
    Check(column.outcome);
    if (!window.RunActive())
        return;
    KeyAnswer row = window.AskKeyElement(column.number);
    Check(row.outcome);
    if (!window.RunActive())
        return;
    const bool lowestNumbers = IsLowestNumberedChoice(problem, expectedColumn, column.number, row.number);
    // The student's accepted choices make the next table, whichever of several right ones they were.
    Pivot(problem, column.number, row.number);
    if (!firstPivotDone) {
        firstPivotDone = true;
        AskKeyRowAndElements(row.number, column.number);
    }
    if (!window.RunActive())
        return;
    ShowNewTable();
    if (int earlierTable = RememberBasis())
        TellOfRepeatedBasis(status, earlierTable, lowestNumbers);
}

void TutoringRun::ShowNewTable()
{
    window.FillTable();
    window.Redraw(Grid::Main);
    window.EnableKeyRow(false);
    window.ClearKeyRow();
    window.Redraw(Grid::KeyRow);
    window.TakeSnapshot();
    ++tableNumber;
}

int TutoringRun::RememberBasis()
{
    std::vector<int> basis = BasisSet(problem);
    auto earlier = std::find(tableBases.rbegin(), tableBases.rend(), basis);
    int earlierTable = static_cast<int>(tableBases.rend() - earlier);
    tableBases.push_back(std::move(basis));
    return earlierTable;
}

// Nothing is counted: the student chose right at every step, and the run goes on.
void TutoringRun::TellOfRepeatedBasis(StepStatus status, int earlierTable, bool lowestNumbers)
{
    const int table = static_cast<int>(tableBases.size());
    // Moving between alternative optimal tables is no cycle of degeneracy: the student may stop.
    if (status == StepStatus::ContinueOnce) {
        window.ShowMessage(RepeatedOptimumText(table, earlierTable), ProgramName, MessageIcon::Information);
        return;
    }
    // Once told, a student who keeps to the lowest numbers is on the way out of the cycle, though
    // that way may pass through tables met before.
    if (cycleReported && lowestNumbers)
        return;
    cycleReported = true;
    window.ShowMessage(CycleText(table, earlierTable), ProgramName, MessageIcon::Information);
}

void TutoringRun::AskKeyRowAndElements(int keyRow, int column)
{
    const COLORREF normal = NormalBackground(window);
    AskKeyRow(keyRow, column);
    const int n = problem.workUnknownCount;
    // The key column of the new table is known: 0 outside the key row.
    for (int i = 1; i <= problem.equationCount + 1; ++i) {
        if (i != keyRow)
            askedElements.push_back(static_cast<uint32_t>((n + 1) * (i - 1) + column));
    }
    if (!window.RunActive())
        return;
    AskRandomElements();
    for (int row = 2; row <= problem.equationCount + 2; ++row)
        window.SetCellBackColor(Grid::Main, row, column + 2, normal);
}

void TutoringRun::AskKeyRow(int keyRow, int column)
{
    const int n = problem.workUnknownCount;
    window.EnableKeyRow(true);
    window.SetKeyRowColumnCount(n + 3);
    window.SetCellText(Grid::KeyRow, 0, 0, ValueText(problem.DisplayValue(0, column + 1)));
    window.SetCellText(Grid::KeyRow, 0, 1, problem.unknownNames[column]);
    for (int c = 2; c <= n + 2; ++c)
        window.SetCellText(Grid::KeyRow, 0, c, "?");
    window.Redraw(Grid::KeyRow);
    for (int c = 1; c <= n + 1 && window.RunActive(); ++c) {
        window.SetCellBackColor(Grid::KeyRow, 0, c + 1, PromptColour);
        askedElements.push_back(static_cast<uint32_t>((n + 1) * (keyRow - 1) + (c - 1)));
        Check(window.AskElement(ElementMode::KeyRow, keyRow, c, kKeyRowPrompt));
        if (window.RunActive()) {
            window.SetCellText(Grid::KeyRow, 0, c + 1, ValueText(problem.DisplayValue(keyRow, c)));
            window.SetCellBackColor(Grid::KeyRow, 0, c + 1, ChoiceColour);
            window.Redraw(Grid::KeyRow);
        }
    }
}

void TutoringRun::AskRandomElements()
{
    const int n = problem.workUnknownCount;
    const int total = (problem.equationCount + 1) * (n + 1);
    for (int asked = 1; asked <= kRandomElements && window.RunActive(); ++asked) {
        if (askedElements.size() >= static_cast<size_t>(total))
            break;
        int index = DrawElementIndex(total, askedElements);
        askedElements.push_back(static_cast<uint32_t>(index));
        int row = index / (n + 1) + 1;
        int column = index % (n + 1) + 1;
        // The element's place is marked in the previous table, from which the student computes.
        window.SetFocusCell(Grid::Main, row + 1, column + 1);
        window.Redraw(Grid::Main);
        Check(window.AskElement(ElementMode::NewTable, row, column, kNewTablePrompt));
    }
}
