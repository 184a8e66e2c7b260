#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Communication Settings": edits a copy of the application's communication
// record. The caller reads the result with GetData() after the dialog was
// accepted, and InterfaceChanged() says whether the status bar needs the new
// interface name.
class CCommSettings : public QDialog {
    Q_OBJECT

public:
    // The port list holds the serial devices that open now.
    explicit CCommSettings(const CCommunicationData& data, QWidget* parent = nullptr);
    // The port list is given (tests, callers that listed the devices already).
    CCommSettings(const CCommunicationData& data, const std::vector<std::string>& ports,
                  QWidget* parent = nullptr);
    // The edits lose the focus while the dialog goes away; their handlers must
    // not run on a half-destroyed dialog.
    ~CCommSettings() override;

    const CCommunicationData& GetData() const { return m_data; }
    // True when the edited record uses the other transport than the original.
    bool InterfaceChanged() const;

    // Takes the pending edits; an empty address keeps the dialog open.
    void accept() override;

    static constexpr int kMinTimeout = 100;
    static constexpr int kMaxTimeout = 99999;
    static constexpr int kMinMonitPeriod = 1;  // in 100 ms steps
    static constexpr int kMaxMonitPeriod = 500;
    static constexpr int kMaxRetries = 6;

private:
    void BuildControls(const std::vector<std::string>& ports);
    void ShowData();
    void ConnectControls();
    void UpdateInterfaceControls();
    void SetModified();

    // Each takes the control's text into the record, or puts the stored value
    // back when the text fails its check. They return false in that case.
    bool TakeAddress();
    bool TakeTimeout();
    bool TakeMonitPeriod();

    CCommunicationData m_data;
    const int m_nOriginalInterface;

    QRadioButton* m_pSerialRadio = nullptr;
    QRadioButton* m_pTcpRadio = nullptr;
    QComboBox* m_pPortCombo = nullptr;
    QComboBox* m_pBaudCombo = nullptr;
    QLineEdit* m_pAddressEdit = nullptr;
    QLineEdit* m_pTimeoutEdit = nullptr;
    QComboBox* m_pRetriesCombo = nullptr;
    QLineEdit* m_pMonitEdit = nullptr;
    QPushButton* m_pOkButton = nullptr;
};
