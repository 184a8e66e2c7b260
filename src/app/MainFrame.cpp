#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/AppEvents.h"
#include "app/ConfApp.h"
#include "app/ConfFileDialog.h"
#include "app/DebugLogWnd.h"
#include "app/DocumentWindow.h"
#include "app/EditCommands.h"
#include "app/OnlineCommands.h"
#include "app/PrintCommands.h"
#include "app/RecentFileList.h"
#include "app/ToolBarIcons.h"
#include "app/TransferCommands.h"
#include "comm/AppSettings.h"
#include "comm/ui/CalibrationDlg.h"
#include "comm/ui/CommSettings.h"
#include "document/ConfDoc.h"
#include "document/ImageImport.h"
#include "document/PdaExport.h"
#include "document/ui/DocumentInfoDlg.h"
#include "document/ui/DocumentPropertiesSheet.h"
#include "editing/UndoManager.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabChildFrame.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/StatusBarEx.h"

namespace {

constexpr int kPaneIds[CMainFrame::PANE_COUNT] = {28872, 28870, 28877, 28874,
                                                  28875, 28878, 28880, 28882};
constexpr int kPaneWidths[CMainFrame::PANE_COUNT] = {50, 50, 100, 53, 160, 250, 120, 100};
constexpr int kIdleUpdateMs = 250;
constexpr const char* kBarStateKey = "Toolbar/State";
constexpr const char* kProductPage = "https://www.torv.example/kestrel-plus";

// File names differ in case on this system: PLANT.vxp and plant.vxp are two files.
bool SamePath(const std::string& a, const std::string& b) {
    return !a.empty() && AbsolutePath(a) == AbsolutePath(b);
}

}  // namespace

CMainFrame::CMainFrame(CAppSettings& settings)
    : m_settings(settings),
      m_pRecentFiles(std::make_unique<CRecentFileList>(settings.GetStore())),
      m_pTransfers(std::make_unique<CTransferCommands>(*this, settings)),
      m_pPrint(std::make_unique<CPrintCommands>(*this)),
      m_pOnline(std::make_unique<COnlineCommands>(*this, settings)),
      m_pMdiArea(new QMdiArea(this)) {
    setWindowTitle("KESTREL Plus");
    m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_pMdiArea);
    // The program's undo manager comes first; a frame made without the
    // application (tests, screenshots) brings its own.
    if (CUndoManager::Get() == nullptr) {
        m_pOwnUndoManager = std::make_unique<CUndoManager>();
    }
    CreateToolBar();
    m_pEdit = new CEditCommands(*this);
    m_pEdit->AddMainToolBarButtons(m_pToolBar);
    m_pEdit->CreateToolBoxes();
    CreateStatusBar();
    CreateBlockListPanel();
    CreateMenus();
    RestoreBarState();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        RefreshFreeMemory();
        RefreshConfigurationName();
        UpdateCommands();
    });
    setAcceptDrops(true);
    // The commands follow the documents' state as the user works, the way an
    // idle-time update keeps menus and buttons current.
    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] { UpdateCommands(); });
    m_pIdleTimer->start(kIdleUpdateMs);
}

CMainFrame::~CMainFrame() {
    // The base destructor hides and deletes the document windows, and the
    // area announces each change of the active one: by then this frame's
    // own parts are gone, so it no longer listens.
    m_pIdleTimer->stop();
    disconnect(m_pMdiArea, nullptr, this, nullptr);
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& name, const QString& text,
                                const QKeySequence& key, std::function<void()> handler) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    menu->addAction(action);
    return action;
}

QAction* CMainFrame::FindAction(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void CMainFrame::RebuildMenus() {
    // A language change comes from one of these menus' own actions: they go
    // once the event loop is back, silent and nameless until then.
    for (QAction* action : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!action->objectName().isEmpty()) {
            action->setObjectName(QString());
            action->setShortcut({});
            action->setEnabled(false);
            action->deleteLater();
        }
    }
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        menu->deleteLater();
    }
    menuBar()->clear();
    CreateMenus();
    RetranslateToolBar();
    m_pEdit->RetranslateToolBoxes();
    RefreshDocumentParams();
    RefreshFreeMemory();  // "%1!d! bytes Free" in the new language
}

