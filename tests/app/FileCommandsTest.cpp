// The main frame's file commands: name rules of the save dialog, the recent
// file list, and the question before a changed document closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QSettings>
#include <filesystem>
#include <fstream>

#include "app/ConfFileDialog.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "support/TestPaths.h"

namespace {

// Records every message and answers from a script (then with the first button).
class ScriptedMessages {
public:
    explicit ScriptedMessages(std::vector<int> answers = {}) : m_answers(std::move(answers)) {
        SetMessageBoxHandler([this](const std::string& text, unsigned type) -> int {
            shown.push_back(text);
            if (m_next < m_answers.size()) {
                return m_answers[m_next++];
            }
            return (type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_OKCANCEL ? IDOK
                                                                                        : IDYES;
        });
    }
    ~ScriptedMessages() { SetMessageBoxHandler(nullptr); }
    std::vector<std::string> shown;

private:
    std::vector<int> m_answers;
    std::size_t m_next = 0;
};

std::string MakeFolder(const std::string& name) {
    const std::string folder = testing::TempDir() + "/" + name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(ConfFileDialog, NamesHaveAtMostEightCharactersAndNoDot) {
    EXPECT_TRUE(CConfFileDialog::IsValidName("/w/PLANT.vxp"));
    EXPECT_TRUE(CConfFileDialog::IsValidName("/w/LOOP_G12.vxp"));
    EXPECT_FALSE(CConfFileDialog::IsValidName("/w/BOILER.V2.vxp"));
    EXPECT_FALSE(CConfFileDialog::IsValidName("/w/BOILERHOUSE.vxp"));
    EXPECT_FALSE(CConfFileDialog::IsValidName("/w/.vxp"));
}

TEST(ConfFileDialog, AsksAgainUntilTheNameKeepsTheRules) {
    const std::string folder = MakeFolder("kestrel-save-names");
    std::ofstream(folder + "/OLD.vxp") << "x";
    std::vector<std::string> offers = {folder + "/OLD.vxp", folder + "/TOO.MANY.vxp",
                                       folder + "/NEW.vxp"};
    std::size_t next = 0;
    std::vector<std::string> proposals;
    ScriptedMessages messages({IDNO});  // keep OLD.vxp
    const std::string chosen = CConfFileDialog::GetSaveFileName(nullptr, folder + "/LOOP_G.vxp",
                                                                [&](const std::string& p) {
                                                                    proposals.push_back(p);
                                                                    return offers[next++];
                                                                });
    EXPECT_EQ(chosen, folder + "/NEW.vxp");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], "OLD.vxp already exists.\nDo you want to replace it?");
    EXPECT_NE(messages.shown[1].find("limited in 8 characters"), std::string::npos);
    EXPECT_EQ(proposals[1], folder + "/OLD.vxp");  // the dialog opens on the last choice

