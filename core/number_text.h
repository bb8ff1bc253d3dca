#pragma once

#include <cstdint>
#include <string>

#include "core/fraction.h"

// What ParseFraction returns for text it rejects: (999, 999, 999). Its improper form is not
// in lowest terms, so no accepted text compares equal to it under ==.
extern const Fraction InvalidFraction;

// Reads an integer ("-7"), a decimal ("2.050", ".5"), a common fraction ("3/5", "3/-5") or a
// mixed number ("-1 2/3") exactly. The result is in lowest terms with a positive denominator;
// rejected text gives InvalidFraction.
Fraction ParseFraction(std::string text);

// The fields as they stand: "0", "5", "-3/5", or "w n/d" for a mixed form.
std::string ToText(const Fraction& value);

// Three decimals, halves rounded away from zero: 1/16 is "0.063", -1/10000 is "-0.000".
std::string ToDecimalText(Fraction value);

// The text of a value in a table: common fractions for display mode 0, three decimals for 1.
std::string ToDisplayText(const Fraction& value, int displayMode);

std::string Int64ToText(int64_t value);

// A computed answer is right when it shows the same three decimals as the exact value.
bool ThreeDecimalMatch(double computed, const Fraction& expected);
