#include "platform/Object.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

namespace {

struct ClassRegistry {
    std::mutex mutex;
    std::map<std::string, const CRuntimeClass*, std::less<>> byName;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

}  // namespace

CRuntimeClass::CRuntimeClass(const char* className, int schema, Factory factory,
                             const CRuntimeClass* base)
    : m_lpszClassName(className),
      m_wSchema(schema),
      m_pfnCreateObject(factory),
      m_pBaseClass(base) {
    ClassRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.byName.emplace(className, this);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) {
            return true;
        }
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view className) {
    ClassRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.byName.find(className);
    return it == registry.byName.end() ? nullptr : it->second;
}

std::vector<const CRuntimeClass*> CRuntimeClass::AllClasses() {
    ClassRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    std::vector<const CRuntimeClass*> classes;
    for (const auto& entry : registry.byName) {
        classes.push_back(entry.second);
    }
    return classes;
}

const CRuntimeClass CObject::classCObject("CObject", 0xFFFF, nullptr, nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}
