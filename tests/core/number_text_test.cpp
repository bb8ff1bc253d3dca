#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

struct ParseRow {
    const char* text;
    int64_t numerator, denominator;
};

void ExpectParses(const ParseRow& row)
{
    SCOPED_TRACE(row.text);
    Fraction value = ParseFraction(row.text);
    EXPECT_EQ(value.whole, 0);
    EXPECT_EQ(value.numerator, row.numerator);
    EXPECT_EQ(value.denominator, row.denominator);
    EXPECT_FALSE(value == InvalidFraction);
}

TEST(ParseFraction, ReadsIntegersAndDecimals)
{
    const ParseRow rows[] = {
        {"0", 0, 0},        {"-0", 0, 0},         {"0.000", 0, 0},   {"7", 7, 1},
        {"-12", -12, 1},    {"1.000", 1, 1},      {"1.", 1, 1},      {".5", 1, 2},
        {"-.5", -1, 2},     {"-0.5", -1, 2},      {"-1.5", -3, 2},   {"-0.25", -1, 4},
        {"2.050", 41, 20},  {"0.333", 333, 1000}, {"1.2.3", 13, 10}, {"1000", 1000, 1},
        {"2147483647", 2147483647, 1},
        {"-2147483648", -2147483648LL, 1},        {"0.123456789", 123456789, 1000000000},
        {"007", 7, 1},      {"1-2", 1, 1},
    };
    for (const auto& row : rows)
        ExpectParses(row);
}

TEST(ParseFraction, ReadsCommonFractionsAndMixedNumbers)
{
    const ParseRow rows[] = {
        {"3/5", 3, 5},     {" 3/5 ", 3, 5},    {"\t3/5\n", 3, 5}, {"-6/8", -3, 4},
        {"3/-5", -3, 5},   {"1/2/4", 1, 4},    {"0/7", 0, 0},     {"0/0", 0, 0},
        {"1 2/3", 5, 3},   {"-1 2/3", -5, 3},  {"3 /5", 3, 1},    {"999 999/999", 1000, 1},
        {"0 0/0", 0, 0},   {"1 2 3/4", 7, 4},
        // a zero whole part keeps the sign, as "-0.5" does
        {"0 2/3", 2, 3},   {"-0 2/3", -2, 3},  {"-0 0/3", 0, 0},
    };
    for (const auto& row : rows)
        ExpectParses(row);
}

TEST(ParseFraction, RejectsTextThatIsNoNumber)
{
    const char* rejected[] = {
        "", "   ", "-", "/", ".", "- /", "1:2", "1,5", "+5", "3e2", "abc", "1\t2",
        "1.5/2", "1 1.5", "1.5 2/3", "1 2", "1/2 3",
        // a zero denominator under a non-zero numerator
        "3/0", "-3/0", "1 2/0",
        // pieces outside signed 32 bits, and more than nine places after the point
        "2147483648", "-2147483649", "99999999999999999999", "1/2147483648", "4294967296 1/2",
        "0.1234567890", "1.0000000000",
    };
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(ParseFraction(text) == InvalidFraction);
    }
}

TEST(ReadExactNumber, ReadsOnlyTextThatIsOneNumber)
{
    const ParseRow numbers[] = {
        {"7", 7, 1},           {" -12 ", -12, 1},    {"0", 0, 0},          {"-0", 0, 0},
        {".5", 1, 2},          {"5.", 5, 1},         {"-0.25", -1, 4},     {"2.050", 41, 20},
        {"3/5", 3, 5},         {"-6/8", -3, 4},      {"3/-5", -3, 5},      {"-3/-5", 3, 5},
        {"0/7", 0, 0},         {"-1 2/3", -5, 3},    {"1  2/3", 5, 3},     {"-0 2/3", -2, 3},
        {"9223372036854775807", INT64_MAX, 1},       {"146282451872397716/7", 146282451872397716, 7},
        {"0.1234567890123", 1234567890123, 10000000000000},
        // a value that fits, however long its pieces
        {"18446744073709551616/36893488147419103232", 1, 2}, {"-9223372036854775808", INT64_MIN, 1},
    };
    for (const ParseRow& row : numbers) {
        SCOPED_TRACE(row.text);
        std::optional<TableValue> value = ReadExactNumber(row.text);
        ASSERT_TRUE(value.has_value());
        ASSERT_FALSE(value->IsBig());
        EXPECT_EQ(value->Small().whole, 0);
        EXPECT_EQ(value->Small().numerator, row.numerator);
        EXPECT_EQ(value->Small().denominator, row.denominator);
    }
    // Expressions, prefixes and zero denominators are left to the calculator.
    const char* others[] = {"", " ", "-", ".", "-.", "1-2", "1e5", "+5", "--5", "1.2.3", "1 2", "1 2/3 4",
                            "1 -2/3", "1 2/-3", "\t1", "3/0", "0/0", "1 2/0", "3 /5", "3/ 5", "(1)", "1/3Б"};
    for (const char* text : others)
        EXPECT_FALSE(ReadExactNumber(text).has_value()) << text;
}

