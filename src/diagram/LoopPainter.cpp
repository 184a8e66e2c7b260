#include "diagram/LoopPainter.h"

#include <QImage>
#include <cmath>
#include <vector>

#include "diagram/DrawingObject.h"
#include "document/ConfDoc.h"
#include "platform/gui/DC.h"

namespace {

constexpr COLORREF kSurround = 0x808080;
constexpr COLORREF kWindowFrame = RGB(0, 0, 0);

}  // namespace

CLoopPainter::CLoopPainter(const CConfDoc& document, int loopNumber, CSize page)
    : m_document(document), m_nLoop(loopNumber), m_page(page) {}

bool CLoopPainter::IsOnLoop(const CDrawingObject& object) const {
    return object.GetLoop() == m_nLoop;
}

void CLoopPainter::PrepareMapping(CDC& dc, double zoom) {
    const int resolution = static_cast<int>(96.0 * zoom);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(100, 100));
    dc.SetViewportExt(CSize(resolution, resolution));
    dc.SetViewportOrg(CPoint(0, 0));
    dc.SetWindowOrg(CPoint(-kPageMargin, -kPageMargin));
}

void CLoopPainter::Draw(CDC& dc, const CRect& clip) const {
    CRect surround = clip;
    surround.InflateRect(5, 5);
    dc.FillSolidRect(surround, kSurround);
    DrawPage(dc);
    DrawGrid(dc);
    DrawObjects(dc);
}

void CLoopPainter::DrawPage(CDC& dc) const {
    LOGPEN frame{};
    frame.lopnStyle = PS_SOLID;
    frame.lopnWidth = CPoint(1, 1);
    frame.lopnColor = kWindowFrame;
    LOGBRUSH paper{};
    paper.lbStyle = BS_SOLID;
    paper.lbColor = m_document.GetPaperColor();
    const LOGPEN oldPen = dc.SelectPen(frame);
    const LOGBRUSH oldBrush = dc.SelectBrush(paper);
    dc.Rectangle(CRect(0, 0, m_page.cx + 1, m_page.cy + 1));
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

void CLoopPainter::DrawGrid(CDC& dc) const {
    const CGeneralData& data = m_document.GetGeneralData();
    if (!data.m_bShowGrid || data.m_gridSpacing.cx <= 0 || data.m_gridSpacing.cy <= 0) {
        return;
    }
    std::vector<CPoint> dots;
    for (int x = data.m_gridSpacing.cx; x <= m_page.cx + 1; x += data.m_gridSpacing.cx) {
        for (int y = data.m_gridSpacing.cy; y <= m_page.cy + 1; y += data.m_gridSpacing.cy) {
            dots.emplace_back(x, y);
        }
    }
    dc.SetPixels(dots.data(), static_cast<int>(dots.size()), data.m_crGrid);
}

void CLoopPainter::DrawObjects(CDC& dc) const {
    dc.SetGraphicsMode(GM_ADVANCED);
    for (const CConfDoc::DrawingList* list :
         {&m_document.GetTemplates(), &m_document.GetObjects(), &m_document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            const auto* object = dynamic_cast<const CDrawingObject*>(item.get());
            if (object != nullptr && IsOnLoop(*object)) {
                object->Draw(dc);
            }
        }
    }
    dc.ModifyWorldTransform(nullptr, MWT_IDENTITY);
    dc.SetGraphicsMode(GM_COMPATIBLE);
}

QImage CLoopPainter::Render(double zoom) const {
    const double pixelsPerUnit = 0.96 * zoom;
    const int width = static_cast<int>(std::ceil((m_page.cx + 2 * kPageMargin) * pixelsPerUnit));
    const int height = static_cast<int>(std::ceil((m_page.cy + 2 * kPageMargin) * pixelsPerUnit));
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(image);
    PrepareMapping(dc, zoom);
    Draw(dc, CRect(-kPageMargin, -kPageMargin, m_page.cx + kPageMargin, m_page.cy + kPageMargin));
    return image;
}
