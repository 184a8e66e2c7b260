#include <gtest/gtest.h>

#include <clocale>
#include <set>

#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"

namespace {

const CParamDictionary& Dictionary() {
    return CParamDictionary::Get();
}

TEST(BlockTypeTable, BlockNumbersRunWithoutGapsAndDictionaryRowsAddUp) {
    int nextBlock = 1;
    int rows[3] = {0, 0, 0};
    for (int t = 0; t < kBlockTypeCount; ++t) {
        EXPECT_EQ(GetFirstBlockNumber(t), nextBlock) << GetBlockTypeMnemonic(t);
        nextBlock += GetBlockCountOfType(t);
        for (int kind = 0; kind < 3; ++kind) {
            if (GetAreaSize(t, kind) != 0) {
                EXPECT_EQ(GetFirstDictRow(t, kind), rows[kind]);
            }
            rows[kind] += GetParamCount(t, kind);
        }
    }
    EXPECT_EQ(nextBlock, kMaxBlockNumber + 1);
    EXPECT_EQ(rows[0], 126);
    EXPECT_EQ(rows[1], 100);
    EXPECT_EQ(rows[2], 154);
}

TEST(BlockTypeTable, FirstDictRowEdgeCases) {
    EXPECT_EQ(GetFirstDictRow(0, 1), 0);
    EXPECT_EQ(GetFirstDictRow(1, 2), 2);
    EXPECT_EQ(GetFirstDictRow(36, 0), 125);
    EXPECT_EQ(GetFirstDictRow(36, 1) + GetParamCount(36, 1) - 1, 99);
    EXPECT_EQ(GetFirstDictRow(36, 2) + GetParamCount(36, 2) - 1, 153);
    EXPECT_EQ(GetFirstDictRow(0, 0), 0);  // AI has no LINK area
    EXPECT_EQ(GetFirstDictRow(-1, 0), -1);
    EXPECT_EQ(GetFirstDictRow(3, 3), -1);
    EXPECT_EQ(GetParamCount(-1, 0), 0);
    EXPECT_EQ(GetParamCount(40, 0), 0);
    EXPECT_EQ(GetBlockTypeCode(36), "F37");
    EXPECT_EQ(GetBlockTypeMnemonic(37), "");
    EXPECT_EQ(GetParamValueSize('S'), 8);
    EXPECT_EQ(GetParamValueSize('X'), 0);
}

TEST(BlockTypeTable, BlockCosts) {
    EXPECT_EQ(GetBlockCost(FindBlockTypeByMnemonic("APID")), 21);
    EXPECT_EQ(GetBlockCost(FindBlockTypeByMnemonic("SCN")), 6);
    EXPECT_EQ(GetBlockCost(FindBlockTypeByMnemonic("AI")), 6);
    EXPECT_EQ(GetBlockCost(FindBlockTypeByMnemonic("ATU")), 6);
}

TEST(ParamDictionary, LinesMatchTheTypeTable) {
    ASSERT_EQ(Dictionary().GetRowCount(0), 126u);
    ASSERT_EQ(Dictionary().GetRowCount(1), 100u);
    ASSERT_EQ(Dictionary().GetRowCount(2), 154u);
    for (int t = 0; t < kBlockTypeCount; ++t) {
        EXPECT_FALSE(Dictionary().GetBlockTypeName(t).empty());
        for (int kind = 0; kind < 3; ++kind) {
            int bytes = 0;
            for (int j = 0; j < GetParamCount(t, kind); ++j) {
                const int row = GetFirstDictRow(t, kind) + j;
                bytes += GetParamValueSize(Dictionary().GetDictParamType(kind, row));
                EXPECT_EQ(Dictionary().GetDictMnemonic(kind, row).size(), 4u) << row;
            }
            EXPECT_EQ(bytes, GetAreaSize(t, kind)) << GetBlockTypeMnemonic(t) << " kind " << kind;
        }
    }
}

TEST(ParamDictionary, EveryDefaultLiesInItsRange) {
    for (int t = 0; t < kBlockTypeCount; ++t) {
        auto block = CBlock::Create(t, GetFirstBlockNumber(t));
        for (int kind = 0; kind < 3; ++kind) {
            ASSERT_EQ(block->GetParamListSize(kind), GetParamCount(t, kind));
            for (int j = 0; j < GetParamCount(t, kind); ++j) {
                const CBlockParam& param = *block->GetParam(kind, j);
                const std::string text =
                    Dictionary().GetDictDefault(kind, GetFirstDictRow(t, kind) + j);
                EXPECT_TRUE(block->IsParamTextInRange(kind, j, text))
                    << GetBlockTypeMnemonic(t) << " " << param.GetMnemonic() << " " << text;
            }
        }
    }
}

TEST(ParamDictionary, FieldAccessors) {
    const CParamDictionary& d = Dictionary();
    // CO's LINK parameter is LINK row 0.
    EXPECT_EQ(d.GetDictMnemonic(0, 0), "LIA ");
    EXPECT_EQ(d.GetDictParamType(0, 0), 'I');
    EXPECT_EQ(d.GetDictDefault(0, 0), "0");
    EXPECT_FALSE(d.GetDictDescription(0, 0).empty());
    EXPECT_NE(d.GetDictDescription(0, 0).back(), ' ');
    EXPECT_EQ(d.GetDictMnemonic(0, 126), "");
    EXPECT_EQ(d.GetDictParamType(1, -1), 0);
    EXPECT_EQ(d.GetBlockTypeName(37), "");
    double lo = 7, hi = 8;
    EXPECT_EQ(d.GetDictRange(2, 999, lo, hi), 0);
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 8);
}

