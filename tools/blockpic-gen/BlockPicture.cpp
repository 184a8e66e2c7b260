#include "BlockPicture.h"

#include <algorithm>

#include "BitmapFont.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"

namespace {

constexpr int kLabelReserve = 40;  // room inside the box for the terminal labels
constexpr int kLineHeight = 11;
constexpr int kArrowSize = 5;
constexpr int kStripGap = 10;  // between the box and the strip

// The I/O types and their field terminals. On the "Varex" the terminals are
// numbered 1, 2, ... through these types in table order, two per block; the
// "Varex Plus" has lettered connectors, each numbered from 1 on its own. DIT
// exists on the "Varex Plus" only and shows its Plus terminals either way.
struct StripKind {
    const char* mnemonic;
    int type;
    char connector;
    bool plusOnly;
};
constexpr StripKind kStripKinds[] = {
    {"AI", 1, 'A', false}, {"CO", 2, 'B', false}, {"VO", 2, 'B', false},
    {"DI", 1, 'C', false}, {"DO", 2, 'D', false}, {"DIT", 1, 'C', true},
};

std::string Pair(const std::string& prefix, int first) {
    return prefix + std::to_string(first) + "-" + prefix + std::to_string(first + 1);
}

std::string JoinComma(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ",") + item;
    }
    return text;
}

std::string AreaText(const CBlockPicture::Area& area) {
    return std::to_string(area.x) + " " + std::to_string(area.y) + " " +
           std::to_string(area.width) + " " + std::to_string(area.height);
}

}  // namespace

CBlockPicture::CBlockPicture(int typeIndex) : m_nType(typeIndex) {
    m_strCode = GetBlockTypeCode(typeIndex);
    m_strMnemonic = GetBlockTypeMnemonic(typeIndex);
    m_strName = CParamDictionary::Get().GetBlockTypeName(typeIndex);
    if (m_strName.empty()) {
        m_strName = GetBlockTypeEnglishName(typeIndex);
    }
    // The first block of the type: its LINK names and output addresses are
    // what the descriptor reader turns into those of every other instance.
    const auto block = CBlock::Create(typeIndex, GetFirstBlockNumber(typeIndex));
    if (block) {
        for (int j = 0; j < GetParamCount(typeIndex, 0); ++j) {
            Terminal input;
            input.name = block->GetLinkInputName(j);
            input.label = input.name;
            m_inputs.push_back(input);
        }
        const int outputs = block->GetOutputCount();
        for (int j = 0; j < outputs; ++j) {
            Terminal output;
            const int address = block->GetOutputAddress(j);
            output.name = std::to_string(address);
            output.label = outputs == 1 ? "OUT" : "OUT" + std::to_string(j + 1);
            output.special = address >= 225;
            m_outputs.push_back(output);
        }
    }
    BuildStrip();
    LayOut();
}

void CBlockPicture::BuildStrip() {
    int terminal = 1;
    int plusTerminal[26] = {};
    for (const StripKind& kind : kStripKinds) {
        const int t = FindBlockTypeByMnemonic(kind.mnemonic);
        const int count = GetBlockCountOfType(t);
        int& plus = plusTerminal[kind.connector - 'A'];
        std::vector<std::string> texts;
        std::vector<std::string> textsPlus;
        for (int k = 0; k < count; ++k) {
            textsPlus.push_back(Pair(std::string(1, kind.connector), plus + 1));
            plus += 2;
            if (!kind.plusOnly) {
                texts.push_back(Pair("", terminal));
                terminal += 2;
            }
        }
        if (t == m_nType) {
            m_strip.present = true;
            m_strip.type = kind.type;
            m_strip.textsPlus = textsPlus;
            m_strip.texts = kind.plusOnly ? textsPlus : texts;
        }
    }
}

