#include "app/crash/CrashEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <ctime>

#include "app/crash/SafeText.h"

void CCrashEnvironment::Prepare(const char* stateFolder) {
    const ssize_t length = readlink("/proc/self/exe", m_szProgramPath, sizeof m_szProgramPath - 1);
    m_szProgramPath[length > 0 ? length : 0] = '\0';
    std::size_t folderEnd = 0;
    for (std::size_t i = 0; m_szProgramPath[i] != '\0'; ++i) {
        if (m_szProgramPath[i] == '/') {
            folderEnd = i + 1;
        }
    }
    SafeCopy(m_szProgramFolder, folderEnd + 1 < sizeof m_szProgramFolder ? folderEnd + 1 : 1,
             m_szProgramPath);
    SafeCopy(m_szProgramFileName, sizeof m_szProgramFileName, m_szProgramPath + folderEnd);
    SafeCopy(m_szProgramName, sizeof m_szProgramName, m_szProgramFileName);
    for (std::size_t i = SafeLength(m_szProgramName); i > 0; --i) {
        if (m_szProgramName[i - 1] == '.') {
            m_szProgramName[i - 1] = '\0';
            break;
        }
    }

    const passwd* user = getpwuid(getuid());
    SafeCopy(m_szUserName, sizeof m_szUserName, user != nullptr ? user->pw_name : "unknown");
    SafeCopy(m_szStateFolder, sizeof m_szStateFolder, stateFolder);

    const long processors = sysconf(_SC_NPROCESSORS_ONLN);
    m_nProcessors = processors > 0 ? static_cast<int>(processors) : 1;
    const time_t now = time(nullptr);
    tm local{};
    if (localtime_r(&now, &local) != nullptr) {
        m_nUtcOffset = local.tm_gmtoff;
    }
}
