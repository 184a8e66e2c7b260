#include "diagram/ConfGraphNode.h"

#include <algorithm>
#include <cstdio>

#include "diagram/BlockServices.h"
#include "diagram/ConfCommNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawingView.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CConfGraphNode, CGraphNode, 2)

namespace {

// Each connector reference takes at least its two-byte object tag.
constexpr std::size_t kMinReferenceBytes = 2;

constexpr COLORREF kBlockFill = RGB(255, 255, 225);

}  // namespace

CConfGraphNode::CConfGraphNode() = default;

CConfGraphNode::CConfGraphNode(std::unique_ptr<CDrawingObject> shape,
                               std::unique_ptr<CDrawText> name, std::unique_ptr<CDrawText> number)
    : CGraphNode(std::move(shape), std::move(name), std::move(number)) {}

CConfGraphNode::CConfGraphNode(const CConfGraphNode& other)
    : CGraphNode(other), m_connectors(other.m_connectors) {}

CConfGraphNode::~CConfGraphNode() {
    m_connectors.clear();
}

std::unique_ptr<CDrawingObject> CConfGraphNode::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CConfGraphNode(*this));
}

std::unique_ptr<CConfGraphNode> CConfGraphNode::CreateForBlock(const CBlock& block, CPoint centre,
                                                               CSize size) {
    const int32_t left = geometry::WrapSub(centre.x, size.cx / 2);
    const int32_t top = geometry::WrapSub(centre.y, size.cy / 2);
    const CRect rect(left, top, geometry::WrapAdd(left, size.cx), geometry::WrapAdd(top, size.cy));
    const int loop = block.GetLoopNumber();

    auto shape = std::make_unique<CDrawEllipse>(rect);
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(1, 1);
    pen.lopnColor = RGB(0, 0, 0);
    shape->SetLogPen(pen);
    shape->SetLogBrush(LOGBRUSH{BS_SOLID, kBlockFill, 0});
    shape->SetLoop(loop);

    auto makeLabel = [&](const std::string& text) {
        auto label = std::make_unique<CDrawText>(rect, text);
        label->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        label->SetBkMode(TRANSPARENT);
        label->SetLoop(loop);
        return label;
    };
    char number[16];
    std::snprintf(number, sizeof number, "%03d", block.GetBlockNumber());

    auto node = std::make_unique<CConfGraphNode>(std::move(shape), makeLabel(block.GetName()),
                                                 makeLabel(number));
    node->SetLoop(loop);
    return node;
}

// --- storage -----------------------------------------------------------------

void CConfGraphNode::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CGraphNode::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(static_cast<int32_t>(m_connectors.size()));
        for (const CConfSpecialNode* connector : m_connectors) {
            ar.WriteObject(connector);
        }
        return;
    }
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kMinReferenceBytes) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Connector count " + std::to_string(count) + " exceeds the data");
    }
    m_connectors.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (CObject* connector = ar.ReadObject(RUNTIME_CLASS(CConfSpecialNode))) {
            m_connectors.push_back(static_cast<CConfSpecialNode*>(connector));
        }
    }
}

// --- the configuration -------------------------------------------------------

CBlock* CConfGraphNode::FindBlock(CDrawingView* view) const {
    CConfDoc* document = DocumentFor(view);
    if (document == nullptr) {
        return nullptr;
    }
    return blockservices::FindBlock(*document, GetNumberText(), m_nLoop);
}

bool CConfGraphNode::GetOutputPorts(CDrawingView* view, std::string& ports) {
    m_strSelectedPort.clear();
    ports.clear();
    const CBlock* block = FindBlock(view);
    if (block == nullptr || block->GetOutputCount() == 0) {
        return false;
    }
    for (int i = 0; i < block->GetOutputCount(); ++i) {
        ports += std::to_string(block->GetOutputAddress(i)) + ";";
    }
    return true;
}

bool CConfGraphNode::GetFreeInputPorts(CDrawingView* view, std::string& ports) {
    m_strSelectedPort.clear();
    ports.clear();
    const CBlock* block = FindBlock(view);
    if (block == nullptr) {
        return false;
    }
    const bool numbered = block->GetBlockNumber() == kScanBlockNumber;
    const int count = block->GetParamCount(PARAM_LINK);
    for (int i = 0; i < count; ++i) {
        if (block->GetLinkValue(i) != 0) {
            continue;
        }
        ports += numbered ? std::to_string(i + 1) : std::string(1, static_cast<char>('A' + i));
        ports += ";";
    }
    return !ports.empty();
}

