#include "diagram/TemplateFile.h"

#include <memory>

#include "diagram/DrawingObject.h"
#include "diagram/DrawingTemplate.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace templates {

namespace {

// Template files are small; anything larger is not one.
constexpr std::size_t kMaxTemplateFile = 64u * 1024u * 1024u;
constexpr std::size_t kMinObjectSize = 2;

void ReportFileError(unsigned id, const std::string& path, const std::string& detail) {
    AfxMessageBox(AfxFormatString(id, {path, detail}), MB_OK | MB_ICONERROR);
}

}  // namespace

std::string HeaderText() {
    return "KESTREL Plus - Template file - version: " + std::to_string(kFileVersion);
}

bool SaveTemplate(const std::string& path, const std::vector<const CDrawingObject*>& objects) {
    CArchive ar;
    ar.WriteString(HeaderText());
    ar.WriteCount(objects.size());
    for (const CDrawingObject* object : objects) {
        ar.WriteObject(object);
    }
    std::string error;
    if (!WriteFileAtomically(path, ar.GetBuffer(), error)) {
        ReportFileError(IDS_FILE_SAVE_FAILED, path, error);
        return false;
    }
    return true;
}

int InsertTemplate(CConfDoc& document, const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, kMaxTemplateFile, bytes, error)) {
        ReportFileError(IDS_FILE_OPEN_FAILED, path, error);
        return -1;
    }
    return InsertTemplateBytes(document, bytes, path);
}

std::unique_ptr<CDrawingTemplate> ReadTemplateFile(CConfDoc& document, const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, kMaxTemplateFile, bytes, error)) {
        ReportFileError(IDS_FILE_OPEN_FAILED, path, error);
        return nullptr;
    }
    return ReadTemplateBytes(document, bytes, path);
}

int InsertTemplateBytes(CConfDoc& document, const std::vector<uint8_t>& bytes,
                        const std::string& path) {
    std::unique_ptr<CDrawingTemplate> group = ReadTemplateBytes(document, bytes, path);
    if (!group) {
        return -1;
    }
    const int inserted = group->GetObjectCount();
    if (inserted > 0) {
        document.InsertDrawingObject(document.GetTemplates().size(), std::move(group));
    }
    return inserted;
}

std::unique_ptr<CDrawingTemplate> ReadTemplateBytes(CConfDoc& document,
                                                    const std::vector<uint8_t>& bytes,
                                                    const std::string& path) {
    const int loop = document.GetCurrentLoopNumber();
    auto group = std::make_unique<CDrawingTemplate>();
    group->SetLoop(loop);
    try {
        CArchive ar(std::span<const uint8_t>(bytes.data(), bytes.size()));
        ar.m_pDocument = &document;
        ar.ReadString();  // the header is not checked
        const std::size_t count = ar.ReadCount(kMinObjectSize);
        for (std::size_t i = 0; i < count; ++i) {
            std::unique_ptr<CDrawingObject> object = ar.ReadOwned<CDrawingObject>();
            if (!object) {
                ar.ThrowMalformed(CArchiveException::badReference, "Empty entry in the template");
            }
            object->SetLoop(loop);
            group->AddObject(std::move(object), true);
        }
        if (ar.GetUnownedCount() != 0) {
            ar.ThrowMalformed(CArchiveException::badReference,
                              "Objects referred to but not part of the template");
        }
    } catch (const CArchiveException& e) {
        ReportFileError(IDS_TEMPLATE_FORMAT_ERROR, path, e.what());
        return nullptr;
    }
    return group;
}

}  // namespace templates
