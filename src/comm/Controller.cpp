#include "comm/Controller.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "comm/DefaultPortFactory.h"
#include "comm/FrameCodec.h"
#include "comm/ProtocolCodes.h"
#include "model/ParamValue.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

IMPLEMENT_DYNAMIC(CController, CObject)

namespace {

constexpr int kMaxValueList = 27;
constexpr int kAutoCalibrationKind = 241;

std::mutex g_factoryMutex;
CController::PortFactory g_portFactory;

// "-0.05" style text of a value in hundredths, locale-free.
std::string HundredthsText(int value) {
    const int magnitude = value < 0 ? -value : value;
    char text[24];
    std::snprintf(text, sizeof text, "%s%d.%02d", value < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

}  // namespace

CController::CController() = default;

CController::~CController() {
    Close();
}

void CController::SetPortFactory(PortFactory factory) {
    std::lock_guard lock(g_factoryMutex);
    g_portFactory = std::move(factory);
}

std::string CController::ErrorText(int code) {
    return code == ERR_NONE ? std::string() : LoadResString(IDS_COMM_ERROR_BASE + code);
}

std::string CController::GetErrorText() const {
    return ErrorText(m_nErrorCode);
}

int CController::CalibrationSize(int kind) {
    switch (kind) {
        case 1:
            return 64;
        case 2:
        case 3:
            return 16;
        case kAutoCalibrationKind:
            return 2;
        default:
            return 0;
    }
}

bool CController::Open(const CCommunicationData& settings, bool withIdleEvent) {
    Close();
    if (withIdleEvent) {
        // Set from the start: no exchange is in progress.
        m_pIdleEvent = std::make_unique<CEvent>(true);
    }
    m_nErrorCode = ERR_NONE;
    m_nAttempts = std::max(0, settings.m_nRetries) + 1;
    m_nTargetAddress = static_cast<uint8_t>(settings.m_nDevAddress);
    PortFactory factory;
    {
        std::lock_guard lock(g_factoryMutex);
        factory = g_portFactory;
    }
    m_pPort = factory ? factory(settings) : MakeDefaultPort(settings);
    if (!m_pPort) {
        m_pIdleEvent.reset();
        return false;
    }
    m_pPort->m_nReplyTimeout = settings.m_nTimeout;
    m_pPort->m_pOwner = this;
    return true;
}

bool CController::Close() {
    if (!m_pPort) {
        return false;
    }
    m_pPort->Close();
    m_pPort.reset();
    m_nErrorCode = ERR_NONE;
    m_pIdleEvent.reset();
    return true;
}

int CController::Read(uint8_t* buffer, int length) {
    return IsOpen() ? m_pPort->Read(buffer, length) : 0;
}

int CController::ReceiveFrame(uint8_t* buffer, int length, const uint8_t* request,
                              int requestLength) {
    return IsOpen() ? m_pPort->ReceiveFrame(buffer, length, request, requestLength) : 0;
}

int CController::SendFrame(const uint8_t* buffer, int length) {
    return IsOpen() ? m_pPort->Write(buffer, length) : 0;
}

void CController::OnTxActivity(bool) {}

void CController::OnRxActivity(bool) {}

bool CController::Fail(int code) {
    m_nErrorCode = code;
    return false;
}

void CController::Pause(int milliseconds) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

CFrameBuilder CController::Request(protocol::Command command, uint8_t loop, uint8_t function,
                                   uint8_t offset, uint8_t lengthByte) const {
    return CFrameBuilder(m_nTargetAddress, kSourceAddress, command, loop, function, offset,
                         lengthByte);
}

std::size_t CController::Reply::DataSize() const {
    const std::size_t announced = Length() >= 5 ? Length() - 5u : 0u;
    const std::size_t arrived = bytes.size() >= 10 ? bytes.size() - 10 : 0;
    return std::min(announced, arrived);
}

bool CController::Exchange(CFrameBuilder& request, Echo echo) {
    Reply reply;
    return Exchange(request, echo, reply);
}

bool CController::Exchange(CFrameBuilder& builder, Echo echo, Reply& reply) {
    if (!IsOpen()) {
        return false;
    }
    // Every command has the one answer the protocol table gives it.
    const uint8_t expectedAnswer =
        protocol::AnswerOf(static_cast<protocol::Command>(builder.GetCode()));
    // Busy for the whole exchange, idle again on every way out.
    struct BusyScope {
        CController& controller;
        explicit BusyScope(CController& c) : controller(c) {
            controller.m_bBusy = true;
            if (controller.m_pIdleEvent) {
                controller.m_pIdleEvent->Reset();
            }
        }
        ~BusyScope() {
            controller.m_bBusy = false;
            if (controller.m_pIdleEvent) {
                controller.m_pIdleEvent->Set();
            }
        }
    } busy(*this);

    const std::vector<uint8_t> request = builder.Finish();
    uint8_t buffer[kBufferSize];
    int received = 0;
    for (int attempt = 0; attempt < m_nAttempts && received == 0; ++attempt) {
        if (SendFrame(request.data(), static_cast<int>(request.size())) > 0) {
            received = ReceiveFrame(buffer, sizeof buffer, request.data(),
                                    static_cast<int>(request.size()));
        }
        if (received == 0 && m_pPort) {
            m_pPort->ClearBuffers();
        }
    }
    if (received < static_cast<int>(frame::kHeaderSize)) {
        return Fail(ERR_TIMEOUT);
    }
    reply.bytes.assign(buffer, buffer + received);
    return CheckReply(request, expectedAnswer, echo, reply);
}

bool CController::CheckReply(const std::vector<uint8_t>& request, uint8_t expectedAnswer, Echo echo,
                             Reply& reply) {
    const std::vector<uint8_t>& bytes = reply.bytes;
    if (frame::IsErrorAnswer(bytes[3])) {
        const uint8_t subCode = bytes[4];
        return Fail(subCode == 1   ? ERR_MEMORY_OVERFLOW
                    : subCode == 3 ? ERR_NO_COMM_BLOCK
                                   : ERR_KEY_SAFE);
    }
    if (echo == Echo::check) {
        if (bytes.size() < 8 ||
            !std::equal(bytes.begin() + 5, bytes.begin() + 8, request.begin() + 5)) {
            return Fail(ERR_ADDRESSING);
        }
    } else if (bytes.size() < 6 || bytes[5] != request[5]) {
        return Fail(ERR_ADDRESSING);
    }
    if (bytes[3] != expectedAnswer) {
        return Fail(ERR_ANSWER_CODE);
    }
    // The reply must be whole (header, L logical bytes) and its checksum right.
    if (bytes.size() < 10 ||
        bytes.size() != frame::kHeaderSize + frame::ReplyBodyLength(bytes[3], bytes[4])) {
        return Fail(ERR_CRC);
    }
    const uint16_t expected =
        static_cast<uint16_t>(bytes[bytes.size() - 2] | (bytes[bytes.size() - 1] << 8));
    if (frame::Crc16Kermit(bytes.data(), bytes.size() - 2) != expected) {
        return Fail(ERR_CRC);
    }
    return true;
}

bool CController::ReadGeneralItem(uint8_t item, std::vector<uint8_t>& data) {
    CFrameBuilder request = Request(protocol::kGeneralItem, 5, item, 0);
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        // Any other answer, error answers included, is an invalid answer here.
        if (IsOpen() && m_nErrorCode != ERR_TIMEOUT) {
            m_nErrorCode = ERR_ANSWER_CODE;
        }
        return false;
    }
    data.assign(reply.bytes.begin() + 8, reply.bytes.begin() + 8 + reply.DataSize());
    return true;
}

bool CController::ReplaceLoops(const uint8_t* loopNumbers, int count) {
    if (!IsOpen() || count < 0) {
        return false;
    }
    CFrameBuilder phase1 = Request(protocol::kReplaceLoops, 0, 0xAA, 0xAA);
    phase1.AppendPlain(loopNumbers, static_cast<std::size_t>(count));
    Reply reply;
    if (!Exchange(phase1, Echo::check, reply)) {
        return false;
    }
    if (reply.DataSize() != static_cast<std::size_t>(count) ||
        !std::equal(loopNumbers, loopNumbers + count, reply.bytes.begin() + 8)) {
        return Fail(ERR_ADDRESSING);
    }
    CFrameBuilder phase2 = Request(protocol::kReplaceLoops, 0, 0x55, 0x55);
    if (!Exchange(phase2, Echo::check)) {
        return false;
    }
    Pause(500);
    return true;
}

bool CController::ReplaceLoop(int loopNumber) {
    if (loopNumber < 1 || loopNumber > 5) {
        return false;
    }
    const uint8_t number = static_cast<uint8_t>(loopNumber);
    return ReplaceLoops(&number, 1);
}

bool CController::ReplaceAllLoops() {
    const uint8_t all[] = {1, 2, 3, 4, 5};
    return ReplaceLoops(all, 5);
}

bool CController::WriteLoopNames(const std::string& names, const uint8_t* loopNumbers, int count) {
    if (!IsOpen() || count < 0) {
        return false;
    }
    CFrameBuilder begin = Request(protocol::kBeginNames, 0, 0, 0);
    if (!Exchange(begin, Echo::check)) {
        return false;
    }
    CFrameBuilder write = Request(protocol::kWriteNames, 0, 0, 0);
    std::size_t start = 0;
    for (int i = 0; i < count; ++i) {
        const std::size_t end = names.find(';', start);
        std::string name =
            names.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? names.size() : end + 1;
        name.resize(8, ' ');
        write.AppendPlain(static_cast<uint8_t>(loopNumbers[i] | 0x80));
        write.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), 8);
    }
    return Exchange(write, Echo::check);
}

