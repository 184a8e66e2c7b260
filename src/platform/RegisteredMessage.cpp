#include "platform/RegisteredMessage.h"

#include <map>
#include <mutex>

int RegisterWindowMessage(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, int> ids;
    constexpr int kFirstId = 0xC000;
    std::lock_guard lock(mutex);
    auto it = ids.find(name);
    if (it == ids.end()) {
        it = ids.emplace(name, kFirstId + static_cast<int>(ids.size())).first;
    }
    return it->second;
}
