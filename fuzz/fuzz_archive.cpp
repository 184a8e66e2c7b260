// Loads arbitrary bytes as a stored list of loops. Any input must either load or
// raise CArchiveException, without reading past the buffer or leaking. What loads
// must store again, and the stored bytes must load back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "model/Loop.h"
#include "platform/Archive.h"

namespace {

using Loops = std::vector<std::unique_ptr<CLoop>>;

// Smallest stored loop: an object tag.
constexpr std::size_t kMinLoopRecordSize = 2;

Loops ReadLoops(CArchive& ar) {
    Loops loops;
    const std::size_t count = ar.ReadCount(kMinLoopRecordSize);
    for (std::size_t i = 0; i < count; ++i) {
        loops.push_back(ar.ReadOwned<CLoop>());
    }
    return loops;
}

std::vector<uint8_t> StoreLoops(const Loops& loops) {
    CArchive ar;
    ar.WriteCount(loops.size());
    for (const auto& loop : loops) {
        ar.WriteObject(loop.get());
    }
    return ar.GetBuffer();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> stored;
    {
        CArchive ar(std::span<const uint8_t>(data, size));
        try {
            stored = StoreLoops(ReadLoops(ar));
        } catch (const CArchiveException&) {
            return 0;
        }
    }
    // What we store ourselves must load, and store to the same bytes again.
    CArchive again(stored);
    Loops reloaded;
    try {
        reloaded = ReadLoops(again);
    } catch (const CArchiveException&) {
        std::abort();
    }
    if (again.GetRemaining() != 0 || StoreLoops(reloaded) != stored) {
        std::abort();
    }
    return 0;
}
