#include "radio_link/factory_link.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/identify.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment_data.h"
#include "records/radio_info_data.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

using CRange = CCodeplugTransfer::CRange;

constexpr CRange kBaseBandFirst{0x3E9, 0x3F8};
constexpr CRange kBaseBandSecond{0x3F9, 0x3FF};
constexpr CRange kTuneData{0x340, 0x3FF};
constexpr std::uint32_t kTuneSwitchAddress = CCodeplugTransfer::kTuneSwitchAddress;
constexpr std::uint8_t kTuneSwitchMask = CCodeplugTransfer::kTuneSwitchMask;
constexpr CRange kTuneSwitch{kTuneSwitchAddress, kTuneSwitchAddress + 1};

struct CFactoryBlock {
    std::uint32_t address;
    std::uint16_t length;
};
constexpr std::array<CFactoryBlock, 3> kFactoryReadBlocks{{{0x010, 16}, {0x028, 8}, {0x048, 16}}};
// Written in this order: the marker goes between the limits and the rest.
constexpr CRange kFactoryMarker{0x068, 0x06B};
const std::vector<CRange> kFactoryWriteRanges{{0x010, 0x01F}, {0x028, 0x02F}, kFactoryMarker, {0x06C, 0x077}};

CTransferResult Result(bool ok, int message, std::uint32_t address = 0)
{
    CTransferResult r;
    r.ok = ok;
    r.message = message;
    r.address = address;
    return r;
}

// Closing the link also sends a radio left in another mode back to mode 1.
CTransferResult Closed(CRadioLink& link, CTransferResult result)
{
    link.Close();
    return result;
}

CTransferResult NoRadio()
{
    CTransferResult r = Result(false, msg::kNoRadioAnswer);
    r.noRadio = true;
    return r;
}

// Sends the ranges of sent block by block, then reads them back in the
// radio's present mode: a refused, unanswered or lost block is a failure
// naming its address, after which the radio may hold part of the values.
CTransferResult WriteAndReadBack(CRadioLink& link, const Image& sent, const std::vector<CRange>& ranges,
                                 int successMessage)
{
    std::optional<CTransferResult> failed;
    for (const CRange& range : ranges) {
        for (const auto& [address, length] : CCodeplugTransfer::Blocks(range)) {
            if (!link.WriteBlock(address, std::span<const std::uint8_t>(sent).subspan(address, length))) {
                failed = Result(false, msg::kRadioWriteFailed, address);
                break;
            }
        }
        if (failed)
            break;
    }
    if (!failed)
        failed = CCodeplugTransfer::ReadBack(link, sent, ranges);
    if (!failed)
        return Result(true, successMessage);
    failed->partialNote = msg::kPartialValues;
    return *failed;
}

} // namespace

CEnterModeResult EnterRadioMode(CRadioLink& link, CSettings& settings, CDocumentIdentity& document,
                                const CPortChoice& ports, std::uint16_t mode)
{
    CEnterModeResult out;
    const auto fail = [&link, &out](int message, std::string argument = {}) {
        link.Close();
        out.message = message;
        out.argument = std::move(argument);
        return out;
    };
    const std::string port = link.Connect(ports.remembered, ports.listed);
    if (port.empty()) {
        out.message = msg::kNoRadioAnswer;
        out.noRadio = true;
        return out;
    }
    settings.PortName = port;

    const bool strict = mode == CRadioLink::kModeWrite;
    const CIdentifyResult identity =
        IdentifyRadio(link, ExpectedIdentity(settings, document, strict ? IdentityMode::Exact : IdentityMode::Accept));
    if (!identity.ok)
        return fail(identity.message, identity.argument);
    const CRadioIdentity& radio = identity.radio;
    const std::string radioRange = MakeRangeText(identity.range.lower, identity.range.upper);
    document.radioDataVersion = radio.firmware;
    if (strict && document.freqRange != radioRange)
        return fail(msg::kRangeOutsideRadio, radioRange);

    out.modelChanged = radio.modelId != document.modelId;
    out.rangeChanged = radioRange != document.freqRange;
    out.radioRange = identity.range;
    document = {radio.modelId, radio.modelName, radioRange, radio.signal, radio.firmware};

    if (link.SetRadioMode(mode) == 0)
        return fail(msg::kNoRadioAnswer);
    out.ok = true;
    return out;
}

