#pragma once

#include <cstddef>

// The diagnostic log of the process. Every member is static so that any code can
// write a line without owning an object. Nothing is written until SetLogName has
// opened a log file; when the file reaches m_lSize thousand bytes it is moved
// aside under a numbered name and a fresh file, headed by the stored header,
// takes the following lines. Calls from several threads are serialised, so lines
// never interleave.
class CLogMsg {
public:
    // A log line, time stamp, function and line feed included, is cut to this many
    // characters; a formatted message to kMaxMessage.
    static constexpr int kMaxLine = 255;
    static constexpr int kMaxMessage = 259;
    static constexpr int kMaxPath = 260;

    // Closes any open log file and resets the members to their initial values.
    CLogMsg();
    CLogMsg(const CLogMsg&) = delete;
    CLogMsg& operator=(const CLogMsg&) = delete;
    ~CLogMsg();

    // Opens (creates or truncates) the log file when none is open; otherwise does
    // nothing. A path is kept to kMaxPath - 1 characters.
    static void SetLogName(const char* path);
    // With a log file open, stores a copy of the text and writes it at once,
    // unchanged; does nothing otherwise.
    static void SetLogHeader(const char* text);
    // Appends one time-stamped line with the printf-formatted message, rotating the
    // file first when it is full. Does nothing when no log file is open.
    static void Log(const char* function, const char* format, ...)
        __attribute__((format(printf, 2, 3)));
    // Releases the header and closes the log file.
    static void CloseLogFile();

    static int m_hFileHandle;            // open log file, -1 when none
    static char m_szFileName[kMaxPath];  // path given to SetLogName
    static char* m_szHeader;             // owned copy written atop every log file, or null
    static long m_lSize;                 // size limit in units of 1000 bytes
    static unsigned int m_iNextFile;     // number of the next rotated file

private:
    static void CloseUnlocked();
    static void StoreHeaderUnlocked(const char* text);
    static void OpenUnlocked();
    static void RotateIfFullUnlocked();
    static void WriteUnlocked(const char* text, std::size_t length);
};
