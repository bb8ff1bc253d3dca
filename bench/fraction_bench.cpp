#include "core/number_text.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<Fraction> SampleValues()
{
    std::vector<Fraction> values;
    for (int i = 1; i <= 64; ++i)
        values.emplace_back(0, (i * 37) % 91 - 45, i % 13 + 1);
    return values;
}

void BM_FractionMultiply(benchmark::State& state)
{
    auto values = SampleValues();
    size_t i = 0;
    for (auto _ : state) {
        Fraction r = values[i % 64] * values[(i + 7) % 64];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_FractionMultiply);

void BM_FractionAdd(benchmark::State& state)
{
    auto values = SampleValues();
    size_t i = 0;
    for (auto _ : state) {
        Fraction r = values[i % 64] + values[(i + 7) % 64];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_FractionAdd);

void BM_FractionCompare(benchmark::State& state)
{
    auto values = SampleValues();
    size_t i = 0;
    for (auto _ : state) {
        bool r = values[i % 64] < values[(i + 7) % 64];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_FractionCompare);

void BM_ParseFraction(benchmark::State& state)
{
    const std::string texts[] = {"3/5", "-1 2/3", "2.050", "-12", "0.333", "17/-4"};
    size_t i = 0;
    for (auto _ : state) {
        Fraction r = ParseFraction(texts[i % 6]);
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_ParseFraction);

void BM_ToDecimalText(benchmark::State& state)
{
    auto values = SampleValues();
    size_t i = 0;
    for (auto _ : state) {
        std::string r = ToDecimalText(values[i % 64]);
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_ToDecimalText);

} // namespace
