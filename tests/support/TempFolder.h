#pragma once

#include <filesystem>
#include <set>
#include <string>

// A fresh folder for one test under the system's temporary folder, removed with
// everything in it when the test is done.
class CTempFolder {
public:
    explicit CTempFolder(const std::string& prefix = "kestrel-test");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of a file in the folder.
    std::string File(const std::string& name) const;
    // The names of what the folder holds now.
    std::set<std::string> Names() const;

private:
    std::filesystem::path m_path;
};
