#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTabBar>

#include "diagram/DrawingClasses.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabChildFrame.h"
#include "editing/ui/ZoomMapping.h"
#include "support/TestPaths.h"

namespace {

CZoomMapping MappingWithClient(CSize client, float zoom = 1.0F) {
    CZoomMapping mapping;
    mapping.SetPageSize(CSize(816, 1056));
    mapping.SetClientSize(client);
    mapping.SetZoom(zoom);
    return mapping;
}

}  // namespace

TEST(ZoomMapping, HundredUnitsAreDisplayResolutionTimesZoom) {
    // A client smaller than the page: no centring, origin follows the scroll.
    CZoomMapping mapping = MappingWithClient(CSize(300, 300));
    EXPECT_EQ(mapping.GetScaledResolution(), 96);
    EXPECT_EQ(mapping.LPtoDP(CPoint(100, 200)) - mapping.LPtoDP(CPoint(0, 0)), CSize(96, 192));
    // The window origin offset: logical (-20, -20) is the top-left pixel.
    EXPECT_EQ(mapping.LPtoDP(CPoint(-20, -20)), CPoint(0, 0));
    EXPECT_EQ(mapping.DPtoLP(CPoint(0, 0)), CPoint(-20, -20));

    mapping.SetZoom(static_cast<float>(1.0 * CZoomMapping::kZoomStep));
    EXPECT_EQ(mapping.GetScaledResolution(), 120);
    EXPECT_EQ(mapping.LPtoDP(CPoint(80, 80)), CPoint(120, 120));

    mapping.SetZoom(0.33F);  // 96 x 0.33 = 31.68, truncated
    EXPECT_EQ(mapping.GetScaledResolution(), 31);
}

TEST(ZoomMapping, ScrollingMovesTheOriginAndRoundTrips) {
    CZoomMapping mapping = MappingWithClient(CSize(200, 150), 2.0F);
    mapping.SetScrollPosition(CPoint(50, 70));
    EXPECT_EQ(mapping.GetViewportOrigin(), CPoint(-50, -70));
    for (const CPoint point : {CPoint(0, 0), CPoint(100, 250), CPoint(-20, 815)}) {
        EXPECT_EQ(mapping.DPtoLP(mapping.LPtoDP(point)), point);
    }
}

TEST(ZoomMapping, PageSmallerThanClientIsCentred) {
    // Page 816 x 1056 plus margins = 856 x 1096 units = 821 x 1052 pixels at 1.0.
    CZoomMapping mapping = MappingWithClient(CSize(1021, 500));
    mapping.SetScrollPosition(CPoint(0, 40));
    EXPECT_EQ(mapping.GetDevicePageSize(), CSize(821, 1052));
    // Narrower than the client: centred horizontally; taller: follows the scroll.
    EXPECT_EQ(mapping.GetViewportOrigin(), CPoint(100, -40));

    mapping.SetCenterPage(false);
    EXPECT_EQ(mapping.GetViewportOrigin(), CPoint(0, -40));

    mapping.SetZoom(0.5F);
    mapping.SetCenterPage(true);
    mapping.SetScrollPosition(CPoint(0, 10));
    EXPECT_EQ(mapping.GetScaledPageSize(), CSize(410, 526));
    EXPECT_EQ(mapping.GetViewportOrigin(), CPoint((1021 - 410) / 2, -10));
    EXPECT_EQ(mapping.GetScrollRange(), CSize(0, 26));
}

TEST(ZoomMapping, FitFactorTakesTheSmallerDirection) {
    const CZoomMapping mapping = MappingWithClient(CSize(399, 199));
    // 400 / 200 across, 200 / 400 down: the height decides.
    EXPECT_FLOAT_EQ(mapping.FitFactor(CRect(0, 0, 200, 400)), 0.5F);
    EXPECT_FLOAT_EQ(mapping.FitFactor(CRect(100, 100, 0, 0)), 2.0F);
    EXPECT_FLOAT_EQ(mapping.FitFactor(CRect(0, 0, 800, 50)), 0.5F);
}

TEST(ZoomMapping, CentringIsClampedToTheScrollRange) {
    const CZoomMapping mapping = MappingWithClient(CSize(400, 300));
    EXPECT_EQ(mapping.ScrollToCenterOn(CPoint(-20, -20)), CPoint(0, 0));
    const CSize range = mapping.GetScrollRange();
    EXPECT_EQ(mapping.ScrollToCenterOn(CPoint(5000, 5000)), CPoint(range.cx, range.cy));
    // Logical 400 is pixel 403 unscrolled; half the client is 200.
    EXPECT_EQ(mapping.ScrollToCenterOn(CPoint(400, 400)), CPoint(203, 253));
}

