#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "SimController.h"
#include "SimFrameReader.h"
#include "comm/FrameCodec.h"
#include "model/BlockParam.h"
#include "model/BlockTypeTable.h"
#include "support/TestPaths.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kSim = CSimController::kDefaultAddress;

Bytes Request(uint8_t command, uint8_t loop, uint8_t function, uint8_t offset,
              const Bytes& data = {}, bool stuffed = false, uint8_t lengthByte = 0,
              uint8_t target = kSim) {
    CFrameBuilder builder(target, frame::kKestrelAddress, command, loop, function, offset,
                          lengthByte);
    if (stuffed) {
        builder.AppendStuffed(data.data(), data.size());
    } else {
        builder.AppendPlain(data.data(), data.size());
    }
    return builder.Finish();
}

Bytes ReadRequest(uint8_t command, uint8_t loop, uint8_t function, uint8_t offset) {
    return Request(command, loop, function, offset, {}, false, frame::kReadLength);
}

// A reply as a client sees it: stuffing removed, the checksum checked.
struct Reply {
    Bytes bytes;
    bool checksumOk = false;
    std::size_t lineSize = 0;  // bytes on the line before the checksum
    Bytes data;                // the L - 5 data bytes
    uint8_t Code() const { return bytes.at(3); }
    std::string Text() const { return std::string(data.begin(), data.end()); }
};

Reply Decode(const Bytes& line) {
    Reply reply;
    reply.bytes = frame::Unstuff(line.data(), line.size(), 5);
    if (reply.bytes.size() < 10) {
        return reply;
    }
    // The checksum covers the line up to its first byte: walk the logical bytes before it.
    const std::size_t logicalEnd = reply.bytes.size() - 2;
    std::size_t seen = 0;
    std::size_t position = 0;
    for (; position < line.size() && seen < logicalEnd; ++position) {
        if (!(position >= 6 && line[position - 1] == 0xFE && line[position] == 0x00)) {
            ++seen;
        }
    }
    const uint16_t crc =
        static_cast<uint16_t>(reply.bytes[logicalEnd] | (reply.bytes[logicalEnd + 1] << 8));
    reply.checksumOk = frame::FrameChecksum(line.data(), position) == crc;
    reply.lineSize = position;
    const std::size_t end = std::min<std::size_t>(logicalEnd, 8 + reply.bytes[4] - 5);
    reply.data.assign(reply.bytes.begin() + 8, reply.bytes.begin() + std::max<std::size_t>(end, 8));
    return reply;
}

std::unique_ptr<CBlock> Make(const char* mnemonic, int number) {
    return CBlock::Create(FindBlockTypeByMnemonic(mnemonic), number);
}

void SetRaw(CBlock& block, int kind, int j, int16_t value) {
    CBlockParam* param = block.GetParam(kind, j);
    param->m_value[0] = static_cast<uint8_t>(value & 0xFF);
    param->m_value[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// The parameter bytes of a block read straight from its parameters.
Bytes Params(const CBlock& block, int firstKind) {
    Bytes bytes;
    for (int kind = firstKind; kind <= PARAM_ADJ; ++kind) {
        for (int j = 0; j < block.GetParamListSize(kind); ++j) {
            const CBlockParam* param = block.GetParam(kind, j);
            bytes.insert(bytes.end(), param->m_value, param->m_value + param->GetValueSize());
        }
    }
    return bytes;
}

int RecordSize(const CBlock& block) {
    const int t = block.GetTypeIndex();
    return 4 + GetAreaSize(t, PARAM_LINK) + GetAreaSize(t, PARAM_CONF) + GetAreaSize(t, PARAM_ADJ);
}

// The frames of a loop download as a client builds them: "Y", then "N" frames of
// block records, each record added only while line size + record < 128.
std::vector<Bytes> DownloadFrames(uint8_t loop, const std::string& name,
                                  const std::vector<const CBlock*>& blocks) {
    auto position = [&](std::size_t i, uint8_t& function, uint8_t& offset) {
        function = i < blocks.size() ? static_cast<uint8_t>(blocks[i]->GetTypeNumber()) : 0;
        offset = i < blocks.size() ? static_cast<uint8_t>(blocks[i]->GetInstance()) : 0;
    };
    uint8_t function = 0;
    uint8_t offset = 0;
    position(0, function, offset);
    std::vector<Bytes> frames = {Request(0x59, loop, function, offset)};
    std::size_t i = 0;
    do {
        CFrameBuilder builder(kSim, 0x20, 0x4E, frames.size() == 1 ? loop | 0x60 : loop, 0, 0);
        if (frames.size() == 1) {
            std::string padded = name;
            padded.resize(8, ' ');
            builder.AppendPlain(reinterpret_cast<const uint8_t*>(padded.data()), 8);
        }
        for (std::size_t start = i; i < blocks.size(); ++i) {
            if (i > start && builder.GetLineSize() + RecordSize(*blocks[i]) >= 128) {
                break;
            }
            position(i, function, offset);
            builder.AppendPlain(Bytes{0xAA, 0xAA, function, offset}.data(), 4);
            const Bytes params = Params(*blocks[i], PARAM_LINK);
            builder.AppendStuffed(params.data(), params.size());
        }
        position(i, function, offset);
        builder.SetFunctionOffset(function, offset);
        frames.push_back(builder.Finish());
    } while (i < blocks.size());
    return frames;
}

// Sends every frame; true when each got its expected answer.
bool Download(CSimController& sim, const std::vector<Bytes>& frames) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const Reply reply = Decode(sim.HandleRequest(frames[i]));
        if (reply.bytes.size() < 4 || reply.Code() != (i == 0 ? 0xB9 : 0xAE)) {
            return false;
        }
    }
    return true;
}

