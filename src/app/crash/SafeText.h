#pragma once

#include <cstddef>
#include <cstdint>

// Text built in a fixed buffer and written to a file descriptor when it fills:
// the fault handler formats its report with it, so it never allocates, never
// locks and calls nothing but write(2). A failed write is remembered and the
// rest of the text is dropped (a full disk must not hang the handler).
class CSafeText {
public:
    static constexpr std::size_t kCapacity = 8192;

    explicit CSafeText(int fd) : m_fd(fd) {}
    ~CSafeText() { Flush(); }
    CSafeText(const CSafeText&) = delete;
    CSafeText& operator=(const CSafeText&) = delete;

    CSafeText& Str(const char* text);
    CSafeText& Chars(const char* text, std::size_t length);
    CSafeText& Char(char c);
    // A string padded with blanks on the right to width (the "%-10d" forms).
    CSafeText& StrPadded(const char* text, std::size_t width);
    // Unsigned decimal, at least minDigits digits (zero-padded: "%02d").
    CSafeText& Dec(uint64_t value, int minDigits = 1);
    // Unsigned decimal padded with blanks on the right to width ("%-10d").
    CSafeText& DecLeft(uint64_t value, std::size_t width);
    CSafeText& SignedDec(int64_t value);
    // Lower-case hexadecimal, exactly digits digits (more when the value needs).
    CSafeText& Hex(uint64_t value, int digits);
    // "0x" and Hex.
    CSafeText& Hex0x(uint64_t value, int digits);
    // Date and time as "month/day/year hh:mm:ss" of a local time in seconds.
    CSafeText& DateTime(int64_t localSeconds);

    bool Flush();
    bool Failed() const { return m_bFailed; }

private:
    int m_fd;
    std::size_t m_nLength = 0;
    bool m_bFailed = false;
    char m_buffer[kCapacity];
};

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate CivilFromDays(int64_t days);

// write(2) of all bytes, retried after interruptions; false on an error.
bool SafeWriteAll(int fd, const void* data, std::size_t length);
// Length of a NUL-terminated string.
std::size_t SafeLength(const char* text);
// Copies text into dest (size bytes, always terminated); returns the length copied.
std::size_t SafeCopy(char* dest, std::size_t size, const char* text);
