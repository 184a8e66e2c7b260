#include "model/BlockTypeTable.h"

#include <strings.h>

namespace {

// clang-format off
const BlockTypeInfo kBlockTypes[kBlockTypeCount] = {
    {"F01", "AI",   1,   8, 2,  0,  6,  4, "Analog Input"},
    {"F02", "CO",   9,   4, 1,  2,  4,  2, "Current Output"},
    {"F03", "VO",   13,  4, 0,  2,  2,  0, "Voltage Output"},
    {"F04", "DI",   17,  2, 1,  0,  2,  0, "Digital Input"},
    {"F05", "DO",   19,  8, 1,  8,  2,  0, "Digital Output"},
    {"F06", "FV",   27,  4, 0, 16,  0, 60, "Front View"},
    {"F07", "L/R",  31,  4, 3,  6,  4,  8, "Local/Remote SP Selection"},
    {"F08", "A/M",  35,  4, 2,  8, 14,  8, "Automatic/Manual Station"},
    {"F09", "APID", 39,  4, 2, 10, 26, 16, "Advanced PID"},
    {"F10", "PID",  43,  4, 1,  8,  8, 12, "Simple PID"},
    {"F11", "STEP", 47,  4, 2,  6,  4,  4, "Step Controller"},
    {"F12", "ARTH", 51,  6, 1,  8,  0, 10, "Multiplier-Divider-Adder-Subtractor"},
    {"F13", "SQR",  57,  2, 1,  2,  0,  2, "Square Root"},
    {"F14", "LIN",  59,  2, 1,  2,  2,  0, "Linearization"},
    {"F15", "LL",   61,  2, 1,  2,  2,  4, "Derivative/Lead-Lag"},
    {"F16", "PTC",  63,  2, 1,  8, 34,  2, "Pressure and Temperature Compensation"},
    {"F17", "POL",  65,  2, 1,  6,  2, 18, "Polynomial"},
    {"F18", "TOT",  67,  4, 2,  4,  0,  8, "Totalization"},
    {"F19", "P/DI", 71,  2, 4,  6,  4, 26, "Pulse Totalization Input"},
    {"F20", "BAT",  73,  2, 4,  8,  0,  6, "Batch Comparator"},
    {"F21", "SPG",  75,  2, 3,  8,  6,  8, "Setpoint Generator"},
    {"F22", "ALM",  77,  4, 2,  8, 22,  8, "Double Alarm"},
    {"F23", "LIMT", 81,  4, 3,  4,  4, 12, "Limiter with Alarm"},
    {"F24", "LOG",  85,  6, 1,  6,  4,  0, "Logic"},
    {"F25", "TMR",  91,  2, 1,  2,  2,  2, "Timer"},
    {"F26", "H/L",  93,  4, 2,  8,  0,  0, "High/Low Selector"},
    {"F27", "SSEL", 97,  2, 1,  4,  0,  6, "Internal/External Selector"},
    {"F28", "ADJ",  99,  4, 1,  0,  2,  6, "Constant Adjuster"},
    {"F29", "ISEL", 103, 4, 1,  6,  2,  0, "Input Selector"},
    {"F30", "OSEL", 107, 2, 2,  4,  4,  0, "Output Selector"},
    {"F31", "PNT",  109, 8, 0,  0,  0, 52, "Linearization Curve"},
    {"F32", "GV",   117, 1, 0,  8,  0, 48, "General Visualization"},
    {"F33", "K",    118, 1, 10, 0,  0, 20, "Constants"},
    {"F34", "SCN",  119, 1, 0, 80,  2,  0, "Scan"},
    {"F35", "PRM",  120, 1, 0,  0, 18,  0, "Scan/Actuaction PID"},
    {"F36", "ATU",  121, 1, 10, 0, 42, 40, "Actuaction"},
    {"F37", "DIT",  122, 4, 2,  2,  4,  2, "Digital Input with Timer Control"},
};

// LINK, CONF and ADJ parameter counts per type.
const unsigned char kParamCounts[kBlockTypeCount][kParamKindCount] = {
    {0, 3, 2},  {1, 2, 1}, {1, 1, 0},  {0, 1, 0},  {4, 1, 0},  {8, 0, 15}, {3, 2, 4},
    {4, 7, 4},  {5, 13, 6}, {4, 4, 4}, {3, 2, 2},  {4, 0, 5},  {1, 0, 1},  {1, 1, 0},
    {1, 1, 2},  {4, 9, 1}, {3, 1, 5},  {2, 0, 2},  {3, 2, 7},  {4, 0, 3},  {4, 3, 4},
    {4, 5, 4},  {2, 2, 6}, {3, 2, 0},  {1, 1, 1},  {4, 0, 0},  {2, 0, 3},  {0, 1, 3},
    {3, 1, 0},  {2, 2, 0}, {0, 0, 26}, {4, 0, 12}, {0, 0, 10}, {40, 1, 0}, {0, 9, 0},
    {0, 21, 20}, {1, 2, 1},
};
// clang-format on

bool IsValidType(int t) {
    return t >= 0 && t < kBlockTypeCount;
}
bool IsValidKind(int kind) {
    return kind >= 0 && kind < kParamKindCount;
}

}  // namespace

