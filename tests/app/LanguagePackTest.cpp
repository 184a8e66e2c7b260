#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "lang/LanguagePack.h"
#include "platform/ResourceModule.h"
#include "platform/StringTable.h"

namespace {

TEST(LanguageModule, LaysThePackOverTheBaseAndFallsBack) {
    QTemporaryDir pack;
    ASSERT_TRUE(pack.isValid());
    ASSERT_TRUE(QDir(pack.path()).mkpath("dictionary"));
    {
        std::ofstream strings(pack.filePath("strings.tsv").toStdString());
        strings << "30002\tValor inv\xc3\xa1lido\n"  // UTF-8 á
                << "30003\t\xe4\xb8\xad\n";          // outside Latin-1
        std::ofstream names(pack.filePath("dictionary/10003.txt").toStdString());
        names << "Entrada\n";
    }
    CResourceModule base;
    base.Add("strings.tsv", "30001\tLoop full\n30002\tOut of range");  // no final line feed
    base.Add("dictionary/10000.txt", "ILIA ;Input A;0 - 186;0\n");
    const CLanguageModule module(base, pack.path());
    EXPECT_TRUE(module.HasStrings());
    const CStringTable table(module);
    EXPECT_EQ(table.Get(30001), "Loop full");
    EXPECT_EQ(table.Get(30002), "Valor inv\xe1lido");
    EXPECT_EQ(table.Get(30003), "?");
    ASSERT_NE(module.Find("dictionary/10000.txt"), nullptr);
    EXPECT_EQ(*module.Find("dictionary/10000.txt"), "ILIA ;Input A;0 - 186;0\n");
    EXPECT_EQ(*module.Find("dictionary/10003.txt"), "Entrada\n");
    EXPECT_EQ(module.Find("dictionary/10001.txt"), nullptr);
    EXPECT_TRUE(module.GetTranslationPath().isEmpty());

    EXPECT_FALSE(CLanguagePack::Register(pack.filePath("none.rcc"), "/test"));
    EXPECT_FALSE(CLanguagePack::Register(pack.filePath("strings.tsv"), "/test"));  // no .rcc
}

void WriteFile(const QString& path, const std::string& bytes) {
    std::ofstream file(path.toStdString(), std::ios::binary);
    file << bytes;
}

TEST(LanguageModule, DeclaredEncodingIsKeptAndCheckedAndABadDictionaryIsRefused) {
    QTemporaryDir pack;
    ASSERT_TRUE(pack.isValid());
    ASSERT_TRUE(QDir(pack.path()).mkpath("dictionary"));
    CResourceModule base;
    base.Add("strings.tsv", "30001\tLoop full\n");
    base.Add("dictionary/10000.txt", "ILIA ;Input A;0 - 186;0\nILIB ;Input B;0 - 186;0\n");
    base.Add("dictionary/10001.txt", "ICACT;    ;Action;0 - 1;0\n");

    WriteFile(pack.filePath("pack.ini"), "[Pack]\nEncoding=ISO-8859-1\nLocale=es\n");
    WriteFile(pack.filePath("strings.tsv"), "30001\tLazo lleno, \xf1\n");  // single byte as is
    WriteFile(pack.filePath("dictionary/10000.txt"),
              "ILIA ;Entrada A;0 - 186;0\nILIB ;Entrada B;0 - 186;1\n");  // default changed
    WriteFile(pack.filePath("dictionary/10001.txt"), "ICACT;    ;Acci\xf3n;0 - 1;0\n");
    {
        const CLanguageModule module(base, pack.path());
        EXPECT_EQ(module.GetEncoding(), CResourceModule::Encoding::Latin1);
        EXPECT_EQ(module.GetLocaleName(), "es");
        EXPECT_EQ(CStringTable(module).Get(30001), "Lazo lleno, \xf1");
        EXPECT_EQ(module.GetRefusedCount(), 1);
        EXPECT_EQ(*module.Find("dictionary/10000.txt"), *base.Find("dictionary/10000.txt"));
        EXPECT_EQ(*module.Find("dictionary/10001.txt"), "ICACT;    ;Acci\xf3n;0 - 1;0\n");
    }

    // Under UTF-8 a text that is no UTF-8 is refused; the rest is kept as UTF-8.
    WriteFile(pack.filePath("pack.ini"), "[Pack]\nEncoding=UTF-8\nLocale=zh_CN\n");
    WriteFile(pack.filePath("strings.tsv"), "30001\t\xe5\x9b\x9e\xe8\xb7\xaf\n");
    const CLanguageModule module(base, pack.path());
    EXPECT_EQ(module.GetEncoding(), CResourceModule::Encoding::Utf8);
    EXPECT_EQ(CStringTable(module).Get(30001), "\xe5\x9b\x9e\xe8\xb7\xaf");
    EXPECT_EQ(*module.Find("dictionary/10001.txt"), *base.Find("dictionary/10001.txt"));
}

}  // namespace
