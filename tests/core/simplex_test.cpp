#include "core/simplex.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <stdexcept>

#include "core/number_text.h"
#include "tests/core/allocation_limit.h"
#include "tests/core/problem_builder.h"

namespace {

// Two equations in four unknowns, x3 and x4 basic; the estimates are then set by hand.
Problem TableWithEstimates(std::vector<Fraction> estimates, std::vector<std::vector<Fraction>> equations)
{
    Problem p = BuildTestProblem({equations, {Q(0), Q(0), Q(0), Q(0)}, Q(0), true, {3, 4}});
    for (int k = 1; k <= 4; ++k)
        p.matrix[3][k + 1] = estimates[k - 1];
    return p;
}

TEST(Problem, MinProblemIsStoredNegatedAndDisplayedAsEntered)
{
    Problem p = BuildTestProblem({{{Q(4), Q(1), Q(0)}, {Q(6), Q(0), Q(1)}}, {Q(1), Q(2)}, Q(5), false, {1, 2}});
    EXPECT_TRUE(p.matrix[0][2] == Q(-1));
    EXPECT_TRUE(p.matrix[0][3] == Q(-2));
    EXPECT_TRUE(p.DisplayValue(0, 2) == Q(1));
    EXPECT_TRUE(p.DisplayValue(0, 3) == Q(2));
    EXPECT_TRUE(p.DisplayValue(0, 1) == Q(5));
    EXPECT_TRUE(p.Price(2) == Q(2));

    p.ComputeIndexRow();
    // 1*4 + 2*6 + 5, shown with the entered sign; the equations are shown as stored.
    EXPECT_TRUE(p.DisplayValue(3, 1) == Q(21));
    EXPECT_TRUE(p.matrix[3][1] == Q(-21));
    EXPECT_TRUE(p.DisplayValue(1, 1) == Q(4));
}

TEST(Problem, IndexRowHoldsEstimatesAndObjectiveValue)
{
    // max 3x1 + 2x2 + x3 - 1 with x3, x4 basic
    Problem p = BuildTestProblem(
        {{{Q(4), Q(1), Q(1), Q(1), Q(0)}, {Q(6), Q(1), Q(3), Q(0), Q(1)}}, {Q(3), Q(2), Q(1), Q(0)}, Q(-1), true, {3, 4}});
    p.ComputeIndexRow();
    EXPECT_TRUE(p.matrix[3][1] == Q(3)); // 1*4 + 0*6 - 1
    EXPECT_TRUE(p.matrix[3][2] == Q(-2));
    EXPECT_TRUE(p.matrix[3][3] == Q(-1));
    EXPECT_TRUE(p.matrix[3][4] == Q(0));
    EXPECT_TRUE(p.matrix[3][5] == Q(0));
}

TEST(Problem, SmallestTableHasOneOfEverything)
{
    Problem p = BuildTestProblem({{{Q(7), Q(1)}}, {Q(2)}, Q(1), true, {1}});
    p.ComputeIndexRow();
    EXPECT_TRUE(p.matrix[2][1] == Q(15));
    EXPECT_TRUE(p.matrix[2][2] == Q(0));
    EXPECT_EQ(ClassifyTable(p), StepStatus::Optimal);
}

TEST(Simplex, KeyColumnIsTheMostNegativeUnblockedEstimate)
{
    const std::vector<std::vector<Fraction>> equations = {{Q(4), Q(1), Q(1), Q(1), Q(0)},
                                                          {Q(6), Q(2), Q(3), Q(0), Q(1)}};
    Problem tie = TableWithEstimates({Q(-3), Q(-3), Q(0), Q(0)}, equations);
    EXPECT_EQ(FindKeyColumn(tie), 1);
    EXPECT_TRUE(IsRightKeyColumn(tie, 1, 1));
    EXPECT_TRUE(IsRightKeyColumn(tie, 1, 2));
    EXPECT_FALSE(IsRightKeyColumn(tie, 1, 3));

    Problem lessNegativeAccepted = TableWithEstimates({Q(-1), Q(-5), Q(0), Q(0)}, equations);
    EXPECT_EQ(FindKeyColumn(lessNegativeAccepted), 2);
    EXPECT_TRUE(IsRightKeyColumn(lessNegativeAccepted, 2, 1));
}

TEST(Simplex, BlockedColumnIsNeverKeyAndAllowsStopping)
{
    // x1 has the most negative estimate but no positive coefficient.
    Problem p = TableWithEstimates({Q(-5), Q(-1), Q(0), Q(0)},
                                   {{Q(4), Q(-1), Q(1), Q(1), Q(0)}, {Q(6), Q(0), Q(3), Q(0), Q(1)}});
    EXPECT_TRUE(HasBlockedColumn(p));
    EXPECT_EQ(FindKeyColumn(p), 2);
    EXPECT_EQ(ClassifyTable(p), StepStatus::Continue);
    EXPECT_TRUE(IsRightDecision(p, StepStatus::Continue, true));
    EXPECT_TRUE(IsRightDecision(p, StepStatus::Continue, false));
    EXPECT_FALSE(IsRightKeyColumn(p, 2, 1));
}

TEST(Simplex, TablesAreClassifiedByTheirEstimates)
{
    const std::vector<std::vector<Fraction>> equations = {{Q(4), Q(1), Q(-1), Q(1), Q(0)},
                                                          {Q(6), Q(2), Q(-3), Q(0), Q(1)}};
    struct Row {
        std::vector<Fraction> estimates;
        StepStatus status;
        int alternative;
    };
    const Row rows[] = {
        {{Q(1), Q(2), Q(0), Q(0)}, StepStatus::Optimal, 0},
        {{Q(0), Q(2), Q(0), Q(0)}, StepStatus::ContinueOnce, 1},
        // x2 has a zero estimate but no positive coefficient: no alternative table.
        {{Q(1), Q(0), Q(0), Q(0)}, StepStatus::Optimal, 0},
        {{Q(1), Q(-2), Q(0), Q(0)}, StepStatus::NoSolution, 0},
        // every negative column blocked: unbounded, though x1 could enter at zero
        {{Q(0), Q(-2), Q(0), Q(0)}, StepStatus::NoSolution, 1},
        {{Q(-1, 2), Q(-2), Q(0), Q(0)}, StepStatus::Continue, 0},
    };
    int number = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << number++);
        Problem p = TableWithEstimates(row.estimates, equations);
        EXPECT_EQ(ClassifyTable(p), row.status);
        EXPECT_EQ(FindAlternativeColumn(p), row.alternative);
    }
}

