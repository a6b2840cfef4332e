#pragma once
// The miscellaneous view: squelch, battery save, the CTCSS tail revert option
// (shown, never editable), low battery alert, scan LED and the voice
// announcements (shown at the factory level only).
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"
#include "records/miscellaneous_data.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace qrv {

class CMiscellaneousPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kMiscellaneous;
    static constexpr int kTailRevert = CMiscellaneousData::kTailRevertCombo;
    static constexpr int kSquelchLevel = CMiscellaneousData::kSquelchLevelCombo;
    static constexpr int kBatterySaveDelay = CMiscellaneousData::kBatterySaveDelayCombo;
    static constexpr int kBatterySaveMode = CMiscellaneousData::kBatterySaveModeCombo;
    static constexpr int kScanLed = CMiscellaneousData::kScanLedCheck;
    static constexpr int kLowBatteryGap = CMiscellaneousData::kLowBatteryGapCombo;
    static constexpr int kVoiceBattery = CMiscellaneousData::kVoiceBatteryCheck;
    static constexpr int kVoiceChannel = CMiscellaneousData::kVoiceChannelCheck;
    static constexpr int kVoiceLanguageLabel = CMiscellaneousData::kVoiceLanguageLabel;
    static constexpr int kVoiceLanguage = CMiscellaneousData::kVoiceLanguageCombo;

    explicit CMiscellaneousPage(CEditorContext& context, QWidget* parent = nullptr);

    // A channel or another record added or deleted: store and apply the rules again.
    void OnNotification(const CNotification& notification) override;

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    QComboBox* Combo(int control) const;
    void ApplyRules();

    // In the order of the field table of the source file.
    std::array<QComboBox*, 6> m_combos{};
    QCheckBox* m_scanLed;
    QCheckBox* m_voiceBattery;
    QCheckBox* m_voiceChannel;
};

class CViewMiscellaneous : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewMiscellaneous(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
