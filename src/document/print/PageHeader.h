#pragma once

#include <ctime>
#include <string>

#include "platform/Rect.h"

class CDC;

// The header of a printed page, across the top of the printable area: the
// product and the time of printing on the left, the configuration's title and
// the page's subtitle in the centre, the page number on the right, and a rule.
class CPageHeader {
public:
    static constexpr const char* kProduct = "TORV - Varex";

    struct PageInfo {
        CRect printable;
        unsigned page = 1;
        unsigned count = 1;
    };

    static void PrintPageHeader(CDC& dc, const PageInfo& info, const std::string& title,
                                const std::string& subtitle, std::time_t printed);
    // "%d/%m/%Y - %H:%M:%S" in local time.
    static std::string FormatTime(std::time_t time);
    // "Page: %03u of %03u".
    static std::string FormatPage(unsigned page, unsigned count);
    // A rule from one point to another with a pen of a width.
    static void Rule(CDC& dc, CPoint from, CPoint to, int width);
};
