#include "sim_radio.h"

#include "sim_frames.h"
#include "util/bytes.h"

#include <algorithm>

namespace qrv::sim {

namespace {

enum class EScan { NeedMore, Bad, Complete };

struct CScan {
    EScan state = EScan::NeedMore;
    std::size_t length = 0;
};

constexpr std::size_t kHandshakeFrame = 4;
constexpr std::size_t kShortFrame = 6;   // mode, query, tune read, keep/drop, option
constexpr std::size_t kReadRequest = 10; // address(4), length(2)
constexpr std::size_t kTuneWriteFrame = 8;
// A block write carries "length + 5" at offset 3 and is that field + 6 long.
constexpr std::size_t kWriteFieldAt = 3;
constexpr std::size_t kWriteFieldExtra = 5;
constexpr std::size_t kWriteFrameExtra = 6;
constexpr std::size_t kMinWriteField = kWriteFieldExtra + 1;
constexpr std::size_t kMaxWriteField = CSimRadio::kMemorySize + kWriteFieldExtra;
constexpr std::uint8_t kErased = 0xFF;
constexpr std::uint8_t kBandFlagBit = 0x80;
constexpr std::uint8_t kRangeIdMask = 0x7F;
constexpr std::size_t kRangeFlagsByte = 0;
constexpr std::size_t kRangeLowerWord = 1;
constexpr std::size_t kRangeUpperWord = 5;
constexpr std::size_t kWordSize = 4;

// Length of a fixed-size request; 0 for the block write, whose length is in
// the frame; nullopt for a command the radio does not know.
std::optional<std::size_t> RequestLength(std::uint8_t group, std::uint8_t op)
{
    using namespace wire;
    if (group == kOption)
        return kShortFrame;
    if (group == kHandshake && op == kOpA)
        return kHandshakeFrame;
    if ((group == kMode && op == kOpA) || (group == kQuery && op == kOpB))
        return kShortFrame;
    if (group == kMemory && op == kOpB)
        return kReadRequest;
    if (group == kMemory && op == kOpA)
        return 0;
    if (group == kTune && (op == kOpB || op == kOpAlt || op == kOpKeep || op == kOpDrop))
        return kShortFrame;
    if (group == kTune && op == kOpA)
        return kTuneWriteFrame;
    return std::nullopt;
}

// Looks at the bytes from a start byte on: a whole frame, not yet, or not a frame.
CScan Scan(std::span<const std::uint8_t> b)
{
    constexpr std::size_t kCommandEnd = 3;
    if (b.size() < 2 || (b[1] != wire::kOption && b.size() < kCommandEnd))
        return {};
    const std::optional<std::size_t> fixed = RequestLength(b[1], b[1] == wire::kOption ? 0 : b[2]);
    if (!fixed)
        return {EScan::Bad};
    std::size_t length = *fixed;
    if (length == 0) {
        if (b.size() < kWriteFieldAt + 2)
            return {};
        const std::size_t field = GetLe16(b, kWriteFieldAt);
        if (field < kMinWriteField || field > kMaxWriteField)
            return {EScan::Bad};
        length = field + kWriteFrameExtra;
    }
    if (b.size() < length)
        return {};
    if (b[length - 1] != wire::kEtx)
        return {EScan::Bad};
    return {EScan::Complete, length};
}

} // namespace

CSimRadio::CSimRadio(CSimIdentity identity) : m_identity(std::move(identity))
{
    m_memory.fill(kErased);
    for (std::size_t i = 0; i < kModelNameWidth; ++i)
        m_memory[kIdentityBlock + i] =
            i < m_identity.modelName.size() ? static_cast<std::uint8_t>(m_identity.modelName[i]) : 0;
    const std::uint8_t flags = m_identity.range[kRangeFlagsByte];
    m_memory[kRangeFlagsAt] = (flags & kBandFlagBit) ? 1 : 0;
    m_memory[kRangeFlagsAt + 1] = flags & kRangeIdMask;
    m_memory[kSignalAt] = m_identity.signal;
    std::copy_n(m_identity.range.begin() + kRangeLowerWord, kWordSize, m_memory.begin() + kLowerLimitAt);
    std::copy_n(m_identity.range.begin() + kRangeUpperWord, kWordSize, m_memory.begin() + kUpperLimitAt);
    std::copy(kTuneSwitchWord.begin(), kTuneSwitchWord.end(), m_memory.begin() + kTuneSwitchAt);
    std::fill(m_memory.begin() + kMessagesFirst, m_memory.begin() + kMessagesEnd, std::uint8_t{0});
}

bool CSimRadio::SetSerial(std::string_view text)
{
    if (text.size() > kSerialWidth)
        return false;
    const auto field = m_memory.begin() + kSerialAt;
    std::fill_n(std::copy(text.begin(), text.end(), field), kSerialWidth - text.size(), std::uint8_t{0});
    return true;
}

std::vector<CSimRadio::CReply> CSimRadio::Feed(std::span<const std::uint8_t> bytes)
{
    m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    std::vector<CReply> replies;
    std::size_t pos = 0;
    while (pos < m_input.size()) {
        if (m_input[pos] != wire::kStx) {
            ++pos;
            continue;
        }
        const CScan scan = Scan(std::span<const std::uint8_t>(m_input).subspan(pos));
        if (scan.state == EScan::NeedMore)
            break;
        if (scan.state == EScan::Bad) {
            ++pos; // look for the next start byte
            continue;
        }
        if (std::optional<CReply> reply = Respond(std::span<const std::uint8_t>(m_input).subspan(pos, scan.length)))
            replies.push_back(std::move(*reply));
        pos += scan.length;
    }
    m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(pos));
    return replies;
}

