// CONFIG.CAL: the committed file, the writer's layout, and damaged files that
// must be refused before anything is sent.
#include <gtest/gtest.h>

#include "comm/CalConfigFile.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "platform/FileIo.h"
#include "support/ByteWriter.h"
#include "support/TestPaths.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A file with loop 1 holding the given block records and four empty loops.
Bytes FileWithRecords(const Bytes& records) {
    CByteWriter file;
    file.I32(0).U16(5);
    file.U16(static_cast<uint16_t>(14 + records.size())).U8(1).Raw("LOOP_1  ").U16(0);
    file.U8(1).Append(records).U16(0);
    for (int n = 2; n <= 5; ++n) {
        file.U16(11).U8(static_cast<uint8_t>(n)).Raw("EMPTY   ").U16(0);
    }
    return file.Get();
}

// An AI block record (6 CONF and 4 ADJ bytes) of an instance.
Bytes AiRecord(uint8_t offset) {
    Bytes record = {1, offset};
    record.insert(record.end(), 10, 0);
    record.insert(record.end(), {static_cast<uint8_t>(offset + 1), 6, 0});
    return record;
}

bool Reads(const Bytes& bytes, std::string* error = nullptr) {
    CCalConfigFile::Loops loops;
    std::string reason;
    const bool ok = CCalConfigFile::Read(bytes, loops, reason);
    if (error != nullptr) {
        *error = reason;
    }
    return ok;
}

}  // namespace

TEST(CalConfigFile, CommittedFileRoutesTheInputsToTheOutputs) {
    CCalConfigFile::Loops loops;
    std::string error;
    ASSERT_TRUE(CCalConfigFile::ReadFile(testpaths::Resources() + "/CONFIG.CAL", loops, error))
        << error;
    EXPECT_EQ(loops[0]->GetName(), "CAL_CO");
    EXPECT_EQ(loops[1]->GetName(), "CAL_VO");
    EXPECT_EQ(loops[4]->GetName(), "CALIB");
    EXPECT_EQ(loops[2]->GetBlockCount(), 0);
    const int co = FindBlockTypeByMnemonic("CO");
    const int vo = FindBlockTypeByMnemonic("VO");
    for (int loop = 0; loop < 2; ++loop) {
        EXPECT_EQ(loops[loop]->GetLoopNumber(), loop + 1);
        ASSERT_EQ(loops[loop]->GetBlockCount(), 9);
        for (int channel = 0; channel < 4; ++channel) {
            const CBlock* input = loops[loop]->GetBlock(channel);
            const CBlock* output = loops[loop]->GetBlock(4 + channel);
            EXPECT_EQ(input->GetBlockNumber(), loop * 4 + channel + 1);
            EXPECT_EQ(output->GetTypeIndex(), loop == 0 ? co : vo);
            EXPECT_EQ(output->GetInstance(), channel);
            EXPECT_EQ(output->GetLinkValue(0), input->GetOutputAddress(0));
        }
        EXPECT_EQ(loops[loop]->GetBlock(8)->GetName(), "FV");
    }
    // Written again, the loops give the same bytes.
    std::vector<uint8_t> stored;
    ASSERT_TRUE(ReadFileBytes(testpaths::Resources() + "/CONFIG.CAL", 1 << 16, stored, error));
    EXPECT_EQ(CCalConfigFile::Write(loops), stored);
}

TEST(CalConfigFile, EveryTruncationIsRefused) {
    std::vector<uint8_t> stored;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(testpaths::Resources() + "/CONFIG.CAL", 1 << 16, stored, error));
    ASSERT_TRUE(Reads(stored));
    for (std::size_t size = 0; size < stored.size(); ++size) {
        EXPECT_FALSE(Reads(Bytes(stored.begin(), stored.begin() + size))) << size;
    }
}

