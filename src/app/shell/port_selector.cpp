#include "shell/port_selector.h"

#include "qt_serial_port.h"
#include "sim_byte_port.h"

namespace qrv {

CPortSelector::CPortSelector(sim::CSimRadio* simulated, std::string simulatedName)
    : m_simulated(simulated), m_simulatedName(std::move(simulatedName))
{
}

bool CPortSelector::Open(const std::string& name)
{
    if (m_port && m_port->IsOpen())
        return false;
    if (name == m_simulatedName && m_simulated != nullptr)
        m_port = std::make_unique<sim::CSimBytePort>(*m_simulated);
    else
        m_port = std::make_unique<CQtSerialPort>();
    const bool opened = m_port->Open(name);
    m_lastError = opened ? std::string() : m_port->LastError();
    if (!opened)
        m_port.reset();
    return opened;
}

bool CPortSelector::Close()
{
    if (m_port)
        m_port->Close();
    m_port.reset();
    return true;
}

bool CPortSelector::IsOpen() const
{
    return m_port && m_port->IsOpen();
}

bool CPortSelector::Configure(const CLineSettings& settings)
{
    return m_port && m_port->Configure(settings);
}

std::size_t CPortSelector::Write(std::span<const std::uint8_t> bytes)
{
    return m_port ? m_port->Write(bytes) : 0;
}

CPortStatus CPortSelector::WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout)
{
    if (!m_port) {
        CPortStatus gone;
        gone.gone = true;
        return gone;
    }
    return m_port->WaitForBytes(wanted, timeout);
}

std::size_t CPortSelector::ReadQueued(std::span<std::uint8_t> buffer)
{
    return m_port ? m_port->ReadQueued(buffer) : 0;
}

void CPortSelector::DiscardInput()
{
    if (m_port)
        m_port->DiscardInput();
}

std::string CPortSelector::LastError() const
{
    return m_lastError;
}

} // namespace qrv
