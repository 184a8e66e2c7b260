#pragma once

class CConfDoc;

// Told of the moments in a document's life that the editing layer keeps its
// undo lists by: a document made new or opened, saved, and destroyed.
class CConfDocObserver {
public:
    virtual ~CConfDocObserver() = default;
    virtual void OnDocumentStarted(CConfDoc& document) = 0;
    virtual void OnDocumentSaved(CConfDoc& document) = 0;
    virtual void OnDocumentDestroyed(CConfDoc& document) = 0;
};
