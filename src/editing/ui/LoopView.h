#pragma once

#include <functional>
#include <vector>

#include "diagram/DrawingView.h"
#include "editing/ui/ZoomView.h"
#include "platform/View.h"

class CConfDoc;
class CDrawingObject;

// The drawing of the document's current loop: the page, its grid and the loop's
// objects, zoomed and scrolled. It follows the document's update hints and
// reports the mouse position in logical units.
class CLoopView : public CZoomView, public CView, public CDrawingView {
public:
    // Update hints the view reacts to.
    enum Hint : long {
        HINT_REPAINT = 0,
        HINT_OBJECT = 1,
        HINT_OBJECTS = 2,
        HINT_NAMES = 6,
        HINT_LOOP_SELECTED = 7,
        HINT_PAGE_SIZE = 8,
        HINT_LEAVE_ONLINE = 9,
    };
    using PositionCallback = std::function<void(CPoint)>;
    using ClearPositionCallback = std::function<void()>;
    using UpdateListener = std::function<void(long hint)>;

    explicit CLoopView(CConfDoc& document, QWidget* parent = nullptr);
    ~CLoopView() override;
    CLoopView(const CLoopView&) = delete;
    CLoopView& operator=(const CLoopView&) = delete;

    // The nearest multiple of step; a remainder of exactly half a step rounds down.
    static int SnapToGrid(int value, int step);

    // CView
    void OnUpdate(CView* sender, long hint, CObject* hintObject) override;

    // CDrawingView
    void InvalidateObject(CDrawingObject* object) override;
    void PrepareDC(CDC& dc) override;
    double GetZoomFactor() const override { return GetZoom(); }
    void SnapPoint(CPoint& point) override;
    void DeleteObject(CDrawingObject* object) override;
    void SelectObject(CDrawingObject* object, bool add) override;
    CConfDoc* GetDocument() const override { return &m_document; }
    bool IsMonitoring() const override { return m_bMonitoring; }

    int GetLoopNumber() const { return m_nLoop; }
    const std::vector<CDrawingObject*>& GetSelection() const { return m_selection; }
    void DeselectAll();
    // The bounding rectangle of the loop's objects (empty without objects).
    CRect GetLoopExtent() const;
    // "To Objects": a full-page zoom, then the loop's objects brought into view.
    void ZoomToLoopObjects();
    // The last snapped point (logical units).
    CPoint GetLastPoint() const { return m_lastPoint; }

    // The main frame shows the mouse position in its status bar.
    void SetPositionCallback(PositionCallback callback) { m_onPosition = std::move(callback); }
    void SetClearPositionCallback(ClearPositionCallback callback) {
        m_onClearPosition = std::move(callback);
    }
    // Told of every document update after the view has handled it.
    void SetUpdateListener(UpdateListener listener) { m_onUpdate = std::move(listener); }

protected:
    void OnDraw(CDC& dc, const CRect& clip) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ClearPosition();
    bool IsInDocument(const CDrawingObject* object) const;

    CConfDoc& m_document;
    int m_nLoop = 1;
    bool m_bMonitoring = false;
    std::vector<CDrawingObject*> m_selection;
    CPoint m_lastPoint;
    PositionCallback m_onPosition;
    ClearPositionCallback m_onClearPosition;
    UpdateListener m_onUpdate;
};
