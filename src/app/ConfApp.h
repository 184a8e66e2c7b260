#pragma once

#include <QLocale>
#include <QLockFile>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CAppSettings;
class CLanguageModule;
class CMainFrame;
class CRecoveryKeeper;
class CSplashWnd;
class CUndoManager;
class QTranslator;

// The application object: the settings written back on the first start, the
// working directory, the user-interface language, the single-instance lock,
// the splash screen, the main window and the file named on the command line.
class CConfApp {
public:
    // The lock that keeps a second copy of the program from starting.
    static constexpr const char* kInstanceLock = "{9F645EF1-D80C-4c52-A953-2F906126558E}";

    enum Language { LANG_NONE = 0, LANG_ENGLISH = 1, LANG_PORTUGUESE, LANG_SPANISH, LANG_CHINESE };

    explicit CConfApp(std::unique_ptr<CAppSettings> settings);
    ~CConfApp();
    CConfApp(const CConfApp&) = delete;
    CConfApp& operator=(const CConfApp&) = delete;

    // The application object of the process (the last one made), or null.
    static CConfApp* GetApp();

    // Start-up; false when the program must end (another copy runs, or the
    // file named on the command line cannot be opened).
    bool InitInstance(const std::string& fileToOpen);
    int ExitInstance();

    // The program's folder, ending in "/".
    static std::string GetProgramFolder();
    // Stores the communication settings back and sets "WorkDir" (program folder
    // + "Work", created when missing) on the first start.
    void InitSettings();
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    // The recovery copies of the open documents (while the main frame lives).
    CRecoveryKeeper* GetRecoveryKeeper() const { return m_pRecovery.get(); }
    // Where the recovery copies live: the user's unless replaced (before
    // InitInstance).
    void SetRecoveryFolder(const std::string& folder) { m_strRecoveryFolder = folder; }
    CAppSettings& GetSettings() { return *m_pSettings; }

    // Closes every open document (each with its save question) and opens the
    // file; false when a document stayed open or the file could not be read.
    bool OpenDocumentFile(const std::string& path);

    // Selects the user-interface language: 1 English, 2 Portuguese, 3 Spanish,
    // 4 Chinese; 0 takes "Language" of the machine-wide settings when they
    // exist, else the user's, else the system locale's. The
    // current language again changes nothing. Portuguese, Spanish and Chinese
    // read their language pack beside the program (each registered at most
    // once); without the pack the English texts stay. The choice is stored as
    // "Language". With a main frame (a choice from its language menu) the
    // frame rebuilds its menus.
    void SetLanguage(int language, CMainFrame* frame);
    int GetLanguage() const { return m_nLanguage; }
    // The language the rule for an unset "Language" gives for a locale:
    // Chinese 4, Spanish 3, Portuguese 2, any other 1.
    static int LanguageFromLocale(const QLocale& locale);
    // The entries of the language menu: language value and menu text. Spanish
    // is reached only through the settings or the system locale.
    static std::vector<std::pair<int, QString>> MenuLanguages();
    // The locale the language rule reads (the system's unless replaced).
    void SetSystemLocale(const QLocale& locale) { m_systemLocale = locale; }
    // The machine-wide settings an unset language reads "Language" from
    // first (the system scope's file unless replaced).
    void SetMachineSettingsPath(const QString& path) { m_strMachineSettings = path; }
    // The language pack of a language, relative to the program folder
    // ("l.bra/LangPORT.rcc"); empty for English.
    static QString LanguagePackPath(int language);

    // The help files of the current language: help/index.html and
    // help/blocklibrary.html beside the program (Portuguese: in l.bra/).
    const std::string& GetHelpFile() const { return m_strHelpFile; }
    const std::string& GetBlockLibraryHelpFile() const { return m_strBlockLibraryHelpFile; }

    // The folder the splash picture and the language packs are read from: the
    // program folder unless replaced. Ends in "/".
    void SetResourceFolder(const std::string& folder);
    const std::string& GetResourceFolder() const { return m_strResourceFolder; }

    // Shows the splash screen (CONFSPLASH.BMP of the resource folder) unless
    // KESTREL_NO_SPLASH is set; false (logged) when the picture is missing.
    bool ShowSplash(int displayTime);
    // Closes the splash at once (start-up failed).
    void CloseSplashNow();
    // The splash window while it is shown.
    CSplashWnd* GetSplash() const;

private:
    bool TakeInstanceLock();
    // The module of a language's pack, read once; null when it cannot be loaded.
    std::shared_ptr<const CLanguageModule> LoadLanguagePack(int language);
    // Installs the pack's window translation and Qt's own texts for its
    // locale (both removed when module is null).
    void UseTranslations(const CLanguageModule* module);
    void RemoveTranslations();
    // "Language" of the machine-wide settings; 0 when they do not exist.
    int ReadMachineLanguage() const;

    std::unique_ptr<CAppSettings> m_pSettings;
    std::unique_ptr<QLockFile> m_pLock;
    // Made before the main frame and its documents, gone after them.
    std::unique_ptr<CUndoManager> m_pUndoManager;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CRecoveryKeeper> m_pRecovery;
    std::string m_strRecoveryFolder;
    QPointer<CSplashWnd> m_pSplash;
    int m_nLanguage = LANG_NONE;
    QLocale m_systemLocale;
    QString m_strMachineSettings;
    std::string m_strResourceFolder;
    std::map<int, std::shared_ptr<const CLanguageModule>> m_languagePacks;
    std::vector<std::unique_ptr<QTranslator>> m_translators;
    std::string m_strHelpFile;
    std::string m_strBlockLibraryHelpFile;
};
