#pragma once

#include <cstdint>
#include <limits>

#include "core/fraction.h"

// 128-bit intermediates of the exact arithmetic: a product or sum of two 64-bit values always
// fits, and is checked against the 64-bit range before it is narrowed.
using Wide = __int128;
using UWide = unsigned __int128;

inline constexpr Wide kInt64Min = std::numeric_limits<int64_t>::min();
inline constexpr Wide kInt64Max = std::numeric_limits<int64_t>::max();

inline bool FitsInt64(Wide value) { return value >= kInt64Min && value <= kInt64Max; }

// |value| without overflow, also for the most negative value.
inline UWide Magnitude(Wide value) { return value < 0 ? UWide(0) - UWide(value) : UWide(value); }

// A value as a numerator over a denominator in 128 bits.
struct WideRatio {
    Wide numerator;
    Wide denominator;
};

// The improper form of a Fraction's fields, nothing narrowed: (w, 0, 0) is w / 1, and a whole
// part is taken into the numerator with the sign of the whole. The denominator is the field's.
inline WideRatio ImproperFields(const Fraction& value)
{
    if (value.numerator == 0 && value.denominator == 0)
        return {value.whole, 1};
    Wide numerator = value.numerator;
    if (value.whole > 0)
        numerator += Wide(value.denominator) * value.whole;
    else if (value.whole < 0)
        numerator = Wide(value.denominator) * value.whole - value.numerator;
    return {numerator, value.denominator};
}

// The same value with the sign on the numerator and a non-negative denominator.
inline WideRatio WithSignOnNumerator(WideRatio value)
{
    if (value.denominator < 0)
        return {-value.numerator, -value.denominator};
    return value;
}
