#pragma once

#include <QLabel>
#include <QMainWindow>
#include <memory>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class CConfDoc;
class CAppSettings;

// The program's main window: the documents in a multi-document area, the menus,
// and the status bar with the TX and RX lights, the interface name, the free
// memory of the current loop and the cursor position.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(CAppSettings& settings);
    ~CMainFrame() override;

    // Opens a document in a new window; false (after the file error) when it
    // cannot be read.
    bool OpenDocument(const std::string& path);
    void NewDocument();
    CConfDoc* GetActiveDocument() const;
    int GetDocumentCount() const;

    // Status bar panes.
    void SetTxLight(long on);
    void SetRxLight(long on);
    void SetInterfaceName(const std::string& name);
    // Bit 15 set (0xFFFF and negatives): the pane is emptied.
    void SetMemoryFree(int value);
    void SetCursorPosition(int x, int y, bool clear);
    QString GetStatusText(int pane) const;
    bool IsTxLit() const { return m_bTxLit; }
    bool IsRxLit() const { return m_bRxLit; }

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

private:
    void CreateMenus();
    void CreateStatusBar();
    void AddDocumentWindow(std::unique_ptr<CConfDoc> document);
    bool SaveActive(bool saveAs);
    void ShowCommSettings();
    void RefreshFreeMemory();

    CAppSettings& m_settings;
    QMdiArea* m_pMdiArea;
    QLabel* m_panes[PANE_COUNT] = {};
    bool m_bTxLit = false;
    bool m_bRxLit = false;
};
