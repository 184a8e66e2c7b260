#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"

namespace {

TEST(GeometryTest, UnnormalisedRectKeepsItsCornersUntilNormalised) {
    CRect rect(50, 40, 10, 20);
    EXPECT_EQ(rect.Width(), -40);
    EXPECT_EQ(rect.Height(), -20);
    EXPECT_EQ(rect.Size(), CSize(-40, -20));
    EXPECT_TRUE(rect.IsRectEmpty());
    EXPECT_FALSE(rect.IsRectNull());
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 30)));
    EXPECT_EQ(rect.CenterPoint(), CPoint(30, 30));

    rect.NormalizeRect();
    EXPECT_EQ(rect, CRect(10, 20, 50, 40));
    EXPECT_TRUE(rect.PtInRect(CPoint(30, 30)));

    CRect halfFlipped(10, 40, 50, 20);
    halfFlipped.NormalizeRect();
    EXPECT_EQ(halfFlipped, CRect(10, 20, 50, 40));
}

TEST(GeometryTest, PtInRectIncludesLeftTopAndExcludesRightBottom) {
    const CRect rect(0, 0, 10, 5);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rect.PtInRect(CPoint(9, 4)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 0)));
    EXPECT_FALSE(rect.PtInRect(CPoint(0, 5)));
    EXPECT_FALSE(rect.PtInRect(CPoint(-1, 2)));
    EXPECT_FALSE(CRect(3, 3, 3, 8).PtInRect(CPoint(3, 4)));  // zero width holds nothing
    EXPECT_TRUE(CRect(3, 3, 3, 8).IsRectEmpty());
    EXPECT_FALSE(CRect(3, 3, 3, 8).IsRectNull());
}

TEST(GeometryTest, IntersectRect) {
    CRect result(1, 2, 3, 4);
    EXPECT_TRUE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 8)));
    EXPECT_EQ(result, CRect(5, 0, 10, 8));

    // Touching edges share no point.
    result = CRect(1, 2, 3, 4);
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsRectNull());

    // An unnormalised rectangle is empty and meets nothing, even where it overlaps.
    result = CRect(1, 2, 3, 4);
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(8, 8, 2, 2)));
    EXPECT_TRUE(result.IsRectNull());

    // The result may be one of the operands.
    result = CRect(0, 0, 10, 10);
    EXPECT_TRUE(result.IntersectRect(result, CRect(4, 4, 6, 12)));
    EXPECT_EQ(result, CRect(4, 4, 6, 10));
    EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(-5, 2, 3, 20), CRect(0, 2, 3, 10));
}

TEST(GeometryTest, UnionRectIgnoresEmptyRects) {
    CRect result;
    EXPECT_TRUE(result.UnionRect(CRect(0, 0, 10, 10), CRect(20, 5, 30, 40)));
    EXPECT_EQ(result, CRect(0, 0, 30, 40));

    // An empty rectangle far away does not stretch the union.
    EXPECT_TRUE(result.UnionRect(CRect(100, 100, 100, 200), CRect(1, 2, 3, 4)));
    EXPECT_EQ(result, CRect(1, 2, 3, 4));
    EXPECT_TRUE(result.UnionRect(CRect(1, 2, 3, 4), CRect(-50, -50, -60, -40)));
    EXPECT_EQ(result, CRect(1, 2, 3, 4));

    result = CRect(1, 2, 3, 4);
    EXPECT_FALSE(result.UnionRect(CRect(5, 5, 5, 5), CRect(9, 9, 1, 1)));
    EXPECT_TRUE(result.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 1, 1) | CRect(4, 4, 5, 5), CRect(0, 0, 5, 5));
}

TEST(GeometryTest, InflateDeflateAndOffsetMoveTheRightEdges) {
    CRect rect(10, 20, 30, 40);
    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(9, 18, 33, 44));
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(10, 20, 30, 40));
    rect.InflateRect(-15, 0);  // may turn the rectangle inside out
    EXPECT_EQ(rect, CRect(25, 20, 15, 40));
    EXPECT_TRUE(rect.IsRectEmpty());

    rect = CRect(10, 20, 30, 40);
    rect.OffsetRect(-5, 7);
    EXPECT_EQ(rect, CRect(5, 27, 25, 47));
    EXPECT_EQ(rect - CPoint(5, 27), CRect(0, 0, 20, 20));
    EXPECT_EQ(rect + CSize(1, 1), CRect(6, 28, 26, 48));
    EXPECT_EQ(CRect(CPoint(2, 3), CSize(4, 5)), CRect(2, 3, 6, 8));
    EXPECT_EQ(CPoint(13, 24) - CPoint(3, 4), CSize(10, 20));
}

TEST(GeometryTest, ExtremeCoordinatesWrapInsteadOfOverflowing) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const CRect rect(kMin, 0, kMax, 1);
    EXPECT_EQ(rect.Width(), -1);
    EXPECT_EQ(rect.CenterPoint(), CPoint(0, 0));
    CRect moved(kMax, 0, kMax, 0);
    moved.OffsetRect(1, 0);
    EXPECT_EQ(moved.left, kMin);
}

}  // namespace
