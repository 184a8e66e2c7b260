#pragma once

#include <csignal>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "SimFrameReader.h"

class CSimController;

// Puts a simulated controller on a line: a TCP listener on a loopback address
// (each frame behind the 6-byte header of the Ethernet transport, several clients
// at once, served one frame at a time) or a pseudo-terminal whose slave side a client opens as a
// serial device.
class CSimServer {
public:
    enum class Transport { tcp, pty };
    struct Options {
        Transport transport = Transport::tcp;
        std::string host = "127.0.0.1";
        int port = 502;
        std::string link;         // pty: a symbolic link to the slave device
        int baud = 0;             // replies paced at this speed, 12 bits a byte; 0: at once
        double maxSeconds = 0.0;  // 0: until a signal
        bool verbose = false;     // each frame on stderr
        int closeAfter = 0;       // frames after which the connection is closed
    };

    CSimServer(CSimController& controller, const Options& options);
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Opens the listener or the pseudo-terminal and prints where on stdout (the
    // first line of output); false with the reason.
    bool Start(std::string& error);
    // Serves until a stop request or the time limit; the program's exit code.
    int Run();
    // Ends Run soon; safe in a signal handler.
    static void RequestStop() { s_bStop = 1; }
    // An IPv4 loopback address (127.0.0.0/8, or "localhost"); false with the reason.
    static bool ParseLoopbackHost(const std::string& host, uint32_t& address, std::string& error);

private:
    bool StartTcp(std::string& error);
    bool StartPty(std::string& error);
    bool CreateLink(const std::string& slave, std::string& error);
    void RunTcp();
    void ServeClient(int socket);
    // Takes the complete messages out of the buffer; false when the client must go.
    // frames counts the client's frames (for closeAfter).
    bool ServeMessages(int socket, std::vector<uint8_t>& buffer, int& frames);
    void RunPty();
    void ServePtyFrames();
    std::vector<uint8_t> Handle(const std::vector<uint8_t>& frame);
    bool SendTcp(int socket, uint16_t transaction, const std::vector<uint8_t>& reply);
    void WritePty(const std::vector<uint8_t>& bytes);
    // Waits for readable input at most timeoutMs; false on a time-out or a stop.
    bool WaitReadable(int fd, int timeoutMs);
    bool ShouldStop() const;
    void Log(const std::string& line) const;

    static volatile std::sig_atomic_t s_bStop;

    CSimController& m_controller;
    Options m_options;
    int m_nListen = -1;
    int m_nMaster = -1;
    int m_nSlave = -1;  // held open so the line stays up between clients
    bool m_bLinkCreated = false;
    double m_dDeadline = 0.0;
    int m_nFrames = 0;
    std::mutex m_handleMutex;  // one frame at a time, whoever sent it
    mutable std::mutex m_logMutex;
    CSimFrameReader m_reader;
    std::size_t m_nSkippedLogged = 0;
    bool m_bSilent = false;  // pty after --close-after: the line is dead
};
