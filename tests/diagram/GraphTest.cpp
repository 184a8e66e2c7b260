// Graph nodes and links: storage, label layout, links following their nodes,
// label placement, the arrow head, dragging, and the value labels of the
// monitored state (also written from another thread while the view draws).
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "DrawingBytes.h"
#include "diagram/ConfGraphIOParameter.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawRectangle.h"
#include "diagram/FakeDrawingView.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"
#include "support/ByteWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Tail(const Bytes& bytes, std::size_t from) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

std::size_t HeaderAndCommonSize(const std::string& className) {
    return 6 + className.size() + 60;
}

std::unique_ptr<CGraphNode> MakeNode(CPoint centre, int size = 60) {
    const CRect rect(centre.x - size / 2, centre.y - size / 2, centre.x + size / 2,
                     centre.y + size / 2);
    auto label = [&](const std::string& text) {
        auto text_label = std::make_unique<CDrawText>(rect, text);
        text_label->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return text_label;
    };
    return std::make_unique<CGraphNode>(std::make_unique<CDrawEllipse>(rect), label("PID"),
                                        label("043"));
}

// Two nodes and a link from the first to the second along the route given
// between their centres.
struct TwoNodes {
    std::unique_ptr<CGraphNode> from;
    std::unique_ptr<CGraphNode> to;
    std::unique_ptr<CGraphLink> link;
};

TwoNodes Linked(CPoint fromCentre, CPoint toCentre, std::vector<CPoint> interior = {}) {
    TwoNodes graph;
    graph.from = MakeNode(fromCentre);
    graph.to = MakeNode(toCentre);
    std::vector<CPoint> route = {fromCentre};
    route.insert(route.end(), interior.begin(), interior.end());
    route.push_back(toCentre);
    graph.link = CGraphLink::CreateBetween(graph.from.get(), graph.to.get(), route, "47", "A");
    return graph;
}

double Distance(CPoint a, CPoint b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

std::vector<CPoint> Route(const CGraphLink& link) {
    const CDrawPolyline* path = link.GetPath();
    return std::vector<CPoint>(path->GetPointData(), path->GetPointData() + path->GetPointCount());
}

// True when any point of the segment lies inside the rectangle.
bool SegmentEntersRect(CPoint a, CPoint b, const CRect& rect) {
    for (int i = 0; i <= 100; ++i) {
        const double t = i / 100.0;
        const double x = a.x + (b.x - a.x) * t;
        const double y = a.y + (b.y - a.y) * t;
        if (x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom) {
            return true;
        }
    }
    return false;
}

// Smallest distance from a point to a rectangle (0 inside).
double DistanceToRect(CPoint p, const CRect& rect) {
    const double dx = std::max(
        {rect.left - static_cast<double>(p.x), 0.0, static_cast<double>(p.x) - rect.right});
    const double dy = std::max(
        {rect.top - static_cast<double>(p.y), 0.0, static_cast<double>(p.y) - rect.bottom});
    return std::hypot(dx, dy);
}

// --- nodes -------------------------------------------------------------------

TEST(GraphNode, CircularNodeLaysOutNameAboveNumber) {
    auto node = MakeNode(CPoint(100, 100));
    // Bands of 60 / 3.2 = 18.75: name band 18 high centred 18 / 1.8 = 10 above
    // the centre, number band 19 high centred 9.5 below it.
    EXPECT_EQ(node->GetRect(), CRect(70, 70, 130, 130));
    EXPECT_EQ(node->GetNameLabel()->GetRect(), CRect(70, 81, 130, 99));
    EXPECT_EQ(node->GetNumberLabel()->GetRect(), CRect(70, 100, 130, 119));
    EXPECT_EQ(node->GetNameLabel()->GetLogFont().lfHeight, -18);
    EXPECT_EQ(node->GetNumberLabel()->GetLogFont().lfHeight, -19);
    EXPECT_EQ(node->GetNameLabel()->GetBkMode(), TRANSPARENT);

    // A new name keeps the layout.
    node->SetName("LONGER NAME");
    EXPECT_EQ(node->GetNameLabel()->GetRect(), CRect(70, 81, 130, 99));

    // Any other shape keeps its labels where they are.
    const CRect wide(0, 0, 80, 40);
    auto label = std::make_unique<CDrawText>(CRect(5, 5, 25, 15), "X");
    CGraphNode oval(std::make_unique<CDrawEllipse>(wide), std::move(label), nullptr);
    EXPECT_EQ(oval.GetNameLabel()->GetRect(), CRect(5, 5, 25, 15));
}

TEST(GraphNode, NumberNameAndLinkName) {
    auto node = MakeNode(CPoint(100, 100));
    node->SetNumberText("007");
    EXPECT_EQ(node->GetNumber(), 7);
    node->SetNumber(42);
    EXPECT_EQ(node->GetNumberText(), "042");

    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 100));
    EXPECT_EQ(graph.from->GetLinkName(graph.link.get()), "PID");
    EXPECT_EQ(node->GetLinkName(graph.link.get()), "");
    node->SetNameLabel(nullptr);
    EXPECT_EQ(node->GetLinkName(graph.link.get()), "FAIL !!!");

    // Both nodes list the link; a plain node has no ports.
    EXPECT_EQ(graph.from->GetLinks(), std::vector<CGraphLink*>{graph.link.get()});
    EXPECT_EQ(graph.to->GetLinks(), std::vector<CGraphLink*>{graph.link.get()});
    std::string ports = "x";
    EXPECT_FALSE(graph.from->GetOutputPorts(nullptr, ports));
    EXPECT_FALSE(graph.from->GetFreeInputPorts(nullptr, ports));
    graph.link->Disconnect(nullptr);
    EXPECT_TRUE(graph.from->GetLinks().empty());
    EXPECT_TRUE(graph.to->GetLinks().empty());
}

