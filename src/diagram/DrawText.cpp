#include "diagram/DrawText.h"

#include <algorithm>

#include "platform/Archive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawText, CDrawingObject, 2)

namespace {

LOGFONT DefaultTextFont() {
    LOGFONT font;
    font.lfHeight = -14;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = 0;
    font.lfQuality = 2;
    font.lfPitchAndFamily = 2;
    SetFaceName(font, "Arial");
    return font;
}

}  // namespace

CDrawText::CDrawText() : m_logfont(DefaultTextFont()) {
    m_nBkMode = TRANSPARENT;
}

CDrawText::CDrawText(const CRect& rect, const std::string& text)
    : CDrawingObject(rect), m_text(text), m_logfont(DefaultTextFont()) {
    m_nBkMode = TRANSPARENT;
}

CDrawText::CDrawText(const CDrawText& other)
    : CDrawingObject(other),
      m_text(other.m_text),
      m_logfont(other.m_logfont),
      m_nFormat(other.m_nFormat),
      m_crBack(other.m_crBack),
      m_crText(other.m_crText) {}

CDrawText::~CDrawText() = default;

void CDrawText::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(m_text);
        ar.WriteUInt32(m_nFormat);
        WriteLogFont(ar, m_logfont);
        ar.WriteUInt32(m_crBack);
        ar.WriteUInt32(m_crText);
        return;
    }
    m_text = ar.ReadString();
    m_nFormat = ar.ReadUInt32();
    m_logfont = ReadLogFont(ar);
    m_crBack = ar.ReadUInt32();
    m_crText = ar.ReadUInt32();
    m_pEdit.reset();
}

void CDrawText::Draw(CDC& dc) const {
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    dc.SelectFont(m_logfont);
    SelectPenAndBrush(dc, m_bPen, m_bBrush);
    dc.SetBkMode(m_nBkMode);
    dc.SetBkColor(m_crBack);
    dc.SetTextColor(m_crText);
    CRect rect = m_rect;
    dc.DrawText(m_text, &rect, m_nFormat);
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

CRect CDrawText::CalcTextRect() const {
    CDC dc;
    dc.SelectFont(m_logfont);
    CRect rect = m_rect;
    dc.DrawText(m_text, &rect, m_nFormat | DT_CALCRECT);
    if ((m_nFormat & DT_RIGHT) != 0) {
        rect.OffsetRect(geometry::WrapSub(m_rect.right, rect.right), 0);
    }
    return rect;
}

void CDrawText::SetLogFont(const LOGFONT& font) {
    m_logfont = font;
    if (m_logfont.lfHeight > 0) {
        m_logfont.lfHeight = -m_logfont.lfHeight;
    }
    SetRect(CalcTextRect());
}

LOGFONT CDrawText::GetLogFont() const {
    return m_logfont;
}

void CDrawText::SetTextFormat(unsigned format) {
    m_nFormat = format;
}

void CDrawText::SetTextColors(COLORREF text, COLORREF back) {
    m_crText = text;
    m_crBack = back;
}

std::unique_ptr<CDrawingObject> CDrawText::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawText(*this));
}

void CDrawText::SetText(const std::string& text, bool bResize) {
    m_text = text;
    if (bResize) {
        SetRect(CalcTextRect());
    }
}

void CDrawText::SetFontSize(int size, bool bResize) {
    m_logfont.lfHeight = geometry::WrapSub(0, size);
    if (bResize) {
        SetRect(CalcTextRect());
    }
}

void CDrawText::SetFontWeight(int weight) {
    m_logfont.lfWeight = std::clamp(weight, 0, 1000);
}
