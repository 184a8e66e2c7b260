#include "editing/ObjectStyle.h"

#include "diagram/DrawText.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "editing/LoopEditor.h"

CDrawText* CObjectStyle::FirstLabel(const CDrawingObject& object) {
    if (const auto* node = dynamic_cast<const CGraphNode*>(&object)) {
        return node->GetNameLabel();
    }
    if (const auto* link = dynamic_cast<const CGraphLink*>(&object)) {
        return link->GetOutLabel();
    }
    return nullptr;
}

CDrawText* CObjectStyle::SecondLabel(const CDrawingObject& object) {
    if (const auto* node = dynamic_cast<const CGraphNode*>(&object)) {
        return node->GetNumberLabel();
    }
    if (const auto* link = dynamic_cast<const CGraphLink*>(&object)) {
        return link->GetInLabel();
    }
    return nullptr;
}

CObjectStyle CObjectStyle::Of(const CDrawingObject& object, unsigned parts) {
    CObjectStyle style;
    style.m_parts = parts;
    style.m_pen = object.GetLogPen();
    style.m_brush = object.GetLogBrush();
    style.m_bFill = object.HasFill();
    if ((parts & TEXT) != 0) {
        if (const auto* text = dynamic_cast<const CDrawText*>(&object)) {
            style.m_text = CTextState::Of(*text);
        }
    }
    if ((parts & LABELS) != 0) {
        if (const CDrawText* label = FirstLabel(object)) {
            style.m_firstLabel = CTextState::Of(*label);
        }
        if (const CDrawText* label = SecondLabel(object)) {
            style.m_secondLabel = CTextState::Of(*label);
        }
    }
    return style;
}

void CObjectStyle::ApplyTo(CDrawingObject& object, CLoopEditor* view) const {
    if (view != nullptr) {
        view->InvalidateObject(&object);
    }
    if ((m_parts & PEN) != 0) {
        object.SetLogPen(m_pen);
    }
    if ((m_parts & BRUSH) != 0) {
        object.SetLogBrush(m_brush);
        object.SetBrush(m_bFill);
    }
    if (m_text) {
        if (auto* text = dynamic_cast<CDrawText*>(&object)) {
            m_text->RestoreTo(*text);
        }
    }
    if (m_firstLabel) {
        if (CDrawText* label = FirstLabel(object)) {
            m_firstLabel->RestoreTo(*label);
        }
    }
    if (m_secondLabel) {
        if (CDrawText* label = SecondLabel(object)) {
            m_secondLabel->RestoreTo(*label);
        }
    }
    if (view != nullptr) {
        view->InvalidateObject(&object);
    }
}
