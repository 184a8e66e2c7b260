#include "vexilla/LogMsg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>

int CLogMsg::m_hFileHandle = -1;
char CLogMsg::m_szFileName[CLogMsg::kMaxPath] = {};
char* CLogMsg::m_szHeader = nullptr;
long CLogMsg::m_lSize = 10000;
unsigned int CLogMsg::m_iNextFile = 1;

namespace {

// Serialises every use of the members. Constant-initialised and trivially
// destroyed, so logging works during start-up and shut-down of other statics.
std::mutex logMutex;

// "MM/DD/YY HH:MM:SS.mmm" in local time, the milliseconds left-justified in 3.
void FormatStamp(char* out, std::size_t size) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char dateTime[32];
    std::strftime(dateTime, sizeof dateTime, "%m/%d/%y %H:%M:%S", &local);
    std::snprintf(out, size, "%s.%-3d", dateTime, static_cast<int>(now.tv_nsec / 1000000));
}

// Builds the whole line, line feed included, cut to CLogMsg::kMaxLine characters.
std::size_t FormatLine(char (&line)[CLogMsg::kMaxLine], const char* function, const char* message) {
    char stamp[48];
    FormatStamp(stamp, sizeof stamp);
    int length = 0;
    if (function != nullptr && *function != '\0') {
        length = std::snprintf(line, sizeof line, "%s  [%-35s] %s", stamp, function, message);
    } else {
        length = std::snprintf(line, sizeof line, "%s  %s", stamp, message);
    }
    // snprintf leaves room for its NUL, which the line feed replaces.
    const std::size_t kept = length < 0 ? 0 : std::min<std::size_t>(length, sizeof line - 1);
    line[kept] = '\n';
    return kept + 1;
}

// "dir/app.log" -> "dir/app._3.log". Only a "." in the file name counts; a name
// without one gets "._3.log" appended.
std::string RotatedName(const std::string& path, unsigned int number) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool dotInName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = dotInName ? path.substr(0, dot + 1) : path + ".";
    return stem + "_" + std::to_string(number) + ".log";
}

}  // namespace

CLogMsg::CLogMsg() {
    std::lock_guard lock(logMutex);
    CloseUnlocked();
    m_iNextFile = 1;
    m_lSize = 10000;
}

CLogMsg::~CLogMsg() {
    CloseLogFile();
}

void CLogMsg::SetLogName(const char* path) {
    std::lock_guard lock(logMutex);
    if (m_hFileHandle != -1 || path == nullptr) {
        return;
    }
    const std::size_t length = strnlen(path, kMaxPath - 1);
    std::memcpy(m_szFileName, path, length);
    m_szFileName[length] = '\0';
    OpenUnlocked();
}

void CLogMsg::SetLogHeader(const char* text) {
    std::lock_guard lock(logMutex);
    if (m_hFileHandle == -1) {
        return;
    }
    StoreHeaderUnlocked(text);
    if (m_szHeader != nullptr) {
        WriteUnlocked(m_szHeader, std::strlen(m_szHeader));
    }
}

void CLogMsg::Log(const char* function, const char* format, ...) {
    std::lock_guard lock(logMutex);
    if (m_hFileHandle == -1) {
        return;
    }
    char message[kMaxMessage + 1] = "";
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(message, sizeof message, format, args);
        va_end(args);
    }
    char line[kMaxLine];
    const std::size_t length = FormatLine(line, function, message);
    RotateIfFullUnlocked();
    WriteUnlocked(line, length);
}

void CLogMsg::CloseLogFile() {
    std::lock_guard lock(logMutex);
    CloseUnlocked();
}

void CLogMsg::CloseUnlocked() {
    StoreHeaderUnlocked(nullptr);
    if (m_hFileHandle != -1) {
        ::close(m_hFileHandle);
        m_hFileHandle = -1;
    }
}

void CLogMsg::StoreHeaderUnlocked(const char* text) {
    delete[] m_szHeader;
    m_szHeader = nullptr;
    if (text != nullptr) {
        const std::size_t size = std::strlen(text) + 1;
        m_szHeader = new char[size];
        std::memcpy(m_szHeader, text, size);
    }
}

void CLogMsg::OpenUnlocked() {
    m_hFileHandle = ::open(m_szFileName, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
}

// Moves a full log file aside under the next numbered name and starts a fresh one
// headed by the stored header.
void CLogMsg::RotateIfFullUnlocked() {
    struct stat info {};
    // Compared in thousands so that no product can overflow.
    if (::fstat(m_hFileHandle, &info) != 0 || info.st_size / 1000 < m_lSize) {
        return;
    }
    const std::string rotated = RotatedName(m_szFileName, m_iNextFile++);
    ::close(m_hFileHandle);
    m_hFileHandle = -1;
    ::unlink(rotated.c_str());
    ::rename(m_szFileName, rotated.c_str());
    OpenUnlocked();
    if (m_hFileHandle != -1 && m_szHeader != nullptr) {
        WriteUnlocked(m_szHeader, std::strlen(m_szHeader));
    }
}

// Write errors are ignored: logging never fails its caller.
void CLogMsg::WriteUnlocked(const char* text, std::size_t length) {
    while (length > 0 && m_hFileHandle != -1) {
        const ssize_t written = ::write(m_hFileHandle, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}
