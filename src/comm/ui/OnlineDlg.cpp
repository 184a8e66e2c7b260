#include "comm/ui/OnlineDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

#include "comm/SerialPort.h"
#include "comm/ui/DeviceLookingDlg.h"
#include "comm/ui/DeviceOnNetworkDlg.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"

namespace {

constexpr std::array<int, 5> kBaudRates = {2400, 4800, 9600, 19200, 38400};
constexpr int kDefaultFirst = 2;
constexpr int kDefaultLast = 30;

QLineEdit* MakeAddressEdit(int value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setMaxLength(2);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(40);
    return edit;
}

}  // namespace

COnlineDlg::COnlineDlg(const CCommunicationData& data, const CConfiguration* config,
                       QWidget* parent)
    : COnlineDlg(data, config, CSerialPort::ListSerialPorts(), parent) {}

COnlineDlg::COnlineDlg(const CCommunicationData& data, const CConfiguration* config,
                       const std::vector<std::string>& ports, QWidget* parent)
    : QDialog(parent), m_data(data), m_pConfig(config) {
    setWindowTitle(tr("Online"));
    BuildControls(ports);
    ShowData();
}

void COnlineDlg::BuildControls(const std::vector<std::string>& ports) {
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildAddressGroup());
    left->addWidget(BuildLineGroup(ports));
    columns->addLayout(left);
    columns->addWidget(BuildDeviceGroup());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(BuildButtons());
}

QWidget* COnlineDlg::BuildAddressGroup() {
    auto* group = new QGroupBox(tr(" Device Address "), this);
    m_pAddressRadio = new QRadioButton(tr("Address:"), group);
    m_pRangeRadio = new QRadioButton(tr("Check from:"), group);
    m_pAddressSpin = new QSpinBox(group);
    m_pAddressSpin->setObjectName("addressSpin");
    m_pAddressSpin->setRange(kMinAddress, kMaxAddress);
    m_pFromEdit = MakeAddressEdit(kDefaultFirst, group);
    m_pFromEdit->setObjectName("fromEdit");
    m_pToEdit = MakeAddressEdit(kDefaultLast, group);
    m_pToEdit->setObjectName("toEdit");
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_pAddressRadio, 0, 0);
    grid->addWidget(m_pAddressSpin, 0, 1);
    grid->addWidget(m_pRangeRadio, 1, 0);
    grid->addWidget(m_pFromEdit, 1, 1);
    grid->addWidget(new QLabel(tr("to"), group), 1, 2);
    grid->addWidget(m_pToEdit, 1, 3);
    // Each choice enables its own fields: one address, or the range to scan.
    connect(m_pAddressRadio, &QRadioButton::toggled, this, [this] { EnableAddressFields(); });
    m_pAddressRadio->setChecked(true);
    EnableAddressFields();
    return group;
}

void COnlineDlg::EnableAddressFields() {
    const bool single = m_pAddressRadio->isChecked();
    m_pAddressSpin->setEnabled(single);
    m_pFromEdit->setEnabled(!single);
    m_pToEdit->setEnabled(!single);
}

QWidget* COnlineDlg::BuildLineGroup(const std::vector<std::string>& ports) {
    auto* group = new QGroupBox(tr(" Line "), this);
    m_pPortCombo = new QComboBox(group);
    m_pPortCombo->setObjectName("portCombo");
    for (const std::string& port : ports) {
        m_pPortCombo->addItem(gdi::ToQString(port));
    }
    m_pBaudCombo = new QComboBox(group);
    m_pBaudCombo->setObjectName("baudCombo");
    for (int baud : kBaudRates) {
        m_pBaudCombo->addItem(QString::number(baud), baud);
    }
    m_pIpEdit = new QLineEdit(group);
    m_pIpEdit->setObjectName("ipEdit");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Serial Port:"), group), 0, 0);
    grid->addWidget(m_pPortCombo, 0, 1);
    grid->addWidget(new QLabel(tr("Baud Rate:"), group), 1, 0);
    grid->addWidget(m_pBaudCombo, 1, 1);
    grid->addWidget(new QLabel(tr("IP Address:"), group), 2, 0);
    grid->addWidget(m_pIpEdit, 2, 1);
    return group;
}

