#include "comm/OnlineThread.h"

#include "comm/ConfController.h"

COnlineThread::COnlineThread() : m_pController(std::make_unique<CConfController>()) {}

COnlineThread::~COnlineThread() {
    Join();
    WaitIdle();
    m_pController.reset();
}

bool COnlineThread::Start(Procedure procedure) {
    if (m_thread.joinable() || !procedure) {
        return false;
    }
    m_thread = std::thread([this, procedure = std::move(procedure)] {
        m_evStarted.Set();
        m_nExitCode = procedure(*this);
    });
    return true;
}

void COnlineThread::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool COnlineThread::OpenController(const CCommunicationData& settings) {
    return m_pController && m_pController->Open(settings, true);
}

bool COnlineThread::CloseController() {
    return !m_pController || m_pController->Close();
}

bool COnlineThread::ProbeDevice(uint8_t address, std::string& text) {
    return m_pController && m_pController->ProbeDevice(address, text);
}

bool COnlineThread::ReadBlockValues(uint8_t loop, uint8_t function, uint8_t offset,
                                    std::string& text) {
    return m_pController && m_pController->ReadBlockValues(loop, function, offset, text);
}

std::string COnlineThread::GetErrorText() const {
    return m_pController ? m_pController->GetErrorText() : std::string();
}

int COnlineThread::GetErrorCode() const {
    return m_pController ? m_pController->GetErrorCode() : 0;
}

void COnlineThread::WaitIdle() const {
    if (m_pController && m_pController->GetIdleEvent() != nullptr) {
        m_pController->GetIdleEvent()->Wait();
    }
}
