#include "core/simplex.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/row_elimination.h"

namespace {

const TableValue kZero;

bool IsUnknown(const Problem& p, int k) { return k >= 1 && k <= p.workUnknownCount; }
bool IsEquation(const Problem& p, int i) { return i >= 1 && i <= p.equationCount; }

const TableValue& Coefficient(const Problem& p, int i, int k) { return p.matrix[i][k + 1]; }
const TableValue& RightHandSide(const Problem& p, int i) { return p.matrix[i][1]; }

// An estimate a + bM: b is its part at M (0 without artificial unknowns), a its number part.
struct Estimate {
    const TableValue& atM;
    const TableValue& number;
};

Estimate EstimateOf(const Problem& p, int k)
{
    return {p.HasMRow() ? p.matrix[p.MRow()][k + 1] : kZero, p.matrix[p.IndexRow()][k + 1]};
}

int Sign(const Estimate& e) { return e.atM.Sign() != 0 ? e.atM.Sign() : e.number.Sign(); }

bool operator<(const Estimate& a, const Estimate& b)
{
    if (!(a.atM == b.atM))
        return a.atM < b.atM;
    return a.number < b.number;
}

// Some artificial unknown is basic above 0: the table's solution is not one of the problem's.
bool HasPositiveArtificial(const Problem& p)
{
    for (int i = 1; i <= p.equationCount; ++i) {
        if (p.artificial[p.basis[i]] && RightHandSide(p, i).Sign() > 0)
            return true;
    }
    return false;
}

// No estimate is negative at M: the artificial unknowns are as small as they can be.
bool MRowNonNegative(const Problem& p)
{
    for (int k = 1; k <= p.workUnknownCount; ++k) {
        if (EstimateOf(p, k).atM.Sign() < 0)
            return false;
    }
    return true;
}

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

bool IsBlocked(const Problem& p, int k) { return EstimateSign(p, k) < 0 && !HasPositiveCoefficient(p, k); }

// A zero estimate of a non-basic unknown that could enter: an alternative optimum.
bool CanEnterAtZero(const Problem& p, int k)
{
    return EstimateSign(p, k) == 0 && !IsBasic(p, k) && HasPositiveCoefficient(p, k);
}

using Row = std::array<TableValue, Problem::kColumns>;

// The rows of the next table, computed apart from the table. The memory is kept from pivot to
// pivot: fresh memory for a whole table at every pivot costs more than a small table's arithmetic.
// After a pivot the rows hold the table before it, whose big values lend their limbs to the next.
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
    const size_t width = p.workUnknownCount + 1;
    auto cells = [width](auto& fullRow) { return std::span(fullRow).subspan(1, width); };
    std::vector<int> changed;
    std::vector<std::span<const TableValue>> targets;
    std::vector<std::span<TableValue>> results;
    changed.reserve(p.LastRow());
    targets.reserve(p.LastRow());
    results.reserve(p.LastRow());
    for (int i = 1; i <= p.LastRow(); ++i) {
        if (i == row || Coefficient(p, i, column).IsZero())
            continue;
        targets.push_back(cells(p.matrix[i]));
        results.push_back(cells(next[changed.size()]));
        changed.push_back(i);
    }
    EliminateColumn(cells(p.matrix[row]), size_t(column), targets, results, cells(next[changed.size()]));
    changed.push_back(row);
    return changed;
}

} // namespace

int EstimateSign(const Problem& problem, int k) { return Sign(EstimateOf(problem, k)); }

int FindKeyColumn(const Problem& problem)
{
    int result = 0;
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        if (EstimateSign(problem, k) >= 0 || !HasPositiveCoefficient(problem, k))
            continue;
        if (result == 0 || EstimateOf(problem, k) < EstimateOf(problem, result))
            result = k;
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

// While an artificial unknown is basic above 0 the solution is none of the problem's, and a
// column without a positive element says nothing of the problem's function.
bool HasBlockedColumn(const Problem& problem)
{
    if (HasPositiveArtificial(problem))
        return false;
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
        if (EstimateSign(problem, k) < 0) {
            ++negatives;
            if (HasPositiveCoefficient(problem, k))
                return true;
        }
    }
    return negatives == 0;
}

bool IsInfeasible(const Problem& problem)
{
    return problem.HasMRow() && HasPositiveArtificial(problem) && MRowNonNegative(problem);
}

StepStatus ClassifyTable(const Problem& problem)
{
    if (IsInfeasible(problem))
        return StepStatus::Infeasible;
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
    std::vector<Row>& next = ScratchRows(problem.LastRow());
    const std::vector<int> changed = ComputeNextRows(problem, column, row, next);
    const int width = problem.workUnknownCount + 1;
    for (size_t k = 0; k < changed.size(); ++k)
        std::swap_ranges(next[k].begin() + 1, next[k].begin() + 1 + width, problem.matrix[changed[k]].begin() + 1);
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
    case StepStatus::Infeasible:
        return !yes;
    }
    return false;
}

bool IsRightKeyColumn(const Problem& problem, int expected, int chosen)
{
    if (!IsUnknown(problem, expected) || !IsUnknown(problem, chosen))
        return false;
    if (EstimateSign(problem, expected) == 0)
        return CanEnterAtZero(problem, chosen);
    return EstimateSign(problem, chosen) < 0 && HasPositiveCoefficient(problem, chosen);
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
