#include "editing/ActionManager.h"

#include <algorithm>

#include "editing/Action.h"
#include "editing/UndoManager.h"

CActionManager::CActionManager(CUndoManager* undoManager, CDocument* owner, Callback callback,
                               int limit)
    : m_pUndoManager(undoManager),
      m_pOwner(owner),
      m_callback(std::move(callback)),
      m_nLimit(std::max(0, limit)) {}

CActionManager::~CActionManager() = default;

void CActionManager::Do(CAction* action) {
    if (!m_undo.empty() && !m_undo.back()->IsClosed()) {
        m_undo.back()->Close();
    }
    if (action == nullptr) {
        Notify(CUndoManager::DoMessage(), 1);
        return;
    }
    std::unique_ptr<CAction> owned(action);
    action->SetRegistered(true);
    // Redo entries are undone against the state before them; dropped from the
    // most recent so that each goes while the ones it depends on still exist.
    while (!m_redo.empty()) {
        m_redo.pop_back();
    }
    if (m_nLimit == 0) {
        // No undo levels: the action is carried out and forgotten.
        m_nCleanMark = -1;
        owned.reset();
        Notify(CUndoManager::DoMessage(), 1);
        return;
    }
    if (static_cast<int>(m_undo.size()) >= m_nLimit) {
        m_undo.pop_front();
        m_nCleanMark = -1;
    }
    m_undo.push_back(std::move(owned));
    Notify(CUndoManager::DoMessage(), 1);
}

void CActionManager::Remove(CAction* action) {
    if (action == nullptr) {
        return;
    }
    if (action->IsUndone() && !m_redo.empty() && m_redo.back().get() == action) {
        m_redo.pop_back();
    } else if (action->IsDone() && !m_undo.empty() && m_undo.back().get() == action) {
        m_undo.pop_back();
        // The entry leaves the list as an undo would take it: the document's
        // modified flag follows (a cancelled gesture leaves it as it was).
        Notify(CUndoManager::UndoMessage(), 1);
    }
}

bool CActionManager::CanUndo(int count) const {
    return count >= 0 && static_cast<int>(m_undo.size()) >= count;
}

bool CActionManager::CanRedo(int count) const {
    return count >= 0 && static_cast<int>(m_redo.size()) >= count;
}

bool CActionManager::Undo(int count) {
    if (!CanUndo(count)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<CAction> action = std::move(m_undo.back());
        m_undo.pop_back();
        if (!action->IsClosed()) {
            action->Close();
        }
        action->Undo();
        m_redo.push_back(std::move(action));
    }
    Notify(CUndoManager::UndoMessage(), count);
    return true;
}

bool CActionManager::Redo(int count) {
    if (!CanRedo(count)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<CAction> action = std::move(m_redo.back());
        m_redo.pop_back();
        action->Redo();
        m_undo.push_back(std::move(action));
    }
    Notify(CUndoManager::RedoMessage(), count);
    return true;
}

void CActionManager::DiscardOldest(bool redoList, int count) {
    ActionList& list = ListOf(redoList);
    for (int i = 0; i < count && !list.empty(); ++i) {
        list.pop_front();
    }
}

void CActionManager::SetLimit(int limit) {
    limit = std::max(0, limit);
    for (bool redoList : {false, true}) {
        const int length = GetCount(redoList);
        if (length > limit) {
            DiscardOldest(redoList, length - limit);
            if (!redoList) {
                m_nCleanMark = -1;
            }
        }
    }
    m_nLimit = limit;
    if (m_nCleanMark >= limit) {
        m_nCleanMark = -1;
    }
}

void CActionManager::Clear() {
    // Most recent first: a later action may hold objects an earlier one refers to.
    while (!m_undo.empty()) {
        m_undo.pop_back();
    }
    while (!m_redo.empty()) {
        m_redo.pop_back();
    }
}

bool CActionManager::IsModified() const {
    return static_cast<int>(m_undo.size()) != m_nCleanMark;
}

void CActionManager::Notify(int message, int count) {
    if (m_callback) {
        m_callback(m_pOwner, UndoNotification{m_pUndoManager, message, count, IsModified()});
    }
}

int CActionManager::GetCount(bool redoList) const {
    return static_cast<int>(ListOf(redoList).size());
}

CAction* CActionManager::GetAction(bool redoList, int i) const {
    const ActionList& list = ListOf(redoList);
    if (i < 0 || i >= static_cast<int>(list.size())) {
        return nullptr;
    }
    return list[list.size() - 1 - static_cast<std::size_t>(i)].get();
}

bool CActionManager::Contains(const CAction* action) const {
    for (const ActionList* list : {&m_undo, &m_redo}) {
        for (const auto& entry : *list) {
            if (entry.get() == action) {
                return true;
            }
        }
    }
    return false;
}
