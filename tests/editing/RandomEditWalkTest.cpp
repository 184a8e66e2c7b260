// A long seeded walk of edits, undos and redos over the example plant. After
// every step the drawing and the configuration must agree: each block node
// stands for a block of its loop, each link between blocks for the LINK value
// it wrote, and every link a node lists is in the document with that node at
// one of its ends. At the end the document must save and open again to the
// same loops. Run under AddressSanitizer it also shows that nothing is freed
// twice or leaked by the actions' ownership of removed objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddLinkAction.h"
#include "editing/EditKeys.h"
#include "editing/EditParamAction.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "editing/TextState.h"
#include "editing/UndoManager.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace {

using namespace editkeys;

// Loop names, block order and every LINK value, for comparing documents.
std::string LoopsText(const CConfDoc& document) {
    std::ostringstream text;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = document.GetLoop(n);
        text << n << ":" << (loop != nullptr ? loop->GetName() : "-") << "[";
        for (int i = 0; loop != nullptr && i < loop->GetBlockCount(); ++i) {
            const CBlock* block = loop->GetBlock(i);
            text << block->GetBlockNumber() << "(";
            for (int j = 0; j < block->GetParamListSize(PARAM_LINK); ++j) {
                text << block->GetParamText(PARAM_LINK, j) << ",";
            }
            text << ")";
        }
        text << "]";
    }
    return text.str();
}

class CEditWalk {
public:
    // recordedOnly: only edits that undo entries record (no grouping, drawing
    // order or saving), so that undoing everything reaches the opened state.
    CEditWalk(CConfDoc& document, CLoopEditor& editor, unsigned seed, bool recordedOnly = false)
        : m_doc(document),
          m_editor(editor),
          m_random(seed),
          m_saved(LoopsText(document)),
          m_bRecordedOnly(recordedOnly) {}

    // The loops as the document was last opened or saved.
    const std::string& GetSavedLoops() const { return m_saved; }

    // One random step; its name for the failure message.
    std::string Step() {
        using Operation = std::pair<const char*, std::function<void()>>;
        const std::vector<Operation> operations = {
            {"select", [this] { SelectSome(); }},
            {"arrow", [this] { Arrow(); }},
            {"drag", [this] { Drag(); }},
            {"align", [this] { m_editor.Commands().Align(Pick(3, 9)); }},
            {"arrange", [this] { m_editor.Commands().Arrange(Pick(0, 1) == 0); }},
            {"delete", [this] { m_editor.DeleteCommand(); }},
            {"cut", [this] { m_editor.Commands().Cut(); }},
            {"copy", [this] { m_editor.Commands().Copy(); }},
            {"paste", [this] { m_editor.Commands().Paste(); }},
            {"duplicate", [this] { m_editor.Commands().Duplicate(); }},
            {"colour", [this] { m_editor.Commands().ChangeColor(Pick(0, 1) == 1, Colour()); }},
            {"width", [this] { m_editor.Commands().ChangeLineWidth(Pick(1, 6)); }},
            {"block size", [this] { m_editor.Commands().ResizeBlocks(BlockSize()); }},
            {"add block", [this] { AddBlock(); }},
            {"add link", [this] { AddLink(); }},
            {"edit link", [this] { EditLinkParameter(); }},
            {"loop", [this] { m_doc.SelectLoop(Pick(1, 2)); }},
            {"undo", [this] { m_editor.Undo(Pick(1, 3)); }},
            {"undo", [this] { m_editor.Undo(1); }},
            {"redo", [this] { m_editor.Redo(Pick(1, 2)); }},
            {"properties", [this] { Properties(); }},
            {"group", [this] { m_editor.Commands().Group(); }},
            {"ungroup", [this] { m_editor.Commands().Ungroup(); }},
            {"order", [this] { m_editor.Commands().ToFront(); }},
            {"save", [this] { Save(); }},
        };
        // The last five operations change what no undo entry holds.
        const std::size_t count = operations.size() - (m_bRecordedOnly ? 5 : 0);
        const Operation& chosen = operations[Index(count)];
        chosen.second();
        return chosen.first;
    }

