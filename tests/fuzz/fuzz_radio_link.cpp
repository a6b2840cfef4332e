// The radio's replies as the radio link decodes them: the frames, the
// identity and range block, the codeplug blocks of a whole Read and of a
// Write with its read-back, the message block and the tune data, all from a
// radio that answers with the fuzz input. A session must end, never crash,
// and leave the port closed; what it read must be loadable.
#include "fuzz_radio_port.h"
#include "fuzz_support.h"
#include "radio_data/radio_data.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/factory_link.h"
#include "radio_link/identify.h"
#include "radio_link/message_transfer.h"
#include "sim_link.h"

#include <cstdlib>
#include <memory>

namespace {

using namespace qrv;

constexpr std::uint8_t kFactoryFlag = 0x80;
constexpr std::size_t kMaxTuneItems = 8;
const CPortChoice kPorts{"fuzz", {}};
const std::tm kWhen{};

enum Session : std::uint8_t { kRead, kWrite, kMessages, kTuneData, kFactoryModel, kIdentify, kSessionCount };

void ReadCodeplug(CRadioLink& link, CSettings& settings)
{
    Image image{};
    CRadioData data(settings);
    CCodeplugTransfer transfer(CCodeplugTransfer::Direction::Read, link, settings, data.Identity(), image);
    if (!transfer.Prepare(kPorts, kWhen).ok)
        return;
    if (!transfer.Run({}).ok)
        return;
    CTransferResult done;
    done.ok = true;
    transfer.ApplyTo(done, data.Identity());
    data.GetImage() = image;
    data.LoadFromImage(data.GetImage());
    data.CheckAll();
}

void WriteCodeplug(CRadioLink& link, CSettings& settings)
{
    CRadioData data(settings);
    data.StoreToImage(data.GetImage());
    CCodeplugTransfer transfer(CCodeplugTransfer::Direction::Write, link, settings, data.Identity(), data.GetImage());
    if (transfer.Prepare(kPorts, kWhen).ok)
        transfer.Run({});
}

void ReadMessages(CRadioLink& link, CSettings& settings)
{
    CDocumentIdentity document = settings.RememberedModel();
    CMessageTransfer transfer(link, settings, document);
    MessageBlock block{};
    const bool read = transfer.Read(kPorts, block).ok;
    transfer.ApplyTo(document, settings);
    if (!read)
        return;
    CEmbeddedMessageData messages;
    if (!messages.SetBlock(block))
        std::abort();
    for (std::size_t i = 0; i < CEmbeddedMessageData::kMessageCount; ++i)
        messages.Message(i);
    messages.Password();
}

void ReadTuneData(CRadioLink& link, CSettings& settings, fuzz::CInput& input)
{
    CDocumentIdentity document = settings.RememberedModel();
    if (!EnterRadioMode(link, settings, document, kPorts, CRadioLink::kModeAdjust).ok)
        return;
    const std::size_t items = input.Byte() % kMaxTuneItems;
    for (std::size_t i = 0; i < items; ++i) {
        std::array<std::uint8_t, 2> value{};
        const auto item = static_cast<std::uint16_t>(input.Byte());
        if (i % 2 == 0)
            link.ReadTuneValue(item, value);
        else
            link.ReadTuneValueAlt(item, value);
    }
    CAdjustmentData tuneData;
    ReadBaseBand(link, tuneData);
    LeaveRadioMode(link);
}

void ReadFactory(CRadioLink& link)
{
    CRadioInfoData info;
    CRadioIdentity radio;
    ReadFactoryModel(link, kPorts, info, radio);
}

void Identify(CRadioLink& link, CSettings& settings)
{
    if (link.Connect(kPorts.remembered, kPorts.listed).empty())
        return;
    const CIdentifyResult identity =
        IdentifyRadio(link, ExpectedIdentity(settings, settings.RememberedModel(), IdentityMode::Accept));
    if (identity.ok && (identity.range.lower < 136 || identity.range.upper < 136))
        std::abort(); // the decoder's own floor
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CInput input({data, size});
    const std::uint8_t choice = input.Byte();
    CSettings& settings = fuzz::Settings(false, (choice & kFactoryFlag) != 0);
    CRadioLink link(std::make_unique<fuzz::CFuzzRadioPort>(input));
    link.SetTiming(test::FastTiming()); // the port never waits: a short reply ends the wait

    switch (static_cast<Session>((choice & ~kFactoryFlag) % kSessionCount)) {
    case kRead:
        ReadCodeplug(link, settings);
        break;
    case kWrite:
        WriteCodeplug(link, settings);
        break;
    case kMessages:
        ReadMessages(link, settings);
        break;
    case kTuneData:
        ReadTuneData(link, settings, input);
        break;
    case kFactoryModel:
        ReadFactory(link);
        break;
    case kIdentify:
    case kSessionCount:
        Identify(link, settings);
        break;
    }
    link.Close();
    if (link.IsOpen())
        std::abort();
    return 0;
}
