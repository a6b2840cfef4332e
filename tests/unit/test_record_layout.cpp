// Where every block and record lies in the image, its bytes when new, and one
// row per field: the bytes it reads, the bytes it writes, what it refuses.
#include "records/adjustment_data.h"
#include "records/dtmf_system_data.h"
#include "records/embedded_message_data.h"
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

#include "record_test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace qrv {
namespace {

using namespace test;

// clang-format off
const BlockRow kBlocks[] = {
    {"radio information", BlockRoundTrips<CRadioInfoData>, 0x010, Bytes(104, 0xFF)},
    {"keys", BlockRoundTrips<CKeyData>, 0x078, {0x1D, 0x1C, 0x42, 0x4B, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}},
    // The alert tone volume is stored as 12 whatever the block holds.
    {"volume", BlockRoundTrips<CVolumeData>, 0x083, Padded({0x01, 0x7F, 0x0C}, 14), 0x085, {0x0C}},
    {"microphone", BlockRoundTrips<CMicrophoneData>, 0x111, {0x04, 0x00, 0x04, 0x00, 0xFF, 0xFF}},
    {"VOX", BlockRoundTrips<CVoxData>, 0x117, {0xF7, 0x0F}},
    {"miscellaneous", BlockRoundTrips<CMiscellaneousData>, 0x119, Padded({0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26,
                                                                           0xFF, 0x14, 0x1C}, 14)},
    {"mode", BlockRoundTrips<CModeData>, 0x127, {0xFF, 0x87}},
    {"personality", BlockRoundTrips<CPersonalityData>, 0x130, {0xFF, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC0, 0xFF}},
    {"DTMF system", BlockRoundTrips<CDTMFSystemData>, 0x1B0, Padded({0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0xFE, 0x19,
                                                                    0x05, 0x05}, 16)},
    {"scan list", BlockRoundTrips<CScanListData>, 0x210, {0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0xE6, 0xC0, 0x08, 0x01, 0x02,
        0xF8, 0x01, 0x03, 0x0F, 0xFE, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C,
        0x0D, 0x0E, 0x0F, 0x10}},
    {"emergency", BlockRoundTrips<CEmergencyData>, 0x250, Padded({0x0A, 0x00, 0xF8, 0xE2, 0x00, 0x01, 0x02, 0x03, 0xFF,
        0xFF, 0xFF, 0xFF, 0x04, 0x0A, 0x0A, 0xF8, 0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0x14}, 32)},
    {"test frequencies", BlockRoundTrips<CTestFrequencyData>, 0x270, Bytes(200, 0xFF)},
    {"tune data", BlockRoundTrips<CAdjustmentData>, 0x340, Bytes(192, 0xFF)},
    {"embedded messages", BlockRoundTrips<CEmbeddedMessageData>, 0x400, Bytes(0x90, 0x00)},
    {"channel", BlockRoundTrips<CChannelData>, 0x580, {0xFF, 0xFF, 0xFF, 0xFF, 0x25, 0x06, 0x60, 0x44, 0x25, 0x06,
        0x60, 0x44, 0x0C, 0x50, 0x0C, 0x50, 0x33, 0x00, 0x00, 0x00}},
};
// clang-format on

using E = CEmergencyData;
using K = CKeyData;
using V = CVolumeData;
using M = CMicrophoneData;
using X = CVoxData;
using S = CMiscellaneousData;
using O = CModeData;
using A = CAdjustmentData;
using R = CRadioInfoData;
using T = CTestFrequencyData;
using B = CEmbeddedMessageData;
using P = CPersonalityData;
using C = CScanListData;
using D = CDTMFSystemData;
using H = CChannelData;

const auto kIdText = Field<E, &E::GetIdText, &E::SetIdText>();
const auto kFactoryClone = Field<O, &O::FactoryCloneMode, &O::SetFactoryCloneMode>();
const auto kSignalling = Field<P, &P::TxOptionalSignalling, &P::SetTxOptionalSignalling>();
// clang-format off
// Values wider than their bits are refused; the ID takes the first four of "0123456789*#" only.
const FieldRow<E> kEmergency[] = {
    {"long press", Field<E, &E::LongPressDuration, &E::SetLongPressDuration>(), 0x20, 0x250, {0x20}},
    {"revert channel", Field<E, &E::RevertChannelPosition, &E::SetRevertChannelPosition>(), 3, 0x251, {0x03}},
    {"power switch", Field<E, &E::PowerSwitch, &E::SetPowerSwitch>(), 1, 0x252, {0xF9}},
    {"secret", Field<E, &E::Secret, &E::SetSecret>(), 1, 0x252, {0xFA}},
    {"send mode", Field<E, &E::SendMode, &E::SetSendMode>(), 1, 0x252, {0xFC}, Way::Both, 2},
    {"ID type", Field<E, &E::IdType, &E::SetIdType>(), 3, 0x253, {0xE3}, Way::Both, 8},
    {"signalling", Field<E, &E::SignallingPosition, &E::SetSignallingPosition>(), 3, 0x253, {0xFA}, Way::Both, 4},
    {"ID digits", kIdText, "*#12", 0x254, {0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, Way::Both, "1A"},
    {"one ID digit", kIdText, "9", 0x254, {0x09, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, Way::Both, "1 2"},
    {"ID cut to four", kIdText, "567890", 0x254, {0x05, 0x06, 0x07, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}, Way::Store},
    // Four digits: the first up to D, the others up to E, zeros shown as 1.
    {"four-digit ID", Field<E, &E::IdTextForType>(), "D1A1", 0x253, {0xE3, 0xA0, 0xF0}, Way::Load},
    {"six-digit ID", Field<E, &E::IdTextForType>(), "071A2B", 0x253, {0xE4, 0x37, 0x2B, 0x1A}, Way::Load},
    {"ID length", Field<E, &E::IdLength, &E::SetIdLength>(), 6, 0x25C, {0x06}},
    {"impolite send times", Field<E, &E::ImpoliteSendTimes, &E::SetImpoliteSendTimes>(), 3, 0x25D, {0x03}},
    {"polite send times", Field<E, &E::PoliteSendTimes, &E::SetPoliteSendTimes>(), 5, 0x25E, {0x05}},
    {"alarm mode", Field<E, &E::AlarmMode, &E::SetAlarmMode>(), 3, 0x25F, {0xFB}, Way::Both, 4},
    {"alarm cycles mode", Field<E, &E::AlarmCyclesMode, &E::SetAlarmCyclesMode>(), 1, 0x25F, {0xF4}},
    {"alarm cycles", Field<E, &E::AlarmCycles, &E::SetAlarmCycles>(), 7, 0x260, {0x07}},
    {"alarm duration", Field<E, &E::AlarmDuration, &E::SetAlarmDuration>(), 30, 0x261, {0x1E}},
    {"voice cycles mode", Field<E, &E::VoiceCyclesMode, &E::SetVoiceCyclesMode>(), 1, 0x262, {0xFD}},
    {"voice cycles", Field<E, &E::VoiceCycles, &E::SetVoiceCycles>(), 2, 0x263, {0x02}},
    {"squelch mode", Field<E, &E::SquelchMode, &E::SetSquelchMode>(), 2, 0x264, {0xFE}},
    {"background tone", Field<E, &E::BackgroundTone, &E::SetBackgroundTone>(), 0, 0x264, {0xF9}},
    {"transmit duration", Field<E, &E::TxDuration, &E::SetTxDuration>(), 40, 0x265, {0x28}},
    {"receive duration", Field<E, &E::RxDuration, &E::SetRxDuration>(), 50, 0x266, {0x32}},
};

const FieldRow<K> kKeys[] = {
    {"side key 1 short", Field<K, &K::SideKeyFunction, &K::SetSideKeyFunction, 0>(), 0x51, 0x07A, {0x51}},
    {"side key 2 long", Field<K, &K::SideKeyFunction, &K::SetSideKeyFunction, 3>(), 0x00, 0x07D, {0x00}},
    {"no fifth side key", Field<K, &K::SideKeyFunction, &K::SetSideKeyFunction, 4>(), 0xFF, 0x078, {}, Way::Load, 1},
};

// Stored, the alert tone volume is 12 whatever it is (the block row's forced byte).
const FieldRow<V> kVolume[] = {
    {"alert tone volume", Field<V, &V::AlertToneVolume, &V::SetAlertToneVolume>(), 7, 0x085, {0x07}, Way::Load},
};

const FieldRow<M> kMicrophone[] = {
    {"internal gain", Field<M, &M::InternalGain, &M::SetInternalGain>(), 0x0102, 0x111, {0x02, 0x01}},
    {"external gain", Field<M, &M::ExternalGain, &M::SetExternalGain>(), 0x0309, 0x113, {0x09, 0x03}},
};

const FieldRow<X> kVox[] = {
    {"gain level 7", Field<X, &X::GainLevel, &X::SetGainLevel>(), 7, 0x117, {0xFF}, Way::Both, 8},
    {"delay", Field<X, &X::DelayTime, &X::SetDelayTime>(), 1, 0x118, {0x01}},
};

// The voice language is offered when either voice play is on.
const FieldRow<S> kMiscellaneous[] = {
    {"squelch level", Field<S, &S::SquelchLevel, &S::SetSquelchLevel>(), 9, 0x119, {0x09}},
    {"battery save delay", Field<S, &S::BatterySaveDelay, &S::SetBatterySaveDelay>(), 0, 0x11E, {0x00}},
    {"battery save mode", Field<S, &S::BatterySaveMode, &S::SetBatterySaveMode>(), 1, 0x11F, {0x25}, Way::Both, 4},
    {"tail revert", Field<S, &S::TailRevert, &S::SetTailRevert>(), 0, 0x11F, {0x22}, Way::Both, 2},
    {"scan LED", Field<S, &S::ScanLed, &S::SetScanLed>(), 0, 0x11F, {0x06}},
    {"low battery alert gap", Field<S, &S::LowBatteryAlertGap, &S::SetLowBatteryAlertGap>(), 10, 0x121, {0x0A}},
    {"voice play battery", Field<S, &S::VoicePlayBattery, &S::SetVoicePlayBattery>(), 1, 0x122, {0x1D}},
    {"voice play channel", Field<S, &S::VoicePlayChannel, &S::SetVoicePlayChannel>(), 1, 0x122, {0x1E}},
    {"voice language", Field<S, &S::VoicePlayLanguage, &S::SetVoicePlayLanguage>(), 0xA, 0x122, {0xAC}, Way::Both, 16},
    {"no battery save without delay", Field<S, &S::IsBatterySaveModeEnabled>(), 0, 0x11E, {0x00}, Way::Load},
    {"no voice language", Field<S, &S::IsVoicePlayLanguageEnabled>(), 0, 0x122, {0x1C}, Way::Load},
    {"voice language for the channel", Field<S, &S::IsVoicePlayLanguageEnabled>(), 1, 0x122, {0x1E}, Way::Load},
};

// Factory clone mode needs clone mode, and goes with it. The tune switch is the panel test bit.
const FieldRow<O> kMode[] = {
    {"panel test", Field<O, &O::PanelTestMode, &O::SetPanelTestMode>(), 1, 0x128, {0x8F}},
    {"clone", Field<O, &O::CloneMode, &O::SetCloneMode>(), 1, 0x128, {0x97}},
    {"factory clone", kFactoryClone, 0, 0x128, {0x87}, Way::Load, 1},
    {"factory clone", kFactoryClone, 1, 0x128, {0xD7}, Way::Both, {}, {0x97}},
    {"clone off", Field<O, &O::CloneMode, &O::SetCloneMode>(), 0, 0x128, {0x87}, Way::Store, {}, {0xD7}},
};

// Each base-band field cleared in the erased block clears exactly its own bits.
const FieldRow<A> kAdjustment[] = {
    {"value 0", Field<A, &A::Value, &A::SetValue, 0>(), 0x1234, 0x340, {0x34, 0x12}},
    {"value 95", Field<A, &A::Value, &A::SetValue, 95>(), 0xABCD, 0x3FE, {0xCD, 0xAB}},
    {"no value 96", Field<A, &A::Value, &A::SetValue, 96>(), 0xFFFF, 0x340, {}, Way::Load, 0},
    {"allow base-band tune", Field<A, &A::AllowBaseBandTune, &A::SetAllowBaseBandTune>(), 0, 0x3E9, {0xFE}},
    {"tx wide AAF gain", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[0]>(), 0, 0x3EA, {0xF8}, Way::Both, 8},
    {"tx LPF", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[1]>(), 0, 0x3EA, {0xF7}},
    {"tx compandor", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[2]>(), 0, 0x3EB, {0xFE}},
    {"tx compandor time", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[3]>(), 0, 0x3EB, {0xE1}},
    {"tx compandor control", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[4]>(), 0, 0x3EB, {0x1F}},
    {"tx wide pre-emphasis", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[5]>(), 0, 0x3EC, {0xFE}},
    {"tx wide de-emphasis", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[6]>(), 0, 0x3EC, {0xFD}},
    {"tx narrow pre-emphasis", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[7]>(), 0, 0x3EC, {0xFB}},
    {"tx narrow de-emphasis", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[8]>(), 0, 0x3EC, {0xF7}},
    {"tx gain", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[9]>(), 0, 0x3ED, {0xF8}},
    {"tx wide FNG", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[10]>(), 0x5A, 0x3EE, {0x5A}},
    {"tx narrow FNG", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[11]>(), 0, 0x3EF, {0x00}},
    {"tx wide DAC FS", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[12]>(), 0, 0x3F0, {0xFC}},
    {"tx narrow DAC FS", Field<A, &A::GetField, &A::SetField, A::kTransmitFields[13]>(), 0, 0x3F0, {0xF3}},
    {"rx wide AAF gain", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[0]>(), 0, 0x3F5, {0xF8}},
    {"rx narrow AAF gain", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[1]>(), 0, 0x3F5, {0x8F}},
    {"rx wide volume", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[2]>(), 0, 0x3F6, {0xF8}},
    {"rx narrow volume", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[3]>(), 0, 0x3F6, {0xC7}},
    {"rx wide FNG", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[4]>(), 0, 0x3F7, {0x00}},
    {"rx narrow FNG", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[5]>(), 0, 0x3F8, {0x00}, Way::Both, 256},
    {"rx wide DAC FS", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[6]>(), 0, 0x3F9, {0xFC}},
    {"rx compandor control", Field<A, &A::GetField, &A::SetField, A::kReceiveFields[7]>(), 0, 0x3F9, {0x1F}},
};
// clang-format on

const auto kModel = Field<R, &R::ModelName, &R::SetModelName>();
const auto kSerial = Field<R, &R::SerialNumber, &R::SetSerialNumber>();
const auto kUpper = Field<R, &R::UpperFrequency, &R::SetUpperFrequency>();
// The stamp is written from a local time, the limits from whole MHz.
const FieldAccess<R> kStamp{[](const R& r) -> Value { return r.LastProgrammedText(); },
                            [](R& r, const Value& v) {
                                std::tm t{};
                                std::istringstream(std::get<std::string>(v)) >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
                                r.WriteStamp(t);
                                return true;
                            }};
const FieldAccess<R> kLimits{nullptr, [](R& r, const Value& v) {
                                 const auto mhz = Split(std::get<std::string>(v), '-');
                                 return r.SetRangeLimits(std::stoi(mhz[0]), std::stoi(mhz[1]));
                             }};
const FieldAccess<R> kFactoryMarker{[](const R& r) -> Value { return r.HasFactoryMarker(); },
                                    [](R& r, const Value&) {
                                        r.WriteFactoryMarker();
                                        return true;
                                    }};
// clang-format off
// Each part of the last-programmed stamp is brought into its range.
const FieldRow<R> kRadioInfo[] = {
    {"model name", kModel, "QL-210", 0x010, Padded(Text("QL-210"), 12, 0x00)},
    {"model name cut", kModel, "ABCDEFGHIJKLMNOP", 0x010, Text("ABCDEFGHIJKL"), Way::Store},
    {"band flag", Field<R, &R::BandFlag, &R::SetBandFlag>(), 1, 0x01C, {0x01}},
    {"range", Field<R, &R::FrequencyRangeId, &R::SetFrequencyRangeId>(), 5, 0x01D, {0x05}},
    {"signalling type", Field<R, &R::SignallingType, &R::SetSignallingType>(), 2, 0x01E, {0x02}},
    {"range flags", Field<R, &R::RangeFlags, &R::SetRangeFlags>(), 0x85, 0x01C, {0x01, 0x05}},
    {"range flags, no band bit", Field<R, &R::RangeFlags, &R::SetRangeFlags>(), 0x07, 0x01C, {0x00, 0x07}},
    {"stamp", kStamp, "2011-03-05 14:07:09", 0x020, {0x09, 0x07, 0x0E, 0x05, 0x03, 0x0B, 0x14, 0x00}},
    {"stamp of 2100", kStamp, "2100-03-05 14:07:09", 0x020, {0x09, 0x07, 0x0E, 0x05, 0x03, 0x00, 0x15, 0x00}, Way::Store},
    {"stamp top", kStamp, "2037-12-31 23:59:59", 0x020, {0x3C, 0x3C, 0x17, 0x1F, 0x0C, 0x25, 0x14, 0x00}, Way::Load},
    {"erased stamp", kStamp, "2037-12-31 00:59:59", 0x020, {}, Way::Load},
    {"lower limit", Field<R, &R::LowerFrequency, &R::SetLowerFrequency>(), 13600000, 0x028, {0x00, 0x00, 0x60, 0x13}},
    {"upper limit", kUpper, 17400000, 0x02C, {0x00, 0x00, 0x40, 0x17}, Way::Both, 100000000},
    {"no upper limit", kUpper, "none", 0x02C, {}, Way::Load},
    {"range limits", kLimits, "136-174", 0x028, {0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}, Way::Store, "136-1000"},
    {"serial number", kSerial, "SN0001", 0x048, Padded(Text("SN0001"), 16, 0x00)},
    {"serial number cut", kSerial, "0123456789ABCDEFXYZ", 0x048, Text("0123456789ABCDEF"), Way::Store},
    {"factory marker", kFactoryMarker, 1, 0x068, {0x55, 0xAA, 0xAA, 0x55}},
};
// clang-format on

const auto kRx4 = Field<T, &T::ChannelRxText, &T::SetChannelRxText, 4>();
const auto kPointTx4 = Field<T, &T::PointTx, &T::SetPointTx, 4>();
const auto kTx15 = Field<T, &T::ChannelTxText, &T::SetChannelTxText, 15>();
// clang-format off
// Channel 4's receive word lies at 0x298, its step code at 0x2A0; points are not rounded.
const FieldRow<T> kTestFrequencies[] = {
    {"on neither raster", kRx4, "146.01200", 0x298, {0x25, 0x06, 0x60, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}, Way::Store},
    {"on 5 kHz", kRx4, "146.01000", 0x298, {0x00, 0x10, 0x60, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}, Way::Both, "146.0x"},
    {"on 6.25 kHz", kRx4, "146.01250", 0x298, {0x50, 0x12, 0x60, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}},
    {"erased", kRx4, "", 0x298, {}, Way::Load},
    {"channel 15 tx", kTx15, "146.01500", 0x30A, {0x00, 0x15, 0x60, 0x14, 0xFF, 0x02}},
    {"no channel 16", Field<T, &T::ChannelRxText, &T::SetChannelRxText, 16>(), "", 0x270, {}, Way::Load, "146.00000"},
    {"point", Field<T, &T::PointRxText, &T::SetPointRxText, 2>(), "146.01200", 0x318, {0x00, 0x12, 0x60, 0x14}},
    {"point units", kPointTx4, 43012345, 0x334, {0x45, 0x23, 0x01, 0x43}, Way::Both, 100000000},
    {"erased point", kPointTx4, "none", 0x334, {}, Way::Load},
    {"no point 5", Field<T, &T::PointTxText, &T::SetPointTxText, 5>(), "", 0x270, {}, Way::Load, "146.00000"},
};
// clang-format on

const auto kDtmfId = Field<D, &D::GetIdText, &D::SetIdText>();
const auto kRxStep = Field<H, &H::RxStepCode, &H::SetRxStepCode>();
const auto kTxStep = Field<H, &H::TxStepCode, &H::SetTxStepCode>();
const auto kSpacing = Field<H, &H::Spacing, &H::SetSpacing>();
const auto kPower = Field<H, &H::Power, &H::SetPower>();
const auto kAutoScan = Field<H, &H::AutoStartScan, &H::SetAutoStartScan>();
const FieldAccess<H> kValid{[](const H& c) -> Value { return c.IsValid(); }};
const auto kMessage2 = Field<B, &B::Message, &B::SetMessage, 2>();
// clang-format off
// Messages are cut or padded with blanks to their 32 bytes; reading stops at 0x00 or a leading 0xFF.
const FieldRow<B> kEmbeddedMessages[] = {
    {"password", Field<B, &B::FieldText, &B::SetFieldText, 0>(), "secret-pass", 0x400, Text("secret-p"), Way::Store},
    {"field B", Field<B, &B::FieldText, &B::SetFieldText, 1>(), "ab", 0x408, Padded(Text("ab"), 8, ' ')},
    {"no field 6", Field<B, &B::FieldText, &B::SetFieldText, 6>(), "", 0x400, {}, Way::Load, "x"},
    {"message 1", Field<B, &B::Message, &B::SetMessage, 1>(), std::string(40, 'M'), 0x430, Bytes(32, 'M'), Way::Store},
    {"message 3", Field<B, &B::Message, &B::SetMessage, 3>(), "HELLO", 0x470, Padded(Text("HELLO"), 32, ' ')},
    {"no message 4", Field<B, &B::Message, &B::SetMessage, 4>(), "", 0x400, {}, Way::Load, "x"},
    {"erased first byte", kMessage2, "", 0x450, Padded({0xFF, 'A', 'B'}, 32, ' '), Way::Load},
    {"ends at zero", kMessage2, "AB", 0x450, Padded({'A', 'B', 0x00, 'C'}, 32, ' '), Way::Load},
    {"trailing blanks", kMessage2, "A B", 0x450, Padded(Text("A B  "), 32, ' '), Way::Load},
    {"erased tail", kMessage2, "AB" + std::string(30, '\xFF'), 0x450, Padded(Text("AB"), 32), Way::Load},
    {"full", kMessage2, std::string(32, 'Z'), 0x450, Bytes(32, 'Z')},
};

const FieldRow<P> kPersonality[] = {
    {"Tx admit", Field<P, &P::TxAdmit, &P::SetTxAdmit>(), 0, 0x131, {0x00}},
    {"time-out", Field<P, &P::TimeOut, &P::SetTimeOut>(), 5, 0x132, {0x05}},
    {"pre-alert", Field<P, &P::PreAlert, &P::SetPreAlert>(), 2, 0x133, {0x02}},
    {"re-key", Field<P, &P::ReKey, &P::SetReKey>(), 3, 0x134, {0x03}},
    {"reset", Field<P, &P::Reset, &P::SetReset>(), 4, 0x135, {0x04}},
    {"signalling", kSignalling, 7, 0x136, {0xC7}},
    {"signalling cut", kSignalling, 0xFF, 0x136, {0xCF}, Way::Store},
    {"signalling beside", kSignalling, 1, 0x136, {0x31}, Way::Both, {}, {0x3A}},
};

// Transmit mode 1 puts the designated channel to use, priority mode 1 the
// priority channel, any priority mode but 0 the sweep time.
const FieldRow<C> kScanList[] = {
    {"entry count", Field<C, &C::EntryCount, &C::SetEntryCount>(), 3, 0x214, {0x03}},
    {"scan mode", Field<C, &C::ScanMode, &C::SetScanMode>(), 1, 0x215, {0xE2}},
    {"priority mode", Field<C, &C::PriorityMode, &C::SetPriorityMode>(), 2, 0x216, {0xC2}},
    {"sweep time", Field<C, &C::SweepTime, &C::SetSweepTime>(), 2, 0x217, {0x02}},
    {"priority channel", Field<C, &C::PriorityChannelNumber>(), 5, 0x218, {0x05}, Way::Load},
    {"second priority channel", Field<C, &C::SecondPriorityChannelNumber>(), 6, 0x219, {0x06}, Way::Load},
    {"transmit mode", Field<C, &C::TxMode, &C::SetTxMode>(), 1, 0x21A, {0xF9}},
    {"talkback", Field<C, &C::Talkback, &C::SetTalkback>(), 0, 0x21A, {0xF0}},
    {"designated channel", Field<C, &C::DesignatedChannelNumber>(), 7, 0x21B, {0x07}, Way::Load},
    {"hang time", Field<C, &C::HangTime, &C::SetHangTime>(), 9, 0x21C, {0x09}},
    {"start alert", Field<C, &C::StartAlert, &C::SetStartAlert>(), 0, 0x21D, {0x0E}},
    {"end alert", Field<C, &C::EndAlert, &C::SetEndAlert>(), 0, 0x21D, {0x0D}},
    {"include current", Field<C, &C::IncludeCurrentChannel, &C::SetIncludeCurrentChannel>(), 1, 0x21D, {0x1F}},
    {"slot 16", Field<C, &C::MemberNumber, nullptr, 15>(), 12, 0x22F, {0x0C}, Way::Load},
    {"no slot 17", Field<C, &C::MemberNumber, nullptr, 16>(), 0xFF, 0x22F, {}, Way::Load},
    {"designated", Field<C, &C::DesignatedInUse>(), 1, 0x21A, {0xF1}, Way::Load},
    {"no designated, mode 2", Field<C, &C::DesignatedInUse>(), 0, 0x21A, {0x0A}, Way::Load},
    {"priority", Field<C, &C::PriorityChannelInUse>(), 1, 0x216, {0xFD}, Way::Load},
    {"no priority, mode 3", Field<C, &C::PriorityChannelInUse>(), 0, 0x216, {0xC3}, Way::Load},
    {"sweep, mode 2", Field<C, &C::SweepTimeInUse>(), 1, 0x216, {0x02}, Way::Load},
    {"no sweep, mode 0", Field<C, &C::SweepTimeInUse>(), 0, 0x216, {0xFC}, Way::Load},
};

// ID digits are nibbles from the high one of byte 0 (* = E, # = F), the count in byte 4.
const FieldRow<D> kDtmfSystem[] = {
    {"ID", kDtmfId, "12*#", 0x1B0, {0x12, 0xEF, 0x00, 0x00, 0x04}, Way::Both, "12E"},
    {"ID without blanks", kDtmfId, "4 5 6", 0x1B0, {0x45, 0x60, 0x00, 0x00, 0x03}, Way::Store, "12x"},
    {"ID in capitals", kDtmfId, "a1b2c3d", 0x1B0, {0xA1, 0xB2, 0xC3, 0xD0, 0x07}, Way::Store, "1-2"},
    {"ID of eight", kDtmfId, "#9876543", 0x1B0, {0xF9, 0x87, 0x65, 0x43, 0x08}, Way::Both, "123456789"},
    {"empty ID keeps the digits", kDtmfId, "   ", 0x1B0, {0x12, 0x34, 0x56, 0x78, 0x00}, Way::Store},
    {"empty ID", kDtmfId, "", 0x1B0, {0x12, 0x34, 0x56, 0x78, 0x00}, Way::Load},
    {"ID length above eight", kDtmfId, "12345678", 0x1B4, {0xFF}, Way::Load},
    {"PTT ID type", Field<D, &D::PttIdType, &D::SetPttIdType>(), 3, 0x1B5, {0x03}},
    {"side tone", Field<D, &D::SideTone, &D::SetSideTone>(), 1, 0x1B6, {0xFF}},
    {"short beep", Field<D, &D::ShortBeep, &D::SetShortBeep>(), 0, 0x1B6, {0xFC}},
    {"transmit tone", Field<D, &D::TransmitTone, &D::SetTransmitTone>(), 0, 0x1B6, {0xFA}},
    {"pretime", Field<D, &D::Pretime, &D::SetPretime>(), 3, 0x1B7, {0x03}},
    {"digit duration", Field<D, &D::DigitDuration, &D::SetDigitDuration>(), 6, 0x1B8, {0x06}},
    {"digit interval", Field<D, &D::DigitIntervalDuration, &D::SetDigitIntervalDuration>(), 6, 0x1B9, {0x06}},
};

// A channel is valid when its receive word is not erased; the setters of
// shared bytes keep the other bits (0xA5 around them).
const FieldRow<H> kChannel[] = {
    {"rx frequency", Field<H, &H::RxFrequency, &H::SetRxFrequency>(), 0x44000500, 0x584, {0x00, 0x05, 0x00, 0x44}},
    {"tx frequency", Field<H, &H::TxFrequency, &H::SetTxFrequency>(), 0x14612500, 0x588, {0x00, 0x25, 0x61, 0x14}},
    {"receive tone", Field<H, &H::RxTone, &H::SetRxTone>(), 0x8002, 0x58C, {0x02, 0x80}},
    {"transmit tone", Field<H, &H::TxTone, &H::SetTxTone>(), 0xC06B, 0x58E, {0x6B, 0xC0}},
    {"receive step beside", kRxStep, 2, 0x590, {0xA2}, Way::Both, {}, {0xA5}},
    {"transmit step beside", kTxStep, 3, 0x590, {0x35}, Way::Both, {}, {0xA5}},
    {"spacing beside", kSpacing, 1, 0x591, {0xA1}, Way::Both, {}, {0xA5}},
    {"power", kPower, 1, 0x591, {0x10}},
    {"power beside", kPower, 0, 0x591, {0x05}, Way::Both, {}, {0xA5}},
    {"personality", Field<H, &H::PersonalityPosition, &H::SetPersonalityPosition>(), 3, 0x592, {0x03}},
    {"auto start scan beside", kAutoScan, 1, 0x593, {0xE5}, Way::Both, {}, {0xA5}},
    {"auto start scan off", kAutoScan, 0, 0x593, {0xA5}, Way::Both, {}, {0xE5}},
    {"valid", kValid, 1, 0x584, {0xFF, 0xFF, 0xFF, 0x44}, Way::Load},
    {"not valid", kValid, 0, 0x584, {0xFF, 0xFF, 0xFF, 0xFF}, Way::Load},
};
// clang-format on

TEST(RecordLayout, EveryBlockAndField)
{
    for (const BlockRow& row : kBlocks)
        EXPECT_TRUE(row.check(row)) << row.name;
    ExpectFields(kEmergency, kKeys, kVolume, kMicrophone, kVox, kMiscellaneous, kMode, kAdjustment, kRadioInfo,
                 kTestFrequencies, kEmbeddedMessages, kPersonality, kScanList, kDtmfSystem, kChannel);
}

} // namespace
} // namespace qrv
