#include "crash/MiniDumpReader.h"

namespace {

constexpr uint32_t kSignature = 0x504D444D;
constexpr uint32_t kHeaderSize = 32;
constexpr uint32_t kDirectoryEntrySize = 12;
constexpr uint32_t kThreadSize = 48;
constexpr uint32_t kModuleSize = 108;
constexpr uint32_t kSystemInfoSize = 56;
constexpr uint32_t kExceptionStreamSize = 168;
constexpr uint32_t kMemoryDescriptorSize = 16;
constexpr uint32_t kContextSize = 1232;
constexpr uint32_t kMaxCount = 100000;

}  // namespace

bool CMiniDumpReader::Fail(const std::string& why) {
    if (m_strError.empty()) {
        m_strError = why;
    }
    return false;
}

bool CMiniDumpReader::Has(uint64_t offset, uint64_t size) const {
    return offset <= m_bytes.size() && size <= m_bytes.size() - offset;
}

uint16_t CMiniDumpReader::U16(uint64_t offset) const {
    if (!Has(offset, 2)) {
        return 0;
    }
    return static_cast<uint16_t>(m_bytes[offset] | m_bytes[offset + 1] << 8);
}

uint32_t CMiniDumpReader::U32(uint64_t offset) const {
    return static_cast<uint32_t>(U16(offset)) | static_cast<uint32_t>(U16(offset + 2)) << 16;
}

uint64_t CMiniDumpReader::U64(uint64_t offset) const {
    return static_cast<uint64_t>(U32(offset)) | static_cast<uint64_t>(U32(offset + 4)) << 32;
}

bool CMiniDumpReader::CheckLocation(const Location& location, const char* what) {
    return Has(location.rva, location.size) || Fail(std::string(what) + " lies outside the file");
}

std::optional<std::vector<uint8_t>> CMiniDumpReader::Bytes(const Location& location) const {
    if (!Has(location.rva, location.size)) {
        return std::nullopt;
    }
    return std::vector<uint8_t>(m_bytes.begin() + location.rva,
                                m_bytes.begin() + location.rva + location.size);
}

bool CMiniDumpReader::ReadString(uint32_t rva, std::string& text) {
    if (!Has(rva, 4)) {
        return Fail("string length outside the file");
    }
    const uint32_t length = U32(rva);
    if (length % 2 != 0 || !Has(uint64_t{rva} + 4, uint64_t{length} + 2)) {
        return Fail("string outside the file");
    }
    text.clear();
    for (uint32_t i = 0; i < length; i += 2) {
        const uint16_t unit = U16(uint64_t{rva} + 4 + i);
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return U16(uint64_t{rva} + 4 + length) == 0 || Fail("string without its terminator");
}

bool CMiniDumpReader::Parse() {
    if (!Has(0, kHeaderSize) || U32(0) != kSignature) {
        return Fail("no MDMP header");
    }
    version = U32(4);
    const uint32_t count = U32(8);
    const uint32_t directory = U32(12);
    if (count > kMaxCount || !Has(directory, uint64_t{count} * kDirectoryEntrySize)) {
        return Fail("directory outside the file");
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = directory + uint64_t{i} * kDirectoryEntrySize;
        const Location location = Loc(entry + 4);
        if (!CheckLocation(location, "a stream")) {
            return false;
        }
        if (!streams.emplace(U32(entry), location).second) {
            return Fail("a stream type listed twice");
        }
    }
    auto read = [this](uint32_t type, bool (CMiniDumpReader::*reader)(const Location&)) {
        auto found = streams.find(type);
        return found == streams.end() ? Fail("stream " + std::to_string(type) + " missing")
                                      : (this->*reader)(found->second);
    };
    return read(7, &CMiniDumpReader::ReadSystemInfo) && read(3, &CMiniDumpReader::ReadThreads) &&
           read(4, &CMiniDumpReader::ReadModules) && read(6, &CMiniDumpReader::ReadException) &&
           read(5, &CMiniDumpReader::ReadMemory);
}

bool CMiniDumpReader::ReadSystemInfo(const Location& at) {
    if (at.size < kSystemInfoSize) {
        return Fail("system information too short");
    }
    system.architecture = U16(at.rva);
    system.processors = m_bytes[at.rva + 6];
    system.platform = U32(at.rva + 20);
    return ReadString(U32(at.rva + 24), system.description);
}

bool CMiniDumpReader::ReadThreads(const Location& at) {
    const uint32_t count = U32(at.rva);
    if (at.size < 4 || count > kMaxCount || uint64_t{count} * kThreadSize + 4 > at.size) {
        return Fail("thread list longer than its stream");
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = at.rva + 4 + uint64_t{i} * kThreadSize;
        Thread thread;
        thread.id = U32(entry);
        thread.stackStart = U64(entry + 24);
        thread.stack = Loc(entry + 32);
        thread.context = Loc(entry + 40);
        if (!CheckLocation(thread.stack, "a thread's stack") ||
            !CheckLocation(thread.context, "a thread's context")) {
            return false;
        }
        if (thread.context.size != kContextSize) {
            return Fail("a context that is not an AMD64 context");
        }
        threads.push_back(thread);
    }
    return true;
}

bool CMiniDumpReader::ReadModules(const Location& at) {
    const uint32_t count = U32(at.rva);
    if (at.size < 4 || count > kMaxCount || uint64_t{count} * kModuleSize + 4 > at.size) {
        return Fail("module list longer than its stream");
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = at.rva + 4 + uint64_t{i} * kModuleSize;
        Module module;
        module.base = U64(entry);
        module.size = U32(entry + 8);
        if (!ReadString(U32(entry + 20), module.name)) {
            return false;
        }
        const Location codeView = Loc(entry + 76);
        if (!CheckLocation(codeView, "a module's CodeView record")) {
            return false;
        }
        module.codeView = *Bytes(codeView);
        modules.push_back(module);
    }
    return true;
}

bool CMiniDumpReader::ReadException(const Location& at) {
    if (at.size < kExceptionStreamSize) {
        return Fail("exception stream too short");
    }
    exception.threadId = U32(at.rva);
    exception.code = U32(at.rva + 8);
    exception.flags = U32(at.rva + 12);
    exception.address = U64(at.rva + 24);
    exception.context = Loc(at.rva + 160);
    return CheckLocation(exception.context, "the exception's context");
}

bool CMiniDumpReader::ReadMemory(const Location& at) {
    const uint32_t count = U32(at.rva);
    if (at.size < 4 || count > kMaxCount || uint64_t{count} * kMemoryDescriptorSize + 4 > at.size) {
        return Fail("memory list longer than its stream");
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = at.rva + 4 + uint64_t{i} * kMemoryDescriptorSize;
        Range range{U64(entry), Loc(entry + 8)};
        if (!CheckLocation(range.memory, "a memory range")) {
            return false;
        }
        memory.push_back(range);
    }
    return true;
}

uint32_t CMiniDumpReader::ContextFlags(const Location& context) const {
    return U32(uint64_t{context.rva} + 0x30);
}

uint64_t CMiniDumpReader::ContextRip(const Location& context) const {
    return U64(uint64_t{context.rva} + 0xF8);
}

uint64_t CMiniDumpReader::ContextRsp(const Location& context) const {
    return U64(uint64_t{context.rva} + 0x98);
}
