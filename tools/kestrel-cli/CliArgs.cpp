#include "CliArgs.h"

#include <charconv>

CCliArgs::CCliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                   const std::set<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
        } else if (valueOptions.count(arg) != 0) {
            if (i + 1 >= args.size()) {
                m_error = "option " + arg + " needs a value";
                return;
            }
            m_values[arg] = args[++i];
        } else if (flags.count(arg) != 0) {
            m_flags.insert(arg);
        } else {
            m_error = "unknown option " + arg;
            return;
        }
    }
}

bool CCliArgs::Has(const std::string& name) const {
    return m_flags.count(name) != 0 || m_values.count(name) != 0;
}

std::optional<std::string> CCliArgs::Get(const std::string& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool CCliArgs::GetInt(const std::string& name, std::optional<int>& value) {
    const std::optional<std::string> text = Get(name);
    if (!text) {
        value.reset();
        return true;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (error != std::errc() || end != text->data() + text->size()) {
        m_error = "option " + name + " needs a whole number, not \"" + *text + "\"";
        return false;
    }
    value = number;
    return true;
}

bool CCliArgs::Fail(const std::string& error) {
    m_error = error;
    return false;
}
