#pragma once
// qrv-radiosim run as a separate process for a test: started with options,
// its pseudo-terminal path read from its first line, stopped with SIGTERM.
#include <QProcess>

#include <string>
#include <vector>

namespace qrv::test {

class CRadioSimProcess {
public:
    explicit CRadioSimProcess(const std::vector<std::string>& options);
    ~CRadioSimProcess();
    CRadioSimProcess(const CRadioSimProcess&) = delete;
    CRadioSimProcess& operator=(const CRadioSimProcess&) = delete;

    bool Started() const { return !m_port.empty(); }
    const std::string& Port() const { return m_port; }
    // Sends SIGTERM and waits; true when it ended by itself with status 0.
    bool Stop();
    // Closes the radio's side at once, as a radio that is unplugged.
    void Kill();

private:
    QProcess m_process;
    std::string m_port;
};

} // namespace qrv::test
