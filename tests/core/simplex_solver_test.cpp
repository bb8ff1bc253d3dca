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
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/core/random_problem.h"
#include "tests/core/solver_oracles.h"

namespace {

namespace fs = std::filesystem;

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
    WriteLp(entered, lp);
    Outcome outcome = RunGlpsol(lp, directory / "solution.txt");
    outcome.objective += ToDouble(entered.freeTerm);
    return outcome;
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
