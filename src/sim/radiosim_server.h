#pragma once
// Serves the radios of one terminal on the master side of its pseudo-terminal
// until the stop descriptor becomes readable. Sleeps in ppoll between events.
//
// The radios answer in turn, as a dealer plugs one after another into one
// cable: once the present radio has finished a write session (put into mode
// 3, then back into mode 1) and its replies are out, it is unplugged; the
// line is silent (bytes read and dropped) for the swap pause, then the next
// radio answers. After the last one the line stays silent. A radio alone on
// its terminal is never unplugged.
#include "pty_line.h"
#include "radiosim_options.h"
#include "sim_radio.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrv::sim {

// A radio of a terminal and where its memory goes.
struct CPluggedRadio {
    explicit CPluggedRadio(const CSimIdentity& identity) : radio(identity) {}

    CSimRadio radio;
    std::string name;     // in the log when it is plugged in
    std::string savePath; // empty: not saved
    bool saved = false;
};

class CRadiosimServer {
public:
    // Called on the serving thread for each radio as it is unplugged.
    using Unplugged = std::function<void(CPluggedRadio&)>;

    // The log and the swap pause come from options (no log when its path is empty).
    CRadiosimServer(std::vector<CPluggedRadio>& radios, CPtyLine& line, int stopFd, const CRadiosimLineOptions& options,
                    Unplugged unplugged);

    bool LogOpen() const { return !m_logWanted || m_log.is_open(); }
    // Returns when asked to stop (true) or on an error it cannot serve past
    // (false, Error()). Either way the log ends with "END mode N", the mode of
    // the radio plugged in last.
    bool Run();
    const std::string& Error() const { return m_error; }

private:
    using Clock = std::chrono::steady_clock;
    struct CPending {
        Clock::time_point due; // when the first byte goes out
        std::vector<std::uint8_t> bytes;
    };
    enum class EPlug { In, Leaving, Out };

    bool Serve();
    std::optional<Clock::time_point> NextEvent() const;
    bool ReadRequests();
    void Take(std::span<const std::uint8_t> bytes);
    void WatchSession();
    void Swap();
    void SendDue();
    void Send(const std::vector<std::uint8_t>& bytes);
    void Log(const std::string& what, const std::vector<std::uint8_t>& bytes = {});
    CSimRadio& Present() { return m_radios[m_present].radio; }

    std::vector<CPluggedRadio>& m_radios;
    CPtyLine& m_line;
    int m_stopFd;
    std::chrono::milliseconds m_swapPause;
    Unplugged m_unplugged;
    bool m_logWanted;
    std::ofstream m_log;
    Clock::time_point m_start = Clock::now();
    std::deque<CPending> m_pending;
    std::size_t m_present = 0;
    EPlug m_plug = EPlug::In;
    bool m_writing = false;                      // the present radio has been in write mode
    std::optional<Clock::time_point> m_plugNext; // while out: when the next radio answers
    std::string m_error;
};

} // namespace qrv::sim
