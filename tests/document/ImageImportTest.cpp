#include <gtest/gtest.h>

#include "document/ConfDoc.h"
#include "document/ImageImport.h"
#include "model/BlockTypeTable.h"

namespace {

// Builds .vxi bytes loop record by loop record.
class ImageBuilder {
public:
    ImageBuilder() { m_bytes = {'2', '.', '0', '5', 0, 0}; }

    // Starts a loop record; blocks are added until the next loop or Bytes().
    void Loop(const std::string& name) {
        Close();
        m_loop.assign(8, 0);
        std::copy(name.begin(), name.end(), m_loop.begin());
        m_open = true;
    }
    void Block(int number, int typeNumber, const std::vector<uint8_t>& image) {
        const std::size_t length = 5 + image.size();
        m_loop.insert(m_loop.end(), {static_cast<uint8_t>(length), 0, static_cast<uint8_t>(number),
                                     static_cast<uint8_t>(typeNumber), 0});
        m_loop.insert(m_loop.end(), image.begin(), image.end());
    }
    void RawRecordLength(int length) {
        Close();
        m_bytes.push_back(static_cast<uint8_t>(length));
        m_bytes.push_back(static_cast<uint8_t>(length >> 8));
        m_bytes.push_back(0);
    }
    std::vector<uint8_t> Bytes() {
        Close();
        return m_bytes;
    }

private:
    void Close() {
        if (!m_open) {
            return;
        }
        const int length = static_cast<int>(m_loop.size()) + 1;
        m_bytes.push_back(static_cast<uint8_t>(length));
        m_bytes.push_back(static_cast<uint8_t>(length >> 8));
        m_bytes.push_back(0xEE);  // the skipped byte
        m_bytes.insert(m_bytes.end(), m_loop.begin(), m_loop.end());
        m_open = false;
    }
    std::vector<uint8_t> m_bytes;
    std::vector<uint8_t> m_loop;
    bool m_open = false;
};

std::unique_ptr<CConfDoc> NewDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    return doc;
}

std::vector<uint8_t> ImageOf(const CBlock& block) {
    std::vector<uint8_t> image;
    std::size_t position = 0;
    block.BuildParamImage(image, position, false);
    return image;
}

TEST(ImageImport, ThreeLoopsWithBlocks) {
    auto apid = CBlock::Create(FindBlockTypeByMnemonic("APID"), 40);
    ASSERT_TRUE(apid->SetParamValue(0, 0, "3"));
    ASSERT_TRUE(apid->SetParamValue(2, 1, "42.5"));
    auto ai = CBlock::Create(0, 3);

    ImageBuilder image;
    image.Loop("FLOW");
    image.Block(3, 1, ImageOf(*ai));
    image.Block(40, 9, ImageOf(*apid));
    image.Loop("LEVEL");
    image.Loop("PRESSURE");
    image.Block(118, 33, ImageOf(*CBlock::Create(FindBlockTypeByMnemonic("K"), 118)));

    auto doc = NewDocument();
    EXPECT_EQ(ImportImageBytes(*doc, image.Bytes()), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(doc->GetVersionText()), 4), "2.05");
    EXPECT_EQ(doc->GetLoopName(1), "FLOW");
    EXPECT_EQ(doc->GetLoopName(3), "PRESSURE");
    EXPECT_EQ(doc->GetLoopName(4), "LOOP_4");
    EXPECT_EQ(doc->GetLoopName(5), "LOOP_G");
    EXPECT_EQ(doc->GetBlockCount(4), 0);
    EXPECT_FALSE(doc->GetLoop(1)->IsModified());

    ASSERT_EQ(doc->GetBlockCount(1), 2);
    const CBlock& imported = *doc->GetBlockAt(1, 1);
    EXPECT_EQ(imported.GetName(), "APID");
    EXPECT_EQ(imported.GetOutputAddress(0), 49);
    EXPECT_EQ(imported.GetOutputAddress(1), 50);
    EXPECT_EQ(imported.GetLinkValue(0), 3);
    EXPECT_EQ(imported.GetParamText(2, 1), "42.5");
    EXPECT_EQ(doc->GetBlockLoop(40), 1);
    EXPECT_EQ(doc->GetBlockLoop(118), 3);
    EXPECT_EQ(doc->GetLoop(1)->GetSize(), 6 + 21);
}

TEST(ImageImport, StopRules) {
    auto ai = CBlock::Create(0, 1);
    ImageBuilder image;
    image.Loop("A");
    image.Block(1, 1, ImageOf(*ai));
    image.Block(2, 40, {0, 0, 0, 0});  // type number outside 1..37 ends the loop
    image.Block(5, 1, ImageOf(*ai));
    image.Loop("B");
    image.Block(39, 1, ImageOf(*ai));  // block 39 is no AI block: the loop ends
    image.RawRecordLength(3000);       // oversize record ends the import
    auto doc = NewDocument();
    EXPECT_EQ(ImportImageBytes(*doc, image.Bytes()), 2);
    EXPECT_EQ(doc->GetBlockCount(1), 1);
    EXPECT_EQ(doc->GetBlockCount(2), 0);
    EXPECT_EQ(doc->GetLoopName(3), "LOOP_3");

    // Every truncation of an image imports what is whole and never reads past it.
    const std::vector<uint8_t> bytes = image.Bytes();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        auto partial = NewDocument();
        ImportImageBytes(
            *partial,
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)));
    }
}

TEST(ImageImport, FileNamingAndErrors) {
    const std::string folder = testing::TempDir();
    const std::string path = folder + "/TANKFARM.2.vxi";
    ImageBuilder image;
    image.Loop("TANK");
    const std::vector<uint8_t> bytes = image.Bytes();
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    auto doc = NewDocument();
    ASSERT_TRUE(ImportImageFile(*doc, path));
    EXPECT_EQ(doc->GetConfigurationName(), "TANKFARM");
    EXPECT_TRUE(doc->IsMustSaveAs());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "TANKFARM.vxp");
    std::remove(path.c_str());

    EXPECT_TRUE(IsImageFileName("a/B.VxI"));
    EXPECT_FALSE(IsImageFileName("b.vxp"));
    auto other = NewDocument();
    EXPECT_FALSE(ImportImageFile(*other, folder + "/missing.vxi"));
}

}  // namespace
