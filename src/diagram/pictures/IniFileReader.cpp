#include "diagram/pictures/IniFileReader.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/ParamValue.h"
#include "platform/FileIo.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

std::string CutToBuffer(const std::string& text, std::size_t bufferSize) {
    return text.size() < bufferSize ? text : text.substr(0, bufferSize - 1);
}

}  // namespace

CIniFileReader::CIniFileReader(std::string path) : m_strPath(std::move(path)) {
    Load();
}

CIniFileReader::Line CIniFileReader::ParseLine(std::string raw) {
    Line line;
    line.raw = std::move(raw);
    const std::string text = Trim(line.raw);
    if (text.empty()) {
        line.kind = LineKind::kBlank;
    } else if (text[0] == ';') {
        line.kind = LineKind::kComment;
    } else if (text[0] == '[' && text.rfind(']') != std::string::npos) {
        line.kind = LineKind::kSection;
        line.name = Trim(text.substr(1, text.rfind(']') - 1));
    } else if (const std::size_t equals = text.find('='); equals != std::string::npos) {
        line.kind = LineKind::kEntry;
        line.name = Trim(text.substr(0, equals));
        line.value = Trim(text.substr(equals + 1));
    } else {
        line.kind = LineKind::kOther;
    }
    return line;
}

void CIniFileReader::Load() {
    m_lines.clear();
    m_bCrLf = false;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!FileExists(m_strPath) || !ReadFileBytes(m_strPath, kMaxFileSize, bytes, error)) {
        return;
    }
    std::string text(bytes.begin(), bytes.end());
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    const std::size_t firstBreak = text.find('\n');
    m_bCrLf = firstBreak != std::string::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        m_lines.push_back(ParseLine(std::move(raw)));
        start = end + 1;
    }
}

bool CIniFileReader::Save(const std::vector<Line>& lines) const {
    const char* lineEnd = m_bCrLf ? "\r\n" : "\n";
    std::string text;
    for (const Line& line : lines) {
        text += line.raw;
        text += lineEnd;
    }
    std::string error;
    return WriteFileAtomically(m_strPath, std::vector<uint8_t>(text.begin(), text.end()), error);
}

bool CIniFileReader::FindSectionRange(const std::string& section, std::size_t& begin,
                                      std::size_t& end) const {
    std::size_t i = 0;
    bool inside = section.empty();
    begin = 0;
    for (; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != LineKind::kSection) {
            continue;
        }
        if (inside) {
            break;
        }
        if (SameName(m_lines[i].name, section)) {
            inside = true;
            begin = i + 1;
        }
    }
    end = i;
    return inside;
}

const CIniFileReader::Line* CIniFileReader::FindEntry(const std::string& section,
                                                      const std::string& key) const {
    std::size_t begin = 0;
    std::size_t end = 0;
    if (!FindSectionRange(section, begin, end)) {
        return nullptr;
    }
    for (std::size_t i = begin; i < end; ++i) {
        if (m_lines[i].kind == LineKind::kEntry && SameName(m_lines[i].name, key)) {
            return &m_lines[i];
        }
    }
    return nullptr;
}

std::string CIniFileReader::GetString(const std::string& section, const std::string& key,
                                      const std::string& def) const {
    const Line* entry = FindEntry(section, key);
    if (entry == nullptr) {
        return CutToBuffer(def, kValueBufferSize);
    }
    std::string value = entry->value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return CutToBuffer(value, kValueBufferSize);
}

int CIniFileReader::GetInt(const std::string& section, const std::string& key, int def) const {
    const std::string value = GetString(section, key);
    return value.empty() ? def : ParseLeadingInt(value);
}

bool CIniFileReader::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || Trim(section) != section || Trim(key) != key ||
        section.find(']') != std::string::npos || key.find('=') != std::string::npos ||
        key[0] == ';' || key[0] == '[') {
        return false;
    }
    std::vector<Line> lines = m_lines;
    const Line entry = ParseLine(key + "=" + value);
    std::size_t begin = 0;
    std::size_t end = 0;
    if (FindSectionRange(section, begin, end)) {
        auto existing = std::find_if(
            lines.begin() + static_cast<std::ptrdiff_t>(begin),
            lines.begin() + static_cast<std::ptrdiff_t>(end), [&key](const Line& line) {
                return line.kind == LineKind::kEntry && SameName(line.name, key);
            });
        if (existing != lines.begin() + static_cast<std::ptrdiff_t>(end)) {
            // The key keeps the spelling the file gave it.
            *existing = ParseLine(existing->name + "=" + value);
        } else {
            // After the section's last entry, so that blank lines and comments
            // leading into the next section stay with it.
            std::size_t at = begin;
            for (std::size_t i = begin; i < end; ++i) {
                if (lines[i].kind == LineKind::kEntry || lines[i].kind == LineKind::kOther) {
                    at = i + 1;
                }
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
        }
    } else {
        if (!lines.empty() && lines.back().kind != LineKind::kBlank) {
            lines.push_back(ParseLine(""));
        }
        lines.push_back(ParseLine("[" + section + "]"));
        lines.push_back(entry);
    }
    if (!Save(lines)) {
        return false;
    }
    m_lines = std::move(lines);
    return true;
}

std::vector<std::string> CIniFileReader::GetSectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (line.kind == LineKind::kSection && !line.name.empty()) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> CIniFileReader::GetSection(const std::string& section) const {
    std::vector<std::string> entries;
    std::size_t begin = 0;
    std::size_t end = 0;
    if (!FindSectionRange(section, begin, end)) {
        return entries;
    }
    // Room left in the buffer for entries and their NULs; one byte stays for
    // the NUL that ends the list.
    std::size_t room = kSectionBufferSize - 1;
    for (std::size_t i = begin; i < end && room > 1; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != LineKind::kEntry) {
            continue;
        }
        std::string text = line.name + "=" + line.value;
        if (text.size() + 1 > room) {
            text.resize(room - 1);
        }
        room -= text.size() + 1;
        if (!text.empty()) {
            entries.push_back(std::move(text));
        }
    }
    return entries;
}
