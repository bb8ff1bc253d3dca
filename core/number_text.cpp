#include "core/number_text.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/big_value.h"
#include "core/wide_int.h"

const Fraction InvalidFraction(999, 999, 999);

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A piece is read like a leading integer: white space, an optional sign, then digits up to the
// first other character; no digits read as 0. A value outside signed 32 bits is refused.
std::optional<int64_t> ReadPiece(std::string_view piece)
{
    size_t i = 0;
    while (i < piece.size() && IsWhiteSpace(piece[i]))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+')) {
        negative = piece[i] == '-';
        ++i;
    }
    constexpr int64_t limit = int64_t(1) << 31;
    int64_t magnitude = 0;
    for (; i < piece.size() && IsDigit(piece[i]); ++i) {
        magnitude = magnitude * 10 + (piece[i] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    if (!negative && magnitude == limit)
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}

struct CharacterCounts {
    int digits = 0;
    int spaces = 0;
    int points = 0;
    int slashes = 0;
};

std::optional<CharacterCounts> CountCharacters(std::string_view text)
{
    CharacterCounts counts;
    for (char c : text) {
        if (IsDigit(c))
            ++counts.digits;
        else if (c == ' ')
            ++counts.spaces;
        else if (c == '.')
            ++counts.points;
        else if (c == '/')
            ++counts.slashes;
        else if (c != '-')
            return std::nullopt;
    }
    return counts;
}

// The three pieces of a mixed form, before the finishing steps.
struct Pieces {
    int64_t whole = 0;
    int64_t numerator = 0;
    int64_t denominator = 1;
};

std::optional<Pieces> ReadDecimal(std::string_view text)
{
    size_t point = text.rfind('.');
    std::string_view fraction = text.substr(point + 1);
    // The denominator is 10 to the number of characters after the point.
    if (fraction.size() > 9)
        return std::nullopt;
    auto whole = ReadPiece(text.substr(0, point));
    auto numerator = ReadPiece(fraction);
    if (!whole || !numerator)
        return std::nullopt;
    Pieces p{*whole, *numerator, 1};
    for (size_t k = 0; k < fraction.size(); ++k)
        p.denominator *= 10;
    // "-0.25" reads its whole part as 0, which cannot carry the sign.
    if (p.whole == 0 && text.front() == '-')
        p.numerator = -p.numerator;
    return p;
}

std::optional<Pieces> ReadCommonFraction(std::string_view text)
{
    size_t slash = text.rfind('/');
    auto numerator = ReadPiece(text.substr(0, slash));
    auto denominator = ReadPiece(text.substr(slash + 1));
    if (!numerator || !denominator)
        return std::nullopt;
    return Pieces{0, *numerator, *denominator};
}

std::optional<Pieces> ReadMixedNumber(std::string_view text)
{
    size_t slash = text.rfind('/');
    size_t space = text.rfind(' ', slash);
    if (space == std::string_view::npos)
        return std::nullopt;
    auto whole = ReadPiece(text.substr(0, space));
    auto numerator = ReadPiece(text.substr(space + 1, slash - space - 1));
    auto denominator = ReadPiece(text.substr(slash + 1));
    if (!whole || !numerator || !denominator)
        return std::nullopt;
    Pieces p{*whole, *numerator, *denominator};
    // As in "-0.25", a whole part read as 0 cannot carry the sign of "-0 2/3".
    if (p.whole == 0 && text.front() == '-')
        p.numerator = -p.numerator;
    return p;
}

std::optional<Pieces> ReadPieces(std::string_view text, const CharacterCounts& counts)
{
    if (counts.spaces == 0 && counts.slashes == 0 && counts.points == 0) {
        auto value = ReadPiece(text);
        if (!value)
            return std::nullopt;
        return Pieces{0, *value, 1};
    }
    if (counts.spaces == 0 && counts.slashes == 0)
        return ReadDecimal(text);
    if (counts.spaces == 0 && counts.points == 0)
        return ReadCommonFraction(text);
    if (counts.slashes > 0 && counts.points == 0)
        return ReadMixedNumber(text);
    // Points together with slashes or spaces, and spaces without a slash, are no number.
    return std::nullopt;
}

// Three decimals of a double that lies exactly halfway between two of them. Such a double is
// an odd number of sixteenths: its four-decimal text is exact, ends in 5, and the digit before
// the 5 is never 9 (.0625, .1875, ... .9375), so rounding away from zero raises that digit.
std::string RoundHalfAwayFromZero(double value)
{
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    std::string text(buffer, end - 1);
    ++text.back();
    return text;
}

bool IsHalfwayAtThreeDecimals(double value)
{
    double sixteenths = value * 16;
    return std::isfinite(sixteenths) && std::trunc(sixteenths) == sixteenths &&
           std::fmod(sixteenths, 2.0) != 0;
}

// Like "%.3f" in the C locale, but a double exactly halfway rounds away from zero.
std::string FormatThreeDecimals(double value)
{
    if (IsHalfwayAtThreeDecimals(value))
        return RoundHalfAwayFromZero(value);
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, end);
}

