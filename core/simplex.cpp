#include "core/simplex.h"

#include <stdexcept>

namespace {

const Fraction kZero;

bool IsUnknown(const Problem& p, int k) { return k >= 1 && k <= p.workUnknownCount; }
bool IsEquation(const Problem& p, int i) { return i >= 1 && i <= p.equationCount; }

const Fraction& Estimate(const Problem& p, int k) { return p.matrix[p.equationCount + 1][k + 1]; }
const Fraction& Coefficient(const Problem& p, int i, int k) { return p.matrix[i][k + 1]; }
const Fraction& RightHandSide(const Problem& p, int i) { return p.matrix[i][1]; }

bool HasPositiveCoefficient(const Problem& p, int k)
{
    for (int i = 1; i <= p.equationCount; ++i) {
        if (Coefficient(p, i, k) > kZero)
            return true;
    }
    return false;
}

bool IsBasic(const Problem& p, int k)
{
    for (int i = 1; i <= p.equationCount; ++i) {
        if (p.basis[i] == k)
            return true;
    }
    return false;
}

bool IsBlocked(const Problem& p, int k) { return Estimate(p, k) < kZero && !HasPositiveCoefficient(p, k); }

// A zero estimate of a non-basic unknown that could enter: an alternative optimum.
bool CanEnterAtZero(const Problem& p, int k)
{
    return Estimate(p, k) == kZero && !IsBasic(p, k) && HasPositiveCoefficient(p, k);
}

void AddMultipleOfRow(Problem& p, int target, int source, const Fraction& factor)
{
    for (int c = 1; c <= p.workUnknownCount + 1; ++c)
        p.matrix[target][c] = p.matrix[target][c] + p.matrix[source][c] * factor;
}

} // namespace

int FindKeyColumn(const Problem& problem)
{
    Fraction best;
    int result = 0;
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (Estimate(problem, k) < best && HasPositiveCoefficient(problem, k)) {
            best = Estimate(problem, k);
            result = k;
        }
    }
    return result;
}

int FindAlternativeColumn(const Problem& problem)
{
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (CanEnterAtZero(problem, k))
            return k;
    }
    return 0;
}

bool HasBlockedColumn(const Problem& problem)
{
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (IsBlocked(problem, k))
            return true;
    }
    return false;
}

// False when some estimate is negative and every negative column is blocked: the objective is
// unbounded. A non-basic column with a zero estimate does not change that: an unbounded table
// has no optimum, so there is no alternative optimal table to build either.
bool CanContinue(const Problem& problem)
{
    int negatives = 0;
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (Estimate(problem, k) < kZero) {
            ++negatives;
            if (HasPositiveCoefficient(problem, k))
                return true;
        }
    }
    return negatives == 0;
}

StepStatus ClassifyTable(const Problem& problem)
{
    if (!CanContinue(problem))
        return StepStatus::NoSolution;
    if (FindKeyColumn(problem) != 0)
        return StepStatus::Continue;
    if (FindAlternativeColumn(problem) != 0)
        return StepStatus::ContinueOnce;
    return StepStatus::Optimal;
}

int FindKeyRow(const Problem& problem, int column)
{
    if (!IsUnknown(problem, column))
        return 0;
    int result = 0;
    Fraction best;
    for (int i = 1; i <= problem.equationCount; ++i) {
        const Fraction& a = Coefficient(problem, i, column);
        if (!(a > kZero))
            continue;
        Fraction ratio = RightHandSide(problem, i) / a;
        if (result == 0 || ratio < best) {
            best = ratio;
            result = i;
        }
    }
    return result;
}

void Pivot(Problem& problem, int column, int row)
{
    if (!IsUnknown(problem, column) || !IsEquation(problem, row) || Coefficient(problem, row, column).IsZero())
        throw std::invalid_argument("Pivot needs an unknown, an equation and a non-zero key element");
    const Fraction keyElement = Coefficient(problem, row, column);
    const int indexRow = problem.equationCount + 1;
    // Rows below the key row (the index row included), then the rows above it.
    for (int i = row + 1; i <= indexRow; ++i)
        AddMultipleOfRow(problem, i, row, Fraction() - Coefficient(problem, i, column) / keyElement);
    for (int i = row - 1; i >= 1; --i)
        AddMultipleOfRow(problem, i, row, Fraction() - Coefficient(problem, i, column) / keyElement);
    for (int c = 1; c <= problem.workUnknownCount + 1; ++c)
        problem.matrix[row][c] = problem.matrix[row][c] / keyElement;
    problem.basis[row] = column;
}

bool IsRightDecision(const Problem& problem, StepStatus status, bool yes)
{
    switch (status) {
    case StepStatus::Continue:
        return yes || HasBlockedColumn(problem);
    case StepStatus::ContinueOnce:
        return true;
    case StepStatus::Optimal:
    case StepStatus::NoSolution:
        return !yes;
    }
    return false;
}

bool IsRightKeyColumn(const Problem& problem, int expected, int chosen)
{
    if (!IsUnknown(problem, expected) || !IsUnknown(problem, chosen))
        return false;
    if (Estimate(problem, expected) == kZero)
        return CanEnterAtZero(problem, chosen);
    return Estimate(problem, chosen) < kZero && HasPositiveCoefficient(problem, chosen);
}

bool IsRightKeyRow(const Problem& problem, int column, int chosen)
{
    int keyRow = FindKeyRow(problem, column);
    if (keyRow == 0 || !IsEquation(problem, chosen))
        return false;
    const Fraction& a = Coefficient(problem, chosen, column);
    if (a.IsZero())
        return false;
    Fraction theta = RightHandSide(problem, keyRow) / Coefficient(problem, keyRow, column);
    return RightHandSide(problem, chosen) / a == theta;
}

bool IsRightBasis(const Problem& problem, int equation, const std::string& name)
{
    if (!IsEquation(problem, equation) || !IsUnknown(problem, problem.basis[equation]))
        return false;
    return name == problem.unknownNames[problem.basis[equation]];
}
