#pragma once

#include <string>
#include <vector>

class CBlock;
class CConfiguration;

// The entries the parameter lists offer in their drop-downs: every output of a
// configuration for a LINK input, and the option lists of the PRM and ATU
// blocks, whose values are the index of the chosen entry.
class CParamChoices {
public:
    static constexpr int kPrmBlockNumber = 120;
    static constexpr int kAtuBlockNumber = 121;
    static constexpr int kAtuOptionCount = 40;

    // "0 - None", then "%03d (%s-%03d)" for every output of every block of
    // loops 1..5 in execution order (address, block name, block number).
    static std::vector<std::string> LinkEntries(const CConfiguration& configuration);
    // The value a LINK entry stands for: the number in its first three characters.
    static int LinkValueOf(const std::string& entry);

    // True when CONF or ADJ row j of the block chooses from a list.
    static bool HasOptions(const CBlock& block, int kind, int j);
    // That list, empty when the row takes a number.
    static std::vector<std::string> OptionEntries(const CBlock& block, int kind, int j);

    // The ATU option table, entries 1..40 at indexes 0..39 ("L/R-031",
    // "APID-039 (AMXD)", "ALM-077 (ARG1)", ...).
    static const std::vector<std::string>& AtuOptions();

private:
    static std::vector<std::string> PrmEntries();
    static std::vector<std::string> AtuEntries(int kind, int j);
    static std::vector<std::string> NumberedEntries(int first, int last, int startNumber);
};
