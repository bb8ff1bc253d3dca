#include "core/problem.h"

namespace {

Fraction Negated(const Fraction& value) { return Fraction(-1) * value; }

} // namespace

Fraction Problem::DisplayValue(int row, int column) const
{
    if (row == 0 && column == 1)
        return freeTerm;
    const Fraction& cell = matrix[row][column];
    bool objectiveSide = row == 0 || row == equationCount + 1;
    return objectiveSide && !isMax ? Negated(cell) : cell;
}

Fraction Problem::Price(int equation) const
{
    const Fraction& cell = matrix[0][basis[equation] + 1];
    return isMax ? cell : Negated(cell);
}

void Problem::ComputeIndexRow()
{
    const int m = equationCount;
    const int n = workUnknownCount;
    auto& indexRow = matrix[m + 1];
    for (int c = 1; c <= n + 1; ++c) {
        Fraction sum;
        for (int i = 1; i <= m; ++i)
            sum = sum + matrix[i][c] * matrix[0][basis[i] + 1];
        indexRow[c] = sum;
    }
    Fraction internalFreeTerm = isMax ? freeTerm : Negated(freeTerm);
    indexRow[1] = indexRow[1] + internalFreeTerm;
    for (int c = 2; c <= n + 1; ++c)
        indexRow[c] = indexRow[c] - matrix[0][c];
}
