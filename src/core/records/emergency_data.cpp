#include "records/emergency_data.h"

#include "radio_data/invalid_log.h"
#include "radio_data/notification.h"
#include "radio_data/settings.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::uint8_t kCodeStar = 0xE;
constexpr std::uint8_t kCodeHash = 0xF;
constexpr std::uint8_t kNoEntry = 0xFF;
constexpr int kIdTypeCall = 1;        // an ID type that sends no polite repeats
constexpr int kSendModeForCalls = 0;  // ID type 1
constexpr int kSendModeForIds = 1;    // ID type 2 and above
constexpr int kCyclesModeCounted = 2; // "a number of cycles": the count edit applies

const CDataRecord* RecordAt(const CRecordRefs& records, std::size_t index)
{
    return index < records.size() ? records[index] : nullptr;
}

bool HasValidRecord(const CRecordRefs& records, std::uint32_t id)
{
    return std::any_of(records.begin(), records.end(),
                       [id](const CDataRecord* r) { return r != nullptr && r->IsValid() && r->TreeId() == id; });
}

std::uint8_t ByteValue(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF));
}

} // namespace

void CEmergencyData::SetDefaults()
{
    m_block = kDefaultBlock;
    m_revertChannelId = 0;
    m_signallingSystemId = 0;
}

void CEmergencyData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
    m_revertChannelId = 0;
    m_signallingSystemId = 0;
}

void CEmergencyData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

bool CEmergencyData::SetField(std::size_t offset, std::uint8_t mask, unsigned value)
{
    if (value > GetBits(0xFF, mask))
        return false;
    m_block[offset] = SetBits(m_block[offset], mask, value);
    return true;
}

void CEmergencyData::ResolveReferences(const CRecordRefs& channels, const CRecordRefs& dtmfSystems)
{
    m_revertChannelId = 0;
    if (const std::uint8_t position = RevertChannelPosition(); position != 0) {
        const CDataRecord* channel = RecordAt(channels, position - 1u);
        if (channel != nullptr && channel->IsValid())
            m_revertChannelId = channel->TreeId();
    }
    m_signallingSystemId = 0;
    if (IdType() == kIdTypeDigits) {
        const CDataRecord* system = RecordAt(dtmfSystems, SignallingPosition());
        if (system != nullptr && system->IsValid())
            m_signallingSystemId = system->TreeId();
    }
}

void CEmergencyData::Check(const CNotification& notification, const CRecordRefs& channels,
                           const CRecordRefs& dtmfSystems, CInvalidLog& log, const CSettings& settings) const
{
    if (!notification.ChecksReferences())
        return;
    if (m_revertChannelId != 0 && !HasValidRecord(channels, m_revertChannelId))
        log.Add({kRevertChannelCombo, settings.GetText(kRevertChannelTitle), settings.GetText(kCheckText),
                 kRevertChannelKey});
    else
        log.Remove(kRevertChannelKey);
    // Other ID types send no DTMF digits and are not checked.
    if (IdType() == kIdTypeDigits && m_signallingSystemId != 0 && !HasValidRecord(dtmfSystems, m_signallingSystemId))
        log.Add({kSignallingCombo, settings.GetText(kSignallingTitle), settings.GetText(kCheckText), kSignallingKey});
    else
        log.Remove(kSignallingKey);
}

void CEmergencyData::WithdrawCheckEntries(CInvalidLog& log) const
{
    log.Remove(kRevertChannelKey);
    log.Remove(kSignallingKey);
}

std::string CEmergencyData::GetIdText() const
{
    const std::size_t length = std::min<std::size_t>(IdLength(), kIdDigitBytes);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t code = m_block[kIdDigitsOffset + i];
        if (code == kCodeStar)
            text += '*';
        else if (code == kCodeHash)
            text += '#';
        else
            text += Format("%X", static_cast<unsigned>(code));
    }
    return text;
}

bool CEmergencyData::SetIdText(std::string_view text)
{
    const std::string_view digits = text.substr(0, std::min(text.size(), kMaxDigitIdLength));
    std::array<std::uint8_t, kMaxDigitIdLength> codes{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        if (c >= '0' && c <= '9')
            codes[i] = static_cast<std::uint8_t>(c - '0');
        else if (c == '*')
            codes[i] = kCodeStar;
        else if (c == '#')
            codes[i] = kCodeHash;
        else
            return false;
    }
    std::copy_n(codes.begin(), digits.size(), m_block.begin() + kIdDigitsOffset);
    m_block[kIdLengthOffset] = static_cast<std::uint8_t>(digits.size());
    return true;
}