struct Upload {
    std::string name;
    std::vector<Bytes> records;  // function, offset, parameter bytes
    std::vector<Reply> replies;
};

// Reads a loop with "Z" as a client does, following the continuation bytes.
Upload ReadLoop(CSimController& sim, uint8_t loop) {
    Upload upload;
    uint8_t function = 0;
    uint8_t offset = 0;
    do {
        const Reply reply = Decode(sim.HandleRequest(ReadRequest(0x5A, loop, function, offset)));
        if (reply.bytes.size() < 10 || upload.replies.size() > 20) {
            break;
        }
        upload.replies.push_back(reply);
        Bytes data = reply.data;
        std::size_t at = 0;
        if (function == 0 && offset == 0) {
            upload.name.assign(data.begin(), data.begin() + 8);
            at = 8;
        }
        while (at + 4 <= data.size()) {
            const int t = data[at + 2] - 1;
            const std::size_t size = 4 + GetAreaSize(t, PARAM_LINK) + GetAreaSize(t, PARAM_CONF) +
                                     GetAreaSize(t, PARAM_ADJ);
            upload.records.emplace_back(data.begin() + at + 2,
                                        data.begin() + std::min(at + size, data.size()));
            at += size;
        }
        function = reply.bytes[6];
        offset = reply.bytes[7];
    } while (function != 0);
    return upload;
}

class SimControllerTest : public ::testing::Test {
protected:
    // Loop 1 of a small plant: more records than one frame holds, a parameter byte
    // 0xFE (K01 = 2.54 is stored as FE 00) and a closed PID loop.
    void SetUp() override {
        m_blocks.push_back(Make("AI", 1));
        m_blocks.push_back(Make("K", 118));
        SetRaw(*m_blocks.back(), PARAM_ADJ, 0, 254);
        SetRaw(*m_blocks.back(), PARAM_ADJ, 1, 6000);
        m_blocks.push_back(Make("PID", 43));
        SetRaw(*m_blocks.back(), PARAM_LINK, 0, m_blocks[1]->GetOutputAddress(1));  // SP: K02
        SetRaw(*m_blocks.back(), PARAM_LINK, 1, m_blocks[0]->GetOutputAddress(0));  // PV: AI
        m_blocks.push_back(Make("APID", 39));
        m_blocks.push_back(Make("FV", 27));
        m_blocks.push_back(Make("CO", 9));
        SetRaw(*m_blocks.back(), PARAM_LINK, 0, m_blocks[2]->GetOutputAddress(0));
        m_blocks.push_back(Make("ADJ", 99));
        SetRaw(*m_blocks.back(), PARAM_ADJ, 0, 6500);
    }

    std::vector<const CBlock*> Blocks() const {
        std::vector<const CBlock*> blocks;
        for (const auto& block : m_blocks) {
            blocks.push_back(block.get());
        }
        return blocks;
    }

    CSimController m_sim;
    std::vector<std::unique_ptr<CBlock>> m_blocks;
};

