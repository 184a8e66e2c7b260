#pragma once

#include <vector>

#include "editing/LoopAction.h"
#include "platform/ColorRef.h"

// The line or fill colour of the selection. A text's own two colours stand in
// for them: the text colour for the line, the background for the fill. The
// colour is applied when the action is made.
class CColorAction : public CLoopAction {
public:
    CColorAction(CLoopEditor* view, int descriptionId, bool lineColor, COLORREF color);
    ~CColorAction() override;

    void Do() override;

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    struct Entry {
        CDrawingObject* object;
        COLORREF color;
    };
    COLORREF ColorOf(const CDrawingObject& object) const;
    void SetColor(CDrawingObject& object, COLORREF color) const;
    void Swap();

    bool m_bLine;
    std::vector<Entry> m_entries;
};