TEST(LoopViewSnap, RoundsToNearestAndHalfStepDown) {
    EXPECT_EQ(CLoopView::SnapToGrid(14, 10), 10);
    EXPECT_EQ(CLoopView::SnapToGrid(15, 10), 10);
    EXPECT_EQ(CLoopView::SnapToGrid(16, 10), 20);
    EXPECT_EQ(CLoopView::SnapToGrid(20, 10), 20);
    EXPECT_EQ(CLoopView::SnapToGrid(-14, 10), -10);
    EXPECT_EQ(CLoopView::SnapToGrid(-15, 10), -20);
    EXPECT_EQ(CLoopView::SnapToGrid(-16, 10), -20);
    EXPECT_EQ(CLoopView::SnapToGrid(7, 5), 5);
    EXPECT_EQ(CLoopView::SnapToGrid(8, 5), 10);
    EXPECT_EQ(CLoopView::SnapToGrid(37, 0), 37);
}

class LoopViewTest : public testing::Test {
protected:
    void SetUp() override {
        document.OnNewDocument();
        view = std::make_unique<CLoopView>(document);
        view->resize(500, 400);
        view->show();
        QApplication::processEvents();
    }

    CConfDoc document;
    std::unique_ptr<CLoopView> view;
};

TEST_F(LoopViewTest, SnapPointFollowsTheDocumentGridAndReportsThePosition) {
    std::vector<CPoint> reported;
    view->SetPositionCallback([&](CPoint point) { reported.push_back(point); });
    document.GetGeneralData().m_gridSpacing = CSize(10, 20);

    CPoint point(25, 31);
    view->SnapPoint(point);
    EXPECT_EQ(point, CPoint(20, 40));

    document.GetGeneralData().m_bSnapToGrid = false;
    CPoint free(25, 31);
    view->SnapPoint(free);
    EXPECT_EQ(free, CPoint(25, 31));
    EXPECT_EQ(view->GetLastPoint(), CPoint(25, 31));
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], CPoint(20, 40));
}

TEST_F(LoopViewTest, ZoomStepsAndSmallRectangles) {
    const float start = view->GetZoom();
    view->ZoomIn();
    EXPECT_FLOAT_EQ(view->GetZoom(), start * 1.25F);
    view->ZoomOut();
    EXPECT_FLOAT_EQ(view->GetZoom(), start);

    // Under 10 pixels on its larger side: exactly one step in.
    view->ZoomToRect(CRect(100, 100, 108, 105));
    EXPECT_FLOAT_EQ(view->GetZoom(), start * 1.25F);

    const CSize client = view->GetMapping().GetClientSize();
    view->ZoomToRect(CRect(0, 0, 400, 100));
    EXPECT_FLOAT_EQ(view->GetZoom(), std::min((client.cx + 1) / 400.0F, (client.cy + 1) / 100.0F));
}

TEST_F(LoopViewTest, ZoomCommandsSetTheirKind) {
    view->ZoomFull();
    EXPECT_EQ(view->GetZoomKind(), CZoomView::ZOOM_FULL);
    const CSize page = view->GetMapping().GetScaledPageSize();
    const CSize client = view->GetMapping().GetClientSize();
    EXPECT_LE(page.cx, client.cx);
    EXPECT_LE(page.cy, client.cy);
    const float full = view->GetZoom();

    view->ZoomWidth();
    EXPECT_EQ(view->GetZoomKind(), CZoomView::ZOOM_WIDTH);
    view->ZoomHalf();
    EXPECT_EQ(view->GetZoomKind(), CZoomView::ZOOM_HALF);
    EXPECT_GT(view->GetZoom(), full);

    // A new document has no objects: only the full-page zoom happens.
    view->ZoomToLoopObjects();
    EXPECT_EQ(view->GetZoomKind(), CZoomView::ZOOM_OBJECTS);
    EXPECT_FLOAT_EQ(view->GetZoom(), full);
}

TEST_F(LoopViewTest, UpdateHintsForPageSizeAndOnlineState) {
    int cleared = 0;
    view->SetClearPositionCallback([&] { ++cleared; });
    std::vector<long> hints;
    view->SetUpdateListener([&](long hint) { hints.push_back(hint); });

    document.SetPageSetup(CSize(1056, 816), 9, 2);
    document.UpdateAllViews(nullptr, CLoopView::HINT_PAGE_SIZE);
    EXPECT_EQ(view->GetLogicalSize(), CSize(1056, 816));
    EXPECT_FALSE(view->CanZoomWidth());

    document.UpdateAllViews(nullptr, CLoopView::HINT_LEAVE_ONLINE);
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(view->IsMonitoring());
    EXPECT_EQ(hints, (std::vector<long>{8, 9}));
}

TEST_F(LoopViewTest, KeypadPlusAndMinusZoom) {
    const float start = view->GetZoom();
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, "+");
    QApplication::sendEvent(view.get(), &plus);
    EXPECT_FLOAT_EQ(view->GetZoom(), start * 1.25F);
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier, "-");
    QApplication::sendEvent(view.get(), &minus);
    QApplication::sendEvent(view.get(), &minus);
    EXPECT_FLOAT_EQ(view->GetZoom(), start / 1.25F);
    // The main keyboard's plus is not a zoom key.
    QKeyEvent mainPlus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+");
    QApplication::sendEvent(view.get(), &mainPlus);
    EXPECT_FLOAT_EQ(view->GetZoom(), start / 1.25F);
}

