// Block nodes, links and parameter edits: each changes the drawing and the
// configuration together, and undo and redo put both back exactly.
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "diagram/DrawLine.h"
#include "editing/ActionIds.h"
#include "editing/DeleteLinkAction.h"
#include "editing/DeleteNodeAction.h"
#include "editing/EditParamAction.h"
#include "model/BlockTypeInfo.h"

namespace {

class GraphActionsTest : public EditingTest {
protected:
    // AI 1 -> PID 39 (input A) -> PID 40 (input A), placed left to right.
    void BuildChain() {
        input = PlaceBlock(1, CPoint(100, 100));
        first = PlaceBlock(39, CPoint(250, 100));
        second = PlaceBlock(40, CPoint(400, 100));
        intoFirst = Connect(input, first, "A");
        intoSecond = Connect(first, second, "A");
    }
    int NodeCount() {
        int count = 0;
        for (const auto& item : Doc().GetGraphObjects()) {
            count += dynamic_cast<CGraphNode*>(item.get()) != nullptr ? 1 : 0;
        }
        return count;
    }
    int LinkCount() { return static_cast<int>(Doc().GetGraphObjects().size()) - NodeCount(); }

    CConfGraphNode* input = nullptr;
    CConfGraphNode* first = nullptr;
    CConfGraphNode* second = nullptr;
    CGraphLink* intoFirst = nullptr;
    CGraphLink* intoSecond = nullptr;
};

TEST_F(GraphActionsTest, PlacingABlockAppendsItAndUndoTakesBothOut) {
    PlaceBlock(1, CPoint(100, 100));
    CConfGraphNode* node = PlaceBlock(39, CPoint(250, 100));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Description(), "Add a block object");
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 39}));
    EXPECT_EQ(node->GetLoop(), 1);
    EXPECT_EQ(node->GetNumber(), 39);

    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(BlockOrder(1), std::vector<int>{1});
    EXPECT_FALSE(Editor().HasObject(node));
    EXPECT_FALSE(Doc().IsBlockNumberUsed(39));

    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 39}));
    EXPECT_TRUE(Editor().HasObject(node)) << "the same node comes back";
    EXPECT_EQ(Editor().GetFirstSelected(), node);
}

TEST_F(GraphActionsTest, ALinkWritesTheLinkValueAndUndoResetsIt) {
    BuildChain();
    EXPECT_EQ(Description(), "Add a link object");
    EXPECT_EQ(LinkValue(39, "A"), "1");
    EXPECT_EQ(LinkValue(40, "A"), "47");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(LinkValue(40, "A"), "0");
    EXPECT_FALSE(Editor().HasObject(intoSecond));
    EXPECT_FALSE(first->HasLink(intoSecond));
    EXPECT_FALSE(second->HasLink(intoSecond));
    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(LinkValue(40, "A"), "47");
    EXPECT_TRUE(second->HasLink(intoSecond));
}

TEST_F(GraphActionsTest, UndoingABlockWithLinksTakesTheLinksAlong) {
    BuildChain();
    // Five entries: three blocks and two links. Undo back to two blocks.
    ASSERT_TRUE(Editor().Undo(3));
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 39}));
    EXPECT_EQ(LinkCount(), 0);
    EXPECT_EQ(LinkValue(39, "A"), "0");
    ASSERT_TRUE(Editor().Redo(3));
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 39, 40}));
    EXPECT_EQ(LinkCount(), 2);
    EXPECT_EQ(LinkValue(40, "A"), "47");
}

TEST_F(GraphActionsTest, DeletingABlockNodeAndUndoingRestoresOrderAndLinks) {
    BuildChain();
    const std::vector<CGraphLink*> firstLinks = first->GetLinks();
    Editor().Select(first, false);
    Editor().DeleteCommand();
    EXPECT_EQ(Description(), "Delete a block object");
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 40}));
    EXPECT_FALSE(Editor().HasObject(first));
    EXPECT_EQ(LinkCount(), 0);
    EXPECT_EQ(LinkValue(40, "A"), "0") << "the link out of the deleted block is gone";
    EXPECT_TRUE(input->GetLinks().empty());

    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 39, 40})) << "back in its place in the order";
    EXPECT_EQ(LinkValue(40, "A"), "47");
    EXPECT_EQ(LinkValue(39, "A"), "1");
    EXPECT_EQ(first->GetLinks(), firstLinks);
    EXPECT_TRUE(input->HasLink(intoFirst));
    EXPECT_TRUE(second->HasLink(intoSecond));
    EXPECT_EQ(Editor().GetFirstSelected(), first);

    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(BlockOrder(1), (std::vector<int>{1, 40}));
    EXPECT_EQ(LinkValue(40, "A"), "0");
}

