#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "comm/ui/CommSettings.h"

namespace {

const std::vector<std::string> kPorts = {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};

CCommunicationData SerialData() {
    CCommunicationData data;
    data.m_nInterface = CCommunicationData::kInterfaceSerial;
    data.m_strPort = "/dev/ttyUSB0";
    data.m_strIPAddress = "192.168.0.7";
    data.m_nBaudRate = 9600;
    data.m_nTimeout = 250;
    data.m_nRetries = 2;
    data.m_nMonitPeriod = 1500;
    data.m_nDevAddress = 17;
    data.m_nParity = 1;
    data.m_strSpare[3] = "kept";
    return data;
}

// Drives the dialog as a user would: the dialog is shown so that focus moves
// between its controls and editing finishes as it does on screen.
class CommSettingsTest : public testing::Test {
protected:
    void Open(const CCommunicationData& data, const std::vector<std::string>& ports = kPorts) {
        m_dialog = std::make_unique<CCommSettings>(data, ports);
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    template <class T>
    T* Child(const char* name) {
        T* child = m_dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPushButton* Ok() { return Child<QPushButton>("okButton"); }

    // Replaces the text of an edit by typing, then leaves it with Tab.
    void Retype(const char* editName, const QString& text) {
        QLineEdit* edit = Child<QLineEdit>(editName);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        if (!text.isEmpty()) {
            QTest::keyClicks(edit, text);
        }
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    void Pick(const char* comboName, const QString& entry) {
        QComboBox* combo = Child<QComboBox>(comboName);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    std::unique_ptr<CCommSettings> m_dialog;
};

TEST_F(CommSettingsTest, ShowsTheStoredRecordWithOkDisabled) {
    Open(SerialData());
    EXPECT_EQ(m_dialog->windowTitle(), "Communication Settings");
    EXPECT_TRUE(Child<QRadioButton>("serialRadio")->isChecked());
    EXPECT_EQ(Child<QComboBox>("portCombo")->currentText(), "/dev/ttyUSB0");
    EXPECT_EQ(Child<QComboBox>("baudCombo")->currentText(), "9600");
    EXPECT_EQ(Child<QComboBox>("retriesCombo")->currentText(), "2");
    EXPECT_EQ(Child<QLineEdit>("timeoutEdit")->text(), "250");
    EXPECT_EQ(Child<QLineEdit>("monitEdit")->text(), "15");
    EXPECT_EQ(Child<QLineEdit>("addressEdit")->text(), "192.168.0.7");
    EXPECT_FALSE(Ok()->isEnabled());
}

TEST_F(CommSettingsTest, FirstChangeOfAnyKindEnablesOk) {
    Open(SerialData());
    Pick("retriesCombo", "5");
    EXPECT_TRUE(Ok()->isEnabled());

    Open(SerialData());
    QTest::keyClicks(Child<QLineEdit>("timeoutEdit"), "0");
    EXPECT_TRUE(Ok()->isEnabled());

    Open(SerialData());
    QTest::mouseClick(Child<QRadioButton>("tcpRadio"), Qt::LeftButton);
    EXPECT_TRUE(Ok()->isEnabled());
}

TEST_F(CommSettingsTest, InterfaceSwitchesWhichControlsAreEnabled) {
    Open(SerialData());
    auto* port = Child<QComboBox>("portCombo");
    auto* baud = Child<QComboBox>("baudCombo");
    auto* address = Child<QLineEdit>("addressEdit");
    EXPECT_TRUE(port->isEnabled());
    EXPECT_TRUE(baud->isEnabled());
    EXPECT_FALSE(address->isEnabled());
    EXPECT_FALSE(m_dialog->InterfaceChanged());

    QTest::mouseClick(Child<QRadioButton>("tcpRadio"), Qt::LeftButton);
    EXPECT_FALSE(port->isEnabled());
    EXPECT_FALSE(baud->isEnabled());
    EXPECT_TRUE(address->isEnabled());
    EXPECT_TRUE(m_dialog->GetData().IsEthernet());
    EXPECT_TRUE(m_dialog->InterfaceChanged());

    QTest::mouseClick(Child<QRadioButton>("serialRadio"), Qt::LeftButton);
    EXPECT_TRUE(port->isEnabled());
    EXPECT_FALSE(address->isEnabled());
    EXPECT_FALSE(m_dialog->InterfaceChanged());

    // Any non-zero value means Ethernet: opening it as TCP/IP is no change.
    CCommunicationData data = SerialData();
    data.m_nInterface = 5;
    Open(data);
    EXPECT_TRUE(Child<QRadioButton>("tcpRadio")->isChecked());
    EXPECT_FALSE(m_dialog->InterfaceChanged());
    QTest::mouseClick(Child<QRadioButton>("serialRadio"), Qt::LeftButton);
    EXPECT_TRUE(m_dialog->InterfaceChanged());
    EXPECT_EQ(m_dialog->GetData().m_nInterface, 0);
}

TEST_F(CommSettingsTest, MissingStoredPortTakesTheFirstEntry) {
    CCommunicationData data = SerialData();
    data.m_strPort = "/dev/ttyACM3";
    Open(data);
    EXPECT_EQ(Child<QComboBox>("portCombo")->currentText(), "/dev/ttyS0");
    EXPECT_EQ(m_dialog->GetData().m_strPort, "/dev/ttyS0");

    // Without any device the stored name stays.
    Open(data, {});
    EXPECT_EQ(Child<QComboBox>("portCombo")->count(), 0);
    EXPECT_EQ(m_dialog->GetData().m_strPort, "/dev/ttyACM3");
}

TEST_F(CommSettingsTest, TimeoutOutsideItsRangeIsPutBack) {
    Open(SerialData());
    Retype("timeoutEdit", "50");
    EXPECT_EQ(Child<QLineEdit>("timeoutEdit")->text(), "250");
    EXPECT_EQ(m_dialog->GetData().m_nTimeout, 250);

    Retype("timeoutEdit", "");
    EXPECT_EQ(Child<QLineEdit>("timeoutEdit")->text(), "250");

    Retype("timeoutEdit", "1a2-34567");  // digits only, five at most
    EXPECT_EQ(m_dialog->GetData().m_nTimeout, 12345);
    Retype("timeoutEdit", "100");
    EXPECT_EQ(m_dialog->GetData().m_nTimeout, 100);
}

TEST_F(CommSettingsTest, MonitoringPeriodIsTypedInTenthsOfASecond) {
    Open(SerialData());
    Retype("monitEdit", "7");
    EXPECT_EQ(m_dialog->GetData().m_nMonitPeriod, 700);

    Retype("monitEdit", "0");
    EXPECT_EQ(Child<QLineEdit>("monitEdit")->text(), "7");
    EXPECT_EQ(m_dialog->GetData().m_nMonitPeriod, 700);

    Retype("monitEdit", "123");  // the third digit does not fit
    EXPECT_EQ(m_dialog->GetData().m_nMonitPeriod, 1200);
}

TEST_F(CommSettingsTest, EmptyAddressIsRefused) {
    CCommunicationData data = SerialData();
    data.m_nInterface = CCommunicationData::kInterfaceEthernet;
    Open(data);
    Retype("addressEdit", "");
    EXPECT_EQ(Child<QLineEdit>("addressEdit")->text(), "192.168.0.7");
    EXPECT_EQ(m_dialog->GetData().m_strIPAddress, "192.168.0.7");
    EXPECT_FALSE(Ok()->isEnabled());

    // A blank address set behind the dialog's back still keeps it open.
    Child<QLineEdit>("addressEdit")->setText("   ");
    m_dialog->accept();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(Child<QLineEdit>("addressEdit")->text(), "192.168.0.7");
}

TEST_F(CommSettingsTest, EditedRecordRoundTripsThroughOk) {
    Open(SerialData());
    Pick("portCombo", "/dev/ttyUSB1");
    Pick("baudCombo", "38400");
    Pick("retriesCombo", "0");
    Retype("timeoutEdit", "1200");
    Retype("monitEdit", "25");
    QTest::mouseClick(Child<QRadioButton>("tcpRadio"), Qt::LeftButton);
    Retype("addressEdit", "localhost:1502");
    // The last edit is taken by OK even without leaving it.
    auto* timeout = Child<QLineEdit>("timeoutEdit");
    timeout->setFocus();
    timeout->selectAll();
    QTest::keyClicks(timeout, "400");
    QTest::mouseClick(Ok(), Qt::LeftButton);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);

    const CCommunicationData& data = m_dialog->GetData();
    EXPECT_EQ(data.m_nInterface, CCommunicationData::kInterfaceEthernet);
    EXPECT_EQ(data.m_strPort, "/dev/ttyUSB1");
    EXPECT_EQ(data.m_nBaudRate, 38400);
    EXPECT_EQ(data.m_nRetries, 0);
    EXPECT_EQ(data.m_nTimeout, 400);
    EXPECT_EQ(data.m_nMonitPeriod, 2500);
    EXPECT_EQ(data.m_strIPAddress, "localhost:1502");
    // Fields the dialog does not show pass through untouched.
    EXPECT_EQ(data.m_nDevAddress, 17);
    EXPECT_EQ(data.m_nParity, 1);
    EXPECT_EQ(data.m_strSpare[3], "kept");
    EXPECT_TRUE(m_dialog->InterfaceChanged());
}

}  // namespace
