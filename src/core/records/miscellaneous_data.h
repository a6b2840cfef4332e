#pragma once
// The miscellaneous block (14 bytes at 0x119): squelch level, battery save,
// low battery alert, scan LED and the voice announcements.
#include "util/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

class CSettings;

class CMiscellaneousData {
public:
    static constexpr std::size_t kImageOffset = 0x119;
    static constexpr std::size_t kBlockSize = 14;

    static constexpr std::size_t kSquelchLevelOffset = 0;
    static constexpr std::size_t kBatterySaveDelayOffset = 5;
    static constexpr std::size_t kOptionsOffset = 6;
    static constexpr std::uint8_t kBatterySaveModeMask = 0x03;
    static constexpr std::uint8_t kTailRevertMask = 0x04;
    static constexpr std::uint8_t kScanLedMask = 0x20;
    static constexpr std::size_t kLowBatteryGapOffset = 8;
    static constexpr std::size_t kVoiceOffset = 9;
    static constexpr std::uint8_t kVoiceBatteryMask = 0x01;
    static constexpr std::uint8_t kVoiceChannelMask = 0x02;
    static constexpr std::uint8_t kVoiceLanguageMask = 0xF0;

    // Control numbers; combos use the value list of the same number.
    static constexpr int kTailRevertCombo = 1402;
    static constexpr int kSquelchLevelCombo = 1404;
    static constexpr int kBatterySaveDelayCombo = 1412;
    static constexpr int kBatterySaveModeCombo = 1414;
    static constexpr int kScanLedCheck = 1416;
    static constexpr int kLowBatteryGapCombo = 1420;
    static constexpr int kVoiceBatteryCheck = 1421;
    static constexpr int kVoiceChannelCheck = 1422;
    static constexpr int kVoiceLanguageLabel = 1423;
    static constexpr int kVoiceLanguageCombo = 1424;

    using BlockBytes = std::array<std::uint8_t, kBlockSize>;
    // The voice language of a new block: 1 (the first language) in the high
    // nibble of byte 9 when the program runs in its first language, else 0.
    static constexpr BlockBytes kDefaultBlock = {0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26,
                                                 0xFF, 0x14, 0x1C, 0xFF, 0xFF, 0xFF, 0xFF};
    static constexpr std::uint8_t kFirstVoiceLanguage = 1;
    static constexpr std::uint8_t kOtherVoiceLanguage = 0;

    CMiscellaneousData() { SetDefaults(0); }

    void SetDefaults(int languageIndex);
    void LoadFromImage(const Image& image);
    void StoreToImage(Image& image) const;
    // The block refers to nothing: loading needs no further step.
    void AfterLoad() {}
    const BlockBytes& Block() const { return m_block; }

    std::uint8_t SquelchLevel() const { return m_block[kSquelchLevelOffset]; }
    void SetSquelchLevel(std::uint8_t entry) { m_block[kSquelchLevelOffset] = entry; }
    std::uint8_t BatterySaveDelay() const { return m_block[kBatterySaveDelayOffset]; }
    void SetBatterySaveDelay(std::uint8_t entry) { m_block[kBatterySaveDelayOffset] = entry; }
    std::uint8_t BatterySaveMode() const { return Field(kOptionsOffset, kBatterySaveModeMask); }
    bool SetBatterySaveMode(unsigned entry) { return SetField(kOptionsOffset, kBatterySaveModeMask, entry); }
    std::uint8_t TailRevert() const { return Field(kOptionsOffset, kTailRevertMask); }
    bool SetTailRevert(unsigned entry) { return SetField(kOptionsOffset, kTailRevertMask, entry); }
    bool ScanLed() const { return Field(kOptionsOffset, kScanLedMask) != 0; }
    void SetScanLed(bool on) { SetField(kOptionsOffset, kScanLedMask, on ? 1 : 0); }
    std::uint8_t LowBatteryAlertGap() const { return m_block[kLowBatteryGapOffset]; }
    void SetLowBatteryAlertGap(std::uint8_t entry) { m_block[kLowBatteryGapOffset] = entry; }
    bool VoicePlayBattery() const { return Field(kVoiceOffset, kVoiceBatteryMask) != 0; }
    void SetVoicePlayBattery(bool on) { SetField(kVoiceOffset, kVoiceBatteryMask, on ? 1 : 0); }
    bool VoicePlayChannel() const { return Field(kVoiceOffset, kVoiceChannelMask) != 0; }
    void SetVoicePlayChannel(bool on) { SetField(kVoiceOffset, kVoiceChannelMask, on ? 1 : 0); }
    std::uint8_t VoicePlayLanguage() const { return Field(kVoiceOffset, kVoiceLanguageMask); }
    bool SetVoicePlayLanguage(unsigned entry) { return SetField(kVoiceOffset, kVoiceLanguageMask, entry); }

    // Page rules: battery save mode needs a battery save delay; the voice
    // language needs one of the voice announcements; the voice controls are
    // shown only at the factory level; the tail revert option is never editable.
    bool IsBatterySaveModeEnabled() const { return BatterySaveDelay() != 0; }
    bool IsVoicePlayLanguageEnabled() const { return VoicePlayBattery() || VoicePlayChannel(); }
    static bool AreVoiceControlsShown(const CSettings& settings);

private:
    std::uint8_t Field(std::size_t offset, std::uint8_t mask) const { return GetBits(m_block[offset], mask); }
    // Refuses (false) a value wider than the field; the byte is then unchanged.
    bool SetField(std::size_t offset, std::uint8_t mask, unsigned value);

    BlockBytes m_block = kDefaultBlock;
};

struct CMiscellaneousEditRecord {
    std::string squelchLevel;
    std::string batterySaveDelay;
    std::string batterySaveMode;
    std::string tailRevert;
    bool scanLed = false;
    std::string lowBatteryAlertGap;
    bool voicePlayBattery = false;
    bool voicePlayChannel = false;
    std::string voicePlayLanguage;

    void Fill(const CMiscellaneousData& data, const CSettings& settings);
    // Unknown texts store 0xFF in whole bytes and keep bit fields; false when any text matched no entry.
    bool Take(CMiscellaneousData& data, const CSettings& settings) const;
};

} // namespace qrv
