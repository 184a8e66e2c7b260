#include "comm/DefaultPortFactory.h"

#include "comm/EthernetPort.h"
#include "comm/SerialPort.h"

std::unique_ptr<CAbstractCommPort> MakeDefaultPort(const CCommunicationData& settings) {
    if (settings.IsEthernet()) {
        auto port = std::make_unique<CEthernetPort>();
        if (!port->Open(settings.m_strIPAddress, false)) {
            return nullptr;
        }
        return port;
    }
    auto port = std::make_unique<CSerialPort>();
    if (!port->Open(settings.m_strPort, false)) {
        return nullptr;
    }
    port->ClearBuffers();
    port->Configure(settings.m_nBaudRate, settings.m_nParity);
    return port;
}
