#include "radio_link/serial_link.h"

#include <algorithm>

namespace qrv {

namespace {
// With no time-out a read waits in slices of this length, so that a device
// that goes away is still noticed.
constexpr std::chrono::milliseconds kUnlimitedSlice{1000};
} // namespace

CSerialLink::CSerialLink(std::unique_ptr<CBytePort> port) : m_port(std::move(port))
{
}

CSerialLink::~CSerialLink()
{
    Close();
}

bool CSerialLink::Open(const std::string& name)
{
    if (!m_port->Open(name))
        return false;
    m_strPort = name;
    return true;
}

bool CSerialLink::Close()
{
    if (!m_port->IsOpen())
        return true;
    if (!m_port->Close())
        return false;
    m_strPort.clear();
    return true;
}

bool CSerialLink::SetCommParams(std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity, std::uint8_t stopBits)
{
    if (!m_port->IsOpen())
        return false;
    CLineSettings settings;
    settings.baud = baud;
    settings.dataBits = byteSize;
    settings.parity = parity;
    settings.stopBits = stopBits;
    settings.dtr = true;
    settings.rts = true;
    return m_port->Configure(settings);
}

bool CSerialLink::SetReadTimeout(std::uint32_t ms)
{
    m_dwReadTimeout = ms;
    return m_port->IsOpen();
}

int CSerialLink::PurgeInput()
{
    m_port->DiscardInput();
    return 0;
}

std::uint32_t CSerialLink::Write(std::span<const std::uint8_t> data)
{
    return static_cast<std::uint32_t>(m_port->Write(data));
}

std::uint32_t CSerialLink::Read(std::span<std::uint8_t> buffer)
{
    using Clock = std::chrono::steady_clock;
    m_bTimedOut = false;
    const auto start = Clock::now();
    const auto timeout = std::chrono::milliseconds(m_dwReadTimeout);
    for (;;) {
        auto wait = kUnlimitedSlice;
        if (m_dwReadTimeout != 0) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            wait = std::max(timeout - elapsed, std::chrono::milliseconds(0));
        }
        const CPortStatus status = m_port->WaitForBytes(buffer.size(), wait);
        if (status.lineError)
            return 0;
        if (status.queued >= buffer.size())
            return static_cast<std::uint32_t>(m_port->ReadQueued(buffer));
        const bool expired = m_dwReadTimeout != 0 && Clock::now() - start >= timeout;
        if (expired || status.gone) {
            m_bTimedOut = true;
            return static_cast<std::uint32_t>(m_port->ReadQueued(buffer.first(std::min(status.queued, buffer.size()))));
        }
    }
}

} // namespace qrv
