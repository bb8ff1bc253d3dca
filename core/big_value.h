#pragma once

#include <gmpxx.h>

#include "core/table_value.h"

// Inside the core only: the arbitrary-precision side of a table value.
struct BigValue {
    mpq_class value;
};

// The table value of an exact value in lowest terms: small when it fits in a Fraction.
TableValue MakeTableValue(BigValue value);

// Sets target to value, which is in lowest terms: a Fraction when it fits, otherwise a big value
// that takes over value's limbs and hands its old ones back in value, so that a caller working
// cell after cell through the same scratch allocates nothing once the sizes settle.
void AssignLowestTerms(TableValue& target, BigValue& value);

// The value of any table value in arbitrary precision, in lowest terms.
mpq_class ExactValue(const TableValue& number);

// A table value as GMP reads it, in lowest terms, for the length of one operation: a big value
// where it stands, a small one from limbs held here. Nothing is copied or allocated.
class ExactView {
public:
    explicit ExactView(const TableValue& number);
    ExactView(const ExactView&) = delete;
    ExactView& operator=(const ExactView&) = delete;

    mpq_srcptr get() const { return view; }

private:
    mp_limb_t numeratorLimbs[2];
    mp_limb_t denominatorLimb;
    mpq_t small;
    mpq_srcptr view;
};