std::optional<CSimRadio::CReply> CSimRadio::Respond(std::span<const std::uint8_t> frame)
{
    m_frames.emplace_back(frame.begin(), frame.end());
    ++m_framesSeen;
    if (m_faults.silent)
        return std::nullopt;
    if (m_faults.vanishAfterFrames >= 0 && m_framesSeen > m_faults.vanishAfterFrames)
        return std::nullopt;
    if (m_ignored < m_faults.ignoreFirstRequests) {
        ++m_ignored;
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> bytes = Answer(frame);
    if (!bytes)
        return std::nullopt;
    if (m_faults.shortReplies && !bytes->empty())
        bytes->pop_back();
    Damage(*bytes);
    CReply reply{std::move(*bytes), {}};
    if (m_faults.wireTiming)
        reply.delay = wire::WireTime(frame.size() + reply.bytes.size());
    reply.delay += std::chrono::duration_cast<std::chrono::microseconds>(m_faults.replyDelay);
    return reply;
}

void CSimRadio::Damage(std::vector<std::uint8_t>& reply)
{
    if (m_faults.noiseProbability <= 0.0 || reply.empty())
        return;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (chance(m_rng) >= m_faults.noiseProbability)
        return;
    std::uniform_int_distribution<std::size_t> where(0, reply.size() - 1);
    std::uniform_int_distribution<int> flip(1, 0xFF); // never 0, so the byte always changes
    reply[where(m_rng)] ^= static_cast<std::uint8_t>(flip(m_rng));
}

std::uint16_t CSimRadio::CurrentTuneValue(std::uint16_t item) const
{
    if (const auto working = m_workingTune.find(item); working != m_workingTune.end())
        return working->second;
    if (const auto kept = m_tune.find(item); kept != m_tune.end())
        return kept->second;
    return kUntunedValue;
}

bool CSimRadio::TestOption(char which) const
{
    if (which == static_cast<char>(wire::kOpA))
        return m_optionA;
    if (which == static_cast<char>(wire::kOpB))
        return m_optionB;
    return false;
}

void CSimRadio::ClearLog()
{
    m_frames.clear();
    m_writes.clear();
}

} // namespace qrv::sim
