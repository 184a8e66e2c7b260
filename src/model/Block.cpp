#include "model/Block.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "model/ParamValue.h"
#include "platform/Archive.h"
#include "platform/Text.h"

IMPLEMENT_SERIAL(CBlock, CObject, 4)

namespace {

constexpr std::size_t kOutputRecordSize = 4 + 20 + 20;
// Smallest stored parameter: type letter, mnemonic and a 2-byte value.
constexpr std::size_t kMinParamRecordSize = 1 + 5 + 2;
constexpr int kUserTagMaxLength = 19;

bool IsValidKind(int kind) {
    return kind >= 0 && kind < 3;
}

std::string FieldText(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

void SetField(char* field, std::size_t width, const std::string& text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

// Names of the ATU outputs: eight digital, then analog.
std::string AtuOutputName(int index, int address) {
    char name[20];
    std::snprintf(name, sizeof name, "%s.OUT%03d", index < 8 ? "Digital" : "Analog", address);
    return name;
}

}  // namespace

CBlock::CBlock(const std::string& name, int blockNumber, int typeIndex)
    : m_nBlockNumber(blockNumber), m_strName(name), m_nType(typeIndex) {}

std::unique_ptr<CBlock> CBlock::Create(int typeIndex, int blockNumber) {
    auto block = std::make_unique<CBlock>(GetBlockTypeMnemonic(typeIndex), blockNumber, typeIndex);
    block->BuildOutputs();
    CParamDictionary::Get().CreateBlockParams(*block);
    return block;
}

void CBlock::SwapContents(CBlock& other) noexcept {
    std::swap(m_nBlockNumber, other.m_nBlockNumber);
    std::swap(m_strName, other.m_strName);
    std::swap(m_nType, other.m_nType);
    std::swap(m_nLoopNumber, other.m_nLoopNumber);
    std::swap(m_nChanged, other.m_nChanged);
    std::swap(m_outputs, other.m_outputs);
    for (int kind = 0; kind < 3; ++kind) {
        std::swap(m_params[kind], other.m_params[kind]);
    }
}

std::unique_ptr<CBlock> CBlock::Clone() const {
    auto copy = std::make_unique<CBlock>(m_strName, m_nBlockNumber, m_nType);
    copy->m_nLoopNumber = m_nLoopNumber;
    copy->m_nChanged = m_nChanged;
    copy->m_outputs = m_outputs;
    for (int kind = 0; kind < 3; ++kind) {
        for (const auto& param : m_params[kind]) {
            copy->m_params[kind].push_back(param->Clone());
        }
    }
    return copy;
}

int CBlock::GetInstance() const {
    const int64_t instance = std::abs(int64_t{m_nBlockNumber} - GetFirstBlockNumber(m_nType));
    return static_cast<int>(std::min<int64_t>(instance, INT32_MAX));
}

void CBlock::SetLoopNumber(int n) {
    if (n >= 0) {
        m_nLoopNumber = n;
    }
}

int CBlock::GetCost() const {
    return GetBlockCost(m_nType);
}

std::string CBlock::GetDisplayName() const {
    char text[16];
    std::snprintf(text, sizeof text, "BLK-%03d", m_nBlockNumber);
    return text;
}

int CBlock::GetParamCount(int kind) const {
    return ::GetParamCount(m_nType, kind);
}

int CBlock::GetParamListSize(int kind) const {
    return IsValidKind(kind) ? static_cast<int>(m_params[kind].size()) : 0;
}

CBlockParam* CBlock::GetParam(int kind, int j) const {
    if (!IsValidKind(kind) || j < 0 || static_cast<std::size_t>(j) >= m_params[kind].size()) {
        return nullptr;
    }
    return m_params[kind][j].get();
}

void CBlock::AddParam(int kind, std::unique_ptr<CBlockParam> param) {
    if (IsValidKind(kind) && param) {
        m_params[kind].push_back(std::move(param));
    }
}

int CBlock::FindLinkParam(const std::string& letter) const {
    const std::string wanted = "LI" + letter;
    for (std::size_t j = 0; j < m_params[PARAM_LINK].size(); ++j) {
        if (m_params[PARAM_LINK][j]->GetMnemonic() == wanted) {
            return static_cast<int>(j);
        }
    }
    return -1;
}

std::string CBlock::GetLinkInputName(int j) const {
    const CBlockParam* param = GetParam(PARAM_LINK, j);
    if (param == nullptr) {
        return "";
    }
    return TrimRight(FieldText(param->m_szMnemonic + 2, 2));
}

int CBlock::GetLinkInputNumber(int j) const {
    return ParseLeadingInt(GetLinkInputName(j));
}

int CBlock::GetLinkValue(int j) const {
    const CBlockParam* param = GetParam(PARAM_LINK, j);
    if (param == nullptr || param->m_value[0] == 0) {
        return 0;
    }
    return param->GetIntValue();
}

std::string CBlock::GetLinkValueText(int j) const {
    const CBlockParam* param = GetParam(PARAM_LINK, j);
    if (param == nullptr || param->m_value[0] == 0) {
        return "";
    }
    return param->GetTextValue();
}

std::string CBlock::GetParamText(int kind, int j) const {
    const CBlockParam* param = GetParam(kind, j);
    return param ? param->GetTextValue() : "";
}

std::string CBlock::NormalizeParamText(int kind, int j, const std::string& text) const {
    const CBlockParam* param = GetParam(kind, j);
    if (param == nullptr) {
        return "";
    }
    if (text.empty()) {
        return param->GetTextValue();
    }
    std::string padded = text;
    if (param->m_cType == 'M' || param->m_cType == 'S') {
        padded.resize(std::max<std::size_t>(padded.size(), param->m_cType == 'M' ? 4 : 8), ' ');
    }
    uint8_t scratch[8];
    std::memcpy(scratch, param->m_value, sizeof scratch);
    ParseParamValue(kind, padded, param->m_cType, param->m_dMin, param->m_dMax, scratch);
    return FormatParamValue(param->m_cType, scratch);
}

bool CBlock::IsParamTextInRange(int kind, int j, const std::string& text) const {
    const CBlockParam* param = GetParam(kind, j);
    if (param == nullptr) {
        return false;
    }
    uint8_t scratch[8] = {};
    return ParseParamValue(kind, text, param->m_cType, param->m_dMin, param->m_dMax, scratch);
}

bool CBlock::SetParamValue(int kind, int j, const std::string& text) {
    CBlockParam* param = GetParam(kind, j);
    if (param == nullptr) {
        return false;
    }
    if (text.empty()) {
        std::memcpy(param->m_value, param->m_defaultValue, sizeof param->m_value);
        return true;
    }
    return ParseParamValue(kind, text, param->m_cType, param->m_dMin, param->m_dMax,
                           param->m_value);
}

int CBlock::CompareParams(int kind, const CBlock& other) const {
    if (!IsValidKind(kind)) {
        return 0;
    }
    for (std::size_t j = 0; j < m_params[kind].size(); ++j) {
        const CBlockParam* theirs = other.GetParam(kind, static_cast<int>(j));
        if (theirs == nullptr || strcasecmp(m_params[kind][j]->GetTextValue().c_str(),
                                            theirs->GetTextValue().c_str()) != 0) {
            return 1;
        }
    }
    return 0;
}

void CBlock::BuildOutputs() {
    if (m_nBlockNumber == 0 && m_nType == -1) {
        return;
    }
    m_outputs.clear();
    // A number outside the type's own range (a damaged file) has no outputs.
    if (GetBlockTypeInfo(m_nType) == nullptr || GetInstance() >= GetBlockCountOfType(m_nType)) {
        return;
    }
    int regular = 1;
    int special = 225;
    for (int u = 0; u < m_nType; ++u) {
        const int outputs = GetOutputCountOfType(u) - (IsSpecialOutputType(u) ? 1 : 0);
        regular += outputs * GetBlockCountOfType(u);
        special += IsSpecialOutputType(u) ? GetBlockCountOfType(u) : 0;
    }
    const int count = GetOutputCountOfType(m_nType);
    const int instance = GetInstance();
    for (int j = 0; j < count; ++j) {
        BlockOutput output;
        if (IsSpecialOutputType(m_nType)) {
            output.address = j == 0 ? special + instance : regular + instance * (count - 1) + j - 1;
        } else {
            output.address = regular + instance * count + j;
        }
        char name[64];
        if (m_nType == kTypeIndexATU) {
            std::snprintf(name, sizeof name, "%s", AtuOutputName(j, output.address).c_str());
        } else {
            std::snprintf(name, sizeof name, "%s%03d.OUT%03d", m_strName.c_str(), m_nBlockNumber,
                          output.address);
        }
        SetField(output.name, sizeof output.name, name);
        SetField(output.userTag, sizeof output.userTag, name);
        m_outputs.push_back(output);
    }
}

const BlockOutput* CBlock::GetOutput(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_outputs.size()) {
        return nullptr;
    }
    return &m_outputs[i];
}

int CBlock::GetOutputAddress(int i) const {
    const BlockOutput* output = GetOutput(i);
    return output ? output->address : -1;
}

std::string CBlock::GetOutputName(int i) const {
    const BlockOutput* output = GetOutput(i);
    return output ? FieldText(output->name, sizeof output->name) : "";
}

std::string CBlock::GetOutputNameByAddress(int address) const {
    for (const BlockOutput& output : m_outputs) {
        if (output.address == address) {
            return FieldText(output.name, sizeof output.name);
        }
    }
    return "";
}

std::string CBlock::GetUserTag(int i) const {
    const BlockOutput* output = GetOutput(i);
    return output ? FieldText(output->userTag, sizeof output->userTag) : "";
}

std::string CBlock::GetUserTagByAddress(int address) const {
    for (const BlockOutput& output : m_outputs) {
        if (output.address == address) {
            return FieldText(output.userTag, sizeof output.userTag);
        }
    }
    return "";
}

bool CBlock::HasOutputAddress(int address) const {
    for (const BlockOutput& output : m_outputs) {
        if (output.address == address && output.name[0] != '\0') {
            return true;
        }
    }
    return false;
}

void CBlock::SetUserTag(int i, const std::string& text) {
    if (i < 0 || static_cast<std::size_t>(i) >= m_outputs.size() ||
        text.size() > kUserTagMaxLength) {
        return;
    }
    SetField(m_outputs[i].userTag, sizeof m_outputs[i].userTag, text);
}

void CBlock::SetUserTagByAddress(int address, const std::string& text) {
    if (text.size() > kUserTagMaxLength) {
        return;
    }
    for (BlockOutput& output : m_outputs) {
        if (output.address == address) {
            SetField(output.userTag, sizeof output.userTag, text);
        }
    }
}

int CBlock::BuildParamImage(std::vector<uint8_t>& buffer, std::size_t& position,
                            bool skipLink) const {
    int escapes = 0;
    auto put = [&](uint8_t byte) {
        if (position >= buffer.size()) {
            buffer.resize(position + 1);
        }
        buffer[position++] = byte;
    };
    for (int kind = skipLink ? PARAM_CONF : PARAM_LINK; kind <= PARAM_ADJ; ++kind) {
        for (int j = 0; j < GetParamCount(kind); ++j) {
            const CBlockParam* param = GetParam(kind, j);
            if (param == nullptr) {
                continue;
            }
            for (int b = 0; b < param->GetValueSize(); ++b) {
                put(param->m_value[b]);
                if (param->m_value[b] == 0xFE) {
                    put(0x00);
                    ++escapes;
                }
            }
        }
    }
    return escapes;
}

bool CBlock::LoadParamImage(const uint8_t* source, std::size_t size, std::size_t start,
                            bool skipLink) {
    std::size_t areaStart[3];
    areaStart[PARAM_LINK] = start;
    areaStart[PARAM_CONF] = skipLink ? start : start + GetAreaSize(m_nType, PARAM_LINK);
    areaStart[PARAM_ADJ] = areaStart[PARAM_CONF] + GetAreaSize(m_nType, PARAM_CONF);
    const int firstKind = skipLink ? PARAM_CONF : PARAM_LINK;
    for (int kind = firstKind; kind <= PARAM_ADJ; ++kind) {
        std::size_t end = areaStart[kind];
        for (const auto& param : m_params[kind]) {
            end += param->GetValueSize();
        }
        if (end > size) {
            return false;
        }
    }
    for (int kind = firstKind; kind <= PARAM_ADJ; ++kind) {
        std::size_t offset = areaStart[kind];
        for (const auto& param : m_params[kind]) {
            std::memcpy(param->m_value, source + offset, param->GetValueSize());
            offset += param->GetValueSize();
        }
    }
    return true;
}

void CBlock::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nType);
        ar.WriteString(m_strName);
        ar.WriteInt32(m_nBlockNumber);
        ar.WriteInt32(m_nLoopNumber);
        ar.WriteInt32(static_cast<int32_t>(m_outputs.size()));
        for (const BlockOutput& output : m_outputs) {
            ar.WriteInt32(output.address);
            ar.Write(output.name, sizeof output.name);
            ar.Write(output.userTag, sizeof output.userTag);
        }
        WriteParams(ar);
        m_nChanged = 0;
        return;
    }
    const int schema = ar.GetObjectSchema();
    m_nType = ar.ReadInt32();
    m_strName = ar.ReadString();
    m_nBlockNumber = ar.ReadInt32();
    if (schema < 3) {
        BuildOutputs();
    } else {
        m_nLoopNumber = ar.ReadInt32();
        ReadOutputs(ar, schema);
    }
    ReadParams(ar, schema);
}

