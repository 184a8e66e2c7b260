#include "document/print/ParameterReport.h"

#include <algorithm>
#include <cstdio>

#include "document/print/PageHeader.h"
#include "document/print/PrintFonts.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "model/Loop.h"
#include "model/ParamDictionary.h"
#include "platform/gui/DC.h"

namespace {

constexpr int kGeneralLoop = 5;
// A block group in the lines: its title, the column header and three value lines.
constexpr std::size_t kGroupLines = 5;
constexpr unsigned kLineFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_LEFT;

bool HasNextLoopWithBlocks(const CConfiguration& configuration, int n) {
    for (int next = n + 1; next <= kGeneralLoop; ++next) {
        const CLoop* loop = configuration.GetLoop(next);
        if (loop != nullptr && loop->GetBlockCount() > 0) {
            return true;
        }
    }
    return false;
}

void TextAt(CDC& dc, const std::string& text, int x, int y) {
    CRect box(x, y, x + 1, y + dc.GetTextHeight());
    dc.DrawText(text, &box, kLineFormat);
}

}  // namespace

std::string CParameterReport::LoopTitle(const CLoop& loop, int mode) {
    const char* text = mode == MODE_CHANGED ? "List of Changed Parameters from LOOP"
                                            : "List of Parameters from LOOP";
    char title[160];
    if (loop.GetLoopNumber() == kGeneralLoop) {
        std::snprintf(title, sizeof title, "%s G: %s", text, loop.GetName().c_str());
    } else {
        std::snprintf(title, sizeof title, "%s %d: %s", text, loop.GetLoopNumber(),
                      loop.GetName().c_str());
    }
    return title;
}

std::string CParameterReport::BlockTitle(const CBlock& block, int position) {
    char title[160];
    std::snprintf(title, sizeof title, "%d - BLK-%03d : %s", position, block.GetBlockNumber(),
                  CParamDictionary::Get().GetBlockTypeName(block.GetTypeIndex()).c_str());
    return title;
}

int CParameterReport::RowCount(const CBlock& block) {
    return std::max({block.GetParamCount(PARAM_LINK), block.GetParamCount(PARAM_CONF),
                     block.GetParamCount(PARAM_ADJ)});
}

// Values are compared as the user reads them: the default text of the
// dictionary is put in the value's own form first, so that "0" and "0.000"
// count as the same value.
bool CParameterReport::IsChangedValue(const CBlock& block, int kind, int j) {
    const std::string value = block.GetParamText(kind, j);
    const std::string dictDefault = CParamDictionary::Get().GetDictDefault(
        kind, GetFirstDictRow(block.GetTypeIndex(), kind) + j);
    if (dictDefault.empty()) {
        return value != dictDefault;
    }
    return value != block.NormalizeParamText(kind, j, dictDefault);
}

std::string CParameterReport::ValueLine(const CBlock& block, int kind, int entries, int mode) {
    std::string line;
    const int count = block.GetParamCount(kind);
    for (int j = 0; j < entries; ++j) {
        const CBlockParam* param = j < count ? block.GetParam(kind, j) : nullptr;
        if (param != nullptr && (mode != MODE_CHANGED || IsChangedValue(block, kind, j))) {
            line += param->GetMnemonic() + " = " + block.GetParamText(kind, j) + ";";
        } else {
            line += kEmptyEntry;
        }
    }
    return line;
}

int CParameterReport::BuildParameterReport(std::vector<std::string>& lines,
                                           const CConfiguration& configuration, CDC& dc,
                                           const CRect& body, int mode) {
    lines.clear();
    const int h = CPrintFonts::LineHeight(dc);
    int pages = 0;
    for (int n = 1; n <= kGeneralLoop; ++n) {
        const CLoop* loop = configuration.GetLoop(n);
        if (loop == nullptr || loop->GetBlockCount() == 0) {
            continue;
        }
        const std::string title = LoopTitle(*loop, mode);
        lines.push_back(title);
        int y = body.top;
        int rowsToAdd = kFirstBlockRows;
        for (int i = 0; i < loop->GetBlockCount();) {
            const CBlock& block = *loop->GetBlock(i);
            const int rows = RowCount(block);
            const int need = (rows + rowsToAdd + 1) * h + 4;
            // A block taller than a whole body goes on a page of its own rather
            // than breaking pages for ever.
            const bool pageEmpty = rowsToAdd == kFirstBlockRows;
            if (y + need > body.bottom && !pageEmpty) {
                lines.push_back(kEndPage);
                lines.push_back(title);
                y = body.top;
                rowsToAdd = kFirstBlockRows;
                ++pages;
                continue;
            }
            lines.push_back(BlockTitle(block, i + 1));
            lines.push_back(kColumnHeader);
            for (int kind : {PARAM_LINK, PARAM_CONF, PARAM_ADJ}) {
                lines.push_back(ValueLine(block, kind, rows, mode));
            }
            y += need + 2 * h;
            rowsToAdd = 0;
            ++i;
        }
        // The loop's last page always holds at least its last block.
        ++pages;
        if (HasNextLoopWithBlocks(configuration, n)) {
            lines.push_back(kEndPage);
        }
    }
    return pages;
}

std::vector<std::string> CParameterReport::SplitEntries(const std::string& line) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t end = line.find(';'); end != std::string::npos; end = line.find(';', start)) {
        entries.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

void CParameterReport::PrintBlock(CDC& dc, const std::string* group, int& y, const CRect& body,
                                  int lineHeight) {
    const int x = body.left + kColumnStep / 4;
    dc.SelectFont(CPrintFonts::BoldText());
    TextAt(dc, group[0], x, y);
    y += lineHeight;
    CPageHeader::Rule(dc, CPoint(x - 20, y), CPoint(body.right - 30, y), 1);
    y += 2;
    dc.SelectFont(CPrintFonts::Text());
    const std::vector<std::string> headers = SplitEntries(group[1]);
    for (std::size_t c = 0; c < headers.size() && c < 3; ++c) {
        TextAt(dc, headers[c], x + static_cast<int>(c) * kColumnStep, y);
    }
    y += lineHeight;
    CPageHeader::Rule(dc, CPoint(x, y), CPoint(x + 3 * kColumnStep - 20, y), 1);
    y += 2;
    std::size_t rows = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const std::vector<std::string> entries = SplitEntries(group[2 + c]);
        for (std::size_t r = 0; r < entries.size(); ++r) {
            TextAt(dc, entries[r], x + static_cast<int>(c) * kColumnStep,
                   y + static_cast<int>(r) * lineHeight);
        }
        rows = std::max(rows, entries.size());
    }
    // The next block starts two line heights below the top of the last row,
    // as the pagination counts it.
    y += static_cast<int>(rows) * lineHeight + lineHeight;
}

std::size_t CParameterReport::PrintReportPage(CDC& dc, const std::vector<std::string>& lines,
                                              std::size_t first, const CRect& body) {
    const int h = CPrintFonts::LineHeight(dc);
    const LOGFONT old = dc.SelectFont(CPrintFonts::Text());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    int y = body.top;
    std::size_t i = first + 1;  // the loop title is the header's subtitle
    while (i + kGroupLines <= lines.size() && lines[i] != kEndPage) {
        PrintBlock(dc, &lines[i], y, body, h);
        i += kGroupLines;
    }
    while (i < lines.size() && lines[i] != kEndPage) {
        ++i;  // an incomplete group: nothing a builder of these lines writes
    }
    dc.SelectFont(old);
    CPageHeader::Rule(dc, CPoint(body.left, body.bottom), CPoint(body.right - 30, body.bottom), 2);
    return i < lines.size() ? i + 1 : i;
}
