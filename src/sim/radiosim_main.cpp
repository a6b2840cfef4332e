// qrv-radiosim: simulated radios on pseudo-terminals, for trying the program
// without hardware and for end-to-end tests. The terminals' paths are the
// first lines on stdout, one per terminal in the order given; SIGINT or
// SIGTERM ends it (after the --save of each radio not yet unplugged).
#include "radiosim_options.h"
#include "radiosim_terminal.h"
#include "unique_fd.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The stop signals arrive as readable bytes, so the main thread sleeps on
// them. Blocked before any serving thread starts, so that none takes them.
qrv::sim::CUniqueFd StopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        return qrv::sim::CUniqueFd();
    return qrv::sim::CUniqueFd(::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
}

void Report(const std::string& message)
{
    std::fprintf(stderr, "qrv-radiosim: %s\n", message.c_str());
}

int Fail(const std::string& message)
{
    Report(message);
    return kExitFailure;
}

// Until a stop signal comes or a terminal's serving ends by itself.
void Wait(int stopFd, int endedFd)
{
    pollfd fds[] = {{stopFd, POLLIN, 0}, {endedFd, POLLIN, 0}};
    while (::poll(fds, 2, -1) < 0 && errno == EINTR) {
    }
}

} // namespace

int main(int argc, char** argv)
{
    using namespace qrv::sim;
    std::string error;
    const std::optional<CRadiosimOptions> options =
        ParseRadioSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "qrv-radiosim: %s\n%s", error.c_str(), RadioSimUsage());
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(RadioSimUsage(), stdout);
        return kExitOk;
    }

    const CUniqueFd stop = StopSignals();
    if (!stop.Valid())
        return Fail(std::string("signals: ") + std::strerror(errno));
    const CUniqueFd ended(::eventfd(0, EFD_CLOEXEC));
    if (!ended.Valid())
        return Fail(std::string("eventfd: ") + std::strerror(errno));
    std::vector<std::unique_ptr<CRadiosimTerminal>> terminals;
    for (const CRadiosimLineOptions& line : options->lines) {
        terminals.push_back(std::make_unique<CRadiosimTerminal>());
        if (!terminals.back()->Open(line, error))
            return Fail(error);
    }

    for (const auto& terminal : terminals)
        std::printf("%s\n", terminal->Path().c_str());
    std::fflush(stdout);

    for (const auto& terminal : terminals)
        terminal->Start(ended.Get());
    Wait(stop.Get(), ended.Get());
    int status = kExitOk;
    for (const auto& terminal : terminals) {
        for (const std::string& failure : terminal->Finish())
            status = Fail(failure);
    }
    return status;
}
