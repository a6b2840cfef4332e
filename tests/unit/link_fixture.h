#pragma once
// The radio link's test ends: a scripted port whose other end answers each
// written frame as a test says (short, wrong or not at all), and a link to
// the simulated radio in process without the real radio's pauses, and a
// codeplug with such a radio beside it.
#include "codeplug_fixture.h"
#include "radio_data/model_catalog.h"
#include "radio_link/byte_port.h"
#include "radio_link/radio_link.h"
#include "sim_byte_port.h"
#include "sim_link.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace qrv::test {

using Bytes = std::vector<std::uint8_t>;

class CScriptedPort : public CBytePort {
public:
    // Answers a written frame; an empty answer means silence.
    std::function<Bytes(const Bytes& frame)> answer;
    std::vector<Bytes> written;
    bool lineErrorOnNextWait = false;
    CLineSettings line;

    bool Open(const std::string&) override { return m_open = true; }
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
        s.lineError = std::exchange(lineErrorOnNextWait, false);
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

private:
    bool m_open = false;
    std::deque<std::uint8_t> m_queue;
};

// A reset codeplug and a radio whose every byte differs from it, the manual
// tune switch on and the word's other bits unlike the codeplug's.
class RadioFixture : public ::testing::Test, public CResetCodeplug {
public:
    RadioFixture()
    {
        data.Identity() = {"QL210", "QL-210", "400-470", 0, "1.01.05.001"};
        data.GetImage() = Stored();
        for (std::size_t i = 0; i < radio.Memory().size(); ++i)
            radio.Memory()[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
        radio.Memory()[0x128] = 0x48;
        initialRadio = radio.Memory();
        ranges.SetModel(Settings().ProgramDirectory(), data.Identity());
    }

    CFreqRangeList ranges;
    sim::CSimRadio radio;
    sim::CSimRadio::MemoryBytes initialRadio{};
};

} // namespace qrv::test
