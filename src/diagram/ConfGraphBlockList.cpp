#include "diagram/ConfGraphBlockList.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "model/Loop.h"
#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CConfGraphBlockList, CDrawingGroup, 2)

namespace {

// Used when the current resource module lacks the entry or holds too few fields.
constexpr const char* kDefaultHeadings = "Block List - Execution Order;Order;Name;No.;";
constexpr unsigned kCellFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kTitleWeight = FW_BOLD;

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(';', start);
        if (end == std::string::npos) {
            fields.push_back(text.substr(start));
            break;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// The title is the part before the first "-", without trailing blanks.
std::string CutTitle(const std::string& field) {
    std::string title = field.substr(0, field.find('-'));
    const std::size_t last = title.find_last_not_of(" \t");
    title.erase(last == std::string::npos ? 0 : last + 1);
    return title;
}

std::vector<std::string> LoadHeadings() {
    std::vector<std::string> fields = SplitFields(LoadResString(IDS_BLOCK_LIST_HEADINGS));
    if (fields.size() < 4) {
        fields = SplitFields(kDefaultHeadings);
    }
    fields[0] = CutTitle(fields[0]);
    fields.resize(4);
    return fields;
}

}  // namespace

CConfGraphBlockList::CConfGraphBlockList() = default;

CConfGraphBlockList::CConfGraphBlockList(const CConfGraphBlockList& other)
    : CDrawingGroup(other),
      m_rcOrder(other.m_rcOrder),
      m_rcName(other.m_rcName),
      m_rcNumber(other.m_rcNumber),
      m_nRowHeight(other.m_nRowHeight),
      m_nState(other.m_nState) {}

CConfGraphBlockList::~CConfGraphBlockList() = default;

void CConfGraphBlockList::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    if (ar.IsStoring()) {
        WriteRect(ar, m_rcOrder);
        WriteRect(ar, m_rcName);
        WriteRect(ar, m_rcNumber);
        WriteCoordinate(ar, m_nRowHeight);
        ar.WriteInt32(m_nState);
    } else {
        m_rcOrder = ReadRect(ar);
        m_rcName = ReadRect(ar);
        m_rcNumber = ReadRect(ar);
        m_nRowHeight = ReadCoordinate(ar, "Row height");
        m_nState = ar.ReadInt32();
        m_rcSpare.SetRectEmpty();
    }
    CDrawingGroup::Serialize(ar);
}

void CConfGraphBlockList::Draw(CDC& dc) const {
    CDrawingGroup::Draw(dc);
}

void CConfGraphBlockList::DrawTracker(CDC& dc) const {
    CDrawingObject::DrawTracker(dc);
}

void CConfGraphBlockList::MoveHandleTo(int /*handle*/, int /*x*/, int /*y*/,
                                       CDrawingView* /*view*/) {}

int CConfGraphBlockList::GetHandleCount() const {
    return 8;
}

int CConfGraphBlockList::HitTestHandle(CPoint point, CDrawingView* view) const {
    return CDrawingObject::HitTestHandle(point, view);
}

void CConfGraphBlockList::ShowContextMenu(CDrawingView* view) {
    CDrawingGroup::ShowContextMenu(view);
}

std::unique_ptr<CDrawingObject> CConfGraphBlockList::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CConfGraphBlockList(*this));
}

void CConfGraphBlockList::SetRowHeight(int height) {
    m_nRowHeight = height < 1 ? 1 : height;
}

void CConfGraphBlockList::BuildTable(CDrawingView* view, const CLoop& loop) {
    const std::vector<std::string> headings = LoadHeadings();
    const int rowHeight = m_nRowHeight < 1 ? kDefaultRowHeight : m_nRowHeight;
    const int fontHeight = static_cast<int>(rowHeight / 1.25);

    CRect origin = m_rect;
    origin.NormalizeRect();
    const int x = origin.left;
    const int y = origin.top;
    // Coordinates wrap like the rest of the drawing's arithmetic, so a table
    // placed at the edge of the coordinate range stays well defined.
    const auto add = [](int32_t a, int32_t b) { return geometry::WrapAdd(a, b); };
    const int orderRight = add(x, kOrderWidth);
    const int nameRight = add(orderRight, kNameWidth);
    const int numberRight = add(nameRight, kNumberWidth);

    Invalidate(view);
    // The old table goes with the returned members.
    (void)RemoveAllObjects();

    auto addCell = [&](const CRect& cell, const std::string& text, bool title) {
        auto frame = std::make_unique<CDrawRectangle>(cell);
        frame->SetBrush(false);
        frame->SetLoop(m_nLoop);
        frame->SetDocument(m_pDocument);
        AddObject(std::move(frame), false);

        auto label = std::make_unique<CDrawText>(cell, text);
        label->SetFormat(kCellFormat);
        label->SetFontSize(fontHeight, false);
        if (title) {
            label->SetFontWeight(kTitleWeight);
        }
        label->SetLoop(m_nLoop);
        label->SetDocument(m_pDocument);
        AddObject(std::move(label), false);
    };

    int top = add(y, rowHeight);
    addCell(CRect(x, y, numberRight, top), headings[0], true);
    const CRect orderHead(x, top, orderRight, add(top, rowHeight));
    const CRect nameHead(orderRight, top, nameRight, add(top, rowHeight));
    const CRect numberHead(nameRight, top, numberRight, add(top, rowHeight));
    addCell(orderHead, headings[1], false);
    addCell(nameHead, headings[2], false);
    addCell(numberHead, headings[3], false);

    int order = 0;
    for (int i = 0; i < loop.GetBlockCount(); ++i) {
        const CBlock* block = loop.GetBlock(i);
        if (block == nullptr) {
            continue;
        }
        ++order;
        top = add(top, rowHeight);
        const int bottom = add(top, rowHeight);
        char number[16];
        std::snprintf(number, sizeof number, "%03d", block->GetBlockNumber());
        addCell(CRect(x, top, orderRight, bottom), std::to_string(order), false);
        addCell(CRect(orderRight, top, nameRight, bottom), block->GetName(), false);
        addCell(CRect(nameRight, top, numberRight, bottom), number, false);
    }

    SetRect(CRect(x, y, numberRight, add(top, rowHeight)));
    m_rcOrder = orderHead;
    m_rcName = nameHead;
    m_rcNumber = numberHead;
    m_rcOrder.OffsetRect(0, 1);
    m_rcName.OffsetRect(0, 1);
    m_rcNumber.OffsetRect(0, 1);
    m_rcSpare.SetRectEmpty();
    m_nState = STATE_BUILT;
    Invalidate(view);
}
