#include "ui/grid/grid_axis.h"

#include <gtest/gtest.h>

namespace {

// Two fixed rows of 20 and 10 pixels above a body of 30, 0 (hidden), 30 and 40.
GridAxis Rows()
{
    GridAxis axis;
    axis.Resize(6, 30);
    axis.SetSize(0, 20);
    axis.SetSize(1, 10);
    axis.SetSize(3, 0);
    axis.SetSize(5, 40);
    axis.SetFixedCount(2);
    return axis;
}

TEST(GridAxis, ExtentsAndPositionsFollowTheScroll)
{
    const GridAxis axis = Rows();
    EXPECT_EQ(axis.FixedExtent(), 30);
    EXPECT_EQ(axis.BodyExtent(), 100);
    EXPECT_EQ(axis.Start(1, 50), 20);
    EXPECT_EQ(axis.Start(2, 0), 30);
    EXPECT_EQ(axis.Start(4, 0), 60);
    EXPECT_EQ(axis.Start(4, 30), 30);
    // Past the last one: where the grid's background starts.
    EXPECT_EQ(axis.Start(6, 0), 130);
}

TEST(GridAxis, SpansAndHitsPassOverHiddenOnes)
{
    const GridAxis axis = Rows();
    const AxisSpan body = axis.Span(30, 89, false, 0);
    EXPECT_EQ(body.first, 2);
    EXPECT_EQ(body.last, 4);
    EXPECT_EQ(axis.Span(0, 29, true, 0).last, 1);
    EXPECT_TRUE(axis.Span(200, 300, false, 0).IsEmpty());
    EXPECT_EQ(axis.IndexAt(25, 0), 1);
    EXPECT_EQ(axis.IndexAt(60, 0), 4);
    EXPECT_EQ(axis.IndexAt(35, 30), 4);
    EXPECT_EQ(axis.IndexAt(130, 0), -1);
    EXPECT_EQ(axis.NextShown(3), 4);
    EXPECT_EQ(axis.NextShown(6), 6);
}

TEST(GridAxis, DividersAreFoundNearTrailingEdges)
{
    const GridAxis axis = Rows();
    EXPECT_EQ(axis.DividerAt(21, 0, 3), 0);
    EXPECT_EQ(axis.DividerAt(59, 0, 3), 2);
    // The hidden row 3 shares row 2's edge and is never grabbed.
    EXPECT_EQ(axis.DividerAt(60, 0, 0), 2);
    EXPECT_EQ(axis.DividerAt(60, 30, 3), 4);
    EXPECT_EQ(axis.DividerAt(45, 0, 3), -1);
}

TEST(GridAxis, ScrollingStopsAtBodyEdges)
{
    const GridAxis axis = Rows();
    EXPECT_EQ(axis.BodyEdge(31, true), 60);
    EXPECT_EQ(axis.BodyEdge(31, false), 30);
    EXPECT_EQ(axis.BodyEdge(1000, true), 100);
    // Revealing the last row in 50 pixels of room: scroll to the first edge that shows it whole.
    EXPECT_EQ(axis.RevealScroll(5, 0, 50), 60);
    EXPECT_EQ(axis.RevealScroll(2, 60, 50), 0);
    EXPECT_EQ(axis.RevealScroll(4, 30, 50), 30);
    EXPECT_EQ(axis.RevealScroll(1, 30, 50), 30);
}

TEST(GridAxis, ShrinkingKeepsTheFixedCountWithin)
{
    GridAxis axis = Rows();
    axis.Resize(1, 0);
    EXPECT_EQ(axis.FixedCount(), 1);
    EXPECT_EQ(axis.Size(1), 0);
    EXPECT_FALSE(axis.SetSize(1, 5));
    EXPECT_FALSE(axis.SetSize(0, -1));
    axis.SetFixedCount(4);
    EXPECT_EQ(axis.FixedCount(), 1);
}

} // namespace
