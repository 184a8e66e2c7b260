#include "app/TransferCommands.h"

#include "app/MainFrame.h"
#include "app/OnlineCommands.h"
#include "app/WindowTransferUi.h"
#include "comm/AppSettings.h"
#include "comm/Transfers.h"
#include "comm/ui/OnlineDlg.h"
#include "diagram/AutoDraw.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "vexilla/MessageBoxEx.h"

CTransferCommands::CTransferCommands(CMainFrame& frame, CAppSettings& settings)
    : m_frame(frame), m_settings(settings) {}

void CTransferCommands::OnlineCommand() {
    // While the active view is online, the command takes it offline.
    if (CLoopView* view = m_frame.GetActiveLoopView(); view != nullptr && view->IsOnline()) {
        view->Online().LeaveOnlineMode();
        m_frame.UpdateCommands();
        return;
    }
    COnlineDlg dialog(m_settings.LoadCommSettings(), m_frame.GetActiveDocument(), &m_frame);
    const int code = dialog.exec();
    if (code == COnlineDlg::kResultCancel || code == QDialog::Rejected) {
        return;
    }
    m_settings.StoreCommSettings(dialog.GetData());
    RunTransfer(code);
}

bool CTransferCommands::RunTransfer(int code) {
    const bool download = code == COnlineDlg::kResultDownload;
    if (code == COnlineDlg::kResultGoOnline) {
        GoOnlineActive();
        return false;
    }
    if (!download && code != COnlineDlg::kResultUpload) {
        return false;
    }
    if (m_frame.GetActiveDocument() != nullptr) {
        const int answer = AskSaveFirst(download);
        if (answer == IDCANCEL || !PrepareDocuments(answer, download)) {
            return false;
        }
    }
    // The active view's worker would hold the line the transfer needs.
    if (CLoopView* view = m_frame.GetActiveLoopView(); view != nullptr && view->IsOnline()) {
        view->Online().LeaveOnlineMode();
    }
    const bool ok = download ? Download() : Upload();
    if (ok && m_bGoOnline) {
        GoOnlineActive();
    }
    return ok;
}

void CTransferCommands::GoOnlineActive() {
    if (CLoopView* view = m_frame.GetActiveLoopView()) {
        m_frame.GetOnlineCommands().GoOnline(*view);
    }
}

int CTransferCommands::AskSaveFirst(bool download) {
    CMessageBoxEx box(&m_frame);
    box.SetTitle(download ? IDS_TITLE_DOWNLOAD : IDS_TITLE_UPLOAD);
    box.SetMsg(download ? IDS_ASK_SAVE_BEFORE_DOWNLOAD : IDS_ASK_SAVE_BEFORE_UPLOAD);
    box.SetStandardIcon(CMessageBoxEx::kIconQuestion);
    box.AddButton(download ? IDS_SAVE_AND_DOWNLOAD : IDS_SAVE_AND_UPLOAD);
    box.AddButton(download ? IDS_ONLY_DOWNLOAD : IDS_ONLY_UPLOAD);
    box.AddButton(IDCANCEL, true, 0, true, CTransferCommands::tr("Cancel"));
    const int answer = box.DoModal();
    return answer < 0 ? IDCANCEL : answer;
}

bool CTransferCommands::PrepareDocuments(int answer, bool download) {
    CConfDoc* document = m_frame.GetActiveDocument();
    if (answer == IDS_SAVE_AND_DOWNLOAD || answer == IDS_SAVE_AND_UPLOAD) {
        document->SetModifiedFlag(true);
        m_frame.SaveActive(false);
        if (document->IsModified()) {
            return false;
        }
    }
    if (download) {
        return true;
    }
    document->SetModifiedFlag(false);
    // The other documents are closed with the usual question for unsaved
    // changes; one the user keeps open stops the upload.
    return m_frame.CloseAllDocuments();
}

bool CTransferCommands::Download() {
    CConfDoc* document = m_frame.GetActiveDocument();
    if (document == nullptr) {
        return false;
    }
    CWindowTransferUi ui(&m_frame,
                         [this](const std::string& name) { m_frame.SetConfigurationName(name); });
    const CCommunicationData settings = m_settings.LoadCommSettings();
    const bool ok = DownloadConfiguration(*document, settings, ui);
    m_frame.LogLine(CTransferCommands::tr("Download of %1 to address %2: %3")
                        .arg(QString::fromLatin1(document->GetConfigurationName().c_str()))
                        .arg(settings.m_nDevAddress)
                        .arg(ok ? CTransferCommands::tr("done") : CTransferCommands::tr("failed")));
    return ok;
}

bool CTransferCommands::Upload() {
    UploadResult result;
    {
        CWindowTransferUi ui(&m_frame);
        const bool ok =
            UploadConfiguration(m_settings.LoadCommSettings(), m_settings.GetWorkDir(), ui, result);
        m_frame.LogLine(
            CTransferCommands::tr("Upload of %1: %2")
                .arg(QString::fromLatin1(result.configurationName.c_str()))
                .arg(ok ? CTransferCommands::tr("done") : CTransferCommands::tr("failed")));
        if (!ok) {
            return false;
        }
    }
    return ReceiveUpload(result);
}

bool CTransferCommands::ReceiveUpload(UploadResult& result) {
    const bool fromDisk = result.drawingsFromDisk && m_frame.CloseAllDocuments() &&
                          m_frame.OpenDocument(result.matchingFile);
    if (!fromDisk) {
        result.drawingsFromDisk = false;
        if (!m_frame.CloseAllDocuments()) {
            return false;
        }
        m_frame.NewDocument();
    }
    CConfDoc* document = m_frame.GetActiveDocument();
    if (document == nullptr) {
        return false;
    }
    ApplyUploadedLoops(*document, result);
    if (!fromDisk) {
        // A configuration read from a controller has no drawing; one is made
        // so that its loops can be seen and edited at once.
        for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
            CAutoDraw(*document, n, CLoopPainter::kDefaultPage).Run();
        }
    }
    // The uploaded loops replace what the document held; no undo entry leads back.
    if (CUndoManager* manager = CUndoManager::Get()) {
        manager->Clear(document);
        manager->ForgetCleanState(document);
    }
    m_frame.RefreshActiveWindow();
    return true;
}
