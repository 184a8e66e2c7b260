#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "comm/Controller.h"
#include "comm/EthernetPort.h"
#include "comm/FrameCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A TCP socket on the loopback address with a port of the system's choosing.
class LoopbackSocket {
public:
    explicit LoopbackSocket(bool listening) : m_fd(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_fd, generic, size) == 0 && (!listening || ::listen(m_fd, 4) == 0) &&
            ::getsockname(m_fd, generic, &size) == 0) {
            m_address = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        }
    }
    ~LoopbackSocket() { ::close(m_fd); }
    const std::string& Address() const { return m_address; }
    int Accept() const { return ::accept(m_fd, nullptr, nullptr); }

private:
    int m_fd;
    std::string m_address;
};

// Transaction identifiers come from the test instead of the generator.
class ScriptedIdPort : public CEthernetPort {
public:
    std::deque<uint16_t> m_ids;

protected:
    uint16_t NextRandomId() override {
        const uint16_t id = m_ids.empty() ? 0x0ABC : m_ids.front();
        if (!m_ids.empty()) {
            m_ids.pop_front();
        }
        return id;
    }
};

class RxCounter : public CController {
public:
    void OnRxActivity(bool on) override { m_nStarts += on ? 1 : 0; }
    int m_nStarts = 0;
};

Bytes Message(uint16_t id, const Bytes& frame, uint16_t protocol = 600) {
    Bytes message = {static_cast<uint8_t>(id >> 8),
                     static_cast<uint8_t>(id),
                     static_cast<uint8_t>(protocol >> 8),
                     static_cast<uint8_t>(protocol),
                     0,
                     static_cast<uint8_t>(frame.size())};
    message.insert(message.end(), frame.begin(), frame.end());
    return message;
}

