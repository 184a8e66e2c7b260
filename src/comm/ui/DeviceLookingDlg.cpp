#include "comm/ui/DeviceLookingDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/DeviceLookup.h"

CDeviceLookingDlg::CDeviceLookingDlg(const CCommunicationData& settings, int first, int last,
                                     QWidget* parent)
    : QDialog(parent),
      m_nFirst(first),
      m_nLast(last),
      m_pScan(std::make_unique<CDeviceScan>(settings, first, last)) {
    setWindowTitle(tr("Device Looking ..."));
    auto* label = new QLabel(QString::asprintf("Looking from: %02d to %02d", first, last), this);
    m_pBar = new QProgressBar(this);
    m_pBar->setRange(first, last);
    m_pBar->setValue(first);
    m_pBar->setFormat(tr("Device: %1").arg(first));
    m_pCancelButton = new QPushButton(tr("Cancel"), this);
    connect(m_pCancelButton, &QPushButton::clicked, this, [this] { CancelScan(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancelButton, 0, Qt::AlignCenter);
    setMinimumWidth(280);
}

CDeviceLookingDlg::~CDeviceLookingDlg() {
    if (m_bStarted && !m_bFinished) {
        m_pScan->Cancel();
        FinishScan(false);
    }
}

int CDeviceLookingDlg::GetProgressPosition() const {
    return m_pBar->value();
}

QString CDeviceLookingDlg::GetProgressText() const {
    return m_pBar->text();
}

void CDeviceLookingDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bStarted) {
        return;
    }
    m_bStarted = true;
    // The worker's two messages become queued calls on this dialog: posting
    // them never waits, and the dialog outlives the worker, which it joins.
    // Other messages go on through a copy of the previous poster, so that a
    // copy of this one still running on another thread never reads a member.
    m_previousPoster = SetMessagePoster({});
    MessagePoster previous = m_previousPoster;
    SetMessagePoster([this, previous](const std::string& name, long wParam, long lParam) {
        if (name == msg::kUpdatePbPos) {
            QMetaObject::invokeMethod(
                this,
                [this, wParam] {
                    m_pBar->setValue(static_cast<int>(wParam));
                    m_pBar->setFormat(tr("Device: %1").arg(wParam));
                },
                Qt::QueuedConnection);
        } else if (name == msg::kDeviceLookFinished) {
            QMetaObject::invokeMethod(
                this, [this] { FinishScan(true); }, Qt::QueuedConnection);
        } else if (previous) {
            previous(name, wParam, lParam);
        }
    });
    if (!m_pScan->Start()) {
        QMetaObject::invokeMethod(
            this, [this] { FinishScan(false); }, Qt::QueuedConnection);
    }
}

void CDeviceLookingDlg::reject() {
    CancelScan();
}

void CDeviceLookingDlg::CancelScan() {
    if (m_bFinished) {
        return;
    }
    m_pCancelButton->setEnabled(false);
    m_pScan->Cancel();
    FinishScan(false);
}

void CDeviceLookingDlg::FinishScan(bool complete) {
    if (m_bFinished) {
        return;
    }
    m_bFinished = true;
    m_pScan->Finish();
    SetMessagePoster(std::move(m_previousPoster));
    m_previousPoster = nullptr;
    if (complete && !m_pScan->WasCancelled()) {
        m_found = m_pScan->GetFound();
    }
    done(complete ? Accepted : Rejected);
}
