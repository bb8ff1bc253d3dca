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
    // The form of every arithmetic result but zero, read as it stands.
    if (value.whole == 0 && value.denominator > 0) {
        ratio = {value.numerator, value.denominator};
        return true;
    }
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

// A tiny value: numerator and denominator below 2^16, as in most of a student's tables.
struct Tiny {
    int64_t numerator;
    int64_t denominator;
};

// The fields of a small value as a tiny numerator over a positive denominator, read off the
// forms the values take: (0, n, d) with d > 0, and the whole number (w, 0, 0), zero included.
bool ReadTiny(const Fraction& value, Tiny& tiny)
{
    if (value.whole == 0 && value.denominator > 0)
        tiny = {value.numerator, value.denominator};
    else if (value.numerator == 0 && value.denominator == 0)
        tiny = {value.whole, 1};
    else
        return false;
    const uint64_t magnitude = tiny.numerator < 0 ? uint64_t(0) - uint64_t(tiny.numerator) : uint64_t(tiny.numerator);
    return ((magnitude | uint64_t(tiny.denominator)) >> 16) == 0;
}

int64_t DivideTiny(int64_t x, int64_t d) { return d == 1 ? x : x / d; }

int64_t GreatestCommonDivisorTiny(int64_t a, int64_t b)
{
    return int64_t(GreatestCommonDivisor(uint64_t(a < 0 ? -a : a), uint64_t(b)));
}

// a + b * f for tiny values, b and f not zero, with the steps of Product and TrySum: every
// intermediate stays below 2^50, so nothing needs checking and the result always fits.
Tiny AddProductTiny(const Tiny& a, const Tiny& b, const Tiny& f)
{
    const int64_t g1 = GreatestCommonDivisorTiny(b.numerator, f.denominator);
    const int64_t g2 = GreatestCommonDivisorTiny(f.numerator, b.denominator);
    const int64_t pn = DivideTiny(b.numerator, g1) * DivideTiny(f.numerator, g2);
    const int64_t pd = DivideTiny(b.denominator, g2) * DivideTiny(f.denominator, g1);
    if (a.numerator == 0)
        return {pn, pd};
    const int64_t g = GreatestCommonDivisorTiny(a.denominator, pd);
    const int64_t total = a.numerator * DivideTiny(pd, g) + pn * DivideTiny(a.denominator, g);
    if (total == 0)
        return {0, 1};
    const int64_t g3 = g == 1 ? 1 : GreatestCommonDivisorTiny(total, g);
    return {DivideTiny(total, g3), DivideTiny(a.denominator, g) * DivideTiny(pd, g3)};
}

