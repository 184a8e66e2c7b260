#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "diagram/DrawRectangle.h"
#include "diagram/DrawingTemplate.h"
#include "diagram/TemplateFile.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"

namespace {

TEST(TemplateFile, SaveAndInsertIntoAnotherLoop) {
    std::vector<std::string> messages;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, unsigned) {
        messages.push_back(text);
        return IDOK;
    });
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    CDrawRectangle first(CRect(0, 0, 50, 40));
    CDrawRectangle second(CRect(60, 10, 90, 90));
    const std::string path = testing::TempDir() + "/shapes.vxt";
    ASSERT_TRUE(templates::SaveTemplate(path, {&first, &second}));

    doc->SelectLoop(3, false);
    EXPECT_EQ(templates::InsertTemplate(*doc, path), 2);
    ASSERT_EQ(doc->GetTemplates().size(), 1u);
    const auto* group = dynamic_cast<const CDrawingTemplate*>(doc->GetTemplates()[0].get());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetLoop(), 3);
    EXPECT_EQ(group->GetObjectCount(), 2);
    EXPECT_EQ(group->GetObjectAt(1)->GetLoop(), 3);
    CRect bounds = group->GetRect();
    bounds.NormalizeRect();
    EXPECT_EQ(bounds, CRect(0, 0, 90, 90));

    const std::string empty = testing::TempDir() + "/empty.vxt";
    ASSERT_TRUE(templates::SaveTemplate(empty, {}));
    EXPECT_EQ(templates::InsertTemplate(*doc, empty), 0);
    EXPECT_EQ(doc->GetTemplates().size(), 1u);

    EXPECT_EQ(templates::InsertTemplate(*doc, testing::TempDir() + "/missing.vxt"), -1);
    std::FILE* broken = std::fopen(empty.c_str(), "wb");
    std::fputs("not a template", broken);
    std::fclose(broken);
    EXPECT_EQ(templates::InsertTemplate(*doc, empty), -1);
    SetMessageBoxHandler(previous);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("not a valid template file"), std::string::npos);
    std::filesystem::remove(path);
    std::filesystem::remove(empty);
}

}  // namespace
