// Random canonical problems taken through the method as a correct student would, compared with
// GLPK's exact simplex (glpsol --exact) on status and optimal objective value.
#include "core/fraction.h"
#include "core/simplex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "tests/core/random_problem.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    bool unbounded = false;
    double objective = 0;
};

double ToDouble(const Fraction& f)
{
    Fraction improper = f;
    improper.ToImproper();
    return static_cast<double>(improper.numerator) / static_cast<double>(improper.denominator);
}

std::string Term(const Fraction& coefficient, int k)
{
    std::ostringstream out;
    double value = ToDouble(coefficient);
    out << (value < 0 ? " - " : " + ") << std::fabs(value) << " x" << k;
    return out.str();
}

void WriteLp(const EnteredProblem& entered, const fs::path& file)
{
    std::ofstream out(file);
    std::string objective;
    for (size_t k = 0; k < entered.objective.size(); ++k) {
        if (!entered.objective[k].IsZero())
            objective += Term(entered.objective[k], static_cast<int>(k + 1));
    }
    out << (entered.isMax ? "Maximize\n" : "Minimize\n") << " obj:" << (objective.empty() ? " 0 x1" : objective);
    out << "\nSubject To\n";
    for (size_t i = 0; i < entered.equations.size(); ++i) {
        out << " c" << i + 1 << ":";
        for (size_t k = 1; k < entered.equations[i].size(); ++k) {
            if (!entered.equations[i][k].IsZero())
                out << Term(entered.equations[i][k], static_cast<int>(k));
        }
        out << " = " << ToDouble(entered.equations[i][0]) << "\n";
    }
    out << "End\n";
}

Outcome SolveWithGlpk(const EnteredProblem& entered, const fs::path& directory)
{
    const fs::path lp = directory / "problem.lp";
    const fs::path solution = directory / "solution.txt";
    WriteLp(entered, lp);
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
            EXPECT_TRUE(outcome.unbounded || line.find("OPTIMAL") != std::string::npos) << line;
        } else if (line.rfind("s bas", 0) == 0) {
            std::istringstream fields(line.substr(5));
            std::string rows, columns, primal, dual;
            fields >> rows >> columns >> primal >> dual >> outcome.objective;
        }
    }
    EXPECT_TRUE(statusSeen) << "no status from glpsol";
    outcome.objective += ToDouble(entered.freeTerm);
    return outcome;
}

// The invariants of every table: unit basic columns with zero estimates, distinct basic
// unknowns, non-negative right-hand sides, and an index row equal to one computed afresh.
void ExpectTableInvariants(const Problem& p)
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

// A correct student: the key column and row from the rules, until the table says stop.
Outcome SolveAsStudent(Problem p, bool& sawBlockedColumn)
{
    p.ComputeIndexRow();
    ExpectTableInvariants(p);
    for (int step = 0; step < 200; ++step) {
        StepStatus status = ClassifyTable(p);
        sawBlockedColumn = sawBlockedColumn || HasBlockedColumn(p);
        if (status == StepStatus::NoSolution)
            return {true, 0};
        if (status != StepStatus::Continue)
            return {false, ToDouble(p.DisplayValue(p.equationCount + 1, 1))};
        int column = FindKeyColumn(p);
        int row = FindKeyRow(p, column);
        EXPECT_TRUE(IsRightKeyColumn(p, column, column));
        EXPECT_TRUE(IsRightKeyRow(p, column, row));
        Pivot(p, column, row);
        ExpectTableInvariants(p);
        if (testing::Test::HasFailure())
            break;
    }
    ADD_FAILURE() << "no end after 200 tables (cycling?)";
    return {};
}

TEST(SimplexAgainstGlpk, RandomCanonicalProblemsAgreeOnStatusAndObjective)
{
    const fs::path directory = fs::temp_directory_path() / ("tablitor-glpk-" + std::to_string(getpid()));
    fs::create_directories(directory);
    std::mt19937 random(20261207);
    int optimal = 0, unbounded = 0, overflowed = 0;
    for (int trial = 0; trial < 400 && !HasFailure(); ++trial) {
        EnteredProblem entered = RandomCanonicalProblem(random, 8, 14);
        SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << entered.equations.size() << " x "
                                        << entered.objective.size() << (entered.isMax ? " Max" : " Min"));
        Outcome expected = SolveWithGlpk(entered, directory);
        bool sawBlockedColumn = false;
        Outcome actual;
        try {
            actual = SolveAsStudent(BuildTestProblem(entered), sawBlockedColumn);
        } catch (const FractionOverflow&) {
            ++overflowed;
            continue;
        }
        ASSERT_EQ(actual.unbounded, expected.unbounded);
        if (sawBlockedColumn) {
            EXPECT_TRUE(expected.unbounded) << "a blocked column proves the objective unbounded";
        }
        if (!expected.unbounded) {
            EXPECT_NEAR(actual.objective, expected.objective, 1e-9 * std::max(1.0, std::fabs(expected.objective)));
        }
        (expected.unbounded ? unbounded : optimal)++;
    }
    if (!HasFailure())
        fs::remove_all(directory);
    RecordProperty("optimal", optimal);
    RecordProperty("unbounded", unbounded);
    EXPECT_EQ(overflowed, 0);
    EXPECT_GT(optimal, 50);
    EXPECT_GT(unbounded, 20);
}

} // namespace
