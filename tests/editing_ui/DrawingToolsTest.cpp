// The shape and text tools on the loop view: a press, a drag and a release
// draw one object as one undo entry; a click without a drag, or Escape while
// drawing, leaves nothing behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphBlockList.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabFunctList.h"
#include "editing/ui/TextEntryDlg.h"
#include "model/Block.h"
#include "support/ModalAnswerer.h"
#include "support/TestPaths.h"
#include "vexilla/ListCtrlEx.h"

namespace {

class DrawingToolsTest : public LoopViewFixture {
protected:
    void PrepareDocument() override {
        // Exact points: no grid to snap to.
        document.GetGeneralData().m_bSnapToGrid = false;
    }
    void SetUp() override {
        LoopViewFixture::SetUp();
        objectsBefore = view->GetLoopObjects().size();
    }
    // A free spot on the page, in device units, below the example's drawing.
    QPoint Free(int dx = 0, int dy = 0) const { return QPoint(150 + dx, 650 + dy); }
    CPoint Logical(QPoint device) const { return view->DPtoLP(CPoint(device.x(), device.y())); }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* surface = view->viewport();
        QTest::mousePress(surface, Qt::LeftButton, modifiers, from);
        MoveWithButton((from + to) / 2, modifiers);
        MoveWithButton(to, modifiers);
        QTest::mouseRelease(surface, Qt::LeftButton, modifiers, to);
    }
    // A move with the left button held and the keys the user holds (QTest's
    // own moves carry no keys).
    void MoveWithButton(QPoint to, Qt::KeyboardModifiers modifiers) {
        QWidget* surface = view->viewport();
        QMouseEvent move(QEvent::MouseMove, QPointF(to), surface->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(surface, &move);
    }
    template <class T>
    T* NewObject() const {
        const std::vector<CDrawingObject*> objects = view->GetLoopObjects();
        if (objects.size() != objectsBefore + 1) {
            return nullptr;
        }
        for (CDrawingObject* object : objects) {
            if (auto* found = dynamic_cast<T*>(object); found != nullptr && object->IsSelected()) {
                return found;
            }
        }
        return nullptr;
    }

    std::size_t objectsBefore = 0;
};

TEST_F(DrawingToolsTest, ARectangleIsDrawnFromThePressToTheReleaseAsOneEntry) {
    view->ChooseTool(CLoopEditor::TOOL_RECT);
    ASSERT_EQ(view->ObjectAt(Logical(Free())), nullptr) << "a free spot";
    Drag(Free(), Free(200, 100));
    auto* box = NewObject<CDrawRectangle>();
    ASSERT_NE(box, nullptr);
    CRect rect = box->GetRect();
    rect.NormalizeRect();
    EXPECT_EQ(rect.TopLeft(), Logical(Free()));
    EXPECT_EQ(rect.BottomRight(), Logical(Free(200, 100)));
    EXPECT_EQ(box->GetLogPen(), document.GetDrawingDefaults().m_logpen);
    EXPECT_EQ(box->GetLogBrush(), document.GetDrawingDefaults().m_logbrush);
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a common object");
    EXPECT_EQ(undo.GetCount(&document, false), 1);
    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(view->GetLoopObjects().size(), objectsBefore);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DrawingToolsTest, AClickWithoutADragOrEscapeLeavesNothing) {
    view->ChooseTool(CLoopEditor::TOOL_ELLIPSE);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    EXPECT_EQ(view->GetLoopObjects().size(), objectsBefore);
    EXPECT_FALSE(view->CanUndo());
    EXPECT_FALSE(document.IsModified());

    QWidget* surface = view->viewport();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, Free());
    QTest::mouseMove(surface, Free(60, 40));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, Free(60, 40));
    EXPECT_EQ(view->GetLoopObjects().size(), objectsBefore);
    EXPECT_FALSE(view->CanUndo());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DrawingToolsTest, LinesFollowTheMouseAndShiftHoldsAnEllipseRound) {
    view->ChooseTool(CLoopEditor::TOOL_LINE);
    Drag(Free(), Free(180, 60));
    auto* line = NewObject<CDrawLine>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetStart(), Logical(Free()));
    EXPECT_EQ(line->GetEnd(), Logical(Free(180, 60)));
    EXPECT_FALSE(line->HasFill());

    objectsBefore = view->GetLoopObjects().size();
    view->ChooseTool(CLoopEditor::TOOL_ELLIPSE);
    Drag(Free(300), Free(420, 60), Qt::ShiftModifier);
    auto* ellipse = NewObject<CDrawEllipse>();
    ASSERT_NE(ellipse, nullptr);
    CRect rect = ellipse->GetRect();
    rect.NormalizeRect();
    EXPECT_EQ(rect.Width(), rect.Height()) << "Shift keeps 45 degrees";
    EXPECT_EQ(undo.GetCount(&document, false), 2);
}

