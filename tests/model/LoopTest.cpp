#include <gtest/gtest.h>

#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "model/Loop.h"
#include "platform/Archive.h"
#include "platform/MessageBox.h"

namespace {

std::unique_ptr<CBlock> Make(const char* mnemonic, int number) {
    return CBlock::Create(FindBlockTypeByMnemonic(mnemonic), number);
}

// Records the message boxes shown while it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        m_previous = SetMessageBoxHandler([this](const std::string& text, unsigned) {
            messages.push_back(text);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    std::vector<std::string> messages;

private:
    MessageBoxHandler m_previous;
};

TEST(Loop, OperationsKeepSizeAndModifiedBits) {
    CLoop loop(3, "LOOP_3");
    EXPECT_EQ(loop.GetMemoryLimit(), 254);
    loop.AddBlock(Make("APID", 39));
    loop.AddBlock(Make("AI", 1));
    loop.InsertBlock(0, Make("CO", 9));
    EXPECT_EQ(loop.GetSize(), 21 + 6 + 9);
    EXPECT_EQ(loop.GetModified(), CLoop::MODIFIED_BLOCKS);
    EXPECT_EQ(loop.GetBlock(0)->GetBlockNumber(), 9);
    EXPECT_EQ(loop.GetBlock(2)->GetLoopNumber(), 3);
    EXPECT_EQ(loop.IndexOfBlock("039 APID"), 1);
    EXPECT_EQ(loop.FindBlock("1")->GetName(), "AI");
    EXPECT_EQ(loop.FindBlockOfOutput(48)->GetBlockNumber(), 39);
    EXPECT_EQ(loop.FindBlockOfOutput(49), nullptr);
    EXPECT_EQ(loop.GetBlock(3), nullptr);

    loop.SetModified(0);
    auto replaced = loop.SetBlockAt(1, Make("APID", 40), false);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->GetBlockNumber(), 39);
    EXPECT_EQ(loop.GetSize(), 36);  // replacing in place keeps the size
    EXPECT_TRUE(loop.GetBlock(1)->IsChanged());
    EXPECT_EQ(loop.GetModified(), CLoop::MODIFIED_REPLACED);

    int index = -1;
    auto removed = loop.RemoveBlock(9, &index);
    ASSERT_TRUE(removed);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(loop.GetSize(), 27);
    EXPECT_FALSE(loop.RemoveBlock(77, &index));
    EXPECT_EQ(index, loop.GetBlockCount());
    EXPECT_FALSE(loop.RemoveBlockAt(-1));

    loop.SetModified(0);
    loop.SetName("FLOW");
    EXPECT_EQ(loop.GetModified(), CLoop::MODIFIED_NAME);
}

TEST(Loop, SetBlockAtGrowAppendsWithoutHoles) {
    CLoop loop(1, "LOOP_1");
    EXPECT_FALSE(loop.SetBlockAt(5, Make("AI", 1), true));
    EXPECT_EQ(loop.GetBlockCount(), 1);
    auto old = loop.SetBlockAt(0, Make("APID", 39), true);
    EXPECT_EQ(old->GetBlockNumber(), 1);
    EXPECT_EQ(loop.GetSize(), 21);
    auto refused = loop.SetBlockAt(-1, Make("AI", 2), true);
    EXPECT_TRUE(refused);  // handed back, not stored
}

std::vector<uint8_t> StoreLoop(const CLoop& loop) {
    CArchive ar;
    ar.WriteObject(&loop);
    return ar.GetBuffer();
}

