#pragma once

#include <span>

// The arithmetic that keeps the controls of a resizable dialog in place: every edge of a control
// follows an edge of the client area or of a control listed before it. No widget is involved, so
// the rules can be checked on plain rectangles.

// A rectangle in client coordinates; right and bottom lie just outside it.
struct AnchorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const AnchorRect&) const = default;
};

// Edges and centre lines of a rectangle, as the tables number them.
enum AnchorEdgeCode : int {
    EdgeLeft = 1,
    EdgeTop = 2,
    EdgeRight = 3,
    EdgeBottom = 4,
    EdgeHorizontalCentre = 5,  // the vertical line halfway between left and right
    EdgeVerticalCentre = 6,    // the horizontal line halfway between top and bottom
};

enum AnchorRuleType : int {
    AnchorNone = 0,
    AnchorOffset = 1,        // keeps its distance to the reference edge
    AnchorProportional = 2,  // its distance to the reference edge scales with the reference's size
    AnchorKeepWidth = 3,     // for the right edge, after the left one
    AnchorKeepHeight = 4,    // for the bottom edge, after the top one
};

// The client area as reference id.
constexpr int AnchorClientArea = 0;

// How one edge of a control follows its reference: the client area or an earlier control.
struct AnchorEdge {
    int type = AnchorNone;
    int referenceId = AnchorClientArea;
    int referenceEdge = 0;
};

// One row of a dialog's anchoring table.
struct AnchorSpec {
    int controlId = 0;
    AnchorEdge left = {};
    AnchorEdge top = {};
    AnchorEdge right = {};
    AnchorEdge bottom = {};
};

// A listed control as it was when the dialog was laid out, and whether it may push later
// controls out of the way now (a hidden control, or one allowed to overlap its siblings, may not).
struct AnchoredControl {
    AnchorSpec rules = {};
    AnchorRect start = {};
    bool overlapTested = true;
};

// Codes other than the six edges give 0.
int EdgeCoordinate(const AnchorRect& rect, int edge);
// The width for left, right and the horizontal centre, the height for the others; 0 for codes
// that are no edge.
int EdgeExtent(const AnchorRect& rect, int edge);

// Lays the controls out anew for the client area now at client, which was reference when their
// start rectangles were taken. placed receives their rectangles in table order, as many as it has
// room for. A control that would overlap an earlier one gets an empty rectangle.
void PlaceAnchoredControls(const AnchorRect& reference, std::span<const AnchoredControl> controls,
                           const AnchorRect& client, std::span<AnchorRect> placed);
