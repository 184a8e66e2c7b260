#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/AddLinkAction.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "editing/UndoManager.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"

// A new document with its five loops on loop 1, the program's undo manager and
// an editor without a window (one logical unit per device pixel).
class EditingTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_undo = std::make_unique<CUndoManager>();
        m_doc = std::make_unique<CConfDoc>();
        m_doc->OnNewDocument();
        m_doc->CreateDefaultLoops();
        m_doc->SelectLoop(1, false);
        m_doc->SetModifiedFlag(false);
        m_doc->GetGeneralData().m_bSnapToGrid = false;
        m_editor = std::make_unique<CLoopEditor>(*m_doc);
    }
    void TearDown() override {
        m_editor.reset();
        m_doc.reset();
        m_undo.reset();
    }

    CConfDoc& Doc() { return *m_doc; }
    CLoopEditor& Editor() { return *m_editor; }
    CUndoManager& Undo() { return *m_undo; }
    std::string Description(int i = 0, bool redo = false) {
        return m_undo->GetDescription(m_doc.get(), redo, i);
    }
    int UndoCount() { return m_undo->GetCount(m_doc.get(), false); }
    int RedoCount() { return m_undo->GetCount(m_doc.get(), true); }

    // The block with the number placed through the editor (an undo entry).
    CConfGraphNode* PlaceBlock(int number, CPoint centre) {
        m_editor->Commands().InsertBlock(CBlock::Create(GetTypeIndexOfBlockNumber(number), number),
                                         -1, centre);
        return dynamic_cast<CConfGraphNode*>(m_editor->GetFirstSelected());
    }
    // A link from the source's first output to the destination's input.
    CGraphLink* Connect(CConfGraphNode* from, CConfGraphNode* to, const std::string& input) {
        const CBlock* source = from->FindBlock(m_editor.get());
        const std::string output = std::to_string(source->GetOutputAddress(0));
        auto link = CGraphLink::CreateBetween(from, to, {}, output, input);
        CGraphLink* made = link.get();
        auto* action = new CAddLinkAction(m_editor.get(), 28894, std::move(link), from, to);
        m_editor->SetPendingAction(action);
        action->Do();
        return made;
    }
    std::string LinkValue(int blockNumber, const std::string& input) {
        const CBlock* block = m_doc->FindBlockByNumber(blockNumber);
        return block == nullptr ? "?" : block->GetParamText(0, block->FindLinkParam(input));
    }
    std::vector<int> BlockOrder(int loop) {
        std::vector<int> numbers;
        for (int i = 0; i < m_doc->GetBlockCount(loop); ++i) {
            numbers.push_back(m_doc->GetBlockAt(i, loop)->GetBlockNumber());
        }
        return numbers;
    }

    std::unique_ptr<CUndoManager> m_undo;
    std::unique_ptr<CConfDoc> m_doc;
    std::unique_ptr<CLoopEditor> m_editor;
};