TEST_F(SimControllerTest, AnswersOnlyItsAddressAndGoodChecksums) {
    const Bytes version = m_sim.HandleRequest(ReadRequest(0xC7, 0, 0, 0));
    ASSERT_GE(version.size(), 12u);
    EXPECT_EQ(Bytes(version.begin(), version.begin() + 10),
              (Bytes{0xFE, 0x20, 0x02, 0x27, 0x07, 0x00, 0x00, 0x00, 0x9A, 0x01}));
    EXPECT_TRUE(Decode(version).checksumOk);

    EXPECT_TRUE(m_sim.HandleRequest(Request(0xC7, 0, 0, 0, {}, false, 0x80, 3)).empty());
    Bytes damaged = ReadRequest(0xC7, 0, 0, 0);
    damaged[damaged.size() - 1] ^= 0x40;
    EXPECT_TRUE(m_sim.HandleRequest(damaged).empty());
    EXPECT_EQ(m_sim.GetLastNote(), "bad checksum");
    EXPECT_TRUE(m_sim.HandleRequest(Bytes{0xFE, 0x02, 0x20}).empty());
    EXPECT_TRUE(m_sim.HandleRequest(ReadRequest(0x77, 0, 0, 0)).empty());  // unknown command

    // A version whose low byte is 0xFE goes out stuffed and reads back whole.
    m_sim.SetVersion(254);
    const Bytes line = m_sim.HandleRequest(ReadRequest(0xC7, 0, 0, 0));
    const Reply reply = Decode(line);
    EXPECT_EQ(line[8], 0xFE);
    EXPECT_EQ(line[9], 0x00);
    EXPECT_EQ(reply.data, (Bytes{0xFE, 0x00}));
    EXPECT_TRUE(reply.checksumOk);
}

TEST_F(SimControllerTest, NamesAndGeneralItems) {
    Reply name = Decode(m_sim.HandleRequest(Request(0x9C, 5, 0, 0)));
    EXPECT_EQ(name.Code(), 0xDC);
    EXPECT_EQ(name.data, Bytes(8, ' '));  // no configuration

    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0x93, 0, 0, 0))).bytes.size(), 10u);
    Bytes items = {0x85, 'P', 'L', 'A', 'N', 'T', ' ', ' ', ' ',
                   0x82, 'T', 'E', 'M', 'P', ' ', ' ', ' ', ' '};
    const Reply written = Decode(m_sim.HandleRequest(Request(0x88, 0, 0, 0, items)));
    EXPECT_EQ(written.Code(), 0xC8);
    EXPECT_EQ(written.bytes[4], 5);
    EXPECT_EQ(m_sim.GetLoop(5).GetName(), "PLANT");
    EXPECT_EQ(m_sim.GetLoop(2).GetName(), "TEMP");
    name = Decode(m_sim.HandleRequest(Request(0x9C, 5, 0, 0)));
    EXPECT_EQ(name.Text(), "PLANT   ");
    EXPECT_TRUE(m_sim.HandleRequest(Request(0x9C, 6, 0, 0)).empty());

    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0xE4, 5, 0, 0))).data, Bytes{1});  // Plus
    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0xE4, 5, 1, 0))).data, (Bytes{100, 0}));
    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0xE4, 5, 3, 0))).data, Bytes{kSim});
    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0xE4, 5, 99, 0))).Code(), 0x24);
}

TEST_F(SimControllerTest, DownloadAndUploadRoundTrip) {
    const std::vector<Bytes> frames = DownloadFrames(1, "LEVEL", Blocks());
    ASSERT_GT(frames.size(), 3u);  // "Y" and several "N" frames
    ASSERT_TRUE(Download(m_sim, frames));
    const CLoop& loop = m_sim.GetLoop(1);
    EXPECT_EQ(loop.GetName(), "LEVEL");
    ASSERT_EQ(loop.GetBlockCount(), static_cast<int>(m_blocks.size()));
    EXPECT_EQ(loop.GetBlock(1)->GetParamText(PARAM_ADJ, 0), "2.54");
    EXPECT_EQ(loop.GetBlock(2)->GetLinkValue(0), m_blocks[1]->GetOutputAddress(1));

    const Upload upload = ReadLoop(m_sim, 1);
    EXPECT_EQ(upload.name, "LEVEL   ");
    ASSERT_EQ(upload.records.size(), m_blocks.size());
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
        Bytes expected = {static_cast<uint8_t>(m_blocks[i]->GetTypeNumber()),
                          static_cast<uint8_t>(m_blocks[i]->GetInstance())};
        const Bytes params = Params(*m_blocks[i], PARAM_LINK);
        expected.insert(expected.end(), params.begin(), params.end());
        EXPECT_EQ(upload.records[i], expected) << "record " << i;
    }
    // Every reply holds records while line size + record stays below 128 bytes, and
    // names the first block it could not take.
    ASSERT_GT(upload.replies.size(), 1u);
    for (const Reply& reply : upload.replies) {
        EXPECT_TRUE(reply.checksumOk);
        EXPECT_LT(reply.bytes.size() - 2, 128u);
        const auto next = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const auto& block) {
            return block->GetTypeNumber() == reply.bytes[6] &&
                   block->GetInstance() == reply.bytes[7];
        });
        if (&reply != &upload.replies.back()) {
            ASSERT_NE(next, m_blocks.end());
            EXPECT_GE(reply.lineSize + RecordSize(**next), 128u);
        }
    }
    EXPECT_EQ(upload.replies.back().bytes[6], 0);
    EXPECT_EQ(upload.replies.back().bytes[7], 0);

    // An empty loop: one reply with the name and 0, 0.
    const Upload empty = ReadLoop(m_sim, 3);
    ASSERT_EQ(empty.replies.size(), 1u);
    EXPECT_EQ(empty.name, "        ");
    EXPECT_TRUE(empty.records.empty());
}

