#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "platform/PostedMessage.h"

class CDeviceScan;
class QLabel;
class QProgressBar;
class QPushButton;

// "Device Looking ...": runs a scan of an address range on a worker and shows
// the address being probed. It ends with Accepted when the scan went through the
// range and with Rejected when the user cancelled or the worker could not start.
// While it runs, the worker's progress and end messages come to this dialog;
// every other posted message goes on to whoever received them before.
class CDeviceLookingDlg : public QDialog {
    Q_OBJECT

public:
    CDeviceLookingDlg(const CCommunicationData& settings, int first, int last,
                      QWidget* parent = nullptr);
    ~CDeviceLookingDlg() override;

    // Entries "address;version;name;" found by the scan.
    const std::vector<std::string>& GetFound() const { return m_found; }
    int GetProgressPosition() const;
    QString GetProgressText() const;
    // "Cancel": the worker stops after its current probe.
    void CancelScan();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void FinishScan(bool complete);

    int m_nFirst;
    int m_nLast;
    std::unique_ptr<CDeviceScan> m_pScan;
    MessagePoster m_previousPoster;
    bool m_bStarted = false;
    bool m_bFinished = false;
    std::vector<std::string> m_found;
    QProgressBar* m_pBar = nullptr;
    QPushButton* m_pCancelButton = nullptr;
};
