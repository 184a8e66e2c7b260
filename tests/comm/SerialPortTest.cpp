#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "comm/Controller.h"
#include "comm/FrameCodec.h"
#include "comm/SerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Both ends of a pseudo-terminal: the port opens the slave, the test plays the
// controller on the master.
class PseudoTerminal {
public:
    PseudoTerminal() : m_master(::posix_openpt(O_RDWR | O_NOCTTY)) {
        char name[128] = {};
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0 &&
            ::ptsname_r(m_master, name, sizeof name) == 0) {
            m_slaveName = name;
        }
    }
    ~PseudoTerminal() { ::close(m_master); }

    const std::string& SlaveName() const { return m_slaveName; }
    int Master() const { return m_master; }
    void Send(const Bytes& bytes) const {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    // Up to count bytes the port sent; stops after two seconds of nothing.
    Bytes Take(std::size_t count) const {
        Bytes bytes(count);
        std::size_t got = 0;
        pollfd entry{m_master, POLLIN, 0};
        while (got < count && ::poll(&entry, 1, 2000) == 1) {
            const ssize_t done = ::read(m_master, bytes.data() + got, count - got);
            got += done > 0 ? static_cast<std::size_t>(done) : count;
        }
        return bytes;
    }

private:
    int m_master;
    std::string m_slaveName;
};

class RxCounter : public CController {
public:
    void OnRxActivity(bool on) override { m_nStarts += on ? 1 : 0; }
    int m_nStarts = 0;
};

// Bytes a cooked line would change: line ends, flow control, interrupt, erase.
const Bytes kTrickyBytes = {0x0A, 0x0D, 0x11, 0x13, 0x03, 0x1A, 0x7F, 0x00, 0xFF, 0xFE, 0x00};

class SerialPortTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_pty.SlaveName().empty()) << "no pseudo-terminal";
        ASSERT_TRUE(m_port.Open(m_pty.SlaveName(), false)) << m_port.GetLastErrorText();
        m_port.m_nWriteWaitMs = 0;
    }

    termios LineSettings() const {
        termios line{};
        ::tcgetattr(m_pty.Master(), &line);  // a pty master reports its slave's settings
        return line;
    }

    PseudoTerminal m_pty;
    CSerialPort m_port;
};

TEST_F(SerialPortTest, TheLineRunsAtTheConfiguredSpeed) {
    const std::pair<int, speed_t> speeds[] = {{19200, B19200}, {2400, B2400}, {57600, B19200}};
    for (const auto& [baudRate, speed] : speeds) {
        m_port.Configure(baudRate, CSerialPort::kParityOdd);
        const termios line = LineSettings();
        EXPECT_EQ(::cfgetospeed(&line), speed) << baudRate;
        EXPECT_EQ(m_port.GetBaudRate(), baudRate);
    }
    EXPECT_FALSE(m_port.HasAutomaticRts());  // a pseudo-terminal has no RS-485 mode
}