TEST(LoopArchive, RoundTripAndClassTags) {
    CLoop first(1, "FLOW");
    first.SetOpened(true);
    first.AddBlock(Make("AI", 1));
    first.AddBlock(Make("APID", 39));
    CLoop second(2, "LEVEL");
    second.AddBlock(Make("AI", 2));

    CArchive out;
    out.WriteObject(&first);
    out.WriteObject(&second);
    const std::vector<uint8_t>& bytes = out.GetBuffer();
    // First loop: new class record "CLoop" schema 3 (index 1, the loop is 2).
    const std::vector<uint8_t> head = {0xFF, 0xFF, 3, 0, 5,   0,   'C',  'L',  'o', 'o', 'p', 1,
                                       0,    0,    0, 4, 'F', 'L', 'O',  'W',  1,   0,   0,   0,
                                       0,    0,    0, 0, 2,   0,   0xFF, 0xFF, 4,   0,   6,   0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);

    CArchive in(bytes);
    auto a = in.ReadOwned<CLoop>();
    auto b = in.ReadOwned<CLoop>();
    EXPECT_EQ(in.GetRemaining(), 0u);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->GetName(), "FLOW");
    EXPECT_TRUE(a->IsOpened());
    EXPECT_FALSE(b->IsOpened());
    ASSERT_EQ(a->GetBlockCount(), 2);
    EXPECT_EQ(a->GetBlock(1)->GetOutputName(0), "APID039.OUT047");
    EXPECT_EQ(b->GetBlock(0)->GetBlockNumber(), 2);
    EXPECT_EQ(b->GetBlock(0)->GetLoopNumber(), 2);
}

TEST(LoopArchive, SecondLoopUsesTheClassIndexTag) {
    CLoop first(1, "A");
    CLoop second(2, "B");
    CArchive out;
    out.WriteObject(&first);
    out.WriteObject(&second);
    const std::vector<uint8_t>& bytes = out.GetBuffer();
    const std::size_t firstSize = 11 + 4 + 2 + 4 + 4 + 2;
    EXPECT_EQ(bytes[firstSize], 0x01);
    EXPECT_EQ(bytes[firstSize + 1], 0x80);
}

TEST(LoopArchive, OlderSchemasGiveBlocksTheLoopNumber) {
    CLoop loop(4, "OLD");
    loop.AddBlock(Make("AI", 5));
    std::vector<uint8_t> bytes = StoreLoop(loop);
    // Turn the record into schema 1: patch the schema and drop the reserved field.
    bytes[2] = 1;
    const std::size_t reservedAt = 11 + 4 + 4 + 4;
    bytes.erase(bytes.begin() + reservedAt, bytes.begin() + reservedAt + 4);
    // Its block claims loop 9; the older loop layout overrides that.
    const std::size_t loopFieldOfBlock = reservedAt + 2 + 12 + 4 + 3 + 4;
    bytes[loopFieldOfBlock] = 9;
    CArchive in(bytes);
    auto loaded = in.ReadOwned<CLoop>();
    ASSERT_EQ(loaded->GetBlockCount(), 1);
    EXPECT_EQ(loaded->GetReserved(), 0);
    EXPECT_EQ(loaded->GetBlock(0)->GetLoopNumber(), 4);
}

TEST(LoopArchive, BlockStoredTwiceIsRefused) {
    CLoop loop(1, "L");
    loop.AddBlock(Make("AI", 1));
    std::vector<uint8_t> bytes = StoreLoop(loop);
    // Count 2, the second entry a back reference to the block (index 3).
    const std::size_t countAt = 11 + 4 + 2 + 4 + 4;
    bytes[countAt] = 2;
    bytes.push_back(3);
    bytes.push_back(0);
    CArchive in(bytes);
    EXPECT_THROW(in.ReadOwned<CLoop>(), CArchiveException);
}

TEST(Configuration, MemoryLimits) {
    MessageRecorder recorder;
    CConfiguration config;
    config.CreateDefaultLoops();
    EXPECT_EQ(config.GetCurrentLoopNumber(), 1);
    EXPECT_EQ(config.GetLoopName(5), "LOOP_G");
    EXPECT_EQ(config.GetLoopName(2), "LOOP_2");

    // Loop 1 at 504 bytes takes a block of cost 6 but nothing costlier.
    const int apid = FindBlockTypeByMnemonic("APID");
    for (int i = 0; i < 24; ++i) {
        config.GetLoop(1)->AddBlock(CBlock::Create(apid, 39));
    }
    EXPECT_EQ(config.GetLoop(1)->GetSize(), 504);
    EXPECT_EQ(config.GetFreeBytes(), 6);
    EXPECT_EQ(config.GetFreeBytesText(), "6 bytes Free");
    EXPECT_TRUE(config.CanAddBlock(0));
    EXPECT_FALSE(config.CanAddBlock(FindBlockTypeByMnemonic("CO")));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "The loop size has reached.");

    // LOOP G takes fifteen blocks of cost 6 (90 bytes), not a sixteenth.
    config.SelectLoop(5);
    for (int i = 0; i < 15; ++i) {
        ASSERT_TRUE(config.CanAddBlock(0)) << i;
        config.AddBlock(CBlock::Create(0, 1 + i % 8));
    }
    EXPECT_EQ(config.GetFreeBytes(), 2);
    EXPECT_FALSE(config.CanAddBlock(0));
    config.SelectLoop(3);
    EXPECT_EQ(config.GetFreeBytes(), 254);
}

