#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Builds expected and hostile bytes field by field, little-endian, the way the
// archive lays them out; the tests' own writer, independent of the program's.
class CByteWriter {
public:
    CByteWriter& U8(uint8_t v) {
        m_bytes.push_back(v);
        return *this;
    }
    CByteWriter& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    CByteWriter& I32(int32_t v) {
        const auto u = static_cast<uint32_t>(v);
        return U16(u & 0xFFFF).U16(u >> 16);
    }
    CByteWriter& I32s(std::initializer_list<int32_t> values) {
        for (int32_t v : values) {
            I32(v);
        }
        return *this;
    }
    // Characters as they are, without a length.
    CByteWriter& Raw(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    // An archive string shorter than 255 characters: its length byte, then the text.
    CByteWriter& String(const std::string& text) {
        return U8(static_cast<uint8_t>(text.size())).Raw(text);
    }
    // A new class record: the new-class tag, schema, name length and name.
    CByteWriter& ClassRecord(const std::string& name, uint16_t schema) {
        return U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size())).Raw(name);
    }
    CByteWriter& Append(const std::vector<uint8_t>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};
