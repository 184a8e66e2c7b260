#include <gtest/gtest.h>

#include <cstring>

#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/Archive.h"

namespace {

std::unique_ptr<CBlock> Make(const char* mnemonic, int number) {
    return CBlock::Create(FindBlockTypeByMnemonic(mnemonic), number);
}

std::vector<int> Addresses(const CBlock& block) {
    std::vector<int> addresses;
    for (int i = 0; i < block.GetOutputCount(); ++i) {
        addresses.push_back(block.GetOutputAddress(i));
    }
    return addresses;
}

TEST(BlockOutputs, AddressesAndNames) {
    auto apid = Make("APID", 39);
    EXPECT_EQ(Addresses(*apid), (std::vector<int>{47, 48}));
    EXPECT_EQ(apid->GetOutputName(0), "APID039.OUT047");
    EXPECT_EQ(apid->GetUserTag(1), "APID039.OUT048");
    EXPECT_EQ(Addresses(*Make("APID", 40)), (std::vector<int>{49, 50}));
    EXPECT_EQ(Addresses(*Make("L/R", 32)), (std::vector<int>{226, 33, 34}));
    EXPECT_EQ(Make("L/R", 31)->GetOutputName(0), "L/R031.OUT225");
    EXPECT_EQ(Addresses(*Make("SSEL", 98)), (std::vector<int>{232}));
    EXPECT_EQ(Addresses(*Make("AI", 1)), (std::vector<int>{1, 2}));
    EXPECT_EQ(Addresses(*Make("LIMT", 84)), (std::vector<int>{128, 129, 130}));
    EXPECT_EQ(Addresses(*Make("DIT", 125)), (std::vector<int>{177, 178}));
    EXPECT_TRUE(Make("FV", 27)->GetOutputCount() == 0);

    auto atu = Make("ATU", 121);
    ASSERT_EQ(atu->GetOutputCount(), 10);
    EXPECT_EQ(atu->GetOutputName(0), "Digital.OUT161");
    EXPECT_EQ(atu->GetOutputName(7), "Digital.OUT168");
    EXPECT_EQ(atu->GetOutputName(8), "Analog.OUT169");
    EXPECT_EQ(atu->GetOutputName(9), "Analog.OUT170");
}

// A damaged file may pair a type with any block number; such a block gets no
// outputs rather than addresses of other blocks (or an overflow).
TEST(BlockOutputs, NumberOutsideItsTypeHasNoOutputs) {
    CBlock wrong("AI", 39, 0);
    wrong.BuildOutputs();
    EXPECT_EQ(wrong.GetOutputCount(), 0);
    CBlock huge("AI", 0x50000000, 0);
    huge.BuildOutputs();
    EXPECT_EQ(huge.GetOutputCount(), 0);
    CBlock negative("AI", INT32_MIN, 0);
    EXPECT_EQ(negative.GetInstance(), INT32_MAX);
}

TEST(BlockOutputs, LookupsAndUserTags) {
    auto block = Make("A/M", 36);
    EXPECT_EQ(block->GetInstance(), 1);
    EXPECT_EQ(block->GetOutputAddress(5), -1);
    EXPECT_EQ(block->GetOutputNameByAddress(42), "A/M036.OUT042");
    EXPECT_EQ(block->GetOutputNameByAddress(43), "");
    EXPECT_TRUE(block->HasOutputAddress(41));
    EXPECT_FALSE(block->HasOutputAddress(40));

    block->SetUserTag(0, "FIC-101.OUT");
    EXPECT_EQ(block->GetUserTagByAddress(41), "FIC-101.OUT");
    block->SetUserTag(0, std::string(20, 'X'));  // too long: refused
    EXPECT_EQ(block->GetUserTag(0), "FIC-101.OUT");
    block->SetUserTag(0, std::string(19, 'Y'));
    EXPECT_EQ(block->GetUserTag(0), std::string(19, 'Y'));
    block->SetUserTagByAddress(42, "LIC-7");
    EXPECT_EQ(block->GetUserTag(1), "LIC-7");
    block->SetUserTag(9, "nowhere");  // out of range: ignored
    EXPECT_EQ(block->GetDisplayName(), "BLK-036");
}

TEST(BlockParams, LinkHelpers) {
    auto pid = Make("PID", 43);
    EXPECT_EQ(pid->FindLinkParam("C"), 2);
    EXPECT_EQ(pid->FindLinkParam("E"), -1);
    EXPECT_EQ(pid->GetLinkInputName(1), "B");
    EXPECT_EQ(pid->GetLinkInputName(9), "");
    EXPECT_EQ(pid->GetLinkValue(0), 0);
    EXPECT_EQ(pid->GetLinkValueText(0), "");
    ASSERT_TRUE(pid->SetParamValue(0, 0, "230"));
    EXPECT_EQ(pid->GetLinkValue(0), 230);
    EXPECT_EQ(pid->GetLinkValueText(0), "230");
    EXPECT_FALSE(pid->SetParamValue(0, 0, "200"));
    EXPECT_EQ(pid->GetLinkValue(0), 230);
    ASSERT_TRUE(pid->SetParamValue(0, 0, ""));  // back to the default
    EXPECT_EQ(pid->GetLinkValue(0), 0);
}

TEST(BlockParams, NormalizeCompareAndClone) {
    auto fv = Make("FV", 27);
    // MAMSP is the first ADJ parameter of FV: a 4-character mnemonic.
    EXPECT_EQ(fv->NormalizeParamText(2, 0, "PV"), "PV ");
    EXPECT_EQ(fv->NormalizeParamText(2, 0, ""), "SP ");
    EXPECT_EQ(fv->GetParamText(2, 0), "SP ");

    auto a = Make("APID", 39);
    auto b = a->Clone();
    EXPECT_EQ(a->CompareParams(2, *b), 0);
    ASSERT_TRUE(b->SetParamValue(2, 1, "20"));
    EXPECT_EQ(a->CompareParams(2, *b), 1);
    EXPECT_EQ(a->CompareParams(1, *b), 0);
    EXPECT_EQ(b->GetParamText(2, 1), "20.");
    EXPECT_EQ(a->GetParamText(2, 1), "10.");  // the clone is deep
    EXPECT_EQ(b->GetOutputName(1), a->GetOutputName(1));
}

TEST(BlockImage, EscapesFEBytesAndLoadsBack) {
    auto k = Make("K", 118);
    // PAK01 = -0.02 is stored as 0xFFFE: the 0xFE byte needs an escape.
    ASSERT_TRUE(k->SetParamValue(2, 0, "-0.02"));
    ASSERT_TRUE(k->SetParamValue(2, 1, "2.54"));  // 254 = 0x00FE
    std::vector<uint8_t> image;
    std::size_t position = 0;
    EXPECT_EQ(k->BuildParamImage(image, position, false), 2);
    ASSERT_EQ(position, 20u + 2u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 6),
              (std::vector<uint8_t>{0xFE, 0x00, 0xFF, 0xFE, 0x00, 0x00}));

