#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A controller's calibration table as one calibration mode shows it: columns
// (inputs or outputs), rows (calibration points) and the values in thousandths
// of volts or of the output's unit. On the line the table is signed 16-bit
// little-endian values, column by column and within a column row by row.
class CCalibrationTable {
public:
    // The six modes of the calibration dialog; each uses one calibration kind.
    enum Mode {
        kInputAuto = 0,     // kind 1, inputs calibrated by the controller itself
        kInputManual = 1,   // kind 1, values typed in
        kCurrent0To20 = 2,  // kind 2
        kCurrent4To20 = 3,  // kind 2
        kVoltage0To5 = 4,   // kind 3
        kVoltage1To5 = 5,   // kind 3
        kModeCount = 6,
    };
    static constexpr int kInputColumns = 8;
    static constexpr int kInputRows = 4;
    static constexpr int kOutputColumns = 4;
    static constexpr int kOutputRows = 2;
    // The kind that asks the controller to calibrate inputs at one point.
    static constexpr int kAutoCalibrationKind = 241;

    explicit CCalibrationTable(int mode = kInputManual);

    static bool IsValidMode(int mode) { return mode >= 0 && mode < kModeCount; }
    static int KindOfMode(int mode);
    // The mode's name as the calibration dialog's mode buttons show it.
    static std::string ModeName(int mode);
    static int ColumnsOfMode(int mode);
    static int RowsOfMode(int mode);
    // "0.0V", "1.0V", "3.0V", "5.0V" for inputs; "0%", "100%" for outputs.
    static std::string RowLabel(int mode, int row);
    // "A.I. 3", "C.O. 1", "V.O. 4": one entry of the column title string with
    // the 1-based column number.
    static std::string ColumnTitle(int mode, int column);
    // The values a row may take, in thousandths; false for a mode without typed
    // values (mode 0) or a row out of range.
    static bool RowRange(int mode, int row, int& minimum, int& maximum);
    // The value a calibrated point should read, in thousandths.
    static int NominalValue(int mode, int row);
    // Bit n-1 for each selected column n (columns 1 and 3: 0x05).
    static uint8_t SelectionMask(const std::vector<bool>& selected);

    // Parses a typed cell ("4", "3.9995", " 5.1 "): false when the text is no
    // number or lies outside the row's range; else the value rounded to
    // thousandths.
    static bool ParseCell(int mode, int row, const std::string& text, int& thousandths);
    // "%.3f" of a value in thousandths, whatever the locale.
    static std::string FormatThousandths(int thousandths);

    int GetMode() const { return m_nMode; }
    int GetKind() const { return KindOfMode(m_nMode); }
    int GetColumnCount() const { return ColumnsOfMode(m_nMode); }
    int GetRowCount() const { return RowsOfMode(m_nMode); }
    // 0 outside the table.
    int GetValue(int column, int row) const;
    bool SetValue(int column, int row, int thousandths);
    std::string GetText(int column, int row) const {
        return FormatThousandths(GetValue(column, row));
    }

    // The bytes of the kind (64 for inputs, 16 for outputs), not stuffed.
    std::vector<uint8_t> ToBytes() const;
    // Takes the values from a table read from the controller; false (nothing
    // changed) unless the bytes are exactly the kind's size.
    bool FromBytes(const std::vector<uint8_t>& bytes);

    bool operator==(const CCalibrationTable& other) const = default;

private:
    int Index(int column, int row) const { return column * GetRowCount() + row; }

    int m_nMode;
    std::vector<int16_t> m_values;
};
