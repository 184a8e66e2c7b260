#pragma once

#include <string>
#include <string_view>

// Small operations on the single-byte texts of the configuration.

// The text without trailing characters of chars (blanks by default).
std::string TrimRight(std::string text, std::string_view chars = " ");
// The text without leading and trailing characters of chars.
std::string Trim(const std::string& text, std::string_view chars = " ");
// The text in upper case, byte by byte.
std::string ToUpper(std::string text);
