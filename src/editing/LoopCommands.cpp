#include "editing/LoopCommands.h"

#include <algorithm>

#include "diagram/ConfGraphBlockList.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGroup.h"
#include "diagram/DrawingTemplate.h"
#include "diagram/GraphLink.h"
#include "diagram/TemplateFile.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddAction.h"
#include "editing/AddNodeAction.h"
#include "editing/ArrangeAction.h"
#include "editing/ColorAction.h"
#include "editing/DeleteAction.h"
#include "editing/DrawingTool.h"
#include "editing/EditParamAction.h"
#include "editing/FShapePropAction.h"
#include "editing/LinePropAction.h"
#include "editing/LineWidthAction.h"
#include "editing/LinkPropAction.h"
#include "editing/LoopEditor.h"
#include "editing/MoveAction.h"
#include "editing/NodePropAction.h"
#include "editing/PasteAction.h"
#include "editing/TextPropAction.h"
#include "editing/TextState.h"
#include "editing/UndoManager.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/Loop.h"

namespace {

// Records the action as the view's pending one and carries it out.
template <class Action>
Action* DoPending(CLoopEditor& view, Action* action) {
    view.SetPendingAction(action);
    action->Do();
    return action;
}

// A property change of one object: the pending action notes its style first,
// then the change is made between two repaints.
template <class Action, class Object, class Change>
bool ApplyStyle(CLoopEditor& view, Object* object, int descriptionId, Change change) {
    if (object == nullptr || !view.HasObject(object)) {
        return false;
    }
    view.ClosePendingAction();
    DoPending(view, new Action(&view, descriptionId, object));
    view.InvalidateObject(object);
    change(*object);
    view.InvalidateObject(object);
    return true;
}

CRect BoundsOf(const CDrawingObject* object) {
    CRect rect = object->GetRect();
    rect.NormalizeRect();
    return rect;
}

// The offset that lines the object up with the anchor.
CSize AlignmentOffset(int alignment, const CRect& anchor, const CRect& object) {
    const int dxCentre = (anchor.left + anchor.right - object.left - object.right) / 2;
    const int dyCentre = (anchor.top + anchor.bottom - object.top - object.bottom) / 2;
    switch (alignment) {
        case CLoopCommands::ALIGN_LEFT:
            return CSize(anchor.left - object.left, 0);
        case CLoopCommands::ALIGN_RIGHT:
            return CSize(anchor.right - object.right, 0);
        case CLoopCommands::ALIGN_HORIZONTAL_CENTER:
            return CSize(dxCentre, 0);
        case CLoopCommands::ALIGN_TOP:
            return CSize(0, anchor.top - object.top);
        case CLoopCommands::ALIGN_BOTTOM:
            return CSize(0, anchor.bottom - object.bottom);
        case CLoopCommands::ALIGN_VERTICAL_CENTER:
            return CSize(0, dyCentre);
        case CLoopCommands::ALIGN_CENTER_ALL:
            return CSize(dxCentre, dyCentre);
        default:
            return CSize(0, 0);
    }
}

}  // namespace

CLoopCommands::CLoopCommands(CLoopEditor& view) : m_view(view) {}

CLoopCommands::~CLoopCommands() = default;

CDrawingObject* CLoopCommands::SingleSelected() const {
    return m_view.GetSelectedCount() == 1 ? m_view.GetFirstSelected() : nullptr;
}

CGraphLink* CLoopCommands::SelectedLink() const {
    return dynamic_cast<CGraphLink*>(SingleSelected());
}

// --- clipboard ------------------------------------------------------------------

bool CLoopCommands::CanCutOrCopy() const {
    return m_view.GetSelectedCount() > 0 && m_view.GetGraphSelectedCount() == 0;
}

