// The block list picture: the table built from a loop, rebuilding, storage
// with its own fields before the group, and the drawn table.
#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <vector>

#include "diagram/ConfGraphBlockList.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "diagram/FakeDrawingView.h"
#include "model/Loop.h"
#include "platform/Archive.h"
#include "platform/ResourceModule.h"
#include "platform/StringTable.h"
#include "platform/gui/DC.h"

namespace {

std::unique_ptr<CLoop> MakeLoop(std::initializer_list<std::pair<const char*, int>> blocks) {
    auto loop = std::make_unique<CLoop>(1, "LOOP_1");
    for (const auto& [name, number] : blocks) {
        loop->AddBlock(std::make_unique<CBlock>(name, number, 0));
    }
    return loop;
}

std::unique_ptr<CLoop> ThreeBlocks() {
    return MakeLoop({{"AI", 1}, {"PID", 12}, {"AO", 45}});
}

template <class T>
std::vector<const T*> Members(const CDrawingGroup& group) {
    std::vector<const T*> members;
    for (int i = 0; i < group.GetObjectCount(); ++i) {
        if (auto* member = dynamic_cast<const T*>(group.GetObjectAt(i))) {
            members.push_back(member);
        }
    }
    return members;
}

std::unique_ptr<CConfGraphBlockList> PlacedAt(int x, int y) {
    auto list = std::make_unique<CConfGraphBlockList>();
    list->SetRect(CRect(x, y, x, y));
    list->SetLoop(1);
    return list;
}

TEST(BlockList, BuildTableLaysOutTitleHeadingsAndOneRowPerBlock) {
    std::unique_ptr<CConfGraphBlockList> list = PlacedAt(100, 50);
    CFakeDrawingView view;
    list->BuildTable(&view, *ThreeBlocks());

    const std::vector<std::pair<std::string, CRect>> expected = {
        {"Block List", {100, 50, 180, 60}}, {"Order", {100, 60, 130, 70}},
        {"Name", {130, 60, 160, 70}},       {"No.", {160, 60, 180, 70}},
        {"1", {100, 70, 130, 80}},          {"AI", {130, 70, 160, 80}},
        {"001", {160, 70, 180, 80}},        {"2", {100, 80, 130, 90}},
        {"PID", {130, 80, 160, 90}},        {"012", {160, 80, 180, 90}},
        {"3", {100, 90, 130, 100}},         {"AO", {130, 90, 160, 100}},
        {"045", {160, 90, 180, 100}},
    };
    const auto texts = Members<CDrawText>(*list);
    const auto frames = Members<CDrawRectangle>(*list);
    ASSERT_EQ(texts.size(), expected.size());
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts[i]->GetText(), expected[i].first) << i;
        EXPECT_EQ(texts[i]->GetRect(), expected[i].second) << expected[i].first;
        EXPECT_EQ(texts[i]->GetLogFont().lfHeight, -8) << i;
        EXPECT_EQ(texts[i]->GetLogFont().lfWeight, i == 0 ? FW_BOLD : FW_NORMAL) << i;
        EXPECT_EQ(frames[i]->GetRect(), expected[i].second) << i;
        EXPECT_FALSE(frames[i]->HasFill()) << i;
    }
    EXPECT_EQ(list->GetRect(), CRect(100, 50, 180, 100));
    EXPECT_EQ(list->GetOrderRect(), CRect(100, 61, 130, 71));
    EXPECT_EQ(list->GetNameRect(), CRect(130, 61, 160, 71));
    EXPECT_EQ(list->GetNumberRect(), CRect(160, 61, 180, 71));
    EXPECT_EQ(list->GetState(), CConfGraphBlockList::STATE_BUILT);
    EXPECT_FALSE(view.m_invalidated.empty());
}

TEST(BlockList, RebuildingReplacesTheTableAtTheCurrentPlace) {
    std::unique_ptr<CConfGraphBlockList> list = PlacedAt(0, 0);
    list->BuildTable(nullptr, *ThreeBlocks());
    EXPECT_EQ(list->GetObjectCount(), 26);

    // Moved, then rebuilt for a shorter loop: the table shrinks and follows.
    list->Offset(CSize(20, 30), nullptr);
    list->BuildTable(nullptr, *MakeLoop({{"TOT", 120}}));
    ASSERT_EQ(list->GetObjectCount(), 14);
    const auto texts = Members<CDrawText>(*list);
    EXPECT_EQ(texts[6]->GetText(), "120");
    EXPECT_EQ(texts[6]->GetRect(), CRect(80, 50, 100, 60));
    EXPECT_EQ(list->GetRect(), CRect(20, 30, 100, 60));
    EXPECT_EQ(list->GetOrderRect(), CRect(20, 41, 50, 51));

    // Handles leave the table as it is.
    list->MoveHandleTo(5, 400, 400, nullptr);
    EXPECT_EQ(list->GetRect(), CRect(20, 30, 100, 60));
    EXPECT_EQ(list->HitTestHandle(list->GetHandle(5), nullptr), 5);

    // A taller row height makes taller rows and larger text.
    list->SetRowHeight(20);
    list->BuildTable(nullptr, *ThreeBlocks());
    EXPECT_EQ(list->GetRect(), CRect(20, 30, 100, 130));
    EXPECT_EQ(Members<CDrawText>(*list)[4]->GetRect(), CRect(20, 70, 50, 90));
    EXPECT_EQ(Members<CDrawText>(*list)[4]->GetLogFont().lfHeight, -16);
}

