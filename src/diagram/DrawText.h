#pragma once

#include <memory>
#include <string>

#include "diagram/DrawingObject.h"

// A text drawn in its rectangle with DrawText format flags, a font, a text
// colour and, in the opaque background mode, a background colour.
class CDrawText : public CDrawingObject {
    DECLARE_SERIAL(CDrawText)

public:
    // The in-place editor a view opens over the text; the text owns it while it
    // is open and destroys it with itself.
    class CInPlaceEdit {
    public:
        virtual ~CInPlaceEdit() = default;
    };

    CDrawText();
    CDrawText(const CRect& rect, const std::string& text);
    ~CDrawText() override;

    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    // Stores the font with a height that is never positive, then fits the
    // rectangle to the text.
    void SetLogFont(const LOGFONT& font) override;
    LOGFONT GetLogFont() const override;
    void SetTextFormat(unsigned format) override;
    void SetTextColors(COLORREF text, COLORREF back) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    const std::string& GetText() const { return m_text; }
    void SetText(const std::string& text, bool bResize);
    // Height = -size.
    void SetFontSize(int size, bool bResize);
    // Clamped to 0..1000.
    void SetFontWeight(int weight);
    unsigned GetFormat() const { return m_nFormat; }
    void SetFormat(unsigned format) { m_nFormat = format; }
    COLORREF GetTextColor() const { return m_crText; }
    void SetTextColor(COLORREF color) { m_crText = color; }
    COLORREF GetBackColor() const { return m_crBack; }
    void SetBackColor(COLORREF color) { m_crBack = color; }
    // The rectangle the text needs with its font and format, measured from the
    // current top-left corner; with DT_RIGHT it keeps the current right edge.
    CRect CalcTextRect() const;

    CInPlaceEdit* GetEdit() const { return m_pEdit.get(); }
    void SetEdit(std::unique_ptr<CInPlaceEdit> edit) { m_pEdit = std::move(edit); }

protected:
    CDrawText(const CDrawText& other);

    std::string m_text;
    std::unique_ptr<CInPlaceEdit> m_pEdit;
    LOGFONT m_logfont;
    unsigned m_nFormat = 0;
    COLORREF m_crBack = RGB(255, 255, 255);
    COLORREF m_crText = RGB(0, 0, 0);
};
