#include "sim_byte_port.h"

#include <algorithm>

namespace qrv::sim {

namespace {
constexpr std::uint32_t kRadioBaud = 9600;
constexpr std::uint8_t kRadioDataBits = 8;
constexpr std::uint8_t kRadioParity = 0;
constexpr std::uint8_t kRadioStopBits = 2;
} // namespace

CSimBytePort::CSimBytePort(CSimRadio& radio) : m_radio(radio)
{
}

bool CSimBytePort::Open(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    if (!m_present) {
        m_error = "no such device: " + name;
        return false;
    }
    if (m_open) {
        m_error = "port already open: " + m_name;
        return false;
    }
    m_open = true;
    m_configured = false;
    m_lineError = false;
    m_name = name;
    m_queue.clear();
    m_inFlight.clear();
    m_error.clear();
    return true;
}

bool CSimBytePort::Close()
{
    std::lock_guard lock(m_mutex);
    m_open = false;
    m_configured = false;
    m_name.clear();
    m_queue.clear();
    m_inFlight.clear();
    m_wake.notify_all();
    return true;
}

bool CSimBytePort::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

bool CSimBytePort::Configure(const qrv::CLineSettings& settings)
{
    std::lock_guard lock(m_mutex);
    if (!m_open || !m_present)
        return false;
    m_settings = settings;
    m_configured = true;
    return true;
}

bool CSimBytePort::LineMatchesRadio() const
{
    return m_configured && m_settings.baud == kRadioBaud && m_settings.dataBits == kRadioDataBits &&
           m_settings.parity == kRadioParity && m_settings.stopBits == kRadioStopBits;
}

std::size_t CSimBytePort::Write(std::span<const std::uint8_t> bytes)
{
    std::lock_guard lock(m_mutex);
    if (!m_open || !m_present) {
        m_error = "port not available";
        return 0;
    }
    if (!LineMatchesRadio())
        return bytes.size(); // sent, but the radio hears garbage
    const Clock::time_point now = Clock::now();
    for (CSimRadio::CReply& reply : m_radio.Feed(bytes)) {
        Clock::time_point ready = now + reply.delay;
        // One line: a reply cannot overtake the one before it.
        if (!m_inFlight.empty())
            ready = std::max(ready, m_inFlight.back().ready);
        m_inFlight.push_back({ready, std::move(reply.bytes)});
    }
    m_wake.notify_all();
    return bytes.size();
}

void CSimBytePort::Arrive(Clock::time_point now)
{
    while (!m_inFlight.empty() && m_inFlight.front().ready <= now) {
        const std::vector<std::uint8_t>& bytes = m_inFlight.front().bytes;
        m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
        m_inFlight.pop_front();
    }
}

qrv::CPortStatus CSimBytePort::WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const Clock::time_point now = Clock::now();
        Arrive(now);
        qrv::CPortStatus status;
        status.queued = m_queue.size();
        if (!m_open || !m_present) {
            status.gone = true;
            return status;
        }
        if (m_lineError) {
            m_lineError = false;
            status.lineError = true;
            return status;
        }
        if (status.queued >= wanted || now >= deadline)
            return status;
        Clock::time_point wakeAt = deadline;
        if (!m_inFlight.empty())
            wakeAt = std::min(wakeAt, m_inFlight.front().ready);
        m_wake.wait_until(lock, wakeAt);
    }
}

std::size_t CSimBytePort::ReadQueued(std::span<std::uint8_t> buffer)
{
    std::lock_guard lock(m_mutex);
    Arrive(Clock::now());
    const std::size_t count = std::min(buffer.size(), m_queue.size());
    std::copy_n(m_queue.begin(), count, buffer.begin());
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

void CSimBytePort::DiscardInput()
{
    std::lock_guard lock(m_mutex);
    Arrive(Clock::now());
    m_queue.clear();
    m_lineError = false;
}

std::string CSimBytePort::LastError() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

void CSimBytePort::SetPresent(bool present)
{
    std::lock_guard lock(m_mutex);
    m_present = present;
    m_wake.notify_all();
}

void CSimBytePort::InjectLineError()
{
    std::lock_guard lock(m_mutex);
    m_lineError = true;
    m_wake.notify_all();
}

std::string CSimBytePort::PortName() const
{
    std::lock_guard lock(m_mutex);
    return m_name;
}

bool CSimBytePort::IsConfigured() const
{
    std::lock_guard lock(m_mutex);
    return m_configured;
}

qrv::CLineSettings CSimBytePort::LineSettings() const
{
    std::lock_guard lock(m_mutex);
    return m_settings;
}

} // namespace qrv::sim
