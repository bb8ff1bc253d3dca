#pragma once

#include <gmpxx.h>

#include "core/table_value.h"

// Inside the core only: the arbitrary-precision side of a table value.
struct BigValue {
    mpq_class value;
};

// The table value of an exact value in lowest terms: small when it fits in a Fraction.
TableValue MakeTableValue(BigValue value);

// The value of any table value in arbitrary precision, in lowest terms.
mpq_class ExactValue(const TableValue& number);
