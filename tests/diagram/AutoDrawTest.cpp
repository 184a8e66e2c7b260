#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "diagram/AutoDraw.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "diagram/LoopPainter.h"
#include "diagram/TemplateFile.h"
#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "platform/MessageBox.h"

namespace {

void Add(CConfDoc& doc, int loop, const char* type, int number,
         std::initializer_list<std::pair<const char*, const char*>> links = {}) {
    doc.SelectLoop(loop, false);
    auto block = CBlock::Create(FindBlockTypeByMnemonic(type), number);
    for (const auto& [input, value] : links) {
        ASSERT_TRUE(block->SetParamValue(0, block->FindLinkParam(input), value));
    }
    doc.AddBlock(std::move(block));
}

// Loop 1: AI 001 -> PID 043 (B) -> CO 009 (A); loop 2: CO 010 fed from PID 043.
std::unique_ptr<CConfDoc> Cascade() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    Add(*doc, 1, "AI", 1);
    Add(*doc, 1, "PID", 43, {{"B", "1"}});
    Add(*doc, 1, "CO", 9, {{"A", "55"}});
    Add(*doc, 2, "CO", 10, {{"A", "55"}});
    return doc;
}

template <class T>
std::vector<T*> ObjectsOf(const CConfDoc& doc, int loop) {
    std::vector<T*> found;
    for (const auto& item : doc.GetGraphObjects()) {
        auto* object = dynamic_cast<T*>(item.get());
        if (object != nullptr && object->GetLoop() == loop) {
            found.push_back(object);
        }
    }
    return found;
}

TEST(AutoDraw, DrawsNodesLinksAndConnectorsOnce) {
    auto doc = Cascade();
    const CAutoDraw::Result first = CAutoDraw(*doc, 1, CLoopPainter::kDefaultPage).Run();
    EXPECT_EQ(first.nodes, 3);
    EXPECT_EQ(first.links, 3);  // two in the loop, one to the connector for loop 2
    EXPECT_EQ(first.connectors, 1);
    const auto nodes = ObjectsOf<CConfGraphNode>(*doc, 1);
    ASSERT_EQ(nodes.size(), 3u);
    // Signal flow runs left to right, and no two nodes overlap.
    std::map<int, CRect> rects;
    for (CConfGraphNode* node : nodes) {
        CRect rect = node->GetRect();
        rect.NormalizeRect();
        rects[node->GetNumber()] = rect;
        EXPECT_GE(rect.left, 0);
        EXPECT_LE(rect.right, CLoopPainter::kDefaultPage.cx);
    }
    EXPECT_LT(rects[1].right, rects[43].left);
    EXPECT_LT(rects[43].right, rects[9].left);
    for (const auto& [a, ra] : rects) {
        for (const auto& [b, rb] : rects) {
            EXPECT_TRUE(a == b || !CRect().IntersectRect(ra, rb)) << a << " overlaps " << b;
        }
    }
    // The link into PID's input B carries the AI output's address.
    bool found = false;
    for (CGraphLink* link : ObjectsOf<CGraphLink>(*doc, 1)) {
        if (link->GetInLabel() && link->GetInLabel()->GetText() == "B") {
            found = true;
            EXPECT_EQ(link->GetOutLabel()->GetText(), "1");
            EXPECT_EQ(link->GetFrom()->GetNumber(), 1);
            EXPECT_EQ(link->GetTo()->GetNumber(), 43);
        }
    }
    EXPECT_TRUE(found);
    const auto connectors = ObjectsOf<CConfSpecialNode>(*doc, 1);
    ASSERT_EQ(connectors.size(), 1u);
    EXPECT_EQ(connectors[0]->GetText(), " L2:CO-010");

    const CAutoDraw::Result again = CAutoDraw(*doc, 1, CLoopPainter::kDefaultPage).Run();
    EXPECT_EQ(again.nodes + again.links + again.connectors, 0);

    // Loop 2 gets its incoming connector from loop 1.
    const CAutoDraw::Result second = CAutoDraw(*doc, 2, CLoopPainter::kDefaultPage).Run();
    EXPECT_EQ(second.nodes, 1);
    EXPECT_EQ(second.connectors, 1);
    EXPECT_EQ(ObjectsOf<CConfSpecialNode>(*doc, 2)[0]->GetText(), " L1:PID-043");
}

TEST(AutoDraw, DrawingSurvivesSaveAndOpen) {
    RegisterDrawingClasses();
    auto doc = Cascade();
    CAutoDraw(*doc, 1, CLoopPainter::kDefaultPage).Run();
    CAutoDraw(*doc, 2, CLoopPainter::kDefaultPage).Run();
    const std::string path = testing::TempDir() + "/autodraw-roundtrip.vxp";
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CConfDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path)) << opened.GetLastError();
    EXPECT_EQ(opened.GetGraphObjects().size(), doc->GetGraphObjects().size());
    for (CGraphLink* link : ObjectsOf<CGraphLink>(opened, 1)) {
        ASSERT_NE(link->GetFrom(), nullptr);
        ASSERT_NE(link->GetTo(), nullptr);
    }
    EXPECT_EQ(CAutoDraw(opened, 1, CLoopPainter::kDefaultPage).Run().links, 0);
    std::filesystem::remove(path);
}

TEST(LoopPainter, DrawsThePageAndOnlyTheLoopsObjects) {
    auto doc = Cascade();
    doc->SetPaperColor(RGB(255, 255, 200));
    auto mine = std::make_unique<CDrawRectangle>(CRect(100, 100, 200, 200));
    mine->SetLoop(1);
    mine->SetLogBrush(LOGBRUSH{BS_SOLID, RGB(255, 0, 0), 0});
    doc->AddDrawingObject(std::move(mine));
    auto other = std::make_unique<CDrawRectangle>(CRect(300, 300, 400, 400));
    other->SetLoop(2);
    other->SetLogBrush(LOGBRUSH{BS_SOLID, RGB(0, 0, 255), 0});
    doc->AddDrawingObject(std::move(other));

    const QImage image = CLoopPainter(*doc, 1).Render(1.0);
    auto pixel = [&image](int x, int y) {  // logical units to pixels at zoom 1
        return image.pixelColor(static_cast<int>((x + 20) * 0.96),
                                static_cast<int>((y + 20) * 0.96));
    };
    EXPECT_EQ(pixel(155, 155), QColor(255, 0, 0));
    EXPECT_EQ(pixel(355, 355),
              QColor(255, 255, 200));  // loop 2's object is not drawn (off the grid dots)
    EXPECT_EQ(pixel(-15, -15), QColor(0x80, 0x80, 0x80));  // the surround
}

}  // namespace
