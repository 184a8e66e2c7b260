#include "editing/LoopEditor.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "diagram/ConfGraphBlockList.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/BlockListTool.h"
#include "editing/DrawingTool.h"
#include "editing/EllipseTool.h"
#include "editing/GraphChange.h"
#include "editing/GraphSelectTool.h"
#include "editing/LineTool.h"
#include "editing/LinkRouter.h"
#include "editing/LinkTool.h"
#include "editing/LoopAction.h"
#include "editing/LoopCommands.h"
#include "editing/NodeSizeAction.h"
#include "editing/NodeTool.h"
#include "editing/PolyTool.h"
#include "editing/RectTool.h"
#include "editing/RoundRectTool.h"
#include "editing/TextTool.h"
#include "editing/UndoManager.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"

namespace {

// Device pixels around an object's rectangle that a repaint covers (handles, pens).
constexpr int kRepaintMargin = 4;

constexpr CDrawingItem::ListKind kDrawingOrder[] = {
    CDrawingItem::LIST_TEMPLATES, CDrawingItem::LIST_OBJECTS, CDrawingItem::LIST_GRAPH};

}  // namespace

CLoopEditor::CLoopEditor(CConfDoc& document)
    : m_document(document), m_pCommands(std::make_unique<CLoopCommands>(*this)) {
    m_nLoop = std::max(1, document.GetCurrentLoopNumber());
    m_document.AddView(this);
    CreateTools();
}

CLoopEditor::~CLoopEditor() {
    DropPending();
    m_document.RemoveView(this);
}

void CLoopEditor::CreateTools() {
    auto select = std::make_unique<CGraphSelectTool>();
    m_nSelectTool = select->GetToolNumber();
    m_tools.push_back(std::move(select));
    std::unique_ptr<CDrawingTool> drawing[TOOL_COUNT] = {
        std::make_unique<CLineTool>(),      std::make_unique<CRectTool>(),
        std::make_unique<CRoundRectTool>(), std::make_unique<CEllipseTool>(),
        std::make_unique<CTextTool>(),      std::make_unique<CNodeTool>(),
        std::make_unique<CPolyTool>(false), std::make_unique<CPolyTool>(true),
        std::make_unique<CBlockListTool>()};
    for (int kind = 0; kind < TOOL_COUNT; ++kind) {
        m_drawingTools[kind] = drawing[kind]->GetToolNumber();
        m_tools.push_back(std::move(drawing[kind]));
    }
    auto link = std::make_unique<CLinkTool>();
    m_nLinkTool = link->GetToolNumber();
    m_tools.push_back(std::move(link));
    m_nBlockTool = m_drawingTools[TOOL_BLOCK];
    m_pCurrentTool = GetBlockTool();
}

int CLoopEditor::SnapToGrid(int value, int step) {
    if (step <= 0) {
        return value;
    }
    int quotient = value / step;
    int remainder = value % step;
    if (remainder < 0) {
        --quotient;
        remainder += step;
    }
    if (2 * remainder > step) {
        ++quotient;
    }
    return quotient * step;
}

// --- document updates -----------------------------------------------------------

void CLoopEditor::OnUpdate(CView* sender, long hint, CObject* hintObject) {
    if (sender == nullptr && hintObject == nullptr && hint == HINT_REPAINT) {
        DeselectAll();
    }
    switch (hint) {
        case HINT_OBJECT:
            InvalidateObject(dynamic_cast<CDrawingObject*>(hintObject));
            break;
        case HINT_NAMES:
            ForgetPendingAction();
            break;
        case HINT_LOOP_SELECTED:
            if (m_document.GetCurrentLoopNumber() != m_nLoop) {
                DeselectAll();
                m_nLoop = std::max(1, m_document.GetCurrentLoopNumber());
                if (m_pCurrentTool != nullptr) {
                    m_pCurrentTool->LoopChanged(*this);
                }
            }
            RefreshBlockList(dynamic_cast<CConfGraphNode*>(GetFirstSelected()) != nullptr
                                 ? static_cast<CConfGraphNode*>(GetFirstSelected())->FindBlock(this)
                                 : nullptr);
            break;
        case HINT_LEAVE_ONLINE:
            m_bMonitoring = false;
            break;
        default:
            break;
    }
}

