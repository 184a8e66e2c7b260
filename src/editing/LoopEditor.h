#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "diagram/DrawingView.h"
#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"
#include "platform/View.h"

class CAction;
class CBlock;
class CConfDoc;
class CConfGraphNode;
class CDrawingItem;
class CDrawingObject;
class CDrawingTool;
struct CTextState;
class CGraphChange;
class CGraphNode;
class CLoopAction;
class CLinkTool;
class CLoopCommands;

// The editing side of a loop view, without the window: the selection, the
// objects the view adds and removes, the pending action of a gesture, the
// tools and the mouse and key input they get. The window (CLoopView) derives
// from it and supplies the mapping to device pixels, repainting, the mouse
// capture, cursors and the dialogs; the tests drive it headless.
class CLoopEditor : public CView, public CDrawingView {
public:
    // Update hints of the document's views.
    enum Hint : long {
        HINT_REPAINT = 0,
        HINT_OBJECT = 1,
        HINT_OBJECTS = 2,
        HINT_NAMES = 6,
        HINT_LOOP_SELECTED = 7,
        HINT_PAGE_SIZE = 8,
        HINT_LEAVE_ONLINE = 9,
    };
    // The program's cursors the tools ask for.
    enum Cursor : int {
        CURSOR_DRAW = 132,
        CURSOR_LINK = 181,
        CURSOR_BROKEN_LINK = 182,
        CURSOR_BLOCK = 183,
        CURSOR_SELECT = 216,
    };
    // Device pixels the mouse may wander before a press becomes a drag.
    static constexpr int kDragThreshold = 5;
    // Description of the move made by arrow keys that a click closes.
    static constexpr int kCloseOnClickDescription = 28900;

    explicit CLoopEditor(CConfDoc& document);
    ~CLoopEditor() override;
    CLoopEditor(const CLoopEditor&) = delete;
    CLoopEditor& operator=(const CLoopEditor&) = delete;

    // The nearest multiple of step; a remainder of exactly half a step rounds down.
    static int SnapToGrid(int value, int step);

    // CView: selection and pending action follow the document.
    void OnUpdate(CView* sender, long hint, CObject* hintObject) override;

    // CDrawingView
    void InvalidateObject(CDrawingObject* object) override;
    void PrepareDC(CDC& dc) override;
    double GetZoomFactor() const override { return 1.0; }
    void SnapPoint(CPoint& point) override;
    // Takes the object out of the document and the selection; it is deleted, or
    // kept by the graph change being recorded.
    void DeleteObject(CDrawingObject* object) override;
    void SelectObject(CDrawingObject* object, bool add) override { Select(object, add); }
    CConfDoc* GetDocument() const override { return &m_document; }
    bool IsMonitoring() const override { return m_bMonitoring; }
    bool RecordNodeResize(CGraphNode* node, int width, int height) override;
    bool DeleteBlock(int blockNumber) override;

    int GetLoopNumber() const { return m_nLoop; }
    void SetMonitoring(bool monitoring) { m_bMonitoring = monitoring; }

    // Selection. Only objects of the current loop can be selected.
    void Select(CDrawingObject* object, bool add);
    // Every object of the loop inside the rectangle (logical units).
    void SelectInRect(const CRect& rect, bool add);
    void Deselect(CDrawingObject* object);
    void DeselectAll(bool notify = true);
    const std::vector<CDrawingObject*>& GetSelection() const { return m_selection; }
    int GetSelectedCount() const { return static_cast<int>(m_selection.size()); }
    // Selected graph nodes, graph links and block list pictures.
    int GetGraphSelectedCount() const { return m_nGraphSelected; }
    CDrawingObject* GetFirstSelected() const;
    CDrawingObject* GetLastSelected() const;
    bool IsInSelection(const CDrawingObject* object) const;
    static bool IsGraphObject(const CDrawingObject* object);

    // Hit tests in logical units over the current loop, topmost first: any
    // object (graph objects before the drawing), a graph node or link, a
    // graph node, a selected object.
    CDrawingObject* ObjectAt(CPoint point);
    CDrawingObject* GraphObjectAt(CPoint point);
    CGraphNode* GraphNodeAt(CPoint point);
    CDrawingObject* SelectedObjectAt(CPoint point);