// Records of 14 bytes: the first reply (16 bytes of header and name) takes seven
// AI, as an eighth would make exactly 128; the second takes the last AI and seven DO.
TEST_F(SimControllerTest, UploadStopsARecordShortOf128Bytes) {
    std::vector<std::unique_ptr<CBlock>> blocks;
    std::vector<const CBlock*> list;
    for (int n = 1; n <= 8; ++n) {
        blocks.push_back(Make("AI", n));
        list.push_back(blocks.back().get());
    }
    for (int n = 19; n <= 26; ++n) {
        blocks.push_back(Make("DO", n));
        list.push_back(blocks.back().get());
    }
    ASSERT_TRUE(Download(m_sim, DownloadFrames(2, "MANY", list)));
    const Upload upload = ReadLoop(m_sim, 2);
    ASSERT_EQ(upload.replies.size(), 3u);
    std::vector<std::size_t> sizes;
    for (const Reply& reply : upload.replies) {
        sizes.push_back(reply.lineSize);
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{16 + 7 * 14, 8 + 8 * 14, 8 + 14}));
    EXPECT_EQ(upload.replies[0].bytes[6], 1);  // continues with AI 008
    EXPECT_EQ(upload.replies[0].bytes[7], 7);
    EXPECT_EQ(upload.records.size(), 16u);
}

TEST_F(SimControllerTest, ReplaceLoopsClearsOnlyTheNamedLoops) {
    ASSERT_TRUE(Download(m_sim, DownloadFrames(1, "LEVEL", Blocks())));
    ASSERT_TRUE(Download(m_sim, DownloadFrames(2, "TEMP", {})));

    const Reply phase1 = Decode(m_sim.HandleRequest(Request(0x4D, 0, 0xAA, 0xAA, {1, 3})));
    EXPECT_EQ(phase1.Code(), 0xAD);
    EXPECT_EQ(phase1.data, (Bytes{1, 3}));
    EXPECT_EQ(m_sim.GetLoop(1).GetBlockCount(), 7);  // nothing cleared before phase 2
    const Reply phase2 = Decode(m_sim.HandleRequest(Request(0x4D, 0, 0x55, 0x55)));
    EXPECT_EQ(phase2.Code(), 0xAD);
    EXPECT_EQ(phase2.bytes[4], 5);
    EXPECT_EQ(m_sim.GetLoop(1).GetBlockCount(), 0);
    EXPECT_EQ(m_sim.GetLoop(1).GetName(), "");
    EXPECT_EQ(m_sim.GetLoop(2).GetName(), "TEMP");
}

