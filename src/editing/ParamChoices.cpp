#include "editing/ParamChoices.h"

#include <cstdio>
#include <cstdlib>

#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"

namespace {

std::string BlockText(const char* mnemonic, int number, const char* suffix = "") {
    char text[48];
    std::snprintf(text, sizeof text, "%s-%03d%s", mnemonic, number, suffix);
    return text;
}

// Blocks first..last of a type, each once or with each of the suffixes.
void AddBlocks(std::vector<std::string>& table, const char* mnemonic, int first, int last,
               std::initializer_list<const char*> suffixes = {""}) {
    for (int number = first; number <= last; ++number) {
        for (const char* suffix : suffixes) {
            table.push_back(BlockText(mnemonic, number, suffix));
        }
    }
}

std::vector<std::string> BuildAtuOptions() {
    std::vector<std::string> table;
    AddBlocks(table, "L/R", 31, 34);
    AddBlocks(table, "SPG", 75, 76);
    AddBlocks(table, "SSEL", 97, 98);
    AddBlocks(table, "ADJ", 99, 102);
    AddBlocks(table, "A/M", 35, 38);
    AddBlocks(table, "L/R", 31, 34);
    AddBlocks(table, "APID", 39, 42, {" (AMXD)"});
    AddBlocks(table, "ALM", 77, 80, {" (ARG1)", " (ARG2)"});
    AddBlocks(table, "LIMT", 81, 84, {" (ABL)", " (ABH)"});
    return table;
}

constexpr const char* kStopScan = "0 = Stop Scan";

}  // namespace

std::vector<std::string> CParamChoices::LinkEntries(const CConfiguration& configuration) {
    std::vector<std::string> entries = {"0 - None"};
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = configuration.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        for (int i = 0; i < loop->GetBlockCount(); ++i) {
            const CBlock* block = loop->GetBlock(i);
            for (int output = 0; block != nullptr && output < block->GetOutputCount(); ++output) {
                char text[48];
                std::snprintf(text, sizeof text, "%03d (%s-%03d)", block->GetOutputAddress(output),
                              block->GetName().c_str(), block->GetBlockNumber());
                entries.emplace_back(text);
            }
        }
    }
    return entries;
}

int CParamChoices::LinkValueOf(const std::string& entry) {
    return std::atoi(entry.substr(0, 3).c_str());
}

const std::vector<std::string>& CParamChoices::AtuOptions() {
    static const std::vector<std::string> table = BuildAtuOptions();
    return table;
}

bool CParamChoices::HasOptions(const CBlock& block, int kind, int j) {
    return !OptionEntries(block, kind, j).empty();
}

std::vector<std::string> CParamChoices::OptionEntries(const CBlock& block, int kind, int j) {
    if (block.GetParam(kind, j) == nullptr) {
        return {};
    }
    if (block.GetBlockNumber() == kPrmBlockNumber && kind == PARAM_CONF && j >= 1 && j <= 8) {
        return PrmEntries();
    }
    if (block.GetBlockNumber() == kAtuBlockNumber) {
        return AtuEntries(kind, j);
    }
    return {};
}

std::vector<std::string> CParamChoices::PrmEntries() {
    std::vector<std::string> entries = {kStopScan};
    for (int i = 1; i <= 8; ++i) {
        const bool advanced = i <= 4;
        const std::string block = BlockText(advanced ? "APID" : "PID", 38 + i);
        entries.push_back(std::to_string(i) + " = " + block);
    }
    return entries;
}

// Entries first..last of the ATU table (1-based) numbered from startNumber.
std::vector<std::string> CParamChoices::NumberedEntries(int first, int last, int startNumber) {
    std::vector<std::string> entries;
    for (int entry = first; entry <= last; ++entry) {
        entries.push_back(std::to_string(startNumber + entry - first) + " = " +
                          AtuOptions()[static_cast<std::size_t>(entry - 1)]);
    }
    return entries;
}

std::vector<std::string> CParamChoices::AtuEntries(int kind, int j) {
    if (kind == PARAM_ADJ) {
        std::vector<std::string> entries = {kStopScan};
        const std::vector<std::string> blocks = NumberedEntries(21, 40, 1);
        entries.insert(entries.end(), blocks.begin(), blocks.end());
        return entries;
    }
    if (kind != PARAM_CONF) {
        return {};
    }
    if (j >= 1 && j <= 12) {
        return NumberedEntries(1, 12, 0);
    }
    if (j >= 13 && j <= 16) {
        return NumberedEntries(13, 16, 0);
    }
    if (j >= 17 && j <= 20) {
        return NumberedEntries(17, 20, 0);
    }
    return {};
}
