#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MainFrame.h"
#include "app/RecoveryKeeper.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "document/DocumentRecovery.h"
#include "platform/MessageBox.h"
#include "support/ModalAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The id of a process that has ended.
int DeadProcessId() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

// A main frame with a copy of the example open and edited, and a keeper of
// recovery copies in a folder of the test's own.
class Recovery : public ::testing::Test {
protected:
    void SetUp() override {
        // No to every question: do not save, keep the names.
        SetMessageBoxHandler([](const std::string&, unsigned) { return IDNO; });
        RegisterDrawingClasses();
        fs::copy_file(testpaths::ExamplePlant(), m_plant);
        ASSERT_TRUE(m_frame.OpenDocument(m_plant));
        Document().SetLoopName(1, "EDITED");
        Document().SetModifiedFlag(true);
    }

    void TearDown() override { SetMessageBoxHandler(nullptr); }
    CConfDoc& Document() { return *m_frame.GetActiveDocument(); }
    std::vector<fs::path> FilesIn(const std::string& folder) const {
        std::vector<fs::path> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            files.push_back(entry.path());
        }
        return files;
    }
    // The copies of this process, renamed as a process that was killed leaves them.
    void LeaveAsKilled() {
        const std::string dead = std::to_string(DeadProcessId());
        for (const fs::path& file : FilesIn(m_folder)) {
            const std::string name = file.filename().string();
            fs::rename(file, file.parent_path() / (dead + name.substr(name.find('-'))));
        }
    }
    void AnswerRecovery(const char* button) {
        m_answerer = std::make_unique<CModalAnswerer<QMessageBox>>([button](QMessageBox& box) {
            QTest::mouseClick(box.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    CTempFolder m_temp{"kestrel-recovery"};
    std::string m_plant = m_temp.File("PLANT.vxp");
    std::string m_folder = m_temp.File("recovery") + "/";
    CAppSettings m_settings{m_temp.File("settings.ini")};
    CMainFrame m_frame{m_settings};
    std::unique_ptr<CModalAnswerer<QMessageBox>> m_answerer;
};

TEST_F(Recovery, ModifiedDocumentIsCopiedAndTheCopyGoesOnSave) {
    CRecoveryKeeper keeper(m_frame, m_folder);
    keeper.KeepAll();
    const std::string copy = keeper.GetRecovery().CopyPathOf(&Document());
    ASSERT_TRUE(fs::exists(copy));
    CConfDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(copy));
    EXPECT_EQ(reread.GetLoopName(1), "EDITED");
    // The copy is not the document's file.
    EXPECT_EQ(Document().GetPathName(), fs::absolute(m_plant).string());
    EXPECT_TRUE(Document().IsModified());

    ASSERT_TRUE(m_frame.SaveActive(false));
    keeper.Settle();
    EXPECT_TRUE(FilesIn(m_folder).empty());
}

TEST_F(Recovery, ANewlyModifiedDocumentIsCopiedWithoutWaitingForTheRound) {
    CRecoveryKeeper keeper(m_frame, m_folder);
    keeper.Settle();
    ASSERT_TRUE(keeper.GetRecovery().HasCopy(&Document()));
    // Later edits wait for the round: a settle does not write again.
    const auto written = fs::last_write_time(keeper.GetRecovery().CopyPathOf(&Document()));
    Document().SetLoopName(2, "AGAIN");
    keeper.Settle();
    EXPECT_EQ(fs::last_write_time(keeper.GetRecovery().CopyPathOf(&Document())), written);
}

TEST_F(Recovery, ClosingWithoutSavingRemovesTheCopy) {
    CRecoveryKeeper keeper(m_frame, m_folder);
    keeper.KeepAll();
    ASSERT_EQ(FilesIn(m_folder).size(), 2u);  // the copy and its description
    ASSERT_TRUE(m_frame.CloseAllDocuments());
    keeper.Settle();
    EXPECT_TRUE(FilesIn(m_folder).empty());
}

TEST_F(Recovery, CopiesOfALiveProcessAreNotOffered) {
    CRecoveryKeeper keeper(m_frame, m_folder);
    keeper.KeepAll();
    CDocumentRecovery other(m_folder);
    EXPECT_TRUE(other.FindOrphans().empty());
}

TEST_F(Recovery, CopiesOfAKilledProcessAreOfferedAndRecoveredAsUnsaved) {
    const std::string original = ReadFile(m_plant);
    {
        CRecoveryKeeper keeper(m_frame, m_folder);
        keeper.KeepAll();
        LeaveAsKilled();
    }
    ASSERT_TRUE(m_frame.CloseAllDocuments());

    CRecoveryKeeper keeper(m_frame, m_folder);
    AnswerRecovery("recover");
    EXPECT_EQ(keeper.OfferRecovery(&m_frame), 1);
    ASSERT_EQ(m_frame.GetDocumentCount(), 1);
    CConfDoc& recovered = Document();
    EXPECT_EQ(recovered.GetLoopName(1), "EDITED");
    EXPECT_TRUE(recovered.IsModified());
    // Save asks for a name, offering the original's; the file itself is untouched.
    EXPECT_TRUE(recovered.IsMustSaveAs());
    EXPECT_EQ(fs::path(recovered.GetPathName()).filename(), "PLANT.vxp");
    EXPECT_EQ(ReadFile(m_plant), original);
    // The killed process's copy is gone; the recovered document has its own.
    for (const fs::path& file : FilesIn(m_folder)) {
        EXPECT_EQ(file.filename().string().rfind(std::to_string(getpid()) + "-", 0), 0u) << file;
    }
    EXPECT_TRUE(keeper.GetRecovery().HasCopy(&recovered));
}

TEST_F(Recovery, DiscardRemovesTheCopiesAndOpensNothing) {
    {
        CRecoveryKeeper keeper(m_frame, m_folder);
        keeper.KeepAll();
        LeaveAsKilled();
    }
    ASSERT_TRUE(m_frame.CloseAllDocuments());
    CRecoveryKeeper keeper(m_frame, m_folder);
    AnswerRecovery("discard");
    EXPECT_EQ(keeper.OfferRecovery(&m_frame), 0);
    EXPECT_EQ(m_frame.GetDocumentCount(), 0);
    EXPECT_TRUE(FilesIn(m_folder).empty());
}

}  // namespace