TEST_F(SimControllerTest, DownloadBeyondTheLoopMemoryIsRefused) {
    // Loop G holds 92 bytes; four APID (21 each) and an FV (30) do not fit.
    std::vector<std::unique_ptr<CBlock>> blocks;
    blocks.push_back(Make("FV", 27));
    for (int n = 39; n <= 42; ++n) {
        blocks.push_back(Make("APID", n));
    }
    std::vector<const CBlock*> list;
    for (const auto& block : blocks) {
        list.push_back(block.get());
    }
    const std::vector<Bytes> frames = DownloadFrames(5, "PLANT", list);
    Bytes last;
    for (const Bytes& request : frames) {
        last = m_sim.HandleRequest(request);
        if (last.size() > 3 && last[3] == CSimController::kErrorAnswer) {
            break;
        }
    }
    ASSERT_GE(last.size(), 6u);
    EXPECT_EQ(last[3], CSimController::kErrorAnswer);
    EXPECT_EQ(last[4], 1);       // memory overflow
    EXPECT_EQ(last.size(), 6u);  // literal form: one byte after the sub-code
    EXPECT_EQ(last[5], 5);       // the loop byte echoed
    EXPECT_EQ(m_sim.GetLoop(5).GetBlockCount(), 0);
    EXPECT_EQ(m_sim.GetLoop(5).GetName(), "");
}

TEST_F(SimControllerTest, BlockWriteAndRead) {
    ASSERT_TRUE(Download(m_sim, DownloadFrames(1, "LEVEL", Blocks())));
    auto changed = Make("K", 118);
    SetRaw(*changed, PARAM_ADJ, 3, static_cast<int16_t>(0xFEFE));
    const Bytes params = Params(*changed, PARAM_CONF);

    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0x30, 1, 33, 0))).Code(), 0x70);
    const Reply written = Decode(m_sim.HandleRequest(Request(0x2B, 1, 33, 0, params, true)));
    EXPECT_EQ(written.Code(), 0x6B);
    EXPECT_EQ(written.bytes[4], 5);

    const Bytes line = m_sim.HandleRequest(ReadRequest(0x35, 1, 33, 0));
    const Reply read = Decode(line);
    EXPECT_EQ(read.Code(), 0x75);
    EXPECT_EQ(read.data, params);
    EXPECT_EQ(read.lineSize, 8 + params.size() + 2);  // two stuffing zeros
    EXPECT_TRUE(read.checksumOk);

    EXPECT_TRUE(m_sim.HandleRequest(ReadRequest(0x35, 1, 33, 1)).empty());  // no such block
    EXPECT_TRUE(m_sim.HandleRequest(ReadRequest(0x35, 2, 33, 0)).empty());  // other loop
}

TEST_F(SimControllerTest, BlockValuesFollowThePlant) {
    double now = 0.0;
    m_sim.GetPlant().SetClock([&now] { return now; });
    ASSERT_TRUE(Download(m_sim, DownloadFrames(1, "LEVEL", Blocks())));
    auto values = [this](const Bytes& request) {
        const Bytes data = Decode(m_sim.HandleRequest(request)).data;
        std::vector<int> result;
        for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
            result.push_back(static_cast<int16_t>(data[i] | (data[i + 1] << 8)));
        }
        return result;
    };
    const std::vector<int> constants = values(Request(0x5F, 5, 33, 0));
    ASSERT_EQ(constants.size(), 10u);
    EXPECT_EQ(constants[0], 254);
    EXPECT_EQ(constants[1], 6000);
    EXPECT_EQ(values(Request(0x5F, 1, 1, 0)).size(), 2u);                // AI: two outputs
    EXPECT_EQ(values(Request(0x5F, 1, 28, 0)), std::vector<int>{6500});  // ADJ setpoint
    EXPECT_EQ(values(Request(0x5F, 1, 2, 2)), std::vector<int>{0});      // CO 011: not there
    EXPECT_EQ(values(Request(0x5F, 0, 0xFA, 0, {233, 2, 1, 1})).size(), 4u);

    // The PID drives the AI it measures towards its setpoint K02 = 60 %, and the CO
    // follows the PID.
    const uint8_t pv = static_cast<uint8_t>(m_blocks[0]->GetOutputAddress(0));
    const uint8_t pid = static_cast<uint8_t>(m_blocks[2]->GetOutputAddress(0));
    const uint8_t co = static_cast<uint8_t>(m_blocks[5]->GetOutputAddress(0));
    std::vector<int> process;
    for (now = 30.0; now <= 300.0; now += 30.0) {
        process = values(Request(0x5F, 0, 0xFA, 0, {pv, pid, co}));
    }
    ASSERT_EQ(process.size(), 3u);
    EXPECT_NEAR(process[0], 6000, 300);
    EXPECT_GT(process[1], 0);
    EXPECT_EQ(process[2], process[1]);
}

