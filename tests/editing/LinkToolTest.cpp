// The link tool: a link is drawn from an offered output to an offered free
// input, through bends, to connectors on another loop or to a communication
// point; every finished link is one undo entry and every abandoned one leaves
// nothing behind.
#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "diagram/ConfCommNode.h"
#include "diagram/ConfSpecialNode.h"
#include "editing/EditKeys.h"
#include "editing/LinkTool.h"

using namespace editkeys;

namespace {

// An editor that keeps what it was asked to offer instead of opening popups.
class RecordingEditor : public CLoopEditor {
public:
    using CLoopEditor::CLoopEditor;
    void OpenPortSelection(CGraphNode& node, const std::vector<std::string>& ports, bool inputs,
                           CPoint /*devicePoint*/) override {
        offeredNode = &node;
        offered = ports;
        offeredInputs = inputs;
    }
    void ShowLinkMenu(CPoint /*devicePoint*/, bool sendEnabled,
                      bool communicationEnabled) override {
        ++menus;
        menuSend = sendEnabled;
        menuCommunication = communicationEnabled;
    }
    std::unique_ptr<CBlock> ChooseNewBlock() override {
        ++blockChoices;
        return nullptr;
    }
    int blockChoices = 0;
    CGraphNode* offeredNode = nullptr;
    std::vector<std::string> offered;
    bool offeredInputs = false;
    int menus = 0;
    bool menuSend = false;
    bool menuCommunication = false;
};

class LinkToolTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        m_editor = std::make_unique<RecordingEditor>(*m_doc);
        source = PlaceBlock(1, CPoint(100, 100));        // AI, outputs 1 and 2
        destination = PlaceBlock(39, CPoint(400, 100));  // APID, inputs A to E
        Editor().DeselectAll();
        Editor().ClosePendingAction();
        entriesBefore = UndoCount();
    }
    RecordingEditor& Recorder() { return static_cast<RecordingEditor&>(Editor()); }
    CLinkTool& Tool() { return *Editor().GetLinkTool(); }

    // Hovers the node (the link tool takes over) and clicks it.
    void ClickNode(CConfGraphNode* node) {
        const CPoint centre = node->GetRect().CenterPoint();
        Editor().MouseMove(0, centre);
        Click(centre);
    }
    void Click(CPoint point, unsigned flags = 0) {
        Editor().LButtonDown(MK_LBUTTON | flags, point);
        Editor().LButtonUp(flags, point);
    }
    // Source output, one bend, destination input.
    void DrawLink(const std::string& output, CPoint bend, CConfGraphNode* to,
                  const std::string& input) {
        ClickNode(source);
        Editor().EndPortSelection(true, output);
        Editor().MouseMove(0, bend);
        Click(bend);
        ClickNode(to);
        Editor().EndPortSelection(true, input);
    }
    int LinkCount() {
        int count = 0;
        for (const auto& item : Doc().GetGraphObjects()) {
            count += dynamic_cast<CGraphLink*>(item.get()) != nullptr ? 1 : 0;
        }
        return count;
    }
    int ConnectorCount() {
        int count = 0;
        for (const auto& item : Doc().GetGraphObjects()) {
            count += dynamic_cast<CConfSpecialNode*>(item.get()) != nullptr ? 1 : 0;
        }
        return count;
    }
    void ExpectNothingLeft() {
        EXPECT_EQ(LinkCount(), 0);
        EXPECT_EQ(ConnectorCount(), 0);
        EXPECT_EQ(UndoCount(), entriesBefore);
        EXPECT_EQ(LinkValue(39, "A"), "0");
        EXPECT_FALSE(Tool().IsLinking());
    }

    CConfGraphNode* source = nullptr;
    CConfGraphNode* destination = nullptr;
    int entriesBefore = 0;
};

TEST_F(LinkToolTest, TheBlockToolHandsTheMouseToTheLinkToolOverANodeAndBack) {
    EXPECT_EQ(Editor().GetCurrentTool(), Editor().GetBlockTool()) << "a new view places blocks";
    Editor().MouseMove(0, CPoint(250, 300));
    EXPECT_EQ(Editor().GetCurrentTool(), Editor().GetBlockTool());
    Editor().MouseMove(0, source->GetRect().CenterPoint());
    EXPECT_EQ(Editor().GetCurrentTool(), &Tool());
    Editor().MouseMove(0, CPoint(250, 300));
    EXPECT_EQ(Editor().GetCurrentTool(), Editor().GetBlockTool());

    // While a link is drawn the pointer may leave the nodes.
    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Editor().MouseMove(0, CPoint(250, 300));
    EXPECT_EQ(Editor().GetCurrentTool(), &Tool());
    EXPECT_EQ(Tool().GetRoute().back(), CPoint(250, 300)) << "the last point follows the mouse";
}

