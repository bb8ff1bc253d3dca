// Arbitrary text through the calculator: every outcome is a double or one of its three
// exceptions (anything else escapes and is reported), every message is a text, and the same
// text evaluated again gives the same outcome.
#include "core/calc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Outcome {
    int kind = 0; // 0 a value, 1 a syntax error, 2 a math error, 3 division by zero
    double value = 0;
    const char* message = nullptr;
};

Outcome Evaluate(calc::Parser& parser)
{
    try {
        return {0, parser.Evaluate(), nullptr};
    } catch (const calc::SyntaxError& e) {
        return {1, 0, e.message};
    } catch (const calc::MathError& e) {
        return {2, 0, e.message};
    } catch (const calc::divzero&) {
        return {3, 0, nullptr};
    }
}

bool SameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    calc::Parser parser;
    parser.SetExpression(std::string(reinterpret_cast<const char*>(data), size));
    Outcome first = Evaluate(parser);
    if ((first.kind == 1 || first.kind == 2) && (first.message == nullptr || *first.message == '\0'))
        std::abort();
    Outcome again = Evaluate(parser);
    if (again.kind != first.kind || again.message != first.message || !SameValue(again.value, first.value))
        std::abort();
    return 0;
}
