#pragma once

#include <vector>

#include "platform/Rect.h"

class CDrawingObject;
class CLoopEditor;

// Objects with the rectangles they had before a move, for the move, arrange
// and align actions. Swapping moves each object back to its noted rectangle's
// top-left corner through its own move (so that links follow their nodes as
// they did during the drag) and notes the rectangle it had instead; the same
// step serves undo and redo.
class CPlacedObjects {
public:
    // The objects selected when the move was made: during a swap exactly they
    // count as selected, since nodes and links move by the selection.
    explicit CPlacedObjects(std::vector<CDrawingObject*> selectedAtMove = {});

    void Add(CDrawingObject* object);
    void Add(CDrawingObject* object, const CRect& before);
    void Swap(CLoopEditor& view);

    std::size_t GetCount() const { return m_entries.size(); }
    CDrawingObject* GetObject(std::size_t i) const { return m_entries[i].object; }
    const CRect& GetRect(std::size_t i) const { return m_entries[i].rect; }

private:
    struct Entry {
        CDrawingObject* object;
        CRect rect;
        int dragPart;
    };
    std::vector<Entry> m_entries;
    std::vector<CDrawingObject*> m_selectedAtMove;
};
