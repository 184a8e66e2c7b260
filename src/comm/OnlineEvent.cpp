#include "comm/OnlineEvent.h"

#include <map>
#include <mutex>

QEvent::Type COnlineEvent::TypeOf(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, QEvent::Type> types;
    std::lock_guard lock(mutex);
    auto it = types.find(name);
    if (it == types.end()) {
        it = types.emplace(name, static_cast<QEvent::Type>(QEvent::registerEventType())).first;
    }
    return it->second;
}
