// Editing drawing objects with the select tool and the commands: selecting,
// dragging, the arrow keys, handles, alignment, spacing, the clipboard,
// colours and properties, each with its undo entry.
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "editing/EditKeys.h"
#include "editing/TextState.h"

using namespace editkeys;

namespace {

class DrawingEditsTest : public EditingTest {
protected:
    // Drawings are picked and dragged with "&Select"; a new view starts with the block tool.
    void SetUp() override {
        EditingTest::SetUp();
        Editor().SetCurrentTool(Editor().GetSelectTool());
    }
    CDrawingObject* AddRect(const CRect& rect) {
        auto shape = std::make_unique<CDrawRectangle>(rect);
        shape->SetLoop(1);
        CDrawingObject* added = shape.get();
        Editor().AddObject(std::move(shape));
        return added;
    }
    // A press, a drag in steps and a release at the end point (device units).
    void Drag(CPoint from, CPoint to, unsigned flags = 0) {
        Editor().LButtonDown(MK_LBUTTON | flags, from);
        const CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2);
        Editor().MouseMove(MK_LBUTTON | flags, middle);
        Editor().MouseMove(MK_LBUTTON | flags, to);
        Editor().LButtonUp(flags, to);
    }
    void Click(CPoint point, unsigned flags = 0) {
        Editor().LButtonDown(MK_LBUTTON | flags, point);
        Editor().LButtonUp(flags, point);
    }
};

TEST_F(DrawingEditsTest, ClicksSelectAndShiftClicksAddAndRemove) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    CDrawingObject* b = AddRect(CRect(100, 10, 150, 60));
    Click(CPoint(30, 30));
    EXPECT_EQ(Editor().GetSelection(), std::vector<CDrawingObject*>{a});
    Click(CPoint(120, 30), MK_SHIFT);
    EXPECT_EQ(Editor().GetSelection(), (std::vector<CDrawingObject*>{a, b}));
    Click(CPoint(30, 30), MK_SHIFT);
    EXPECT_EQ(Editor().GetSelection(), std::vector<CDrawingObject*>{b});
    Click(CPoint(300, 300));
    EXPECT_EQ(Editor().GetSelectedCount(), 0);
    EXPECT_EQ(UndoCount(), 0) << "selecting records nothing";
}

TEST_F(DrawingEditsTest, ARubberBandSelectsWhatLiesInside) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    AddRect(CRect(100, 10, 150, 60));
    Editor().DeselectAll();
    Drag(CPoint(0, 0), CPoint(80, 80));
    EXPECT_EQ(Editor().GetSelection(), std::vector<CDrawingObject*>{a});
}

TEST_F(DrawingEditsTest, ADragMovesOnceItPassesTheThresholdAndIsOneEntry) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    Drag(CPoint(30, 30), CPoint(33, 33));
    EXPECT_EQ(a->GetRect(), CRect(10, 10, 60, 60)) << "within five pixels nothing moves";
    EXPECT_EQ(UndoCount(), 0);
    Drag(CPoint(30, 30), CPoint(70, 50));
    EXPECT_EQ(a->GetRect(), CRect(50, 30, 100, 80));
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(Description(), "Move some objects");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(a->GetRect(), CRect(10, 10, 60, 60));
    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(a->GetRect(), CRect(50, 30, 100, 80));
}

TEST_F(DrawingEditsTest, EachArrowKeyIsItsOwnEntryAndCtrlDoublesTheGridStep) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    for (int i = 0; i < 5; ++i) {
        Editor().KeyDown(VK_RIGHT, false);
    }
    EXPECT_EQ(a->GetRect().left, 15);
    EXPECT_EQ(UndoCount(), 5);
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(a->GetRect().left, 14);

    Doc().GetGeneralData().m_bSnapToGrid = true;
    Editor().KeyDown(VK_RIGHT, true);
    EXPECT_EQ(a->GetRect().left, 34) << "twice the grid step of 10";
    Editor().KeyDown(VK_DOWN, false);
    EXPECT_EQ(a->GetRect().top, 20);
}

TEST_F(DrawingEditsTest, AHandleDragWithShiftKeepsTheRectangleSquareAndUndoesToItsSize) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    Drag(CPoint(60, 60), CPoint(100, 80), MK_SHIFT);
    const CRect rect = a->GetRect();
    EXPECT_EQ(rect.Width(), rect.Height());
    EXPECT_EQ(Description(), "Resize an object");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(a->GetRect(), CRect(10, 10, 60, 60)) << "the size before the drag";
    Drag(CPoint(60, 60), CPoint(100, 80), MK_CONTROL);
    EXPECT_EQ(a->GetRect(), CRect(10, 10, 100, 60)) << "Ctrl holds the larger direction";
}

