#include "editing/TextState.h"

#include "diagram/DrawText.h"

CTextState CTextState::Of(const CDrawText& label) {
    CTextState state;
    state.text = label.GetText();
    state.font = label.GetLogFont();
    state.format = label.GetFormat();
    state.opaque = label.GetBkMode() == 2;
    state.textColor = label.GetTextColor();
    state.backColor = label.GetBackColor();
    state.rect = label.GetRect();
    return state;
}

void CTextState::ApplyTo(CDrawText& label) const {
    label.SetLogFont(font);
    label.SetFormat(format);
    label.SetBkMode(opaque ? 2 : 1);
    label.SetTextColor(textColor);
    label.SetBackColor(backColor);
    label.SetText(text, true);
}

void CTextState::RestoreTo(CDrawText& label) const {
    ApplyTo(label);
    label.SetRect(rect);
}
