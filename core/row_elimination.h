#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/table_value.h"

// The arithmetic of a pivot, done over whole rows. All rows are spans of the same width, the key
// column an index into them. Each target row t becomes t - keyRow * t[keyColumn] / keyElement
// in its result row, a cell under a zero of the key row keeping its fields as they stand, and the
// key row becomes keyRow / keyElement. Every value is the one that AddProduct with the factor
// -t[keyColumn] / keyElement, and the division, give: in lowest terms, small whenever it fits.
// The key element and the targets' key-column values must not be zero (rows with a zero there
// do not change in a pivot); result rows must not overlap the rows read.
void EliminateColumn(std::span<const TableValue> keyRow, std::size_t keyColumn,
                     const std::vector<std::span<const TableValue>>& targets,
                     const std::vector<std::span<TableValue>>& targetResults, std::span<TableValue> keyRowResult);