// --- CDrawingView ---------------------------------------------------------------

void CLoopEditor::InvalidateObject(CDrawingObject* object) {
    if (object == nullptr) {
        return;
    }
    CRect area = LPtoDP(object->GetInvalidRect());
    area.NormalizeRect();
    area.InflateRect(kRepaintMargin, kRepaintMargin);
    RepaintDevice(area);
}

void CLoopEditor::PrepareDC(CDC& /*dc*/) {}

void CLoopEditor::SnapPoint(CPoint& point) {
    const CGeneralData& data = m_document.GetGeneralData();
    if (data.m_bSnapToGrid) {
        point.x = SnapToGrid(point.x, data.m_gridSpacing.cx);
        point.y = SnapToGrid(point.y, data.m_gridSpacing.cy);
    }
    m_lastPoint = point;
    ShowPosition(point);
}

void CLoopEditor::DeleteObject(CDrawingObject* object) {
    if (object == nullptr || !HasObject(object)) {
        return;
    }
    std::unique_ptr<CDrawingObject> taken = TakeObject(object);
    if (m_pRecorder != nullptr) {
        m_pRecorder->Keep(std::move(taken));
    }
}

bool CLoopEditor::DeleteBlock(int blockNumber) {
    if (m_pRecorder != nullptr) {
        return m_pRecorder->TakeBlock(m_document.FindBlockByNumber(blockNumber));
    }
    return CDrawingView::DeleteBlock(blockNumber);
}

bool CLoopEditor::RecordNodeResize(CGraphNode* node, int width, int height) {
    if (node == nullptr || !HasObject(node)) {
        return false;
    }
    auto* action = new CNodeSizeAction(this, IDS_RESIZE_OBJECT, node, CSize(width, height));
    SetPendingAction(action);
    action->Do();
    return true;
}

// --- selection ------------------------------------------------------------------

bool CLoopEditor::IsGraphObject(const CDrawingObject* object) {
    return dynamic_cast<const CGraphNode*>(object) != nullptr ||
           dynamic_cast<const CGraphLink*>(object) != nullptr ||
           dynamic_cast<const CConfGraphBlockList*>(object) != nullptr;
}

void CLoopEditor::CountSelected(const CDrawingObject* object, int delta) {
    if (IsGraphObject(object)) {
        m_nGraphSelected += delta;
    }
}

void CLoopEditor::Select(CDrawingObject* object, bool add) {
    if (!add) {
        DeselectAll();
    }
    if (object == nullptr || IsInSelection(object) || object->GetLoop() != m_nLoop ||
        !HasObject(object)) {
        return;
    }
    object->Select(true);
    m_selection.push_back(object);
    CountSelected(object, 1);
    InvalidateObject(object);
    OnSelectionChanged();
}

void CLoopEditor::SelectInRect(const CRect& rect, bool add) {
    if (!add) {
        DeselectAll();
    }
    CRect area = rect;
    area.NormalizeRect();
    for (CDrawingObject* object : GetLoopObjects()) {
        if (object->IsInsideRect(area)) {
            Select(object, true);
        }
    }
}

void CLoopEditor::Deselect(CDrawingObject* object) {
    auto it = std::find(m_selection.begin(), m_selection.end(), object);
    if (it == m_selection.end()) {
        return;
    }
    m_selection.erase(it);
    CountSelected(object, -1);
    InvalidateObject(object);
    object->Select(false);
    OnSelectionChanged();
}

void CLoopEditor::DeselectAll(bool notify) {
    if (m_selection.empty()) {
        return;
    }
    for (CDrawingObject* object : m_selection) {
        InvalidateObject(object);
        object->Select(false);
    }
    m_selection.clear();
    m_nGraphSelected = 0;
    if (notify) {
        OnSelectionChanged();
    }
}

