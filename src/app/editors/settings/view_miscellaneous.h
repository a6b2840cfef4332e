#pragma once
// The miscellaneous view: squelch, battery save, the CTCSS tail revert option
// (shown, never editable), low battery alert, scan LED and the voice
// announcements (shown at the factory level only).
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace qrv {

class CMiscellaneousPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kMiscellaneous;
    static constexpr int kTailRevert = 1402;
    static constexpr int kSquelchLevel = 1404;
    static constexpr int kBatterySaveDelay = 1412;
    static constexpr int kBatterySaveMode = 1414;
    static constexpr int kScanLed = 1416;
    static constexpr int kLowBatteryGap = 1420;
    static constexpr int kVoiceBattery = 1421;
    static constexpr int kVoiceChannel = 1422;
    static constexpr int kVoiceLanguageLabel = 1423;
    static constexpr int kVoiceLanguage = 1424;

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
