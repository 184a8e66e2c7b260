#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A varex-sim process for the whole benchmark, started with the transport
// arguments; Target() is the address it prints when it listens. Its time
// limit also names it, so that only this benchmark's simulator is stopped.
class CSimProcess {
public:
    CSimProcess(const std::string& program, const std::string& transportArgs, int maxSeconds)
        : m_strLimit("--max-seconds " + std::to_string(maxSeconds)) {
        const std::string command = program + " " + transportArgs + " " + m_strLimit;
        m_pipe = ::popen(command.c_str(), "r");
        char line[256] = {};
        if (m_pipe != nullptr && std::fgets(line, sizeof line, m_pipe) != nullptr) {
            std::string text(line);
            text.erase(text.find_last_not_of("\r\n") + 1);
            m_target = text.substr(text.rfind(' ') + 1);
        }
    }
    ~CSimProcess() {
        if (m_pipe != nullptr) {
            const std::string stop =
                "pkill -INT -f 'varex-sim.*" + m_strLimit + "' >/dev/null 2>&1";
            std::system(stop.c_str());
            ::pclose(m_pipe);
        }
    }
    CSimProcess(const CSimProcess&) = delete;
    CSimProcess& operator=(const CSimProcess&) = delete;

    const std::string& Target() const { return m_target; }

private:
    std::string m_strLimit;
    FILE* m_pipe = nullptr;
    std::string m_target;
};
