#include "comm/CalibrationRecord.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Text.h"

namespace {

constexpr std::size_t kFieldCount = 13;
constexpr std::uintmax_t kMaxRecordFile = 64 * 1024 * 1024;

enum Field {
    kDate,
    kTime,
    kAddress,
    kModel,
    kVersion,
    kConfiguration,
    kKind,
    kMode,
    kColumn,
    kPoint,
    kNominal,
    kFound,
    kLeft
};

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// The fields of one line; quoted fields may hold commas and doubled quotes.
std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

bool ParseInt(const std::string& text, int minimum, int maximum, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < minimum || parsed > maximum) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseThousandths(const std::string& text, int& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(parsed) || std::fabs(parsed) > 32.767) {
        return false;
    }
    value = static_cast<int>(std::lround(parsed * 1000.0));
    return true;
}

// "A.I. 3" gives column 2: the number the title ends with, whatever the
// language the title was written in.
int ColumnOfTitle(const std::string& title) {
    const std::size_t digits = title.find_last_not_of("0123456789");
    const std::string number = title.substr(digits == std::string::npos ? 0 : digits + 1);
    int column = 0;
    return ParseInt(number, 1, CCalibrationTable::kInputColumns, column) ? column - 1 : -1;
}

int RowOfLabel(int mode, const std::string& label) {
    for (int row = 0; row < CCalibrationTable::RowsOfMode(mode); ++row) {
        if (CCalibrationTable::RowLabel(mode, row) == label) {
            return row;
        }
    }
    return -1;
}

// One cell line: its record's identity and the cell's two values.
struct CellLine {
    CCalibrationRecord header;
    int column = -1;
    int row = -1;
    int found = 0;
    int left = 0;
};

bool ParseLine(const std::string& line, CellLine& cell) {
    const std::vector<std::string> fields = SplitCsv(line);
    int mode = 0;
    int kind = 0;
    CCalibrationRecord& record = cell.header;
    if (fields.size() != kFieldCount || !CCalibrationRecord::IsDate(fields[kDate]) ||
        !ParseInt(fields[kAddress], 0, 255, record.m_nAddress) ||
        !ParseInt(fields[kMode], 0, CCalibrationTable::kModeCount - 1, mode) ||
        !ParseInt(fields[kKind], 1, 3, kind) || kind != CCalibrationTable::KindOfMode(mode) ||
        !ParseThousandths(fields[kFound], cell.found) ||
        !ParseThousandths(fields[kLeft], cell.left)) {
        return false;
    }
    cell.column = ColumnOfTitle(fields[kColumn]);
    cell.row = RowOfLabel(mode, fields[kPoint]);
    if (cell.column >= CCalibrationTable::ColumnsOfMode(mode) || cell.column < 0 || cell.row < 0) {
        return false;
    }
    record.m_strDate = fields[kDate];
    record.m_strTime = fields[kTime];
    record.m_strModel = fields[kModel];
    record.m_strVersion = fields[kVersion];
    record.m_strConfiguration = fields[kConfiguration];
    record.m_found = CCalibrationTable(mode);
    record.m_left = CCalibrationTable(mode);
    return true;
}

bool SameRecord(const CCalibrationRecord& a, const CCalibrationRecord& b) {
    return a.m_strDate == b.m_strDate && a.m_strTime == b.m_strTime &&
           a.m_nAddress == b.m_nAddress && a.GetMode() == b.GetMode() &&
           a.m_strConfiguration == b.m_strConfiguration;
}

}  // namespace

CCalibrationRecord::CCalibrationRecord(const CCalibrationTable& found,
                                       const CCalibrationTable& left)
    : m_found(found), m_left(left) {}

void CCalibrationRecord::StampNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[16];
    char time[24];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    m_strDate = date;
    m_strTime = time;
}

std::string CCalibrationRecord::FileName() const {
    std::string name = Trim(m_strConfiguration);
    if (name.empty()) {
        name = "address-" + std::to_string(m_nAddress);
    }
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F ||
            std::string("/\\:*?\"<>|.").find(c) != std::string::npos) {
            c = '_';
        }
    }
    return name + ".csv";
}

std::string CCalibrationRecord::ToCsv() const {
    const int mode = GetMode();
    std::ostringstream out;
    for (int column = 0; column < m_left.GetColumnCount(); ++column) {
        for (int row = 0; row < m_left.GetRowCount(); ++row) {
            const std::string fields[kFieldCount] = {
                m_strDate,
                m_strTime,
                std::to_string(m_nAddress),
                m_strModel,
                m_strVersion,
                m_strConfiguration,
                std::to_string(m_left.GetKind()),
                std::to_string(mode),
                CCalibrationTable::ColumnTitle(mode, column),
                CCalibrationTable::RowLabel(mode, row),
                CCalibrationTable::FormatThousandths(CCalibrationTable::NominalValue(mode, row)),
                m_found.GetText(column, row),
                m_left.GetText(column, row)};
            for (std::size_t i = 0; i < kFieldCount; ++i) {
                out << (i == 0 ? "" : ",") << CsvField(fields[i]);
            }
            out << "\n";
        }
    }
    return out.str();
}

bool CCalibrationRecord::AppendTo(const std::string& workDir, std::string& error) const {
    namespace fs = std::filesystem;
    std::error_code code;
    const fs::path folder = fs::path(workDir.empty() ? "." : workDir) / kFolder;
    fs::create_directories(folder, code);
    const fs::path path = folder / FileName();
    const bool fresh = !fs::exists(path, code) || fs::file_size(path, code) == 0;
    std::ofstream file(path, std::ios::out | std::ios::app | std::ios::binary);
    if (!file) {
        error = "cannot open " + path.string() + " for appending";
        return false;
    }
    file << (fresh ? std::string(kHeader) + "\n" : std::string()) << ToCsv();
    file.flush();
    if (!file) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

bool CCalibrationRecord::ReadFile(const std::string& path, std::vector<CCalibrationRecord>& records,
                                  std::string& error) {
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    std::ifstream file(path, std::ios::binary);
    if (code || !file || size > kMaxRecordFile) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    ParseCsv(text.str(), records);
    return true;
}

void CCalibrationRecord::ParseCsv(const std::string& text,
                                  std::vector<CCalibrationRecord>& records) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        CellLine cell;
        if (!ParseLine(line, cell)) {
            continue;
        }
        if (records.empty() || !SameRecord(records.back(), cell.header)) {
            records.push_back(cell.header);
        }
        records.back().m_found.SetValue(cell.column, cell.row, cell.found);
        records.back().m_left.SetValue(cell.column, cell.row, cell.left);
    }
}

std::vector<CCalibrationRecord> CCalibrationRecord::FindRecords(const std::string& workDir,
                                                                int address,
                                                                const std::string& since) {
    namespace fs = std::filesystem;
    std::vector<CCalibrationRecord> found;
    std::error_code code;
    const fs::path folder = fs::path(workDir.empty() ? "." : workDir) / kFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
        if (entry.path().extension() != ".csv") {
            continue;
        }
        std::vector<CCalibrationRecord> records;
        std::string error;
        ReadFile(entry.path().string(), records, error);
        for (CCalibrationRecord& record : records) {
            if (record.m_nAddress == address && record.m_strDate >= since) {
                found.push_back(std::move(record));
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.m_strDate + a.m_strTime < b.m_strDate + b.m_strTime;
    });
    return found;
}

bool CCalibrationRecord::IsDate(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           ParseInt(text.substr(0, 4), 1900, 9999, year) &&
           ParseInt(text.substr(5, 2), 1, 12, month) && ParseInt(text.substr(8, 2), 1, 31, day);
}
