#pragma once

#include <memory>

#include "diagram/DrawingGroup.h"

class CLoop;

// The block list picture: a table on the loop drawing with the loop's blocks in
// execution order (order from 1, name, number "%03d") under a title row and a
// row of column headings. The table is a group of frames and texts that
// BuildTable makes; the picture is placed empty and filled afterwards.
class CConfGraphBlockList : public CDrawingGroup {
    DECLARE_SERIAL(CConfGraphBlockList)

public:
    // Values of m_nState.
    static constexpr int STATE_NEW = 0;
    static constexpr int STATE_BUILT = 2;
    // Widths of the columns "Order", "Name" and "No." in logical units.
    static constexpr int kOrderWidth = 30;
    static constexpr int kNameWidth = 30;
    static constexpr int kNumberWidth = 20;
    static constexpr int kDefaultRowHeight = 10;

    CConfGraphBlockList();
    ~CConfGraphBlockList() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) const override;
    void DrawTracker(CDC& dc) const override;
    // The table keeps its size: dragging a handle changes nothing.
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCount() const override;
    int HitTestHandle(CPoint point, CDrawingView* view) const override;
    void ShowContextMenu(CDrawingView* view) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // Replaces the members with the table of the loop's blocks, laid out from the
    // picture's top-left corner (x, y): the title over (x, y, x + 80, y + h), the
    // headings "Order", "Name" and "No." over the next row, then one row of
    // height h (the row height) per block. Each cell is an unfilled frame with
    // its text; the texts are 1/1.25 of the row height high and the title is
    // bold. The picture's rectangle becomes the table's, the column rectangles
    // are the heading cells moved down by one unit, and the state becomes built.
    // The table is repainted before and after through the view (or the
    // document's views when there is none).
    void BuildTable(CDrawingView* view, const CLoop& loop);

    const CRect& GetOrderRect() const { return m_rcOrder; }
    const CRect& GetNameRect() const { return m_rcName; }
    const CRect& GetNumberRect() const { return m_rcNumber; }
    int GetRowHeight() const { return m_nRowHeight; }
    // Values below 1 are taken as 1.
    void SetRowHeight(int height);
    int GetState() const { return m_nState; }

protected:
    CConfGraphBlockList(const CConfGraphBlockList& other);

    CRect m_rcOrder;
    CRect m_rcName;
    CRect m_rcNumber;
    CRect m_rcSpare;  // scratch, never stored; kept empty
    int m_nRowHeight = kDefaultRowHeight;
    int m_nState = STATE_NEW;
};
