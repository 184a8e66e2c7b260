#include "document/print/PrintFonts.h"

#include <QFontInfo>

#include "platform/gui/DC.h"
#include "platform/gui/GdiConvert.h"

LOGFONT CPrintFonts::Make(int height, bool bold) {
    LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    SetFaceName(font, kFaceName);
    return font;
}

int CPrintFonts::LineHeight(CDC& dc) {
    const LOGFONT old = dc.SelectFont(Text());
    const int height = dc.GetTextHeight() + dc.GetExternalLeading() + 1;
    dc.SelectFont(old);
    return height;
}

int CPrintFonts::TextHeight(CDC& dc, const LOGFONT& font, const std::string& text) {
    const LOGFONT old = dc.SelectFont(font);
    const int height = dc.GetTextExtent(text).cy;
    dc.SelectFont(old);
    return height;
}

std::string CPrintFonts::ResolvedFamily() {
    return QFontInfo(gdi::ToQFont(Text())).family().toStdString();
}
