#include "radio_link/factory_link.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/identify.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment.h"
#include "records/radio_info.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

constexpr std::uint32_t kBaseBandFirst = 0x3E9;
constexpr std::uint16_t kBaseBandFirstLength = 16;
constexpr std::uint32_t kBaseBandSecond = 0x3F9;
constexpr std::uint16_t kBaseBandSecondLength = 7;
constexpr std::uint32_t kTuneDataFirst = 0x340;
constexpr std::uint32_t kTuneDataLast = 0x3FF;
constexpr std::uint32_t kTuneSwitchAddress = 0x127;
constexpr std::uint8_t kTuneSwitchMask = 0x08;

struct CFactoryBlock {
    std::uint32_t address;
    std::uint16_t length;
};
constexpr std::array<CFactoryBlock, 3> kFactoryReadBlocks{{{0x010, 16}, {0x028, 8}, {0x048, 16}}};
constexpr CFactoryBlock kFactoryMarker{0x068, 4};
constexpr std::array<CFactoryBlock, 3> kFactoryWriteBlocks{{{0x010, 16}, {0x028, 8}, {0x06C, 12}}};

CTransferResult Result(bool ok, int message, std::uint32_t address = 0)
{
    CTransferResult r;
    r.ok = ok;
    r.message = message;
    r.address = address;
    return r;
}

CTransferResult Closed(CRadioLink& link, CTransferResult result)
{
    link.Close();
    return result;
}

// A failure after the radio took another mode: it goes back to mode 1 before the port closes.
CTransferResult Left(CRadioLink& link, CTransferResult result)
{
    link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, std::move(result));
}

std::span<const std::uint8_t> InfoBytes(const CRadioInfoData& info, const CFactoryBlock& block)
{
    return std::span<const std::uint8_t>(info.Block())
        .subspan(block.address - CRadioInfoData::kImageOffset, block.length);
}

} // namespace

CEnterModeResult EnterRadioMode(CRadioLink& link, CSettings& settings, const CPortChoice& ports, std::uint16_t mode)
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
    const CIdentifyResult identity = IdentifyRadio(link, settings, strict ? IdentityMode::Exact : IdentityMode::Accept);
    if (!identity.ok)
        return fail(identity.message, identity.argument);
    const CRadioIdentity& radio = identity.radio;
    const std::string radioRange = MakeRangeText(identity.range.lower, identity.range.upper);
    if (strict && settings.FreqRange != radioRange)
        return fail(msg::kRangeOutsideRadio, radioRange);

    out.modelChanged = radio.modelId != settings.ModelID;
    out.rangeChanged = radioRange != settings.FreqRange;
    out.radioRange = identity.range;
    settings.ModelID = radio.modelId;
    settings.ModelName = radio.modelName;
    settings.Signal = radio.signal;
    settings.RadioDataVersion = radio.firmware;
    settings.FreqRange = radioRange;

    if (link.SetRadioMode(mode) == 0)
        return fail(msg::kNoRadioAnswer);
    out.ok = true;
    return out;
}

void LeaveRadioMode(CRadioLink& link)
{
    if (link.IsOpen())
        link.SetRadioMode(CRadioLink::kModeNormal);
    link.Close();
}

CTransferResult ReadBaseBand(CRadioLink& link, CAdjustmentData& tuneData)
{
    std::array<std::uint8_t, kBaseBandFirstLength> first{};
    std::array<std::uint8_t, kBaseBandSecondLength> second{};
    if (!link.ReadBlock(kBaseBandFirst, first))
        return Result(false, msg::kTuneReadFailed, kBaseBandFirst);
    tuneData.SetBytesAt(kBaseBandFirst, first);
    if (!link.ReadBlock(kBaseBandSecond, second))
        return Result(false, msg::kTuneReadFailed, kBaseBandSecond);
    tuneData.SetBytesAt(kBaseBandSecond, second);
    return Result(true, msg::kTuneRead);
}