TEST_F(LinkToolTest, TheBlockToolAsksForABlockOnlyOnEmptyPaper) {
    Click(destination->GetRect().CenterPoint());  // no move came first
    EXPECT_EQ(Recorder().blockChoices, 0);
    EXPECT_EQ(Editor().GetFirstSelected(), destination);
    Click(CPoint(250, 300));
    EXPECT_EQ(Recorder().blockChoices, 1);
    EXPECT_EQ(Editor().GetSelectedCount(), 0);
}

TEST_F(LinkToolTest, ArrowKeysNudgeWhatTheBlockToolPicked) {
    Click(destination->GetRect().CenterPoint());
    const CRect before = destination->GetRect();
    EXPECT_TRUE(Editor().KeyDown(VK_RIGHT, false));
    EXPECT_EQ(destination->GetRect(), before + CPoint(1, 0));
    EXPECT_EQ(Description(), "Move some objects");
}

TEST_F(LinkToolTest, ALinkJoinsAnOfferedOutputToAFreeInputAsOneEntry) {
    ClickNode(source);
    EXPECT_EQ(Recorder().offeredNode, source);
    EXPECT_FALSE(Recorder().offeredInputs);
    EXPECT_EQ(Recorder().offered, (std::vector<std::string>{"1", "2"}));
    Editor().EndPortSelection(true, "1");
    Editor().MouseMove(0, CPoint(250, 250));
    Click(CPoint(250, 250));
    ClickNode(destination);
    EXPECT_TRUE(Recorder().offeredInputs);
    ASSERT_FALSE(Recorder().offered.empty());
    EXPECT_EQ(Recorder().offered.front(), "A");
    Editor().EndPortSelection(true, "A");

    ASSERT_EQ(LinkCount(), 1);
    EXPECT_EQ(UndoCount(), entriesBefore + 1);
    EXPECT_EQ(Description(), "Add a link object");
    EXPECT_EQ(LinkValue(39, "A"), "1");
    auto* link = dynamic_cast<CGraphLink*>(Editor().GetFirstSelected());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetFrom(), source);
    EXPECT_EQ(link->GetTo(), destination);
    EXPECT_EQ(link->GetInPortText(), "A");
    EXPECT_EQ(link->GetPath()->GetPointCount(), 3) << "the clicked bend stays";
    EXPECT_EQ(link->GetPath()->GetPoint(1), CPoint(250, 250));

    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(LinkCount(), 0);
    EXPECT_EQ(LinkValue(39, "A"), "0");
    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(LinkCount(), 1);
    EXPECT_EQ(LinkValue(39, "A"), "1");
}

TEST_F(LinkToolTest, LinkedInputsAreNotOfferedAndAFullBlockCancelsTheLink) {
    DrawLink("1", CPoint(250, 250), destination, "A");
    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    ClickNode(destination);
    EXPECT_EQ(std::count(Recorder().offered.begin(), Recorder().offered.end(), "A"), 0);
    Editor().EndPortSelection(false, std::string());

    // An AI has no inputs: the link goes without a trace.
    CConfGraphNode* other = PlaceBlock(2, CPoint(100, 400));
    Editor().ClosePendingAction();
    const int entries = UndoCount();
    ClickNode(destination);
    ASSERT_FALSE(Recorder().offered.empty());
    Editor().EndPortSelection(true, Recorder().offered.front());
    Recorder().offered.clear();
    ClickNode(other);
    EXPECT_TRUE(Recorder().offered.empty());
    EXPECT_FALSE(Tool().IsLinking());
    EXPECT_EQ(UndoCount(), entries);
    EXPECT_EQ(LinkCount(), 1);
}

