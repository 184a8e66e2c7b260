#include "SimController.h"

#include <algorithm>

#include "SimFrameReader.h"
#include "comm/FrameCodec.h"
#include "comm/ProtocolCodes.h"
#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace {

// Loop names arrive padded with blanks or NULs.
constexpr std::string_view kBlankOrNul(" \0", 2);

constexpr std::size_t kNameSize = 8;
constexpr std::size_t kNameItemSize = 9;  // loop number | 0x80, then the name
constexpr uint8_t kRecordMark = 0xAA;
constexpr std::size_t kRecordHeaderSize = 4;  // 0xAA 0xAA function offset
constexpr std::size_t kRecordLimit = 128;     // bytes of an "N" or "Z" frame on the line
constexpr uint8_t kFirstDownloadFrame = 0x60;
constexpr uint8_t kPhaseOne = 0xAA;
constexpr uint8_t kPhaseTwo = 0x55;
constexpr std::size_t kMaxListedAddresses = 27;
constexpr int kCycleMilliseconds = 100;
constexpr uint8_t kAutoCalibrationKind = 241;
// What a controller without a configuration calls its loops.
constexpr const char* kNoConfigName = "NO CONFG";

// Default calibration points: inputs at 0, 1, 3 and 5 V; current outputs at 4 and
// 20 mA; voltage outputs at 1 and 5 V (in thousandths).
constexpr int16_t kInputPoints[4] = {0, 1000, 3000, 5000};
constexpr int16_t kCurrentPoints[2] = {4000, 20000};
constexpr int16_t kVoltagePoints[2] = {1000, 5000};

void PutInt16(std::vector<uint8_t>& bytes, std::size_t index, int value) {
    bytes[index] = static_cast<uint8_t>(value & 0xFF);
    bytes[index + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

template <std::size_t N>
std::vector<uint8_t> MakeTable(int columns, const int16_t (&points)[N]) {
    std::vector<uint8_t> table(static_cast<std::size_t>(columns) * N * 2);
    for (int column = 0; column < columns; ++column) {
        for (std::size_t row = 0; row < N; ++row) {
            PutInt16(table, (column * N + row) * 2, points[row]);
        }
    }
    return table;
}

void AppendStuffedByte(std::vector<uint8_t>& frame, uint8_t byte) {
    frame.push_back(byte);
    if (byte == frame::kInitialByte) {
        frame.push_back(0x00);
    }
}

void AppendInt16(CFrameBuilder& builder, int value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF),
                              static_cast<uint8_t>((value >> 8) & 0xFF)};
    builder.AppendStuffed(bytes, sizeof bytes);
}

int TotalParamSize(int typeIndex) {
    return GetAreaSize(typeIndex, PARAM_LINK) + GetAreaSize(typeIndex, PARAM_CONF) +
           GetAreaSize(typeIndex, PARAM_ADJ);
}

// The block's parameter bytes without stuffing, in the catalogue's area sizes.
std::vector<uint8_t> ParamBytes(const CBlock& block, bool skipLink) {
    std::vector<uint8_t> image;
    std::size_t position = 0;
    block.BuildParamImage(image, position, skipLink);
    image.resize(position);
    std::vector<uint8_t> plain = frame::Unstuff(image.data(), image.size(), 0);
    const int t = block.GetTypeIndex();
    plain.resize(TotalParamSize(t) - (skipLink ? GetAreaSize(t, PARAM_LINK) : 0), 0);
    return plain;
}

}  // namespace

struct CSimController::Request {
    uint8_t source = 0;
    uint8_t command = 0;
    uint8_t loop = 0;
    uint8_t function = 0;
    uint8_t offset = 0;
    std::vector<uint8_t> data;  // the data bytes as they came on the line
};

// A loop download in progress ("Y", then "N" frames until bytes 6, 7 are 0, 0).
struct CSimController::Download {
    int loopNumber = 0;
    std::unique_ptr<CLoop> loop;
};

CSimController::CSimController() {
    for (int n = 1; n <= kLoopCount; ++n) {
        m_loops[n - 1] = std::make_unique<CLoop>(n, "");
    }
    m_calibration[0] = MakeTable(8, kInputPoints);
    m_calibration[1] = MakeTable(4, kCurrentPoints);
    m_calibration[2] = MakeTable(4, kVoltagePoints);
}

