#pragma once

#include <string_view>
#include <vector>

class CObject;

// Run-time class information of a persistent class: its name, archive schema,
// base class and factory. Every instance registers itself by name so that an
// archive can create objects from the class names it reads.
struct CRuntimeClass {
    using Factory = CObject* (*)();

    CRuntimeClass(const char* className, int schema, Factory factory, const CRuntimeClass* base);
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    const char* m_lpszClassName;
    int m_wSchema;
    Factory m_pfnCreateObject;
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or null when the class is abstract.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    static const CRuntimeClass* FromName(std::string_view className);
    static std::vector<const CRuntimeClass*> AllClasses();
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Declares the run-time class of a class that can be created by name and stored.
#define DECLARE_SERIAL(class_name)                         \
public:                                                    \
    static const CRuntimeClass class##class_name;          \
    static const CRuntimeClass* GetThisClass() {           \
        return &class##class_name;                         \
    }                                                      \
    const CRuntimeClass* GetRuntimeClass() const override; \
    static CObject* CreateObject();

// Declares the run-time class of an abstract or non-creatable class.
#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    static const CRuntimeClass* GetThisClass() {  \
        return &class##class_name;                \
    }                                             \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                            \
    CObject* class_name::CreateObject() {                                                \
        return new class_name;                                                           \
    }                                                                                    \
    const CRuntimeClass class_name::class##class_name(                                   \
        #class_name, schema, &class_name::CreateObject, RUNTIME_CLASS(base_class_name)); \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                           \
        return RUNTIME_CLASS(class_name);                                                \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                 \
    const CRuntimeClass class_name::class##class_name(#class_name, 0xFFFF, nullptr,    \
                                                      RUNTIME_CLASS(base_class_name)); \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                         \
        return RUNTIME_CLASS(class_name);                                              \
    }