TEST(GraphNode, SetSizeKeepsTheCentreAndReconnects) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 100));
    graph.from->Select(true);
    CFakeDrawingView view;
    graph.from->SetSize(&view, 60, 60);
    EXPECT_TRUE(view.m_invalidated.empty());  // already that size

    graph.from->SetSize(&view, 100, 100);
    EXPECT_EQ(graph.from->GetRect(), CRect(50, 50, 150, 150));
    EXPECT_EQ(graph.from->GetShape()->GetRect(), CRect(50, 50, 150, 150));
    EXPECT_NEAR(Distance(Route(*graph.link).front(), CPoint(100, 100)), 50.0, 1.5);
    EXPECT_FALSE(view.m_invalidated.empty());
}

TEST(GraphNodeStorage, PartsThenLinkReferences) {
    // A node whose link was stored before refers back to it: link class 1,
    // link 2, then the node.
    CGraphLink link;
    CGraphNode bare;
    bare.AddLink(&link);
    CArchive ar;
    ar.WriteObject(&link);
    const std::size_t nodeStart = ar.GetBuffer().size();
    ar.WriteObject(&bare);
    EXPECT_EQ(Tail(ar.GetBuffer(), nodeStart + HeaderAndCommonSize("CGraphNode")),
              CByteWriter().U16(0).U16(0).U16(0).I32(1).U16(0x0002).Get());

    // Shape, name and number follow the drawing object part as objects.
    auto node = MakeNode(CPoint(100, 100));
    CArchive full;
    full.WriteObject(node.get());
    const Bytes bytes = full.GetBuffer();
    const Bytes ellipse = CByteWriter().ClassRecord("CDrawEllipse", 2).Get();
    EXPECT_TRUE(std::equal(ellipse.begin(), ellipse.end(),
                           bytes.begin() + HeaderAndCommonSize("CGraphNode")));
    EXPECT_EQ(Tail(bytes, bytes.size() - 4), CByteWriter().I32(0).Get());

    CArchive in(bytes);
    std::unique_ptr<CGraphNode> loaded = in.ReadOwned<CGraphNode>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(in.GetUnownedCount(), 0u);
    EXPECT_EQ(loaded->GetShape()->GetRect(), CRect(70, 70, 130, 130));
    EXPECT_EQ(loaded->GetName(), "PID");
    EXPECT_EQ(loaded->GetNumberText(), "043");
    EXPECT_EQ(loaded->GetNameLabel()->GetRect(), node->GetNameLabel()->GetRect());
}

TEST(GraphNodeStorage, RefusesWrongShapesAndImpossibleCounts) {
    CGraphNode boxed(std::make_unique<CDrawRectangle>(CRect(0, 0, 50, 50)), nullptr, nullptr);
    CArchive out;
    out.WriteObject(&boxed);
    CArchive in(out.GetBuffer());
    EXPECT_THROW(in.ReadOwned<CGraphNode>(), CArchiveException);

    const Bytes huge = CByteWriter()
                           .ClassRecord("CGraphNode", 2)
                           .Append(DrawingCommonPart(1, 0, 1, 0, 0))
                           .U16(0)
                           .U16(0)
                           .U16(0)
                           .I32(0x7FFFFFFF)
                           .Get();
    CArchive damaged(huge);
    EXPECT_THROW(damaged.ReadOwned<CGraphNode>(), CArchiveException);
}

