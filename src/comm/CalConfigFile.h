#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Loop.h"

// "CONFIG.CAL", the fixed configuration a controller gets before it is
// calibrated. Little-endian:
//   header: 4 bytes (file size) and a 16-bit value (loop count), not read;
//   five loop records: 16-bit length N of what follows it, 1 byte (loop number),
//   8 bytes loop name, 2 bytes (loop memory); when N > 14: 1 byte (block count),
//   N - 14 bytes of block records, 2 bytes (zero);
//   a block record: type code (index + 1), offset within the type, the LINK,
//   CONF and ADJ value bytes in the catalogue's sizes, then 3 bytes (block
//   number, loop memory so far). A type code above 37 ends a loop's records.
// The values in parentheses are what we write; the reader skips those bytes, as
// files from elsewhere may hold anything there.
class CCalConfigFile {
public:
    static constexpr int kLoopCount = 5;
    static constexpr std::size_t kMaxFileSize = 64 * 1024;
    using Loops = std::array<std::unique_ptr<CLoop>, kLoopCount>;

    // The loops of a file's bytes, numbered 1..5 in file order. False with the
    // reason when a length, type code, offset or block number does not fit: the
    // caller then sends nothing.
    static bool Read(const std::vector<uint8_t>& bytes, Loops& loops, std::string& error);
    static bool ReadFile(const std::string& path, Loops& loops, std::string& error);

    // The bytes of five loops in the layout above (empty loops for missing ones).
    static std::vector<uint8_t> Write(const Loops& loops);
};
