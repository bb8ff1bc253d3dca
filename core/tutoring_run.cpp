#include "core/tutoring_run.h"

#include <algorithm>
#include <new>

#include "core/captions.h"
#include "core/element_draw.h"
#include "core/explanations.h"
#include "core/number_text.h"
#include "core/solution.h"
#include "core/texts.h"

namespace {

const char kWrongDecisionStatus[] = TR_NOOP("TutoringRun", "Решение о следующей итерации принято неверно");

// At most this many elements of the new table are asked beside the key row.
constexpr int kRandomElements = 5;

// The numbers of the table no longer fit the exact arithmetic; the run cannot go on.
struct RunAborted {};
// The run has ended otherwise than by success: the student failed or chose to stop.
struct RunEnded {};

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
    return Fill(Tr("TutoringRun",
                   "Таблица %1 повторяет базис таблицы %2: при таком выборе решение пойдет по кругу и не "
                   "закончится. Чтобы выйти из цикла, берите из подходящих ключевых столбцов столбец с наименьшим "
                   "номером, а из равноценных ключевых элементов — тот, в строке которого базисное неизвестное "
                   "имеет наименьший номер."),
                {std::to_string(table), std::to_string(earlierTable)});
}

std::string RepeatedOptimumText(int table, int earlierTable)
{
    return Fill(Tr("TutoringRun", "Оптимальная таблица %1 повторяет таблицу %2, поэтому строить следующую таблицу не "
                                  "нужно."),
                {std::to_string(table), std::to_string(earlierTable)});
}

} // namespace

TutoringRun::TutoringRun(TutoringWindow& window, Problem& problem, RunOptions options)
    : window(window), problem(problem), options(options), firstTable(std::make_unique<Problem>(problem))
{
}

void TutoringRun::StateChanged() { window.ShowState(state); }

// Whatever ends a run with the student's failure ends it here.
void TutoringRun::Fail(const std::string& reason)
{
    ending = Ending::Failed;
    state.status = reason;
    StateChanged();
    window.FailRun();
}

void TutoringRun::Check(QuestionOutcome outcome)
{
    switch (outcome) {
    case QuestionOutcome::Answered:
        return;
    case QuestionOutcome::Aborted:
        throw RunAborted();
    case QuestionOutcome::Cancelled:
        ending = Ending::Cancelled;
        break;
    case QuestionOutcome::Failed:
        break;
    }
    throw RunEnded();
}

bool TutoringRun::OpenFirstTable()
{
    bool complete = true;
    try {
        problem.ComputeIndexRow();
    } catch (const std::bad_alloc&) {
        // The first table shows its coefficients; the run reports instead of asking.
        complete = false;
    }
    state.table = MakeTableView(problem, true);
    state.tableSolutions.push_back(BasicSolution(problem));
    StateChanged();
    return complete;
}

