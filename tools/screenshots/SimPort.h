#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "comm/AbstractCommPort.h"

// A line to a controller simulated in this process: each request is answered
// at once by the function given (no answer when it returns nothing).
class CSimPort : public CAbstractCommPort {
public:
    using Answerer = std::function<std::vector<uint8_t>(const std::vector<uint8_t>& request)>;

    explicit CSimPort(Answerer answer) : m_answer(std::move(answer)) {}
    bool IsOpen() const override { return m_bOpen; }
    bool Open(const std::string& /*name*/, bool /*overlapped*/) override { return m_bOpen = true; }
    void Close() override { m_bOpen = false; }
    int Write(const uint8_t* buffer, int length) override;
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* /*request*/,
                     int /*requestSize*/) override;
    int Read(uint8_t* /*dest*/, int /*size*/) override { return 0; }

private:
    Answerer m_answer;
    std::vector<uint8_t> m_reply;
    bool m_bOpen = false;
};
