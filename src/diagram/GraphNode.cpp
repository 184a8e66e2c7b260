#include "diagram/GraphNode.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "diagram/DrawEllipse.h"
#include "diagram/DrawingGeometry.h"
#include "diagram/DrawingView.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "model/ParamValue.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CGraphNode, CDrawingObject, 2)

namespace {

// Each link reference takes at least its two-byte object tag.
constexpr std::size_t kMinReferenceBytes = 2;

std::unique_ptr<CDrawText> CloneText(const CDrawText* label) {
    if (label == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CDrawingObject> copy = label->Clone();
    return std::unique_ptr<CDrawText>(static_cast<CDrawText*>(copy.release()));
}

// A rectangle of the given size centred on a point.
CRect CenteredRect(CPoint centre, int width, int height) {
    const int32_t left = geometry::WrapSub(centre.x, width / 2);
    const int32_t top = geometry::WrapSub(centre.y, height / 2);
    return CRect(left, top, geometry::WrapAdd(left, width), geometry::WrapAdd(top, height));
}

}  // namespace

CGraphNode::CGraphNode() {
    m_bPen = true;
    m_bBrush = true;
}

CGraphNode::CGraphNode(std::unique_ptr<CDrawingObject> shape, std::unique_ptr<CDrawText> name,
                       std::unique_ptr<CDrawText> number)
    : CGraphNode() {
    m_pShape = std::move(shape);
    m_pName = std::move(name);
    m_pNumber = std::move(number);
    if (m_pShape) {
        SetRect(m_pShape->GetRect());
    }
}

CGraphNode::CGraphNode(const CGraphNode& other)
    : CDrawingObject(other),
      m_pShape(other.m_pShape ? other.m_pShape->Clone() : nullptr),
      m_pName(CloneText(other.m_pName.get())),
      m_pNumber(CloneText(other.m_pNumber.get())),
      m_links(other.m_links) {}

CGraphNode::~CGraphNode() {
    m_links.clear();
}

std::unique_ptr<CDrawingObject> CGraphNode::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CGraphNode(*this));
}

// --- storage -----------------------------------------------------------------

void CGraphNode::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pShape.get());
        ar.WriteObject(m_pName.get());
        ar.WriteObject(m_pNumber.get());
        ar.WriteInt32(static_cast<int32_t>(m_links.size()));
        for (const CGraphLink* link : m_links) {
            ar.WriteObject(link);
        }
        return;
    }
    m_pShape = ar.ReadOwned<CDrawEllipse>();
    m_pName = ar.ReadOwned<CDrawText>();
    m_pNumber = ar.ReadOwned<CDrawText>();
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kMinReferenceBytes) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Link count " + std::to_string(count) + " exceeds the data");
    }
    m_links.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (CObject* link = ar.ReadObject(RUNTIME_CLASS(CGraphLink))) {
            m_links.push_back(static_cast<CGraphLink*>(link));
        }
    }
}

void CGraphNode::SetDocument(CConfDoc* document) {
    CDrawingObject::SetDocument(document);
    for (CDrawingObject* part : {m_pShape.get(), static_cast<CDrawingObject*>(m_pName.get()),
                                 static_cast<CDrawingObject*>(m_pNumber.get())}) {
        if (part != nullptr) {
            part->SetDocument(document);
        }
    }
}

// --- drawing and attributes --------------------------------------------------

void CGraphNode::Draw(CDC& dc) const {
    if (m_pShape) {
        m_pShape->Draw(dc);
    }
    if (m_pName) {
        m_pName->Draw(dc);
    }
    if (m_pNumber) {
        m_pNumber->Draw(dc);
    }
}

bool CGraphNode::IsCircular() const {
    if (!m_pShape) {
        return false;
    }
    const CRect rect = m_pShape->GetRect();
    return rect.Width() == rect.Height();
}