// --- link storage ------------------------------------------------------------

TEST(GraphLinkStorage, ReferencesNameOffsetsAndShowFlags) {
    const Bytes tail = CByteWriter()
                           .U16(0)  // route
                           .U16(0)  // arrow head
                           .U16(0)  // output label
                           .U16(0)  // input label
                           .U16(0)  // source
                           .U16(0)  // destination
                           .String("FT-101")
                           .I32s({1, 2, 3, 4})
                           .I32s({0, 1})
                           .Get();
    const Bytes bytes = CByteWriter()
                            .ClassRecord("CGraphLink", 2)
                            .Append(DrawingCommonPart(1, 0, 1, 2, 0))
                            .Append(tail)
                            .Get();
    CArchive in(bytes);
    std::unique_ptr<CGraphLink> link = in.ReadOwned<CGraphLink>();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(link->GetName(), "FT-101");
    EXPECT_EQ(link->GetOutLabelOffset(), CPoint(1, 2));
    EXPECT_EQ(link->GetInLabelOffset(), CPoint(3, 4));
    EXPECT_FALSE(link->IsShowOutLabel());
    EXPECT_TRUE(link->IsShowInLabel());

    CArchive out;
    out.WriteObject(link.get());
    EXPECT_EQ(out.GetBuffer(), bytes);
}

TEST(GraphLinkStorage, SchemaZeroLinkShowsBothLabels) {
    const Bytes bytes = CByteWriter()
                            .ClassRecord("CGraphLink", 0)
                            .Append(DrawingCommonPart(1, 0, 0, 1, 0))
                            .U16(0)
                            .U16(0)
                            .U16(0)
                            .U16(0)
                            .U16(0)
                            .U16(0)
                            .String("")
                            .I32s({0, 0, 0, 0})
                            .Get();
    CArchive in(bytes);
    std::unique_ptr<CGraphLink> link = in.ReadOwned<CGraphLink>();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_TRUE(link->IsShowOutLabel());
    EXPECT_TRUE(link->IsShowInLabel());
}

TEST(GraphLinkStorage, RoundTripKeepsPartsAndLabelsTakeTheLinksLoop) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 200), {CPoint(200, 100)});
    graph.link->SetLoop(3);
    graph.link->GetOutLabel()->SetLoop(0);
    graph.link->ShowInLabel(false, nullptr);

    // The link, then both nodes, as a document's graph list holds them.
    CArchive out;
    out.WriteObject(graph.link.get());
    out.WriteObject(graph.from.get());
    out.WriteObject(graph.to.get());
    CArchive in(out.GetBuffer());
    std::unique_ptr<CGraphLink> link = in.ReadOwned<CGraphLink>();
    std::unique_ptr<CGraphNode> from = in.ReadOwned<CGraphNode>();
    std::unique_ptr<CGraphNode> to = in.ReadOwned<CGraphNode>();
    EXPECT_EQ(in.GetUnownedCount(), 0u);
    ASSERT_TRUE(link && from && to);
    EXPECT_EQ(link->GetFrom(), from.get());
    EXPECT_EQ(link->GetTo(), to.get());
    EXPECT_EQ(from->GetLinks(), std::vector<CGraphLink*>{link.get()});
    EXPECT_EQ(Route(*link), Route(*graph.link));
    ASSERT_NE(link->GetArrow(), nullptr);
    EXPECT_EQ(link->GetArrow()->GetRect(), graph.link->GetArrow()->GetRect());
    EXPECT_EQ(link->GetOutLabel()->GetText(), "47");
    EXPECT_EQ(link->GetOutLabel()->GetLoop(), 3);
    EXPECT_EQ(link->GetOutLabel()->GetRect(), graph.link->GetOutLabel()->GetRect());
    EXPECT_FALSE(link->IsShowInLabel());
}

// --- placement ---------------------------------------------------------------

