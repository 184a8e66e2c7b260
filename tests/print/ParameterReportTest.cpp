#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/ConfDoc.h"
#include "document/print/PageSetup.h"
#include "document/print/ParameterReport.h"
#include "document/print/PrintFonts.h"
#include "model/BlockTypeTable.h"
#include "platform/gui/DC.h"

namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<CConfDoc> NewDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    return doc;
}

CBlock& AddBlock(CConfDoc& doc, int loop, const char* type, int number) {
    doc.SelectLoop(loop, false);
    doc.AddBlock(CBlock::Create(FindBlockTypeByMnemonic(type), number));
    CLoop& target = *doc.GetLoop(loop);
    return *target.GetBlock(target.GetBlockCount() - 1);
}

int Count(const Lines& lines, const std::string& text) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

class ParameterReportTest : public testing::Test {
protected:
    int Build(Lines& lines, int mode, CRect body = CRect()) {
        if (body.IsRectEmpty()) {
            body = CPageSetup().GetBody(m_dc);
        }
        return CParameterReport::BuildParameterReport(lines, *m_doc, m_dc, body, mode);
    }
    int LineHeight() { return CPrintFonts::LineHeight(m_dc); }

    CDC m_dc;
    std::unique_ptr<CConfDoc> m_doc = NewDocument();
};

TEST_F(ParameterReportTest, SmallDocumentInBothModes) {
    AddBlock(*m_doc, 1, "AI", 1).SetParamValue(PARAM_CONF, 2, "1");
    m_doc->SetLoopName(1, "LEVEL");
    AddBlock(*m_doc, 5, "K", 118).SetParamValue(PARAM_ADJ, 1, "12.5");
    m_doc->SetLoopName(5, "PLANT");

    Lines all;
    EXPECT_EQ(Build(all, CParameterReport::MODE_ALL), 2);
    const Lines expectedAll = {
        "List of Parameters from LOOP 1: LEVEL",
        "1 - BLK-001 : Analog Input",
        "Link Info;Conf Info;Adj Info;",
        "-;-;-;",
        "CFRT = 0;CLIN = 0;CSQR = 1;",
        "ACUT = 0.;ATIM = 0.2;-;",
        "EndPage",
        "List of Parameters from LOOP G: PLANT",
        "1 - BLK-118 : Constants",
        "Link Info;Conf Info;Adj Info;",
        "-;-;-;-;-;-;-;-;-;-;",
        "-;-;-;-;-;-;-;-;-;-;",
        "AK01 = 0.;AK02 = 12.5;AK03 = 0.;AK04 = 0.;AK05 = 0.;AK06 = 0.;AK07 = 0.;AK08 = 0.;"
        "AK09 = 0.;AK10 = 0.;",
    };
    EXPECT_EQ(all, expectedAll);

    Lines changed;
    EXPECT_EQ(Build(changed, CParameterReport::MODE_CHANGED), 2);
    ASSERT_EQ(changed.size(), all.size());
    EXPECT_EQ(changed[0], "List of Changed Parameters from LOOP 1: LEVEL");
    EXPECT_EQ(changed[4], "-;-;CSQR = 1;");
    EXPECT_EQ(changed[5], "-;-;-;");
    EXPECT_EQ(changed[7], "List of Changed Parameters from LOOP G: PLANT");
    EXPECT_EQ(changed[12], "-;AK02 = 12.5;-;-;-;-;-;-;-;-;");
}

