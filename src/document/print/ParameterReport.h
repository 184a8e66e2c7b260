#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Rect.h"

class CBlock;
class CConfiguration;
class CDC;
class CLoop;

// The parameter report: every block of every loop with its LINK, CONF and ADJ
// values, as text lines with "EndPage" between pages, and the printing of one
// page of those lines.
class CParameterReport {
public:
    enum Mode : int { MODE_ALL = 0, MODE_CHANGED = 1 };
    static constexpr const char* kEndPage = "EndPage";
    static constexpr const char* kColumnHeader = "Link Info;Conf Info;Adj Info;";
    static constexpr const char* kEmptyEntry = "-;";
    // Rows the first block of a page also pays for, for the title area.
    static constexpr int kFirstBlockRows = 3;
    // Spacing of the three columns on a printed page.
    static constexpr int kColumnStep = 200;

    // Builds the lines for a body on the context (its fonts give the line
    // height) and returns the number of pages.
    static int BuildParameterReport(std::vector<std::string>& lines,
                                    const CConfiguration& configuration, CDC& dc, const CRect& body,
                                    int mode);

    // Prints the page that starts at a line (its loop title) and returns the
    // position of the next page's first line.
    static std::size_t PrintReportPage(CDC& dc, const std::vector<std::string>& lines,
                                       std::size_t first, const CRect& body);

    static std::string LoopTitle(const CLoop& loop, int mode);
    static std::string BlockTitle(const CBlock& block, int position);
    static std::string ValueLine(const CBlock& block, int kind, int entries, int mode);
    // The most parameters the block has of one kind: the rows its values take.
    static int RowCount(const CBlock& block);
    // The entries of a value line without their ";".
    static std::vector<std::string> SplitEntries(const std::string& line);

private:
    static bool IsChangedValue(const CBlock& block, int kind, int j);
    static void PrintBlock(CDC& dc, const std::string* group, int& y, const CRect& body,
                           int lineHeight);
};