    std::vector<CDrawingObject*> LoopObjects() const { return m_editor.GetLoopObjects(); }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::size_t Index(std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(m_random);
    }
    COLORREF Colour() { return RGB(Pick(0, 255), Pick(0, 255), Pick(0, 255)); }
    CSize BlockSize() {
        const CSize sizes[] = {CConfGraphNode::kSmallestBlockSize,
                               CConfGraphNode::kRegularBlockSize,
                               CConfGraphNode::kLargestBlockSize};
        return sizes[Pick(0, 2)];
    }

    void SelectSome() {
        const std::vector<CDrawingObject*> objects = LoopObjects();
        if (objects.empty()) {
            return;
        }
        m_editor.DeselectAll();
        const int count = Pick(1, 3);
        for (int i = 0; i < count; ++i) {
            m_editor.Select(objects[Index(objects.size())], true);
        }
    }

    void Arrow() {
        const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        m_editor.KeyDown(keys[Pick(0, 3)], Pick(0, 1) == 1);
    }

    // A drag from a selected object's centre, or from anywhere.
    void Drag() {
        CPoint from(Pick(0, 800), Pick(0, 600));
        if (CDrawingObject* object = m_editor.GetFirstSelected()) {
            from = object->GetRect().CenterPoint();
        }
        const CPoint to(from.x + Pick(-60, 60), from.y + Pick(-60, 60));
        m_editor.LButtonDown(MK_LBUTTON, from);
        m_editor.MouseMove(MK_LBUTTON, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        m_editor.MouseMove(MK_LBUTTON, to);
        m_editor.LButtonUp(0, to);
    }

    // A free number of a type that fits the loop.
    void AddBlock() {
        const int number = Pick(1, 125);
        const int type = GetTypeIndexOfBlockNumber(number);
        if (type < 0 || m_doc.IsBlockNumberUsed(number) ||
            m_doc.GetFreeBytes() < GetBlockCost(type)) {
            return;
        }
        m_editor.Commands().InsertBlock(CBlock::Create(type, number), -1,
                                        CPoint(Pick(50, 750), Pick(50, 550)));
    }

    std::vector<CConfGraphNode*> BlockNodes() const {
        std::vector<CConfGraphNode*> nodes;
        for (CDrawingObject* object : LoopObjects()) {
            if (auto* node = dynamic_cast<CConfGraphNode*>(object)) {
                if (node->FindBlock(&m_editor) != nullptr) {
                    nodes.push_back(node);
                }
            }
        }
        return nodes;
    }

    void AddLink() {
        const std::vector<CConfGraphNode*> nodes = BlockNodes();
        if (nodes.size() < 2) {
            return;
        }
        CConfGraphNode* from = nodes[Index(nodes.size())];
        CConfGraphNode* to = nodes[Index(nodes.size())];
        std::string outputs;
        std::string inputs;
        if (from == to || !from->GetOutputPorts(&m_editor, outputs) ||
            !to->GetFreeInputPorts(&m_editor, inputs)) {
            return;
        }
        const std::string output = outputs.substr(0, outputs.find(';'));
        const std::string input = inputs.substr(0, inputs.find(';'));
        auto link = CGraphLink::CreateBetween(from, to, {}, output, input);
        auto* action =
            new CAddLinkAction(&m_editor, IDS_ADD_LINK_OBJECT, std::move(link), from, to);
        m_editor.SetPendingAction(action);
        action->Do();
    }

    // The parameter dialog's way: a LINK of a block set to another block's
    // output (or cleared), recorded with the links brought in line.
    void EditLinkParameter() {
        const std::vector<CConfGraphNode*> nodes = BlockNodes();
        if (nodes.empty()) {
            return;
        }
        CBlock* block = nodes[Index(nodes.size())]->FindBlock(&m_editor);
        if (block->GetParamListSize(PARAM_LINK) == 0) {
            return;
        }
        const int j = Pick(0, block->GetParamListSize(PARAM_LINK) - 1);
        std::string value = "0";
        if (Pick(0, 2) != 0) {
            const CBlock* source = nodes[Index(nodes.size())]->FindBlock(&m_editor);
            if (source == block || source->GetOutputCount() == 0) {
                return;
            }
            value = std::to_string(source->GetOutputAddress(0));
        }
        auto* action = new CEditParamAction(&m_editor, IDS_EDIT_BLOCK_PARAMETERS, *block);
        if (!block->SetParamValue(PARAM_LINK, j, value)) {
            delete action;
            return;
        }
        m_editor.SetPendingAction(action);
        action->Do();
    }

    void Properties() {
        CDrawingObject* object = m_editor.GetFirstSelected();
        if (object == nullptr) {
            return;
        }
        LOGPEN pen = object->GetLogPen();
        pen.lopnStyle = static_cast<uint32_t>(Pick(0, 4));
        LOGBRUSH brush = object->GetLogBrush();
        brush.lbColor = Colour();
        if (auto* node = dynamic_cast<CGraphNode*>(object)) {
            CTextState labels;
            if (node->GetNameLabel() != nullptr) {
                labels = CTextState::Of(*node->GetNameLabel());
            }
            labels.textColor = Colour();
            m_editor.Commands().ApplyNodeProperties(node, pen, brush, labels);
        } else if (auto* link = dynamic_cast<CGraphLink*>(object)) {
            CTextState labels;
            labels.font = link->GetLogFont();
            m_editor.Commands().ApplyLinkProperties(link, pen, labels);
        } else {
            m_editor.Commands().ApplyShapeProperties(object, pen, brush);
        }
    }

    // Saving ends the history in the middle of the walk now and then.
    void Save() {
        if (Pick(0, 9) == 0 && m_doc.OnSaveDocument(m_folder.File("SAVED.vxp"))) {
            m_saved = LoopsText(m_doc);
        }
    }

    CConfDoc& m_doc;
    CLoopEditor& m_editor;
    std::mt19937 m_random;
    CTempFolder m_folder;
    std::string m_saved;
    bool m_bRecordedOnly;
};

// What must hold between the drawing and the configuration.
std::string CheckAgreement(const CConfDoc& document, CLoopEditor& editor) {
    std::ostringstream faults;
    std::vector<const CDrawingItem*> present;
    for (const auto& list :
         {&document.GetTemplates(), &document.GetObjects(), &document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            present.push_back(item.get());
        }
    }
    auto inDocument = [&present](const CDrawingItem* item) {
        return std::find(present.begin(), present.end(), item) != present.end();
    };
    for (const auto& item : document.GetGraphObjects()) {
        if (auto* node = dynamic_cast<CConfGraphNode*>(item.get())) {
            const CBlock* block = document.FindBlock(node->GetNumber(), node->GetLoop());
            if (block == nullptr) {
                faults << "node " << node->GetNumber() << " has no block on loop "
                       << node->GetLoop() << "; ";
            }
        }
        if (auto* node = dynamic_cast<CGraphNode*>(item.get())) {
            for (const CGraphLink* link : node->GetLinks()) {
                if (!inDocument(link) || (link->GetFrom() != node && link->GetTo() != node)) {
                    faults << "node " << node->GetNumberText() << " lists a stray link; ";
                }
            }
        }
        auto* link = dynamic_cast<CGraphLink*>(item.get());
        if (link == nullptr) {
            continue;
        }
        if (!inDocument(link->GetFrom()) || !inDocument(link->GetTo())) {
            faults << "a link ends at a node that is gone; ";
            continue;
        }
        auto* to = dynamic_cast<CConfGraphNode*>(link->GetTo());
        if (to == nullptr || dynamic_cast<CConfGraphNode*>(link->GetFrom()) == nullptr) {
            continue;
        }
        const CBlock* block = document.FindBlock(to->GetNumber(), to->GetLoop());
        const int j = block != nullptr ? block->FindLinkParam(link->GetInPortText()) : -1;
        if (j < 0 || block->GetParamText(PARAM_LINK, j) != link->GetOutPortText()) {
            faults << "link into " << to->GetNumber() << "." << link->GetInPortText() << " says "
                   << link->GetOutPortText() << ", LINK holds "
                   << (j < 0 ? std::string("nothing") : block->GetParamText(PARAM_LINK, j)) << "; ";
        }
    }
    for (const CDrawingObject* selected : editor.GetSelection()) {
        if (!inDocument(selected)) {
            faults << "a selected object is gone; ";
        }
    }
    return faults.str();
}

class RandomEditWalkTest : public testing::TestWithParam<unsigned> {
protected:
    void SetUp() override { RegisterDrawingClasses(); }
};

TEST_P(RandomEditWalkTest, DrawingAndConfigurationStayInAgreement) {
    CUndoManager undo;
    auto document = std::make_unique<CConfDoc>();
    ASSERT_TRUE(document->OnOpenDocument(testpaths::ExamplePlant()));
    auto editor = std::make_unique<CLoopEditor>(*document);
    ASSERT_EQ(CheckAgreement(*document, *editor), "") << "the example itself";

    CEditWalk walk(*document, *editor, GetParam());
    constexpr int kSteps = 1500;
    std::string history;
    for (int step = 0; step < kSteps; ++step) {
        const std::string operation = walk.Step();
        history += operation +
                   (undo.GetCount(document.get(), false) > 0
                        ? " [" + undo.GetDescription(document.get(), false, 0) + "]"
                        : std::string()) +
                   "\n";
        const std::string faults = CheckAgreement(*document, *editor);
        ASSERT_EQ(faults, "") << "after step " << step << " (" << operation << "), seed "
                              << GetParam() << ", steps and undo tops:\n"
                              << history.substr(history.size() > 4000 ? history.size() - 4000 : 0);
    }

    // Everything that can still be undone goes back; the rest stays valid.
    while (editor->Undo(1)) {
        ASSERT_EQ(CheckAgreement(*document, *editor), "") << "while undoing, seed " << GetParam();
    }
    if (!document->IsModified()) {
        EXPECT_EQ(LoopsText(*document), walk.GetSavedLoops()) << "unmodified means as saved";
    }
    while (editor->Redo(1)) {
    }
    ASSERT_EQ(CheckAgreement(*document, *editor), "");

    CTempFolder folder;
    const std::string path = folder.File("WALK.vxp");
    ASSERT_TRUE(document->OnSaveDocument(path));
    EXPECT_EQ(undo.GetCount(document.get(), false), 0);
    const std::string saved = LoopsText(*document);
    editor.reset();
    document.reset();

    CConfDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    CLoopEditor reopenedEditor(reopened);
    EXPECT_EQ(LoopsText(reopened), saved);
    EXPECT_EQ(CheckAgreement(reopened, reopenedEditor), "");
}

// With room for every entry, undoing all recorded edits gives the example back.
TEST_P(RandomEditWalkTest, UndoingEverythingGivesTheOpenedLoopsBack) {
    CUndoManager undo;
    CConfDoc document;
    ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
    undo.SetLimit(&document, 100000);
    const std::string opened = LoopsText(document);
    CLoopEditor editor(document);
    CEditWalk walk(document, editor, GetParam(), true);
    for (int step = 0; step < 300; ++step) {
        walk.Step();
    }
    while (editor.Undo(1)) {
    }
    EXPECT_EQ(CheckAgreement(document, editor), "");
    EXPECT_EQ(LoopsText(document), opened);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEditWalkTest, testing::Values(1u, 7u, 2026u, 90125u));

}  // namespace
