#pragma once

#include "editing/SelectTool.h"

class CGraphLink;

// The view's select tool ("&Select"): graph nodes and links are handled here,
// everything else by the select tool. A link's route takes a vertex where it
// is clicked and loses one on a right click; a dragged port label records
// nothing. Graph objects are deleted one at a time, each with what it stands
// for in the configuration.
class CGraphSelectTool : public CSelectTool {
public:
    CGraphSelectTool();
    ~CGraphSelectTool() override;

    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnRButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void DeleteSelection(CLoopEditor& view) override;

private:
    static CGraphLink* SingleLink(CLoopEditor& view);
    bool DeleteSingleGraphObject(CLoopEditor& view);
    void FinishGraphMove(CLoopEditor& view);
};