TEST(CalConfigFile, RecordsAreCheckedFieldByField) {
    EXPECT_TRUE(Reads(FileWithRecords(AiRecord(0))));
    Bytes two = AiRecord(0);
    const Bytes second = AiRecord(7);
    two.insert(two.end(), second.begin(), second.end());
    CCalConfigFile::Loops loops;
    std::string error;
    ASSERT_TRUE(CCalConfigFile::Read(FileWithRecords(two), loops, error)) << error;
    EXPECT_EQ(loops[0]->GetBlock(1)->GetBlockNumber(), 8);
    EXPECT_EQ(loops[3]->GetName(), "EMPTY");

    // A type code above 37 ends the loop's records; what follows is not read.
    Bytes ended = AiRecord(0);
    ended.push_back(0xFF);
    ended.insert(ended.end(), {0x55, 0x55, 0x55});
    ASSERT_TRUE(CCalConfigFile::Read(FileWithRecords(ended), loops, error)) << error;
    EXPECT_EQ(loops[0]->GetBlockCount(), 1);

    Bytes zeroType = AiRecord(0);
    zeroType[0] = 0;
    EXPECT_FALSE(Reads(FileWithRecords(zeroType), &error));
    EXPECT_NE(error.find("type code 0"), std::string::npos) << error;
    EXPECT_FALSE(Reads(FileWithRecords(AiRecord(8)), &error));  // AI has instances 0..7
    EXPECT_NE(error.find("offset"), std::string::npos) << error;
    Bytes twice = AiRecord(3);
    const Bytes again = AiRecord(3);
    twice.insert(twice.end(), again.begin(), again.end());
    EXPECT_FALSE(Reads(FileWithRecords(twice), &error));
    EXPECT_NE(error.find("used twice"), std::string::npos) << error;
    // A record cut by the loop's length, and a length past the end of the file.
    Bytes cut = AiRecord(0);
    cut.pop_back();
    EXPECT_FALSE(Reads(FileWithRecords(cut)));
    Bytes longer = FileWithRecords(AiRecord(0));
    longer[6] = 0xF0;
    EXPECT_FALSE(Reads(longer));
}

TEST(CalConfigFile, ALoopIsRefusedBeyondItsMemory) {
    // LOOP G holds 92 bytes: eight AI (6 bytes each), two DO (18) and one DI (6)
    // take 90; a second DI does not fit.
    auto record = [](const char* mnemonic, int offset) {
        const int t = FindBlockTypeByMnemonic(mnemonic);
        Bytes bytes = {static_cast<uint8_t>(t + 1), static_cast<uint8_t>(offset)};
        bytes.resize(bytes.size() + static_cast<std::size_t>(GetAreaSize(t, PARAM_LINK) +
                                                             GetAreaSize(t, PARAM_CONF) +
                                                             GetAreaSize(t, PARAM_ADJ) + 3));
        return bytes;
    };
    auto file = [](const Bytes& records) {
        CByteWriter writer;
        writer.I32(0).U16(5);
        for (int n = 1; n <= 4; ++n) {
            writer.U16(11).U8(static_cast<uint8_t>(n)).Raw("        ").U16(0);
        }
        writer.U16(static_cast<uint16_t>(14 + records.size())).U8(5).Raw("CALIB   ").U16(0);
        writer.U8(0).Append(records).U16(0);
        return writer.Get();
    };
    Bytes records;
    for (int i = 0; i < 8; ++i) {
        const Bytes ai = record("AI", i);
        records.insert(records.end(), ai.begin(), ai.end());
    }
    for (const auto& [mnemonic, offset] : {std::pair{"DO", 0}, {"DO", 1}, {"DI", 0}}) {
        const Bytes more = record(mnemonic, offset);
        records.insert(records.end(), more.begin(), more.end());
    }
    CCalConfigFile::Loops loops;
    std::string error;
    ASSERT_TRUE(CCalConfigFile::Read(file(records), loops, error)) << error;
    EXPECT_EQ(loops[4]->GetSize(), 90);
    const Bytes last = record("DI", 1);
    records.insert(records.end(), last.begin(), last.end());
    EXPECT_FALSE(Reads(file(records), &error));
    EXPECT_NE(error.find("memory"), std::string::npos) << error;
}
