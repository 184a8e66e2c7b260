#include "document/print/PageHeader.h"

#include <cstdio>

#include "document/print/PrintFonts.h"
#include "platform/gui/DC.h"

namespace {

constexpr unsigned kLineFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
// The page number keeps this far from the right edge.
constexpr int kRightInset = 5;

void TextLine(CDC& dc, const std::string& text, int left, int right, int top, unsigned align) {
    CRect box(left, top, right, top + dc.GetTextHeight());
    dc.DrawText(text, &box, kLineFormat | align);
}

}  // namespace

std::string CPageHeader::FormatTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y - %H:%M:%S", &local);
    return text;
}

std::string CPageHeader::FormatPage(unsigned page, unsigned count) {
    char text[48];
    std::snprintf(text, sizeof text, "Page: %03u of %03u", page, count);
    return text;
}

void CPageHeader::Rule(CDC& dc, CPoint from, CPoint to, int width) {
    LOGPEN pen{};
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(width, width);
    pen.lopnColor = RGB(0, 0, 0);
    const LOGPEN old = dc.SelectPen(pen);
    dc.MoveTo(from);
    dc.LineTo(to);
    dc.SelectPen(old);
}

void CPageHeader::PrintPageHeader(CDC& dc, const PageInfo& info, const std::string& title,
                                  const std::string& subtitle, std::time_t printed) {
    const CRect& area = info.printable;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    const LOGFONT old = dc.SelectFont(CPrintFonts::Title());
    const int titleHeight = dc.GetTextHeight();
    TextLine(dc, kProduct, area.left, area.right, area.top, DT_LEFT);

    dc.SelectFont(CPrintFonts::Text());
    const int textHeight = dc.GetTextHeight();
    TextLine(dc, FormatTime(printed), area.left, area.right, area.top + titleHeight, DT_LEFT);
    TextLine(dc, title, area.left, area.right, area.top, DT_CENTER);
    TextLine(dc, subtitle, area.left, area.right, area.top + textHeight, DT_CENTER);
    TextLine(dc, FormatPage(info.page, info.count), area.left, area.right - kRightInset, area.top,
             DT_RIGHT);
    dc.SelectFont(old);

    const int ruleY = area.top + 3 * textHeight;
    Rule(dc, CPoint(area.left, ruleY), CPoint(area.right, ruleY), 2);
}