CDrawingObject* CLoopEditor::GetFirstSelected() const {
    return m_selection.empty() ? nullptr : m_selection.front();
}

CDrawingObject* CLoopEditor::GetLastSelected() const {
    return m_selection.empty() ? nullptr : m_selection.back();
}

bool CLoopEditor::IsInSelection(const CDrawingObject* object) const {
    return std::find(m_selection.begin(), m_selection.end(), object) != m_selection.end();
}

// --- hit tests ------------------------------------------------------------------

CDrawingObject* CLoopEditor::ObjectAt(CPoint point) {
    if (CDrawingObject* graph = GraphObjectAt(point)) {
        return graph;
    }
    const std::vector<CDrawingObject*> objects = GetLoopObjects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        if ((*it)->HitTest(point, this)) {
            return *it;
        }
    }
    return nullptr;
}

CDrawingObject* CLoopEditor::GraphObjectAt(CPoint point) {
    const CConfDoc::DrawingList& graph = m_document.GetGraphObjects();
    // Nodes lie over the ends of their links: they answer first.
    for (bool nodes : {true, false}) {
        for (auto it = graph.rbegin(); it != graph.rend(); ++it) {
            auto* object = dynamic_cast<CDrawingObject*>(it->get());
            const bool isNode = dynamic_cast<CGraphNode*>(object) != nullptr;
            if (object != nullptr && isNode == nodes && object->GetLoop() == m_nLoop &&
                object->HitTest(point, this)) {
                return object;
            }
        }
    }
    return nullptr;
}

CGraphNode* CLoopEditor::GraphNodeAt(CPoint point) {
    return dynamic_cast<CGraphNode*>(GraphObjectAt(point));
}

CDrawingObject* CLoopEditor::SelectedObjectAt(CPoint point) {
    for (auto it = m_selection.rbegin(); it != m_selection.rend(); ++it) {
        if ((*it)->HitTest(point, this)) {
            return *it;
        }
    }
    return nullptr;
}

// --- the document's objects -------------------------------------------------------

void CLoopEditor::AddObject(std::unique_ptr<CDrawingObject> object) {
    if (!object) {
        return;
    }
    CDrawingObject* added = object.get();
    InsertObject(m_document.GetList(added->GetListKind()).size(), std::move(object));
    Select(added, false);
    if (dynamic_cast<CGraphNode*>(added) != nullptr) {
        RefreshBlockList();
    }
}

void CLoopEditor::InsertObject(std::size_t position, std::unique_ptr<CDrawingObject> object) {
    if (!object) {
        return;
    }
    CDrawingObject* inserted = object.get();
    inserted->Select(false);
    m_document.InsertDrawingObject(position, std::move(object));
    InvalidateObject(inserted);
}

std::unique_ptr<CDrawingObject> CLoopEditor::TakeObject(CDrawingObject* object,
                                                        std::size_t* position) {
    const int index = PositionOf(object);
    if (index < 0) {
        return nullptr;
    }
    InvalidateObject(object);
    Deselect(object);
    // The document gives up only a selected object.
    object->Select(true);
    std::unique_ptr<CDrawingItem> item = m_document.RemoveDrawingObject(object);
    object->Select(false);
    if (position != nullptr) {
        *position = static_cast<std::size_t>(index);
    }
    return std::unique_ptr<CDrawingObject>(static_cast<CDrawingObject*>(item.release()));
}

bool CLoopEditor::HasObject(const CDrawingObject* object) const {
    return PositionOf(object) >= 0;
}

int CLoopEditor::PositionOf(const CDrawingObject* object) const {
    if (object == nullptr) {
        return -1;
    }
    for (CDrawingItem::ListKind kind : kDrawingOrder) {
        const CConfDoc::DrawingList& list = m_document.GetList(kind);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].get() == object) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

std::vector<CDrawingObject*> CLoopEditor::GetLoopObjects() const {
    std::vector<CDrawingObject*> objects;
    for (CDrawingItem::ListKind kind : kDrawingOrder) {
        for (const auto& item : m_document.GetList(kind)) {
            auto* object = dynamic_cast<CDrawingObject*>(item.get());
            if (object != nullptr && object->GetLoop() == m_nLoop) {
                objects.push_back(object);
            }
        }
    }
    return objects;
}