QWidget* COnlineDlg::BuildDeviceGroup() {
    auto* group = new QGroupBox(tr(" Device Information "), this);
    const QString labels[kFieldCount] = {tr("Device:"), tr("Version:"), tr("Configuration:"),
                                         tr("Cycle:"),  tr("Release:"), tr("Config. Date:")};
    auto* grid = new QGridLayout(group);
    for (int field = 0; field < kFieldCount; ++field) {
        m_deviceFields[field] = new QLineEdit(group);
        m_deviceFields[field]->setReadOnly(true);
        m_deviceFields[field]->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(new QLabel(labels[field], group), field, 0);
        grid->addWidget(m_deviceFields[field], field, 1);
    }
    return group;
}

QLayout* COnlineDlg::BuildButtons() {
    m_pLookButton = new QPushButton(tr("&Look"), this);
    m_pDownloadButton = new QPushButton(tr("&Download"), this);
    m_pUploadButton = new QPushButton(tr("&Upload"), this);
    m_pGoOnlineButton = new QPushButton(tr("&Go Online"), this);
    auto* okButton = new QPushButton(tr("OK"), this);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    okButton->setObjectName("okButton");
    cancelButton->setObjectName("cancelButton");
    m_pLookButton->setDefault(true);
    connect(m_pLookButton, &QPushButton::clicked, this, [this] { Look(); });
    connect(m_pDownloadButton, &QPushButton::clicked, this, [this] { EndWith(kResultDownload); });
    connect(m_pUploadButton, &QPushButton::clicked, this, [this] { EndWith(kResultUpload); });
    connect(m_pGoOnlineButton, &QPushButton::clicked, this, [this] { EndWith(kResultGoOnline); });
    connect(okButton, &QPushButton::clicked, this, [this] { EndWith(kResultOk); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    m_pDownloadButton->setEnabled(false);
    m_pUploadButton->setEnabled(false);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {m_pLookButton, m_pDownloadButton, m_pUploadButton,
                                m_pGoOnlineButton, okButton, cancelButton}) {
        row->addWidget(button);
    }
    return row;
}

void COnlineDlg::ShowData() {
    const int address = m_data.m_nDevAddress;
    m_pAddressSpin->setValue(address >= kMinAddress && address <= kMaxAddress ? address
                                                                              : kMinAddress);
    const int portIndex = m_pPortCombo->findText(gdi::ToQString(m_data.m_strPort));
    m_pPortCombo->setCurrentIndex(portIndex >= 0 ? portIndex : 0);
    const int baudIndex = m_pBaudCombo->findData(m_data.m_nBaudRate);
    m_pBaudCombo->setCurrentIndex(baudIndex >= 0 ? baudIndex : 0);
    m_pIpEdit->setText(gdi::ToQString(m_data.m_strIPAddress));
    const bool ethernet = m_data.IsEthernet();
    m_pPortCombo->setEnabled(!ethernet);
    m_pBaudCombo->setEnabled(!ethernet);
    m_pIpEdit->setEnabled(ethernet);
}

QPushButton* COnlineDlg::GetButton(Result result) const {
    switch (result) {
        case kResultDownload:
            return m_pDownloadButton;
        case kResultUpload:
            return m_pUploadButton;
        case kResultGoOnline:
            return m_pGoOnlineButton;
        default:
            return findChild<QPushButton*>(result == kResultOk ? "okButton" : "cancelButton");
    }
}

QString COnlineDlg::GetDeviceField(int index) const {
    return index >= 0 && index < kFieldCount ? m_deviceFields[index]->text() : QString();
}

bool COnlineDlg::TakeRange(int& first, int& last) {
    bool firstOk = false;
    bool lastOk = false;
    first = m_pFromEdit->text().toInt(&firstOk);
    last = m_pToEdit->text().toInt(&lastOk);
    QLineEdit* wrong = nullptr;
    if (!firstOk || first < kMinAddress || first > kMaxAddress) {
        wrong = m_pFromEdit;
    } else if (!lastOk || last < kMinAddress || last > kMaxAddress || last < first) {
        wrong = m_pToEdit;
    }
    if (wrong != nullptr) {
        AfxMessageBox(
            gdi::ToResourceText(tr("Please enter an integer between %1 and %2.")
                                    .arg(wrong == m_pToEdit && firstOk ? first : kMinAddress)
                                    .arg(kMaxAddress)),
            MB_OK | MB_ICONWARNING);
        wrong->setFocus();
        wrong->selectAll();
        return false;
    }
    return true;
}

bool COnlineDlg::UpdateData() {
    int first = 0;
    int last = 0;
    if (m_pRangeRadio->isChecked() && !TakeRange(first, last)) {
        return false;
    }
    const QString host = m_pIpEdit->text().trimmed();
    if (m_data.IsEthernet() && host.isEmpty()) {
        AfxMessageBox(gdi::ToResourceText(tr("Enter the IP address of the controller.")),
                      MB_OK | MB_ICONWARNING);
        m_pIpEdit->setFocus();
        return false;
    }
    m_data.m_nDevAddress = m_pAddressSpin->value();
    if (m_pPortCombo->count() > 0) {
        m_data.m_strPort = m_pPortCombo->currentText().toLatin1().toStdString();
    }
    m_data.m_nBaudRate = m_pBaudCombo->currentData().toInt();
    m_data.m_strIPAddress = host.toLatin1().toStdString();
    return true;
}

void COnlineDlg::EndWith(Result result) {
    if (!UpdateData()) {
        qWarning("UpdateData failed during dialog termination.");
        return;
    }
    done(result);
}

void COnlineDlg::Look() {
    if (!UpdateData()) {
        return;
    }
    if (m_pRangeRadio->isChecked()) {
        ScanRange();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DeviceProbeResult device = ProbeDeviceAt(m_data, m_data.m_nDevAddress);
    QApplication::restoreOverrideCursor();
    ShowDevice(m_data.m_nDevAddress, device);
}

void COnlineDlg::ScanRange() {
    int first = 0;
    int last = 0;
    TakeRange(first, last);
    CDeviceLookingDlg looking(m_data, first, last, this);
    if (looking.exec() != QDialog::Accepted || looking.GetFound().empty()) {
        ShowDevice(0, {});
        return;
    }
    CDeviceOnNetworkDlg list(looking.GetFound(), this);
    const std::vector<std::string> chosen =
        list.exec() == QDialog::Accepted ? list.GetSelected() : std::vector<std::string>();
    if (chosen.size() < 3) {
        ShowDevice(0, {});
        return;
    }
    const int address = QString::fromLatin1(chosen[0].c_str()).toInt();
    ShowDevice(address, DeviceProbeResult::FromAnswer(chosen[1] + ";" + chosen[2] + ";"));
}

void COnlineDlg::ShowDevice(int address, const DeviceProbeResult& device) {
    m_device = device;
    for (QLineEdit* field : m_deviceFields) {
        field->clear();
    }
    if (device.found && address >= kMinAddress && address <= kMaxAddress) {
        m_pAddressSpin->setValue(address);
        m_data.m_nDevAddress = address;
        m_deviceFields[kFieldModel]->setText(gdi::ToQString(device.model));
        m_deviceFields[kFieldVersion]->setText(gdi::ToQString(device.version));
        m_deviceFields[kFieldConfiguration]->setText(gdi::ToQString(device.name));
    } else {
        m_device = DeviceProbeResult();
        m_deviceFields[kFieldModel]->setText(gdi::ToQString(LoadResString(IDS_NOT_FOUND)));
    }
    m_pUploadButton->setEnabled(m_device.CanUpload());
    m_pDownloadButton->setEnabled(m_pConfig != nullptr && m_device.CanDownload(*m_pConfig));
}
