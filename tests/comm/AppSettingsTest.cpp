#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "comm/AppSettings.h"

namespace {

std::string TempIni(const char* name) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::remove(path);
    return path;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(AppSettings, CommSettingsRoundTripWithDefaults) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "kestrel-settings-test.ini").string();
    std::filesystem::remove(path);
    {
        CAppSettings empty(path);
        const CCommunicationData defaults = empty.LoadCommSettings();
        EXPECT_EQ(defaults.m_nBaudRate, 19200);
        EXPECT_EQ(defaults.m_strIPAddress, "0.0.0.0");
        EXPECT_EQ(defaults.m_nMonitPeriod, 2000);
        CCommunicationData changed = defaults;
        changed.m_nInterface = 1;
        changed.m_strIPAddress = "127.0.0.1:15020";
        changed.m_nRetries = 0;
        empty.StoreCommSettings(changed);
        empty.SetWorkDir("/srv/work");
        empty.Sync();
    }
    CAppSettings stored(path);
    const CCommunicationData loaded = stored.LoadCommSettings();
    EXPECT_EQ(loaded.m_nInterface, 1);
    EXPECT_EQ(loaded.m_strIPAddress, "127.0.0.1:15020");
    EXPECT_EQ(loaded.m_nRetries, 0);
    EXPECT_EQ(stored.GetWorkDir(), "/srv/work");
    EXPECT_EQ(CAppSettings::GetInterfaceName(0), "SERIAL");
    EXPECT_EQ(CAppSettings::GetInterfaceName(1), "ETHERNET");
    std::filesystem::remove(path);
}

// Every start stores the settings back; unchanged, they must not rewrite the
// file (a write and flush on every start, and lost formatting).
TEST(AppSettings, StoringUnchangedValuesLeavesTheFileAlone) {
    const std::string path = TempIni("kestrel-settings-unchanged.ini");
    {
        CAppSettings first(path);
        first.StoreCommSettings(first.LoadCommSettings());
        first.SetWorkDir("/srv/work");
        first.SetLanguage(2);
        first.Sync();
    }
    // The same values, laid out as no QSettings would write them.
    std::string text = FileText(path);
    text = "; kept by hand\n" + text;
    std::ofstream(path) << text;
    {
        CAppSettings again(path);
        again.StoreCommSettings(again.LoadCommSettings());
        again.SetWorkDir("/srv/work");
        again.SetLanguage(2);
        again.Sync();
    }
    EXPECT_EQ(FileText(path), text);
    {
        CAppSettings changed(path);
        CCommunicationData data = changed.LoadCommSettings();
        data.m_nTimeout = 250;
        changed.StoreCommSettings(data);
        changed.Sync();
    }
    EXPECT_EQ(CAppSettings(path).LoadCommSettings().m_nTimeout, 250);
    EXPECT_NE(FileText(path), text);
    std::filesystem::remove(path);
}

}  // namespace