    // The document's objects. Adding appends to the object's list, repaints and
    // makes it the only selection; inserting puts it at a list position (the end
    // when the list is shorter) without selecting; taking removes it from the
    // document and the selection and hands it back with its list position.
    void AddObject(std::unique_ptr<CDrawingObject> object);
    void InsertObject(std::size_t position, std::unique_ptr<CDrawingObject> object);
    std::unique_ptr<CDrawingObject> TakeObject(CDrawingObject* object,
                                               std::size_t* position = nullptr);
    bool HasObject(const CDrawingObject* object) const;
    // The object's place in its list; -1 when the document does not hold it.
    int PositionOf(const CDrawingObject* object) const;
    // The objects of the current loop in drawing order (templates, drawing, graph).
    std::vector<CDrawingObject*> GetLoopObjects() const;
    // The bounding rectangle of the loop's objects (empty without objects).
    CRect GetLoopExtent() const;
    // The node of the block with the number on a loop's drawing; null when none.
    CConfGraphNode* FindBlockNode(int blockNumber, int loop) const;

    // Brings the links drawn into the block's node in line with its LINK values
    // after a parameter edit (newBlock is the block as it is now, oldBlock as it
    // was): a link whose source went away is removed, and for a new source in
    // the same loop a link is drawn, routed around the nodes.
    void BringLinksInLine(const CBlock& newBlock, const CBlock& oldBlock);

    // While a graph change is recorded, objects the view deletes go to it.
    void SetRecorder(CGraphChange* recorder) { m_pRecorder = recorder; }
    CGraphChange* GetRecorder() const { return m_pRecorder; }

    // The pending action of the current gesture: null when there is none or
    // its manager has deleted it. Setting another one deletes the previous one
    // unless a manager holds it.
    CLoopAction* GetPendingAction() const;
    void SetPendingAction(CLoopAction* action);
    // Closes the pending action when it is still open.
    void ClosePendingAction();
    // Takes the pending action back: done, closed, removed from the undo list.
    void CancelPendingAction();
    void ForgetPendingAction();

    // Undo and redo of the document's actions.
    bool Undo(int count);
    bool Redo(int count);
    bool CanUndo(int count = 1) const;
    bool CanRedo(int count = 1) const;
    // A change no action records (grouping, a label dragged, ports shown): the
    // document stays modified until it is saved, whatever is undone.
    void NoteChangeOutsideUndo();

    // The commands of the Edit and Draw menus on this view.
    CLoopCommands& Commands() { return *m_pCommands; }
    // Delete: the current tool's deletion of the selection.
    void DeleteCommand();

    // Tools. The editor makes its tools when it is created; the current tool is
    // null while editing is locked.
    CDrawingTool* GetCurrentTool() const { return m_pCurrentTool; }
    void SetCurrentTool(CDrawingTool* tool);
    CDrawingTool* FindTool(int toolNumber) const;
    CDrawingTool* GetSelectTool() const;
    CDrawingTool* GetBlockTool() const;
    CLinkTool* GetLinkTool() const;
    // The switches between the block tool and the link tool as the pointer
    // comes onto a node and leaves the nodes again (only from one to the other).
    void UseLinkTool();
    void UseBlockTool();
    // "&Select": the select tool, or the block tool when it is current already
    // (the select tool while there is no block tool).
    void ChooseSelectTool();
    // The drawing tools of the Draw menu and the drawing tool box.
    enum ToolKind : int {
        TOOL_LINE,
        TOOL_RECT,
        TOOL_ROUNDRECT,
        TOOL_ELLIPSE,
        TOOL_TEXT,
        TOOL_BLOCK,
        TOOL_POLYLINE,
        TOOL_POLYGON,
        TOOL_BLOCK_LIST,
        TOOL_COUNT
    };
    CDrawingTool* GetTool(ToolKind kind) const;
    // Makes the tool current (nothing while editing is locked).
    void ChooseTool(ToolKind kind);
    bool IsEditingLocked() const { return m_bLocked; }
    void SetEditingLocked(bool locked);

    // Input from the window, in device units, for the current tool.
    void LButtonDown(unsigned flags, CPoint point);
    void LButtonUp(unsigned flags, CPoint point);
    void MouseMove(unsigned flags, CPoint point);
    void LButtonDblClk(unsigned flags, CPoint point);
    void RButtonDown(unsigned flags, CPoint point);
    void RButtonUp(unsigned flags, CPoint point);
    // True when the tool used the key. Ctrl is passed with the key.
    bool KeyDown(int key, bool control);