// An entry cell takes the number ReadExactNumber sees in it, within ParseFraction's limits, and
// nothing else: every short text over the characters of numbers is tried.
TEST(ParseEntryNumber, TakesWholeNumbersOnlyWithParseFractionsValue)
{
    const std::string alphabet = "01-./ 9";
    for (int code = 0; code < 7 * 7 * 7 * 7 * 7; ++code) {
        std::string text;
        for (int rest = code; text.size() < 5; rest /= 7)
            text += alphabet[rest % 7];
        const Fraction entry = ParseEntryNumber(text);
        const std::optional<TableValue> whole = ReadExactNumber(text);
        if (!whole || ParseFraction(text) == InvalidFraction) {
            EXPECT_TRUE(entry == InvalidFraction) << '"' << text << '"';
            continue;
        }
        EXPECT_TRUE(entry == ParseFraction(text)) << '"' << text << '"';
        EXPECT_TRUE(TableValue(entry) == *whole) << '"' << text << '"';
    }
    EXPECT_TRUE(ParseEntryNumber("\t-1 2/3\n") == Fraction(0, -5, 3));
}

TEST(NumberText, ToTextShowsTheFieldsAsTheyStand)
{
    EXPECT_EQ(ToText(Fraction()), "0");
    EXPECT_EQ(ToText(Fraction(-1)), "-1");
    EXPECT_EQ(ToText(Fraction(0, -3, 1)), "-3");
    EXPECT_EQ(ToText(Fraction(0, 3, 2)), "3/2");
    EXPECT_EQ(ToText(Fraction(0, -3, 5)), "-3/5");
    EXPECT_EQ(ToText(Fraction(-1, 2, 3)), "-1 2/3");
    EXPECT_EQ(ToText(Fraction(0, 2, 4)), "2/4");
}