bool CLoopCommands::CopySelection() {
    m_clipboard.clear();
    for (CDrawingObject* object : std::vector<CDrawingObject*>(m_view.GetSelection())) {
        if (CLoopEditor::IsGraphObject(object)) {
            m_view.Deselect(object);
        }
    }
    for (const CDrawingObject* object : m_view.GetSelection()) {
        m_clipboard.push_back(object->Clone());
    }
    return !m_clipboard.empty();
}

bool CLoopCommands::Cut() {
    if (m_view.GetSelectedCount() == 0 || !CopySelection()) {
        return false;
    }
    DoPending(m_view, new CDeleteAction(&m_view, IDS_CUT_OBJECTS, m_view.GetSelection()));
    m_bCut = true;
    return true;
}

bool CLoopCommands::Copy() {
    if (m_view.GetSelectedCount() == 0 || !CopySelection()) {
        return false;
    }
    m_bCut = false;
    return true;
}

bool CLoopCommands::Paste() {
    if (!CanPaste()) {
        return false;
    }
    m_view.ClosePendingAction();
    DoPending(m_view, new CPasteAction(&m_view, IDS_PASTE_OBJECTS, m_clipboard));
    return true;
}

// --- delete and duplicate ---------------------------------------------------------

bool CLoopCommands::CanDelete() const {
    return m_view.GetSelectedCount() > 0 && !m_view.IsMonitoring();
}

bool CLoopCommands::Delete() {
    if (m_view.IsMonitoring()) {
        return false;
    }
    CDrawingTool* tool = m_view.GetCurrentTool();
    if (m_view.GetSelectedCount() > 0 && tool != nullptr) {
        tool->DeleteSelection(m_view);
        return true;
    }
    return false;
}

bool CLoopCommands::CanDuplicate() const {
    return m_view.GetCurrentTool() != nullptr && m_view.GetSelectedCount() > 0 &&
           !m_view.IsMonitoring();
}

bool CLoopCommands::Duplicate() {
    if (!CanDuplicate()) {
        return false;
    }
    m_view.GetCurrentTool()->DuplicateSelection(m_view);
    return true;
}

// --- drawing order --------------------------------------------------------------

bool CLoopCommands::CanOrder() const {
    return SingleSelected() != nullptr;
}

bool CLoopCommands::ToFront() {
    return Reorder(
        [](CConfDoc& doc, CDrawingObject* object) { return doc.MoveToListEnd(object, true); });
}

bool CLoopCommands::ToBack() {
    return Reorder(
        [](CConfDoc& doc, CDrawingObject* object) { return doc.MoveToListEnd(object, false); });
}

bool CLoopCommands::ForwardOne() {
    return Reorder([](CConfDoc& doc, CDrawingObject* object) { return doc.MoveInList(object, 1); });
}

bool CLoopCommands::BackwardOne() {
    return Reorder(
        [](CConfDoc& doc, CDrawingObject* object) { return doc.MoveInList(object, -1); });
}

// The drawing order is not recorded for undo: the document stays modified.
bool CLoopCommands::Reorder(const std::function<bool(CConfDoc&, CDrawingObject*)>& move) {
    CDrawingObject* object = SingleSelected();
    if (object == nullptr || !move(*m_view.GetDocument(), object)) {
        return false;
    }
    m_view.NoteChangeOutsideUndo();
    m_view.InvalidateObject(object);
    return true;
}

// --- grouping -------------------------------------------------------------------

bool CLoopCommands::CanGroup() const {
    const auto& selection = m_view.GetSelection();
    return std::count_if(selection.begin(), selection.end(), [](const CDrawingObject* object) {
               return !CLoopEditor::IsGraphObject(object);
           }) > 1;
}

bool CLoopCommands::Group() {
    if (!CanGroup()) {
        return false;
    }
    std::vector<CDrawingObject*> members;
    for (CDrawingObject* object : m_view.GetSelection()) {
        if (!CLoopEditor::IsGraphObject(object)) {
            members.push_back(object);
        }
    }
    m_view.DeselectAll();
    ForgetHistory();
    CDrawingGroup* group = GroupObjects(*m_view.GetDocument(), members);
    if (group != nullptr) {
        group->Select(false);
        m_view.Select(group, false);
    }
    m_view.RepaintAll();
    return group != nullptr;
}