void TutoringRun::RunTutoring()
{
    try {
        CompleteFirstTable();
        while (Step()) {
        }
    } catch (const RunEnded&) {
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
    ending = Ending::Overflow;
    state.status = Tr("TutoringRun", "Разбор прерван: числа таблицы стали слишком большими");
    StateChanged();
    window.ShowMessage(Tr("TutoringRun", "Числа этой таблицы стали слишком большими для точного счета, поэтому "
                                         "разбор задачи прерван.\nЭто не ваша ошибка: попробуйте задачу с другими "
                                         "коэффициентами."),
                       ProgramName(), MessageIcon::Exclamation);
}

void TutoringRun::CompleteFirstTable()
{
    try {
        for (int i = 1; i <= problem.equationCount; ++i)
            AskBasisOf(i);
        for (int row = problem.IndexRow(); row <= problem.LastRow(); ++row) {
            for (int c = 1; c <= problem.workUnknownCount + 1; ++c)
                AskIndexRowElement(row, c);
        }
    } catch (const RunEnded&) {
        // The report keeps the first table as far as the student took it.
        RememberBasis();
        CompleteTable();
        throw;
    }
    RememberBasis();
    CompleteTable();
    firstPivotDone = false;
}

void TutoringRun::AskBasisOf(int equation)
{
    TableCell& price = state.table.At({equation, TablePlace::PriceColumn});
    TableCell& basis = state.table.At({equation, TablePlace::BasisColumn});
    price.mark = basis.mark = CellMark::Asked;
    state.tableInSight = InSight{equation, TablePlace::PriceColumn};
    StateChanged();
    BasisQuestion question(*this, problem, equation);
    Check(window.AskBasis(question));
    price = PriceCell(problem, equation);
    basis = TableCell::Named(problem.unknownNames[problem.basis[equation]]);
    StateChanged();
}

// A cell of the index row, or of its parts at M.
void TutoringRun::AskIndexRowElement(int row, int column)
{
    TableCell& cell = state.table.At({row, column});
    cell.mark = CellMark::Asked;
    state.tableInSight = InSight{row, column};
    StateChanged();
    ElementQuestion question(*this, problem, ElementMode::IndexRow, row, column);
    Check(window.AskElement(question));
    cell = TableCell::Of(problem.DisplayValue(row, column));
    StateChanged();
}

bool TutoringRun::Step()
{
    const StepStatus status = ClassifyTable(problem);
    const bool finished =
        status == StepStatus::Optimal || status == StepStatus::NoSolution || status == StepStatus::Infeasible;
    // The decision is read off the index row.
    state.tableInSight = InSight{problem.equationCount + 1, std::nullopt};
    StateChanged();
    if (window.AskYesNo(Tr("TutoringRun", "Вы хотите строить следующую таблицу?"), ProgramName())) {
        if (finished) {
            WrongDecision(Tr("TutoringRun", "Вы приняли неверное решение, так как все итерации выполнены"), status);
            return false;
        }
        BuildNextTable(status);
        return true;
    }
    if (status == StepStatus::Continue && !HasBlockedColumn(problem)) {
        WrongDecision(Tr("TutoringRun", "Вы приняли неверное решение, так как не все итерации выполнены"), status);
        return false;
    }
    if (status == StepStatus::Infeasible)
        EndInfeasible();
    else if (status == StepStatus::NoSolution || HasBlockedColumn(problem))
        EndUnbounded();
    else
        Succeed();
    return false;
}

void TutoringRun::WrongDecision(const std::string& message, StepStatus status)
{
    const std::string explanation =
        options.explainMistakes ? ExplainDecision(problem, status, options.displayMode) : std::string();
    window.ShowMessage(WithExplanation(message, explanation), ProgramName(), MessageIcon::Exclamation);
    Fail(TrMarked("TutoringRun", kWrongDecisionStatus));
}

void TutoringRun::Succeed()
{
    window.ShowMessage(Tr("TutoringRun", "Теперь вам не составит труда выписать решение из таблицы"), ProgramName(),
                       MessageIcon::Information);
    ending = Ending::Success;
    state.status = Fill(Tr("TutoringRun", "Задача успешно решена: %1"), {AnswerText(problem, options.displayMode)});
    StateChanged();
}

// There is no solution to write out: the function grows without bound along a column.
void TutoringRun::EndUnbounded()
{
    window.ShowMessage(Tr("TutoringRun", "Верно: целевая функция не ограничена, задача не имеет решения"),
                       ProgramName(), MessageIcon::Information);
    ending = Ending::Unbounded;
    state.status = Tr("TutoringRun", "Задача не имеет решения: функция не ограничена");
    StateChanged();
}

// The artificial unknowns cannot all reach 0: no solution of the constraints exists at all.
void TutoringRun::EndInfeasible()
{
    window.ShowMessage(Tr("TutoringRun", "Система ограничений несовместна"), ProgramName(), MessageIcon::Information);
    ending = Ending::Infeasible;
    state.status = Tr("TutoringRun", "Задача не имеет решения: система ограничений несовместна");
    StateChanged();
}

void TutoringRun::BuildNextTable(StepStatus status)
{
    const int expectedColumn = status == StepStatus::Continue ? FindKeyColumn(problem) : FindAlternativeColumn(problem);
    KeyQuestion columnQuestion(*this, problem, KeyQuestion::Mode::Column, expectedColumn, tableNumber);
    Check(window.AskKey(columnQuestion));
    const int column = columnQuestion.Column();
    KeyQuestion rowQuestion(*this, problem, KeyQuestion::Mode::Element, column, tableNumber);
    Check(window.AskKey(rowQuestion));
    const int row = rowQuestion.KeyRow();
    const bool lowestNumbers = IsLowestNumberedChoice(problem, expectedColumn, column, row);
    // The student's accepted choices make the next table, whichever of several right ones they were.
    Pivot(problem, column, row);
    if (!firstPivotDone) {
        firstPivotDone = true;
        AskKeyRowAndElements(row, column);
    }
    ShowNewTable();
    if (int earlierTable = RememberBasis())
        TellOfRepeatedBasis(status, earlierTable, lowestNumbers);
}

void TutoringRun::ShowNewTable()
{
    state.table = MakeTableView(problem, false);
    state.tableSolutions.push_back(BasicSolution(problem));
    state.titleNumber = tableNumber;
    state.keyRow = TableRow();
    state.keyRowColumnInSight.reset();
    StateChanged();
    CompleteTable();
}

void TutoringRun::CompleteTable()
{
    state.completedTables.push_back(state.table);
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
        window.ShowMessage(RepeatedOptimumText(table, earlierTable), ProgramName(), MessageIcon::Information);
        return;
    }
    // Once told, a student who keeps to the lowest numbers is on the way out of the cycle, though
    // that way may pass through tables met before.
    if (cycleReported && lowestNumbers)
        return;
    cycleReported = true;
    window.ShowMessage(CycleText(table, earlierTable), ProgramName(), MessageIcon::Information);
}

