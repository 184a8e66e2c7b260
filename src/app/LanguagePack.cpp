#include "app/LanguagePack.h"

#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <map>

namespace {

const char* const kStringTable = "strings.tsv";
const char* const kDictionaryFiles[] = {"dictionary/10000.txt", "dictionary/10001.txt",
                                        "dictionary/10002.txt", "dictionary/10003.txt"};

bool ReadSingleByteText(const QString& path, std::string& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    text = QString::fromUtf8(file.readAll()).toLatin1().toStdString();
    return true;
}

// Registered resource files and the root each one is mapped under.
std::map<QString, QString>& Registered() {
    static std::map<QString, QString> registered;
    return registered;
}

}  // namespace

CLanguageModule::CLanguageModule(const CResourceModule& base, const QString& folder)
    : m_base(base) {
    std::string text;
    if (ReadSingleByteText(folder + "/" + kStringTable, text)) {
        // The parser keeps the last line of an identifier, so the pack's lines
        // after the base table replace the base's entries.
        std::string merged;
        if (const std::string* baseTable = base.Find(kStringTable)) {
            merged = *baseTable;
        }
        if (!merged.empty() && merged.back() != '\n') {
            merged += '\n';
        }
        Add(kStringTable, merged + text);
        m_bHasStrings = true;
    }
    for (const char* name : kDictionaryFiles) {
        if (ReadSingleByteText(folder + "/" + name, text)) {
            Add(name, text);
        }
    }
    const QString translation = folder + "/kestrel.qm";
    if (QFileInfo::exists(translation)) {
        m_strTranslation = translation;
    }
}

const std::string* CLanguageModule::Find(const std::string& name) const {
    if (const std::string* own = CResourceModule::Find(name)) {
        return own;
    }
    return m_base.Find(name);
}

bool CLanguagePack::Register(const QString& rccPath, const QString& mapRoot) {
    if (IsRegistered(rccPath)) {
        return true;
    }
    if (!QFileInfo(rccPath).isFile() || !QResource::registerResource(rccPath, mapRoot)) {
        return false;
    }
    Registered()[rccPath] = mapRoot;
    return true;
}

bool CLanguagePack::IsRegistered(const QString& rccPath) {
    return Registered().count(rccPath) != 0;
}

void CLanguagePack::UnregisterAll() {
    for (const auto& [path, root] : Registered()) {
        QResource::unregisterResource(path, root);
    }
    Registered().clear();
}
