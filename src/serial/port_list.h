#pragma once
// The serial ports of this system, as device names the link can open.
#include <string>
#include <vector>

namespace qrv {

struct CPortInfo {
    std::string device;      // what Open takes: COM3, /dev/ttyUSB0
    std::string description; // the driver's words, for people
    bool canOpen = false;    // opened and closed again just now
};

std::vector<CPortInfo> ListSerialPorts(bool probe);
std::vector<std::string> SerialPortNames();

} // namespace qrv