TEST(Configuration, BlockNumberRules) {
    CConfiguration config;
    config.CreateDefaultLoops();
    config.SelectLoop(2);
    config.AddBlock(Make("FV", 27));
    EXPECT_TRUE(config.IsBlockNumberUsed(27));
    EXPECT_TRUE(config.IsBlockNumberUsed(28));
    EXPECT_TRUE(config.IsBlockNumberUsed(30));
    EXPECT_FALSE(config.IsBlockNumberUsed(31));
    config.SelectLoop(1);
    EXPECT_TRUE(config.IsBlockNumberUsed(27));
    EXPECT_FALSE(config.IsBlockNumberUsed(28));
    config.AddBlock(Make("L/R", 33));
    EXPECT_TRUE(config.IsBlockNumberUsed(31));
    EXPECT_FALSE(config.IsBlockNumberUsed(35));
    EXPECT_EQ(config.GetBlockLoop(33), 1);

    auto removed = config.RemoveBlock(33, 1);
    ASSERT_TRUE(removed);
    EXPECT_FALSE(config.IsBlockNumberUsed(31));
    EXPECT_EQ(config.GetBlockLoop(33), 0);
    EXPECT_EQ(config.FindBlockByOutput(33), nullptr);
    EXPECT_EQ(config.GetBlockCount(0), 1);
}

TEST(Configuration, DitFlagFollowsTheBlocks) {
    CConfiguration config;
    config.CreateDefaultLoops();
    EXPECT_FALSE(config.HasNewTypeBlocks());
    config.AddBlock(Make("DIT", 122));
    config.SelectLoop(2);
    config.AddBlock(Make("DIT", 123));
    EXPECT_TRUE(config.HasDitBlocks());
    config.RemoveBlock(123, 2);
    EXPECT_TRUE(config.HasDitBlocks());  // another DIT block remains
    config.RemoveBlockAt(0, 1);
    EXPECT_FALSE(config.HasNewTypeBlocks());
}

TEST(Configuration, ReplaceAndRebuild) {
    CConfiguration config;
    config.CreateDefaultLoops();
    config.AddBlock(Make("AI", 1));
    config.AddBlock(Make("APID", 39));
    auto old = config.ReplaceBlock(0, Make("AI", 2), 1);
    ASSERT_TRUE(old);
    EXPECT_EQ(config.GetBlockLoop(1), 0);
    EXPECT_EQ(config.GetBlockLoop(2), 1);
    EXPECT_EQ(config.GetLoop(1)->GetSize(), 27);

    config.GetLoop(3)->AddBlock(Make("DIT", 124));
    config.GetLoop(1)->SetSize(0);
    config.RebuildFromLoops();
    EXPECT_EQ(config.GetLoop(1)->GetSize(), 27);
    EXPECT_EQ(config.GetBlockLoop(124), 3);
    EXPECT_TRUE(config.HasDitBlocks());
    EXPECT_EQ(config.FindBlockByOutput(47)->GetBlockNumber(), 39);
    EXPECT_EQ(config.FindLoopOfBlock(*config.FindBlockByNumber(124))->GetLoopNumber(), 3);
    EXPECT_TRUE(config.HasLoopName("loop_g"));
    EXPECT_FALSE(config.HasLoopName("LOOP_9"));

    config.RemoveAllLoops();
    EXPECT_EQ(config.GetLoop(0), nullptr);
    EXPECT_EQ(config.GetFreeBytes(), 0xFFFF);
    EXPECT_EQ(config.GetFreeBytesText(), "");
    EXPECT_EQ(config.FindBlock(1, 0), nullptr);
}

}  // namespace