CSimController::~CSimController() = default;

bool CSimController::LoadDocument(const std::string& path, std::string& error) {
    // Only the loops are read: the drawings are of no use to a controller, and
    // reading them would need the drawing classes and fonts.
    std::array<std::unique_ptr<CLoop>, kLoopCount> loops;
    if (!CConfDoc::ReadLoopsFromFile(path, loops, false, &error)) {
        return false;
    }
    for (int n = 1; n <= kLoopCount; ++n) {
        std::unique_ptr<CLoop>& loop = loops[n - 1];
        if (!loop) {
            loop = std::make_unique<CLoop>(n, "");
        }
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            CParamDictionary::Get().RefreshBlockParams(*loop->GetBlock(b));
        }
        SetLoop(n, std::move(loop));
    }
    return true;
}

const CLoop& CSimController::GetLoop(int loopNumber) const {
    return *m_loops[std::clamp(loopNumber, 1, kLoopCount) - 1];
}

void CSimController::SetLoop(int loopNumber, std::unique_ptr<CLoop> loop) {
    if (loopNumber < 1 || loopNumber > kLoopCount || !loop) {
        return;
    }
    loop->SetLoopNumber(loopNumber);
    loop->SetModified(0);
    m_loops[loopNumber - 1] = std::move(loop);
    m_plant.OnConfigurationChanged();
}

const std::vector<uint8_t>& CSimController::GetCalibration(int kind) const {
    return m_calibration[std::clamp(kind, 1, 3) - 1];
}