void CGraphNode::LayoutLabels() {
    if (!IsCircular()) {
        return;
    }
    const CRect node = m_rect;
    const CPoint centre = node.CenterPoint();
    const double band = node.Height() / kLabelBandDivisor;
    const CRect nameBand(node.left, node.top, node.right,
                         drawgeom::TruncateToCoordinate(node.top + band));
    const CRect numberBand(node.left, drawgeom::TruncateToCoordinate(node.bottom - band),
                           node.right, node.bottom);

    auto place = [](CDrawText* label, const CRect& bandRect, CPoint bandCentre) {
        if (label == nullptr) {
            return;
        }
        label->SetRect(bandRect);
        label->SetBkMode(TRANSPARENT);
        label->SetFontSize(bandRect.Height(), true);
        // Only the label's rectangle changes here: the views are repainted by
        // whoever changed the node.
        label->MoveTo(CenteredRect(bandCentre, bandRect.Width(), bandRect.Height()), nullptr);
    };
    const int nameHeight = nameBand.Height();
    const int numberHeight = numberBand.Height();
    place(m_pName.get(), nameBand,
          CPoint(centre.x,
                 drawgeom::TruncateToCoordinate(centre.y - nameHeight / kNameRaiseDivisor)));
    place(m_pNumber.get(), numberBand,
          CPoint(centre.x, drawgeom::TruncateToCoordinate(centre.y + numberHeight / 2.0)));
}

void CGraphNode::SetRect(const CRect& rect) {
    if (!m_pShape) {
        CDrawingObject::SetRect(rect);
        return;
    }
    m_pShape->SetRect(rect);
    m_rect = m_pShape->GetRect();
    LayoutLabels();
}

CRect CGraphNode::GetRect() const {
    return m_pShape ? m_pShape->GetRect() : m_rect;
}

CRect CGraphNode::GetInvalidRect() const {
    if (!m_pShape) {
        return CDrawingObject::GetInvalidRect();
    }
    CRect rect = m_pShape->GetInvalidRect();
    for (const CDrawText* label : {m_pName.get(), m_pNumber.get()}) {
        if (label != nullptr) {
            rect.UnionRect(rect, label->GetInvalidRect());
        }
    }
    return rect;
}

void CGraphNode::SetLineWidth(int width) {
    CDrawingObject::SetLineWidth(width);
    if (m_pShape) {
        m_pShape->SetLineWidth(width);
    }
}

void CGraphNode::SetLineColor(COLORREF color) {
    CDrawingObject::SetLineColor(color);
    if (m_pShape) {
        m_pShape->SetLineColor(color);
    }
}

void CGraphNode::SetFillColor(COLORREF color) {
    CDrawingObject::SetFillColor(color);
    if (m_pShape) {
        m_pShape->SetFillColor(color);
    }
}

int CGraphNode::GetLineWidth() const {
    return m_pShape ? m_pShape->GetLineWidth() : CDrawingObject::GetLineWidth();
}

COLORREF CGraphNode::GetLineColor() const {
    return m_pShape ? m_pShape->GetLineColor() : CDrawingObject::GetLineColor();
}

COLORREF CGraphNode::GetFillColor() const {
    return m_pShape ? m_pShape->GetFillColor() : CDrawingObject::GetFillColor();
}

void CGraphNode::SetLogPen(const LOGPEN& pen) {
    CDrawingObject::SetLogPen(pen);
    if (m_pShape) {
        m_pShape->SetLogPen(pen);
    }
}

void CGraphNode::SetLogBrush(const LOGBRUSH& brush) {
    CDrawingObject::SetLogBrush(brush);
    if (m_pShape) {
        m_pShape->SetLogBrush(brush);
    }
}

LOGPEN CGraphNode::GetLogPen() const {
    return m_pShape ? m_pShape->GetLogPen() : CDrawingObject::GetLogPen();
}

LOGBRUSH CGraphNode::GetLogBrush() const {
    return m_pShape ? m_pShape->GetLogBrush() : CDrawingObject::GetLogBrush();
}