    auto apid = Make("APID", 41);
    ASSERT_TRUE(apid->SetParamValue(0, 1, "47"));
    std::vector<uint8_t> apidImage;
    std::size_t end = 0;
    EXPECT_EQ(apid->BuildParamImage(apidImage, end, false), 0);
    EXPECT_EQ(end, 10u + 26u + 16u);
    EXPECT_EQ(apidImage[2], 47);
    std::size_t confOnly = 0;
    std::vector<uint8_t> noLink;
    apid->BuildParamImage(noLink, confOnly, true);
    EXPECT_EQ(confOnly, 26u + 16u);

    auto copy = Make("APID", 41);
    EXPECT_FALSE(copy->LoadParamImage(apidImage.data(), apidImage.size() - 1, 0, false));
    EXPECT_EQ(copy->GetLinkValue(1), 0);  // nothing copied from a short image
    ASSERT_TRUE(copy->LoadParamImage(apidImage.data(), apidImage.size(), 0, false));
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(copy->CompareParams(kind, *apid), 0);
    }
    auto confCopy = Make("APID", 41);
    ASSERT_TRUE(confCopy->LoadParamImage(noLink.data(), noLink.size(), 0, true));
    EXPECT_EQ(confCopy->CompareParams(2, *apid), 0);
    EXPECT_EQ(confCopy->GetLinkValue(1), 0);
}