std::vector<uint8_t> CSimController::HandleRequest(const std::vector<uint8_t>& lineBytes) {
    m_strNote.clear();
    std::vector<uint8_t> out;
    if (m_faults.m_bEcho) {
        out = lineBytes;  // a two-wire line hears its own request
    }
    Request request;
    if (!Parse(lineBytes, request)) {
        return out;
    }
    ++m_nRequests;
    if (m_faults.IsDropped(m_nRequests)) {
        m_strNote = "dropped (fault)";
        return out;
    }
    std::vector<uint8_t> reply;
    if (m_faults.IsErrorAnswer(m_nRequests)) {
        m_strNote = "error answer (fault)";
        reply = ErrorReply(request, static_cast<uint8_t>(m_faults.m_nErrorSubCode));
    } else {
        reply = Answer(request);
    }
    if (!reply.empty()) {
        if (m_strNote.empty()) {
            m_strNote = DescribeCode(reply[3]);
        }
        const std::vector<uint8_t> noise = m_faults.MakeNoise();
        out.insert(out.end(), noise.begin(), noise.end());
        out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
}

bool CSimController::Parse(const std::vector<uint8_t>& lineBytes, Request& request) {
    CSimFrameReader::Layout layout;
    if (CSimFrameReader::Locate(lineBytes.data(), lineBytes.size(), layout) !=
            CSimFrameReader::Status::complete ||
        layout.size != lineBytes.size()) {
        const bool whole = CSimFrameReader::Measure(lineBytes.data(), lineBytes.size(), layout) ==
                               CSimFrameReader::Status::complete &&
                           layout.size == lineBytes.size();
        m_strNote = whole ? "bad checksum" : "not a complete frame";
        return false;
    }
    if (lineBytes[1] != m_nAddress) {
        m_strNote = "addressed to " + std::to_string(lineBytes[1]) + ", not to us";
        return false;
    }
    request.source = lineBytes[2];
    request.command = lineBytes[3];
    request.loop = lineBytes[5];
    request.function = lineBytes[6];
    request.offset = lineBytes[7];
    request.data.assign(lineBytes.begin() + 8, lineBytes.begin() + layout.dataEnd);
    return true;
}

CSimController::Handler CSimController::FindHandler(uint8_t command) {
    switch (command) {
        case protocol::kReplaceLoops:
            return &CSimController::OnReplaceLoops;
        case protocol::kBeginLoop:
            return &CSimController::OnBeginDownload;
        case protocol::kLoopData:
            return &CSimController::OnDownloadData;
        case protocol::kBeginBlock:
            return &CSimController::OnBeginBlockWrite;
        case protocol::kBlockData:
            return &CSimController::OnBlockWrite;
        case protocol::kReadBlock:
            return &CSimController::OnReadBlock;
        case protocol::kReadLoop:
            return &CSimController::OnReadLoop;
        case protocol::kBeginNames:
            return &CSimController::OnBeginNameWrite;
        case protocol::kWriteNames:
            return &CSimController::OnWriteNames;
        case protocol::kWriteCalibration:
            return &CSimController::OnWriteCalibration;
        case protocol::kReadCalibration:
            return &CSimController::OnReadCalibration;
        case protocol::kReadValues:
            return &CSimController::OnReadValues;
        case protocol::kReadLoopName:
            return &CSimController::OnReadLoopName;
        case protocol::kReadVersion:
            return &CSimController::OnReadVersion;
        case protocol::kGeneralItem:
            return &CSimController::OnReadGeneralItem;
        default:
            return nullptr;
    }
}

std::vector<uint8_t> CSimController::Answer(const Request& request) {
    const Handler handler = FindHandler(request.command);
    if (handler == nullptr) {
        return Ignore("unknown command");
    }
    return (this->*handler)(request);
}

std::vector<uint8_t> CSimController::Ignore(const std::string& note) {
    m_strNote = "no reply: " + note;
    return {};
}

std::string CSimController::DescribeCode(uint8_t code) {
    if (const protocol::CommandInfo* command = protocol::FindCommand(code)) {
        return command->name;
    }
    if (const protocol::CommandInfo* answer = protocol::FindAnswer(code)) {
        return std::string("answer to ") + answer->name;
    }
    return frame::IsErrorAnswer(code) ? "error answer" : "unknown code";
}

// ---- Replies

CFrameBuilder CSimController::StartReply(const Request& request) const {
    const uint8_t loop = static_cast<uint8_t>(request.loop + (m_faults.m_bWrongEcho ? 1 : 0));
    const uint8_t answer = protocol::AnswerOf(static_cast<protocol::Command>(request.command));
    return CFrameBuilder(request.source, m_nAddress, answer, loop, request.function,
                         request.offset);
}

std::vector<uint8_t> CSimController::FinishReply(CFrameBuilder& builder) const {
    const std::size_t prefix = builder.GetLineSize();
    std::vector<uint8_t> reply = builder.Finish();
    if (m_faults.m_bBadChecksum) {
        const uint16_t crc = frame::FrameChecksum(reply.data(), prefix) ^ 0x0001;
        reply.resize(prefix);
        AppendStuffedByte(reply, static_cast<uint8_t>(crc & 0xFF));
        AppendStuffedByte(reply, static_cast<uint8_t>(crc >> 8));
    }
    return reply;
}

std::vector<uint8_t> CSimController::ShortReply(const Request& request) const {
    CFrameBuilder builder = StartReply(request);
    return FinishReply(builder);
}

std::vector<uint8_t> CSimController::ErrorReply(const Request& request, uint8_t subCode) const {
    const uint8_t loop = static_cast<uint8_t>(request.loop + (m_faults.m_bWrongEcho ? 1 : 0));
    std::vector<uint8_t> reply = {frame::kInitialByte, request.source, m_nAddress,
                                  kErrorAnswer,        subCode,        loop,
                                  request.function,    request.offset};
    uint16_t crc = frame::FrameChecksum(reply.data(), reply.size());
    crc ^= m_faults.m_bBadChecksum ? 0x0001 : 0x0000;
    const uint8_t body[5] = {loop, request.function, request.offset,
                             static_cast<uint8_t>(crc & 0xFF), static_cast<uint8_t>(crc >> 8)};
    // After byte 4: the echo, the checksum, then zeros, as many bytes as the form asks.
    const std::size_t count =
        m_faults.m_errorForm == CSimFaults::ErrorForm::five ? sizeof body : subCode;
    reply.resize(frame::kHeaderSize);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t byte = i < sizeof body ? body[i] : 0x00;
        if (i >= 3 && i < sizeof body) {
            AppendStuffedByte(reply, byte);
        } else {
            reply.push_back(byte);
        }
    }
    return reply;
}

// ---- Loops: replace, download, upload, names

