#include "app/ConfApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <clocale>
#include <cstdlib>

#include "app/AppEvents.h"
#include "app/AppMessageBox.h"
#include "app/MainFrame.h"
#include "app/RecoveryKeeper.h"
#include "app/SplashWnd.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "editing/UndoManager.h"
#include "lang/LanguagePack.h"
#include "model/ParamDictionary.h"
#include "platform/MessageBox.h"
#include "platform/ResourceModule.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "vexilla/LogMsg.h"

namespace {

const char* const kInitInstance = "CConfApp::InitInstance()";

CConfApp* g_pApp = nullptr;

struct LanguagePackName {
    int language;
    const char* folder;
    const char* file;
};

const LanguagePackName kLanguagePacks[] = {
    {CConfApp::LANG_PORTUGUESE, "l.bra", "LangPORT.rcc"},
    {CConfApp::LANG_SPANISH, "l.spa", "LangSPAN.rcc"},
    {CConfApp::LANG_CHINESE, "l.chn", "LangCHS.rcc"},
};

const LanguagePackName* FindPack(int language) {
    for (const LanguagePackName& pack : kLanguagePacks) {
        if (pack.language == language) {
            return &pack;
        }
    }
    return nullptr;
}

bool SplashDisabled() {
    const char* value = std::getenv("KESTREL_NO_SPLASH");
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

}  // namespace

CConfApp::CConfApp(std::unique_ptr<CAppSettings> settings)
    : m_pSettings(std::move(settings)),
      m_systemLocale(QLocale::system()),
      m_strMachineSettings(
          QSettings(QSettings::IniFormat, QSettings::SystemScope, "Torv", "KESTREL Plus")
              .fileName()),
      m_strResourceFolder(GetProgramFolder()) {
    g_pApp = this;
}

CConfApp::~CConfApp() {
    if (m_pSplash) {
        delete m_pSplash.data();
    }
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

CConfApp* CConfApp::GetApp() {
    return g_pApp;
}

std::string CConfApp::GetProgramFolder() {
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

void CConfApp::SetResourceFolder(const std::string& folder) {
    m_strResourceFolder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

void CConfApp::InitSettings() {
    m_pSettings->StoreCommSettings(m_pSettings->LoadCommSettings());
    if (m_pSettings->GetWorkDir().empty()) {
        std::string workDir = GetProgramFolder() + "Work";
        if (!QDir().mkpath(QString::fromStdString(workDir))) {
            // An installed program's folder is not the user's to write in.
            workDir =
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString() +
                "/KESTREL Plus Work";
        }
        m_pSettings->SetWorkDir(workDir);
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
    // A message of the start-up itself (a second instance) must reach a user
    // who started the program from the desktop, not stderr.
    CAppMessageBox::Install(nullptr);
    InitSettings();
    SetLanguage(m_pSettings->GetLanguage(), nullptr);
    if (!TakeInstanceLock()) {
        AfxMessageBox(IDS_ALREADY_RUNNING, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    ShowSplash(CSplashWnd::kDisplayTime);

    m_pUndoManager = std::make_unique<CUndoManager>();
    m_pMainFrame = std::make_unique<CMainFrame>(*m_pSettings);
    CAppEvents::RouteMessagesTo(m_pMainFrame.get());
    CAppMessageBox::Install(m_pMainFrame.get());
    if (m_pSplash) {
        m_pSplash->SetMainWindow(m_pMainFrame.get());
    }

    if (fileToOpen.empty()) {
        // No empty document at start.
        CLogMsg::Log(kInitInstance, "Command info: %d - Command fileName: \"%s\"", 0, "");
    } else if (!m_pMainFrame->OpenDocumentFile(fileToOpen)) {
        // The user has seen the file error; the program stays, ready for
        // another file.
        CLogMsg::Log(kInitInstance, "Failed to process shell command");
    }

    m_pMainFrame->showMaximized();
    m_pMainFrame->raise();
    m_pMainFrame->activateWindow();
    m_pRecovery = std::make_unique<CRecoveryKeeper>(
        *m_pMainFrame,
        m_strRecoveryFolder.empty() ? CRecoveryKeeper::DefaultFolder() : m_strRecoveryFolder);
    m_pRecovery->OfferRecovery(m_pMainFrame.get());
    return true;
}

int CConfApp::ExitInstance() {
    CloseSplashNow();
    SetMessageBoxHandler(nullptr);
    // Gone before the documents: a normal end leaves no copies to recover.
    m_pRecovery.reset();
    m_pMainFrame.reset();
    m_pUndoManager.reset();
    CLogMsg::CloseLogFile();
    RemoveTranslations();
    CResourceModule::SetCurrent(nullptr);
    ReloadStringTable();
    m_languagePacks.clear();
    CLanguagePack::UnregisterAll();
    m_nLanguage = LANG_NONE;
    m_pLock.reset();
    std::setlocale(LC_ALL, "C");
    return 0;
}

bool CConfApp::OpenDocumentFile(const std::string& path) {
    return m_pMainFrame && m_pMainFrame->OpenDocumentFile(path);
}

int CConfApp::LanguageFromLocale(const QLocale& locale) {
    switch (locale.language()) {
        case QLocale::Chinese:
            return LANG_CHINESE;
        case QLocale::Spanish:
            return LANG_SPANISH;
        case QLocale::Portuguese:
            return LANG_PORTUGUESE;
        default:
            return LANG_ENGLISH;
    }
}

std::vector<std::pair<int, QString>> CConfApp::MenuLanguages() {
    return {
        {LANG_ENGLISH, QStringLiteral("&English")},
        {LANG_PORTUGUESE, QString::fromUtf8("&Portugu\u00eas (Portuguese)")},
        {LANG_CHINESE, QString::fromUtf8("\u7b80\u4f53\u4e2d\u6587 (Chinese)")},
    };
}

QString CConfApp::LanguagePackPath(int language) {
    const LanguagePackName* pack = FindPack(language);
    return pack ? QString("%1/%2").arg(pack->folder, pack->file) : QString();
}

std::shared_ptr<const CLanguageModule> CConfApp::LoadLanguagePack(int language) {
    auto known = m_languagePacks.find(language);
    if (known != m_languagePacks.end()) {
        return known->second;
    }
    const LanguagePackName* pack = FindPack(language);
    if (pack == nullptr) {
        return nullptr;
    }
    const QString root = QString("/kestrel/") + pack->folder;
    const QString path = QString::fromStdString(m_strResourceFolder) + LanguagePackPath(language);
    if (!CLanguagePack::Register(path, root)) {
        return nullptr;
    }
    auto module = std::make_shared<const CLanguageModule>(CResourceModule::BuiltIn(), ":" + root);
    if (!module->HasStrings()) {
        // A resource file without a string table is no pack of ours.
        CLogMsg::Log("CConfApp::SetLanguage", "%s has no string table: English stays",
                     path.toLatin1().constData());
        return nullptr;
    }
    m_languagePacks[language] = module;
    return module;
}

void CConfApp::RemoveTranslations() {
    for (const auto& translator : m_translators) {
        QCoreApplication::removeTranslator(translator.get());
    }
    m_translators.clear();
}

void CConfApp::UseTranslations(const CLanguageModule* module) {
    RemoveTranslations();
    if (module == nullptr) {
        return;
    }
    const auto install = [this](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(name, folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            m_translators.push_back(std::move(translator));
        }
    };
    // Qt's own texts first: a translator installed later is asked first, so
    // the program's texts win where both translate the same source.
    if (!module->GetLocaleName().isEmpty()) {
        install("qtbase_" + module->GetLocaleName(),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    if (!module->GetTranslationPath().isEmpty()) {
        install(module->GetTranslationPath(), QString());
    }
}

int CConfApp::ReadMachineLanguage() const {
    if (!QFileInfo(m_strMachineSettings).isFile()) {
        return LANG_NONE;
    }
    return QSettings(m_strMachineSettings, QSettings::IniFormat).value("Language", 0).toInt();
}

void CConfApp::SetLanguage(int language, CMainFrame* frame) {
    // An administrator's machine-wide choice comes first; the user's own only
    // where there is none.
    if (language == LANG_NONE) {
        language = ReadMachineLanguage();
    }
    if (language == LANG_NONE) {
        language = m_pSettings->GetLanguage();
    }
    if (language == LANG_NONE) {
        language = LanguageFromLocale(m_systemLocale);
    }
    if (language < LANG_ENGLISH || language > LANG_CHINESE) {
        language = LANG_ENGLISH;
    }
    if (language == m_nLanguage) {
        return;
    }

    std::shared_ptr<const CLanguageModule> module;
    if (language != LANG_ENGLISH) {
        module = LoadLanguagePack(language);  // null: the English resources stay
    }
    CResourceModule::SetCurrent(module);
    ReloadStringTable();
    CParamDictionary::Get().LoadParamDictionary();
    CParamDictionary::Get().LoadBlockTypeNames();
    UseTranslations(module.get());

    m_pSettings->SetLanguage(language);
    m_nLanguage = language;
    // The Portuguese help lives with its pack.
    const std::string helpFolder =
        m_strResourceFolder + (language == LANG_PORTUGUESE ? "l.bra/" : "") + "help/";
    m_strHelpFile = helpFolder + "index.html";
    m_strBlockLibraryHelpFile = helpFolder + "blocklibrary.html";

    if (frame != nullptr) {
        frame->RebuildMenus();
    }
}

bool CConfApp::ShowSplash(int displayTime) {
    if (SplashDisabled()) {
        return false;
    }
    CSplashWnd* splash =
        CSplashWnd::Create(QString::fromStdString(m_strResourceFolder) + CSplashWnd::kPictureName);
    if (splash == nullptr) {
        CLogMsg::Log(kInitInstance, "Failed to create Splash Thread");
        return false;
    }
    m_pSplash = splash;
    splash->Start(displayTime);
    return true;
}

CSplashWnd* CConfApp::GetSplash() const {
    return m_pSplash.data();
}

void CConfApp::CloseSplashNow() {
    if (m_pSplash) {
        m_pSplash->CloseNow();
    }
}
