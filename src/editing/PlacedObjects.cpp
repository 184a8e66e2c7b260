#include "editing/PlacedObjects.h"

#include <algorithm>

#include "diagram/GraphLink.h"
#include "editing/LoopEditor.h"

namespace {

int DragPartOf(const CDrawingObject* object) {
    const auto* link = dynamic_cast<const CGraphLink*>(object);
    return link != nullptr ? link->GetDragPart() : CGraphLink::DRAG_NONE;
}

// Gives the objects the selection flags they had during the move, and the
// present ones back afterwards. The flags alone decide how links follow.
class CSelectionFlags {
public:
    CSelectionFlags(CLoopEditor& view, const std::vector<CDrawingObject*>& during)
        : m_present(view.GetSelection()), m_during(during) {
        for (CDrawingObject* object : m_present) {
            object->Select(false);
        }
        for (CDrawingObject* object : m_during) {
            object->Select(true);
        }
    }
    ~CSelectionFlags() {
        for (CDrawingObject* object : m_during) {
            object->Select(false);
        }
        for (CDrawingObject* object : m_present) {
            object->Select(true);
        }
    }
    CSelectionFlags(const CSelectionFlags&) = delete;
    CSelectionFlags& operator=(const CSelectionFlags&) = delete;

private:
    std::vector<CDrawingObject*> m_present;
    std::vector<CDrawingObject*> m_during;
};

}  // namespace

CPlacedObjects::CPlacedObjects(std::vector<CDrawingObject*> selectedAtMove)
    : m_selectedAtMove(std::move(selectedAtMove)) {}

void CPlacedObjects::Add(CDrawingObject* object) {
    if (object != nullptr) {
        Add(object, object->GetRect());
    }
}

void CPlacedObjects::Add(CDrawingObject* object, const CRect& before) {
    if (object != nullptr) {
        m_entries.push_back({object, before, DragPartOf(object)});
    }
}

void CPlacedObjects::Swap(CLoopEditor& view) {
    // Objects that left the document meanwhile are skipped; so are their flags.
    std::vector<CDrawingObject*> during;
    std::copy_if(m_selectedAtMove.begin(), m_selectedAtMove.end(), std::back_inserter(during),
                 [&view](CDrawingObject* object) { return view.HasObject(object); });
    for (const Entry& entry : m_entries) {
        if (view.HasObject(entry.object) &&
            std::find(during.begin(), during.end(), entry.object) == during.end()) {
            during.push_back(entry.object);
        }
    }
    // Every offset comes from the rectangles before the swap: a link's
    // rectangle changes while its nodes move.
    std::vector<CRect> current(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (view.HasObject(m_entries[i].object)) {
            current[i] = m_entries[i].object->GetRect();
        }
    }
    CSelectionFlags flags(view, during);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        if (!view.HasObject(entry.object)) {
            continue;
        }
        const CSize delta = entry.rect.TopLeft() - current[i].TopLeft();
        if (auto* link = dynamic_cast<CGraphLink*>(entry.object)) {
            link->SetDragPart(entry.dragPart);
        }
        entry.object->Offset(delta, &view);
        entry.rect = current[i];
    }
}