std::vector<uint8_t> CSimController::OnReplaceLoops(const Request& request) {
    CFrameBuilder builder = StartReply(request);
    if (request.function == kPhaseOne && request.offset == kPhaseOne) {
        m_pendingReplace.clear();
        for (uint8_t n : request.data) {
            if (n >= 1 && n <= kLoopCount) {
                m_pendingReplace.push_back(n);
            }
        }
        builder.AppendPlain(request.data.data(), request.data.size());
        return FinishReply(builder);
    }
    if (request.function != kPhaseTwo || request.offset != kPhaseTwo) {
        return Ignore("unknown phase of M");
    }
    for (uint8_t n : m_pendingReplace) {
        SetLoop(n, std::make_unique<CLoop>(n, ""));
        if (m_pDownload && m_pDownload->loopNumber == n) {
            m_pDownload.reset();
        }
    }
    m_pendingReplace.clear();
    return FinishReply(builder);
}

std::vector<uint8_t> CSimController::OnBeginDownload(const Request& request) {
    if (FindLoop(request.loop) == nullptr) {
        return Ignore("no such loop");
    }
    m_pDownload = std::make_unique<Download>();
    m_pDownload->loopNumber = request.loop;
    m_pDownload->loop = std::make_unique<CLoop>(request.loop, "");
    return ShortReply(request);
}

std::vector<uint8_t> CSimController::OnDownloadData(const Request& request) {
    const int n = request.loop & 0x0F;
    const bool first = (request.loop & kFirstDownloadFrame) == kFirstDownloadFrame;
    if (n < 1 || n > kLoopCount || (first && request.data.size() < kNameSize)) {
        return Ignore("bad loop byte or missing name");
    }
    const std::size_t recordStart = first ? kNameSize : 0;
    if (first) {
        const std::string name(request.data.begin(), request.data.begin() + kNameSize);
        m_pDownload = std::make_unique<Download>();
        m_pDownload->loopNumber = n;
        m_pDownload->loop = std::make_unique<CLoop>(n, TrimRight(name, kBlankOrNul));
    } else if (!m_pDownload || m_pDownload->loopNumber != n) {
        return Ignore("no download of this loop in progress");
    }
    const std::vector<uint8_t> records =
        frame::Unstuff(request.data.data() + recordStart, request.data.size() - recordStart, 0);
    const int result = AppendRecords(*m_pDownload->loop, records);
    if (result != 0) {
        m_pDownload.reset();
        return result < 0 ? Ignore("malformed block record")
                          : ErrorReply(request, static_cast<uint8_t>(result));
    }
    if (request.function == 0 && request.offset == 0) {
        std::erase(m_pendingReplace, static_cast<uint8_t>(n));
        SetLoop(n, std::move(m_pDownload->loop));
        m_pDownload.reset();
    }
    return ShortReply(request);
}

int CSimController::AppendRecords(CLoop& loop, const std::vector<uint8_t>& records) {
    std::size_t position = 0;
    while (position < records.size()) {
        if (records.size() - position < kRecordHeaderSize || records[position] != kRecordMark ||
            records[position + 1] != kRecordMark) {
            return -1;
        }
        const int t = records[position + 2] - 1;
        const int instance = records[position + 3];
        if (GetBlockTypeInfo(t) == nullptr || instance >= GetBlockCountOfType(t)) {
            return -1;
        }
        const std::size_t size = static_cast<std::size_t>(TotalParamSize(t));
        const int number = GetFirstBlockNumber(t) + instance;
        if (records.size() - position - kRecordHeaderSize < size ||
            loop.FindBlock(number) != nullptr) {
            return -1;
        }
        std::unique_ptr<CBlock> block = CBlock::Create(t, number);
        if (!block->LoadParamImage(records.data(), records.size(), position + kRecordHeaderSize,
                                   false)) {
            return -1;
        }
        loop.AddBlock(std::move(block));
        if (loop.GetSize() > loop.GetMemoryLimit()) {
            return kSubCodeMemoryOverflow;
        }
        position += kRecordHeaderSize + size;
    }
    return 0;
}

