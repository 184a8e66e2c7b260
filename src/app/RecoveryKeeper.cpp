#include "app/RecoveryKeeper.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "app/MainFrame.h"
#include "app/crash/ExceptionAttacher.h"
#include "document/ConfDoc.h"
#include "document/DocumentRecovery.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/LogMsg.h"

CRecoveryKeeper::CRecoveryKeeper(CMainFrame& frame, const std::string& folder)
    : m_frame(frame), m_pRecovery(std::make_unique<CDocumentRecovery>(folder)) {
    QObject::connect(&m_copyTimer, &QTimer::timeout, [this] { KeepAll(); });
    QObject::connect(&m_settleTimer, &QTimer::timeout, [this] { Settle(); });
    m_copyTimer.start(kCopyIntervalMs);
    m_settleTimer.start(kSettleIntervalMs);
    m_frame.SetBeforeTransfer([this] { KeepAll(); });
}

CRecoveryKeeper::~CRecoveryKeeper() {
    m_frame.SetBeforeTransfer(nullptr);
}

std::string CRecoveryKeeper::DefaultFolder() {
    return CExceptionAttacher::DefaultStateFolder() + "recovery/";
}

void CRecoveryKeeper::KeepAll() {
    for (CConfDoc* document : m_frame.GetDocuments()) {
        m_pRecovery->Keep(*document);
    }
    Settle();
}

void CRecoveryKeeper::Settle() {
    std::vector<const CDocument*> modified;
    for (CConfDoc* document : m_frame.GetDocuments()) {
        if (!document->IsModified()) {
            continue;
        }
        modified.push_back(document);
        if (!m_pRecovery->HasCopy(document)) {
            m_pRecovery->Keep(*document);
        }
    }
    m_pRecovery->ForgetAllBut(modified);
}

int CRecoveryKeeper::OfferRecovery(QWidget* parent) {
    const std::vector<CDocumentRecovery::Entry> orphans = m_pRecovery->FindOrphans();
    if (orphans.empty()) {
        return 0;
    }
    QString list;
    for (const CDocumentRecovery::Entry& entry : orphans) {
        list += QString("\n%1  (%2, %3)")
                    .arg(gdi::ToQString(entry.title),
                         gdi::ToQString(entry.originalPath.empty() ? entry.copyPath
                                                                   : entry.originalPath),
                         QDateTime::fromSecsSinceEpoch(entry.time).toString("yyyy-MM-dd hh:mm"));
    }
    QMessageBox box(QMessageBox::Question, "KESTREL Plus",
                    QObject::tr("KESTREL Plus did not end normally. Recovery copies of unsaved "
                                "changes were kept:\n%1\n\nRecovered documents open as changed "
                                "documents; your files stay as they are until you save.")
                        .arg(list),
                    QMessageBox::NoButton, parent);
    box.setObjectName("recoveryQuestion");
    QPushButton* recover = box.addButton(QObject::tr("Recover"), QMessageBox::AcceptRole);
    recover->setObjectName("recover");
    box.addButton(QObject::tr("Discard"), QMessageBox::DestructiveRole)->setObjectName("discard");
    box.setDefaultButton(recover);
    box.exec();
    const bool recovering = box.clickedButton() == recover;
    CLogMsg::Log("CRecoveryKeeper::OfferRecovery", "%d recovery copies found, %s",
                 static_cast<int>(orphans.size()), recovering ? "recovering" : "discarding");
    int recovered = 0;
    for (const CDocumentRecovery::Entry& entry : orphans) {
        if (recovering && !m_frame.OpenRecoveredDocument(entry.copyPath, entry.originalPath)) {
            // Kept for another try: the copy may be all that is left of the work.
            CLogMsg::Log("CRecoveryKeeper::OfferRecovery", "Could not open %s",
                         entry.copyPath.c_str());
            continue;
        }
        recovered += recovering ? 1 : 0;
        CDocumentRecovery::Discard(entry);
    }
    // The recovered documents have copies of their own from now on.
    KeepAll();
    return recovered;
}
