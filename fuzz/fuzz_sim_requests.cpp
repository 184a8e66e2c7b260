// Feeds arbitrary line bytes to the simulator, as a serial line brings them:
// the frame finder cuts them into requests and the controller answers each.
// Every reply must be a whole frame with a good checksum.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "SimController.h"
#include "SimFrameReader.h"
#include "comm/FrameCodec.h"

namespace {

void CheckReply(const std::vector<uint8_t>& line) {
    if (line.empty()) {
        return;
    }
    const std::vector<uint8_t> reply = frame::Unstuff(line.data(), line.size(), 5);
    if (reply.size() < 10 || reply[0] != frame::kInitialByte) {
        std::abort();
    }
    // The checksum closes the frame, each of its bytes stuffed when it is 0xFE.
    const uint8_t low = reply[reply.size() - 2];
    const uint8_t high = reply[reply.size() - 1];
    const std::size_t checksumOnLine =
        2 + (low == frame::kInitialByte ? 1 : 0) + (high == frame::kInitialByte ? 1 : 0);
    const uint16_t crc = static_cast<uint16_t>(low | (high << 8));
    if (frame::FrameChecksum(line.data(), line.size() - checksumOnLine) != crc) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CSimController sim;
    CSimFrameReader reader;
    std::vector<uint8_t> frame;
    // The input arrives in pieces of up to 64 bytes, as reads from a line do.
    for (std::size_t offset = 0; offset < size; offset += 64) {
        reader.Feed(data + offset, std::min<std::size_t>(64, size - offset));
        while (reader.Next(frame)) {
            CheckReply(sim.HandleRequest(frame));
        }
    }
    return 0;
}