TEST(BlockList, TitleIsCutFromTheTranslatedHeadings) {
    auto pack = std::make_shared<CResourceModule>();
    pack->Add("strings.tsv", "28791\tLista de Blocos  - Ordem;Ordem;Nome;Num.;\n");
    CResourceModule::SetCurrent(pack);
    ReloadStringTable();
    std::unique_ptr<CConfGraphBlockList> list = PlacedAt(0, 0);
    list->BuildTable(nullptr, *ThreeBlocks());
    CResourceModule::SetCurrent(nullptr);
    ReloadStringTable();

    const auto texts = Members<CDrawText>(*list);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0]->GetText(), "Lista de Blocos");
    EXPECT_EQ(texts[3]->GetText(), "Num.");
}

TEST(BlockList, StoresItsOwnFieldsBeforeTheGroup) {
    std::unique_ptr<CConfGraphBlockList> list = PlacedAt(100, 50);
    list->SetRowHeight(12);
    list->BuildTable(nullptr, *ThreeBlocks());

    // The body: three rectangles, row height and state, then exactly what the
    // same members give stored as a plain group.
    CArchive body;
    list->Serialize(body);
    CDrawingGroup plain;
    for (int i = 0; i < list->GetObjectCount(); ++i) {
        plain.AddObject(list->GetObjectAt(i)->Clone(), false);
    }
    plain.SetRect(list->GetRect());
    plain.SetLoop(1);
    CArchive groupBody;
    plain.Serialize(groupBody);
    CArchive in(body.GetBuffer());
    for (const CRect& rect : {list->GetOrderRect(), list->GetNameRect(), list->GetNumberRect()}) {
        CRect stored;
        stored.left = in.ReadInt32();
        stored.top = in.ReadInt32();
        stored.right = in.ReadInt32();
        stored.bottom = in.ReadInt32();
        EXPECT_EQ(stored, rect);
    }
    EXPECT_EQ(in.ReadInt32(), 12);
    EXPECT_EQ(in.ReadInt32(), CConfGraphBlockList::STATE_BUILT);
    const std::vector<uint8_t>& all = body.GetBuffer();
    EXPECT_EQ(std::vector<uint8_t>(all.begin() + 56, all.end()), groupBody.GetBuffer());

    CArchive out;
    out.WriteObject(list.get());
    CArchive back(out.GetBuffer());
    std::unique_ptr<CConfGraphBlockList> loaded = back.ReadOwned<CConfGraphBlockList>();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetSchema(), 2);
    EXPECT_EQ(loaded->GetOrderRect(), list->GetOrderRect());
    EXPECT_EQ(loaded->GetNumberRect(), list->GetNumberRect());
    EXPECT_EQ(loaded->GetRowHeight(), 12);
    EXPECT_EQ(loaded->GetState(), CConfGraphBlockList::STATE_BUILT);
    ASSERT_EQ(loaded->GetObjectCount(), 26);
    EXPECT_EQ(Members<CDrawText>(*loaded)[12]->GetText(), "045");
    CArchive again;
    again.WriteObject(loaded.get());
    EXPECT_EQ(again.GetBuffer(), out.GetBuffer());

    // A copy is a table of its own with the same fields.
    std::unique_ptr<CDrawingObject> copy = list->Clone();
    auto* clone = dynamic_cast<CConfGraphBlockList*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetState(), CConfGraphBlockList::STATE_BUILT);
    EXPECT_EQ(clone->GetNameRect(), list->GetNameRect());
    ASSERT_EQ(clone->GetObjectCount(), 26);
    EXPECT_NE(clone->GetObjectAt(0), list->GetObjectAt(0));
}

TEST(BlockList, DrawnTableInksTheTitleAndEveryBlockRow) {
    std::unique_ptr<CConfGraphBlockList> list = PlacedAt(10, 10);
    list->BuildTable(nullptr, *ThreeBlocks());
    constexpr int kScale = 3;
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(image);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(CSize(1, 1));
        dc.SetViewportExt(CSize(kScale, kScale));
        list->Draw(dc);
    }
    // Ink inside a cell, away from its frame.
    auto inkIn = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top * kScale + 2; y < bottom * kScale - 2; ++y) {
            for (int x = left * kScale + 2; x < right * kScale - 2; ++x) {
                count += image.pixel(x, y) != 0xFFFFFFFF ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(inkIn(10, 10, 90, 20), 0);
    for (int top = 30; top < 60; top += 10) {
        EXPECT_GT(inkIn(10, top, 40, top + 10), 0) << top;
        EXPECT_GT(inkIn(40, top, 70, top + 10), 0) << top;
        EXPECT_GT(inkIn(70, top, 90, top + 10), 0) << top;
    }
    EXPECT_EQ(inkIn(10, 61, 90, 66), 0);
}

}  // namespace
