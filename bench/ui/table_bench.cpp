// The table window at the largest tables the program shows: opening it, showing the next table
// after a pivot, and the step dialogs over it. A run never takes place here: the benchmark's
// owner keeps its run flag down, so the window's start timer, should it fire, asks nothing, and
// any modal question that did come up would be answered at once and reported as an error.
#include "bench/ui/offscreen_main.h"
#include "core/entry_checks.h"
#include "core/questions.h"
#include "core/simplex.h"
#include "core/solution.h"
#include "platform/modal.h"
#include "ui/element_dlg.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/key_dlg.h"
#include "ui/run_owner.h"
#include "ui/solution_dlg.h"
#include "ui/table_dlg.h"
#include "ui/tutor_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Two shapes of the largest table. A canonical problem of 100 equations and 100 unknowns is the
// unit matrix, since every unknown is basic, so the full grid is shown with a dense table named
// basic by hand, as the core pivot benchmark does; the canonical problem keeps a slack unknown
// per equation within the 100 unknowns.
// The third is a general problem of ">=" rows, which the conversion gives a surplus and an
// artificial unknown each: 300 unknowns and the row at M.
struct Shape {
    const char* label;
    int equations;
    int unknowns; // the student's own unknowns, before the slacks
    bool slacks;
    bool general = false;
};

const Shape kShapes[] = {
    {"50 eq, 50 + 50 slack unknowns, canonical", 50, 50, true},
    {"100 eq, 100 unknowns, dense", 100, 100, false},
    {"100 eq, 100 unknowns, >= rows, 300 after conversion", 100, 100, false, true},
};

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// Small integers, never 0, so that every cell of the dense table carries a number; as many
// negative as positive, so that the dense table's estimates take both signs.
int NonZeroCoefficient(std::mt19937& random)
{
    const int value = Uniform(random, -5, 4);
    return value >= 0 ? value + 1 : value;
}

// Page 6 of the wizard as a student would fill it: every right-hand side positive, so that a
// slack basis is feasible; Max of the student's unknowns with positive prices, so that the
// first table has a key column.
EntryTexts TypedTexts(const Shape& shape)
{
    std::mt19937 random(2026);
    const int m = shape.equations;
    const int n = shape.unknowns + (shape.slacks ? m : 0);
    EntryTexts texts;
    texts.equationCount = m;
    texts.unknownCount = n;
    texts.coefficients.assign(m + 1, std::vector<std::string>(n + 1, "0"));
    texts.rightHandSides.assign(m + 1, "");
    for (int i = 1; i <= m; ++i) {
        for (int k = 1; k <= shape.unknowns; ++k)
            texts.coefficients[i][k] = std::to_string(NonZeroCoefficient(random));
        if (shape.slacks)
            texts.coefficients[i][shape.unknowns + i] = "1";
        texts.rightHandSides[i] = std::to_string(Uniform(random, 1, 12));
    }
    texts.objective.assign(n + 1, "0");
    for (int k = 1; k <= shape.unknowns; ++k)
        texts.objective[k] = std::to_string(Uniform(random, 1, 9));
    texts.sense = "Max";
    texts.unknownNames.assign(n + 1, "");
    for (int k = 1; k <= n; ++k)
        texts.unknownNames[k] = "x" + std::to_string(k);
    texts.functionName = "F";
    texts.general = shape.general;
    texts.signs.assign(m + 1, shape.general ? ">=" : "=");
    return texts;
}

// The first table as "Начать" leaves it; false when the entry's checks refuse the canonical one.
bool BuildFirstTable(const Shape& shape, Problem& problem)
{
    const EntryTexts texts = TypedTexts(shape);
    if (shape.slacks || shape.general)
        return EntryChecker().Check(texts, problem).action == EntryVerdict::Action::StartRun;
    BuildProblem(texts, problem);
    for (int i = 1; i <= shape.equations; ++i)
        problem.basis[i] = i;
    ApplyObjectiveSense(texts, problem);
    return true;
}

// The wizard's side of the window: the problem, the default display settings, and no run in
// progress.
class BenchOwner : public RunOwner {
public:
    Problem& GetProblem() override { return problem; }
    const DisplaySettings& GetSettings() const override { return settings; }
    bool RunActive() const override { return false; }
    void FailRun() override {}

private:
    Problem problem;
    DisplaySettings settings;
};

// Counts the paints of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// False when a second passed without the paint.
bool ProcessEventsUntilPainted(const PaintCounter& counter, int paintsBefore)
{
    QElapsedTimer clock;
    clock.start();
    while (counter.paints == paintsBefore) {
        if (clock.hasExpired(1000))
            return false;
        QApplication::processEvents();
    }
    return true;
}

// Questions the window put although no run was active.
struct ModalGuard {
    int questions = 0;
    ScopedModalResponder responder{[this](const ModalRequest&) {
        ++questions;
        return 0;
    }};
};

enum class NextTable { Pivoted, Restarted, None };

