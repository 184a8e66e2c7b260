#include <gtest/gtest.h>

#include <string>

#include "model/DictionaryCheck.h"

namespace {

const std::string kEnglishConf =
    "ICFRT;    ;Input fault action: 0=downscale 1=upscale 2=hold last        ;0 - 2 ;0\n"
    "PATIM;s   ;Filter time constant                                         ;0.00 - 30.00 ;0.2\n"
    "MAMSP;    ;Setpoint - display name                                      ;*** - *** ;SP  \n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(DictionaryCheck, AcceptsTranslatedDescriptionsAndUnits) {
    const std::string translated =
        Replace(Replace(kEnglishConf, "Filter time constant     ", "Constante de tempo do filtro"),
                "s   ;", "seg.;");
    std::string reason;
    EXPECT_TRUE(CDictionaryCheck::SameStructure(1, kEnglishConf, translated, reason)) << reason;
    EXPECT_TRUE(CDictionaryCheck::SameStructure(3, "Analog Input\nPID\n",
                                                "Entrada Anal\xf3gica\nPID\n", reason));
}

TEST(DictionaryCheck, RefusesWhatBlocksAndDownloadsAreBuiltFrom) {
    struct Case {
        std::string translated;
        const char* reason;
    };
    const Case cases[] = {
        {Replace(kEnglishConf, "PATIM", "PATIN"), "line 2: type letter or mnemonic differs"},
        {Replace(kEnglishConf, "PATIM", "RATIM"), "line 2: type letter or mnemonic differs"},
        {Replace(kEnglishConf, "0.00 - 30.00 ", "0.00 - 30.0 "), "line 2: range differs"},
        {Replace(kEnglishConf, ";0.2\n", ";0.20\n"), "line 2: default differs"},
        {Replace(kEnglishConf, ";SP  \n", ";SP\n"), "line 3: default differs"},  // blanks count
        {Replace(kEnglishConf, "hold last", "hold; last"), "line 1: field count differs"},
        {kEnglishConf.substr(0, kEnglishConf.size() - 1), "2 lines instead of 3"},
        {kEnglishConf + "ICNOT;    ;x;0 - 1;0\n", "4 lines instead of 3"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_FALSE(CDictionaryCheck::SameStructure(1, kEnglishConf, c.translated, reason));
        EXPECT_EQ(reason, c.reason);
    }
    std::string reason;
    EXPECT_FALSE(CDictionaryCheck::SameStructure(3, "AI\nCO\n", "AI\n\n", reason));
    EXPECT_EQ(reason, "line 2: empty name");
}

}  // namespace