TEST_F(SimControllerTest, CalibrationTables) {
    Reply read = Decode(m_sim.HandleRequest(ReadRequest(0xC1, 0, 2, 0)));
    EXPECT_EQ(read.Code(), 0x21);
    ASSERT_EQ(read.data.size(), 16u);
    EXPECT_EQ(read.data[2] | (read.data[3] << 8), 20000);  // C.O. 1 at 100 %
    EXPECT_EQ(Decode(m_sim.HandleRequest(ReadRequest(0xC1, 0, 1, 0))).data.size(), 64u);

    // A table as the client sends it: stuffed by its builder, in its fixed length.
    Bytes table = {0xFE, 0x00, 0x00, 0x88, 0x13};  // 254 stuffed, then 5000
    table.resize(16, 0x11);
    const Reply written = Decode(m_sim.HandleRequest(Request(0x56, 0, 3, 0, table)));
    EXPECT_EQ(written.Code(), 0x76);
    EXPECT_EQ(written.bytes[4], 5);
    read = Decode(m_sim.HandleRequest(ReadRequest(0xC1, 0, 3, 0)));
    ASSERT_EQ(read.data.size(), 16u);
    EXPECT_EQ(Bytes(read.data.begin(), read.data.begin() + 4), (Bytes{0xFE, 0x00, 0x88, 0x13}));
    EXPECT_TRUE(read.checksumOk);

    // The table stuffed on the line instead, L counting its 16 logical bytes.
    Bytes raw = {0xFE, 0x00, 0x88, 0x13};
    raw.resize(16, 0x22);
    const Bytes request = Request(0x56, 0, 3, 0, raw, true);
    EXPECT_EQ(Decode(m_sim.HandleRequest(request)).Code(), 0x76);
    EXPECT_EQ(m_sim.GetCalibration(3), raw);
    CSimFrameReader reader;
    reader.Feed(request.data(), request.size());
    Bytes frame;
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, request);

    // Automatic calibration of A.I. 1 and 3 at the 3.0 V point: two data bytes.
    ASSERT_EQ(Decode(m_sim.HandleRequest(Request(0x56, 0, 1, 0, Bytes(64, 0x11)))).Code(), 0x76);
    EXPECT_EQ(Decode(m_sim.HandleRequest(Request(0x56, 0, 1, 0, {0x05, 2}))).Code(), 0x76);
    const Bytes& inputs = m_sim.GetCalibration(1);
    for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 4; ++row) {
            const std::size_t at = (column * 4 + row) * 2;
            const int value = static_cast<int16_t>(inputs[at] | (inputs[at + 1] << 8));
            if (row == 2 && (column == 0 || column == 2)) {
                EXPECT_NEAR(value, 3000, 5);
            } else {
                EXPECT_EQ(value, 0x1111) << column << "/" << row;
            }
        }
    }
}

TEST_F(SimControllerTest, InjectedFaults) {
    const Bytes request = ReadRequest(0xC7, 0, 0, 0);
    const Bytes normal = m_sim.HandleRequest(request);

    CSimFaults& faults = m_sim.GetFaults();
    faults.m_bEcho = true;
    faults.m_nNoise = 2;
    Bytes line = m_sim.HandleRequest(request);
    ASSERT_EQ(line.size(), request.size() + 2 + normal.size());
    EXPECT_TRUE(std::equal(request.begin(), request.end(), line.begin()));
    EXPECT_NE(line[request.size()], 0xFE);
    EXPECT_NE(line[request.size() + 1], 0xFE);
    EXPECT_TRUE(std::equal(normal.begin(), normal.end(), line.end() - normal.size()));
    faults = CSimFaults();

    faults.m_bWrongEcho = true;
    Reply reply = Decode(m_sim.HandleRequest(Request(0x9C, 2, 0, 0)));
    EXPECT_EQ(reply.bytes[5], 3);
    EXPECT_TRUE(reply.checksumOk);
    faults = CSimFaults();

    faults.m_bBadChecksum = true;
    EXPECT_FALSE(Decode(m_sim.HandleRequest(request)).checksumOk);
    faults = CSimFaults();

    faults.m_nDropEvery = 2;
    const uint64_t count = m_sim.GetRequestCount();
    for (uint64_t n = count + 1; n <= count + 4; ++n) {
        EXPECT_EQ(m_sim.HandleRequest(request).empty(), n % 2 == 0) << n;
    }
}

