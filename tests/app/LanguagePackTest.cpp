#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "app/LanguagePack.h"
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

}  // namespace
