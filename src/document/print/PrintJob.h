#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "document/print/PageSetup.h"

class CConfDoc;
class CDC;
class QPainter;
class QPagedPaintDevice;

// What the user chose to print.
struct CPrintSelection {
    bool m_bLoops = true;
    bool m_bHeader = true;
    bool m_bParameters = true;
    int m_nMode = 0;  // 0 every value, 1 only the values that differ from their defaults
};

// One printing of a document: the loop pages (one per loop that has drawing
// objects) followed by the pages of the parameter report, drawn on a printer
// or a PDF file at that device's resolution.
class CPrintJob {
public:
    CPrintJob(const CConfDoc& document, const CPageSetup& setup, const CPrintSelection& selection);

    // The loops 1..5 that own a template, drawing object or graph object.
    static std::vector<int> CountLoopPages(const CConfDoc& document);

    // Counts the loop pages and builds the report as selected; the total.
    int Prepare();
    int GetPageCount() const;
    const std::vector<int>& GetLoopPages() const { return m_loopPages; }
    const std::vector<std::string>& GetReportLines() const { return m_reportLines; }
    int GetReportPageCount() const { return static_cast<int>(m_reportStarts.size()); }
    // The time the headers show (now, unless set).
    void SetPrintTime(std::time_t time) { m_printed = time; }

    // Draws pages first..last (1-based) on a paged device whose painter starts
    // at the paper's corner; false when the device cannot be painted on.
    bool Print(QPagedPaintDevice& device, int first = 1, int last = 0) const;
    // Draws one page with a painter at a resolution.
    void PrintPage(QPainter& painter, int dpi, int page) const;
    // Writes every page to a PDF file on the document's paper.
    bool WritePdf(const std::string& path, std::string& error) const;
    // Pixels per inch of a loop's drawing in a body on a device of a resolution.
    int LoopResolution(int loopNumber, const CRect& body, int dpi) const;

private:
    void PrintLoopPage(QPainter& painter, int dpi, int loopNumber, int page) const;
    void PrintReportPage(QPainter& painter, int dpi, int reportPage, int page) const;
    static void MapUnits(CDC& dc, int unitsPerInch, int dpi);
    std::string GetTitle() const;

    const CConfDoc& m_document;
    CPageSetup m_setup;
    CPrintSelection m_selection;
    std::time_t m_printed;
    std::vector<int> m_loopPages;
    std::vector<std::string> m_reportLines;
    std::vector<std::size_t> m_reportStarts;
};
