#include "app/RecentFileList.h"

#include <QSettings>
#include <algorithm>

#include "comm/AppSettings.h"
#include "platform/FileIo.h"

namespace {

constexpr const char* kSection = "Recent File List";

QString EntryKey(int index) {
    return QString("%1/File%2").arg(kSection).arg(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(QSettings& store) : m_store(store) {
    for (int i = 0; i < kSize; ++i) {
        const std::string path = m_store.value(EntryKey(i)).toString().toStdString();
        if (!path.empty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end()) {
            m_files.push_back(path);
        }
    }
}

void CRecentFileList::Add(const std::string& given) {
    if (given.empty()) {
        return;
    }
    // Stored absolute: the list must open the file from wherever the program starts.
    const std::string path = AbsolutePath(given);
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > static_cast<std::size_t>(kSize)) {
        m_files.resize(kSize);
    }
    Store();
}

void CRecentFileList::Remove(const std::string& path) {
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    Store();
}

std::string CRecentFileList::MenuText(int index, const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return "&" + std::to_string(index + 1) + " " + name;
}

void CRecentFileList::Store() {
    for (int i = 0; i < kSize; ++i) {
        const std::size_t index = static_cast<std::size_t>(i);
        if (index < m_files.size()) {
            CAppSettings::StoreValue(m_store, EntryKey(i), QString::fromStdString(m_files[index]));
        } else if (m_store.contains(EntryKey(i))) {
            m_store.remove(EntryKey(i));
        }
    }
}