// Finds the dictionary row of a mnemonic (type letter included) within a type.
int RowOf(int t, int kind, const std::string& mnemonic) {
    for (int j = 0; j < GetParamCount(t, kind); ++j) {
        const int row = GetFirstDictRow(t, kind) + j;
        const std::string& line = Dictionary().GetLine(kind, row);
        if (line.compare(0, mnemonic.size(), mnemonic) == 0 &&
            (line[mnemonic.size()] == ' ' || line[mnemonic.size()] == ';')) {
            return row;
        }
    }
    return -1;
}

struct RangeCase {
    const char* type;
    int kind;
    const char* mnemonic;
    double min;
    double max;
    const char* defaultText;
};

TEST(ParamDictionary, TellingRangesAndDefaults) {
    const RangeCase cases[] = {
        {"L/R", 1, "ICLKR", 0, 2, "2"},
        {"LL", 1, "ICDLL", 0, 1, "1"},
        {"APID", 1, "PCARU", 50.0, 102.0, "100."},
        {"A/M", 2, "PALOW", -2.0, 102.0, "-2."},
        {"ARTH", 2, "CAGN1", -30.0, 30.0, "1."},
        {"APID", 2, "RATr", 0.01, 1000.0, "10."},
        {"PTC", 1, "RCTo", 0, 1.0e37, "273.15"},
        {"PTC", 1, "RCCA", -1.0e37, 1.0e37, "0."},
        {"STEP", 2, "IAVOT", 0, 3200, "60"},
        {"P/DI", 2, "IAPLS", 0, 32000, "32"},
        {"FV", 2, "MAMSP", 0, 0, "SP  "},
        {"ALM", 1, "SCMN1", 0, 0, "LOW COMP"},
        {"ALM", 1, "SCMN2", 0, 0, "HGH COMP"},
        {"LIMT", 2, "PASLW", -200.0, 200.0, "200."},
        {"CO", 0, "ILIA", 0, 186, "0"},
    };
    for (const RangeCase& c : cases) {
        const int t = FindBlockTypeByMnemonic(c.type);
        const int row = RowOf(t, c.kind, c.mnemonic);
        ASSERT_GE(row, 0) << c.mnemonic;
        double lo = -99, hi = -99;
        EXPECT_EQ(Dictionary().GetDictRange(c.kind, row, lo, hi), c.mnemonic[0]) << c.mnemonic;
        EXPECT_DOUBLE_EQ(lo, c.min) << c.mnemonic;
        EXPECT_DOUBLE_EQ(hi, c.max) << c.mnemonic;
        EXPECT_EQ(Dictionary().GetDictDefault(c.kind, row), c.defaultText) << c.mnemonic;
    }
}

TEST(ParamDictionary, RangesDoNotDependOnTheLocale) {
    const int t = FindBlockTypeByMnemonic("APID");
    const int row = RowOf(t, 1, "PCARU");
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // Where a comma-decimal locale is installed, the process runs under it here.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, "fr_FR.UTF-8");
    }
    double lo = 0, hi = 0;
    Dictionary().GetDictRange(1, row, lo, hi);
    auto block = CBlock::Create(t, 39);
    const std::string shown = block->GetParamText(1, 11);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_DOUBLE_EQ(lo, 50.0);
    EXPECT_DOUBLE_EQ(hi, 102.0);
    EXPECT_EQ(shown, "100.");
}

TEST(ParamDictionary, CreateBlockParamsFollowsDictionaryOrder) {
    auto scan = CBlock::Create(FindBlockTypeByMnemonic("SCN"), 119);
    ASSERT_EQ(scan->GetParamListSize(0), 40);
    for (int j = 0; j < 40; ++j) {
        EXPECT_EQ(scan->GetParam(0, j)->GetMnemonic(), "LI" + std::to_string(j + 1));
        EXPECT_EQ(scan->GetLinkInputNumber(j), j + 1);
    }
    auto ai = CBlock::Create(0, 1);
    EXPECT_EQ(ai->GetParamListSize(0), 0);
    auto hl = CBlock::Create(FindBlockTypeByMnemonic("H/L"), 93);
    EXPECT_EQ(hl->GetParamListSize(1), 0);
    EXPECT_EQ(hl->GetParamListSize(2), 0);
    auto atu = CBlock::Create(kTypeIndexATU, 121);
    for (int i = 0; i < 4; ++i) {
        const int j = atu->GetParamListSize(1) - 8 + i;  // ICMV1..ICMV4
        EXPECT_EQ(atu->GetParam(1, j)->GetMnemonic(), "CMV" + std::to_string(i + 1));
        EXPECT_EQ(atu->GetParamText(1, j), std::to_string(i));
    }
}

TEST(ParamDictionary, MissingResourceGivesEmptyLists) {
    CParamDictionary empty;  // never loaded
    CBlock block("APID", 39, 8);
    empty.CreateBlockParams(block);
    EXPECT_EQ(block.GetParamListSize(0), 0);
    EXPECT_EQ(empty.GetDictDescription(1, 3), "");
}

TEST(Outputs, EveryAddressIsUsedOnce) {
    std::set<int> seen;
    for (int b = 1; b <= kMaxBlockNumber; ++b) {
        const int t = GetTypeIndexOfBlockNumber(b);
        ASSERT_GE(t, 0);
        auto block = CBlock::Create(t, b);
        for (int o = 0; o < block->GetOutputCount(); ++o) {
            EXPECT_TRUE(seen.insert(block->GetOutputAddress(o)).second)
                << "address " << block->GetOutputAddress(o) << " twice";
        }
    }
    std::set<int> expected;
    for (int a = 1; a <= 178; ++a) {
        expected.insert(a);
    }
    for (int a = 225; a <= 240; ++a) {
        expected.insert(a);
    }
    EXPECT_EQ(seen, expected);
}

}  // namespace
