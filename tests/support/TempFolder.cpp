#include "support/TempFolder.h"

#include <cstdlib>

CTempFolder::CTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        m_path = pattern;
    }
}

CTempFolder::~CTempFolder() {
    std::error_code ignored;
    if (!m_path.empty()) {
        std::filesystem::remove_all(m_path, ignored);
    }
}

std::string CTempFolder::File(const std::string& name) const {
    return (m_path / name).string();
}

std::set<std::string> CTempFolder::Names() const {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(m_path, ignored)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}