TEST_F(SimControllerTest, ErrorAnswerForms) {
    CSimFaults& faults = m_sim.GetFaults();
    std::string error;
    ASSERT_TRUE(faults.SetOption("--error-answer", "7", error));
    const Bytes request = Request(0x9C, 4, 0, 0);
    Bytes line = m_sim.HandleRequest(request);
    ASSERT_EQ(line.size(), 5u + 7u);
    EXPECT_EQ(Bytes(line.begin(), line.begin() + 8),
              (Bytes{0xFE, 0x20, 0x02, CSimController::kErrorAnswer, 7, 4, 0, 0}));
    const uint16_t crc = frame::FrameChecksum(line.data(), 8);
    EXPECT_EQ(line[8], crc & 0xFF);  // neither checksum byte is 0xFE for this frame
    EXPECT_EQ(line[9], crc >> 8);
    EXPECT_EQ(line[10], 0);
    EXPECT_EQ(line[11], 0);

    ASSERT_TRUE(faults.SetOption("--error-form", "5", error));
    EXPECT_EQ(m_sim.HandleRequest(request).size(), 5u + 5u);

    ASSERT_TRUE(faults.SetOption("--error-answer", "3:2", error));
    ASSERT_TRUE(faults.SetOption("--error-form", "literal", error));
    const uint64_t next = m_sim.GetRequestCount() + 1;
    line = m_sim.HandleRequest(request);
    EXPECT_EQ(line[3], next % 2 == 0 ? CSimController::kErrorAnswer : 0xDC);
    line = m_sim.HandleRequest(request);
    EXPECT_EQ(line[3], next % 2 == 0 ? 0xDC : CSimController::kErrorAnswer);
    EXPECT_EQ(line.size(), next % 2 == 0 ? 18u : 8u);

    EXPECT_FALSE(faults.SetOption("--error-answer", "0", error));
    EXPECT_FALSE(faults.SetOption("--error-answer", "3:x", error));
    EXPECT_FALSE(faults.SetOption("--error-form", "6", error));
}

TEST(SimControllerLoad, TakesTheLoopsOfADocument) {
    const std::filesystem::path example = testpaths::ExamplePlant();
    CSimController sim;
    std::string error;
    ASSERT_TRUE(sim.LoadDocument(example.string(), error)) << error;
    EXPECT_EQ(sim.GetLoop(1).GetName(), "LEVEL");
    EXPECT_GT(sim.GetLoop(1).GetBlockCount(), 0);
    const Reply name = Decode(sim.HandleRequest(Request(0x9C, 5, 0, 0)));
    EXPECT_EQ(name.Text(), "PLANT   ");
    EXPECT_GT(ReadLoop(sim, 1).records.size(), 0u);

    EXPECT_FALSE(sim.LoadDocument("/nonexistent/NONE.vxp", error));
    EXPECT_FALSE(error.empty());
}

TEST(SimFrameReader, FindsFramesBehindNoiseAndAcrossPieces) {
    const Bytes params = {0x01, 0xFE, 0x02};
    const Bytes stuffed = Request(0x2B, 1, 33, 0, params, true);
    const Bytes plain = Request(0x9C, 5, 0, 0);
    Bytes stream = {0x00, 0x13, 0xFE, 0x02, 0x20, 0x9C, 0x03};  // noise with a false start
    stream.insert(stream.end(), stuffed.begin(), stuffed.end());
    stream.insert(stream.end(), {0xFE, 0x02});  // noise
    stream.insert(stream.end(), plain.begin(), plain.end());

    CSimFrameReader reader;
    std::vector<Bytes> frames;
    Bytes frame;
    for (std::size_t at = 0; at < stream.size(); at += 3) {
        const std::size_t size = std::min<std::size_t>(3, stream.size() - at);
        reader.Feed(stream.data() + at, size);
        while (reader.Next(frame)) {
            frames.push_back(frame);
        }
    }
    EXPECT_EQ(frames, (std::vector<Bytes>{stuffed, plain}));
    EXPECT_FALSE(reader.HasPending());

    // A truncated frame waits; after a silence the next frame still comes through.
    reader.Feed(plain.data(), 6);
    EXPECT_FALSE(reader.Next(frame));
    reader.DropPartial();
    reader.Feed(plain.data(), plain.size());
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, plain);
}

