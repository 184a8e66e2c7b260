#include "comm/CalibrationTable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

namespace {

constexpr const char* kInputRowLabels[CCalibrationTable::kInputRows] = {"0.0V", "1.0V", "3.0V",
                                                                        "5.0V"};
constexpr const char* kOutputRowLabels[CCalibrationTable::kOutputRows] = {"0%", "100%"};

// Calibration points in thousandths, per mode and row.
constexpr int kInputPoints[CCalibrationTable::kInputRows] = {0, 1000, 3000, 5000};
constexpr int kOutputPoints[CCalibrationTable::kModeCount][CCalibrationTable::kOutputRows] = {
    {0, 0}, {0, 0}, {0, 20000}, {4000, 20000}, {0, 5000}, {1000, 5000}};

// Every typed point may lie 0.2 of its unit off the nominal value.
constexpr int kTolerance = 200;

bool IsInputMode(int mode) {
    return mode == CCalibrationTable::kInputAuto || mode == CCalibrationTable::kInputManual;
}

// The n-th entry (from 0) of a ";"-separated list.
std::string ListEntry(const std::string& list, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = list.find(';', start);
        if (start == std::string::npos) {
            return std::string();
        }
        ++start;
    }
    return list.substr(start, list.find(';', start) - start);
}

}  // namespace

CCalibrationTable::CCalibrationTable(int mode)
    : m_nMode(IsValidMode(mode) ? mode : kInputManual),
      m_values(static_cast<std::size_t>(ColumnsOfMode(m_nMode) * RowsOfMode(m_nMode)), 0) {}

int CCalibrationTable::KindOfMode(int mode) {
    if (!IsValidMode(mode)) {
        return 0;
    }
    return IsInputMode(mode) ? 1 : (mode <= kCurrent4To20 ? 2 : 3);
}

std::string CCalibrationTable::ModeName(int mode) {
    static const char* const kNames[kModeCount] = {
        "Analog Input (Auto)",       "Analog Input (Manual)",   "Current Output (0 - 20mA)",
        "Current Output (4 - 20mA)", "Voltage Output (0 - 5V)", "Voltage Output (1 - 5V)"};
    return IsValidMode(mode) ? kNames[mode] : std::string();
}

int CCalibrationTable::ColumnsOfMode(int mode) {
    return IsValidMode(mode) ? (IsInputMode(mode) ? kInputColumns : kOutputColumns) : 0;
}

int CCalibrationTable::RowsOfMode(int mode) {
    return IsValidMode(mode) ? (IsInputMode(mode) ? kInputRows : kOutputRows) : 0;
}

std::string CCalibrationTable::RowLabel(int mode, int row) {
    if (row < 0 || row >= RowsOfMode(mode)) {
        return std::string();
    }
    return IsInputMode(mode) ? kInputRowLabels[row] : kOutputRowLabels[row];
}

std::string CCalibrationTable::ColumnTitle(int mode, int column) {
    if (column < 0 || column >= ColumnsOfMode(mode)) {
        return std::string();
    }
    const std::string format =
        ListEntry(LoadResString(IDS_CALIBRATION_COLUMNS), KindOfMode(mode) - 1);
    // The entry holds one "%d"; anything else in it is shown as it is.
    const std::size_t at = format.find("%d");
    if (at == std::string::npos) {
        return format;
    }
    return format.substr(0, at) + std::to_string(column + 1) + format.substr(at + 2);
}

int CCalibrationTable::NominalValue(int mode, int row) {
    if (row < 0 || row >= RowsOfMode(mode)) {
        return 0;
    }
    return IsInputMode(mode) ? kInputPoints[row] : kOutputPoints[mode][row];
}

bool CCalibrationTable::RowRange(int mode, int row, int& minimum, int& maximum) {
    if (mode == kInputAuto || row < 0 || row >= RowsOfMode(mode)) {
        return false;
    }
    const int nominal = NominalValue(mode, row);
    minimum = nominal - kTolerance;
    maximum = nominal + kTolerance;
    return true;
}

uint8_t CCalibrationTable::SelectionMask(const std::vector<bool>& selected) {
    uint8_t mask = 0;
    for (std::size_t column = 0; column < selected.size() && column < kInputColumns; ++column) {
        if (selected[column]) {
            mask = static_cast<uint8_t>(mask | (1u << column));
        }
    }
    return mask;
}

bool CCalibrationTable::ParseCell(int mode, int row, const std::string& text, int& thousandths) {
    const std::string trimmed = Trim(text, " \t");
    if (trimmed.empty()) {
        return false;
    }
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    int minimum = 0;
    int maximum = 0;
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value) ||
        !RowRange(mode, row, minimum, maximum)) {
        return false;
    }
    // Compared after rounding, as the grid shows the value with three decimals.
    const long rounded = std::lround(value * 1000.0);
    if (rounded < minimum || rounded > maximum) {
        return false;
    }
    thousandths = static_cast<int>(rounded);
    return true;
}

std::string CCalibrationTable::FormatThousandths(int thousandths) {
    const int magnitude = std::abs(thousandths);
    char text[24];
    std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "", magnitude / 1000,
                  magnitude % 1000);
    return text;
}

int CCalibrationTable::GetValue(int column, int row) const {
    if (column < 0 || column >= GetColumnCount() || row < 0 || row >= GetRowCount()) {
        return 0;
    }
    return m_values[static_cast<std::size_t>(Index(column, row))];
}

bool CCalibrationTable::SetValue(int column, int row, int thousandths) {
    if (column < 0 || column >= GetColumnCount() || row < 0 || row >= GetRowCount() ||
        thousandths < INT16_MIN || thousandths > INT16_MAX) {
        return false;
    }
    m_values[static_cast<std::size_t>(Index(column, row))] = static_cast<int16_t>(thousandths);
    return true;
}

std::vector<uint8_t> CCalibrationTable::ToBytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(m_values.size() * 2);
    for (const int16_t value : m_values) {
        const auto word = static_cast<uint16_t>(value);
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    return bytes;
}

bool CCalibrationTable::FromBytes(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != m_values.size() * 2) {
        return false;
    }
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        m_values[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return true;
}
