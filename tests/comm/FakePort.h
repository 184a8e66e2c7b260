#pragma once

#include <functional>
#include <vector>

#include "comm/AbstractCommPort.h"
#include "comm/Controller.h"
#include "comm/FrameCodec.h"

// A transport that hands each request to a responder and returns its reply
// as the transport would: unstuffed. It records every frame written.
class CFakePort : public CAbstractCommPort {
public:
    // request (as on the line) -> reply frame as on the line, empty for none.
    using Responder = std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)>;

    explicit CFakePort(Responder responder) : m_responder(std::move(responder)) {}

    bool IsOpen() const override { return m_bOpen; }
    bool Open(const std::string&, bool) override { return m_bOpen = true; }
    void Close() override { m_bOpen = false; }
    int Write(const uint8_t* buffer, int length) override {
        written.emplace_back(buffer, buffer + length);
        m_pending = m_responder(written.back());
        return length;
    }
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t*, int) override {
        if (m_pending.empty()) {
            return 0;
        }
        if (m_pOwner != nullptr) {
            m_pOwner->OnRxActivity(true);
        }
        const std::vector<uint8_t> reply = frame::Unstuff(m_pending.data(), m_pending.size());
        m_pending.clear();
        const int size = std::min<int>(destSize, static_cast<int>(reply.size()));
        std::copy(reply.begin(), reply.begin() + size, dest);
        return size;
    }
    int Read(uint8_t*, int) override { return 0; }
    void ClearBuffers() override { ++clears; }

    std::vector<std::vector<uint8_t>> written;
    int clears = 0;

private:
    Responder m_responder;
    std::vector<uint8_t> m_pending;
    bool m_bOpen = false;
};

// Installs a fake port for every controller opened while it lives.
class CFakePortScope {
public:
    explicit CFakePortScope(CFakePort::Responder responder) {
        CController::SetPortFactory([this, responder](const CCommunicationData&) {
            auto port = std::make_unique<CFakePort>(responder);
            port->Open("", false);
            last = port.get();
            return port;
        });
    }
    ~CFakePortScope() { CController::SetPortFactory(nullptr); }
    CFakePort* last = nullptr;
};
