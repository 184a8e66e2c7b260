#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/ui/TabChildFrame.h"
#include "platform/MessageBox.h"
#include "support/ModalAnswerer.h"
#include "vexilla/InputBox.h"

namespace {

class TabRenameTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_document.GetGeneralData().m_strWorkDir = "/w";
        m_document.OnNewDocument();
        m_document.CreateDefaultLoops();
        m_document.SetModifiedFlag(false);
        m_frame = std::make_unique<CTabChildFrame>(m_document);
        SetMessageBoxHandler([this](const std::string& text, unsigned) {
            m_questions.push_back(text);
            return m_answer;
        });
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        m_frame.reset();
    }
    QString Tab(int loopNumber) const { return m_frame->GetTabBar()->tabText(loopNumber - 1); }

    CConfDoc m_document;
    std::unique_ptr<CTabChildFrame> m_frame;
    std::vector<std::string> m_questions;
    int m_answer = IDYES;
};

TEST_F(TabRenameTest, NameIsTrimmedUpperCasedAndMustBeFree) {
    EXPECT_TRUE(m_frame->RenameLoop(2, "  boiler "));
    EXPECT_EQ(m_document.GetLoopName(2), "BOILER");
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_TRUE(Tab(2).endsWith(": BOILER")) << Tab(2).toStdString();

    EXPECT_FALSE(m_frame->RenameLoop(3, "Boiler"));  // loop 2 has it
    EXPECT_FALSE(m_frame->RenameLoop(3, "   "));
    EXPECT_FALSE(m_frame->RenameLoop(3, "TOO_LONG_NAME"));
    EXPECT_NE(m_document.GetLoopName(3), "BOILER");
    EXPECT_TRUE(m_questions.empty());
}

TEST_F(TabRenameTest, GeneralLoopRenameIsConfirmedAndRenamesTheConfiguration) {
    m_document.SetLoopName(5, "PLANT");
    m_answer = IDNO;
    EXPECT_FALSE(m_frame->RenameLoop(5, "MILL"));
    EXPECT_EQ(m_document.GetLoopName(5), "PLANT");
    ASSERT_EQ(m_questions.size(), 1u);
    EXPECT_NE(m_questions[0].find("also affects the name of configuration"), std::string::npos);

    m_answer = IDYES;
    EXPECT_TRUE(m_frame->RenameLoop(5, "mill"));
    EXPECT_EQ(m_document.GetLoopName(5), "MILL");
    EXPECT_EQ(m_document.GetConfigurationName(), "MILL");
    EXPECT_TRUE(Tab(5).endsWith("G: MILL")) << Tab(5).toStdString();
    // The document's file takes the name as well, so that Save writes MILL.vxp.
    EXPECT_EQ(m_document.GetTitle(), "MILL.vxp");
    EXPECT_EQ(m_document.GetPathName(), "/w/MILL.vxp");
}

TEST_F(TabRenameTest, DoubleClickOnATabAsksForTheName) {
    m_frame->resize(600, 300);
    m_frame->show();
    int renamed = 0;
    m_frame->SetNamesChangedCallback([&renamed] { ++renamed; });
    CModalAnswerer<CInputBox> typist([](CInputBox& box) {
        box.GetEdit()->selectAll();
        QTest::keyClicks(box.GetEdit(), "pump");
        QTest::keyClick(box.GetEdit(), Qt::Key_Return);
    });
    QTabBar* tabs = m_frame->GetTabBar();
    QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_TRUE(typist.HasAnswered());
    EXPECT_EQ(m_document.GetLoopName(3), "PUMP");
    EXPECT_EQ(renamed, 1);
}

TEST_F(TabRenameTest, UntitledGeneralLoopIsRenamedWithoutAsking) {
    m_document.SetLoopName(5, "UNTITLED");
    EXPECT_TRUE(m_frame->RenameLoop(5, "PLANT"));
    EXPECT_TRUE(m_questions.empty());
}

}  // namespace
