#include "radio_link/codeplug_transfer.h"

#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/identify.h"
#include "radio_link/radio_messages.h"
#include "radio_link/write_verify.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr int kDoneRead = msg::kRadioReadDone;
constexpr int kDoneWrite = msg::kRadioWriteDone;
constexpr int kReadFailed = msg::kRadioReadFailed;
constexpr int kWriteFailed = msg::kRadioWriteFailed;
constexpr int kNoAnswer = msg::kNoRadioAnswer;
constexpr std::uint32_t kWriteBlocks = 82;
constexpr std::uint32_t kFactoryWriteBlocks = 85;

CTransferResult Succeeded(int message = 0)
{
    CTransferResult result;
    result.ok = true;
    result.message = message;
    return result;
}

int PortNumberIn(const std::vector<std::string>& listed, const std::string& port)
{
    const auto it = std::find(listed.begin(), listed.end(), port);
    return it == listed.end() ? 0 : static_cast<int>(it - listed.begin()) + 1;
}

} // namespace

std::vector<CCodeplugTransfer::CRange> CCodeplugTransfer::WriteRanges(bool factoryLevel)
{
    std::vector<CRange> ranges{{0x078, 0x30F}};
    if (factoryLevel)
        ranges.push_back({0x310, 0x338});
    ranges.push_back({0x580, 0x7FF});
    return ranges;
}

std::vector<std::pair<std::uint32_t, std::uint16_t>> CCodeplugTransfer::Blocks(const CRange& range)
{
    std::vector<std::pair<std::uint32_t, std::uint16_t>> blocks;
    for (std::uint32_t a = range.first; a <= range.last; a += kBlockSize)
        blocks.emplace_back(a, static_cast<std::uint16_t>(std::min(kBlockSize, range.last - a + 1)));
    return blocks;
}

int CCodeplugTransfer::ReadProgress(std::uint32_t block)
{
    return static_cast<int>((1600 * block) / 2032);
}

std::array<std::uint8_t, 8> CCodeplugTransfer::Stamp(const std::tm& t)
{
    const int year = t.tm_year + 1900;
    return {static_cast<std::uint8_t>(t.tm_sec),     static_cast<std::uint8_t>(t.tm_min),
            static_cast<std::uint8_t>(t.tm_hour),    static_cast<std::uint8_t>(t.tm_mday),
            static_cast<std::uint8_t>(t.tm_mon + 1), static_cast<std::uint8_t>(year % 100),
            static_cast<std::uint8_t>(year / 100),   0};
}

CCodeplugTransfer::CCodeplugTransfer(Direction direction, CRadioLink& link, CSettings& settings,
                                     const CDocumentIdentity& document, Image& image)
    : m_direction(direction), m_link(link), m_settings(settings), m_image(image),
      m_factoryLevel(settings.IsFactoryLevel()), m_document(document),
      m_expected(ExpectedIdentity(settings, document,
                                  direction == Direction::Write ? IdentityMode::Exact : IdentityMode::Accept))
{
    if (m_direction == Direction::Read)
        m_image.fill(0);
}

CTransferResult CCodeplugTransfer::Fail(int message, std::string argument)
{
    m_link.Close();
    CTransferResult result;
    result.message = message;
    result.argument = std::move(argument);
    return result;
}

