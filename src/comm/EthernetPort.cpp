#include "comm/EthernetPort.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <thread>

#include "comm/Controller.h"
#include "comm/FrameCodec.h"
#include "comm/PollWait.h"

IMPLEMENT_DYNAMIC(CEthernetPort, CAbstractCommPort)

namespace {

using pollwait::Clock;
using pollwait::WaitFor;

constexpr std::size_t kMaxLineFrame = 255;  // what header byte 5 can announce
constexpr std::size_t kMinReplySize = 10;   // header, loop, function, offset, checksum
constexpr auto kCompletionTime = std::chrono::milliseconds(50);
constexpr int kSendTimeoutMs = 3000;

bool ParsePort(std::string_view text, uint16_t& port) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
        value > 65535) {
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

// The addresses of a host: as a numeric address first, then as a name.
int Resolve(const std::string& host, uint16_t port, AddressList& list) {
    const std::string service = std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    int result = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        hints.ai_flags = AI_NUMERICSERV;
        result = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    }
    if (result == 0) {
        list.reset(found);
    }
    return result;
}

void SetBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
}

void SetSocketOptions(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    const timeval sendTimeout{kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);
}

// The error a connect in progress ended with, or ETIMEDOUT.
int FinishConnect(int fd, Clock::time_point deadline) {
    const int ready = WaitFor(fd, POLLOUT, deadline);
    if (ready <= 0) {
        return ready == 0 ? ETIMEDOUT : errno;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        return errno;
    }
    return error;
}

}  // namespace

struct CEthernetPort::Message {
    uint16_t id = 0;
    std::size_t size = 0;  // frame bytes on the line
    std::array<uint8_t, kMaxLineFrame> bytes{};

    // Long enough for a reply; an error answer may stop after its sub-code.
    bool HasReplyLength() const {
        return size >= kMinReplySize ||
               (size >= frame::kHeaderSize && frame::IsErrorAnswer(bytes[3]));
    }
};

CEthernetPort::~CEthernetPort() {
    Close();
}

bool CEthernetPort::ParseAddress(const std::string& name, std::string& host, uint16_t& port) {
    port = kDefaultTcpPort;
    std::string_view text(name);
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            return false;
        }
        host.assign(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty() && (rest.front() != ':' || !ParsePort(rest.substr(1), port))) {
            return false;
        }
        return !host.empty();
    }
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        host.assign(text.substr(0, colon));
        return ParsePort(text.substr(colon + 1), port) && !host.empty();
    }
    host.assign(text);  // a name, or a v6 address without a port
    return !host.empty();
}

bool CEthernetPort::Open(const std::string& name, bool /*overlapped*/) {
    Close();
    std::string host;
    uint16_t port = kDefaultTcpPort;
    if (!ParseAddress(name, host, port)) {
        m_nLastError = EINVAL;
        return false;
    }
    if (!Connect(host, port)) {
        return false;
    }
    m_random.seed(static_cast<std::mt19937::result_type>(
        std::random_device{}() ^ static_cast<unsigned>(Clock::now().time_since_epoch().count())));
    m_nTransactionId = NextRandomId();
    return true;
}

bool CEthernetPort::Connect(const std::string& host, uint16_t port) {
    AddressList addresses(nullptr, &::freeaddrinfo);
    const int resolved = Resolve(host, port, addresses);
    if (resolved != 0) {
        m_nLastError = resolved == EAI_SYSTEM && errno != 0 ? errno : EINVAL;
        return false;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_nConnectTimeoutMs);
    for (const addrinfo* address = addresses.get(); address != nullptr;
         address = address->ai_next) {
        if (ConnectTo(*address, deadline)) {
            return true;
        }
    }
    return false;
}

bool CEthernetPort::ConnectTo(const addrinfo& address, Clock::time_point deadline) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        m_nLastError = errno;
        return false;
    }
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno == EINPROGRESS || errno == EINTR ? FinishConnect(fd, deadline) : errno;
    }
    if (error != 0) {
        ::close(fd);
        m_nLastError = error;
        return false;
    }
    SetBlocking(fd);
    SetSocketOptions(fd);
    m_socket = fd;
    return true;
}

