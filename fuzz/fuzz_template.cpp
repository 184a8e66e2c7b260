// Inserts arbitrary bytes as a drawing template (.vxt) into a new document's
// loop; whatever is inserted must store in a document that loads again.
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#include "diagram/DrawingClasses.h"
#include "diagram/TemplateFile.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/MessageBox.h"

// Text objects measure their text: fonts need a GUI application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    RegisterDrawingClasses();
    SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    if (templates::InsertTemplateBytes(doc, std::vector<uint8_t>(data, data + size), "fuzz.vxt") <=
        0) {
        return 0;
    }
    CArchive stored;
    stored.m_pDocument = &doc;
    doc.Serialize(stored);
    CConfDoc again;
    try {
        CArchive ar(std::span<const uint8_t>(stored.GetBuffer().data(), stored.GetBuffer().size()));
        ar.m_pDocument = &again;
        again.Serialize(ar);
    } catch (const CArchiveException&) {
        std::abort();
    }
    return 0;
}
