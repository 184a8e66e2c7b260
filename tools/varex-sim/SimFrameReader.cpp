#include "SimFrameReader.h"

#include "comm/FrameCodec.h"

namespace {

constexpr uint8_t kCommandDownloadData = 0x4E;  // "N"
constexpr uint8_t kCommandBlockData = 0x2B;     // "+"
constexpr uint8_t kCommandCalibration = 0x56;   // "V"
constexpr uint8_t kFirstDownloadFrame = 0x60;   // loop byte bits of the first "N" frame
constexpr std::size_t kNameSize = 8;
constexpr std::size_t kDataStart = 8;
constexpr std::size_t kLogicalMinimum = 5;  // addressing bytes and checksum

// Whether data byte `index` of a request may carry a stuffing zero after a 0xFE.
bool IsStuffedData(uint8_t command, uint8_t loopByte, std::size_t index, bool stuffedTable) {
    if (command == kCommandBlockData || (command == kCommandCalibration && stuffedTable)) {
        return true;
    }
    if (command != kCommandDownloadData) {
        return false;
    }
    const bool first = (loopByte & kFirstDownloadFrame) == kFirstDownloadFrame;
    return !first || index >= kNameSize;  // the loop name of the first frame is plain
}

// Steps over one logical byte at position; false when the bytes run out or the
// stuffing is broken (a 0xFE in stuffed bytes not followed by 0x00).
CSimFrameReader::Status StepByte(const uint8_t* bytes, std::size_t size, bool stuffed,
                                 std::size_t& position) {
    if (position >= size) {
        return CSimFrameReader::Status::needMore;
    }
    if (!stuffed || bytes[position] != frame::kInitialByte) {
        ++position;
        return CSimFrameReader::Status::complete;
    }
    if (position + 1 >= size) {
        return CSimFrameReader::Status::needMore;
    }
    if (bytes[position + 1] != 0x00) {
        return CSimFrameReader::Status::invalid;
    }
    position += 2;
    return CSimFrameReader::Status::complete;
}

}  // namespace

CSimFrameReader::Status CSimFrameReader::Measure(const uint8_t* bytes, std::size_t size,
                                                 Layout& layout, bool stuffedTable) {
    if (size == 0) {
        return Status::needMore;
    }
    if (bytes[0] != frame::kInitialByte) {
        return Status::invalid;
    }
    if (size < frame::kHeaderSize) {
        return Status::needMore;
    }
    const std::size_t lengthByte = bytes[4];
    const std::size_t logical = lengthByte == frame::kReadLength ? kLogicalMinimum : lengthByte;
    if (logical < kLogicalMinimum) {
        return Status::invalid;
    }
    if (size < kDataStart) {
        return Status::needMore;
    }
    std::size_t position = kDataStart;
    const std::size_t dataCount = logical - kLogicalMinimum;
    for (std::size_t i = 0; i < dataCount + 2; ++i) {
        const bool stuffed = i >= dataCount || IsStuffedData(bytes[3], bytes[5], i, stuffedTable);
        const Status status = StepByte(bytes, size, stuffed, position);
        if (status != Status::complete) {
            return status;
        }
        if (position > frame::kMaxFrameSize) {
            return Status::invalid;
        }
        if (i + 1 == dataCount) {
            layout.dataEnd = position;
        }
    }
    if (dataCount == 0) {
        layout.dataEnd = kDataStart;
    }
    layout.size = position;
    return Status::complete;
}

CSimFrameReader::Status CSimFrameReader::Locate(const uint8_t* bytes, std::size_t size,
                                                Layout& layout) {
    const Status status = Measure(bytes, size, layout);
    if (status != Status::complete || HasValidChecksum(bytes, layout)) {
        return status;  // the stuffed reading of a table is never the shorter one
    }
    if (bytes[3] != kCommandCalibration) {
        return Status::invalid;
    }
    const Status other = Measure(bytes, size, layout, true);
    if (other == Status::complete && HasValidChecksum(bytes, layout)) {
        return other;
    }
    return other == Status::needMore ? other : Status::invalid;
}

bool CSimFrameReader::HasValidChecksum(const uint8_t* bytes, const Layout& layout) {
    if (layout.dataEnd < kDataStart || layout.size < layout.dataEnd + 2) {
        return false;
    }
    const std::size_t high =
        bytes[layout.dataEnd] == frame::kInitialByte ? layout.dataEnd + 2 : layout.dataEnd + 1;
    if (high >= layout.size) {
        return false;
    }
    const uint16_t received = static_cast<uint16_t>(bytes[layout.dataEnd] | (bytes[high] << 8));
    return frame::FrameChecksum(bytes, layout.dataEnd) == received;
}

void CSimFrameReader::Feed(const uint8_t* data, std::size_t size) {
    m_buffer.insert(m_buffer.end(), data, data + size);
}

bool CSimFrameReader::Next(std::vector<uint8_t>& frame) {
    for (;;) {
        std::size_t start = 0;
        while (start < m_buffer.size() && m_buffer[start] != frame::kInitialByte) {
            ++start;
        }
        Skip(start);
        Layout layout;
        const Status status = Locate(m_buffer.data(), m_buffer.size(), layout);
        if (status == Status::needMore) {
            // A false start (a noise 0xFE) waits for bytes that never come; a whole
            // frame behind it shows that it was noise.
            const std::size_t later = FindCompleteFrame(1);
            if (later == 0) {
                return false;
            }
            Skip(later);
            continue;
        }
        if (status == Status::complete) {
            frame.assign(m_buffer.begin(), m_buffer.begin() + layout.size);
            m_buffer.erase(m_buffer.begin(), m_buffer.begin() + layout.size);
            return true;
        }
        Skip(1);  // not a frame after all: search again from the next byte
    }
}

std::size_t CSimFrameReader::FindCompleteFrame(std::size_t from) const {
    for (std::size_t start = from; start < m_buffer.size(); ++start) {
        Layout layout;
        if (m_buffer[start] == frame::kInitialByte &&
            Locate(&m_buffer[start], m_buffer.size() - start, layout) == Status::complete) {
            return start;
        }
    }
    return 0;
}

void CSimFrameReader::DropPartial() {
    Skip(m_buffer.empty() ? 0 : 1);
}

void CSimFrameReader::Skip(std::size_t count) {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + count);
    m_nSkipped += count;
}
