#pragma once
// The emergency block (32 bytes at 0x250): the revert channel, the emergency
// identifier and how often it is sent, and the alarm and voice cycles.
//
// References: byte 1 names the revert channel by its 1-based position in the
// channel array (0 = none). Byte 3 bits 3-4 name a signalling system by its
// 0-based position in the DTMF system array; only ID type 2 (an ID made of
// DTMF digits) uses one, every other type refers to no signalling system.
#include "presentation/form_numbers.h"
#include "radio_data/data_record.h"
#include "radio_data/list_spec.h"
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CSettings;
class CInvalidLog;
struct CNotification;

class CEmergencyData : public CDataRecord {
public:
    static constexpr std::size_t kImageOffset = 0x250;
    static constexpr std::size_t kBlockSize = 32;

    // Block layout.
    static constexpr std::size_t kLongPressOffset = 0;
    static constexpr std::size_t kRevertChannelOffset = 1;
    static constexpr std::size_t kSwitchesOffset = 2;
    static constexpr std::uint8_t kPowerSwitchMask = 0x01;
    static constexpr std::uint8_t kSecretMask = 0x02;
    static constexpr std::uint8_t kSendModeMask = 0x04;
    static constexpr std::size_t kIdTypeOffset = 3;
    static constexpr std::uint8_t kIdTypeMask = 0x07;
    static constexpr std::uint8_t kSignallingPositionMask = 0x18;
    static constexpr std::size_t kIdDigitsOffset = 4;
    static constexpr std::size_t kIdDigitBytes = 8;
    static constexpr std::size_t kIdLengthOffset = 12;
    static constexpr std::size_t kImpoliteTimesOffset = 13;
    static constexpr std::size_t kPoliteTimesOffset = 14;
    static constexpr std::size_t kAlarmOffset = 15;
    static constexpr std::uint8_t kAlarmModeMask = 0x03;
    static constexpr std::uint8_t kAlarmCyclesModeMask = 0x0C;
    static constexpr std::size_t kAlarmCyclesOffset = 16;
    static constexpr std::size_t kAlarmDurationOffset = 17;
    static constexpr std::size_t kVoiceOffset = 18;
    static constexpr std::uint8_t kVoiceCyclesModeMask = 0x03;
    static constexpr std::size_t kVoiceCyclesOffset = 19;
    static constexpr std::size_t kSquelchOffset = 20;
    static constexpr std::uint8_t kSquelchModeMask = 0x03;
    static constexpr std::uint8_t kBackgroundToneMask = 0x04;
    static constexpr std::size_t kTxDurationOffset = 21;
    static constexpr std::size_t kRxDurationOffset = 22;

    // Emergency ID types (entries of list 7314) and their fixed ID lengths.
    static constexpr std::uint8_t kIdTypeNone = 0;
    static constexpr std::uint8_t kIdTypeDigits = 2;
    static constexpr std::uint8_t kIdTypeFourDigits = 3;
    static constexpr std::uint8_t kIdTypeSixDigits = 4;
    static constexpr std::size_t kMaxDigitIdLength = 4;
    static constexpr std::uint8_t kFourDigitIdLength = 4;
    static constexpr std::uint8_t kSixDigitIdLength = 6;
    static constexpr std::uint8_t kOtherIdLength = 8;

    // Control numbers; combos use the value list of the same number.
    static constexpr int kLongPressEdit = 7307;
    static constexpr int kRevertChannelCombo = 7310;
    static constexpr int kSendModeCombo = 7312;
    static constexpr int kIdTypeCombo = 7314;
    static constexpr int kSignallingCombo = 7318;
    static constexpr int kIdEdit = 7320;
    static constexpr int kImpoliteTimesCombo = 7322;
    static constexpr int kPoliteTimesCombo = 7324;
    static constexpr int kAlarmModeCombo = 7326;
    static constexpr int kAlarmDurationEdit = 7328;
    static constexpr int kAlarmDurationSpin = 7329;
    static constexpr int kAlarmCyclesModeCombo = 7331;
    static constexpr int kAlarmCyclesEdit = 7333;
    static constexpr int kAlarmCyclesSpin = 7334;
    static constexpr int kVoiceCyclesModeCombo = 7336;
    static constexpr int kVoiceCyclesEdit = 7338;
    static constexpr int kVoiceCyclesSpin = 7339;
    static constexpr int kSquelchModeCombo = 7341;
    static constexpr int kTxDurationEdit = 7343;
    static constexpr int kTxDurationSpin = 7344;
    static constexpr int kRxDurationEdit = 7346;
    static constexpr int kRxDurationSpin = 7347;
    static constexpr int kBackgroundToneCheck = 7348;
    static constexpr int kPowerSwitchCheck = 7349;

