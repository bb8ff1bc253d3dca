#pragma once

#include <vector>

#include "core/relation.h"
#include "core/table_value.h"

// The feasible region of a problem in two unknowns u and v, in exact values: the half-planes and
// lines of its constraints together with u >= 0 and v >= 0. Such a region has a corner whenever
// it is not empty, since the axes bound it from below.

struct PlanePoint {
    TableValue u;
    TableValue v;

    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

// a·u + b·v (relation) c. `number` names the constraint's line in the picture: the number of the
// equation or inequality it comes from.
struct PlaneConstraint {
    TableValue a;
    TableValue b;
    Relation relation = Relation::LessOrEqual;
    TableValue c;
    int number = 0;
};

bool Satisfies(const PlaneConstraint& constraint, const PlanePoint& point);
// Every constraint, and both unknowns not negative.
bool IsFeasible(const std::vector<PlaneConstraint>& constraints, const PlanePoint& point);

// Every corner of the region: the points where two of the constraints' lines or the axes cross
// and every constraint holds, each once, ordered by u and then by v.
std::vector<PlanePoint> FindVertices(const std::vector<PlaneConstraint>& constraints);

struct PlaneRegion {
    // The corners in the order of a walk around the region with the region on the left
    // (counter-clockwise). For an unbounded region the walk comes in from infinity along
    // rays[0] reversed to the first corner, and leaves the last corner along rays[1].
    std::vector<PlanePoint> boundary;
    // Directions, not points; empty for a bounded region. The two are equal when the region
    // stretches to infinity in one direction only.
    std::vector<PlanePoint> rays;

    bool Empty() const { return boundary.empty(); }
    bool Bounded() const { return rays.empty(); }
};

PlaneRegion FindRegion(const std::vector<PlaneConstraint>& constraints);

// The part of the plane a picture shows.
struct ViewRect {
    TableValue uMin;
    TableValue uMax;
    TableValue vMin;
    TableValue vMax;

    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

// Holds the origin, every corner of the region and every point given, with a margin on each side;
// an unbounded region shows a stretch of its rays beyond their corners, so that it is seen open.
ViewRect FitView(const PlaneRegion& region, const std::vector<PlanePoint>& points);

// A value for drawing; exactness ends here.
double Approximate(const TableValue& value);
