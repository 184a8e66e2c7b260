#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Command-line arguments of one command: positional words, "--name value"
// options and "--flag" switches, checked against what the command accepts.
class CCliArgs {
public:
    // valueOptions take a value ("--loop 2" or "-o file"); flags do not.
    CCliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
             const std::set<std::string>& flags);

    bool IsValid() const { return m_error.empty(); }
    const std::string& GetError() const { return m_error; }
    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& name) const;
    std::optional<std::string> Get(const std::string& name) const;
    // An integer option; false (with an error) when present but not a number.
    bool GetInt(const std::string& name, std::optional<int>& value);
    // Records a problem with the arguments that the command found; false.
    bool Fail(const std::string& error);

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_flags;
    std::string m_error;
};
