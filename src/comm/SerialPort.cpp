#include "comm/SerialPort.h"

#include <fcntl.h>
#include <glob.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <string_view>
#include <thread>

#include "comm/Controller.h"
#include "comm/PollWait.h"
#include "comm/SerialFrameReceiver.h"

IMPLEMENT_DYNAMIC(CSerialPort, CAbstractCommPort)

namespace {

using pollwait::After;
using pollwait::RemainingMs;
using pollwait::WaitFor;

constexpr int kOpenFlags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;

// The bytes of an open serial device, one at a time.
class DeviceByteSource : public CSerialFrameReceiver::ByteSource {
public:
    explicit DeviceByteSource(int fd) : m_fd(fd) {}

    int ReadByte(uint8_t& byte, int timeoutMs) override {
        const auto deadline = After(timeoutMs);
        for (;;) {
            const int ready = WaitFor(m_fd, POLLIN, deadline);
            if (ready <= 0) {
                m_nError = ready < 0 ? errno : m_nError;
                return ready;
            }
            const ssize_t got = ::read(m_fd, &byte, 1);
            if (got == 1) {
                return 1;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                if (RemainingMs(deadline) == 0) {
                    return 0;
                }
                continue;
            }
            m_nError = got < 0 ? errno : EIO;  // 0: the device hung up
            return -1;
        }
    }

