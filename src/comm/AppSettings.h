#pragma once

#include <memory>
#include <string>

#include "comm/CommunicationData.h"

class QSettings;
class QString;
class QVariant;

// The application's stored settings: "Comm Settings" (Interface, Port,
// IPAddress, BaudRate, DevAddress, Timeout, Retries, MonitPeriod) and "Settings"
// (WorkDir), shared by the windowed program and the command-line tool.
class CAppSettings {
public:
    // The user's settings of the application.
    CAppSettings();
    // Settings kept in an INI file (tests, portable set-ups).
    explicit CAppSettings(const std::string& iniPath);
    ~CAppSettings();
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;

    // The stored values; what is missing keeps the value of defaults.
    CCommunicationData LoadCommSettings(const CCommunicationData& defaults = {}) const;
    void StoreCommSettings(const CCommunicationData& data);
    // "WorkDir" of "Settings"; empty when not set.
    std::string GetWorkDir() const;
    void SetWorkDir(const std::string& folder);
    void Sync();
    // The store itself, for the program's other sections (recent files, bar state).
    QSettings& GetStore() { return *m_pSettings; }
    // "Language" of the application's key (1 English, 2 Portuguese, 3 Spanish,
    // 4 Chinese); 0 when not set. The user's settings fall back to the
    // system-wide ones (/etc/xdg), which an administrator may preset.
    int GetLanguage() const;
    void SetLanguage(int language);

    // "SERIAL" or "ETHERNET" for an interface value.
    static std::string GetInterfaceName(int interfaceValue);

    // Sets a value unless the user's own settings already hold it: a store with
    // no change is not written again, so a start that stores back what it read
    // does not rewrite (and flush) the settings file.
    static void StoreValue(QSettings& store, const QString& key, const QVariant& value);

private:
    std::unique_ptr<QSettings> m_pSettings;
};
