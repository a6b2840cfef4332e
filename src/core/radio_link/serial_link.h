#pragma once
// The serial link every exchange with the radio passes through: it opens a
// port, sets the radio's line format, discards stale input, writes a frame
// and reads a reply of known length within a time-out it measures itself.
// It knows nothing of frames; CRadioLink adds the protocol.
#include "radio_link/byte_port.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qrv {

class CSerialLink {
public:
    explicit CSerialLink(std::unique_ptr<CBytePort> port);
    virtual ~CSerialLink();
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    bool Open(const std::string& name);
    bool Close();
    bool IsOpen() const { return m_port->IsOpen(); }
    const std::string& PortName() const { return m_strPort; }
    std::string LastPortError() const { return m_port->LastError(); }

    bool SetCommParams(std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity, std::uint8_t stopBits);
    bool SetReadTimeout(std::uint32_t ms);
    std::uint32_t ReadTimeout() const { return m_dwReadTimeout; }
    int PurgeInput();
    std::uint32_t Write(std::span<const std::uint8_t> data);
    // Waits for `buffer.size()` bytes: the whole reply as soon as it is
    // queued; after the time-out (never earlier) what arrived, with
    // TimedOut() set; 0 at once on a line error.
    std::uint32_t Read(std::span<std::uint8_t> buffer);
    bool TimedOut() const { return m_bTimedOut; }

    CBytePort& Port() { return *m_port; }

private:
    std::unique_ptr<CBytePort> m_port;
    std::string m_strPort;
    std::uint32_t m_dwReadTimeout = 0;
    bool m_bTimedOut = false;
};

} // namespace qrv