    int GetError() const { return m_nError; }

private:
    int m_fd;
    int m_nError = 0;
};

speed_t SpeedFor(int baudRate) {
    switch (baudRate) {
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 38400:
            return B38400;
        default:
            return B19200;
    }
}

// Time allowed for a write beyond 1 ms per byte.
int WriteConstantMs(int baudRate) {
    switch (baudRate) {
        case 2400:
            return 800;
        case 4800:
            return 400;
        case 9600:
            return 200;
        default:
            return 100;
    }
}

void Pause(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The digit run starting at pos without its leading zeros; pos moves past it.
std::string_view DigitRun(std::string_view text, std::size_t& pos) {
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    std::size_t start = pos;
    while (start + 1 < end && text[start] == '0') {
        ++start;
    }
    pos = end;
    return text.substr(start, end - start);
}

// -1, 0 or 1 as the numbers written by two digit runs compare.
int CompareNumbers(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return left.size() < right.size() ? -1 : 1;
    }
    return left.compare(right) < 0 ? -1 : (left == right ? 0 : 1);
}

std::vector<std::string> CandidateDevices() {
    static constexpr const char* kPatterns[] = {"/dev/ttyS*", "/dev/ttyUSB*", "/dev/ttyACM*",
                                                "/dev/ttyAMA*", "/dev/serial/by-id/*"};
    std::vector<std::string> names;
    for (const char* pattern : kPatterns) {
        glob_t found{};
        if (::glob(pattern, 0, nullptr, &found) == 0) {
            names.insert(names.end(), found.gl_pathv, found.gl_pathv + found.gl_pathc);
        }
        ::globfree(&found);
    }
    return names;
}

bool DeviceOpens(const std::string& name) {
    const int fd = ::open(name.c_str(), kOpenFlags);
    if (fd < 0) {
        return false;
    }
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal;
}

}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(const std::string& device, bool overlapped) {
    Close();
    m_fd = ::open(device.c_str(), kOpenFlags);
    if (m_fd < 0) {
        m_nLastError = errno;
        return false;
    }
    if (!LockDevice()) {
        m_nLastError = errno;
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    ClearBuffers();
    m_bOverlapped = overlapped;
    EnableAutomaticRts();
    Configure(kDefaultBaudRate, kParityEven);
    return true;
}

// Only a terminal will do, and only one user of it: the terminal's exclusive
// mode keeps other programs out, the lock keeps out a second port of ours even
// where the exclusive mode does not apply (privileged users).
bool CSerialPort::LockDevice() {
    if (::isatty(m_fd) != 1) {
        errno = ENOTTY;
        return false;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        errno = errno == EWOULDBLOCK ? EBUSY : errno;
        return false;
    }
    return ::ioctl(m_fd, TIOCEXCL) == 0;
}

void CSerialPort::Close() {
    m_pOwner = nullptr;
    if (m_fd < 0) {
        return;
    }
    ::tcflush(m_fd, TCIOFLUSH);
    RestoreRs485();
    ::ioctl(m_fd, TIOCNXCL);
    if (::close(m_fd) != 0) {
        m_nLastError = errno;
    }
    m_fd = -1;
    m_bOverlapped = false;
    m_bAutoRts = false;
}

// Lets the driver raise RTS while it transmits, where it can.
void CSerialPort::EnableAutomaticRts() {
    m_bAutoRts = false;
    serial_rs485 previous{};
    if (::ioctl(m_fd, TIOCGRS485, &previous) != 0) {
        previous = serial_rs485{};
    }
    serial_rs485 wanted = previous;
    wanted.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    wanted.flags &= ~static_cast<uint32_t>(SER_RS485_RTS_AFTER_SEND);
    if (::ioctl(m_fd, TIOCSRS485, &wanted) != 0) {
        return;
    }
    m_savedRs485 = previous;
    m_bRs485Saved = true;
    // Some drivers take the call and keep their mode: believe only the read-back.
    serial_rs485 applied{};
    m_bAutoRts =
        ::ioctl(m_fd, TIOCGRS485, &applied) == 0 && (applied.flags & SER_RS485_ENABLED) != 0;
}

void CSerialPort::RestoreRs485() {
    if (m_bRs485Saved) {
        ::ioctl(m_fd, TIOCSRS485, &m_savedRs485);
        m_bRs485Saved = false;
    }
}

void CSerialPort::SetModemLine(int line, bool on) const {
    ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

void CSerialPort::Configure(int baudRate, int parity, int stopBits) {
    m_nBaudRate = baudRate;
    if (!IsOpen()) {
        return;
    }
    termios line{};
    if (::tcgetattr(m_fd, &line) == 0) {
        MakeLineSettings(line, baudRate, parity, stopBits);
        ::tcsetattr(m_fd, TCSANOW, &line);
    }
    SetModemLine(TIOCM_DTR, true);
    if (!m_bAutoRts) {
        SetModemLine(TIOCM_RTS, false);  // receive until we send
    }
}

void CSerialPort::MakeLineSettings(termios& line, int baudRate, int parity, int stopBits) {
    ::cfmakeraw(&line);
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    if (parity == kParityOdd) {
        line.c_cflag |= PARENB | PARODD;
    } else if (parity == kParityEven) {
        line.c_cflag |= PARENB;
    }
    if (stopBits == 2) {
        line.c_cflag |= CSTOPB;
    }
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    ::cfsetispeed(&line, SpeedFor(baudRate));
    ::cfsetospeed(&line, SpeedFor(baudRate));
}

int CSerialPort::Write(const uint8_t* buffer, int length) {
    if (!IsOpen()) {
        m_nLastError = EBADF;
        return 0;
    }
    if (buffer == nullptr || length <= 0) {
        return 0;
    }
    if (!m_bAutoRts) {
        SetModemLine(TIOCM_RTS, true);
    }
    int written = 0;
    const bool sent = WriteAll(buffer, length, written);
    const int error = errno;
    if (!m_bAutoRts) {
        ::tcdrain(m_fd);
        SetModemLine(TIOCM_RTS, false);
    }
    if (!sent) {
        m_nLastError = error;
    }
    Pause(m_nWriteWaitMs);
    return written;
}

// Writes all of buffer within 1 ms a byte plus the speed's constant.
bool CSerialPort::WriteAll(const uint8_t* buffer, int length, int& written) {
    const auto deadline = After(length + WriteConstantMs(m_nBaudRate));
    written = 0;
    while (written < length) {
        const ssize_t done =
            ::write(m_fd, buffer + written, static_cast<std::size_t>(length - written));
        if (done > 0) {
            written += static_cast<int>(done);
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        const int ready = WaitFor(m_fd, POLLOUT, deadline);
        if (ready <= 0) {
            errno = ready == 0 ? ETIMEDOUT : errno;
            return false;
        }
    }
    return true;
}

int CSerialPort::ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* request,
                              int requestLength) {
    if (!IsOpen()) {
        m_nLastError = EBADF;
        return 0;
    }
    DeviceByteSource source(m_fd);
    CSerialFrameReceiver receiver(source, m_nBaudRate, m_nReplyTimeout);
    receiver.SetReplyStartHandler([this] { NotifyReplyStart(); });
    const int received = receiver.Receive(dest, destSize, request, requestLength);
    if (source.GetError() != 0) {
        m_nLastError = source.GetError();
    }
    return received;
}

int CSerialPort::Read(uint8_t* buffer, int length) {
    if (!IsOpen()) {
        m_nLastError = EBADF;
        return 0;
    }
    const auto deadline = After(m_nReplyTimeout);
    int got = 0;
    while (buffer != nullptr && got < length) {
        const int ready = WaitFor(m_fd, POLLIN, deadline);
        if (ready <= 0) {
            m_nLastError = ready < 0 ? errno : m_nLastError;
            break;
        }
        const ssize_t done = ::read(m_fd, buffer + got, static_cast<std::size_t>(length - got));
        if (done > 0) {
            got += static_cast<int>(done);
        } else if (done == 0 || (errno != EAGAIN && errno != EINTR)) {
            m_nLastError = done == 0 ? EIO : errno;
            break;
        }
    }
    return got;
}

void CSerialPort::ClearInput() {
    if (IsOpen()) {
        ::tcflush(m_fd, TCIFLUSH);
    }
}

void CSerialPort::ClearOutput() {
    if (IsOpen()) {
        ::tcflush(m_fd, TCOFLUSH);
    }
}

void CSerialPort::ClearBuffers() {
    if (IsOpen()) {
        ::tcflush(m_fd, TCIOFLUSH);
    }
}

void CSerialPort::NotifyReplyStart() {
    if (m_pOwner != nullptr) {
        m_pOwner->OnRxActivity(true);
    }
}

std::vector<std::string> CSerialPort::ListSerialPorts() {
    std::vector<std::string> names = CandidateDevices();
    std::erase_if(names, [](const std::string& name) { return !DeviceOpens(name); });
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

bool CSerialPort::NaturalLess(const std::string& left, const std::string& right) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() && j < right.size()) {
        if (IsDigit(left[i]) && IsDigit(right[j])) {
            const int order = CompareNumbers(DigitRun(left, i), DigitRun(right, j));
            if (order != 0) {
                return order < 0;
            }
            continue;
        }
        if (left[i] != right[j]) {
            return static_cast<unsigned char>(left[i]) < static_cast<unsigned char>(right[j]);
        }
        ++i;
        ++j;
    }
    if (i == left.size() && j == right.size()) {
        return left < right;  // equal but for leading zeros
    }
    return i == left.size();
}
