// What a typed value or tag must be before it is stored: the dialogs and the
// command line refuse the same texts.
#include <gtest/gtest.h>

#include <optional>

#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "model/ParamTextCheck.h"
#include "platform/StringIds.h"

namespace {

using Verdict = CParamTextCheck::Verdict;

struct Found {
    std::unique_ptr<CBlock> block;
    int kind = -1;
    int index = -1;
};

// The first block type holding a parameter of that letter and mnemonic.
std::optional<Found> BlockWithParam(const std::string& mnemonic) {
    for (int type = 0; type < kBlockTypeCount; ++type) {
        auto block = CBlock::Create(type, GetFirstBlockNumber(type));
        for (int kind = PARAM_LINK; kind <= PARAM_ADJ; ++kind) {
            for (int j = 0; j < block->GetParamListSize(kind); ++j) {
                const CBlockParam& param = *block->GetParam(kind, j);
                if (std::string(1, param.m_cType) + param.GetMnemonic() == mnemonic) {
                    return Found{std::move(block), kind, j};
                }
            }
        }
    }
    return std::nullopt;
}

TEST(ParamTextCheck, NumbersMustLieInTheDictionaryRange) {
    auto found = BlockWithParam("PCARU");  // 50.00 - 102.00
    ASSERT_TRUE(found);
    const CBlock& block = *found->block;
    std::string stored;
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, found->kind, found->index, "101", &stored),
              Verdict::Accepted);
    EXPECT_EQ(stored, "101.");
    for (const char* refused : {"103", "49.99", "-1", "", "abc"}) {
        EXPECT_EQ(
            CParamTextCheck::CheckParamText(block, found->kind, found->index, refused, nullptr),
            Verdict::OutOfRange)
            << refused;
    }
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, found->kind, found->index, "102", nullptr),
              Verdict::Accepted)
        << "the limits themselves are in range";
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, PARAM_ADJ, 999, "1", nullptr),
              Verdict::NoSuchEntry);
}

TEST(ParamTextCheck, DisplayNamesAndMessagesHaveTheirLengthsAndCharacters) {
    auto name = BlockWithParam("MAMSP");  // three characters
    ASSERT_TRUE(name);
    const CBlock& block = *name->block;
    const int kind = name->kind;
    const int j = name->index;
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, kind, j, "TEMP", nullptr),
              Verdict::OutOfRange);
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, kind, j, "TI", nullptr), Verdict::Accepted);
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, kind, j, "SP  ", nullptr), Verdict::Accepted)
        << "the padding the value is shown with is no text";
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, kind, j, "A.B", nullptr), Verdict::OutOfRange);
    EXPECT_EQ(CParamTextCheck::CheckParamText(block, kind, j, "A-B", nullptr), Verdict::Accepted)
        << "a hyphen is refused in tags only";

    auto message = BlockWithParam("SCMN1");  // eight characters
    ASSERT_TRUE(message);
    EXPECT_EQ(CParamTextCheck::CheckParamText(*message->block, message->kind, message->index,
                                              "LOW FLOW", nullptr),
              Verdict::Accepted);
    EXPECT_EQ(CParamTextCheck::CheckParamText(*message->block, message->kind, message->index,
                                              "LOW FLOWS", nullptr),
              Verdict::OutOfRange);
}

TEST(ParamTextCheck, UserTagsAreUniqueInAnyCaseAndRefuseTheTagCharacters) {
    const std::vector<std::string> tags = {"FIC-101.OUT", "FT101", ""};
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 2, "ft101"), Verdict::DuplicateTag);
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 1, "FT101"), Verdict::Accepted)
        << "its own row is no other";
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 0, ""), Verdict::Accepted);
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 2, "FT-102"), Verdict::OutOfRange);
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 2, "FT102.PV"), Verdict::Accepted);
    EXPECT_EQ(CParamTextCheck::CheckUserTag(tags, 2, std::string(18, 'A')), Verdict::OutOfRange);
    EXPECT_EQ(CParamTextCheck::MessageId(Verdict::DuplicateTag), IDS_USER_TAG_EXISTS);
    EXPECT_EQ(CParamTextCheck::MessageId(Verdict::OutOfRange), IDS_VALUE_OUT_OF_RANGE);
    for (char c : std::string("\"\\'!@#$%&*()-+=[]{}~^\xB4`,<>;:?|")) {
        EXPECT_NE(CParamTextCheck::TagRefusedChars().find(c), std::string::npos) << c;
    }
    EXPECT_EQ(CParamTextCheck::TextRefusedChars().find('-'), std::string::npos);
    EXPECT_NE(CParamTextCheck::TextRefusedChars().find('.'), std::string::npos);
}

}  // namespace
