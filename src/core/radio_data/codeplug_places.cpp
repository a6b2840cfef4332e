#include "radio_data/codeplug_places.h"

#include "records/channel_data.h"
#include "records/dtmf_system_data.h"
#include "records/emergency_data.h"
#include "records/key_data.h"
#include "records/microphone_data.h"
#include "records/miscellaneous_data.h"
#include "records/mode_data.h"
#include "records/personality_data.h"
#include "records/radio_info_data.h"
#include "records/scan_list_data.h"
#include "records/test_frequency_data.h"
#include "records/volume_data.h"
#include "records/vox_data.h"

#include <array>
#include <initializer_list>
#include <span>

namespace qrv {

namespace {

struct CField {
    std::size_t offset;
    std::size_t width;
    const char* name;
};

// A block of the image: one record, or a table of `count` records of `size` bytes.
struct CArea {
    const char* record;
    std::size_t start;
    std::size_t size;
    std::size_t count;
    std::initializer_list<CField> fields;
};

using Ch = CChannelData;
using Dt = CDTMFSystemData;
using Em = CEmergencyData;
using Pe = CPersonalityData;
using Ri = CRadioInfoData;
using Sc = CScanListData;
using Tf = CTestFrequencyData;

const std::array<CArea, 15>& Areas()
{
    static const std::array<CArea, 15> areas{{
        {"Radio information",
         Ri::kImageOffset,
         Ri::kBlockSize,
         1,
         {{Ri::kModelNameOffset, Ri::kModelNameWidth, "Model name"},
          {Ri::kBandFlagOffset, 1, "Band flag"},
          {Ri::kRangeIdOffset, 1, "Range ID"},
          {Ri::kSignallingTypeOffset, 1, "Signalling type"},
          {Ri::kStampOffset, Ri::kStampSize, "Last programmed"},
          {Ri::kLowerFrequencyOffset, 4, "Lower frequency"},
          {Ri::kUpperFrequencyOffset, 4, "Upper frequency"},
          {Ri::kSerialNumberOffset, Ri::kSerialNumberWidth, "Serial number"}}},
        {"Keys",
         CKeyData::kImageOffset,
         CKeyData::kBlockSize,
         1,
         {{CKeyData::kSk1ShortOffset, 1, "SK1 short press"},
          {CKeyData::kSk1LongOffset, 1, "SK1 long press"},
          {CKeyData::kSk2ShortOffset, 1, "SK2 short press"},
          {CKeyData::kSk2LongOffset, 1, "SK2 long press"}}},
        {"Volume",
         CVolumeData::kImageOffset,
         CVolumeData::kBlockSize,
         1,
         {{CVolumeData::kAlertToneOffset, 1, "Alert tone"}}},
        {"Microphone",
         CMicrophoneData::kImageOffset,
         CMicrophoneData::kBlockSize,
         1,
         {{CMicrophoneData::kInternalGainOffset, 2, "Internal gain"},
          {CMicrophoneData::kExternalGainOffset, 2, "External gain"}}},
        {"VOX",
         CVoxData::kImageOffset,
         CVoxData::kBlockSize,
         1,
         {{CVoxData::kGainOffset, 1, "Gain"}, {CVoxData::kDelayOffset, 1, "Delay"}}},
        {"Miscellaneous",
         CMiscellaneousData::kImageOffset,
         CMiscellaneousData::kBlockSize,
         1,
         {{CMiscellaneousData::kSquelchLevelOffset, 1, "Squelch level"},
          {CMiscellaneousData::kBatterySaveDelayOffset, 1, "Battery save delay"},
          {CMiscellaneousData::kOptionsOffset, 1, "Options"},
          {CMiscellaneousData::kLowBatteryGapOffset, 1, "Low battery alert gap"},
          {CMiscellaneousData::kVoiceOffset, 1, "Voice"}}},
        {"Mode", CModeData::kImageOffset, CModeData::kBlockSize, 1, {{CModeData::kModeOffset, 1, "Mode"}}},
        {"Personality",
         Pe::kTableStart,
         Pe::kRecordSize,
         Pe::kMaxPersonalities,
         {{Pe::kTxAdmitByte, 1, "TX admit"},
          {Pe::kTimeOutByte, 1, "Time-out timer"},
          {Pe::kPreAlertByte, 1, "Pre-alert"},
          {Pe::kReKeyByte, 1, "Re-key"},
          {Pe::kResetByte, 1, "Reset"},
          {Pe::kSignallingByte, 1, "Signalling"}}},
        {"DTMF system",
         Dt::kTableStart,
         Dt::kRecordSize,
         Dt::kMaxStoredRecords,
         {{Dt::kIdDigitsOffset, Dt::kIdLengthOffset - Dt::kIdDigitsOffset, "ID digits"},
          {Dt::kIdLengthOffset, 1, "ID length"},
          {Dt::kPttIdTypeOffset, 1, "PTT ID type"},
          {Dt::kFlagsOffset, 1, "Flags"},
          {Dt::kPretimeOffset, 1, "Pretime"},
          {Dt::kDigitDurationOffset, 1, "Digit duration"},
          {Dt::kDigitIntervalOffset, 1, "Digit interval"}}},
        {"Scan list",
         Sc::kTableStart,
         Sc::kRecordSize,
         Sc::kMaxScanLists,
         {{Sc::kEntryCountByte, 1, "Entry count"},
          {Sc::kScanModeByte, 1, "Scan mode"},
          {Sc::kPriorityModeByte, 1, "Priority mode"},
          {Sc::kSweepTimeByte, 1, "Sweep time"},
          {Sc::kPriorityChannelByte, 1, "Priority channel"},
          {Sc::kSecondPriorityChannelByte, 1, "Second priority channel"},
          {Sc::kTxModeByte, 1, "TX mode and talkback"},
          {Sc::kDesignatedChannelByte, 1, "Designated channel"},
          {Sc::kHangTimeByte, 1, "Hang time"},
          {Sc::kAlertByte, 1, "Alerts"},
          {Sc::kFirstMemberByte, Sc::kSlots, "Members"}}},
        {"Emergency",
         Em::kImageOffset,
         Em::kBlockSize,
         1,
         {{Em::kLongPressOffset, 1, "Long press duration"},
          {Em::kRevertChannelOffset, 1, "Revert channel"},
          {Em::kSwitchesOffset, 1, "Switches and send mode"},
          {Em::kIdTypeOffset, 1, "ID type"},
          {Em::kIdDigitsOffset, Em::kIdLengthOffset - Em::kIdDigitsOffset, "ID digits"},
          {Em::kIdLengthOffset, 1, "ID length"},
          {Em::kImpoliteTimesOffset, 1, "Impolite send times"},
          {Em::kPoliteTimesOffset, 1, "Polite send times"},
          {Em::kAlarmOffset, 1, "Alarm"},
          {Em::kAlarmCyclesOffset, 1, "Alarm cycles"},
          {Em::kAlarmDurationOffset, 1, "Alarm duration"},
          {Em::kVoiceOffset, 1, "Voice"},
          {Em::kVoiceCyclesOffset, 1, "Voice cycles"},
          {Em::kSquelchOffset, 1, "Squelch"},
          {Em::kTxDurationOffset, 1, "TX duration"},
          {Em::kRxDurationOffset, 1, "RX duration"}}},
        {"Test channel",
         Tf::kImageOffset,
         Tf::kChannelStride,
         Tf::kChannelCount,
         {{Tf::kChannelRxOffset, 4, "Rx frequency"},
          {Tf::kChannelTxOffset, 4, "Tx frequency"},
          {Tf::kChannelRxStepOffset, 1, "Rx step"},
          {Tf::kChannelTxStepOffset, 1, "Tx step"}}},
        {"Test point",
         Tf::kImageOffset + Tf::kPointRxOffset,
         Tf::kPointStride,
         Tf::kPointCount,
         {{0, Tf::kPointStride, "Rx frequency"}}},
        {"Test point",
         Tf::kImageOffset + Tf::kPointTxOffset,
         Tf::kPointStride,
         Tf::kPointCount,
         {{0, Tf::kPointStride, "Tx frequency"}}},
        {"Channel",
         Ch::kTableStart,
         Ch::kRecordSize,
         Ch::kMaxChannels,
         {{Ch::kPreviousOffset, 2, "Previous link"},
          {Ch::kNextOffset, 2, "Next link"},
          {Ch::kRxFrequencyOffset, 4, "Rx frequency"},
          {Ch::kTxFrequencyOffset, 4, "Tx frequency"},
          {Ch::kRxToneOffset, 2, "Rx tone"},
          {Ch::kTxToneOffset, 2, "Tx tone"},
          {Ch::kStepByte, 1, "Steps"},
          {Ch::kSpacingPowerByte, 1, "Spacing and power"},
          {Ch::kPersonalityByte, 1, "Personality"},
          {Ch::kFlagsByte, 1, "Flags"}}},
    }};
    return areas;
}

} // namespace

std::optional<CCodeplugPlace> PlaceOf(std::uint16_t address)
{
    for (const CArea& area : Areas()) {
        if (address < area.start || address >= area.start + area.size * area.count)
            continue;
        const std::size_t index = (address - area.start) / area.size;
        const std::size_t recordStart = area.start + index * area.size;
        const std::size_t offset = address - recordStart;
        CCodeplugPlace place;
        place.record = area.count > 1 ? std::string(area.record) + " " + std::to_string(index + 1) : area.record;
        place.first = static_cast<std::uint16_t>(address);
        place.width = 1;
        place.field = "byte " + std::to_string(offset);
        for (const CField& field : area.fields) {
            if (offset >= field.offset && offset < field.offset + field.width) {
                place.field = field.name;
                place.first = static_cast<std::uint16_t>(recordStart + field.offset);
                place.width = static_cast<std::uint16_t>(field.width);
            }
        }
        return place;
    }
    return std::nullopt;
}

} // namespace qrv
