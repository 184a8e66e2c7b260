#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/ResourceModule.h"

// A language pack: a Qt resource file beside the program ("l.bra/LangPORT.rcc",
// ...) holding a translated "strings.tsv", optionally translated dictionary
// files ("dictionary/10000.txt" ... "10003.txt"), a Qt translation
// ("kestrel.qm") and "pack.ini", which declares the encoding of the texts
// ([Pack] Encoding=ISO-8859-1 or UTF-8) and the locale whose Qt texts go with
// the pack (Locale=pt_BR). A single-byte pack is read as it stands; a UTF-8
// pack makes the module a UTF-8 one, and a text of it that is no valid UTF-8
// is refused. Without "pack.ini" the texts are UTF-8 turned into Latin-1,
// characters outside it becoming "?".
//
// A dictionary file whose lines, type letters, mnemonics, ranges or defaults
// differ from the English one is refused (logged): the English file stays.
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
    // The locale the pack declares ("pt_BR"), or empty.
    const QString& GetLocaleName() const { return m_strLocale; }
    // The dictionary files of the pack that were refused.
    int GetRefusedCount() const { return m_nRefused; }

private:
    void ReadDeclaration(const QString& folder);
    bool ReadText(const QString& path, std::string& text) const;
    void ReadDictionary(const QString& folder, int kind);

    const CResourceModule& m_base;
    bool m_bHasStrings = false;
    bool m_bDeclared = false;
    int m_nRefused = 0;
    QString m_strTranslation;
    QString m_strLocale;
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
