#include "editing/GraphChange.h"

#include <algorithm>
#include <set>

#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"

namespace {

constexpr CDrawingItem::ListKind kListKinds[] = {
    CDrawingItem::LIST_TEMPLATES, CDrawingItem::LIST_OBJECTS, CDrawingItem::LIST_GRAPH};

template <class Map>
void PruneEqual(Map& before, Map& after) {
    for (auto it = before.begin(); it != before.end();) {
        auto other = after.find(it->first);
        if (other != after.end() && other->second == it->second) {
            after.erase(other);
            it = before.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace

CGraphChange::CGraphChange(CLoopEditor& view) : m_view(view) {}

// The view may be gone already: a document's actions go with the document,
// after its window. Recording never outlives the step that records.
CGraphChange::~CGraphChange() = default;

void CGraphChange::Begin() {
    Capture(m_before);
    m_bRecording = true;
    m_view.SetRecorder(this);
}

void CGraphChange::End() {
    if (m_view.GetRecorder() == this) {
        m_view.SetRecorder(nullptr);
    }
    m_bRecording = false;
    Capture(m_after);
    ForgetVanished();
    Prune();
    m_bRecorded = true;
}

// Whatever was deleted outright during the change (not through the view) cannot
// come back; the state before must not point at it.
void CGraphChange::ForgetVanished() {
    std::set<const void*> alive;
    for (const auto& list : m_after.lists) {
        alive.insert(list.begin(), list.end());
    }
    for (const auto& loop : m_after.loops) {
        alive.insert(loop.begin(), loop.end());
    }
    for (const auto& kept : m_keptObjects) {
        alive.insert(kept.get());
    }
    for (const auto& kept : m_keptBlocks) {
        alive.insert(kept.get());
    }
    auto gone = [&alive](const void* pointer) { return alive.count(pointer) == 0; };
    for (auto& list : m_before.lists) {
        std::erase_if(list, gone);
    }
    for (auto& loop : m_before.loops) {
        std::erase_if(loop, gone);
    }
    std::erase_if(m_before.relations, [&gone](const auto& entry) { return gone(entry.first); });
    std::erase_if(m_before.linkValues,
                  [&gone](const auto& entry) { return gone(entry.first.first); });
}

void CGraphChange::Keep(std::unique_ptr<CDrawingObject> object) {
    if (object) {
        m_keptObjects.push_back(std::move(object));
    }
}

bool CGraphChange::TakeBlock(CBlock* block) {
    if (block == nullptr) {
        return false;
    }
    CConfDoc& document = *m_view.GetDocument();
    CLoop* loop = document.FindLoopOfBlock(*block);
    if (loop == nullptr) {
        return false;
    }
    std::unique_ptr<CBlock> taken =
        document.RemoveBlock(block->GetBlockNumber(), loop->GetLoopNumber());
    if (!taken) {
        return false;
    }
    m_keptBlocks.push_back(std::move(taken));
    return true;
}

void CGraphChange::Revert() {
    if (m_bRecorded) {
        Apply(m_before);
    }
}

void CGraphChange::Replay() {
    if (m_bRecorded) {
        Apply(m_after);
    }
}

bool CGraphChange::IsKept(const CDrawingObject* object) const {
    return std::any_of(m_keptObjects.begin(), m_keptObjects.end(),
                       [object](const auto& kept) { return kept.get() == object; });
}

bool CGraphChange::IsKept(const CBlock* block) const {
    return std::any_of(m_keptBlocks.begin(), m_keptBlocks.end(),
                       [block](const auto& kept) { return kept.get() == block; });
}

// --- snapshots ----------------------------------------------------------------

void CGraphChange::Capture(State& state) const {
    const CConfDoc& document = *m_view.GetDocument();
    for (CDrawingItem::ListKind kind : kListKinds) {
        auto& list = state.lists[kind];
        list.clear();
        for (const auto& item : document.GetList(kind)) {
            list.push_back(item.get());
            if (kind == CDrawingItem::LIST_GRAPH) {
                CaptureRelations(dynamic_cast<CDrawingObject*>(item.get()), state);
            }
        }
    }
    for (const auto& kept : m_keptObjects) {
        CaptureRelations(kept.get(), state);
    }
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        auto& blocks = state.loops[static_cast<std::size_t>(n - 1)];
        blocks.clear();
        if (const CLoop* loop = document.GetLoop(n)) {
            for (int i = 0; i < loop->GetBlockCount(); ++i) {
                blocks.push_back(loop->GetBlock(i));
                CaptureLinkValues(loop->GetBlock(i), state);
            }
        }
    }
    for (const auto& kept : m_keptBlocks) {
        CaptureLinkValues(kept.get(), state);
    }
}

void CGraphChange::CaptureRelations(CDrawingObject* object, State& state) const {
    Relations relations;
    if (auto* node = dynamic_cast<CGraphNode*>(object)) {
        relations.links = node->GetLinks();
        if (auto* block = dynamic_cast<CConfGraphNode*>(node)) {
            relations.connectors = block->GetConnectors();
        }
    } else if (auto* link = dynamic_cast<CGraphLink*>(object)) {
        relations.from = link->GetFrom();
        relations.to = link->GetTo();
    } else {
        return;
    }
    state.relations[object] = std::move(relations);
}

void CGraphChange::CaptureLinkValues(CBlock* block, State& state) const {
    if (block == nullptr) {
        return;
    }
    for (int j = 0; j < block->GetParamListSize(PARAM_LINK); ++j) {
        state.linkValues[{block, j}] = block->GetParamText(PARAM_LINK, j);
    }
}

void CGraphChange::Prune() {
    PruneEqual(m_before.relations, m_after.relations);
    PruneEqual(m_before.linkValues, m_after.linkValues);
}

// --- going back and forth -----------------------------------------------------

void CGraphChange::Apply(const State& target) {
    ApplyObjects(target);
    ApplyBlocks(target);
    ApplyRelations(target);
    ApplyLinkValues(target);
}

void CGraphChange::ApplyObjects(const State& target) {
    CConfDoc& document = *m_view.GetDocument();
    for (CDrawingItem::ListKind kind : kListKinds) {
        const auto& wanted = target.lists[kind];
        std::vector<CDrawingObject*> leaving;
        for (const auto& item : document.GetList(kind)) {
            if (std::find(wanted.begin(), wanted.end(), item.get()) == wanted.end()) {
                leaving.push_back(dynamic_cast<CDrawingObject*>(item.get()));
            }
        }
        for (CDrawingObject* object : leaving) {
            Keep(m_view.TakeObject(object));
        }
        for (const CDrawingItem* item : wanted) {
            if (std::unique_ptr<CDrawingObject> back = Release(item)) {
                m_view.InsertObject(document.GetList(kind).size(), std::move(back));
            }
        }
        document.ArrangeList(kind, wanted);
    }
}

void CGraphChange::ApplyBlocks(const State& target) {
    CConfDoc& document = *m_view.GetDocument();
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        CLoop* loop = document.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        const auto& wanted = target.loops[static_cast<std::size_t>(n - 1)];
        std::vector<int> leaving;
        for (int i = 0; i < loop->GetBlockCount(); ++i) {
            if (std::find(wanted.begin(), wanted.end(), loop->GetBlock(i)) == wanted.end()) {
                leaving.push_back(loop->GetBlock(i)->GetBlockNumber());
            }
        }
        for (int number : leaving) {
            if (std::unique_ptr<CBlock> block = document.RemoveBlock(number, n)) {
                m_keptBlocks.push_back(std::move(block));
            }
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (std::unique_ptr<CBlock> back = ReleaseBlock(wanted[i])) {
                document.InsertBlock(static_cast<int>(i), std::move(back), n);
            }
        }
    }
}

void CGraphChange::ApplyRelations(const State& target) {
    for (const auto& [object, relations] : target.relations) {
        if (auto* node = dynamic_cast<CGraphNode*>(object)) {
            node->SetLinks(relations.links);
            if (auto* block = dynamic_cast<CConfGraphNode*>(node)) {
                block->SetConnectors(relations.connectors);
            }
        } else if (auto* link = dynamic_cast<CGraphLink*>(object)) {
            link->SetFrom(relations.from);
            link->SetTo(relations.to);
        }
    }
}

void CGraphChange::ApplyLinkValues(const State& target) {
    CConfDoc& document = *m_view.GetDocument();
    for (const auto& [key, text] : target.linkValues) {
        CBlock* block = key.first;
        if (block->GetParamText(PARAM_LINK, key.second) == text) {
            continue;
        }
        block->SetParamValue(PARAM_LINK, key.second, text);
        block->SetChanged(true);
        // New wiring reaches the controller only with its whole loop.
        if (CLoop* loop = document.FindLoopOfBlock(*block)) {
            loop->SetModified(CLoop::MODIFIED_BLOCKS);
        }
        document.SetModifiedFlag(true);
    }
}

std::unique_ptr<CDrawingObject> CGraphChange::Release(const CDrawingItem* object) {
    auto it = std::find_if(m_keptObjects.begin(), m_keptObjects.end(),
                           [object](const auto& kept) { return kept.get() == object; });
    if (it == m_keptObjects.end()) {
        return nullptr;
    }
    std::unique_ptr<CDrawingObject> released = std::move(*it);
    m_keptObjects.erase(it);
    return released;
}

std::unique_ptr<CBlock> CGraphChange::ReleaseBlock(const CBlock* block) {
    auto it = std::find_if(m_keptBlocks.begin(), m_keptBlocks.end(),
                           [block](const auto& kept) { return kept.get() == block; });
    if (it == m_keptBlocks.end()) {
        return nullptr;
    }
    std::unique_ptr<CBlock> released = std::move(*it);
    m_keptBlocks.erase(it);
    return released;
}
