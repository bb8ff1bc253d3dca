#include "core/row_elimination.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/number_text.h"

namespace {

mpq_class Exact(const TableValue& value)
{
    if (value.IsBig())
        return mpq_class(ToText(value));
    const Fraction& f = value.Small();
    if (f.numerator == 0 && f.denominator == 0)
        return mpq_class(static_cast<signed long>(f.whole));
    mpq_class part(static_cast<signed long>(f.numerator), static_cast<signed long>(f.denominator));
    part.canonicalize();
    if (f.whole == 0)
        return part;
    return f.whole > 0 ? mpq_class(f.whole + part) : mpq_class(f.whole - part);
}

Fraction Reduced(int64_t numerator, int64_t denominator)
{
    Fraction f(0, numerator, denominator);
    f.Reduce();
    return f;
}

// Values of every kind a table holds, each in lowest terms as the table keeps them: zeros, small
// and mixed forms, values near the 64-bit edge, big integers, and big fractions whose
// denominators either divide one number (as in a simplex table) or have nothing in common.
// Kind 0 draws small values, 1 values over related denominators, 2 integers, 3 anything.
TableValue RandomValue(std::mt19937_64& random, int kind)
{
    auto pick = [&](int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(random); };
    const int choices[4][4] = {{1, 2, 3, 3}, {0, 1, 4, 5}, {0, 4, 7, 7}, {0, 3, 5, 6}};
    mpz_class big = pick(1, int64_t(1) << 62);
    big = big * big * pick(-9, 9);
    switch (choices[kind][pick(0, 3)]) {
    case 0: return Fraction();
    case 1: return Reduced(pick(-40, 40), pick(1, 12));
    case 2: return Fraction(pick(-3, 3), pick(1, 4), 5);
    case 3: return Reduced(pick(-(int64_t(1) << 62), int64_t(1) << 62), pick(1, 1 << 20) * 2 + 1);
    case 4: return ReadExactNumber(big.get_str()).value();
    case 5: {
        mpz_class denominator = mpz_class(pick(1, 3) * 7) << pick(0, 90);
        return ReadExactNumber(big.get_str() + "/" + denominator.get_str()).value();
    }
    case 6: {
        mpz_class denominator = pick(1, int64_t(1) << 62);
        denominator = denominator * denominator + 1;
        return ReadExactNumber(big.get_str() + "/" + denominator.get_str()).value();
    }
    default: return Fraction(pick(-99, 99));
    }
}

TEST(EliminateColumn, AgreesExactlyWithGmpAndKeepsTheValueRules)
{
    std::mt19937_64 random(29);
    constexpr size_t kWidth = 7;
    for (int trial = 0; trial < 1000; ++trial) {
        const int kind = trial % 4;
        const size_t keyColumn = trial % kWidth;
        std::vector<std::vector<TableValue>> rows(4, std::vector<TableValue>(kWidth));
        for (auto& row : rows) {
            for (TableValue& value : row)
                value = RandomValue(random, kind);
            while (row[keyColumn].IsZero())
                row[keyColumn] = RandomValue(random, kind);
        }
        std::vector<std::vector<TableValue>> next(4, std::vector<TableValue>(kWidth, Fraction(5)));
        EliminateColumn(rows[0], keyColumn, {rows[1], rows[2], rows[3]}, {next[1], next[2], next[3]}, next[0]);

        const mpq_class keyElement = Exact(rows[0][keyColumn]);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < kWidth; ++c) {
                const TableValue& result = next[r][c];
                SCOPED_TRACE(testing::Message() << "trial " << trial << " row " << r << " column " << c);
                if (r != 0 && rows[0][c].IsZero()) {
                    ASSERT_EQ(ToText(result), ToText(rows[r][c])) << "a cell under a zero stays as it stands";
                    continue;
                }
                mpq_class expected = Exact(rows[0][c]) / keyElement;
                if (r != 0)
                    expected = Exact(rows[r][c]) - Exact(rows[r][keyColumn]) * expected;
                ASSERT_EQ(ToText(result), expected.get_str());
                ASSERT_EQ(result.IsBig(), !(expected.get_num().fits_slong_p() && expected.get_den().fits_slong_p()));
                if (!result.IsBig()) {
                    ASSERT_EQ(result.Small().whole, 0);
                    ASSERT_EQ(result.Small().denominator, expected == 0 ? 0 : expected.get_den().get_si());
                }
            }
        }
    }
}

} // namespace
