#include "document/PDBFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>

#include "model/ParamValue.h"
#include "platform/FileIo.h"
#include "platform/Text.h"

namespace {

constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kAttributesOffset = 32;
constexpr std::size_t kVersionOffset = 34;
constexpr std::size_t kCreationDateOffset = 36;
constexpr std::size_t kModificationDateOffset = 40;
constexpr std::size_t kAppInfoOffset = 52;
constexpr std::size_t kTypeOffset = 60;
constexpr std::size_t kCreatorOffset = 64;
constexpr std::size_t kSeedOffset = 68;
constexpr std::size_t kRecordCountOffset = 76;

constexpr uint16_t kAttributes = 8;
constexpr uint16_t kVersion = 1;
constexpr char kDatabaseType[] = "DATA";
constexpr char kCreatorCode[] = "VRXP";
constexpr char kSchemaSignature[] = "APPFORG2";

// Offsets inside the schema header, counted from "APPFORG2".
constexpr std::size_t kSchemaSizeField = 12;
constexpr std::size_t kTableNameField = 14;

std::string ErrnoText(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::strerror(error);
}

std::string TrimTrailingBlanks(const std::string& text) {
    return TrimRight(text, " \t\r\n");
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The integer part of a floating value as a 32-bit integer: values beyond the
// range are clamped, NaN gives 0.
int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

}  // namespace

bool CPDBFile::IsValidColumnType(int code) {
    return (code >= COLUMN_BYTE && code <= COLUMN_BOOLEAN) || code == COLUMN_FLOAT_ALT;
}

CPDBFile::CPDBFile() : m_nCreationTime(static_cast<uint32_t>(std::time(nullptr))) {}

void CPDBFile::SetCreationTime(uint32_t secondsSince1970) {
    m_nCreationTime = secondsSince1970;
    if (m_bytes.size() >= kHeaderSize) {
        PatchDates();
    }
}

bool CPDBFile::Create(const std::string& path) {
    if (m_state != STATE_NEW) {
        return Fail("The database file was already created");
    }
    std::filesystem::path target(path);
    target.replace_extension(".PDB");
    m_strPath = target.string();
    m_state = STATE_OPEN;

    // The file itself is written at Close; find out now whether the folder takes it.
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return Fail(ErrnoText("Cannot create", m_strPath, errno));
    }
    if (!S_ISDIR(info.st_mode)) {
        return Fail(ErrnoText("Cannot create", m_strPath, ENOTDIR));
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return Fail(ErrnoText("Cannot create", m_strPath, errno));
    }
    if (::stat(m_strPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return Fail(ErrnoText("Cannot create", m_strPath, EISDIR));
    }

    std::string name = target.stem().string();
    if (name.size() > kNameFieldSize - 1) {
        name.resize(kNameFieldSize - 1);
    }
    m_bytes.clear();
    m_bytes.reserve(4096);
    AppendZeros(kHeaderSize);
    // A name with an embedded NUL simply ends there.
    std::copy(name.begin(), name.end(), m_bytes.begin() + kNameOffset);
    Patch16(kAttributesOffset, kAttributes);
    Patch16(kVersionOffset, kVersion);
    PatchDates();
    std::copy(kDatabaseType, kDatabaseType + 4, m_bytes.begin() + kTypeOffset);
    std::copy(kCreatorCode, kCreatorCode + 4, m_bytes.begin() + kCreatorOffset);
    return true;
}

bool CPDBFile::ReserveRecordList(int n) {
    if (!CheckWritable("reserve the record list")) {
        return false;
    }
    if (m_nRecordListSize >= 0 || m_bytes.size() != kHeaderSize) {
        return Fail("The record list must follow the header directly");
    }
    if (n < 0 || n > kMaxRecords) {
        return Fail("A database file holds at most 65535 records, not " + std::to_string(n));
    }
    m_nRecordListSize = n;
    AppendZeros(static_cast<std::size_t>(n) * kRecordEntrySize);
    return true;
}

bool CPDBFile::WriteCategoryBlock() {
    if (!CheckWritable("write the category block") || !CheckRoom(kCategoryBlockSize)) {
        return false;
    }
    Patch32(kAppInfoOffset, static_cast<uint32_t>(m_bytes.size()));
    AppendZeros(kCategoryBlockSize);
    return true;
}

bool CPDBFile::SetUniqueIdSeed(uint32_t seed) {
    if (!CheckWritable("set the unique-ID seed")) {
        return false;
    }
    Patch32(kSeedOffset, seed);
    return true;
}

bool CPDBFile::SetRecordCount(int n) {
    if (!CheckWritable("set the record count")) {
        return false;
    }
    if (n < 0 || n > kMaxRecords) {
        return Fail("A database file holds at most 65535 records, not " + std::to_string(n));
    }
    Patch16(kRecordCountOffset, static_cast<uint16_t>(n));
    return true;
}

bool CPDBFile::WriteSchemaHeader(uint16_t first, uint16_t second) {
    if (!CheckWritable("write the schema header")) {
        return false;
    }
    if (m_nSchemaStart != 0) {
        return Fail("The schema header was already written");
    }
    if (!CheckRoom(kSchemaHeaderSize)) {
        return false;
    }
    m_nSchemaStart = m_bytes.size();
    for (int i = 0; i < 8; ++i) {
        Append8(static_cast<uint8_t>(kSchemaSignature[i]));
    }
    Append32(0);
    Append16(0);  // schema size, patched by WriteTable
    Append16(0);  // table-name offset, patched by WriteTable
    Append16(first);
    Append16(second);
    Append32(0);
    return true;
}

bool CPDBFile::WriteTable(const std::string& schemaText, const std::vector<int>& typeCodes,
                          int fieldCount) {
    if (!CheckWritable("write the table schema")) {
        return false;
    }
    if (m_nSchemaStart == 0 || m_bTableWritten) {
        return Fail("A table needs a schema header of its own");
    }
    if (fieldCount < 0 || static_cast<std::size_t>(fieldCount) > typeCodes.size()) {
        return Fail("The table has " + std::to_string(fieldCount) + " columns but " +
                    std::to_string(typeCodes.size()) + " type codes");
    }
    for (int i = 0; i < fieldCount; ++i) {
        if (!IsValidColumnType(typeCodes[i])) {
            return Fail("Unknown column type code " + std::to_string(typeCodes[i]));
        }
    }

    // The table name and then one name per column; a name runs up to its ";" and
    // names the text does not hold are empty.
    std::vector<std::string> names = Split(schemaText, ';');
    names.resize(static_cast<std::size_t>(fieldCount) + 1);
    for (std::string& name : names) {
        name = name.substr(0, name.find('\0'));
    }

    // Every offset is counted from "APPFORG2" and must fit its 16-bit field.
    const std::size_t descriptorStart = m_bytes.size() - m_nSchemaStart;
    std::vector<std::size_t> nameOffsets;
    std::size_t offset = descriptorStart + kColumnDescriptorSize * fieldCount;
    for (const std::string& name : names) {
        nameOffsets.push_back(offset);
        offset += name.size() + 1;
    }
    const std::size_t schemaSize = offset + kSchemaPadding;
    if (schemaSize > 0xFFFF) {
        return Fail("The table schema is too large for a database file");
    }
    if (!CheckRoom(schemaSize - descriptorStart)) {
        return false;
    }

    for (int i = 0; i < fieldCount; ++i) {
        Append16(static_cast<uint16_t>(nameOffsets[i + 1]));
        Append16(static_cast<uint16_t>(typeCodes[i]));
        Append16(0);
    }
    for (const std::string& name : names) {
        AppendText(name);
    }
    AppendZeros(kSchemaPadding);
    Patch16(m_nSchemaStart + kSchemaSizeField, static_cast<uint16_t>(schemaSize));
    Patch16(m_nSchemaStart + kTableNameField, static_cast<uint16_t>(nameOffsets[0]));
    m_columnTypes.assign(typeCodes.begin(), typeCodes.begin() + fieldCount);
    m_bTableWritten = true;
    return true;
}

bool CPDBFile::WriteRecord(const std::string& line, uint32_t uniqueId) {
    if (!CheckWritable("write a record")) {
        return false;
    }
    if (!m_bTableWritten) {
        return Fail("Records need the table schema first");
    }
    if (m_nRecordListSize < 0 || m_nRecordsWritten >= m_nRecordListSize) {
        return Fail("More records than the record list holds (" +
                    std::to_string(std::max(m_nRecordListSize, 0)) + ")");
    }
    if (uniqueId > kMaxUniqueId) {
        return Fail("The unique ID " + std::to_string(uniqueId) + " does not fit in 3 bytes");
    }

    std::vector<std::string> fields = Split(line, ',');
    fields.resize(std::max(fields.size(), m_columnTypes.size()));
    std::size_t recordSize = 0;
    for (std::size_t i = 0; i < m_columnTypes.size(); ++i) {
        fields[i] = TrimTrailingBlanks(fields[i]);
        switch (m_columnTypes[i]) {
            case COLUMN_BYTE:
            case COLUMN_BOOLEAN:
                recordSize += 1;
                break;
            case COLUMN_WORD:
                recordSize += 2;
                break;
            case COLUMN_TEXT:
                recordSize += fields[i].size() + 1;
                break;
            default:
                recordSize += 4;
                break;
        }
    }
    if (!CheckRoom(recordSize)) {
        return false;
    }

    const std::size_t entry = kHeaderSize + kRecordEntrySize * m_nRecordsWritten;
    Patch32(entry, static_cast<uint32_t>(m_bytes.size()));
    m_bytes[entry + 4] = kRecordAttributes;
    m_bytes[entry + 5] = static_cast<uint8_t>(uniqueId >> 16);
    m_bytes[entry + 6] = static_cast<uint8_t>(uniqueId >> 8);
    m_bytes[entry + 7] = static_cast<uint8_t>(uniqueId);
    ++m_nRecordsWritten;

    for (std::size_t i = 0; i < m_columnTypes.size(); ++i) {
        AppendField(m_columnTypes[i], fields[i]);
    }
    return true;
}

bool CPDBFile::Close() {
    if (m_state == STATE_NEW) {
        return Fail("The database file was not created");
    }
    if (m_state == STATE_CLOSED) {
        return !m_bFailed;
    }
    m_state = STATE_CLOSED;
    if (m_bFailed) {
        return false;
    }
    if (m_nRecordListSize < 0 || m_nSchemaStart == 0 || !m_bTableWritten) {
        return Fail("The database file \"" + m_strPath + "\" is incomplete");
    }
    if (m_nRecordsWritten != m_nRecordListSize) {
        return Fail("The database file \"" + m_strPath + "\" has " +
                    std::to_string(m_nRecordsWritten) + " of its " +
                    std::to_string(m_nRecordListSize) + " records");
    }
    std::string error;
    if (!WriteFileAtomically(m_strPath, m_bytes, error)) {
        return Fail(error);
    }
    return true;
}

bool CPDBFile::Fail(const std::string& text) {
    if (!m_bFailed) {
        m_bFailed = true;
        m_strError = text;
    }
    return false;
}

bool CPDBFile::CheckWritable(const char* operation) {
    if (m_bFailed) {
        return false;
    }
    if (m_state != STATE_OPEN) {
        return Fail(std::string("Cannot ") + operation +
                    (m_state == STATE_NEW ? ": the database file was not created"
                                          : ": the database file is closed"));
    }
    return true;
}

bool CPDBFile::CheckRoom(std::size_t extra) {
    // Every offset in the file is a 32-bit number.
    if (extra > std::numeric_limits<uint32_t>::max() - m_bytes.size()) {
        return Fail("The database file \"" + m_strPath + "\" would exceed 4 GB");
    }
    return true;
}

void CPDBFile::Append8(uint8_t value) {
    m_bytes.push_back(value);
}

void CPDBFile::Append16(uint16_t value) {
    m_bytes.push_back(static_cast<uint8_t>(value >> 8));
    m_bytes.push_back(static_cast<uint8_t>(value));
}

void CPDBFile::Append32(uint32_t value) {
    Append16(static_cast<uint16_t>(value >> 16));
    Append16(static_cast<uint16_t>(value));
}

void CPDBFile::AppendText(const std::string& text) {
    // A text field ends at its first NUL, whatever the string holds after it.
    const std::size_t length = std::min(text.size(), std::strlen(text.c_str()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.begin() + length);
    m_bytes.push_back(0);
}

void CPDBFile::AppendZeros(std::size_t count) {
    m_bytes.insert(m_bytes.end(), count, 0);
}

void CPDBFile::Patch16(std::size_t offset, uint16_t value) {
    if (offset + 2 <= m_bytes.size()) {
        m_bytes[offset] = static_cast<uint8_t>(value >> 8);
        m_bytes[offset + 1] = static_cast<uint8_t>(value);
    }
}

void CPDBFile::Patch32(std::size_t offset, uint32_t value) {
    Patch16(offset, static_cast<uint16_t>(value >> 16));
    Patch16(offset + 2, static_cast<uint16_t>(value));
}

void CPDBFile::PatchDates() {
    // The handheld's dates are 32-bit: unsigned arithmetic wraps like the device's clock.
    const uint32_t date = m_nCreationTime + kDateOffset;
    Patch32(kCreationDateOffset, date);
    Patch32(kModificationDateOffset, date);
}

void CPDBFile::AppendField(int typeCode, const std::string& field) {
    switch (typeCode) {
        case COLUMN_BYTE:
        case COLUMN_BOOLEAN:
            // Narrow columns keep the low-order bytes of the value, as a C cast does.
            Append8(static_cast<uint8_t>(ParseLeadingInt(field)));
            break;
        case COLUMN_WORD:
            Append16(static_cast<uint16_t>(ParseLeadingInt(field)));
            break;
        case COLUMN_LONG:
            Append32(static_cast<uint32_t>(ParseLeadingInt(field)));
            break;
        case COLUMN_FLOAT:
        case COLUMN_FLOAT_ALT:
            Append32(static_cast<uint32_t>(TruncateToInt32(ParseLeadingDouble(field))));
            break;
        case COLUMN_TEXT:
            AppendText(field);
            break;
        default:
            break;
    }
}