void CGraphNode::SetLogFont(const LOGFONT& font) {
    for (CDrawText* label : {m_pName.get(), m_pNumber.get()}) {
        if (label != nullptr) {
            label->SetLogFont(font);
        }
    }
}

LOGFONT CGraphNode::GetLogFont() const {
    if (m_pName) {
        return m_pName->GetLogFont();
    }
    return m_pNumber ? m_pNumber->GetLogFont() : CDrawingObject::GetLogFont();
}

void CGraphNode::SetTextColors(COLORREF text, COLORREF back) {
    for (CDrawText* label : {m_pName.get(), m_pNumber.get()}) {
        if (label != nullptr) {
            label->SetTextColors(text, back);
        }
    }
}

bool CGraphNode::HitTest(CPoint point, CDrawingView* view) const {
    return m_pShape ? m_pShape->HitTest(point, view) : CDrawingObject::HitTest(point, view);
}

CPoint CGraphNode::GetOutlinePoint(CPoint toward, CDrawingView* view) const {
    return m_pShape ? m_pShape->GetOutlinePoint(toward, view)
                    : CDrawingObject::GetOutlinePoint(toward, view);
}

// --- moving ------------------------------------------------------------------

void CGraphNode::MoveTo(const CRect& rect, CDrawingView* view) {
    if (!m_pShape) {
        CDrawingObject::MoveTo(rect, view);
        return;
    }
    Invalidate(view);
    const CSize delta = rect.TopLeft() - m_pShape->GetRect().TopLeft();
    m_pShape->MoveTo(rect, view);
    for (CDrawText* label : {m_pName.get(), m_pNumber.get()}) {
        if (label != nullptr) {
            label->Offset(delta, view);
        }
    }
    m_rect = m_pShape->GetRect();
    Invalidate(view);
}

void CGraphNode::Offset(CSize delta, CDrawingView* view) {
    if (delta == CSize() || !m_pShape) {
        return;
    }
    Invalidate(view);
    BeforeLinksMove(view);
    m_pShape->Offset(delta, view);
    for (CDrawText* label : {m_pName.get(), m_pNumber.get()}) {
        if (label != nullptr) {
            label->Offset(delta, view);
        }
    }
    LinksMoved(delta.cx, delta.cy, view);
    m_rect = m_pShape->GetRect();
    AfterLinksMove(view);
    Invalidate(view);
}

void CGraphNode::MoveHandleTo(int /*handle*/, int /*x*/, int /*y*/, CDrawingView* /*view*/) {}

int CGraphNode::GetHandleCursor(int /*handle*/) const {
    return IDC_NONE;
}

void CGraphNode::SetSize(CDrawingView* view, int width, int height) {
    if (!m_pShape) {
        return;
    }
    const CRect current = m_pShape->GetRect();
    if (current.Width() == width && current.Height() == height) {
        return;
    }
    // From the editor this becomes the "Resize an object" action, which calls
    // SetSize again without a view.
    if (view != nullptr && view->RecordNodeResize(this, width, height)) {
        return;
    }
    ResizeAboutCentre(view, width, height);
}

void CGraphNode::ResizeAboutCentre(CDrawingView* view, int width, int height) {
    Invalidate(view);
    const CPoint centre = m_pShape->GetRect().CenterPoint();
    SetRect(CRect(geometry::WrapSub(centre.x, width / 2), geometry::WrapSub(centre.y, height / 2),
                  geometry::WrapAdd(centre.x, width / 2), geometry::WrapAdd(centre.y, height / 2)));
    AfterLinksMove(view);
    Invalidate(view);
    MarkModified(view);
}

// --- links -------------------------------------------------------------------

void CGraphNode::BeforeLinksMove(CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link != nullptr && link->HasSelectedEnd()) {
            link->NodeWillMove(this, view);
        }
    }
}

void CGraphNode::LinksMoved(int dx, int dy, CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link != nullptr && link->HasSelectedEnd()) {
            link->NodeMoved(dx, dy, this, view);
        }
    }
}

