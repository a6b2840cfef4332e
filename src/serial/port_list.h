#pragma once
// The serial ports of this system, as device names the link can open, with
// what the system says of each and why one cannot be opened.
#include <string>
#include <vector>

namespace qrv {

enum class PortProblem {
    None,         // opened and closed again just now (or not probed)
    NoPermission, // the user is not in the group that may open it
    Other,        // in use, gone, or refused for another reason: errorText says
};

struct CPortInfo {
    std::string device;       // what Open takes: COM3, /dev/ttyUSB0
    std::string name;         // the system's name for people: COM3, ttyUSB0
    std::string description;  // the driver's words
    std::string manufacturer; // as the USB device reports them
    std::string serialNumber;
    bool canOpen = false;
    PortProblem problem = PortProblem::None;
    std::string owningGroup; // the group that may open it, when that is the problem
    std::string errorText;   // the system's words for any other problem
};

std::vector<CPortInfo> ListSerialPorts(bool probe);
std::vector<std::string> SerialPortNames();
// The name people know a device by: its last path component (ttyUSB0 for
// /dev/ttyUSB0, the link's name for /dev/serial/by-id/...), COM3 as it stands.
std::string PortShortName(const std::string& device);

} // namespace qrv
