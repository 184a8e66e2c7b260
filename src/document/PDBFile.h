#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writer of a handheld database file (PDB container) that holds one table: the
// header, the record list, an empty category block, the table schema in the
// application-info block and one record per text line. Every number is written
// big-endian. The file is built in memory, so the header and the record list
// can be patched as the parts are written, and Close writes it through a
// temporary file that is renamed over the target: a failure never leaves a
// half-written file.
//
// Every step returns false once anything has failed; the first failure's text
// is kept in GetError() and Close() then writes nothing.
class CPDBFile {
public:
    // Seconds from the handheld's epoch to 1970-01-01 00:00:00, as the handheld
    // application expects it (86 seconds more than the calendar difference).
    static constexpr uint32_t kDateOffset = 2082844886u;
    static constexpr std::size_t kHeaderSize = 78;
    static constexpr std::size_t kRecordEntrySize = 8;
    static constexpr std::size_t kCategoryBlockSize = 276;
    static constexpr std::size_t kSchemaHeaderSize = 24;
    static constexpr std::size_t kColumnDescriptorSize = 6;
    static constexpr std::size_t kSchemaPadding = 15;
    static constexpr std::size_t kNameFieldSize = 32;
    static constexpr uint8_t kRecordAttributes = 0x40;
    static constexpr uint32_t kMaxUniqueId = 0xFFFFFF;
    static constexpr int kMaxRecords = 0xFFFF;

    // Column type codes and how a field of the type is stored in a record.
    enum ColumnType : int {
        COLUMN_BYTE = 1,       // 1 byte, integer value
        COLUMN_WORD = 2,       // 2 bytes, integer value
        COLUMN_LONG = 3,       // 4 bytes, integer value
        COLUMN_FLOAT = 4,      // 4 bytes, floating value truncated to an integer
        COLUMN_TEXT = 5,       // text + NUL
        COLUMN_BOOLEAN = 6,    // 1 byte, integer value
        COLUMN_FLOAT_ALT = 8,  // as COLUMN_FLOAT
    };
    static bool IsValidColumnType(int code);

    // The creation time is the current time unless set.
    CPDBFile();
    CPDBFile(const CPDBFile&) = delete;
    CPDBFile& operator=(const CPDBFile&) = delete;
    ~CPDBFile() = default;

    // The creation and modification dates; the header is patched when already written.
    void SetCreationTime(uint32_t secondsSince1970);

    // Starts the file at path with its extension replaced by ".PDB" and writes the
    // header with placeholders. The database name is the file name without folder
    // and extension, cut to 31 characters so that a NUL always ends it. Fails when
    // the folder cannot take the file.
    bool Create(const std::string& path);
    // n empty record-list entries; only directly after the header.
    bool ReserveRecordList(int n);
    // The 276-byte category block, which is where the application-info block starts.
    bool WriteCategoryBlock();
    bool SetUniqueIdSeed(uint32_t seed);
    bool SetRecordCount(int n);
    // "APPFORG2" and the schema header; the schema size and table-name offset are
    // patched by WriteTable.
    bool WriteSchemaHeader(uint16_t first, uint16_t second);
    // The column descriptors and names. schemaText is the table name and the column
    // names, each followed by ";"; typeCodes holds at least fieldCount codes.
    bool WriteTable(const std::string& schemaText, const std::vector<int>& typeCodes,
                    int fieldCount);
    // Points the next record-list entry at the current end of the file and appends
    // the record: the line split at ",", each field without trailing blanks,
    // converted by its column's type; missing fields are written as 0 or "".
    bool WriteRecord(const std::string& line, uint32_t uniqueId);
    // Writes the file; false when any step failed or the write itself fails.
    bool Close();

    // The target path with the ".PDB" extension, once Create was called.
    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetError() const { return m_strError; }

private:
    bool Fail(const std::string& text);
    bool CheckWritable(const char* operation);
    bool CheckRoom(std::size_t extra);
    void Append8(uint8_t value);
    void Append16(uint16_t value);
    void Append32(uint32_t value);
    void AppendText(const std::string& text);
    void AppendZeros(std::size_t count);
    void Patch16(std::size_t offset, uint16_t value);
    void Patch32(std::size_t offset, uint32_t value);
    void PatchDates();
    void AppendField(int typeCode, const std::string& field);

    enum State { STATE_NEW, STATE_OPEN, STATE_CLOSED };

    State m_state = STATE_NEW;
    bool m_bFailed = false;
    std::string m_strError;
    std::string m_strPath;
    uint32_t m_nCreationTime = 0;
    std::vector<uint8_t> m_bytes;
    int m_nRecordListSize = -1;  // reserved entries; -1 until reserved
    int m_nRecordsWritten = 0;
    std::size_t m_nSchemaStart = 0;  // offset of "APPFORG2"; 0 until written
    bool m_bTableWritten = false;
    std::vector<int> m_columnTypes;
};
