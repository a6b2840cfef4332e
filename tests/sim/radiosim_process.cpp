#include "radiosim_process.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace qrv::sim::test {

namespace {
constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 10000;
constexpr int kPollStepMs = 10;
} // namespace

CRadioSimProcess::CRadioSimProcess(const std::vector<std::string>& options, std::size_t terminals)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    const CUniqueFd readEnd(ends[0]);
    CUniqueFd writeEnd(ends[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.Get(), STDOUT_FILENO);
    std::vector<char*> argv{const_cast<char*>(QRV_RADIOSIM_PATH)};
    for (const std::string& a : options)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int spawned = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.Reset(); // the child holds its copy; EOF comes when it exits
    if (spawned != 0) {
        m_pid = -1;
        return;
    }
    std::vector<std::string> paths;
    std::string line;
    pollfd pfd{readEnd.Get(), POLLIN, 0};
    char c = 0;
    while (paths.size() < terminals && ::poll(&pfd, 1, kStartTimeoutMs) > 0 && ::read(readEnd.Get(), &c, 1) == 1) {
        if (c == '\n')
            paths.push_back(std::exchange(line, {}));
        else
            line.push_back(c);
    }
    if (paths.size() == terminals && std::count(paths.begin(), paths.end(), std::string()) == 0)
        m_paths = std::move(paths);
}

CRadioSimProcess::~CRadioSimProcess()
{
    if (m_pid > 0)
        Stop(SIGKILL);
}

int CRadioSimProcess::Stop(int signal)
{
    if (m_pid <= 0)
        return -1;
    ::kill(m_pid, signal);
    int status = 0;
    for (int waited = 0; waited < kStopTimeoutMs; waited += kPollStepMs) {
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        ::usleep(kPollStepMs * 1000);
    }
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return -1;
}

bool CTerminal::Open(const std::string& path, bool setLine)
{
    m_fd.Reset(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_fd.Valid() || !setLine)
        return m_fd.Valid();
    termios tio{};
    if (::tcgetattr(m_fd.Get(), &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B9600);
    tio.c_cflag |= CSTOPB | CLOCAL | CREAD;
    return ::tcsetattr(m_fd.Get(), TCSANOW, &tio) == 0;
}

bool CTerminal::Send(const std::vector<std::uint8_t>& bytes)
{
    return ::write(m_fd.Get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> CTerminal::Receive(std::size_t count, std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    std::vector<std::uint8_t> got;
    while (got.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd pfd{m_fd.Get(), POLLIN, 0};
        if (left <= 0 || ::poll(&pfd, 1, static_cast<int>(left)) <= 0)
            break;
        std::uint8_t buffer[256];
        const ssize_t n = ::read(m_fd.Get(), buffer, std::min(sizeof buffer, count - got.size()));
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

} // namespace qrv::sim::test