const BlockTypeInfo* GetBlockTypeInfo(int t) {
    return IsValidType(t) ? &kBlockTypes[t] : nullptr;
}

std::string GetBlockTypeCode(int t) {
    return IsValidType(t) ? kBlockTypes[t].code : "";
}

std::string GetBlockTypeMnemonic(int t) {
    return IsValidType(t) ? kBlockTypes[t].mnemonic : "";
}

std::string GetBlockTypeEnglishName(int t) {
    return IsValidType(t) ? kBlockTypes[t].name : "";
}

int GetFirstBlockNumber(int t) {
    return IsValidType(t) ? kBlockTypes[t].firstBlock : 0;
}

int GetBlockCountOfType(int t) {
    return IsValidType(t) ? kBlockTypes[t].blockCount : 0;
}

int GetOutputCountOfType(int t) {
    return IsValidType(t) ? kBlockTypes[t].outputs : 0;
}

int GetAreaSize(int t, int kind) {
    if (!IsValidType(t)) {
        return 0;
    }
    switch (kind) {
        case PARAM_LINK:
            return kBlockTypes[t].linkSize;
        case PARAM_CONF:
            return kBlockTypes[t].confSize;
        case PARAM_ADJ:
            return kBlockTypes[t].adjSize;
        default:
            return 0;
    }
}

int GetParamCount(int t, int kind) {
    return IsValidType(t) && IsValidKind(kind) ? kParamCounts[t][kind] : 0;
}

int GetFirstDictRow(int t, int kind) {
    if (t < 0 || !IsValidKind(kind)) {
        return -1;
    }
    if (GetAreaSize(t, kind) == 0) {
        return 0;
    }
    int row = 0;
    for (int u = 0; u < t && u < kBlockTypeCount; ++u) {
        row += kParamCounts[u][kind];
    }
    return row;
}

int GetParamValueSize(char letter) {
    switch (letter) {
        case 'I':
        case 'P':
        case 'C':
            return 2;
        case 'R':
        case 'M':
            return 4;
        case 'S':
            return 8;
        default:
            return 0;
    }
}

int GetTypeIndexOfBlockNumber(int blockNumber) {
    for (int t = 0; t < kBlockTypeCount; ++t) {
        const int first = kBlockTypes[t].firstBlock;
        if (blockNumber >= first && blockNumber < first + kBlockTypes[t].blockCount) {
            return t;
        }
    }
    return -1;
}

int FindBlockTypeByMnemonic(const std::string& mnemonic) {
    for (int t = 0; t < kBlockTypeCount; ++t) {
        if (strcasecmp(kBlockTypes[t].mnemonic, mnemonic.c_str()) == 0) {
            return t;
        }
    }
    return -1;
}

bool IsSpecialOutputType(int t) {
    return t == 6 || t == 20 || t == 26 || t == 27 || t == 28;
}

int GetBlockCost(int t) {
    if (t >= kTypeIndexSCN && t <= kTypeIndexATU) {
        return 6;
    }
    return 3 * GetParamCount(t, PARAM_LINK) + 6;
}