// A pseudo-terminal keeps no parity or stop bits, so the settings are checked as built.
TEST(SerialPortSettingsTest, ParityAndStopBitsFollowTheCodes) {
    const std::tuple<int, int, tcflag_t> cases[] = {
        {CSerialPort::kParityEven, 2, PARENB | CSTOPB},
        {CSerialPort::kParityOdd, 2, PARENB | PARODD | CSTOPB},
        {CSerialPort::kParityNone, 1, 0},
    };
    for (const auto& [parity, stopBits, expected] : cases) {
        termios line{};
        line.c_cflag = CRTSCTS | PARODD | CS7;
        line.c_iflag = IXON | IXOFF | ICRNL;
        CSerialPort::MakeLineSettings(line, 4800, parity, stopBits);
        EXPECT_EQ(line.c_cflag & (PARENB | PARODD | CSTOPB), expected) << parity;
        EXPECT_EQ(line.c_cflag & (CSIZE | CLOCAL | CREAD | CRTSCTS),
                  static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(::cfgetispeed(&line), static_cast<speed_t>(B4800));
    }
}

TEST_F(SerialPortTest, RawBytesPassBothWaysUnchanged) {
    EXPECT_EQ(m_port.Write(kTrickyBytes.data(), static_cast<int>(kTrickyBytes.size())),
              static_cast<int>(kTrickyBytes.size()));
    EXPECT_EQ(m_pty.Take(kTrickyBytes.size()), kTrickyBytes);

    m_port.m_nReplyTimeout = 2000;
    m_pty.Send(kTrickyBytes);
    Bytes buffer(kTrickyBytes.size());
    EXPECT_EQ(m_port.Read(buffer.data(), static_cast<int>(buffer.size())),
              static_cast<int>(buffer.size()));
    EXPECT_EQ(buffer, kTrickyBytes);
    m_port.m_nReplyTimeout = 10;
    EXPECT_EQ(m_port.Read(buffer.data(), 1), 0);  // a silent line
}

TEST_F(SerialPortTest, ReceiveFrameReturnsTheReplyThatArrivesOnTheLine) {
    const Bytes request = CFrameBuilder(0x02, 0x20, 0x35, 1, 3, 0, 0x80).Finish();
    CFrameBuilder builder(0x20, 0x02, 0x75, 1, 3, 0);
    builder.AppendStuffed(kTrickyBytes.data(), kTrickyBytes.size());
    const Bytes reply = builder.Finish();
    Bytes onTheLine(reply.size() + 2);
    onTheLine[0] = 0x0D;  // noise before the reply
    onTheLine[1] = 0x0A;
    std::copy(reply.begin(), reply.end(), onTheLine.begin() + 2);

    RxCounter owner;
    m_port.m_pOwner = &owner;
    m_port.m_nReplyTimeout = 2000;
    std::thread controller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        m_pty.Send(onTheLine);
    });
    uint8_t dest[512];
    const int length =
        m_port.ReceiveFrame(dest, sizeof dest, request.data(), static_cast<int>(request.size()));
    controller.join();

    EXPECT_EQ(Bytes(dest, dest + std::max(length, 0)), frame::Unstuff(reply.data(), reply.size()));
    EXPECT_EQ(owner.m_nStarts, 1);
    m_port.Close();
    EXPECT_EQ(m_port.m_pOwner, nullptr);
}

TEST_F(SerialPortTest, ASecondOpenOfTheSameDeviceIsRefusedUntilTheFirstCloses) {
    CSerialPort second;
    EXPECT_FALSE(second.Open(m_pty.SlaveName(), false));
    EXPECT_EQ(second.m_nLastError, EBUSY);
    EXPECT_FALSE(second.IsOpen());

    m_port.Close();
    EXPECT_TRUE(second.Open(m_pty.SlaveName(), false)) << second.GetLastErrorText();
}

TEST(SerialPortOpenTest, DevicesThatAreMissingOrNoTerminalsFailWithTheirError) {
    CSerialPort port;
    EXPECT_FALSE(port.Open("/dev/kestrel-no-such-line", false));
    EXPECT_EQ(port.m_nLastError, ENOENT);
    EXPECT_FALSE(port.GetLastErrorText().empty());
    EXPECT_FALSE(port.IsOpen());

    EXPECT_FALSE(port.Open("/dev/null", false));
    EXPECT_EQ(port.m_nLastError, ENOTTY);

    const uint8_t byte = 0xFE;
    EXPECT_EQ(port.Write(&byte, 1), 0);
    EXPECT_EQ(port.m_nLastError, EBADF);
}

TEST(SerialPortListTest, ListsOnlyDevicesThatOpenInNaturalOrder) {
    const std::vector<std::string> names = CSerialPort::ListSerialPorts();
    for (const std::string& name : names) {
        const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(fd, 0) << name;
        ::close(fd);
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), CSerialPort::NaturalLess));

    EXPECT_TRUE(CSerialPort::NaturalLess("/dev/ttyS2", "/dev/ttyS10"));
    EXPECT_FALSE(CSerialPort::NaturalLess("/dev/ttyS10", "/dev/ttyS2"));
    EXPECT_TRUE(CSerialPort::NaturalLess("/dev/ttyS9", "/dev/ttyUSB0"));
    EXPECT_TRUE(CSerialPort::NaturalLess("/dev/ttyUSB", "/dev/ttyUSB0"));
    EXPECT_FALSE(CSerialPort::NaturalLess("/dev/ttyS3", "/dev/ttyS3"));
}

}  // namespace
