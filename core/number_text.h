#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/fraction.h"
#include "core/table_value.h"

// What ParseFraction returns for text it rejects: (999, 999, 999). Its improper form is not
// in lowest terms, so no accepted text compares equal to it under ==.
extern const Fraction InvalidFraction;

// Reads an integer ("-7"), a decimal ("2.050", ".5"), a common fraction ("3/5", "3/-5") or a
// mixed number ("-1 2/3") exactly. The result is in lowest terms with a positive denominator;
// rejected text gives InvalidFraction.
Fraction ParseFraction(std::string text);

// Reads the text of an entry cell, which must be wholly one number in the forms ParseFraction
// reads, with white space around it: "1-2", "5-1" and "2/3/4" are no number, and neither is a
// zero denominator. InvalidFraction for any other text, as from ParseFraction.
Fraction ParseEntryNumber(std::string_view text);

// Reads a typed answer that is nothing but an exact number, in the forms ParseFraction reads:
// an integer, a decimal ("2.050", ".5"), a common fraction ("3/-5") or a mixed number
// ("-1 2/3"), with spaces around it. Unlike ParseFraction it reads no number from the front of
// a longer text ("1-2" is none), a zero denominator makes no number, and the pieces may be as
// long as the student likes. Empty for any other text: an expression for the calculator.
std::optional<TableValue> ReadExactNumber(std::string_view text);

// The fields as they stand: "0", "5", "-3/5", or "w n/d" for a mixed form.
std::string ToText(const Fraction& value);
// A small value as its Fraction; a big one with all its digits, "n" or "n/d".
std::string ToText(const TableValue& value);

// Three decimals, halves rounded away from zero: 1/16 is "0.063", -1/10000 is "-0.000".
std::string ToDecimalText(Fraction value);
// All the decimal places of a value in lowest terms whose denominator has no prime factors but 2
// and 5: "2.5", "-0.125", "7". Nothing for any other value, such as 1/3.
std::optional<std::string> ToFiniteDecimalText(const Fraction& value);
// A small value as its Fraction; a big one rounded exactly, with all the digits before the point.
std::string ToDecimalText(const TableValue& value);

// How the tables show their values; the student chooses in the settings.
enum class DisplayMode { CommonFractions, DecimalFractions };

// The text of a value in a table: ToText for common fractions, ToDecimalText for decimals.
std::string ToDisplayText(const Fraction& value, DisplayMode mode);
std::string ToDisplayText(const TableValue& value, DisplayMode mode);

std::string Int64ToText(int64_t value);

// A computed answer is right when it shows the same three decimals as the exact value.
bool ThreeDecimalMatch(double computed, const Fraction& expected);
// For a big value the three decimals are those of the exact value, read back as a double like
// the computed ones.
bool ThreeDecimalMatch(double computed, const TableValue& expected);

// The same rule for an answer typed as an exact number: both values are rounded exactly, so an
// answer equal to the expected value is always right, however large it is.
bool SameThreeDecimals(const TableValue& typed, const TableValue& expected);
