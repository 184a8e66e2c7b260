#include "vexilla/ConstraintList.h"

#include <algorithm>

namespace Geometry {

bool CConstraintList::AddConstraint(uint32_t id, const CConstraint& constraint,
                                    const RectLookup& lookup) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [id](const CBindCtlToConstraint& entry) { return entry.m_id == id; });
    if (it != m_entries.end()) {
        it->SetConstraint(constraint);
        return true;
    }
    CBindCtlToConstraint& entry = m_entries.emplace_back(id, constraint);
    if (lookup) {
        if (const std::optional<CRect> rect = lookup(id)) {
            entry.SetRect(*rect);
        }
    }
    return true;
}

void CConstraintList::RemoveConstraint(uint32_t id) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [id](const CBindCtlToConstraint& entry) { return entry.m_id == id; });
    if (it != m_entries.end()) {
        m_entries.erase(it);
    }
}

void CConstraintList::SetRects(const RectLookup& lookup) {
    if (!lookup) {
        return;
    }
    for (CBindCtlToConstraint& entry : m_entries) {
        if (const std::optional<CRect> rect = lookup(entry.m_id)) {
            entry.SetRect(*rect);
        }
    }
}

void CConstraintList::ResizeControls(CSize newSize, CSize initialSize,
                                     const PlaceControl& place) const {
    if (!place) {
        return;
    }
    for (const CBindCtlToConstraint& entry : m_entries) {
        place(entry.m_id, entry.ResizeControl(newSize, initialSize));
    }
}

const CBindCtlToConstraint* CConstraintList::Find(uint32_t id) const {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [id](const CBindCtlToConstraint& entry) { return entry.m_id == id; });
    return it != m_entries.end() ? &*it : nullptr;
}

}  // namespace Geometry