std::vector<uint8_t> CSimController::OnReadLoop(const Request& request) {
    const CLoop* loop = FindLoop(request.loop);
    if (loop == nullptr) {
        return Ignore("no such loop");
    }
    const bool first = request.function == 0 && request.offset == 0;
    CFrameBuilder builder = StartReply(request);
    int start = first ? 0 : loop->GetBlockCount();
    for (int i = 0; !first && i < loop->GetBlockCount(); ++i) {
        const CBlock* block = loop->GetBlock(i);
        if (block->GetTypeNumber() == request.function && block->GetInstance() == request.offset) {
            start = i;
            break;
        }
    }
    if (first) {
        const std::string name = PaddedName(*loop);
        builder.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), name.size());
    }
    int i = start;
    for (; i < loop->GetBlockCount(); ++i) {
        const CBlock& block = *loop->GetBlock(i);
        const std::size_t needed = kRecordHeaderSize + TotalParamSize(block.GetTypeIndex());
        if (i > start && builder.GetLineSize() + needed >= kRecordLimit) {
            break;
        }
        AppendRecord(builder, block);
    }
    const CBlock* next = loop->GetBlock(i);
    builder.SetFunctionOffset(next ? static_cast<uint8_t>(next->GetTypeNumber()) : 0,
                              next ? static_cast<uint8_t>(next->GetInstance()) : 0);
    return FinishReply(builder);
}

void CSimController::AppendRecord(CFrameBuilder& builder, const CBlock& block) const {
    const uint8_t header[kRecordHeaderSize] = {kRecordMark, kRecordMark,
                                               static_cast<uint8_t>(block.GetTypeNumber()),
                                               static_cast<uint8_t>(block.GetInstance())};
    builder.AppendPlain(header, sizeof header);
    const std::vector<uint8_t> params = ParamBytes(block, false);
    builder.AppendStuffed(params.data(), params.size());
}

std::vector<uint8_t> CSimController::OnBeginNameWrite(const Request& request) {
    return ShortReply(request);
}

std::vector<uint8_t> CSimController::OnWriteNames(const Request& request) {
    for (std::size_t i = 0; i + kNameItemSize <= request.data.size(); i += kNameItemSize) {
        const int n = request.data[i] & 0x7F;
        if (n >= 1 && n <= kLoopCount) {
            const auto name = request.data.begin() + static_cast<std::ptrdiff_t>(i) + 1;
            m_loops[n - 1]->SetName(TrimRight(std::string(name, name + kNameSize), kBlankOrNul));
        }
    }
    return ShortReply(request);
}

std::vector<uint8_t> CSimController::OnReadLoopName(const Request& request) {
    const CLoop* loop = FindLoop(request.loop);
    if (loop == nullptr) {
        return Ignore("no such loop");
    }
    CFrameBuilder builder = StartReply(request);
    std::string name = PaddedName(*loop);
    if (m_bNoConfigName && Trim(name).empty()) {
        name = kNoConfigName;
    }
    builder.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), name.size());
    return FinishReply(builder);
}

// ---- Blocks

std::vector<uint8_t> CSimController::OnBeginBlockWrite(const Request& request) {
    return FindBlock(request) ? ShortReply(request) : Ignore("no such block");
}

std::vector<uint8_t> CSimController::OnBlockWrite(const Request& request) {
    CBlock* block = FindBlock(request);
    if (block == nullptr) {
        return Ignore("no such block");
    }
    const std::vector<uint8_t> params = frame::Unstuff(request.data.data(), request.data.size(), 0);
    if (!block->LoadParamImage(params.data(), params.size(), 0, true)) {
        return Ignore("block data too short");
    }
    return ShortReply(request);
}

std::vector<uint8_t> CSimController::OnReadBlock(const Request& request) {
    const CBlock* block = FindBlock(request);
    if (block == nullptr) {
        return Ignore("no such block");
    }
    CFrameBuilder builder = StartReply(request);
    const std::vector<uint8_t> params = ParamBytes(*block, true);
    builder.AppendStuffed(params.data(), params.size());
    return FinishReply(builder);
}

std::vector<uint8_t> CSimController::OnReadValues(const Request& request) {
    std::vector<int> addresses;
    if (request.function == protocol::kValueListFunction) {
        const std::size_t count = std::min(request.data.size(), kMaxListedAddresses);
        addresses.assign(request.data.begin(), request.data.begin() + count);
    } else {
        const int t = request.function - 1;
        if (GetBlockTypeInfo(t) == nullptr || request.offset >= GetBlockCountOfType(t)) {
            return Ignore("no such block type or instance");
        }
        addresses = CSimPlant::OutputAddresses(t, request.offset);
    }
    m_plant.Update(LoopList());
    CFrameBuilder builder = StartReply(request);
    for (int address : addresses) {
        AppendInt16(builder, m_plant.GetValue(address));
    }
    return FinishReply(builder);
}