    // The last snapped point (logical units).
    CPoint GetLastPoint() const { return m_lastPoint; }
    void SetLastPoint(CPoint point) { m_lastPoint = point; }

    // Block size for new block nodes; a zero side is ignored, signs dropped.
    CSize GetBlockSize() const { return m_blockSize; }
    void SetBlockSize(CSize size);

    // The window's part; the defaults serve an editor without a window, whose
    // logical units are its device units.
    virtual CPoint LPtoDP(CPoint point) const { return point; }
    virtual CPoint DPtoLP(CPoint point) const { return point; }
    CRect LPtoDP(const CRect& rect) const;
    CRect DPtoLP(const CRect& rect) const;
    virtual void RepaintDevice(const CRect& /*rect*/) {}
    virtual void RepaintAll() {}
    virtual void CaptureMouse() { m_bCaptured = true; }
    virtual void ReleaseMouse() { m_bCaptured = false; }
    virtual bool HasCapture() const { return m_bCaptured; }
    virtual void SetToolCursor(int /*cursor*/) {}
    // Asks the user for a new block of the current loop (the Function Block
    // dialog); null when cancelled.
    virtual std::unique_ptr<CBlock> ChooseNewBlock();
    // Asks the user for a new text (the text entry dialog); false when cancelled.
    virtual bool AskForText(CTextState& /*state*/) { return false; }
    virtual void AutoScroll(CPoint /*devicePoint*/) {}
    // Draws (or erases, drawing it again) the rubber band in device units.
    virtual void DrawFocusRect(const CRect& /*rect*/) {}
    // Reloads the block list panel, selecting the block's row when given.
    virtual void RefreshBlockList(const CBlock* /*selected*/ = nullptr) {}
    // Shown when the position under the mouse changes.
    virtual void ShowPosition(CPoint /*point*/) {}
    // Opens the parameter dialog of the node's block.
    virtual void EditBlockParameters(CGraphNode* /*node*/) {}
    // Offers the node's terminals at the point (device units) for the link
    // being drawn; the answer comes back through EndPortSelection.
    virtual void OpenPortSelection(CGraphNode& /*node*/, const std::vector<std::string>& /*ports*/,
                                   bool /*inputs*/, CPoint /*devicePoint*/) {}
    // The menu of a link being drawn at the point (device units); a chosen
    // entry comes back through RunLinkCommand.
    virtual void ShowLinkMenu(CPoint /*devicePoint*/, bool /*sendEnabled*/,
                              bool /*communicationEnabled*/) {}

    // The end of the port popup, for the link tool when it is current.
    void EndPortSelection(bool chosen, const std::string& port);
    // "Send Link To", "Communication Link", "Cancel the link"; false when the
    // link tool is not current or the command is not one of these.
    bool RunLinkCommand(int command);

protected:
    // Told after the selection changed (the window updates its commands).
    virtual void OnSelectionChanged() {}
    void CreateTools();

private:
    void ForEachLoopObject(const std::function<void(CDrawingObject*)>& visit) const;
    void CountSelected(const CDrawingObject* object, int delta);
    void DrawLinkFromValue(CConfGraphNode& node, int address, const std::string& input, int loop);
    void DropPending();

    CConfDoc& m_document;
    int m_nLoop = 1;
    bool m_bMonitoring = false;
    bool m_bLocked = false;
    bool m_bCaptured = false;
    std::vector<CDrawingObject*> m_selection;
    int m_nGraphSelected = 0;
    CPoint m_lastPoint;
    CSize m_blockSize{60, 60};
    CGraphChange* m_pRecorder = nullptr;
    CLoopAction* m_pPending = nullptr;
    uint64_t m_nPendingSerial = 0;
    std::vector<std::unique_ptr<CDrawingTool>> m_tools;
    CDrawingTool* m_pCurrentTool = nullptr;
    int m_nSelectTool = 0;
    int m_nBlockTool = 0;
    int m_nLinkTool = 0;
    int m_drawingTools[TOOL_COUNT] = {};
    std::unique_ptr<CLoopCommands> m_pCommands;
};
