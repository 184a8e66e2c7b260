#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CEditCommands;
class CUndoManager;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class CAppSettings;
class CConfDoc;
class CBlockListPanel;
class QDockWidget;
class CDebugLogWnd;
class CDocumentWindow;
class CPrintCommands;
class CLoopView;
class COnlineCommands;
class CRecentFileList;
class CStatusBarEx;
class CTransferCommands;

// The program's main window: the documents in a multi-document area, the menus
// and tool bar, the status bar with the TX and RX lights, the interface name,
// the free memory of the current loop and the cursor position, and the debug
// log bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CAppSettings& settings);
    ~CMainFrame() override;

    // File > Open, the recent files, the command line and dropped files: closes
    // every open document first (each with its question about unsaved changes);
    // when one stays open, nothing is opened (false).
    bool OpenDocumentFile(const std::string& path);
    // Opens a document in a new window beside the others; false (after the
    // file error) when it cannot be read. A file open already is brought to the
    // front. The document keeps the path made absolute.
    bool OpenDocument(const std::string& path);
    void NewDocument();
    // Turns a .vxi configuration image into a new document.
    bool ImportImage(const std::string& path);
    // Saves the active document (Save As when asked, or when it has no file of
    // its own yet); false when it was not saved.
    bool SaveActive(bool saveAs);
    // Closes every document window, asking about unsaved changes; false when
    // the user kept one open.
    bool CloseAllDocuments();
    CConfDoc* GetActiveDocument() const;
    // Every open document, in window order.
    std::vector<CConfDoc*> GetDocuments() const;
    // Opens a recovery copy as a modified document whose Save asks for a
    // name (offering the file it was copied from), so that the user's file
    // is replaced only on their word.
    bool OpenRecoveredDocument(const std::string& copyPath, const std::string& originalPath);
    // Runs before a transfer with a controller starts (recovery copies).
    void SetBeforeTransfer(std::function<void()> callback) {
        m_beforeTransfer = std::move(callback);
    }
    CLoopView* GetActiveLoopView() const;
    int GetDocumentCount() const;
    // Reads the active document's title and loop names into its window again.
    void RefreshActiveWindow();

    // "Online" (F9): the Online dialog and the transfer chosen there.
    void OnlineCommand();
    CTransferCommands& GetTransferCommands() { return *m_pTransfers; }
    CEditCommands& GetEditCommands() { return *m_pEdit; }
    CPrintCommands& GetPrintCommands() { return *m_pPrint; }
    COnlineCommands& GetOnlineCommands() { return *m_pOnline; }

    // Status bar panes and the document bar.
    void SetTxLight(long on);
    void SetRxLight(long on);
    void SetInterfaceName(const std::string& name);
    // Bit 15 set (0xFFFF and negatives): the pane is emptied.
    void SetMemoryFree(int value);
    void SetCursorPosition(int x, int y, bool clear);
    void SetConfigurationName(const std::string& name);
    QString GetConfigurationName() const;
    QString GetStatusText(int pane) const;
    bool IsTxLit() const { return m_bTxLit; }
    bool IsRxLit() const { return m_bRxLit; }

    // The debug log bar, made on first use.
    CDebugLogWnd& GetDebugLog();
    void ToggleDebugLog();
    // The block list panel, made on first use.
    CBlockListPanel& GetBlockListPanel();
    // A line in the debug log, time-stamped (the bar keeps lines while hidden).
    void LogLine(const QString& text);
    // Builds the menus again and retranslates the bars (after a language
    // change); the open documents' blocks take the new dictionary's texts.
    void RebuildMenus();
    // Enables the commands for the current state (as the idle update does).
    void UpdateCommands();
    QAction* FindAction(const QString& objectName) const;
    const CRecentFileList& GetRecentFiles() const { return *m_pRecentFiles; }

    enum Pane {
        PANE_TX,
        PANE_RX,
        PANE_INTERFACE,
        PANE_LOGO1,
        PANE_LOGO2,
        PANE_EMPTY,
        PANE_MEMORY,
        PANE_POSITION,
        PANE_COUNT
    };

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, const QString& name, const QString& text,
                        const QKeySequence& key, std::function<void()> handler);
    void CreateMenus();
    void RetranslateToolBar();
    // Opens a help page with the desktop's browser, or says it cannot.
    static void OpenHelpPage(const QString& page);
    void RefreshDocumentParams();
    void CreateFileMenu();
    void AddPrintCommands(QMenu* file);
    void CreateViewMenu();
    void CreateCommunicationMenu();
    void CreateLanguageMenu();
    void CreateHelpMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateBlockListPanel();
    void FillRecentFilesMenu();
    void AddDocumentWindow(std::unique_ptr<CConfDoc> document);
    CDocumentWindow* GetActiveWindow() const;
    bool CanCloseWindow(CDocumentWindow& window);
    bool SaveWindow(CDocumentWindow& window, bool saveAs);
    void AskLoopGName(CConfDoc& document);
    void ShowOpenDialog();
    void ShowImportDialog();
    void ExportActiveToPda();
    void ShowCommSettings();
    // "Calibration" (Ctrl+F11): the calibration dialog on the stored settings.
    void ShowCalibration();
    void ShowDocumentInformation();
    void ShowDocumentProperties();
    void RefreshFreeMemory();
    // The name field follows the active document.
    void RefreshConfigurationName();
    // The first configuration or configuration image among dropped files.
    static QString DroppedFile(const QMimeData* data);
    void SaveBarState();
    void RestoreBarState();

    CAppSettings& m_settings;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    std::unique_ptr<CUndoManager> m_pOwnUndoManager;
    std::unique_ptr<CTransferCommands> m_pTransfers;
    std::unique_ptr<CPrintCommands> m_pPrint;
    std::unique_ptr<COnlineCommands> m_pOnline;
    CEditCommands* m_pEdit = nullptr;
    QMdiArea* m_pMdiArea;
    QToolBar* m_pToolBar = nullptr;
    // The main tool bar's own entries, retranslated after a language change.
    struct ToolActions {
        QAction* newAction = nullptr;
        QAction* openAction = nullptr;
        QAction* saveAction = nullptr;
        QAction* onlineAction = nullptr;
        QLabel* configLabel = nullptr;
    } m_toolActions;
    QLineEdit* m_pConfigName = nullptr;
    QMenu* m_pRecentMenu = nullptr;
    CDebugLogWnd* m_pDebugLog = nullptr;
    CBlockListPanel* m_pBlockList = nullptr;
    QDockWidget* m_pBlockListDock = nullptr;
    QString m_strPendingLog;  // lines logged before the bar was made
    QTimer* m_pIdleTimer = nullptr;
    CStatusBarEx* m_pStatusBar = nullptr;
    std::function<void()> m_beforeTransfer;
    bool m_bTxLit = false;
    bool m_bRxLit = false;
};
