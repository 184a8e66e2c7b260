#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One parameter of a block: its type letter, mnemonic and value bytes, with the
// range and description the dictionary gives it. Only the letter, mnemonic and
// value are stored in documents; the rest is re-read from the dictionary.
class CBlockParam {
public:
    CBlockParam() = default;
    CBlockParam(const CBlockParam&) = default;
    CBlockParam& operator=(const CBlockParam&) = default;
    virtual ~CBlockParam() = default;

    virtual std::unique_ptr<CBlockParam> Clone() const;
    // The integer value of the value's text form.
    virtual int GetIntValue() const;
    virtual std::string GetTextValue() const;

    // The mnemonic with trailing blanks removed ("LIA", "ASPZ").
    std::string GetMnemonic() const;
    int GetValueSize() const;

    char m_cType = 0;
    char m_szMnemonic[5] = {};
    uint8_t m_value[8] = {};
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    std::string m_strDescription;
    uint8_t m_defaultValue[8] = {};
};
