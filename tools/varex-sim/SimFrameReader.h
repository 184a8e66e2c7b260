#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Splits the byte stream of a line into request frames. A frame starts with 0xFE;
// its header gives the number of logical bytes, and the frame's length on the
// line follows from walking the stuffing where the command carries stuffed data
// (block records, block parameters) and in the checksum. Bytes before a 0xFE,
// frames longer than 512 bytes on the line, broken stuffing and frames whose
// checksum does not match are skipped, one byte at a time, so that a real frame
// hidden behind noise is still found. A false start that waits for more bytes is
// given up when a whole frame follows it, or after a silence on the line.
class CSimFrameReader {
public:
    enum class Status { complete, needMore, invalid };
    struct Layout {
        std::size_t dataEnd = 0;  // index of the first checksum byte
        std::size_t size = 0;     // bytes of the whole frame on the line
    };

    // Measures the frame at the start of bytes without checking its checksum. A
    // calibration table ("V") has two readings on the line: stuffed inside its
    // fixed length (plain here) or stuffed on the line like parameter data.
    static Status Measure(const uint8_t* bytes, std::size_t size, Layout& layout,
                          bool stuffedTable = false);
    // True when the checksum at layout.dataEnd matches the bytes before it.
    static bool HasValidChecksum(const uint8_t* bytes, const Layout& layout);
    // Measures and checks the checksum, trying both readings of a calibration
    // table: complete only for a frame with a good checksum.
    static Status Locate(const uint8_t* bytes, std::size_t size, Layout& layout);

    void Feed(const uint8_t* data, std::size_t size);
    // Takes the next complete frame out of the stream; false when more bytes are needed.
    bool Next(std::vector<uint8_t>& frame);
    // Gives up the partial frame at the front, after a silence on the line: its
    // first byte is skipped and the rest is searched again.
    void DropPartial();
    bool HasPending() const { return !m_buffer.empty(); }
    // Bytes skipped so far (noise, broken or damaged frames).
    std::size_t GetSkippedCount() const { return m_nSkipped; }

private:
    // Start of the first complete frame with a good checksum at or after from; 0 when none.
    std::size_t FindCompleteFrame(std::size_t from) const;
    void Skip(std::size_t count);

    std::vector<uint8_t> m_buffer;
    std::size_t m_nSkipped = 0;
};
