#pragma once

#include "platform/Rect.h"
#include "platform/Size.h"

class CDC;
class CConfDoc;
class QPageLayout;

// The printed page in logical units of 96 per inch: the paper, the printable
// area, and the body below the page header where the loop drawings and the
// report go. Made from a printer's page layout, or without a printer the
// default: a US letter sheet (816 x 1056) printable to its edges.
class CPageSetup {
public:
    static constexpr int kUnitsPerInch = 96;
    static constexpr CSize kDefaultPage{816, 1056};
    // The printer paper and orientation codes documents store.
    static constexpr int kPaperLetter = 1;
    static constexpr int kPaperA4 = 9;
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    // The body starts this far right of the printable area's left edge.
    static constexpr int kBodyIndent = 50;

    CPageSetup();
    // A printer's paper and printable area (device pixels at a resolution).
    static CPageSetup FromDevice(CSize paperPixels, const CRect& printablePixels, int dpi,
                                 int paperCode, int orientationCode);
    static CPageSetup FromLayout(const QPageLayout& layout);
    // Pixels at a resolution in units of 96 per inch, rounded away from zero.
    static int ToUnits(int pixels, int dpi);
    // The page layout to give a PDF writer or printer for the stored codes.
    static QPageLayout LayoutOf(int paperCode, int orientationCode);

    CSize GetPaperSize() const { return m_paper; }
    const CRect& GetPrintable() const { return m_printable; }
    // The body: the printable area less the header and the left indent; the
    // line heights come from the context's fonts.
    CRect GetBody(CDC& dc) const;
    // What the document keeps as its page: the paper without a printer, else the
    // paper less the body's margins.
    CSize GetPageSize(CDC& dc) const;
    int GetPaperCode() const { return m_nPaperCode; }
    int GetOrientationCode() const { return m_nOrientationCode; }
    bool HasPrinter() const { return m_bPrinter; }

    // Stores the codes and the page size in the document and tells its views
    // to lay out again.
    void ApplyTo(CConfDoc& document) const;

private:
    // Without a printer the pages keep the quarter inch of paper that most
    // printers cannot print on, so a PDF file reads like a printed sheet.
    static constexpr int kDefaultInset = kUnitsPerInch / 4;

    CSize m_paper = kDefaultPage;
    CRect m_printable{kDefaultInset, kDefaultInset, kDefaultPage.cx - kDefaultInset,
                      kDefaultPage.cy - kDefaultInset};
    int m_nPaperCode = kPaperLetter;
    int m_nOrientationCode = kPortrait;
    bool m_bPrinter = false;
};
