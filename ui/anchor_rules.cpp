#include "ui/anchor_rules.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Wide enough for a distance times an extent, so that no table and no window size can overflow.
using Wide = std::int64_t;

int ToCoordinate(Wide value)
{
    constexpr Wide lowest = std::numeric_limits<int>::min();
    constexpr Wide highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lowest, highest));
}

struct Layout {
    const AnchorRect& reference;
    std::span<const AnchoredControl> controls;
    const AnchorRect& client;
    std::span<AnchorRect> placed;
};

struct Reference {
    const AnchorRect& start;
    const AnchorRect& now;
};

// What a rule follows. Its "now" comes from this relayout: a control up to and including the one
// being placed. Any other id follows the client area, so that a faulty table misplaces a control
// rather than reading a rectangle that is not there yet.
Reference FindReference(const Layout& layout, int id, std::size_t current)
{
    if (id != AnchorClientArea) {
        for (std::size_t i = 0; i <= current; ++i) {
            if (layout.controls[i].rules.controlId == id)
                return {layout.controls[i].start, layout.placed[i]};
        }
    }
    return {layout.reference, layout.client};
}

Wide Offset(const Reference& reference, int referenceEdge, Wide startCoordinate)
{
    return EdgeCoordinate(reference.now, referenceEdge) + startCoordinate
         - EdgeCoordinate(reference.start, referenceEdge);
}

// The product comes before the division, which truncates toward zero; a reference that had no
// size at the start counts as one pixel wide or high.
Wide Proportional(const Reference& reference, int referenceEdge, int edge, Wide startCoordinate)
{
    const Wide startExtent = std::max(EdgeExtent(reference.start, edge), 1);
    const Wide distance = startCoordinate - EdgeCoordinate(reference.start, referenceEdge);
    return EdgeCoordinate(reference.now, referenceEdge) + distance * EdgeExtent(reference.now, edge) / startExtent;
}

Wide EdgeByRule(const Layout& layout, std::size_t current, int edge, const AnchorEdge& rule)
{
    const AnchorRect& start = layout.controls[current].start;
    const AnchorRect& sofar = layout.placed[current];
    switch (rule.type) {
    case AnchorOffset:
        return Offset(FindReference(layout, rule.referenceId, current), rule.referenceEdge,
                      EdgeCoordinate(start, edge));
    case AnchorProportional:
        return Proportional(FindReference(layout, rule.referenceId, current), rule.referenceEdge, edge,
                            EdgeCoordinate(start, edge));
    case AnchorKeepWidth:
        return Wide{start.right} + sofar.left - start.left;
    case AnchorKeepHeight:
        return Wide{start.bottom} + sofar.top - start.top;
    default:
        return 0;
    }
}

void PlaceControl(const Layout& layout, std::size_t current)
{
    const AnchorSpec& rules = layout.controls[current].rules;
    AnchorRect& rect = layout.placed[current];
    // A rule that asks for an edge of its own control not computed yet reads 0, not a leftover
    // of the previous relayout.
    rect = {};
    rect.left = ToCoordinate(EdgeByRule(layout, current, EdgeLeft, rules.left));
    rect.top = ToCoordinate(EdgeByRule(layout, current, EdgeTop, rules.top));
    rect.right = ToCoordinate(EdgeByRule(layout, current, EdgeRight, rules.right));
    rect.bottom = ToCoordinate(EdgeByRule(layout, current, EdgeBottom, rules.bottom));
    // A window smaller than the fixed parts of its controls leaves a control empty, not inside out.
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
}

bool Intersect(const AnchorRect& a, const AnchorRect& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right)
        && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// An emptied control intersects nothing, so it pushes no later control away.
void CollapseOverlaps(const Layout& layout)
{
    for (std::size_t i = 0; i < layout.placed.size(); ++i) {
        if (!layout.controls[i].overlapTested)
            continue;
        for (std::size_t j = 0; j < i; ++j) {
            if (layout.controls[j].overlapTested && Intersect(layout.placed[i], layout.placed[j])) {
                layout.placed[i] = {};
                break;
            }
        }
    }
}

} // namespace

int EdgeCoordinate(const AnchorRect& rect, int edge)
{
    switch (edge) {
    case EdgeLeft:
        return rect.left;
    case EdgeTop:
        return rect.top;
    case EdgeRight:
        return rect.right;
    case EdgeBottom:
        return rect.bottom;
    case EdgeHorizontalCentre:
        return ToCoordinate((Wide{rect.left} + rect.right) / 2);
    case EdgeVerticalCentre:
        return ToCoordinate((Wide{rect.top} + rect.bottom) / 2);
    default:
        return 0;
    }
}

int EdgeExtent(const AnchorRect& rect, int edge)
{
    switch (edge) {
    case EdgeLeft:
    case EdgeRight:
    case EdgeHorizontalCentre:
        return ToCoordinate(Wide{rect.right} - rect.left);
    case EdgeTop:
    case EdgeBottom:
    case EdgeVerticalCentre:
        return ToCoordinate(Wide{rect.bottom} - rect.top);
    default:
        return 0;
    }
}

void PlaceAnchoredControls(const AnchorRect& reference, std::span<const AnchoredControl> controls,
                           const AnchorRect& client, std::span<AnchorRect> placed)
{
    const std::size_t count = std::min(controls.size(), placed.size());
    const Layout layout{reference, controls.first(count), client, placed.first(count)};
    for (std::size_t i = 0; i < count; ++i)
        PlaceControl(layout, i);
    CollapseOverlaps(layout);
}
