#include "radio_link/radio_link.h"

#include "util/bytes.h"

#include <algorithm>
#include <thread>

namespace qrv {

namespace {

constexpr std::array<std::uint8_t, 4> kProbe{CRadioLink::kStx, 'P', 'a', CRadioLink::kEtx};
constexpr std::size_t kAckSize = 6;
constexpr std::size_t kBlockHeaderSize = 8; // the reply bytes 1..8 before the data
constexpr std::size_t kInfoHeaderSize = 6;  // the reply bytes 1..6 before the data
constexpr std::size_t kInfoAreaSize = 16;
constexpr std::size_t kTuneReplyHeader = 5; // 02 'V' 'c' item-lo item-hi
constexpr std::size_t kMaxTuneValueLength = 2;
constexpr std::uint32_t kBaud = 9600;
constexpr std::uint8_t kByteSize = 8;
constexpr std::uint8_t kNoParity = 0;
constexpr std::uint8_t kTwoStopBits = 2;

std::array<std::uint8_t, kAckSize> Ack(char status, std::uint8_t first, std::uint8_t second)
{
    return {CRadioLink::kStx, 'A', static_cast<std::uint8_t>(status), first, second, CRadioLink::kEtx};
}

void Pause(std::chrono::milliseconds ms)
{
    if (ms.count() > 0)
        std::this_thread::sleep_for(ms);
}

std::string TextOf(std::span<const std::uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

} // namespace

std::uint8_t CRadioLink::Checksum(std::span<const std::uint8_t> data)
{
    std::uint8_t sum = 0;
    for (const std::uint8_t b : data)
        sum = static_cast<std::uint8_t>(sum + b);
    return static_cast<std::uint8_t>(-sum);
}

bool CRadioLink::Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> reply)
{
    PurgeInput();
    Write(request);
    Pause(m_timing.exchangePause);
    return Read(reply) == reply.size();
}

bool CRadioLink::ExchangeRetry(std::span<const std::uint8_t> request, std::span<std::uint8_t> reply, int tries)
{
    for (int i = 0; i < tries; ++i)
        if (Exchange(request, reply))
            return true;
    return false;
}

bool CRadioLink::ExchangeExpecting(std::span<const std::uint8_t> request, std::span<const std::uint8_t> expected)
{
    std::vector<std::uint8_t> reply(expected.size());
    return ExchangeRetry(request, reply, kTries) && std::equal(reply.begin(), reply.end(), expected.begin());
}

bool CRadioLink::Handshake(int passes, bool pauseAfterFailedPass)
{
    const auto expected = Ack('a', 'P', 'a');
    std::array<std::uint8_t, kAckSize> reply{};
    for (int pass = 0; pass < passes; ++pass) {
        if (ExchangeRetry(kProbe, reply, kTries)) {
            if (reply != expected)
                return false; // something answers, but not our radio: no further passes
            PurgeInput();
            return true;
        }
        if (pauseAfterFailedPass)
            Pause(m_timing.handshakePause);
    }
    return false;
}

std::string CRadioLink::TryPort(const std::string& name, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                                std::uint8_t stopBits, std::uint32_t timeoutMs, int passes)
{
    if (!Open(name))
        return {};
    SetCommParams(baud, byteSize, parity, stopBits); // a port that rejects it fails the handshake
    SetReadTimeout(timeoutMs);
    Pause(m_timing.openPause);
    if (Handshake(passes, passes > 1)) {
        return name;
    }
    Close();
    return {};
}

std::string CRadioLink::Connect(const std::string& remembered, const std::vector<std::string>& listed)
{
    if (!remembered.empty()) {
        auto found =
            TryPort(remembered, kBaud, kByteSize, kNoParity, kTwoStopBits, m_timing.readTimeoutMs, kFirstPortPasses);
        if (!found.empty())
            return found;
    }
    const std::size_t count = std::min(listed.size(), kMaxScannedPorts);
    for (std::size_t i = 0; i < count; ++i) {
        auto found = TryPort(listed[i], kBaud, kByteSize, kNoParity, kTwoStopBits, m_timing.readTimeoutMs, 1);
        if (!found.empty())
            return found;
    }
    return {};
}

bool CRadioLink::Answers(const std::string& name)
{
    const bool answered = !TryPort(name, kBaud, kByteSize, kNoParity, kTwoStopBits, m_timing.readTimeoutMs, 1).empty();
    Close();
    return answered;
}

CRadioLink::~CRadioLink()
{
    Close();
}

bool CRadioLink::Close()
{
    if (IsOpen() && m_outsideNormalMode)
        SetRadioMode(kModeNormal);
    m_outsideNormalMode = false;
    return CSerialLink::Close();
}

int CRadioLink::SetRadioMode(std::uint16_t mode)
{
    // Even an unanswered request may have reached the radio.
    m_outsideNormalMode = mode != kModeNormal;
    const std::array<std::uint8_t, 6> request{
        kStx, 'M', 'a', static_cast<std::uint8_t>(mode & 0xFF), static_cast<std::uint8_t>(mode >> 8), kEtx};
    std::array<std::uint8_t, kAckSize> reply{};
    if (!ExchangeRetry(request, reply, kTries))
        return 0;
    if (reply == Ack('a', 'M', 'a'))
        return 1;
    if (reply == Ack('c', 'M', 'a'))
        return -1;
    return 0;
}

std::vector<std::uint8_t> CRadioLink::ReadBlockRequest(std::uint32_t address, std::uint16_t length)
{
    std::vector<std::uint8_t> request{kStx, 'E', 'b', 0, 0, 0, 0, 0, 0, kEtx};
    PutLe32(request, 3, address);
    PutLe16(request, 7, length);
    return request;
}

bool CRadioLink::ReadBlock(std::uint32_t address, std::span<std::uint8_t> destination)
{
    const auto length = static_cast<std::uint16_t>(destination.size());
    const auto request = ReadBlockRequest(address, length);
    std::vector<std::uint8_t> reply(length + 11u);
    if (!ExchangeRetry(request, reply, kTries))
        return false;
    // Only the checksum is verified; the radio's header bytes are its own.
    const std::span<const std::uint8_t> covered(reply.data() + 1, length + kBlockHeaderSize);
    if (Checksum(covered) != reply[length + 9u])
        return false;
    std::copy_n(reply.begin() + 1 + static_cast<std::ptrdiff_t>(kBlockHeaderSize), length, destination.begin());
    return true;
}

std::vector<std::uint8_t> CRadioLink::WriteBlockRequest(std::uint32_t address, std::span<const std::uint8_t> data)
{
    const auto length = static_cast<std::uint16_t>(data.size());
    std::vector<std::uint8_t> request(length + 11u);
    request[0] = kStx;
    request[1] = 'E';
    request[2] = 'a';
    // In this frame the length field stands before the address and counts five more.
    PutLe16(request, 3, static_cast<std::uint16_t>(length + 5));
    PutLe32(request, 5, address);
    std::copy(data.begin(), data.end(), request.begin() + 9);
    request[length + 9u] = Checksum(std::span<const std::uint8_t>(request.data() + 1, length + 8u));
    request[length + 10u] = kEtx;
    return request;
}

bool CRadioLink::WriteBlock(std::uint32_t address, std::span<const std::uint8_t> source)
{
    Pause(m_timing.writePause);
    return ExchangeExpecting(WriteBlockRequest(address, source), Ack('a', 'E', 'a'));
}

bool CRadioLink::QueryInfo(std::uint8_t code, std::span<std::uint8_t> destination)
{
    const std::size_t n = destination.size();
    const std::array<std::uint8_t, 6> request{kStx, 'B', 'b', code, 0x00, kEtx};
    std::vector<std::uint8_t> reply(n + 9);
    if (!ExchangeRetry(request, reply, kTries))
        return false;
    if (reply[0] != kStx || reply[n + 8] != kEtx)
        return false;
    if (reply[n + 7] != Checksum(std::span<const std::uint8_t>(reply.data() + 1, n + kInfoHeaderSize)))
        return false;
    std::copy_n(reply.begin() + 1 + static_cast<std::ptrdiff_t>(kInfoHeaderSize), n, destination.begin());
    return true;
}

bool CRadioLink::ReadRadioInfo(const std::string& programVersion, CRadioIdentity& identity)
{
    // Every answer lands in one area cleared once, so a short field keeps
    // the bytes an earlier answer left behind it.
    std::array<std::uint8_t, kInfoAreaSize> area{};
    const auto query = [&](std::uint8_t code, std::size_t n) { return QueryInfo(code, std::span(area).first(n)); };

    if (!query(kInfoModelName, 12))
        return false;
    identity.modelName = TextOf(std::span(area).first(12));
    if (!query(kInfoRange, identity.range.size()))
        return false;
    std::copy_n(area.begin(), identity.range.size(), identity.range.begin());
    if (!query(kInfoSignal, 1))
        return false;
    identity.signal = area[0];
    if (!query(kInfoFirmware, 16))
        return false;
    identity.firmware = TextOf(area);
    identity.versionComparison = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto radio = area[i];
        const auto ours = static_cast<std::uint8_t>(i < programVersion.size() ? programVersion[i] : 0);
        if (radio != ours) {
            identity.versionComparison = radio < ours ? -1 : 1;
            break;
        }
    }
    if (!query(kInfoModelId, 16))
        return false;
    identity.modelId = TextOf(area);
    return true;
}

