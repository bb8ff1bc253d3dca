#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/plane_region.h"
#include "core/problem.h"

// The picture beside the tables when a problem has two free unknowns: its feasible region in the
// plane of those two, and the corner each table of the run stands at.

// What any kind of problem tells the picture: two unknowns as the axes, the constraints in them,
// and the function's direction of growth in them.
struct PlaneProblem {
    // The numbers (1..n) of the unknowns on the horizontal and the vertical axis, which pick a
    // table's corner out of its basic solution, and their names.
    std::array<int, 2> axisUnknowns{};
    std::array<std::string, 2> axisNames;
    std::vector<PlaneConstraint> constraints;
    // The function grows by gradientU per unit of u and by gradientV per unit of v.
    TableValue gradientU;
    TableValue gradientV;
    bool isMax = true;
};

// A canonical problem whose first table has exactly two non-basic unknowns: they are the axes,
// and each equation's basic unknown, not negative, is the half-plane a·u + b·v <= b_i with the
// equation's coefficients of the two. Empty for any other problem.
std::optional<PlaneProblem> CanonicalPlaneProblem(const Problem& problem);

// A general problem of two unknowns of the student's own, brought to the canonical form by the
// program: they are the axes, and each equation is its constraint as the conversion left it, "<="
// where it gained +1 of a new unknown, ">=" where -1, "=" where none. Empty for any other problem.
std::optional<PlaneProblem> GeneralPlaneProblem(const Problem& problem);

// How the run's path has ended so far.
enum class PathEnd { Going, Optimum, Unbounded };

// Everything the picture shows, in exact values.
struct PathPicture {
    PlaneProblem plane;
    PlaneRegion region;
    ViewRect view;
    // The corner of every table shown so far, in the order of the tables; the last is current.
    std::vector<PlanePoint> path;
    PathEnd end = PathEnd::Going;
};

// The region and the view of a problem, with no path yet.
PathPicture MakePathPicture(PlaneProblem plane);

// The corner of a table: the two axis unknowns' values in its basic solution (values of
// unknowns 1..n).
PlanePoint CornerOf(const PlaneProblem& plane, const std::vector<TableValue>& basicSolution);

// The path through the corners of the tables whose basic solutions are given; the view holds them.
void FollowPath(PathPicture& picture, const std::vector<std::vector<TableValue>>& basicSolutions, PathEnd end);

// "Вершины: 1) (0; 0), 2) (0; 2), 3) (3; 1) — оптимум", exact values as common fractions.
std::string PathText(const std::vector<PlanePoint>& path, PathEnd end);