TEST_F(GraphActionsTest, GraphObjectsAreDeletedOneAtATime) {
    BuildChain();
    auto line = std::make_unique<CDrawLine>(CPoint(10, 300), CPoint(200, 300));
    CDrawingObject* drawn = line.get();
    line->SetLoop(1);
    Editor().AddObject(std::move(line));
    Editor().Select(first, true);
    Editor().DeleteCommand();
    EXPECT_EQ(Description(), "Delete a common object");
    EXPECT_FALSE(Editor().HasObject(drawn));
    EXPECT_TRUE(Editor().HasObject(first)) << "a node and a line: only the line goes";

    Editor().Select(intoSecond, false);
    Editor().DeleteCommand();
    EXPECT_EQ(Description(), "Delete a link object");
    EXPECT_EQ(LinkValue(40, "A"), "0");
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(LinkValue(40, "A"), "47");
    EXPECT_TRUE(first->HasLink(intoSecond));
}

TEST_F(GraphActionsTest, ParameterEditsBringTheLinksInLineAndBack) {
    BuildChain();
    CBlock* block = Doc().FindBlockByNumber(40);
    auto* action = new CEditParamAction(&Editor(), IDS_EDIT_BLOCK_PARAMETERS, *block);
    // The dialog moves input A from PID 39 to the AI's first output.
    ASSERT_TRUE(block->SetParamValue(PARAM_LINK, block->FindLinkParam("A"), "1"));
    Editor().SetPendingAction(action);
    action->Do();
    EXPECT_EQ(Description(), "Edit block parameters");
    EXPECT_EQ(LinkValue(40, "A"), "1") << "the new value stays";
    EXPECT_FALSE(Editor().HasObject(intoSecond));
    ASSERT_EQ(second->GetLinks().size(), 1u);
    CGraphLink* drawn = second->GetLinks().front();
    EXPECT_EQ(drawn->GetFrom(), input);
    EXPECT_EQ(drawn->GetInPortText(), "A");
    EXPECT_EQ(drawn->GetOutPortText(), "1");

    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(LinkValue(40, "A"), "47");
    EXPECT_TRUE(Editor().HasObject(intoSecond)) << "the user's own link, not a new one";
    EXPECT_FALSE(Editor().HasObject(drawn));
    EXPECT_EQ(second->GetLinks(), std::vector<CGraphLink*>{intoSecond});

    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(LinkValue(40, "A"), "1");
    EXPECT_TRUE(Editor().HasObject(drawn));
    EXPECT_FALSE(Editor().HasObject(intoSecond));
}

TEST_F(GraphActionsTest, BlockSizesResizeAboutTheCentreAndUndoExactly) {
    CConfGraphNode* node = PlaceBlock(39, CPoint(251, 101));
    const CRect before = node->GetRect();
    Editor().Select(node, false);
    ASSERT_TRUE(Editor().Commands().ResizeBlocks(CConfGraphNode::kLargestBlockSize));
    EXPECT_EQ(Description(), "Resize an object");
    EXPECT_EQ(node->GetRect().Width(), 100);
    EXPECT_EQ(node->GetRect().CenterPoint(), before.CenterPoint());
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(node->GetRect(), before);
    const int entries = UndoCount();
    Editor().Commands().ResizeBlocks(CConfGraphNode::kSmallestBlockSize);
    EXPECT_EQ(UndoCount(), entries) << "already that size: nothing recorded";
}

TEST_F(GraphActionsTest, UndoKeepsTheLoopTheUserLooksAt) {
    PlaceBlock(1, CPoint(100, 100));
    Doc().SelectLoop(2);
    PlaceBlock(3, CPoint(100, 100));
    Doc().SelectLoop(1);
    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(Doc().GetCurrentLoopNumber(), 1);
    EXPECT_EQ(Doc().GetBlockCount(2), 0) << "the block left loop 2";
    EXPECT_EQ(BlockOrder(1), std::vector<int>{1});
}

}  // namespace
