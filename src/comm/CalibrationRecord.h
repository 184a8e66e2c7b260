#pragma once

#include <string>
#include <vector>

#include "comm/CalibrationTable.h"

// What one calibration write changed in a controller: when, which controller,
// the table as found before the write and as left after it (read back). The
// records of a configuration (or, without one, of an address) are lines of
// WorkDir/calibration/NAME.csv, one line per cell:
//   date,time,address,model,version,configuration,kind,mode,column,point,nominal,found,left
// The file belongs to the user (a spreadsheet may open it): records are only
// ever appended, and the reader skips lines it does not understand.
class CCalibrationRecord {
public:
    static constexpr const char* kFolder = "calibration";
    static constexpr const char* kHeader =
        "date,time,address,model,version,configuration,kind,mode,column,point,nominal,found,left";

    CCalibrationRecord() = default;
    CCalibrationRecord(const CCalibrationTable& found, const CCalibrationTable& left);

    // Date "YYYY-MM-DD" and time "HH:MM:SS.mmm" of now, local time.
    void StampNow();

    std::string m_strDate;
    std::string m_strTime;
    int m_nAddress = 0;
    std::string m_strModel;
    std::string m_strVersion;
    std::string m_strConfiguration;  // empty when the controller held none
    CCalibrationTable m_found;
    CCalibrationTable m_left;

    int GetMode() const { return m_left.GetMode(); }
    // "NAME.csv" of the configuration, else "address-A.csv"; characters a file
    // name should not hold become "_".
    std::string FileName() const;
    // The record's lines, without the header.
    std::string ToCsv() const;
    // Appends the record to folder/calibration/FileName(), writing the header
    // first into a new file. False with the reason.
    bool AppendTo(const std::string& workDir, std::string& error) const;

    // The records of one file, in file order.
    static bool ReadFile(const std::string& path, std::vector<CCalibrationRecord>& records,
                         std::string& error);
    // The records of a file's text; lines that are no cell of a record are skipped.
    static void ParseCsv(const std::string& text, std::vector<CCalibrationRecord>& records);
    // The records of an address in every file of workDir/calibration, oldest
    // first; since ("YYYY-MM-DD", empty for all) leaves out earlier ones.
    static std::vector<CCalibrationRecord> FindRecords(const std::string& workDir, int address,
                                                       const std::string& since);
    // A date as "YYYY-MM-DD" with a real month and day.
    static bool IsDate(const std::string& text);
};
