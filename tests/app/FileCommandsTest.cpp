// The main frame's file commands: name rules of the save dialog, the recent
// file list, and the question before a changed document closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QTabBar>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "app/AppMessageBox.h"
#include "app/ConfFileDialog.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "support/BoxAnswerer.h"
#include "support/ModalAnswerer.h"
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
    const std::string folder = AbsolutePath(testing::TempDir() + "/" + name);
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

// File > Open, the recent files and the command line close the open documents
// first; when the user keeps one, nothing is opened.
TEST_F(FrameFilesTest, OpenClosesTheOpenDocumentsFirst) {
    std::filesystem::copy_file(m_folder + "/PLANT.vxp", m_folder + "/OTHER.vxp");
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    m_frame->GetActiveDocument()->SetModifiedFlag(true);
    {
        ScriptedMessages messages({IDCANCEL});
        EXPECT_FALSE(m_frame->OpenDocumentFile(m_folder + "/OTHER.vxp"));
        EXPECT_EQ(m_frame->GetDocumentCount(), 1);
        EXPECT_EQ(m_frame->GetActiveDocument()->GetTitle(), "PLANT.vxp");
    }
    ScriptedMessages messages({IDNO, IDNO});  // drop the changes; keep the Loop G name
    EXPECT_TRUE(m_frame->OpenDocumentFile(m_folder + "/OTHER.vxp"));
    EXPECT_EQ(m_frame->GetDocumentCount(), 1);
    EXPECT_EQ(m_frame->GetActiveDocument()->GetTitle(), "OTHER.vxp");
}

// PLANT.vxp and plant.vxp are two files here, and a new document's path is
// only where it would be saved: neither may stand for the other.
TEST_F(FrameFilesTest, OnlyTheSameFileCountsAsOpenAlready) {
    std::filesystem::copy_file(m_folder + "/PLANT.vxp", m_folder + "/plant.vxp");
    std::filesystem::copy_file(m_folder + "/PLANT.vxp", m_folder + "/LOOP_G.vxp");
    ScriptedMessages messages({IDNO, IDNO, IDNO});
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/plant.vxp"));
    EXPECT_EQ(m_frame->GetDocumentCount(), 2);
    m_frame->NewDocument();
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/LOOP_G.vxp"));
    EXPECT_EQ(m_frame->GetDocumentCount(), 4);
    EXPECT_FALSE(m_frame->GetActiveDocument()->IsNeverSaved());
    EXPECT_TRUE(m_frame->OpenDocument(m_folder + "/./PLANT.vxp"));  // the same file again
    EXPECT_EQ(m_frame->GetDocumentCount(), 4);
}

// Started from another folder, the recent file list must still find the file.
TEST_F(FrameFilesTest, RecentFilesAndDocumentsKeepAbsolutePaths) {
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(m_folder);
    const bool opened = m_frame->OpenDocument("PLANT.vxp");
    std::filesystem::current_path(start);
    ASSERT_TRUE(opened);
    EXPECT_EQ(m_frame->GetRecentFiles().GetFiles().front(), m_folder + "/PLANT.vxp");
    EXPECT_EQ(m_frame->GetActiveDocument()->GetPathName(), m_folder + "/PLANT.vxp");
    EXPECT_EQ(m_settings->GetStore().value("Recent File List/File1").toString().toStdString(),
              m_folder + "/PLANT.vxp");
}

TEST_F(FrameFilesTest, NewDocumentsLabelTheirDefaultLoopsInCapitals) {
    m_frame->NewDocument();
    CConfDoc* document = m_frame->GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->GetCurrentLoopNumber(), 1);
    QTabBar* tabs = m_frame->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0).toStdString(), " LOOP 1: LOOP_1");
    EXPECT_EQ(tabs->tabText(4).toStdString(), " LOOP G: LOOP_G");
    EXPECT_EQ(m_frame->GetConfigurationName(), "LOOP_G");
}

// The name field follows the active document as documents open, switch,
// rename and close.
TEST_F(FrameFilesTest, TheNameFieldFollowsTheActiveDocument) {
    ScriptedMessages messages({IDNO});
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    EXPECT_EQ(m_frame->GetConfigurationName(), "PLANT");
    m_frame->NewDocument();
    EXPECT_EQ(m_frame->GetConfigurationName(), "LOOP_G");
    m_frame->findChild<QMdiArea*>()->activatePreviousSubWindow();
    EXPECT_EQ(m_frame->GetConfigurationName(), "PLANT");
    m_frame->CloseAllDocuments();
    EXPECT_EQ(m_frame->GetConfigurationName(), "");
}

// Save As names the configuration after the file, so a document whose Loop G
// has no name yet can be saved that way (Save refuses it).
TEST_F(FrameFilesTest, SaveAsNamesADocumentWhoseLoopGHasNoName) {
    m_frame->show();
    CAppMessageBox::Install(m_frame.get());
    m_frame->NewDocument();
    CConfDoc* document = m_frame->GetActiveDocument();
    document->SetLoopName(5, "");
    {
        CBoxAnswerer boxes;
        EXPECT_FALSE(m_frame->SaveActive(false));
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_NE(boxes.seen[0].find("General LOOP name is missing"), std::string::npos);
    }
    const std::string target = m_folder + "/BOILER.vxp";
    CModalAnswerer<QFileDialog> chooser([&target](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(target));
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    CBoxAnswerer boxes;
    boxes.Answer("different from file name", IDOK);
    EXPECT_TRUE(m_frame->SaveActive(true));
    SetMessageBoxHandler(nullptr);
    ASSERT_EQ(boxes.seen.size(), 1u);
    // The question is titled with the operation, not the program.
    EXPECT_EQ(boxes.seen[0].rfind("Save As: The Loop G name is different from file name.", 0), 0u)
        << boxes.seen[0];
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(document->GetLoopName(5), "BOILER");
    EXPECT_EQ(m_frame->GetConfigurationName(), "BOILER");
}

// A configuration dropped on the window opens as from File > Open.
TEST_F(FrameFilesTest, DroppedConfigurationOpens) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(m_folder + "/PLANT.vxp"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame.get(), &drop);
    ASSERT_EQ(m_frame->GetDocumentCount(), 1);
    EXPECT_EQ(m_frame->GetActiveDocument()->GetTitle(), "PLANT.vxp");

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(m_frame.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
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
