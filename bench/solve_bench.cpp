#include "core/simplex.h"

#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <ctime>
#include <random>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "tests/core/problem_builder.h"

// Our exact table against the same pivots written directly on GMP's mpq_class: the same
// generated tables, the same rule for the key column and row, the same pivot sequence. Each
// iteration times both sides in turn, so that the noise of a shared machine falls on both
// alike; `ratio` is ours over mpq_class.

namespace {

// The table as mpq_class: rows 1..m + 1 and columns 1..n + 1 as in Problem.
struct MpqTable {
    int equationCount = 0;
    int unknownCount = 0;
    std::vector<std::vector<mpq_class>> cells;
};

mpq_class ToMpq(const TableValue& value)
{
    if (value.IsBig())
        return mpq_class(ToText(value));
    Fraction improper = value.Small();
    if (improper.numerator == 0 && improper.denominator == 0)
        return mpq_class(static_cast<signed long>(improper.whole));
    improper.ToImproper();
    mpq_class exact(static_cast<signed long>(improper.numerator), static_cast<signed long>(improper.denominator));
    exact.canonicalize();
    return exact;
}

MpqTable ToMpqTable(const Problem& p)
{
    MpqTable table{p.equationCount, p.workUnknownCount, {}};
    table.cells.assign(p.equationCount + 2, std::vector<mpq_class>(p.workUnknownCount + 2));
    for (int i = 1; i <= p.equationCount + 1; ++i)
        for (int c = 1; c <= p.workUnknownCount + 1; ++c)
            table.cells[i][c] = ToMpq(p.matrix[i][c]);
    return table;
}

// FindKeyColumn's rule: the most negative estimate among columns with a positive coefficient.
int MpqKeyColumn(const MpqTable& t)
{
    const std::vector<mpq_class>& estimates = t.cells[t.equationCount + 1];
    const mpq_class* best = nullptr;
    int result = 0;
    for (int k = 1; k <= t.unknownCount; ++k) {
        if (sgn(estimates[k + 1]) >= 0 || (best != nullptr && estimates[k + 1] >= *best))
            continue;
        for (int i = 1; i <= t.equationCount; ++i) {
            if (sgn(t.cells[i][k + 1]) > 0) {
                best = &estimates[k + 1];
                result = k;
                break;
            }
        }
    }
    return result;
}

// FindKeyRow's rule: the smallest b_i / a_ik over positive a_ik, the lowest row on a tie.
int MpqKeyRow(const MpqTable& t, int column)
{
    int result = 0;
    mpq_class best;
    for (int i = 1; i <= t.equationCount; ++i) {
        const mpq_class& a = t.cells[i][column + 1];
        if (sgn(a) <= 0)
            continue;
        mpq_class ratio = t.cells[i][1] / a;
        if (result == 0 || ratio < best) {
            best = std::move(ratio);
            result = i;
        }
    }
    return result;
}

// Pivot's arithmetic: every other row gains the key row times -a_ik / key element, rows with
// a_ik = 0 and cells under a zero of the key row left as they are; then the key row is divided.
void MpqPivot(MpqTable& t, int column, int row)
{
    const int width = t.unknownCount + 1;
    std::vector<mpq_class>& keyRow = t.cells[row];
    const mpq_class keyElement = keyRow[column + 1];
    for (int i = 1; i <= t.equationCount + 1; ++i) {
        std::vector<mpq_class>& target = t.cells[i];
        if (i == row || sgn(target[column + 1]) == 0)
            continue;
        const mpq_class factor = -target[column + 1] / keyElement;
        for (int c = 1; c <= width; ++c) {
            if (sgn(keyRow[c]) != 0)
                target[c] += keyRow[c] * factor;
        }
    }
    for (int c = 1; c <= width; ++c)
        keyRow[c] /= keyElement;
}

using PivotSequence = std::vector<std::pair<int, int>>;

PivotSequence SolveOurs(Problem& p)
{
    PivotSequence pivots;
    for (int k = FindKeyColumn(p); k != 0; k = FindKeyColumn(p)) {
        const int r = FindKeyRow(p, k);
        Pivot(p, k, r);
        pivots.emplace_back(k, r);
    }
    return pivots;
}

PivotSequence SolveMpq(MpqTable& t)
{
    PivotSequence pivots;
    for (int k = MpqKeyColumn(t); k != 0; k = MpqKeyColumn(t)) {
        const int r = MpqKeyRow(t, k);
        MpqPivot(t, k, r);
        pivots.emplace_back(k, r);
    }
    return pivots;
}

// 50 equations, 100 unknowns, the slack basis in the last 50 columns; the other coefficients
// -9..9, about 40 % of them non-zero; right-hand sides 3..27; prices -9..9. The values grow to
// hundreds of bits over some 65 pivots.
Problem GrowthHeavyProblem(std::mt19937& random)
{
    constexpr int m = 50, n = 100;
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Problem p;
    p.equationCount = m;
    p.unknownCount = p.workUnknownCount = n;
    for (int i = 1; i <= m; ++i) {
        const Fraction rightHandSide = Q(uniform(3, 27));
        p.matrix[i][1] = p.matrix[i][n + 2] = rightHandSide;
        for (int k = 1; k <= n - m; ++k)
            p.matrix[i][k + 1] = uniform(1, 10) <= 4 ? Q(uniform(1, 9) * (uniform(0, 1) ? 1 : -1)) : Q(0);
        p.matrix[i][n - m + i + 1] = Q(1);
        p.basis[i] = n - m + i;
    }
    for (int k = 1; k <= n; ++k)
        p.matrix[0][k + 1] = Q(uniform(-9, 9));
    p.ComputeIndexRow();
    return p;
}

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Times both sides on this thread's CPU clock, each first in every other round, so that neither
// always runs on what the other left in the caches.
template <typename Ours, typename Mpq>
void TimeBoth(int64_t round, Ours ours, Mpq mpq, double& oursSeconds, double& mpqSeconds)
{
    auto timed = [](auto work) {
        const double start = ThreadSeconds();
        work();
        return ThreadSeconds() - start;
    };
    if (round % 2 == 0) {
        oursSeconds += timed(ours);
        mpqSeconds += timed(mpq);
    } else {
        mpqSeconds += timed(mpq);
        oursSeconds += timed(ours);
    }
}

// The same tables solved both ways must pass through the same pivots to the same values;
// a benchmark that compared different work would be worthless.
bool SameSolve(const Problem& start)
{
    Problem ours = start;
    MpqTable exact = ToMpqTable(start);
    if (SolveOurs(ours) != SolveMpq(exact))
        return false;
    return ToMpqTable(ours).cells == exact.cells;
}

void BM_SolveGrowthHeavyVersusMpq(benchmark::State& state)
{
    std::mt19937 random(2029);
    std::vector<Problem> problems;
    for (int i = 0; i < 4; ++i)
        problems.push_back(GrowthHeavyProblem(random));
    for (const Problem& p : problems) {
        if (!SameSolve(p)) {
            state.SkipWithError("the two sides do not make the same pivots");
            return;
        }
    }
    double oursSeconds = 0, mpqSeconds = 0;
    int64_t solves = 0, pivots = 0;
    for (auto _ : state) {
        const Problem& start = problems[solves % problems.size()];
        Problem ours = start;
        MpqTable exact = ToMpqTable(start);
        TimeBoth(
            solves, [&] { pivots += int64_t(SolveOurs(ours).size()); }, [&] { SolveMpq(exact); }, oursSeconds,
            mpqSeconds);
        ++solves;
        benchmark::DoNotOptimize(ours.matrix[1][1]);
        benchmark::DoNotOptimize(exact.cells[1][1]);
    }
    state.counters["ours_ms"] = 1e3 * oursSeconds / double(solves);
    state.counters["mpq_ms"] = 1e3 * mpqSeconds / double(solves);
    state.counters["ratio"] = oursSeconds / mpqSeconds;
    state.counters["pivots_per_solve"] = double(pivots) / double(solves);
}
BENCHMARK(BM_SolveGrowthHeavyVersusMpq)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One pivot of a dense table of small fractions, 100 equations and 100 unknowns.
void BM_PivotDense100x100VersusMpq(benchmark::State& state)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(1, 9);
    Problem start;
    start.equationCount = start.unknownCount = start.workUnknownCount = 100;
    for (int i = 1; i <= 101; ++i)
        for (int c = 1; c <= 101; ++c)
            start.matrix[i][c] = Q(value(random), value(random));
    for (int i = 1; i <= 100; ++i)
        start.basis[i] = i;
    const MpqTable startMpq = ToMpqTable(start);
    double oursSeconds = 0, mpqSeconds = 0;
    int64_t pivots = 0;
    Problem ours = start;
    MpqTable exact = startMpq;
    for (auto _ : state) {
        state.PauseTiming();
        ours = start;
        exact = startMpq;
        state.ResumeTiming();
        TimeBoth(pivots, [&] { Pivot(ours, 50, 50); }, [&] { MpqPivot(exact, 50, 50); }, oursSeconds, mpqSeconds);
        ++pivots;
        benchmark::DoNotOptimize(ours.matrix[1][1]);
        benchmark::DoNotOptimize(exact.cells[1][1]);
    }
    if (ToMpqTable(ours).cells != exact.cells)
        state.SkipWithError("the two sides disagree");
    state.counters["ours_us"] = 1e6 * oursSeconds / double(pivots);
    state.counters["mpq_us"] = 1e6 * mpqSeconds / double(pivots);
    state.counters["ratio"] = oursSeconds / mpqSeconds;
}
BENCHMARK(BM_PivotDense100x100VersusMpq)->Unit(benchmark::kMicrosecond);

} // namespace