TEST_F(DrawingToolsTest, TheTextToolPlacesWhatTheUserTypes) {
    view->ChooseTool(CLoopEditor::TOOL_TEXT);
    CModalAnswerer<CTextEntryDlg> cancel([](CTextEntryDlg& dialog) { dialog.reject(); });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    ASSERT_TRUE(cancel.HasAnswered());
    EXPECT_EQ(view->GetLoopObjects().size(), objectsBefore);

    CModalAnswerer<CTextEntryDlg> type([](CTextEntryDlg& dialog) {
        auto* edit = dialog.findChild<QPlainTextEdit*>("text");
        QTest::keyClicks(edit, "Feed pump P-101");
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    ASSERT_TRUE(type.HasAnswered());
    auto* text = NewObject<CDrawText>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), "Feed pump P-101");
    EXPECT_EQ(text->GetRect().TopLeft(), Logical(Free()));
    EXPECT_EQ(text->GetLogFont(), document.GetDrawingDefaults().m_logfont);
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a common object");
}

TEST_F(DrawingToolsTest, TheBlockToolPlacesANewBlockWhereTheUserClicked) {
    view->ChooseTool(CLoopEditor::TOOL_BLOCK);
    int chosen = 0;
    CModalAnswerer<CFunctionBlockDlg> answer([&](CFunctionBlockDlg& dialog) {
        CListCtrlEx& list = dialog.GetFunctionsPage()->Functions();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, 1).startsWith("PID - ")) {
                list.setCurrentCell(row, 0);
            }
        }
        chosen = dialog.GetFunctionsPage()->BlockIds().currentItem()->text().toInt();
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    ASSERT_TRUE(answer.HasAnswered());
    CConfGraphNode* node = view->FindBlockNode(chosen, 1);
    ASSERT_NE(node, nullptr);
    CPoint centre = Logical(Free());
    EXPECT_EQ(node->GetShape()->GetRect().CenterPoint(), centre);
    EXPECT_EQ(document.GetBlockAt(document.GetBlockCount(1) - 1, 1)->GetBlockNumber(), chosen)
        << "appended to the execution order";
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a block object");
    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(document.FindBlockByNumber(chosen), nullptr);
    EXPECT_EQ(view->FindBlockNode(chosen, 1), nullptr);

    // A cancelled choice places nothing.
    CModalAnswerer<CFunctionBlockDlg> cancel([](CFunctionBlockDlg& dialog) { dialog.reject(); });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    ASSERT_TRUE(cancel.HasAnswered());
    EXPECT_FALSE(view->CanUndo());
}

// A real double click: a press and release, then the double-click event.
void DoubleClick(QWidget* surface, QPoint at) {
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(surface, Qt::LeftButton, Qt::NoModifier, at);
}

TEST_F(DrawingToolsTest, APolylineTakesAVertexPerClickAndEndsOnADoubleClick) {
    view->ChooseTool(CLoopEditor::TOOL_POLYLINE);
    QWidget* surface = view->viewport();
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Free());
    QTest::mouseMove(surface, Free(100, 0));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Free(100, 0));
    QTest::mouseMove(surface, Free(100, 80));
    DoubleClick(surface, Free(100, 80));
    auto* polyline = NewObject<CDrawPolyline>();
    ASSERT_NE(polyline, nullptr);
    ASSERT_EQ(polyline->GetPointCount(), 3);
    EXPECT_EQ(polyline->GetPoint(0), Logical(Free()));
    EXPECT_EQ(polyline->GetPoint(1), Logical(Free(100, 0)));
    EXPECT_EQ(polyline->GetPoint(2), Logical(Free(100, 80)));
    EXPECT_FALSE(polyline->IsClosed());
    EXPECT_EQ(undo.GetCount(&document, false), 1);
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a common object");

    // A polygon given up half-way with Escape leaves nothing.
    objectsBefore = view->GetLoopObjects().size();
    view->ChooseTool(CLoopEditor::TOOL_POLYGON);
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Free(300));
    QTest::mouseMove(surface, Free(380, 40));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Free(380, 40));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->GetLoopObjects().size(), objectsBefore);
    EXPECT_EQ(undo.GetCount(&document, false), 1);
}

TEST_F(DrawingToolsTest, TheBlockListToolPlacesTheLoopsTable) {
    view->ChooseTool(CLoopEditor::TOOL_BLOCK_LIST);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Free());
    auto* table = NewObject<CConfGraphBlockList>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetRect().TopLeft(), Logical(Free()));
    EXPECT_GT(table->GetRect().Height(), document.GetBlockCount(1) * 5) << "a row per block";
    EXPECT_TRUE(document.HasBlockList());
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a graphic block list info object");
    ASSERT_TRUE(view->Undo(1));
    EXPECT_FALSE(document.HasBlockList());
}

}  // namespace
