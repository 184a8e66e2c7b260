#include "document/ConfDoc.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>

#include "document/ConfDocObserver.h"
#include "model/BlockTypeInfo.h"
#include "model/ParamDictionary.h"
#include "platform/Archive.h"
#include "platform/FileIo.h"
#include "platform/GeometryArchive.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"
#include "vexilla/LogMsg.h"

namespace {

// Smallest stored loop or drawing object: its tag.
constexpr std::size_t kMinObjectSize = 2;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::exists(a, error) && std::filesystem::exists(b, error)) {
        return std::filesystem::equivalent(a, b, error);
    }
    return a == b;
}

}  // namespace

namespace {

CConfDocObserver* g_pObserver = nullptr;

}  // namespace

CConfDocObserver* CConfDoc::SetObserver(CConfDocObserver* observer) {
    CConfDocObserver* previous = g_pObserver;
    g_pObserver = observer;
    return previous;
}

CConfDoc::CConfDoc() {
    ResetDocumentData();
}

CConfDoc::~CConfDoc() {
    CLogMsg::Log("CConfDoc::~CConfDoc", "Destructing..");
    CLogMsg::Log("CConfDoc::~CConfDoc", "Removing all LOOPs..");
    RemoveAllLoops();
    CLogMsg::Log("CConfDoc::~CConfDoc", "Removing used block list..");
    if (g_pObserver != nullptr) {
        CLogMsg::Log("CConfDoc::~CConfDoc", "Clearing undo manager...");
        g_pObserver->OnDocumentDestroyed(*this);
    }
    CLogMsg::Log("CConfDoc::~CConfDoc", "Removing template list...");
    m_templates.clear();
    CLogMsg::Log("CConfDoc::~CConfDoc", "Removing object list..");
    m_objects.clear();
    CLogMsg::Log("CConfDoc::~CConfDoc", "Removing graphic list..");
    m_graphObjects.clear();
    CLogMsg::Log("CConfDoc::~CConfDoc", "Destructed..");
}

std::string CConfDoc::GetProgramVersion() {
    return KESTREL_VERSION_TEXT;
}

std::string CConfDoc::GetProgramBuild() {
    return KESTREL_BUILD_TEXT;
}

void CConfDoc::ResetDocumentData() {
    for (std::string& text : m_info) {
        text.clear();
    }
    m_timeCreation = m_timeRevision = std::time(nullptr);
    m_info[INFO_CREATION_VERSION] = m_info[INFO_REVISION_VERSION] = GetProgramVersion();
    m_info[INFO_CREATION_BUILD] = m_info[INFO_REVISION_BUILD] = GetProgramBuild();
    m_nStamped = 0;
    m_nFormatVersion = kFormatVersion;
    m_versionText.fill(0);
    SetControllerModel(MODEL_VAREX_PLUS);
}

bool CConfDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    m_bNeverSaved = true;
    ResetDocumentData();
    m_bMustSaveAs = false;
    m_strName = "LOOP_G";
    const std::string folder =
        m_generalData.m_strWorkDir.empty() ? std::string() : m_generalData.m_strWorkDir + "/";
    SetPathName(folder + m_strName + kExtension);
    if (g_pObserver != nullptr) {
        g_pObserver->OnDocumentStarted(*this);
    }
    return true;
}

bool CConfDoc::OnOpenDocument(const std::string& path) {
    if (!CDocument::OnOpenDocument(path)) {
        return false;
    }
    m_bOpenedFromFile = true;
    m_bNeverSaved = false;
    RebuildFromLoops();
    // An opened configuration starts on loop 1, as its frame's first tab.
    SelectLoop(1, false);
    SetPathName(path);
    m_strName = FileTitleOf(path);
    SetModifiedFlag(false);
    if (g_pObserver != nullptr) {
        g_pObserver->OnDocumentStarted(*this);
    }
    return true;
}

void CConfDoc::DeleteContents() {
    CLogMsg::Log("CConfDoc::DeleteContents", "Deleting contents..");
    CDocument::DeleteContents();
    CLogMsg::Log("CConfDoc::DeleteContents", "Deleted contents..");
}

const std::string& CConfDoc::GetInfo(int field) const {
    static const std::string empty;
    return field >= 0 && field < INFO_COUNT ? m_info[field] : empty;
}

void CConfDoc::SetInfo(int field, const std::string& text) {
    if (field >= 0 && field < INFO_COUNT && m_info[field] != text) {
        m_info[field] = text;
        SetModifiedFlag(true);
    }
}

