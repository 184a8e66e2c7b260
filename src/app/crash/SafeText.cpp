#include "app/crash/SafeText.h"

#include <unistd.h>
#include <cerrno>

bool SafeWriteAll(int fd, const void* data, std::size_t length) {
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t written = ::write(fd, bytes, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

std::size_t SafeLength(const char* text) {
    std::size_t length = 0;
    while (text != nullptr && text[length] != '\0') {
        ++length;
    }
    return length;
}

std::size_t SafeCopy(char* dest, std::size_t size, const char* text) {
    if (size == 0) {
        return 0;
    }
    std::size_t length = 0;
    while (text != nullptr && text[length] != '\0' && length + 1 < size) {
        dest[length] = text[length];
        ++length;
    }
    dest[length] = '\0';
    return length;
}

CivilDate CivilFromDays(int64_t days) {
    // Days are counted in eras of 400 years from 0000-03-01, so that the leap
    // day falls at the end of each year of the count.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

CSafeText& CSafeText::Chars(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (m_nLength == kCapacity && !Flush()) {
            return *this;
        }
        m_buffer[m_nLength++] = text[i];
    }
    return *this;
}

CSafeText& CSafeText::Str(const char* text) {
    return Chars(text, SafeLength(text));
}

CSafeText& CSafeText::Char(char c) {
    return Chars(&c, 1);
}

CSafeText& CSafeText::StrPadded(const char* text, std::size_t width) {
    Str(text);
    for (std::size_t length = SafeLength(text); length < width; ++length) {
        Char(' ');
    }
    return *this;
}

CSafeText& CSafeText::Dec(uint64_t value, int minDigits) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 24);
    while (count < minDigits && count < 24) {
        digits[count++] = '0';
    }
    while (count > 0) {
        Char(digits[--count]);
    }
    return *this;
}

CSafeText& CSafeText::DecLeft(uint64_t value, std::size_t width) {
    std::size_t digits = 1;
    for (uint64_t rest = value / 10; rest != 0; rest /= 10) {
        ++digits;
    }
    Dec(value);
    for (; digits < width; ++digits) {
        Char(' ');
    }
    return *this;
}

CSafeText& CSafeText::SignedDec(int64_t value) {
    if (value < 0) {
        Char('-');
        return Dec(static_cast<uint64_t>(-(value + 1)) + 1);
    }
    return Dec(static_cast<uint64_t>(value));
}

CSafeText& CSafeText::Hex(uint64_t value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    int needed = 1;
    while (needed < 16 && (value >> (4 * needed)) != 0) {
        ++needed;
    }
    if (digits < needed) {
        digits = needed;
    }
    for (int i = digits - 1; i >= 0; --i) {
        Char(i < 16 ? kDigits[(value >> (4 * i)) & 0xF] : '0');
    }
    return *this;
}

CSafeText& CSafeText::Hex0x(uint64_t value, int digits) {
    return Str("0x").Hex(value, digits);
}

CSafeText& CSafeText::DateTime(int64_t localSeconds) {
    int64_t days = localSeconds / 86400;
    int64_t seconds = localSeconds % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    const CivilDate date = CivilFromDays(days);
    Dec(static_cast<uint64_t>(date.month)).Char('/').Dec(static_cast<uint64_t>(date.day));
    Char('/').Dec(static_cast<uint64_t>(date.year)).Char(' ');
    Dec(static_cast<uint64_t>(seconds / 3600), 2).Char(':');
    Dec(static_cast<uint64_t>(seconds / 60 % 60), 2).Char(':');
    return Dec(static_cast<uint64_t>(seconds % 60), 2);
}

bool CSafeText::Flush() {
    if (m_nLength > 0 && !m_bFailed && !SafeWriteAll(m_fd, m_buffer, m_nLength)) {
        m_bFailed = true;
    }
    m_nLength = 0;
    return !m_bFailed;
}