void CMainFrame::RetranslateToolBar() {
    m_pToolBar->setWindowTitle(tr("Main"));
    m_toolActions.newAction->setText(tr("New"));
    m_toolActions.openAction->setText(tr("Open"));
    m_toolActions.saveAction->setText(tr("Save"));
    m_toolActions.onlineAction->setText(tr("Online"));
    m_toolActions.configLabel->setText(tr(" Configuration: "));
}

void CMainFrame::RefreshDocumentParams() {
    // The dictionary of the new language gives the blocks of every open
    // document their descriptions; values and mnemonics stay.
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList()) {
        if (auto* window = dynamic_cast<CDocumentWindow*>(sub)) {
            window->GetDocument().RebuildFromLoops();
            window->update();
        }
    }
}

void CMainFrame::CreateMenus() {
    CreateFileMenu();
    m_pEdit->CreateMenus(menuBar());
    CreateViewMenu();
    CreateCommunicationMenu();
    CreateLanguageMenu();
    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_pMdiArea, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_pMdiArea, &QMdiArea::tileSubWindows);
    CreateHelpMenu();
    m_pEdit->FillFrameToolBoxes();
    UpdateCommands();
}

void CMainFrame::CreateFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    AddCommand(file, "fileNew", tr("&New"), QKeySequence::New, [this] { NewDocument(); });
    AddCommand(file, "fileOpen", tr("&Open..."), QKeySequence::Open, [this] { ShowOpenDialog(); });
    AddCommand(file, "fileClose", tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_F4),
               [this] { m_pMdiArea->closeActiveSubWindow(); });
    AddCommand(file, "fileSave", tr("&Save"), QKeySequence::Save, [this] { SaveActive(false); });
    AddCommand(file, "fileSaveAs", tr("Save &As..."), {}, [this] { SaveActive(true); });
    file->addSeparator();
    AddCommand(file, "fileImport", tr("&Import..."), {}, [this] { ShowImportDialog(); });
    AddCommand(file, "fileExportPda", tr("&Export to PDA..."), {}, [this] { ExportActiveToPda(); });
    file->addSeparator();
    AddPrintCommands(file);
    file->addSeparator();
    AddCommand(file, "fileInfo", tr("Document &Information..."), {},
               [this] { ShowDocumentInformation(); });
    AddCommand(file, "fileProperties", tr("Document &Properties..."), {},
               [this] { ShowDocumentProperties(); });
    file->addSeparator();
    m_pRecentMenu = file->addMenu(tr("Recent &Files"));
    FillRecentFilesMenu();
    file->addSeparator();
    AddCommand(file, "fileExit", tr("E&xit"), QKeySequence::Quit, [this] { close(); });
}

void CMainFrame::AddPrintCommands(QMenu* file) {
    auto onActive = [this](auto command) {
        return [this, command] {
            if (CConfDoc* document = GetActiveDocument()) {
                (m_pPrint.get()->*command)(*document);
            }
        };
    };
    AddCommand(file, "filePrint", tr("&Print Selected..."), QKeySequence::Print,
               onActive(&CPrintCommands::PrintSelected));
    AddCommand(file, "filePrintPreview", tr("Print Pre&view"), {},
               onActive(&CPrintCommands::PrintPreview));
    AddCommand(file, "filePrintPdf", tr("Print to P&DF..."), {}, [this] {
        if (CConfDoc* document = GetActiveDocument()) {
            m_pPrint->PrintToPdf(*document);
        }
    });
    AddCommand(file, "filePrintSetup", tr("P&rint Setup..."), {},
               onActive(&CPrintCommands::PrintSetup));
}

void CMainFrame::FillRecentFilesMenu() {
    m_pRecentMenu->clear();
    const std::vector<std::string>& files = m_pRecentFiles->GetFiles();
    for (int i = 0; i < static_cast<int>(files.size()); ++i) {
        const std::string path = files[static_cast<std::size_t>(i)];
        QAction* action =
            m_pRecentMenu->addAction(gdi::ToQString(CRecentFileList::MenuText(i, path)));
        action->setToolTip(gdi::ToQString(path));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!OpenDocumentFile(path) && !FileExists(path)) {
                m_pRecentFiles->Remove(path);
                FillRecentFilesMenu();
            }
        });
    }
    m_pRecentMenu->setEnabled(!files.empty());
}

