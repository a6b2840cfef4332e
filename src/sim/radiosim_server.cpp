#include "radiosim_server.h"

#include "sim_frames.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <time.h>
#include <unistd.h>

namespace qrv::sim {

namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr long kNanosPerSecond = 1000000000L;

timespec ToTimespec(std::chrono::nanoseconds span)
{
    const auto count = std::max<std::int64_t>(span.count(), 0);
    return timespec{static_cast<time_t>(count / kNanosPerSecond), static_cast<long>(count % kNanosPerSecond)};
}

timespec Add(timespec t, std::chrono::nanoseconds span)
{
    const timespec d = ToTimespec(span);
    t.tv_sec += d.tv_sec;
    t.tv_nsec += d.tv_nsec;
    if (t.tv_nsec >= kNanosPerSecond) {
        t.tv_nsec -= kNanosPerSecond;
        ++t.tv_sec;
    }
    return t;
}

} // namespace

CRadiosimServer::CRadiosimServer(std::vector<CPluggedRadio>& radios, CPtyLine& line, int stopFd,
                                 const CRadiosimLineOptions& options, Unplugged unplugged)
    : m_radios(radios), m_line(line), m_stopFd(stopFd), m_swapPause(options.swapPause),
      m_unplugged(std::move(unplugged)), m_logWanted(!options.logPath.empty())
{
    if (m_logWanted)
        m_log.open(options.logPath, std::ios::out | std::ios::trunc);
}

bool CRadiosimServer::Run()
{
    const bool served = Serve();
    if (m_log.is_open())
        m_log << "END mode " << Present().Mode() << '\n' << std::flush;
    return served;
}

bool CRadiosimServer::Serve()
{
    for (;;) {
        timespec timeout{};
        timespec* wait = nullptr; // nothing due: sleep until something happens
        if (const std::optional<Clock::time_point> next = NextEvent()) {
            timeout = ToTimespec(*next - Clock::now());
            wait = &timeout;
        }
        pollfd fds[] = {{m_stopFd, POLLIN, 0}, {m_line.Master(), POLLIN, 0}};
        if (::ppoll(fds, 2, wait, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            m_error = std::string("ppoll: ") + std::strerror(errno);
            return false;
        }
        if (fds[0].revents != 0)
            return true;
        if ((fds[1].revents & POLLIN) != 0) {
            if (!ReadRequests())
                return false;
        } else if ((fds[1].revents & (POLLHUP | POLLERR)) != 0 && !m_line.HoldSlave()) {
            // Nobody holds the slave: take it ourselves so the hang-up ends.
            m_error = m_line.Error();
            return false;
        }
        SendDue();
        Swap();
    }
}

std::optional<CRadiosimServer::Clock::time_point> CRadiosimServer::NextEvent() const
{
    if (!m_pending.empty())
        return m_pending.front().due;
    if (m_plug == EPlug::Out)
        return m_plugNext;
    return std::nullopt;
}

bool CRadiosimServer::ReadRequests()
{
    std::uint8_t buffer[kReadChunk];
    for (;;) {
        const ssize_t got = ::read(m_line.Master(), buffer, sizeof buffer);
        if (got > 0) {
            Take(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(got)));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return true;
        // EIO or end of file: the slave side was hung up.
        if (!m_line.HoldSlave()) {
            m_error = m_line.Error();
            return false;
        }
        return true;
    }
}

// One byte at a time, so that a radio leaves right after the frame that ends
// its write session: the bytes behind that frame are lost with it, as are
// all bytes while no radio is plugged in.
void CRadiosimServer::Take(std::span<const std::uint8_t> bytes)
{
    const Clock::time_point arrived = Clock::now();
    for (std::size_t i = 0; i < bytes.size() && m_plug == EPlug::In; ++i) {
        CSimRadio& radio = Present();
        std::vector<CSimRadio::CReply> replies = radio.Feed(bytes.subspan(i, 1));
        for (const std::vector<std::uint8_t>& frame : radio.ReceivedFrames())
            Log("RX", frame);
        radio.ClearLog(); // the file keeps the record; the radio's copy would only grow
        for (CSimRadio::CReply& reply : replies) {
            Clock::time_point due = arrived + reply.delay;
            if (radio.Faults().wireTiming)
                due -= wire::WireTime(reply.bytes.size()); // the bytes themselves take that long
            if (!m_pending.empty())
                due = std::max(due, m_pending.back().due);
            m_pending.push_back({due, std::move(reply.bytes)});
        }
        WatchSession();
    }
}

void CRadiosimServer::WatchSession()
{
    if (m_radios.size() < 2)
        return;
    const int mode = Present().Mode();
    if (mode == CSimRadio::kWriteMode)
        m_writing = true;
    else if (m_writing && mode == CSimRadio::kNormalMode)
        m_plug = EPlug::Leaving;
}

void CRadiosimServer::Swap()
{
    if (m_plug == EPlug::Leaving && m_pending.empty()) {
        Log("UNPLUG");
        m_plug = EPlug::Out;
        m_plugNext.reset(); // the last radio leaves the line silent
        if (m_present + 1 < m_radios.size())
            m_plugNext = Clock::now() + m_swapPause;
        m_unplugged(m_radios[m_present]);
    }
    if (m_plug == EPlug::Out && m_plugNext && *m_plugNext <= Clock::now()) {
        ++m_present;
        m_plug = EPlug::In;
        m_writing = false;
        Log("PLUG " + m_radios[m_present].name);
    }
}

void CRadiosimServer::SendDue()
{
    while (!m_pending.empty() && m_pending.front().due <= Clock::now()) {
        Send(m_pending.front().bytes);
        m_pending.pop_front();
    }
}

void CRadiosimServer::Send(const std::vector<std::uint8_t>& bytes)
{
    std::size_t sent = 0;
    if (Present().Faults().wireTiming) {
        // Each byte leaves when its bit times have passed, not all at once.
        timespec next{};
        ::clock_gettime(CLOCK_MONOTONIC, &next);
        const std::chrono::microseconds byteTime = wire::WireTime(1);
        for (; sent < bytes.size(); ++sent) {
            next = Add(next, byteTime);
            while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
            }
            if (::write(m_line.Master(), &bytes[sent], 1) != 1)
                break;
        }
    } else {
        const ssize_t written = ::write(m_line.Master(), bytes.data(), bytes.size());
        sent = written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    Log(sent == bytes.size() ? "TX" : "TX-LOST", bytes);
}

void CRadiosimServer::Log(const std::string& what, const std::vector<std::uint8_t>& bytes)
{
    if (!m_log.is_open())
        return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count();
    m_log << ms << ' ' << what;
    char hex[4];
    for (const std::uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, " %02X", b);
        m_log << hex;
    }
    m_log << '\n' << std::flush;
}

} // namespace qrv::sim
