// The block monitor on its own against the simulator in process: a value
// changed in its list goes to the controller with Download; a lost line gives
// the "Monitoring" box.
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

#include "OnlineFixture.h"
#include "comm/ui/BlockMonitorDlg.h"
#include "comm/ui/MonitoredParamList.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "support/BoxAnswerer.h"

namespace {

using BlockMonitorDlgTest = OnlineFixture;

// The row of a parameter in the list.
int RowOf(const CMonitoredParamList& list, const std::string& mnemonic) {
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.item(row, CMonitoredParamList::COLUMN_MNEMONIC)->text().toStdString() ==
            mnemonic) {
            return row;
        }
    }
    return -1;
}

// Types a text into a value cell as a user does: double click, type, Enter.
void TypeValue(CMonitoredParamList& list, int row, const QString& text) {
    QTableWidgetItem* cell = list.item(row, CMonitoredParamList::COLUMN_VALUE);
    list.scrollToItem(cell);
    QApplication::processEvents();
    const QRect area = list.visualItemRect(cell);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, area.center());
    QTest::keyClick(&list, Qt::Key_F2);
    // The editor now open (an earlier one may not be deleted yet).
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : list.findChildren<QLineEdit*>()) {
        if (candidate->isVisible()) {
            editor = candidate;
        }
    }
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the editor's text on its next turn.
    QApplication::processEvents();
}

}  // namespace

TEST_F(BlockMonitorDlgTest, AChangedGainGoesToTheControllerWithDownload) {
    CBlock* pid = document.FindBlockByNumber(39);
    ASSERT_NE(pid, nullptr);
    CBlockMonitorDlg dialog(settings, document, *pid, 1);
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > 0; }));
    EXPECT_EQ(dialog.GetWorker().GetPeriod(), 500);  // 200 in the settings
    CMonitoredParamList& list = *dialog.GetParamList();
    const int gain = RowOf(list, "AKp");
    ASSERT_GE(gain, 0);
    EXPECT_FALSE(dialog.GetDownloadButton()->isEnabled());

    // Out of range: refused, the old value comes back.
    TypeValue(list, gain, "99999");
    EXPECT_EQ(list.item(gain, CMonitoredParamList::COLUMN_VALUE)->text(), "1.5");
    EXPECT_FALSE(dialog.GetDownloadButton()->isEnabled());

    TypeValue(list, gain, "2.75");
    EXPECT_EQ(list.item(gain, CMonitoredParamList::COLUMN_VALUE)->text(), "2.75");
    EXPECT_TRUE(dialog.WasEdited());
    ASSERT_TRUE(dialog.GetDownloadButton()->isEnabled());
    line.TakeCommands();
    QTest::mouseClick(dialog.GetDownloadButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !dialog.GetDownloadButton()->isEnabled(); }));
    const std::vector<uint8_t> commands = line.TakeCommands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), 0x30), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), 0x2B), commands.end());
    EXPECT_FALSE(pid->IsChanged());
    EXPECT_EQ(dialog.GetOnlineButton()->text(), "Go Offline");
    // Monitoring goes on after the download.
    const int cycles = dialog.GetWorker().GetCycleCount();
    ASSERT_TRUE(WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > cycles; }));
    dialog.reject();
    EXPECT_FALSE(dialog.GetWorker().HasWorker());
}

TEST_F(BlockMonitorDlgTest, LostLineGivesTheMonitoringBoxAndRetryReconnects) {
    CBlock* pid = document.FindBlockByNumber(39);
    ASSERT_NE(pid, nullptr);
    CBlockMonitorDlg dialog(settings, document, *pid, 1);
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > 0; }));
    {
        CBoxAnswerer boxes;
        boxes.Answer("Monitoring:", CBlockMonitorDlg::kRetryButton);
        line.SetPlugged(false);
        ASSERT_TRUE(WaitUntil([&] { return !boxes.seen.empty(); }));
        line.SetPlugged(true);
        const int cycles = dialog.GetWorker().GetCycleCount();
        ASSERT_TRUE(WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > cycles; }));
        EXPECT_EQ(boxes.seen.front().substr(0, 12), "Monitoring: ");
    }

    // "Go Offline" this time: the worker rests until "Go Online".
    CBoxAnswerer offline;
    offline.Answer("Monitoring:", CBlockMonitorDlg::kGoOfflineButton);
    line.SetPlugged(false);
    ASSERT_TRUE(WaitUntil([&] { return !offline.seen.empty(); }));
    line.SetPlugged(true);
    ASSERT_TRUE(WaitUntil([&] { return dialog.GetOnlineButton()->text() == "Go Online"; }));
    const int resting = dialog.GetWorker().GetCycleCount();
    QTest::mouseClick(dialog.GetOnlineButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.GetOnlineButton()->text(), "Go Offline");
    ASSERT_TRUE(WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > resting; }));
}
