#include "lang/LanguagePack.h"

#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSettings>
#include <QStringDecoder>
#include <map>

#include "model/DictionaryCheck.h"
#include "vexilla/LogMsg.h"

namespace {

const char* const kStringTable = "strings.tsv";
const char* const kDictionaryFiles[] = {"dictionary/10000.txt", "dictionary/10001.txt",
                                        "dictionary/10002.txt", "dictionary/10003.txt"};

const char* const kLogContext = "CLanguageModule::CLanguageModule";

bool ReadBytes(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

// Registered resource files and the root each one is mapped under.
std::map<QString, QString>& Registered() {
    static std::map<QString, QString> registered;
    return registered;
}

}  // namespace

CLanguageModule::CLanguageModule(const CResourceModule& base, const QString& folder)
    : m_base(base) {
    ReadDeclaration(folder);
    std::string text;
    if (ReadText(folder + "/" + kStringTable, text)) {
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
    for (int kind = 0; kind < 4; ++kind) {
        ReadDictionary(folder, kind);
    }
    const QString translation = folder + "/kestrel.qm";
    if (QFileInfo::exists(translation)) {
        m_strTranslation = translation;
    }
}

void CLanguageModule::ReadDeclaration(const QString& folder) {
    const QString path = folder + "/pack.ini";
    if (!QFileInfo::exists(path)) {
        return;
    }
    const QSettings declaration(path, QSettings::IniFormat);
    const QString encoding = declaration.value("Pack/Encoding").toString().toUpper();
    m_strLocale = declaration.value("Pack/Locale").toString();
    m_bDeclared = true;
    if (encoding == "UTF-8") {
        SetEncoding(Encoding::Utf8);
    } else if (encoding != "ISO-8859-1") {
        CLogMsg::Log(kLogContext, "Unknown encoding \"%s\": read as ISO-8859-1",
                     encoding.toLatin1().constData());
    }
}

bool CLanguageModule::ReadText(const QString& path, std::string& text) const {
    QByteArray bytes;
    if (!ReadBytes(path, bytes)) {
        return false;
    }
    if (!m_bDeclared) {
        text = QString::fromUtf8(bytes).toLatin1().toStdString();
        return true;
    }
    if (GetEncoding() == Encoding::Utf8 && !IsValidUtf8(bytes)) {
        CLogMsg::Log(kLogContext, "%s is no valid UTF-8: refused", path.toLatin1().constData());
        return false;
    }
    text = bytes.toStdString();
    return true;
}

void CLanguageModule::ReadDictionary(const QString& folder, int kind) {
    const char* name = kDictionaryFiles[kind];
    std::string text;
    if (!ReadText(folder + "/" + name, text)) {
        return;
    }
    const std::string* english = m_base.Find(name);
    std::string reason;
    if (english != nullptr && !CDictionaryCheck::SameStructure(kind, *english, text, reason)) {
        CLogMsg::Log(kLogContext, "%s refused: %s", name, reason.c_str());
        ++m_nRefused;
        return;
    }
    Add(name, text);
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