bool CLoopCommands::CanUngroup() const {
    CDrawingObject* object = SingleSelected();
    return dynamic_cast<CDrawingGroup*>(object) != nullptr &&
           dynamic_cast<CConfGraphBlockList*>(object) == nullptr;
}

bool CLoopCommands::Ungroup() {
    if (!CanUngroup()) {
        return false;
    }
    auto* group = static_cast<CDrawingGroup*>(SingleSelected());
    m_view.DeselectAll();
    ForgetHistory();
    const std::vector<CDrawingObject*> members = UngroupObject(*m_view.GetDocument(), group);
    for (CDrawingObject* member : members) {
        member->Select(false);
        m_view.Select(member, true);
    }
    m_view.RepaintAll();
    return !members.empty();
}

void CLoopCommands::ForgetHistory() {
    m_view.ForgetPendingAction();
    if (CUndoManager* manager = CUndoManager::Get()) {
        manager->Clear(m_view.GetDocument());
    }
    m_view.NoteChangeOutsideUndo();
}

// --- alignment and spacing --------------------------------------------------------

bool CLoopCommands::CanAlign() const {
    return m_view.GetSelectedCount() >= 2;
}

bool CLoopCommands::Align(int alignment) {
    if (!CanAlign() || alignment < ALIGN_LEFT || alignment > ALIGN_CENTER_ALL) {
        return false;
    }
    m_view.ClosePendingAction();
    std::vector<CDrawingObject*> moved = m_view.GetSelection();
    CDrawingObject* anchor = moved.back();
    moved.pop_back();
    DoPending(m_view, new CMoveAction(&m_view, IDS_ALIGN_OBJECTS, moved));
    const CRect anchorRect = BoundsOf(anchor);
    for (CDrawingObject* object : moved) {
        const CSize delta = AlignmentOffset(alignment, anchorRect, BoundsOf(object));
        if (delta.cx != 0 || delta.cy != 0) {
            object->Offset(delta, &m_view);
        }
    }
    return true;
}

bool CLoopCommands::CanArrange() const {
    return m_view.GetSelectedCount() >= 3;
}

bool CLoopCommands::Arrange(bool horizontal) {
    if (!CanArrange()) {
        return false;
    }
    m_view.ClosePendingAction();
    DoPending(m_view, new CArrangeAction(
                          &m_view, IDS_ARRANGE_OBJECTS,
                          horizontal ? CArrangeAction::kHorizontal : CArrangeAction::kVertical));
    return true;
}

// --- block sizes ----------------------------------------------------------------

bool CLoopCommands::CanResizeBlocks() const {
    const CDrawingTool* tool = m_view.GetCurrentTool();
    return tool != nullptr && (tool == m_view.GetSelectTool() || tool == m_view.GetBlockTool());
}

bool CLoopCommands::ResizeBlocks(CSize size) {
    if (!CanResizeBlocks()) {
        return false;
    }
    bool resized = false;
    for (CDrawingObject* object : std::vector<CDrawingObject*>(m_view.GetSelection())) {
        if (auto* node = dynamic_cast<CConfGraphNode*>(object)) {
            m_view.ClosePendingAction();
            node->SetSize(&m_view, size.cx, size.cy);
            resized = true;
        }
    }
    return resized;
}

// --- colour and width -----------------------------------------------------------

bool CLoopCommands::ChangeColor(bool lineColor, COLORREF color) {
    if (m_view.GetSelectedCount() == 0) {
        return false;
    }
    m_view.ClosePendingAction();
    DoPending(m_view,
              new CColorAction(&m_view, lineColor ? IDS_CHANGE_LINE_COLOR : IDS_CHANGE_FILL_COLOR,
                               lineColor, color));
    return true;
}

