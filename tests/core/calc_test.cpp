#include "core/calc.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kE = std::exp(1.0);
const double kPi = std::acos(-1.0);

double Evaluated(const std::string& text)
{
    calc::Parser parser;
    parser.SetExpression(text);
    return parser.Evaluate();
}

// What an evaluation threw, as one comparable text.
std::string Outcome(const std::string& text)
{
    try {
        return "value " + std::to_string(Evaluated(text));
    } catch (const calc::SyntaxError& e) {
        return std::string("SyntaxError ") + e.message;
    } catch (const calc::MathError& e) {
        return std::string("MathError ") + e.message;
    } catch (const calc::divzero&) {
        return "divzero";
    }
}

void ExpectValues(const std::vector<std::pair<std::string, double>>& rows)
{
    for (const auto& [text, value] : rows)
        EXPECT_DOUBLE_EQ(Evaluated(text), value) << '"' << text << '"';
}

const std::string kNoExpression = "SyntaxError Отсутствует выражение";
const std::string kInvalidOperator = "SyntaxError Недопустимый оператор";

TEST(Calc, GrammarGroupsFromTheLeftWithPowerAsTightAsProduct)
{
    ExpectValues({
        {"2+3*4", 14}, {"1-2-3", -4}, {"8/2/2", 2}, {"2*3^2", 36}, {"2^3^2", 64}, {"12/2^2", 36},
        {"2^(3^2)", 512}, {"10%4*3", 6}, {"2^2%3", 1},
        // a parenthesis after a term is an implicit product
        {"2(3+4)", 14}, {"(1+2)(3+4)", 21}, {"8/2(2)", 8}, {"2 (3)", 6}, {"2^3(2)", 16},
        // the sign belongs to the factor
        {"-21-32*-7", 203}, {"7.3-15/-4+9", 20.05}, {"-2^2", 4}, {"2^-1", 0.5}, {"--5", 5},
        {"-+-5", 5}, {"-(2+3)", -5}, {"3--2", 5}, {"-2(3)", -6},
    });
}

TEST(Calc, FunctionsTakeTheFollowingFactorWithOrWithoutParentheses)
{
    ExpectValues({
        {"sin 0", 0}, {"abs-3", 3}, {"abs(2-5)", 3}, {"sin(0)*2", 0}, {"exp 1*2", 2 * kE},
        {"exp(1*2)", kE * kE}, {"cos 0", 1}, {"tg 0", 0}, {"ctg 1", std::cos(1.0) / std::sin(1.0)},
        {"ln exp 2", 2}, {"asin 1", kPi / 2}, {"acos -1", kPi}, {"sin sin 0", 0}, {"abs-2^2", 4},
        {"sin(0)(5)", 0},
    });
    // The cosine of a double is never exactly 0, so tg always has a value.
    EXPECT_GT(Evaluated("tg 1.5707963267948966"), 1e16);
}

TEST(Calc, NumbersAreReadWholeAndEvaluationStopsWhereTheSumCannotGoOn)
{
    ExpectValues({
        {"3/5", 0.6}, {"3.", 3}, {"1.2.3", 1.2}, {"1.2.3+1", 2.2}, {"007", 7},
        {"12345678901234567890", 12345678901234567890.0}, {"0.0000000000000001", 1e-16},
        {"3.14159265358979323846", kPi},
        {"2 3", 2}, {"5)", 5}, {"1e5", 1}, {"2\t+3", 2}, {"7,5", 7}, {"2+3Б", 5}, {"(1)2", 1},
        {std::string("2\0+3", 4), 2},
    });
    EXPECT_TRUE(ThreeDecimalMatch(Evaluated("1/3"), Fraction(0, 1, 3)));
    EXPECT_FALSE(ThreeDecimalMatch(Evaluated("0.666"), Fraction(0, 2, 3)));
}

TEST(Calc, PowersAndRemainders)
{
    ExpectValues({
        {"2^10", 1024}, {"2^-2", 0.25}, {"(-2)^3", -8}, {"5^0", 1}, {"0^2", 0}, {"4^0.5", 2},
        {"0^0.5", 0}, {"(-2)^-2", 0.25}, {"9^-0.5", 1.0 / 3},
        {"7.9%2.5", 1}, {"-7%2", -1}, {"7%-2", 1}, {"2147483647.9%10", 7}, {"-2147483648%10", -8},
        {"-2147483648%-1", 0},
    });
}

std::string FixedText(double value)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + 64, value, std::chars_format::fixed).ptr);
}

TEST(Calc, LargeIntegerExponentsAgreeWithRepeatedMultiplication)
{
    const std::pair<double, long long> rows[] = {
        {1.0001, 100000}, {0.9999, -100000}, {-1.00001, 99999}, {1.5, 1000}, {2, -1000},
        {1.000001, -2000000}, {3, 65}, {1.1, 64},
    };
    for (const auto& [base, exponent] : rows) {
        long double product = base;
        for (long long i = 1; i < std::llabs(exponent); ++i)
            product *= base;
        double expected = static_cast<double>(exponent > 0 ? product : 1 / product);
        std::string text = "(" + FixedText(base) + ")^" + std::to_string(exponent);
        EXPECT_NEAR(Evaluated(text), expected, std::fabs(expected) * 1e-12) << text;
    }
}

