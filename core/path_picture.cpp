#include "core/path_picture.h"

#include <utility>

#include "core/number_text.h"
#include "core/texts.h"

namespace {

// The unknowns that are basic in no equation, in order.
std::vector<int> NonBasicUnknowns(const Problem& problem)
{
    std::vector<int> free;
    for (int k = 1; k <= problem.workUnknownCount; ++k) {
        bool basic = false;
        for (int i = 1; i <= problem.equationCount; ++i)
            basic = basic || problem.basis[i] == k;
        if (!basic)
            free.push_back(k);
    }
    return free;
}

// The function's coefficient of a non-basic unknown once the basic ones are put in terms of the
// non-basic: its own coefficient less the prices times its column.
TableValue ReducedCoefficient(const Problem& problem, int unknown)
{
    TableValue coefficient = problem.DisplayValue(0, unknown + 1);
    for (int i = 1; i <= problem.equationCount; ++i)
        coefficient = coefficient - problem.Price(i) * problem.matrix[i][unknown + 1];
    return coefficient;
}

} // namespace

std::optional<PlaneProblem> CanonicalPlaneProblem(const Problem& problem)
{
    if (problem.workUnknownCount - problem.equationCount != 2)
        return std::nullopt;
    const std::vector<int> free = NonBasicUnknowns(problem);
    if (free.size() != 2)
        return std::nullopt;
    PlaneProblem plane;
    plane.axisUnknowns = {free[0], free[1]};
    plane.axisNames = {problem.unknownNames[free[0]], problem.unknownNames[free[1]]};
    for (int i = 1; i <= problem.equationCount; ++i) {
        plane.constraints.push_back({problem.matrix[i][free[0] + 1], problem.matrix[i][free[1] + 1],
                                     Relation::LessOrEqual, problem.matrix[i][1], i});
    }
    plane.gradientU = ReducedCoefficient(problem, free[0]);
    plane.gradientV = ReducedCoefficient(problem, free[1]);
    plane.isMax = problem.isMax != 0;
    return plane;
}

std::optional<PlaneProblem> GeneralPlaneProblem(const Problem& problem)
{
    if (problem.originalUnknownCount != 2 || problem.workUnknownCount == 2)
        return std::nullopt;
    PlaneProblem plane;
    plane.axisUnknowns = {1, 2};
    plane.axisNames = {problem.unknownNames[1], problem.unknownNames[2]};
    for (int i = 1; i <= problem.equationCount; ++i) {
        Relation relation = Relation::Equal;
        for (int k = 3; k <= problem.workUnknownCount; ++k) {
            const int sign = problem.matrix[i][k + 1].Sign();
            if (!problem.artificial[k] && sign != 0)
                relation = sign > 0 ? Relation::LessOrEqual : Relation::GreaterOrEqual;
        }
        plane.constraints.push_back({problem.matrix[i][2], problem.matrix[i][3], relation, problem.matrix[i][1], i});
    }
    plane.gradientU = problem.DisplayValue(0, 2);
    plane.gradientV = problem.DisplayValue(0, 3);
    plane.isMax = problem.isMax != 0;
    return plane;
}

PathPicture MakePathPicture(PlaneProblem plane)
{
    PathPicture picture;
    picture.region = FindRegion(plane.constraints);
    picture.view = FitView(picture.region, {});
    picture.plane = std::move(plane);
    return picture;
}

PlanePoint CornerOf(const PlaneProblem& plane, const std::vector<TableValue>& basicSolution)
{
    auto value = [&](int unknown) {
        return unknown >= 1 && unknown <= static_cast<int>(basicSolution.size()) ? basicSolution[unknown - 1]
                                                                                  : TableValue();
    };
    return {value(plane.axisUnknowns[0]), value(plane.axisUnknowns[1])};
}

void FollowPath(PathPicture& picture, const std::vector<std::vector<TableValue>>& basicSolutions, PathEnd end)
{
    picture.path.clear();
    for (const std::vector<TableValue>& solution : basicSolutions)
        picture.path.push_back(CornerOf(picture.plane, solution));
    picture.end = end;
    // A table of an artificial basis may stand outside the region; the view keeps it in sight.
    picture.view = FitView(picture.region, picture.path);
}

std::string PathText(const std::vector<PlanePoint>& path, PathEnd end)
{
    std::string corners;
    for (size_t k = 0; k < path.size(); ++k) {
        corners += (k == 0 ? " " : ", ") + std::to_string(k + 1) + ") (" + ToText(path[k].u) + "; " +
                   ToText(path[k].v) + ")";
    }
    if (end == PathEnd::Optimum)
        return Fill(Tr("Picture", "Вершины:%1 — оптимум"), {corners});
    if (end == PathEnd::Unbounded)
        return Fill(Tr("Picture", "Вершины:%1 — функция не ограничена"), {corners});
    return Fill(Tr("Picture", "Вершины:%1"), {corners});
}
