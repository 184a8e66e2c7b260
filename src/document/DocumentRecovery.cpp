#include "document/DocumentRecovery.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/Document.h"
#include "platform/FileIo.h"
#include "vexilla/LogMsg.h"

namespace fs = std::filesystem;

namespace {

const char* const kCopyExtension = ".vxp";
const char* const kInfoExtension = ".txt";

std::string ExecutableOf(int processId) {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/" + std::to_string(processId) + "/exe", error);
    return error ? std::string() : exe.filename().string();
}

// "PID-N" of a copy's file name; false for other files.
bool ParseBaseName(const std::string& name, int& processId) {
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string::npos) {
        return false;
    }
    processId = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || processId > 100000000) {
            return false;
        }
        processId = processId * 10 + (name[i] - '0');
    }
    return processId > 0;
}

}  // namespace

CDocumentRecovery::CDocumentRecovery(std::string folder) : m_strFolder(std::move(folder)) {
    if (!m_strFolder.empty() && m_strFolder.back() != '/') {
        m_strFolder += '/';
    }
}

CDocumentRecovery::~CDocumentRecovery() {
    while (!m_ids.empty()) {
        Forget(m_ids.begin()->first);
    }
}

std::string CDocumentRecovery::BaseName(int id) const {
    return m_strFolder + std::to_string(getpid()) + "-" + std::to_string(id);
}

std::string CDocumentRecovery::CopyPathOf(const CDocument* document) const {
    const auto found = m_ids.find(document);
    return found == m_ids.end() ? std::string() : BaseName(found->second) + kCopyExtension;
}

bool CDocumentRecovery::Keep(CDocument& document) {
    if (!document.IsModified()) {
        Forget(&document);
        return true;
    }
    std::error_code made;
    fs::create_directories(m_strFolder, made);
    auto found = m_ids.find(&document);
    const int id = found != m_ids.end() ? found->second : m_nNextId++;
    const std::string base = BaseName(id);
    std::string error;
    const std::string info = document.GetPathName() + "\n" + document.GetTitle() + "\n";
    if (!document.SaveCopy(base + kCopyExtension, error) ||
        !WriteFileAtomically(base + kInfoExtension, std::vector<uint8_t>(info.begin(), info.end()),
                             error)) {
        CLogMsg::Log("CDocumentRecovery::Keep", "Recovery copy of \"%s\" failed: %s",
                     document.GetTitle().c_str(), error.c_str());
        return false;
    }
    m_ids[&document] = id;
    CLogMsg::Log("CDocumentRecovery::Keep", "Recovery copy of \"%s\" in %s%s",
                 document.GetTitle().c_str(), base.c_str(), kCopyExtension);
    return true;
}

void CDocumentRecovery::Forget(const CDocument* document) {
    const auto found = m_ids.find(document);
    if (found == m_ids.end()) {
        return;
    }
    const std::string base = BaseName(found->second);
    std::error_code ignored;
    fs::remove(base + kCopyExtension, ignored);
    fs::remove(base + kInfoExtension, ignored);
    m_ids.erase(found);
}

void CDocumentRecovery::ForgetAllBut(const std::vector<const CDocument*>& modifiedDocuments) {
    std::vector<const CDocument*> settled;
    for (const auto& [document, id] : m_ids) {
        if (std::find(modifiedDocuments.begin(), modifiedDocuments.end(), document) ==
            modifiedDocuments.end()) {
            settled.push_back(document);
        }
    }
    for (const CDocument* document : settled) {
        Forget(document);
    }
}

bool CDocumentRecovery::IsProcessAlive(int processId) {
    if (kill(processId, 0) != 0 && errno == ESRCH) {
        return false;
    }
    // An id the system gave to another program since is not ours.
    const std::string exe = ExecutableOf(processId);
    return exe.empty() || exe == ExecutableOf(getpid());
}

std::vector<CDocumentRecovery::Entry> CDocumentRecovery::FindOrphans() const {
    std::vector<Entry> orphans;
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(m_strFolder, error)) {
        const fs::path path = file.path();
        int processId = 0;
        if (path.extension() != kCopyExtension || !ParseBaseName(path.stem().string(), processId) ||
            IsProcessAlive(processId)) {
            continue;
        }
        Entry entry;
        entry.copyPath = path.string();
        entry.processId = processId;
        std::ifstream info(fs::path(path).replace_extension(kInfoExtension));
        std::getline(info, entry.originalPath);
        std::getline(info, entry.title);
        if (entry.title.empty()) {
            entry.title = CDocument::FileTitleOf(entry.originalPath.empty() ? entry.copyPath
                                                                            : entry.originalPath);
        }
        struct stat status {};
        if (stat(entry.copyPath.c_str(), &status) == 0) {
            entry.time = status.st_mtime;
        }
        orphans.push_back(entry);
    }
    std::sort(orphans.begin(), orphans.end(),
              [](const Entry& a, const Entry& b) { return a.time < b.time; });
    return orphans;
}

void CDocumentRecovery::Discard(const Entry& entry) {
    std::error_code ignored;
    fs::remove(entry.copyPath, ignored);
    fs::remove(fs::path(entry.copyPath).replace_extension(kInfoExtension), ignored);
    CLogMsg::Log("CDocumentRecovery::Discard", "Removed the recovery copy %s",
                 entry.copyPath.c_str());
}
