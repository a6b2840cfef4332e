#pragma once
// Runs qrv-radiosim as a child process and talks to its pseudo-terminal the
// way any serial program would: plain open() and termios. The simulator's
// tests and the end-to-end tests of qrvctl share it.
#include "unique_fd.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qrv::sim::test {

class CRadioSimProcess {
public:
    // Starts qrv-radiosim with these options and reads the paths of this many
    // terminals, one from each of its first lines.
    explicit CRadioSimProcess(const std::vector<std::string>& options, std::size_t terminals = 1);
    ~CRadioSimProcess(); // kills a child still running
    CRadioSimProcess(const CRadioSimProcess&) = delete;
    CRadioSimProcess& operator=(const CRadioSimProcess&) = delete;

    bool Started() const { return !m_paths.empty(); }
    const std::vector<std::string>& Ports() const { return m_paths; }
    // Sends the signal and waits for the exit; the exit code, or -1.
    int Stop(int signal);
    // SIGTERM; true when it ended by itself with status 0. SIGKILL closes the
    // radio's side at once, as a radio that is unplugged.
    bool Stop() { return Stop(SIGTERM) == 0; }

private:
    pid_t m_pid = -1;
    std::vector<std::string> m_paths; // all of them, or none
};

// A client end of the line: raw 9600 8N2, or left as the simulator set it.
class CTerminal {
public:
    bool Open(const std::string& path, bool setLine = true);
    void Close() { m_fd.Reset(); }
    bool Send(const std::vector<std::uint8_t>& bytes);
    // Reads until `count` bytes came or the time is up.
    std::vector<std::uint8_t> Receive(std::size_t count, std::chrono::milliseconds timeout);

private:
    CUniqueFd m_fd;
};

} // namespace qrv::sim::test
