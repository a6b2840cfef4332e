#pragma once
// One pseudo-terminal of qrv-radiosim with its radios, served on a thread of
// its own: a reply paced at line speed on one terminal never holds up another.
#include "pty_line.h"
#include "radiosim_options.h"
#include "radiosim_server.h"
#include "unique_fd.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qrv::sim {

class CRadiosimTerminal {
public:
    CRadiosimTerminal() = default;
    ~CRadiosimTerminal(); // stops the thread and removes the link
    CRadiosimTerminal(const CRadiosimTerminal&) = delete;
    CRadiosimTerminal& operator=(const CRadiosimTerminal&) = delete;

    // Builds the radios (each from its image, then its serial number) and
    // opens the line, the log and the link. False with error set.
    bool Open(const CRadiosimLineOptions& options, std::string& error);
    const std::string& Path() const { return m_line.SlavePath(); }
    // Serves until Finish(); if the serving ends before that, endedFd (an
    // eventfd) is written so that the main thread wakes up.
    void Start(int endedFd);
    // Stops the thread, then saves the radios not saved when they were
    // unplugged. What went wrong on the way, if anything.
    std::vector<std::string> Finish();

private:
    void Stop();
    void Save(CPluggedRadio& plugged);

    CPtyLine m_line;
    CUniqueFd m_stop; // an eventfd the serving loop polls
    std::vector<CPluggedRadio> m_radios;
    std::vector<std::string> m_errors; // filled on the serving thread, read after it ended
    std::string m_linkPath;
    std::unique_ptr<CRadiosimServer> m_server;
    std::thread m_thread;
    bool m_served = true;
};

} // namespace qrv::sim