TEST_F(DrawingEditsTest, AligningThreeObjectsLeftMovesTheFirstTwoToTheLast) {
    CDrawingObject* a = AddRect(CRect(40, 10, 60, 30));
    CDrawingObject* b = AddRect(CRect(70, 50, 100, 70));
    CDrawingObject* c = AddRect(CRect(20, 90, 50, 110));
    Editor().Select(a, false);
    Editor().Select(b, true);
    Editor().Select(c, true);
    ASSERT_TRUE(Editor().Commands().Align(CLoopCommands::ALIGN_LEFT));
    EXPECT_EQ(a->GetRect().left, 20);
    EXPECT_EQ(b->GetRect().left, 20);
    EXPECT_EQ(c->GetRect(), CRect(20, 90, 50, 110));
    EXPECT_EQ(Description(), "Align some objects");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(a->GetRect().left, 40);
    EXPECT_EQ(b->GetRect().left, 70);

    Editor().Commands().Align(CLoopCommands::ALIGN_CENTER_ALL);
    EXPECT_EQ(a->GetRect().CenterPoint(), c->GetRect().CenterPoint());
}

TEST_F(DrawingEditsTest, EqualSpacingOfThreeMovesOnlyTheMiddleOne) {
    CDrawingObject* left = AddRect(CRect(0, 0, 20, 20));
    CDrawingObject* right = AddRect(CRect(200, 0, 220, 20));
    CDrawingObject* middle = AddRect(CRect(40, 0, 60, 20));
    Editor().Select(left, false);
    Editor().Select(right, true);
    EXPECT_FALSE(Editor().Commands().Arrange(true)) << "two objects: nothing to space";
    EXPECT_EQ(UndoCount(), 0);
    Editor().Select(middle, true);
    ASSERT_TRUE(Editor().Commands().Arrange(true));
    EXPECT_EQ(left->GetRect().left, 0);
    EXPECT_EQ(right->GetRect().left, 200);
    EXPECT_EQ(middle->GetRect().left, 100) << "gaps of (220 - 60) / 2 = 80";
    EXPECT_EQ(Description(), "Arrange some objects");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(middle->GetRect().left, 40);
}

TEST_F(DrawingEditsTest, CopyTakesOnlyTheDrawingObjectsOfASelection) {
    CConfGraphNode* node = PlaceBlock(39, CPoint(250, 100));
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    Editor().Select(node, false);
    Editor().Select(rect, true);
    EXPECT_FALSE(Editor().Commands().CanCutOrCopy()) << "a block cannot be copied";
    ASSERT_TRUE(Editor().Commands().Copy());
    EXPECT_EQ(Editor().GetSelection(), std::vector<CDrawingObject*>{rect});
    ASSERT_EQ(Editor().Commands().GetClipboard().size(), 1u);
    EXPECT_NE(dynamic_cast<CDrawRectangle*>(Editor().Commands().GetClipboard()[0].get()), nullptr);
}

TEST_F(DrawingEditsTest, CutThenUndoRestoresAndPasteMakesNewCopies) {
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    Editor().Select(rect, false);
    ASSERT_TRUE(Editor().Commands().Cut());
    EXPECT_EQ(Description(), "CUT operation with common object.");
    EXPECT_FALSE(Editor().HasObject(rect));
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_TRUE(Editor().HasObject(rect));
    EXPECT_EQ(Editor().GetSelection(), std::vector<CDrawingObject*>{rect});

    ASSERT_TRUE(Editor().Commands().Paste());
    EXPECT_EQ(Description(), "PASTE operation with common object.");
    CDrawingObject* pasted = Editor().GetFirstSelected();
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted, rect);
    EXPECT_EQ(pasted->GetRect(), rect->GetRect());
    Editor().Commands().Paste();
    EXPECT_NE(Editor().GetFirstSelected(), pasted) << "the clipboard keeps its own copies";
    ASSERT_TRUE(Editor().Undo(2));
    EXPECT_EQ(Doc().GetObjects().size(), 1u);
}

TEST_F(DrawingEditsTest, DuplicateOffsetsByTheGridStep) {
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    Doc().GetGeneralData().m_bSnapToGrid = true;
    ASSERT_TRUE(Editor().Commands().Duplicate());
    EXPECT_EQ(Description(), "Duplicate some objects");
    EXPECT_EQ(Editor().GetFirstSelected()->GetRect(), CRect(20, 20, 70, 70));
    EXPECT_NE(Editor().GetFirstSelected(), rect);
}