TEST(GraphLink, LabelFormatFollowsTheQuadrantAndStaysOffTheSegment) {
    struct Case {
        CPoint to;
        unsigned outFormat;
        unsigned inFormat;
    };
    const CPoint centre(200, 200);
    for (const Case& c : {Case{CPoint(320, 80), 32u, 42u}, Case{CPoint(80, 80), 34u, 40u},
                          Case{CPoint(80, 320), 42u, 32u}, Case{CPoint(320, 320), 40u, 34u},
                          Case{CPoint(360, 200), 32u, 42u}, Case{CPoint(200, 40), 32u, 40u},
                          Case{CPoint(200, 360), 40u, 32u}, Case{CPoint(40, 200), 42u, 32u}}) {
        SCOPED_TRACE(testing::Message() << "to " << c.to.x << "," << c.to.y);
        TwoNodes graph = Linked(centre, c.to);
        const std::vector<CPoint> route = Route(*graph.link);
        const CDrawText* out = graph.link->GetOutLabel();
        const CDrawText* in = graph.link->GetInLabel();
        EXPECT_EQ(out->GetFormat(), c.outFormat);
        EXPECT_EQ(in->GetFormat(), c.inFormat);
        for (const CRect& label : {out->GetRect(), in->GetRect()}) {
            EXPECT_FALSE(SegmentEntersRect(route.front(), route.back(), label));
        }
        // Near its end, outside its node.
        EXPECT_LT(DistanceToRect(route.front(), out->GetRect()), 30.0);
        EXPECT_LT(DistanceToRect(route.back(), in->GetRect()), 30.0);
        EXPECT_GT(DistanceToRect(centre, out->GetRect()), 30.0);
        EXPECT_GT(DistanceToRect(c.to, in->GetRect()), 30.0);
    }
}

TEST(GraphLink, ClearanceIsTheArrowHeadOrSevenByEight) {
    // A horizontal link to the right: the output label starts half the
    // clearance width past the end, the input label ends the clearance width
    // before its end (the whole arrow head, or 7 without one).
    TwoNodes withArrow = Linked(CPoint(100, 100), CPoint(300, 100));
    const std::vector<CPoint> route = Route(*withArrow.link);
    EXPECT_EQ(withArrow.link->GetOutLabel()->GetRect().left - route.front().x, 5);
    EXPECT_EQ(route.back().x - withArrow.link->GetInLabel()->GetRect().right, 10);

    auto from = MakeNode(CPoint(100, 100));
    auto to = MakeNode(CPoint(300, 100));
    const CPoint points[] = {{100, 100}, {300, 100}};
    auto label = [](const char* text) {
        auto port = std::make_unique<CDrawText>(CRect(), text);
        port->SetFontSize(10, true);
        return port;
    };
    CGraphLink bare(std::make_unique<CDrawPolyline>(points, 2, false), nullptr, label("47"),
                    label("A"));
    bare.Connect(from.get(), to.get(), 0);
    bare.ConnectEnd(nullptr, nullptr);
    bare.UpdateDecorations(nullptr);
    const std::vector<CPoint> bareRoute = Route(bare);
    EXPECT_EQ(bare.GetOutLabel()->GetRect().left - bareRoute.front().x, 7);
    EXPECT_EQ(bareRoute.back().x - bare.GetInLabel()->GetRect().right, 7);
    // Across the segment: half the clearance height.
    EXPECT_EQ(bare.GetOutLabel()->GetRect().top - bareRoute.front().y, 4);
}

TEST(GraphLink, ArrowHeadPointsAlongTheLastSegment) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 250));
    const std::vector<CPoint> route = Route(*graph.link);
    const CPoint tip = route.back();
    const CPoint before = route[route.size() - 2];
    const CDrawPolyline* arrow = graph.link->GetArrow();
    EXPECT_EQ(arrow->GetRect(), CRect(tip.x, tip.y - 4, tip.x + 10, tip.y + 4));
    ASSERT_EQ(arrow->GetTransformations().size(), 1u);
    const XFORM& turn = arrow->GetTransformations()[0].GetXForm();
    const double length = Distance(tip, before);
    EXPECT_NEAR(turn.eM11, (tip.x - before.x) / length, 1e-6);
    EXPECT_NEAR(turn.eM12, (tip.y - before.y) / length, 1e-6);
    EXPECT_NEAR(turn.eM21, -(tip.y - before.y) / length, 1e-6);
    EXPECT_FLOAT_EQ(turn.eDx, 0.0f);
    EXPECT_FLOAT_EQ(turn.eDy, 4.0f);

    // Straight down into the destination: a quarter turn.
    TwoNodes down = Linked(CPoint(100, 100), CPoint(300, 300), {CPoint(300, 100)});
    const XFORM& quarter = down.link->GetArrow()->GetTransformations()[0].GetXForm();
    EXPECT_NEAR(quarter.eM11, 0.0, 1e-6);
    EXPECT_NEAR(quarter.eM12, 1.0, 1e-6);
}

