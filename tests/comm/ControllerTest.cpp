#include <gtest/gtest.h>

#include <cstring>

#include "comm/ConfController.h"
#include "comm/FakePort.h"
#include "comm/FrameCodec.h"
#include "model/BlockTypeTable.h"
#include "platform/PostedMessage.h"

namespace {

// Bit by bit, independent of the byte-wise form under test.
uint16_t ReferenceKermit(const std::vector<uint8_t>& bytes) {
    uint16_t crc = 0;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0x8408)
                            : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

// A reply as a controller at address 2 sends it.
std::vector<uint8_t> Reply(const std::vector<uint8_t>& request, uint8_t answer,
                           const std::vector<uint8_t>& data = {}, bool stuffed = false) {
    CFrameBuilder reply(0x20, 2, answer, request[5], request[6], request[7]);
    if (stuffed) {
        reply.AppendStuffed(data.data(), data.size());
    } else {
        reply.AppendPlain(data.data(), data.size());
    }
    return reply.Finish();
}

CCommunicationData Settings(int retries = 3) {
    CCommunicationData settings;
    settings.m_nRetries = retries;
    return settings;
}

TEST(FrameCodec, ChecksumAndStuffing) {
    const char* check = "123456789";
    EXPECT_EQ(frame::Crc16Kermit(reinterpret_cast<const uint8_t*>(check), 9), 0x2189);

    // A parameter byte 0xFE goes out as FE 00; L and the checksum leave the 00 out.
    CFrameBuilder builder(2, 0x20, 0x2B, 1, 9, 0);
    const uint8_t data[] = {0x12, 0xFE, 0x34};
    builder.AppendStuffed(data, 3);
    const std::vector<uint8_t> bytes = builder.Finish();
    EXPECT_EQ(bytes[4], 8);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.begin() + 12),
              (std::vector<uint8_t>{0x12, 0xFE, 0x00, 0x34}));
    const std::vector<uint8_t> logical = {0xFE, 2, 0x20, 0x2B, 8, 1, 9, 0, 0x12, 0xFE, 0x34};
    const uint16_t crc = ReferenceKermit(logical);
    EXPECT_EQ(bytes[bytes.size() - 2], crc & 0xFF);
    EXPECT_EQ(bytes.back(), crc >> 8);
    EXPECT_EQ(frame::Unstuff(bytes.data(), bytes.size()).size(), bytes.size() - 1);

    // A checksum whose low byte is 0xFE is followed by 0x00 on the line.
    bool found = false;
    for (int loop = 0; loop < 256 && !found; ++loop) {
        for (int offset = 0; offset < 256 && !found; ++offset) {
            CFrameBuilder probe(2, 0x20, 0x30, static_cast<uint8_t>(loop), 1,
                                static_cast<uint8_t>(offset));
            const std::vector<uint8_t> frameBytes = probe.Finish();
            if (frameBytes[8] == 0xFE) {
                found = true;
                EXPECT_EQ(frameBytes.size(), 11u);
                EXPECT_EQ(frameBytes[9], 0x00);
                EXPECT_EQ(frameBytes[4], 5);
            }
        }
    }
    EXPECT_TRUE(found);
}

TEST(Controller, RequestBytesOfReplaceLoops) {
    std::vector<std::vector<uint8_t>> requests;
    CFakePortScope scope([&](const std::vector<uint8_t>& request) {
        requests.push_back(request);
        std::vector<uint8_t> data(request.begin() + 8, request.end() - 2);
        return Reply(request, 0xAD, data);
    });
    CController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    ASSERT_TRUE(controller.ReplaceAllLoops());
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(std::vector<uint8_t>(requests[0].begin(), requests[0].end() - 2),
              (std::vector<uint8_t>{0xFE, 2, 0x20, 0x4D, 10, 0, 0xAA, 0xAA, 1, 2, 3, 4, 5}));
    EXPECT_EQ(std::vector<uint8_t>(requests[1].begin(), requests[1].end() - 2),
              (std::vector<uint8_t>{0xFE, 2, 0x20, 0x4D, 5, 0, 0x55, 0x55}));
    const std::vector<uint8_t> first(requests[0].begin(), requests[0].end() - 2);
    EXPECT_EQ(requests[0][13] | (requests[0][14] << 8), ReferenceKermit(first));
}

