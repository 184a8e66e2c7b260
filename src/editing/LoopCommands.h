#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ColorRef.h"
#include "platform/LogBrush.h"
#include "platform/LogPen.h"
#include "platform/Point.h"
#include "platform/Size.h"

class CBlock;
class CConfDoc;
class CDrawingObject;
class CDrawingTemplate;
class CDrawText;
class CGraphLink;
class CGraphNode;
class CLoopEditor;
struct CTextState;

// The editing commands of a loop view (Edit and Draw menus, tool boxes,
// context menus) and the rules that enable them. Each command that changes
// the drawing records its action; the few that no action records (grouping,
// drawing order, port labels) keep the document modified until it is saved.
class CLoopCommands {
public:
    // Alignments, by the numbers their commands pass.
    enum Alignment : int {
        ALIGN_LEFT = 3,
        ALIGN_HORIZONTAL_CENTER = 4,
        ALIGN_RIGHT = 5,
        ALIGN_TOP = 6,
        ALIGN_VERTICAL_CENTER = 7,
        ALIGN_BOTTOM = 8,
        ALIGN_CENTER_ALL = 9,
    };

    explicit CLoopCommands(CLoopEditor& view);
    ~CLoopCommands();
    CLoopCommands(const CLoopCommands&) = delete;
    CLoopCommands& operator=(const CLoopCommands&) = delete;

    // Clipboard. Cut and Copy take the selected drawing objects (graph objects
    // are deselected first; they stand for blocks and LINKs).
    bool CanCutOrCopy() const;
    bool Cut();
    bool Copy();
    bool CanPaste() const { return !m_clipboard.empty(); }
    bool Paste();
    bool IsCut() const { return m_bCut; }
    const std::vector<std::unique_ptr<CDrawingObject>>& GetClipboard() const { return m_clipboard; }

    bool CanDelete() const;
    bool Delete();
    bool CanDuplicate() const;
    bool Duplicate();

    // Drawing order of the single selected object; no undo entry.
    bool CanOrder() const;
    bool ToFront();
    bool ToBack();
    bool ForwardOne();
    bool BackwardOne();

    // Grouping makes no undo entry. The undo history goes with it: its actions
    // refer to objects that grouping moves into a group or deletes.
    bool CanGroup() const;
    bool Group();
    bool CanUngroup() const;
    bool Ungroup();

    // The selection aligned on its last selected object (two or more) or
    // spaced evenly (three or more).
    bool CanAlign() const;
    bool Align(int alignment);
    bool CanArrange() const;
    bool Arrange(bool horizontal);

    // The selected block nodes get the size, each as its own undo entry.
    bool CanResizeBlocks() const;
    bool ResizeBlocks(CSize size);

    // Colour and line width from the tool boxes.
    bool ChangeColor(bool lineColor, COLORREF color);
    bool ChangeLineWidth(int width);

    // Port labels of links (ends: true for the output end).
    bool ShowPort(bool outputEnd);
    bool ShowAllPorts(bool outputEnd, bool show);
    // The state of the selected link's port label, for the menu's check mark.
    bool IsPortShown(bool outputEnd) const;

    // Properties dialogs report the new values; each records its action first.
    bool ApplyLineProperties(CDrawingObject* object, const LOGPEN& pen);
    bool ApplyShapeProperties(CDrawingObject* object, const LOGPEN& pen, const LOGBRUSH& brush);
    bool ApplyTextProperties(CDrawText* text, const CTextState& state);
    bool ApplyNodeProperties(CGraphNode* node, const LOGPEN& pen, const LOGBRUSH& brush,
                             const CTextState& labels);
    bool ApplyLinkProperties(CGraphLink* link, const LOGPEN& pen, const CTextState& labels);

    // The parameter dialog's values, applied to the block with that number by
    // apply, recorded as one "Edit block parameters" entry that also brings
    // the drawn links in line with the LINK values.
    bool ApplyBlockParameters(int blockNumber, const std::function<void(CBlock&)>& apply);

    // Templates: the objects of a template file as one new object, and the
    // selected drawing objects saved as a template file.
    bool InsertTemplateObject(std::unique_ptr<CDrawingTemplate> object);
    bool CanSaveTemplate() const;
    bool SaveTemplate(const std::string& path);

    // A node for the block (a circle of the view's block size with the
    // block's name and number), placed centred on the point, and the block
    // added to the current loop at the position (-1 appends).
    bool InsertBlock(std::unique_ptr<CBlock> block, int position, CPoint centre);
    // The picture of a block of the current loop that has none yet, centred
    // at a point, recorded as "Add a block object".
    bool PlaceBlockNode(int blockNumber, CPoint centre);

    bool IsLocked() const;
    void ToggleLockEdition();

private:
    bool CopySelection();
    void ForgetHistory();
    CDrawingObject* SingleSelected() const;
    bool Reorder(const std::function<bool(CConfDoc&, CDrawingObject*)>& move);
    CGraphLink* SelectedLink() const;

    CLoopEditor& m_view;
    std::vector<std::unique_ptr<CDrawingObject>> m_clipboard;
    bool m_bCut = false;
};
