#pragma once

#include <map>
#include <memory>
#include <string>

// A set of named resources (string table, parameter dictionary texts) that the
// program reads its texts from. The built-in module holds the English resources
// compiled into the program; a language pack installs another module in its place.
class CResourceModule {
public:
    // How the module's texts are encoded. English and the Western packs keep
    // the controller's single-byte text; a pack whose script does not fit in
    // one byte declares UTF-8, and the windows decode its texts so.
    enum class Encoding { Latin1, Utf8 };

    CResourceModule() = default;
    virtual ~CResourceModule() = default;

    // The bytes of a resource, or null when the module does not have it.
    virtual const std::string* Find(const std::string& name) const;
    void Add(const std::string& name, std::string bytes);
    Encoding GetEncoding() const { return m_encoding; }
    void SetEncoding(Encoding encoding) { m_encoding = encoding; }

    // The module resources are read from now (the built-in one unless replaced).
    static const CResourceModule& Current();
    // Installs a module (null: back to the built-in one).
    static void SetCurrent(std::shared_ptr<const CResourceModule> module);
    static const CResourceModule& BuiltIn();

private:
    std::map<std::string, std::string> m_resources;
    Encoding m_encoding = Encoding::Latin1;
};
