#include "core/simplex.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

const TableValue kZero;

bool IsUnknown(const Problem& p, int k) { return k >= 1 && k <= p.workUnknownCount; }
bool IsEquation(const Problem& p, int i) { return i >= 1 && i <= p.equationCount; }

const TableValue& Estimate(const Problem& p, int k) { return p.matrix[p.equationCount + 1][k + 1]; }
const TableValue& Coefficient(const Problem& p, int i, int k) { return p.matrix[i][k + 1]; }
const TableValue& RightHandSide(const Problem& p, int i) { return p.matrix[i][1]; }

bool HasPositiveCoefficient(const Problem& p, int k)
{
    for (int i = 1; i <= p.equationCount; ++i) {
        if (Coefficient(p, i, k).Sign() > 0)
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

bool IsBlocked(const Problem& p, int k) { return Estimate(p, k).Sign() < 0 && !HasPositiveCoefficient(p, k); }

// A zero estimate of a non-basic unknown that could enter: an alternative optimum.
bool CanEnterAtZero(const Problem& p, int k)
{
    return Estimate(p, k) == kZero && !IsBasic(p, k) && HasPositiveCoefficient(p, k);
}

using Row = std::array<TableValue, Problem::kColumns>;

void AddMultipleOfRow(const Problem& p, const Row& target, const Row& source, const TableValue& factor, Row& result)
{
    for (int c = 1; c <= p.workUnknownCount + 1; ++c)
        result[c] = AddProduct(target[c], source[c], factor);
}

// The rows of the next table, computed apart from the table. The memory is kept from pivot to
// pivot: fresh memory for a whole table at every pivot costs more than a small table's arithmetic.
std::vector<Row>& ScratchRows(size_t count)
{
    thread_local std::vector<Row> rows;
    if (rows.size() < count)
        rows.resize(count);
    return rows;
}

// Every row but the key row gains the key row times -a_ik / key element; a row with a_ik = 0
// stays as it is and is left out. Returns the numbers of the rows computed, the key row last.
std::vector<int> ComputeNextRows(const Problem& p, int column, int row, std::vector<Row>& next)
{
    const TableValue& keyElement = Coefficient(p, row, column);
    std::vector<int> changed;
    changed.reserve(p.equationCount + 1);
    for (int i = 1; i <= p.equationCount + 1; ++i) {
        if (i == row || Coefficient(p, i, column).IsZero())
            continue;
        TableValue factor = kZero - Coefficient(p, i, column) / keyElement;
        AddMultipleOfRow(p, p.matrix[i], p.matrix[row], factor, next[changed.size()]);
        changed.push_back(i);
    }
    Row& keyRow = next[changed.size()];
    for (int c = 1; c <= p.workUnknownCount + 1; ++c)
        keyRow[c] = p.matrix[row][c] / keyElement;
    changed.push_back(row);
    return changed;
}

} // namespace

int FindKeyColumn(const Problem& problem)
{
    TableValue best;
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
        if (Estimate(problem, k).Sign() < 0) {
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
    TableValue best;
    for (int i = 1; i <= problem.equationCount; ++i) {
        const TableValue& a = Coefficient(problem, i, column);
        if (a.Sign() <= 0)
            continue;
        TableValue ratio = RightHandSide(problem, i) / a;
        if (result == 0 || ratio < best) {
            best = std::move(ratio);
            result = i;
        }
    }
    return result;
}

void Pivot(Problem& problem, int column, int row)
{
    if (!IsUnknown(problem, column) || !IsEquation(problem, row) || Coefficient(problem, row, column).IsZero())
        throw std::invalid_argument("Pivot needs an unknown, an equation and a non-zero key element");
    // The table changes only once every new row is known: a pivot that cannot be completed
    // leaves the table as it was.
    std::vector<Row>& next = ScratchRows(problem.equationCount + 1);
    const std::vector<int> changed = ComputeNextRows(problem, column, row, next);
    const int width = problem.workUnknownCount + 1;
    for (size_t k = 0; k < changed.size(); ++k)
        std::move(next[k].begin() + 1, next[k].begin() + 1 + width, problem.matrix[changed[k]].begin() + 1);
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
    const TableValue& a = Coefficient(problem, chosen, column);
    if (a.IsZero())
        return false;
    TableValue theta = RightHandSide(problem, keyRow) / Coefficient(problem, keyRow, column);
    return RightHandSide(problem, chosen) / a == theta;
}

bool IsRightBasis(const Problem& problem, int equation, const std::string& name)
{
    if (!IsEquation(problem, equation) || !IsUnknown(problem, problem.basis[equation]))
        return false;
    return name == problem.unknownNames[problem.basis[equation]];
}

std::vector<TableValue> BasicSolution(const Problem& problem)
{
    std::vector<TableValue> values(static_cast<size_t>(problem.workUnknownCount));
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (IsUnknown(problem, problem.basis[i]))
            values[static_cast<size_t>(problem.basis[i] - 1)] = RightHandSide(problem, i);
    }
    return values;
}
