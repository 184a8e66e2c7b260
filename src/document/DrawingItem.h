#pragma once

#include "platform/Object.h"
#include "platform/Rect.h"

class CConfDoc;

// What the document knows of an object on a loop drawing: its place, whether it
// is selected, and which of the document's three lists holds it. The drawing
// classes derive from it.
class CDrawingItem : public CObject {
    DECLARE_DYNAMIC(CDrawingItem)

public:
    enum ListKind { LIST_TEMPLATES, LIST_OBJECTS, LIST_GRAPH };

    ~CDrawingItem() override = default;

    virtual CRect GetRect() const = 0;
    virtual bool IsSelected() const = 0;
    // The list that holds such objects: graph nodes and links go to the graph
    // list, templates to the template list, everything else to the object list.
    virtual ListKind GetListKind() const { return LIST_OBJECTS; }
    virtual void SetDocument(CConfDoc* document) { m_pDocument = document; }
    CConfDoc* GetDocument() const { return m_pDocument; }

protected:
    CConfDoc* m_pDocument = nullptr;
};
