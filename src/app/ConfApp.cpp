#include "app/ConfApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/AppEvents.h"
#include "app/AppMessageBox.h"
#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "vexilla/LogMsg.h"

CConfApp::CConfApp(std::unique_ptr<CAppSettings> settings) : m_pSettings(std::move(settings)) {}

CConfApp::~CConfApp() = default;

std::string CConfApp::GetProgramFolder() {
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

void CConfApp::InitSettings() {
    m_pSettings->StoreCommSettings(m_pSettings->LoadCommSettings());
    if (m_pSettings->GetWorkDir().empty()) {
        m_pSettings->SetWorkDir(GetProgramFolder() + "Work");
    }
    QDir().mkpath(QString::fromStdString(m_pSettings->GetWorkDir()));
    m_pSettings->Sync();
}

bool CConfApp::TakeInstanceLock() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    m_pLock = std::make_unique<QLockFile>(folder + "/" + kInstanceLock + ".lock");
    m_pLock->setStaleLockTime(0);
    return m_pLock->tryLock(0);
}

bool CConfApp::InitInstance(const std::string& fileToOpen) {
    RegisterDrawingClasses();
    InitSettings();
    if (!TakeInstanceLock()) {
        AfxMessageBox(IDS_ALREADY_RUNNING, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    m_pMainFrame = std::make_unique<CMainFrame>(*m_pSettings);
    CAppEvents::RouteMessagesTo(m_pMainFrame.get());
    CAppMessageBox::Install(m_pMainFrame.get());
    m_pMainFrame->showMaximized();
    if (!fileToOpen.empty()) {
        m_pMainFrame->OpenDocument(fileToOpen);
    }
    return true;
}

int CConfApp::ExitInstance() {
    SetMessageBoxHandler(nullptr);
    m_pMainFrame.reset();
    CLogMsg::CloseLogFile();
    m_pLock.reset();
    return 0;
}
