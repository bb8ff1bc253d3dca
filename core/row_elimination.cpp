#include "core/row_elimination.h"

#include <algorithm>

#include "core/big_value.h"

namespace {

using ConstRow = std::span<const TableValue>;
using Rows = std::vector<std::span<const TableValue>>;
using ResultRows = std::vector<std::span<TableValue>>;

bool HasBigValue(ConstRow row)
{
    return std::any_of(row.begin(), row.end(), [](const TableValue& value) { return value.IsBig(); });
}

// Value by value, each with the Fraction's arithmetic where it fits.
void EliminateCellByCell(ConstRow keyRow, std::size_t keyColumn, const Rows& targets, const ResultRows& results,
                         std::span<TableValue> keyRowResult)
{
    const TableValue& keyElement = keyRow[keyColumn];
    for (std::size_t t = 0; t < targets.size(); ++t) {
        const TableValue factor = TableValue() - targets[t][keyColumn] / keyElement;
        AddProductToRow(results[t], targets[t], keyRow, factor);
    }
    for (std::size_t c = 0; c < keyRow.size(); ++c)
        keyRowResult[c] = keyRow[c] / keyElement;
}

// The least common multiple D of the denominators of the rows a pivot reads, and those rows as
// the integers t * D.
class CommonDenominator {
public:
    // False when the denominators have so little in common that their multiple would be much
    // longer than any of them: the integers would then cost more than the separate operations.
    bool Take(ConstRow row)
    {
        for (const TableValue& value : row) {
            if (value.IsZero())
                continue;
            const ExactView exact(value);
            mpz_srcptr denominator = mpq_denref(exact.get());
            longestDenominator = std::max(longestDenominator, mpz_sizeinbase(denominator, 2));
            if (!mpz_divisible_p(common.get_mpz_t(), denominator))
                mpz_lcm(common.get_mpz_t(), common.get_mpz_t(), denominator);
        }
        return mpz_sizeinbase(common.get_mpz_t(), 2) <= 2 * longestDenominator + 64;
    }

    void Reset()
    {
        common = 1;
        longestDenominator = 1;
    }

    // t * D for every value of the row.
    void ToIntegers(ConstRow row, std::vector<mpz_class>& integers)
    {
        integers.resize(std::max(integers.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (row[c].IsZero()) {
                integers[c] = 0;
                continue;
            }
            const ExactView exact(row[c]);
            mpz_srcptr denominator = mpq_denref(exact.get());
            if (mpz_cmp(denominator, lastDenominator.get_mpz_t()) != 0) {
                mpz_set(lastDenominator.get_mpz_t(), denominator);
                mpz_divexact(scale.get_mpz_t(), common.get_mpz_t(), denominator);
            }
            mpz_mul(integers[c].get_mpz_t(), mpq_numref(exact.get()), scale.get_mpz_t());
        }
        lastDenominator = 0;
    }

    const mpz_class& Value() const { return common; }

private:
    mpz_class common = 1;
    std::size_t longestDenominator = 1;
    mpz_class lastDenominator = 0;
    mpz_class scale;
};

// Over the common denominator D the row update t_c - t_k * b_c / b_k is
// (T_c * B_k - T_k * B_c) / (D * B_k) in the integers T = t * D and B = b * D, and the key row's
// b_c / b_k is B_c / B_k. The values of a simplex table are minors over the determinant of its
// basis, and when D is that determinant the numerator is divisible by D (the integer form of the
// pivot): after the exact division one greatest common divisor of numbers no longer than the
// values brings a result to lowest terms, where the separate product and sum take four. Where D
// divides less, the whole fraction is reduced instead; the result is the same.
class IntegerElimination {
public:
    // False when the rows are better done value by value.
    bool TakeDenominators(ConstRow keyRow, const Rows& targets)
    {
        denominator.Reset();
        bool common = denominator.Take(keyRow);
        for (std::size_t t = 0; common && t < targets.size(); ++t)
            common = denominator.Take(targets[t]);
        return common;
    }

