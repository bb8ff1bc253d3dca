#include "core/problem.h"

#include <utility>

namespace {

TableValue Negated(const TableValue& value) { return TableValue(Fraction(-1)) * value; }

} // namespace

TableValue Problem::DisplayValue(int row, int column) const
{
    if (row == 0 && column == 1)
        return freeTerm;
    const TableValue& cell = matrix[row][column];
    bool objectiveSide = row == 0 || row == IndexRow() || (HasMRow() && row == MRow());
    return objectiveSide && !isMax ? Negated(cell) : cell;
}

TableValue Problem::Price(int equation) const
{
    const TableValue& cell = matrix[0][basis[equation] + 1];
    return isMax ? cell : Negated(cell);
}

TableValue Problem::DisplayPriceAtM(int unknown) const
{
    if (!artificial[unknown])
        return {};
    return Fraction(isMax ? -1 : 1);
}

TableValue Problem::PriceAtM(int equation) const { return DisplayPriceAtM(basis[equation]); }


void Problem::ComputeIndexRow()
{
    const int m = equationCount;
    const int n = workUnknownCount;
    // Computed apart, so that a row that cannot be completed leaves the table as it was.
    std::array<TableValue, kColumns> indexRow;
    for (int c = 1; c <= n + 1; ++c) {
        TableValue sum;
        for (int i = 1; i <= m; ++i)
            AddProduct(sum, sum, matrix[i][c], matrix[0][basis[i] + 1]);
        indexRow[c] = sum;
    }
    TableValue internalFreeTerm = isMax ? TableValue(freeTerm) : Negated(freeTerm);
    indexRow[1] = indexRow[1] + internalFreeTerm;
    for (int c = 2; c <= n + 1; ++c)
        indexRow[c] = indexRow[c] - matrix[0][c];
    // The parts at M: the artificial unknowns' prices are -M, every other's 0.
    std::array<TableValue, kColumns> mRow;
    const bool withM = HasMRow();
    if (withM) {
        const TableValue minusOne = Fraction(-1);
        for (int c = 1; c <= n + 1; ++c) {
            TableValue sum;
            for (int i = 1; i <= m; ++i) {
                if (artificial[basis[i]])
                    sum = AddProduct(sum, matrix[i][c], minusOne);
            }
            mRow[c] = c >= 2 && artificial[c - 1] ? sum + TableValue(Fraction(1)) : sum;
        }
    }
    for (int c = 1; c <= n + 1; ++c)
        matrix[m + 1][c] = std::move(indexRow[c]);
    if (withM) {
        for (int c = 1; c <= n + 1; ++c)
            matrix[m + 2][c] = std::move(mRow[c]);
    }
}
