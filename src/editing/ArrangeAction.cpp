#include "editing/ArrangeAction.h"

#include <algorithm>

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

namespace {

CRect BoundsOf(const CDrawingObject* object) {
    CRect rect = object->GetRect();
    rect.NormalizeRect();
    return rect;
}

// The leftmost (type 1) or topmost (type 2) object; on equal edges the earlier
// one in the list.
CDrawingObject* FirstAlong(const std::vector<CDrawingObject*>& objects, bool across) {
    CDrawingObject* first = nullptr;
    for (CDrawingObject* object : objects) {
        if (first == nullptr) {
            first = object;
            continue;
        }
        const CRect rect = BoundsOf(object);
        const CRect best = BoundsOf(first);
        if (across ? rect.left < best.left : rect.top < best.top) {
            first = object;
        }
    }
    return first;
}

}  // namespace

CArrangeAction::CArrangeAction(CLoopEditor* view, int descriptionId, int type)
    : CLoopAction(view, descriptionId), m_objects(view->GetSelection()) {
    Arrange(type);
}

CArrangeAction::~CArrangeAction() = default;

void CArrangeAction::Arrange(int type) {
    CLoopEditor& view = *GetView();
    const bool across = type == kHorizontal;
    std::vector<CDrawingObject*> remaining = view.GetSelection();
    const int count = static_cast<int>(remaining.size());
    if (count < 3) {
        return;
    }
    CRect united = BoundsOf(remaining.front());
    long long sides = 0;
    for (const CDrawingObject* object : remaining) {
        const CRect rect = BoundsOf(object);
        united.UnionRect(united, rect);
        sides += across ? rect.Width() : rect.Height();
    }
    const long long extent = across ? united.Width() : united.Height();
    const int gap = static_cast<int>((extent - sides) / (count - 1));
    CDrawingObject* anchor = FirstAlong(remaining, across);
    // The first object stays; each next one follows the one placed before it.
    while (remaining.size() > 2) {
        std::erase(remaining, anchor);
        view.Deselect(anchor);
        CDrawingObject* next = FirstAlong(remaining, across);
        const CRect anchorRect = BoundsOf(anchor);
        const CRect rect = BoundsOf(next);
        const CSize delta = across ? CSize(anchorRect.right + gap - rect.left, 0)
                                   : CSize(0, anchorRect.bottom + gap - rect.top);
        m_objects.Add(next);
        next->Offset(delta, &view);
        anchor = next;
    }
}

void CArrangeAction::Do() {
    CLoopAction::Do();
    Close();
}

void CArrangeAction::UndoStep() {
    m_objects.Swap(*GetView());
}

void CArrangeAction::RedoStep() {
    m_objects.Swap(*GetView());
}