void CMainFrame::CreateViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* toolBar = m_pToolBar->toggleViewAction();
    toolBar->setText(tr("&Toolbar"));
    view->addAction(toolBar);
    AddCommand(view, "viewStatusBar", tr("&Status Bar"), {},
               [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    AddCommand(view, "viewDebugLog", tr("&Debug Log"), {}, [this] { ToggleDebugLog(); });
    QAction* blockList = m_pBlockListDock->toggleViewAction();
    blockList->setText(tr("&Block List"));
    blockList->setObjectName("viewBlockList");
    view->addAction(blockList);
    view->addSeparator();
    // A zoom command shows its check at once, not at the next idle update.
    auto withView = [this](void (CLoopView::*command)()) {
        return [this, command] {
            if (CLoopView* loopView = GetActiveLoopView()) {
                (loopView->*command)();
                UpdateCommands();
            }
        };
    };
    AddCommand(view, "zoomIn", tr("Zoom &In"), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
               [this] {
                   if (CLoopView* loopView = GetActiveLoopView()) {
                       loopView->ZoomIn();
                   }
               });
    AddCommand(view, "zoomOut", tr("Zoom &Out"), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus),
               [this] {
                   if (CLoopView* loopView = GetActiveLoopView()) {
                       loopView->ZoomOut();
                   }
               });
    AddCommand(view, "zoomFull", tr("&Full"), QKeySequence(Qt::CTRL | Qt::Key_F),
               withView(&CLoopView::ZoomFull));
    AddCommand(view, "zoomWidth", tr("&Width"), QKeySequence(Qt::CTRL | Qt::Key_W),
               withView(&CLoopView::ZoomWidth));
    AddCommand(view, "zoomHalf", tr("&Half"), QKeySequence(Qt::CTRL | Qt::Key_H),
               withView(&CLoopView::ZoomHalf));
    AddCommand(view, "zoomObjects", tr("To &Objects"), {}, withView(&CLoopView::ZoomToLoopObjects));
}

void CMainFrame::CreateCommunicationMenu() {
    QMenu* comm = menuBar()->addMenu(tr("&Communication"));
    AddCommand(comm, "commOnline", tr("&Online..."), QKeySequence(Qt::Key_F9),
               [this] { OnlineCommand(); });
    AddCommand(comm, "commSettings", tr("Comm &Settings..."), QKeySequence(Qt::Key_F10),
               [this] { ShowCommSettings(); });
    AddCommand(comm, "commCalibration", tr("&Calibration..."), QKeySequence(Qt::CTRL | Qt::Key_F11),
               [this] { ShowCalibration(); });
    m_pOnline->AddCommands(comm);
}

void CMainFrame::CreateLanguageMenu() {
    CConfApp* app = CConfApp::GetApp();
    if (app == nullptr) {
        return;
    }
    QMenu* languages = menuBar()->addMenu(tr("&Language"));
    for (const auto& [language, text] : CConfApp::MenuLanguages()) {
        const int chosen = language;
        QAction* action =
            AddCommand(languages, QString("language%1").arg(chosen), text, {}, [this, chosen] {
                if (CConfApp* current = CConfApp::GetApp()) {
                    current->SetLanguage(chosen, this);
                }
            });
        action->setCheckable(true);
        action->setChecked(app->GetLanguage() == chosen);
    }
}

void CMainFrame::CreateHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddCommand(help, "helpTopics", tr("&Help Topics"), QKeySequence::HelpContents, [] {
        const CConfApp* app = CConfApp::GetApp();
        OpenHelpPage(app ? QString::fromStdString(app->GetHelpFile())
                         : QApplication::applicationDirPath() + "/help/index.html");
    });
    AddCommand(help, "helpBlockLibrary", tr("&Block Library"), {}, [] {
        const CConfApp* app = CConfApp::GetApp();
        OpenHelpPage(app ? QString::fromStdString(app->GetBlockLibraryHelpFile())
                         : QApplication::applicationDirPath() + "/help/blocklibrary.html");
    });
    QAction* web = AddCommand(help, "helpWeb", tr("KESTREL Plus on the &Web"), {},
                              [] { QDesktopServices::openUrl(QUrl(kProductPage)); });
    web->setStatusTip(tr("Gets help and other product information on the Internet."));
}

