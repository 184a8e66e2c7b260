#pragma once

#include <string>
#include <vector>

#include "platform/Rect.h"

// The terminal description of a block picture: where the picture of a block
// type shows its terminal strip, its inputs and its outputs, read from the
// picture's INI file for one instance of the type. Entries are kept in the
// order strip (when the picture has one), inputs, outputs.
class CFBIOParamDescr {
public:
    class CParamDescr {
    public:
        enum { kSideInput = 1, kSideOutput = 2 };

        CRect m_rect;             // hot area, picture pixels
        bool m_bVisible = false;  // true for the strip; the picture control sets the rest
        bool m_bFlag = false;     // an input that is linked
        int m_nSide = 0;          // kSideInput or kSideOutput
        std::string m_strName;    // input name, output address or strip text
        std::string m_strText;    // text shown, the name
        std::string m_strExtra;   // empty
    };

    // Counts read from a file are cut to this; no block type comes near it.
    static constexpr int kMaxTerminals = 64;

    // Reads the description for instance k (0 for the type's first block).
    // useBornesP picks the strip texts of the "BornesP" key instead of
    // "Bornes". linkedInputs[i] true marks input i (0 for "Input1") as linked;
    // inputs past the end of the list are not linked. Any earlier content is
    // dropped first. A missing file gives an empty description. Returns true
    // when the description has at least one entry.
    bool Load(const std::string& iniPath, int instance, bool useBornesP,
              const std::vector<bool>& linkedInputs);
    void Clear();

    int GetCount() const { return m_nCount; }
    int GetInputCount() const { return m_nInputs; }
    int GetOutputCount() const { return m_nOutputs; }
    // Index among the outputs of the output with an address of 225 or more; -1 if none.
    int GetFixedOutput() const { return m_nFixedOutput; }
    bool HasStrip() const { return m_bStrip; }
    // Entry i, or null outside 0 .. GetCount() - 1.
    CParamDescr* GetParam(int i);
    const CParamDescr* GetParam(int i) const;

    // The type code of a picture file: the file name after the last path
    // separator, cut at its first "." ("/x/F07.ini" gives "F07").
    static std::string GetTypeCodeOfPath(const std::string& path);
    // The codes of the types whose first output has a special address.
    static bool IsSpecialTypeCode(const std::string& code);

private:
    int m_nCount = 0;
    int m_nInputs = 0;
    int m_nOutputs = 0;
    int m_nFixedOutput = -1;
    bool m_bStrip = false;
    std::vector<CParamDescr> m_params;
};
