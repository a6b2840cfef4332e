#include "dump.h"

#include "cli_context.h"
#include "dump_writer.h"
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"
#include "records/frequency.h"
#include "records/tones.h"
#include "util/text_format.h"

#include <QJsonArray>

namespace qrv::cli {

namespace {

using caption::LabelOf;

QJsonValue FrequencyValue(std::uint32_t word)
{
    const std::string text = FrequencyText(word);
    return text.empty() ? QJsonValue() : QJsonValue(Q(text));
}

std::string FrequencyLine(std::uint32_t word)
{
    const std::string text = FrequencyText(word);
    return text.empty() ? "---" : text + " MHz";
}

std::optional<long long> ChannelNumber(std::uint8_t stored, std::size_t channelCount)
{
    if (stored == 0 || stored == 0xFF || stored > channelCount)
        return std::nullopt;
    return stored;
}

QJsonObject ToneJson(const CSettings& settings, int typeList, std::uint16_t word, std::string& line)
{
    const CToneWord tone(word);
    std::string text;
    if (tone.IsCtcss() || tone.IsCdcss())
        text = ShownToneText(LookupOfWord(word), tone.IsCtcss(), settings);
    QJsonObject o;
    o[QStringLiteral("type")] = tone.Type();
    o[QStringLiteral("type_text")] = Q(settings.GetItemText(typeList, tone.Type()));
    o[QStringLiteral("index")] = tone.Index();
    o[QStringLiteral("text")] = Q(text);
    o[QStringLiteral("not_in_table")] = tone.NotInTable();
    line = settings.GetItemText(typeList, tone.Type()) + (text.empty() ? "" : " " + text);
    return o;
}

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> b)
{
    return {b.begin(), b.end()};
}

void DumpIdentity(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    const CDocumentIdentity& id = c.RadioData().Identity();
    w.Heading("Identity");
    w.Text("model_id", 0, id.modelId);
    w.Text("model_name", caption::kModelName, id.modelName);
    w.Text("range", caption::kFrequencyRange, id.freqRange);
    w.Text("radio_data_version", caption::kFirmwareVersion, id.radioDataVersion);
    w.Listed("signal", caption::kSignalingType, caption::kSignalTypeList, id.signal);
    w.Number("range_flags", 0, c.Ranges().FlagsOf(id.freqRange));
    root[QStringLiteral("identity")] = w.Take();

    const CRadioInfoData& info = c.RadioData().RadioInfo();
    w.Heading(w.Caption(form::kRadio, "Radio information"));
    w.Text("model_name", caption::kModelName, info.ModelName());
    w.Text("frequency_range", caption::kFrequencyRange, id.freqRange);
    w.Text("serial_number", caption::kSerialNumber, info.SerialNumber());
    w.Text("firmware_version", caption::kFirmwareVersion, "V" + id.radioDataVersion.substr(0, 7));
    w.Listed("signaling_type", caption::kSignalingType, caption::kSignalTypeList, id.signal);
    w.Text("last_programmed", caption::kLastProgrammed, info.LastProgrammedText());
    w.Raw("bytes", Bytes(info.Block()));
    root[QStringLiteral("radio_info")] = w.Take();
}

void DumpOptions(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    CRadioData& d = c.RadioData();
    const CKeyData& keys = d.Keys();
    w.Heading(w.Caption(form::kKeys, "Programmable keys"));
    const char* keyNames[] = {"sk1_short", "sk1_long", "sk2_short", "sk2_long"};
    for (std::size_t i = 0; i < CKeyData::kSideKeyCount; ++i)
        w.Listed(keyNames[i], LabelOf(CKeyData::kSideKeyCombos[i]), CKeyData::kFunctionList, keys.SideKeyFunction(i));
    w.Raw("bytes", Bytes(keys.Block()));
    root[QStringLiteral("keys")] = w.Take();

    const CVoxData& vox = d.Vox();
    w.Heading(w.Caption(form::kVox, "VOX"));
    w.Listed("gain_level", LabelOf(CVoxData::kGainLevelList), CVoxData::kGainLevelList, vox.GainLevel());
    w.Listed("delay_time", LabelOf(CVoxData::kDelayTimeList), CVoxData::kDelayTimeList, vox.DelayTime());
    w.Raw("bytes", Bytes(vox.Block()));
    root[QStringLiteral("vox")] = w.Take();

    const CVolumeData& volume = d.Volume();
    w.Heading(w.Caption(form::kVolume, "Volume"));
    w.Listed("alert_tone_volume", LabelOf(CVolumeData::kAlertToneList), CVolumeData::kAlertToneList,
             volume.AlertToneVolume());
    w.Raw("bytes", Bytes(volume.Block()));
    root[QStringLiteral("volume")] = w.Take();

    const CMicrophoneData& mic = d.Microphone();
    w.Heading(w.Caption(form::kMicrophone, "Microphone"));
    w.Listed("internal_gain", LabelOf(CMicrophoneData::kInternalGainList), CMicrophoneData::kInternalGainList,
             mic.InternalGain());
    w.Listed("external_gain", LabelOf(CMicrophoneData::kExternalGainList), CMicrophoneData::kExternalGainList,
             mic.ExternalGain());
    w.Raw("bytes", Bytes(mic.Block()));
    root[QStringLiteral("microphone")] = w.Take();

    const CMiscellaneousData& m = d.Miscellaneous();
    using M = CMiscellaneousData;
    w.Heading(w.Caption(form::kMiscellaneous, "Miscellaneous"));
    w.Listed("squelch_level", LabelOf(M::kSquelchLevelCombo), M::kSquelchLevelCombo, m.SquelchLevel());
    w.Listed("battery_save_delay", LabelOf(M::kBatterySaveDelayCombo), M::kBatterySaveDelayCombo, m.BatterySaveDelay());
    w.Listed("battery_save_mode", LabelOf(M::kBatterySaveModeCombo), M::kBatterySaveModeCombo, m.BatterySaveMode());
    w.Listed("ctcss_tail_revert", LabelOf(M::kTailRevertCombo), M::kTailRevertCombo, m.TailRevert());
    w.Flag("scan_led", M::kScanLedCheck, m.ScanLed());
    w.Listed("low_battery_alert_gap", LabelOf(M::kLowBatteryGapCombo), M::kLowBatteryGapCombo, m.LowBatteryAlertGap());
    w.Flag("voice_play_battery", M::kVoiceBatteryCheck, m.VoicePlayBattery());
    w.Flag("voice_play_channel", M::kVoiceChannelCheck, m.VoicePlayChannel());
    w.Listed("voice_play_language", M::kVoiceLanguageLabel, M::kVoiceLanguageCombo, m.VoicePlayLanguage());
    w.Raw("bytes", Bytes(m.Block()));
    root[QStringLiteral("miscellaneous")] = w.Take();

    const CModeData& mode = d.Mode();
    w.Heading(w.Caption(form::kMode, "Mode"));
    w.Flag("panel_test_mode", CModeData::kPanelTestCheck, mode.PanelTestMode());
    w.Flag("clone_mode", CModeData::kCloneCheck, mode.CloneMode());
    w.Flag("factory_clone_mode", CModeData::kFactoryCloneCheck, mode.FactoryCloneMode());
    w.Raw("bytes", Bytes(mode.Block()));
    root[QStringLiteral("mode")] = w.Take();
}

void DumpChannels(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    const CSettings& s = c.Settings();
    CRadioData& d = c.RadioData();
    QJsonArray channels;
    w.Heading(w.Caption(form::kChannel, "Channels"));
    for (std::size_t i = 0; i < d.Channels().size(); ++i) {
        const CChannelData& ch = *d.Channels()[i];
        w.SubHeading(Format("%s %zu", w.Caption(form::kChannel, "Channel").c_str(), i + 1));
        w.Json("number", static_cast<int>(i + 1));
        w.Json("valid", ch.IsValid());
        w.Json("rx_mhz", FrequencyValue(ch.RxFrequency()));
        w.Line("RX " + w.Caption(LabelOf(CChannelData::kRxFrequencyEdit), "Frequency"),
               FrequencyLine(ch.RxFrequency()));
        w.Json("tx_mhz", FrequencyValue(ch.TxFrequency()));
        w.Line("TX " + w.Caption(LabelOf(CChannelData::kTxFrequencyEdit), "Frequency"),
               FrequencyLine(ch.TxFrequency()));
        w.Json("rx_step", ch.RxStepCode());
        w.Json("tx_step", ch.TxStepCode());
        std::string line;
        w.Json("rx_tone", ToneJson(s, CChannelData::kRxTypeList, ch.RxTone(), line));
        w.Line(w.Caption(LabelOf(CChannelData::kRxTypeList), "RX tone"), line);
        w.Json("tx_tone", ToneJson(s, CChannelData::kTxTypeList, ch.TxTone(), line));
        w.Line(w.Caption(LabelOf(CChannelData::kTxTypeList), "TX tone"), line);
        w.Listed("spacing", LabelOf(CChannelData::kSpacingList), CChannelData::kSpacingList, ch.Spacing());
        w.Listed("power", LabelOf(CChannelData::kPowerList), CChannelData::kPowerList, ch.Power());
        const std::uint8_t p = ch.PersonalityPosition();
        w.OptionalNumber("personality", CChannelData::kPersonalityTitleText,
                         p < d.Personalities().size() ? std::optional<long long>(p + 1) : std::nullopt);
        w.Flag("auto_start_scan", CChannelData::kAutoStartScanCheck, ch.AutoStartScan());
        w.Raw("bytes", Bytes(ch.Record()));
        channels.append(w.Take());
    }
    root[QStringLiteral("channels")] = channels;
}

void DumpPersonalitiesAndScans(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    CRadioData& d = c.RadioData();
    QJsonArray personalities;
    w.Heading(w.Caption(form::kPersonality, "Personality"));
    for (std::size_t i = 0; i < d.Personalities().size(); ++i) {
        const CPersonalityData& p = *d.Personalities()[i];
        w.SubHeading(Format("%s - %zu", w.Caption(form::kPersonality, "Personality").c_str(), i + 1));
        w.Json("number", static_cast<int>(i + 1));
        using P = CPersonalityData;
        w.Listed("tx_admit", LabelOf(P::kTxAdmitList), P::kTxAdmitList, p.TxAdmit());
        w.Listed("tx_timeout", LabelOf(P::kTimeOutList), P::kTimeOutList, p.TimeOut());
        w.Listed("tot_pre_alert", LabelOf(P::kPreAlertList), P::kPreAlertList, p.PreAlert());
        w.Listed("tot_rekey", LabelOf(P::kReKeyList), P::kReKeyList, p.ReKey());
        w.Listed("tot_reset", LabelOf(P::kResetList), P::kResetList, p.Reset());
        w.Listed("tx_optional_signalling", LabelOf(P::kTxOptionalSignallingList), P::kTxOptionalSignallingList,
                 p.TxOptionalSignalling());
        w.Raw("bytes", Bytes(p.Record()));
        personalities.append(w.Take());
    }
    root[QStringLiteral("personalities")] = personalities;

    QJsonArray scans;
    const std::size_t channelCount = d.Channels().size();
    w.Heading(w.Caption(form::kScan, "Scan lists"));
    for (std::size_t i = 0; i < d.ScanLists().size(); ++i) {
        const CScanListData& sl = *d.ScanLists()[i];
        w.SubHeading(Format("%s %zu", w.Caption(form::kScan, "Scan list").c_str(), i + 1));
        w.Json("number", static_cast<int>(i + 1));
        using S = CScanListData;
        w.Listed("entries", LabelOf(S::kEntryCountList), S::kEntryCountList, sl.EntryCount());
        w.Listed("ctcss_cdcss_scan_mode", LabelOf(S::kScanModeList), S::kScanModeList, sl.ScanMode());
        w.Listed("priority_channel_mode", LabelOf(S::kPriorityModeList), S::kPriorityModeList, sl.PriorityMode());
        w.OptionalNumber("priority_channel", S::kPriorityLabel,
                         ChannelNumber(sl.PriorityChannelNumber(), channelCount));
        w.Listed("priority_sweep_time", LabelOf(S::kSweepTimeList), S::kSweepTimeList, sl.SweepTime());
        w.Listed("scan_tx_mode", LabelOf(S::kTxModeList), S::kTxModeList, sl.TxMode());
        w.Flag("talkback", S::kTalkbackCheck, sl.Talkback());
        w.OptionalNumber("designated_channel", S::kDesignatedLabel,
                         ChannelNumber(sl.DesignatedChannelNumber(), channelCount));
        w.Listed("hang_time", LabelOf(S::kHangTimeList), S::kHangTimeList, sl.HangTime());
        w.Flag("start_alert", S::kStartAlertCheck, sl.StartAlert());
        w.Flag("end_alert", S::kEndAlertCheck, sl.EndAlert());
        w.Flag("include_current_channel", S::kIncludeCurrentCheck, sl.IncludeCurrentChannel());
        QJsonArray members;
        std::string memberLine;
        for (std::size_t slot = 0; slot < CScanListData::kSlots; ++slot) {
            const auto n = ChannelNumber(sl.MemberNumber(slot), channelCount);
            members.append(n ? QJsonValue(static_cast<qint64>(*n)) : QJsonValue());
            memberLine += (slot > 0 ? " " : "") + (n ? std::to_string(*n) : std::string("-"));
        }
        w.Json("members", members);
        w.Line(w.Caption(CScanListData::kChannelPageText, "Members"), memberLine);
        w.Raw("bytes", Bytes(sl.Record()));
        scans.append(w.Take());
    }
    root[QStringLiteral("scan_lists")] = scans;
}

void DumpSignalling(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    CRadioData& d = c.RadioData();
    QJsonArray systems;
    w.Heading("DTMF System");
    for (std::size_t i = 0; i < d.DTMFSystems().size(); ++i) {
        const CDTMFSystemData& t = *d.DTMFSystems()[i];
        w.SubHeading(Format("DTMF System %zu", i + 1));
        w.Json("number", static_cast<int>(i + 1));
        w.Text("primary_id", LabelOf(CDTMFSystemData::kPrimaryIdEdit), t.GetIdText());
        w.Listed("ptt_id_type", LabelOf(CDTMFSystemData::kPttIdTypeList), CDTMFSystemData::kPttIdTypeList,
                 t.PttIdType());
        w.Flag("side_tone", CDTMFSystemData::kSideToneCheck, t.SideTone());
        w.Flag("short_beep", CDTMFSystemData::kShortBeepCheck, t.ShortBeep());
        w.Flag("transmit_ctcss_cdcss", CDTMFSystemData::kTransmitToneText, t.TransmitTone());
        w.Listed("pretime", LabelOf(CDTMFSystemData::kPretimeList), CDTMFSystemData::kPretimeList, t.Pretime());
        w.Listed("digit_duration", LabelOf(CDTMFSystemData::kDigitDurationList), CDTMFSystemData::kDigitDurationList,
                 t.DigitDuration());
        w.Listed("digit_interval", LabelOf(CDTMFSystemData::kDigitIntervalList), CDTMFSystemData::kDigitIntervalList,
                 t.DigitIntervalDuration());
        w.Raw("bytes", Bytes(t.Record()));
        systems.append(w.Take());
    }
    root[QStringLiteral("dtmf_systems")] = systems;

    const CEmergencyData& e = d.Emergency();
    using E = CEmergencyData;
    w.Heading(w.Caption(form::kEmergency, "Emergency"));
    w.Number("long_press_duration", LabelOf(E::kLongPressEdit), e.LongPressDuration());
    w.OptionalNumber("revert_channel", E::kRevertChannelTitle,
                     ChannelNumber(e.RevertChannelPosition(), d.Channels().size()));
    w.Flag("power_switch", E::kPowerSwitchCheck, e.PowerSwitch());
    w.Listed("id_type", LabelOf(E::kIdTypeCombo), E::kIdTypeCombo, e.IdType());
    w.Text("id", LabelOf(E::kIdEdit), e.IdTextForType());
    w.Listed("impolite_send_times", LabelOf(E::kImpoliteTimesCombo), E::kImpoliteTimesCombo, e.ImpoliteSendTimes());
    w.Listed("polite_send_times", LabelOf(E::kPoliteTimesCombo), E::kPoliteTimesCombo, e.PoliteSendTimes());
    w.Listed("alarm_mode", LabelOf(E::kAlarmModeCombo), E::kAlarmModeCombo, e.AlarmMode());
    w.Number("alarm_duration", LabelOf(E::kAlarmDurationEdit), e.AlarmDuration());
    w.Listed("alarm_cycles_mode", LabelOf(E::kAlarmCyclesModeCombo), E::kAlarmCyclesModeCombo, e.AlarmCyclesMode());
    w.Number("alarm_cycles", LabelOf(E::kAlarmCyclesEdit), e.AlarmCycles());
    w.Listed("voice_cycles_mode", LabelOf(E::kVoiceCyclesModeCombo), E::kVoiceCyclesModeCombo, e.VoiceCyclesMode());
    w.Number("voice_cycles", LabelOf(E::kVoiceCyclesEdit), e.VoiceCycles());
    w.Listed("squelch_mode", LabelOf(E::kSquelchModeCombo), E::kSquelchModeCombo, e.SquelchMode());
    w.Number("tx_duration", LabelOf(E::kTxDurationEdit), e.TxDuration());
    w.Number("rx_duration", LabelOf(E::kRxDurationEdit), e.RxDuration());
    w.Raw("bytes", Bytes(e.Block()));
    root[QStringLiteral("emergency")] = w.Take();

    const CEmbeddedMessageData& msg = d.EmbeddedMessages();
    w.Heading(w.Caption(form::kEmbedded, "Embedded messages"));
    QJsonArray messages;
    for (std::size_t i = 0; i < CEmbeddedMessageData::kMessageCount; ++i) {
        messages.append(Q(msg.Message(i)));
        w.Line(w.Caption(LabelOf(CEmbeddedMessageData::kMessageEdits[i]), "Message"), msg.Message(i));
    }
    w.Json("messages", messages);
    w.Flag("password_set", 0, !msg.Password().empty());
    root[QStringLiteral("embedded_messages")] = w.Take();
}

void DumpFactoryBlocks(CDumpWriter& w, CCliContext& c, QJsonObject& root)
{
    CRadioData& d = c.RadioData();
    const CTestFrequencyData& t = d.TestFrequencies();
    w.Heading(w.Caption(form::kTestFrequency, "Test frequencies"));
    QJsonArray channels;
    for (std::size_t k = 0; k < CTestFrequencyData::kChannelCount; ++k) {
        QJsonObject o;
        o[QStringLiteral("rx_mhz")] = Q(t.ChannelRxText(k));
        o[QStringLiteral("tx_mhz")] = Q(t.ChannelTxText(k));
        channels.append(o);
        w.Line(Format("Test channel %zu", k + 1), t.ChannelRxText(k) + " / " + t.ChannelTxText(k));
    }
    QJsonArray points;
    for (std::size_t p = 0; p < CTestFrequencyData::kPointCount; ++p) {
        QJsonObject o;
        o[QStringLiteral("rx_mhz")] = Q(t.PointRxText(p));
        o[QStringLiteral("tx_mhz")] = Q(t.PointTxText(p));
        points.append(o);
        w.Line(Format("Tuning point %zu", p + 1), t.PointRxText(p) + " / " + t.PointTxText(p));
    }
    w.Json("channels", channels);
    w.Json("points", points);
    root[QStringLiteral("test_frequencies")] = w.Take();

    const CAdjustmentData& a = d.Adjustment();
    w.Heading("Tune data");
    QJsonArray values;
    std::string line;
    for (std::size_t i = 0; i < CAdjustmentData::kValueCount; ++i) {
        values.append(a.Value(i));
        line += Format(i % 16 == 0 ? "\n      %04X" : " %04X", a.Value(i));
    }
    w.Json("values", values);
    w.Line("values", line);
    w.Flag("allow_base_band_tune", CAdjustmentData::kAllowBaseBandCheck, a.AllowBaseBandTune());
    root[QStringLiteral("adjustment")] = w.Take();
}

struct CDump {
    QJsonObject json;
    std::string text;
};

CDump Dump(CCliContext& context)
{
    CDumpWriter writer(context.Settings());
    CDump dump;
    DumpIdentity(writer, context, dump.json);
    DumpOptions(writer, context, dump.json);
    DumpChannels(writer, context, dump.json);
    DumpPersonalitiesAndScans(writer, context, dump.json);
    DumpSignalling(writer, context, dump.json);
    DumpFactoryBlocks(writer, context, dump.json);
    dump.text = writer.TextOutput();
    return dump;
}

} // namespace

QJsonObject DumpJson(CCliContext& context)
{
    return Dump(context).json;
}

std::string DumpText(CCliContext& context)
{
    return Dump(context).text;
}

} // namespace qrv::cli
