#include "model/BlockParam.h"

#include <cstring>

#include "model/BlockTypeTable.h"
#include "model/ParamValue.h"
#include "platform/Text.h"

std::unique_ptr<CBlockParam> CBlockParam::Clone() const {
    return std::make_unique<CBlockParam>(*this);
}

int CBlockParam::GetIntValue() const {
    return ParseLeadingInt(GetTextValue());
}

std::string CBlockParam::GetTextValue() const {
    return FormatParamValue(m_cType, m_value);
}

std::string CBlockParam::GetMnemonic() const {
    return TrimRight(std::string(m_szMnemonic, strnlen(m_szMnemonic, sizeof m_szMnemonic)));
}

int CBlockParam::GetValueSize() const {
    return GetParamValueSize(m_cType);
}
