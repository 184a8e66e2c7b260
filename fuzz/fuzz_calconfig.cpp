// Reads arbitrary bytes as CONFIG.CAL, the file the calibration dialog sends.
#include <cstdint>

#include "comm/CalConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CCalConfigFile::Loops loops;
    std::string error;
    if (CCalConfigFile::Read(std::vector<uint8_t>(data, data + size), loops, error)) {
        // What was read is written again the same way.
        (void)CCalConfigFile::Write(loops);
    }
    return 0;
}
