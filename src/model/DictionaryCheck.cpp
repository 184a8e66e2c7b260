#include "model/DictionaryCheck.h"

#include <vector>

namespace {

// The lines of a resource; a line counts only when its line feed is there, as
// the dictionary loader drops the bytes after the last one.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end = line.find(';'); end != std::string::npos; end = line.find(';', start)) {
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The fields a translation must not touch: the letter and mnemonic first, the
// range and the default last.
bool SameFixedFields(const std::string& english, const std::string& translated, std::string& what) {
    const std::vector<std::string> a = Fields(english);
    const std::vector<std::string> b = Fields(translated);
    if (a.size() != b.size()) {
        what = "field count";
    } else if (a.front() != b.front()) {
        what = "type letter or mnemonic";
    } else if (a.size() >= 3 && a[a.size() - 2] != b[b.size() - 2]) {
        what = "range";
    } else if (a.back() != b.back()) {
        what = "default";
    } else {
        return true;
    }
    return false;
}

}  // namespace

bool CDictionaryCheck::SameStructure(int kind, const std::string& english,
                                     const std::string& translated, std::string& reason) {
    const std::vector<std::string> a = Lines(english);
    const std::vector<std::string> b = Lines(translated);
    if (a.size() != b.size()) {
        reason = std::to_string(b.size()) + " lines instead of " + std::to_string(a.size());
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::string what;
        if (kind == 3) {
            if (b[i].empty()) {
                reason = "line " + std::to_string(i + 1) + ": empty name";
                return false;
            }
        } else if (!SameFixedFields(a[i], b[i], what)) {
            reason = "line " + std::to_string(i + 1) + ": " + what + " differs";
            return false;
        }
    }
    return true;
}
