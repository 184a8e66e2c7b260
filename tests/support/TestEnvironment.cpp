#include "support/TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string& HomeFolder() {
    static std::string folder;
    return folder;
}

void RemoveHome() {
    std::error_code ignored;
    std::filesystem::remove_all(HomeFolder(), ignored);
}

}  // namespace

void IsolateTestEnvironment() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrel-test-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    HomeFolder() = pattern;
    for (const char* folder : {"config", "data", "cache"}) {
        std::filesystem::create_directories(pattern + "/" + folder);
    }
    ::setenv("HOME", pattern.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (pattern + "/cache").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (pattern + "/state").c_str(), 1);
    std::atexit(RemoveHome);
}
