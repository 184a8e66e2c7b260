#pragma once

class CObject;

// A window that shows a document and is told when the document changes.
class CView {
public:
    virtual ~CView() = default;
    // sender: the view that made the change (null for the document itself);
    // hint and hintObject say what changed.
    virtual void OnUpdate(CView* sender, long hint, CObject* hintObject) = 0;
};
