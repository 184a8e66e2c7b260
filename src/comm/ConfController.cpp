#include "comm/ConfController.h"

#include <algorithm>
#include <cstring>

#include "comm/FrameCodec.h"
#include "comm/ProtocolCodes.h"
#include "model/BlockTypeTable.h"
#include "platform/PostedMessage.h"

IMPLEMENT_DYNAMIC(CConfController, CController)

namespace {

constexpr uint8_t kRecordMark = 0xAA;
constexpr std::size_t kNameSize = 8;
constexpr std::size_t kRecordHeader = 4;

int TotalParamSize(int typeIndex) {
    return GetAreaSize(typeIndex, 0) + GetAreaSize(typeIndex, 1) + GetAreaSize(typeIndex, 2);
}

// The block's parameter values as they are, without the line's stuffing.
std::vector<uint8_t> RawImage(const CBlock& block, bool skipLink) {
    std::vector<uint8_t> image;
    std::size_t position = 0;
    block.BuildParamImage(image, position, skipLink);
    return frame::Unstuff(image.data(), image.size(), 0);
}

std::string PaddedName(const std::string& name) {
    std::string padded = name.substr(0, kNameSize);
    padded.resize(kNameSize, ' ');
    return padded;
}

}  // namespace

uint8_t CConfController::FunctionOf(const CBlock& block) {
    return static_cast<uint8_t>(block.GetTypeNumber());
}

uint8_t CConfController::OffsetOf(const CBlock& block) {
    return static_cast<uint8_t>(block.GetInstance());
}

int CConfController::Read(uint8_t* buffer, int length) {
    OnRxActivity(true);
    const int read = CController::Read(buffer, length);
    OnRxActivity(false);
    return read;
}

int CConfController::ReceiveFrame(uint8_t* buffer, int length, const uint8_t* request,
                                  int requestLength) {
    OnRxActivity(true);
    const int received = CController::ReceiveFrame(buffer, length, request, requestLength);
    OnRxActivity(false);
    return received;
}

int CConfController::SendFrame(const uint8_t* buffer, int length) {
    OnTxActivity(true);
    const int sent = CController::SendFrame(buffer, length);
    OnTxActivity(false);
    return sent;
}

void CConfController::OnTxActivity(bool on) {
    PostRegisteredMessage(msg::kUpdateTxLed, on ? 1 : 0);
}

void CConfController::OnRxActivity(bool on) {
    PostRegisteredMessage(msg::kUpdateRxLed, on ? 1 : 0);
}

int CConfController::AppendBlockRecords(CFrameBuilder& frame, const CLoop& loop, int first) const {
    int next = first;
    for (; next < loop.GetBlockCount(); ++next) {
        const CBlock& block = *loop.GetBlock(next);
        const std::vector<uint8_t> image = RawImage(block, false);
        // The record as it stands on the line: its stuffing bytes count too, so a
        // frame of 0xFE-rich values never grows past the limit.
        const std::size_t stuffing =
            static_cast<std::size_t>(std::count(image.begin(), image.end(), frame::kInitialByte));
        const std::size_t needed = kRecordHeader + image.size() + stuffing;
        // A frame always takes at least one record, so every block gets sent.
        if (next > first && frame.GetLineSize() + needed >= kMaxDownloadFrame) {
            break;
        }
        const uint8_t header[] = {kRecordMark, kRecordMark, FunctionOf(block), OffsetOf(block)};
        frame.AppendPlain(header, sizeof header);
        frame.AppendStuffed(image.data(), image.size());
    }
    return next;
}

bool CConfController::SendLoop(const CLoop& loop) {
    if (!IsOpen()) {
        return false;
    }
    const uint8_t loopNumber = static_cast<uint8_t>(loop.GetLoopNumber());
    const CBlock* firstBlock = loop.GetBlock(0);
    CFrameBuilder begin =
        Request(protocol::kBeginLoop, loopNumber, firstBlock ? FunctionOf(*firstBlock) : 0,
                firstBlock ? OffsetOf(*firstBlock) : 0);
    if (!Exchange(begin, Echo::check)) {
        return false;
    }
    int next = 0;
    bool firstFrame = true;
    do {
        const uint8_t loopByte = firstFrame ? static_cast<uint8_t>(loopNumber | 0x60)
                                            : static_cast<uint8_t>(loopNumber & 0x0F);
        CFrameBuilder data = Request(protocol::kLoopData, loopByte, 0, 0);
        if (firstFrame) {
            const std::string name = PaddedName(loop.GetName());
            data.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), kNameSize);
        }
        next = AppendBlockRecords(data, loop, next);
        const CBlock* pending = loop.GetBlock(next);
        data.SetFunctionOffset(pending ? FunctionOf(*pending) : 0,
                               pending ? OffsetOf(*pending) : 0);
        if (!Exchange(data, Echo::check)) {
            return false;
        }
        firstFrame = false;
    } while (next < loop.GetBlockCount());
    return true;
}

