#pragma once

#include <string>
#include <vector>

#include "platform/Object.h"

class CArchive;
class CView;

// A document with a path, a title, a modified flag and the views that show it.
// Opening reads the whole file and loads it through Serialize; saving stores
// through Serialize and replaces the file in one step, so a failed save leaves
// the previous file as it was. Failures are reported through AfxMessageBox and
// kept in GetLastError.
class CDocument : public CObject {
public:
    // Files larger than this are refused rather than read into memory.
    static constexpr std::size_t kMaxFileSize = 256u * 1024u * 1024u;

    CDocument() = default;
    ~CDocument() override = default;

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path);
    virtual bool OnSaveDocument(const std::string& path);
    // Stores the document into another file (atomically, as a save does)
    // without making it the document's file: path, title, modified flag and
    // the last error stay. No message; false with the reason in error.
    bool SaveCopy(const std::string& path, std::string& error);
    virtual void DeleteContents() {}

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }
    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, long hint = 0, CObject* hintObject = nullptr);

    // The text of the last failure to open or save, empty after a success.
    const std::string& GetLastError() const { return m_strLastError; }

    // File name without folder and extension ("PLANT" for "/w/PLANT.vxp").
    static std::string FileTitleOf(const std::string& path);

protected:
    // Reports a failure to the user and remembers it.
    void ReportError(const std::string& text);
    void ClearLastError() { m_strLastError.clear(); }

private:
    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    std::vector<CView*> m_views;
    std::string m_strLastError;
};