bool CController::WriteCalibration(int kind, const uint8_t* data) {
    const int size = CalibrationSize(kind);
    if (!IsOpen() || size == 0) {
        return false;
    }
    const uint8_t kindByte = static_cast<uint8_t>(kind == kAutoCalibrationKind ? 1 : kind);
    CFrameBuilder request = Request(protocol::kWriteCalibration, 0, kindByte, 0);
    request.AppendStuffed(data, static_cast<std::size_t>(size));
    return Exchange(request, Echo::check);
}

bool CController::ReadCalibration(uint8_t kind, std::vector<uint8_t>& data) {
    CFrameBuilder request = Request(protocol::kReadCalibration, 0, kind, 0, frame::kReadLength);
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        return false;
    }
    data.assign(reply.bytes.begin() + 8, reply.bytes.begin() + 8 + reply.DataSize());
    return true;
}

bool CController::ReadLoopName(const std::string& loop, char name[9]) {
    CFrameBuilder request =
        Request(protocol::kReadLoopName, static_cast<uint8_t>(ParseLeadingInt(loop)), 0, 0);
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        return false;
    }
    if (reply.DataSize() < 8) {
        return Fail(ERR_CRC);
    }
    std::copy(reply.bytes.begin() + 8, reply.bytes.begin() + 16, name);
    name[8] = '\0';
    return true;
}