double ReadBack(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Walks a text that must be one number from its first character to its last.
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text(text) {}

    bool AtEnd() const { return at == text.size(); }

    bool Take(char c)
    {
        if (at == text.size() || text[at] != c)
            return false;
        ++at;
        return true;
    }

    bool TakeSpaces()
    {
        const size_t start = at;
        while (Take(' ')) {
        }
        return at > start;
    }

    std::string_view TakeDigits()
    {
        const size_t start = at;
        while (at < text.size() && IsDigit(text[at]))
            ++at;
        return text.substr(start, at - start);
    }

private:
    std::string_view text;
    size_t at = 0;
};

// A typed number as written: sign (whole + numerator / denominator). A decimal's numerator is
// the digits after the point and its denominator 10 to their count; an integer has neither.
struct WrittenNumber {
    bool negative = false;
    std::string_view whole;
    std::string_view numerator;
    std::string_view denominator;
    size_t places = 0;
};

std::optional<WrittenNumber> ScanCommonFraction(NumberScanner& scanner, WrittenNumber number)
{
    number.numerator = number.whole;
    number.whole = {};
    if (scanner.Take('-'))
        number.negative = !number.negative;
    number.denominator = scanner.TakeDigits();
    if (number.denominator.empty() || !scanner.AtEnd())
        return std::nullopt;
    return number;
}

std::optional<WrittenNumber> ScanMixedNumber(NumberScanner& scanner, WrittenNumber number)
{
    number.numerator = scanner.TakeDigits();
    if (number.numerator.empty() || !scanner.Take('/'))
        return std::nullopt;
    number.denominator = scanner.TakeDigits();
    if (number.denominator.empty() || !scanner.AtEnd())
        return std::nullopt;
    return number;
}

std::optional<WrittenNumber> ScanWrittenNumber(std::string_view text)
{
    NumberScanner scanner(text);
    WrittenNumber number;
    number.negative = scanner.Take('-');
    number.whole = scanner.TakeDigits();
    if (scanner.Take('.')) {
        number.numerator = scanner.TakeDigits();
        number.places = number.numerator.size();
        if (!scanner.AtEnd() || (number.whole.empty() && number.numerator.empty()))
            return std::nullopt;
        return number;
    }
    if (number.whole.empty())
        return std::nullopt;
    if (scanner.AtEnd())
        return number;
    if (scanner.Take('/'))
        return ScanCommonFraction(scanner, number);
    if (scanner.TakeSpaces())
        return ScanMixedNumber(scanner, number);
    return std::nullopt;
}

mpz_class DigitsValue(std::string_view digits)
{
    if (digits.empty())
        return 0;
    return mpz_class(std::string(digits), 10);
}

std::optional<TableValue> TypedValue(const WrittenNumber& number)
{
    mpz_class denominator;
    if (number.denominator.empty())
        mpz_ui_pow_ui(denominator.get_mpz_t(), 10, number.places);
    else
        denominator = DigitsValue(number.denominator);
    if (denominator == 0)
        return std::nullopt;
    mpz_class numerator = DigitsValue(number.whole) * denominator + DigitsValue(number.numerator);
    if (number.negative)
        numerator = -numerator;
    mpq_class value(numerator, denominator);
    value.canonicalize();
    return MakeTableValue({value});
}

// |value| times 1000, rounded half away from zero, without leaving the integers.
mpz_class RoundedThousandths(const mpq_class& value)
{
    const mpz_class scaled = abs(value.get_num()) * 1000;
    return (2 * scaled + value.get_den()) / (2 * value.get_den());
}

mpz_class SignedThousandths(const TableValue& value)
{
    const mpq_class exact = ExactValue(value);
    const mpz_class rounded = RoundedThousandths(exact);
    return sgn(exact) < 0 ? mpz_class(-rounded) : rounded;
}

} // namespace

std::optional<TableValue> ReadExactNumber(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    auto number = ScanWrittenNumber(text.substr(first, text.find_last_not_of(' ') - first + 1));
    if (!number)
        return std::nullopt;
    return TypedValue(*number);
}

bool SameThreeDecimals(const TableValue& typed, const TableValue& expected)
{
    return SignedThousandths(typed) == SignedThousandths(expected);
}

