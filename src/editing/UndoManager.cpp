#include "editing/UndoManager.h"

#include "document/ConfDoc.h"
#include "editing/Action.h"
#include "platform/Document.h"
#include "platform/RegisteredMessage.h"
#include "platform/StringTable.h"

namespace {

CUndoManager* g_pCurrent = nullptr;

}  // namespace

CUndoManager::CUndoManager()
    : m_pPrevious(g_pCurrent), m_pPreviousObserver(CConfDoc::SetObserver(this)) {
    g_pCurrent = this;
    DoMessage();
    UndoMessage();
    RedoMessage();
}

CUndoManager::~CUndoManager() {
    // Each document's actions go before the manager stops being the current one:
    // their destructors may still look for it.
    m_managers.clear();
    if (g_pCurrent == this) {
        g_pCurrent = m_pPrevious;
        CConfDoc::SetObserver(m_pPreviousObserver);
    }
}

CUndoManager* CUndoManager::Get() {
    return g_pCurrent;
}

int CUndoManager::DoMessage() {
    static const int id = RegisterWindowMessage(kDoName);
    return id;
}

int CUndoManager::UndoMessage() {
    static const int id = RegisterWindowMessage(kUndoName);
    return id;
}

int CUndoManager::RedoMessage() {
    static const int id = RegisterWindowMessage(kRedoName);
    return id;
}

void CUndoManager::Register(CDocument* key, int limit, CActionManager::Callback callback) {
    if (key == nullptr) {
        return;
    }
    if (CActionManager* manager = Find(key)) {
        manager->SetCallback(std::move(callback));
        manager->SetLimit(limit);
        return;
    }
    m_managers.emplace(key,
                       std::make_unique<CActionManager>(this, key, std::move(callback), limit));
}

void CUndoManager::Unregister(CDocument* key) {
    m_managers.erase(key);
}

void CUndoManager::Do(CDocument* key, CAction* action) {
    if (CActionManager* manager = Find(key)) {
        manager->Do(action);
    }
}

bool CUndoManager::Undo(CDocument* key, int count) {
    CActionManager* manager = Find(key);
    return manager != nullptr && manager->Undo(count);
}

bool CUndoManager::CanUndo(CDocument* key, int count) const {
    const CActionManager* manager = Find(key);
    return manager != nullptr && manager->CanUndo(count);
}

bool CUndoManager::Redo(CDocument* key, int count) {
    CActionManager* manager = Find(key);
    return manager != nullptr && manager->Redo(count);
}

bool CUndoManager::CanRedo(CDocument* key, int count) const {
    const CActionManager* manager = Find(key);
    return manager != nullptr && manager->CanRedo(count);
}

std::string CUndoManager::GetDescription(CDocument* key, bool redoList, int i) const {
    const CActionManager* manager = Find(key);
    const CAction* action = manager != nullptr ? manager->GetAction(redoList, i) : nullptr;
    if (action == nullptr || action->GetDescriptionId() == 0) {
        return {};
    }
    return LoadResString(action->GetDescriptionId());
}

int CUndoManager::GetCount(CDocument* key, bool redoList) const {
    const CActionManager* manager = Find(key);
    return manager != nullptr ? manager->GetCount(redoList) : 0;
}

void CUndoManager::SetLimit(CDocument* key, int limit) {
    if (CActionManager* manager = Find(key)) {
        manager->SetLimit(limit);
    }
}

void CUndoManager::Remove(CDocument* key, CAction* action) {
    if (CActionManager* manager = Find(key)) {
        manager->Remove(action);
    }
}

void CUndoManager::Clear(CDocument* key) {
    if (CActionManager* manager = Find(key)) {
        manager->Clear();
    }
}

void CUndoManager::ForgetCleanState(CDocument* key) {
    if (CActionManager* manager = Find(key)) {
        manager->ForgetCleanState();
    }
}

void CUndoManager::MarkSaved(CDocument* key) {
    if (CActionManager* manager = Find(key)) {
        manager->Clear();
        manager->MarkClean();
    }
}

void CUndoManager::OnDocumentStarted(CConfDoc& document) {
    Register(&document, document.GetGeneralData().m_nUndoLevels,
             &CUndoManager::SetDocumentModified);
}

void CUndoManager::OnDocumentSaved(CConfDoc& document) {
    MarkSaved(&document);
    // The views let go of the gesture actions that went with the lists.
    document.UpdateAllViews(nullptr, kHintForgetPending);
}

void CUndoManager::OnDocumentDestroyed(CConfDoc& document) {
    Unregister(&document);
}

bool CUndoManager::IsRegistered(CDocument* key) const {
    return Find(key) != nullptr;
}

bool CUndoManager::Holds(CDocument* key, const CAction* action) const {
    const CActionManager* manager = Find(key);
    return manager != nullptr && manager->Contains(action);
}

CActionManager* CUndoManager::Find(CDocument* key) const {
    auto it = m_managers.find(key);
    return it != m_managers.end() ? it->second.get() : nullptr;
}

void CUndoManager::SetDocumentModified(CDocument* key, const UndoNotification& note) {
    if (key != nullptr) {
        key->SetModifiedFlag(note.modified);
    }
}
