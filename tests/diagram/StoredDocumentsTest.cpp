// Documents kept under tests/fixtures: the layouts and schemas older programs
// wrote (made once, by a writer of their own, and never written again), the
// current layout, and files that once made the reader misbehave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/DrawingClasses.h"
#include "diagram/DrawingObject.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "support/TestPaths.h"

namespace {

class StoredDocumentsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_previous = SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
    }
    void TearDown() override { SetMessageBoxHandler(m_previous); }

    static std::vector<uint8_t> Bytes(const std::string& fixture) {
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(ReadFileBytes(testpaths::Fixture(fixture), 1 << 20, bytes, error)) << error;
        return bytes;
    }
    static void Load(CConfDoc& doc, const std::vector<uint8_t>& bytes) {
        CArchive ar(bytes);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        doc.RebuildFromLoops();
    }
    static std::vector<uint8_t> Store(CConfDoc& doc) {
        CArchive ar;
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        return ar.GetBuffer();
    }
    static const CDrawingObject& Object(const CConfDoc& doc, std::size_t index) {
        return *dynamic_cast<const CDrawingObject*>(doc.GetObjects().at(index).get());
    }
    // Every fixture holds the same configuration: a level loop whose analog input
    // feeds the controller's process variable, and a constant block in LOOP G.
    static void ExpectTheLevelConfiguration(const CConfDoc& doc) {
        EXPECT_EQ(doc.GetLoopName(1), "LEVEL");
        EXPECT_EQ(doc.GetLoopName(5), "OLDPLANT");
        ASSERT_EQ(doc.GetBlockCount(1), 2);
        EXPECT_EQ(doc.GetBlockAt(0, 1)->GetBlockNumber(), 1);
        const CBlock& apid = *doc.GetBlockAt(1, 1);
        EXPECT_EQ(apid.GetBlockNumber(), 39);
        EXPECT_EQ(apid.GetLinkValue(1), 1);  // LIB: AI001.OUT001
        EXPECT_EQ(apid.GetLinkValue(0), 0);
        EXPECT_EQ(apid.GetLoopNumber(), 1);
        EXPECT_EQ(doc.GetBlockAt(0, 5)->GetBlockNumber(), 118);
        EXPECT_EQ(doc.GetBlockAt(0, 5)->GetLoopNumber(), 5);
        EXPECT_EQ(doc.GetLoop(1)->GetSize(), 27);
        ASSERT_EQ(doc.GetObjects().size(), 2u);
        EXPECT_EQ(Object(doc, 0).GetRect(), CRect(10, 10, 200, 100));
        EXPECT_EQ(Object(doc, 1).GetLoop(), 5);
    }

    MessageBoxHandler m_previous;
};

TEST_F(StoredDocumentsTest, OldestLayoutWithoutInformationBlock) {
    CConfDoc doc;
    Load(doc, Bytes("document-old-kind-0.vxp"));
    EXPECT_EQ(doc.GetFormatVersion(), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(doc.GetVersionText()), 4), "1.23");
    EXPECT_EQ(doc.GetPaperColor(), 0x00E0F0FFu);
    EXPECT_EQ(doc.GetPageSize(), CSize(207, 268));
    // No information block: nothing is invented for it.
    for (int field = 0; field < CConfDoc::INFO_COUNT; ++field) {
        EXPECT_EQ(doc.GetInfo(field), "") << field;
    }
    EXPECT_EQ(doc.GetCreationTime(), 0);
    EXPECT_FALSE(doc.IsStamped());
    EXPECT_EQ(doc.GetControllerModel(), CConfiguration::MODEL_VAREX_PLUS);
    ExpectTheLevelConfiguration(doc);
    // Loop schema 1, block schema 2: the blocks take the loop's number and get
    // their outputs named by the catalogue; shapes of schema 1 have no
    // background mode of their own.
    EXPECT_EQ(doc.GetBlockAt(0, 1)->GetUserTag(0), "AI001.OUT001");
    EXPECT_EQ(Object(doc, 0).GetBkMode(), 1);
}