TEST(Controller, RetriesAndTimeout) {
    int sent = 0;
    CFakePortScope scope([&](const std::vector<uint8_t>&) {
        ++sent;
        return std::vector<uint8_t>();
    });
    CController once;
    ASSERT_TRUE(once.Open(Settings(0), false));
    std::string version;
    EXPECT_FALSE(once.ReadVersion(version));
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(once.GetErrorCode(), CController::ERR_TIMEOUT);
    EXPECT_EQ(once.GetErrorText(), "\nCommunication Time-out !!!");

    sent = 0;
    CController four;
    ASSERT_TRUE(four.Open(Settings(3), false));
    EXPECT_FALSE(four.ReadVersion(version));
    EXPECT_EQ(sent, 4);
    EXPECT_EQ(scope.last->clears, 4);
}

TEST(Controller, FailedRepliesGiveTheirCodes) {
    struct Case {
        std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)> reply;
        int code;
    };
    auto errorAnswer = [](uint8_t subCode) {
        return [subCode](const std::vector<uint8_t>&) {
            return std::vector<uint8_t>{0xFE, 0x20, 2, 0x05, subCode, 0, 0, 0, 0, 0};
        };
    };
    const Case cases[] = {
        {errorAnswer(1), CController::ERR_MEMORY_OVERFLOW},
        {errorAnswer(3), CController::ERR_NO_COMM_BLOCK},
        {errorAnswer(7), CController::ERR_KEY_SAFE},
        {[](const std::vector<uint8_t>& r) {
             return Reply(r, 0x28, {0x9A, 0x01});
         },
         CController::ERR_ANSWER_CODE},
        {[](const std::vector<uint8_t>& r) {
             std::vector<uint8_t> request = r;
             request[5] = 3;  // the echo names another loop
             return Reply(request, 0x27, {0x9A, 0x01});
         },
         CController::ERR_ADDRESSING},
        {[](const std::vector<uint8_t>& r) {
             std::vector<uint8_t> reply = Reply(r, 0x27, {0x9A, 0x01});
             reply[8] ^= 0x01;  // damaged on the line
             return reply;
         },
         CController::ERR_CRC},
    };
    for (const Case& c : cases) {
        CFakePortScope scope(c.reply);
        CController controller;
        ASSERT_TRUE(controller.Open(Settings(0), false));
        std::string version;
        EXPECT_FALSE(controller.ReadVersion(version));
        EXPECT_EQ(controller.GetErrorCode(), c.code);
    }
    EXPECT_EQ(CController::ErrorText(9), "\nVarex without a communication Block.");
    EXPECT_EQ(CController::ErrorText(10), "\nVarex Prog. Key is SAFE. Switch to NVRAM.");
    EXPECT_EQ(CController::ErrorText(0), "");
}

TEST(Controller, ReadsValuesVersionNamesAndCalibration) {
    CFakePortScope scope([](const std::vector<uint8_t>& r) -> std::vector<uint8_t> {
        switch (r[3]) {
            case 0xC7:
                return Reply(r, 0x27, {0x9A, 0x01});  // 410
            case 0x9C:
                return Reply(r, 0xDC, {'P', 'L', 'A', 'N', 'T', ' ', ' ', ' '});
            case 0x5F:
                return Reply(r, 0xBF, {0xFB, 0xFF, 45, 0, 0xD2, 0x04});
            case 0xC1:
                return Reply(r, 0x21, std::vector<uint8_t>(16, 0xFE), true);
            case 0x56:
                return Reply(r, 0x76);
            default:
                return {};
        }
    });
    CController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    std::string version;
    ASSERT_TRUE(controller.ReadVersion(version));
    EXPECT_EQ(version, "4.10");
    char name[9];
    ASSERT_TRUE(controller.ReadLoopName("5", name));
    EXPECT_STREQ(name, "PLANT   ");
    std::string values;
    ASSERT_TRUE(controller.ReadBlockValues(1, 9, 0, values));
    EXPECT_EQ(values, "-0.05%;0.45%;12.34%;");
    std::vector<uint8_t> table;
    ASSERT_TRUE(controller.ReadCalibration(2, table));
    EXPECT_EQ(table, std::vector<uint8_t>(16, 0xFE));
    const uint8_t automatic[2] = {0x05, 1};
    ASSERT_TRUE(controller.WriteCalibration(241, automatic));
    const std::vector<uint8_t>& sent = scope.last->written.back();
    EXPECT_EQ(sent[6], 1);  // automatic calibration goes out as kind 1
    EXPECT_EQ(sent[4], 7);
    std::string answer;
    ASSERT_TRUE(controller.ProbeDevice(7, answer));
    EXPECT_EQ(answer, "4.10;PLANT;");
    EXPECT_EQ(controller.GetTargetAddress(), 7);
}