TEST(Simplex, DecisionRulesByStatus)
{
    Problem p = TableWithEstimates({Q(-1), Q(1), Q(0), Q(0)},
                                   {{Q(4), Q(1), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(3), Q(0), Q(1)}});
    EXPECT_TRUE(IsRightDecision(p, StepStatus::Continue, true));
    EXPECT_FALSE(IsRightDecision(p, StepStatus::Continue, false));
    EXPECT_TRUE(IsRightDecision(p, StepStatus::ContinueOnce, true));
    EXPECT_TRUE(IsRightDecision(p, StepStatus::ContinueOnce, false));
    EXPECT_FALSE(IsRightDecision(p, StepStatus::Optimal, true));
    EXPECT_TRUE(IsRightDecision(p, StepStatus::Optimal, false));
    EXPECT_FALSE(IsRightDecision(p, StepStatus::NoSolution, true));
    EXPECT_TRUE(IsRightDecision(p, StepStatus::NoSolution, false));
}

TEST(Simplex, AlternativeKeyColumnMustEnterAtZero)
{
    Problem p = TableWithEstimates({Q(0), Q(0), Q(0), Q(0)},
                                   {{Q(4), Q(1), Q(-1), Q(1), Q(0)}, {Q(6), Q(2), Q(-3), Q(0), Q(1)}});
    EXPECT_TRUE(IsRightKeyColumn(p, 1, 1));
    EXPECT_FALSE(IsRightKeyColumn(p, 1, 2)); // no positive coefficient
    EXPECT_FALSE(IsRightKeyColumn(p, 1, 3)); // basic
}

TEST(Simplex, KeyRowAcceptsEveryRowThatTiesForTheSmallestRatio)
{
    // ratios 2, 1, 1 in column x1; x2 is negative in row 1
    Problem p = BuildTestProblem({{{Q(4), Q(2), Q(-1), Q(1), Q(0), Q(0)},
                                   {Q(3), Q(3), Q(0), Q(0), Q(1), Q(0)},
                                   {Q(1, 2), Q(1, 2), Q(1), Q(0), Q(0), Q(1)}},
                                  {Q(1), Q(1), Q(0), Q(0), Q(0)}, Q(0), true, {3, 4, 5}});
    EXPECT_EQ(FindKeyRow(p, 1), 2);
    EXPECT_FALSE(IsRightKeyRow(p, 1, 1));
    EXPECT_TRUE(IsRightKeyRow(p, 1, 2));
    EXPECT_TRUE(IsRightKeyRow(p, 1, 3));
    // a negative coefficient with a non-zero right-hand side gives a negative ratio
    EXPECT_FALSE(IsRightKeyRow(p, 2, 1));
    EXPECT_EQ(FindKeyRow(p, 3), 1);
}

