#include <gtest/gtest.h>

#include <set>

#include "comm/ProtocolCodes.h"

namespace {

// The raw codes as the controller's documentation lists them: the table the
// client and the simulator share must say the same.
TEST(ProtocolCodes, EveryCommandHasItsOwnAnswer) {
    const std::pair<uint8_t, uint8_t> documented[] = {
        {0x4D, 0xAD}, {0x59, 0xB9}, {0x4E, 0xAE}, {0x30, 0x70}, {0x2B, 0x6B},
        {0x35, 0x75}, {0x5A, 0xBA}, {0x93, 0xD3}, {0x88, 0xC8}, {0x56, 0x76},
        {0xC1, 0x21}, {0x5F, 0xBF}, {0x9C, 0xDC}, {0xC7, 0x27}, {0xE4, 0x24}};
    EXPECT_EQ(std::size(protocol::kCommands), std::size(documented));
    std::set<uint8_t> answers;
    for (const auto& [command, answer] : documented) {
        const protocol::CommandInfo* info = protocol::FindCommand(command);
        ASSERT_NE(info, nullptr) << int(command);
        EXPECT_EQ(info->answer, answer) << int(command);
        EXPECT_EQ(protocol::FindAnswer(answer), info);
        answers.insert(answer);
    }
    EXPECT_EQ(answers.size(), std::size(documented));
    EXPECT_EQ(protocol::FindCommand(0x05), nullptr);  // the error answer is no command
    EXPECT_EQ(protocol::FindAnswer(0x4D), nullptr);
}

}  // namespace
