#pragma once

#include <deque>
#include <functional>
#include <memory>

#include "editing/UndoNotification.h"

class CAction;
class CDocument;
class CUndoManager;

// The undo and redo lists of one document. The most recent action is at the
// back of each list. The clean mark is the undo-list length at which the
// document counts as unmodified; -1 once that state can no longer be reached.
class CActionManager {
public:
    using Callback = std::function<void(CDocument* owner, const UndoNotification& note)>;

    CActionManager(CUndoManager* undoManager, CDocument* owner, Callback callback, int limit);
    virtual ~CActionManager();
    CActionManager(const CActionManager&) = delete;
    CActionManager& operator=(const CActionManager&) = delete;

    // Takes the action over. A new action also drops the redo list: redone
    // entries could refer to objects that the new action changes or owns.
    virtual void Do(CAction* action);
    // Discards the action at the back of the redo list (an undone action) or of
    // the undo list (a done one), where a cancelled gesture left it.
    virtual void Remove(CAction* action);
    virtual bool Undo(int count);
    virtual bool CanUndo(int count) const;
    virtual bool Redo(int count);
    virtual bool CanRedo(int count) const;
    virtual void DiscardOldest(bool redoList, int count);
    virtual void Notify(int message, int count);

    void SetCallback(Callback callback) { m_callback = std::move(callback); }
    void SetLimit(int limit);
    int GetLimit() const { return m_nLimit; }
    void Clear();
    // The document changed in a way no action records: it stays modified until
    // it is saved, whatever is undone.
    void ForgetCleanState() { m_nCleanMark = -1; }
    // The document was saved: its state now is the clean one.
    void MarkClean() { m_nCleanMark = GetCount(false); }
    int GetCleanMark() const { return m_nCleanMark; }
    bool IsModified() const;

    int GetCount(bool redoList) const;
    // The i-th action from the most recent one; null outside the list.
    CAction* GetAction(bool redoList, int i) const;
    bool Contains(const CAction* action) const;

private:
    using ActionList = std::deque<std::unique_ptr<CAction>>;
    ActionList& ListOf(bool redoList) { return redoList ? m_redo : m_undo; }
    const ActionList& ListOf(bool redoList) const { return redoList ? m_redo : m_undo; }

    CUndoManager* m_pUndoManager;
    CDocument* m_pOwner;
    ActionList m_undo;
    ActionList m_redo;
    Callback m_callback;
    int m_nCleanMark = 0;
    int m_nLimit;
};
