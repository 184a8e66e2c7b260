#include "diagram/pictures/FBIOParamDescr.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "diagram/pictures/IniFileReader.h"
#include "model/ParamValue.h"

namespace {

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Numbers read the way the C scanner's "%d" reads them: blanks skipped, an
// optional sign, digits. Reading stops at the first number that is not there,
// leaving it and the rest at 0; numbers past the int range saturate.
std::array<int, 4> ScanNumbers(const std::string& text, std::size_t i) {
    std::array<int, 4> numbers{};
    for (int& number : numbers) {
        while (i < text.size() && IsSpace(text[i])) {
            ++i;
        }
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            break;
        }
        int64_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 32);
        }
        number = ClampToInt(negative ? -value : value);
    }
    return numbers;
}

// A terminal line, "%s %d %d %d %d": a name (the first run of non-blanks), x,
// y, width and height.
struct TerminalFields {
    std::string name;
    std::array<int, 4> numbers{};
};

TerminalFields ScanTerminal(const std::string& text) {
    TerminalFields fields;
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < text.size() && !IsSpace(text[i])) {
        ++i;
    }
    fields.name = text.substr(nameStart, i - nameStart);
    fields.numbers = ScanNumbers(text, i);
    return fields;
}

// Item k of a comma-separated list, blanks around it dropped; empty when the
// list is shorter.
std::string ListItem(const std::string& list, int k) {
    if (k < 0) {
        return "";
    }
    std::size_t start = 0;
    for (int item = 0; item < k; ++item) {
        start = list.find(',', start);
        if (start == std::string::npos) {
            return "";
        }
        ++start;
    }
    std::size_t end = list.find(',', start);
    std::string text =
        list.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

int ReadCount(const CIniFileReader& ini, const char* section) {
    return std::clamp(ini.GetInt(section, "Count"), 0, CFBIOParamDescr::kMaxTerminals);
}

}  // namespace

std::string CFBIOParamDescr::GetTypeCodeOfPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool CFBIOParamDescr::IsSpecialTypeCode(const std::string& code) {
    return code == "F07" || code == "F21" || code == "F27" || code == "F28" || code == "F29";
}

void CFBIOParamDescr::Clear() {
    m_nCount = 0;
    m_nInputs = 0;
    m_nOutputs = 0;
    m_nFixedOutput = -1;
    m_bStrip = false;
    m_params.clear();
}

bool CFBIOParamDescr::Load(const std::string& iniPath, int instance, bool useBornesP,
                           const std::vector<bool>& linkedInputs) {
    Clear();
    const CIniFileReader ini(iniPath);
    const bool special = IsSpecialTypeCode(GetTypeCodeOfPath(iniPath));

    m_bStrip = ini.GetInt("Bornes", "Count") != 0;
    m_nInputs = ReadCount(ini, "Inputs");
    m_nOutputs = ReadCount(ini, "Outputs");
    m_nCount = m_nInputs + m_nOutputs + (m_bStrip ? 1 : 0);
    m_params.reserve(static_cast<std::size_t>(m_nCount));

    if (m_bStrip) {
        CParamDescr strip;
        strip.m_nSide =
            ini.GetInt("Bornes", "Type") == 1 ? CParamDescr::kSideInput : CParamDescr::kSideOutput;
        strip.m_strName =
            ListItem(ini.GetString("Bornes", useBornesP ? "BornesP" : "Bornes"), instance);
        strip.m_strText = strip.m_strName;
        // The strip's rectangle is written as its corners, unlike the terminals.
        const auto [left, top, right, bottom] = ScanNumbers(ini.GetString("Bornes", "Rect"), 0);
        strip.m_rect.SetRect(left, top, right, bottom);
        strip.m_bVisible = true;
        m_params.push_back(std::move(strip));
    }

    auto makeTerminal = [](const TerminalFields& fields, int side) {
        CParamDescr entry;
        const auto& [x, y, width, height] = fields.numbers;
        entry.m_rect.SetRect(x, y, ClampToInt(int64_t{x} + width), ClampToInt(int64_t{y} + height));
        entry.m_nSide = side;
        return entry;
    };

    for (int i = 1; i <= m_nInputs; ++i) {
        const TerminalFields fields =
            ScanTerminal(ini.GetString("Inputs", "Input" + std::to_string(i)));
        CParamDescr entry = makeTerminal(fields, CParamDescr::kSideInput);
        entry.m_strName = fields.name;
        entry.m_strText = fields.name;
        const std::size_t index = static_cast<std::size_t>(i - 1);
        entry.m_bFlag = index < linkedInputs.size() && linkedInputs[index];
        m_params.push_back(std::move(entry));
    }

    for (int i = 1; i <= m_nOutputs; ++i) {
        const TerminalFields fields =
            ScanTerminal(ini.GetString("Outputs", "Output" + std::to_string(i)));
        CParamDescr entry = makeTerminal(fields, CParamDescr::kSideOutput);
        const int64_t n = ParseLeadingInt(fields.name);
        int64_t address = 0;
        if (n < 225) {
            address = (special ? m_nOutputs - 1 : m_nOutputs) * int64_t{instance} + n;
        } else {
            address = n + instance;
            m_nFixedOutput = i - 1;
        }
        entry.m_strName = std::to_string(ClampToInt(address));
        entry.m_strText = entry.m_strName;
        m_params.push_back(std::move(entry));
    }
    return m_nCount > 0;
}

CFBIOParamDescr::CParamDescr* CFBIOParamDescr::GetParam(int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= m_params.size()) {
        return nullptr;
    }
    return &m_params[static_cast<std::size_t>(i)];
}

const CFBIOParamDescr::CParamDescr* CFBIOParamDescr::GetParam(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_params.size()) {
        return nullptr;
    }
    return &m_params[static_cast<std::size_t>(i)];
}