TEST(Controller, ValueListRequest) {
    CFakePortScope scope([](const std::vector<uint8_t>& r) {
        return Reply(r, 0xBF, {1, 0, 2, 0});
    });
    CController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    std::string list = "47;48;233";
    ASSERT_TRUE(controller.ReadBlockValues(1, 0xFA, 0, list));
    const std::vector<uint8_t>& sent = scope.last->written.back();
    EXPECT_EQ(sent[4], 7);  // two addresses: the text after the last ";" is not sent
    EXPECT_EQ(sent[8], 47);
    EXPECT_EQ(sent[9], 48);
    EXPECT_EQ(list, "0.01%;0.02%;");
}

// A controller that keeps what SendLoop sends and answers ReadLoop with it.
class LoopStore {
public:
    std::vector<uint8_t> Respond(const std::vector<uint8_t>& request) {
        const std::vector<uint8_t> r = frame::Unstuff(request.data(), request.size());
        frames.push_back(r);
        if (r[3] == 0x59) {
            return Reply(request, 0xB9);
        }
        if (r[3] == 0x4E) {
            data.insert(data.end(), r.begin() + 8, r.end() - 2);
            return Reply(request, 0xAE);
        }
        return {};
    }
    std::vector<std::vector<uint8_t>> frames;
    std::vector<uint8_t> data;
};

TEST(ConfController, SendLoopPacksFramesBelow128Bytes) {
    LoopStore store;
    CFakePortScope scope([&](const std::vector<uint8_t>& r) { return store.Respond(r); });
    CConfController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));

    CLoop loop(2, "FLOW");
    for (int b = 39; b <= 42; ++b) {
        auto block = CBlock::Create(FindBlockTypeByMnemonic("APID"), b);
        for (int j = 0; j < 5; ++j) {
            block->GetParam(0, j)->m_value[0] = 0xFE;  // every LINK value needs a stuffing byte
        }
        loop.AddBlock(std::move(block));
    }
    ASSERT_TRUE(controller.SendLoop(loop));
    const auto& written = scope.last->written;
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(std::vector<uint8_t>(written[0].begin() + 3, written[0].begin() + 8),
              (std::vector<uint8_t>{0x59, 5, 2, 9, 0}));
    EXPECT_EQ(written[1][5], 0x62);  // first data frame: loop | 0x60 and the name
    EXPECT_EQ(std::string(written[1].begin() + 8, written[1].begin() + 12), "FLOW");
    std::size_t records = 0;
    for (std::size_t i = 1; i < written.size(); ++i) {
        EXPECT_LT(written[i].size() - 2, 128u) << "frame " << i;  // before the checksum
        if (i > 1) {
            EXPECT_EQ(written[i][5], 2);
        }
        const std::vector<uint8_t>& logical = store.frames[i];
        EXPECT_EQ(logical[4], logical.size() - 5);  // L counts logical bytes
        records +=
            static_cast<std::size_t>(std::count(logical.begin() + 8, logical.end() - 2, 0xAA)) / 2;
    }
    EXPECT_EQ(records, 4u);
    EXPECT_EQ(written.back()[6], 0);  // the last frame names no next block
    EXPECT_EQ(written.back()[7], 0);
    EXPECT_EQ(written[1][6], 9);  // the first frame names the block that follows it
}

TEST(ConfController, EmptyLoopIsOneBeginAndOneNameFrame) {
    LoopStore store;
    CFakePortScope scope([&](const std::vector<uint8_t>& r) { return store.Respond(r); });
    CConfController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    ASSERT_TRUE(controller.SendLoop(CLoop(5, "PLANT")));
    const auto& frames = store.frames;
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(std::vector<uint8_t>(frames[0].begin() + 5, frames[0].begin() + 8),
              (std::vector<uint8_t>{5, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(frames[1].begin() + 5, frames[1].begin() + 8),
              (std::vector<uint8_t>{0x65, 0, 0}));
    EXPECT_EQ(std::string(frames[1].begin() + 8, frames[1].begin() + 16), "PLANT   ");
    EXPECT_EQ(frames[1][4], 13);
}

// Replies to "Z" with records of a prepared loop, two blocks a reply.
std::vector<uint8_t> UploadReply(const std::vector<uint8_t>& request, const CLoop& loop) {
    int index = 0;
    while (request[6] != 0 && index < loop.GetBlockCount() &&
           !(CConfController::FunctionOf(*loop.GetBlock(index)) == request[6] &&
             CConfController::OffsetOf(*loop.GetBlock(index)) == request[7])) {
        ++index;
    }
    const int end = std::min(index + 2, loop.GetBlockCount());
    const CBlock* next = loop.GetBlock(end);
    CFrameBuilder reply(0x20, 2, 0xBA, request[5], next ? CConfController::FunctionOf(*next) : 0,
                        next ? CConfController::OffsetOf(*next) : 0);
    if (request[6] == 0) {
        std::string name = loop.GetName();
        name.resize(8, ' ');
        reply.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), 8);
    }
    for (int b = index; b < end; ++b) {
        const CBlock& block = *loop.GetBlock(b);
        const uint8_t header[] = {0xAA, 0xAA, CConfController::FunctionOf(block),
                                  CConfController::OffsetOf(block)};
        reply.AppendPlain(header, 4);
        std::vector<uint8_t> image;
        std::size_t position = 0;
        block.BuildParamImage(image, position, false);
        const std::vector<uint8_t> raw = frame::Unstuff(image.data(), image.size(), 0);
        reply.AppendStuffed(raw.data(), raw.size());
    }
    return reply.Finish();
}

