// The loop view edited with the mouse and the keyboard: real press, move and
// release events on the view, the way a user drags, selects and deletes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "support/TestPaths.h"

namespace {

class LoopViewEditingTest : public LoopViewFixture {
protected:
    QPoint Centre(const CDrawingObject* object) const {
        return At(object->GetRect().CenterPoint());
    }
    // Press, two moves and a release: past the drag threshold.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* surface = view->viewport();
        QTest::mousePress(surface, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(surface, (from + to) / 2);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, modifiers, to);
    }
    std::string LinkValue(int blockNumber, const std::string& input) const {
        const CBlock* block = document.FindBlockByNumber(blockNumber);
        return block->GetParamText(PARAM_LINK, block->FindLinkParam(input));
    }
    CGraphLink* LinkInto(CConfGraphNode* node, const std::string& input) const {
        for (CGraphLink* link : node->GetLinks()) {
            if (link->GetTo() == node && link->GetInPortText() == input) {
                return link;
            }
        }
        return nullptr;
    }
};

TEST_F(LoopViewEditingTest, DraggingANodeMovesItWithItsLinksAndUndoPutsItBack) {
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    ASSERT_NE(node, nullptr);
    const CRect before = node->GetRect();
    CGraphLink* incoming = LinkInto(node, "A");
    ASSERT_NE(incoming, nullptr);
    const CPoint endBefore = incoming->GetPath()->GetLastPoint();

    Drag(Centre(node), Centre(node) + QPoint(0, 96));
    EXPECT_EQ(node->GetRect(), before + CSize(0, 100)) << "96 pixels are 100 units";
    EXPECT_NE(incoming->GetPath()->GetLastPoint(), endBefore) << "the link follows";
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Move some objects");
    EXPECT_TRUE(document.IsModified());

    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(node->GetRect(), before);
    EXPECT_EQ(incoming->GetPath()->GetLastPoint(), endBefore);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(LoopViewEditingTest, AShortDragRecordsNothing) {
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    const CRect before = node->GetRect();
    Drag(Centre(node), Centre(node) + QPoint(3, 2));
    EXPECT_EQ(node->GetRect(), before);
    EXPECT_EQ(undo.GetCount(&document, false), 0);
    EXPECT_EQ(view->GetSelection(), std::vector<CDrawingObject*>{node});
}

TEST_F(LoopViewEditingTest, ARubberBandSelectsTheNodesItEncloses) {
    CConfGraphNode* first = view->FindBlockNode(1, 1);
    CConfGraphNode* second = view->FindBlockNode(2, 1);
    const CRect both(first->GetRect().left - 20, first->GetRect().top - 20,
                     second->GetRect().right + 20, second->GetRect().bottom + 20);
    QWidget* surface = view->viewport();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, At(both.TopLeft()));
    QTest::mouseMove(surface, At(CPoint(both.right, both.bottom)));
    EXPECT_TRUE(view->GetRubberBand().has_value()) << "the band shows during the drag";
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier,
                        At(CPoint(both.right, both.bottom)));
    EXPECT_FALSE(view->GetRubberBand().has_value());
    EXPECT_TRUE(view->IsInSelection(first));
    EXPECT_TRUE(view->IsInSelection(second));
}

TEST_F(LoopViewEditingTest, DeleteKeyRemovesTheBlockAndUndoRestoresItsLinks) {
    CConfGraphNode* node = view->FindBlockNode(39, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(node));
    ASSERT_EQ(view->GetSelection(), std::vector<CDrawingObject*>{node});
    ASSERT_EQ(LinkValue(40, "A"), "47");
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(document.FindBlockByNumber(39), nullptr);
    EXPECT_EQ(LinkValue(40, "A"), "0");
    EXPECT_EQ(LinkValue(27, "A"), "0");
    view->Undo(1);
    ASSERT_NE(document.FindBlockByNumber(39), nullptr);
    EXPECT_EQ(document.GetLoop(1)->IndexOfBlock(39), 3);
    EXPECT_EQ(LinkValue(40, "A"), "47");
    EXPECT_EQ(LinkValue(27, "A"), "47");
    EXPECT_FALSE(document.IsModified());
}

TEST_F(LoopViewEditingTest, ArrowKeysMoveTheSelectionByGridSteps) {
    CConfGraphNode* node = view->FindBlockNode(9, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(node));
    const CRect before = node->GetRect();
    QTest::keyClick(view.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(node->GetRect(), before + CSize(20, 0));
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(view.get(), Qt::Key_Up);
    }
    EXPECT_EQ(node->GetRect(), before + CSize(20, -50));
    EXPECT_EQ(undo.GetCount(&document, false), 6);
    view->Undo(1);
    EXPECT_EQ(node->GetRect(), before + CSize(20, -40));
}

TEST_F(LoopViewEditingTest, ARightClickOnALinkOffersItsPorts) {
    CConfGraphNode* node = view->FindBlockNode(35, 1);
    CGraphLink* link = LinkInto(node, "A");
    ASSERT_NE(link, nullptr);
    // A point of the route that no other object covers.
    const CDrawPolyline* route = link->GetPath();
    QPoint onRoute;
    for (int i = 1; i < route->GetPointCount(); ++i) {
        const CPoint a = route->GetPoint(i - 1);
        const CPoint b = route->GetPoint(i);
        const CPoint middle((a.x + b.x) / 2, (a.y + b.y) / 2);
        if (view->ObjectAt(middle) == link) {
            onRoute = At(middle);
        }
    }
    ASSERT_FALSE(onRoute.isNull());
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, onRoute);
    QMenu* menu = view->GetLastMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "LINK");
    EXPECT_EQ(view->GetSelection(), std::vector<CDrawingObject*>{link});
    QAction* showIn = nullptr;
    for (QAction* action : menu->findChildren<QAction*>()) {
        if (action->data().toInt() == 32863) {
            showIn = action;
        }
    }
    ASSERT_NE(showIn, nullptr);
    EXPECT_TRUE(showIn->isChecked());
    showIn->trigger();
    EXPECT_FALSE(link->IsShowInLabel());
    EXPECT_TRUE(document.IsModified());
    menu->hide();
}

TEST_F(LoopViewEditingTest, LockedEditingIgnoresClicks) {
    view->Commands().ToggleLockEdition();
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    const CRect before = node->GetRect();
    Drag(Centre(node), Centre(node) + QPoint(50, 50));
    EXPECT_EQ(node->GetRect(), before);
    EXPECT_TRUE(view->GetSelection().empty());
}

}  // namespace