void CMainFrame::OpenHelpPage(const QString& page) {
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        AfxMessageBox(gdi::ToResourceText(tr("Unable to start the help viewer.")),
                      MB_OK | MB_ICONWARNING);
    }
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar(tr("Main"));
    m_pToolBar->setObjectName("mainToolBar");
    m_toolActions.newAction =
        m_pToolBar->addAction(CToolBarIcons::New(), tr("New"), this, [this] { NewDocument(); });
    m_toolActions.openAction = m_pToolBar->addAction(CToolBarIcons::Open(), tr("Open"), this,
                                                     [this] { ShowOpenDialog(); });
    QAction* save = m_pToolBar->addAction(CToolBarIcons::Save(), tr("Save"), this,
                                          [this] { SaveActive(false); });
    save->setObjectName("toolSave");
    m_toolActions.saveAction = save;
    m_pToolBar->addSeparator();
    m_toolActions.onlineAction = m_pToolBar->addAction(CToolBarIcons::Online(), tr("Online"), this,
                                                       [this] { OnlineCommand(); });
    m_pToolBar->addSeparator();
    m_toolActions.configLabel = new QLabel(tr(" Configuration: "), m_pToolBar);
    m_pToolBar->addWidget(m_toolActions.configLabel);
    m_pConfigName = new QLineEdit(m_pToolBar);
    m_pConfigName->setObjectName("configurationName");
    m_pConfigName->setReadOnly(true);
    m_pConfigName->setFocusPolicy(Qt::NoFocus);
    m_pConfigName->setMaximumWidth(120);
    m_pToolBar->addWidget(m_pConfigName);
}

void CMainFrame::CreateStatusBar() {
    auto* bar = new CStatusBarEx(this);
    setStatusBar(bar);
    m_pStatusBar = bar;
    std::vector<CStatusBarEx::PaneInfo> panes;
    for (int pane = 0; pane < PANE_COUNT; ++pane) {
        const bool light = pane == PANE_TX || pane == PANE_RX;
        panes.push_back({kPaneIds[pane], kPaneWidths[pane],
                         light ? CStatusBarEx::kPaneNoBorder : CStatusBarEx::kPaneNormal});
    }
    bar->SetPanes(panes);
    bar->GetPaneWidget(kPaneIds[PANE_TX])->setToolTip("TX");
    bar->GetPaneWidget(kPaneIds[PANE_RX])->setToolTip("RX");
    SetTxLight(0);
    SetRxLight(0);
    QFont interfaceFont("Arial");
    interfaceFont.setPixelSize(16);
    interfaceFont.setWeight(QFont::Black);
    bar->AddLogoControl(kPaneIds[PANE_INTERFACE], QString(), QColor(0, 128, 0), interfaceFont);
    QFont makerFont("Arial");
    makerFont.setBold(true);
    bar->AddLogoControl(kPaneIds[PANE_LOGO1], "Torv", QColor(Qt::darkBlue), makerFont);
    makerFont.setBold(false);
    bar->AddLogoControl(kPaneIds[PANE_LOGO2], "Process Control", QColor(Qt::darkBlue), makerFont);
    SetInterfaceName(CAppSettings::GetInterfaceName(m_settings.LoadCommSettings().m_nInterface));
}

void CMainFrame::UpdateCommands() {
    RefreshFreeMemory();  // the current loop changes with the tabs and the edits
    const CConfDoc* document = GetActiveDocument();
    const bool open = document != nullptr;
    const std::pair<const char*, bool> states[] = {
        {"fileClose", open},
        {"fileSave", open && document->IsModified()},
        {"toolSave", open && document->IsModified()},
        {"fileSaveAs", open},
        {"fileExportPda", open},
        {"filePrint", open},
        {"filePrintPreview", open},
        {"filePrintPdf", open},
        {"filePrintSetup", open},
        {"fileInfo", open},
        {"fileProperties", open},
        {"zoomIn", open},
        {"zoomOut", open},
        {"zoomFull", open},
        {"zoomWidth", open && GetActiveLoopView()->CanZoomWidth()},
        {"zoomHalf", open},
        {"zoomObjects", open},
    };
    for (const auto& [name, enabled] : states) {
        if (QAction* action = FindAction(name)) {
            action->setEnabled(enabled);
        }
    }
    m_pEdit->UpdateCommands();
    m_pOnline->UpdateCommands();
    if (m_pBlockList != nullptr && m_pBlockListDock->isVisible()) {
        m_pBlockList->SetView(GetActiveLoopView());
        m_pBlockList->RefreshIfChanged();
    }
    if (QAction* debugLog = FindAction("viewDebugLog")) {
        debugLog->setCheckable(true);
        debugLog->setChecked(m_pDebugLog != nullptr && m_pDebugLog->isVisible());
    }
    // The zoom commands show the last one chosen ("To Objects" is never checked).
    const CLoopView* view = open ? GetActiveLoopView() : nullptr;
    const CZoomView::ZoomKind kind = view ? view->GetZoomKind() : CZoomView::ZOOM_NONE;
    const std::pair<const char*, CZoomView::ZoomKind> zooms[] = {
        {"zoomFull", CZoomView::ZOOM_FULL},
        {"zoomWidth", CZoomView::ZOOM_WIDTH},
        {"zoomHalf", CZoomView::ZOOM_HALF},
    };
    for (const auto& [name, zoom] : zooms) {
        if (QAction* action = FindAction(name)) {
            action->setCheckable(true);
            action->setChecked(kind == zoom);
        }
    }
}

