#pragma once

#include <QCoreApplication>

class CMainFrame;
class CAppSettings;
struct UploadResult;

// The main frame's "Online" command and the download and upload it leads to:
// the Online dialog, the question whether to save first, the transfer with
// its progress and result boxes, and, after an upload, the document that shows
// the controller's configuration.
class CTransferCommands {
    Q_DECLARE_TR_FUNCTIONS(CTransferCommands)

public:
    CTransferCommands(CMainFrame& frame, CAppSettings& settings);

    // Shows the Online dialog and runs the transfer the user chose; while the
    // active view is online it takes the view offline instead.
    void OnlineCommand();
    // code: the Online dialog's result (5 download, 6 upload; 1 and 1017 start
    // nothing). False when no transfer ran or it failed.
    bool RunTransfer(int code);
    // The active loop view goes online (after a transfer, or "Go Online").
    void GoOnlineActive();
    // Whether a successful transfer puts the view online (the default); tests
    // that script the controller's every answer turn it off.
    void SetGoOnlineAfterTransfer(bool on) { m_bGoOnline = on; }

private:
    // The question before a transfer when a document is open; the answer is the
    // string identifier of the chosen button, IDCANCEL for Cancel.
    int AskSaveFirst(bool download);
    // Carries out "Save and ..." and "Only Upload"; false stops the transfer.
    bool PrepareDocuments(int answer, bool download);
    bool Download();
    bool Upload();
    // Opens or creates the document that receives the uploaded loops.
    bool ReceiveUpload(UploadResult& result);

    CMainFrame& m_frame;
    CAppSettings& m_settings;
    bool m_bGoOnline = true;
};
