#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "comm/FrameCodec.h"
#include "comm/SerialFrameReceiver.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A line whose bytes, silences and failures are written in advance.
class ScriptedLine : public CSerialFrameReceiver::ByteSource {
public:
    void Add(const Bytes& bytes) { m_events.insert(m_events.end(), bytes.begin(), bytes.end()); }
    void AddSilence() { m_events.push_back(kSilence); }
    void AddFailure() { m_events.push_back(kFailure); }
    std::size_t Left() const { return m_events.size(); }
    const std::vector<int>& TimeoutsAsked() const { return m_timeouts; }

    int ReadByte(uint8_t& byte, int timeoutMs) override {
        m_timeouts.push_back(timeoutMs);
        const int event = m_events.empty() ? kSilence : m_events.front();
        if (!m_events.empty()) {
            m_events.pop_front();
        }
        byte = static_cast<uint8_t>(event);
        return event >= 0 ? 1 : (event == kSilence ? 0 : -1);
    }

private:
    static constexpr int kSilence = -1;
    static constexpr int kFailure = -2;
    std::deque<int> m_events;
    std::vector<int> m_timeouts;
};

constexpr uint8_t kController = 0x02;
constexpr uint8_t kUs = frame::kKestrelAddress;

Bytes ReadBlockRequest() {
    return CFrameBuilder(kController, kUs, 0x35, 1, 3, 0, 0x80).Finish();
}

// A block write request whose data needs stuffing, so its echo is longer than L.
Bytes StuffedWriteRequest() {
    CFrameBuilder builder(kController, kUs, 0x2B, 1, 3, 0);
    const uint8_t data[] = {0xFE, 0x01, 0xFE, 0xFE};
    builder.AppendStuffed(data, sizeof data);
    return builder.Finish();
}

Bytes BlockReply() {
    CFrameBuilder builder(kUs, kController, 0x75, 1, 3, 0);
    const uint8_t data[] = {0x10, 0xFE, 0x0D, 0x0A};
    builder.AppendStuffed(data, sizeof data);
    return builder.Finish();
}

class SerialFrameReceiverTest : public testing::Test {
protected:
    // The reply the receiver returns, cut to its length; every call checks that
    // nothing is claimed beyond the destination.
    Bytes Receive(int destSize = 512, int baudRate = 19200) {
        CSerialFrameReceiver receiver(m_line, baudRate, kReplyTimeout);
        receiver.SetReplyStartHandler([this] { ++m_replyStarts; });
        m_dest.assign(static_cast<std::size_t>(destSize), 0xCC);
        const int length = receiver.Receive(m_dest.data(), destSize, m_request.data(),
                                            static_cast<int>(m_request.size()));
        EXPECT_GE(length, 0);
        EXPECT_LE(length, destSize);
        return Bytes(m_dest.begin(), m_dest.begin() + std::clamp(length, 0, destSize));
    }

    static Bytes Unstuffed(const Bytes& bytes) {
        return frame::Unstuff(bytes.data(), bytes.size());
    }

    static constexpr int kReplyTimeout = 100;
    ScriptedLine m_line;
    Bytes m_request = ReadBlockRequest();
    Bytes m_dest;
    int m_replyStarts = 0;
};

TEST_F(SerialFrameReceiverTest, NoiseAndSilenceEachUseOneOfThreeTriesForTheInitialByte) {
    m_line.Add({0x55});
    m_line.AddSilence();
    m_line.Add(BlockReply());
    EXPECT_EQ(Receive(), Unstuffed(BlockReply()));
    EXPECT_EQ(m_replyStarts, 1);
    ASSERT_GE(m_line.TimeoutsAsked().size(), 3u);
    EXPECT_EQ(m_line.TimeoutsAsked()[0], kReplyTimeout);
    EXPECT_EQ(m_line.TimeoutsAsked()[2], kReplyTimeout);

    m_line = ScriptedLine();
    m_line.Add({0x55, 0x20});
    m_line.AddSilence();
    m_line.Add(BlockReply());
    EXPECT_TRUE(Receive().empty());
    EXPECT_EQ(m_replyStarts, 1);
}

TEST_F(SerialFrameReceiverTest, BodyBytesWaitTheByteTimeOfTheLineSpeed) {
    const int multipliers[][2] = {{2400, 10}, {4800, 5}, {9600, 2}, {19200, 1}, {38400, 1}};
    for (const auto& [baudRate, multiplier] : multipliers) {
        EXPECT_EQ(CSerialFrameReceiver::ByteTimeMultiplier(baudRate), multiplier);
    }
    m_line.Add(BlockReply());
    EXPECT_EQ(Receive(512, 2400), Unstuffed(BlockReply()));
    // One try for the initial byte and four header bytes come before the body.
    const std::vector<int>& asked = m_line.TimeoutsAsked();
    ASSERT_GT(asked.size(), 5u);
    for (std::size_t i = 5; i < asked.size(); ++i) {
        EXPECT_EQ(asked[i], 10 + CSerialFrameReceiver::kHeaderTimeoutMs);
    }
}