void CGraphNode::AfterLinksMove(CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link != nullptr && link->HasSelectedEnd()) {
            link->NodeHasMoved(this, view);
        }
    }
}

bool CGraphNode::HasLink(const CGraphLink* link) const {
    return std::find(m_links.begin(), m_links.end(), link) != m_links.end();
}

std::string CGraphNode::GetLinkName(const CGraphLink* link) const {
    if (!m_pName) {
        return "FAIL !!!";
    }
    return HasLink(link) ? m_pName->GetText() : std::string();
}

void CGraphNode::AddLink(CGraphLink* link) {
    if (link != nullptr) {
        m_links.push_back(link);
    }
}

void CGraphNode::RemoveRemoteLink(CGraphNode* /*requester*/, const std::string& /*outText*/,
                                  const std::string& /*inText*/, CDrawingView* /*view*/) {}

void CGraphNode::RemoveLink(CGraphLink* link, CDrawingView* /*view*/) {
    auto it = std::find(m_links.begin(), m_links.end(), link);
    if (it != m_links.end()) {
        m_links.erase(it);
    }
}

void CGraphNode::DeleteLinks(CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        CGraphNode::RemoveLink(link, view);
        if (view != nullptr && link != nullptr) {
            view->SelectObject(link, true);
            view->DeleteObject(link);
        }
    }
}

// --- parts -------------------------------------------------------------------

CDrawingObject* CGraphNode::GetShape() const {
    return m_pShape.get();
}

void CGraphNode::SetShape(std::unique_ptr<CDrawingObject> shape) {
    m_pShape = std::move(shape);
    if (m_pShape) {
        m_pShape->SetDocument(m_pDocument);
        m_rect = m_pShape->GetRect();
    }
}

CDrawText* CGraphNode::GetNameLabel() const {
    return m_pName.get();
}

std::string CGraphNode::GetName() const {
    return m_pName ? m_pName->GetText() : std::string();
}

void CGraphNode::SetName(const std::string& name) {
    if (m_pName) {
        m_pName->SetText(name, true);
        LayoutLabels();
    }
}

void CGraphNode::SetNameLabel(std::unique_ptr<CDrawText> label) {
    m_pName = std::move(label);
    if (m_pName) {
        m_pName->SetDocument(m_pDocument);
    }
}

CDrawText* CGraphNode::GetNumberLabel() const {
    return m_pNumber.get();
}

std::string CGraphNode::GetNumberText() const {
    return m_pNumber ? m_pNumber->GetText() : std::string();
}

int CGraphNode::GetNumber() const {
    return ParseLeadingInt(GetNumberText());
}

void CGraphNode::SetNumber(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    SetNumberText(text);
}

void CGraphNode::SetNumberText(const std::string& text) {
    if (m_pNumber) {
        m_pNumber->SetText(text, true);
        LayoutLabels();
    }
}

void CGraphNode::SetNumberLabel(std::unique_ptr<CDrawText> label) {
    m_pNumber = std::move(label);
    if (m_pNumber) {
        m_pNumber->SetDocument(m_pDocument);
    }
}

CPoint CGraphNode::GetAnchor() const {
    return m_pShape ? m_pShape->GetRect().CenterPoint() : GetCenter();
}

bool CGraphNode::GetOutputPorts(CDrawingView* /*view*/, std::string& /*ports*/) {
    return false;
}

bool CGraphNode::GetFreeInputPorts(CDrawingView* /*view*/, std::string& /*ports*/) {
    return false;
}

CPoint CGraphNode::GetTerminalPoint(CPoint /*neighbour*/, int /*portIndex*/) const {
    return CPoint();
}

CConfDoc* CGraphNode::DocumentFor(CDrawingView* view) const {
    CConfDoc* document = view != nullptr ? view->GetDocument() : nullptr;
    return document != nullptr ? document : m_pDocument;
}
