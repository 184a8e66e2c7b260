#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/ResourceModule.h"

// A language pack: a Qt resource file beside the program ("l.bra/LangPORT.rcc",
// ...) holding a translated "strings.tsv", optionally translated dictionary
// files ("dictionary/10000.txt" ... "10003.txt") and a Qt translation
// ("kestrel.qm"). The pack's text files are UTF-8; they are turned into the
// program's single-byte (Latin-1) text when read, characters outside it
// becoming "?".
//
// The pack's module answers with its own files and falls back to the base
// module for the rest. Its string table is the base table with the pack's
// entries laid over it, so an entry the pack does not translate stays English.
class CLanguageModule : public CResourceModule {
public:
    // Reads the pack's files under folder: a resource root (":/l.bra") or a
    // plain directory. base must outlive the module.
    CLanguageModule(const CResourceModule& base, const QString& folder);

    const std::string* Find(const std::string& name) const override;
    // True when the folder held a string table.
    bool HasStrings() const { return m_bHasStrings; }
    // The Qt translation of the pack, or an empty path.
    const QString& GetTranslationPath() const { return m_strTranslation; }

private:
    const CResourceModule& m_base;
    bool m_bHasStrings = false;
    QString m_strTranslation;
};

class CLanguagePack {
public:
    // Registers the resource file under mapRoot (e.g. "/l.bra", read as
    // ":/l.bra/..."). A file is registered at most once per process; a second
    // call answers true at once. False when the file is missing or no resource
    // file.
    static bool Register(const QString& rccPath, const QString& mapRoot);
    static bool IsRegistered(const QString& rccPath);
    // Unregisters every pack (program end).
    static void UnregisterAll();
};
