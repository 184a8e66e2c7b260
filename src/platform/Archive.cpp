#include "platform/Archive.h"

#include <bit>
#include <cstring>

namespace {

// Longest class name a class record may carry; ours are far shorter.
constexpr std::size_t kMaxClassName = 64;

std::string Hex(std::size_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%zX", value);
    return text;
}

}  // namespace

CArchive::CArchive() : m_nMode(store) {}

CArchive::CArchive(std::span<const uint8_t> data) : m_nMode(load), m_input(data) {}

CArchive::CArchive(std::vector<uint8_t> data)
    : m_nMode(load), m_ownedInput(std::move(data)), m_input(m_ownedInput) {}

CArchive::~CArchive() {
    for (LoadEntry& entry : m_loadArray) {
        if (entry.object != nullptr && !entry.owned) {
            delete entry.object;
        }
    }
}

void CArchive::ThrowMalformed(CArchiveException::Cause cause, const std::string& what) const {
    throw CArchiveException(cause, what + " at offset " + std::to_string(m_position));
}

void CArchive::NeedBytes(std::size_t size) const {
    if (size > GetRemaining()) {
        ThrowMalformed(CArchiveException::endOfFile, "Unexpected end of data");
    }
}

void CArchive::Write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

void CArchive::Read(void* data, std::size_t size) {
    NeedBytes(size);
    if (size > 0) {
        std::memcpy(data, m_input.data() + m_position, size);
    }
    m_position += size;
}

void CArchive::WriteUInt8(uint8_t v) {
    m_buffer.push_back(v);
}

void CArchive::WriteUInt16(uint16_t v) {
    m_buffer.push_back(static_cast<uint8_t>(v));
    m_buffer.push_back(static_cast<uint8_t>(v >> 8));
}

void CArchive::WriteUInt32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        m_buffer.push_back(static_cast<uint8_t>(v >> shift));
    }
}

void CArchive::WriteFloat(float v) {
    WriteUInt32(std::bit_cast<uint32_t>(v));
}

void CArchive::WriteDouble(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    WriteUInt32(static_cast<uint32_t>(bits));
    WriteUInt32(static_cast<uint32_t>(bits >> 32));
}

uint8_t CArchive::ReadUInt8() {
    NeedBytes(1);
    return m_input[m_position++];
}

uint16_t CArchive::ReadUInt16() {
    NeedBytes(2);
    const uint16_t v = static_cast<uint16_t>(m_input[m_position] | (m_input[m_position + 1] << 8));
    m_position += 2;
    return v;
}

uint32_t CArchive::ReadUInt32() {
    NeedBytes(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | m_input[m_position + i];
    }
    m_position += 4;
    return v;
}

float CArchive::ReadFloat() {
    return std::bit_cast<float>(ReadUInt32());
}

double CArchive::ReadDouble() {
    const uint64_t low = ReadUInt32();
    const uint64_t high = ReadUInt32();
    return std::bit_cast<double>(low | (high << 32));
}

void CArchive::WriteString(const std::string& text) {
    const std::size_t n = text.size();
    if (n < 0xFF) {
        WriteUInt8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<uint16_t>(n));
    } else {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(n));
    }
    Write(text.data(), n);
}

std::string CArchive::ReadString() {
    std::size_t n = ReadUInt8();
    if (n == 0xFF) {
        n = ReadUInt16();
        if (n == 0xFFFE) {
            ThrowMalformed(CArchiveException::generic, "Unsupported wide-character string");
        }
        if (n == 0xFFFF) {
            n = ReadUInt32();
        }
    }
    NeedBytes(n);
    std::string text(reinterpret_cast<const char*>(m_input.data() + m_position), n);
    m_position += n;
    return text;
}

void CArchive::WriteCount(std::size_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<uint16_t>(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(count));
    }
}

std::size_t CArchive::ReadCount(std::size_t minBytesPerElement) {
    std::size_t count = ReadUInt16();
    if (count == 0xFFFF) {
        count = ReadUInt32();
    }
    if (minBytesPerElement > 0 && count > GetRemaining() / minBytesPerElement) {
        ThrowMalformed(CArchiveException::badCount,
                       "Count " + std::to_string(count) + " exceeds the data");
    }
    return count;
}