bool TryAddProduct(const Fraction& a, const Fraction& b, const Fraction& factor, Fraction& result)
{
    Tiny tinyA{}, tinyB{}, tinyFactor{};
    if (ReadTiny(a, tinyA) && ReadTiny(b, tinyB) && ReadTiny(factor, tinyFactor)) {
        const Tiny sum = AddProductTiny(tinyA, tinyB, tinyFactor);
        result = sum.numerator == 0 ? Fraction() : Fraction(0, sum.numerator, sum.denominator);
        return true;
    }
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

// The results of the big path are worked out here first; each thread keeps its own limbs.
BigValue& Scratch()
{
    thread_local BigValue scratch;
    return scratch;
}

TableValue TakeScratch()
{
    TableValue result;
    AssignLowestTerms(result, Scratch());
    return result;
}

// The Fraction's operation on two small values, or the exact one when its result does not fit.
template <typename SmallOperation>
TableValue Combine(const TableValue& a, const TableValue& b, SmallOperation small,
                   void (*exact)(mpq_ptr, mpq_srcptr, mpq_srcptr))
{
    if (!a.IsBig() && !b.IsBig()) {
        try {
            return small(a.Small(), b.Small());
        } catch (const FractionOverflow&) {
        }
    }
    exact(Scratch().value.get_mpq_t(), ExactView(a).get(), ExactView(b).get());
    return TakeScratch();
}

int Compare(const TableValue& a, const TableValue& b)
{
    if (!a.IsBig() && !b.IsBig())
        return a.Small() < b.Small() ? -1 : (a.Small() > b.Small() ? 1 : 0);
    const int order = mpq_cmp(ExactView(a).get(), ExactView(b).get());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

void AssignLowestTerms(TableValue& target, BigValue& value)
{
    const mpz_class& numerator = value.value.get_num();
    const mpz_class& denominator = value.value.get_den();
    if (numerator.fits_slong_p() && denominator.fits_slong_p()) {
        target.small = numerator == 0 ? Fraction() : Fraction(0, numerator.get_si(), denominator.get_si());
        target.big.reset();
        return;
    }
    if (!target.big)
        target.big = std::make_unique<BigValue>();
    target.small = Fraction();
    mpq_swap(target.big->value.get_mpq_t(), value.value.get_mpq_t());
}

TableValue MakeTableValue(BigValue value)
{
    TableValue number;
    AssignLowestTerms(number, value);
    return number;
}

ExactView::ExactView(const TableValue& number)
{
    if (number.IsBig()) {
        view = number.Big().value.get_mpq_t();
        return;
    }
    const WideRatio ratio = WithSignOnNumerator(ImproperFields(number.Small()));
    UWide numerator = Magnitude(ratio.numerator);
    uint64_t denominator = uint64_t(ratio.denominator);
    if (denominator == 0) {
        // A hand-made form with a zero denominator has no value: the Fraction's rule stops the program.
        [[maybe_unused]] Fraction none = Fraction(1) / Fraction();
        denominator = 1;
    }
    if (numerator == 0)
        denominator = 1;
    const uint64_t g = GreatestCommonDivisor(denominator, MagnitudeModulo(Wide(numerator), denominator));
    if (g != 1) {
        numerator /= g;
        denominator /= g;
    }
    numeratorLimbs[0] = mp_limb_t(numerator);
    numeratorLimbs[1] = mp_limb_t(numerator >> 64);
    denominatorLimb = denominator;
    mpz_roinit_n(mpq_numref(small), numeratorLimbs, ratio.numerator < 0 ? -2 : 2);
    mpz_roinit_n(mpq_denref(small), &denominatorLimb, 1);
    view = small;
}

mpq_class ExactValue(const TableValue& number) { return mpq_class(ExactView(number).get()); }

TableValue::TableValue() = default;

TableValue::TableValue(const Fraction& value) : small(value) {}

TableValue::TableValue(const TableValue& other)
    : small(other.small), big(other.big ? std::make_unique<BigValue>(*other.big) : nullptr)
{
}

TableValue::TableValue(TableValue&& other) noexcept = default;

// A big value copied onto a big value reuses the limbs it has.
TableValue& TableValue::operator=(const TableValue& other)
{
    if (this == &other)
        return *this;
    small = other.small;
    if (!other.big) {
        big.reset();
    } else if (big) {
        big->value = other.big->value;
    } else {
        big = std::make_unique<BigValue>(*other.big);
    }
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

void swap(TableValue& a, TableValue& b) noexcept
{
    std::swap(a.small.whole, b.small.whole);
    std::swap(a.small.numerator, b.small.numerator);
    std::swap(a.small.denominator, b.small.denominator);
    a.big.swap(b.big);
}

TableValue operator*(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::multiplies<Fraction>(), mpq_mul);
}

TableValue operator/(const TableValue& a, const TableValue& b)
{
    // A zero divisor is the Fraction's to judge: it stops the program, message and all.
    if (b.IsZero())
        return (a.IsZero() ? Fraction() : Fraction(1)) / b.Small();
    return Combine(a, b, std::divides<Fraction>(), mpq_div);
}

TableValue operator+(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::plus<Fraction>(), mpq_add);
}

TableValue operator-(const TableValue& a, const TableValue& b)
{
    return Combine(a, b, std::minus<Fraction>(), mpq_sub);
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

void AddProduct(TableValue& result, const TableValue& a, const TableValue& b, const TableValue& factor)
{
    if (b.IsZero() || factor.IsZero()) {
        result = a;
        return;
    }
    if (!a.IsBig() && !b.IsBig() && !factor.IsBig()) {
        Fraction sum;
        if (TryAddProduct(a.Small(), b.Small(), factor.Small(), sum)) {
            result = sum;
            return;
        }
    }
    thread_local BigValue product;
    mpq_mul(product.value.get_mpq_t(), ExactView(b).get(), ExactView(factor).get());
    mpq_add(Scratch().value.get_mpq_t(), ExactView(a).get(), product.value.get_mpq_t());
    AssignLowestTerms(result, Scratch());
}

void AddProductToRow(std::span<TableValue> result, std::span<const TableValue> a, std::span<const TableValue> b,
                     const TableValue& factor)
{
    Tiny tinyFactor{};
    const bool tiny = !factor.IsBig() && ReadTiny(factor.Small(), tinyFactor) && tinyFactor.numerator != 0;
    for (size_t c = 0; c < a.size(); ++c) {
        Tiny tinyA{}, tinyB{};
        if (!tiny || a[c].IsBig() || b[c].IsBig() || !ReadTiny(a[c].Small(), tinyA) ||
            !ReadTiny(b[c].Small(), tinyB) || tinyB.numerator == 0) {
            AddProduct(result[c], a[c], b[c], factor);
            continue;
        }
        const Tiny sum = AddProductTiny(tinyA, tinyB, tinyFactor);
        Fraction& fields = result[c].small;
        fields.whole = 0;
        fields.numerator = sum.numerator;
        fields.denominator = sum.numerator == 0 ? 0 : sum.denominator;
        result[c].big.reset();
    }
}

TableValue AddProduct(const TableValue& a, const TableValue& b, const TableValue& factor)
{
    TableValue result;
    AddProduct(result, a, b, factor);
    return result;
}
