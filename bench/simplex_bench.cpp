#include "core/simplex.h"

#include "core/entry_checks.h"

#include <benchmark/benchmark.h>

#include <random>
#include <utility>

#include "tests/core/random_problem.h"

namespace {

// A dense table of small fractions, every cell non-zero, 100 equations and 100 unknowns.
Problem DenseTable()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(1, 9);
    Problem p;
    p.equationCount = p.unknownCount = p.workUnknownCount = 100;
    for (int i = 1; i <= 101; ++i)
        for (int c = 1; c <= 101; ++c)
            p.matrix[i][c] = Q(value(random), value(random));
    for (int i = 1; i <= 100; ++i)
        p.basis[i] = i;
    return p;
}

void BM_PivotDense100x100(benchmark::State& state)
{
    const Problem original = DenseTable();
    Problem p = original;
    for (auto _ : state) {
        state.PauseTiming();
        p = original;
        state.ResumeTiming();
        Pivot(p, 50, 50);
        benchmark::DoNotOptimize(p.matrix[1][1]);
    }
}
BENCHMARK(BM_PivotDense100x100)->Unit(benchmark::kMicrosecond);

// A general problem of 100 ">=" rows and 100 unknowns as the conversion leaves it: a surplus and
// an artificial unknown per row, 300 unknowns, the index row in two rows.
Problem GeneralTable()
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> value(-5, 9);
    EntryTexts texts;
    texts.equationCount = texts.unknownCount = 100;
    texts.general = true;
    texts.coefficients.assign(101, std::vector<std::string>(101, "0"));
    texts.rightHandSides.assign(101, "");
    texts.signs.assign(101, ">=");
    for (int i = 1; i <= 100; ++i) {
        for (int k = 1; k <= 100; ++k)
            texts.coefficients[i][k] = std::to_string(value(random));
        texts.rightHandSides[i] = std::to_string(1 + i % 12);
    }
    texts.objective.assign(101, "0");
    for (int k = 1; k <= 100; ++k)
        texts.objective[k] = std::to_string(value(random));
    texts.unknownNames.assign(101, "");
    for (int k = 1; k <= 100; ++k)
        texts.unknownNames[k] = "x" + std::to_string(k);
    texts.functionName = "F";
    texts.sense = "Max";
    Problem p;
    EntryChecker().Check(texts, p);
    p.ComputeIndexRow();
    return p;
}

void BM_PivotGeneral100x300(benchmark::State& state)
{
    const Problem original = GeneralTable();
    const int column = FindKeyColumn(original);
    const int row = column != 0 ? FindKeyRow(original, column) : 0;
    if (row == 0) {
        state.SkipWithError("no key element in the first table");
        return;
    }
    Problem p = original;
    for (auto _ : state) {
        state.PauseTiming();
        p = original;
        state.ResumeTiming();
        Pivot(p, column, row);
        benchmark::DoNotOptimize(p.matrix[1][1]);
    }
    state.counters["unknowns"] = original.workUnknownCount;
}
BENCHMARK(BM_PivotGeneral100x300)->Unit(benchmark::kMicrosecond);

// The values of a table held in arbitrary precision, and all its values.
std::pair<int64_t, int64_t> BigValues(const Problem& p)
{
    int64_t big = 0;
    for (int i = 1; i <= p.equationCount + 1; ++i)
        for (int c = 1; c <= p.workUnknownCount + 1; ++c)
            big += p.matrix[i][c].IsBig() ? 1 : 0;
    return {big, int64_t(p.equationCount + 1) * (p.workUnknownCount + 1)};
}

// Solves random problems of one size as a correct student would, counting the share of table
// values that outgrew 64 bits on the way.
void BM_SolveRandom(benchmark::State& state)
{
    const int m = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    std::mt19937 random(2026);
    int64_t solves = 0, tables = 0, bigValues = 0, values = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Problem p = BuildTestProblem(RandomCanonicalProblemOfSize(random, m, n));
        state.ResumeTiming();
        p.ComputeIndexRow();
        for (int step = 0; step < 1000 && ClassifyTable(p) == StepStatus::Continue; ++step) {
            int k = FindKeyColumn(p);
            Pivot(p, k, FindKeyRow(p, k));
            ++tables;
            // Counting takes a pointer test per value, too little beside a pivot to pause the clock for.
            auto [big, all] = BigValues(p);
            bigValues += big;
            values += all;
        }
        ++solves;
    }
    state.counters["big_share"] = values == 0 ? 0.0 : double(bigValues) / double(values);
    state.counters["pivots_per_solve"] = double(tables) / double(solves);
}
BENCHMARK(BM_SolveRandom)->Args({10, 20})->Args({20, 40})->Args({30, 60})->Args({50, 100})
    ->Unit(benchmark::kMillisecond);

} // namespace