// ---- Calibration, version, general items

std::vector<uint8_t> CSimController::OnWriteCalibration(const Request& request) {
    const int kind = request.function;
    const bool automatic = kind == kAutoCalibrationKind;
    if (!automatic && (kind < 1 || kind > 3)) {
        return Ignore("unknown calibration kind");
    }
    const std::vector<uint8_t> table = frame::Unstuff(request.data.data(), request.data.size(), 0);
    if (automatic || (kind == 1 && table.size() == 2)) {
        if (table.size() < 2) {
            return Ignore("automatic calibration without mask and row");
        }
        AutoCalibrate(table[0], table[1]);
    } else {
        std::vector<uint8_t>& stored = m_calibration[kind - 1];
        std::copy_n(table.begin(), std::min(table.size(), stored.size()), stored.begin());
    }
    return ShortReply(request);
}

void CSimController::AutoCalibrate(uint8_t mask, uint8_t row) {
    if (row >= std::size(kInputPoints)) {
        return;
    }
    std::vector<uint8_t>& table = m_calibration[0];
    for (int column = 0; column < 8; ++column) {
        if ((mask & (1 << column)) != 0) {
            // The measured point: the nominal value off by a few thousandths.
            const int measured = kInputPoints[row] + (column * 3 + row) % 5 - 2;
            PutInt16(table, (column * std::size(kInputPoints) + row) * 2, measured);
        }
    }
}

std::vector<uint8_t> CSimController::OnReadCalibration(const Request& request) {
    if (request.function < 1 || request.function > 3) {
        return Ignore("unknown calibration kind");
    }
    CFrameBuilder builder = StartReply(request);
    const std::vector<uint8_t>& table = m_calibration[request.function - 1];
    builder.AppendStuffed(table.data(), table.size());
    return FinishReply(builder);
}

std::vector<uint8_t> CSimController::OnReadVersion(const Request& request) {
    CFrameBuilder builder = StartReply(request);
    AppendInt16(builder, m_nVersion);
    return FinishReply(builder);
}

// Items: 0 model (0 Varex, 1 Varex Plus), 1 cycle time in ms, 2 memory used by
// loops 1..5 in bytes, 3 the controller's address; 16-bit values little-endian.
// Any other item is answered without data.
std::vector<uint8_t> CSimController::OnReadGeneralItem(const Request& request) {
    CFrameBuilder builder = StartReply(request);
    switch (request.function) {
        case 0: {
            const uint8_t model = m_nVersion >= 200 && m_nVersion < 300 ? 0 : 1;
            builder.AppendStuffed(&model, 1);
            break;
        }
        case 1:
            AppendInt16(builder, kCycleMilliseconds);
            break;
        case 2:
            for (const auto& loop : m_loops) {
                AppendInt16(builder, loop->GetSize());
            }
            break;
        case 3:
            builder.AppendStuffed(&m_nAddress, 1);
            break;
        default:
            break;
    }
    return FinishReply(builder);
}

// ---- Helpers

CLoop* CSimController::FindLoop(uint8_t loopByte) const {
    return loopByte >= 1 && loopByte <= kLoopCount ? m_loops[loopByte - 1].get() : nullptr;
}

CBlock* CSimController::FindBlock(const Request& request) const {
    const CLoop* loop = FindLoop(request.loop);
    const int t = request.function - 1;
    if (loop == nullptr || GetBlockTypeInfo(t) == nullptr) {
        return nullptr;
    }
    CBlock* block = loop->FindBlock(GetFirstBlockNumber(t) + request.offset);
    return block && block->GetTypeIndex() == t ? block : nullptr;
}

std::vector<const CLoop*> CSimController::LoopList() const {
    std::vector<const CLoop*> loops;
    for (const auto& loop : m_loops) {
        loops.push_back(loop.get());
    }
    return loops;
}

std::string CSimController::PaddedName(const CLoop& loop) const {
    std::string name = loop.GetName().substr(0, kNameSize);
    name.resize(kNameSize, ' ');
    return name;
}
