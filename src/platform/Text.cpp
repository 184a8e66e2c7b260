#include "platform/Text.h"

#include <cctype>

std::string TrimRight(std::string text, std::string_view chars) {
    text.erase(text.find_last_not_of(chars) + 1);
    return text;
}

std::string Trim(const std::string& text, std::string_view chars) {
    const std::size_t first = text.find_first_not_of(chars);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

std::string ToUpper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}
