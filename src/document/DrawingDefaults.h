#pragma once

#include "platform/ColorRef.h"
#include "platform/LogBrush.h"
#include "platform/LogFont.h"
#include "platform/LogPen.h"
#include "platform/Point.h"

// The attributes a document gives to drawing objects created on its loops: the
// outline pen, the fill brush and, for texts, the font, colours and background
// mode. They live with the open document only and are not written to the file;
// every document starts with the attributes of a new drawing object.
struct CDrawingDefaults {
    // Background modes of text, as the device context takes them.
    static constexpr int kBkTransparent = 1;
    static constexpr int kBkOpaque = 2;

    static LOGFONT DefaultFont() {
        LOGFONT font;
        font.lfHeight = -14;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = ANSI_CHARSET;
        font.lfQuality = 2;
        font.lfPitchAndFamily = 2;
        SetFaceName(font, "Arial");
        return font;
    }

    LOGPEN m_logpen{PS_INSIDEFRAME, CPoint(0, 0), RGB(0, 0, 0)};
    LOGBRUSH m_logbrush{BS_SOLID, RGB(194, 193, 193), 0};
    LOGFONT m_logfont = DefaultFont();
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(255, 255, 255);
    int m_nBkMode = kBkTransparent;

    bool operator==(const CDrawingDefaults&) const = default;
};
