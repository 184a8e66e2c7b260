#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "app/AppEvents.h"
#include "comm/AppSettings.h"
#include "comm/ui/CommSettings.h"
#include "document/ConfDoc.h"
#include "document/ui/DocumentInfoDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabChildFrame.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

constexpr int kPaneWidths[CMainFrame::PANE_COUNT] = {50, 50, 100, 53, 160, 250, 120, 100};

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

// A document window: the tabbed loop frame, which owns its document.
class CDocumentWindow : public QMdiSubWindow {
public:
    explicit CDocumentWindow(std::unique_ptr<CConfDoc> document) : m_document(std::move(document)) {
        setAttribute(Qt::WA_DeleteOnClose);
        m_frame = new CTabChildFrame(*m_document, this);
        setWidget(m_frame);
        setWindowTitle(Latin1(m_document->GetTitle()));
    }
    ~CDocumentWindow() override {
        delete m_frame;  // the view leaves the document before the document goes
        m_frame = nullptr;
    }
    CConfDoc& GetDocument() { return *m_document; }
    CTabChildFrame* GetFrame() { return m_frame; }

private:
    std::unique_ptr<CConfDoc> m_document;
    CTabChildFrame* m_frame = nullptr;
};

}  // namespace

CMainFrame::CMainFrame(CAppSettings& settings)
    : m_settings(settings), m_pMdiArea(new QMdiArea(this)) {
    setWindowTitle("KESTREL Plus");
    m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_pMdiArea);
    CreateMenus();
    CreateStatusBar();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow*) { RefreshFreeMemory(); });
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, [this] { NewDocument(); });
    file->addAction(tr("&Open..."), QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Open"), Latin1(m_settings.GetWorkDir()), tr("KESTREL Plus Files (*.vxp)"));
        if (!path.isEmpty()) {
            OpenDocument(path.toStdString());
        }
    });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveActive(false); });
    file->addAction(tr("Save &As..."), this, [this] { SaveActive(true); });
    file->addAction(tr("&Close"), QKeySequence::Close, this,
                    [this] { m_pMdiArea->closeActiveSubWindow(); });
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, [this] { close(); });
    QMenu* comm = menuBar()->addMenu(tr("&Communication"));
    comm->addAction(tr("Comm &Settings..."), QKeySequence(Qt::Key_F10), this,
                    [this] { ShowCommSettings(); });
    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_pMdiArea, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_pMdiArea, &QMdiArea::tileSubWindows);
}

void CMainFrame::CreateStatusBar() {
    for (int pane = 0; pane < PANE_COUNT; ++pane) {
        m_panes[pane] = new QLabel(this);
        m_panes[pane]->setMinimumWidth(kPaneWidths[pane]);
        statusBar()->addPermanentWidget(m_panes[pane]);
    }
    m_panes[PANE_TX]->setText("TX");
    m_panes[PANE_RX]->setText("RX");
    SetTxLight(0);
    SetRxLight(0);
    m_panes[PANE_INTERFACE]->setStyleSheet(
        "color: rgb(0, 128, 0); font-family: Arial; font-weight: 900;");
    m_panes[PANE_LOGO1]->setText("Torv");
    m_panes[PANE_LOGO2]->setText("Process Control");
    m_panes[PANE_LOGO1]->setStyleSheet("color: navy; font-weight: bold;");
    m_panes[PANE_LOGO2]->setStyleSheet("color: navy;");
    SetInterfaceName(CAppSettings::GetInterfaceName(m_settings.LoadCommSettings().m_nInterface));
}

QString CMainFrame::GetStatusText(int pane) const {
    return pane >= 0 && pane < PANE_COUNT ? m_panes[pane]->text() : QString();
}

void CMainFrame::SetTxLight(long on) {
    if (on == 0 || on == 1) {
        m_bTxLit = on == 1;
        m_panes[PANE_TX]->setStyleSheet(on ? "color: black; background: rgb(0, 220, 0);"
                                           : "color: gray;");
    }
}

