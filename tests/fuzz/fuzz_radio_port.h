#pragma once
// A radio whose every reply comes from the fuzz input. After each request the
// next control byte of the input decides what comes back:
//   0x00-0x3F  that many raw bytes
//   0x40-0x7F  raw bytes, as many as the program waits for
//   0x80-0xEF  a well-formed reply to the request, its data from the input
//   0xF0-0xFD  nothing
//   0xFE       a line error
// An input used up is a radio gone silent. Nothing ever waits: a reply that
// is short ends the wait at once, as a time-out would.
#include "fuzz_support.h"
#include "radio_link/byte_port.h"

#include <deque>
#include <vector>

namespace qrv::fuzz {

class CFuzzRadioPort : public CBytePort {
public:
    explicit CFuzzRadioPort(CInput& input) : m_input(input) {}

    bool Open(const std::string&) override { return m_open = true; }
    bool Close() override
    {
        m_open = false;
        return true;
    }
    bool IsOpen() const override { return m_open; }
    bool Configure(const CLineSettings&) override { return m_open; }
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override;
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override;
    void DiscardInput() override
    {
        m_queue.clear();
        m_lineError = false;
    }

private:
    void Reply(std::size_t wanted);
    std::vector<std::uint8_t> WellFormed(std::size_t wanted);

    CInput& m_input;
    std::vector<std::uint8_t> m_request;
    std::deque<std::uint8_t> m_queue;
    bool m_open = false;
    bool m_answered = true;
    bool m_lineError = false;
};

} // namespace qrv::fuzz
