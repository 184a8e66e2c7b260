#pragma once

#include <map>
#include <memory>
#include <string>

#include "document/ConfDocObserver.h"
#include "editing/ActionManager.h"

class CAction;
class CDocument;

// The program's undo manager: one action manager per document, looked up by the
// document (the owner key). There is one for the application; the one most
// recently made is the one actions register with (Get). It follows the
// documents' lives: a document made new or opened registers, a saved one has its
// lists cleared and counts as clean, a destroyed one unregisters.
class CUndoManager : public CConfDocObserver {
public:
    static constexpr int kDefaultLimit = 25;
    // The view update hint that makes the loop views forget their pending action.
    static constexpr long kHintForgetPending = 6;
    static constexpr const char* kDoName = "UndoManager:Do";
    static constexpr const char* kUndoName = "UndoManager:Undo";
    static constexpr const char* kRedoName = "UndoManager:Redo";

    CUndoManager();
    ~CUndoManager() override;
    CUndoManager(const CUndoManager&) = delete;
    CUndoManager& operator=(const CUndoManager&) = delete;

    // The application's undo manager; null before it is made and after it is gone.
    static CUndoManager* Get();
    // The registered message ids of the notifications.
    static int DoMessage();
    static int UndoMessage();
    static int RedoMessage();

    // A known key keeps its actions and gets the callback and the limit.
    virtual void Register(CDocument* key, int limit, CActionManager::Callback callback);
    virtual void Unregister(CDocument* key);
    virtual void Do(CDocument* key, CAction* action);
    virtual bool Undo(CDocument* key, int count);
    virtual bool CanUndo(CDocument* key, int count) const;
    virtual bool Redo(CDocument* key, int count);
    virtual bool CanRedo(CDocument* key, int count) const;

    // The description of the i-th action from the most recent one (the next to
    // be undone or redone is 0); empty for an id of 0 or outside the list.
    std::string GetDescription(CDocument* key, bool redoList, int i) const;
    int GetCount(CDocument* key, bool redoList) const;
    void SetLimit(CDocument* key, int limit);
    void Remove(CDocument* key, CAction* action);
    void Clear(CDocument* key);
    // The document changed outside the undo lists and stays modified until saved.
    void ForgetCleanState(CDocument* key);
    bool IsRegistered(CDocument* key) const;
    // True while the action is in one of the key's lists.
    bool Holds(CDocument* key, const CAction* action) const;
    CActionManager* Find(CDocument* key) const;

    // Clears both lists; the saved state is the clean one from now on.
    void MarkSaved(CDocument* key);

    // CConfDocObserver
    void OnDocumentStarted(CConfDoc& document) override;
    void OnDocumentSaved(CConfDoc& document) override;
    void OnDocumentDestroyed(CConfDoc& document) override;

    // The program's callback: the document's modified flag follows the note.
    static void SetDocumentModified(CDocument* key, const UndoNotification& note);

private:
    std::map<CDocument*, std::unique_ptr<CActionManager>> m_managers;
    CUndoManager* m_pPrevious;
    CConfDocObserver* m_pPreviousObserver;
};
