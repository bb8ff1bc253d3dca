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

// Integer exponents far beyond 32 bits, all of them in one round: above 64 the power is the
// library's, which does not loop over the exponent, so a round stays far below the half second
// a student would notice.
void BM_EvaluateHugeIntegerExponents(benchmark::State& state)
{
    const std::string texts[] = {
        "2^2147483647",      "(-2)^2147483647",   "0.5^2147483647",          "1^-2147483648",
        "(-1)^99999999999",  "(-1)^100000000000", "2^-99999999999999999999", "0.5^-3000000000",
        "1.0000000001^10000000000",
    };
    for (auto _ : state) {
        for (const std::string& text : texts) {
            calc::Parser parser;
            parser.SetExpression(text);
            double value = parser.Evaluate();
            benchmark::DoNotOptimize(value);
        }
    }
}
BENCHMARK(BM_EvaluateHugeIntegerExponents)->Unit(benchmark::kMicrosecond);

} // namespace
