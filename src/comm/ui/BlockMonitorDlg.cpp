#include "comm/ui/BlockMonitorDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/ConfController.h"
#include "comm/OnlineEvent.h"
#include "comm/ui/MonitoredParamList.h"
#include "diagram/ui/FBStaticCtrl.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "platform/PostedMessage.h"
#include "vexilla/MessageBoxEx.h"

namespace {

CMonitoredBlock MonitoredOf(const CConfiguration& configuration, const CBlock& block) {
    return {block.GetBlockNumber(),
            static_cast<uint8_t>(configuration.GetBlockLoop(block.GetBlockNumber())),
            CConfController::FunctionOf(block), CConfController::OffsetOf(block)};
}

}  // namespace

CBlockMonitorDlg::CBlockMonitorDlg(const CCommunicationData& settings,
                                   CConfiguration& configuration, CBlock& block, int loopNumber,
                                   QWidget* parent)
    : QDialog(parent),
      m_configuration(configuration),
      m_block(block),
      m_nLoop(loopNumber),
      m_worker([this](const std::string& message) {
          // The dialog outlives its worker: closing it stops the worker first.
          QCoreApplication::postEvent(this, new COnlineEvent(message, 0));
      }) {
    const BlockTypeInfo* type = GetBlockTypeInfo(block.GetTypeIndex());
    setWindowTitle(QString::asprintf(" BLK-%03d - %s - %s", block.GetBlockNumber(),
                                     block.GetName().c_str(), type != nullptr ? type->name : ""));
    const std::vector<CMonitoredInput> inputs = InputsOf(configuration, block);
    std::vector<bool> linked;
    for (const CMonitoredInput& input : inputs) {
        linked.push_back(input.linked);
    }
    m_pPicture = new CFBStaticCtrl(this);
    m_pPicture->SetPicture(CFBStaticCtrl::PictureBasePath(block.GetTypeIndex()),
                           block.GetInstance(), false, linked);
    m_pParams = new CMonitoredParamList(block, this);
    m_pParams->SetChangeListener([this] {
        m_bEdited = true;
        m_pDownload->setEnabled(true);
    });
    m_pOnline = new QPushButton(this);
    m_pDownload = new QPushButton(tr("Download"), this);
    m_pDownload->setEnabled(false);
    auto* close = new QPushButton(tr("Close"), this);
    connect(m_pOnline, &QPushButton::clicked, this, [this] { ToggleOnline(); });
    connect(m_pDownload, &QPushButton::clicked, this, [this] { m_worker.RequestSendToDevice(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pOnline);
    buttons->addWidget(m_pDownload);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPicture, 1);
    layout->addWidget(m_pParams, 1);
    layout->addLayout(buttons);
    resize(560, 640);

    SetOnlineLabel(true);
    m_worker.Start(settings, MonitoredOf(configuration, block), inputs);
}

CBlockMonitorDlg::~CBlockMonitorDlg() {
    m_worker.Stop();
}

std::vector<CMonitoredInput> CBlockMonitorDlg::InputsOf(const CConfiguration& configuration,
                                                        const CBlock& block) {
    std::vector<CMonitoredInput> inputs;
    for (int j = 0; j < block.GetParamCount(PARAM_LINK); ++j) {
        CMonitoredInput input;
        input.name = block.GetLinkInputName(j);
        const int address = block.GetLinkValue(j);
        const CBlock* source = address != 0 ? configuration.FindBlockByOutput(address) : nullptr;
        if (source != nullptr) {
            input.linked = true;
            input.source = MonitoredOf(configuration, *source);
            for (int i = 0; i < source->GetOutputCount(); ++i) {
                if (source->GetOutputAddress(i) == address) {
                    input.position = i;
                }
            }
        }
        inputs.push_back(input);
    }
    return inputs;
}

void CBlockMonitorDlg::done(int result) {
    // Nothing of the worker may outlive the window it posts to.
    m_worker.Stop();
    QDialog::done(result);
}

bool CBlockMonitorDlg::event(QEvent* event) {
    auto* online = dynamic_cast<COnlineEvent*>(event);
    if (online == nullptr) {
        return QDialog::event(event);
    }
    if (!m_worker.HasWorker()) {
        return true;
    }
    if (online->Is(COnlineSession::kValuesReady)) {
        OnValues();
    } else if (online->Is(msg::kThreadSendToDevice)) {
        OnSendToDevice();
    } else if (online->Is(msg::kThreadCommError)) {
        OnCommError();
    }
    return true;
}

void CBlockMonitorDlg::ToggleOnline() {
    const bool goOnline = m_worker.GetState() != CBlockMonitorWorker::STATE_MONITORING;
    if (goOnline) {
        m_worker.GoOnline();
    } else {
        m_worker.GoOffline();
    }
    SetOnlineLabel(goOnline);
}

void CBlockMonitorDlg::OnValues() {
    CBlockMonitorWorker::Values values = m_worker.GetValues();
    m_pPicture->SetTerminalValues(std::move(values.inputs), std::move(values.outputs));
}

void CBlockMonitorDlg::OnSendToDevice() {
    CConfController* controller = m_worker.WaitPaused();
    if (controller == nullptr) {
        return;
    }
    const bool sent = controller->SendBlock(m_nLoop, m_block);
    if (sent) {
        m_block.SetChanged(false);
        SetOnlineLabel(m_worker.GetState() == CBlockMonitorWorker::STATE_MONITORING);
        m_pDownload->setEnabled(false);
    } else {
        m_worker.SetCommError();
    }
    m_worker.Release();
}

void CBlockMonitorDlg::OnCommError() {
    if (m_worker.WaitPaused() == nullptr) {
        return;
    }
    CMessageBoxEx box(this);
    box.SetTitle(tr("Monitoring"));
    box.SetStandardIcon(CMessageBoxEx::kIconExclamation);
    box.SetMsg(QString::fromLatin1(m_worker.GetErrorText().c_str()));
    box.AddButton(kRetryButton, true, 0, false, tr("Retry"));
    box.AddButton(kGoOfflineButton, false, 0, true, tr("Go Offline"));
    if (box.DoModal() == kGoOfflineButton) {
        m_worker.GoOffline();
        SetOnlineLabel(false);
    } else {
        m_worker.Release();
    }
}

void CBlockMonitorDlg::SetOnlineLabel(bool online) {
    m_pOnline->setText(online ? tr("Go Offline") : tr("Go Online"));
}
