#include "document/PdaExport.h"

#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "document/PDBFile.h"
#include "model/BlockTypeInfo.h"
#include "model/Configuration.h"

namespace {

constexpr char kBlockSchema[] = "tbl_FB;LoopNum;OrderNum;BlockName;BlockNum;";
constexpr char kParamSchema[] = "tbl_Param;BlockNum;ParamName;ParamValue;ParamType;";
constexpr uint16_t kSchemaFirst = 4;
constexpr uint16_t kSchemaSecond = 7;

const std::vector<int> kBlockColumns = {CPDBFile::COLUMN_WORD, CPDBFile::COLUMN_WORD,
                                        CPDBFile::COLUMN_TEXT, CPDBFile::COLUMN_WORD};
const std::vector<int> kParamColumns = {CPDBFile::COLUMN_WORD, CPDBFile::COLUMN_TEXT,
                                        CPDBFile::COLUMN_TEXT, CPDBFile::COLUMN_TEXT};

std::string Join(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += field;
        line += ',';
    }
    if (!line.empty()) {
        line.pop_back();
    }
    return line;
}

// One line per loop (loop number, 0, loop name, 0) followed by one per block in
// execution order (loop number, position from 1, block name, block number).
std::vector<std::string> BuildBlockLines(const CConfiguration& config) {
    std::vector<std::string> lines;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = config.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        const std::string loopNumber = std::to_string(n);
        lines.push_back(Join({loopNumber, "0", loop->GetName(), "0"}));
        for (int i = 0; i < loop->GetBlockCount(); ++i) {
            const CBlock* block = loop->GetBlock(i);
            if (block == nullptr) {
                continue;
            }
            lines.push_back(Join({loopNumber, std::to_string(i + 1), block->GetName(),
                                  std::to_string(block->GetBlockNumber())}));
        }
    }
    return lines;
}

// One line per parameter: block number, mnemonic, value text and the kind letter
// with the parameter's number from 1 (L1, C3, A12).
std::vector<std::string> BuildParamLines(const CConfiguration& config) {
    static constexpr char kKindLetters[] = {'L', 'C', 'A'};
    std::vector<std::string> lines;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = config.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        for (int i = 0; i < loop->GetBlockCount(); ++i) {
            const CBlock* block = loop->GetBlock(i);
            if (block == nullptr) {
                continue;
            }
            const std::string blockNumber = std::to_string(block->GetBlockNumber());
            for (int kind : {PARAM_LINK, PARAM_CONF, PARAM_ADJ}) {
                for (int j = 0; j < block->GetParamListSize(kind); ++j) {
                    const CBlockParam* param = block->GetParam(kind, j);
                    if (param == nullptr) {
                        continue;
                    }
                    lines.push_back(
                        Join({blockNumber, param->GetMnemonic(), block->GetParamText(kind, j),
                              kKindLetters[kind] + std::to_string(j + 1)}));
                }
            }
        }
    }
    return lines;
}

// Lays out one table file in memory: record list, category block, schema and the
// records with unique IDs 1..N.
bool FillTable(CPDBFile& file, const std::string& path, const std::vector<std::string>& lines,
               const char* schema, const std::vector<int>& columns, std::string& error) {
    if (!file.Create(path)) {
        error = file.GetError();
        return false;
    }
    if (lines.size() > static_cast<std::size_t>(CPDBFile::kMaxRecords)) {
        error = "Cannot write \"" + file.GetPath() + "\": " + std::to_string(lines.size()) +
                " records are more than a handheld database holds (" +
                std::to_string(CPDBFile::kMaxRecords) + ")";
        return false;
    }
    const int count = static_cast<int>(lines.size());
    bool ok = file.ReserveRecordList(count) && file.WriteCategoryBlock() &&
              file.SetUniqueIdSeed(static_cast<uint32_t>(count) + 1) &&
              file.SetRecordCount(count) && file.WriteSchemaHeader(kSchemaFirst, kSchemaSecond) &&
              file.WriteTable(schema, columns, static_cast<int>(columns.size()));
    for (int i = 0; ok && i < count; ++i) {
        ok = file.WriteRecord(lines[i], static_cast<uint32_t>(i) + 1);
    }
    if (!ok) {
        error = file.GetError();
    }
    return ok;
}

}  // namespace

std::array<std::string, 2> GetPdaFileNames(const std::string& configurationName) {
    return {configurationName + "_FB.PDB", configurationName + "_Param.PDB"};
}

bool ExportToPDA(const CConfiguration& config, const std::string& configurationName,
                 const std::string& folder, std::string& error,
                 std::optional<uint32_t> creationTime) {
    if (configurationName.find('/') != std::string::npos ||
        configurationName.find('\0') != std::string::npos) {
        error = "The configuration name \"" +
                configurationName.substr(0, configurationName.find('\0')) +
                "\" cannot be part of a file name";
        return false;
    }
    const auto names = GetPdaFileNames(configurationName);
    const std::filesystem::path base(folder);
    const uint32_t seconds = creationTime.value_or(static_cast<uint32_t>(std::time(nullptr)));

    // Both files are laid out before either is written, so that a file that
    // cannot be created stops the export before anything is replaced.
    CPDBFile blockFile;
    CPDBFile paramFile;
    blockFile.SetCreationTime(seconds);
    paramFile.SetCreationTime(seconds);
    if (!FillTable(blockFile, (base / names[0]).string(), BuildBlockLines(config), kBlockSchema,
                   kBlockColumns, error) ||
        !FillTable(paramFile, (base / names[1]).string(), BuildParamLines(config), kParamSchema,
                   kParamColumns, error)) {
        return false;
    }
    if (!blockFile.Close()) {
        error = blockFile.GetError();
        return false;
    }
    if (!paramFile.Close()) {
        error = paramFile.GetError();
        return false;
    }
    return true;
}
