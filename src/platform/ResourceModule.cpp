#include "platform/ResourceModule.h"

#include <mutex>

#include "platform/EmbeddedResource.h"

namespace {

std::mutex g_currentMutex;
std::shared_ptr<const CResourceModule> g_current;

}  // namespace

const std::string* CResourceModule::Find(const std::string& name) const {
    auto it = m_resources.find(name);
    return it == m_resources.end() ? nullptr : &it->second;
}

void CResourceModule::Add(const std::string& name, std::string bytes) {
    m_resources[name] = std::move(bytes);
}

const CResourceModule& CResourceModule::BuiltIn() {
    static const CResourceModule builtIn = [] {
        CResourceModule module;
        for (const EmbeddedResource* r = KestrelEmbeddedResources(); r->name != nullptr; ++r) {
            module.Add(r->name, std::string(reinterpret_cast<const char*>(r->data), r->size));
        }
        return module;
    }();
    return builtIn;
}

const CResourceModule& CResourceModule::Current() {
    std::lock_guard lock(g_currentMutex);
    return g_current ? *g_current : BuiltIn();
}

void CResourceModule::SetCurrent(std::shared_ptr<const CResourceModule> module) {
    std::lock_guard lock(g_currentMutex);
    g_current = std::move(module);
}
