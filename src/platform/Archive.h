#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ArchiveException.h"
#include "platform/Object.h"

class CDocument;

// The persistent-object archive: little-endian numbers, counted strings, and
// objects with class records and back references, byte-exact with the stored
// documents. A storing archive collects bytes in memory; a loading archive reads
// a byte buffer and raises CArchiveException on any malformed input, never
// reading past the buffer.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Tags of the object encoding.
    static constexpr uint16_t wNullTag = 0x0000;
    static constexpr uint16_t wNewClassTag = 0xFFFF;
    static constexpr uint16_t wClassTag = 0x8000;
    static constexpr uint16_t wBigObjectTag = 0x7FFF;
    static constexpr uint32_t dwBigClassTag = 0x80000000u;

    // Objects nested deeper than this are refused when loading.
    static constexpr int kMaxNesting = 200;

    // A storing archive.
    CArchive();
    // A loading archive over bytes that outlive it.
    explicit CArchive(std::span<const uint8_t> data);
    // A loading archive that keeps its own copy of the bytes.
    explicit CArchive(std::vector<uint8_t> data);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Deletes the objects a load created that no owner has taken.
    ~CArchive();

    bool IsStoring() const { return m_nMode == store; }
    bool IsLoading() const { return m_nMode == load; }

    CDocument* m_pDocument = nullptr;

    // Bytes written so far (storing).
    const std::vector<uint8_t>& GetBuffer() const { return m_buffer; }
    // Read position and bytes left (loading).
    std::size_t GetPosition() const { return m_position; }
    std::size_t GetRemaining() const { return m_input.size() - m_position; }

    void Write(const void* data, std::size_t size);
    void Read(void* data, std::size_t size);

    void WriteUInt8(uint8_t v);
    void WriteUInt16(uint16_t v);
    void WriteUInt32(uint32_t v);
    void WriteInt16(int16_t v) { WriteUInt16(static_cast<uint16_t>(v)); }
    void WriteInt32(int32_t v) { WriteUInt32(static_cast<uint32_t>(v)); }
    void WriteFloat(float v);
    void WriteDouble(double v);
    uint8_t ReadUInt8();
    uint16_t ReadUInt16();
    uint32_t ReadUInt32();
    int16_t ReadInt16() { return static_cast<int16_t>(ReadUInt16()); }
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
    float ReadFloat();
    double ReadDouble();

    // Counted single-byte string: a byte length below 255, else 0xFF and a 16-bit
    // length below 0xFFFE, else 0xFF 0xFFFF and a 32-bit length.
    void WriteString(const std::string& text);
    std::string ReadString();

    // Element count of an object array or list: 16 bits, or 0xFFFF and 32 bits.
    void WriteCount(std::size_t count);
    // Reads a count and refuses one that the remaining bytes cannot hold when each
    // element takes at least minBytesPerElement bytes.
    std::size_t ReadCount(std::size_t minBytesPerElement = 1);

    // Writes an object (or the null tag), its class record the first time the class
    // appears, and a back reference when the object was written before.
    void WriteObject(const CObject* object);

    // Reads an object tag and returns the object, which may have been read before
    // (a back reference) and is then shared. Objects first created through this call
    // stay with the archive until an owner takes them with ReadOwnedObject or a
    // back reference of it. Null for the null tag. pRequired, when given, must be
    // the class or a base of the object's class.
    CObject* ReadObject(const CRuntimeClass* pRequired);

    // Reads an object for a caller that will own it: a new object or a back
    // reference to one that nobody owns yet. Null for the null tag.
    std::unique_ptr<CObject> ReadOwnedObject(const CRuntimeClass* pRequired);

    template <class T>
    std::unique_ptr<T> ReadOwned() {
        std::unique_ptr<CObject> object = ReadOwnedObject(T::GetThisClass());
        return std::unique_ptr<T>(static_cast<T*>(object.release()));
    }

    // The schema stored with the class of the object whose body is being read.
    int GetObjectSchema() const { return m_nObjectSchema; }

    // Objects the load created that no owner has taken (a document rejects these).
    std::size_t GetUnownedCount() const;

    // Raises a malformed-data error with the position in the data.
    [[noreturn]] void ThrowMalformed(CArchiveException::Cause cause, const std::string& what) const;

private:
    struct LoadEntry {
        const CRuntimeClass* pClass = nullptr;  // class record entry when set
        int schema = 0;
        CObject* object = nullptr;  // object entry when set
        bool owned = false;
        bool inProgress = false;
    };

    void NeedBytes(std::size_t size) const;
    void WriteClassTag(const CRuntimeClass* pClass);
    std::size_t ReadObjectIndex(const CRuntimeClass* pRequired, bool forOwner);
    std::size_t ReadNewObjectBody(const CRuntimeClass* pClass, int schema,
                                  const CRuntimeClass* pRequired);
    const CRuntimeClass* ReadNewClassRecord(int& schema);
    void CheckRequired(const CRuntimeClass* pClass, const CRuntimeClass* pRequired) const;

    Mode m_nMode;
    std::vector<uint8_t> m_buffer;      // storing: the bytes written
    std::vector<uint8_t> m_ownedInput;  // loading: own copy when given one
    std::span<const uint8_t> m_input;   // loading: the bytes read
    std::size_t m_position = 0;

    // Storing: index of each class and object written, numbered from 1.
    std::unordered_map<const void*, uint32_t> m_storeMap;
    uint32_t m_nMapCount = 1;
    // Loading: entry i - 1 is index i.
    std::vector<LoadEntry> m_loadArray;

    int m_nObjectSchema = -1;
    int m_nDepth = 0;
};