void CConfDoc::SetVersionText(const uint8_t text[4]) {
    std::copy(text, text + 4, m_versionText.begin());
    m_versionText[4] = 0;
}

void CConfDoc::SetPageSetup(CSize pageSize, int paperSize, int orientation) {
    m_pageSize = pageSize;
    m_nPaperSize = static_cast<int16_t>(paperSize);
    m_nOrientation = static_cast<int16_t>(orientation);
}

void CConfDoc::OnLoopSelected(int /*loopNumber*/, bool updateViews) {
    if (updateViews) {
        UpdateAllViews(nullptr, 7, nullptr);
    }
}

void CConfDoc::Stamp() {
    const int64_t now = std::time(nullptr);
    if (m_nStamped == 0) {
        m_timeCreation = now;
        m_info[INFO_CREATION_VERSION] = GetProgramVersion();
        m_info[INFO_CREATION_BUILD] = GetProgramBuild();
        m_nStamped = 1;
    }
    m_info[INFO_REVISION_VERSION] = GetProgramVersion();
    m_info[INFO_REVISION_BUILD] = GetProgramBuild();
    m_timeRevision = now;
}

std::string CConfDoc::BackupPathFor(const std::string& path) const {
    return FolderOf(path) + ToUpper(FileTitleOf(path)) + kBackupExtension;
}

bool CConfDoc::OnSaveDocument(const std::string& path) {
    // The same hint before writing: a view that monitors gives the links their
    // port labels back, so that no live value is stored in the file.
    UpdateAllViews(nullptr, HINT_DOCUMENT_SAVED, nullptr);
    std::string error;
    if (!GetPathName().empty() && IsSameFile(GetPathName(), path) && !m_bRenameOnSave &&
        FileExists(path)) {
        // A backup that cannot be made does not stop the save.
        CopyFileBytes(path, BackupPathFor(path), error);
    }
    const std::string previousLoopG = GetLoopName(kLoopG);
    if (m_bRenameOnSave) {
        const std::string title = FileTitleOf(path);
        if (previousLoopG != title) {
            const int answer = AfxMessageBox(LoadResString(IDS_TITLE_SAVE_AS),
                                             LoadResString(IDS_LOOPG_DIFFERS_FROM_FILE),
                                             MB_OKCANCEL | MB_ICONWARNING);
            if (answer == IDCANCEL) {
                return false;
            }
            SetLoopName(kLoopG, title);
        }
    }
    Stamp();
    if (!CDocument::OnSaveDocument(path)) {
        if (m_bRenameOnSave) {
            SetLoopName(kLoopG, previousLoopG);
        }
        return false;
    }
    // Only a save that reached the file ends the undo history: after a failed
    // one the edits must still count as unsaved.
    CLogMsg::Log("CConfDoc::OnSaveDocument", "Clearing undo manager...");
    if (g_pObserver != nullptr) {
        g_pObserver->OnDocumentSaved(*this);
    }
    SetPathName(path);
    m_strName = FileTitleOf(path);
    UpdateAllViews(nullptr, HINT_DOCUMENT_SAVED, nullptr);
    m_bRenameOnSave = false;
    m_bNeverSaved = false;
    return true;
}

bool CConfDoc::IsNameDifferentFromLoopG() const {
    return !m_strName.empty() && strcasecmp(m_strName.c_str(), GetLoopName(kLoopG).c_str()) != 0;
}

void CConfDoc::RenameAfterLoopG() {
    m_strName = GetLoopName(kLoopG);
    SetPathName(FolderOf(GetPathName()) + m_strName + kExtension);
    SetModifiedFlag(true);
}

void CConfDoc::NameAfterImport(const std::string& name) {
    m_strName = name;
    SetPathName(FolderOf(GetPathName()) + name + kExtension);
    m_bMustSaveAs = true;
    SetModifiedFlag(true);
}

void CConfDoc::WriteHeader(CArchive& ar) const {
    ar.WriteInt32(kFormatVersion);
    for (const std::string& text : m_info) {
        ar.WriteString(text);
    }
    ar.WriteUInt32(static_cast<uint32_t>(m_timeCreation));
    ar.WriteUInt32(static_cast<uint32_t>(m_timeRevision));
    ar.WriteInt32(m_nStamped);
    ar.WriteInt32(GetControllerModel());
    ar.Write(m_versionText.data(), m_versionText.size());
    ar.WriteUInt32(m_generalData.m_crPaper);
    WriteCoordinate(ar, m_pageSize.cx);
    WriteCoordinate(ar, m_pageSize.cy);
    ar.WriteInt16(m_nPaperSize);
    ar.WriteInt16(m_nOrientation);
}

