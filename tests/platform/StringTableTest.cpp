#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/ResourceModule.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

CStringTable TableOf(std::string tsv) {
    CResourceModule module;
    module.Add("strings.tsv", std::move(tsv));
    return CStringTable(module);
}

// Installs a message box handler for the scope and restores the previous one.
class ScopedMessageBoxHandler {
public:
    explicit ScopedMessageBoxHandler(MessageBoxHandler handler)
        : m_previous(SetMessageBoxHandler(std::move(handler))) {}
    ~ScopedMessageBoxHandler() { SetMessageBoxHandler(std::move(m_previous)); }

private:
    MessageBoxHandler m_previous;
};

struct ShownMessage {
    std::string text;
    unsigned type;
};

TEST(StringTable, ParsesEscapesAndSkipsLinesThatDoNotParse) {
    const CStringTable table = TableOf(
        "# id\ttext\n"
        "#5\tcommented out\n"
        "1\tplain\n"
        "2\tline\\nbreak\\ttab\\\\slash\n"
        "3\t\\\\n stays a backslash and n\n"
        "4\tcarriage return dropped\r\n"
        "\n"
        "\r\n"
        "no tab at all\n"
        "x7\tletters\n"
        "8x\ttrailing letters\n"
        "-9\tnegative\n"
        "99999999999\ttoo large\n"
        "\tno identifier\n"
        "11\tsecond\ttab is text\n"
        "12\tends with \\\n"
        "13\tlast line without a line feed");
    EXPECT_EQ(table.Get(1), "plain");
    EXPECT_EQ(table.Get(2), "line\nbreak\ttab\\slash");
    EXPECT_EQ(table.Get(3), "\\n stays a backslash and n");
    EXPECT_EQ(table.Get(4), "carriage return dropped");
    EXPECT_EQ(table.Get(11), "second\ttab is text");
    EXPECT_EQ(table.Get(12), "ends with \\");
    EXPECT_EQ(table.Get(13), "last line without a line feed");
    EXPECT_EQ(table.GetCount(), 7u);
    for (unsigned missing : {0u, 5u, 7u, 8u, 9u, 30001u}) {
        EXPECT_EQ(table.Get(missing), "") << missing;
    }
}

TEST(StringTable, ModuleWithoutTableGivesEmptyTexts) {
    const CStringTable table{CResourceModule()};
    EXPECT_EQ(table.GetCount(), 0u);
    EXPECT_EQ(table.Get(IDS_LOOP_SIZE_REACHED), "");
}

TEST(StringTable, LoadResStringReadsTheCurrentModule) {
    EXPECT_EQ(LoadResString(IDS_LOOP_SIZE_REACHED), "The loop size has reached.");
    EXPECT_EQ(LoadResString(1), "");

    auto pack = std::make_shared<CResourceModule>();
    pack->Add("strings.tsv", "30001\tLoop full\n");
    CResourceModule::SetCurrent(pack);
    ReloadStringTable();
    EXPECT_EQ(LoadResString(IDS_LOOP_SIZE_REACHED), "Loop full");
    CResourceModule::SetCurrent(nullptr);
    ReloadStringTable();
    EXPECT_EQ(LoadResString(IDS_LOOP_SIZE_REACHED), "The loop size has reached.");
}

TEST(MessageBox, HandlerReceivesTextAndTypeAndAnswers) {
    std::vector<ShownMessage> shown;
    {
        ScopedMessageBoxHandler scoped([&shown](const std::string& text, unsigned type) {
            shown.push_back({text, type});
            return IDNO;
        });
        EXPECT_EQ(AfxMessageBox("Delete the block?", MB_YESNO | MB_ICONQUESTION), IDNO);
        EXPECT_EQ(AfxMessageBox(IDS_LOOP_SIZE_REACHED), IDNO);
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Delete the block?");
    EXPECT_EQ(shown[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(shown[1].text, "The loop size has reached.");
    EXPECT_EQ(shown[1].type, MB_OK);

    // Once restored, the recording handler is no longer asked.
    ScopedMessageBoxHandler quiet([](const std::string&, unsigned) { return IDCANCEL; });
    EXPECT_EQ(AfxMessageBox("after"), IDCANCEL);
    EXPECT_EQ(shown.size(), 2u);
}

TEST(MessageBox, DefaultAnswersWithTheFirstButton) {
    ScopedMessageBoxHandler useDefault{MessageBoxHandler()};
    EXPECT_EQ(AfxMessageBox("question", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(AfxMessageBox("question", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(AfxMessageBox("confirm", MB_OKCANCEL | MB_ICONWARNING), IDOK);
    EXPECT_EQ(AfxMessageBox("failure", MB_ICONERROR), IDOK);
}

}  // namespace
