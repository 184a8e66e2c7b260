#pragma once

#include <optional>

#include "editing/TextState.h"
#include "platform/LogBrush.h"
#include "platform/LogPen.h"

class CDrawingObject;
class CDrawText;
class CLoopEditor;

// The look of an object that the property actions swap: the pen, the brush
// with the fill flag, and the text state of the object itself (a text) or of
// its two labels (a node's name and number, a link's port labels).
class CObjectStyle {
public:
    enum Part : unsigned { PEN = 1, BRUSH = 2, TEXT = 4, LABELS = 8 };

    static CObjectStyle Of(const CDrawingObject& object, unsigned parts);
    // Applies the noted parts, repainting the object before and after.
    void ApplyTo(CDrawingObject& object, CLoopEditor* view) const;

private:
    static CDrawText* FirstLabel(const CDrawingObject& object);
    static CDrawText* SecondLabel(const CDrawingObject& object);

    unsigned m_parts = 0;
    LOGPEN m_pen{};
    LOGBRUSH m_brush{};
    bool m_bFill = false;
    std::optional<CTextState> m_text;
    std::optional<CTextState> m_firstLabel;
    std::optional<CTextState> m_secondLabel;
};
