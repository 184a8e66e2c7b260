#include "platform/Document.h"

#include <algorithm>

#include "platform/Archive.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/View.h"

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    ClearLastError();
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, kMaxFileSize, bytes, error)) {
        ReportError(AfxFormatString(IDS_FILE_OPEN_FAILED, {path, error}));
        return false;
    }
    DeleteContents();
    try {
        CArchive ar(std::span<const uint8_t>(bytes.data(), bytes.size()));
        ar.m_pDocument = this;
        Serialize(ar);
        if (ar.GetUnownedCount() != 0) {
            ar.ThrowMalformed(CArchiveException::badReference,
                              "Objects referred to but not part of the document");
        }
    } catch (const CArchiveException& e) {
        DeleteContents();
        ReportError(AfxFormatString(IDS_FILE_FORMAT_ERROR, {path, e.what()}));
        return false;
    }
    SetModifiedFlag(false);
    ClearLastError();
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path) {
    CArchive ar;
    ar.m_pDocument = this;
    Serialize(ar);
    std::string error;
    if (!WriteFileAtomically(path, ar.GetBuffer(), error)) {
        ReportError(AfxFormatString(IDS_FILE_SAVE_FAILED, {path, error}));
        return false;
    }
    SetModifiedFlag(false);
    ClearLastError();
    return true;
}

bool CDocument::SaveCopy(const std::string& path, std::string& error) {
    CArchive ar;
    ar.m_pDocument = this;
    Serialize(ar);
    return WriteFileAtomically(path, ar.GetBuffer(), error);
}

void CDocument::SetPathName(const std::string& path) {
    m_strPathName = path;
    const std::size_t slash = path.rfind('/');
    m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
}

void CDocument::AddView(CView* view) {
    if (view != nullptr && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void CDocument::RemoveView(CView* view) {
    std::erase(m_views, view);
}

void CDocument::UpdateAllViews(CView* sender, long hint, CObject* hintObject) {
    // A view may detach itself while being updated; walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}

std::string CDocument::FileTitleOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void CDocument::ReportError(const std::string& text) {
    m_strLastError = text;
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
}
