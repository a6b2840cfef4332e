// The sections of the radio-wide blocks: identity, keys, miscellaneous, VOX,
// mode and the test frequencies.
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

constexpr std::size_t kFirmwareVersionLength = 7;

std::string Caption(int combo, const CSettings& settings)
{
    return settings.GetText(caption::LabelOf(combo));
}

constexpr int kTuningText = 4013;
constexpr std::array<std::size_t, 3> kPrintedPoints{0, 2, 4};
constexpr std::size_t kTestFrequencyGroupLength = 6;

std::string ItemOf(const std::vector<std::string>& list, std::size_t index)
{
    return index < list.size() ? list[index] : std::string();
}

} // namespace

CRadioIdentityTexts RadioIdentityTexts(const CRadioData& data, const CSettings& settings)
{
    const CRadioInfoData& info = data.RadioInfo();
    const CDocumentIdentity& identity = data.Identity();
    return {
        info.ModelName(),
        Format("%d-%d", identity.LowerLimit(), identity.UpperLimit()),
        info.SerialNumber(),
        settings.GetItemText(caption::kSignalTypeList, identity.signal),
        "V" + identity.radioDataVersion.substr(0, kFirmwareVersionLength),
        info.LastProgrammedText(),
    };
}

namespace report {

void BuildRadioIdentity(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kRadio, settings);
    const CRadioIdentityTexts texts = RadioIdentityTexts(data, settings);
    AppendSettingList(rows,
                      {
                          {settings.GetText(caption::kModelName), texts.modelName},
                          {settings.GetText(caption::kFrequencyRange), texts.frequencyRange},
                          {settings.GetText(caption::kSerialNumber), texts.serialNumber},
                          {settings.GetText(caption::kSignalingType), texts.signallingType},
                          {settings.GetText(caption::kFirmwareVersion), texts.firmwareVersion},
                          {settings.GetText(caption::kLastProgrammed), texts.lastProgrammed},
                      },
                      false, 0);
}

void BuildKeys(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kKeys, settings);
    ReportPairs pairs;
    for (std::size_t i = 0; i < CKeyData::kSideKeyCount; ++i) {
        const int combo = CKeyData::kSideKeyCombos[i];
        const std::uint8_t function = data.Keys().SideKeyFunction(i);
        // The keys view never offers this function, so a key holding it shows nothing.
        const std::string text =
            function == CKeyData::kFunctionNeverOffered ? std::string() : settings.GetItemText(combo, function);
        pairs.emplace_back(Caption(combo, settings), text);
    }
    AppendSettingList(rows, pairs, false, 0);
}

void BuildMiscellaneous(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    using M = CMiscellaneousData;
    AppendSectionStart(rows, form::kMiscellaneous, settings);
    CMiscellaneousEditRecord shown;
    shown.Fill(data.Miscellaneous(), settings);
    AppendSettingList(rows,
                      {
                          {Caption(M::kSquelchLevelCombo, settings), shown.squelchLevel},
                          {Caption(M::kTailRevertCombo, settings), shown.tailRevert},
                          {Caption(M::kBatterySaveDelayCombo, settings), shown.batterySaveDelay},
                          {Caption(M::kBatterySaveModeCombo, settings), shown.batterySaveMode},
                          {Caption(M::kLowBatteryGapCombo, settings), shown.lowBatteryAlertGap},
                          {settings.GetText(M::kScanLedCheck), OnOffText(shown.scanLed, settings)},
                      },
                      false, 0);
}

void BuildVox(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kVox, settings);
    CVoxEditRecord shown;
    shown.Fill(data.Vox(), settings);
    AppendSettingList(rows,
                      {
                          {Caption(CVoxData::kGainLevelList, settings), shown.gainLevel},
                          {Caption(CVoxData::kDelayTimeList, settings), shown.delayTime},
                      },
                      false, 4);
}

void BuildMode(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kMode, settings);
    CModeEditRecord shown;
    shown.Fill(data.Mode());
    AppendSettingList(rows,
                      {
                          {settings.GetText(CModeData::kCloneCheck), OnOffText(shown.clone, settings)},
                          {settings.GetText(CModeData::kFactoryCloneCheck), OnOffText(shown.factoryClone, settings)},
                      },
                      false, 0);
}

void BuildTestFrequencies(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kTestFrequency, settings);
    const std::vector<std::string> columns = settings.GetList(CTestFrequencyData::kColumnTitlesList);
    const std::string head = settings.GetText(kTuningText) + " " + ItemOf(columns, 0);
    const CTestFrequencyData& frequencies = data.TestFrequencies();
    ReportPairs pairs;
    unsigned number = 1;
    for (const std::size_t point : kPrintedPoints) {
        pairs.emplace_back(head + Format(" - %u", number++), std::string());
        pairs.emplace_back(ItemOf(columns, 1), frequencies.PointRxText(point));
        pairs.emplace_back(ItemOf(columns, 2), frequencies.PointTxText(point));
    }
    AppendSettingList(rows, pairs, true, kTestFrequencyGroupLength);
}

} // namespace report
} // namespace qrv