bool CLoopCommands::ChangeLineWidth(int width) {
    if (m_view.GetSelectedCount() == 0 || width <= 0) {
        return false;
    }
    m_view.ClosePendingAction();
    DoPending(m_view, new CLineWidthAction(&m_view, IDS_CHANGE_LINE_WIDTH, width));
    return true;
}

// --- port labels ----------------------------------------------------------------

bool CLoopCommands::IsPortShown(bool outputEnd) const {
    const CGraphLink* link = SelectedLink();
    return link != nullptr && (outputEnd ? link->IsShowOutLabel() : link->IsShowInLabel());
}

bool CLoopCommands::ShowPort(bool outputEnd) {
    CGraphLink* link = SelectedLink();
    if (link == nullptr) {
        return false;
    }
    if (outputEnd) {
        link->ShowOutLabel(!link->IsShowOutLabel(), &m_view);
    } else {
        link->ShowInLabel(!link->IsShowInLabel(), &m_view);
    }
    m_view.NoteChangeOutsideUndo();
    m_view.InvalidateObject(link);
    return true;
}

bool CLoopCommands::ShowAllPorts(bool outputEnd, bool show) {
    bool changed = false;
    for (CDrawingObject* object : m_view.GetLoopObjects()) {
        auto* link = dynamic_cast<CGraphLink*>(object);
        if (link == nullptr) {
            continue;
        }
        const bool shown = outputEnd ? link->IsShowOutLabel() : link->IsShowInLabel();
        if (shown == show) {
            continue;
        }
        if (outputEnd) {
            link->ShowOutLabel(show, &m_view);
        } else {
            link->ShowInLabel(show, &m_view);
        }
        m_view.InvalidateObject(link);
        changed = true;
    }
    if (changed) {
        m_view.NoteChangeOutsideUndo();
    }
    return changed;
}

// --- properties -----------------------------------------------------------------

bool CLoopCommands::ApplyLineProperties(CDrawingObject* object, const LOGPEN& pen) {
    return ApplyStyle<CLinePropAction>(m_view, object, IDS_EDIT_LINE_PROPERTIES,
                                       [&](CDrawingObject& line) { line.SetLogPen(pen); });
}

bool CLoopCommands::ApplyShapeProperties(CDrawingObject* object, const LOGPEN& pen,
                                         const LOGBRUSH& brush) {
    return ApplyStyle<CFShapePropAction>(m_view, object, IDS_EDIT_FILLED_SHAPE_PROPERTIES,
                                         [&](CDrawingObject& shape) {
                                             shape.SetLogPen(pen);
                                             shape.SetLogBrush(brush);
                                         });
}

bool CLoopCommands::ApplyTextProperties(CDrawText* text, const CTextState& state) {
    return ApplyStyle<CTextPropAction>(m_view, text, IDS_EDIT_TEXT_PROPERTIES,
                                       [&](CDrawText& label) { state.ApplyTo(label); });
}

bool CLoopCommands::ApplyNodeProperties(CGraphNode* node, const LOGPEN& pen, const LOGBRUSH& brush,
                                        const CTextState& labels) {
    return ApplyStyle<CNodePropAction>(
        m_view, node, IDS_EDIT_BLOCK_PROPERTIES, [&](CGraphNode& shown) {
            shown.SetLogPen(pen);
            shown.SetLogBrush(brush);
            // Both labels take the attributes; each keeps its text.
            for (CDrawText* label : {shown.GetNameLabel(), shown.GetNumberLabel()}) {
                if (label != nullptr) {
                    CTextState state = labels;
                    state.text = label->GetText();
                    state.ApplyTo(*label);
                }
            }
            shown.LayoutLabels();
        });
}

bool CLoopCommands::ApplyLinkProperties(CGraphLink* link, const LOGPEN& pen,
                                        const CTextState& labels) {
    return ApplyStyle<CLinkPropAction>(m_view, link, IDS_EDIT_LINK_PROPERTIES,
                                       [&](CGraphLink& route) {
                                           route.SetLogPen(pen);
                                           route.SetLogFont(labels.font);
                                           route.SetTextColors(labels.textColor, labels.backColor);
                                           route.UpdateDecorations(&m_view);
                                       });
}

