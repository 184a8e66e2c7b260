// Geometry of the drawing objects: hit tests, outline points, handles, moving
// and resizing, vertex editing, text sizing, transformations and grouping.
#include <gtest/gtest.h>

#include <limits>

#include <cmath>
#include <memory>
#include <vector>

#include "FakeDrawingView.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawRoundRect.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGeometry.h"
#include "diagram/DrawingGroup.h"
#include "diagram/DrawingTemplate.h"
#include "document/ConfDoc.h"
#include "platform/View.h"

namespace {

LOGPEN PenOfWidth(int width) {
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(width, width);
    return pen;
}

// Maps a point through an XFORM as the device context does.
CPoint Map(const XFORM& x, CPoint p) {
    return CPoint(static_cast<int>(std::lround(p.x * x.eM11 + p.y * x.eM21 + x.eDx)),
                  static_cast<int>(std::lround(p.x * x.eM12 + p.y * x.eM22 + x.eDy)));
}

TEST(DrawingHitTest, PenWidthSetsTheSegmentTolerance) {
    struct Case {
        int width;
        int tol0;
    };
    for (const Case& c :
         {Case{0, 2}, Case{1, 2}, Case{2, 2}, Case{3, 2}, Case{4, 3}, Case{5, 3}, Case{10, 6}}) {
        CDrawLine line(CPoint(0, 0), CPoint(100, 0));
        line.SetLogPen(PenOfWidth(c.width));
        EXPECT_EQ(line.GetPenTolerance(), c.tol0) << c.width;
        const int tol = c.tol0 + 1;
        EXPECT_TRUE(line.HitTestSegment(CPoint(50, tol), 0, 0, 100, 0)) << c.width;
        EXPECT_TRUE(line.HitTestSegment(CPoint(50, -tol), 0, 0, 100, 0)) << c.width;
        EXPECT_FALSE(line.HitTestSegment(CPoint(50, tol + 1), 0, 0, 100, 0)) << c.width;
        // Past the ends only within the widened bounding box.
        EXPECT_TRUE(line.HitTestSegment(CPoint(100 + tol, 0), 0, 0, 100, 0)) << c.width;
        EXPECT_FALSE(line.HitTestSegment(CPoint(101 + tol, 0), 0, 0, 100, 0)) << c.width;
    }
    CDrawLine line(CPoint(0, 0), CPoint(1, 1));
    // A sloping segment: distance from the line, not from the box.
    EXPECT_TRUE(line.HitTestSegment(CPoint(52, 48), 0, 0, 100, 100));   // 2.8 away
    EXPECT_FALSE(line.HitTestSegment(CPoint(53, 47), 0, 0, 100, 100));  // 4.2 away
}

TEST(DrawingHitTest, FilledRectangleIsHitInsideAndWithinThePenTolerance) {
    CDrawRectangle rect(CRect(10, 10, 50, 50));
    EXPECT_TRUE(rect.HitTest(CPoint(30, 30), nullptr));
    EXPECT_TRUE(rect.HitTest(CPoint(9, 30), nullptr));
    EXPECT_FALSE(rect.HitTest(CPoint(8, 30), nullptr));
    EXPECT_TRUE(rect.HitTest(CPoint(51, 30), nullptr));
    EXPECT_FALSE(rect.HitTest(CPoint(52, 30), nullptr));

    // Without fill (flag off or a null brush) only the outline counts.
    for (int variant = 0; variant < 2; ++variant) {
        CDrawRectangle hollow(CRect(10, 10, 50, 50));
        if (variant == 0) {
            hollow.SetBrush(false);
        } else {
            hollow.SetLogBrush(LOGBRUSH{BS_NULL, 0, 0});
        }
        EXPECT_FALSE(hollow.HitTest(CPoint(30, 30), nullptr)) << variant;
        EXPECT_TRUE(hollow.HitTest(CPoint(30, 12), nullptr)) << variant;
        EXPECT_FALSE(hollow.HitTest(CPoint(30, 14), nullptr)) << variant;
        EXPECT_TRUE(hollow.HitTest(CPoint(53, 30), nullptr)) << variant;
        EXPECT_FALSE(hollow.HitTest(CPoint(54, 30), nullptr)) << variant;
    }
}

TEST(DrawingHitTest, LineIsHitAlongItsLengthOnly) {
    CDrawLine line(CPoint(100, 100), CPoint(0, 0));  // drawn upwards: an inverted rectangle
    EXPECT_TRUE(line.HitTest(CPoint(50, 50), nullptr));
    EXPECT_TRUE(line.HitTest(CPoint(51, 50), nullptr));
    EXPECT_FALSE(line.HitTest(CPoint(54, 46), nullptr));
    EXPECT_FALSE(line.HitTest(CPoint(20, 80), nullptr));
    EXPECT_FALSE(line.HitTest(CPoint(110, 110), nullptr));
    // Rubber-band selection asks the same band.
    EXPECT_TRUE(line.IntersectsRect(CRect(40, 40, 45, 45)));
    EXPECT_FALSE(line.IntersectsRect(CRect(60, 10, 90, 30)));

    CDrawLine thick(CPoint(0, 50), CPoint(100, 50));
    thick.SetLogPen(PenOfWidth(9));  // half band (9 + 5) / 2 = 7
    EXPECT_TRUE(thick.HitTest(CPoint(50, 56), nullptr));
    EXPECT_FALSE(thick.HitTest(CPoint(50, 58), nullptr));
}

TEST(DrawingHitTest, RoundShapesMissTheirCorners) {
    CDrawEllipse ellipse(CRect(0, 0, 100, 100));
    CDrawRoundRect round(CRect(0, 0, 100, 100));
    round.SetRoundness(CPoint(40, 40));
    CDrawRectangle rect(CRect(0, 0, 100, 100));
    for (CDrawingObject* shape : std::vector<CDrawingObject*>{&ellipse, &round}) {
        EXPECT_TRUE(shape->HitTest(CPoint(50, 50), nullptr));
        EXPECT_TRUE(shape->HitTest(CPoint(50, 1), nullptr));
        EXPECT_FALSE(shape->HitTest(CPoint(3, 3), nullptr));
        EXPECT_FALSE(shape->HitTest(CPoint(97, 97), nullptr));
    }
    EXPECT_TRUE(rect.HitTest(CPoint(3, 3), nullptr));
}

TEST(DrawingHitTest, PolygonsAreHitInsidePolylinesOnTheirSegments) {
    const CPoint triangle[] = {{0, 0}, {100, 0}, {0, 100}};
    CDrawPolyline polygon(triangle, 3, true);
    EXPECT_TRUE(polygon.HitTest(CPoint(20, 20), nullptr));
    EXPECT_FALSE(polygon.HitTest(CPoint(80, 80), nullptr));  // in the box, outside the triangle

    CDrawPolyline open(triangle, 3, false);
    EXPECT_FALSE(open.HitTest(CPoint(20, 20), nullptr));
    EXPECT_TRUE(open.HitTest(CPoint(50, 2), nullptr));
    EXPECT_TRUE(open.HitTest(CPoint(51, 51), nullptr));
    // The closing edge is not drawn for an open polyline.
    EXPECT_FALSE(open.HitTest(CPoint(0, 50), nullptr));
    EXPECT_TRUE(polygon.HitTest(CPoint(0, 50), nullptr));
}

TEST(DrawingOutline, SegmentIntersections) {
    struct Case {
        CPoint a1, a2, b1, b2;
        bool meet;
        CPoint at;
    };
    const Case cases[] = {
        {{0, 0}, {10, 10}, {0, 10}, {10, 0}, true, {5, 5}},
        {{0, 0}, {2, 1}, {1, -5}, {1, 5}, true, {1, 1}},    // y = 0.5 rounds up
        {{0, 0}, {2, -1}, {1, -5}, {1, 5}, true, {1, -1}},  // and -0.5 down
        {{-10, 4}, {10, 4}, {0, 0}, {4, 8}, true, {2, 4}},
        {{0, 0}, {10, 10}, {20, 0}, {20, 30}, false, {}},  // the lines meet beyond a
        {{0, 0}, {10, 0}, {0, 5}, {10, 5}, false, {}},     // parallel
        // Collinear: the end of the overlap farther from a1.
        {{0, 0}, {10, 0}, {5, 0}, {20, 0}, true, {10, 0}},
        {{0, 0}, {10, 0}, {6, 0}, {2, 0}, true, {6, 0}},
        {{0, 10}, {0, 0}, {0, 4}, {0, 7}, true, {0, 4}},
        {{0, 0}, {10, 0}, {20, 0}, {30, 0}, false, {}},
    };
    for (const Case& c : cases) {
        CPoint p;
        EXPECT_EQ(drawgeom::IntersectSegments(c.a1, c.a2, c.b1, c.b2, &p), c.meet)
            << c.b1.x << "," << c.b1.y;
        if (c.meet) {
            EXPECT_EQ(p, c.at) << c.b1.x << "," << c.b1.y;
        }
    }
    // Points: they meet only where they are the same, or where one lies on the other.
    CPoint p;
    EXPECT_TRUE(drawgeom::IntersectSegments({3, 3}, {3, 3}, {3, 3}, {3, 3}, &p));
    EXPECT_FALSE(drawgeom::IntersectSegments({3, 3}, {3, 3}, {4, 3}, {4, 3}, &p));
    EXPECT_TRUE(drawgeom::IntersectSegments({5, 0}, {5, 0}, {0, 0}, {10, 0}, &p));
    EXPECT_EQ(p, CPoint(5, 0));
    EXPECT_FALSE(drawgeom::IntersectSegments({5, 1}, {5, 1}, {0, 0}, {10, 0}, nullptr));
    // Far-out coordinates do not overflow on the way.
    const int32_t far = 1'000'000;
    EXPECT_TRUE(
        drawgeom::IntersectSegments({-far, -far}, {far, far}, {-far, far}, {far, -far}, &p));
    EXPECT_EQ(p, CPoint(0, 0));
}

TEST(DrawingGeometry, CoordinatesFromDoublesStayInRange) {
    EXPECT_EQ(drawgeom::RoundToCoordinate(2.5), 3);
    EXPECT_EQ(drawgeom::RoundToCoordinate(-2.5), -3);
    EXPECT_EQ(drawgeom::TruncateToCoordinate(-2.7), -2);
    EXPECT_EQ(drawgeom::RoundToCoordinate(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(drawgeom::TruncateToCoordinate(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(drawgeom::RoundToCoordinate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(
        drawgeom::Middle(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()),
        std::numeric_limits<int32_t>::max());
    EXPECT_EQ(drawgeom::Middle(-3, 0), -1);
}

TEST(DrawingOutline, OutlinePointLiesWhereTheCentreLineLeavesTheShape) {
    CDrawRectangle rect(CRect(0, 0, 100, 50));
    const CPoint right = rect.GetOutlinePoint(CPoint(200, 25), nullptr);
    EXPECT_EQ(right, CPoint(100, 25));
    EXPECT_EQ(rect.GetOutlinePoint(CPoint(150, 75), nullptr), CPoint(100, 50));
    EXPECT_EQ(rect.GetOutlinePoint(CPoint(150, 100), nullptr), CPoint(83, 50));

    CDrawEllipse ellipse(CRect(0, 0, 100, 100));
    const CPoint top = ellipse.GetOutlinePoint(CPoint(50, -100), nullptr);
    EXPECT_NEAR(top.x, 50, 1);
    EXPECT_NEAR(top.y, 0, 1);
    const CPoint diagonal = ellipse.GetOutlinePoint(CPoint(200, 200), nullptr);
    EXPECT_NEAR(diagonal.x, 85, 1);  // 50 + 50 / sqrt(2)
    EXPECT_NEAR(diagonal.y, 85, 1);

    // A point inside: the segment never reaches the outline.
    EXPECT_EQ(ellipse.GetOutlinePoint(CPoint(60, 60), nullptr), CPoint(0, 0));
}

TEST(DrawingHandles, EightHandlesAroundTheRectangle) {
    CDrawRectangle rect(CRect(10, 20, 51, 81));
    ASSERT_EQ(rect.GetHandleCount(), 8);
    const CPoint expected[] = {{10, 20}, {30, 20}, {51, 20}, {51, 50},
                               {51, 81}, {30, 81}, {10, 81}, {10, 50}};
    const int cursors[] = {IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE,
                           IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE};
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(rect.GetHandle(n), expected[n - 1]) << n;
        EXPECT_EQ(rect.GetHandleCursor(n), cursors[n - 1]) << n;
    }

    CDrawLine line(CPoint(5, 6), CPoint(70, 80));
    EXPECT_EQ(line.GetHandleCount(), 2);
    EXPECT_EQ(line.GetHandle(1), CPoint(5, 6));
    EXPECT_EQ(line.GetHandle(2), CPoint(70, 80));
    EXPECT_EQ(line.GetHandleCursor(2), IDC_SIZEALL);
    line.MoveHandleTo(2, 90, 10, nullptr);
    EXPECT_EQ(line.GetRect(), CRect(5, 6, 90, 10));

    const CPoint zigzag[] = {{0, 0}, {10, 20}, {20, 0}, {30, 20}};
    CDrawPolyline polyline(zigzag, 4, false);
    EXPECT_EQ(polyline.GetHandleCount(), 4);
    EXPECT_EQ(polyline.GetHandle(3), CPoint(20, 0));
    EXPECT_EQ(polyline.GetHandleCursor(1), IDC_SIZEALL);
}

TEST(DrawingHandles, RoundnessHandleClampsBetweenCentreAndEdges) {
    CDrawRoundRect round(CRect(100, 100, 0, 0));  // inverted on purpose
    round.SetRoundness(CPoint(20, 10));
    ASSERT_EQ(round.GetHandleCount(), 9);
    EXPECT_EQ(round.GetHandle(9), CPoint(90, 95));
    EXPECT_EQ(round.GetHandleCursor(9), IDC_SIZEALL);

    round.MoveHandleTo(9, 500, 700, nullptr);  // beyond the bottom-right
    EXPECT_EQ(round.GetRoundness(), CPoint(2, 2));
    round.MoveHandleTo(9, -50, -50, nullptr);  // beyond the top-left
    EXPECT_EQ(round.GetRoundness(), CPoint(100, 100));
    round.MoveHandleTo(9, 80, 90, nullptr);
    EXPECT_EQ(round.GetRoundness(), CPoint(40, 20));
    EXPECT_EQ(round.GetRect(), CRect(100, 100, 0, 0));  // the shape itself stays
}

TEST(DrawingHandles, HandleRectanglesFollowTheViewScaleAndZoom) {
    CDrawRectangle rect(CRect(10, 20, 50, 80));
    EXPECT_EQ(rect.GetHandleRect(1, nullptr), CRect(7, 17, 13, 23));

    CFakeDrawingView view;
    view.m_nScale = 3;
    view.m_dZoom = 3.0;  // 9 device pixels: 3 logical units
    EXPECT_EQ(rect.GetHandleRect(1, &view), CRect(7, 17, 13, 23));
    view.m_dZoom = 2.5;  // truncated to 2: 6 device pixels
    EXPECT_EQ(rect.GetHandleRect(1, &view), CRect(8, 18, 12, 22));
    view.m_dZoom = 1.9;  // below 2 counts as 1: 3 device pixels, one logical unit
    EXPECT_EQ(rect.GetHandleRect(5, &view), CRect(49, 79, 51, 81));

    EXPECT_EQ(rect.HitTestHandle(CPoint(12, 22), nullptr), 1);
    EXPECT_EQ(rect.HitTestHandle(CPoint(30, 18), nullptr), 2);
    EXPECT_EQ(rect.HitTestHandle(CPoint(48, 52), nullptr), 4);
    EXPECT_EQ(rect.HitTestHandle(CPoint(30, 50), nullptr), 0);
    EXPECT_EQ(rect.HitTestHandle(CPoint(12, 22), &view), 0);  // one unit wide now
}

// Counts the document updates for one object.
class CRecordingView : public CView {
public:
    void OnUpdate(CView* /*sender*/, long hint, CObject* object) override {
        m_updates.push_back({hint, object});
    }
    std::vector<std::pair<long, CObject*>> m_updates;
};

TEST(DrawingMoving, ChangesRepaintBeforeAndAfterAndMarkTheDocument) {
    CConfDoc doc;
    CFakeDrawingView view;
    view.m_pDocument = &doc;
    CDrawRectangle rect(CRect(10, 10, 50, 50));
    rect.MoveTo(CRect(10, 10, 50, 50), &view);
    EXPECT_TRUE(view.m_invalidated.empty());
    EXPECT_FALSE(doc.IsModified());

    rect.Offset(CSize(5, -5), &view);
    EXPECT_EQ(rect.GetRect(), CRect(15, 5, 55, 45));
    EXPECT_EQ(view.m_invalidated, (std::vector<CDrawingObject*>{&rect, &rect}));
    EXPECT_TRUE(doc.IsModified());

    // Without a view the document's views hear of it with hint 1.
    CRecordingView docView;
    doc.AddView(&docView);
    doc.SetModifiedFlag(false);
    rect.SetDocument(&doc);
    rect.MoveTopLeftTo(CPoint(0, 0), nullptr);
    EXPECT_EQ(rect.GetRect(), CRect(0, 0, 40, 40));
    ASSERT_EQ(docView.m_updates.size(), 2u);
    EXPECT_EQ(docView.m_updates[0].first, CDrawingObject::HINT_UPDATE_OBJECT);
    EXPECT_EQ(docView.m_updates[0].second, &rect);
    EXPECT_TRUE(doc.IsModified());
    doc.RemoveView(&docView);
}

TEST(DrawingMoving, HandleOneDraggedPastHandleFiveLeavesAWorkingInvertedRectangle) {
    CDrawRectangle rect(CRect(10, 10, 50, 50));
    rect.MoveHandleTo(1, 80, 90, nullptr);
    EXPECT_EQ(rect.GetRect(), CRect(80, 90, 50, 50));
    EXPECT_TRUE(rect.HitTest(CPoint(65, 70), nullptr));
    EXPECT_FALSE(rect.HitTest(CPoint(30, 30), nullptr));
    EXPECT_EQ(rect.GetInvalidRect(), CRect(44, 44, 86, 96));
    EXPECT_EQ(rect.GetHandle(1), CPoint(80, 90));

    // A pen that draws outside the frame widens the repaint area.
    rect.SetLogPen(PenOfWidth(8));
    EXPECT_EQ(rect.GetInvalidRect(), CRect(40, 40, 90, 100));
}

std::unique_ptr<CDrawingGroup> TwoMemberGroup() {
    auto group = std::make_unique<CDrawingGroup>();
    group->AddObject(std::make_unique<CDrawRectangle>(CRect(0, 0, 40, 20)), true);
    group->AddObject(std::make_unique<CDrawEllipse>(CRect(20, 30, 60, 50)), true);
    return group;
}

TEST(DrawingGroups, GroupRectangleGrowsWithItsMembers) {
    std::unique_ptr<CDrawingGroup> group = TwoMemberGroup();
    EXPECT_EQ(group->GetRect(), CRect(0, 0, 60, 50));
    // A line drawn upwards still widens the group.
    group->AddObject(std::make_unique<CDrawLine>(CPoint(90, 70), CPoint(70, 70)), true);
    EXPECT_EQ(group->GetRect(), CRect(0, 0, 90, 70));
    group->AddObject(std::make_unique<CDrawRectangle>(CRect(200, 200, 300, 300)), false);
    EXPECT_EQ(group->GetRect(), CRect(0, 0, 90, 70));
    EXPECT_EQ(group->GetObjectAt(4), nullptr);
}

TEST(DrawingGroups, HandleStretchesMemberEdgesWithoutScaling) {
    std::unique_ptr<CDrawingGroup> group = TwoMemberGroup();
    group->MoveHandleTo(5, 70, 54, nullptr);
    EXPECT_EQ(group->GetRect(), CRect(0, 0, 70, 54));
    EXPECT_EQ(group->GetObjectAt(0)->GetRect(), CRect(0, 0, 50, 24));
    EXPECT_EQ(group->GetObjectAt(1)->GetRect(), CRect(20, 30, 70, 54));

    group->MoveHandleTo(1, -10, -4, nullptr);
    EXPECT_EQ(group->GetRect(), CRect(-10, -4, 70, 54));
    EXPECT_EQ(group->GetObjectAt(0)->GetRect(), CRect(-10, -4, 50, 24));
    EXPECT_EQ(group->GetObjectAt(1)->GetRect(), CRect(10, 26, 70, 54));

    group->MoveHandleTo(8, 0, 999, nullptr);  // left edge only
    EXPECT_EQ(group->GetObjectAt(1)->GetRect(), CRect(20, 26, 70, 54));
}

TEST(DrawingGroups, GroupsMoveHitAndCloneAsAWhole) {
    std::unique_ptr<CDrawingGroup> group = TwoMemberGroup();
    CFakeDrawingView view;
    group->Offset(CSize(100, 10), &view);
    EXPECT_EQ(group->GetRect(), CRect(100, 10, 160, 60));
    EXPECT_EQ(group->GetObjectAt(1)->GetRect(), CRect(120, 40, 160, 60));
    EXPECT_EQ(view.m_invalidated.size(), 6u);

    EXPECT_TRUE(group->HitTest(CPoint(110, 15), nullptr));
    // Inside the group's rectangle but on no member.
    EXPECT_FALSE(group->HitTest(CPoint(105, 55), nullptr));
    EXPECT_TRUE(group->IntersectsRect(CRect(130, 45, 135, 50)));

    std::unique_ptr<CDrawingObject> copy = group->Clone();
    auto* copyGroup = dynamic_cast<CDrawingGroup*>(copy.get());
    ASSERT_NE(copyGroup, nullptr);
    ASSERT_EQ(copyGroup->GetObjectCount(), 2);
    EXPECT_NE(copyGroup->GetObjectAt(0), group->GetObjectAt(0));
    copyGroup->Offset(CSize(1, 1), nullptr);
    EXPECT_EQ(group->GetObjectAt(0)->GetRect(), CRect(100, 10, 140, 30));

    CDrawingTemplate templ;
    EXPECT_EQ(templ.Clone()->GetRuntimeClass(), RUNTIME_CLASS(CDrawingTemplate));
}

TEST(DrawingPolyline, VertexEditing) {
    const CPoint start[] = {{0, 0}, {100, 0}, {100, 100}};
    CDrawPolyline polyline(start, 3, false);
    EXPECT_EQ(polyline.GetRect(), CRect(0, 0, 100, 100));

    CFakeDrawingView view;
    view.m_nGrid = 10;
    // On the second segment: inserted after vertex 1, snapped to the grid.
    EXPECT_EQ(polyline.InsertPointOnSegment(CPoint(101, 47), &view), 2);
    EXPECT_EQ(polyline.GetPoint(2), CPoint(100, 50));
    EXPECT_EQ(polyline.GetPointCount(), 4);
    // Off every segment: appended.
    EXPECT_EQ(polyline.InsertPointOnSegment(CPoint(-40, 150), &view), 4);
    EXPECT_EQ(polyline.GetLastPoint(), CPoint(-40, 150));
    EXPECT_EQ(polyline.GetRect(), CRect(-40, 0, 100, 150));

    // A closed polygon also tries its closing segment.
    const CPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    CDrawPolyline polygon(square, 4, true);
    EXPECT_EQ(polygon.InsertPointOnSegment(CPoint(0, 5), nullptr), 4);
    EXPECT_EQ(polygon.GetPoint(4), CPoint(0, 5));

    polyline.InsertPoint(-1, 100, 0, nullptr);  // appends
    EXPECT_EQ(polyline.RemovePointsAt(CPoint(100, 0), &view), 2);
    EXPECT_EQ(polyline.GetPointCount(), 4);
    EXPECT_EQ(polyline.GetPoint(1), CPoint(100, 50));

    polyline.MoveHandleTo(1, 300, 300, &view);
    EXPECT_EQ(polyline.GetFirstPoint(), CPoint(300, 300));
    EXPECT_EQ(polyline.GetRect(), CRect(-40, 50, 300, 300));

    polyline.SetPoint(-500, -500, 0);
    EXPECT_EQ(polyline.GetRect(), CRect(-500, -500, 100, 150));
    EXPECT_FALSE(polyline.RecalcBounds(nullptr));

    EXPECT_EQ(polyline.HitTestVertex(CPoint(103, 52), nullptr), 1);
    EXPECT_EQ(polyline.GetCurVertex(), 1);
    EXPECT_EQ(polyline.GetCurVertexPoint(), CPoint(100, 50));
    EXPECT_EQ(polyline.HitTestVertex(CPoint(104, 50), nullptr), 0);
    EXPECT_EQ(polyline.GetCurVertex(), -1);

    // Moving moves the vertices; MoveTo takes only the new top-left corner.
    polyline.MoveTo(CRect(0, 0, 1, 1), nullptr);
    EXPECT_EQ(polyline.GetPoint(1), CPoint(600, 550));
    EXPECT_EQ(polyline.GetRect(), CRect(0, 0, 600, 650));
}

TEST(DrawingText, ResizingFollowsTheTextAndKeepsARightAlignedEdge) {
    CDrawText text(CRect(100, 10, 200, 30), "A");
    text.SetFormat(DT_RIGHT | DT_SINGLELINE);
    text.SetText("A", true);
    const CRect small = text.GetRect();
    EXPECT_EQ(small.right, 200);
    text.SetText("A much longer text than before", true);
    const CRect large = text.GetRect();
    EXPECT_EQ(large.right, 200);
    EXPECT_LT(large.left, small.left);

    CDrawText left(CRect(100, 10, 200, 30), "A");
    left.SetText("A much longer text than before", true);
    EXPECT_EQ(left.GetRect().left, 100);
    EXPECT_EQ(left.GetRect().Width(), large.Width());

    const int height = left.GetRect().Height();
    left.SetFontSize(40, true);
    EXPECT_EQ(left.GetLogFont().lfHeight, -40);
    EXPECT_GT(left.GetRect().Height(), height);

    LOGFONT font = left.GetLogFont();
    font.lfHeight = 12;
    left.SetLogFont(font);
    EXPECT_EQ(left.GetLogFont().lfHeight, -12);
    EXPECT_LT(left.GetRect().Height(), height);

    left.SetFontWeight(5000);
    EXPECT_EQ(left.GetLogFont().lfWeight, 1000);
}

TEST(DrawingTransformations, RotationsTurnAboutTheTopLeftCornerOrAPivot) {
    CDrawRectangle rect(CRect(100, 100, 140, 110));
    rect.SetRotationAngle(450.0);  // a quarter turn
    ASSERT_EQ(rect.GetTransformations().size(), 1u);
    CTransformation acc;
    rect.ComposeTransformation(acc, rect.GetTransformations()[0]);
    EXPECT_EQ(Map(acc.m_xform, CPoint(100, 100)), CPoint(100, 100));
    EXPECT_EQ(Map(acc.m_xform, CPoint(140, 100)), CPoint(100, 140));
    EXPECT_EQ(Map(acc.m_xform, CPoint(140, 110)), CPoint(90, 140));

    const CPoint pivot(20, 5);  // relative to the top-left corner
    rect.SetRotation(1.0, 0.0, &pivot);
    rect.AddRotationAngle(90.0, &pivot);
    ASSERT_EQ(rect.GetTransformations().size(), 2u);
    CTransformation half;
    for (const CTransformation& t : rect.GetTransformations()) {
        rect.ComposeTransformation(half, t);
    }
    // Two quarter turns about (120, 105): a half turn.
    EXPECT_EQ(Map(half.m_xform, CPoint(120, 105)), CPoint(120, 105));
    EXPECT_EQ(Map(half.m_xform, CPoint(100, 100)), CPoint(140, 110));

    std::unique_ptr<CDrawingObject> copy = rect.Clone();
    rect.ClearTransformations();
    EXPECT_EQ(copy->GetTransformations().size(), 2u);
    rect.AddTransformation(nullptr);
    EXPECT_TRUE(rect.GetTransformations().empty());
}

class GroupingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.OnNewDocument();
        m_doc.CreateDefaultLoops();
        m_doc.SelectLoop(3, false);
    }
    template <class T>
    T* Add(std::unique_ptr<T> object) {
        T* raw = object.get();
        raw->Select(true);
        m_doc.AddDrawingObject(std::move(object));
        return raw;
    }
    CConfDoc m_doc;
};

TEST_F(GroupingTest, GroupingMovesTheSelectedShapesIntoANewGroupAndBack) {
    auto* rect = Add(std::make_unique<CDrawRectangle>(CRect(0, 0, 10, 10)));
    auto* text = Add(std::make_unique<CDrawText>(CRect(20, 20, 60, 30), "t"));
    auto* other = Add(std::make_unique<CDrawEllipse>(CRect(0, 0, 5, 5)));
    other->Select(false);

    CDrawingGroup* group = GroupObjects(m_doc, {rect, text});
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->IsSelected());
    EXPECT_EQ(group->GetLoop(), 3);
    EXPECT_EQ(group->GetRect(), CRect(0, 0, 60, 30));
    ASSERT_EQ(group->GetObjectCount(), 2);
    EXPECT_FALSE(rect->IsSelected());
    ASSERT_EQ(m_doc.GetObjects().size(), 2u);
    EXPECT_EQ(m_doc.GetObjects()[0].get(), other);
    EXPECT_EQ(m_doc.GetObjects()[1].get(), group);

    m_doc.SelectLoop(4, false);
    const std::vector<CDrawingObject*> members = UngroupObject(m_doc, group);
    EXPECT_EQ(members, (std::vector<CDrawingObject*>{rect, text}));
    ASSERT_EQ(m_doc.GetObjects().size(), 3u);
    EXPECT_EQ(m_doc.GetObjects()[1].get(), rect);
    EXPECT_TRUE(rect->IsSelected());
    EXPECT_EQ(text->GetLoop(), 4);
}

TEST_F(GroupingTest, OneShapeMakesNoGroupAndTemplatesUngroupFromTheirList) {
    auto* rect = Add(std::make_unique<CDrawRectangle>(CRect(0, 0, 10, 10)));
    EXPECT_EQ(GroupObjects(m_doc, {rect}), nullptr);

    auto templ = std::make_unique<CDrawingTemplate>();
    templ->AddObject(std::make_unique<CDrawLine>(CPoint(0, 0), CPoint(9, 9)), true);
    CDrawingTemplate* raw = templ.get();
    m_doc.InsertDrawingObject(0, std::move(templ));
    EXPECT_EQ(UngroupObject(m_doc, raw).size(), 1u);
    EXPECT_TRUE(m_doc.GetTemplates().empty());
    EXPECT_EQ(m_doc.GetObjects().size(), 2u);
}

}  // namespace