std::vector<uint8_t> Store(const CObject& object) {
    CArchive ar;
    ar.WriteObject(&object);
    return ar.GetBuffer();
}

std::unique_ptr<CBlock> Load(const std::vector<uint8_t>& bytes) {
    CArchive ar(bytes);
    auto block = ar.ReadOwned<CBlock>();
    EXPECT_EQ(ar.GetRemaining(), 0u);
    return block;
}

void ExpectSameBlock(const CBlock& a, const CBlock& b) {
    EXPECT_EQ(a.GetTypeIndex(), b.GetTypeIndex());
    EXPECT_EQ(a.GetName(), b.GetName());
    EXPECT_EQ(a.GetBlockNumber(), b.GetBlockNumber());
    ASSERT_EQ(a.GetOutputCount(), b.GetOutputCount());
    for (int i = 0; i < a.GetOutputCount(); ++i) {
        EXPECT_EQ(a.GetOutputAddress(i), b.GetOutputAddress(i));
        EXPECT_EQ(a.GetOutputName(i), b.GetOutputName(i));
        EXPECT_EQ(a.GetUserTag(i), b.GetUserTag(i));
    }
    for (int kind = 0; kind < 3; ++kind) {
        ASSERT_EQ(a.GetParamListSize(kind), b.GetParamListSize(kind));
        EXPECT_EQ(a.CompareParams(kind, b), 0);
        for (int j = 0; j < a.GetParamListSize(kind); ++j) {
            EXPECT_EQ(a.GetParam(kind, j)->m_cType, b.GetParam(kind, j)->m_cType);
            EXPECT_EQ(a.GetParam(kind, j)->GetMnemonic(), b.GetParam(kind, j)->GetMnemonic());
        }
    }
}

TEST(BlockArchive, CurrentLayoutBytes) {
    auto co = Make("CO", 10);
    co->SetLoopNumber(2);
    co->SetChanged(true);
    ASSERT_TRUE(co->SetParamValue(0, 0, "47"));
    const std::vector<uint8_t> bytes = Store(*co);
    EXPECT_FALSE(co->IsChanged());  // storing clears the changed flag
    // Class record, then type index 1, name "CO", number 10, loop 2, one output.
    const std::vector<uint8_t> head = {0xFF, 0xFF, 4, 0, 6, 0,   'C', 'B', 'l', 'o', 'c', 'k',
                                       1,    0,    0, 0, 2, 'C', 'O', 10,  0,   0,   0,   2,
                                       0,    0,    0, 1, 0, 0,   0,   18,  0,   0,   0};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
    // 44-byte output record, then LINK count 1 and its 14-byte parameter record.
    const std::size_t link = head.size() + 40;
    EXPECT_EQ(std::memcmp(&bytes[head.size()], "CO010.OUT018", 13), 0);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + link, bytes.begin() + link + 12),
              (std::vector<uint8_t>{1, 0, 0, 0, 'I', 'L', 'I', 'A', ' ', 0, 47, 0}));
    // Three counts + (1 + 2 + 1) parameters of 14 bytes.
    EXPECT_EQ(bytes.size(), link + 3 * 4 + 4 * 14);
    auto loaded = Load(bytes);
    ExpectSameBlock(*co, *loaded);
    EXPECT_EQ(loaded->GetLoopNumber(), 2);
}

