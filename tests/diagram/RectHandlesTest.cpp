#include <gtest/gtest.h>

#include "diagram/RectHandles.h"

namespace {

const CRect kRect(10, 20, 51, 81);

TEST(RectHandles, EightHandlesClockwiseFromTheTopLeft) {
    const CPoint expected[] = {{10, 20}, {30, 20}, {51, 20}, {51, 50},
                               {51, 81}, {30, 81}, {10, 81}, {10, 50}};
    for (int handle = 1; handle <= recthandles::kCount; ++handle) {
        EXPECT_EQ(recthandles::Position(kRect, handle), expected[handle - 1]) << handle;
    }
    EXPECT_EQ(recthandles::Position(kRect, 0), CPoint());
    EXPECT_EQ(recthandles::Position(kRect, 9), CPoint());
    EXPECT_EQ(recthandles::Find(9), nullptr);
    // An inverted rectangle has its handles where its corners are.
    EXPECT_EQ(recthandles::Position(CRect(50, 80, 10, 20), 1), CPoint(50, 80));
    EXPECT_EQ(recthandles::Position(CRect(50, 80, 10, 20), 2), CPoint(30, 80));
}

TEST(RectHandles, EachHandleDragsItsOwnEdges) {
    const CPoint to(0, 100);
    const CRect expected[] = {
        {0, 100, 51, 81}, {10, 100, 51, 81}, {10, 100, 0, 81}, {10, 20, 0, 81},
        {10, 20, 0, 100}, {10, 20, 51, 100}, {0, 20, 51, 100}, {0, 20, 51, 81},
    };
    for (int handle = 1; handle <= recthandles::kCount; ++handle) {
        EXPECT_EQ(recthandles::MoveEdges(kRect, handle, to), expected[handle - 1]) << handle;
    }
    EXPECT_EQ(recthandles::MoveEdges(kRect, 12, to), kRect);
}

// Members of a group grow at the edges the group's handle moved, by the change
// of the group's size: the left edge goes left as the width grows.
TEST(RectHandles, StretchingFollowsTheSameEdges) {
    const CRect member(0, 0, 10, 10);
    EXPECT_EQ(recthandles::StretchEdges(member, 1, 4, 2), CRect(-4, -2, 10, 10));
    EXPECT_EQ(recthandles::StretchEdges(member, 3, 4, 2), CRect(0, -2, 14, 10));
    EXPECT_EQ(recthandles::StretchEdges(member, 5, 4, 2), CRect(0, 0, 14, 12));
    EXPECT_EQ(recthandles::StretchEdges(member, 6, 4, 2), CRect(0, 0, 10, 12));
    EXPECT_EQ(recthandles::StretchEdges(member, 8, 4, 2), CRect(-4, 0, 10, 10));
    EXPECT_EQ(recthandles::StretchEdges(member, 0, 4, 2), member);
}

TEST(RectHandles, CursorsPointAlongTheDrag) {
    EXPECT_EQ(recthandles::Cursor(1), IDC_SIZENWSE);
    EXPECT_EQ(recthandles::Cursor(5), IDC_SIZENWSE);
    EXPECT_EQ(recthandles::Cursor(3), IDC_SIZENESW);
    EXPECT_EQ(recthandles::Cursor(7), IDC_SIZENESW);
    EXPECT_EQ(recthandles::Cursor(2), IDC_SIZENS);
    EXPECT_EQ(recthandles::Cursor(8), IDC_SIZEWE);
    EXPECT_EQ(recthandles::Cursor(0), IDC_ARROW);
}

}  // namespace
