#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "comm/BlockMonitorWorker.h"
#include "comm/CommunicationData.h"

class CBlock;
class CConfiguration;
class CFBStaticCtrl;
class CMonitoredParamList;
class QPushButton;

// The block monitor: one block's picture with the live values at its input
// and output terminals ("NL" where an input has nothing linked), its
// parameter list, "Go Online"/"Go Offline" and "Download" of the block's
// parameters. It keeps a connection of its own through its worker.
class CBlockMonitorDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kRetryButton = 4;
    static constexpr int kGoOfflineButton = 1017;

    CBlockMonitorDlg(const CCommunicationData& settings, CConfiguration& configuration,
                     CBlock& block, int loopNumber, QWidget* parent = nullptr);
    ~CBlockMonitorDlg() override;

    // The inputs of the block with their sources in the configuration.
    static std::vector<CMonitoredInput> InputsOf(const CConfiguration& configuration,
                                                 const CBlock& block);

    CBlockMonitorWorker& GetWorker() { return m_worker; }
    CFBStaticCtrl* GetPicture() const { return m_pPicture; }
    CMonitoredParamList* GetParamList() const { return m_pParams; }
    QPushButton* GetOnlineButton() const { return m_pOnline; }
    QPushButton* GetDownloadButton() const { return m_pDownload; }

    // True once a parameter value was changed in the list.
    bool WasEdited() const { return m_bEdited; }

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void ToggleOnline();
    void OnValues();
    void OnSendToDevice();
    void OnCommError();
    void SetOnlineLabel(bool online);

    CConfiguration& m_configuration;
    CBlock& m_block;
    int m_nLoop;
    CBlockMonitorWorker m_worker;
    CFBStaticCtrl* m_pPicture = nullptr;
    CMonitoredParamList* m_pParams = nullptr;
    QPushButton* m_pOnline = nullptr;
    QPushButton* m_pDownload = nullptr;
    bool m_bEdited = false;
};
