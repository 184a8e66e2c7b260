#pragma once

#include <QCoreApplication>
#include <QString>

class CAppSettings;
class CLoopView;
class CMainFrame;
class CTrendPanel;
class QDockWidget;
class QMenu;

// The online commands of the main frame: "Monitor", "Update" and "Monitor
// current block" on the active loop view, the views going online after a
// transfer, and every view offline before the program closes.
class COnlineCommands {
    Q_DECLARE_TR_FUNCTIONS(COnlineCommands)

public:
    COnlineCommands(CMainFrame& frame, CAppSettings& settings);

    // Adds the three commands to the Communication menu.
    void AddCommands(QMenu* menu);
    // Enables and checks them for the active view (the idle update); a loop
    // changed while monitoring switches monitoring off here.
    void UpdateCommands();
    // The view goes online with the stored settings; false when no worker started.
    bool GoOnline(CLoopView& view);
    // The active view's online mode ends (the program closes).
    void LeaveActive();
    // "Upload" while online: the view goes offline first.
    void OnlineUploadCommand();

    // The dockable Trend panel, made on first use.
    CTrendPanel& GetTrendPanel();
    bool HasTrendPanel() const { return m_pTrend != nullptr; }

    void OnMonitoring();
    void RequestSendToDevice();
    void RequestBlockMonitor();

private:
    void Wire(CLoopView& view);
    CLoopView* ActiveOnlineView() const;

    CMainFrame& m_frame;
    CAppSettings& m_settings;
    CTrendPanel* m_pTrend = nullptr;
    QDockWidget* m_pTrendDock = nullptr;
};
