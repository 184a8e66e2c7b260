#include "SimPort.h"

#include <algorithm>

#include "comm/FrameCodec.h"

int CSimPort::Write(const uint8_t* buffer, int length) {
    m_reply = m_answer(std::vector<uint8_t>(buffer, buffer + length));
    return length;
}

int CSimPort::ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* /*request*/,
                           int /*requestSize*/) {
    const std::vector<uint8_t> reply = frame::Unstuff(m_reply.data(), m_reply.size());
    m_reply.clear();
    const int size = std::min<int>(destSize, static_cast<int>(reply.size()));
    std::copy(reply.begin(), reply.begin() + size, dest);
    return size;
}
