#include "records/channel_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "radio_data/settings.h"
#include "records/personality_data.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

struct CDefaultChannel {
    std::uint32_t units;       // frequency in 10 Hz
    std::uint16_t ctcssTenths; // receive and transmit CTCSS tone
};

constexpr std::array<CDefaultChannel, CChannelData::kMaxChannels> kDefaultChannels{{
    {44600625, 948},
    {44601875, 974},
    {44603125, 1000},
    {44604375, 1035},
    {44605625, 1072},
    {44606875, 1109},
    {44608125, 1148},
    {44609375, 1188},
    {44600625, 1230},
    {44601875, 1273},
    {44603125, 1318},
    {44604375, 1365},
    {44605625, 1413},
    {44606875, 1462},
    {44608125, 1514},
    {44609375, 1567},
}};
constexpr std::size_t kAutoStartScanChannel = 15;
constexpr std::uint8_t kListEnd = 0xFF;

void ShowTone(std::uint16_t word, std::uint8_t& type, CToneLookup& ctcss, CToneLookup& cdcss)
{
    const CToneWord tone(word);
    type = tone.Type();
    ctcss = tone.IsCtcss() ? LookupOfWord(word) : UnusedCtcss();
    cdcss = tone.IsCdcss() ? LookupOfWord(word) : UnusedCdcss();
}

// A tone that is not in the table keeps the code the record holds: the
// windows and CSV refuse typed tones outside the tables, so such a look-up
// only ever stands for a stored code that the user did not change.
std::uint16_t StoreTone(std::uint16_t word, std::uint8_t type, const CToneLookup& ctcss, const CToneLookup& cdcss)
{
    CToneWord tone(word);
    tone.SetType(type);
    const CToneLookup& lookup = tone.IsCtcss() ? ctcss : cdcss;
    if ((tone.IsCtcss() || tone.IsCdcss()) && !lookup.notInTable)
        tone.SetLookup(lookup);
    return tone.Word();
}

bool HasReceiveFrequency(std::span<const std::uint8_t> record)
{
    return GetLe32(record, CChannelData::kRxFrequencyOffset) != kNoFrequency;
}

} // namespace

CChannelData::CChannelData(std::size_t n)
{
    const CDefaultChannel& entry = kDefaultChannels[n % kDefaultChannels.size()];
    m_record.fill(0xFF);
    std::uint32_t units = entry.units;
    const std::uint8_t step = ApplyRaster(units);
    const std::uint32_t word = FrequencyWordFromUnits(units);
    SetRxFrequency(word);
    SetTxFrequency(word);
    SetRxStepCode(step);
    SetTxStepCode(step);
    // Only the type, index and not-in-table bits are set; bit 12 keeps the fill.
    CToneWord tone(RxTone());
    tone.SetType(CToneWord::kTypeCtcss);
    tone.SetLookup(FindCtcss(entry.ctcssTenths));
    SetRxTone(tone.Word());
    SetTxTone(tone.Word());
    m_record[kSpacingPowerByte] = 0;
    m_record[kPersonalityByte] = 0;
    m_record[kFlagsByte] = (n == kAutoStartScanChannel) ? kAutoStartScanBit : 0;
}

CChannelData::CChannelData(std::span<const std::uint8_t, kRecordSize> record)
{
    std::copy(record.begin(), record.end(), m_record.begin());
    SetValid(HasReceiveFrequency(m_record));
}

void CChannelData::SetLinks(std::uint16_t previous, std::uint16_t next)
{
    PutLe16(m_record, kPreviousOffset, previous);
    PutLe16(m_record, kNextOffset, next);
}

void CChannelData::ResolvePersonality(const std::vector<std::unique_ptr<CPersonalityData>>& personalities)
{
    const std::size_t position = PersonalityPosition();
    m_personalityId = 0;
    if (position < personalities.size() && personalities[position] && personalities[position]->IsValid())
        m_personalityId = personalities[position]->TreeId();
}

CToneLookup UnusedCtcss()
{
    return CtcssFromText(kUnusedCtcssText);
}

CToneLookup UnusedCdcss()
{
    return CdcssFromText(kUnusedCdcssText);
}

void CChannelData::FillEditRecord(CChannelEditRecord& edit) const
{
    edit.spacing = Spacing();
    edit.power = Power();
    edit.rxFrequency = RxFrequency();
    edit.txFrequency = TxFrequency();
    ShowTone(RxTone(), edit.rxType, edit.rxCtcss, edit.rxCdcss);
    ShowTone(TxTone(), edit.txType, edit.txCtcss, edit.txCdcss);
    edit.rxStepCode = RxStepCode();
    edit.txStepCode = TxStepCode();
    edit.personalityPosition = PersonalityPosition();
    edit.autoStartScan = AutoStartScan() ? 1 : 0;
}

