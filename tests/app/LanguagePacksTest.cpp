#include <gtest/gtest.h>

#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>
#include <memory>
#include <set>
#include <string>

#include "app/ConfApp.h"
#include "lang/LanguagePack.h"
#include "model/DictionaryCheck.h"
#include "model/ParamDictionary.h"
#include "platform/ResourceModule.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "support/TestPaths.h"

namespace {

struct PackCase {
    int language;
    const char* folder;
    CResourceModule::Encoding encoding;
    const char* firstTypeName;  // as the windows show it
    const char* fileMenu;       // "&File" in the pack's window translation
};

const PackCase kPacks[] = {
    {CConfApp::LANG_PORTUGUESE, "l.bra", CResourceModule::Encoding::Latin1,
     "Entrada Anal\u00f3gica", "&Arquivo"},
    {CConfApp::LANG_SPANISH, "l.spa", CResourceModule::Encoding::Latin1, "Entrada Anal\u00f3gica",
     "&Archivo"},
    {CConfApp::LANG_CHINESE, "l.chn", CResourceModule::Encoding::Utf8, "\u6a21\u62df\u8f93\u5165",
     "\u6587\u4ef6(&F)"},
};

const char* const kDictionaryFiles[] = {"dictionary/10000.txt", "dictionary/10001.txt",
                                        "dictionary/10002.txt", "dictionary/10003.txt"};

std::set<unsigned> Ids(const CResourceModule& module) {
    std::set<unsigned> ids;
    const std::string* table = module.Find("strings.tsv");
    if (table == nullptr) {
        return ids;
    }
    std::size_t start = 0;
    while (start < table->size()) {
        std::size_t end = table->find('\n', start);
        end = end == std::string::npos ? table->size() : end;
        const std::string line = table->substr(start, end - start);
        if (!line.empty() && line[0] != '#' && line.find('\t') != std::string::npos) {
            ids.insert(static_cast<unsigned>(std::stoul(line.substr(0, line.find('\t')))));
        }
        start = end + 1;
    }
    return ids;
}

// The pack as the program builds it, beside the program.
class LanguagePacks : public testing::TestWithParam<PackCase> {
protected:
    void SetUp() override {
        const PackCase& pack = GetParam();
        const QString path = QString::fromStdString(testpaths::ProgramDir()) + "/" +
                             CConfApp::LanguagePackPath(pack.language);
        m_root = QString("/test/") + pack.folder;
        ASSERT_TRUE(CLanguagePack::Register(path, m_root)) << path.toStdString();
        // The pack's own files, without the English ones it falls back to.
        const CResourceModule empty;
        m_own = std::make_unique<CLanguageModule>(empty, ":" + m_root);
        m_module = std::make_shared<CLanguageModule>(CResourceModule::BuiltIn(), ":" + m_root);
    }
    void TearDown() override {
        CResourceModule::SetCurrent(nullptr);
        ReloadStringTable();
        CParamDictionary::Get().LoadParamDictionary();
        CParamDictionary::Get().LoadBlockTypeNames();
    }

    QString m_root;
    std::unique_ptr<CLanguageModule> m_own;
    std::shared_ptr<CLanguageModule> m_module;
};

TEST_P(LanguagePacks, TranslateEveryStringOfTheProgram) {
    EXPECT_TRUE(m_module->HasStrings());
    EXPECT_EQ(m_module->GetEncoding(), GetParam().encoding);
    const std::set<unsigned> english = Ids(CResourceModule::BuiltIn());
    const std::set<unsigned> translated = Ids(*m_own);
    ASSERT_GT(english.size(), 100u);
    for (unsigned id : english) {
        EXPECT_TRUE(translated.count(id)) << "string " << id << " missing in " << GetParam().folder;
    }
}

TEST_P(LanguagePacks, KeepTheDictionaryStructureOfEnglish) {
    EXPECT_EQ(m_module->GetRefusedCount(), 0);
    for (int kind = 0; kind < 4; ++kind) {
        const std::string* own = m_own->Find(kDictionaryFiles[kind]);
        ASSERT_NE(own, nullptr) << kDictionaryFiles[kind];
        EXPECT_NE(*own, *CResourceModule::BuiltIn().Find(kDictionaryFiles[kind]));  // translated
    }
    // Field by field as the model reads them: everything but the texts equal.
    CParamDictionary english;
    english.LoadParamDictionary();
    CResourceModule::SetCurrent(m_module);
    CParamDictionary translated;
    translated.LoadParamDictionary();
    translated.LoadBlockTypeNames();
    for (int kind = 0; kind < 3; ++kind) {
        ASSERT_EQ(translated.GetRowCount(kind), english.GetRowCount(kind));
        for (int row = 0; row < static_cast<int>(english.GetRowCount(kind)); ++row) {
            double min1 = 0, max1 = 0, min2 = 0, max2 = 0;
            EXPECT_EQ(translated.GetDictRange(kind, row, min2, max2),
                      english.GetDictRange(kind, row, min1, max1));
            EXPECT_EQ(min2, min1);
            EXPECT_EQ(max2, max1);
            EXPECT_EQ(translated.GetDictMnemonic(kind, row), english.GetDictMnemonic(kind, row));
            EXPECT_EQ(translated.GetDictDefault(kind, row), english.GetDictDefault(kind, row));
            EXPECT_FALSE(translated.GetDictDescription(kind, row).empty());
        }
    }
    EXPECT_EQ(gdi::ToQString(translated.GetBlockTypeName(0)),
              QString::fromUtf8(GetParam().firstTypeName));
}

TEST_P(LanguagePacks, CarryTheWindowTranslation) {
    ASSERT_FALSE(m_module->GetTranslationPath().isEmpty());
    QTranslator translator;
    ASSERT_TRUE(translator.load(m_module->GetTranslationPath()));
    EXPECT_EQ(translator.translate("CMainFrame", "&File"), QString::fromUtf8(GetParam().fileMenu));
    EXPECT_FALSE(m_module->GetLocaleName().isEmpty());
}

// Every window text of the sources has its translation: after
// "make translations-update" a new text shows up here until it is translated.
TEST_P(LanguagePacks, LeaveNoWindowTextUnfinished) {
    QFile ts(QString::fromStdString(testpaths::Resources()) + "/" + GetParam().folder +
             "/kestrel.ts");
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly)) << ts.fileName().toStdString();
    QXmlStreamReader xml(&ts);
    QString context;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
            ++messages;
        } else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            EXPECT_FALSE(unfinished) << context.toStdString() << ": " << source.toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_GT(messages, 200);
}

INSTANTIATE_TEST_SUITE_P(EachPack, LanguagePacks, testing::ValuesIn(kPacks),
                         [](const testing::TestParamInfo<PackCase>& info) {
                             return std::string(info.param.folder).substr(2);
                         });

}  // namespace