// Reads the document header of either layout into document (or skips it when
// document is null). The old layout starts with a version text ("d.dd") or
// four zero bytes; the current one with the format version.
bool CConfDoc::ReadHeader(CArchive& ar, CConfDoc* document) {
    CConfDoc scratch;
    CConfDoc& doc = document ? *document : scratch;
    uint8_t first[4];
    ar.Read(first, sizeof first);
    const bool oldLayout =
        (first[0] == 0 && first[1] == 0 && first[2] == 0 && first[3] == 0) || first[1] == '.';
    auto readInfo = [&]() {
        for (std::string& text : doc.m_info) {
            text = ar.ReadString();
        }
        doc.m_timeCreation = ar.ReadUInt32();
        doc.m_timeRevision = ar.ReadUInt32();
        doc.m_nStamped = ar.ReadInt32();
    };
    auto readPaper = [&]() {
        doc.m_generalData.m_crPaper = ar.ReadUInt32();
        doc.m_pageSize.cx = ReadCoordinate(ar, "Page width");
        doc.m_pageSize.cy = ReadCoordinate(ar, "Page height");
    };
    doc.SetControllerModel(MODEL_VAREX_PLUS);
    if (oldLayout) {
        std::copy(first, first + 4, doc.m_versionText.begin());
        doc.m_versionText[4] = ar.ReadUInt8();
        readPaper();
        const int32_t subVersion = ar.ReadInt32();
        const bool known = subVersion >= 0 && subVersion < 256;
        if (known && subVersion >= 1) {
            doc.m_nPaperSize = ar.ReadInt16();
            doc.m_nOrientation = ar.ReadInt16();
        }
        // The oldest files carry no information block: it is empty, not the
        // creation data of this program and today.
        for (std::string& text : doc.m_info) {
            text.clear();
        }
        doc.m_timeCreation = doc.m_timeRevision = 0;
        doc.m_nStamped = 0;
        if (known && subVersion >= 2) {
            readInfo();
        }
        if (known && subVersion >= 4) {
            doc.SetControllerModel(ar.ReadInt32());
        }
        doc.m_nFormatVersion = 0;
        return false;
    }
    doc.m_nFormatVersion = static_cast<int16_t>(first[0] | (first[1] << 8));
    readInfo();
    if (doc.m_nFormatVersion >= 4) {
        doc.SetControllerModel(ar.ReadInt32());
    }
    ar.Read(doc.m_versionText.data(), doc.m_versionText.size());
    readPaper();
    doc.m_nPaperSize = ar.ReadInt16();
    doc.m_nOrientation = ar.ReadInt16();
    return true;
}

void CConfDoc::ReadLoops(CArchive& ar, std::array<std::unique_ptr<CLoop>, kLoopCount>& loops) {
    const std::size_t count = ar.ReadCount(kMinObjectSize);
    if (count > kLoopCount) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "The document holds " + std::to_string(count) + " loops");
    }
    for (std::size_t i = 0; i < count; ++i) {
        loops[i] = ar.ReadOwned<CLoop>();
    }
    // Every configuration has five loops; the place in the file gives the number.
    for (int i = 0; i < kLoopCount; ++i) {
        if (!loops[i]) {
            loops[i] = std::make_unique<CLoop>(i + 1, GetDefaultLoopName(i + 1));
        }
        loops[i]->SetLoopNumber(i + 1);
    }
}

void CConfDoc::ReadDrawingList(CArchive& ar, DrawingList& list) {
    list.clear();
    const std::size_t count = ar.ReadCount(kMinObjectSize);
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<CDrawingItem> item = ar.ReadOwned<CDrawingItem>();
        if (!item) {
            ar.ThrowMalformed(CArchiveException::badReference, "Empty entry in a drawing list");
        }
        list.push_back(std::move(item));
    }
}

void CConfDoc::WriteDrawingList(CArchive& ar, const DrawingList& list) const {
    ar.WriteCount(list.size());
    for (const auto& item : list) {
        ar.WriteObject(item.get());
    }
}