QString CMainFrame::GetStatusText(int pane) const {
    if (pane < 0 || pane >= PANE_COUNT) {
        return {};
    }
    const int id = kPaneIds[pane];
    return m_pStatusBar->GetLogoControl(id) ? m_pStatusBar->GetLogoText(id)
                                            : m_pStatusBar->GetPaneText(id);
}

void CMainFrame::SetTxLight(long on) {
    if (on == 0 || on == 1) {
        m_bTxLit = on == 1;
        m_pStatusBar->SetPaneIcon(kPaneIds[PANE_TX], CStatusBarEx::LightIcon(m_bTxLit));
    }
}

void CMainFrame::SetRxLight(long on) {
    if (on == 0 || on == 1) {
        m_bRxLit = on == 1;
        m_pStatusBar->SetPaneIcon(kPaneIds[PANE_RX], CStatusBarEx::LightIcon(m_bRxLit));
    }
}

void CMainFrame::SetInterfaceName(const std::string& name) {
    m_pStatusBar->SetLogoText(kPaneIds[PANE_INTERFACE], gdi::ToQString(name));
}

void CMainFrame::SetMemoryFree(int value) {
    const int id = kPaneIds[PANE_MEMORY];
    const int16_t signedValue = static_cast<int16_t>(value);
    if ((value & 0x8000) != 0 || signedValue < 0) {
        m_pStatusBar->SetPaneText(id, QString());
        m_pStatusBar->SetPaneIcon(id, QIcon());
        return;
    }
    m_pStatusBar->SetPaneIcon(id, CStatusBarEx::MemoryIcon());
    m_pStatusBar->SetPaneText(id, gdi::ToQString(FormatMessageText(LoadResString(IDS_BYTES_FREE),
                                                                   {std::to_string(signedValue)})));
}

void CMainFrame::SetCursorPosition(int x, int y, bool clear) {
    m_pStatusBar->SetPaneText(kPaneIds[PANE_POSITION],
                              clear ? QString() : QString("X: %1  Y: %2").arg(x).arg(y));
}

void CMainFrame::SetConfigurationName(const std::string& name) {
    m_pConfigName->setText(gdi::ToQString(name));
}

QString CMainFrame::GetConfigurationName() const {
    return m_pConfigName->text();
}

CDebugLogWnd& CMainFrame::GetDebugLog() {
    if (m_pDebugLog == nullptr) {
        m_pDebugLog = new CDebugLogWnd(this);
        addDockWidget(Qt::BottomDockWidgetArea, m_pDebugLog);
        m_pDebugLog->hide();
        if (!m_strPendingLog.isEmpty()) {
            m_pDebugLog->AppendLine(m_strPendingLog, false);
            m_strPendingLog.clear();
        }
    }
    return *m_pDebugLog;
}

// The bar is made when it is first wanted; lines logged before wait for it, so
// that opening the first document does not build a text editor nobody sees.
void CMainFrame::LogLine(const QString& text) {
    const QString line = QTime::currentTime().toString("HH:mm:ss  ") + text;
    if (m_pDebugLog != nullptr) {
        m_pDebugLog->AppendLine(line);
    } else {
        m_strPendingLog += line + "\n";
    }
}

// The docked list of the shown loop's blocks in execution order. It starts
// hidden, and its contents are made when it is first shown (the saved bar
// state may show it at once); it follows the active loop view at every
// command update.
void CMainFrame::CreateBlockListPanel() {
    const QStringList fields = gdi::ToQString(LoadResString(IDS_BLOCK_LIST_HEADINGS)).split(';');
    m_pBlockListDock = new QDockWidget(fields.value(0), this);
    m_pBlockListDock->setObjectName("blockListDock");
    addDockWidget(Qt::RightDockWidgetArea, m_pBlockListDock);
    m_pBlockListDock->hide();
    connect(m_pBlockListDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            GetBlockListPanel().SetView(GetActiveLoopView());
        }
    });
}

