#pragma once
// Serves the simulated radio on the master side of a pseudo-terminal until
// the stop descriptor becomes readable. Sleeps in ppoll between events.
#include "pty_line.h"
#include "sim_radio.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <string>
#include <vector>

namespace qrv::sim {

class CRadiosimServer {
public:
    // logPath may be empty (no log).
    CRadiosimServer(CSimRadio& radio, CPtyLine& line, int stopFd, const std::string& logPath);

    bool LogOpen() const { return !m_logWanted || m_log.is_open(); }
    // Returns when asked to stop (true) or on an error it cannot serve past
    // (false, Error()). Either way the log ends with "END mode N", the mode the
    // radio was left in.
    bool Run();
    const std::string& Error() const { return m_error; }

private:
    using Clock = std::chrono::steady_clock;
    struct CPending {
        Clock::time_point due; // when the first byte goes out
        std::vector<std::uint8_t> bytes;
    };

    bool Serve();
    bool ReadRequests();
    void SendDue();
    void Send(const std::vector<std::uint8_t>& bytes);
    void Log(const char* direction, const std::vector<std::uint8_t>& bytes);

    CSimRadio& m_radio;
    CPtyLine& m_line;
    int m_stopFd;
    bool m_logWanted;
    std::ofstream m_log;
    Clock::time_point m_start = Clock::now();
    std::deque<CPending> m_pending;
    std::string m_error;
};

} // namespace qrv::sim
