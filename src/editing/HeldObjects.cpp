#include "editing/HeldObjects.h"

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

CHeldObjects::CHeldObjects() = default;
CHeldObjects::~CHeldObjects() = default;
CHeldObjects::CHeldObjects(CHeldObjects&&) noexcept = default;
CHeldObjects& CHeldObjects::operator=(CHeldObjects&&) noexcept = default;

void CHeldObjects::AddNew(std::unique_ptr<CDrawingObject> object) {
    if (object) {
        CDrawingObject* pointer = object.get();
        m_entries.push_back({pointer, std::move(object), 0});
    }
}

void CHeldObjects::AddExisting(CDrawingObject* object) {
    if (object != nullptr) {
        m_entries.push_back({object, nullptr, 0});
    }
}

void CHeldObjects::Append(CLoopEditor& view) {
    for (Entry& entry : m_entries) {
        if (entry.owned) {
            view.AddObject(std::move(entry.owned));
        }
    }
}

void CHeldObjects::TakeOut(CLoopEditor& view) {
    for (Entry& entry : m_entries) {
        if (!entry.owned && view.HasObject(entry.object)) {
            entry.owned = view.TakeObject(entry.object, &entry.position);
        }
    }
}

void CHeldObjects::PutBack(CLoopEditor& view) {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->owned) {
            view.InsertObject(it->position, std::move(it->owned));
        }
    }
    view.DeselectAll();
    for (Entry& entry : m_entries) {
        if (view.HasObject(entry.object)) {
            view.Select(entry.object, true);
        }
    }
}

CDrawingObject* CHeldObjects::GetObject(std::size_t i) const {
    return i < m_entries.size() ? m_entries[i].object : nullptr;
}

bool CHeldObjects::IsHeld(std::size_t i) const {
    return i < m_entries.size() && m_entries[i].owned != nullptr;
}