CRect CLoopEditor::GetLoopExtent() const {
    CRect extent;
    for (const CDrawingObject* object : GetLoopObjects()) {
        CRect rect = object->GetRect();
        rect.NormalizeRect();
        extent.UnionRect(extent, rect);
    }
    return extent;
}

CConfGraphNode* CLoopEditor::FindBlockNode(int blockNumber, int loop) const {
    for (const auto& item : m_document.GetGraphObjects()) {
        auto* node = dynamic_cast<CConfGraphNode*>(item.get());
        if (node != nullptr && node->GetLoop() == loop && node->GetNumber() == blockNumber) {
            return node;
        }
    }
    return nullptr;
}

// --- pending action ---------------------------------------------------------------

CLoopAction* CLoopEditor::GetPendingAction() const {
    return m_pPending != nullptr && CAction::IsLive(m_pPending, m_nPendingSerial) ? m_pPending
                                                                                  : nullptr;
}

void CLoopEditor::SetPendingAction(CLoopAction* action) {
    if (action == m_pPending && action != nullptr) {
        return;
    }
    DropPending();
    m_pPending = action;
    m_nPendingSerial = action != nullptr ? action->GetSerial() : 0;
}

// An action no manager took belongs to the view that made it.
void CLoopEditor::DropPending() {
    CLoopAction* pending = GetPendingAction();
    if (pending != nullptr && !pending->IsRegistered()) {
        delete pending;
    }
    m_pPending = nullptr;
    m_nPendingSerial = 0;
}

void CLoopEditor::ClosePendingAction() {
    CLoopAction* pending = GetPendingAction();
    if (pending != nullptr && !pending->IsClosed()) {
        pending->Close();
    }
}

void CLoopEditor::CancelPendingAction() {
    CLoopAction* pending = GetPendingAction();
    if (pending == nullptr) {
        m_pPending = nullptr;
        return;
    }
    if (pending->IsRegistered()) {
        if (!pending->IsClosed()) {
            pending->Close();
        }
        if (CUndoManager* manager = CUndoManager::Get()) {
            manager->Remove(&m_document, pending);
        }
    } else {
        delete pending;
    }
    m_pPending = nullptr;
    m_nPendingSerial = 0;
}

void CLoopEditor::ForgetPendingAction() {
    DropPending();
}

// --- undo and redo ----------------------------------------------------------------

bool CLoopEditor::Undo(int count) {
    CUndoManager* manager = CUndoManager::Get();
    return manager != nullptr && manager->Undo(&m_document, count);
}

bool CLoopEditor::Redo(int count) {
    CUndoManager* manager = CUndoManager::Get();
    return manager != nullptr && manager->Redo(&m_document, count);
}

bool CLoopEditor::CanUndo(int count) const {
    const CUndoManager* manager = CUndoManager::Get();
    return manager != nullptr && manager->CanUndo(&m_document, count);
}

bool CLoopEditor::CanRedo(int count) const {
    const CUndoManager* manager = CUndoManager::Get();
    return manager != nullptr && manager->CanRedo(&m_document, count);
}

void CLoopEditor::NoteChangeOutsideUndo() {
    m_document.SetModifiedFlag(true);
    if (CUndoManager* manager = CUndoManager::Get()) {
        manager->ForgetCleanState(&m_document);
    }
}

// --- tools ------------------------------------------------------------------------

void CLoopEditor::SetCurrentTool(CDrawingTool* tool) {
    if (m_pCurrentTool != nullptr && m_pCurrentTool != tool) {
        m_pCurrentTool->Cancel(*this);
    }
    m_pCurrentTool = tool;
    if (tool != nullptr) {
        tool->Activate(*this);
    }
}

CDrawingTool* CLoopEditor::FindTool(int toolNumber) const {
    for (const auto& tool : m_tools) {
        if (tool->GetToolNumber() == toolNumber) {
            return tool.get();
        }
    }
    return nullptr;
}