void CArchive::WriteClassTag(const CRuntimeClass* pClass) {
    auto it = m_storeMap.find(pClass);
    if (it != m_storeMap.end()) {
        const uint32_t classIndex = it->second;
        if (classIndex < wBigObjectTag) {
            WriteUInt16(static_cast<uint16_t>(wClassTag | classIndex));
        } else {
            WriteUInt16(wBigObjectTag);
            WriteUInt32(dwBigClassTag | classIndex);
        }
        return;
    }
    const std::size_t nameLength = std::strlen(pClass->m_lpszClassName);
    WriteUInt16(wNewClassTag);
    WriteUInt16(static_cast<uint16_t>(pClass->m_wSchema));
    WriteUInt16(static_cast<uint16_t>(nameLength));
    Write(pClass->m_lpszClassName, nameLength);
    m_storeMap.emplace(pClass, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* object) {
    if (object == nullptr) {
        WriteUInt16(wNullTag);
        return;
    }
    auto it = m_storeMap.find(object);
    if (it != m_storeMap.end()) {
        const uint32_t objectIndex = it->second;
        if (objectIndex < wBigObjectTag) {
            WriteUInt16(static_cast<uint16_t>(objectIndex));
        } else {
            WriteUInt16(wBigObjectTag);
            WriteUInt32(objectIndex);
        }
        return;
    }
    WriteClassTag(object->GetRuntimeClass());
    m_storeMap.emplace(object, m_nMapCount++);
    // Serialize is not const, but a storing archive only reads the object.
    const_cast<CObject*>(object)->Serialize(*this);
}

void CArchive::CheckRequired(const CRuntimeClass* pClass, const CRuntimeClass* pRequired) const {
    if (pRequired != nullptr && !pClass->IsDerivedFrom(pRequired)) {
        ThrowMalformed(CArchiveException::badClass,
                       std::string("Found class ") + pClass->m_lpszClassName + " where " +
                           pRequired->m_lpszClassName + " is required");
    }
}

const CRuntimeClass* CArchive::ReadNewClassRecord(int& schema) {
    schema = ReadUInt16();
    const std::size_t nameLength = ReadUInt16();
    if (nameLength == 0 || nameLength > kMaxClassName) {
        ThrowMalformed(CArchiveException::badSchema,
                       "Class name of length " + std::to_string(nameLength));
    }
    NeedBytes(nameLength);
    const std::string name(reinterpret_cast<const char*>(m_input.data() + m_position), nameLength);
    m_position += nameLength;
    const CRuntimeClass* pClass = CRuntimeClass::FromName(name);
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr) {
        ThrowMalformed(CArchiveException::badClass, "Unknown class \"" + name + "\"");
    }
    LoadEntry entry;
    entry.pClass = pClass;
    entry.schema = schema;
    m_loadArray.push_back(entry);
    return pClass;
}

std::size_t CArchive::ReadNewObjectBody(const CRuntimeClass* pClass, int schema,
                                        const CRuntimeClass* pRequired) {
    CheckRequired(pClass, pRequired);
    if (m_nDepth >= kMaxNesting) {
        ThrowMalformed(CArchiveException::tooDeep, "Objects nested too deeply");
    }
    LoadEntry entry;
    entry.object = pClass->CreateObject();
    entry.inProgress = true;
    m_loadArray.push_back(entry);
    const std::size_t index = m_loadArray.size() - 1;

    // Restores the reader's state however the body ends; on an exception the entry
    // stays unowned, so the destructor deletes the object.
    struct BodyScope {
        CArchive& ar;
        int savedSchema;
        BodyScope(CArchive& archive, int schema)
            : ar(archive), savedSchema(archive.m_nObjectSchema) {
            ar.m_nObjectSchema = schema;
            ++ar.m_nDepth;
        }
        ~BodyScope() {
            --ar.m_nDepth;
            ar.m_nObjectSchema = savedSchema;
        }
    } scope(*this, schema);
    m_loadArray[index].object->Serialize(*this);
    m_loadArray[index].inProgress = false;
    return index;
}

std::size_t CArchive::ReadObjectIndex(const CRuntimeClass* pRequired, bool forOwner) {
    const uint16_t tag = ReadUInt16();
    uint32_t objectTag;
    if (tag == wBigObjectTag) {
        objectTag = ReadUInt32();
    } else {
        objectTag = (static_cast<uint32_t>(tag & wClassTag) << 16) | (tag & ~wClassTag);
    }

    if (tag == wNewClassTag) {
        int schema = 0;
        const CRuntimeClass* pClass = ReadNewClassRecord(schema);
        return ReadNewObjectBody(pClass, schema, pRequired);
    }
    if (objectTag & dwBigClassTag) {
        const uint32_t classIndex = objectTag & ~dwBigClassTag;
        if (classIndex == 0 || classIndex > m_loadArray.size() ||
            m_loadArray[classIndex - 1].pClass == nullptr) {
            ThrowMalformed(CArchiveException::badIndex,
                           "Class index " + Hex(classIndex) + " refers to no class");
        }
        const LoadEntry& classEntry = m_loadArray[classIndex - 1];
        return ReadNewObjectBody(classEntry.pClass, classEntry.schema, pRequired);
    }
    if (objectTag == 0 || objectTag > m_loadArray.size() ||
        m_loadArray[objectTag - 1].object == nullptr) {
        ThrowMalformed(CArchiveException::badIndex,
                       "Object index " + Hex(objectTag) + " refers to no object");
    }
    const std::size_t index = objectTag - 1;
    CheckRequired(m_loadArray[index].object->GetRuntimeClass(), pRequired);
    if (forOwner && (m_loadArray[index].owned || m_loadArray[index].inProgress)) {
        ThrowMalformed(CArchiveException::badReference,
                       "Object " + Hex(objectTag) + " is stored in two places");
    }
    return index;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pRequired) {
    const std::size_t start = m_position;
    if (GetRemaining() >= 2 && m_input[start] == 0 && m_input[start + 1] == 0) {
        m_position += 2;
        return nullptr;
    }
    return m_loadArray[ReadObjectIndex(pRequired, false)].object;
}

std::unique_ptr<CObject> CArchive::ReadOwnedObject(const CRuntimeClass* pRequired) {
    if (GetRemaining() >= 2 && m_input[m_position] == 0 && m_input[m_position + 1] == 0) {
        m_position += 2;
        return nullptr;
    }
    LoadEntry& entry = m_loadArray[ReadObjectIndex(pRequired, true)];
    entry.owned = true;
    return std::unique_ptr<CObject>(entry.object);
}

std::size_t CArchive::GetUnownedCount() const {
    std::size_t count = 0;
    for (const LoadEntry& entry : m_loadArray) {
        count += (entry.object != nullptr && !entry.owned) ? 1 : 0;
    }
    return count;
}
