#pragma once
// One pseudo-terminal of qrv-radiosim with its radio, served on a thread of
// its own: a reply paced at line speed on one terminal never holds up another.
#include "pty_line.h"
#include "radiosim_options.h"
#include "radiosim_server.h"
#include "sim_radio.h"
#include "unique_fd.h"

#include <memory>
#include <string>
#include <thread>

namespace qrv::sim {

class CRadiosimTerminal {
public:
    CRadiosimTerminal() = default;
    ~CRadiosimTerminal(); // stops the thread and removes the link
    CRadiosimTerminal(const CRadiosimTerminal&) = delete;
    CRadiosimTerminal& operator=(const CRadiosimTerminal&) = delete;

    // Builds the radio (its image, then its serial number) and opens the
    // line, the log and the link. False with error set.
    bool Open(const CRadiosimLineOptions& options, std::string& error);
    const std::string& Path() const { return m_line.SlavePath(); }
    // Serves until Finish(); if the serving ends before that, endedFd (an
    // eventfd) is written so that the main thread wakes up.
    void Start(int endedFd);
    // Stops the thread, then saves the radio. False with error set when the
    // serving failed or a save did.
    bool Finish(std::string& error);

private:
    void Stop();

    CPtyLine m_line;
    CUniqueFd m_stop; // an eventfd the serving loop polls
    std::unique_ptr<CSimRadio> m_radio;
    std::string m_savePath;
    std::string m_linkPath;
    std::unique_ptr<CRadiosimServer> m_server;
    std::thread m_thread;
    bool m_served = true;
};

} // namespace qrv::sim