CDrawingTool* CLoopEditor::GetSelectTool() const {
    return FindTool(m_nSelectTool);
}

CDrawingTool* CLoopEditor::GetBlockTool() const {
    return FindTool(m_nBlockTool);
}

CLinkTool* CLoopEditor::GetLinkTool() const {
    return static_cast<CLinkTool*>(FindTool(m_nLinkTool));
}

void CLoopEditor::UseLinkTool() {
    if (!m_bLocked && m_pCurrentTool == GetBlockTool() && m_pCurrentTool != nullptr) {
        m_pCurrentTool = GetLinkTool();
        m_pCurrentTool->Activate(*this);
    }
}

void CLoopEditor::UseBlockTool() {
    CLinkTool* link = GetLinkTool();
    if (!m_bLocked && m_pCurrentTool == link && link != nullptr && !link->IsLinking()) {
        m_pCurrentTool = GetBlockTool();
        m_pCurrentTool->Activate(*this);
    }
}

void CLoopEditor::EndPortSelection(bool chosen, const std::string& port) {
    if (CLinkTool* link = GetLinkTool(); link != nullptr && m_pCurrentTool == link) {
        link->EndPortSelection(*this, chosen, port);
    }
}

bool CLoopEditor::RunLinkCommand(int command) {
    CLinkTool* link = GetLinkTool();
    return link != nullptr && m_pCurrentTool == link && link->RunCommand(*this, command);
}

std::unique_ptr<CBlock> CLoopEditor::ChooseNewBlock() {
    return nullptr;
}

CDrawingTool* CLoopEditor::GetTool(ToolKind kind) const {
    return kind >= 0 && kind < TOOL_COUNT ? FindTool(m_drawingTools[kind]) : nullptr;
}

void CLoopEditor::ChooseTool(ToolKind kind) {
    if (!m_bLocked) {
        if (CDrawingTool* tool = GetTool(kind)) {
            SetCurrentTool(tool);
        }
    }
}

void CLoopEditor::ChooseSelectTool() {
    if (m_bLocked) {
        return;
    }
    CDrawingTool* select = GetSelectTool();
    CDrawingTool* block = GetBlockTool();
    SetCurrentTool(m_pCurrentTool == select && block != nullptr ? block : select);
}

void CLoopEditor::SetEditingLocked(bool locked) {
    m_bLocked = locked;
    if (locked) {
        SetCurrentTool(nullptr);
    } else {
        CDrawingTool* block = GetBlockTool();
        SetCurrentTool(block != nullptr ? block : GetSelectTool());
    }
}

// --- input ------------------------------------------------------------------------

void CLoopEditor::LButtonDown(unsigned flags, CPoint point) {
    m_lastPoint = CPoint();
    if (m_pCurrentTool == nullptr) {
        return;
    }
    CLoopAction* pending = GetPendingAction();
    if (pending != nullptr && !pending->IsClosed() &&
        pending->GetDescriptionId() == kCloseOnClickDescription) {
        pending->Close();
    }
    m_pCurrentTool->OnLButtonDown(*this, flags, point);
}

void CLoopEditor::LButtonUp(unsigned flags, CPoint point) {
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->OnLButtonUp(*this, flags, point);
    }
    m_lastPoint = CPoint();
}

void CLoopEditor::MouseMove(unsigned flags, CPoint point) {
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->OnMouseMove(*this, flags, point);
    }
    CPoint logical = DPtoLP(point);
    SnapPoint(logical);
}

void CLoopEditor::LButtonDblClk(unsigned flags, CPoint point) {
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->OnLButtonDblClk(*this, flags, point);
    }
}

void CLoopEditor::RButtonDown(unsigned flags, CPoint point) {
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->OnRButtonDown(*this, flags, point);
    }
}

void CLoopEditor::RButtonUp(unsigned flags, CPoint point) {
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->OnRButtonUp(*this, flags, point);
    }
}