void LeaveRadioMode(CRadioLink& link)
{
    link.Close();
}

CTransferResult ReadBaseBand(CRadioLink& link, CAdjustmentData& tuneData)
{
    for (const CRange& range : {kBaseBandFirst, kBaseBandSecond}) {
        std::array<std::uint8_t, CCodeplugTransfer::kBlockSize> bytes{};
        const auto part = std::span(bytes).first(range.last - range.first + 1);
        if (!link.ReadBlock(range.first, part))
            return Result(false, msg::kTuneReadFailed, range.first);
        tuneData.SetBytesAt(range.first, part);
    }
    return Result(true, msg::kTuneRead);
}

CTransferResult WriteBaseBand(CRadioLink& link, const CAdjustmentData& tuneData)
{
    Image sent{};
    tuneData.StoreToImage(sent);
    return WriteAndReadBack(link, sent, {kBaseBandFirst, kBaseBandSecond}, msg::kTuneWritten);
}

CTransferResult WriteTuneData(CRadioLink& link, const CAdjustmentData& tuneData, Image& image)
{
    tuneData.StoreToImage(image);
    return WriteAndReadBack(link, image, {kTuneData}, msg::kTuneWritten);
}

CTransferResult ReadFactoryModel(CRadioLink& link, const CPortChoice& ports, CRadioInfoData& info,
                                 CRadioIdentity& radio)
{
    if (link.Connect(ports.remembered, ports.listed).empty())
        return NoRadio();
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, radio))
        return Closed(link, Result(false, msg::kRadioIdentityFailed));
    if (link.SetRadioMode(CRadioLink::kModeRead) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    for (const auto& block : kFactoryReadBlocks) {
        std::array<std::uint8_t, 16> bytes{};
        const auto part = std::span(bytes).first(block.length);
        if (!link.ReadBlock(block.address, part))
            return Closed(link, Result(false, msg::kRadioReadFailed, block.address));
        info.SetBytesAt(block.address, part);
    }
    link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, Result(true, msg::kRadioReadDone));
}

CTransferResult WriteFactoryModel(CRadioLink& link, const CPortChoice& ports, const CRadioInfoData& info)
{
    if (link.Connect(ports.remembered, ports.listed).empty())
        return NoRadio();
    CRadioIdentity radio;
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, radio))
        return Closed(link, Result(false, msg::kRadioIdentityFailed));
    if (link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    Image sent{};
    info.StoreToImage(sent);
    std::copy(CRadioInfoData::kFactoryMarker.begin(), CRadioInfoData::kFactoryMarker.end(),
              sent.begin() + kFactoryMarker.first);
    const CTransferResult written = WriteAndReadBack(link, sent, kFactoryWriteRanges, msg::kRadioWriteDone);
    if (written.ok)
        link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, written);
}

CTransferResult WriteTuneSwitch(CRadioLink& link, const CPortChoice& ports, bool open)
{
    if (link.Connect(ports.remembered, ports.listed).empty())
        return NoRadio();
    Image sent{};
    const auto word = std::span(sent).subspan(kTuneSwitch.first, CCodeplugTransfer::kTuneSwitchSize);
    if (!link.ReadBlock(kTuneSwitch.first, word))
        return Closed(link, Result(false, msg::kRadioReadFailed, kTuneSwitch.first));
    word[1] = static_cast<std::uint8_t>(open ? (word[1] | kTuneSwitchMask) : (word[1] & ~kTuneSwitchMask));
    if (link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    const CTransferResult written = WriteAndReadBack(link, sent, {kTuneSwitch}, msg::kTuneWritten);
    if (written.ok)
        link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, written);
}

} // namespace qrv
