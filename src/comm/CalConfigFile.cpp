#include "comm/CalConfigFile.h"

#include <set>

#include "comm/FrameCodec.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "platform/FileIo.h"
#include "platform/Text.h"

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kNameSize = 8;
// Loop number, name and loop memory: what every loop record holds.
constexpr std::size_t kLoopFixedSize = 1 + kNameSize + 2;
// What a loop record with blocks holds besides the block records.
constexpr int kLoopFrameSize = 14;
constexpr std::size_t kRecordHeaderSize = 2;  // type code, offset
constexpr std::size_t kRecordTrailerSize = 3;
constexpr int kLastTypeCode = 37;

int TotalParamSize(int t) {
    return GetAreaSize(t, PARAM_LINK) + GetAreaSize(t, PARAM_CONF) + GetAreaSize(t, PARAM_ADJ);
}

void PutUInt16(std::vector<uint8_t>& bytes, int value) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

// Reads the file's fields in order; every read is checked against the end.
class CByteReader {
public:
    explicit CByteReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    bool Has(std::size_t count) const { return count <= m_bytes.size() - m_nPos; }
    std::size_t Position() const { return m_nPos; }
    void Skip(std::size_t count) { m_nPos += count; }
    uint16_t UInt16() {
        const uint16_t value = static_cast<uint16_t>(m_bytes[m_nPos] | (m_bytes[m_nPos + 1] << 8));
        m_nPos += 2;
        return value;
    }
    std::string Name() {
        std::string name(reinterpret_cast<const char*>(&m_bytes[m_nPos]), kNameSize);
        m_nPos += kNameSize;
        return TrimRight(name.substr(0, name.find('\0')));
    }

private:
    const std::vector<uint8_t>& m_bytes;
    std::size_t m_nPos = 0;
};

class CLoopRecordsReader {
public:
    CLoopRecordsReader(const std::vector<uint8_t>& bytes, std::set<int>& usedNumbers)
        : m_bytes(bytes), m_usedNumbers(usedNumbers) {}

    // The block records between begin and end, appended to the loop.
    bool Read(std::size_t begin, std::size_t end, CLoop& loop, std::string& error) {
        std::size_t position = begin;
        while (position < end) {
            const int code = m_bytes[position];
            if (code > kLastTypeCode) {
                return true;
            }
            if (!ReadRecord(position, end, loop, error)) {
                error = "loop " + std::to_string(loop.GetLoopNumber()) + ", block record at byte " +
                        std::to_string(position) + ": " + error;
                return false;
            }
        }
        return true;
    }

private:
    bool ReadRecord(std::size_t& position, std::size_t end, CLoop& loop, std::string& error) {
        if (end - position < kRecordHeaderSize) {
            error = "truncated";
            return false;
        }
        const int typeIndex = m_bytes[position] - 1;
        const int offset = m_bytes[position + 1];
        if (typeIndex < 0) {
            error = "type code 0";
            return false;
        }
        if (offset >= GetBlockCountOfType(typeIndex)) {
            error = "offset " + std::to_string(offset) + " beyond the type's blocks";
            return false;
        }
        const std::size_t paramSize = static_cast<std::size_t>(TotalParamSize(typeIndex));
        if (end - position < kRecordHeaderSize + paramSize + kRecordTrailerSize) {
            error = "truncated";
            return false;
        }
        const int number = GetFirstBlockNumber(typeIndex) + offset;
        if (!m_usedNumbers.insert(number).second) {
            error = "block number " + std::to_string(number) + " used twice";
            return false;
        }
        auto block = CBlock::Create(typeIndex, number);
        const std::size_t values = position + kRecordHeaderSize;
        if (!block->LoadParamImage(m_bytes.data(), values + paramSize, values, false)) {
            error = "parameter values do not fit";
            return false;
        }
        if (loop.GetSize() + block->GetCost() > loop.GetMemoryLimit()) {
            error = "the loop's memory is full";
            return false;
        }
        loop.AddBlock(std::move(block));
        position += kRecordHeaderSize + paramSize + kRecordTrailerSize;
        return true;
    }

