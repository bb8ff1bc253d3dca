#include "core/plane_region.h"

#include <algorithm>

#include "core/big_value.h"

namespace {

const TableValue kZero;

// a·u + b·v = c.
struct Line {
    TableValue a;
    TableValue b;
    TableValue c;
};

TableValue Combination(const TableValue& a, const TableValue& b, const PlanePoint& point)
{
    return AddProduct(a * point.u, b, point.v);
}

bool Holds(const TableValue& left, Relation relation, const TableValue& right)
{
    switch (relation) {
    case Relation::LessOrEqual:
        return left <= right;
    case Relation::GreaterOrEqual:
        return left >= right;
    case Relation::Equal:
        break;
    }
    return left == right;
}

// The constraints' lines that are lines at all, and the two axes.
std::vector<Line> BoundaryLines(const std::vector<PlaneConstraint>& constraints)
{
    std::vector<Line> lines{{Fraction(1), kZero, kZero}, {kZero, Fraction(1), kZero}};
    for (const PlaneConstraint& constraint : constraints) {
        if (!constraint.a.IsZero() || !constraint.b.IsZero())
            lines.push_back({constraint.a, constraint.b, constraint.c});
    }
    return lines;
}

bool LexicographicallyBefore(const PlanePoint& p, const PlanePoint& q) { return p.u < q.u || (p.u == q.u && p.v < q.v); }

// Positive when b lies to the left of a, both seen from the origin.
TableValue Cross(const PlanePoint& a, const PlanePoint& b) { return a.u * b.v - a.v * b.u; }

int Turn(const PlanePoint& o, const PlanePoint& a, const PlanePoint& b)
{
    return Cross({a.u - o.u, a.v - o.v}, {b.u - o.u, b.v - o.v}).Sign();
}

// The corners of a bounded region, sorted by u and v, counter-clockwise (a monotone chain: all of
// them are corners, so none drops out).
std::vector<PlanePoint> AroundBoundedRegion(const std::vector<PlanePoint>& sorted)
{
    if (sorted.size() < 3)
        return sorted;
    std::vector<PlanePoint> hull;
    for (const PlanePoint& p : sorted) {
        while (hull.size() >= 2 && Turn(hull[hull.size() - 2], hull.back(), p) <= 0)
            hull.pop_back();
        hull.push_back(p);
    }
    const size_t lowerSize = hull.size() + 1;
    for (size_t i = sorted.size() - 1; i-- > 0;) {
        while (hull.size() >= lowerSize && Turn(hull[hull.size() - 2], hull.back(), sorted[i]) <= 0)
            hull.pop_back();
        hull.push_back(sorted[i]);
    }
    hull.pop_back();
    return hull;
}

// A direction along which the region goes on without end: every constraint holds along it.
bool IsRecessionDirection(const std::vector<PlaneConstraint>& constraints, const PlanePoint& d)
{
    if (d.u.Sign() < 0 || d.v.Sign() < 0 || (d.u.IsZero() && d.v.IsZero()))
        return false;
    return std::all_of(constraints.begin(), constraints.end(), [&](const PlaneConstraint& constraint) {
        return Holds(Combination(constraint.a, constraint.b, d), constraint.relation, kZero);
    });
}

// The outermost directions of the region's recession cone; none for a bounded region. The cone's
// edges lie along the axes or along a constraint's line.
std::vector<PlanePoint> RecessionRays(const std::vector<PlaneConstraint>& constraints)
{
    std::vector<PlanePoint> candidates{{Fraction(1), kZero}, {kZero, Fraction(1)}};
    for (const PlaneConstraint& constraint : constraints) {
        candidates.push_back({constraint.b, kZero - constraint.a});
        candidates.push_back({kZero - constraint.b, constraint.a});
    }
    std::vector<PlanePoint> cone;
    for (const PlanePoint& d : candidates) {
        if (IsRecessionDirection(constraints, d))
            cone.push_back(d);
    }
    if (cone.empty())
        return {};
    // All of them lie in the first quadrant, where turning left orders them by angle.
    auto byAngle = [](const PlanePoint& a, const PlanePoint& b) { return Cross(a, b).Sign() > 0; };
    const auto [lowest, highest] = std::minmax_element(cone.begin(), cone.end(), byAngle);
    return {*highest, *lowest};
}

// Coming in along the steeper ray and leaving along the flatter one, the corners pass a line
// through the cone's middle direction from its left to its right: that order is the walk's.
std::vector<PlanePoint> AlongUnboundedRegion(std::vector<PlanePoint> corners, const std::vector<PlanePoint>& rays)
{
    const PlanePoint middle{rays[0].u + rays[1].u, rays[0].v + rays[1].v};
    std::vector<std::pair<TableValue, PlanePoint>> keyed;
    for (PlanePoint& corner : corners) {
        TableValue key = Cross(middle, corner);
        keyed.emplace_back(std::move(key), std::move(corner));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<PlanePoint> walk;
    for (auto& [key, corner] : keyed)
        walk.push_back(std::move(corner));
    return walk;
}

TableValue Max(const TableValue& a, const TableValue& b) { return a < b ? b : a; }

} // namespace

bool Satisfies(const PlaneConstraint& constraint, const PlanePoint& point)
{
    return Holds(Combination(constraint.a, constraint.b, point), constraint.relation, constraint.c);
}

bool IsFeasible(const std::vector<PlaneConstraint>& constraints, const PlanePoint& point)
{
    if (point.u.Sign() < 0 || point.v.Sign() < 0)
        return false;
    return std::all_of(constraints.begin(), constraints.end(),
                       [&](const PlaneConstraint& constraint) { return Satisfies(constraint, point); });
}

std::vector<PlanePoint> FindVertices(const std::vector<PlaneConstraint>& constraints)
{
    const std::vector<Line> lines = BoundaryLines(constraints);
    std::vector<PlanePoint> vertices;
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t j = i + 1; j < lines.size(); ++j) {
            const Line& p = lines[i];
            const Line& q = lines[j];
            const TableValue det = p.a * q.b - q.a * p.b;
            if (det.IsZero())
                continue;
            PlanePoint crossing{(p.c * q.b - q.c * p.b) / det, (p.a * q.c - q.a * p.c) / det};
            if (IsFeasible(constraints, crossing))
                vertices.push_back(std::move(crossing));
        }
    }
    std::sort(vertices.begin(), vertices.end(), LexicographicallyBefore);
    vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());
    return vertices;
}