std::string CEmergencyData::IdTextForType() const
{
    const std::uint8_t* id = &m_block[kIdDigitsOffset];
    if (IdType() == kIdTypeFourDigits) {
        // Four digits of 1-D (first) or 1-E (others); the radio has no digit 0.
        unsigned value = GetLe16(m_block, kIdDigitsOffset);
        unsigned shown = 0;
        for (int nibble = 3; nibble >= 0; --nibble) {
            unsigned digit = (value >> (4 * nibble)) & 0xF;
            digit = std::min(digit, nibble == 3 ? 0xDu : 0xEu);
            if (digit == 0)
                digit = 1;
            shown = (shown << 4) | digit;
        }
        return Format("%04X", shown);
    }
    if (IdType() == kIdTypeSixDigits)
        return Format("%02d", id[0] & 0xF) +
               Format("%04X", static_cast<unsigned>(GetLe16(m_block, kIdDigitsOffset + 1)));
    return GetIdText();
}

std::uint8_t CEmergencyData::IdLengthFor(std::uint8_t idType, std::size_t digitCount)
{
    switch (idType) {
    case kIdTypeDigits:
        return static_cast<std::uint8_t>(std::min(digitCount, kMaxDigitIdLength));
    case kIdTypeFourDigits:
        return kFourDigitIdLength;
    case kIdTypeSixDigits:
        return kSixDigitIdLength;
    default:
        return kOtherIdLength;
    }
}

void CEmergencyEditRecord::Fill(const CEmergencyData& data, const CSettings& settings)
{
    using E = CEmergencyData;
    longPressDuration = data.LongPressDuration();
    revertChannelPosition = data.RevertChannelPosition();
    revertChannelId = data.RevertChannelId();
    powerSwitch = data.PowerSwitch();
    secret = data.Secret();
    backgroundTone = data.BackgroundTone();
    sendMode = settings.GetItemText(E::kSendModeCombo, data.SendMode());
    idType = settings.GetItemText(E::kIdTypeCombo, data.IdType());
    impoliteSendTimes = settings.GetItemText(E::kImpoliteTimesCombo, data.ImpoliteSendTimes());
    politeSendTimes = settings.GetItemText(E::kPoliteTimesCombo, data.PoliteSendTimes());
    alarmMode = settings.GetItemText(E::kAlarmModeCombo, data.AlarmMode());
    alarmCyclesMode = settings.GetItemText(E::kAlarmCyclesModeCombo, data.AlarmCyclesMode());
    voiceCyclesMode = settings.GetItemText(E::kVoiceCyclesModeCombo, data.VoiceCyclesMode());
    squelchMode = settings.GetItemText(E::kSquelchModeCombo, data.SquelchMode());
    idText = data.IdTextForType();
    signallingPosition = data.SignallingPosition();
    signallingSystemId = data.SignallingSystemId();
    alarmCycles = data.AlarmCycles();
    alarmDuration = data.AlarmDuration();
    voiceCycles = data.VoiceCycles();
    txDuration = data.TxDuration();
    rxDuration = data.RxDuration();
}

bool CEmergencyEditRecord::Take(CEmergencyData& data, const CSettings& settings) const
{
    using E = CEmergencyData;
    bool ok = true;
    // A bit field keeps its value when the text matches no entry or does not fit.
    const auto takeBits = [&](int list, const std::string& text, bool (E::*set)(unsigned)) {
        const auto entry = settings.GetItemByte(list, text);
        if (!entry || !(data.*set)(*entry))
            ok = false;
    };
    const auto entryByte = [&](int list, const std::string& text) {
        const auto entry = settings.GetItemByte(list, text);
        ok = ok && entry.has_value();
        return entry.value_or(kNoEntry);
    };

    data.SetLongPressDuration(ByteValue(longPressDuration));
    data.SetRevertChannelPosition(ByteValue(revertChannelPosition));
    data.SetRevertChannelId(revertChannelId);
    data.SetPowerSwitch(powerSwitch);
    data.SetSecret(secret);
    data.SetBackgroundTone(backgroundTone);
    takeBits(E::kSendModeCombo, sendMode, &E::SetSendMode);
    takeBits(E::kIdTypeCombo, idType, &E::SetIdType);
    if (!data.SetSignallingPosition(static_cast<unsigned>(std::max(signallingPosition, 0))))
        ok = false;
    data.SetSignallingSystemId(signallingSystemId);
    data.SetImpoliteSendTimes(entryByte(E::kImpoliteTimesCombo, impoliteSendTimes));
    data.SetPoliteSendTimes(entryByte(E::kPoliteTimesCombo, politeSendTimes));
    takeBits(E::kAlarmModeCombo, alarmMode, &E::SetAlarmMode);
    takeBits(E::kAlarmCyclesModeCombo, alarmCyclesMode, &E::SetAlarmCyclesMode);
    takeBits(E::kVoiceCyclesModeCombo, voiceCyclesMode, &E::SetVoiceCyclesMode);
    takeBits(E::kSquelchModeCombo, squelchMode, &E::SetSquelchMode);
    data.SetAlarmCycles(ByteValue(alarmCycles));
    data.SetAlarmDuration(ByteValue(alarmDuration));
    data.SetVoiceCycles(ByteValue(voiceCycles));
    data.SetTxDuration(ByteValue(txDuration));
    data.SetRxDuration(ByteValue(rxDuration));

    // The ID follows the stored type: typed digits for type 2, types 3 and 4
    // keep their bytes, any other type has no digits of its own.
    const std::uint8_t type = data.IdType();
    std::size_t digits = 0;
    if (type == E::kIdTypeDigits) {
        if (!data.SetIdText(idText))
            ok = false;
        digits = data.IdLength();
    }
    data.SetIdLength(E::IdLengthFor(type, digits));
    return ok;
}