    EXPECT_EQ(CConfFileDialog::GetSaveFileName(nullptr, "",
                                               [](const std::string&) { return std::string(); }),
              "");
}

TEST(RecentFileList, KeepsFourNewestFirstAcrossRestarts) {
    const std::string ini = MakeFolder("kestrel-recent") + "/settings.ini";
    {
        QSettings store(QString::fromStdString(ini), QSettings::IniFormat);
        CRecentFileList list(store);
        for (const char* path : {"/w/A.vxp", "/w/B.vxp", "/w/C.vxp", "/w/D.vxp", "/w/E.vxp"}) {
            list.Add(path);
        }
        list.Add("/w/C.vxp");
        EXPECT_EQ(list.GetFiles(),
                  (std::vector<std::string>{"/w/C.vxp", "/w/E.vxp", "/w/D.vxp", "/w/B.vxp"}));
    }
    QSettings store(QString::fromStdString(ini), QSettings::IniFormat);
    CRecentFileList reread(store);
    EXPECT_EQ(reread.GetFiles().front(), "/w/C.vxp");
    EXPECT_EQ(reread.GetFiles().size(), 4u);
    reread.Remove("/w/E.vxp");
    EXPECT_EQ(reread.GetFiles().size(), 3u);
    EXPECT_EQ(CRecentFileList::MenuText(0, "/w/C.vxp"), "&1 C.vxp");
}

class FrameFilesTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        // ctest runs the cases in parallel: each has a folder of its own.
        m_folder = MakeFolder(std::string("kestrel-frame-files-") +
                              testing::UnitTest::GetInstance()->current_test_info()->name());
        m_settings = std::make_unique<CAppSettings>(m_folder + "/settings.ini");
        m_settings->SetWorkDir(m_folder);
        m_frame = std::make_unique<CMainFrame>(*m_settings);
        std::filesystem::copy_file(testpaths::ExamplePlant(), m_folder + "/PLANT.vxp");
    }
    void TearDown() override { m_frame.reset(); }
    std::string m_folder;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(FrameFilesTest, ChangedDocumentAsksBeforeClosing) {
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    EXPECT_EQ(m_frame->GetRecentFiles().GetFiles().front(), m_folder + "/PLANT.vxp");
    EXPECT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));  // brought forward, not twice
    EXPECT_EQ(m_frame->GetDocumentCount(), 1);
    m_frame->GetActiveDocument()->SetModifiedFlag(true);
    {
        ScriptedMessages messages({IDCANCEL});
        EXPECT_FALSE(m_frame->CloseAllDocuments());
        EXPECT_EQ(m_frame->GetDocumentCount(), 1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], "Save changes to PLANT.vxp?");
    }
    const auto before = std::filesystem::last_write_time(m_folder + "/PLANT.vxp");
    ScriptedMessages messages({IDYES});
    EXPECT_TRUE(m_frame->CloseAllDocuments());
    EXPECT_EQ(m_frame->GetDocumentCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/PLANT.bkp"));  // saved over itself
    EXPECT_GE(std::filesystem::last_write_time(m_folder + "/PLANT.vxp"), before);
}

TEST_F(FrameFilesTest, SaveFollowsTheModifiedFlag) {
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    m_frame->UpdateCommands();
    EXPECT_FALSE(m_frame->FindAction("fileSave")->isEnabled());
    EXPECT_TRUE(m_frame->FindAction("fileSaveAs")->isEnabled());
    m_frame->GetActiveDocument()->SetModifiedFlag(true);
    m_frame->UpdateCommands();
    EXPECT_TRUE(m_frame->FindAction("fileSave")->isEnabled());
    m_frame->CloseAllDocuments();
    m_frame->UpdateCommands();
    EXPECT_FALSE(m_frame->FindAction("fileSaveAs")->isEnabled());
}

TEST_F(FrameFilesTest, ImportedImageMustBeSavedUnderANewName) {
    // A configuration image holding loop 1 "TANK" with one block.
    const char image[] = "2.05\0\0\x18\0\xeeTANK\0\0\0\0\x0f\0\x01\x01\0\0\0\0\0\0\0\0\0\x14\0";
    std::ofstream(m_folder + "/IMG.vxi", std::ios::binary).write(image, sizeof image - 1);
    EXPECT_FALSE(m_frame->ImportImage(m_folder + "/PLANT.vxp"));  // not an image name
    ASSERT_TRUE(m_frame->ImportImage(m_folder + "/IMG.vxi"));
    CConfDoc* document = m_frame->GetActiveDocument();
    EXPECT_EQ(document->GetConfigurationName(), "IMG");
    EXPECT_TRUE(document->IsMustSaveAs());
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->GetLoopName(1), "TANK");
}

}  // namespace

namespace {

TEST_F(FrameFilesTest, MenusRebuildWithTheirCommands) {
    QAction* before = m_frame->FindAction("commOnline");
    ASSERT_NE(before, nullptr);
    m_frame->RebuildMenus();
    QAction* after = m_frame->FindAction("commOnline");
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_EQ(after->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(before->shortcut().isEmpty());  // the old one no longer answers F9
}

}  // namespace
