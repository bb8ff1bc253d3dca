#include "core/table_value.h"

#include <functional>
#include <limits>
#include <utility>

#include "core/big_value.h"
#include "core/wide_int.h"

namespace {

// Binary: no division, which the row update would otherwise pay for in every cell.
uint64_t GreatestCommonDivisor(uint64_t a, uint64_t b)
{
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    if (a == 1 || b == 1)
        return 1;
    const int shift = __builtin_ctzll(a | b);
    a >>= __builtin_ctzll(a);
    do {
        b >>= __builtin_ctzll(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

using Ratio = WideRatio;

// The improper form with the sign on the numerator, when its fields fit in 64 bits as the row
// update needs them.
bool ImproperRatio(const Fraction& value, Ratio& ratio)
{
    ratio = WithSignOnNumerator(ImproperFields(value));
    return FitsInt64(ratio.numerator) && ratio.denominator > 0 && ratio.denominator <= kInt64Max;
}

// x / d for a divisor of x. The row update divides in every cell, and most of its values fit in
// 64 bits, where the division is one instruction rather than a call.
Wide DivideExactly(Wide x, Wide d)
{
    if (d == 1)
        return x;
    if (FitsInt64(x) && FitsInt64(d))
        return int64_t(x) / int64_t(d);
    return x / d;
}

// x mod d for a positive d within 64 bits, taken on the magnitude of x.
uint64_t MagnitudeModulo(Wide x, uint64_t d)
{
    const UWide magnitude = Magnitude(x);
    if (magnitude >> 64 == 0)
        return uint64_t(magnitude) % d;
    return uint64_t(magnitude % d);
}

// b * f in lowest terms. Cancelling across before multiplying keeps both products within
// 126 bits, and the result needs no further reduction.
Ratio Product(const Ratio& b, const Ratio& f)
{
    const Wide g1 = GreatestCommonDivisor(uint64_t(Magnitude(b.numerator)), uint64_t(f.denominator));
    const Wide g2 = GreatestCommonDivisor(uint64_t(Magnitude(f.numerator)), uint64_t(b.denominator));
    return {DivideExactly(b.numerator, g1) * DivideExactly(f.numerator, g2),
            DivideExactly(b.denominator, g2) * DivideExactly(f.denominator, g1)};
}

// a + p with a's fields in 64 bits and p's in 128, both in lowest terms. The common factor g of
// the denominators comes out before anything is multiplied, and the common factor of the sum
// is looked for in g alone. When the result fits, each step is bounded by it: the scale of a is
// at most the result's denominator, and the sum is the result's numerator times a divisor of g,
// so nothing exceeds 127 bits. False means that the result does not fit.
bool TrySum(const Ratio& a, const Ratio& p, Ratio& sum)
{
    if (a.denominator == 1 && p.denominator == 1) {
        sum = {a.numerator + p.numerator, 1};
        return FitsInt64(sum.numerator);
    }
    const uint64_t aDenominator = uint64_t(a.denominator);
    const Wide g = GreatestCommonDivisor(aDenominator, MagnitudeModulo(p.denominator, aDenominator));
    const Wide aScale = DivideExactly(p.denominator, g);
    const Wide pScale = DivideExactly(a.denominator, g);
    Wide left = 0, right = 0, total = 0;
    if (FitsInt64(aScale) && FitsInt64(p.numerator)) {
        // 64 by 64 bits: each product is below 2^126 and their sum below 2^127.
        left = a.numerator * aScale;
        right = p.numerator * pScale;
        total = left + right;
    } else if (__builtin_mul_overflow(a.numerator, aScale, &left) ||
               __builtin_mul_overflow(p.numerator, pScale, &right) || __builtin_add_overflow(left, right, &total)) {
        return false;
    }
    if (total == 0) {
        sum = {0, 1};
        return true;
    }
    const Wide g2 = g == 1 ? 1 : GreatestCommonDivisor(uint64_t(g), MagnitudeModulo(total, uint64_t(g)));
    Wide denominator = 0;
    if (__builtin_mul_overflow(pScale, DivideExactly(p.denominator, g2), &denominator))
        return false;
    sum = {DivideExactly(total, g2), denominator};
    return FitsInt64(sum.numerator) && FitsInt64(sum.denominator);
}

// Zero as (0, 0, 0), like every arithmetic result.
Fraction ToFraction(const Ratio& value)
{
    if (value.numerator == 0)
        return Fraction();
    return Fraction(0, int64_t(value.numerator), int64_t(value.denominator));
}

bool TryAddProduct(const Fraction& a, const Fraction& b, const Fraction& factor, Fraction& result)
{
    Ratio ratioA{}, ratioB{}, ratioFactor{};
    if (!ImproperRatio(a, ratioA) || !ImproperRatio(b, ratioB) || !ImproperRatio(factor, ratioFactor))
        return false;
    const Ratio product = Product(ratioB, ratioFactor);
    Ratio sum{};
    if (a.IsZero()) {
        sum = product;
        if (!FitsInt64(sum.numerator) || !FitsInt64(sum.denominator))
            return false;
    } else if (!TrySum(ratioA, product, sum)) {
        return false;
    }
    result = ToFraction(sum);
    return true;
}

mpz_class WholeNumber(int64_t value) { return mpz_class(static_cast<signed long>(value)); }

// The Fraction's operation on two small values, or the exact one when its result does not fit.
template <typename SmallOperation, typename ExactOperation>
TableValue Combine(const TableValue& a, const TableValue& b, SmallOperation small, ExactOperation exact)
{
    if (!a.IsBig() && !b.IsBig()) {
        try {
            return small(a.Small(), b.Small());
        } catch (const FractionOverflow&) {
        }
    }
    return MakeTableValue({exact(ExactValue(a), ExactValue(b))});
}

int Compare(const TableValue& a, const TableValue& b)
{
    if (!a.IsBig() && !b.IsBig())
        return a.Small() < b.Small() ? -1 : (a.Small() > b.Small() ? 1 : 0);
    const int order = cmp(ExactValue(a), ExactValue(b));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

TableValue MakeTableValue(BigValue value)
{
    const mpz_class& numerator = value.value.get_num();
    const mpz_class& denominator = value.value.get_den();
    if (numerator.fits_slong_p() && denominator.fits_slong_p()) {
        if (numerator == 0)
            return TableValue();
        return TableValue(Fraction(0, numerator.get_si(), denominator.get_si()));
    }
    TableValue number;
    number.big = std::make_unique<BigValue>(std::move(value));
    return number;
}

mpq_class ExactValue(const TableValue& number)
{
    if (number.IsBig())
        return number.Big().value;
    const Fraction& f = number.Small();
    if (f.numerator == 0 && f.denominator == 0)
        return mpq_class(WholeNumber(f.whole));
    mpz_class numerator = WholeNumber(f.numerator);
    const mpz_class denominator = WholeNumber(f.denominator);
    if (f.whole > 0)
        numerator += denominator * WholeNumber(f.whole);
    else if (f.whole < 0)
        numerator = denominator * WholeNumber(f.whole) - numerator;
    mpq_class value(numerator, denominator);
    value.canonicalize();
    return value;
}

TableValue::TableValue() = default;

TableValue::TableValue(const Fraction& value) : small(value) {}

TableValue::TableValue(const TableValue& other)
    : small(other.small), big(other.big ? std::make_unique<BigValue>(*other.big) : nullptr)
{
}

TableValue::TableValue(TableValue&& other) noexcept = default;

TableValue& TableValue::operator=(const TableValue& other)
{
    if (this != &other)
        *this = TableValue(other);
    return *this;
}

TableValue& TableValue::operator=(TableValue&& other) noexcept = default;

TableValue::~TableValue() = default;

bool TableValue::IsZero() const { return !big && small.IsZero(); }

int TableValue::Sign() const
{
    if (big)
        return sgn(big->value);
    // The forms every table value takes are read off their fields; a mixed form is compared.
    if (small.numerator == 0 && small.denominator == 0)
        return (small.whole > 0) - (small.whole < 0);
    if (small.whole == 0 && small.denominator != 0)
        return ((small.numerator > 0) - (small.numerator < 0)) * ((small.denominator > 0) - (small.denominator < 0));
    return small > Fraction() ? 1 : (small < Fraction() ? -1 : 0);
}

TableValue operator*(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::multiplies<Fraction>(), [](const mpq_class& x, const mpq_class& y) -> mpq_class { return x * y; });
}

TableValue operator/(const TableValue& a, const TableValue& b)
{
    // A zero divisor is the Fraction's to judge: it stops the program, message and all.
    if (b.IsZero())
        return (a.IsZero() ? Fraction() : Fraction(1)) / b.Small();
    return Combine(a, b, std::divides<Fraction>(), [](const mpq_class& x, const mpq_class& y) -> mpq_class { return x / y; });
}

TableValue operator+(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::plus<Fraction>(), [](const mpq_class& x, const mpq_class& y) -> mpq_class { return x + y; });
}

TableValue operator-(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::minus<Fraction>(), [](const mpq_class& x, const mpq_class& y) -> mpq_class { return x - y; });
}

bool operator<(const TableValue& a, const TableValue& b) { return Compare(a, b) < 0; }
bool operator>(const TableValue& a, const TableValue& b) { return Compare(a, b) > 0; }
bool operator<=(const TableValue& a, const TableValue& b) { return Compare(a, b) <= 0; }
bool operator>=(const TableValue& a, const TableValue& b) { return Compare(a, b) >= 0; }

bool operator==(const TableValue& a, const TableValue& b)
{
    if (!a.IsBig() && !b.IsBig())
        return a.Small() == b.Small();
    return a.IsBig() && b.IsBig() && a.Big().value == b.Big().value;
}

TableValue AddProduct(const TableValue& a, const TableValue& b, const TableValue& factor)
{
    if (b.IsZero() || factor.IsZero())
        return a;
    if (!a.IsBig() && !b.IsBig() && !factor.IsBig()) {
        Fraction result;
        if (TryAddProduct(a.Small(), b.Small(), factor.Small(), result))
            return result;
    }
    return MakeTableValue({ExactValue(a) + ExactValue(b) * ExactValue(factor)});
}
