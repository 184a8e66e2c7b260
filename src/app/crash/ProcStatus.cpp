#include "app/crash/ProcStatus.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int64_t CProcStatus::FieldIn(const char* text, const char* name, int64_t fallback) {
    const char* line = text;
    while (*line != '\0') {
        const char* n = name;
        const char* p = line;
        while (*n != '\0' && *p == *n) {
            ++p;
            ++n;
        }
        if (*n == '\0' && *p == ':') {
            ++p;
            while (*p == ' ' || *p == '\t') {
                ++p;
            }
            if (*p < '0' || *p > '9') {
                return fallback;
            }
            int64_t value = 0;
            while (*p >= '0' && *p <= '9') {
                value = value * 10 + (*p - '0');
                ++p;
            }
            return value;
        }
        while (*line != '\0' && *line != '\n') {
            ++line;
        }
        if (*line == '\n') {
            ++line;
        }
    }
    return fallback;
}

int64_t CProcStatus::Field(const char* name, int64_t fallback) {
    const int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fallback;
    }
    char text[8192];
    std::size_t length = 0;
    while (length + 1 < sizeof text) {
        const ssize_t count = read(fd, text + length, sizeof text - 1 - length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        length += static_cast<std::size_t>(count);
    }
    close(fd);
    text[length] = '\0';
    return FieldIn(text, name, fallback);
}