void CMainFrame::SetRxLight(long on) {
    if (on == 0 || on == 1) {
        m_bRxLit = on == 1;
        m_panes[PANE_RX]->setStyleSheet(on ? "color: black; background: rgb(0, 220, 0);"
                                           : "color: gray;");
    }
}

void CMainFrame::SetInterfaceName(const std::string& name) {
    m_panes[PANE_INTERFACE]->setText(Latin1(name));
}

void CMainFrame::SetMemoryFree(int value) {
    const int16_t signedValue = static_cast<int16_t>(value);
    if ((value & 0x8000) != 0 || signedValue < 0) {
        m_panes[PANE_MEMORY]->clear();
        return;
    }
    m_panes[PANE_MEMORY]->setText(
        Latin1(FormatMessageText(LoadResString(IDS_BYTES_FREE), {std::to_string(signedValue)})));
}

void CMainFrame::SetCursorPosition(int x, int y, bool clear) {
    m_panes[PANE_POSITION]->setText(clear ? QString() : QString("X: %1  Y: %2").arg(x).arg(y));
}

void CMainFrame::RefreshFreeMemory() {
    const CConfDoc* document = GetActiveDocument();
    SetMemoryFree(document ? document->GetFreeBytes() : 0xFFFF);
}

CConfDoc* CMainFrame::GetActiveDocument() const {
    auto* window = dynamic_cast<CDocumentWindow*>(m_pMdiArea->activeSubWindow());
    if (window == nullptr && !m_pMdiArea->subWindowList().isEmpty()) {
        window = dynamic_cast<CDocumentWindow*>(m_pMdiArea->subWindowList().last());
    }
    return window ? &window->GetDocument() : nullptr;
}

int CMainFrame::GetDocumentCount() const {
    return static_cast<int>(m_pMdiArea->subWindowList().size());
}

void CMainFrame::AddDocumentWindow(std::unique_ptr<CConfDoc> document) {
    auto* window = new CDocumentWindow(std::move(document));
    m_pMdiArea->addSubWindow(window);
    window->showMaximized();
    CLoopView* view = window->GetFrame()->GetLoopView();
    view->SetPositionCallback([this](CPoint point) { SetCursorPosition(point.x, point.y, false); });
    view->SetClearPositionCallback([this] { SetCursorPosition(0, 0, true); });
    RefreshFreeMemory();
}

bool CMainFrame::OpenDocument(const std::string& path) {
    auto document = std::make_unique<CConfDoc>();
    if (!document->OnOpenDocument(path)) {
        return false;
    }
    AddDocumentWindow(std::move(document));
    return true;
}

void CMainFrame::NewDocument() {
    auto document = std::make_unique<CConfDoc>();
    document->GetGeneralData().m_strWorkDir = m_settings.GetWorkDir();
    document->OnNewDocument();
    document->CreateDefaultLoops();
    document->SetModifiedFlag(false);
    AddDocumentWindow(std::move(document));
}

bool CMainFrame::SaveActive(bool saveAs) {
    CConfDoc* document = GetActiveDocument();
    if (document == nullptr) {
        return false;
    }
    if (document->GetLoopName(CConfiguration::kLoopG).empty()) {
        AfxMessageBox(IDS_LOOPG_NAME_MISSING, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    std::string path = document->GetPathName();
    if (saveAs || document->IsNeverSaved() || document->IsMustSaveAs()) {
        const QString chosen = QFileDialog::getSaveFileName(this, tr("Save As"), Latin1(path),
                                                            tr("KESTREL Plus Files (*.vxp)"));
        if (chosen.isEmpty()) {
            return false;
        }
        path = chosen.toStdString();
        document->SetRenameOnSave(true);
    }
    const bool saved = document->OnSaveDocument(path);
    document->SetMustSaveAs(false);
    if (auto* window = dynamic_cast<CDocumentWindow*>(m_pMdiArea->activeSubWindow())) {
        window->setWindowTitle(Latin1(document->GetTitle()));
    }
    return saved;
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

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_pMdiArea->closeAllSubWindows();
    event->accept();
}
