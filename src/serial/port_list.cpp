#include "port_list.h"

#include "qt_serial_port.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

namespace qrv {

namespace {

void Probe(const QSerialPortInfo& info, CPortInfo& port)
{
    QSerialPort serial(info);
    port.canOpen = serial.open(QIODevice::ReadWrite);
    if (port.canOpen) {
        serial.close();
        return;
    }
    if (serial.error() == QSerialPort::PermissionError) {
        port.owningGroup = JoinableGroup(port.device);
        // Without a group to name the fix is unknown: the system's words say what happened.
        port.problem = port.owningGroup.empty() ? PortProblem::Other : PortProblem::NoPermission;
    } else {
        port.problem = PortProblem::Other;
    }
    port.errorText = serial.errorString().toStdString();
}

} // namespace

std::vector<CPortInfo> ListSerialPorts(bool probe)
{
    std::vector<CPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        CPortInfo port;
        port.device = info.systemLocation().toStdString();
        port.name = info.portName().toStdString();
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.serialNumber = info.serialNumber().toStdString();
        if (probe)
            Probe(info, port);
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

std::string PortShortName(const std::string& device)
{
    const auto slash = device.find_last_of('/');
    return slash == std::string::npos || slash + 1 == device.size() ? device : device.substr(slash + 1);
}

} // namespace qrv