int SpinEmergencyValue(int value, int step, int minimum, int maximum, bool up)
{
    if (minimum > maximum)
        return value;
    const long long stride = step > 0 ? step : 1;
    long long next = static_cast<long long>(value) + (up ? stride : -stride);
    if (up && next > maximum)
        next = minimum;
    else if (!up && next < minimum)
        next = maximum;
    return static_cast<int>(std::clamp<long long>(next, minimum, maximum));
}

bool CEmergencyEnabling::IsEnabled(int control) const
{
    const auto it = controls.find(control);
    return it == controls.end() || it->second;
}

CEmergencyEnabling EmergencyEnablingRules(int idType, int alarmMode, int alarmCyclesMode, int voiceCyclesMode)
{
    using E = CEmergencyData;
    CEmergencyEnabling r;
    auto& c = r.controls;

    const bool alarm = alarmMode != 0;
    for (const int id : {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo})
        c[id] = alarm;
    for (const int id : {E::kAlarmCyclesEdit, E::kAlarmCyclesSpin})
        c[id] = alarm && alarmCyclesMode == kCyclesModeCounted;

    const bool voice = voiceCyclesMode != 0;
    for (const int id : {E::kSquelchModeCombo, E::kTxDurationEdit, E::kTxDurationSpin, E::kRxDurationEdit,
                         E::kRxDurationSpin, E::kBackgroundToneCheck})
        c[id] = voice;
    for (const int id : {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin})
        c[id] = voice && voiceCyclesMode == kCyclesModeCounted;

    const bool sendsId = idType != E::kIdTypeNone;
    for (const int id : {E::kIdEdit, E::kImpoliteTimesCombo, E::kSendModeCombo, E::kSignallingCombo})
        c[id] = sendsId;
    c[E::kPoliteTimesCombo] = sendsId && idType != kIdTypeCall;
    if (idType == kIdTypeCall)
        r.sendMode = kSendModeForCalls;
    else if (sendsId)
        r.sendMode = kSendModeForIds;
    return r;
}

std::vector<CComboLine> RevertChannelLines(const CRecordRefs& channels, const CSettings& settings)
{
    std::vector<CComboLine> lines{{settings.GetText(CEmergencyData::kRevertChannelCombo), 0}};
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (channels[i] != nullptr && channels[i]->IsValid())
            lines.push_back({Format("%d", static_cast<int>(i + 1)), channels[i]->TreeId()});
    return lines;
}

int ChannelPositionOf(std::uint32_t id, const CRecordRefs& channels)
{
    if (id == 0)
        return 0;
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (channels[i] != nullptr && channels[i]->TreeId() == id)
            return static_cast<int>(i + 1);
    return 0;
}

std::vector<CComboLine> IdTypeLinesFor(std::vector<CComboLine> lines, int signallingType)
{
    long long removed = -1;
    if (signallingType == 1)
        removed = CEmergencyData::kIdTypeFourDigits;
    else if (signallingType == 2)
        removed = CEmergencyData::kIdTypeDigits;
    std::erase_if(lines, [removed](const CComboLine& line) { return line.data == removed; });
    return lines;
}

} // namespace qrv
