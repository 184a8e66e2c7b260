#include "document/print/PrintJob.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "diagram/DrawingObject.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "document/print/PageHeader.h"
#include "document/print/ParameterReport.h"
#include "platform/gui/DC.h"
#include "platform/gui/GdiConvert.h"

namespace {

constexpr int kLoopCount = 5;
// Loop drawings are in hundredths of an inch.
constexpr int kDrawingUnitsPerInch = 100;
// PDF pages keep block pictures sharp at this resolution.
constexpr int kPdfResolution = 600;

}  // namespace

CPrintJob::CPrintJob(const CConfDoc& document, const CPageSetup& setup,
                     const CPrintSelection& selection)
    : m_document(document), m_setup(setup), m_selection(selection), m_printed(std::time(nullptr)) {}

std::vector<int> CPrintJob::CountLoopPages(const CConfDoc& document) {
    bool has[kLoopCount + 1] = {};
    for (const CConfDoc::DrawingList* list :
         {&document.GetTemplates(), &document.GetObjects(), &document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            const auto* object = dynamic_cast<const CDrawingObject*>(item.get());
            if (object != nullptr && object->GetLoop() >= 1 && object->GetLoop() <= kLoopCount) {
                has[object->GetLoop()] = true;
            }
        }
    }
    std::vector<int> loops;
    for (int n = 1; n <= kLoopCount; ++n) {
        if (has[n]) {
            loops.push_back(n);
        }
    }
    return loops;
}

int CPrintJob::Prepare() {
    m_loopPages.clear();
    m_reportLines.clear();
    m_reportStarts.clear();
    if (m_selection.m_bLoops) {
        m_loopPages = CountLoopPages(m_document);
    }
    if (m_selection.m_bParameters) {
        CDC dc;
        const int pages = CParameterReport::BuildParameterReport(
            m_reportLines, m_document, dc, m_setup.GetBody(dc), m_selection.m_nMode);
        std::size_t start = 0;
        for (int p = 0; p < pages && start < m_reportLines.size(); ++p) {
            m_reportStarts.push_back(start);
            while (start < m_reportLines.size() &&
                   m_reportLines[start] != CParameterReport::kEndPage) {
                ++start;
            }
            ++start;
        }
    }
    return GetPageCount();
}

int CPrintJob::GetPageCount() const {
    return static_cast<int>(m_loopPages.size() + m_reportStarts.size());
}

std::string CPrintJob::GetTitle() const {
    const std::string& name = m_document.GetConfigurationName();
    return name.empty() ? m_document.GetLoopName(kLoopCount) : name;
}

void CPrintJob::MapUnits(CDC& dc, int unitsPerInch, int dpi) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(unitsPerInch, unitsPerInch));
    dc.SetViewportExt(CSize(dpi, dpi));
    dc.SetWindowOrg(CPoint(0, 0));
    dc.SetViewportOrg(CPoint(0, 0));
}

bool CPrintJob::Print(QPagedPaintDevice& device, int first, int last) const {
    const int count = GetPageCount();
    if (last <= 0 || last > count) {
        last = count;
    }
    first = std::max(first, 1);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const int dpi = device.logicalDpiX();
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            return false;
        }
        PrintPage(painter, dpi, page);
    }
    return painter.end();
}

void CPrintJob::PrintPage(QPainter& painter, int dpi, int page) const {
    const int loops = static_cast<int>(m_loopPages.size());
    if (page >= 1 && page <= loops) {
        PrintLoopPage(painter, dpi, m_loopPages[static_cast<std::size_t>(page - 1)], page);
    } else if (page > loops && page <= GetPageCount()) {
        PrintReportPage(painter, dpi, page - loops - 1, page);
    }
}

void CPrintJob::PrintLoopPage(QPainter& painter, int dpi, int loopNumber, int page) const {
    painter.save();
    CRect area = m_setup.GetPrintable();
    {
        CDC dc(painter);
        MapUnits(dc, CPageSetup::kUnitsPerInch, dpi);
        if (m_selection.m_bHeader) {
            const CPageHeader::PageInfo info{m_setup.GetPrintable(), static_cast<unsigned>(page),
                                             static_cast<unsigned>(GetPageCount())};
            CPageHeader::PrintPageHeader(dc, info, GetTitle(), m_document.GetLoopName(loopNumber),
                                         m_printed);
            area = m_setup.GetBody(dc);
        }
    }
    const double scale = static_cast<double>(dpi) / CPageSetup::kUnitsPerInch;
    painter.setClipRect(
        QRectF(area.left * scale, area.top * scale, area.Width() * scale, area.Height() * scale));
    CDC dc(painter);
    const int resolution = LoopResolution(loopNumber, area, dpi);
    MapUnits(dc, kDrawingUnitsPerInch, resolution);
    dc.SetViewportOrg(
        CPoint(static_cast<int>(area.left * scale), static_cast<int>(area.top * scale)));
    CLoopPainter(m_document, loopNumber).DrawObjects(dc);
    painter.restore();
}

// The drawing is printed at its true size when it fits in the body, else made
// smaller until it does: no part of a loop falls off the paper.
int CPrintJob::LoopResolution(int loopNumber, const CRect& body, int dpi) const {
    CSize extent(0, 0);
    for (const CConfDoc::DrawingList* list :
         {&m_document.GetTemplates(), &m_document.GetObjects(), &m_document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            const auto* object = dynamic_cast<const CDrawingObject*>(item.get());
            if (object != nullptr && object->GetLoop() == loopNumber) {
                CRect rect = object->GetInvalidRect();
                rect.NormalizeRect();
                extent.cx = std::max(extent.cx, rect.right);
                extent.cy = std::max(extent.cy, rect.bottom);
            }
        }
    }
    const double perUnit = static_cast<double>(kDrawingUnitsPerInch) / CPageSetup::kUnitsPerInch;
    double fit = 1.0;
    if (extent.cx > 0) {
        fit = std::min(fit, body.Width() * perUnit / extent.cx);
    }
    if (extent.cy > 0) {
        fit = std::min(fit, body.Height() * perUnit / extent.cy);
    }
    return std::max(1, static_cast<int>(dpi * fit));
}

void CPrintJob::PrintReportPage(QPainter& painter, int dpi, int reportPage, int page) const {
    painter.save();
    {
        CDC dc(painter);
        MapUnits(dc, CPageSetup::kUnitsPerInch, dpi);
        const std::size_t first = m_reportStarts[static_cast<std::size_t>(reportPage)];
        const CPageHeader::PageInfo info{m_setup.GetPrintable(), static_cast<unsigned>(page),
                                         static_cast<unsigned>(GetPageCount())};
        CPageHeader::PrintPageHeader(dc, info, GetTitle(), m_reportLines[first], m_printed);
        CParameterReport::PrintReportPage(dc, m_reportLines, first, m_setup.GetBody(dc));
    }
    painter.restore();
}

bool CPrintJob::WritePdf(const std::string& path, std::string& error) const {
    if (GetPageCount() == 0) {
        error = "There is nothing to print.";
        return false;
    }
    QPdfWriter writer(QString::fromLocal8Bit(path.c_str()));
    writer.setResolution(kPdfResolution);
    writer.setCreator("KESTREL");
    writer.setTitle(gdi::ToQString(GetTitle()));
    writer.setPageLayout(
        CPageSetup::LayoutOf(m_setup.GetPaperCode(), m_setup.GetOrientationCode()));
    if (!Print(writer)) {
        error = "Cannot write the file \"" + path + "\".";
        return false;
    }
    return true;
}