CBlockListPanel& CMainFrame::GetBlockListPanel() {
    if (m_pBlockList == nullptr) {
        m_pBlockList = new CBlockListPanel(m_pBlockListDock);
        m_pBlockListDock->setWidget(m_pBlockList);
    }
    return *m_pBlockList;
}

void CMainFrame::ToggleDebugLog() {
    CDebugLogWnd& log = GetDebugLog();
    log.setVisible(!log.isVisible());
    if (log.isVisible()) {
        log.widget()->setFocus();
    }
    UpdateCommands();
}

void CMainFrame::RefreshFreeMemory() {
    const CConfDoc* document = GetActiveDocument();
    SetMemoryFree(document ? document->GetFreeBytes() : 0xFFFF);
}

CDocumentWindow* CMainFrame::GetActiveWindow() const {
    auto* window = dynamic_cast<CDocumentWindow*>(m_pMdiArea->activeSubWindow());
    if (window == nullptr && !m_pMdiArea->subWindowList().isEmpty()) {
        window = dynamic_cast<CDocumentWindow*>(m_pMdiArea->subWindowList().last());
    }
    return window;
}

CConfDoc* CMainFrame::GetActiveDocument() const {
    CDocumentWindow* window = GetActiveWindow();
    return window ? &window->GetDocument() : nullptr;
}

CLoopView* CMainFrame::GetActiveLoopView() const {
    CDocumentWindow* window = GetActiveWindow();
    return window ? window->GetFrame()->GetLoopView() : nullptr;
}

std::vector<CConfDoc*> CMainFrame::GetDocuments() const {
    std::vector<CConfDoc*> documents;
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList()) {
        if (auto* window = dynamic_cast<CDocumentWindow*>(sub)) {
            documents.push_back(&window->GetDocument());
        }
    }
    return documents;
}

bool CMainFrame::OpenRecoveredDocument(const std::string& copyPath,
                                       const std::string& originalPath) {
    auto document = std::make_unique<CConfDoc>();
    if (!document->OnOpenDocument(copyPath)) {
        return false;
    }
    if (!originalPath.empty()) {
        // Named after the original, to be saved under a name the user confirms.
        document->SetPathName(originalPath);
        document->NameAfterImport(CDocument::FileTitleOf(originalPath));
    }
    document->SetMustSaveAs(true);
    document->SetModifiedFlag(true);
    LogLine(tr("Recovered %1").arg(gdi::ToQString(originalPath.empty() ? copyPath : originalPath)));
    AddDocumentWindow(std::move(document));
    RefreshActiveWindow();
    return true;
}

int CMainFrame::GetDocumentCount() const {
    return static_cast<int>(m_pMdiArea->subWindowList().size());
}

void CMainFrame::RefreshActiveWindow() {
    if (CDocumentWindow* window = GetActiveWindow()) {
        window->RefreshTitle();
        window->GetFrame()->RefreshTabTexts();
        window->GetFrame()->GetLoopView()->viewport()->update();
    }
    RefreshFreeMemory();
    RefreshConfigurationName();
    UpdateCommands();
}

void CMainFrame::RefreshConfigurationName() {
    const CConfDoc* document = GetActiveDocument();
    SetConfigurationName(document ? document->GetConfigurationName() : std::string());
}

void CMainFrame::AddDocumentWindow(std::unique_ptr<CConfDoc> document) {
    CConfDoc& added = *document;
    auto* window = new CDocumentWindow(
        std::move(document), [this](CDocumentWindow& closing) { return CanCloseWindow(closing); });
    m_pMdiArea->addSubWindow(window);
    window->showMaximized();
    // A loop renamed on its tab (Loop G renames the configuration) shows in the
    // window's title and the name field at once.
    window->GetFrame()->SetNamesChangedCallback([this, window] {
        window->RefreshTitle();
        if (GetActiveWindow() == window) {
            RefreshConfigurationName();
        }
    });
    CLoopView* view = window->GetFrame()->GetLoopView();
    view->SetPositionCallback([this](CPoint point) { SetCursorPosition(point.x, point.y, false); });
    view->SetClearPositionCallback([this] { SetCursorPosition(0, 0, true); });
    m_pEdit->Attach(view);
    RefreshFreeMemory();
    if (added.IsOpenedFromFile()) {
        AskLoopGName(added);
    }
    RefreshConfigurationName();
    UpdateCommands();
}

