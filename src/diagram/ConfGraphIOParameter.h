#pragma once

#include <memory>
#include <string>

#include "diagram/DrawText.h"

// A value label: while the document monitors the controller it takes the place
// of a link's port label and shows "port=value". It keeps a copy of the port
// label it replaced and the link's show flag for that end, so that both can be
// given back when monitoring ends. It is stored exactly as a text, although a
// link is never stored while it shows values.
class CConfGraphIOParameter : public CDrawText {
    DECLARE_SERIAL(CConfGraphIOParameter)

public:
    static constexpr COLORREF kIdleColor = RGB(0, 0, 255);
    static constexpr COLORREF kValueColor = RGB(0, 100, 10);
    static constexpr COLORREF kNoValueColor = RGB(255, 0, 0);

    // An empty label without a port label copy (dynamic creation and loading).
    CConfGraphIOParameter();
    // Keeps a copy of the port label and takes its text, font, background
    // colour, format and rectangle (and its loop and document); the text is blue
    // until the first value arrives.
    CConfGraphIOParameter(const CDrawText& portLabel, int savedShow);
    ~CConfGraphIOParameter() override;

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    void EnterOnlineMode(CDrawingView* view) override;
    void LeaveOnlineMode(CDrawingView* view) override;
    // Shows the port label's text, "=" and the value, dark green, or red when the
    // value is empty; repaints the old and the new extent and fits the rectangle
    // to the new text. Without a port label copy the text starts at "=".
    void SetOnlineValue(CDrawingView* view, const std::string& value) override;

    // The copy of the replaced port label; null when there is none.
    const CDrawText* GetPortLabel() const { return m_pPortLabel.get(); }
    // Hands the port label copy to the caller; the value label keeps none.
    std::unique_ptr<CDrawText> TakePortLabel();
    int GetSavedShow() const { return m_bSavedShow; }

protected:
    CConfGraphIOParameter(const CConfGraphIOParameter& other);

    std::unique_ptr<CDrawText> m_pPortLabel;
    int m_bSavedShow = 0;
};
