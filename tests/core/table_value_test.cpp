#include "core/table_value.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

Fraction F(int64_t n, int64_t d) { return Fraction(0, n, d); }

// Big values are written out in full; the number text reads them back exactly.
TableValue V(const char* text)
{
    std::optional<TableValue> value = ReadExactNumber(text);
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(TableValue());
}

void ExpectFields(const TableValue& value, int64_t whole, int64_t numerator, int64_t denominator)
{
    ASSERT_FALSE(value.IsBig()) << ToText(value);
    EXPECT_EQ(value.Small().whole, whole);
    EXPECT_EQ(value.Small().numerator, numerator);
    EXPECT_EQ(value.Small().denominator, denominator);
}

struct RowUpdateRow {
    Fraction a, b, factor;
    int64_t numerator, denominator; // expected fields of a + b * factor
};

TEST(AddProduct, ResultsThatFitStaySmallWhateverThePartialProduct)
{
    const RowUpdateRow rows[] = {
        // b * factor alone needs 87 bits; the sum is an integer
        {F(186719485882, 847288609443), F(8796093022213, 531441), F(8796093022217, 1594323), 91316290096621, 1},
        {F(kMax - 1, 1), F(1, 1), F(1, 1), kMax, 1},
        {F(-kMax, 2), F(22059, 2), F(418122854021251, 1), 1, 1}, // b * factor = (2^63 + 1) / 2
        {F(1, 6), F(1, 4), F(2, 3), 1, 3},
        {F(1, 2), F(-3, 4), F(2, 3), 0, 0},
        {Fraction(), F(3, 4), F(2, 9), 1, 6},
        {Fraction(2), F(-1, 3), F(-1, 3), 19, 9},
    };
    for (const RowUpdateRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a.numerator << "/" << row.a.denominator);
        ExpectFields(AddProduct(row.a, row.b, row.factor), 0, row.numerator, row.denominator);
    }
    EXPECT_THROW(F(186719485882, 847288609443) + F(8796093022213, 531441) * F(8796093022217, 1594323),
                 FractionOverflow) << "the separate operations cannot hold the product";
}

TEST(AddProduct, AZeroProductLeavesTheFieldsAsTheyStand)
{
    ExpectFields(AddProduct(Fraction(3), Fraction(), F(1, 2)), 3, 0, 0);
    ExpectFields(AddProduct(Fraction(1, 1, 2), F(5, 7), Fraction(0, 0, 1)), 1, 1, 2);
}

