#pragma once

#include <cstdint>

class CDocument;

// An undo record. The undo manager owns an action once it has been pushed; an
// action that was never pushed belongs to whoever made it. Do registers the
// action with its owner's action manager (when it registers on Do) and marks it
// done; Undo and Redo flip the undone flag; Close ends the gesture that made it.
class CAction {
public:
    CAction(CDocument* owner, int descriptionId, bool registerOnDo = true);
    virtual ~CAction();
    CAction(const CAction&) = delete;
    CAction& operator=(const CAction&) = delete;

    virtual void Do();
    virtual void Undo();
    virtual void Redo();
    virtual void Close();
    virtual bool IsDone() const { return m_bDone != 0; }
    virtual bool IsUndone() const { return m_bUndone != 0; }

    CDocument* GetOwner() const { return m_pOwner; }
    void SetOwner(CDocument* owner) { m_pOwner = owner; }
    bool IsClosed() const { return m_bClosed != 0; }
    int GetDescriptionId() const { return m_nDescriptionId; }
    // True while an action manager holds the action (and will delete it).
    bool IsRegistered() const { return m_bRegistered; }
    void SetRegistered(bool registered) { m_bRegistered = registered; }

    // Each action gets a serial number no other action of the process has, so
    // that a pointer kept beside its serial can be checked before it is used:
    // an action its manager has deleted is no longer live, even if a new one
    // took its address.
    uint64_t GetSerial() const { return m_nSerial; }
    static bool IsLive(const CAction* action, uint64_t serial);

private:
    CDocument* m_pOwner;
    uint8_t m_bRegisterOnDo;
    uint8_t m_bClosed = 0;
    uint8_t m_bUndone = 0;
    int32_t m_nDescriptionId;
    uint8_t m_bDone = 0;
    bool m_bRegistered = false;
    uint64_t m_nSerial;
};
