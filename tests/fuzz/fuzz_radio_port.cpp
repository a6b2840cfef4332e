#include "fuzz_radio_port.h"

#include "radio_link/radio_link.h"

#include <algorithm>
#include <utility>

namespace qrv::fuzz {

namespace {

constexpr std::uint8_t kRawCountEnd = 0x40;
constexpr std::uint8_t kRawWantedEnd = 0x80;
constexpr std::uint8_t kWellFormedEnd = 0xF0;
constexpr std::uint8_t kLineError = 0xFE;
constexpr std::size_t kAckSize = 6;
constexpr std::size_t kBlockHeader = 8; // after STX: the radio's own header bytes
constexpr std::size_t kInfoHeader = 6;
constexpr std::size_t kTuneHeader = 5; // STX 'V' 'c' item-lo item-hi
constexpr std::size_t kFrameEnds = 3;  // STX, checksum, ETX
constexpr std::uint8_t kPadding = 0xFF;

// Fills [first, last) of the reply with input bytes (padding once it runs out).
void FillFromInput(CInput& input, std::vector<std::uint8_t>& reply, std::size_t first, std::size_t last)
{
    const auto data = input.Take(last - first);
    std::fill(reply.begin() + static_cast<std::ptrdiff_t>(first), reply.begin() + static_cast<std::ptrdiff_t>(last),
              kPadding);
    std::copy(data.begin(), data.end(), reply.begin() + static_cast<std::ptrdiff_t>(first));
}

void SealWithChecksum(std::vector<std::uint8_t>& reply)
{
    const std::span<const std::uint8_t> covered(reply.data() + 1, reply.size() - kFrameEnds);
    reply[reply.size() - 2] = CRadioLink::Checksum(covered);
}

} // namespace

std::size_t CFuzzRadioPort::Write(std::span<const std::uint8_t> bytes)
{
    m_request.assign(bytes.begin(), bytes.end());
    m_answered = false;
    return bytes.size();
}

CPortStatus CFuzzRadioPort::WaitForBytes(std::size_t wanted, std::chrono::milliseconds)
{
    if (!m_answered) {
        m_answered = true;
        Reply(wanted);
    }
    CPortStatus status;
    status.queued = m_queue.size();
    status.lineError = std::exchange(m_lineError, false);
    status.gone = m_queue.size() < wanted;
    return status;
}

std::size_t CFuzzRadioPort::ReadQueued(std::span<std::uint8_t> buffer)
{
    const std::size_t n = std::min(buffer.size(), m_queue.size());
    std::copy_n(m_queue.begin(), n, buffer.begin());
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

void CFuzzRadioPort::Reply(std::size_t wanted)
{
    if (m_input.Empty())
        return;
    const std::uint8_t control = m_input.Byte();
    if (control < kRawWantedEnd) {
        const auto raw = m_input.Take(control < kRawCountEnd ? control : wanted);
        m_queue.insert(m_queue.end(), raw.begin(), raw.end());
    } else if (control < kWellFormedEnd) {
        const auto reply = WellFormed(wanted);
        m_queue.insert(m_queue.end(), reply.begin(), reply.end());
    } else if (control == kLineError) {
        m_lineError = true;
    }
}

std::vector<std::uint8_t> CFuzzRadioPort::WellFormed(std::size_t wanted)
{
    const std::uint8_t kind = m_request.size() > 1 ? m_request[1] : 0;
    const std::uint8_t what = m_request.size() > 2 ? m_request[2] : 0;
    std::vector<std::uint8_t> reply(std::max(wanted, kAckSize), kPadding);
    reply.front() = CRadioLink::kStx;
    reply.back() = CRadioLink::kEtx;
    if (kind == 'E' && what == 'b' && reply.size() > kBlockHeader + kFrameEnds) {
        std::copy_n(m_request.begin() + 1, std::min(m_request.size() - 1, kBlockHeader), reply.begin() + 1);
        FillFromInput(m_input, reply, 1 + kBlockHeader, reply.size() - 2);
        SealWithChecksum(reply);
    } else if (kind == 'B' && what == 'b' && reply.size() > kInfoHeader + kFrameEnds) {
        std::copy_n(m_request.begin() + 1, std::min(m_request.size() - 1, kInfoHeader), reply.begin() + 1);
        FillFromInput(m_input, reply, 1 + kInfoHeader, reply.size() - 2);
        SealWithChecksum(reply);
    } else if (kind == 'V' && (what == 'b' || what == 'l') && reply.size() > kTuneHeader + 1) {
        reply[1] = 'V';
        reply[2] = 'c';
        reply[3] = m_request.size() > 3 ? m_request[3] : 0;
        reply[4] = m_request.size() > 4 ? m_request[4] : 0;
        FillFromInput(m_input, reply, kTuneHeader, reply.size() - 1);
    } else {
        reply = {CRadioLink::kStx, 'A', 'a', kind, what, CRadioLink::kEtx};
    }
    return reply;
}

} // namespace qrv::fuzz
