#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>

#include "document/ConfDoc.h"
#include "document/print/PageHeader.h"
#include "document/print/PageSetup.h"
#include "document/print/PrintFonts.h"
#include "platform/gui/DC.h"

namespace {

// Page breaks are the same on every machine only when "Arial" is the
// metric-compatible face that the build installs.
TEST(PrintFonts, ArialResolvesToLiberationSans) {
    EXPECT_EQ(CPrintFonts::ResolvedFamily(), "Liberation Sans");
    CDC dc;
    const int h = CPrintFonts::LineHeight(dc);
    dc.SelectFont(CPrintFonts::Text());
    EXPECT_EQ(h, dc.GetTextHeight() + dc.GetExternalLeading() + 1);
    EXPECT_GE(h, 12);
    EXPECT_LE(h, 14);
}

TEST(PageSetup, UnitsRoundAwayFromZero) {
    EXPECT_EQ(CPageSetup::ToUnits(600, 600), 96);
    EXPECT_EQ(CPageSetup::ToUnits(1, 600), 1);
    EXPECT_EQ(CPageSetup::ToUnits(-1, 600), -1);
    EXPECT_EQ(CPageSetup::ToUnits(4961, 600), 794);  // 793.76
    EXPECT_EQ(CPageSetup::ToUnits(0, 600), 0);
    EXPECT_EQ(CPageSetup::ToUnits(100, 0), 0);
}

TEST(PageSetup, WithoutAPrinterTheDocumentKeepsTheDefaultPage) {
    CDC dc;
    const CPageSetup setup;
    EXPECT_FALSE(setup.HasPrinter());
    EXPECT_EQ(setup.GetPaperSize(), CSize(816, 1056));
    EXPECT_EQ(setup.GetPageSize(dc), CSize(816, 1056));
    const CRect body = setup.GetBody(dc);
    EXPECT_EQ(body.left, setup.GetPrintable().left + 50);
    EXPECT_EQ(body.right, setup.GetPrintable().right);
    EXPECT_EQ(body.bottom, setup.GetPrintable().bottom);
    const int title = CPrintFonts::TextHeight(dc, CPrintFonts::Title(), CPageHeader::kProduct);
    EXPECT_EQ(body.top,
              setup.GetPrintable().top + title + (5 * CPrintFonts::LineHeight(dc) + 1) / 2);
}

TEST(PageSetup, PrinterPaperInUnitsAndTheBodyAsThePage) {
    CDC dc;
    // A4 at 600 dpi with a printable area starting 0.2 inch in.
    const CPageSetup setup =
        CPageSetup::FromDevice(CSize(4961, 7016), CRect(120, 120, 4841, 6896), 600,
                               CPageSetup::kPaperA4, CPageSetup::kPortrait);
    EXPECT_TRUE(setup.HasPrinter());
    EXPECT_EQ(setup.GetPaperSize(), CSize(794, 1123));
    EXPECT_EQ(setup.GetPrintable(), CRect(20, 20, 775, 1104));  // 774.56 and 1103.36 round up
    const CRect body = setup.GetBody(dc);
    EXPECT_EQ(setup.GetPageSize(dc), CSize(body.Width(), body.Height()));

    auto doc = std::make_unique<CConfDoc>();
    setup.ApplyTo(*doc);
    EXPECT_EQ(doc->GetPageSize(), setup.GetPageSize(dc));
    EXPECT_EQ(doc->GetPaperSize(), 9);
    EXPECT_EQ(doc->GetOrientation(), 1);
}

TEST(PageSetup, FromAPageLayout) {
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                             QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    const CPageSetup setup = CPageSetup::FromLayout(layout);
    EXPECT_EQ(setup.GetPaperCode(), CPageSetup::kPaperA4);
    EXPECT_EQ(setup.GetOrientationCode(), CPageSetup::kLandscape);
    EXPECT_EQ(setup.GetPaperSize(), CSize(1123, 794));
    EXPECT_EQ(setup.GetPrintable(), CRect(24, 24, 1099, 770));
    const QPageLayout back = CPageSetup::LayoutOf(CPageSetup::kPaperA4, CPageSetup::kLandscape);
    EXPECT_EQ(back.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(back.orientation(), QPageLayout::Landscape);
}

TEST(PageHeader, Texts) {
    EXPECT_EQ(CPageHeader::FormatPage(3, 12), "Page: 003 of 012");
    EXPECT_EQ(CPageHeader::FormatPage(1000, 1), "Page: 1000 of 001");
    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 0;
    moment.tm_mday = 7;
    moment.tm_hour = 9;
    moment.tm_min = 5;
    moment.tm_sec = 3;
    moment.tm_isdst = -1;
    EXPECT_EQ(CPageHeader::FormatTime(std::mktime(&moment)), "07/01/2026 - 09:05:03");
}

}  // namespace