int CRadioLink::ReadTuneReply(char command, std::uint16_t item, std::span<std::uint8_t> destination)
{
    const std::size_t length = std::min(destination.size(), kMaxTuneValueLength);
    const std::array<std::uint8_t, 6> request{kStx,
                                              'V',
                                              static_cast<std::uint8_t>(command),
                                              static_cast<std::uint8_t>(item & 0xFF),
                                              static_cast<std::uint8_t>(item >> 8),
                                              kEtx};
    std::vector<std::uint8_t> reply(length + 6);
    if (!ExchangeRetry(request, reply, kTries))
        return 0;
    const std::array<std::uint8_t, kTuneReplyHeader> header{kStx, 'V', 'c', request[3], request[4]};
    if (!std::equal(header.begin(), header.end(), reply.begin()))
        return 0;
    std::copy_n(reply.begin() + kTuneReplyHeader, length, destination.begin());
    return 1;
}

int CRadioLink::ReadTuneValue(std::uint16_t item, std::span<std::uint8_t> destination)
{
    if (SetRadioMode(kModeAdjust) == 0)
        return -1;
    return ReadTuneReply('b', item, destination);
}

int CRadioLink::ReadTuneValueAlt(std::uint16_t item, std::span<std::uint8_t> destination)
{
    return ReadTuneReply('l', item, destination);
}

bool CRadioLink::WriteTuneValue(std::uint16_t item, std::span<const std::uint8_t> value)
{
    std::vector<std::uint8_t> request{kStx, 'V', 'a', static_cast<std::uint8_t>(item & 0xFF),
                                      static_cast<std::uint8_t>(item >> 8)};
    request.insert(request.end(), value.begin(), value.end());
    request.push_back(kEtx);
    return ExchangeExpecting(request, Ack('a', 'V', 'a'));
}

bool CRadioLink::SetTransmit(bool on)
{
    const std::uint8_t x = on ? 'j' : 'k';
    const std::array<std::uint8_t, 6> request{kStx, 'V', x, 0x00, 0x00, kEtx};
    return ExchangeExpecting(request, Ack('a', 'V', static_cast<char>(x)));
}

bool CRadioLink::SetTestOption(std::uint8_t a, std::uint8_t b)
{
    const std::array<std::uint8_t, 6> request{kStx, 'O', a, b, 0x00, kEtx};
    return ExchangeExpecting(request, Ack('a', 'O', static_cast<char>(a)));
}

} // namespace qrv