TEST_F(LinkToolTest, EveryWayOfAbandoningALinkLeavesNothing) {
    ClickNode(source);
    Editor().EndPortSelection(false, std::string());  // "X" or a click outside
    ExpectNothingLeft();

    ClickNode(source);
    Editor().EndPortSelection(true, "47");  // not an output of this block
    ExpectNothingLeft();

    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Click(CPoint(250, 250));
    EXPECT_TRUE(Editor().KeyDown(VK_ESCAPE, false));
    ExpectNothingLeft();

    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Editor().RButtonUp(0, CPoint(250, 260));
    EXPECT_EQ(Recorder().menus, 1);
    EXPECT_TRUE(Recorder().menuSend);
    EXPECT_FALSE(Recorder().menuCommunication) << "no scan block in LOOP G";
    EXPECT_TRUE(Editor().RunLinkCommand(CLinkTool::ID_COMMUNICATION_LINK));
    EXPECT_TRUE(Tool().IsLinking()) << "refused without the scan block";
    EXPECT_EQ(ConnectorCount(), 0);
    EXPECT_TRUE(Editor().RunLinkCommand(CLinkTool::ID_CANCEL_LINK));
    ExpectNothingLeft();

    // The source deleted meanwhile (an undo): the next release ends the link.
    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    ASSERT_TRUE(Editor().Undo(2));
    Click(CPoint(250, 250));
    EXPECT_FALSE(Tool().IsLinking());
}

TEST_F(LinkToolTest, ALinkBackIntoItsOwnBlockGoesAroundTheNode) {
    ClickNode(destination);
    ASSERT_FALSE(Recorder().offered.empty());
    Editor().EndPortSelection(true, Recorder().offered.front());
    const std::string output = Recorder().offered.front();
    ClickNode(destination);
    Editor().EndPortSelection(true, "A");
    auto* link = dynamic_cast<CGraphLink*>(Editor().GetFirstSelected());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(LinkValue(39, "A"), output);
    ASSERT_EQ(link->GetPath()->GetPointCount(), 4);
    const CRect node = destination->GetRect();
    EXPECT_LT(link->GetPath()->GetPoint(1).y, node.top);
    EXPECT_LT(link->GetPath()->GetPoint(2).y, node.top);
}

TEST_F(LinkToolTest, ABrokenLinkReachesABlockOnAnotherLoopThroughTwoConnectors) {
    Doc().SelectLoop(5);
    CConfGraphNode* remote = PlaceBlock(117, CPoint(300, 200));  // GV in LOOP G
    ASSERT_NE(remote, nullptr);
    Doc().SelectLoop(1);
    Editor().ClosePendingAction();
    const int entries = UndoCount();

    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Editor().MouseMove(0, CPoint(250, 300));
    Editor().RButtonUp(0, CPoint(250, 300));
    ASSERT_TRUE(Editor().RunLinkCommand(CLinkTool::ID_SEND_LINK_TO));
    EXPECT_TRUE(Tool().IsBroken());
    Doc().SelectLoop(5);
    EXPECT_TRUE(Tool().IsLinking()) << "a broken link goes on across loops";
    Click(CPoint(150, 200));  // where the incoming connector goes
    ClickNode(remote);
    ASSERT_FALSE(Recorder().offered.empty());
    Editor().EndPortSelection(true, "A");

    EXPECT_EQ(UndoCount(), entries + 1);
    EXPECT_EQ(Description(), "Add a broke link object");
    EXPECT_EQ(LinkValue(117, "A"), "1");
    EXPECT_EQ(LinkCount(), 2);
    ASSERT_EQ(ConnectorCount(), 2);
    const CConfSpecialNode* outgoing = nullptr;
    const CConfSpecialNode* incoming = nullptr;
    for (const auto& item : Doc().GetGraphObjects()) {
        if (auto* connector = dynamic_cast<CConfSpecialNode*>(item.get())) {
            (connector->GetKind() == CConfSpecialNode::KIND_OUTGOING ? outgoing : incoming) =
                connector;
        }
    }
    ASSERT_NE(outgoing, nullptr);
    ASSERT_NE(incoming, nullptr);
    EXPECT_EQ(outgoing->GetLoop(), 1);
    EXPECT_EQ(outgoing->GetText(), "LG:GV-117");
    EXPECT_EQ(incoming->GetLoop(), 5);
    EXPECT_EQ(incoming->GetText(), "L1:" + source->GetName() + "-001");

    ASSERT_TRUE(Editor().Undo(1));
    EXPECT_EQ(LinkCount(), 0);
    EXPECT_EQ(ConnectorCount(), 0);
    EXPECT_EQ(LinkValue(117, "A"), "0");
    ASSERT_TRUE(Editor().Redo(1));
    EXPECT_EQ(LinkCount(), 2);
    EXPECT_EQ(ConnectorCount(), 2);
    EXPECT_EQ(LinkValue(117, "A"), "1");
}