TEST_F(DrawingEditsTest, ColoursAndWidthsSwapBackAndForth) {
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    auto text = std::make_unique<CDrawText>(CRect(100, 100, 200, 120), "FIC-101");
    text->SetLoop(1);
    CDrawText* label = text.get();
    Editor().AddObject(std::move(text));
    Editor().Select(rect, true);
    const COLORREF fill = rect->GetFillColor();
    ASSERT_TRUE(Editor().Commands().ChangeColor(false, RGB(255, 0, 0)));
    EXPECT_EQ(Description(), "Change fill color");
    EXPECT_EQ(rect->GetFillColor(), RGB(255, 0, 0));
    EXPECT_EQ(label->GetBackColor(), RGB(255, 0, 0)) << "a text's background stands for its fill";
    ASSERT_TRUE(Editor().Commands().ChangeLineWidth(3));
    EXPECT_EQ(rect->GetLineWidth(), 3);
    ASSERT_TRUE(Editor().Undo(2));
    EXPECT_EQ(rect->GetFillColor(), fill);
    EXPECT_EQ(label->GetBackColor(), RGB(255, 255, 255));
    Editor().DeselectAll();
    EXPECT_FALSE(Editor().Commands().ChangeColor(true, 0)) << "nothing selected, nothing done";
}

TEST_F(DrawingEditsTest, PropertiesAreRecordedBeforeTheyChange) {
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    LOGPEN pen = rect->GetLogPen();
    pen.lopnStyle = PS_DASH;
    LOGBRUSH brush{BS_NULL, 0, 0};
    ASSERT_TRUE(Editor().Commands().ApplyShapeProperties(rect, pen, brush));
    EXPECT_EQ(Description(), "Edit filled shape properties");
    EXPECT_FALSE(rect->HasFill());
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_TRUE(rect->HasFill());
    EXPECT_NE(rect->GetLogPen().lopnStyle, static_cast<unsigned>(PS_DASH));

    auto text = std::make_unique<CDrawText>(CRect(100, 100, 200, 120), "OLD");
    text->SetLoop(1);
    CDrawText* label = text.get();
    Editor().AddObject(std::move(text));
    const CRect before = label->GetRect();
    CTextState state = CTextState::Of(*label);
    state.text = "A LONGER TEXT";
    state.opaque = true;
    ASSERT_TRUE(Editor().Commands().ApplyTextProperties(label, state));
    EXPECT_EQ(label->GetText(), "A LONGER TEXT");
    EXPECT_EQ(label->GetBkMode(), 2);
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(label->GetText(), "OLD");
    EXPECT_EQ(label->GetRect(), before);
    EXPECT_EQ(label->GetBkMode(), 1);
}

TEST_F(DrawingEditsTest, AVertexGoesWhereASelectedPolylineIsClicked) {
    const CPoint points[] = {{10, 10}, {110, 10}, {110, 110}};
    auto line = std::make_unique<CDrawPolyline>(points, 3, false);
    line->SetLoop(1);
    CDrawPolyline* polyline = line.get();
    Editor().AddObject(std::move(line));
    Click(CPoint(60, 10));
    EXPECT_EQ(polyline->GetPointCount(), 4);
    EXPECT_EQ(polyline->GetPoint(1), CPoint(60, 10));
    EXPECT_TRUE(Doc().IsModified());

    // A right click on a vertex takes it away; on a two-point line, the line.
    Editor().RButtonDown(0, CPoint(60, 10));
    Editor().RButtonUp(0, CPoint(60, 10));
    EXPECT_EQ(polyline->GetPointCount(), 3);
}

TEST_F(DrawingEditsTest, LockedEditingIgnoresTheMouse) {
    CDrawingObject* rect = AddRect(CRect(10, 10, 60, 60));
    Editor().DeselectAll();
    Editor().Commands().ToggleLockEdition();
    EXPECT_TRUE(Editor().IsEditingLocked());
    EXPECT_EQ(Editor().GetCurrentTool(), nullptr);
    Drag(CPoint(30, 30), CPoint(90, 90));
    EXPECT_EQ(rect->GetRect(), CRect(10, 10, 60, 60));
    EXPECT_EQ(Editor().GetSelectedCount(), 0);
    Editor().Commands().ToggleLockEdition();
    EXPECT_EQ(Editor().GetCurrentTool(), Editor().GetBlockTool());
}

TEST_F(DrawingEditsTest, GroupingForgetsTheHistoryItWouldBreak) {
    CDrawingObject* a = AddRect(CRect(10, 10, 60, 60));
    CDrawingObject* b = AddRect(CRect(100, 10, 150, 60));
    Editor().KeyDown(VK_RIGHT, false);
    Editor().Select(a, false);
    Editor().Select(b, true);
    ASSERT_TRUE(Editor().Commands().Group());
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(Editor().GetSelectedCount(), 1);
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_TRUE(Editor().Commands().Ungroup());
    EXPECT_EQ(Editor().GetSelectedCount(), 2);
}

}  // namespace
