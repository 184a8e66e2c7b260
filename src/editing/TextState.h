#pragma once

#include <string>

#include "platform/ColorRef.h"
#include "platform/LogFont.h"
#include "platform/Rect.h"

class CDrawText;

// Everything the text properties change on a text object: text, font, format,
// background mode (2 opaque, 1 transparent), both colours and the rectangle
// they gave it.
struct CTextState {
    std::string text;
    LOGFONT font{};
    unsigned format = 0;
    bool opaque = false;
    COLORREF textColor = 0;
    COLORREF backColor = 0;
    CRect rect;

    bool operator==(const CTextState&) const = default;

    static CTextState Of(const CDrawText& label);
    // Applies the attributes and the text, which sizes the rectangle to it.
    void ApplyTo(CDrawText& label) const;
    // As ApplyTo, then the rectangle exactly as it was noted.
    void RestoreTo(CDrawText& label) const;
};
