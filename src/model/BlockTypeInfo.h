#pragma once

#include <cstdint>

// Parameter lists of a block, in the numbering used by documents, the dictionary
// and the controller image.
enum ParamKind : int { PARAM_LINK = 0, PARAM_CONF = 1, PARAM_ADJ = 2 };
constexpr int kParamKindCount = 3;

constexpr int kBlockTypeCount = 37;
constexpr int kMaxBlockNumber = 125;

// One record of the block type table compiled into the program; the character
// fields are NUL-padded.
struct BlockTypeInfo {
    char code[5];
    char mnemonic[10];
    uint8_t firstBlock;
    uint8_t blockCount;
    uint8_t outputs;
    uint8_t linkSize;
    uint8_t confSize;
    uint8_t adjSize;
    char name[40];
};

// Type indices that the memory rule and the output numbering treat apart.
constexpr int kTypeIndexSCN = 33;
constexpr int kTypeIndexPRM = 34;
constexpr int kTypeIndexATU = 35;
constexpr int kTypeIndexDIT = 36;
