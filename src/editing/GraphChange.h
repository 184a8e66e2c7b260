#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CBlock;
class CConfSpecialNode;
class CDrawingItem;
class CDrawingObject;
class CGraphLink;
class CGraphNode;
class CLoopEditor;

// A change of a loop's function graph, recorded so that it can be taken back
// and made again exactly. Deleting a block node reaches far: its links go, the
// LINK parameters they stood for are reset, connectors on other loops may go
// with their partner links. Rather than undoing each of those steps by hand,
// the change notes the document's state before and after: the drawing lists,
// the blocks of every loop, the links and connectors each node lists, and every
// LINK value. Going back or forth puts the objects and blocks that differ in or
// out (they are kept here while they are out, the same objects, so that other
// actions' pointers to them stay good) and restores the lists and values.
class CGraphChange {
public:
    explicit CGraphChange(CLoopEditor& view);
    ~CGraphChange();
    CGraphChange(const CGraphChange&) = delete;
    CGraphChange& operator=(const CGraphChange&) = delete;

    // Notes the state before; from now on objects the view deletes are kept.
    void Begin();
    // Notes the state after and stops keeping.
    void End();
    bool IsRecording() const { return m_bRecording; }
    bool IsRecorded() const { return m_bRecorded; }

    // Takes an object out of the document and keeps it.
    void Keep(std::unique_ptr<CDrawingObject> object);
    // Takes the block out of its loop and keeps it; false when no loop holds it.
    bool TakeBlock(CBlock* block);

    // Back to the state before the change, and forward to the state after it.
    void Revert();
    void Replay();

    // True when the object or block is out of the document and kept here.
    bool IsKept(const CDrawingObject* object) const;
    bool IsKept(const CBlock* block) const;

private:
    struct Relations {
        std::vector<CGraphLink*> links;
        std::vector<CConfSpecialNode*> connectors;
        CGraphNode* from = nullptr;
        CGraphNode* to = nullptr;
        bool operator==(const Relations&) const = default;
    };
    using LinkKey = std::pair<CBlock*, int>;
    struct State {
        std::array<std::vector<const CDrawingItem*>, 3> lists;
        std::array<std::vector<CBlock*>, 5> loops;
        std::map<CDrawingObject*, Relations> relations;
        std::map<LinkKey, std::string> linkValues;
    };

    void Capture(State& state) const;
    void CaptureRelations(CDrawingObject* object, State& state) const;
    void CaptureLinkValues(CBlock* block, State& state) const;
    void ForgetVanished();
    // Keeps only what differs between the two states in the maps.
    void Prune();
    void Apply(const State& target);
    void ApplyObjects(const State& target);
    void ApplyBlocks(const State& target);
    void ApplyRelations(const State& target);
    void ApplyLinkValues(const State& target);
    std::unique_ptr<CDrawingObject> Release(const CDrawingItem* object);
    std::unique_ptr<CBlock> ReleaseBlock(const CBlock* block);

    CLoopEditor& m_view;
    State m_before;
    State m_after;
    std::vector<std::unique_ptr<CDrawingObject>> m_keptObjects;
    std::vector<std::unique_ptr<CBlock>> m_keptBlocks;
    bool m_bRecording = false;
    bool m_bRecorded = false;
};