TEST(ConfController, ReadLoopFollowsContinuations) {
    CLoop source(3, "TEMP");
    source.AddBlock(CBlock::Create(0, 3));
    auto pid = CBlock::Create(FindBlockTypeByMnemonic("PID"), 43);
    ASSERT_TRUE(pid->SetParamValue(0, 1, "5"));
    pid->GetParam(2, 0)->m_value[0] = 0xFE;  // a 0xFE byte in the reply
    source.AddBlock(std::move(pid));
    source.AddBlock(CBlock::Create(FindBlockTypeByMnemonic("CO"), 10));
    CFakePortScope scope([&](const std::vector<uint8_t>& r) { return UploadReply(r, source); });
    CConfController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    auto loop = controller.ReadLoop(3);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->GetName(), "TEMP    ");
    ASSERT_EQ(loop->GetBlockCount(), 3);
    EXPECT_EQ(scope.last->written.size(), 2u);
    EXPECT_EQ(loop->GetBlock(1)->GetBlockNumber(), 43);
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(loop->GetBlock(1)->CompareParams(kind, *source.GetBlock(1)), 0);
    }
    EXPECT_EQ(loop->GetBlock(2)->GetOutputAddress(0), 18);
}

TEST(ConfController, DamagedUploadRecordsAreRefused) {
    CFakePortScope scope([](const std::vector<uint8_t>& r) {
        CFrameBuilder reply(0x20, 2, 0xBA, r[5], 0, 0);
        const uint8_t data[] = {'L', '1', ' ', ' ', ' ', ' ', ' ', ' ', 0xAA, 0xAA, 99, 0, 1, 2};
        reply.AppendPlain(data, sizeof data);
        return reply.Finish();
    });
    CConfController controller;
    ASSERT_TRUE(controller.Open(Settings(), false));
    auto loop = controller.ReadLoop(1);
    ASSERT_TRUE(loop);  // what was read so far is kept
    EXPECT_EQ(loop->GetBlockCount(), 0);
    EXPECT_EQ(controller.GetErrorCode(), CController::ERR_ADDRESSING);
}

TEST(ConfController, ActivityIsPosted) {
    std::vector<std::pair<std::string, long>> posted;
    MessagePoster previous = SetMessagePoster(
        [&](const std::string& name, long w, long) { posted.emplace_back(name, w); });
    CFakePortScope scope([](const std::vector<uint8_t>& r) { return Reply(r, 0x27, {1, 1}); });
    CConfController controller;
    ASSERT_TRUE(controller.Open(Settings(), true));
    EXPECT_TRUE(controller.GetIdleEvent()->IsSet());
    std::string version;
    ASSERT_TRUE(controller.ReadVersion(version));
    SetMessagePoster(previous);
    EXPECT_TRUE(controller.GetIdleEvent()->IsSet());
    const std::vector<std::pair<std::string, long>> expected = {{msg::kUpdateTxLed, 1},
                                                                {msg::kUpdateTxLed, 0},
                                                                {msg::kUpdateRxLed, 1},
                                                                {msg::kUpdateRxLed, 1},
                                                                {msg::kUpdateRxLed, 0}};
    EXPECT_EQ(posted, expected);
}

TEST(Controller, NothingIsSentWhenClosed) {
    CController controller;
    std::string text;
    EXPECT_FALSE(controller.ReadVersion(text));
    EXPECT_FALSE(controller.ReplaceAllLoops());
    EXPECT_FALSE(controller.Close());
    CConfController conf;
    EXPECT_FALSE(conf.SendLoop(CLoop(1, "A")));
    EXPECT_EQ(conf.ReadLoop(1), nullptr);
}

}  // namespace