// --- following the nodes -----------------------------------------------------

TEST(GraphLink, OneNodeMovedAloneMovesOnlyItsEnd) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(400, 100), {CPoint(250, 300)});
    const std::vector<CPoint> before = Route(*graph.link);

    // A dragged output label keeps its offset until its end is reconnected.
    ASSERT_TRUE(graph.link->HitTest(graph.link->GetOutLabel()->GetRect().CenterPoint(), nullptr));
    ASSERT_EQ(graph.link->GetDragPart(), CGraphLink::DRAG_OUT_LABEL);
    graph.link->Offset(CSize(5, 0), nullptr);
    graph.link->Offset(CSize(0, 3), nullptr);
    EXPECT_EQ(graph.link->GetOutLabelOffset(), CPoint(5, 3));
    EXPECT_EQ(Route(*graph.link), before);

    // Not selected: the link does not follow.
    graph.from->Offset(CSize(0, 50), nullptr);
    EXPECT_EQ(Route(*graph.link), before);
    graph.from->Offset(CSize(0, -50), nullptr);

    graph.from->Select(true);
    graph.from->Offset(CSize(0, 50), nullptr);
    const std::vector<CPoint> after = Route(*graph.link);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], before[2]);
    EXPECT_NEAR(Distance(after[0], CPoint(100, 150)), 30.0, 1.5);
    EXPECT_EQ(graph.link->GetOutLabelOffset(), CPoint(0, 0));
}

TEST(GraphLink, BothNodesSelectedMoveTheWholeRoute) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(400, 100), {CPoint(250, 300)});
    const std::vector<CPoint> before = Route(*graph.link);
    graph.from->Select(true);
    graph.to->Select(true);
    graph.link->Select(true);
    ASSERT_TRUE(graph.link->HitTest(CPoint(250, 300), nullptr));
    const CSize delta(40, 30);
    graph.from->Offset(delta, nullptr);
    graph.to->Offset(delta, nullptr);
    graph.link->Offset(delta, nullptr);
    const std::vector<CPoint> after = Route(*graph.link);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[1], before[1] + delta);
    for (std::size_t i : {std::size_t{0}, after.size() - 1}) {
        EXPECT_NEAR(after[i].x, before[i].x + delta.cx, 1.0);
        EXPECT_NEAR(after[i].y, before[i].y + delta.cy, 1.0);
    }
}

TEST(GraphLink, TwoVertexLinkIsResetToAnchorsAndClippedToBothOutlines) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 100));
    graph.from->Select(true);
    graph.from->Offset(CSize(0, 100), nullptr);
    const std::vector<CPoint> route = Route(*graph.link);
    ASSERT_EQ(route.size(), 2u);
    const CPoint a(100, 200);
    const CPoint b(300, 100);
    EXPECT_NEAR(Distance(route[0], a), 30.0, 1.5);
    EXPECT_NEAR(Distance(route[1], b), 30.0, 1.5);
    // Both ends lie on the line between the centres.
    for (const CPoint& end : route) {
        const double cross = (b.x - a.x) * static_cast<double>(end.y - a.y) -
                             (b.y - a.y) * static_cast<double>(end.x - a.x);
        EXPECT_LT(std::abs(cross) / Distance(a, b), 1.5);
    }
}