CTransferResult WriteBaseBand(CRadioLink& link, const CAdjustmentData& tuneData)
{
    link.WriteBlock(kBaseBandFirst, tuneData.BytesAt(kBaseBandFirst, kBaseBandFirstLength));
    if (!link.WriteBlock(kBaseBandSecond, tuneData.BytesAt(kBaseBandSecond, kBaseBandSecondLength)))
        return Result(false, msg::kTuneWriteFailed, kBaseBandSecond);
    return Result(true, msg::kTuneWritten);
}

CTransferResult WriteTuneData(CRadioLink& link, const CAdjustmentData& tuneData, Image& image)
{
    tuneData.StoreToImage(image);
    for (const auto& [address, length] : CCodeplugTransfer::Blocks({kTuneDataFirst, kTuneDataLast}))
        if (!link.WriteBlock(address, std::span<const std::uint8_t>(image).subspan(address, length)))
            return Result(false, msg::kRadioWriteFailed, address);
    return Result(true, msg::kTuneWritten);
}

CTransferResult ReadFactoryModel(CRadioLink& link, const CPortChoice& ports, CRadioInfoData& info,
                                 CRadioIdentity& radio)
{
    if (link.Connect(ports.remembered, ports.listed).empty()) {
        CTransferResult r = Result(false, msg::kNoRadioAnswer);
        r.noRadio = true;
        return r;
    }
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, radio))
        return Closed(link, Result(false, msg::kRadioIdentityFailed));
    if (link.SetRadioMode(CRadioLink::kModeRead) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    for (const auto& block : kFactoryReadBlocks) {
        std::array<std::uint8_t, 16> bytes{};
        const auto part = std::span(bytes).first(block.length);
        if (!link.ReadBlock(block.address, part))
            return Left(link, Result(false, msg::kRadioReadFailed, block.address));
        info.SetBytesAt(block.address, part);
    }
    link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, Result(true, msg::kRadioReadDone));
}

CTransferResult WriteFactoryModel(CRadioLink& link, const CPortChoice& ports, const CRadioInfoData& info)
{
    if (link.Connect(ports.remembered, ports.listed).empty()) {
        CTransferResult r = Result(false, msg::kNoRadioAnswer);
        r.noRadio = true;
        return r;
    }
    CRadioIdentity radio;
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, radio))
        return Closed(link, Result(false, msg::kRadioIdentityFailed));
    if (link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    const auto write = [&link](const CFactoryBlock& block, std::span<const std::uint8_t> bytes) {
        return link.WriteBlock(block.address, bytes);
    };
    for (std::size_t i = 0; i < kFactoryWriteBlocks.size(); ++i) {
        // The marker goes between the second and the third block.
        if (i == 2 && !write(kFactoryMarker, CRadioInfoData::kFactoryMarker))
            return Left(link, Result(false, msg::kRadioWriteFailed, kFactoryMarker.address));
        const auto& block = kFactoryWriteBlocks[i];
        if (!write(block, InfoBytes(info, block)))
            return Left(link, Result(false, msg::kRadioWriteFailed, block.address));
    }
    link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, Result(true, msg::kRadioWriteDone));
}

CTransferResult WriteTuneSwitch(CRadioLink& link, const CPortChoice& ports, bool open)
{
    if (link.Connect(ports.remembered, ports.listed).empty()) {
        CTransferResult r = Result(false, msg::kNoRadioAnswer);
        r.noRadio = true;
        return r;
    }
    std::array<std::uint8_t, 2> word{};
    if (!link.ReadBlock(kTuneSwitchAddress, word))
        return Closed(link, Result(false, msg::kRadioReadFailed, kTuneSwitchAddress));
    word[1] = static_cast<std::uint8_t>(open ? (word[1] | kTuneSwitchMask) : (word[1] & ~kTuneSwitchMask));
    if (link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return Closed(link, Result(false, msg::kNoRadioAnswer));
    const bool written = link.WriteBlock(kTuneSwitchAddress, word);
    link.SetRadioMode(CRadioLink::kModeNormal);
    return Closed(link, written ? Result(true, msg::kTuneWritten)
                                : Result(false, msg::kRadioWriteFailed, kTuneSwitchAddress));
}

} // namespace qrv