TEST_F(SerialFrameReceiverTest, SkipsTheEchoOfTheRequestOnce) {
    m_request = StuffedWriteRequest();
    m_line.Add(m_request);
    m_line.Add(BlockReply());
    EXPECT_EQ(Receive(), Unstuffed(BlockReply()));
    EXPECT_EQ(m_replyStarts, 2);
    EXPECT_EQ(m_line.Left(), 0u);

    // Two headers that are not a reply: the second one ends the search.
    m_line = ScriptedLine();
    m_line.Add(m_request);
    m_line.Add(m_request);
    m_line.Add(BlockReply());
    EXPECT_TRUE(Receive().empty());
}

TEST_F(SerialFrameReceiverTest, EitherAddressMakesAHeaderAReply) {
    const Bytes toUs = {0xFE, kUs, 0x07, 0x75, 0x05, 1, 3, 0, 0x11, 0x22};
    const Bytes fromOurController = {0xFE, 0x31, kController, 0x75, 0x05, 1, 3, 0, 0x11, 0x22};
    for (const Bytes& reply : {toUs, fromOurController}) {
        m_line.Add(reply);
        EXPECT_EQ(Receive(), reply);
    }
    // Answers without data have five bytes after the header whatever byte 4 says.
    const Bytes noData = {0xFE, kUs, kController, 0x70, 0x40, 1, 3, 0, 0xAB, 0xCD};
    m_line.Add(noData);
    m_line.Add({0x99, 0x98});
    EXPECT_EQ(Receive(), noData);
    EXPECT_EQ(m_line.Left(), 2u);
}

TEST_F(SerialFrameReceiverTest, StuffingZerosAreDroppedAndNotCounted) {
    m_line.Add({0xFE, kUs, kController, 0x75, 0x03, 0x12, 0xFE, 0x00, 0x34, 0x77});
    EXPECT_EQ(Receive(), (Bytes{0xFE, kUs, kController, 0x75, 0x03, 0x12, 0xFE, 0x34}));
    EXPECT_EQ(m_line.Left(), 1u);  // the byte after L logical bytes stays

    // Only the zero right after a 0xFE is stuffing.
    m_line = ScriptedLine();
    m_line.Add({0xFE, kUs, kController, 0x75, 0x03, 0xFE, 0x00, 0x00, 0x07});
    EXPECT_EQ(Receive(), (Bytes{0xFE, kUs, kController, 0x75, 0x03, 0xFE, 0x00, 0x07}));

    // A body ending in 0xFE takes its stuffing zero along, and nothing more.
    m_line = ScriptedLine();
    m_line.Add({0xFE, kUs, kController, 0x75, 0x02, 0x11, 0xFE, 0x00, 0x55});
    EXPECT_EQ(Receive(), (Bytes{0xFE, kUs, kController, 0x75, 0x02, 0x11, 0xFE}));
    EXPECT_EQ(m_line.Left(), 1u);
}

// Byte 4 of an error answer is a sub-code: the bytes after the header are either
// that many or the echo and checksum. Either way the header comes back and the
// line is left empty.
TEST_F(SerialFrameReceiverTest, ErrorAnswersInBothFormsLeaveTheLineEmpty) {
    const std::pair<Bytes, std::size_t> cases[] = {
        {{0xFE, kUs, kController, 0x15, 0x01, 0x00}, 1},
        {{0xFE, kUs, kController, 0x15, 0x01, 1, 3, 0, 0x12, 0x34}, 1},
        {{0xFE, kUs, kController, 0x15, 0x03, 0x01, 0x02, 0x03}, 3},
        {{0xFE, kUs, kController, 0x15, 0x03, 1, 3, 0, 0xFE, 0x00, 0xFE, 0x00}, 3},
        {{0xFE, kUs, kController, 0x15, 0x0A, 1, 3, 0, 0x12, 0x34}, 5},
    };
    for (const auto& [line, bodyReturned] : cases) {
        m_line.Add(line);
        const Bytes reply = Receive();
        EXPECT_EQ(reply, Bytes(line.begin(), line.begin() + 5 + bodyReturned));
        EXPECT_EQ(m_line.Left(), 0u);
    }
}

TEST_F(SerialFrameReceiverTest, ABodyThatBreaksOffGivesNothing) {
    const Bytes reply = BlockReply();
    m_line.Add(Bytes(reply.begin(), reply.end() - 3));
    EXPECT_TRUE(Receive().empty());

    m_line = ScriptedLine();
    m_line.Add(Bytes(reply.begin(), reply.begin() + 7));
    m_line.AddFailure();
    m_line.Add(Bytes(reply.begin() + 7, reply.end()));
    EXPECT_TRUE(Receive().empty());

    m_line = ScriptedLine();
    m_line.Add({0xFE, kUs});
    m_line.AddFailure();
    EXPECT_TRUE(Receive().empty());
}

TEST_F(SerialFrameReceiverTest, TheReplyMustFitTheDestinationWhichIsClearedBehindIt) {
    Bytes tooLong = {0xFE, kUs, kController, 0x75, 20};
    tooLong.resize(tooLong.size() + 20, 0x41);
    m_line.Add(tooLong);
    EXPECT_TRUE(Receive(12).empty());
    EXPECT_EQ(m_line.Left(), 0u);

    m_line.Add(BlockReply());
    const Bytes reply = Receive(64);
    ASSERT_EQ(reply, Unstuffed(BlockReply()));
    EXPECT_TRUE(std::all_of(m_dest.begin() + static_cast<long>(reply.size()), m_dest.end(),
                            [](uint8_t byte) { return byte == 0; }));
}

}  // namespace
