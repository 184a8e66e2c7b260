#pragma once

#include <string>
#include <vector>

class CBlock;

// The parameter dictionary: the LINK, CONF and ADJ parameter lines and the block
// type display names, read from the current resource module. A parameter of list
// kind k of a block of type t is described by row GetFirstDictRow(t, k) + j.
// Lookups with a bad kind or row give empty results and never fail.
class CParamDictionary {
public:
    // (Re)loads the three parameter arrays from resources 10000..10002.
    void LoadParamDictionary();
    // (Re)loads the 37 display names from resource 10003.
    void LoadBlockTypeNames();

    std::size_t GetRowCount(int kind) const;
    const std::string& GetLine(int kind, int row) const;

    std::string GetBlockTypeName(int t) const;
    char GetDictParamType(int kind, int row) const;
    std::string GetDictMnemonic(int kind, int row) const;
    std::string GetDictDescription(int kind, int row) const;
    // The limits of the row's range; returns the type letter, or 0 (limits left
    // alone) when the row has no range field.
    char GetDictRange(int kind, int row, double& minimum, double& maximum) const;
    std::string GetDictDefault(int kind, int row) const;

    // Fills a new block (type index set) with its parameters at their defaults.
    void CreateBlockParams(CBlock& block) const;
    // Re-reads type letter, description and range of the block's parameters.
    void RefreshBlockParams(CBlock& block) const;

    // The application's dictionary, loaded from the current module on first use.
    static CParamDictionary& Get();

private:
    static std::vector<std::string> LoadLines(const std::string& resourceName);
    std::vector<std::string> m_lines[3];
    std::vector<std::string> m_typeNames;
};
