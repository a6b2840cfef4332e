#pragma once
// The serial port as the radio link sees it: a byte stream with a line
// format, a receive queue that can be waited on, and line errors. The real
// port (QSerialPort), a pseudo-terminal and the in-process simulated radio
// all stand behind this interface.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qrv {

struct CLineSettings {
    std::uint32_t baud = 9600;
    std::uint8_t dataBits = 8;
    std::uint8_t parity = 0;   // 0 none
    std::uint8_t stopBits = 2; // 0 one, 1 one and a half, 2 two
    bool dtr = true;
    bool rts = true;
};

struct CPortStatus {
    std::size_t queued = 0; // bytes waiting in the receive queue
    bool lineError = false; // framing, parity, overrun or break seen (and cleared)
    bool gone = false;      // the device went away; nothing more will arrive
};

class CBytePort {
public:
    virtual ~CBytePort() = default;

    // Opens the device exclusively; false when it is missing or held by
    // another program. Why it failed is left in LastError().
    virtual bool Open(const std::string& name) = 0;
    virtual bool Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool Configure(const CLineSettings& settings) = 0;
    // Writes the whole buffer; the number of bytes written (0 on failure).
    virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;
    // Blocks (without spinning) until at least `wanted` bytes are queued, a
    // line error is seen, the device goes away or the timeout passes.
    virtual CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) = 0;
    // Takes up to buffer.size() queued bytes without waiting.
    virtual std::size_t ReadQueued(std::span<std::uint8_t> buffer) = 0;
    // Throws away queued input and clears a pending line error.
    virtual void DiscardInput() = 0;
    virtual std::string LastError() const { return {}; }
};

} // namespace qrv