bool CConfController::SendBlock(int loopNumber, const CBlock& block) {
    if (!IsOpen()) {
        return false;
    }
    const uint8_t loop = static_cast<uint8_t>(loopNumber);
    CFrameBuilder begin = Request(protocol::kBeginBlock, loop, FunctionOf(block), OffsetOf(block));
    if (!Exchange(begin, Echo::check)) {
        return false;
    }
    CFrameBuilder data = Request(protocol::kBlockData, loop, FunctionOf(block), OffsetOf(block));
    const std::vector<uint8_t> image = RawImage(block, true);
    data.AppendStuffed(image.data(), image.size());
    return Exchange(data, Echo::check);
}

bool CConfController::ReadBlockRecords(const Reply& reply, std::size_t start, CLoop& loop) {
    const std::size_t end = 8 + reply.DataSize();
    std::size_t position = start;
    while (position + kRecordHeader <= end) {
        const uint8_t function = reply.bytes[position + 2];
        const uint8_t offset = reply.bytes[position + 3];
        const int typeIndex = function - 1;
        if (reply.bytes[position] != kRecordMark || reply.bytes[position + 1] != kRecordMark ||
            typeIndex < 0 || typeIndex >= kBlockTypeCount ||
            offset >= GetBlockCountOfType(typeIndex)) {
            return Fail(ERR_ADDRESSING);
        }
        auto block = CBlock::Create(typeIndex, GetFirstBlockNumber(typeIndex) + offset);
        if (!block->LoadParamImage(reply.bytes.data(), end, position + kRecordHeader, false)) {
            return Fail(ERR_ADDRESSING);
        }
        loop.AddBlock(std::move(block));
        position += kRecordHeader + static_cast<std::size_t>(TotalParamSize(typeIndex));
    }
    return true;
}

std::unique_ptr<CLoop> CConfController::ReadLoop(int loopNumber) {
    if (!IsOpen()) {
        return nullptr;
    }
    auto loop = std::make_unique<CLoop>(loopNumber, "");
    uint8_t function = 0;
    uint8_t offset = 0;
    for (int replies = 0; replies < kMaxUploadReplies; ++replies) {
        const bool first = replies == 0;
        CFrameBuilder request = Request(protocol::kReadLoop, static_cast<uint8_t>(loopNumber),
                                        function, offset, frame::kReadLength);
        Reply reply;
        if (!Exchange(request, Echo::none, reply)) {
            return nullptr;
        }
        std::size_t start = 8;
        if (first) {
            if (reply.DataSize() < kNameSize) {
                Fail(ERR_ADDRESSING);
                return nullptr;
            }
            const char* name = reinterpret_cast<const char*>(&reply.bytes[8]);
            loop->SetName(std::string(name, strnlen(name, kNameSize)));
            start += kNameSize;
        }
        // A damaged record ends this reply; what was read so far is kept.
        ReadBlockRecords(reply, start, *loop);
        function = reply.bytes[6];
        offset = reply.bytes[7];
        if (function == 0) {
            return loop;
        }
    }
    Fail(ERR_ADDRESSING);
    return nullptr;
}

std::unique_ptr<CBlock> CConfController::ReadBlock(uint8_t loop, uint8_t function, uint8_t offset) {
    CFrameBuilder request =
        Request(protocol::kReadBlock, loop, function, offset, frame::kReadLength);
    Reply reply;
    if (!Exchange(request, Echo::check, reply)) {
        return nullptr;
    }
    const int typeIndex = reply.bytes[6] - 1;
    if (typeIndex < 0 || typeIndex >= kBlockTypeCount ||
        reply.bytes[7] >= GetBlockCountOfType(typeIndex)) {
        Fail(ERR_ADDRESSING);
        return nullptr;
    }
    auto block = CBlock::Create(typeIndex, GetFirstBlockNumber(typeIndex) + reply.bytes[7]);
    if (!block->LoadParamImage(reply.bytes.data(), 8 + reply.DataSize(), 8, true)) {
        Fail(ERR_ADDRESSING);
        return nullptr;
    }
    return block;
}
