// Loads arbitrary bytes as a .vxp document; whatever loads must store and load
// again to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/MessageBox.h"

namespace {

bool Load(CConfDoc& doc, const uint8_t* data, std::size_t size) {
    try {
        CArchive ar(std::span<const uint8_t>(data, size));
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        return ar.GetUnownedCount() == 0;
    } catch (const CArchiveException&) {
        return false;
    }
}

std::vector<uint8_t> Store(CConfDoc& doc) {
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.GetBuffer();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
        return true;
    }();
    (void)quiet;
    CConfDoc doc;
    if (!Load(doc, data, size)) {
        return 0;
    }
    doc.RebuildFromLoops();
    const std::vector<uint8_t> stored = Store(doc);
    CConfDoc again;
    if (!Load(again, stored.data(), stored.size()) || Store(again) != stored) {
        std::abort();
    }
    return 0;
}