// How long they take is measured by BM_EvaluateHugeIntegerExponents (bench/calc_bench.cpp).
TEST(Calc, HugeIntegerExponentsAreNeverCutToThirtyTwoBits)
{
    ExpectValues({
        {"2^2147483647", kInf}, {"(-2)^2147483647", -kInf}, {"0.5^2147483647", 0}, {"1^-2147483648", 1},
        {"(-1)^99999999999", -1}, {"(-1)^100000000000", 1}, {"2^-99999999999999999999", 0},
        {"0.5^-3000000000", kInf},
    });
    EXPECT_NEAR(Evaluated("1.0000000001^10000000000"), kE, 1e-5);
}

TEST(Calc, EveryErrorWithTheTextsThatCauseIt)
{
    const std::pair<std::string, std::vector<std::string>> groups[] = {
        {kNoExpression, {"", "2+A", ".5", "SIN(1)", "\t1", "Б", "sinБ", "-\t"}},
        {kInvalidOperator, {"   ", "2+", "-", "3*", "tg", "*2", "()", "2^"}},
        {"SyntaxError ) отсутствует", {"(1+2", "((1)", "(1 2)", "sin(0", "(2+3]"}},
        {"SyntaxError Недопустимая функция", {"foo(1)", "sinx", "e", "2*sqrt 4", "abcdefghijklmnopqrstu"}},
        {"MathError Возведение нуля в степень, которая не больше 0", {"0^0", "0^-1", "0^-0.5"}},
        {"MathError Возводимое число, котрое меньше нуля не в целой степени", {"(-8)^(1/3)", "-1^1.5"}},
        // The с of сtg is Cyrillic (D1 81), not Latin.
        {"MathError невозможно вычислить \xD1\x81tg", {"ctg 0", "ctg(-0)"}},
        {"MathError аргумент lg <= 0", {"ln 0", "ln -1"}},
        {"MathError не допустимое значение аргумента asin", {"asin 2", "asin -1.0001"}},
        {"MathError не допустимое значение аргумента acos", {"acos 1.5", "acos(-2)"}},
        {"MathError операнд % вне диапазона от -2147483648 до 2147483647",
         {"2147483648%3", "-2147483649%3", "5%-99999999999", "exp 1000%3", "(exp 1000-exp 1000)%3",
          "7%exp 1000"}},
        {"divzero", {"1/0", "5%0", "0/0", "1/(2-2)", "5%0.9", "5%-0.5", "1/-0"}},
    };
    for (const auto& [outcome, texts] : groups)
        for (const auto& text : texts)
            EXPECT_EQ(Outcome(text), outcome) << '"' << text << '"';
}

TEST(Calc, TextIsCutAfter255Characters)
{
    std::string spaces(252, ' ');
    EXPECT_DOUBLE_EQ(Evaluated("1" + spaces + "+1"), 2);
    EXPECT_EQ(Outcome("1" + spaces + " +1"), kInvalidOperator);
    // The cut may split a two-byte letter; what is left of it starts no token.
    EXPECT_EQ(Outcome("1+" + spaces + "Б"), kNoExpression);
}

// Where the evaluation stopped: the offset of the first character not read, past the spaces.
size_t StopOffset(const std::string& text)
{
    calc::Parser parser;
    parser.SetExpression(text);
    parser.Evaluate();
    return parser.StopOffset();
}

std::string SumOfOnes(int count)
{
    std::string sum = "1";
    for (int i = 1; i < count; ++i)
        sum += "+1";
    return sum;
}

TEST(Calc, StopOffsetTellsWhereTheValueEnds)
{
    const std::pair<std::string, size_t> rows[] = {
        // stopped early: the value is that of the prefix only
        {"1e5", 1}, {"2 3", 2}, {"-1 2/3", 3}, {"2+3Б", 3}, {"5)", 1}, {"7,5", 1}, {"2\t+3", 1},
        {"(1)2", 3}, {"sin(0)x", 6}, {"2 ^3 e", 5}, {std::string("2\0+3", 4), 1},
        // read to the end, trailing spaces included
        {"2+3", 3}, {"2+3   ", 6}, {"  2", 3}, {"(1+2)(3+4)", 10}, {"((2))", 5}, {"sin(0)*2", 8},
        {"abs-3", 5}, {"exp 1*2", 7}, {"2 (3)", 5}, {"-(2+3)", 6}, {"1.2.3", 5},
    };
    for (const auto& [text, offset] : rows)
        EXPECT_EQ(StopOffset(text), offset) << '"' << text << '"';
}

TEST(Calc, TextBeyondTheLengthLimitIsUnread)
{
    // 150 ones make 299 characters; the first 255 hold 128 of them.
    std::string sum = SumOfOnes(150);
    ASSERT_EQ(sum.size(), 299u);
    EXPECT_DOUBLE_EQ(Evaluated(sum), 128);
    EXPECT_EQ(StopOffset(sum), calc::Parser::kMaxLength);
    EXPECT_EQ(StopOffset(SumOfOnes(128)), 255u);
    EXPECT_EQ(StopOffset("1" + std::string(254, ' ') + "+1"), 255u);
}

TEST(Calc, DecimalPointIsAPointWhateverTheLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr);
    EXPECT_DOUBLE_EQ(Evaluated("7.3-15/-4+9"), 20.05);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
