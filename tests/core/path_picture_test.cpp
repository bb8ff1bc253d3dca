#include "core/path_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/core/fake_tutoring_window.h"
#include "tests/core/random_problem.h"

namespace {

PlanePoint Plus(const PlanePoint& p, const PlanePoint& d, const TableValue& t)
{
    return {AddProduct(p.u, d.u, t), AddProduct(p.v, d.v, t)};
}

TableValue Cross(const PlanePoint& a, const PlanePoint& b) { return a.u * b.v - a.v * b.u; }
PlanePoint Minus(const PlanePoint& p, const PlanePoint& q) { return {p.u - q.u, p.v - q.v}; }

// Up to four constraints with small coefficients, zeros and repeated lines among them, so that
// empty, unbounded and degenerate regions come up often.
std::vector<PlaneConstraint> RandomConstraints(std::mt19937& random)
{
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const Relation relations[] = {Relation::LessOrEqual, Relation::LessOrEqual, Relation::GreaterOrEqual,
                                  Relation::Equal};
    std::vector<PlaneConstraint> constraints;
    for (int k = uniform(1, 4); k > 0; --k)
        constraints.push_back({Q(uniform(-2, 3)), Q(uniform(-2, 3)), relations[uniform(0, 3)], Q(uniform(-1, 6)), k});
    return constraints;
}

// Every crossing of two lines among the constraints' and the axes', solved on its own in
// Fractions, that satisfies everything.
std::vector<PlanePoint> BruteForceVertices(const std::vector<PlaneConstraint>& constraints)
{
    std::vector<std::array<Fraction, 3>> lines{{Q(1), Q(0), Q(0)}, {Q(0), Q(1), Q(0)}};
    for (const PlaneConstraint& c : constraints)
        lines.push_back({c.a.Small(), c.b.Small(), c.c.Small()});
    std::vector<PlanePoint> found;
    for (const auto& p : lines) {
        for (const auto& q : lines) {
            const Fraction det = p[0] * q[1] - q[0] * p[1];
            if (det.IsZero())
                continue;
            const PlanePoint x{(p[2] * q[1] - q[2] * p[1]) / det, (p[0] * q[2] - q[0] * p[2]) / det};
            if (IsFeasible(constraints, x) && std::find(found.begin(), found.end(), x) == found.end())
                found.push_back(x);
        }
    }
    return found;
}

// Inside the walk around the region: on the left of every edge, the rays' included.
bool InsideWalk(const PlaneRegion& region, const PlanePoint& p)
{
    const auto& b = region.boundary;
    for (size_t k = 0; k + 1 < b.size() || (region.Bounded() && k < b.size()); ++k) {
        if (Cross(Minus(b[(k + 1) % b.size()], b[k]), Minus(p, b[k])).Sign() < 0)
            return false;
    }
    return region.Bounded() ||
           (Cross(region.rays[0], Minus(p, b.front())).Sign() <= 0 && Cross(region.rays[1], Minus(p, b.back())).Sign() >= 0);
}

bool HasArea(const PlaneRegion& region)
{
    std::vector<PlanePoint> points = region.boundary;
    if (!region.Bounded()) {
        points.push_back(Plus(region.boundary.front(), region.rays[0], Q(1)));
        points.push_back(Plus(region.boundary.back(), region.rays[1], Q(1)));
    }
    for (size_t k = 2; k < points.size(); ++k) {
        if (!Cross(Minus(points[1], points[0]), Minus(points[k], points[0])).IsZero())
            return true;
    }
    return false;
}

TEST(PlaneRegion, AgreesWithBruteForceOnRandomConstraints)
{
    std::mt19937 random(27);
    int unbounded = 0, empty = 0, flat = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const std::vector<PlaneConstraint> constraints = RandomConstraints(random);
        const PlaneRegion region = FindRegion(constraints);
        std::vector<PlanePoint> expected = BruteForceVertices(constraints);
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_TRUE(std::is_permutation(region.boundary.begin(), region.boundary.end(), expected.begin(), expected.end()));
        empty += region.Empty();
        if (region.Empty())
            continue;
        // The rays stay inside however far they go; turned a little outwards they leave.
        for (size_t k = 0; k < region.rays.size(); ++k) {
            const PlanePoint& from = k == 0 ? region.boundary.front() : region.boundary.back();
            const PlanePoint& d = region.rays[k];
            const PlanePoint outwards = k == 0 ? PlanePoint{Q(-1) * d.v, d.u} : PlanePoint{d.v, Q(-1) * d.u};
            EXPECT_TRUE(IsFeasible(constraints, Plus(from, d, Q(1000000))));
            EXPECT_FALSE(IsFeasible(constraints, Plus(from, Plus(d, outwards, Q(1, 1000)), Q(1000000000))));
        }
        unbounded += !region.Bounded();
        if (!HasArea(region)) {
            ++flat;
            continue;
        }
        // Within the view, a point is inside the walk exactly when it satisfies every constraint.
        const ViewRect view = FitView(region, {});
        for (int s = 0; s < 40; ++s) {
            const PlanePoint p{AddProduct(view.uMin, view.uMax - view.uMin, Q(s % 8, 7)),
                               AddProduct(view.vMin, view.vMax - view.vMin, Q(s / 8, 4))};
            EXPECT_EQ(InsideWalk(region, p), IsFeasible(constraints, p)) << PathText({p}, PathEnd::Going);
        }
    }
    // The cases of every kind came up.
    EXPECT_GT(unbounded, 300);
    EXPECT_GT(empty, 300);
    EXPECT_GT(flat, 100);
}

