#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editing/LoopEditor.h"
#include "editing/ui/PortSelCtrl.h"
#include "editing/ui/ZoomView.h"

class CConfDoc;
class CDrawingObject;
class CLoopViewOnline;
class QAction;
class QMenu;
class QPainter;

// The drawing of the document's current loop: the page, its grid and the loop's
// objects, zoomed and scrolled, edited with the mouse and the keyboard through
// the editor's tools. It follows the document's update hints and reports the
// mouse position in logical units.
class CLoopView : public CZoomView, public CLoopEditor {
    Q_OBJECT

public:
    using PositionCallback = std::function<void(CPoint)>;
    using ClearPositionCallback = std::function<void()>;
    using UpdateListener = std::function<void(long hint)>;
    using Notification = std::function<void()>;
    // Opens a parameter dialog for the node's block (the parameter dialogs).
    using BlockParametersHandler = std::function<void(CGraphNode* node)>;

    explicit CLoopView(CConfDoc& document, QWidget* parent = nullptr);
    ~CLoopView() override;
    CLoopView(const CLoopView&) = delete;
    CLoopView& operator=(const CLoopView&) = delete;

    // CView
    void OnUpdate(CView* sender, long hint, CObject* hintObject) override;

    // CDrawingView
    void PrepareDC(CDC& dc) override;
    double GetZoomFactor() const override { return GetZoom(); }
    bool EditObjectProperties(CDrawingObject* object) override;
    void ShowObjectMenu(CDrawingObject* object) override;

    // CLoopEditor: the window's part.
    CPoint LPtoDP(CPoint point) const override { return CZoomView::LPtoDP(point); }
    CPoint DPtoLP(CPoint point) const override { return CZoomView::DPtoLP(point); }
    CRect LPtoDP(const CRect& rect) const { return CZoomView::LPtoDP(rect); }
    CRect DPtoLP(const CRect& rect) const { return CZoomView::DPtoLP(rect); }
    void RepaintDevice(const CRect& rect) override;
    void RepaintAll() override;
    void SetToolCursor(int cursor) override;
    void AutoScroll(CPoint devicePoint) override;
    void DrawFocusRect(const CRect& rect) override;
    void ShowPosition(CPoint point) override;
    void EditBlockParameters(CGraphNode* node) override;
    void OpenPortSelection(CGraphNode& node, const std::vector<std::string>& ports, bool inputs,
                           CPoint devicePoint) override;
    void ShowLinkMenu(CPoint devicePoint, bool sendEnabled, bool communicationEnabled) override;

    // The port popup of the link being drawn; null when none is open.
    CPortSelCtrl* GetPortPopup() const { return m_pPortPopup; }
    // A release of the left button waits this long while the link tool is
    // current: when a double click follows, the release is dropped.
    static constexpr int kLinkReleaseDelayMs = 300;

    // "To Objects": a full-page zoom, then the loop's objects brought into view.
    void ZoomToLoopObjects();
    // The rubber band being drawn, in device units; empty when none is shown.
    std::optional<CRect> GetRubberBand() const { return m_rubberBand; }
    // The popup menu an object's context menu opened last (for tests and
    // screenshots); null before the first.
    QMenu* GetLastMenu() const { return m_pLastMenu; }
    // Menus are shown without waiting when set (tests and screenshots).
    void SetMenusNonModal(bool nonModal) { m_bMenusNonModal = nonModal; }

    // The main frame shows the mouse position in its status bar.
    void SetPositionCallback(PositionCallback callback) { m_onPosition = std::move(callback); }
    void SetClearPositionCallback(ClearPositionCallback callback) {
        m_onClearPosition = std::move(callback);
    }
    // Told of every document update after the view has handled it.
    void SetUpdateListener(UpdateListener listener) { m_onUpdate = std::move(listener); }
    // Told when the selection or the undo lists change (commands follow them).
    void SetChangeListener(Notification listener) { m_onChange = std::move(listener); }
    void SetBlockParametersHandler(BlockParametersHandler handler) {
        m_onBlockParameters = std::move(handler);
    }
    // Runs a context menu command by its id (the menus' entries).
    bool RunMenuCommand(int command, CDrawingObject* object);
    // The view's online side (its worker, the monitoring display), made on first use.
    CLoopViewOnline& Online();
    bool IsOnline() const;

protected:
    void OnDraw(CDC& dc, const CRect& clip) override;
    void OnSelectionChanged() override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool AskForText(CTextState& state) override;
    std::unique_ptr<CBlock> ChooseNewBlock() override;
    // A block row dragged from the block list places the block's picture.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ClearPosition();
    QAction* PopUp(QMenu* menu, const QPoint& globalPoint);
    void DeliverHeldRelease();
    void DrawLinkFeedback(QPainter& painter) const;
    void Changed();

    std::optional<CRect> m_rubberBand;
    PositionCallback m_onPosition;
    ClearPositionCallback m_onClearPosition;
    UpdateListener m_onUpdate;
    Notification m_onChange;
    BlockParametersHandler m_onBlockParameters;
    QMenu* m_pLastMenu = nullptr;
    bool m_bMenusNonModal = false;
    QPointer<CPortSelCtrl> m_pPortPopup;
    QTimer m_releaseTimer;
    std::optional<std::pair<unsigned, CPoint>> m_heldRelease;
    // Last, so that it goes first: the worker ends while the view is whole.
    std::unique_ptr<CLoopViewOnline> m_pOnline;
};
