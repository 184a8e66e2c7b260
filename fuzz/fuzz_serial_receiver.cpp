// Feeds arbitrary line bytes to the serial reply finder. The first byte picks
// the destination size, the rest is what the line carries;
// the end of the input is silence. Any input must end without reading or
// writing out of bounds and without claiming more bytes than the destination holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "comm/FrameCodec.h"
#include "comm/SerialFrameReceiver.h"

namespace {

class FuzzedLine : public CSerialFrameReceiver::ByteSource {
public:
    FuzzedLine(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    int ReadByte(uint8_t& byte, int /*timeoutMs*/) override {
        if (m_pos >= m_size) {
            return 0;
        }
        byte = m_data[m_pos++];
        return 1;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t choice = data[0];
    // Small destinations exercise the refusal of long replies, 512 the usual case.
    const int destSize = (choice & 0x80) != 0 ? 512 : choice & 0x3F;

    CFrameBuilder builder(0x02, frame::kKestrelAddress, 0x2B, 1, 3, 0);
    const uint8_t parameters[] = {0xFE, 0x10, 0xFE};
    builder.AppendStuffed(parameters, sizeof parameters);
    const std::vector<uint8_t> request = builder.Finish();

    FuzzedLine line(data + 1, size - 1);
    CSerialFrameReceiver receiver(line, 19200, 0);
    std::vector<uint8_t> dest(static_cast<size_t>(destSize));
    const int length = receiver.Receive(dest.empty() ? nullptr : dest.data(), destSize,
                                        request.data(), static_cast<int>(request.size()));
    if (length < 0 || length > destSize) {
        std::abort();
    }
    return 0;
}