TEST_F(LinkToolTest, AnOrdinaryLinkOrAPolylineEndsWhenAnotherLoopIsShown) {
    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Doc().SelectLoop(2);
    EXPECT_FALSE(Tool().IsLinking());
    Editor().RunLinkCommand(CLinkTool::ID_SEND_LINK_TO);
    EXPECT_FALSE(Tool().IsBroken()) << "nothing left to send";

    Doc().SelectLoop(1);
    Editor().ChooseTool(CLoopEditor::TOOL_POLYLINE);
    Click(CPoint(100, 300));
    Click(CPoint(200, 300));
    Doc().SelectLoop(2);
    Doc().SelectLoop(1);
    EXPECT_EQ(UndoCount(), entriesBefore) << "the half-drawn polyline went with its entry";
    EXPECT_TRUE(Doc().GetObjects().empty());
}

TEST_F(LinkToolTest, ACommunicationLinkTakesTheFirstFreeInputOfTheScanBlock) {
    Doc().SelectLoop(5);
    ASSERT_NE(PlaceBlock(CLinkTool::kScanBlockNumber, CPoint(200, 200)), nullptr);
    Doc().SelectLoop(1);
    Editor().ClosePendingAction();

    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Editor().MouseMove(0, CPoint(250, 300));
    Editor().RButtonUp(0, CPoint(250, 300));
    EXPECT_TRUE(Recorder().menuCommunication);
    ASSERT_TRUE(Editor().RunLinkCommand(CLinkTool::ID_COMMUNICATION_LINK));

    EXPECT_EQ(Description(), "Add a communication link object");
    EXPECT_EQ(LinkValue(CLinkTool::kScanBlockNumber, "1"), "1");
    EXPECT_EQ(LinkCount(), 1);
    ASSERT_EQ(ConnectorCount(), 1);
    auto* link = dynamic_cast<CGraphLink*>(Editor().GetFirstSelected());
    ASSERT_NE(link, nullptr);
    EXPECT_NE(dynamic_cast<CConfCommNode*>(link->GetTo()), nullptr);
    EXPECT_EQ(link->GetInPortText(), "1");

    // The next one takes the next input; deleting a link frees its input.
    ClickNode(source);
    Editor().EndPortSelection(true, "1");
    Click(CPoint(250, 400));
    ASSERT_TRUE(Editor().RunLinkCommand(CLinkTool::ID_COMMUNICATION_LINK));
    EXPECT_EQ(LinkValue(CLinkTool::kScanBlockNumber, "2"), "1");
    Editor().DeleteCommand();
    EXPECT_EQ(LinkValue(CLinkTool::kScanBlockNumber, "2"), "0");
    ASSERT_TRUE(Editor().Undo(3));
    EXPECT_EQ(LinkValue(CLinkTool::kScanBlockNumber, "1"), "0");
    EXPECT_EQ(LinkCount(), 0);
    EXPECT_EQ(ConnectorCount(), 0);
}

TEST_F(LinkToolTest, DraggingASelectedNodeMovesTheGroupAsOneEntry) {
    DrawLink("1", CPoint(250, 250), destination, "A");
    Editor().DeselectAll();
    const int entries = UndoCount();
    const CRect before = source->GetRect();
    const CPoint centre = before.CenterPoint();
    Editor().MouseMove(0, centre);
    ASSERT_EQ(Editor().GetCurrentTool(), &Tool());
    Editor().LButtonDown(MK_LBUTTON, centre);
    Editor().MouseMove(MK_LBUTTON, centre + CSize(20, 0));
    Editor().MouseMove(MK_LBUTTON, centre + CSize(40, 30));
    Editor().LButtonUp(0, centre + CSize(40, 30));
    EXPECT_EQ(source->GetRect(), before + CPoint(40, 30));
    EXPECT_EQ(UndoCount(), entries + 1);
    EXPECT_EQ(Description(), "Move some objects");
    EXPECT_FALSE(Tool().IsLinking()) << "a drag chooses no source";
}

}  // namespace
