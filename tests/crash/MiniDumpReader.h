#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Reads a minidump back for the tests, field by field, with every offset and
// size checked against the file: a location outside the file is an error, not
// a read past the buffer.
class CMiniDumpReader {
public:
    struct Location {
        uint32_t size = 0;
        uint32_t rva = 0;
    };
    struct Thread {
        uint32_t id = 0;
        uint64_t stackStart = 0;
        Location stack;
        Location context;
    };
    struct Module {
        uint64_t base = 0;
        uint32_t size = 0;
        std::string name;
        std::vector<uint8_t> codeView;
    };
    struct Exception {
        uint32_t threadId = 0;
        uint32_t code = 0;
        uint32_t flags = 0;
        uint64_t address = 0;
        Location context;
    };
    struct Range {
        uint64_t start = 0;
        Location memory;
    };
    struct SystemInfo {
        uint16_t architecture = 0;
        uint8_t processors = 0;
        uint32_t platform = 0;
        std::string description;
    };

    explicit CMiniDumpReader(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    // Reads the header, the directory and the known streams; false with
    // Error() on the first fault found.
    bool Parse();
    const std::string& Error() const { return m_strError; }

    uint32_t version = 0;
    std::map<uint32_t, Location> streams;
    SystemInfo system;
    std::vector<Thread> threads;
    std::vector<Module> modules;
    Exception exception;
    std::vector<Range> memory;

    // Fields of an AMD64 context record.
    uint32_t ContextFlags(const Location& context) const;
    uint64_t ContextRip(const Location& context) const;
    uint64_t ContextRsp(const Location& context) const;
    // Bytes of the file at a location (checked).
    std::optional<std::vector<uint8_t>> Bytes(const Location& location) const;

private:
    bool Fail(const std::string& why);
    bool Has(uint64_t offset, uint64_t size) const;
    uint16_t U16(uint64_t offset) const;
    uint32_t U32(uint64_t offset) const;
    uint64_t U64(uint64_t offset) const;
    Location Loc(uint64_t offset) const { return {U32(offset), U32(offset + 4)}; }
    bool CheckLocation(const Location& location, const char* what);
    bool ReadString(uint32_t rva, std::string& text);
    bool ReadSystemInfo(const Location& at);
    bool ReadThreads(const Location& at);
    bool ReadModules(const Location& at);
    bool ReadException(const Location& at);
    bool ReadMemory(const Location& at);

    std::vector<uint8_t> m_bytes;
    std::string m_strError;
};