// The next table of a run by the run's own rules; the table after the first one again when the
// run would end here or its numbers outgrow the exact arithmetic.
NextTable PivotToNextTable(Problem& problem, const Problem& first)
{
    for (NextTable result : {NextTable::Pivoted, NextTable::Restarted}) {
        try {
            const int column = FindKeyColumn(problem);
            const int row = column != 0 ? FindKeyRow(problem, column) : 0;
            if (row != 0) {
                Pivot(problem, column, row);
                return result;
            }
        } catch (const FractionOverflow&) {
        }
        problem = first;
    }
    return NextTable::None;
}

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// The phases of one open, summed over the iterations.
struct OpenPhases {
    double construct = 0, show = 0, paint = 0, destroy = 0;

    void Report(benchmark::State& state) const
    {
        auto average = [](double ms) { return benchmark::Counter(ms, benchmark::Counter::kAvgIterations); };
        state.counters["construct_ms"] = average(construct);
        state.counters["show_init_ms"] = average(show);
        state.counters["first_paint_ms"] = average(paint);
        state.counters["destroy_ms"] = average(destroy);
    }
};

bool PrepareOwner(benchmark::State& state, BenchOwner& owner, const Shape& shape)
{
    state.SetLabel(shape.label);
    if (BuildFirstTable(shape, owner.GetProblem()))
        return true;
    state.SkipWithError("the entry's checks refused the problem");
    return false;
}

// Construct, show (the first table is set up, its index row computed and filled in), the first
// paint of the main grid, and the window gone again long before its start timer.
void BM_OpenTableWindow(benchmark::State& state)
{
    const Shape& shape = kShapes[state.range(0)];
    BenchOwner owner;
    if (!PrepareOwner(state, owner, shape))
        return;
    ModalGuard guard;
    OpenPhases phases;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        auto table = std::make_unique<CTableDlg>(owner);
        PaintCounter mainGridPaints(table->MainGrid()->viewport());
        Clock::time_point constructed = Clock::now();
        table->show();
        Clock::time_point shown = Clock::now();
        const bool painted = ProcessEventsUntilPainted(mainGridPaints, 0);
        Clock::time_point paintDone = Clock::now();
        const bool runStarted = table->RunEnded();
        table.reset();
        Clock::time_point destroyed = Clock::now();
        phases.construct += Milliseconds(constructed - start);
        phases.show += Milliseconds(shown - constructed);
        phases.paint += Milliseconds(paintDone - shown);
        phases.destroy += Milliseconds(destroyed - paintDone);
        if (!painted) {
            state.SkipWithError("no paint within a second");
            break;
        }
        if (runStarted || guard.questions != 0) {
            state.SkipWithError("the start timer fired before the window closed");
            break;
        }
    }
    phases.Report(state);
}
BENCHMARK(BM_OpenTableWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// "Начать" on a general problem as far as the first table on screen: the entry's checks with the
// conversion to canonical form, then the window opened and painted.
void BM_ConvertAndOpenGeneralProblem(benchmark::State& state)
{
    const Shape& shape = kShapes[2];
    const EntryTexts texts = TypedTexts(shape);
    BenchOwner owner;
    state.SetLabel(shape.label);
    ModalGuard guard;
    for (auto _ : state) {
        if (EntryChecker().Check(texts, owner.GetProblem()).action != EntryVerdict::Action::StartRun) {
            state.SkipWithError("the entry's checks refused the problem");
            break;
        }
        auto table = std::make_unique<CTableDlg>(owner);
        PaintCounter mainGridPaints(table->MainGrid()->viewport());
        table->show();
        if (!ProcessEventsUntilPainted(mainGridPaints, 0)) {
            state.SkipWithError("no paint within a second");
            break;
        }
    }
    state.counters["unknowns"] = owner.GetProblem().workUnknownCount;
}
BENCHMARK(BM_ConvertAndOpenGeneralProblem)->Unit(benchmark::kMillisecond);

// The table window on screen, its start timer already past (the run found no active run and
// asked nothing), so that nothing but the measured work happens in it.
struct ShownTable {
    CTableDlg table;
    PaintCounter mainGridPaints;

    explicit ShownTable(BenchOwner& owner) : table(owner), mainGridPaints(table.MainGrid()->viewport())
    {
        table.show();
        QElapsedTimer clock;
        clock.start();
        while (!table.RunEnded() && !clock.hasExpired(2000))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QApplication::processEvents();
    }
};

// The window's part of a pivot in a run: the new table written into the main grid and the grid
// repainted. The pivot itself is core work and stays outside the timing.
void BM_FillTableAfterPivot(benchmark::State& state)
{
    const Shape& shape = kShapes[state.range(0)];
    BenchOwner owner;
    if (!PrepareOwner(state, owner, shape))
        return;
    ModalGuard guard;
    ShownTable shown(owner);
    Problem& problem = owner.GetProblem();
    // With the index row the window computed.
    const Problem first = problem;
    int64_t restarts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const NextTable next = PivotToNextTable(problem, first);
        if (next == NextTable::None) {
            state.SkipWithError("no key element in the first table");
            break;
        }
        restarts += next == NextTable::Restarted;
        const int paintsBefore = shown.mainGridPaints.paints;
        state.ResumeTiming();
        TableState pivoted;
        pivoted.table = MakeTableView(problem, false);
        shown.table.ShowState(pivoted);
        if (!ProcessEventsUntilPainted(shown.mainGridPaints, paintsBefore)) {
            state.SkipWithError("no paint within a second");
            break;
        }
    }
    if (guard.questions != 0)
        state.SkipWithError("the window put a question");
    const CGridCtrl* grid = shown.table.MainGrid();
    state.counters["table_number"] = shown.table.TableNumber();
    state.counters["viewport_w"] = grid->viewport()->width();
    state.counters["viewport_h"] = grid->viewport()->height();
    state.counters["restarts"] = double(restarts);
}
BENCHMARK(BM_FillTableAfterPivot)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Shows a step dialog over the window until its answer field is painted, then closes it as an
// answer would.
template <class Dialog>
bool ShowAndClose(Dialog& dialog, int answerField)
{
    PaintCounter fieldPaints(dialog.Control(answerField));
    dialog.show();
    const bool painted = ProcessEventsUntilPainted(fieldPaints, 0);
    dialog.done(IdOk);
    return painted;
}