void CEthernetPort::Close() {
    m_pOwner = nullptr;
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

uint16_t CEthernetPort::NextRandomId() {
    return static_cast<uint16_t>(
        std::uniform_int_distribution<int>(0, kLastSequentialId)(m_random));
}

int CEthernetPort::Write(const uint8_t* buffer, int length) {
    if (!IsOpen()) {
        m_nLastError = EBADF;
        return 0;
    }
    if (buffer == nullptr || length <= 0 || static_cast<std::size_t>(length) > kMaxLineFrame) {
        m_nLastError = buffer == nullptr || length <= 0 ? EINVAL : EMSGSIZE;
        return 0;
    }
    m_nTransactionId = m_nTransactionId == kLastSequentialId
                           ? NextRandomId()
                           : static_cast<uint16_t>(m_nTransactionId + 1);
    std::array<uint8_t, kMessageHeaderSize + kMaxLineFrame> message{
        static_cast<uint8_t>(m_nTransactionId >> 8),
        static_cast<uint8_t>(m_nTransactionId),
        static_cast<uint8_t>(m_nProtocolId >> 8),
        static_cast<uint8_t>(m_nProtocolId),
        0,
        static_cast<uint8_t>(length)};
    std::memcpy(message.data() + kMessageHeaderSize, buffer, static_cast<std::size_t>(length));
    const std::size_t total = kMessageHeaderSize + static_cast<std::size_t>(length);
    std::size_t sent = 0;
    while (sent < total) {
        const ssize_t done = ::send(m_socket, message.data() + sent, total - sent, MSG_NOSIGNAL);
        if (done > 0) {
            sent += static_cast<std::size_t>(done);
        } else if (done < 0 && errno != EINTR) {
            m_nLastError = errno;
            return 0;
        }
    }
    if (m_nWriteWaitMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_nWriteWaitMs));
    }
    return length;
}

int CEthernetPort::ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* /*request*/,
                                int /*requestLength*/) {
    return Receive(dest, destSize);
}

int CEthernetPort::Read(uint8_t* buffer, int length) {
    return Receive(buffer, length);
}

int CEthernetPort::Receive(uint8_t* dest, int destSize) {
    if (!IsOpen()) {
        m_nLastError = EBADF;
        return 0;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(m_nReplyTimeout, 0));
    bool notified = false;
    for (;;) {
        const int ready =
            notified && Clock::now() >= deadline ? 0 : WaitFor(m_socket, POLLIN, deadline);
        if (ready <= 0) {
            m_nLastError = ready == 0 ? ETIMEDOUT : errno;
            return 0;
        }
        if (!notified) {
            NotifyReplyStart();
            notified = true;
        }
        // A message that has begun gets a little time to arrive whole, even
        // when the reply time is nearly up.
        Message message;
        if (ReadMessage(message, std::max(deadline, Clock::now() + kCompletionTime)) <= 0) {
            return 0;
        }
        if (message.id == m_nTransactionId && message.HasReplyLength()) {
            return CopyFrame(message, dest, destSize);
        }
        // A late reply to an earlier request, or no reply at all: ours may follow.
    }
}

int CEthernetPort::ReadMessage(Message& message, Clock::time_point deadline) {
    std::array<uint8_t, kMessageHeaderSize> header{};
    if (!ReadExactly(header.data(), header.size(), deadline)) {
        return -1;
    }
    const uint16_t protocol = static_cast<uint16_t>(header[2] << 8 | header[3]);
    if (protocol != m_nProtocolId) {
        DiscardPending();  // not our framing: nothing after it can be trusted
        m_nLastError = EPROTO;
        return -1;
    }
    message.id = static_cast<uint16_t>(header[0] << 8 | header[1]);
    message.size = header[5];
    return ReadExactly(message.bytes.data(), message.size, deadline) ? 1 : -1;
}

bool CEthernetPort::ReadExactly(uint8_t* bytes, std::size_t count, Clock::time_point deadline) {
    std::size_t got = 0;
    while (got < count) {
        const int ready = WaitFor(m_socket, POLLIN, deadline);
        if (ready <= 0) {
            m_nLastError = ready == 0 ? ETIMEDOUT : errno;
            return false;
        }
        const ssize_t done = ::recv(m_socket, bytes + got, count - got, MSG_DONTWAIT);
        if (done > 0) {
            got += static_cast<std::size_t>(done);
        } else if (done == 0 || (errno != EAGAIN && errno != EINTR)) {
            m_nLastError = done == 0 ? ECONNRESET : errno;
            return false;
        }
    }
    return true;
}

void CEthernetPort::DiscardPending() {
    std::array<uint8_t, 512> sink{};
    while (::recv(m_socket, sink.data(), sink.size(), MSG_DONTWAIT) > 0) {
    }
}

int CEthernetPort::CopyFrame(const Message& message, uint8_t* dest, int destSize) {
    const std::vector<uint8_t> frameBytes =
        frame::Unstuff(message.bytes.data(), message.size, frame::kHeaderSize);
    if (dest == nullptr || destSize < 0 || frameBytes.size() > static_cast<std::size_t>(destSize)) {
        m_nLastError = EMSGSIZE;
        return 0;
    }
    std::memset(dest, 0, static_cast<std::size_t>(destSize));
    std::memcpy(dest, frameBytes.data(), frameBytes.size());
    return static_cast<int>(frameBytes.size());
}

void CEthernetPort::NotifyReplyStart() {
    if (m_pOwner != nullptr) {
        m_pOwner->OnRxActivity(true);
    }
}