void CBlock::WriteParams(CArchive& ar) const {
    for (int kind = 0; kind < 3; ++kind) {
        // The table's count; a list that lost parameters writes only what it has.
        const std::size_t count = std::min<std::size_t>(GetParamCount(kind), m_params[kind].size());
        ar.WriteInt32(static_cast<int32_t>(count));
        for (std::size_t j = 0; j < count; ++j) {
            const CBlockParam& param = *m_params[kind][j];
            ar.WriteUInt8(static_cast<uint8_t>(param.m_cType));
            ar.Write(param.m_szMnemonic, sizeof param.m_szMnemonic);
            ar.Write(param.m_value, sizeof param.m_value);
        }
    }
}

void CBlock::ReadOutputs(CArchive& ar, int schema) {
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kOutputRecordSize) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Block output count " + std::to_string(count));
    }
    m_outputs.assign(count, BlockOutput());
    for (int i = 0; i < count; ++i) {
        BlockOutput& output = m_outputs[i];
        output.address = ar.ReadInt32();
        ar.Read(output.name, sizeof output.name);
        ar.Read(output.userTag, sizeof output.userTag);
        if (schema < 4 && m_nType == kTypeIndexATU) {
            // Older files named the ATU outputs like other blocks.
            const bool tagWasName = strncasecmp(output.name, output.userTag, 20) == 0;
            SetField(output.name, sizeof output.name, AtuOutputName(i, output.address));
            if (tagWasName) {
                std::memcpy(output.userTag, output.name, sizeof output.userTag);
            }
        }
    }
}

void CBlock::ReadParams(CArchive& ar, int schema) {
    for (int kind = 0; kind < 3; ++kind) {
        m_params[kind].clear();
        const int32_t count = ar.ReadInt32();
        if (count < 0 ||
            static_cast<std::size_t>(count) > ar.GetRemaining() / kMinParamRecordSize) {
            ar.ThrowMalformed(CArchiveException::badCount,
                              "Parameter count " + std::to_string(count));
        }
        const bool oldLink = kind == PARAM_LINK && schema < 3;
        for (int j = 0; j < count; ++j) {
            auto param = std::make_unique<CBlockParam>();
            if (oldLink) {
                ar.ReadInt32();  // unused field of the older layout
            }
            param->m_cType = static_cast<char>(ar.ReadUInt8());
            ar.Read(param->m_szMnemonic, sizeof param->m_szMnemonic);
            ar.Read(param->m_value, oldLink ? 2 : sizeof param->m_value);
            m_params[kind].push_back(std::move(param));
        }
    }
}
