#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class CConfiguration;

// The two handheld database files of a configuration: "<name>_FB.PDB", the
// table of loops and blocks, and "<name>_Param.PDB", the table of block
// parameters.
std::array<std::string, 2> GetPdaFileNames(const std::string& configurationName);

// Writes both files into folder, replacing files of the same names. Returns
// false with an error text naming the file when a file cannot be written; the
// export then stops. creationTime (seconds since 1970) stamps the files instead
// of the current time.
bool ExportToPDA(const CConfiguration& config, const std::string& configurationName,
                 const std::string& folder, std::string& error,
                 std::optional<uint32_t> creationTime = std::nullopt);