// The corners of a problem's tables, read back from what the table window showed of them.
PlanePoint ShownCorner(const TableView& table, const Problem& problem, const PlaneProblem& plane)
{
    PlanePoint corner;
    for (int i = 1; i <= table.EquationCount(); ++i) {
        const std::string& name = table.At({i, TablePlace::BasisColumn}).text;
        if (name == problem.unknownNames[plane.axisUnknowns[0]])
            corner.u = table.At({i, 1}).value;
        if (name == problem.unknownNames[plane.axisUnknowns[1]])
            corner.v = table.At({i, 1}).value;
    }
    return corner;
}

TableValue Growth(const PlaneProblem& plane, const PlanePoint& p)
{
    TableValue value = AddProduct(plane.gradientU * p.u, plane.gradientV, p.v);
    return plane.isMax ? value : Q(-1) * value;
}

TEST(PathPicture, TheRunsPathIsTheBasicSolutionsOfItsTables)
{
    std::mt19937 random(2727);
    int optima = 0, unbounded = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int m = std::uniform_int_distribution<int>(1, 4)(random);
        Problem problem = BuildTestProblem(RandomCanonicalProblemOfSize(random, m, m + 2));
        const std::optional<PlaneProblem> plane = CanonicalPlaneProblem(problem);
        ASSERT_TRUE(plane);
        PathPicture picture = MakePathPicture(*plane);
        FakeTutoringWindow window(problem);
        window.run.RunTutoring();
        const TableState& state = window.State();
        const bool optimum = window.run.GetEnding() == TutoringRun::Ending::Success;
        FollowPath(picture, state.tableSolutions, optimum ? PathEnd::Optimum : PathEnd::Unbounded);

        SCOPED_TRACE(PathText(picture.path, picture.end));
        ASSERT_EQ(picture.path.size(), state.completedTables.size());
        EXPECT_EQ(picture.path.front(), (PlanePoint{Q(0), Q(0)}));
        const std::vector<PlanePoint> vertices = FindVertices(plane->constraints);
        for (size_t k = 0; k < picture.path.size(); ++k) {
            EXPECT_EQ(picture.path[k], ShownCorner(state.completedTables[k], problem, *plane));
            EXPECT_NE(std::find(vertices.begin(), vertices.end(), picture.path[k]), vertices.end());
        }
        // The function's direction in the picture is the one the run improves it along.
        if (optimum) {
            ++optima;
            for (const PlanePoint& vertex : vertices)
                EXPECT_LE(Growth(*plane, vertex), Growth(*plane, picture.path.back()));
        } else {
            ++unbounded;
            ASSERT_FALSE(picture.region.Bounded());
            EXPECT_TRUE(Growth(*plane, picture.region.rays[0]).Sign() > 0 || Growth(*plane, picture.region.rays[1]).Sign() > 0);
        }
    }
    EXPECT_GT(optima, 50);
    EXPECT_GT(unbounded, 20);
}

TEST(PathPicture, TextListsTheCornersExactly)
{
    const std::vector<PlanePoint> path{{Q(0), Q(0)}, {Q(0), Q(2)}, {Q(3, 2), Q(1)}};
    EXPECT_EQ(PathText(path, PathEnd::Optimum), "Вершины: 1) (0; 0), 2) (0; 2), 3) (3/2; 1) — оптимум");
    EXPECT_EQ(PathText({path[0]}, PathEnd::Going), "Вершины: 1) (0; 0)");
    EXPECT_EQ(PathText(path, PathEnd::Unbounded), "Вершины: 1) (0; 0), 2) (0; 2), 3) (3/2; 1) — функция не ограничена");
    // Only a problem with two free unknowns has a picture.
    Problem problem = BuildTestProblem({{{Q(4), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(0), Q(1)}}, {Q(3), Q(1), Q(0)}, Q(0), true, {2, 3}});
    EXPECT_FALSE(CanonicalPlaneProblem(problem));
}

} // namespace
