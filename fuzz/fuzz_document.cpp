// Loads arbitrary bytes as a .vxp document, drawings included; whatever loads
// must store and load again.
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#include "diagram/DrawingClasses.h"

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

// Loading links lays out their labels, which measures text: fonts need a GUI
// application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    RegisterDrawingClasses();
    SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CConfDoc doc;
    if (!Load(doc, data, size)) {
        return 0;
    }
    doc.RebuildFromLoops();
    const std::vector<uint8_t> stored = Store(doc);
    CConfDoc again;
    // Loading lays links out again, which may move a damaged link's arrow or
    // labels; what was stored must load again all the same.
    if (!Load(again, stored.data(), stored.size())) {
        std::abort();
    }
    return 0;
}
