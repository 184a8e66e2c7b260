#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "diagram/RectHandles.h"
#include "diagram/Transformation.h"
#include "document/DrawingItem.h"
#include "platform/LogBrush.h"
#include "platform/LogFont.h"
#include "platform/LogPen.h"
#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"

class CArchive;
class CConfDoc;
class CDC;
class CDrawingView;

// Base of everything on a loop drawing: a rectangle in logical units, a pen, a
// brush, a list of world transformations applied when drawing, selection
// handles, hit testing and storage. The rectangle is kept exactly as set and may
// be inverted; the tests that need a proper rectangle normalise a copy.
class CDrawingObject : public CDrawingItem {
    DECLARE_SERIAL(CDrawingObject)

public:
    // View update hint: the object (passed along) must be repainted.
    static constexpr long HINT_UPDATE_OBJECT = 1;

    // Strings and menu entries of the property sheet and the context menu.
    static constexpr int IDS_GRAPHIC_PROPERTIES = 28824;
    static constexpr int IDS_EDIT_LINE_PROPERTIES = 28907;
    static constexpr int IDS_EDIT_FILLED_SHAPE_PROPERTIES = 28908;
    static constexpr int IDS_EDIT_TEXT_PROPERTIES = 28909;
    static constexpr int IDR_OBJECT_MENU = 155;
    static constexpr int ID_EDIT_DELETE = 32776;
    static constexpr int ID_EDIT_DUPLICATE = 32853;
    static constexpr int ID_OBJECT_PROPERTIES = 32786;

    // Pen styles 0..6 and hatch styles 0..5 by the names the property pages show.
    static const std::array<const char*, 7>& GetPenStyleNames();
    static const std::array<const char*, 6>& GetHatchStyleNames();

    CDrawingObject();
    explicit CDrawingObject(const CRect& rect);
    ~CDrawingObject() override;
    CDrawingObject& operator=(const CDrawingObject&) = delete;

    void Serialize(CArchive& ar) override;

    // CDrawingItem
    CRect GetRect() const override { return m_rect; }
    bool IsSelected() const override { return m_bSelected; }
    ListKind GetListKind() const override { return LIST_OBJECTS; }

    // Virtual operations, overridden by the shapes, groups and graph classes.
    virtual void Draw(CDC& dc) const;
    // Inverts a 7 x 7 square at each handle.
    virtual void DrawTracker(CDC& dc) const;
    // The property sheet is window code; the windows layer shows it. Answers
    // whether anything changed.
    virtual bool EditProperties(CDrawingView* view);
    // Stores the rectangle normalised.
    virtual void SetRect(const CRect& rect);
    // (GetRect above.)
    // The normalised rectangle widened by the pen and a margin for the handles.
    virtual CRect GetInvalidRect() const;
    virtual void SetLineWidth(int width);
    virtual void SetLineColor(COLORREF color);
    virtual void SetFillColor(COLORREF color);
    virtual void SetFillStyle(uint32_t style);
    virtual int GetLineWidth() const;
    virtual COLORREF GetLineColor() const;
    virtual COLORREF GetFillColor() const;
    virtual uint32_t GetFillStyle() const;
    virtual bool HasLine() const;
    virtual bool HasFill() const;
    virtual void SetLogPen(const LOGPEN& pen);
    // Also turns the fill on unless the style is BS_NULL.
    virtual void SetLogBrush(const LOGBRUSH& brush);
    virtual LOGPEN GetLogPen() const;
    virtual LOGBRUSH GetLogBrush() const;
    virtual void SetLogFont(const LOGFONT& font);
    virtual LOGFONT GetLogFont() const;
    virtual void SetTextFormat(unsigned format);
    virtual void SetTextColors(COLORREF text, COLORREF back);
    virtual bool IntersectsRect(const CRect& rect) const;
    virtual bool HitTest(CPoint point, CDrawingView* view) const;
    virtual CPoint GetCenter() const;
    // Where the segment from the centre towards the point crosses the drawn
    // outline; (0, 0) when it does not.
    virtual CPoint GetOutlinePoint(CPoint toward, CDrawingView* view) const;
    // The crossing of the segments a1-a2 and b1-b2, rounded half away from zero;
    // for collinear overlapping segments the end of the overlap farther from a1.
    virtual bool IntersectSegments(CPoint a1, CPoint a2, CPoint b1, CPoint b2,
                                   CPoint* result) const;
    virtual bool HitTestSegment(CPoint point, int x1, int y1, int x2, int y2) const;
    virtual bool HitTestOutline(CPoint point, CDrawingView* view) const;
    virtual bool SegmentIntersectsRect(const CRect& rect, int x1, int y1, int x2, int y2) const;
    virtual bool RegionIntersectsRect(const CRect& rect) const;
    virtual bool IsInsideRect(const CRect& rect) const;
    virtual bool OverlapsRect(const CRect& rect) const;
    // (IsSelected above.)
    virtual void Select(bool select);
    virtual void MoveTopLeftTo(CPoint point, CDrawingView* view);
    virtual void MoveTo(const CRect& rect, CDrawingView* view);
    virtual void Offset(CSize delta, CDrawingView* view);
    virtual void MoveHandleTo(int handle, int x, int y, CDrawingView* view);
    virtual int GetHandleCount() const;
    // The first handle (from 1) whose rectangle holds the point, else 0.
    virtual int HitTestHandle(CPoint point, CDrawingView* view) const;
    virtual CRect GetHandleRect(int handle, CDrawingView* view) const;
    virtual CPoint GetHandle(int handle) const;
    virtual int GetHandleCursor(int handle) const;
    virtual int HitTestVertex(CPoint point, CDrawingView* view);
    // Deletes the object; only for an object that no list or group owns.
    virtual void Remove();
    virtual std::unique_ptr<CDrawingObject> Clone() const;
    // Appends a copy; null is ignored.
    virtual void AddTransformation(const XFORM* xform);
    virtual void ClearTransformations();
    // Combines the transformations into the context's world transform; false
    // when there are none.
    virtual bool ApplyTransformations(CDC& dc) const;
    // acc becomes acc followed by t's linear part about the pivot top-left + t's
    // translation.
    virtual void ComposeTransformation(CTransformation& acc, const CTransformation& t) const;
    virtual void SetRotation(double sine, double cosine, const CPoint* pivot);
    virtual void SetRotationAngle(double degrees);
    // A null pivot is (0, 0), the top-left corner.
    virtual void AddRotation(double sine, double cosine, const CPoint* pivot);
    virtual void AddRotationAngle(double degrees, const CPoint* pivot);
    // The "Object" popup is window code; the windows layer shows it.
    virtual void ShowContextMenu(CDrawingView* view);
    virtual void EnterOnlineMode(CDrawingView* view);
    virtual void LeaveOnlineMode(CDrawingView* view);
    virtual void SetOnlineValue(CDrawingView* view, const std::string& value);