bool CLoopCommands::ApplyBlockParameters(int blockNumber,
                                         const std::function<void(CBlock&)>& apply) {
    CConfDoc& document = *m_view.GetDocument();
    CBlock* block = document.FindBlockByNumber(blockNumber);
    if (block == nullptr) {
        return false;
    }
    m_view.ClosePendingAction();
    auto* action = new CEditParamAction(&m_view, IDS_EDIT_BLOCK_PARAMETERS, *block);
    apply(*block);
    block->SetChanged(true);
    // A block write carries no LINK values: new wiring goes with the whole loop.
    if (block->CompareParams(PARAM_LINK, *action->GetKeptBlock()) != 0) {
        if (CLoop* loop = document.FindLoopOfBlock(*block)) {
            loop->SetModified(CLoop::MODIFIED_BLOCKS);
        }
    }
    DoPending(m_view, action);
    return true;
}

// --- templates and blocks -------------------------------------------------------

bool CLoopCommands::InsertTemplateObject(std::unique_ptr<CDrawingTemplate> object) {
    if (!object) {
        return false;
    }
    m_view.ClosePendingAction();
    auto* action = new CAddAction(&m_view, IDS_ADD_TEMPLATE_OBJECT, std::move(object));
    action->Do();
    action->Close();
    m_view.SetPendingAction(action);
    return true;
}

bool CLoopCommands::CanSaveTemplate() const {
    const auto& selection = m_view.GetSelection();
    return std::any_of(selection.begin(), selection.end(), [](const CDrawingObject* object) {
        return !CLoopEditor::IsGraphObject(object);
    });
}

bool CLoopCommands::SaveTemplate(const std::string& path) {
    std::vector<const CDrawingObject*> objects;
    for (const CDrawingObject* object : m_view.GetSelection()) {
        if (!CLoopEditor::IsGraphObject(object)) {
            objects.push_back(object);
        }
    }
    return !objects.empty() && templates::SaveTemplate(path, objects);
}

bool CLoopCommands::InsertBlock(std::unique_ptr<CBlock> block, int position, CPoint centre) {
    if (!block) {
        return false;
    }
    std::unique_ptr<CConfGraphNode> node =
        CConfGraphNode::CreateForBlock(*block, centre, m_view.GetBlockSize());
    if (!node) {
        return false;
    }
    m_view.ClosePendingAction();
    auto* action = new CAddNodeAction(&m_view, IDS_ADD_BLOCK_OBJECT, std::move(node),
                                      std::move(block), position);
    m_view.SetPendingAction(action);
    action->Do();
    action->Close();
    m_view.InvalidateObject(action->GetNode());
    return true;
}

bool CLoopCommands::PlaceBlockNode(int blockNumber, CPoint centre) {
    const CConfDoc& document = *m_view.GetDocument();
    const int loop = document.GetCurrentLoopNumber();
    const CBlock* block = document.FindBlock(blockNumber, loop);
    if (block == nullptr || m_view.FindBlockNode(blockNumber, loop) != nullptr) {
        return false;
    }
    std::unique_ptr<CConfGraphNode> node =
        CConfGraphNode::CreateForBlock(*block, centre, m_view.GetBlockSize());
    if (!node) {
        return false;
    }
    m_view.ClosePendingAction();
    auto* action = new CAddNodeAction(&m_view, IDS_ADD_BLOCK_OBJECT, std::move(node), nullptr, -1);
    m_view.SetPendingAction(action);
    action->Do();
    action->Close();
    m_view.InvalidateObject(action->GetNode());
    return true;
}

bool CLoopCommands::IsLocked() const {
    return m_view.IsEditingLocked();
}

void CLoopCommands::ToggleLockEdition() {
    m_view.SetEditingLocked(!m_view.IsEditingLocked());
}
