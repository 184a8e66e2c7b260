#pragma once

#include <QLockFile>
#include <memory>
#include <string>

class CAppSettings;
class CMainFrame;

// The application object: the settings written back on the first start, the
// working directory, the single-instance lock, the main window and the file
// named on the command line.
class CConfApp {
public:
    // The lock that keeps a second copy of the program from starting.
    static constexpr const char* kInstanceLock = "{9F645EF1-D80C-4c52-A953-2F906126558E}";

    explicit CConfApp(std::unique_ptr<CAppSettings> settings);
    ~CConfApp();

    // Start-up; false when the program must end (another copy runs).
    bool InitInstance(const std::string& fileToOpen);
    int ExitInstance();

    // The program's folder, ending in "/".
    static std::string GetProgramFolder();
    // Stores the communication settings back and sets "WorkDir" (program folder
    // + "Work", created when missing) on the first start.
    void InitSettings();
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CAppSettings& GetSettings() { return *m_pSettings; }

private:
    bool TakeInstanceLock();

    std::unique_ptr<CAppSettings> m_pSettings;
    std::unique_ptr<QLockFile> m_pLock;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