TEST(SimFrameReader, MeasuresStuffingWhereTheCommandHasIt) {
    // The loop name of a first "N" frame is plain: its 0xFE has no zero after it.
    CFrameBuilder first(kSim, 0x20, 0x4E, 0x61, 0, 0);
    const Bytes name = {'A', 0xFE, 'B', ' ', ' ', ' ', ' ', ' '};
    first.AppendPlain(name.data(), name.size());
    const Bytes record = {0xAA, 0xAA, 33, 0, 0xFE};
    first.AppendStuffed(record.data(), record.size());
    const Bytes line = first.Finish();
    CSimFrameReader::Layout layout;
    ASSERT_EQ(CSimFrameReader::Measure(line.data(), line.size(), layout),
              CSimFrameReader::Status::complete);
    EXPECT_EQ(layout.size, line.size());
    EXPECT_TRUE(CSimFrameReader::HasValidChecksum(line.data(), layout));

    const Bytes tooShortL = {0xFE, 0x02, 0x20, 0x9C, 0x04, 0, 0, 0, 0, 0};
    EXPECT_EQ(CSimFrameReader::Measure(tooShortL.data(), tooShortL.size(), layout),
              CSimFrameReader::Status::invalid);
    const Bytes brokenStuffing = {0xFE, 0x02, 0x20, 0x2B, 0x06, 1, 33, 0, 0xFE, 0x01, 0, 0};
    EXPECT_EQ(CSimFrameReader::Measure(brokenStuffing.data(), brokenStuffing.size(), layout),
              CSimFrameReader::Status::invalid);
}

// Whatever arrives, the reader and the controller neither crash nor read outside
// their buffers (the sanitizer build checks the second part): random bytes, and
// frames with good checksums but random addressing and data for every command.
// Whatever arrives, every reply the simulator sends is a whole frame with a
// good checksum.
TEST(SimFrameReader, AnswersRandomRequestsOnlyWithWellFormedFrames) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    CSimController sim;
    int replies = 0;
    auto ExpectWellFormed = [&replies](const Bytes& line) {
        if (line.empty()) {
            return;
        }
        ++replies;
        const Reply reply = Decode(line);
        ASSERT_GE(reply.bytes.size(), 10u);
        EXPECT_TRUE(reply.checksumOk);
        EXPECT_EQ(reply.bytes[0], 0xFE);
    };
    const uint8_t commands[] = {0x4D, 0x59, 0x4E, 0x30, 0x2B, 0x35, 0x5A, 0x93,
                                0x88, 0x56, 0xC1, 0x5F, 0x9C, 0xC7, 0xE4};
    for (int round = 0; round < 3000; ++round) {
        const uint8_t command = commands[round % std::size(commands)];
        const uint8_t loop = static_cast<uint8_t>(round % 7 == 0 ? byte(random) : 1 + round % 5);
        const uint8_t function = static_cast<uint8_t>(round % 3 == 0 ? byte(random) : round % 38);
        Bytes data(static_cast<std::size_t>(byte(random) % 120));
        for (uint8_t& b : data) {
            b = static_cast<uint8_t>(round % 4 == 0 ? 0xAA : byte(random));
        }
        const bool stuffed = command == 0x4E || command == 0x2B;
        ExpectWellFormed(sim.HandleRequest(
            Request(command, (command == 0x4E && round % 2) ? loop | 0x60 : loop, function,
                    static_cast<uint8_t>(byte(random) % 9), data, stuffed)));
    }
    CSimFrameReader reader;
    Bytes frame;
    for (int round = 0; round < 2000; ++round) {
        Bytes chunk(1 + round % 40);
        for (uint8_t& b : chunk) {
            b = static_cast<uint8_t>(round % 3 == 0 ? 0xFE : byte(random));
        }
        chunk[0] = 0xFE;
        if (chunk.size() > 1) {
            chunk[1] = kSim;
        }
        reader.Feed(chunk.data(), chunk.size());
        while (reader.Next(frame)) {
            ExpectWellFormed(sim.HandleRequest(frame));
        }
        ExpectWellFormed(sim.HandleRequest(chunk));
        if (round % 50 == 0) {
            reader.DropPartial();
        }
    }
    EXPECT_GT(replies, 0);
}

}  // namespace

TEST_F(SimControllerTest, WithoutConfigurationTheLoopsAnswerNoConfg) {
    auto name = [this](uint8_t loop) {
        const Reply reply = Decode(m_sim.HandleRequest(Request(0x9C, loop, 0, 0, {})));
        return std::string(reply.data.begin(), reply.data.end());
    };
    EXPECT_EQ(name(5), "        ");
    m_sim.SetNoConfigName(true);
    EXPECT_EQ(name(5), "NO CONFG");
    m_sim.SetLoop(5, std::make_unique<CLoop>(5, "CALIB"));
    EXPECT_EQ(name(5), "CALIB   ");
    EXPECT_EQ(name(1), "NO CONFG");
}