void TutoringRun::AskKeyRowAndElements(int keyRow, int column)
{
    AskKeyRow(keyRow, column);
    const int n = problem.workUnknownCount;
    // The key column of the new table is known: 0 outside the key row.
    for (int i = 1; i <= problem.LastRow(); ++i) {
        if (i != keyRow)
            askedElements.push_back(static_cast<uint32_t>((n + 1) * (i - 1) + column));
    }
    AskRandomElements(KeyElement{keyRow, column});
    state.table.ClearMarks();
    StateChanged();
}

void TutoringRun::AskKeyRow(int keyRow, int column)
{
    const int n = problem.workUnknownCount;
    state.keyRow = TableRow(n);
    state.keyRow.At(TablePlace::PriceColumn) = TableCell::Of(problem.DisplayValue(0, column + 1));
    state.keyRow.At(TablePlace::BasisColumn) = TableCell::Named(problem.unknownNames[column]);
    for (int c = 1; c <= n + 1; ++c)
        state.keyRow.At(c) = TableCell::Hidden();
    StateChanged();
    for (int c = 1; c <= n + 1; ++c) {
        TableCell& cell = state.keyRow.At(c);
        cell.mark = CellMark::Asked;
        state.keyRowColumnInSight = c;
        StateChanged();
        askedElements.push_back(static_cast<uint32_t>((n + 1) * (keyRow - 1) + (c - 1)));
        ElementQuestion question(*this, problem, ElementMode::KeyRow, keyRow, c, KeyElement{keyRow, column});
        Check(window.AskElement(question));
        cell = TableCell::Of(problem.DisplayValue(keyRow, c));
        cell.mark = CellMark::Column;
        StateChanged();
    }
}

void TutoringRun::AskRandomElements(KeyElement key)
{
    const int n = problem.workUnknownCount;
    const int total = problem.LastRow() * (n + 1);
    for (int asked = 1; asked <= kRandomElements; ++asked) {
        if (askedElements.size() >= static_cast<size_t>(total))
            break;
        int index = DrawElementIndex(total, askedElements);
        askedElements.push_back(static_cast<uint32_t>(index));
        const TablePlace place{index / (n + 1) + 1, index % (n + 1) + 1};
        // The element's place is marked in the previous table, from which the student computes.
        state.pointed = place;
        state.tableInSight = InSight{place.row, place.column};
        StateChanged();
        ElementQuestion question(*this, problem, ElementMode::NewTable, place.row, place.column, key);
        Check(window.AskElement(question));
    }
}
