#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "comm/DeviceLookup.h"

class CConfiguration;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Online": identifies the controller to talk to and ends with the transfer the
// user chose. "Look" probes the address, or scans the "Check from:" range on a
// worker with a progress dialog and lets the user pick one of the controllers
// found. "Upload" and "Download" are enabled by what the look found.
class COnlineDlg : public QDialog {
    Q_OBJECT

public:
    // The codes the dialog ends with.
    enum Result {
        kResultOk = 1,
        kResultCancel = 2,
        kResultDownload = 5,
        kResultUpload = 6,
        kResultGoOnline = 1017,
    };
    static constexpr int kMinAddress = 2;
    static constexpr int kMaxAddress = 30;

    // config: the active document's configuration (none: nothing to download).
    COnlineDlg(const CCommunicationData& data, const CConfiguration* config,
               QWidget* parent = nullptr);
    COnlineDlg(const CCommunicationData& data, const CConfiguration* config,
               const std::vector<std::string>& ports, QWidget* parent = nullptr);

    // The settings with the dialog's address, port, baud rate and IP address
    // (valid after the dialog ended with anything but Cancel).
    const CCommunicationData& GetData() const { return m_data; }
    const DeviceProbeResult& GetDevice() const { return m_device; }

    // "Look": a probe of the address, or a scan of the range.
    void Look();
    // Takes the controls into the settings; false (after telling the user) when
    // a field is out of range.
    bool UpdateData();
    // Shows a device found at address (a probe, or the scan list's choice).
    void ShowDevice(int address, const DeviceProbeResult& device);

    QPushButton* GetButton(Result result) const;
    QString GetDeviceField(int index) const;
    enum DeviceField { kFieldModel, kFieldVersion, kFieldConfiguration, kFieldCount = 6 };

private:
    void BuildControls(const std::vector<std::string>& ports);
    QWidget* BuildAddressGroup();
    void EnableAddressFields();
    QWidget* BuildLineGroup(const std::vector<std::string>& ports);
    QWidget* BuildDeviceGroup();
    QLayout* BuildButtons();
    void ShowData();
    void EndWith(Result result);
    void ScanRange();
    bool TakeRange(int& first, int& last);

    CCommunicationData m_data;
    const CConfiguration* m_pConfig;
    DeviceProbeResult m_device;

    QRadioButton* m_pAddressRadio = nullptr;
    QRadioButton* m_pRangeRadio = nullptr;
    QSpinBox* m_pAddressSpin = nullptr;
    QLineEdit* m_pFromEdit = nullptr;
    QLineEdit* m_pToEdit = nullptr;
    QComboBox* m_pPortCombo = nullptr;
    QComboBox* m_pBaudCombo = nullptr;
    QLineEdit* m_pIpEdit = nullptr;
    QLineEdit* m_deviceFields[kFieldCount] = {};
    QPushButton* m_pLookButton = nullptr;
    QPushButton* m_pDownloadButton = nullptr;
    QPushButton* m_pUploadButton = nullptr;
    QPushButton* m_pGoOnlineButton = nullptr;
};