    const std::vector<uint8_t>& m_bytes;
    std::set<int>& m_usedNumbers;
};

void WriteLoop(std::vector<uint8_t>& bytes, int loopNumber, const CLoop* loop) {
    std::vector<uint8_t> records;
    int size = 0;
    const int count = loop != nullptr ? loop->GetBlockCount() : 0;
    for (int i = 0; i < count; ++i) {
        const CBlock& block = *loop->GetBlock(i);
        records.push_back(static_cast<uint8_t>(block.GetTypeNumber()));
        records.push_back(static_cast<uint8_t>(block.GetInstance()));
        std::vector<uint8_t> image;
        std::size_t position = 0;
        block.BuildParamImage(image, position, false);
        // The image is stuffed for the line; the file holds the plain values.
        std::vector<uint8_t> plain = frame::Unstuff(image.data(), position, 0);
        plain.resize(static_cast<std::size_t>(TotalParamSize(block.GetTypeIndex())), 0);
        records.insert(records.end(), plain.begin(), plain.end());
        size += block.GetCost();
        records.push_back(static_cast<uint8_t>(block.GetBlockNumber()));
        PutUInt16(records, size);
    }
    const int length = records.empty() ? static_cast<int>(kLoopFixedSize)
                                       : kLoopFrameSize + static_cast<int>(records.size());
    PutUInt16(bytes, length);
    bytes.push_back(static_cast<uint8_t>(loopNumber));
    std::string name = loop != nullptr ? loop->GetName().substr(0, kNameSize) : std::string();
    name.resize(kNameSize, ' ');
    bytes.insert(bytes.end(), name.begin(), name.end());
    PutUInt16(bytes, size);
    if (!records.empty()) {
        bytes.push_back(static_cast<uint8_t>(count));
        bytes.insert(bytes.end(), records.begin(), records.end());
        PutUInt16(bytes, 0);
    }
}

}  // namespace

bool CCalConfigFile::Read(const std::vector<uint8_t>& bytes, Loops& loops, std::string& error) {
    CByteReader reader(bytes);
    if (!reader.Has(kHeaderSize)) {
        error = "the file is shorter than its header";
        return false;
    }
    reader.Skip(kHeaderSize);
    std::set<int> usedNumbers;
    Loops read;
    for (int n = 1; n <= kLoopCount; ++n) {
        if (!reader.Has(2 + kLoopFixedSize)) {
            error = "loop " + std::to_string(n) + " is missing or truncated";
            return false;
        }
        const int length = reader.UInt16();
        reader.Skip(1);
        auto loop = std::make_unique<CLoop>(n, reader.Name());
        reader.Skip(2);
        const int recordBytes = length - kLoopFrameSize;
        if (recordBytes > 0) {
            const std::size_t size = static_cast<std::size_t>(recordBytes);
            if (!reader.Has(1 + size + 2)) {
                error = "the block records of loop " + std::to_string(n) + " are truncated";
                return false;
            }
            const std::size_t begin = reader.Position() + 1;
            CLoopRecordsReader records(bytes, usedNumbers);
            if (!records.Read(begin, begin + size, *loop, error)) {
                return false;
            }
            reader.Skip(1 + size + 2);
        }
        loop->SetModified(0);
        read[n - 1] = std::move(loop);
    }
    loops = std::move(read);
    return true;
}

bool CCalConfigFile::ReadFile(const std::string& path, Loops& loops, std::string& error) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, kMaxFileSize, bytes, error) && Read(bytes, loops, error);
}

std::vector<uint8_t> CCalConfigFile::Write(const Loops& loops) {
    std::vector<uint8_t> bytes(4, 0);
    PutUInt16(bytes, kLoopCount);
    for (int n = 1; n <= kLoopCount; ++n) {
        WriteLoop(bytes, n, loops[n - 1].get());
    }
    const auto size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>((size >> (8 * i)) & 0xFF);
    }
    return bytes;
}
