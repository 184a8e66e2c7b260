#include "platform/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace {

std::atomic<long long> g_failAfterBytes{-1};

std::string ErrnoText(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') {
        return "localhost";
    }
    // The name goes into a file name: nothing that could end or split it.
    std::string host(name);
    for (char& c : host) {
        if (c == '/' || c == '-') {
            c = '_';
        }
    }
    return host;
}

// "PLANT.vxp.saving-HOST-" : what every temporary file of a save of PLANT.vxp
// on this host starts with; the writer's process id and a random part follow.
std::string TemporaryPrefix(const std::string& path) {
    return NameOf(path) + ".saving-" + HostName() + "-";
}

// A process id given as decimal digits, or -1.
pid_t ParseProcessId(std::string_view digits) {
    if (digits.empty() || digits.size() > 9) {
        return -1;
    }
    pid_t pid = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        pid = pid * 10 + (c - '0');
    }
    return pid > 0 ? pid : -1;
}

bool IsProcessGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Writes everything, retrying short writes; false with errno set on failure.
bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
    const long long failAfter = g_failAfterBytes.load();
    if (failAfter >= 0 && static_cast<std::size_t>(failAfter) < size) {
        if (failAfter > 0 && ::write(fd, data, static_cast<std::size_t>(failAfter)) < 0) {
            return false;
        }
        errno = ENOSPC;
        return false;
    }
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxSize, std::vector<uint8_t>& bytes,
                   std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = ErrnoText("Cannot open", path, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Cannot read \"" + path + "\": not a regular file";
        ::close(fd);
        return false;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxSize) {
        error = "Cannot read \"" + path + "\": the file is too large";
        ::close(fd);
        return false;
    }
    bytes.assign(static_cast<std::size_t>(info.st_size), 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = got < 0 ? ErrnoText("Cannot read", path, errno)
                            : "Cannot read \"" + path + "\": the file changed while reading";
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return true;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = TemporaryPrefix(path);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        // PREFIX + pid + "-" + six random characters.
        const std::string_view rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == std::string_view::npos || rest.size() - dash - 1 != 6) {
            continue;
        }
        const pid_t writer = ParseProcessId(rest.substr(0, dash));
        if (writer > 0 && writer != ::getpid() && IsProcessGone(writer)) {
            ::unlink((folder + "/" + std::string(name)).c_str());
        }
    }
    ::closedir(entries);
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error) {
    // Saves killed half-way leave their temporary files behind; the next save
    // of the same file clears those whose writer is gone.
    RemoveStaleTemporaries(path);
    std::string temporary =
        FolderOf(path) + "/" + TemporaryPrefix(path) + std::to_string(::getpid()) + "-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = ErrnoText("Cannot create", path, errno);
        return false;
    }
    // mkstemp makes the file private; a document is as readable as any other file.
    ::fchmod(fd, 0644);
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    int failure = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = ErrnoText("Cannot write", path, failure);
        return false;
    }
    // Make the rename itself durable.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool CopyFileBytes(const std::string& from, const std::string& to, std::string& error) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(from, SIZE_MAX, bytes, error) && WriteFileAtomically(to, bytes, error);
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void SetWriteFailureForTesting(std::optional<std::size_t> failAfterBytes) {
    g_failAfterBytes = failAfterBytes ? static_cast<long long>(*failAfterBytes) : -1;
}