TEST(NumberText, Int64ToTextCoversTheWholeRange)
{
    EXPECT_EQ(Int64ToText(0), "0");
    EXPECT_EQ(Int64ToText(-7), "-7");
    EXPECT_EQ(Int64ToText(std::numeric_limits<int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(Int64ToText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

TEST(NumberText, ToDecimalTextRoundsHalvesAwayFromZero)
{
    const std::pair<Fraction, const char*> rows[] = {
        {Fraction(0, 1, 3), "0.333"},    {Fraction(0, 2, 3), "0.667"},   {Fraction(0, -7, 3), "-2.333"},
        {Fraction(5), "5.000"},          {Fraction(), "0.000"},          {Fraction(0, 1, 16), "0.063"},
        {Fraction(0, 3, 16), "0.188"},   {Fraction(0, 5, 16), "0.313"},  {Fraction(0, -1, 16), "-0.063"},
        {Fraction(0, -1, 10000), "-0.000"}, {Fraction(0, 1, 8), "0.125"}, {Fraction(0, -1, 2), "-0.500"},
        {Fraction(0, 15999, 16), "999.938"}, {Fraction(0, 15999, 1600), "9.999"},
        {Fraction(0, 159999, 16), "9999.938"}, {Fraction(0, -159999, 16), "-9999.938"},
        {Fraction(2, 1, 3), "2.333"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(ToDecimalText(value), text) << ToText(value);
}

TEST(NumberText, ThreeDecimalMatchComparesAtThreeDecimals)
{
    const Fraction third(0, 1, 3), twoThirds(0, 2, 3), sixteenth(0, 1, 16);
    EXPECT_TRUE(ThreeDecimalMatch(0.333, third));
    EXPECT_TRUE(ThreeDecimalMatch(0.3333, third));
    EXPECT_TRUE(ThreeDecimalMatch(1.0 / 3.0, third));
    EXPECT_FALSE(ThreeDecimalMatch(0.33, third));
    EXPECT_TRUE(ThreeDecimalMatch(0.667, twoThirds));
    EXPECT_TRUE(ThreeDecimalMatch(0.6667, twoThirds));
    EXPECT_FALSE(ThreeDecimalMatch(0.666, twoThirds));
    EXPECT_TRUE(ThreeDecimalMatch(0.063, sixteenth));
    EXPECT_TRUE(ThreeDecimalMatch(0.0625, sixteenth));
    EXPECT_FALSE(ThreeDecimalMatch(0.062, sixteenth));
    EXPECT_TRUE(ThreeDecimalMatch(-0.0001, Fraction()));
    EXPECT_TRUE(ThreeDecimalMatch(0.6, Fraction(0, 3, 5)));
    EXPECT_FALSE(ThreeDecimalMatch(std::numeric_limits<double>::quiet_NaN(), Fraction()));
    EXPECT_FALSE(ThreeDecimalMatch(std::numeric_limits<double>::infinity(), Fraction(5)));
}

struct BigTextRow {
    const char* value;
    const char* decimals;
};

TEST(NumberText, BigValuesShowEveryDigitAndRoundTheExactValue)
{
    const BigTextRow rows[] = {
        {"9223372036854775808", "9223372036854775808.000"},
        {"-9223372036854775809", "-9223372036854775809.000"},
        {"18446744073709551617/3", "6148914691236517205.667"},
        {"-18446744073709551617/3", "-6148914691236517205.667"},
        // halfway: away from zero
        {"18446744073709551616001/2000", "9223372036854775808.001"},
        {"-18446744073709551616001/2000", "-9223372036854775808.001"},
        {"18446744073709551615999/2000", "9223372036854775808.000"},
        {"1/18446744073709551616", "0.000"},
        {"-1/18446744073709551616", "-0.000"},
        {"1000000000000000000000000000000/7", "142857142857142857142857142857.143"},
    };
    for (const BigTextRow& row : rows) {
        SCOPED_TRACE(row.value);
        TableValue value = ReadExactNumber(row.value).value();
        ASSERT_TRUE(value.IsBig());
        EXPECT_EQ(ToText(value), row.value);
        EXPECT_EQ(ToDisplayText(value, DisplayMode::CommonFractions), row.value);
        EXPECT_EQ(ToDecimalText(value), row.decimals);
        EXPECT_EQ(ToDisplayText(value, DisplayMode::DecimalFractions), row.decimals);
    }
}

TEST(NumberText, BigValuesAreJudgedAtTheExactValuesThreeDecimals)
{
    const TableValue third = ReadExactNumber("18446744073709551617/3").value(); // 6148914691236517205.667
    const TableValue huge = ReadExactNumber("1000000000000000000000000000000/7").value();
    // A computed double against the exact value's three decimals, read back like the double's own.
    EXPECT_TRUE(ThreeDecimalMatch(6148914691236517205.667, third));
    EXPECT_FALSE(ThreeDecimalMatch(6.2e18, third));
    EXPECT_FALSE(ThreeDecimalMatch(-6148914691236517205.667, third));
    EXPECT_TRUE(ThreeDecimalMatch(1e30 / 7, huge));
    EXPECT_FALSE(ThreeDecimalMatch(1e30 / 6, huge));
    EXPECT_FALSE(ThreeDecimalMatch(std::numeric_limits<double>::quiet_NaN(), huge));
    // A typed exact number against the exact value, both rounded exactly.
    const std::pair<const char*, bool> typed[] = {
        {"18446744073709551617/3", true},      {"6148914691236517205.667", true},
        {"6148914691236517205 2/3", true},     {"6148914691236517205.6665", true},
        {"6148914691236517205.666", false},    {"18446744073709551618/3", false},
        {"6148914691236517205.6664999", false}, {"-18446744073709551617/3", false},
    };
    for (const auto& [text, right] : typed)
        EXPECT_EQ(SameThreeDecimals(ReadExactNumber(text).value(), third), right) << text;
}

TEST(NumberText, DecimalPointIsAPointWhateverTheLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    // The test script makes sure this locale exists.
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr);
    EXPECT_EQ(ToDecimalText(Fraction(0, 1, 3)), "0.333");
    EXPECT_TRUE(ThreeDecimalMatch(0.333, Fraction(0, 1, 3)));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
