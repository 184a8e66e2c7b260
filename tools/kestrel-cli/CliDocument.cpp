#include "CliDocument.h"

#include <cstdio>

#include "Commands.h"

std::unique_ptr<CConfDoc> OpenCliDocument(const std::string& path) {
    auto doc = std::make_unique<CConfDoc>();
    if (!doc->OnOpenDocument(path)) {
        return nullptr;  // the message box handler printed the reason
    }
    return doc;
}

bool SaveCliDocument(CConfDoc& doc) {
    return doc.OnSaveDocument(doc.GetPathName());
}

int Refuse(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return EXIT_REFUSED;
}

int UsageError(const std::string& usage, const std::string& detail) {
    if (!detail.empty()) {
        std::fprintf(stderr, "kestrel-cli: %s\n", detail.c_str());
    }
    std::fprintf(stderr, "usage: kestrel-cli %s\n", usage.c_str());
    return EXIT_USAGE;
}
