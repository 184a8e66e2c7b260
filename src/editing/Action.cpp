#include "editing/Action.h"

#include <unordered_map>

#include "editing/UndoManager.h"

namespace {

// The actions that exist now, by address, with their serials. Actions live on
// the user interface thread only.
std::unordered_map<const CAction*, uint64_t>& LiveActions() {
    static std::unordered_map<const CAction*, uint64_t> live;
    return live;
}

uint64_t g_nNextSerial = 1;

}  // namespace

CAction::CAction(CDocument* owner, int descriptionId, bool registerOnDo)
    : m_pOwner(owner),
      m_bRegisterOnDo(registerOnDo ? 1 : 0),
      m_nDescriptionId(descriptionId),
      m_nSerial(g_nNextSerial++) {
    LiveActions()[this] = m_nSerial;
}

CAction::~CAction() {
    LiveActions().erase(this);
}

bool CAction::IsLive(const CAction* action, uint64_t serial) {
    const auto it = LiveActions().find(action);
    return it != LiveActions().end() && it->second == serial;
}

void CAction::Do() {
    if (m_bRegisterOnDo != 0 && !m_bRegistered) {
        if (CUndoManager* manager = CUndoManager::Get()) {
            manager->Do(m_pOwner, this);
        }
    }
    m_bDone = 1;
}

void CAction::Undo() {
    m_bUndone = 1;
}

void CAction::Redo() {
    m_bUndone = 0;
}

void CAction::Close() {
    m_bClosed = 1;
}
