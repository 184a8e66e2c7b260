#include "document/print/PageSetup.h"

#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <cmath>
#include <cstdlib>

#include "document/ConfDoc.h"
#include "document/print/PageHeader.h"
#include "document/print/PrintFonts.h"
#include "platform/gui/DC.h"

namespace {

// The update hint that makes the views take the document's page size.
constexpr long kHintPageSize = 8;

// Printer paper codes of the common sheets.
struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};
constexpr PaperCode kPaperCodes[] = {
    {1, QPageSize::Letter}, {5, QPageSize::Legal},   {7, QPageSize::Executive},
    {8, QPageSize::A3},     {9, QPageSize::A4},      {11, QPageSize::A5},
    {13, QPageSize::B5},    {3, QPageSize::Tabloid},
};

int PaperCodeOf(QPageSize::PageSizeId id) {
    for (const PaperCode& paper : kPaperCodes) {
        if (paper.id == id) {
            return paper.code;
        }
    }
    return 0;
}

}  // namespace

CPageSetup::CPageSetup() = default;

int CPageSetup::ToUnits(int pixels, int dpi) {
    if (dpi <= 0) {
        return 0;
    }
    const double units = static_cast<double>(pixels) * kUnitsPerInch / dpi;
    return static_cast<int>(units < 0 ? std::floor(units) : std::ceil(units));
}

CPageSetup CPageSetup::FromDevice(CSize paperPixels, const CRect& printablePixels, int dpi,
                                  int paperCode, int orientationCode) {
    CPageSetup setup;
    if (dpi <= 0 || paperPixels.cx <= 0 || paperPixels.cy <= 0) {
        return setup;
    }
    setup.m_paper = CSize(ToUnits(paperPixels.cx, dpi), ToUnits(paperPixels.cy, dpi));
    setup.m_printable =
        CRect(ToUnits(printablePixels.left, dpi), ToUnits(printablePixels.top, dpi),
              ToUnits(printablePixels.right, dpi), ToUnits(printablePixels.bottom, dpi));
    setup.m_nPaperCode = paperCode;
    setup.m_nOrientationCode = orientationCode;
    setup.m_bPrinter = true;
    return setup;
}

CPageSetup CPageSetup::FromLayout(const QPageLayout& layout) {
    // Points are 72 per inch, exact for every paper Qt knows.
    const QRect paper = layout.fullRectPoints();
    const QRect printable = layout.paintRectPoints();
    const int orientation = layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    return FromDevice(CSize(paper.width(), paper.height()),
                      CRect(printable.left(), printable.top(), printable.left() + printable.width(),
                            printable.top() + printable.height()),
                      72, PaperCodeOf(layout.pageSize().id()), orientation);
}

QPageLayout CPageSetup::LayoutOf(int paperCode, int orientationCode) {
    QPageSize::PageSizeId id = QPageSize::Letter;
    for (const PaperCode& paper : kPaperCodes) {
        if (paper.code == paperCode) {
            id = paper.id;
        }
    }
    const auto orientation =
        orientationCode == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(QPageSize(id), orientation, QMarginsF(0, 0, 0, 0));
}

CRect CPageSetup::GetBody(CDC& dc) const {
    const int header = CPrintFonts::TextHeight(dc, CPrintFonts::Title(), CPageHeader::kProduct);
    // Two and a half line heights: the date line and the gap down to the body.
    const int lines = (5 * CPrintFonts::LineHeight(dc) + 1) / 2;
    return CRect(m_printable.left + kBodyIndent, m_printable.top + header + lines,
                 m_printable.right, m_printable.bottom);
}

CSize CPageSetup::GetPageSize(CDC& dc) const {
    if (!m_bPrinter) {
        return kDefaultPage;
    }
    const CRect body = GetBody(dc);
    return CSize(body.Width(), body.Height());
}

void CPageSetup::ApplyTo(CConfDoc& document) const {
    CDC dc;
    document.SetPageSetup(GetPageSize(dc), m_nPaperCode, m_nOrientationCode);
    document.UpdateAllViews(nullptr, kHintPageSize, nullptr);
}