bool CChannelData::TakeEditRecord(const CChannelEditRecord& edit, const CBand& band)
{
    SetSpacing(edit.spacing);
    SetPower(edit.power);

    bool clamped = false;
    std::uint32_t rx = edit.rxFrequency;
    std::uint32_t tx = edit.txFrequency;
    if (rx == kNoFrequency) {
        tx = kNoFrequency;
    } else if (tx != kNoFrequency) {
        rx = ClampFrequencyWord(rx, band.lower, band.upper, clamped);
        tx = ClampFrequencyWord(tx, band.lower, band.upper, clamped);
    }
    SetRxFrequency(rx);
    SetTxFrequency(tx);
    SetValid(rx != kNoFrequency);

    SetRxTone(StoreTone(RxTone(), edit.rxType, edit.rxCtcss, edit.rxCdcss));
    SetTxTone(StoreTone(TxTone(), edit.txType, edit.txCtcss, edit.txCdcss));
    SetRxStepCode(edit.rxStepCode);
    SetTxStepCode(edit.txStepCode);
    return clamped;
}

void CChannelData::CopyReceiveToTransmit()
{
    SetTxFrequency(RxFrequency());
    SetTxStepCode(RxStepCode());
    // The tone itself; the transmit word's carried bit stays its own.
    const CToneWord rx(RxTone());
    CToneWord tx(TxTone());
    tx.SetType(rx.Type());
    tx.SetIndex(rx.Index());
    tx.SetNotInTable(rx.NotInTable());
    SetTxTone(tx.Word());
}

void CChannelData::Check(const CNotification& n, std::size_t position1Based,
                         const std::vector<std::unique_ptr<CPersonalityData>>& personalities, CInvalidLog& log,
                         const CSettings& settings) const
{
    if (!n.ChecksReferences())
        return;
    const auto it = std::find_if(personalities.begin(), personalities.end(),
                                 [this](const auto& p) { return p && p->TreeId() == m_personalityId; });
    if (it != personalities.end() && (*it)->IsValid())
        return;
    const std::string position =
        settings.GetText(kViewText) + Format(" - %u : ", static_cast<unsigned>(position1Based));
    log.Add({kPersonalityControl, settings.GetText(kPersonalityTitleText), position + settings.GetText(kMiscPageText),
             CheckKey()});
}

void CChannelData::WithdrawCheckEntries(CInvalidLog& log) const
{
    log.Remove(CheckKey());
}

void LoadChannelTable(const Image& image, std::uint16_t listHead, std::vector<std::unique_ptr<CChannelData>>& channels)
{
    using C = CChannelData;
    channels.clear();
    if (listHead < C::kTableStart || listHead > C::kTableEnd) {
        channels.push_back(std::make_unique<C>(std::size_t{0}));
        return;
    }
    // The records are read one after another from 0x580; the link words only
    // decide whether to go on, and the count keeps the reads inside the table.
    std::size_t offset = C::kTableStart;
    for (;;) {
        channels.push_back(
            std::make_unique<C>(std::span<const std::uint8_t, C::kRecordSize>(image.data() + offset, C::kRecordSize)));
        const C& current = *channels.back();
        const std::uint16_t next = current.NextLink();
        if (next < C::kTableStart || next > C::kTableEnd || next == listHead ||
            current.PersonalityPosition() == kListEnd || channels.size() >= C::kMaxChannels)
            break;
        offset += C::kRecordSize;
    }
}

void StoreChannelTable(Image& image, const std::vector<std::unique_ptr<CChannelData>>& channels,
                       std::uint16_t& listHead)
{
    using C = CChannelData;
    const std::size_t count = std::min(channels.size(), C::kMaxChannels);
    if (count == 0)
        return;
    listHead = C::kTableStart;
    const auto address = [](std::size_t i) { return static_cast<std::uint16_t>(C::kTableStart + C::kRecordSize * i); };
    for (std::size_t i = 0; i < count; ++i) {
        C& channel = *channels[i];
        const std::uint16_t previous = i == 0 ? address(count - 1) : address(i - 1);
        const std::uint16_t next = i + 1 == count ? C::kTableStart : address(i + 1);
        channel.SetLinks(previous, next);
        std::copy(channel.Record().begin(), channel.Record().end(), image.begin() + address(i));
    }
}

void MakeDefaultChannels(std::vector<std::unique_ptr<CChannelData>>& channels)
{
    channels.clear();
    for (std::size_t n = 0; n < CChannelData::kMaxChannels; ++n)
        channels.push_back(std::make_unique<CChannelData>(n));
}

} // namespace qrv