    void Eliminate(ConstRow keyRow, std::size_t keyColumn, const Rows& targets, const ResultRows& results,
                   std::span<TableValue> keyRowResult)
    {
        denominator.ToIntegers(keyRow, keyIntegers);
        for (std::size_t t = 0; t < targets.size(); ++t) {
            denominator.ToIntegers(targets[t], targetIntegers);
            for (std::size_t c = 0; c < keyRow.size(); ++c) {
                if (keyRow[c].IsZero())
                    results[t][c] = targets[t][c];
                else
                    AssignUpdate(results[t][c], targetIntegers[c], targetIntegers[keyColumn], keyIntegers[c],
                                 keyIntegers[keyColumn]);
            }
        }
        for (std::size_t c = 0; c < keyRow.size(); ++c) {
            if (keyRow[c].IsZero())
                keyRowResult[c] = Fraction();
            else
                AssignQuotient(keyRowResult[c], keyIntegers[c], keyIntegers[keyColumn]);
        }
    }

private:
    // (T_c * B_k - T_k * B_c) / (D * B_k).
    void AssignUpdate(TableValue& result, const mpz_class& value, const mpz_class& keyColumnValue,
                      const mpz_class& keyRowValue, const mpz_class& keyElement)
    {
        mpz_mul(numerator.get_mpz_t(), value.get_mpz_t(), keyElement.get_mpz_t());
        mpz_submul(numerator.get_mpz_t(), keyColumnValue.get_mpz_t(), keyRowValue.get_mpz_t());
        const mpz_class& common = denominator.Value();
        if (mpz_sgn(numerator.get_mpz_t()) == 0) {
            result = Fraction();
        } else if (common == 1) {
            AssignQuotient(result, numerator, keyElement);
        } else {
            mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), numerator.get_mpz_t(), common.get_mpz_t());
            if (mpz_sgn(remainder.get_mpz_t()) == 0) {
                AssignQuotient(result, quotient, keyElement);
            } else {
                mpz_mul(fullDenominator.get_mpz_t(), common.get_mpz_t(), keyElement.get_mpz_t());
                AssignQuotient(result, numerator, fullDenominator);
            }
        }
    }

    // x / y in lowest terms with a positive denominator; both non-zero.
    void AssignQuotient(TableValue& result, const mpz_class& x, const mpz_class& y)
    {
        mpz_gcd(divisor.get_mpz_t(), x.get_mpz_t(), y.get_mpz_t());
        if (mpz_sgn(y.get_mpz_t()) < 0)
            mpz_neg(divisor.get_mpz_t(), divisor.get_mpz_t());
        mpz_divexact(mpq_numref(reduced.value.get_mpq_t()), x.get_mpz_t(), divisor.get_mpz_t());
        mpz_divexact(mpq_denref(reduced.value.get_mpq_t()), y.get_mpz_t(), divisor.get_mpz_t());
        AssignLowestTerms(result, reduced);
    }

    CommonDenominator denominator;
    std::vector<mpz_class> keyIntegers;
    std::vector<mpz_class> targetIntegers;
    mpz_class numerator;
    mpz_class quotient;
    mpz_class remainder;
    mpz_class fullDenominator;
    mpz_class divisor;
    BigValue reduced;
};

} // namespace

void EliminateColumn(ConstRow keyRow, std::size_t keyColumn, const Rows& targets, const ResultRows& targetResults,
                     std::span<TableValue> keyRowResult)
{
    if (HasBigValue(keyRow) || std::any_of(targets.begin(), targets.end(), HasBigValue)) {
        // Kept from pivot to pivot, so that the integers' limbs are allocated once.
        thread_local IntegerElimination integers;
        if (integers.TakeDenominators(keyRow, targets)) {
            integers.Eliminate(keyRow, keyColumn, targets, targetResults, keyRowResult);
            return;
        }
    }
    EliminateCellByCell(keyRow, keyColumn, targets, targetResults, keyRowResult);
}