Fraction ParseFraction(std::string input)
{
    std::string_view text = Trimmed(input);
    if (text.empty())
        return InvalidFraction;
    auto counts = CountCharacters(text);
    if (!counts || counts->digits == 0)
        return InvalidFraction;
    auto pieces = ReadPieces(text, *counts);
    // A zero denominator under a non-zero numerator is no value at all.
    if (!pieces || (pieces->denominator == 0 && pieces->numerator != 0))
        return InvalidFraction;
    Fraction value(pieces->whole, pieces->numerator, pieces->denominator);
    value.ToImproper();
    value.Reduce();
    value.NormalizeSign();
    return value;
}

Fraction ParseEntryNumber(std::string_view text)
{
    const std::string_view trimmed = Trimmed(text);
    const std::optional<WrittenNumber> number = ScanWrittenNumber(trimmed);
    if (!number || (!number->denominator.empty() && DigitsValue(number->denominator) == 0))
        return InvalidFraction;
    return ParseFraction(std::string(trimmed));
}

std::string Int64ToText(int64_t value)
{
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

std::string ToText(const Fraction& value)
{
    if (value.numerator == 0)
        return Int64ToText(value.whole);
    if (value.whole == 0 && value.denominator == 1)
        return Int64ToText(value.numerator);
    std::string fraction = Int64ToText(value.numerator) + "/" + Int64ToText(value.denominator);
    if (value.whole == 0)
        return fraction;
    return Int64ToText(value.whole) + " " + fraction;
}

std::string ToDecimalText(Fraction value)
{
    value.ToImproper();
    long double quotient = static_cast<long double>(value.numerator) / value.denominator;
    return FormatThreeDecimals(static_cast<double>(quotient));
}

namespace {

std::string DigitsOf(UWide value)
{
    std::string digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

} // namespace

std::optional<std::string> ToFiniteDecimalText(const Fraction& value)
{
    const WideRatio improper = ImproperFields(value);
    if (improper.numerator == 0)
        return "0";
    const UWide magnitude = Magnitude(improper.numerator);
    const UWide denominator = Magnitude(improper.denominator);
    if (denominator == 0)
        return std::nullopt;
    UWide rest = denominator;
    int twos = 0;
    int fives = 0;
    for (; rest % 2 == 0; rest /= 2)
        ++twos;
    for (; rest % 5 == 0; rest /= 5)
        ++fives;
    if (rest != 1)
        return std::nullopt;
    // The digits of the magnitude, so that -1/2 keeps its sign although its integer part is 0.
    std::string text = (improper.numerator < 0) != (improper.denominator < 0) ? "-" : "";
    text += DigitsOf(magnitude / denominator);
    UWide remainder = magnitude % denominator;
    const int places = std::max(twos, fives);
    if (places > 0)
        text += '.';
    // remainder < denominator < 2^64: ten times it fits in 128 bits.
    for (int k = 0; k < places; ++k) {
        remainder *= 10;
        text += static_cast<char>('0' + static_cast<int>(remainder / denominator));
        remainder %= denominator;
    }
    return text;
}

std::string ToDisplayText(const Fraction& value, DisplayMode mode)
{
    return mode == DisplayMode::DecimalFractions ? ToDecimalText(value) : ToText(value);
}

bool ThreeDecimalMatch(double computed, const Fraction& expected)
{
    double a = ReadBack(FormatThreeDecimals(computed));
    double b = ReadBack(ToDecimalText(expected));
    return a == b;
}

std::string ToText(const TableValue& value)
{
    if (!value.IsBig())
        return ToText(value.Small());
    const mpq_class& exact = value.Big().value;
    if (exact.get_den() == 1)
        return exact.get_num().get_str();
    return exact.get_num().get_str() + "/" + exact.get_den().get_str();
}

std::string ToDecimalText(const TableValue& value)
{
    if (!value.IsBig())
        return ToDecimalText(value.Small());
    const mpq_class& exact = value.Big().value;
    const mpz_class rounded = RoundedThousandths(exact);
    const mpz_class wholePart = rounded / 1000;
    const std::string places = std::to_string(mpz_class(rounded % 1000).get_ui() + 1000).substr(1);
    return (sgn(exact) < 0 ? "-" : "") + wholePart.get_str() + "." + places;
}

std::string ToDisplayText(const TableValue& value, DisplayMode mode)
{
    return mode == DisplayMode::DecimalFractions ? ToDecimalText(value) : ToText(value);
}

bool ThreeDecimalMatch(double computed, const TableValue& expected)
{
    if (!expected.IsBig())
        return ThreeDecimalMatch(computed, expected.Small());
    return ReadBack(FormatThreeDecimals(computed)) == ReadBack(ToDecimalText(expected));
}
