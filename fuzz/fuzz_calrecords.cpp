// Reads arbitrary text as a calibration record file (the user may have edited
// it in a spreadsheet), then writes what was read again.
#include <cstdint>
#include <string>

#include "comm/CalibrationRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<CCalibrationRecord> records;
    CCalibrationRecord::ParseCsv(std::string(reinterpret_cast<const char*>(data), size), records);
    for (const CCalibrationRecord& record : records) {
        (void)record.ToCsv();
    }
    return 0;
}