TEST(Simplex, DegenerateRowWithNegativeCoefficientMayBeTheKeyRow)
{
    Problem p = BuildTestProblem({{{Q(0), Q(-2), Q(1), Q(0)}, {Q(0), Q(1), Q(0), Q(1)}},
                                  {Q(1), Q(0), Q(0)}, Q(0), true, {2, 3}});
    p.ComputeIndexRow();
    EXPECT_EQ(FindKeyRow(p, 1), 2);
    ASSERT_TRUE(IsRightKeyRow(p, 1, 1));
    Pivot(p, 1, 1);
    EXPECT_TRUE(p.matrix[1][2] == Q(1));
    EXPECT_TRUE(p.matrix[2][2] == Q(0));
    EXPECT_TRUE(p.matrix[3][2] == Q(0));
    EXPECT_TRUE(p.matrix[1][1] == Q(0));
    EXPECT_TRUE(p.matrix[2][1] == Q(0));
}

TEST(Simplex, PivotAppliesTheRectangleRule)
{
    Problem p = BuildTestProblem(
        {{{Q(4), Q(1), Q(1), Q(1), Q(0)}, {Q(6), Q(1), Q(3), Q(0), Q(1)}}, {Q(3), Q(2), Q(0), Q(0)}, Q(0), true, {3, 4}});
    p.ComputeIndexRow();
    Pivot(p, 2, 2);
    EXPECT_EQ(p.basis[2], 2);
    const Fraction expected[3][5] = {
        {Q(2), Q(2, 3), Q(0), Q(1), Q(-1, 3)},
        {Q(2), Q(1, 3), Q(1), Q(0), Q(1, 3)},
        {Q(4), Q(-7, 3), Q(0), Q(0), Q(2, 3)},
    };
    for (int i = 1; i <= 3; ++i)
        for (int c = 1; c <= 5; ++c)
            EXPECT_TRUE(p.matrix[i][c] == expected[i - 1][c - 1]) << "cell " << i << "," << c;
    EXPECT_TRUE(p.matrix[1][6] == Q(4)) << "the entered right-hand side stays";
}

TEST(Simplex, APivotThatCannotCompleteLeavesTheTableAsItWas)
{
    Problem p = BuildTestProblem(
        {{{Q(1), Q(1), Q(1), Q(0)}, {Q(2), Q(1), Q(0), Q(1)}}, {Q(1), Q(1), Q(0)}, Q(0), true, {2, 3}});
    // The second row's update stays small; the index row's free term outgrows 64 bits, and
    // memory runs out as it is stored.
    p.matrix[3][1] = Q(std::numeric_limits<int64_t>::max());
    p.matrix[3][2] = Q(-1);
    const Problem before = p;
    // Once the pivot's own bookkeeping is allocated, the first big value finds no memory.
    Problem warmUp = p;
    Pivot(warmUp, 1, 1);
    LimitAllocations(1);
    EXPECT_THROW(Pivot(p, 1, 1), std::bad_alloc);
    LiftAllocationLimit();
    for (int i = 0; i <= 3; ++i)
        for (int c = 1; c <= 5; ++c)
            EXPECT_TRUE(p.matrix[i][c] == before.matrix[i][c]) << "cell " << i << "," << c;
    EXPECT_EQ(p.basis, before.basis);

    Pivot(p, 1, 1);
    EXPECT_EQ(ToText(p.matrix[3][1]), "9223372036854775808") << "with memory the pivot completes";
    EXPECT_TRUE(p.matrix[2][1] == Q(1));
}

TEST(Simplex, NumbersOutsideTheTableAreWrongAndNeverPivot)
{
    Problem p = TableWithEstimates({Q(-1), Q(1), Q(0), Q(0)},
                                   {{Q(4), Q(1), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(3), Q(0), Q(1)}});
    for (int outside : {0, -1, 5, 1000}) {
        EXPECT_FALSE(IsRightKeyColumn(p, 1, outside));
        EXPECT_FALSE(IsRightKeyColumn(p, outside, 1));
        EXPECT_FALSE(IsRightKeyRow(p, 1, outside));
        EXPECT_FALSE(IsRightKeyRow(p, outside, 1));
        EXPECT_FALSE(IsRightBasis(p, outside, "x1"));
        EXPECT_EQ(FindKeyRow(p, outside), 0);
        EXPECT_THROW(Pivot(p, outside, 1), std::invalid_argument);
        EXPECT_THROW(Pivot(p, 1, outside), std::invalid_argument);
    }
    EXPECT_THROW(Pivot(p, 3, 2), std::invalid_argument) << "zero key element";
}

TEST(Simplex, BasisIsJudgedByTheUnknownsName)
{
    Problem p = TableWithEstimates({Q(0), Q(0), Q(0), Q(0)},
                                   {{Q(4), Q(1), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(3), Q(0), Q(1)}});
    EXPECT_TRUE(IsRightBasis(p, 1, "x3"));
    EXPECT_TRUE(IsRightBasis(p, 2, "x4"));
    EXPECT_FALSE(IsRightBasis(p, 1, "x4"));
    EXPECT_FALSE(IsRightBasis(p, 1, "X3"));
}

} // namespace
