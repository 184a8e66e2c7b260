#pragma once

#include <string>

// Compares a translated dictionary resource with the English one. A
// translation may change the descriptions, the word units of CONF and ADJ lines
// and the block type display names; the number of lines, the type letter and
// mnemonic field, the range and the default must stay byte for byte, because
// blocks, documents and downloads are built from them.
class CDictionaryCheck {
public:
    // kind 0..2: LINK, CONF, ADJ lines; 3: the block type display names.
    // False with a short reason (line number 1-based) when they differ.
    static bool SameStructure(int kind, const std::string& english, const std::string& translated,
                              std::string& reason);
};
