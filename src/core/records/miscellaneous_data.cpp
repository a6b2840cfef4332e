#include "records/miscellaneous_data.h"

#include "radio_data/settings.h"

#include <algorithm>
#include <optional>

namespace qrv {

namespace {

constexpr std::uint8_t kNoEntry = 0xFF;

} // namespace

void CMiscellaneousData::SetDefaults(int languageIndex)
{
    m_block = kDefaultBlock;
    SetVoicePlayLanguage(languageIndex == 0 ? kFirstVoiceLanguage : kOtherVoiceLanguage);
}

void CMiscellaneousData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CMiscellaneousData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

bool CMiscellaneousData::SetField(std::size_t offset, std::uint8_t mask, unsigned value)
{
    if (value > GetBits(0xFF, mask))
        return false;
    m_block[offset] = SetBits(m_block[offset], mask, value);
    return true;
}

bool CMiscellaneousData::AreVoiceControlsShown(const CSettings& settings)
{
    return settings.GetUserLevel() == CSettings::kFactoryLevel;
}

void CMiscellaneousEditRecord::Fill(const CMiscellaneousData& data, const CSettings& settings)
{
    using M = CMiscellaneousData;
    squelchLevel = settings.GetItemText(M::kSquelchLevelCombo, data.SquelchLevel());
    batterySaveDelay = settings.GetItemText(M::kBatterySaveDelayCombo, data.BatterySaveDelay());
    batterySaveMode = settings.GetItemText(M::kBatterySaveModeCombo, data.BatterySaveMode());
    tailRevert = settings.GetItemText(M::kTailRevertCombo, data.TailRevert());
    scanLed = data.ScanLed();
    lowBatteryAlertGap = settings.GetItemText(M::kLowBatteryGapCombo, data.LowBatteryAlertGap());
    voicePlayBattery = data.VoicePlayBattery();
    voicePlayChannel = data.VoicePlayChannel();
    voicePlayLanguage = settings.GetItemText(M::kVoiceLanguageCombo, data.VoicePlayLanguage());
}

bool CMiscellaneousEditRecord::Take(CMiscellaneousData& data, const CSettings& settings) const
{
    using M = CMiscellaneousData;
    bool ok = true;
    const auto entryByte = [&](int list, const std::string& text) {
        const auto entry = settings.GetItemByte(list, text);
        ok = ok && entry.has_value();
        return entry.value_or(kNoEntry);
    };
    const auto takeBits = [&](int list, const std::string& text, bool (M::*set)(unsigned)) {
        const auto entry = settings.GetItemByte(list, text);
        if (!entry || !(data.*set)(*entry))
            ok = false;
    };
    data.SetSquelchLevel(entryByte(M::kSquelchLevelCombo, squelchLevel));
    data.SetBatterySaveDelay(entryByte(M::kBatterySaveDelayCombo, batterySaveDelay));
    takeBits(M::kBatterySaveModeCombo, batterySaveMode, &M::SetBatterySaveMode);
    takeBits(M::kTailRevertCombo, tailRevert, &M::SetTailRevert);
    data.SetScanLed(scanLed);
    data.SetLowBatteryAlertGap(entryByte(M::kLowBatteryGapCombo, lowBatteryAlertGap));
    data.SetVoicePlayBattery(voicePlayBattery);
    data.SetVoicePlayChannel(voicePlayChannel);
    takeBits(M::kVoiceLanguageCombo, voicePlayLanguage, &M::SetVoicePlayLanguage);
    return ok;
}

} // namespace qrv