void CBlockPicture::LayOut() {
    const int inputs = static_cast<int>(m_inputs.size());
    const int outputs = static_cast<int>(m_outputs.size());
    const int rows = std::max(inputs, outputs);
    m_nPitch = inputs > 12 ? 12 : 16;
    m_nWidth = 2 * kMargin + 2 * kLead + kBoxWidth;

    const auto maxChars =
        static_cast<std::size_t>((kBoxWidth - 2 * kLabelReserve) / CBitmapFont::kAdvance);
    m_nameLines = WrapText(m_strName, maxChars);
    const int nameLines = static_cast<int>(m_nameLines.size());
    m_nBodyTop = kTop + kHeaderHeight + 1;
    m_nBodyHeight = std::max({rows * m_nPitch + 12, nameLines * kLineHeight + 16, 44});
    const int boxBottom = m_nBodyTop + m_nBodyHeight + 2;

    const int areaHeight = m_nPitch - 4;
    auto place = [&](std::vector<Terminal>& terminals, int x) {
        const int count = static_cast<int>(terminals.size());
        const int first = m_nBodyTop + (m_nBodyHeight - count * m_nPitch) / 2 + m_nPitch / 2;
        for (int i = 0; i < count; ++i) {
            const int center = first + i * m_nPitch;
            terminals[static_cast<std::size_t>(i)].area = {x, center - areaHeight / 2, kLead,
                                                           areaHeight};
        }
    };
    place(m_inputs, kMargin);
    place(m_outputs, kMargin + kLead + kBoxWidth);

    m_nHeight = boxBottom + 8;
    if (m_strip.present) {
        const int x = m_strip.type == 1 ? kMargin : m_nWidth - kMargin - kStripWidth;
        m_strip.area = {x, boxBottom + kStripGap, kStripWidth, kStripHeight};
        m_nHeight = boxBottom + kStripGap + kStripHeight + 6;
    }
}

CIndexedBitmap CBlockPicture::Draw() const {
    CIndexedBitmap bitmap(m_nWidth, m_nHeight, kWhite);
    const int boxLeft = kMargin + kLead;
    const int boxRight = boxLeft + kBoxWidth - 1;
    const int boxHeight = kHeaderHeight + 1 + m_nBodyHeight + 2;
    const int boxBottom = kTop + boxHeight;  // first row below the box

    bitmap.FillRect(boxLeft, kTop, kBoxWidth, boxHeight, kFill);
    bitmap.FillRect(boxLeft, kTop, kBoxWidth, kHeaderHeight, kBlue);
    bitmap.FrameRect(boxLeft, kTop, kBoxWidth, boxHeight, kBlack);
    bitmap.FrameRect(boxLeft + 1, kTop + 1, kBoxWidth - 2, boxHeight - 2, kBlack);
    bitmap.HorizontalLine(boxLeft, boxRight, kTop + kHeaderHeight, kBlack);

    const int titleWidth = CBitmapFont::TextWidth(m_strMnemonic, 2);
    CBitmapFont::DrawText(bitmap, boxLeft + (kBoxWidth - titleWidth) / 2, kTop + 5, m_strMnemonic,
                          kWhite, 2);
    CBitmapFont::DrawText(bitmap, boxRight - 5 - CBitmapFont::TextWidth(m_strCode), kTop + 8,
                          m_strCode, kFill);

    const int nameHeight = static_cast<int>(m_nameLines.size()) * kLineHeight - 4;
    int y = m_nBodyTop + (m_nBodyHeight - nameHeight) / 2;
    for (const std::string& line : m_nameLines) {
        CBitmapFont::DrawText(bitmap, boxLeft + (kBoxWidth - CBitmapFont::TextWidth(line)) / 2, y,
                              line, kBlack);
        y += kLineHeight;
    }

    const int capOffset = CBitmapFont::kCapHeight / 2;
    for (const Terminal& input : m_inputs) {
        const int center = input.area.y + input.area.height / 2;
        bitmap.FillRect(kMargin, center - 1, 3, 3, kBlack);
        bitmap.HorizontalLine(kMargin, boxLeft - 1, center, kBlack);
        bitmap.ArrowRight(boxLeft - 1, center, kArrowSize, kBlack);
        CBitmapFont::DrawText(bitmap, boxLeft + 5, center - capOffset, input.label, kBlack);
    }
    for (const Terminal& output : m_outputs) {
        const int center = output.area.y + output.area.height / 2;
        const uint8_t color = output.special ? kBlue : kBlack;
        bitmap.HorizontalLine(boxRight + 1, boxRight + kLead, center, color);
        bitmap.ArrowRight(boxRight + kLead, center, kArrowSize, color);
        CBitmapFont::DrawText(bitmap, boxRight - 4 - CBitmapFont::TextWidth(output.label),
                              center - capOffset, output.label, color);
    }

    if (m_strip.present) {
        const Area& area = m_strip.area;
        const int middle = area.y + area.height / 2;
        bitmap.FillRect(area.x, area.y, area.width, area.height, kFill);
        bitmap.FrameRect(area.x, area.y, area.width, area.height, kBlack);
        for (const int screw : {area.x + 7, area.x + area.width - 8}) {
            bitmap.Disc(screw, middle, 3, kBlue);
            bitmap.HorizontalLine(screw - 1, screw + 1, middle, kWhite);
        }
        if (m_strip.type == 1) {
            // Field signals come in from the strip.
            const int wire = boxLeft + 24;
            bitmap.HorizontalLine(area.x + area.width, wire, middle, kBlack);
            bitmap.VerticalLine(wire, boxBottom, middle, kBlack);
            bitmap.ArrowUp(wire, boxBottom, kArrowSize, kBlack);
        } else {
            const int wire = boxRight - 24;
            bitmap.VerticalLine(wire, boxBottom, middle, kBlack);
            bitmap.HorizontalLine(wire, area.x - 1, middle, kBlack);
            bitmap.ArrowRight(area.x - 1, middle, kArrowSize, kBlack);
        }
    }
    return bitmap;
}

