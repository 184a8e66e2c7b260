#pragma once

#include <string>
#include <vector>

class QSettings;

// The four most recently opened or saved files, newest first, kept in the
// settings section "Recent File List" as "File1" to "File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    explicit CRecentFileList(QSettings& store);

    // Puts path first (moving it up when it is listed already).
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& GetFiles() const { return m_files; }
    // "&1 PLANT.vxp": the menu text of entry index.
    static std::string MenuText(int index, const std::string& path);

private:
    void Store();

    QSettings& m_store;
    std::vector<std::string> m_files;
};
