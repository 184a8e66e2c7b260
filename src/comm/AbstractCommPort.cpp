#include "comm/AbstractCommPort.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CAbstractCommPort, CObject)

std::string CAbstractCommPort::GetLastErrorText() const {
    return m_nLastError == 0 ? std::string() : std::string(std::strerror(m_nLastError));
}
