#include "diagram/DrawingGroup.h"

#include <algorithm>

#include "document/ConfDoc.h"
#include "platform/Archive.h"

IMPLEMENT_SERIAL(CDrawingGroup, CDrawingObject, 2)

namespace {

// Each member takes at least its two-byte object tag.
constexpr std::size_t kMinMemberBytes = 2;

}  // namespace

CDrawingGroup::CDrawingGroup() = default;

CDrawingGroup::CDrawingGroup(const CDrawingGroup& other) : CDrawingObject(other) {
    m_objects.reserve(other.m_objects.size());
    for (const auto& member : other.m_objects) {
        m_objects.push_back(member->Clone());
    }
}

CDrawingGroup::~CDrawingGroup() = default;

void CDrawingGroup::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_objects.size());
        for (const auto& member : m_objects) {
            ar.WriteObject(member.get());
        }
        return;
    }
    m_objects.clear();
    const std::size_t count = ar.ReadCount(kMinMemberBytes);
    for (std::size_t i = 0; i < count; ++i) {
        // An empty entry is dropped: the group never holds a null member.
        if (std::unique_ptr<CDrawingObject> member = ar.ReadOwned<CDrawingObject>()) {
            m_objects.push_back(std::move(member));
        }
    }
}

void CDrawingGroup::SetDocument(CConfDoc* document) {
    CDrawingObject::SetDocument(document);
    for (const auto& member : m_objects) {
        member->SetDocument(document);
    }
}

void CDrawingGroup::Draw(CDC& dc) const {
    for (const auto& member : m_objects) {
        member->Draw(dc);
    }
}

bool CDrawingGroup::IntersectsRect(const CRect& rect) const {
    return std::any_of(m_objects.begin(), m_objects.end(),
                       [&](const auto& member) { return member->IntersectsRect(rect); });
}

bool CDrawingGroup::HitTest(CPoint point, CDrawingView* view) const {
    return std::any_of(m_objects.begin(), m_objects.end(),
                       [&](const auto& member) { return member->HitTest(point, view); });
}

void CDrawingGroup::Offset(CSize delta, CDrawingView* view) {
    for (const auto& member : m_objects) {
        member->Offset(delta, view);
    }
    CDrawingObject::Offset(delta, view);
}

void CDrawingGroup::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    const CRect old = m_rect;
    CDrawingObject::MoveHandleTo(handle, x, y, view);
    const int32_t dx = geometry::WrapSub(m_rect.Width(), old.Width());
    const int32_t dy = geometry::WrapSub(m_rect.Height(), old.Height());
    if (dx == 0 && dy == 0) {
        return;
    }
    for (const auto& member : m_objects) {
        const CRect rect = recthandles::StretchEdges(member->GetRect(), handle, dx, dy);
        member->MoveTo(rect, view);
    }
}

std::unique_ptr<CDrawingObject> CDrawingGroup::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawingGroup(*this));
}

void CDrawingGroup::AddObject(std::unique_ptr<CDrawingObject> object, bool bGrowRect) {
    if (!object) {
        return;
    }
    if (bGrowRect) {
        // Lines and other flat members count with their extent, so a group of
        // lines still gets a rectangle that holds them.
        CRect member = object->GetRect();
        member.NormalizeRect();
        if (m_objects.empty() && m_rect.IsRectNull()) {
            SetRect(member);
        } else {
            CRect own = m_rect;
            own.NormalizeRect();
            SetRect(CRect(std::min(own.left, member.left), std::min(own.top, member.top),
                          std::max(own.right, member.right), std::max(own.bottom, member.bottom)));
        }
    }
    m_objects.push_back(std::move(object));
}

std::vector<std::unique_ptr<CDrawingObject>> CDrawingGroup::RemoveAllObjects() {
    std::vector<std::unique_ptr<CDrawingObject>> members;
    members.swap(m_objects);
    return members;
}

int CDrawingGroup::GetObjectCount() const {
    return static_cast<int>(m_objects.size());
}

CDrawingObject* CDrawingGroup::GetObjectAt(int index) const {
    if (index < 0 || index >= GetObjectCount()) {
        return nullptr;
    }
    return m_objects[static_cast<std::size_t>(index)].get();
}

CDrawingGroup* GroupObjects(CConfDoc& document, const std::vector<CDrawingObject*>& selected) {
    if (selected.size() < 2) {
        return nullptr;
    }
    auto group = std::make_unique<CDrawingGroup>();
    group->SetLoop(document.GetCurrentLoopNumber());
    for (CDrawingObject* object : selected) {
        if (object == nullptr || object->GetListKind() == CDrawingItem::LIST_GRAPH) {
            continue;
        }
        // The document gives up only selected objects.
        const bool wasSelected = object->IsSelected();
        object->Select(true);
        std::unique_ptr<CDrawingItem> removed = document.RemoveDrawingObject(object);
        if (!removed) {
            object->Select(wasSelected);
            continue;
        }
        std::unique_ptr<CDrawingObject> member(static_cast<CDrawingObject*>(removed.release()));
        member->Select(false);
        group->AddObject(std::move(member), true);
    }
    if (group->GetObjectCount() == 0) {
        return nullptr;
    }
    CDrawingGroup* result = group.get();
    result->Select(true);
    document.AddDrawingObject(std::move(group));
    return result;
}

std::vector<CDrawingObject*> UngroupObject(CConfDoc& document, CDrawingGroup* group) {
    std::vector<CDrawingObject*> members;
    if (group == nullptr) {
        return members;
    }
    // Take the group out first so that a group the document does not hold is
    // left as it is.
    const bool wasSelected = group->IsSelected();
    group->Select(true);
    std::unique_ptr<CDrawingItem> removed = document.RemoveDrawingObject(group);
    if (!removed) {
        group->Select(wasSelected);
        return members;
    }
    for (std::unique_ptr<CDrawingObject>& member : group->RemoveAllObjects()) {
        member->SetLoop(document.GetCurrentLoopNumber());
        member->Select(true);
        members.push_back(member.get());
        document.AddDrawingObject(std::move(member));
    }
    return members;
}
