#include "core/fraction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <unistd.h>

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

Fraction F(int64_t n, int64_t d) { return Fraction(0, n, d); }

void ExpectFields(const Fraction& f, int64_t whole, int64_t numerator, int64_t denominator)
{
    EXPECT_EQ(f.whole, whole);
    EXPECT_EQ(f.numerator, numerator);
    EXPECT_EQ(f.denominator, denominator);
}

struct ArithmeticRow {
    Fraction a;
    char op;
    Fraction b;
    int64_t numerator, denominator; // expected result fields (whole is always 0)
};

Fraction Apply(const Fraction& a, char op, const Fraction& b)
{
    switch (op) {
    case '*': return a * b;
    case '/': return a / b;
    case '+': return a + b;
    default: return a - b;
    }
}

TEST(Fraction, ArithmeticGivesLowestTermsWithPositiveDenominator)
{
    const ArithmeticRow rows[] = {
        {F(1, 2), '+', F(1, 3), 5, 6},
        {F(3, 4), '-', F(3, 4), 0, 0},
        {F(-1, 2), '/', F(-1, 4), 2, 1},
        {F(1, 2), '/', F(-1, 4), -2, 1},
        {F(2, 3), '*', F(3, 4), 1, 2},
        {F(-2, 3), '*', F(3, -4), 1, 2},
        {Fraction(5), '-', F(1, 2), 9, 2},
        {Fraction(-2, 1, 3), '+', F(7, 3), 0, 0},
        {Fraction(2, 1, 3), '*', Fraction(3), 7, 1},
        {Fraction(0), '/', Fraction(0), 0, 0},
        {Fraction(0), '/', F(5, 7), 0, 0},
        {F(5, 7), '*', Fraction(), 0, 0},
        {Fraction(), '*', F(5, 7), 0, 0},
        {Fraction(), '-', Fraction(), 0, 0},
        {F(6, 4), '-', Fraction(), 3, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a.numerator << row.op << row.b.numerator);
        ExpectFields(Apply(row.a, row.op, row.b), 0, row.numerator, row.denominator);
    }
}

TEST(Fraction, AddingZeroReturnsTheOtherOperandUnchanged)
{
    ExpectFields(Fraction() + Fraction(-1), -1, 0, 0);
    ExpectFields(Fraction(-1) + Fraction(), -1, 0, 0);
    ExpectFields(F(2, 4) + Fraction(0, 0, 1), 0, 2, 4);
}

TEST(Fraction, ReduceAndNormalizeSignChangeOnlyTheRepresentation)
{
    Fraction f(0, 6, -4);
    f.Reduce();
    ExpectFields(f, 0, 3, -2);
    f.NormalizeSign();
    ExpectFields(f, 0, -3, 2);

    Fraction zero(0, 0, 16);
    zero.Reduce();
    ExpectFields(zero, 0, 0, 16);
    zero.NormalizeSign();
    ExpectFields(zero, 0, 0, 0);

    Fraction noDenominator(0, 5, 0);
    noDenominator.Reduce();
    ExpectFields(noDenominator, 0, 5, 0);
}

TEST(Fraction, ToImproperFoldsTheWholePartWithItsSign)
{
    Fraction negative(-2, 1, 3);
    negative.ToImproper();
    ExpectFields(negative, 0, -7, 3);
    Fraction integer(5);
    integer.ToImproper();
    ExpectFields(integer, 0, 5, 1);
    Fraction zero;
    zero.ToImproper();
    ExpectFields(zero, 0, 0, 1);
}

TEST(Fraction, EqualityComparesImproperFormsFieldByField)
{
    EXPECT_TRUE(Fraction(-2, 1, 3) == F(-7, 3));
    EXPECT_TRUE(Fraction(2, 1, 3) == F(7, 3));
    EXPECT_TRUE(Fraction(5) == F(5, 1));
    EXPECT_TRUE(Fraction(0, 0, 1) == Fraction());
    EXPECT_FALSE(F(2, 4) == F(1, 2));
    EXPECT_FALSE(Fraction(999, 999, 999) == Fraction(1000));
}

TEST(Fraction, OrderingComparesValues)
{
    EXPECT_TRUE(F(1, 3) < F(1, 2));
    EXPECT_TRUE(F(-1, 2) < F(-1, 3));
    EXPECT_TRUE(Fraction(-1) <= F(-2, 2));
    EXPECT_TRUE(Fraction(0, 0, 1) >= Fraction());
    EXPECT_FALSE(Fraction(0, 0, 1) > Fraction());
    EXPECT_FALSE(F(2, 4) < F(1, 2));
    EXPECT_FALSE(F(2, 4) > F(1, 2));
    EXPECT_TRUE(Fraction(2, 1, 3) > F(7, 4));
    EXPECT_TRUE(F(kMax, 1) > F(kMax - 1, 1));
    EXPECT_TRUE(F(kMax - 1, kMax) > F(kMax - 2, kMax - 1));
    EXPECT_TRUE(F(kMin, 1) < F(kMin + 1, 1));
}

TEST(Fraction, ZeroHeldAsZeroOverOneCountsAsZero)
{
    Fraction zeroOverOne(0, 0, 1);
    EXPECT_TRUE(zeroOverOne.IsZero());
    ExpectFields(zeroOverOne / F(3, 4), 0, 0, 0);
}

TEST(Fraction, ResultsThatFitAreExactEvenWhenIntermediateProductsDoNot)
{
    const int64_t big = int64_t(1) << 62;
    ExpectFields(F(big, 3) * F(3, big), 0, 1, 1);
    ExpectFields(F(kMax, 2) * F(2, kMax), 0, 1, 1);
    ExpectFields(F(1, big) + F(1, big), 0, 1, big / 2);
    ExpectFields(F(kMax, 1) - F(kMax, 1), 0, 0, 0);
    ExpectFields(F(kMin, 2) * F(-1, 1), 0, big, 1);
}

TEST(Fraction, ResultsThatDoNotFitThrowInsteadOfWrapping)
{
    EXPECT_THROW(F(kMax, 1) + F(1, 1), FractionOverflow);
    EXPECT_THROW(F(kMin, 1) - F(1, 1), FractionOverflow);
    EXPECT_THROW(F(1, kMax) * F(1, 2), FractionOverflow);
    EXPECT_THROW(F(kMin, 1) / F(-1, 1), FractionOverflow);
    EXPECT_THROW(F(kMax, 3) * F(kMax, 5), FractionOverflow);

    Fraction mixed(kMax, 1, 2);
    EXPECT_THROW(mixed.ToImproper(), FractionOverflow);
    Fraction minimum(0, kMin, kMin);
    minimum.Reduce();
    ExpectFields(minimum, 0, -1, -1);
    Fraction unflippable(0, 1, kMin);
    EXPECT_THROW(unflippable.NormalizeSign(), FractionOverflow);
}

// The stop writes its message to standard output; the death test reads standard error, so
// the statement sends the one to the other first.
void DivideFiveByZero(const Fraction& divisor)
{
    dup2(STDERR_FILENO, STDOUT_FILENO);
    Fraction result = Fraction(5) / divisor;
    std::printf("returned %lld\n", static_cast<long long>(result.numerator));
}

TEST(FractionDeathTest, DivisionOfNonZeroByZeroStopsWithFailureStatus)
{
    EXPECT_EXIT(DivideFiveByZero(Fraction()), testing::ExitedWithCode(1), "^Division by zero$");
    EXPECT_EXIT(DivideFiveByZero(Fraction(0, 0, 1)), testing::ExitedWithCode(1), "^Division by zero$");
}

} // namespace
