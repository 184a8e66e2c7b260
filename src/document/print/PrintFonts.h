#pragma once

#include <string>

#include "platform/LogFont.h"

class CDC;

// The fonts of printed pages. "Arial" is asked for by name; fontconfig gives
// its metric-compatible substitute (Liberation Sans), so line heights and page
// breaks come out the same on every machine.
class CPrintFonts {
public:
    static constexpr const char* kFaceName = "Arial";
    static constexpr int kTextHeight = 11;
    static constexpr int kTitleHeight = 14;

    // A font of the face at a cell height in logical units.
    static LOGFONT Make(int height, bool bold);
    static LOGFONT Text() { return Make(kTextHeight, false); }
    static LOGFONT BoldText() { return Make(kTextHeight, true); }
    static LOGFONT Title() { return Make(kTitleHeight, true); }

    // Text height + external leading + 1 of the text font on the context.
    static int LineHeight(CDC& dc);
    // Height of a text in a font on the context.
    static int TextHeight(CDC& dc, const LOGFONT& font, const std::string& text);
    // The family the face name resolves to on this machine.
    static std::string ResolvedFamily();
};
