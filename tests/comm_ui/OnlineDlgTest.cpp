// The Online dialog's device section against the simulated controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "SimController.h"
#include "comm/FakePort.h"
#include "comm/ui/DeviceLookingDlg.h"
#include "comm/ui/DeviceOnNetworkDlg.h"
#include "comm/ui/OnlineDlg.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "platform/MessageBox.h"

namespace {

// Controllers at the given addresses; the others stay silent.
class SimNetwork {
public:
    explicit SimNetwork(std::vector<uint8_t> addresses)
        : m_scope([this](const std::vector<uint8_t>& request) {
              for (auto& sim : sims) {
                  std::vector<uint8_t> reply = sim->HandleRequest(request);
                  if (!reply.empty()) {
                      return reply;
                  }
              }
              return std::vector<uint8_t>();
          }) {
        for (uint8_t address : addresses) {
            sims.push_back(std::make_unique<CSimController>());
            sims.back()->SetAddress(address);
        }
    }
    std::vector<std::unique_ptr<CSimController>> sims;

private:
    CFakePortScope m_scope;
};

CCommunicationData QuickSettings() {
    CCommunicationData data;
    data.m_nTimeout = 1;
    data.m_nRetries = 0;
    return data;
}

std::unique_ptr<CLoop> NamedLoop(const std::string& name) {
    auto loop = std::make_unique<CLoop>();
    loop->SetName(name);
    return loop;
}

// A configuration with one block, something to download.
class OnlineDlgTest : public testing::Test {
protected:
    void SetUp() override {
        m_config.CreateDefaultLoops();
        m_config.SelectLoop(1, false);
        m_config.AddBlock(CBlock::Create(FindBlockTypeByMnemonic("K"), 12));
    }
    CConfiguration m_config;
};

TEST_F(OnlineDlgTest, ProbeEnablesTheTransfersByWhatItFound) {
    SimNetwork network({2});
    COnlineDlg dialog(QuickSettings(), &m_config, std::vector<std::string>{"/dev/ttyS0"});
    EXPECT_FALSE(dialog.GetButton(COnlineDlg::kResultUpload)->isEnabled());
    EXPECT_FALSE(dialog.GetButton(COnlineDlg::kResultDownload)->isEnabled());

    dialog.Look();  // a controller without configuration
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldModel), "Varex Plus");
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldVersion), "4.10");
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldConfiguration), "NO CONFG");
    EXPECT_FALSE(dialog.GetButton(COnlineDlg::kResultUpload)->isEnabled());
    EXPECT_TRUE(dialog.GetButton(COnlineDlg::kResultDownload)->isEnabled());

    network.sims[0]->SetLoop(5, NamedLoop("PLANT"));
    dialog.Look();
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldConfiguration), "PLANT");
    EXPECT_TRUE(dialog.GetButton(COnlineDlg::kResultUpload)->isEnabled());

    dialog.findChild<QSpinBox*>("addressSpin")->setValue(9);
    dialog.Look();
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldModel), "Not found !!!");
    EXPECT_EQ(dialog.GetDeviceField(COnlineDlg::kFieldVersion), "");
    EXPECT_FALSE(dialog.GetButton(COnlineDlg::kResultUpload)->isEnabled());
    EXPECT_FALSE(dialog.GetButton(COnlineDlg::kResultDownload)->isEnabled());
}

TEST_F(OnlineDlgTest, DownloadNeedsBlocksAndAVersionForDitBlocks) {
    SimNetwork network({2});
    network.sims[0]->SetVersion(210);
    COnlineDlg empty(QuickSettings(), nullptr, std::vector<std::string>{});
    empty.Look();
    EXPECT_EQ(empty.GetDeviceField(COnlineDlg::kFieldModel), "Varex");
    EXPECT_FALSE(empty.GetButton(COnlineDlg::kResultDownload)->isEnabled());

    m_config.AddBlock(CBlock::Create(FindBlockTypeByMnemonic("DIT"), 13));
    COnlineDlg withDit(QuickSettings(), &m_config, std::vector<std::string>{});
    withDit.Look();
    EXPECT_FALSE(withDit.GetButton(COnlineDlg::kResultDownload)->isEnabled());
}

