#include "model/ParamValue.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/BlockTypeInfo.h"

namespace {

int16_t ReadInt16(const uint8_t* bytes) {
    return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
}

void WriteInt16(uint8_t* bytes, int32_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

// Removes trailing zeros of a fixed text; the decimal point stays.
std::string StripTrailingZeros(std::string text) {
    if (text.find('.') == std::string::npos) {
        return text;
    }
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    return text;
}

std::string FormatFixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "";
    }
    std::string text(buffer, result.ptr);
    if (decimals == 0 && text.find('.') == std::string::npos) {
        text += '.';
    }
    return text;
}

std::string FormatScaled(int16_t raw, double scale, int decimals) {
    return StripTrailingZeros(FormatFixed(raw / scale, decimals));
}

// Fixed point: scale, round by 0.4 away from zero, truncate, keep the low 16 bits.
void StoreFixedPoint(double value, double scale, uint8_t* bytes) {
    double scaled = value * scale;
    scaled += scaled >= 0 ? 0.4 : -0.4;
    scaled = std::trunc(scaled);
    const double limit = std::numeric_limits<int32_t>::max();
    scaled = std::fmax(-limit, std::fmin(limit, scaled));
    WriteInt16(bytes, static_cast<int32_t>(scaled));
}

std::string FixedWidthText(const uint8_t* bytes, std::size_t width) {
    const char* chars = reinterpret_cast<const char*>(bytes);
    return std::string(chars, strnlen(chars, width));
}

void StoreText(const std::string& text, std::size_t width, uint8_t* bytes) {
    std::memset(bytes, 0, width);
    std::memcpy(bytes, text.data(), std::min(width, text.size()));
}

std::size_t SkipBlanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    return i;
}

}  // namespace

double ParseLeadingDouble(const std::string& text) {
    std::string number = text.substr(SkipBlanks(text));
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.erase(0, 1);
    }
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int ParseLeadingInt(const std::string& text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 32);
    }
    value = negative ? -value : value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                std::numeric_limits<int>::max());
    return static_cast<int>(value);
}

std::string FormatSignificant(double value, int digits) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, digits - 1);
    const std::string scientific(buffer, result.ptr);
    const std::size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (exponent < -4 || exponent >= digits) {
        std::string mantissa = StripTrailingZeros(scientific.substr(0, e));
        if (mantissa.find('.') == std::string::npos) {
            mantissa += '.';
        }
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "e%c%03d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return mantissa + exponentText;
    }
    return StripTrailingZeros(FormatFixed(value, digits - 1 - exponent));
}

std::string FormatParamValue(char letter, const uint8_t* bytes) {
    if (bytes == nullptr) {
        return "";
    }
    switch (letter) {
        case 'I':
            return std::to_string(ReadInt16(bytes));
        case 'P':
            return FormatScaled(ReadInt16(bytes), 100.0, 2);
        case 'C':
            return FormatScaled(ReadInt16(bytes), 1000.0, 3);
        case 'R': {
            uint32_t bits = 0;
            for (int i = 3; i >= 0; --i) {
                bits = (bits << 8) | bytes[i];
            }
            const double value = std::bit_cast<float>(bits);
            const double magnitude = std::fabs(value);
            return FormatSignificant(value, magnitude >= 0.1 && magnitude <= 100000.0 ? 5 : 3);
        }
        case 'M':
            return FixedWidthText(bytes, 3);
        case 'S':
            return FixedWidthText(bytes, 8);
        default:
            return "";
    }
}

bool ParseParamValue(int kind, const std::string& text, char letter, double minimum, double maximum,
                     uint8_t* bytes) {
    switch (letter) {
        case 'C':
        case 'P': {
            const double x = ParseLeadingDouble(text);
            if (!(minimum <= x && x <= maximum)) {
                return false;
            }
            StoreFixedPoint(x, letter == 'C' ? 1000.0 : 100.0, bytes);
            return true;
        }
        case 'I': {
            const int n = ParseLeadingInt(text);
            const bool inRange = minimum <= n && n <= maximum;
            const bool specialAddress = kind == PARAM_LINK && n >= 225 && n <= 240;
            if (!inRange && !specialAddress) {
                return false;
            }
            WriteInt16(bytes, n);
            return true;
        }
        case 'R': {
            const double x = ParseLeadingDouble(text);
            if (!(minimum <= x && x <= maximum)) {
                return false;
            }
            const float single = std::fabs(x) > std::numeric_limits<float>::max()
                                     ? std::copysign(std::numeric_limits<float>::infinity(), x)
                                     : static_cast<float>(x);
            const uint32_t bits = std::bit_cast<uint32_t>(single);
            for (int i = 0; i < 4; ++i) {
                bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
            }
            return true;
        }
        case 'M':
            StoreText(text, 4, bytes);
            return true;
        case 'S':
            StoreText(text, 8, bytes);
            return true;
        default:
            return false;
    }
}
