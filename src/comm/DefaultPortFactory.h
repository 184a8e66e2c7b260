#pragma once

#include <memory>

#include "comm/AbstractCommPort.h"
#include "comm/CommunicationData.h"

// The transport the settings ask for, opened (and, for a serial line, set to
// the settings' speed and parity); null when it cannot be opened.
std::unique_ptr<CAbstractCommPort> MakeDefaultPort(const CCommunicationData& settings);