TEST_F(LoopViewTest, UnregistersFromTheDocument) {
    EXPECT_EQ(document.GetViews().size(), 1u);
    view.reset();
    EXPECT_TRUE(document.GetViews().empty());
}

class TabFrameTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterDrawingClasses(); }

    void SetUp() override {
        ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant())) << document.GetLastError();
        document.SelectLoop(1, false);
        frame = std::make_unique<CTabChildFrame>(document);
        frame->resize(1000, 1200);
        frame->show();
        QApplication::processEvents();
    }

    CConfDoc document;
    std::unique_ptr<CTabChildFrame> frame;
};

TEST_F(TabFrameTest, OneTabPerLoopWithItsName) {
    const QTabBar* tabs = frame->GetTabBar();
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0).toStdString(), " Loop 1: LEVEL");
    EXPECT_EQ(tabs->tabText(1).toStdString(), " Loop 2: TEMP");
    EXPECT_EQ(tabs->tabText(2).toStdString(), " Loop 3: LOOP_3");
    EXPECT_EQ(tabs->tabText(3).toStdString(), " Loop 4: LOOP_4");
    EXPECT_EQ(tabs->tabText(4).toStdString(), " Loop G: PLANT");
    EXPECT_EQ(tabs->currentIndex(), 0);

    document.SetLoopName(2, "FLOW");
    document.UpdateAllViews(nullptr, CLoopView::HINT_NAMES);
    EXPECT_EQ(tabs->tabText(1).toStdString(), " Loop 2: FLOW");
}

TEST_F(TabFrameTest, TabsAndCurrentLoopFollowEachOther) {
    frame->GetTabBar()->setCurrentIndex(1);
    EXPECT_EQ(document.GetCurrentLoopNumber(), 2);
    EXPECT_EQ(frame->GetLoopView()->GetLoopNumber(), 2);

    document.SelectLoop(5, true);
    EXPECT_EQ(frame->GetTabBar()->currentIndex(), 4);
    EXPECT_EQ(frame->GetLoopView()->GetLoopNumber(), 5);
}

TEST_F(TabFrameTest, NewDocumentGetsDefaultLoopsAndCapitalLabels) {
    CConfDoc empty;
    CTabChildFrame newFrame(empty);
    ASSERT_EQ(newFrame.GetTabBar()->count(), 5);
    EXPECT_EQ(newFrame.GetTabBar()->tabText(0).toStdString(), " LOOP 1: " + empty.GetLoopName(1));
    EXPECT_EQ(newFrame.GetTabBar()->tabText(4).toStdString(), " LOOP G: " + empty.GetLoopName(5));
}

TEST_F(TabFrameTest, ViewShowsThePageAndLoopOneInk) {
    CLoopView* view = frame->GetLoopView();
    const CRect extent = view->GetLoopExtent();
    ASSERT_FALSE(extent.IsRectEmpty());
    // Everything of loop 1 in view.
    view->ZoomToRect(CRect(-20, -20, extent.right + 20, extent.bottom + 20));
    QApplication::processEvents();

    const QImage image = view->viewport()->grab().toImage();
    const COLORREF paper = document.GetPaperColor();
    const QRgb paperRgb = qRgb(GetRValue(paper), GetGValue(paper), GetBValue(paper));
    const COLORREF grid = document.GetGeneralData().m_crGrid;
    const QRgb gridRgb = qRgb(GetRValue(grid), GetGValue(grid), GetBValue(grid));

    // The grey surround in the margin, the page just inside its top-left corner.
    const CPoint margin = view->LPtoDP(CPoint(-10, -10));
    EXPECT_EQ(image.pixel(margin.x, margin.y) & 0xFFFFFF, 0x808080u);
    const CPoint corner = view->LPtoDP(CPoint(3, 3));
    EXPECT_EQ(image.pixel(corner.x, corner.y) & 0xFFFFFF, paperRgb & 0xFFFFFF);

    CRect area = view->LPtoDP(extent);
    area.NormalizeRect();
    const auto countInk = [&](const QImage& shot) {
        int ink = 0;
        for (int y = std::max(0, area.top); y < std::min(shot.height(), area.bottom); ++y) {
            for (int x = std::max(0, area.left); x < std::min(shot.width(), area.right); ++x) {
                const QRgb pixel = shot.pixel(x, y) & 0xFFFFFF;
                if (pixel != (paperRgb & 0xFFFFFF) && pixel != (gridRgb & 0xFFFFFF)) {
                    ++ink;
                }
            }
        }
        return ink;
    };
    EXPECT_GT(countInk(image), 100);

    // Loop 3 is empty: the same area is bare page.
    frame->GetTabBar()->setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_EQ(countInk(view->viewport()->grab().toImage()), 0);
}
