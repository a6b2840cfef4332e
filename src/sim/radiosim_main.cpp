// qrv-radiosim: a simulated radio on a pseudo-terminal, for trying the
// program without hardware and for end-to-end tests. The terminal's path is
// the first line on stdout; SIGINT or SIGTERM ends it (after --save).
#include "pty_line.h"
#include "radiosim_image.h"
#include "radiosim_options.h"
#include "radiosim_server.h"
#include "sim_radio.h"
#include "unique_fd.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The stop signals arrive as readable bytes, so the serving loop sleeps on them.
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

bool MakeLink(const std::string& link, const std::string& target)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)))
        std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(target, link, ec);
    return !ec;
}

void RemoveLink(const std::string& link, const std::string& target)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)) &&
        std::filesystem::read_symlink(link, ec) == target)
        std::filesystem::remove(link, ec);
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "qrv-radiosim: %s\n", message.c_str());
    return kExitFailure;
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

    CSimRadio radio(options->identity);
    radio.Faults() = options->faults;
    if (!options->imagePath.empty() && !LoadMemoryImage(options->imagePath, radio.Memory(), error))
        return Fail(error);
    if (options->serial)
        radio.SetSerial(*options->serial);

    const CUniqueFd stop = StopSignals();
    if (!stop.Valid())
        return Fail(std::string("signals: ") + std::strerror(errno));
    CPtyLine line;
    if (!line.Open())
        return Fail(line.Error());
    CRadiosimServer server(radio, line, stop.Get(), options->logPath);
    if (!server.LogOpen())
        return Fail("cannot write the log " + options->logPath);
    if (!options->linkPath.empty() && !MakeLink(options->linkPath, line.SlavePath()))
        return Fail("cannot make the link " + options->linkPath);

    std::printf("%s\n", line.SlavePath().c_str());
    std::fflush(stdout);

    const bool served = server.Run();
    if (!options->linkPath.empty())
        RemoveLink(options->linkPath, line.SlavePath());
    if (!served)
        return Fail(server.Error());
    if (!options->savePath.empty() && !SaveMemoryImage(options->savePath, radio.Identity(), radio.Memory(), error))
        return Fail(error);
    return kExitOk;
}