Bytes Joined(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const Bytes kRequest = CFrameBuilder(0x02, 0x20, 0x35, 1, 3, 0, 0x80).Finish();
const Bytes kReply = [] {
    CFrameBuilder builder(0x20, 0x02, 0x75, 1, 3, 0);
    const uint8_t data[] = {0x12, 0xFE, 0x34, 0xFE};
    builder.AppendStuffed(data, sizeof data);
    return builder.Finish();
}();
const Bytes kUnstuffedReply = frame::Unstuff(kReply.data(), kReply.size());

class EthernetPortTest : public testing::Test {
protected:
    void SetUp() override { Connect({0x0100}); }
    void TearDown() override { ::close(m_peer); }

    void Connect(std::deque<uint16_t> ids) {
        ::close(m_peer);
        m_port.m_ids = std::move(ids);
        m_port.m_nWriteWaitMs = 0;
        ASSERT_TRUE(m_port.Open(m_listener.Address(), false)) << m_port.GetLastErrorText();
        m_peer = m_listener.Accept();
        m_port.m_nReplyTimeout = 50;
    }

    void PeerSends(const Bytes& bytes) const {
        ASSERT_EQ(::send(m_peer, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }

    // What the port sent: header and request; stops after two seconds of nothing.
    Bytes PeerTakesRequest() const {
        Bytes bytes(CEthernetPort::kMessageHeaderSize + kRequest.size());
        std::size_t got = 0;
        pollfd entry{m_peer, POLLIN, 0};
        while (got < bytes.size() && ::poll(&entry, 1, 2000) == 1) {
            const ssize_t done = ::recv(m_peer, bytes.data() + got, bytes.size() - got, 0);
            got += done > 0 ? static_cast<std::size_t>(done) : bytes.size();
        }
        return bytes;
    }

    // Sends the request and returns the identifier it went out with.
    uint16_t SendRequest() {
        EXPECT_EQ(m_port.Write(kRequest.data(), static_cast<int>(kRequest.size())),
                  static_cast<int>(kRequest.size()));
        const Bytes sent = PeerTakesRequest();
        return static_cast<uint16_t>(sent[0] << 8 | sent[1]);
    }

    Bytes Receive(int destSize = 512) {
        m_dest.assign(static_cast<std::size_t>(destSize), 0xCC);
        const int length = m_port.ReceiveFrame(m_dest.data(), destSize, kRequest.data(),
                                               static_cast<int>(kRequest.size()));
        EXPECT_LE(length, destSize);
        return Bytes(m_dest.begin(), m_dest.begin() + std::clamp(length, 0, destSize));
    }

    LoopbackSocket m_listener{true};
    ScriptedIdPort m_port;
    int m_peer = -1;
    Bytes m_dest;
};

TEST_F(EthernetPortTest, EachWriteSendsTheFrameBehindAHeaderWithTheNextId) {
    for (uint8_t idLow : {0x01, 0x02}) {
        EXPECT_EQ(m_port.Write(kRequest.data(), static_cast<int>(kRequest.size())),
                  static_cast<int>(kRequest.size()));
        const Bytes header = {0x01, idLow, 0x02, 0x58, 0x00, static_cast<uint8_t>(kRequest.size())};
        EXPECT_EQ(PeerTakesRequest(), Joined(header, kRequest));
    }
}

TEST_F(EthernetPortTest, AfterId7FFFANewRandomIdIsTaken) {
    Connect({0x7FFE, 0x1234});
    EXPECT_EQ(SendRequest(), 0x7FFF);
    EXPECT_EQ(SendRequest(), 0x1234);
}

TEST_F(EthernetPortTest, AReplyWithTheCurrentIdIsReturnedUnstuffed) {
    RxCounter owner;
    m_port.m_pOwner = &owner;
    PeerSends(Message(SendRequest(), kReply));
    EXPECT_EQ(Receive(), kUnstuffedReply);
    EXPECT_TRUE(std::all_of(m_dest.begin() + static_cast<long>(kUnstuffedReply.size()),
                            m_dest.end(), [](uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(owner.m_nStarts, 1);
    m_port.Close();
    EXPECT_EQ(m_port.m_pOwner, nullptr);
}

TEST_F(EthernetPortTest, StaleRepliesAreDiscarded) {
    const uint16_t id = SendRequest();
    PeerSends(Message(static_cast<uint16_t>(id - 1), kReply));
    EXPECT_TRUE(Receive().empty());

    // A late reply followed by the current one: the current one counts.
    const uint16_t next = SendRequest();
    PeerSends(Joined(Message(id, kReply), Message(next, kReply)));
    m_port.m_nReplyTimeout = 2000;
    EXPECT_EQ(Receive(), kUnstuffedReply);
}

TEST_F(EthernetPortTest, AReplySplitOverTwoSendsIsStillReturned) {
    const Bytes message = Message(SendRequest(), kReply);
    m_port.m_nReplyTimeout = 2000;
    std::thread controller([&] {
        PeerSends(Bytes(message.begin(), message.begin() + 8));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PeerSends(Bytes(message.begin() + 8, message.end()));
    });
    const Bytes received = Receive();
    controller.join();
    EXPECT_EQ(received, kUnstuffedReply);
}

TEST_F(EthernetPortTest, MessagesThatCannotBeRepliesAreNotReturned) {
    const uint16_t id = SendRequest();
    PeerSends(Message(id, kReply, 0x0259));
    EXPECT_TRUE(Receive().empty());
    EXPECT_EQ(m_port.m_nLastError, EPROTO);

    PeerSends(Message(id, Bytes(kReply.begin(), kReply.begin() + 9)));
    EXPECT_TRUE(Receive().empty());

    PeerSends(Message(id, kReply));
    EXPECT_TRUE(Receive(static_cast<int>(kUnstuffedReply.size()) - 1).empty());

    // An error answer is short but whole: its length says so.
    const Bytes errorAnswer = {0xFE, 0x20, 0x02, 0x15, 0x01, 0x00};
    PeerSends(Message(id, errorAnswer));
    EXPECT_EQ(Receive(), errorAnswer);

    ::close(m_peer);
    m_peer = -1;
    EXPECT_TRUE(Receive().empty());
    EXPECT_EQ(m_port.m_nLastError, ECONNRESET);
}

TEST(EthernetPortOpenTest, FailuresStoreTheirError) {
    CEthernetPort port;
    EXPECT_FALSE(port.Open("no.such.host.invalid", false));
    EXPECT_EQ(port.m_nLastError, EINVAL);
    EXPECT_FALSE(port.Open("127.0.0.1:http", false));
    EXPECT_EQ(port.m_nLastError, EINVAL);

    const LoopbackSocket notListening(false);
    EXPECT_FALSE(port.Open(notListening.Address(), false));
    EXPECT_EQ(port.m_nLastError, ECONNREFUSED);
    EXPECT_EQ(port.Read(nullptr, 0), 0);
    EXPECT_EQ(port.m_nLastError, EBADF);
}

TEST(EthernetPortOpenTest, NamesSplitIntoHostAndPort) {
    const std::pair<const char*, std::pair<std::string, uint16_t>> valid[] = {
        {"10.0.0.7", {"10.0.0.7", 502}}, {"plc7:15020", {"plc7", 15020}},
        {"[::1]:1502", {"::1", 1502}},   {"[fe80::1]", {"fe80::1", 502}},
        {"fe80::2", {"fe80::2", 502}},
    };
    std::string host;
    uint16_t port = 0;
    for (const auto& [name, expected] : valid) {
        EXPECT_TRUE(CEthernetPort::ParseAddress(name, host, port)) << name;
        EXPECT_EQ(std::make_pair(host, port), expected) << name;
    }
    for (const char* name : {"", ":502", "host:", "host:70000", "host:0", "[::1]x", "[::1"}) {
        EXPECT_FALSE(CEthernetPort::ParseAddress(name, host, port)) << name;
    }
}

}  // namespace
