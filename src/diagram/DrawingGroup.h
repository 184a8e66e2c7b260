#pragma once

#include <memory>
#include <vector>

#include "diagram/DrawingObject.h"

// Drawing objects kept together: drawn, hit, moved and stretched as one. The
// group owns its members.
class CDrawingGroup : public CDrawingObject {
    DECLARE_SERIAL(CDrawingGroup)

public:
    CDrawingGroup();
    ~CDrawingGroup() override;

    void Serialize(CArchive& ar) override;
    void SetDocument(CConfDoc* document) override;

    void Draw(CDC& dc) const override;
    bool IntersectsRect(const CRect& rect) const override;
    bool HitTest(CPoint point, CDrawingView* view) const override;
    // Moves every member, then the group.
    void Offset(CSize delta, CDrawingView* view) override;
    // Resizes the group and moves the members' edges on the dragged side by the
    // change of the group's width and height; members are not scaled.
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // Appends a member (null is ignored); with bGrowRect the group's rectangle
    // grows to hold the member's.
    virtual void AddObject(std::unique_ptr<CDrawingObject> object, bool bGrowRect);
    // Empties the group and hands the members back.
    [[nodiscard]] virtual std::vector<std::unique_ptr<CDrawingObject>> RemoveAllObjects();
    virtual int GetObjectCount() const;
    // Null outside 0..count-1.
    virtual CDrawingObject* GetObjectAt(int index) const;

protected:
    CDrawingGroup(const CDrawingGroup& other);

    std::vector<std::unique_ptr<CDrawingObject>> m_objects;
};

// "Group some objects": moves the selected drawing objects (graph nodes and
// links stay) out of the document into a new group on the current loop. A group
// with members is added to the document selected and returned; with none,
// nothing changes and the result is null. Needs more than one selected object.
CDrawingGroup* GroupObjects(CConfDoc& document, const std::vector<CDrawingObject*>& selected);

// "Ungroup some objects": puts the members of a group that the document holds
// back into the document on the current loop, selected, and deletes the group.
// Returns the members.
std::vector<CDrawingObject*> UngroupObject(CConfDoc& document, CDrawingGroup* group);
