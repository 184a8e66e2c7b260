#include "model/BlockParam.h"

#include <cstring>

#include "model/BlockTypeTable.h"
#include "model/ParamValue.h"

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
    std::string mnemonic(m_szMnemonic, strnlen(m_szMnemonic, sizeof m_szMnemonic));
    while (!mnemonic.empty() && mnemonic.back() == ' ') {
        mnemonic.pop_back();
    }
    return mnemonic;
}

int CBlockParam::GetValueSize() const {
    return GetParamValueSize(m_cType);
}