void BM_ElementDialog(benchmark::State& state)
{
    const Shape& shape = kShapes[state.range(0)];
    BenchOwner owner;
    if (!PrepareOwner(state, owner, shape))
        return;
    ModalGuard guard;
    ShownTable shown(owner);
    const Problem& problem = owner.GetProblem();
    for (auto _ : state) {
        ElementQuestion question(shown.table.Run(), problem, ElementMode::IndexRow, problem.equationCount + 1, 2);
        CElementDlg dialog(question, &shown.table);
        if (!ShowAndClose(dialog, CElementDlg::IDC_VALUE)) {
            state.SkipWithError("no paint within a second");
            break;
        }
    }
    if (guard.questions != 0)
        state.SkipWithError("the window put a question");
}
BENCHMARK(BM_ElementDialog)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The key column dialog: opening it marks no column yet, which recolours the whole body of the
// table and repaints the main grid.
void BM_KeyColumnDialog(benchmark::State& state)
{
    const Shape& shape = kShapes[state.range(0)];
    BenchOwner owner;
    if (!PrepareOwner(state, owner, shape))
        return;
    ModalGuard guard;
    ShownTable shown(owner);
    const Problem& problem = owner.GetProblem();
    const int expectedColumn = FindKeyColumn(problem);
    const int mainGridPaintsBefore = shown.mainGridPaints.paints;
    for (auto _ : state) {
        KeyQuestion question(shown.table.Run(), problem, KeyQuestion::Mode::Column, expectedColumn,
                             shown.table.TableNumber());
        CKeyDlg dialog(question, &shown.table);
        if (!ShowAndClose(dialog, CKeyDlg::IDC_NUMBER)) {
            state.SkipWithError("no paint within a second");
            break;
        }
    }
    if (guard.questions != 0)
        state.SkipWithError("the window put a question");
    state.counters["key_column"] = expectedColumn;
    state.counters["main_grid_paints"] =
        benchmark::Counter(shown.mainGridPaints.paints - mainGridPaintsBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeyColumnDialog)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// "Решение" on the canonical shape: the program solves the problem again, and the window builds a
// grid for each of its tables and paints the first.
void BM_SolutionWindow(benchmark::State& state)
{
    BenchOwner owner;
    if (!PrepareOwner(state, owner, kShapes[0]))
        return;
    const Problem& problem = owner.GetProblem();
    double solve = 0, construct = 0, paint = 0;
    size_t tables = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const Solution solution = SolveProblem(problem, DisplayMode::CommonFractions);
        const Clock::time_point solved = Clock::now();
        auto window = std::make_unique<CSolutionDlg>(solution, problem, DisplayMode::CommonFractions, 50);
        PaintCounter firstGridPaints(window->Grids().front()->viewport());
        const Clock::time_point constructed = Clock::now();
        window->show();
        if (!ProcessEventsUntilPainted(firstGridPaints, 0)) {
            state.SkipWithError("no paint within a second");
            break;
        }
        const Clock::time_point painted = Clock::now();
        tables = solution.tables.size();
        solve += Milliseconds(solved - start);
        construct += Milliseconds(constructed - solved);
        paint += Milliseconds(painted - constructed);
    }
    auto average = [](double ms) { return benchmark::Counter(ms, benchmark::Counter::kAvgIterations); };
    state.counters["solve_ms"] = average(solve);
    state.counters["construct_ms"] = average(construct);
    state.counters["show_paint_ms"] = average(paint);
    state.counters["tables"] = double(tables);
}
BENCHMARK(BM_SolutionWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOffscreen(argc, argv, [] { CTutorApp::PrepareDialogs(); });
}