TEST_F(ParameterReportTest, NoBlocksGiveNoLinesAndNoPages) {
    Lines lines{"left over"};
    EXPECT_EQ(Build(lines, CParameterReport::MODE_ALL), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(Build(lines, CParameterReport::MODE_CHANGED), 0);
    EXPECT_TRUE(lines.empty());
}

TEST_F(ParameterReportTest, DefaultValuesPrintOnlyDashesWhenChangedAreAsked) {
    for (const char* type : {"AI", "APID", "K"}) {
        AddBlock(*m_doc, 1, type, GetFirstBlockNumber(FindBlockTypeByMnemonic(type)));
    }
    Lines lines;
    Build(lines, CParameterReport::MODE_CHANGED);
    int valueLines = 0;
    for (const std::string& line : lines) {
        if (line.find('=') != std::string::npos) {
            ADD_FAILURE() << "a default value printed: " << line;
        }
        if (line.rfind("-;", 0) == 0) {
            ++valueLines;
        }
    }
    EXPECT_EQ(valueLines, 9);
}

TEST_F(ParameterReportTest, ScanBlockMakesFortyEntriesInEveryValueLine) {
    AddBlock(*m_doc, 5, "SCN", 119);
    Lines lines;
    Build(lines, CParameterReport::MODE_ALL);
    ASSERT_EQ(lines.size(), 6U);
    for (std::size_t i = 3; i < 6; ++i) {
        EXPECT_EQ(CParameterReport::SplitEntries(lines[i]).size(), 40U) << lines[i];
    }
    EXPECT_EQ(lines[3].substr(0, 9), "LI1 = 0;L");
    EXPECT_EQ(lines[5], [] {
        std::string dashes;
        for (int i = 0; i < 40; ++i) {
            dashes += "-;";
        }
        return dashes;
    }());
}

// Two AI blocks (three rows each): the first pays for three more rows, so the
// second needs (3 + 0 + 1) x h + 4 below the first's (3 + 3 + 1) x h + 4 and
// the two line heights after it.
TEST_F(ParameterReportTest, PageBreaksFollowTheRowsOfEachBlock) {
    AddBlock(*m_doc, 1, "AI", 1);
    AddBlock(*m_doc, 1, "AI", 2);
    const int h = LineHeight();
    const int both = (7 * h + 4) + 2 * h + (4 * h + 4);

    Lines lines;
    EXPECT_EQ(Build(lines, CParameterReport::MODE_ALL, CRect(0, 100, 500, 100 + both)), 1);
    EXPECT_EQ(Count(lines, "EndPage"), 0);

    EXPECT_EQ(Build(lines, CParameterReport::MODE_ALL, CRect(0, 100, 500, 100 + both - 1)), 2);
    ASSERT_EQ(lines.size(), 13U);
    EXPECT_EQ(lines[6], "EndPage");
    EXPECT_EQ(lines[7], lines[0]);  // the loop title again
    EXPECT_EQ(lines[8], "2 - BLK-002 : Analog Input");
}

TEST_F(ParameterReportTest, LongGeneralLoopRepeatsItsTitleOnEveryPage) {
    m_doc->SetLoopName(5, "PLANT");
    for (int number = 1; number <= 8; ++number) {
        AddBlock(*m_doc, 5, "AI", number);
    }
    const int h = LineHeight();
    // A body where three AI blocks fit: pages of 3, 3 and 2 blocks.
    const int three = (7 * h + 4) + 2 * (2 * h + 4 * h + 4);
    Lines lines;
    EXPECT_EQ(Build(lines, CParameterReport::MODE_ALL, CRect(0, 0, 500, three)), 3);
    EXPECT_EQ(Count(lines, "EndPage"), 2);
    EXPECT_EQ(Count(lines, "List of Parameters from LOOP G: PLANT"), 3);
    EXPECT_EQ(lines.front(), "List of Parameters from LOOP G: PLANT");
    EXPECT_NE(lines.back(), "EndPage");
}

// Every page of lines is counted, also a loop's last page that ends low on
// the body, so that printing never leaves a page out.
TEST_F(ParameterReportTest, PageCountMatchesThePagesOfLines) {
    for (int number = 1; number <= 8; ++number) {
        AddBlock(*m_doc, 1, "AI", number);
        AddBlock(*m_doc, 2, "APID", 38 + number);
    }
    const int h = LineHeight();
    for (int height = 10 * h; height < 60 * h; height += 7) {
        Lines lines;
        const int pages = Build(lines, CParameterReport::MODE_ALL, CRect(0, 0, 500, height));
        EXPECT_EQ(pages, Count(lines, "EndPage") + 1) << "body height " << height;
    }
}

TEST_F(ParameterReportTest, BlockTallerThanTheBodyGetsAPageOfItsOwn) {
    AddBlock(*m_doc, 5, "SCN", 119);
    AddBlock(*m_doc, 5, "K", 118);
    Lines lines;
    EXPECT_EQ(Build(lines, CParameterReport::MODE_ALL, CRect(0, 0, 500, 100)), 2);
    EXPECT_EQ(Count(lines, "EndPage"), 1);
}

}  // namespace
