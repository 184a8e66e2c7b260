// Imports arbitrary bytes as a configuration image into a new document.
#include <cstdint>

#include "document/ConfDoc.h"
#include "document/ImageImport.h"
#include "platform/MessageBox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
        return true;
    }();
    (void)quiet;
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    ImportImageBytes(doc, std::vector<uint8_t>(data, data + size));
    return 0;
}