TEST(GraphLink, HitPartsDecideWhatADragMoves) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(400, 100), {CPoint(250, 300)});
    const std::vector<CPoint> before = Route(*graph.link);

    EXPECT_FALSE(graph.link->HitTest(CPoint(250, 20), nullptr));
    EXPECT_EQ(graph.link->GetDragPart(), CGraphLink::DRAG_NONE);
    const CPoint inCentre = graph.link->GetInLabel()->GetRect().CenterPoint();
    ASSERT_TRUE(graph.link->HitTest(inCentre, nullptr));
    EXPECT_EQ(graph.link->GetDragPart(), CGraphLink::DRAG_IN_LABEL);
    EXPECT_TRUE(graph.link->IsLabelDragged());
    // A label drag never bends the route.
    graph.link->MoveHandleTo(2, 0, 0, nullptr);
    EXPECT_EQ(Route(*graph.link), before);
    // A hidden label cannot be grabbed.
    graph.link->ShowInLabel(false, nullptr);
    EXPECT_FALSE(graph.link->HitTest(inCentre, nullptr));

    // Dragging the interior vertex reconnects both ends of a three-vertex route.
    ASSERT_TRUE(graph.link->HitTest(CPoint(250, 300), nullptr));
    EXPECT_EQ(graph.link->GetDragPart(), CGraphLink::DRAG_ROUTE);
    EXPECT_EQ(graph.link->GetHandleCount(), 2);
    graph.link->MoveHandleTo(2, 250, -100, nullptr);
    const std::vector<CPoint> after = Route(*graph.link);
    EXPECT_EQ(after[1], CPoint(250, -100));
    EXPECT_LT(after[0].y, 100);
    EXPECT_LT(after[2].y, 100);
    EXPECT_NEAR(Distance(after[0], CPoint(100, 100)), 30.0, 1.5);
    EXPECT_NEAR(Distance(after[2], CPoint(400, 100)), 30.0, 1.5);
}

// --- monitoring --------------------------------------------------------------

TEST(GraphOnline, ValueLabelsStandInForThePortLabels) {
    TwoNodes graph = Linked(CPoint(100, 100), CPoint(300, 100));
    CGraphLink& link = *graph.link;
    link.ShowOutLabel(false, nullptr);
    link.SetOnlineValue(nullptr, "1.0");  // not online: ignored
    EXPECT_EQ(link.GetOutLabel()->GetText(), "47");

    link.BeginOnline(nullptr);
    EXPECT_TRUE(link.GetOnline());
    auto* out = dynamic_cast<CConfGraphIOParameter*>(link.GetOutLabel());
    auto* in = dynamic_cast<CConfGraphIOParameter*>(link.GetInLabel());
    ASSERT_NE(out, nullptr);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(out->GetSavedShow(), 0);
    EXPECT_EQ(in->GetSavedShow(), 1);
    EXPECT_FALSE(link.IsShowInLabel());
    EXPECT_EQ(link.GetOutPortText(), "47");
    link.BeginOnline(nullptr);
    EXPECT_EQ(link.GetOutLabel(), out);

    link.SetOnlineValue(nullptr, "12.5");
    EXPECT_EQ(out->GetText(), "47=12.5");
    EXPECT_EQ(in->GetText(), "A=12.5");
    EXPECT_EQ(link.GetOutPortText(), "47");
    EXPECT_EQ(link.GetInPortText(), "A");

    link.EndOnline(nullptr);
    EXPECT_FALSE(link.GetOnline());
    EXPECT_EQ(dynamic_cast<CConfGraphIOParameter*>(link.GetOutLabel()), nullptr);
    EXPECT_EQ(dynamic_cast<CConfGraphIOParameter*>(link.GetInLabel()), nullptr);
    EXPECT_EQ(link.GetOutLabel()->GetText(), "47");
    EXPECT_EQ(link.GetInLabel()->GetText(), "A");
    EXPECT_FALSE(link.IsShowOutLabel());
    EXPECT_TRUE(link.IsShowInLabel());
    link.SetOnlineValue(nullptr, "3");
    EXPECT_EQ(link.GetOutLabel()->GetText(), "47");
}

TEST(GraphOnlineThreads, ValuesArriveWhileTheViewDraws) {
    TwoNodes graph = Linked(CPoint(60, 60), CPoint(160, 140));
    CGraphLink& link = *graph.link;
    link.BeginOnline(nullptr);

    constexpr int kValues = 400;
    std::thread monitor([&link] {
        for (int i = 0; i < kValues; ++i) {
            link.SetOnlineValue(nullptr, std::to_string(i));
        }
    });
    QImage image(220, 220, QImage::Format_RGB32);
    for (int i = 0; i < 60; ++i) {
        image.fill(Qt::white);
        CDC dc(image);
        link.Draw(dc);
        link.HitTest(CPoint(70, 70), nullptr);
        (void)link.GetInvalidRect();
    }
    monitor.join();
    EXPECT_EQ(link.GetOutLabel()->GetText(), "47=" + std::to_string(kValues - 1));
    link.EndOnline(nullptr);
    EXPECT_EQ(link.GetOutLabel()->GetText(), "47");
}

}  // namespace
