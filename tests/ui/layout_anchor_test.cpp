#include "ui/anchor_rules.h"
#include "ui/layout_anchor.h"

#include "platform/template_dialog.h"
#include "ui/table_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

void PrintTo(const AnchorRect& rect, std::ostream* out)
{
    *out << '(' << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ')';
}

namespace {

using enum CTableDlg::ControlId;

// The rules are checked on the table window's layout, its dialog units taken as pixels.
AnchorRect Rect(int x, int y, int width, int height)
{
    return {x, y, x + width, y + height};
}

AnchorRect Grown(const AnchorRect& rect, int dx, int dy)
{
    return {rect.left, rect.top, rect.right + dx, rect.bottom + dy};
}

const AnchorRect kClient = Rect(0, 0, 436, 186);

// The grid grows with the window; the controls below it keep their size and their distance to
// the bottom left corner; the key-row grid stretches with the width only.
std::vector<AnchoredControl> TableWindow()
{
    return {
        {{IDC_MAIN_GRID, {1, 0, 1}, {1, 0, 2}, {1, 0, 3}, {1, 0, 4}}, Rect(7, 25, 422, 84)},
        {{IDC_KEY_ROW_CAPTION, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(136, 114, 162, 11)},
        {{IDC_REPORT, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(7, 161, 76, 18)},
        {{IDC_STATUS, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(106, 159, 323, 20)},
        {{IDC_KEY_ROW_GRID, {1, 0, 1}, {1, 0, 4}, {1, 0, 3}, {4, 0, 2}}, Rect(7, 128, 422, 22)},
    };
}

std::vector<AnchorRect> Place(const std::vector<AnchoredControl>& controls, const AnchorRect& client,
                              const AnchorRect& reference = kClient)
{
    std::vector<AnchorRect> placed(controls.size());
    PlaceAnchoredControls(reference, controls, client, placed);
    return placed;
}

TEST(AnchorRules, EnlargingTheTableWindowGrowsTheGridsAndMovesTheBottomControlsDown)
{
    const std::vector<AnchorRect> placed = Place(TableWindow(), Grown(kClient, 100, 100));
    const std::vector<AnchorRect> expected = {
        Rect(7, 25, 522, 184), Rect(136, 214, 162, 11), Rect(7, 261, 76, 18),
        Rect(106, 259, 323, 20), Rect(7, 228, 522, 22),
    };
    EXPECT_EQ(placed, expected);
}

TEST(AnchorRules, TheStartSizeGivesTheStartRectangles)
{
    const std::vector<AnchoredControl> controls = TableWindow();
    const std::vector<AnchorRect> placed = Place(controls, kClient);
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(placed[i], controls[i].start) << controls[i].rules.controlId;
}

TEST(AnchorRules, AWindowSmallerThanTheFixedPartsLeavesControlsEmptyNotInsideOut)
{
    const std::vector<AnchorRect> placed = Place(TableWindow(), Rect(0, 0, 0, 50));
    EXPECT_EQ(placed[0], (AnchorRect{7, 25, 7, 25}));
    EXPECT_EQ(placed[4], (AnchorRect{7, -8, 7, 14}));
}

TEST(AnchorRules, EdgeCodesReadEdgesCentreLinesAndExtents)
{
    struct Row {
        AnchorRect rect;
        int edge;
        int coordinate;
        int extent;
    };
    const Row rows[] = {
        {{-3, 4, 8, 11}, EdgeLeft, -3, 11},
        {{-3, 4, 8, 11}, EdgeTop, 4, 7},
        {{-3, 4, 8, 11}, EdgeRight, 8, 11},
        {{-3, 4, 8, 11}, EdgeBottom, 11, 7},
        {{-3, 4, 8, 11}, EdgeHorizontalCentre, 2, 11},
        {{-3, 4, 8, 11}, EdgeVerticalCentre, 7, 7},
        {{-5, -4, 0, 1}, EdgeHorizontalCentre, -2, 5},  // halves truncate toward zero
        {{-5, -4, 0, 1}, EdgeVerticalCentre, -1, 5},
        {{-3, 4, 8, 11}, 0, 0, 0},
        {{-3, 4, 8, 11}, 7, 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EdgeCoordinate(row.rect, row.edge), row.coordinate) << "edge " << row.edge;
        EXPECT_EQ(EdgeExtent(row.rect, row.edge), row.extent) << "edge " << row.edge;
    }
}

TEST(AnchorRules, ACaptionFollowingTheCentreLineStaysCentred)
{
    const std::vector<AnchoredControl> caption = {
        {{IDC_KEY_ROW_CAPTION, {1, 0, 5}, {1, 0, 2}, {1, 0, 5}, {4, 0, 2}}, Rect(136, 114, 162, 11)},
    };
    EXPECT_EQ(Place(caption, Grown(kClient, 100, 100))[0], Rect(186, 114, 162, 11));
}

TEST(AnchorRules, AProportionalEdgeScalesItsDistanceWithTheReference)
{
    struct Row {
        const char* what;
        AnchorRect reference;
        int startLeft;
        AnchorRect client;
        int left;
    };
    const Row rows[] = {
        {"scales with the width", Rect(0, 0, 100, 50), 30, Rect(0, 0, 250, 50), 75},
        {"multiplies before dividing", Rect(0, 0, 3, 50), 2, Rect(0, 0, 5, 50), 3},
        {"truncates toward zero", Rect(10, 0, 100, 50), 3, Rect(0, 0, 150, 50), -10},
        {"divides by 1 for no start width", Rect(0, 0, 0, 50), 5, Rect(0, 0, 200, 50), 1000},
        {"divides by 1 for a negative start width", Rect(0, 0, -20, 50), 5, Rect(0, 0, 200, 50), 1000},
        {"does not overflow", Rect(0, 0, 100000, 50), 100000, Rect(0, 0, 100000, 50), 100000},
    };
    for (const Row& row : rows) {
        const std::vector<AnchoredControl> control = {
            {{IDC_MAIN_GRID, {2, 0, 1}, {1, 0, 2}, {3, 0, 3}, {4, 0, 2}}, Rect(row.startLeft, 10, 10, 10)},
        };
        EXPECT_EQ(Place(control, row.client, row.reference)[0].left, row.left) << row.what;
    }
}

TEST(AnchorRules, AnEdgeMayFollowAnEarlierControlOrAnotherEdgeOfItsOwn)
{
    const std::vector<AnchoredControl> controls = {
        {{IDC_MAIN_GRID, {1, 0, 1}, {1, 0, 2}, {1, 0, 3}, {1, 0, 4}}, Rect(7, 25, 422, 84)},
        {{IDC_KEY_ROW_CAPTION, {1, IDC_MAIN_GRID, 1}, {1, IDC_MAIN_GRID, 4}, {3, 0, 3}, {4, 0, 2}},
         Rect(136, 114, 162, 11)},
        {{IDC_REPORT, {1, 0, 3}, {1, 0, 4}, {1, IDC_REPORT, 1}, {1, IDC_REPORT, 2}}, Rect(7, 161, 76, 18)},
    };
    const std::vector<AnchorRect> placed = Place(controls, Grown(kClient, 100, 100));
    EXPECT_EQ(placed[1], Rect(136, 214, 162, 11));
    EXPECT_EQ(placed[2], Rect(107, 261, 76, 18));
}

TEST(AnchorRules, AnIdThatIsNoEarlierControlFollowsTheClientArea)
{
    const AnchorRect client = Grown(kClient, 100, 100);
    const std::vector<AnchoredControl> followingClient = {
        {{IDC_REPORT, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(7, 161, 76, 18)},
    };
    const std::vector<AnchoredControl> followingStrangers = {
        {{IDC_REPORT, {1, 999, 1}, {1, IDC_STATUS, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(7, 161, 76, 18)},
        {{IDC_STATUS, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(106, 159, 323, 20)},
    };
    EXPECT_EQ(Place(followingStrangers, client)[0], Place(followingClient, client)[0]);
}

// A grid that keeps its height at the top: shrinking the window moves the bottom controls onto it.
std::vector<AnchoredControl> GridOfFixedHeight()
{
    return {
        {{IDC_MAIN_GRID, {1, 0, 1}, {1, 0, 2}, {1, 0, 3}, {4, 0, 2}}, Rect(7, 25, 422, 84)},
        {{IDC_REPORT, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(7, 161, 76, 18)},
        {{IDC_STATUS, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}, Rect(106, 159, 323, 20)},
        {{IDC_KEY_ROW_CAPTION, {1, 0, 1}, {1, 0, 2}, {3, 0, 3}, {4, 0, 2}}, Rect(136, 114, 162, 11)},
    };
}

TEST(AnchorRules, AControlOverlappingAnEarlierOneCollapses)
{
    struct Row {
        const char* what;
        std::vector<int> untested;
        int shrink;
        std::vector<int> collapsed;
    };
    const Row rows[] = {
        {"the bottom controls reach the grid; the caption overlaps only collapsed ones", {}, 60,
         {IDC_REPORT, IDC_STATUS}},
        {"the start size brings them back", {}, 0, {}},
        {"a hidden grid pushes nothing away", {IDC_MAIN_GRID}, 60, {IDC_KEY_ROW_CAPTION}},
        {"an untested control is moved but not collapsed", {IDC_REPORT}, 60, {IDC_STATUS}},
        {"an untested control collapses nothing", {IDC_STATUS}, 60, {IDC_REPORT}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const AnchorRect client = Grown(kClient, 0, -row.shrink);
        std::vector<AnchoredControl> controls = GridOfFixedHeight();
        for (AnchoredControl& control : controls)
            control.overlapTested = false;
        const std::vector<AnchorRect> free = Place(controls, client);
        for (AnchoredControl& control : controls)
            control.overlapTested = std::ranges::count(row.untested, control.rules.controlId) == 0;
        const std::vector<AnchorRect> placed = Place(controls, client);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const int id = controls[i].rules.controlId;
            const bool collapsed = std::ranges::count(row.collapsed, id) != 0;
            EXPECT_EQ(placed[i], collapsed ? AnchorRect{} : free[i]) << id;
        }
    }
}

// A dialog laid out like the table window, its controls kept in place by the anchor.
class AnchoredDialog : public TemplateDialog {
public:
    explicit AnchoredDialog(ControlFlag bottomFlags = ControlFlag::None) : TemplateDialog(Layout(bottomFlags)) {}

    // The table window's own table, with frames standing in for its grids.
    static DialogTemplate Layout(ControlFlag bottomFlags)
    {
        DialogTemplate layout = CTableDlg::Template();
        for (ControlRow& row : layout.controls) {
            if (row.kind == ControlKind::Custom)
                row.kind = ControlKind::GroupBox;
            if (row.id == IDC_KEY_ROW_GRID || row.id == IDC_KEY_ROW_CAPTION)
                row.flags = bottomFlags;
        }
        return layout;
    }

    CLayoutAnchor anchor;

protected:
    void OnSize() override { anchor.Relayout(); }
};

QRect Moved(const QRect& rect, int dx, int dy, int grow)
{
    return rect.translated(dx, dy).adjusted(0, 0, grow, 0);
}

class LayoutAnchorTest : public testing::Test {
protected:
    void Init(AnchoredDialog& dialog, const std::vector<AnchoredControl>& rules)
    {
        table.clear();
        start.clear();
        for (const AnchoredControl& control : rules)
            table.push_back(control.rules);
        ASSERT_TRUE(dialog.anchor.Init(dialog, nullptr, table.data(), static_cast<int>(table.size())));
        for (const AnchorSpec& rules : table)
            start.push_back(dialog.ControlRect(rules.controlId));
    }
    QRect Start(int id) const
    {
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].controlId == id)
                return start[i];
        return {};
    }
    // A hidden widget gets no resize events, so the relayout is asked for here.
    static void ResizeHiddenClient(AnchoredDialog& dialog, const QSize& change)
    {
        dialog.ClientArea()->resize(dialog.ClientArea()->size() + change);
        dialog.anchor.Relayout();
    }

    std::vector<AnchorSpec> table;
    std::vector<QRect> start;
};

TEST_F(LayoutAnchorTest, EnlargingTheDialogByHundredPixelsMovesEveryListedControl)
{
    AnchoredDialog dialog;
    dialog.show();
    Init(dialog, TableWindow());
    const QRect title = dialog.ControlRect(IDC_TITLE);
    dialog.resize(dialog.size() + QSize(100, 100));

    EXPECT_EQ(dialog.ControlRect(IDC_MAIN_GRID), Start(IDC_MAIN_GRID).adjusted(0, 0, 100, 100));
    EXPECT_EQ(dialog.ControlRect(IDC_KEY_ROW_CAPTION), Moved(Start(IDC_KEY_ROW_CAPTION), 0, 100, 0));
    EXPECT_EQ(dialog.ControlRect(IDC_REPORT), Moved(Start(IDC_REPORT), 0, 100, 0));
    EXPECT_EQ(dialog.ControlRect(IDC_STATUS), Moved(Start(IDC_STATUS), 0, 100, 0));
    EXPECT_EQ(dialog.ControlRect(IDC_KEY_ROW_GRID), Moved(Start(IDC_KEY_ROW_GRID), 0, 100, 100));
    EXPECT_EQ(dialog.ControlRect(IDC_TITLE), title);
}

TEST_F(LayoutAnchorTest, GivingBackTheStartSizePutsEveryControlBack)
{
    AnchoredDialog dialog;
    dialog.show();
    Init(dialog, TableWindow());
    const QSize size = dialog.size();
    for (const QSize& other : {size + QSize(100, 100), QSize(120, 90), size})
        dialog.resize(other);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(dialog.ControlRect(table[i].controlId), start[i]) << table[i].controlId;
}

TEST_F(LayoutAnchorTest, BeforeShowingOnlyVisibleControlsThatMayNotOverlapCollapse)
{
    AnchoredDialog dialog(ControlFlag::Hidden);
    std::vector<AnchoredControl> rules = GridOfFixedHeight();
    rules.push_back({{IDC_KEY_ROW_GRID, {1, 0, 1}, {1, 0, 4}, {1, 0, 3}, {4, 0, 2}}});
    Init(dialog, rules);
    const int shrink = Start(IDC_REPORT).top() - Start(IDC_MAIN_GRID).bottom() + 10;
    ResizeHiddenClient(dialog, QSize(0, -shrink));

    EXPECT_EQ(dialog.ControlRect(IDC_REPORT), QRect(0, 0, 0, 0));
    EXPECT_EQ(dialog.ControlRect(IDC_STATUS), QRect(0, 0, 0, 0));
    EXPECT_EQ(dialog.ControlRect(IDC_KEY_ROW_GRID), Moved(Start(IDC_KEY_ROW_GRID), 0, -shrink, 0));
}

TEST_F(LayoutAnchorTest, AClipSiblingsControlIsMovedButNeverCollapsed)
{
    AnchoredDialog dialog(ControlFlag::ClipSiblings);
    std::vector<AnchoredControl> rules = GridOfFixedHeight();
    rules.push_back({{IDC_KEY_ROW_GRID, {1, 0, 1}, {1, 0, 4}, {1, 0, 3}, {4, 0, 2}}});
    Init(dialog, rules);
    const int shrink = Start(IDC_KEY_ROW_GRID).top() - Start(IDC_MAIN_GRID).bottom() + 10;
    ResizeHiddenClient(dialog, QSize(0, -shrink));

    EXPECT_EQ(dialog.ControlRect(IDC_KEY_ROW_GRID), Moved(Start(IDC_KEY_ROW_GRID), 0, -shrink, 0));
}

TEST_F(LayoutAnchorTest, ASecondInitForgetsTheFirstTable)
{
    AnchoredDialog dialog;
    Init(dialog, TableWindow());
    Init(dialog, {{{IDC_REPORT, {1, 0, 1}, {1, 0, 4}, {3, 0, 3}, {4, 0, 2}}}});
    const QRect grid = dialog.ControlRect(IDC_MAIN_GRID);
    ResizeHiddenClient(dialog, QSize(100, 100));

    EXPECT_EQ(dialog.ControlRect(IDC_MAIN_GRID), grid);
    EXPECT_EQ(dialog.ControlRect(IDC_REPORT), Moved(Start(IDC_REPORT), 0, 100, 0));
}

} // namespace
