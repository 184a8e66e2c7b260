// Feeds arbitrary bytes as the controller's reply to the commands whose replies
// carry data: read loop ("Z"), read block ("5"), block values ("_") and the
// calibration table (0xC1).
#include <cstdint>
#include <cstring>

#include "comm/AbstractCommPort.h"
#include "comm/ConfController.h"
#include "platform/MessageBox.h"

namespace {

// Answers every request with the fuzz bytes, as a transport hands a reply over.
class CReplayPort : public CAbstractCommPort {
public:
    CReplayPort(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool IsOpen() const override { return true; }
    bool Open(const std::string&, bool) override { return true; }
    void Close() override {}
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t*, int) override {
        const int size =
            static_cast<int>(std::min<std::size_t>(m_size, static_cast<std::size_t>(destSize)));
        std::memset(dest, 0, static_cast<std::size_t>(destSize));
        std::memcpy(dest, m_data, static_cast<std::size_t>(size));
        return size;
    }
    int Read(uint8_t*, int) override { return 0; }
    int Write(const uint8_t*, int length) override { return length; }

private:
    const uint8_t* m_data;
    std::size_t m_size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CController::SetPortFactory([data, size](const CCommunicationData&) {
        return std::make_unique<CReplayPort>(data, size);
    });
    CCommunicationData settings;
    settings.m_nRetries = 0;
    CConfController controller;
    if (controller.Open(settings, false)) {
        controller.ReadLoop(1);
        controller.ReadBlock(1, 9, 0);
        std::string values = "1;2;3;";
        controller.ReadBlockValues(1, 0xFA, 0, values);
        std::vector<uint8_t> table;
        controller.ReadCalibration(1, table);
        std::string version;
        controller.ReadVersion(version);
        controller.Close();
    }
    CController::SetPortFactory(nullptr);
    return 0;
}
