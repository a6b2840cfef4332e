#include "port_list.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

namespace qrv {

std::vector<CPortInfo> ListSerialPorts(bool probe)
{
    std::vector<CPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        CPortInfo port;
        port.device = info.systemLocation().toStdString();
        port.description = (info.description().isEmpty() ? info.portName() : info.description()).toStdString();
        if (probe) {
            QSerialPort serial(info);
            port.canOpen = serial.open(QIODevice::ReadWrite);
            serial.close();
        }
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.device < b.device; });
    return ports;
}

std::vector<std::string> SerialPortNames()
{
    std::vector<std::string> names;
    for (const auto& port : ListSerialPorts(false))
        names.push_back(port.device);
    return names;
}

} // namespace qrv