    // Invalid-log entries: the same fixed key adds and withdraws each one.
    static constexpr std::uint32_t kRevertChannelKey = 72845;
    static constexpr std::uint32_t kSignallingKey = 72853;
    static constexpr int kRevertChannelTitle = 7309;
    static constexpr int kSignallingTitle = 7317;
    static constexpr int kCheckText = form::kEmergency;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    static constexpr BlockBytes kDefaultBlock = {0x0A, 0x00, 0xF8, 0xE2, 0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF,
                                                 0xFF, 0x04, 0x0A, 0x0A, 0xF8, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14,
                                                 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    CEmergencyData() = default;

    // The default block; the references are cleared.
    void SetDefaults();
    // Copies the block; the references stay cleared until ResolveReferences.
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    const BlockBytes& Block() const { return m_block; }

    // The after-load step: turns the positions of bytes 1 and 3 into the
    // identities of the records they name (0 when the position is empty, out
    // of the array or names a record that is not valid).
    void ResolveReferences(const CRecordRefs& channels, const CRecordRefs& dtmfSystems);
    std::uint32_t RevertChannelId() const { return m_revertChannelId; }
    void SetRevertChannelId(std::uint32_t id) { m_revertChannelId = id; }
    std::uint32_t SignallingSystemId() const { return m_signallingSystemId; }
    void SetSignallingSystemId(std::uint32_t id) { m_signallingSystemId = id; }

    // Checks run on a notification of kind 5 only: a revert channel that no
    // valid channel has any more, and for ID type 2 a signalling system that
    // no valid DTMF system has. An entry whose fault is gone is withdrawn.
    void Check(const CNotification& notification, const CRecordRefs& channels, const CRecordRefs& dtmfSystems,
               CInvalidLog& log, const CSettings& settings) const;
    void WithdrawCheckEntries(CInvalidLog& log) const;

    // The ID as a type-2 text: one stored byte per character up to the length.
    std::string GetIdText() const;
    // Takes the first four characters of "0123456789*#" as digit codes from
    // byte 4 on and their count into byte 12; the later digit bytes are kept.
    // Any other character among them is refused (false), nothing changes.
    bool SetIdText(std::string_view text);
    // The ID as the page shows it for the stored ID type.
    std::string IdTextForType() const;
    // Byte 12 for an ID type: type 2 the digit count, type 3 four, type 4 six, others eight.
    static std::uint8_t IdLengthFor(std::uint8_t idType, std::size_t digitCount);

    std::uint8_t LongPressDuration() const { return m_block[kLongPressOffset]; }
    void SetLongPressDuration(std::uint8_t v) { m_block[kLongPressOffset] = v; }
    std::uint8_t RevertChannelPosition() const { return m_block[kRevertChannelOffset]; }
    void SetRevertChannelPosition(std::uint8_t position) { m_block[kRevertChannelOffset] = position; }
    bool PowerSwitch() const { return Field(kSwitchesOffset, kPowerSwitchMask) != 0; }
    void SetPowerSwitch(bool on) { SetField(kSwitchesOffset, kPowerSwitchMask, on ? 1 : 0); }
    bool Secret() const { return Field(kSwitchesOffset, kSecretMask) != 0; }
    void SetSecret(bool on) { SetField(kSwitchesOffset, kSecretMask, on ? 1 : 0); }
    std::uint8_t SendMode() const { return Field(kSwitchesOffset, kSendModeMask); }
    bool SetSendMode(unsigned entry) { return SetField(kSwitchesOffset, kSendModeMask, entry); }
    std::uint8_t IdType() const { return Field(kIdTypeOffset, kIdTypeMask); }
    bool SetIdType(unsigned entry) { return SetField(kIdTypeOffset, kIdTypeMask, entry); }
    std::uint8_t SignallingPosition() const { return Field(kIdTypeOffset, kSignallingPositionMask); }
    bool SetSignallingPosition(unsigned position) { return SetField(kIdTypeOffset, kSignallingPositionMask, position); }
    std::uint8_t IdLength() const { return m_block[kIdLengthOffset]; }
    void SetIdLength(std::uint8_t length) { m_block[kIdLengthOffset] = length; }
    std::uint8_t ImpoliteSendTimes() const { return m_block[kImpoliteTimesOffset]; }
    void SetImpoliteSendTimes(std::uint8_t v) { m_block[kImpoliteTimesOffset] = v; }
    std::uint8_t PoliteSendTimes() const { return m_block[kPoliteTimesOffset]; }
    void SetPoliteSendTimes(std::uint8_t v) { m_block[kPoliteTimesOffset] = v; }
    std::uint8_t AlarmMode() const { return Field(kAlarmOffset, kAlarmModeMask); }
    bool SetAlarmMode(unsigned entry) { return SetField(kAlarmOffset, kAlarmModeMask, entry); }
    std::uint8_t AlarmCyclesMode() const { return Field(kAlarmOffset, kAlarmCyclesModeMask); }
    bool SetAlarmCyclesMode(unsigned entry) { return SetField(kAlarmOffset, kAlarmCyclesModeMask, entry); }
    std::uint8_t AlarmCycles() const { return m_block[kAlarmCyclesOffset]; }
    void SetAlarmCycles(std::uint8_t v) { m_block[kAlarmCyclesOffset] = v; }
    std::uint8_t AlarmDuration() const { return m_block[kAlarmDurationOffset]; }
    void SetAlarmDuration(std::uint8_t v) { m_block[kAlarmDurationOffset] = v; }
    std::uint8_t VoiceCyclesMode() const { return Field(kVoiceOffset, kVoiceCyclesModeMask); }
    bool SetVoiceCyclesMode(unsigned entry) { return SetField(kVoiceOffset, kVoiceCyclesModeMask, entry); }
    std::uint8_t VoiceCycles() const { return m_block[kVoiceCyclesOffset]; }
    void SetVoiceCycles(std::uint8_t v) { m_block[kVoiceCyclesOffset] = v; }
    std::uint8_t SquelchMode() const { return Field(kSquelchOffset, kSquelchModeMask); }
    bool SetSquelchMode(unsigned entry) { return SetField(kSquelchOffset, kSquelchModeMask, entry); }
    bool BackgroundTone() const { return Field(kSquelchOffset, kBackgroundToneMask) != 0; }
    void SetBackgroundTone(bool on) { SetField(kSquelchOffset, kBackgroundToneMask, on ? 1 : 0); }
    std::uint8_t TxDuration() const { return m_block[kTxDurationOffset]; }
    void SetTxDuration(std::uint8_t v) { m_block[kTxDurationOffset] = v; }
    std::uint8_t RxDuration() const { return m_block[kRxDurationOffset]; }
    void SetRxDuration(std::uint8_t v) { m_block[kRxDurationOffset] = v; }

private:
    std::uint8_t Field(std::size_t offset, std::uint8_t mask) const { return GetBits(m_block[offset], mask); }
    // Refuses (false) a value wider than the field; the byte is then unchanged.
    bool SetField(std::size_t offset, std::uint8_t mask, unsigned value);

    BlockBytes m_block = kDefaultBlock;
    std::uint32_t m_revertChannelId = 0;
    std::uint32_t m_signallingSystemId = 0;
};

// The page-side copy of the emergency page.
struct CEmergencyEditRecord {
    int longPressDuration = 0;
    int revertChannelPosition = 0; // 1-based position in the channel array, 0 = none
    std::uint32_t revertChannelId = 0;
    bool powerSwitch = false;
    bool secret = false;
    bool backgroundTone = false;
    std::string sendMode;
    std::string idType;
    std::string impoliteSendTimes;
    std::string politeSendTimes;
    std::string alarmMode;
    std::string alarmCyclesMode;
    std::string voiceCyclesMode;
    std::string squelchMode;
    std::string idText;
    int signallingPosition = 0; // 0-based position in the DTMF system array
    std::uint32_t signallingSystemId = 0;
    int alarmCycles = 0;
    int alarmDuration = 0;
    int voiceCycles = 0;
    int txDuration = 0;
    int rxDuration = 0;