std::string CBlockPicture::GetIniText() const {
    std::string text;
    auto line = [&text](const std::string& content) { text += content + "\n"; };
    line("; " + m_strCode + " " + m_strMnemonic + " - " + m_strName);
    line("; Terminal areas of " + m_strCode + ".gif in picture pixels (x y width height).");
    line("; Output numbers are those of the type's first block. Written by blockpic-gen");
    line("; from the block type table: run it again rather than editing this file.");
    line("[Picture]");
    line("Width=" + std::to_string(m_nWidth));
    line("Height=" + std::to_string(m_nHeight));
    line("");
    line("[Inputs]");
    line("Count=" + std::to_string(m_inputs.size()));
    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        line("Input" + std::to_string(i + 1) + "=" + m_inputs[i].name + " " +
             AreaText(m_inputs[i].area));
    }
    line("");
    line("[Outputs]");
    line("Count=" + std::to_string(m_outputs.size()));
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        line("Output" + std::to_string(i + 1) + "=" + m_outputs[i].name + " " +
             AreaText(m_outputs[i].area));
    }
    if (m_strip.present) {
        const Area& area = m_strip.area;
        line("");
        line("[Bornes]");
        line("Count=1");
        line("Type=" + std::to_string(m_strip.type));
        line("Rect=" + std::to_string(area.x) + " " + std::to_string(area.y) + " " +
             std::to_string(area.x + area.width) + " " + std::to_string(area.y + area.height));
        line("Bornes=" + JoinComma(m_strip.texts));
        line("BornesP=" + JoinComma(m_strip.textsPlus));
    }
    return text;
}

const std::vector<CIndexedBitmap::Rgb>& CBlockPicture::GetPalette() {
    static const std::vector<CIndexedBitmap::Rgb> palette = {
        {255, 255, 255},  // kWhite
        {0, 0, 0},        // kBlack
        {222, 233, 246},  // kFill
        {31, 90, 180},    // kBlue
    };
    return palette;
}

std::vector<std::string> CBlockPicture::WrapText(const std::string& text, std::size_t maxChars) {
    maxChars = std::max<std::size_t>(maxChars, 1);
    // Pieces end after "-" or "/" or before a blank; a piece remembers whether
    // a blank came before it.
    struct Piece {
        std::string text;
        bool afterBlank = false;
    };
    std::vector<Piece> pieces;
    bool blank = false;
    std::string current;
    auto flush = [&]() {
        if (!current.empty()) {
            pieces.push_back({current, blank});
            current.clear();
            blank = false;
        }
    };
    for (const char c : text) {
        if (c == ' ') {
            flush();
            blank = true;
            continue;
        }
        current += c;
        if (c == '-' || c == '/') {
            flush();
        }
    }
    flush();

    std::vector<std::string> lines;
    std::string line;
    for (Piece& piece : pieces) {
        const std::string joined =
            line.empty() ? piece.text : line + (piece.afterBlank ? " " : "") + piece.text;
        if (joined.size() <= maxChars) {
            line = joined;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        line = piece.text;
        while (line.size() > maxChars) {
            lines.push_back(line.substr(0, maxChars));
            line.erase(0, maxChars);
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}