TEST(AddProduct, ResultsThatDoNotFitAreHeldExactly)
{
    const std::pair<TableValue, const char*> rows[] = {
        {AddProduct(F(kMax, 1), F(1, 1), F(1, 1)), "9223372036854775808"},
        {AddProduct(Fraction(), F(kMax, 1), F(2, 1)), "18446744073709551614"},
        {AddProduct(F(1, 3), F(1, kMax), F(1, 2)), "18446744073709551617/55340232221128654842"},
        {AddProduct(V("-9223372036854775809"), V("18446744073709551617"), F(1, 1)), "9223372036854775808"},
        {AddProduct(V("9223372036854775808"), F(-1, 1), F(1, 1)), "9223372036854775807"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(ToText(value), text);
    EXPECT_FALSE(rows[4].first.IsBig()) << "a result that fits is small again";
}

// On the small values of everyday tables the fused step gives the fields of the two separate ones.
TEST(AddProduct, AgreesFieldByFieldWithMultiplyingThenAdding)
{
    std::mt19937 random(14);
    std::uniform_int_distribution<int64_t> numerator(-40, 40), denominator(1, 30);
    auto draw = [&] {
        Fraction f(0, numerator(random), denominator(random));
        f.Reduce();
        f.NormalizeSign();
        return f;
    };
    for (int trial = 0; trial < 20000; ++trial) {
        Fraction a = draw(), b = draw(), factor = draw();
        Fraction expected = a + b * factor;
        TableValue actual = AddProduct(a, b, factor);
        ASSERT_TRUE(actual == expected) << ToText(a) << " + " << ToText(b) << " * " << ToText(factor);
        ASSERT_EQ(actual.Small().whole, expected.whole);
    }
}

struct BigArithmeticRow {
    TableValue a;
    char op;
    TableValue b;
    const char* result;
};

TableValue Apply(const TableValue& a, char op, const TableValue& b)
{
    switch (op) {
    case '*': return a * b;
    case '/': return a / b;
    case '+': return a + b;
    default: return a - b;
    }
}

TEST(TableValue, ResultsBeyondSixtyFourBitsAreExactAndInLowestTerms)
{
    const TableValue twoTo63 = V("9223372036854775808");
    const TableValue twoTo64 = V("18446744073709551616");
    const BigArithmeticRow rows[] = {
        {F(kMax, 1), '*', F(kMax, 3), "85070591730234615847396907784232501249/3"},
        {F(kMax, 1), '+', F(1, 1), "9223372036854775808"},
        {F(-kMax, 1), '-', F(2, 1), "-9223372036854775809"},
        {twoTo63, '/', F(3, kMax), "85070591730234615856620279821087277056/3"},
        {V("1000000000000000000000000000000/7"), '+', V("1000000000000000000000000000000/7"),
         "2000000000000000000000000000000/7"},
        {V("-9223372036854775809"), '*', V("18446744073709551617"), "-170141183460469231759357419826448433153"},
        {F(1, kMax), '*', F(1, 2), "1/18446744073709551614"},
        // back into 64 bits: reduced, and small again
        {V("18446744073709551617"), '-', twoTo64, "1"},
        {twoTo64, '/', twoTo64, "1"},
        {twoTo63, '*', F(1, 2), "4611686018427387904"},
        {V("36893488147419103232/3"), '/', V("18446744073709551616/9"), "6"},
        {twoTo63, '+', F(-kMax, 1), "1"},
        {twoTo63, '*', Fraction(), "0"},
        {Fraction(), '+', twoTo63, "9223372036854775808"},
    };
    for (const BigArithmeticRow& row : rows) {
        TableValue result = Apply(row.a, row.op, row.b);
        EXPECT_EQ(ToText(result), row.result) << ToText(row.a) << " " << row.op << " " << ToText(row.b);
        EXPECT_EQ(result.IsBig(), ReadExactNumber(row.result).value().IsBig())
            << "a value is big only when it must be: " << row.result;
    }
}

TEST(TableValue, BigAndSmallValuesAreOrderedBySignAndSize)
{
    const std::vector<TableValue> ascending = {
        V("-1180591620717411303424"), V("-9223372036854775809"), F(-kMax, 1), F(-1, 2),
        V("-1/18446744073709551616"), Fraction(), V("1/18446744073709551616"), F(1, kMax),
        F(kMax, 1), V("18446744073709551615/2"), V("9223372036854775808"), V("1000000000000000000000000000000/7"),
    };
    for (size_t i = 0; i < ascending.size(); ++i) {
        const int sign = ascending[i] < Fraction() ? -1 : (ascending[i] > Fraction() ? 1 : 0);
        EXPECT_EQ(ascending[i].Sign(), sign) << ToText(ascending[i]);
        for (size_t j = 0; j < ascending.size(); ++j) {
            SCOPED_TRACE(ToText(ascending[i]) + " against " + ToText(ascending[j]));
            EXPECT_EQ(ascending[i] < ascending[j], i < j);
            EXPECT_EQ(ascending[i] > ascending[j], i > j);
            EXPECT_EQ(ascending[i] <= ascending[j], i <= j);
            EXPECT_EQ(ascending[i] >= ascending[j], i >= j);
            EXPECT_EQ(ascending[i] == ascending[j], i == j);
        }
    }
    EXPECT_EQ(V("-9223372036854775809").Sign(), -1);
    EXPECT_TRUE(V("9223372036854775808") == TableValue(F(kMax, 1)) + F(1, 1)) << "the same big value by two ways";
}

TEST(TableValue, CopiesOfBigValuesAreIndependent)
{
    TableValue original = V("18446744073709551617/3");
    TableValue copy = original;
    copy = copy + copy;
    EXPECT_EQ(ToText(original), "18446744073709551617/3");
    EXPECT_EQ(ToText(copy), "36893488147419103234/3");
    TableValue moved = std::move(copy);
    EXPECT_EQ(ToText(moved), "36893488147419103234/3");
    original = moved;
    EXPECT_EQ(ToText(original), "36893488147419103234/3");
}

} // namespace