void CConfDoc::Serialize(CArchive& ar) {
    CLogMsg::Log("CConfDoc::Serialize", "Serializing..");
    if (ar.IsStoring()) {
        WriteHeader(ar);
        CLogMsg::Log("CConfDoc::Serialize", "Serializing LOOPS..");
        ar.WriteCount(kLoopCount);
        for (int n = 1; n <= kLoopCount; ++n) {
            const CLoop* loop = GetLoop(n);
            const CLoop empty(n, GetDefaultLoopName(n));
            ar.WriteObject(loop ? loop : &empty);
        }
        CLogMsg::Log("CConfDoc::Serialize", "Serializing Templates..");
        WriteDrawingList(ar, m_templates);
        CLogMsg::Log("CConfDoc::Serialize", "Serializing Objects..");
        WriteDrawingList(ar, m_objects);
        CLogMsg::Log("CConfDoc::Serialize", "Serializing Graphics..");
        WriteDrawingList(ar, m_graphObjects);
        CLogMsg::Log("CConfDoc::Serialize", "Serialized..");
        return;
    }
    ReadHeader(ar, this);
    CLogMsg::Log("CConfDoc::Serialize", "Serializing LOOPS..");
    std::array<std::unique_ptr<CLoop>, kLoopCount> loops;
    ReadLoops(ar, loops);
    CLogMsg::Log("CConfDoc::Serialize", "Serializing Templates..");
    DrawingList templates, objects, graphObjects;
    ReadDrawingList(ar, templates);
    CLogMsg::Log("CConfDoc::Serialize", "Serializing Objects..");
    ReadDrawingList(ar, objects);
    CLogMsg::Log("CConfDoc::Serialize", "Serializing Graphics..");
    ReadDrawingList(ar, graphObjects);
    CLogMsg::Log("CConfDoc::Serialize", "Serialized..");

    RemoveAllLoops();
    for (auto& loop : loops) {
        AddLoop(std::move(loop));
    }
    m_templates = std::move(templates);
    m_objects = std::move(objects);
    m_graphObjects = std::move(graphObjects);
    for (DrawingList* list : {&m_templates, &m_objects, &m_graphObjects}) {
        for (auto& item : *list) {
            item->SetDocument(this);
        }
    }
}

CConfDoc::DrawingList& CConfDoc::ListFor(const CDrawingItem& object) {
    switch (object.GetListKind()) {
        case CDrawingItem::LIST_TEMPLATES:
            return m_templates;
        case CDrawingItem::LIST_GRAPH:
            return m_graphObjects;
        default:
            return m_objects;
    }
}

void CConfDoc::AddDrawingObject(std::unique_ptr<CDrawingItem> object) {
    if (!object) {
        return;
    }
    object->SetDocument(this);
    // Templates added this way join the object list, as any other non-graph object.
    DrawingList& list =
        object->GetListKind() == CDrawingItem::LIST_GRAPH ? m_graphObjects : m_objects;
    list.push_back(std::move(object));
    SetModifiedFlag(true);
}

void CConfDoc::InsertDrawingObject(std::size_t position, std::unique_ptr<CDrawingItem> object,
                                   bool markModified) {
    if (!object) {
        return;
    }
    object->SetDocument(this);
    DrawingList& list = ListFor(*object);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())),
                std::move(object));
    if (markModified) {
        SetModifiedFlag(true);
    }
}

template <class Document>
auto& CConfDoc::ListOfKind(Document& document, CDrawingItem::ListKind kind) {
    switch (kind) {
        case CDrawingItem::LIST_TEMPLATES:
            return document.m_templates;
        case CDrawingItem::LIST_GRAPH:
            return document.m_graphObjects;
        default:
            return document.m_objects;
    }
}

const CConfDoc::DrawingList& CConfDoc::GetList(CDrawingItem::ListKind kind) const {
    return ListOfKind(*this, kind);
}

void CConfDoc::ArrangeList(CDrawingItem::ListKind kind,
                           const std::vector<const CDrawingItem*>& order) {
    DrawingList& list = ListOfKind(*this, kind);
    DrawingList arranged;
    arranged.reserve(list.size());
    for (const CDrawingItem* wanted : order) {
        auto it = std::find_if(list.begin(), list.end(),
                               [wanted](const auto& item) { return item.get() == wanted; });
        if (it != list.end() && *it) {
            arranged.push_back(std::move(*it));
        }
    }
    for (auto& rest : list) {
        if (rest) {
            arranged.push_back(std::move(rest));
        }
    }
    list = std::move(arranged);
}

