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

// The rows as integers over one common denominator D: the row update t_c - t_k * b_c / b_k is
// then (T_c * B_k - T_k * B_c) / (D * B_k) in the integers T = t * D and B = b * D. The values of
// a simplex table are minors over the determinant of its basis, and when D is that determinant
// the numerator is divisible by D (the integer form of the pivot): the division is exact, and one
// greatest common divisor of numbers no longer than the values brings each result to lowest
// terms, where the separate product and sum take four. Where D divides less, the whole fraction
// is reduced instead; the result is the same.
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

// numerator / denominator into result in lowest terms, positive denominator; both non-zero.
void AssignReduced(TableValue& result, const mpz_class& numerator, const mpz_class& denominator, BigValue& scratch)
{
    mpz_ptr resultNumerator = mpq_numref(scratch.value.get_mpq_t());
    mpz_ptr resultDenominator = mpq_denref(scratch.value.get_mpq_t());
    thread_local mpz_class divisor;
    mpz_gcd(divisor.get_mpz_t(), numerator.get_mpz_t(), denominator.get_mpz_t());
    if (mpz_sgn(denominator.get_mpz_t()) < 0)
        mpz_neg(divisor.get_mpz_t(), divisor.get_mpz_t());
    mpz_divexact(resultNumerator, numerator.get_mpz_t(), divisor.get_mpz_t());
    mpz_divexact(resultDenominator, denominator.get_mpz_t(), divisor.get_mpz_t());
    AssignLowestTerms(result, scratch);
}

struct IntegerScratch {
    CommonDenominator denominator;
    std::vector<mpz_class> keyRow;
    std::vector<mpz_class> target;
    mpz_class numerator;
    mpz_class quotient;
    mpz_class remainder;
    mpz_class fullDenominator;
    BigValue result;
};

void EliminateOverCommonDenominator(ConstRow keyRow, std::size_t keyColumn, const Rows& targets,
                                    const ResultRows& results, std::span<TableValue> keyRowResult,
                                    IntegerScratch& s)
{
    s.denominator.ToIntegers(keyRow, s.keyRow);
    const mpz_class& keyElement = s.keyRow[keyColumn];
    const bool wholeNumbers = s.denominator.Value() == 1;
    for (std::size_t t = 0; t < targets.size(); ++t) {
        s.denominator.ToIntegers(targets[t], s.target);
        const mpz_class& targetKey = s.target[keyColumn];
        for (std::size_t c = 0; c < keyRow.size(); ++c) {
            if (keyRow[c].IsZero()) {
                results[t][c] = targets[t][c];
                continue;
            }
            mpz_mul(s.numerator.get_mpz_t(), s.target[c].get_mpz_t(), keyElement.get_mpz_t());
            mpz_submul(s.numerator.get_mpz_t(), targetKey.get_mpz_t(), s.keyRow[c].get_mpz_t());
            if (mpz_sgn(s.numerator.get_mpz_t()) == 0) {
                results[t][c] = Fraction();
            } else if (wholeNumbers) {
                AssignReduced(results[t][c], s.numerator, keyElement, s.result);
            } else {
                mpz_tdiv_qr(s.quotient.get_mpz_t(), s.remainder.get_mpz_t(), s.numerator.get_mpz_t(),
                            s.denominator.Value().get_mpz_t());
                if (mpz_sgn(s.remainder.get_mpz_t()) == 0) {
                    AssignReduced(results[t][c], s.quotient, keyElement, s.result);
                } else {
                    mpz_mul(s.fullDenominator.get_mpz_t(), s.denominator.Value().get_mpz_t(), keyElement.get_mpz_t());
                    AssignReduced(results[t][c], s.numerator, s.fullDenominator, s.result);
                }
            }
        }
    }
    for (std::size_t c = 0; c < keyRow.size(); ++c) {
        if (keyRow[c].IsZero())
            keyRowResult[c] = Fraction();
        else
            AssignReduced(keyRowResult[c], s.keyRow[c], keyElement, s.result);
    }
}

} // namespace

void EliminateColumn(ConstRow keyRow, std::size_t keyColumn, const Rows& targets, const ResultRows& targetResults,
                     std::span<TableValue> keyRowResult)
{
    const bool anyBig = HasBigValue(keyRow) || std::any_of(targets.begin(), targets.end(), HasBigValue);
    if (anyBig) {
        // Kept from pivot to pivot, so that the integers' limbs are allocated once.
        thread_local IntegerScratch scratch;
        scratch.denominator.Reset();
        bool common = scratch.denominator.Take(keyRow);
        for (std::size_t t = 0; common && t < targets.size(); ++t)
            common = scratch.denominator.Take(targets[t]);
        if (common) {
            EliminateOverCommonDenominator(keyRow, keyColumn, targets, targetResults, keyRowResult, scratch);
            return;
        }
    }
    EliminateCellByCell(keyRow, keyColumn, targets, targetResults, keyRowResult);
}
