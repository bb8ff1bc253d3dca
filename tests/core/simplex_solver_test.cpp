// Random canonical problems taken through the method as a correct student would, compared with
// GLPK's exact simplex (glpsol --exact) on status and optimal objective value.
#include "core/number_text.h"
#include "core/simplex.h"
#include "core/solution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tests/core/random_problem.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    bool unbounded = false;
    double objective = 0;
};

// Through the text, which has every digit of a big value too.
double ToDouble(const TableValue& value)
{
    const std::string text = ToText(value);
    const size_t slash = text.find('/');
    if (slash == std::string::npos)
        return static_cast<double>(std::stold(text));
    return static_cast<double>(std::stold(text.substr(0, slash)) / std::stold(text.substr(slash + 1)));
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

std::vector<int> BasisSet(const Problem& p)
{
    std::vector<int> basis(p.basis.begin() + 1, p.basis.begin() + 1 + p.equationCount);
    std::sort(basis.begin(), basis.end());
    return basis;
}

// The choice the run advises once a basis repeats, which cannot cycle: the lowest-numbered right
// key column, and among the tied rows the one whose basic unknown has the lowest number.
std::pair<int, int> LowestNumberedChoice(const Problem& p, int expectedColumn)
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
Outcome SolveAsStudent(Problem p, bool& sawBlockedColumn)
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

struct Tally {
    int optimal = 0;
    int unbounded = 0;
};

// Solves one problem both ways; a value that outgrows 64 bits is no reason to stop.
void ExpectAgreement(const EnteredProblem& entered, const fs::path& directory, Tally& tally)
{
    Outcome expected = SolveWithGlpk(entered, directory);
    bool sawBlockedColumn = false;
    Outcome actual = SolveAsStudent(BuildTestProblem(entered), sawBlockedColumn);
    ASSERT_EQ(actual.unbounded, expected.unbounded);
    if (sawBlockedColumn) {
        EXPECT_TRUE(expected.unbounded) << "a blocked column proves the objective unbounded";
    }
    // The program's own solution, shown once a run has ended, comes to the same end.
    const std::string answer = SolveProblem(BuildTestProblem(entered), DisplayMode::CommonFractions).answer;
    EXPECT_EQ(answer.find("не ограничена") != std::string::npos, expected.unbounded) << answer;
    if (!expected.unbounded) {
        const double tolerance = 1e-9 * std::max(1.0, std::fabs(expected.objective));
        EXPECT_NEAR(actual.objective, expected.objective, tolerance);
        EXPECT_NEAR(ToDouble(ReadExactNumber(answer.substr(answer.rfind("= ") + 2)).value()), expected.objective,
                    tolerance);
    }
    (expected.unbounded ? tally.unbounded : tally.optimal)++;
}

class SimplexAgainstGlpk : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override
    {
        if (!HasFailure())
            fs::remove_all(directory);
    }

    const fs::path directory = fs::temp_directory_path() / ("tablitor-glpk-" + std::to_string(getpid()));
};

TEST_F(SimplexAgainstGlpk, RandomCanonicalProblemsAgreeOnStatusAndObjective)
{
    std::mt19937 random(20261207);
    Tally tally;
    for (int trial = 0; trial < 400 && !HasFailure(); ++trial) {
        EnteredProblem entered = RandomCanonicalProblem(random, 8, 14);
        SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << entered.equations.size() << " x "
                                        << entered.objective.size() << (entered.isMax ? " Max" : " Min"));
        ExpectAgreement(entered, directory, tally);
    }
    RecordProperty("optimal", tally.optimal);
    RecordProperty("unbounded", tally.unbounded);
    EXPECT_GT(tally.optimal, 50);
    EXPECT_GT(tally.unbounded, 20);
}

// The sizes at which the values of many tables outgrow 64 bits.
TEST_F(SimplexAgainstGlpk, LargeRandomProblemsRunToTheirEndAndAgree)
{
    struct Size {
        int equations, unknowns, problems;
    };
    std::mt19937 random(20261214);
    Tally tally;
    for (Size size : {Size{30, 60, 100}, Size{50, 100, 60}}) {
        for (int trial = 0; trial < size.problems && !HasFailure(); ++trial) {
            EnteredProblem entered = RandomCanonicalProblemOfSize(random, size.equations, size.unknowns);
            SCOPED_TRACE(testing::Message() << size.equations << " x " << size.unknowns << ", trial " << trial
                                            << (entered.isMax ? " Max" : " Min"));
            ExpectAgreement(entered, directory, tally);
        }
    }
    RecordProperty("optimal", tally.optimal);
    RecordProperty("unbounded", tally.unbounded);
}

} // namespace
