#pragma once

#include <memory>
#include <span>

#include "core/fraction.h"

// The arbitrary-precision value of a big table value; only the core's own files look inside.
struct BigValue;

// The exact number of a table cell. A value that fits in a Fraction is held as one, with its
// fields as they stand, and an operation on such values gives the Fraction's result field for
// field; a result that does not fit is held exactly in arbitrary precision instead of being
// refused. A value is big only when it must be: every big value is in lowest terms and does not
// fit in a Fraction.
class TableValue {
public:
    TableValue();
    // Every Fraction is a table value.
    TableValue(const Fraction& value);
    TableValue(const TableValue& other);
    TableValue(TableValue&& other) noexcept;
    TableValue& operator=(const TableValue& other);
    TableValue& operator=(TableValue&& other) noexcept;
    ~TableValue();

    bool IsBig() const { return big != nullptr; }
    // The Fraction of a value that is not big.
    const Fraction& Small() const { return small; }
    const BigValue& Big() const { return *big; }

    bool IsZero() const;
    // -1, 0 or 1.
    int Sign() const;

    // Exchanges two values without copying a big one.
    friend void swap(TableValue& a, TableValue& b) noexcept;

private:
    friend TableValue MakeTableValue(BigValue value);
    friend void AssignLowestTerms(TableValue& target, BigValue& value);
    friend void AddProductToRow(std::span<TableValue> result, std::span<const TableValue> a,
                                std::span<const TableValue> b, const TableValue& factor);

    Fraction small;
    std::unique_ptr<BigValue> big;
};

// Outside the class, so that a Fraction on the left is taken as a table value too. Division by
// zero stops the program, as for Fractions.
TableValue operator*(const TableValue& a, const TableValue& b);
TableValue operator/(const TableValue& a, const TableValue& b);
TableValue operator+(const TableValue& a, const TableValue& b);
TableValue operator-(const TableValue& a, const TableValue& b);

// Ordering by value.
bool operator<(const TableValue& a, const TableValue& b);
bool operator>(const TableValue& a, const TableValue& b);
bool operator<=(const TableValue& a, const TableValue& b);
bool operator>=(const TableValue& a, const TableValue& b);

// As for Fractions, two small values are equal when their improper forms are equal field by
// field; a big value equals only the same big value.
bool operator==(const TableValue& a, const TableValue& b);

// a + b * factor as one exact operation, the row update of a pivot and of the index row. When
// all three are small and in lowest terms the product is never narrowed on its own: every
// intermediate of a result that fits stays within 128 bits, and only a result that does not
// fit goes to arbitrary precision. When b * factor is zero, a comes back unchanged.
TableValue AddProduct(const TableValue& a, const TableValue& b, const TableValue& factor);
// The same into result, whose memory a big result reuses; result may be one of the operands.
void AddProduct(TableValue& result, const TableValue& a, const TableValue& b, const TableValue& factor);
// AddProduct along a row: result[c] becomes a[c] + b[c] * factor for every c.
void AddProductToRow(std::span<TableValue> result, std::span<const TableValue> a, std::span<const TableValue> b,
                     const TableValue& factor);
