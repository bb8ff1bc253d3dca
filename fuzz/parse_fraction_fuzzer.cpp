// Arbitrary text through ParseFraction: an accepted value must be in lowest terms with a
// positive denominator (zero as 0/0) and whole 0, and must read back from its own text.
#include "core/number_text.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    Fraction value = ParseFraction(text);
    if (value == InvalidFraction)
        return 0;
    bool zero = value.numerator == 0 && value.denominator == 0;
    bool reduced = value.denominator > 0 && std::gcd(value.numerator, value.denominator) == 1;
    if (value.whole != 0 || !(zero || reduced))
        std::abort();
    // Its own text reads back while both numbers fit the 32-bit pieces of the parser.
    bool fitsPieces = value.numerator >= INT32_MIN && value.numerator <= INT32_MAX &&
                      value.denominator <= INT32_MAX;
    if (fitsPieces && !(ParseFraction(ToText(value)) == value))
        std::abort();
    ToDecimalText(value);
    return 0;
}