bool CController::ReadBlockValues(uint8_t loop, uint8_t function, uint8_t offset,
                                  std::string& text) {
    CFrameBuilder request = Request(protocol::kReadValues, loop, function, offset);
    if (function == protocol::kValueListFunction) {
        // Numbers followed by ";" are sent, one byte each.
        std::size_t start = 0;
        for (int n = 0; n < kMaxValueList; ++n) {
            const std::size_t end = text.find(';', start);
            if (end == std::string::npos) {
                break;
            }
            request.AppendPlain(
                static_cast<uint8_t>(ParseLeadingInt(text.substr(start, end - start))));
            start = end + 1;
        }
    }
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        return false;
    }
    text.clear();
    for (std::size_t i = 0; i + 1 < reply.DataSize(); i += 2) {
        const int16_t value = static_cast<int16_t>(reply.bytes[8 + i] | (reply.bytes[9 + i] << 8));
        text += HundredthsText(value) + "%;";
    }
    return true;
}

bool CController::ReadVersion(std::string& text) {
    CFrameBuilder request = Request(protocol::kReadVersion, 0, 0, 0, frame::kReadLength);
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        return false;
    }
    if (reply.DataSize() < 2) {
        return Fail(ERR_CRC);
    }
    text = HundredthsText(static_cast<int16_t>(reply.bytes[8] | (reply.bytes[9] << 8)));
    return true;
}

bool CController::ProbeDevice(uint8_t address, std::string& text) {
    if (!IsOpen()) {
        return false;
    }
    m_nTargetAddress = address;
    char name[9] = {};
    const bool named = ReadLoopName("5", name);
    std::string version;
    const bool versioned = ReadVersion(version);
    if (!named && !versioned) {
        text.clear();
        return Fail(ERR_DEVICE_NOT_FOUND);
    }
    std::string loopName = named ? TrimRight(name) : std::string();
    if (named && loopName.empty()) {
        loopName = "NO CONFG";
    }
    text = version + ";" + loopName + ";";
    m_nErrorCode = ERR_NONE;
    return true;
}

bool CController::ScanDevices(std::vector<std::string>& found, int first, int last) {
    bool any = false;
    for (int address = first; address <= last && IsOpen(); ++address) {
        std::string answer;
        if (ProbeDevice(static_cast<uint8_t>(address), answer)) {
            found.push_back(std::to_string(address) + ";" + answer);
            any = true;
        }
    }
    return any;
}
