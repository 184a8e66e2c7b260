#include "platform/StringTable.h"

#include <charconv>
#include <memory>
#include <mutex>

CStringTable::CStringTable(const CResourceModule& module) {
    if (const std::string* bytes = module.Find("strings.tsv")) {
        Parse(*bytes);
    }
}

std::string CStringTable::Get(unsigned id) const {
    auto it = m_strings.find(id);
    return it == m_strings.end() ? std::string() : it->second;
}

std::string CStringTable::Unescape(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const char next = text[++i];
        result += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return result;
}

void CStringTable::Parse(const std::string& bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        unsigned id = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, id);
        if (ec != std::errc() || ptr != line.data() + tab) {
            continue;
        }
        m_strings[id] = Unescape(line.substr(tab + 1));
    }
}

namespace {

std::mutex g_tableMutex;
std::shared_ptr<const CStringTable> g_table;

}  // namespace

std::string LoadResString(unsigned id) {
    std::lock_guard lock(g_tableMutex);
    if (!g_table) {
        g_table = std::make_shared<CStringTable>(CResourceModule::Current());
    }
    return g_table->Get(id);
}

void ReloadStringTable() {
    std::lock_guard lock(g_tableMutex);
    g_table.reset();
}

std::string FormatMessageText(const std::string& text, std::initializer_list<std::string> args) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool marker =
            text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        if (!marker) {
            result += text[i];
            continue;
        }
        const std::size_t index = static_cast<std::size_t>(text[i + 1] - '1');
        i += 1;
        // Skip a printf-style type such as "!s!" or "!d!".
        if (i + 1 < text.size() && text[i + 1] == '!') {
            const std::size_t close = text.find('!', i + 2);
            if (close != std::string::npos && close - i <= 4) {
                i = close;
            }
        }
        if (index < args.size()) {
            result += *(args.begin() + index);
        }
    }
    return result;
}

std::string AfxFormatString(unsigned id, std::initializer_list<std::string> args) {
    return FormatMessageText(LoadResString(id), args);
}
