#include "core/lp_format.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// The largest problem the wizard holds: 100 equations and 100 unknowns, fractions and Cyrillic
// names, so that every extension is written and read.
LpProblem LargestProblem()
{
    LpProblem problem;
    for (int k = 0; k < 100; ++k) {
        problem.unknownNames.push_back("х" + std::to_string(k));
        problem.objective.push_back(Fraction(0, k - 50, k % 7 + 1));
    }
    for (int i = 0; i < 100; ++i) {
        LpRow row{{}, static_cast<Relation>(i % 3), Fraction(0, i + 1, 4)};
        for (int k = 0; k < 100; ++k) {
            Fraction value(0, (i * k) % 19 - 9, (i + k) % 5 + 1);
            value.Reduce();
            value.NormalizeSign();
            row.coefficients.push_back(value);
        }
        problem.rows.push_back(row);
    }
    for (Fraction& value : problem.objective) {
        value.Reduce();
        value.NormalizeSign();
    }
    return problem;
}

void BM_WriteLargestProblem(benchmark::State& state)
{
    const LpProblem problem = LargestProblem();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteLpProblem(problem));
}
BENCHMARK(BM_WriteLargestProblem);

void BM_ReadLargestProblem(benchmark::State& state)
{
    const std::string text = WriteLpProblem(LargestProblem());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadLpProblem(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLargestProblem);

// Files of the largest size taken, read to their end or their refusal: one endless number, one
// endless name, nothing but comments.
void BM_ReadHostileMegabyte(benchmark::State& state)
{
    const size_t size = kLpFileSizeLimit - 100;
    std::string comments;
    while (comments.size() < size)
        comments += "\\ a comment line of the sort a teacher might write\n";
    const std::string texts[] = {
        "Maximize\n F: " + std::string(size, '1') + " x\n",
        "Maximize\n F: 2 x" + std::string(size, 'y') + "\n",
        comments,
    };
    for (auto _ : state) {
        for (const std::string& text : texts)
            benchmark::DoNotOptimize(ReadLpProblem(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 3 * size));
}
BENCHMARK(BM_ReadHostileMegabyte);

} // namespace
