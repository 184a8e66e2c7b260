#pragma once

#include <QPushButton>
#include <functional>
#include <optional>

#include "platform/ColorRef.h"

// Asks for a colour starting from current; nothing when the user cancels.
using ColorChooser = std::function<std::optional<COLORREF>(COLORREF current)>;

// A push button that holds a colour, shows it as a swatch and asks for a new
// one when clicked. The chooser belongs to the dialog that owns the button,
// so a dialog can replace it (tests do) after the button exists; while it is
// empty the platform's colour dialog asks.
class CColorButton : public QPushButton {
public:
    CColorButton(COLORREF color, const ColorChooser& chooser, QWidget* parent);

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);

private:
    void Choose();

    COLORREF m_color = 0;
    const ColorChooser& m_chooser;
};
