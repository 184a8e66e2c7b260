#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "document/print/ui/PrintSelectedDlg.h"

namespace {

class PrintSelectedDlgTest : public testing::Test {
protected:
    void Open(bool hasDrawings, CPrintSelection initial = CPrintSelection()) {
        m_dialog = std::make_unique<CPrintSelectedDlg>(hasDrawings, initial);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    template <typename T>
    T* Find(const char* name) const {
        return m_dialog->findChild<T*>(name);
    }
    QPushButton* Ok() const {
        return m_dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    // A user's click on a check box's or radio button's mark (the widget is as
    // wide as the dialog, its text is not), or in the middle of a push button.
    static void Click(QWidget* widget) {
        const bool mark = qobject_cast<QPushButton*>(widget) == nullptr;
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          mark ? QPoint(8, widget->height() / 2) : widget->rect().center());
    }

    std::unique_ptr<CPrintSelectedDlg> m_dialog;
};

TEST_F(PrintSelectedDlgTest, LoopsNeedDrawingsAndOkNeedsOneChoice) {
    Open(false);
    auto* loops = Find<QCheckBox>("loops");
    auto* parameters = Find<QCheckBox>("parameters");
    EXPECT_FALSE(loops->isEnabled());
    EXPECT_FALSE(loops->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("header")->isEnabled());
    EXPECT_TRUE(parameters->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("allValues")->isChecked());
    EXPECT_TRUE(Ok()->isEnabled());

    Click(parameters);
    EXPECT_FALSE(parameters->isChecked());
    EXPECT_FALSE(Ok()->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("allValues")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("changedValues")->isEnabled());
    QTest::keyClick(m_dialog.get(), Qt::Key_Return);  // a disabled OK does not end the dialog
    EXPECT_TRUE(m_dialog->isVisible());

    Click(parameters);
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("changedValues")->isEnabled());
}

TEST_F(PrintSelectedDlgTest, HeaderFollowsLoopsAndTheChoicesComeBack) {
    Open(true);
    auto* loops = Find<QCheckBox>("loops");
    auto* header = Find<QCheckBox>("header");
    EXPECT_TRUE(loops->isChecked());
    EXPECT_TRUE(header->isEnabled());
    Click(header);
    Click(loops);
    EXPECT_FALSE(header->isEnabled());
    Click(Find<QCheckBox>("parameters"));
    EXPECT_FALSE(Ok()->isEnabled());  // neither loops nor parameters
    Click(loops);
    Click(Find<QCheckBox>("parameters"));
    Click(Find<QRadioButton>("changedValues"));
    Click(Ok());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    const CPrintSelection chosen = m_dialog->GetSelection();
    EXPECT_TRUE(chosen.m_bLoops);
    EXPECT_FALSE(chosen.m_bHeader);
    EXPECT_TRUE(chosen.m_bParameters);
    EXPECT_EQ(chosen.m_nMode, 1);

    Open(true, chosen);  // the last choices open the dialog again
    EXPECT_FALSE(Find<QCheckBox>("header")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("changedValues")->isChecked());
}

TEST_F(PrintSelectedDlgTest, PrintSetupRunsItsHandlerAndTheDialogStays) {
    Open(true);
    int setups = 0;
    m_dialog->SetPrintSetupHandler([&setups] { ++setups; });
    Click(Find<QPushButton>("printSetup"));
    EXPECT_EQ(setups, 1);
    EXPECT_TRUE(m_dialog->isVisible());
}

}  // namespace