void CMainFrame::AskLoopGName(CConfDoc& document) {
    if (document.IsNameDifferentFromLoopG() &&
        AfxMessageBox(IDS_CONFIG_NAME_DIFFERS, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        document.RenameAfterLoopG();
        RefreshActiveWindow();
    }
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    return CloseAllDocuments() && OpenDocument(path);
}

bool CMainFrame::OpenDocument(const std::string& given) {
    const std::string path = AbsolutePath(given);
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList()) {
        // A new document's path is where it would be saved, not a file it holds.
        auto* window = dynamic_cast<CDocumentWindow*>(sub);
        if (window != nullptr && !window->GetDocument().IsNeverSaved() &&
            SamePath(window->GetDocument().GetPathName(), path)) {
            m_pMdiArea->setActiveSubWindow(window);
            return true;
        }
    }
    auto document = std::make_unique<CConfDoc>();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = document->OnOpenDocument(path);
    QApplication::restoreOverrideCursor();
    if (!opened) {
        return false;
    }
    m_pRecentFiles->Add(path);
    FillRecentFilesMenu();
    LogLine(tr("Opened %1").arg(gdi::ToQString(path)));
    AddDocumentWindow(std::move(document));
    return true;
}

// The loops of a new document are made by its frame, which labels their tabs
// as the loops of a new configuration (" LOOP 1: ").
void CMainFrame::NewDocument() {
    auto document = std::make_unique<CConfDoc>();
    document->GetGeneralData().m_strWorkDir = m_settings.GetWorkDir();
    document->OnNewDocument();
    AddDocumentWindow(std::move(document));
}

bool CMainFrame::ImportImage(const std::string& path) {
    if (!IsImageFileName(path)) {
        return false;
    }
    auto document = std::make_unique<CConfDoc>();
    document->GetGeneralData().m_strWorkDir = m_settings.GetWorkDir();
    document->OnNewDocument();
    document->CreateDefaultLoops();
    document->SetPathName(m_settings.GetWorkDir() + "/LOOP_G" + CConfDoc::kExtension);
    if (!ImportImageFile(*document, path)) {
        return false;
    }
    // The imported configuration is a change no undo entry holds.
    if (CUndoManager* manager = CUndoManager::Get()) {
        manager->ForgetCleanState(document.get());
    }
    AddDocumentWindow(std::move(document));
    RefreshActiveWindow();
    return true;
}

void CMainFrame::ShowOpenDialog() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), gdi::ToQString(m_settings.GetWorkDir()),
                                     tr("KESTREL Plus Files (*.vxp)"));
    if (!path.isEmpty()) {
        OpenDocumentFile(path.toStdString());
    }
}

void CMainFrame::ShowImportDialog() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import"), gdi::ToQString(m_settings.GetWorkDir()), tr("Varex files (*.vxi)"));
    if (!path.isEmpty()) {
        ImportImage(path.toStdString());
    }
}

void CMainFrame::ExportActiveToPda() {
    const CConfDoc* document = GetActiveDocument();
    if (document == nullptr) {
        return;
    }
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Export to PDA"), gdi::ToQString(m_settings.GetWorkDir()));
    if (folder.isEmpty()) {
        return;
    }
    std::string error;
    if (!ExportToPDA(*document, document->GetConfigurationName(), folder.toStdString(), error)) {
        AfxMessageBox(error, MB_OK | MB_ICONERROR);
        return;
    }
    const auto names = GetPdaFileNames(document->GetConfigurationName());
    statusBar()->showMessage(tr("Exported %1 and %2 to %3")
                                 .arg(gdi::ToQString(names[0]), gdi::ToQString(names[1]), folder),
                             5000);
}

bool CMainFrame::SaveActive(bool saveAs) {
    CDocumentWindow* window = GetActiveWindow();
    return window != nullptr && SaveWindow(*window, saveAs);
}

