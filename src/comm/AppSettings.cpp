#include "comm/AppSettings.h"

#include <QSettings>

#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

const char* const kCommGroup = "Comm Settings";

QString Text(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

std::string Text(const QVariant& value) {
    return value.toString().toLatin1().toStdString();
}

}  // namespace

CAppSettings::CAppSettings() : m_pSettings(std::make_unique<QSettings>("Torv", "KESTREL Plus")) {}

CAppSettings::CAppSettings(const std::string& iniPath)
    : m_pSettings(std::make_unique<QSettings>(Text(iniPath), QSettings::IniFormat)) {}

CAppSettings::~CAppSettings() = default;

CCommunicationData CAppSettings::LoadCommSettings(const CCommunicationData& defaults) const {
    CCommunicationData data = defaults;
    m_pSettings->beginGroup(kCommGroup);
    data.m_nInterface = m_pSettings->value("Interface", data.m_nInterface).toInt();
    data.m_strPort = Text(m_pSettings->value("Port", Text(data.m_strPort)));
    data.m_strIPAddress = Text(m_pSettings->value("IPAddress", Text(data.m_strIPAddress)));
    data.m_nBaudRate = m_pSettings->value("BaudRate", data.m_nBaudRate).toInt();
    data.m_nDevAddress = m_pSettings->value("DevAddress", data.m_nDevAddress).toInt();
    data.m_nTimeout = m_pSettings->value("Timeout", data.m_nTimeout).toInt();
    data.m_nRetries = m_pSettings->value("Retries", data.m_nRetries).toInt();
    data.m_nMonitPeriod = m_pSettings->value("MonitPeriod", data.m_nMonitPeriod).toInt();
    m_pSettings->endGroup();
    return data;
}

void CAppSettings::StoreCommSettings(const CCommunicationData& data) {
    QSettings& store = *m_pSettings;
    store.beginGroup(kCommGroup);
    StoreValue(store, "Interface", data.m_nInterface);
    StoreValue(store, "Port", Text(data.m_strPort));
    StoreValue(store, "IPAddress", Text(data.m_strIPAddress));
    StoreValue(store, "BaudRate", data.m_nBaudRate);
    StoreValue(store, "DevAddress", data.m_nDevAddress);
    StoreValue(store, "Timeout", data.m_nTimeout);
    StoreValue(store, "Retries", data.m_nRetries);
    StoreValue(store, "MonitPeriod", data.m_nMonitPeriod);
    store.endGroup();
}

void CAppSettings::StoreValue(QSettings& store, const QString& key, const QVariant& value) {
    // Only what the user's own file holds counts, not the system-wide defaults.
    const bool fallbacks = store.fallbacksEnabled();
    store.setFallbacksEnabled(false);
    const QVariant stored = store.value(key);
    store.setFallbacksEnabled(fallbacks);
    const bool same = stored.isValid() && (value.typeId() == QMetaType::QByteArray
                                               ? stored.toByteArray() == value.toByteArray()
                                               : stored.toString() == value.toString());
    if (!same) {
        store.setValue(key, value);
    }
}

std::string CAppSettings::GetWorkDir() const {
    return Text(m_pSettings->value("Settings/WorkDir", QString()));
}

void CAppSettings::SetWorkDir(const std::string& folder) {
    StoreValue(*m_pSettings, "Settings/WorkDir", Text(folder));
}

void CAppSettings::Sync() {
    m_pSettings->sync();
}

int CAppSettings::GetLanguage() const {
    return m_pSettings->value("Language", 0).toInt();
}

void CAppSettings::SetLanguage(int language) {
    StoreValue(*m_pSettings, "Language", language);
}

std::string CAppSettings::GetInterfaceName(int interfaceValue) {
    const std::string names = LoadResString(IDS_INTERFACE_NAMES);
    const std::size_t split = names.find(';');
    if (split == std::string::npos) {
        return interfaceValue == 0 ? "SERIAL" : "ETHERNET";
    }
    if (interfaceValue == 0) {
        return names.substr(0, split);
    }
    const std::size_t end = names.find(';', split + 1);
    return names.substr(split + 1, end == std::string::npos ? std::string::npos : end - split - 1);
}
