// The radio's answer to each complete request frame.
#include "sim_frames.h"
#include "sim_radio.h"
#include "util/bytes.h"

#include <algorithm>

namespace qrv::sim {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kParamAt = 3;  // first byte after the command
constexpr std::size_t kParam2At = 4; // second parameter byte
constexpr std::size_t kReadLengthAt = 7;
constexpr std::size_t kWriteLengthAt = 3;
constexpr std::size_t kWriteAddressAt = 5;
constexpr std::size_t kWriteDataAt = 9;
constexpr std::size_t kWriteFieldExtra = 5;
constexpr std::size_t kTuneValueAt = 5;

constexpr std::uint8_t kQueryModelName = 0x03;
constexpr std::uint8_t kQueryRange = 0x05;
constexpr std::uint8_t kQuerySignal = 0x07;
constexpr std::uint8_t kQueryFirmware = 0x21;
constexpr std::uint8_t kQueryModelId = 0x22;
constexpr std::size_t kModelNameSize = 12;
constexpr std::size_t kLongTextSize = 16;

Bytes Padded(const std::string& text, std::size_t width)
{
    Bytes field(width, 0);
    std::copy_n(text.begin(), std::min(text.size(), width), field.begin());
    return field;
}

bool Covers(const std::optional<std::uint32_t>& at, std::uint32_t address, std::size_t length)
{
    return at && *at >= address && *at - address < length;
}

bool FitsMemory(std::uint32_t address, std::size_t length)
{
    return length > 0 && address <= CSimRadio::kMemorySize && length <= CSimRadio::kMemorySize - address;
}

bool IsTuneItem(std::uint16_t item)
{
    return (item >= CSimRadio::kFirstTuneItem && item <= CSimRadio::kLastTuneItem) || item == CSimRadio::kVolumeItem;
}

void PutWord(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Closes a reply: checksum over everything after the start byte, then the end byte.
void Seal(Bytes& reply, bool spoil)
{
    std::uint8_t sum = wire::Checksum(std::span<const std::uint8_t>(reply).subspan(1));
    if (spoil)
        ++sum; // off by one is wrong whatever the data
    reply.push_back(sum);
    reply.push_back(wire::kEtx);
}

} // namespace

std::optional<Bytes> CSimRadio::Answer(std::span<const std::uint8_t> frame)
{
    switch (frame[1]) {
    case wire::kHandshake:
        return wire::Ack(wire::kAccepted, wire::kHandshake, wire::kOpA);
    case wire::kMode:
        return OnMode(frame);
    case wire::kMemory:
        return frame[2] == wire::kOpB ? OnReadBlock(frame) : OnWriteBlock(frame);
    case wire::kQuery:
        return OnQuery(frame);
    case wire::kTune:
        return OnTune(frame);
    case wire::kOption:
        return OnOption(frame);
    default:
        return std::nullopt;
    }
}

std::optional<Bytes> CSimRadio::OnMode(std::span<const std::uint8_t> frame)
{
    const int mode = GetLe16(frame, kParamAt);
    if (m_faults.refuseMode)
        return std::nullopt;
    if (mode != kNormalMode && mode != kReadMode && mode != kWriteMode && mode != kTuneMode)
        return std::nullopt;
    m_mode = mode;
    return wire::Ack(m_faults.modeStatusC ? wire::kAcceptedC : wire::kAccepted, wire::kMode, wire::kOpA);
}

std::optional<Bytes> CSimRadio::OnReadBlock(std::span<const std::uint8_t> frame)
{
    const std::uint32_t address = GetLe32(frame, kParamAt);
    const std::uint16_t length = GetLe16(frame, kReadLengthAt);
    if (!FitsMemory(address, length) || Covers(m_faults.silentReadAt, address, length))
        return std::nullopt;
    // Header: the reply's command, then the address and length asked for.
    Bytes reply{wire::kStx, wire::kMemory, wire::kOpReply};
    reply.insert(reply.end(), frame.begin() + kParamAt, frame.begin() + kReadLengthAt + 2);
    reply.insert(reply.end(), m_memory.begin() + address, m_memory.begin() + address + length);
    Seal(reply, Covers(m_faults.badChecksumAt, address, length));
    return reply;
}

std::optional<Bytes> CSimRadio::OnWriteBlock(std::span<const std::uint8_t> frame)
{
    const std::size_t length = GetLe16(frame, kWriteLengthAt) - kWriteFieldExtra;
    const std::uint32_t address = GetLe32(frame, kWriteAddressAt);
    const std::size_t checksumAt = kWriteDataAt + length;
    if (wire::Checksum(frame.subspan(1, checksumAt - 1)) != frame[checksumAt])
        return std::nullopt;
    if (m_mode != kWriteMode || !FitsMemory(address, length) || Covers(m_faults.refuseWriteAt, address, length))
        return wire::Ack(wire::kRefused, wire::kMemory, wire::kOpA);
    if (Covers(m_faults.dropWriteAt, address, length))
        return wire::Ack(wire::kAccepted, wire::kMemory, wire::kOpA); // lost, and the program is not told
    std::copy_n(frame.begin() + kWriteDataAt, length, m_memory.begin() + address);
    m_writes.emplace_back(address, static_cast<std::uint16_t>(length));
    return wire::Ack(wire::kAccepted, wire::kMemory, wire::kOpA);
}

std::optional<Bytes> CSimRadio::OnQuery(std::span<const std::uint8_t> frame) const
{
    if (frame[kParam2At] != 0)
        return std::nullopt;
    const std::uint8_t code = frame[kParamAt];
    Bytes data;
    switch (code) {
    case kQueryModelName:
        data = Padded(m_identity.modelName, kModelNameSize);
        break;
    case kQueryRange:
        data.assign(m_identity.range.begin(), m_identity.range.end());
        break;
    case kQuerySignal:
        data = {m_identity.signal};
        break;
    case kQueryFirmware:
        data = Padded(m_identity.firmware, kLongTextSize);
        break;
    case kQueryModelId:
        data = Padded(m_identity.modelId, kLongTextSize);
        break;
    default:
        return std::nullopt;
    }
    // Header: the reply's command, the code asked for and the data length.
    Bytes reply{wire::kStx, wire::kQuery, wire::kOpReply, code, 0};
    PutWord(reply, static_cast<std::uint16_t>(data.size()));
    reply.insert(reply.end(), data.begin(), data.end());
    Seal(reply, false);
    return reply;
}

std::optional<Bytes> CSimRadio::OnTune(std::span<const std::uint8_t> frame)
{
    const std::uint8_t op = frame[2];
    if (m_mode != kTuneMode)
        return std::nullopt;
    if (op == wire::kOpKeep || op == wire::kOpDrop) {
        if (frame[kParamAt] != 0 || frame[kParam2At] != 0)
            return std::nullopt;
        if (op == wire::kOpKeep)
            for (const auto& [item, value] : m_workingTune)
                m_tune[item] = value;
        m_workingTune.clear();
        return wire::Ack(wire::kAccepted, wire::kTune, op);
    }
    const std::uint16_t item = GetLe16(frame, kParamAt);
    if (!IsTuneItem(item))
        return std::nullopt;
    if (op == wire::kOpA) {
        m_workingTune[item] = GetLe16(frame, kTuneValueAt);
        return wire::Ack(wire::kAccepted, wire::kTune, wire::kOpA);
    }
    Bytes reply{wire::kStx, wire::kTune, wire::kOpReply};
    PutWord(reply, item);
    PutWord(reply, CurrentTuneValue(item));
    reply.push_back(wire::kEtx);
    return reply;
}

std::optional<Bytes> CSimRadio::OnOption(std::span<const std::uint8_t> frame)
{
    const std::uint8_t which = frame[2];
    const std::uint8_t state = frame[kParamAt];
    if (m_mode != kTuneMode || frame[kParam2At] != 0 || state > 1)
        return std::nullopt;
    if (which == wire::kOpA)
        m_optionA = state != 0;
    else if (which == wire::kOpB)
        m_optionB = state != 0;
    else
        return std::nullopt;
    return wire::Ack(wire::kAccepted, wire::kOption, which);
}

} // namespace qrv::sim
