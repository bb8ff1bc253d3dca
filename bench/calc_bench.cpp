#include "core/calc.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// What a student types for a table element: a value, a fraction or a short expression.
void BM_EvaluateStudentExpression(benchmark::State& state)
{
    const std::string texts[] = {"-21-32*-7", "7.3-15/-4+9", "3/5", "(2/3-1/4)*12", "0.333"};
    size_t i = 0;
    for (auto _ : state) {
        calc::Parser parser;
        parser.SetExpression(texts[i % 5]);
        double value = parser.Evaluate();
        benchmark::DoNotOptimize(value);
        ++i;
    }
}
BENCHMARK(BM_EvaluateStudentExpression);

void BM_EvaluateLargePower(benchmark::State& state)
{
    for (auto _ : state) {
        calc::Parser parser;
        parser.SetExpression("1.0001^2147483647");
        double value = parser.Evaluate();
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_EvaluateLargePower);

} // namespace
