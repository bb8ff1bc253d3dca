#pragma once

#include <cstdint>
#include <stdexcept>

// Thrown when the reduced result of an operation does not fit in the 64-bit fields.
// A wrong value is never returned instead.
class FractionOverflow : public std::overflow_error {
public:
    FractionOverflow();
};

// The exact rational number of every table cell.
//
// The value is that of the improper form made by ToImproper: (w, 0, 0) is the integer w,
// (0, n, d) is n/d, and a mixed (w, n, d) is w + n/d for w > 0 and w - n/d for w < 0.
// Every arithmetic result is in lowest terms with a positive denominator, whole 0, and zero
// is (0, 0, 0).
class Fraction {
public:
    int64_t whole;
    int64_t numerator;
    int64_t denominator;

    Fraction();
    Fraction(int64_t wholeValue);
    Fraction(int64_t wholeValue, int64_t numeratorValue, int64_t denominatorValue);
    virtual ~Fraction() = default;

    Fraction(const Fraction&) = default;
    Fraction& operator=(const Fraction&) = default;

    // These change the representation, never the value.
    void ToImproper();
    void Reduce();
    void NormalizeSign();

    bool IsZero() const;

    Fraction operator*(const Fraction& other) const;
    Fraction operator/(const Fraction& other) const;
    Fraction operator+(const Fraction& other) const;
    Fraction operator-(const Fraction& other) const;
};

// Ordering by value.
bool operator>(const Fraction& a, const Fraction& b);
bool operator>=(const Fraction& a, const Fraction& b);
bool operator<(const Fraction& a, const Fraction& b);
bool operator<=(const Fraction& a, const Fraction& b);

// Equality of the improper forms, field by field: for reduced values this is equality of
// value; a hand-made (0, 2, 4) is not equal to 1/2.
bool operator==(const Fraction& a, const Fraction& b);