    // Non-virtual accessors.
    int GetLoop() const { return m_nLoop; }
    // Composite objects put their parts on the same loop.
    virtual void SetLoop(int loop) { m_nLoop = loop; }
    int GetSchema() const { return m_nSchema; }
    bool GetOnline() const { return m_bOnline; }
    void SetOnline(bool online) { m_bOnline = online; }
    int GetBkMode() const { return m_nBkMode; }
    // Returns the previous mode.
    int SetBkMode(int mode);
    void SetPen(bool on) { m_bPen = on; }
    void SetBrush(bool on) { m_bBrush = on; }
    const std::vector<CTransformation>& GetTransformations() const { return m_transformations; }

    // The tolerance of hit tests for the object's pen: half the pen width plus
    // one when that half is above 1, else 2.
    int GetPenTolerance() const;

protected:
    // Copies the stored data and a deep copy of the transformations; selection
    // and online state start cleared.
    CDrawingObject(const CDrawingObject& other);

    // Takes the schema of the object being read the first time it is known.
    void UpdateSchema(const CArchive& ar);
    // The schema of the stored data: when loading, the schema read (the class
    // schema for an object read outside an object record); when storing, the
    // schema the archive writes for the class.
    int GetStoredSchema(const CArchive& ar) const;

    // Repaints through the view or, with none, tells the document's views.
    void Invalidate(CDrawingView* view);
    // Marks the view's document, or the object's, modified.
    void MarkModified(CDrawingView* view);
    // Selects the object's pen (or the null pen when pen is false) and its brush
    // (or the null brush).
    void SelectPenAndBrush(CDC& dc, bool pen, bool brush) const;
    // Resets the world transform after drawing with transformations.
    static void ResetTransform(CDC& dc);

    // The drawn outline, flattened, with the transformations applied, in the
    // logical units of the view (or of an unmapped context without a view).
    std::vector<std::vector<CPoint>> GetFlattenedOutline(CDrawingView* view) const;
    // The four corners of the band of half width (pen width + 5) / 2 around a
    // segment; false for a segment of no length.
    bool MakeSegmentBand(int x1, int y1, int x2, int y2, std::array<CPoint, 4>& band) const;
    // The handle rectangle in the units of a context prepared like the view's.
    CRect HandleRectOn(int handle, const CDC& dc, int zoom) const;
    static int ZoomOf(const CDrawingView* view);

    int m_nLoop = 0;
    std::vector<CTransformation> m_transformations;
    int m_nSchema = -1;
    int m_nBkMode = 1;
    CRect m_rect;
    bool m_bSelected = false;
    bool m_bPen = true;
    bool m_bBrush = true;
    bool m_bOnline = false;
    LOGPEN m_logpen;
    LOGBRUSH m_logbrush;
};
