#include "model/ParamDictionary.h"

#include <algorithm>
#include <cstring>

#include "model/Block.h"
#include "model/BlockParam.h"
#include "model/BlockTypeTable.h"
#include "model/ParamValue.h"
#include "platform/ResourceModule.h"
#include "platform/Text.h"

namespace {

const std::string kEmpty;

const char* const kDictionaryResources[3] = {"dictionary/10000.txt", "dictionary/10001.txt",
                                             "dictionary/10002.txt"};

// The n-th field of a line split at ";" (counting from 0), or an empty text.
std::string Field(const std::string& line, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = line.find(';', start);
        if (start == std::string::npos) {
            return "";
        }
        ++start;
    }
    const std::size_t end = line.find(';', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Splits "min - max" at the separating hyphen; a leading "-" belongs to the minimum.
bool SplitRange(const std::string& range, std::string& low, std::string& high) {
    const std::size_t from = range.empty() || range[0] != '-' ? 0 : 1;
    std::size_t dash = range.find(" - ", from);
    dash = dash == std::string::npos ? range.find('-', from) : dash + 1;
    if (dash == std::string::npos) {
        return false;
    }
    low = range.substr(0, dash);
    high = range.substr(dash + 1);
    return true;
}

}  // namespace

std::vector<std::string> CParamDictionary::LoadLines(const std::string& resourceName) {
    std::vector<std::string> lines;
    const std::string* bytes = CResourceModule::Current().Find(resourceName);
    if (bytes == nullptr) {
        return lines;
    }
    std::string current;
    for (char c : *bytes) {
        if (c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    return lines;
}

void CParamDictionary::LoadParamDictionary() {
    for (int kind = 0; kind < 3; ++kind) {
        m_lines[kind] = LoadLines(kDictionaryResources[kind]);
    }
}

void CParamDictionary::LoadBlockTypeNames() {
    m_typeNames = LoadLines("dictionary/10003.txt");
}

std::size_t CParamDictionary::GetRowCount(int kind) const {
    return kind >= 0 && kind < 3 ? m_lines[kind].size() : 0;
}

const std::string& CParamDictionary::GetLine(int kind, int row) const {
    if (kind < 0 || kind >= 3 || row < 0 || static_cast<std::size_t>(row) >= m_lines[kind].size()) {
        return kEmpty;
    }
    return m_lines[kind][row];
}

std::string CParamDictionary::GetBlockTypeName(int t) const {
    if (t < 0 || static_cast<std::size_t>(t) >= m_typeNames.size()) {
        return "";
    }
    return m_typeNames[t];
}

char CParamDictionary::GetDictParamType(int kind, int row) const {
    const std::string& line = GetLine(kind, row);
    return line.empty() ? 0 : line[0];
}

std::string CParamDictionary::GetDictMnemonic(int kind, int row) const {
    const std::string& line = GetLine(kind, row);
    const std::size_t semicolon = line.find(';');
    if (semicolon == std::string::npos || semicolon == 0) {
        return "";
    }
    return line.substr(1, semicolon - 1);
}

std::string CParamDictionary::GetDictDescription(int kind, int row) const {
    return TrimRight(Field(GetLine(kind, row), kind == 0 ? 1 : 2), " \t");
}

char CParamDictionary::GetDictRange(int kind, int row, double& minimum, double& maximum) const {
    const std::string& line = GetLine(kind, row);
    const std::size_t last = line.rfind(';');
    if (last == std::string::npos || last == 0) {
        return 0;
    }
    const std::size_t previous = line.rfind(';', last - 1);
    if (previous == std::string::npos) {
        return 0;
    }
    std::string range = line.substr(previous + 1, last - previous - 1);
    const std::size_t first = range.find_first_not_of(' ');
    range = first == std::string::npos ? "" : TrimRight(range.substr(first), " \t");
    std::string low;
    std::string high;
    if (SplitRange(range, low, high)) {
        if (kind == 0) {
            minimum = ParseLeadingInt(low);
            maximum = ParseLeadingInt(high);
        } else {
            minimum = ParseLeadingDouble(low);
            maximum = ParseLeadingDouble(high);
        }
    }
    return line[0];
}

std::string CParamDictionary::GetDictDefault(int kind, int row) const {
    const std::string& line = GetLine(kind, row);
    const std::size_t last = line.rfind(';');
    return last == std::string::npos ? "" : line.substr(last + 1);
}

void CParamDictionary::CreateBlockParams(CBlock& block) const {
    const int t = block.GetTypeIndex();
    for (int kind = 0; kind < 3; ++kind) {
        int row = GetFirstDictRow(t, kind);
        for (int j = 0; j < ::GetParamCount(t, kind); ++j, ++row) {
            const std::string mnemonic = GetDictMnemonic(kind, row);
            if (mnemonic.empty()) {
                break;
            }
            auto param = std::make_unique<CBlockParam>();
            param->m_cType = GetDictParamType(kind, row);
            param->m_strDescription = GetDictDescription(kind, row);
            std::memcpy(param->m_szMnemonic, mnemonic.data(),
                        std::min<std::size_t>(4, mnemonic.size()));
            GetDictRange(kind, row, param->m_dMin, param->m_dMax);
            ParseParamValue(kind, GetDictDefault(kind, row), param->m_cType, param->m_dMin,
                            param->m_dMax, param->m_value);
            std::memcpy(param->m_defaultValue, param->m_value, sizeof param->m_value);
            block.AddParam(kind, std::move(param));
        }
    }
}

void CParamDictionary::RefreshBlockParams(CBlock& block) const {
    const int t = block.GetTypeIndex();
    for (int kind = 0; kind < 3; ++kind) {
        const int first = GetFirstDictRow(t, kind);
        // Rows past the type's own count belong to the next type.
        for (int j = 0; j < ::GetParamCount(t, kind); ++j) {
            CBlockParam* param = block.GetParam(kind, j);
            if (param == nullptr) {
                break;
            }
            const int row = first + j;
            param->m_cType = GetDictParamType(kind, row);
            param->m_strDescription = GetDictDescription(kind, row);
            GetDictRange(kind, row, param->m_dMin, param->m_dMax);
        }
    }
}

CParamDictionary& CParamDictionary::Get() {
    static CParamDictionary dictionary = [] {
        CParamDictionary loaded;
        loaded.LoadParamDictionary();
        loaded.LoadBlockTypeNames();
        return loaded;
    }();
    return dictionary;
}
