#pragma once
// A byte port whose other end is a script: each written frame is recorded
// and answered with the next scripted reply (which may be short, wrong or
// missing), so the frames of the link can be checked byte by byte.
#include "radio_link/byte_port.h"

#include <deque>
#include <functional>
#include <vector>

namespace qrv::test {

class CScriptedPort : public CBytePort {
public:
    using Bytes = std::vector<std::uint8_t>;
    // Answers a written frame; an empty answer means silence.
    std::function<Bytes(const Bytes& frame)> answer;
    std::vector<Bytes> written;
    bool present = true;
    bool lineErrorOnNextWait = false;

    bool Open(const std::string&) override { return m_open = present; }
    bool Close() override
    {
        m_open = false;
        return true;
    }
    bool IsOpen() const override { return m_open; }
    bool Configure(const CLineSettings& s) override
    {
        line = s;
        return true;
    }
    std::size_t Write(std::span<const std::uint8_t> bytes) override
    {
        written.emplace_back(bytes.begin(), bytes.end());
        if (answer) {
            const Bytes reply = answer(written.back());
            m_queue.insert(m_queue.end(), reply.begin(), reply.end());
        }
        return bytes.size();
    }
    CPortStatus WaitForBytes(std::size_t, std::chrono::milliseconds) override
    {
        CPortStatus s;
        s.queued = m_queue.size();
        s.lineError = lineErrorOnNextWait;
        lineErrorOnNextWait = false;
        return s;
    }
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override
    {
        std::size_t n = 0;
        for (; n < buffer.size() && !m_queue.empty(); ++n) {
            buffer[n] = m_queue.front();
            m_queue.pop_front();
        }
        return n;
    }
    void DiscardInput() override { m_queue.clear(); }

    CLineSettings line;

private:
    bool m_open = false;
    std::deque<std::uint8_t> m_queue;
};

} // namespace qrv::test
