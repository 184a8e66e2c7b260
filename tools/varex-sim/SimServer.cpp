#include "SimServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "SimController.h"

volatile std::sig_atomic_t CSimServer::s_bStop = 0;

namespace {

constexpr std::size_t kTcpHeaderSize = 6;
constexpr uint8_t kProtocolHigh = 0x02;  // protocol identifier 600
constexpr uint8_t kProtocolLow = 0x58;
constexpr int kPollMs = 100;
constexpr double kBitsPerByte = 12.0;

double Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char digits[4];
    for (uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        text += digits;
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Sleeps the time the bytes take on a line of the given speed.
void PaceFor(std::size_t bytes, int baud) {
    if (baud > 0) {
        const double seconds = static_cast<double>(bytes) * kBitsPerByte / baud;
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size, bool socket) {
    while (size > 0) {
        const ssize_t written = socket ? send(fd, data, size, MSG_NOSIGNAL) : write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

CSimServer::CSimServer(CSimController& controller, const Options& options)
    : m_controller(controller), m_options(options) {}

CSimServer::~CSimServer() {
    for (int fd : {m_nListen, m_nMaster, m_nSlave}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    if (m_bLinkCreated) {
        unlink(m_options.link.c_str());
    }
}

bool CSimServer::ParseLoopbackHost(const std::string& host, uint32_t& address, std::string& error) {
    const std::string dotted = host == "localhost" ? "127.0.0.1" : host;
    in_addr parsed{};
    if (inet_pton(AF_INET, dotted.c_str(), &parsed) != 1) {
        error = "\"" + host + "\" is not an IPv4 address; use a loopback address such as 127.0.0.1";
        return false;
    }
    address = ntohl(parsed.s_addr);
    if ((address >> 24) != 127) {
        error = "refusing to listen on " + host +
                ": the simulator only listens on loopback addresses (127.0.0.0/8)";
        return false;
    }
    return true;
}

bool CSimServer::Start(std::string& error) {
    s_bStop = 0;
    if (m_options.maxSeconds > 0.0) {
        m_dDeadline = Now() + m_options.maxSeconds;
    }
    return m_options.transport == Transport::tcp ? StartTcp(error) : StartPty(error);
}

bool CSimServer::StartTcp(std::string& error) {
    uint32_t host = 0;
    if (!ParseLoopbackHost(m_options.host, host, error)) {
        return false;
    }
    m_nListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_nListen < 0) {
        error = SystemError("socket");
        return false;
    }
    const int yes = 1;
    setsockopt(m_nListen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(host);
    address.sin_port = htons(static_cast<uint16_t>(m_options.port));
    if (bind(m_nListen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_nListen, 1) != 0) {
        error = SystemError("cannot listen on " + m_options.host + ":" +
                            std::to_string(m_options.port));
        return false;
    }
    socklen_t length = sizeof address;
    getsockname(m_nListen, reinterpret_cast<sockaddr*>(&address), &length);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    std::printf("varex-sim: listening on %s:%d\n", text, ntohs(address.sin_port));
    std::fflush(stdout);
    return true;
}

bool CSimServer::StartPty(std::string& error) {
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0) {
        error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    char slave[256] = {};
    if (ptsname_r(m_nMaster, slave, sizeof slave) != 0) {
        error = SystemError("ptsname");
        return false;
    }
    termios settings{};
    if (tcgetattr(m_nMaster, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_nMaster, TCSANOW, &settings);
    }
    fcntl(m_nMaster, F_SETFL, fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    m_nSlave = open(slave, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (!m_options.link.empty() && !CreateLink(slave, error)) {
        return false;
    }
    std::printf("varex-sim: serial device %s\n", slave);
    std::fflush(stdout);
    return true;
}

bool CSimServer::CreateLink(const std::string& slave, std::string& error) {
    struct stat info {};
    if (lstat(m_options.link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = m_options.link + " exists and is not a symbolic link; not replacing it";
            return false;
        }
        unlink(m_options.link.c_str());  // left behind by an earlier run
    }
    if (symlink(slave.c_str(), m_options.link.c_str()) != 0) {
        error = SystemError("cannot create the link " + m_options.link);
        return false;
    }
    m_bLinkCreated = true;
    return true;
}

int CSimServer::Run() {
    if (m_options.transport == Transport::tcp) {
        RunTcp();
    } else {
        RunPty();
    }
    Log(s_bStop ? "stopped" : "time limit reached");
    return EXIT_SUCCESS;
}

bool CSimServer::ShouldStop() const {
    return s_bStop != 0 || (m_dDeadline > 0.0 && Now() >= m_dDeadline);
}

bool CSimServer::WaitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    const int ready = poll(&entry, 1, timeoutMs);
    return ready > 0 && !ShouldStop();
}

std::vector<uint8_t> CSimServer::Handle(const std::vector<uint8_t>& frame) {
    std::lock_guard lock(m_handleMutex);
    const std::vector<uint8_t> reply = m_controller.HandleRequest(frame);
    if (m_options.verbose) {
        const std::string meaning = frame.size() > 3 ? CSimController::DescribeCode(frame[3]) : "";
        Log("<- " + Hex(frame) + "  (" + meaning + ")");
        const std::string& note = m_controller.GetLastNote();
        if (!reply.empty()) {
            Log("-> " + Hex(reply) + (note.empty() ? "" : "  (" + note + ")"));
        } else {
            Log("   " + (note.empty() ? std::string("no reply") : note));
        }
    }
    ++m_nFrames;
    return reply;
}

void CSimServer::Log(const std::string& line) const {
    if (m_options.verbose) {
        std::lock_guard lock(m_logMutex);
        std::fprintf(stderr, "varex-sim: %s\n", line.c_str());
    }
}

// ---- TCP

void CSimServer::RunTcp() {
    // Each client on a thread of its own: a program that stays online keeps its
    // connection while its dialogs open others, as with a controller.
    std::vector<std::thread> clients;
    while (!ShouldStop()) {
        if (!WaitReadable(m_nListen, kPollMs)) {
            continue;
        }
        const int client = accept4(m_nListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        Log("client connected");
        clients.emplace_back([this, client] {
            ServeClient(client);
            close(client);
            Log("client gone");
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
}

void CSimServer::ServeClient(int socket) {
    std::vector<uint8_t> buffer;
    uint8_t chunk[512];
    int frames = 0;
    while (!ShouldStop()) {
        if (!WaitReadable(socket, kPollMs)) {
            continue;
        }
        const ssize_t received = recv(socket, chunk, sizeof chunk, 0);
        if (received <= 0) {
            return;
        }
        buffer.insert(buffer.end(), chunk, chunk + received);
        if (!ServeMessages(socket, buffer, frames)) {
            return;
        }
    }
}

bool CSimServer::ServeMessages(int socket, std::vector<uint8_t>& buffer, int& frames) {
    while (buffer.size() >= kTcpHeaderSize) {
        if (buffer[2] != kProtocolHigh || buffer[3] != kProtocolLow || buffer[4] != 0) {
            Log("not a controller message (protocol identifier " + Hex({buffer[2], buffer[3]}) +
                "); closing the connection");
            return false;
        }
        const std::size_t size = kTcpHeaderSize + buffer[5];
        if (buffer.size() < size) {
            return true;
        }
        const uint16_t transaction = static_cast<uint16_t>((buffer[0] << 8) | buffer[1]);
        const std::vector<uint8_t> frame(buffer.begin() + kTcpHeaderSize, buffer.begin() + size);
        buffer.erase(buffer.begin(), buffer.begin() + size);
        const std::vector<uint8_t> reply = Handle(frame);
        ++frames;
        if (!reply.empty() && !SendTcp(socket, transaction, reply)) {
            return false;
        }
        if (m_options.closeAfter > 0 && frames >= m_options.closeAfter) {
            Log("closing the connection after " + std::to_string(frames) + " frames (fault)");
            return false;
        }
    }
    return true;
}

bool CSimServer::SendTcp(int socket, uint16_t transaction, const std::vector<uint8_t>& reply) {
    std::vector<uint8_t> message = {static_cast<uint8_t>(transaction >> 8),
                                    static_cast<uint8_t>(transaction & 0xFF),
                                    kProtocolHigh,
                                    kProtocolLow,
                                    0,
                                    static_cast<uint8_t>(std::min<std::size_t>(reply.size(), 255))};
    message.insert(message.end(), reply.begin(), reply.end());
    PaceFor(reply.size(), m_options.baud);
    return WriteAll(socket, message.data(), message.size(), true);
}

// ---- Pseudo-terminal

void CSimServer::RunPty() {
    uint8_t chunk[512];
    while (!ShouldStop()) {
        if (!WaitReadable(m_nMaster, kPollMs)) {
            // A silence on the line ends any partial frame: search it again.
            while (m_reader.HasPending() && !ShouldStop()) {
                m_reader.DropPartial();
                ServePtyFrames();
            }
            continue;
        }
        const ssize_t received = read(m_nMaster, chunk, sizeof chunk);
        if (received <= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            continue;
        }
        m_reader.Feed(chunk, static_cast<std::size_t>(received));
        ServePtyFrames();
    }
}

void CSimServer::ServePtyFrames() {
    std::vector<uint8_t> frame;
    while (m_reader.Next(frame)) {
        const std::vector<uint8_t> reply = Handle(frame);
        if (!m_bSilent) {
            WritePty(reply);
        }
        if (m_options.closeAfter > 0 && m_nFrames >= m_options.closeAfter && !m_bSilent) {
            m_bSilent = true;
            Log("the line goes dead after " + std::to_string(m_nFrames) + " frames (fault)");
        }
    }
    if (m_reader.GetSkippedCount() != m_nSkippedLogged) {
        Log("skipped " + std::to_string(m_reader.GetSkippedCount() - m_nSkippedLogged) +
            " bytes that were not a frame");
        m_nSkippedLogged = m_reader.GetSkippedCount();
    }
}

void CSimServer::WritePty(const std::vector<uint8_t>& bytes) {
    if (m_options.baud <= 0) {
        if (!WriteAll(m_nMaster, bytes.data(), bytes.size(), false)) {
            Log("reply lost: nobody reads the line");
        }
        return;
    }
    for (uint8_t byte : bytes) {  // one byte at a time, at the line's speed
        PaceFor(1, m_options.baud);
        if (!WriteAll(m_nMaster, &byte, 1, false)) {
            Log("reply lost: nobody reads the line");
            return;
        }
    }
}