// Writes a block body in an older layout by hand.
std::vector<uint8_t> OldBlockBytes(int schema, const CBlock& block) {
    CArchive ar;
    const char name[] = "CBlock";
    ar.WriteUInt16(0xFFFF);
    ar.WriteUInt16(static_cast<uint16_t>(schema));
    ar.WriteUInt16(6);
    ar.Write(name, 6);
    ar.WriteInt32(block.GetTypeIndex());
    ar.WriteString(block.GetName());
    ar.WriteInt32(block.GetBlockNumber());
    if (schema >= 3) {
        ar.WriteInt32(block.GetLoopNumber());
        ar.WriteInt32(block.GetOutputCount());
        for (int i = 0; i < block.GetOutputCount(); ++i) {
            char field[20] = {};
            ar.WriteInt32(block.GetOutputAddress(i));
            std::strncpy(field, "OLDNAME", sizeof field - 1);
            ar.Write(field, 20);
            const bool keepTag = i == 9;
            std::strncpy(field, keepTag ? "MY TAG" : "oldname", sizeof field - 1);
            ar.Write(field, 20);
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        ar.WriteInt32(block.GetParamListSize(kind));
        for (int j = 0; j < block.GetParamListSize(kind); ++j) {
            const CBlockParam& p = *block.GetParam(kind, j);
            const bool oldLink = kind == 0 && schema < 3;
            if (oldLink) {
                ar.WriteInt32(12345);
            }
            ar.WriteUInt8(static_cast<uint8_t>(p.m_cType));
            ar.Write(p.m_szMnemonic, 5);
            ar.Write(p.m_value, oldLink ? 2 : 8);
        }
    }
    return ar.GetBuffer();
}

TEST(BlockArchive, OlderSchemasGiveTheSameBlock) {
    auto apid = Make("APID", 40);
    ASSERT_TRUE(apid->SetParamValue(0, 0, "47"));
    ASSERT_TRUE(apid->SetParamValue(0, 4, "233"));
    ASSERT_TRUE(apid->SetParamValue(2, 1, "25.5"));
    auto schema2 = Load(OldBlockBytes(2, *apid));
    ExpectSameBlock(*apid, *schema2);  // outputs regenerated, 2-byte LINK values
    EXPECT_EQ(schema2->GetLinkValue(4), 233);
    EXPECT_EQ(Load(OldBlockBytes(4, *apid))->GetOutputName(0), "OLDNAME");
}

TEST(BlockArchive, OlderAtuOutputsAreRenamed) {
    auto atu = Make("ATU", 121);
    auto loaded = Load(OldBlockBytes(3, *atu));
    EXPECT_EQ(loaded->GetOutputName(0), "Digital.OUT161");
    EXPECT_EQ(loaded->GetUserTag(0), "Digital.OUT161");  // tag equalled the name
    EXPECT_EQ(loaded->GetOutputName(9), "Analog.OUT170");
    EXPECT_EQ(loaded->GetUserTag(9), "MY TAG");  // the user's own tag stays
}

TEST(BlockArchive, MalformedBodiesAreRefused) {
    auto ai = Make("AI", 3);
    std::vector<uint8_t> bytes = Store(*ai);
    // Output count at offset 12 + 1 + 2 + 4 + 4 = 23 (after header, type, name, number, loop).
    const std::size_t countAt = 12 + 4 + 3 + 4 + 4;
    ASSERT_EQ(bytes[countAt], 2);
    std::vector<uint8_t> absurd = bytes;
    absurd[countAt + 3] = 0x7F;
    EXPECT_THROW(Load(absurd), CArchiveException);
    std::vector<uint8_t> negative = bytes;
    negative[countAt + 3] = 0xFF;
    EXPECT_THROW(Load(negative), CArchiveException);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + size);
        EXPECT_THROW(Load(prefix), CArchiveException) << size;
    }
}

TEST(BlockArchive, RefreshRestoresRangesAfterLoading) {
    auto apid = Make("APID", 39);
    auto loaded = Load(Store(*apid));
    EXPECT_EQ(loaded->GetParam(1, 11)->m_dMax, 0.0);
    CParamDictionary::Get().RefreshBlockParams(*loaded);
    EXPECT_DOUBLE_EQ(loaded->GetParam(1, 11)->m_dMax, 102.0);
    EXPECT_EQ(loaded->GetParam(1, 11)->m_strDescription, apid->GetParam(1, 11)->m_strDescription);
}

}  // namespace