TEST_F(StoredDocumentsTest, OldLayoutWithPaperSettings) {
    CConfDoc doc;
    Load(doc, Bytes("document-old-kind-1.vxp"));
    EXPECT_EQ(doc.GetPaperSize(), 9);
    EXPECT_EQ(doc.GetOrientation(), 1);
    EXPECT_EQ(doc.GetInfo(CConfDoc::INFO_COMPANY), "");
    ExpectTheLevelConfiguration(doc);
}

TEST_F(StoredDocumentsTest, OldLayoutWithInformationAndModel) {
    CConfDoc doc;
    Load(doc, Bytes("document-old-kind-4.vxp"));
    EXPECT_EQ(doc.GetInfo(CConfDoc::INFO_COMPANY), "Old Works");
    EXPECT_EQ(doc.GetInfo(CConfDoc::INFO_DESCRIPTION), "Written by an older program");
    EXPECT_EQ(doc.GetInfo(CConfDoc::INFO_CREATION_VERSION), "2.1");
    EXPECT_EQ(doc.GetCreationTime(), 946684800);
    EXPECT_EQ(doc.GetRevisionTime(), 978307200);
    EXPECT_TRUE(doc.IsStamped());
    EXPECT_EQ(doc.GetControllerModel(), CConfiguration::MODEL_VAREX);
    ExpectTheLevelConfiguration(doc);
    // Block schema 3 keeps the stored outputs and the user's tags.
    EXPECT_EQ(doc.GetBlockAt(0, 1)->GetUserTag(0), "LT-101");
}

TEST_F(StoredDocumentsTest, FormatThreeHasNoModelField) {
    CConfDoc doc;
    Load(doc, Bytes("document-format-3.vxp"));
    EXPECT_EQ(doc.GetFormatVersion(), 3);
    EXPECT_EQ(doc.GetControllerModel(), CConfiguration::MODEL_VAREX_PLUS);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(doc.GetVersionText()), 4), "3.00");
    EXPECT_EQ(doc.GetInfo(CConfDoc::INFO_PROJECT), "Tank farm");
    ExpectTheLevelConfiguration(doc);
    EXPECT_EQ(Object(doc, 0).GetBkMode(), 2);
}

// The current layout reads and writes back to the very same bytes; every older
// one is written in the current layout, which then does the same.
TEST_F(StoredDocumentsTest, EveryLayoutEndsInAStableCurrentFile) {
    const std::vector<uint8_t> current = Bytes("document-format-4.vxp");
    CConfDoc plant;
    Load(plant, current);
    EXPECT_EQ(plant.GetFormatVersion(), 4);
    EXPECT_EQ(Store(plant), current);

    for (const char* fixture : {"document-old-kind-0.vxp", "document-old-kind-1.vxp",
                                "document-old-kind-4.vxp", "document-format-3.vxp"}) {
        SCOPED_TRACE(fixture);
        CConfDoc old;
        Load(old, Bytes(fixture));
        const std::vector<uint8_t> rewritten = Store(old);
        EXPECT_EQ(rewritten.at(0), 4);
        CConfDoc again;
        Load(again, rewritten);
        ExpectTheLevelConfiguration(again);
        EXPECT_EQ(Store(again), rewritten);
    }
}

// A text object's rectangle at the integer limit overflowed the layout of its
// text while the document loaded; now the file is refused with the reason.
TEST_F(StoredDocumentsTest, CoordinatesAtTheIntegerLimitAreRefusedOnLoad) {
    CConfDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(testpaths::Fixture("document-text-overflow.vxp")));
    EXPECT_NE(doc.GetLastError().find("lies outside the drawing area"), std::string::npos)
        << doc.GetLastError();
}

// A link ending at a node on the edge of the drawing area got its arrow
// head laid out a few units past it while loading; the program then wrote a
// file it refused to open again (found by the document fuzzer).
TEST_F(StoredDocumentsTest, ADocumentLaidOutPastTheEdgeStillOpensOnceSaved) {
    CConfDoc doc;
    Load(doc, Bytes("document-arrow-past-edge.vxp"));
    const std::vector<uint8_t> stored = Store(doc);
    CConfDoc again;
    Load(again, stored);
    EXPECT_EQ(again.GetGraphObjects().size(), doc.GetGraphObjects().size());
}

}  // namespace