bool CMainFrame::SaveWindow(CDocumentWindow& window, bool saveAs) {
    CConfDoc& document = window.GetDocument();
    // Save As names the configuration after the file, so only Save needs the name.
    if (!saveAs && document.GetLoopName(CConfiguration::kLoopG).empty()) {
        AfxMessageBox(IDS_LOOPG_NAME_MISSING, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    std::string path = document.GetPathName();
    const bool mustAsk = saveAs || document.IsNeverSaved() || document.IsMustSaveAs() ||
                         path.empty() || !QFileInfo(gdi::ToQString(path)).isWritable();
    if (mustAsk) {
        path = CConfFileDialog::GetSaveFileName(this, path);
        if (path.empty()) {
            return false;
        }
        document.SetRenameOnSave(true);
    }
    document.SetMustSaveAs(false);
    const bool saved = document.OnSaveDocument(path);
    document.SetRenameOnSave(false);
    if (saved) {
        m_pRecentFiles->Add(path);
        FillRecentFilesMenu();
        LogLine(tr("Saved %1").arg(gdi::ToQString(path)));
    }
    window.RefreshTitle();
    window.GetFrame()->RefreshTabTexts();
    RefreshConfigurationName();
    UpdateCommands();
    return saved;
}

bool CMainFrame::CanCloseWindow(CDocumentWindow& window) {
    CConfDoc& document = window.GetDocument();
    if (!document.IsModified()) {
        return true;
    }
    m_pMdiArea->setActiveSubWindow(&window);
    switch (AfxMessageBox(AfxFormatString(IDS_SAVE_CHANGES, {document.GetTitle()}),
                          MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES:
            return SaveWindow(window, false);
        case IDNO:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::CloseAllDocuments() {
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        if (!window->close()) {
            return false;
        }
    }
    // Windows close with a deferred delete; the documents are gone once the
    // events have run, before anything new opens.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

void CMainFrame::OnlineCommand() {
    if (m_beforeTransfer) {
        m_beforeTransfer();
    }
    m_pTransfers->OnlineCommand();
    RefreshActiveWindow();
}

void CMainFrame::ShowCommSettings() {
    CCommSettings dialog(m_settings.LoadCommSettings(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_settings.StoreCommSettings(dialog.GetData());
        if (dialog.InterfaceChanged()) {
            SetInterfaceName(CAppSettings::GetInterfaceName(dialog.GetData().m_nInterface));
        }
    }
}

void CMainFrame::ShowCalibration() {
    CCalibrationDlg dialog(m_settings.LoadCommSettings(),
                           CConfApp::GetProgramFolder() + "CONFIG.CAL", m_settings.GetWorkDir(),
                           this);
    dialog.exec();
}

void CMainFrame::ShowDocumentInformation() {
    if (CConfDoc* document = GetActiveDocument()) {
        CDocumentInfoDlg dialog(*document, this);
        dialog.exec();
    }
}

void CMainFrame::ShowDocumentProperties() {
    CConfDoc* document = GetActiveDocument();
    if (document == nullptr) {
        return;
    }
    CDocumentPropertiesSheet sheet(*document, m_settings.GetWorkDir(), this);
    if (sheet.exec() == QDialog::Accepted) {
        if (CUndoManager* manager = CUndoManager::Get()) {
            if (sheet.UndoLevelsChanged()) {
                manager->SetLimit(document, document->GetGeneralData().m_nUndoLevels);
            }
            // The sheet's changes are not on the undo list.
            manager->ForgetCleanState(document);
        }
        m_settings.SetWorkDir(sheet.GetWorkDir());
        m_settings.Sync();
        RefreshActiveWindow();
    }
}

void CMainFrame::SaveBarState() {
    CAppSettings::StoreValue(m_settings.GetStore(), kBarStateKey, saveState());
}

void CMainFrame::RestoreBarState() {
    restoreState(m_settings.GetStore().value(kBarStateKey).toByteArray());
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == CAppEvents::TxLedEvent()) {
        SetTxLight(static_cast<CPostedMessageEvent*>(event)->WParam());
        return true;
    }
    if (event->type() == CAppEvents::RxLedEvent()) {
        SetRxLight(static_cast<CPostedMessageEvent*>(event)->WParam());
        return true;
    }
    return QMainWindow::event(event);
}

// Files dropped on the window open as from the File menu: a configuration
// replaces the open documents, a configuration image is imported.
void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    if (IsImageFileName(path.toStdString())) {
        ImportImage(path.toStdString());
    } else {
        OpenDocumentFile(path.toStdString());
    }
}

QString CMainFrame::DroppedFile(const QMimeData* data) {
    if (data == nullptr) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(".vxp", Qt::CaseInsensitive) || IsImageFileName(path.toStdString())) {
            return path;
        }
    }
    return {};
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A monitoring worker must not talk to windows that are going away.
    m_pOnline->LeaveActive();
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    SaveBarState();
    event->accept();
}