void CConfGraphNode::SetSelectedPort(const std::string& port) {
    m_strSelectedPort = port == "?" ? std::string() : port;
}

CPoint CConfGraphNode::GetTerminalPoint(CPoint neighbour, int /*portIndex*/) const {
    return GetOutlinePoint(neighbour, nullptr);
}

// --- links -------------------------------------------------------------------

void CConfGraphNode::RemoveLink(CGraphLink* link, CDrawingView* view) {
    if (link != nullptr && HasLink(link)) {
        CGraphNode* to = link->GetTo();
        CConfDoc* document = DocumentFor(view);
        if (to != nullptr && dynamic_cast<CConfSpecialNode*>(to) == nullptr &&
            document != nullptr) {
            blockservices::SetLinkParam(*document, to->GetNumberText(), link->GetInPortText(),
                                        std::string());
        } else if (dynamic_cast<CConfCommNode*>(to) != nullptr && document != nullptr) {
            // A communication point is an input of the scan block.
            blockservices::SetLinkParam(*document, std::to_string(kScanBlockNumber),
                                        link->GetInPortText(), std::string());
        }
    }
    CGraphNode::RemoveLink(link, view);
}

void CConfGraphNode::DeleteLinks(CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link == nullptr) {
            continue;
        }
        if (link->GetFrom() == this && link->GetTo() == this) {
            while (HasLink(link)) {
                RemoveLink(link, view);
            }
        } else {
            link->Disconnect(view);
        }
        if (view != nullptr) {
            view->SelectObject(link, true);
            view->DeleteObject(link);
        }
    }
    if (view != nullptr) {
        view->DeleteBlock(GetNumber());
    } else if (CConfDoc* document = DocumentFor(view)) {
        blockservices::DeleteBlock(*document, GetNumber());
    }
}

void CConfGraphNode::RemoveRemoteLink(CGraphNode* requester, const std::string& outText,
                                      const std::string& inText, CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link == nullptr) {
            continue;
        }
        auto* connector = dynamic_cast<CConfSpecialNode*>(link->GetOtherNode(this));
        if (connector == nullptr || connector->GetOwner() != requester ||
            link->GetOutPortText() != outText || link->GetInPortText() != inText) {
            continue;
        }
        if (connector->GetKind() == CConfSpecialNode::KIND_INCOMING) {
            if (CConfDoc* document = DocumentFor(view)) {
                blockservices::SetLinkParam(*document, GetNumberText(), inText, std::string());
            }
        }
        // Plain removals: the overrides would ask the requester back.
        connector->CGraphNode::RemoveLink(link, view);
        CGraphNode::RemoveLink(link, view);
        if (view != nullptr) {
            view->SelectObject(link, true);
            view->InvalidateObject(link);
            view->DeleteObject(link);
        }
        RemoveConnector(connector, view);
        return;
    }
}

// --- connectors --------------------------------------------------------------

void CConfGraphNode::AddConnector(CConfSpecialNode* connector) {
    if (connector != nullptr &&
        std::find(m_connectors.begin(), m_connectors.end(), connector) == m_connectors.end()) {
        m_connectors.push_back(connector);
    }
}

bool CConfGraphNode::DetachConnector(CConfSpecialNode* connector) {
    auto it = std::find(m_connectors.begin(), m_connectors.end(), connector);
    if (it == m_connectors.end()) {
        return false;
    }
    m_connectors.erase(it);
    return true;
}

void CConfGraphNode::RemoveConnector(CConfSpecialNode* connector, CDrawingView* view) {
    DetachConnector(connector);
    if (view != nullptr && connector != nullptr) {
        view->SelectObject(connector, true);
        view->InvalidateObject(connector);
        view->DeleteObject(connector);
    }
}

CConfSpecialNode* CConfGraphNode::FindConnectorByPort(const std::string& port) const {
    if (port.empty()) {
        return nullptr;
    }
    for (CConfSpecialNode* connector : m_connectors) {
        if (connector == nullptr) {
            continue;
        }
        for (const CGraphLink* link : connector->GetLinks()) {
            if (link != nullptr &&
                (link->GetOutPortText() == port || link->GetInPortText() == port)) {
                return connector;
            }
        }
    }
    return nullptr;
}