bool CLoopEditor::KeyDown(int key, bool control) {
    return m_pCurrentTool != nullptr && m_pCurrentTool->OnKeyDown(key, control, *this);
}

void CLoopEditor::SetBlockSize(CSize size) {
    if (size.cx == 0 || size.cy == 0) {
        return;
    }
    m_blockSize = CSize(std::abs(size.cx), std::abs(size.cy));
}

// --- conversions ------------------------------------------------------------------

CRect CLoopEditor::LPtoDP(const CRect& rect) const {
    const CPoint topLeft = LPtoDP(rect.TopLeft());
    const CPoint bottomRight = LPtoDP(CPoint(rect.right, rect.bottom));
    return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

CRect CLoopEditor::DPtoLP(const CRect& rect) const {
    const CPoint topLeft = DPtoLP(rect.TopLeft());
    const CPoint bottomRight = DPtoLP(CPoint(rect.right, rect.bottom));
    return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CLoopEditor::DeleteCommand() {
    m_pCommands->Delete();
}

// --- links from LINK values ---------------------------------------------------------

namespace {

CGraphLink* LinkIntoInput(const CGraphNode& node, const std::string& input) {
    for (CGraphLink* link : node.GetLinks()) {
        if (link != nullptr && link->GetTo() == &node && link->GetInPortText() == input) {
            return link;
        }
    }
    return nullptr;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

void CLoopEditor::BringLinksInLine(const CBlock& newBlock, const CBlock& oldBlock) {
    const CLoop* loop = m_document.FindLoopOfBlock(newBlock);
    if (loop == nullptr) {
        return;
    }
    CConfGraphNode* node = FindBlockNode(newBlock.GetBlockNumber(), loop->GetLoopNumber());
    if (node == nullptr) {
        return;
    }
    for (int j = 0; j < newBlock.GetParamListSize(PARAM_LINK); ++j) {
        const std::string newText = newBlock.GetParamText(PARAM_LINK, j);
        if (SameText(newText, oldBlock.GetParamText(PARAM_LINK, j))) {
            continue;
        }
        const std::string input = newBlock.GetLinkInputName(j);
        if (oldBlock.GetLinkValue(j) != 0) {
            if (CGraphLink* stale = LinkIntoInput(*node, input)) {
                stale->Disconnect(this);
                DeleteObject(stale);
            }
        }
        // Taking the old link out reset the input; the new value stays.
        if (CBlock* current = m_document.FindBlockByNumber(newBlock.GetBlockNumber())) {
            current->SetParamValue(PARAM_LINK, j, newText);
        }
        DrawLinkFromValue(*node, newBlock.GetLinkValue(j), input, loop->GetLoopNumber());
    }
    RepaintAll();
}

void CLoopEditor::DrawLinkFromValue(CConfGraphNode& node, int address, const std::string& input,
                                    int loop) {
    if (address == 0 || LinkIntoInput(node, input) != nullptr) {
        return;
    }
    const CBlock* source = m_document.FindBlockByOutput(address);
    CConfGraphNode* sourceNode =
        source != nullptr ? FindBlockNode(source->GetBlockNumber(), loop) : nullptr;
    if (sourceNode == nullptr) {
        return;
    }
    std::vector<CRect> obstacles;
    for (const auto& item : m_document.GetGraphObjects()) {
        auto* other = dynamic_cast<CGraphNode*>(item.get());
        if (other != nullptr && other != &node && other != sourceNode && other->GetLoop() == loop) {
            obstacles.push_back(other->GetRect());
        }
    }
    const CGeneralData& data = m_document.GetGeneralData();
    const std::vector<CPoint> route =
        linkrouter::Route(sourceNode->GetRect(), node.GetRect(), obstacles,
                          data.m_bSnapToGrid ? data.m_gridSpacing.cx : 0);
    std::unique_ptr<CGraphLink> link =
        CGraphLink::CreateBetween(sourceNode, &node, route, std::to_string(address), input);
    if (!link) {
        return;
    }
    link->SetLoop(loop);
    InsertObject(m_document.GetGraphObjects().size(), std::move(link));
}
