#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "CrashReportDlg.h"
#include "support/TempFolder.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class CrashReportWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_reports.File("ERRORLOG.TXT"),
                  "kestrel caused an Access Violation (0xc0000005) \r\nin module kestrel at "
                  "0033:0000555555555000.\r\n");
        WriteFile(m_reports.File("CRASH.DMP"), std::string("MDMP\x93\xa7\0\0", 8));
        m_pWindow = std::make_unique<CCrashReportDlg>(
            "kestrel", QString::fromStdString(m_reports.Path()), "/opt/kestrel");
        Window().SetFolderQuery([this] { return QString::fromStdString(m_target.Path()); });
        Window().SetReplaceQuery([this](const QString&) {
            ++m_replaceQuestions;
            return m_replace;
        });
        Window().SetStarter([this](const QString& program) {
            m_started = program;
            return true;
        });
        Window().show();
    }

    void Click(const char* button) {
        auto* found = Window().findChild<QPushButton*>(button);
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }
    QString Status() { return Window().findChild<QLabel*>("status")->text(); }

    CTempFolder m_reports{"kestrel-reports"};
    CTempFolder m_target{"kestrel-saved"};
    std::unique_ptr<CCrashReportDlg> m_pWindow;
    CCrashReportDlg& Window() { return *m_pWindow; }
    int m_replaceQuestions = 0;
    bool m_replace = false;
    QString m_started;
};

TEST_F(CrashReportWindow, ShowsTheReportWithoutCarriageReturns) {
    const QString text = Window().findChild<QPlainTextEdit*>("report")->toPlainText();
    EXPECT_TRUE(text.startsWith("kestrel caused an Access Violation (0xc0000005) \nin module"));
    EXPECT_FALSE(text.contains('\r'));
}

TEST_F(CrashReportWindow, SaveCopiesBothFilesAndAsksBeforeReplacing) {
    Click("save");
    EXPECT_EQ(ReadFile(m_target.File("ERRORLOG.TXT")), ReadFile(m_reports.File("ERRORLOG.TXT")));
    EXPECT_EQ(ReadFile(m_target.File("CRASH.DMP")).substr(0, 4), "MDMP");
    EXPECT_EQ(m_replaceQuestions, 0);

    // A report saved there before is the user's: kept unless they say so.
    WriteFile(m_target.File("ERRORLOG.TXT"), "an older report");
    Click("save");
    EXPECT_EQ(m_replaceQuestions, 1);
    EXPECT_EQ(ReadFile(m_target.File("ERRORLOG.TXT")), "an older report");
    EXPECT_TRUE(Status().contains("was not saved"));

    m_replace = true;
    Click("save");
    EXPECT_EQ(ReadFile(m_target.File("ERRORLOG.TXT")), ReadFile(m_reports.File("ERRORLOG.TXT")));
    EXPECT_TRUE(Status().startsWith("Saved in"));
}

TEST_F(CrashReportWindow, CopyPutsTheReportOnTheClipboard) {
    Click("copy");
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("kestrel caused an Access Violation"));
}

TEST_F(CrashReportWindow, RestartStartsTheProgramFromItsFolder) {
    Click("restart");
    EXPECT_EQ(m_started, "/opt/kestrel/kestrel");
    EXPECT_FALSE(Window().isVisible());
}

}  // namespace
