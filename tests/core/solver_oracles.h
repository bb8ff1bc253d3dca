#pragma once

// The two solvers that the tests compare: a correct student taking a problem through the method
// with the core's rules, and GLPK's exact simplex (glpsol, package glpk-utils).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/simplex.h"

struct Outcome {
    bool unbounded = false;
    double objective = 0;
    bool infeasible = false;
};

// Through the text, which has every digit of a big value too.
inline double ToDouble(const TableValue& value)
{
    const std::string text = ToText(value);
    const size_t slash = text.find('/');
    if (slash == std::string::npos)
        return static_cast<double>(std::stold(text));
    return static_cast<double>(std::stold(text.substr(0, slash)) / std::stold(text.substr(slash + 1)));
}

// GLPK's exact simplex on an LP file: the status (optimal, unbounded or infeasible) and the
// objective as the file states it.
inline Outcome RunGlpsol(const std::filesystem::path& lp, const std::filesystem::path& solution)
{
    std::string command = "glpsol --exact --nopresol --lp '" + lp.string() + "' -w '" + solution.string() +
        "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "glpsol failed (package glpk-utils)";
    std::ifstream in(solution);
    Outcome outcome;
    std::string line;
    bool statusSeen = false;
    while (std::getline(in, line)) {
        if (line.rfind("c Status:", 0) == 0) {
            statusSeen = true;
            outcome.unbounded = line.find("UNBOUNDED") != std::string::npos;
            outcome.infeasible = line.find("INFEASIBLE") != std::string::npos;
            EXPECT_TRUE(outcome.unbounded || outcome.infeasible || line.find("OPTIMAL") != std::string::npos) << line;
        } else if (line.rfind("s bas", 0) == 0) {
            std::istringstream fields(line.substr(5));
            std::string rows, columns, primal, dual;
            fields >> rows >> columns >> primal >> dual >> outcome.objective;
        }
    }
    EXPECT_TRUE(statusSeen) << "no status from glpsol";
    return outcome;
}

// The invariants of every table: unit basic columns with zero estimates, distinct basic
// unknowns, non-negative right-hand sides, and an index row equal to one computed afresh.
inline void ExpectTableInvariants(const Problem& p)
{
    const int m = p.equationCount;
    for (int i = 1; i <= m; ++i) {
        EXPECT_TRUE(p.matrix[i][1] >= Fraction()) << "negative right-hand side in row " << i;
        const int column = p.basis[i] + 1;
        for (int r = 1; r <= m + 1; ++r)
            EXPECT_TRUE(p.matrix[r][column] == Fraction(r == i ? 1 : 0)) << "basic column " << column;
        for (int j = 1; j < i; ++j)
            EXPECT_NE(p.basis[i], p.basis[j]);
    }
    Problem fresh = p;
    fresh.ComputeIndexRow();
    for (int c = 1; c <= p.workUnknownCount + 1; ++c)
        EXPECT_TRUE(fresh.matrix[m + 1][c] == p.matrix[m + 1][c]) << "index row, column " << c;
}

inline std::vector<int> BasisSet(const Problem& p)
{
    std::vector<int> basis(p.basis.begin() + 1, p.basis.begin() + 1 + p.equationCount);
    std::sort(basis.begin(), basis.end());
    return basis;
}

// The choice the run advises once a basis repeats, which cannot cycle: the lowest-numbered right
// key column, and among the tied rows the one whose basic unknown has the lowest number.
inline std::pair<int, int> LowestNumberedChoice(const Problem& p, int expectedColumn)
{
    int column = 1;
    while (!IsRightKeyColumn(p, expectedColumn, column))
        ++column;
    int row = 0;
    for (int i = 1; i <= p.equationCount; ++i) {
        if (IsRightKeyRow(p, column, i) && (row == 0 || p.basis[i] < p.basis[row]))
            row = i;
    }
    return {column, row};
}

// A correct student: the key column and row from the rules, until the table says stop; told of a
// repeated basis, from then on the lowest-numbered choice.
inline Outcome SolveAsStudent(Problem p, bool& sawBlockedColumn)
{
    p.ComputeIndexRow();
    ExpectTableInvariants(p);
    std::set<std::vector<int>> bases{BasisSet(p)};
    bool cycleTold = false;
    for (int step = 0; step < 500; ++step) {
        StepStatus status = ClassifyTable(p);
        sawBlockedColumn = sawBlockedColumn || HasBlockedColumn(p);
        if (status == StepStatus::NoSolution)
            return {true, 0};
        if (status != StepStatus::Continue)
            return {false, ToDouble(p.DisplayValue(p.equationCount + 1, 1))};
        int column = FindKeyColumn(p);
        int row = FindKeyRow(p, column);
        if (cycleTold)
            std::tie(column, row) = LowestNumberedChoice(p, column);
        EXPECT_TRUE(IsRightKeyColumn(p, FindKeyColumn(p), column));
        EXPECT_TRUE(IsRightKeyRow(p, column, row));
        Pivot(p, column, row);
        ExpectTableInvariants(p);
        cycleTold = !bases.insert(BasisSet(p)).second || cycleTold;
        if (testing::Test::HasFailure())
            break;
    }
    ADD_FAILURE() << "no end after 500 tables";
    return {};
}
