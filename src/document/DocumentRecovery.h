#pragma once

#include <ctime>
#include <map>
#include <string>
#include <vector>

class CDocument;

// Recovery copies of modified documents, so that a crash or a killed process
// loses no work. Each copy is written with the document's own archive writer
// (atomically) into the recovery folder as "PID-N.vxp", beside "PID-N.txt"
// holding the document's file path and title; saving or closing the document
// removes them. Copies whose process is gone are offered at the next start.
class CDocumentRecovery {
public:
    struct Entry {
        std::string copyPath;      // the recovery copy
        std::string originalPath;  // the document's own file (may not exist yet)
        std::string title;
        int processId = 0;
        std::time_t time = 0;  // when the copy was written
    };

    // folder ends in "/"; it is made when the first copy is written.
    explicit CDocumentRecovery(std::string folder);
    // Removes the copies this object wrote: a process that ends normally
    // leaves nothing to recover.
    ~CDocumentRecovery();
    CDocumentRecovery(const CDocumentRecovery&) = delete;
    CDocumentRecovery& operator=(const CDocumentRecovery&) = delete;

    const std::string& Folder() const { return m_strFolder; }
    // Writes a copy of a modified document (an unmodified one: its copy is
    // removed). False when the copy could not be written (logged).
    bool Keep(CDocument& document);
    // Removes the copy of a document (saved or closed).
    void Forget(const CDocument* document);
    // Removes the copies of documents no longer in the list or no longer
    // modified.
    void ForgetAllBut(const std::vector<const CDocument*>& modifiedDocuments);
    bool HasCopy(const CDocument* document) const { return m_ids.count(document) != 0; }
    std::string CopyPathOf(const CDocument* document) const;

    // The copies left by processes that are gone, oldest first.
    std::vector<Entry> FindOrphans() const;
    // Removes an orphan's files.
    static void Discard(const Entry& entry);
    // Whether a process of this program with that id still runs.
    static bool IsProcessAlive(int processId);

private:
    std::string BaseName(int id) const;

    std::string m_strFolder;
    std::map<const CDocument*, int> m_ids;
    int m_nNextId = 1;
};