bool CConfDoc::MoveInList(const CDrawingItem* object, int step) {
    if (object == nullptr) {
        return false;
    }
    DrawingList& list = ListOfKind(*this, object->GetListKind());
    auto it = std::find_if(list.begin(), list.end(),
                           [object](const auto& item) { return item.get() == object; });
    if (it == list.end()) {
        return false;
    }
    const auto index = it - list.begin();
    const auto target = index + (step < 0 ? -1 : 1);
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(list.size())) {
        return false;
    }
    std::swap(list[static_cast<std::size_t>(index)], list[static_cast<std::size_t>(target)]);
    SetModifiedFlag(true);
    return true;
}

bool CConfDoc::MoveToListEnd(const CDrawingItem* object, bool toFront) {
    if (object == nullptr) {
        return false;
    }
    DrawingList& list = ListOfKind(*this, object->GetListKind());
    auto it = std::find_if(list.begin(), list.end(),
                           [object](const auto& item) { return item.get() == object; });
    if (it == list.end() || (toFront ? it + 1 == list.end() : it == list.begin())) {
        return false;
    }
    std::unique_ptr<CDrawingItem> moved = std::move(*it);
    list.erase(it);
    if (toFront) {
        list.push_back(std::move(moved));
    } else {
        list.insert(list.begin(), std::move(moved));
    }
    SetModifiedFlag(true);
    return true;
}

std::unique_ptr<CDrawingItem> CConfDoc::RemoveDrawingObject(CDrawingItem* object) {
    if (object == nullptr || !object->IsSelected()) {
        return nullptr;
    }
    for (DrawingList* list : {&m_templates, &m_objects, &m_graphObjects}) {
        auto it = std::find_if(list->begin(), list->end(),
                               [object](const auto& item) { return item.get() == object; });
        if (it != list->end()) {
            std::unique_ptr<CDrawingItem> removed = std::move(*it);
            list->erase(it);
            SetModifiedFlag(true);
            return removed;
        }
    }
    return nullptr;
}

CRect CConfDoc::GetDrawingExtent() const {
    CRect extent;
    for (const DrawingList* list : {&m_templates, &m_objects, &m_graphObjects}) {
        for (const auto& item : *list) {
            CRect rect = item->GetRect();
            rect.NormalizeRect();
            extent.UnionRect(extent, rect);
        }
    }
    return extent;
}

bool CConfDoc::ReadLoopsFromFile(const std::string& path,
                                 std::array<std::unique_ptr<CLoop>, kLoopCount>& loops,
                                 bool reportErrors, std::string* errorText) {
    std::vector<uint8_t> bytes;
    std::string error;
    bool ok = ReadFileBytes(path, kMaxFileSize, bytes, error);
    if (ok) {
        try {
            CArchive ar(std::span<const uint8_t>(bytes.data(), bytes.size()));
            ReadHeader(ar, nullptr);
            ReadLoops(ar, loops);
        } catch (const CArchiveException& e) {
            error = e.what();
            ok = false;
        }
    }
    if (!ok) {
        const std::string text = AfxFormatString(IDS_FILE_OPEN_FAILED, {path, error});
        if (errorText != nullptr) {
            *errorText = text;
        }
        if (reportErrors) {
            AfxMessageBox(text, MB_OK | MB_ICONERROR);
        }
    }
    return ok;
}

bool CConfDoc::MatchLoopWithFile(CLoop& loop, const CLoop& stored) {
    if (TrimRight(loop.GetName()) != TrimRight(stored.GetName())) {
        return false;
    }
    for (int i = 0; i < loop.GetBlockCount(); ++i) {
        const CBlock& block = *loop.GetBlock(i);
        const CBlock* match = stored.FindBlock(block.GetBlockNumber());
        if (match == nullptr ||
            match->GetParamListSize(PARAM_LINK) != block.GetParamListSize(PARAM_LINK)) {
            return false;
        }
        for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
            if (block.GetLinkValueText(j) != match->GetLinkValueText(j)) {
                return false;
            }
        }
    }
    // The user's tags come over only when the whole loop matches.
    for (int i = 0; i < loop.GetBlockCount(); ++i) {
        CBlock& block = *loop.GetBlock(i);
        const CBlock& match = *stored.FindBlock(block.GetBlockNumber());
        if (match.GetOutputCount() == block.GetOutputCount()) {
            for (int o = 0; o < block.GetOutputCount(); ++o) {
                block.SetUserTag(o, match.GetUserTag(o));
            }
        }
    }
    return true;
}
