#pragma once

#include <string>
#include <vector>

#include "IndexedBitmap.h"

// The picture of one block type and its terminal description, laid out from
// the block type table: a box with the mnemonic in a blue title band and the
// type's name below it, the LINK inputs as terminals on the left, the outputs
// on the right and, for the I/O types, the field terminal strip below the box.
// Free margins on both sides leave room for the texts the picture control
// writes beside the terminals (input names and values, output addresses).
class CBlockPicture {
public:
    enum Color : uint8_t { kWhite = 0, kBlack = 1, kFill = 2, kBlue = 3 };

    // A terminal's hot area: x, y, width, height in picture pixels.
    struct Area {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    struct Terminal {
        std::string name;   // input name, or the output's number as the INI gives it
        std::string label;  // text drawn inside the box
        Area area;
        bool special = false;  // the output with an address of 225 or more
    };
    // The field terminal strip of an I/O type.
    struct Strip {
        bool present = false;
        int type = 0;  // 1: field inputs, the strip sits on the left; 2: field outputs, right
        Area area;
        std::vector<std::string> texts;      // terminal texts per instance, "Varex"
        std::vector<std::string> textsPlus;  // the same on the "Varex Plus"
    };

    static constexpr int kMargin = 48;
    static constexpr int kLead = 16;
    static constexpr int kBoxWidth = 192;
    static constexpr int kTop = 8;
    static constexpr int kHeaderHeight = 22;
    static constexpr int kStripWidth = 28;
    static constexpr int kStripHeight = 14;

    explicit CBlockPicture(int typeIndex);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    const std::vector<Terminal>& GetInputs() const { return m_inputs; }
    const std::vector<Terminal>& GetOutputs() const { return m_outputs; }
    const Strip& GetStrip() const { return m_strip; }

    CIndexedBitmap Draw() const;
    // The INI description of the picture (LF line ends).
    std::string GetIniText() const;

    static const std::vector<CIndexedBitmap::Rgb>& GetPalette();
    // Breaks the text into lines of at most maxChars characters, at blanks
    // (dropped) and after "-" and "/" (kept); longer words are cut.
    static std::vector<std::string> WrapText(const std::string& text, std::size_t maxChars);

private:
    void LayOut();
    void BuildStrip();

    int m_nType;
    std::string m_strCode;
    std::string m_strMnemonic;
    std::string m_strName;
    std::vector<std::string> m_nameLines;
    std::vector<Terminal> m_inputs;
    std::vector<Terminal> m_outputs;
    Strip m_strip;
    int m_nPitch = 16;
    int m_nBodyTop = 0;
    int m_nBodyHeight = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
