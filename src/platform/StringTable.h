#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "platform/ResourceModule.h"

// The program's string table: texts by identifier, read from the "strings.tsv"
// resource of a module. Each line is an identifier, a tab and the text, in which
// \n, \t and \\ stand for a line feed, a tab and a backslash; lines starting with
// "#" and lines that do not parse are skipped.
class CStringTable {
public:
    explicit CStringTable(const CResourceModule& module);

    // The text of an identifier, or an empty text when the table has none.
    std::string Get(unsigned id) const;
    std::size_t GetCount() const { return m_strings.size(); }

    static std::string Unescape(const std::string& text);

private:
    void Parse(const std::string& bytes);
    std::map<unsigned, std::string> m_strings;
};

// The text of a string table entry of the current resource module.
std::string LoadResString(unsigned id);
// A string table entry with %1, %2, ... (also written %1!s! or %1!d!) replaced
// by the arguments in order.
std::string AfxFormatString(unsigned id, std::initializer_list<std::string> args);
std::string FormatMessageText(const std::string& text, std::initializer_list<std::string> args);
// Drops the cached table after the current resource module changed.
void ReloadStringTable();