    void Fill(const CEmergencyData& data, const CSettings& settings);
    // Combo texts that match no entry store 0xFF in a whole byte and keep a bit
    // field as it was; numbers are brought into 0-255. False when a text or the
    // ID could not be taken (the rest is taken all the same).
    bool Take(CEmergencyData& data, const CSettings& settings) const;
};

// The spin buttons of the numeric edits: one step down below the minimum goes
// to the maximum, one step up above the maximum goes to the minimum; a value
// that was out of range comes back into it.
int SpinEmergencyValue(int value, int step, int minimum, int maximum, bool up);

// Which controls of the page are enabled for the chosen entries, and the send
// mode the ID type forces (none for ID type 0).
struct CEmergencyEnabling {
    std::map<int, bool> controls;
    std::optional<int> sendMode;
    bool IsEnabled(int control) const;
};
CEmergencyEnabling EmergencyEnablingRules(int idType, int alarmMode, int alarmCyclesMode, int voiceCyclesMode);

// The revert channel list: the "none" entry (text of 7310, data 0), then one
// line per valid channel with its 1-based position as text and its identity as data.
std::vector<CComboLine> RevertChannelLines(const CRecordRefs& channels, const CSettings& settings);
// The 1-based position of the channel with that identity; 0 when none has it.
int ChannelPositionOf(std::uint32_t id, const CRecordRefs& channels);
// The ID type list for the radio's signalling type: type 1 offers no entry 3,
// type 2 no entry 2.
std::vector<CComboLine> IdTypeLinesFor(std::vector<CComboLine> lines, int signallingType);

} // namespace qrv