CTransferResult CCodeplugTransfer::Prepare(const CPortChoice& ports, const std::tm& localTime)
{
    m_identified = false;
    m_radio = {};
    m_radioRange = {};
    m_port = m_link.Connect(ports.remembered, ports.listed);
    if (m_port.empty()) {
        CTransferResult result;
        result.message = kNoAnswer;
        result.noRadio = true;
        return result;
    }
    m_portNumber = PortNumberIn(ports.listed, m_port);

    const CIdentifyResult identity = IdentifyRadio(m_link, m_expected);
    m_radio = identity.radio;
    if (!identity.ok)
        return Fail(identity.message, identity.argument);
    m_identified = true;
    m_radioRange = identity.range;
    const std::string radioRangeText = MakeRangeText(m_radioRange.lower, m_radioRange.upper);

    if (m_direction == Direction::Read) {
        if (m_link.SetRadioMode(CRadioLink::kModeRead) == 0)
            return Fail(kNoAnswer);
        return Succeeded();
    }

    // The document's range must lie inside the radio's.
    if (!RangeFitsRadio(m_document, m_radioRange))
        return Fail(msg::kRangeOutsideRadio, radioRangeText);
    if (m_beforeWrite)
        if (const int refused = m_beforeWrite(m_link); refused != 0)
            return Fail(refused);
    // The manual tune switch belongs to the radio: its bit travels in the
    // block that carries it, so the read-back checks it too. Without it
    // nothing is sent.
    std::array<std::uint8_t, kTuneSwitchSize> word{};
    if (!m_link.ReadBlock(kTuneSwitchAddress, word)) {
        CTransferResult result = Fail(msg::kTuneSwitchUnread);
        result.address = kTuneSwitchAddress;
        return result;
    }
    m_sent = m_image;
    m_sent[kTuneSwitchAddress + 1] =
        static_cast<std::uint8_t>((m_sent[kTuneSwitchAddress + 1] & ~kTuneSwitchMask) | (word[1] & kTuneSwitchMask));
    m_stamp = Stamp(localTime);
    if (m_link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return Fail(kNoAnswer);
    return Succeeded();
}

CTransferResult CCodeplugTransfer::Run(const std::function<void(int)>& progress)
{
    return m_direction == Direction::Read ? RunRead(progress) : RunWrite(progress);
}

CTransferResult CCodeplugTransfer::RunRead(const std::function<void(int)>& progress)
{
    for (std::uint32_t i = 0; i < kReadBlocks; ++i) {
        const std::uint32_t address = kBlockSize * i;
        if (!m_link.ReadBlock(address, std::span(m_image).subspan(address, kBlockSize))) {
            CTransferResult result;
            result.message = kReadFailed;
            result.address = address;
            return result; // closing the link sends the radio back to mode 1
        }
        if (progress)
            progress(ReadProgress(i));
    }
    m_link.SetRadioMode(CRadioLink::kModeNormal);
    return Succeeded(kDoneRead);
}

CTransferResult CCodeplugTransfer::RunWrite(const std::function<void(int)>& progress)
{
    const std::uint32_t total = m_factoryLevel ? kFactoryWriteBlocks : kWriteBlocks;
    std::uint32_t counter = 1;
    for (const CRange& range : WriteRanges(m_factoryLevel)) {
        for (const auto& [address, length] : Blocks(range)) {
            if (m_stop != nullptr && m_stop->load()) {
                CTransferResult stopped = WriteFailed(msg::kWriteStopped, address);
                if (counter == 1)
                    stopped.partialNote = 0; // nothing was sent yet
                return stopped;
            }
            if (!m_link.WriteBlock(address, std::span<const std::uint8_t>(m_sent).subspan(address, length)))
                return WriteFailed(kWriteFailed, address);
            if (progress)
                progress(static_cast<int>(counter * 100 / total));
            ++counter;
        }
    }
    if (!m_link.WriteBlock(kStampAddress, m_stamp))
        return WriteFailed(kWriteFailed, kStampAddress);
    std::copy(m_stamp.begin(), m_stamp.end(), m_sent.begin() + kStampAddress);
    if (m_verify)
        if (std::optional<CTransferResult> mismatch = VerifyWritten())
            return *mismatch;
    m_link.SetRadioMode(CRadioLink::kModeNormal);
    return Succeeded(kDoneWrite);
}

CTransferResult CCodeplugTransfer::WriteFailed(int message, std::uint32_t address, std::string argument)
{
    CTransferResult failed;
    failed.message = message;
    failed.address = address;
    failed.argument = std::move(argument);
    failed.partialNote = msg::kPartialCodeplug;
    return failed;
}

std::optional<CTransferResult> CCodeplugTransfer::ReadBack(CRadioLink& link, const Image& sent,
                                                           const std::vector<CRange>& ranges)
{
    Image readBack = sent;
    std::vector<CAddressRun> runs;
    CTransferResult failed;
    for (const CRange& range : ranges) {
        for (const auto& [address, length] : Blocks(range)) {
            if (!link.ReadBlock(address, std::span(readBack).subspan(address, length))) {
                failed.message = msg::kVerifyReadFailed;
                failed.address = address;
                return failed;
            }
        }
        const auto differing = DifferingRuns(sent, readBack, range.first, range.last);
        runs.insert(runs.end(), differing.begin(), differing.end());
    }
    if (runs.empty())
        return std::nullopt;
    failed.message = msg::kVerifyFailed;
    failed.address = runs.front().first;
    failed.argument = DescribeRuns(runs);
    return failed;
}

std::optional<CTransferResult> CCodeplugTransfer::VerifyWritten()
{
    // Read back in the read mode; a radio that took a block without keeping
    // it only shows here.
    m_link.SetRadioMode(CRadioLink::kModeRead);
    std::vector<CRange> ranges = WriteRanges(m_factoryLevel);
    ranges.push_back({kStampAddress, kStampAddress + static_cast<std::uint32_t>(m_stamp.size()) - 1});
    std::optional<CTransferResult> failed = ReadBack(m_link, m_sent, ranges);
    if (failed)
        failed->partialNote = msg::kPartialCodeplug;
    return failed;
}

CDocumentIdentity CCodeplugTransfer::BackupIdentity() const
{
    CDocumentIdentity identity = m_document;
    if (m_identified)
        identity.radioDataVersion = m_radio.firmware;
    if (m_identified && m_direction == Direction::Read) {
        identity.modelId = m_radio.modelId;
        identity.modelName = m_radio.modelName;
        identity.signal = m_radio.signal;
        identity.freqRange = MakeRangeText(m_radioRange.lower, m_radioRange.upper);
    }
    return identity;
}

void CCodeplugTransfer::Finish(const CTransferResult& result, CRadioData& data, CFreqRangeList& ranges,
                               const CFreqRangeList::RangeQuestion& ask)
{
    m_link.Close();
    ApplyTo(result, data.Identity());
    if (!result.ok)
        return;
    ranges.CheckNewFreqRange(m_settings, data.Identity(), m_radioRange, ask);
    if (m_direction == Direction::Read) {
        data.GetImage() = m_image;
        data.LoadFromImage(data.GetImage());
        ranges.SetModel(m_settings.ProgramDirectory(), data.Identity());
        return;
    }
    // The codeplug now holds what the radio holds: the stamp and the radio's
    // tune switch bit.
    Image& image = data.GetImage();
    std::copy_n(m_sent.begin() + kStampAddress, m_stamp.size(), image.begin() + kStampAddress);
    std::copy_n(m_sent.begin() + kTuneSwitchAddress, kTuneSwitchSize, image.begin() + kTuneSwitchAddress);
    data.RadioInfo().LoadFromImage(image);
    data.Mode().LoadFromImage(image);
}

void CCodeplugTransfer::ApplyTo(const CTransferResult& result, CDocumentIdentity& document)
{
    if (!m_port.empty()) {
        m_settings.PortName = m_port;
        if (m_portNumber != 0)
            m_settings.ComPort = m_portNumber;
    }
    if (!m_identified)
        return;
    // The radio that answered is the one the document is now for; a read
    // whose blocks failed keeps the document's range.
    const CDocumentIdentity radio = BackupIdentity();
    document.radioDataVersion = radio.radioDataVersion;
    if (m_direction == Direction::Read) {
        document.modelId = radio.modelId;
        document.modelName = radio.modelName;
        document.signal = radio.signal;
        m_settings.PreviousRange = document.freqRange;
        if (result.ok || result.message != kReadFailed)
            document.freqRange = radio.freqRange;
    }
}

} // namespace qrv