PlaneRegion FindRegion(const std::vector<PlaneConstraint>& constraints)
{
    PlaneRegion region;
    std::vector<PlanePoint> corners = FindVertices(constraints);
    if (corners.empty())
        return region;
    region.rays = RecessionRays(constraints);
    region.boundary = region.Bounded() ? AroundBoundedRegion(corners) : AlongUnboundedRegion(std::move(corners), region.rays);
    return region;
}

ViewRect FitView(const PlaneRegion& region, const std::vector<PlanePoint>& points)
{
    std::vector<PlanePoint> shown{{kZero, kZero}};
    shown.insert(shown.end(), region.boundary.begin(), region.boundary.end());
    shown.insert(shown.end(), points.begin(), points.end());
    auto extent = [&shown] {
        ViewRect view{shown[0].u, shown[0].u, shown[0].v, shown[0].v};
        for (const PlanePoint& p : shown) {
            view.uMin = p.u < view.uMin ? p.u : view.uMin;
            view.uMax = Max(view.uMax, p.u);
            view.vMin = p.v < view.vMin ? p.v : view.vMin;
            view.vMax = Max(view.vMax, p.v);
        }
        return view;
    };
    auto span = [](const ViewRect& view) {
        TableValue longer = Max(view.uMax - view.uMin, view.vMax - view.vMin);
        return longer.IsZero() ? TableValue(Fraction(1)) : longer;
    };
    if (!region.Empty() && !region.Bounded()) {
        // Half the picture's size along each ray, so that the region is seen to go on.
        const TableValue reach = span(extent()) / Fraction(2);
        const PlanePoint* ends[] = {&region.boundary.front(), &region.boundary.back()};
        for (int k = 0; k < 2; ++k) {
            const PlanePoint& ray = region.rays[k];
            const TableValue scale = reach / Max(ray.u, ray.v);
            shown.push_back({AddProduct(ends[k]->u, ray.u, scale), AddProduct(ends[k]->v, ray.v, scale)});
        }
    }
    ViewRect view = extent();
    // Neither side thinner than half the other, then a tenth more on every side.
    const TableValue least = span(view) / Fraction(2);
    view.uMax = Max(view.uMax, view.uMin + least);
    view.vMax = Max(view.vMax, view.vMin + least);
    const TableValue uMargin = (view.uMax - view.uMin) / Fraction(10);
    const TableValue vMargin = (view.vMax - view.vMin) / Fraction(10);
    return {view.uMin - uMargin, view.uMax + uMargin, view.vMin - vMargin, view.vMax + vMargin};
}

double Approximate(const TableValue& value) { return ExactValue(value).get_d(); }
