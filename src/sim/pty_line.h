#pragma once
// A pseudo-terminal standing in for the radio's serial line: the program
// opens the slave side like a serial port, the simulator serves the master.
#include "unique_fd.h"

#include <string>

namespace qrv::sim {

class CPtyLine {
public:
    // Creates the pair and sets the slave raw at 9600 8N2. False with Error() set on failure.
    bool Open();
    int Master() const { return m_master.Get(); }
    const std::string& SlavePath() const { return m_slavePath; }
    const std::string& Error() const { return m_error; }
    // Keeps one descriptor of the slave open ourselves, so a client closing
    // the port does not hang the line up under us.
    bool HoldSlave();

private:
    bool Fail(const char* what);

    CUniqueFd m_master;
    CUniqueFd m_slaveHold;
    std::string m_slavePath;
    std::string m_error;
};

} // namespace qrv::sim