TEST_F(OnlineDlgTest, RangeFieldsAreCheckedBeforeTheDialogEnds) {
    std::vector<std::string> shown;
    SetMessageBoxHandler([&shown](const std::string& text, unsigned) {
        shown.push_back(text);
        return IDOK;
    });
    COnlineDlg dialog(QuickSettings(), &m_config, std::vector<std::string>{});
    dialog.show();
    auto* from = dialog.findChild<QLineEdit*>("fromEdit");
    auto* to = dialog.findChild<QLineEdit*>("toEdit");
    auto* address = dialog.findChild<QSpinBox*>("addressSpin");
    // Each choice enables its own fields.
    EXPECT_TRUE(address->isEnabled());
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(to->isEnabled());
    QRadioButton* range = nullptr;
    for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
        if (radio->text() == "Check from:") {
            range = radio;
        }
    }
    ASSERT_NE(range, nullptr);
    QTest::mouseClick(range, Qt::LeftButton);
    EXPECT_FALSE(address->isEnabled());
    EXPECT_TRUE(from->isEnabled());
    EXPECT_TRUE(to->isEnabled());
    to->setText("31");
    EXPECT_FALSE(dialog.UpdateData());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("between 2 and 30"), std::string::npos);
    dialog.GetButton(COnlineDlg::kResultOk)->click();
    EXPECT_EQ(dialog.result(), 0);  // still open
    dialog.findChild<QLineEdit*>("toEdit")->setText("4");
    dialog.findChild<QSpinBox*>("addressSpin")->setValue(7);
    dialog.GetButton(COnlineDlg::kResultGoOnline)->click();
    EXPECT_EQ(dialog.result(), COnlineDlg::kResultGoOnline);
    EXPECT_EQ(dialog.GetData().m_nDevAddress, 7);
    SetMessageBoxHandler(nullptr);
}

TEST(DeviceLookingDlg, ScanListsTheControllersInTheRange) {
    SimNetwork network({3});
    network.sims[0]->SetLoop(5, NamedLoop("PLANT"));
    CDeviceLookingDlg looking(QuickSettings(), 2, 4);
    EXPECT_EQ(looking.exec(), QDialog::Accepted);
    ASSERT_EQ(looking.GetFound().size(), 1u);
    EXPECT_EQ(looking.GetFound()[0], "3;4.10;PLANT;");
    EXPECT_EQ(looking.GetProgressPosition(), 4);
    EXPECT_EQ(looking.GetProgressText(), "Device: 4");

    // Nothing is chosen for the user; OK waits for a row.
    CDeviceOnNetworkDlg list(looking.GetFound());
    list.show();
    EXPECT_EQ(list.GetSelectedRow(), -1);
    auto* ok = list.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    auto* table = list.findChild<QTableWidget*>();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(0, 1)).center());
    EXPECT_EQ(list.GetSelectedRow(), 0);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(list.GetSelected(), (std::vector<std::string>{"3", "4.10", "PLANT"}));
}

TEST(DeviceLookingDlg, CancelEndsTheScanWithNothingFound) {
    SimNetwork network({20});
    CDeviceLookingDlg looking(QuickSettings(), 2, 30);
    QTimer::singleShot(50, [&looking] { looking.CancelScan(); });
    EXPECT_EQ(looking.exec(), QDialog::Rejected);
    EXPECT_TRUE(looking.GetFound().empty());
    EXPECT_LT(looking.GetProgressPosition(), 20);
}

TEST(DeviceOnNetworkDlg, EntriesSplitIntoColumns) {
    EXPECT_EQ(CDeviceOnNetworkDlg::SplitEntry("7;4.10;NO CONFG;"),
              (std::vector<std::string>{"7", "4.10", "NO CONFG"}));
    EXPECT_EQ(CDeviceOnNetworkDlg::SplitEntry("7;;"), (std::vector<std::string>{"7", ""}));
    CDeviceOnNetworkDlg none({});
    EXPECT_EQ(none.GetSelectedRow(), -1);
    EXPECT_TRUE(none.GetSelected().empty());
}

}  // namespace
