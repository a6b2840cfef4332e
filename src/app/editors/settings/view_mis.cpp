#include "editors/settings/view_mis.h"

#include "editors/settings/option_controls.h"
#include "radio_data/notification.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/miscellaneous.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qrv {

namespace {

using M = CMiscellaneousData;

// A combo and the block field it shows. A bit field refuses an entry wider
// than itself and keeps what it held.
struct CComboField {
    int control;
    std::uint8_t (M::*get)() const;
    void (*set)(M&, std::uint8_t);
};

constexpr std::array<CComboField, 6> kComboFields{{
    {CMisPage::kSquelchLevel, &M::SquelchLevel, [](M& m, std::uint8_t v) { m.SetSquelchLevel(v); }},
    {CMisPage::kBatterySaveDelay, &M::BatterySaveDelay, [](M& m, std::uint8_t v) { m.SetBatterySaveDelay(v); }},
    {CMisPage::kBatterySaveMode, &M::BatterySaveMode, [](M& m, std::uint8_t v) { m.SetBatterySaveMode(v); }},
    {CMisPage::kTailRevert, &M::TailRevert, [](M& m, std::uint8_t v) { m.SetTailRevert(v); }},
    {CMisPage::kLowBatteryGap, &M::LowBatteryAlertGap, [](M& m, std::uint8_t v) { m.SetLowBatteryAlertGap(v); }},
    {CMisPage::kVoiceLanguage, &M::VoicePlayLanguage, [](M& m, std::uint8_t v) { m.SetVoicePlayLanguage(v); }},
}};

static_assert(CMisPage::kTailRevert == M::kTailRevertCombo && CMisPage::kSquelchLevel == M::kSquelchLevelCombo &&
              CMisPage::kBatterySaveDelay == M::kBatterySaveDelayCombo &&
              CMisPage::kBatterySaveMode == M::kBatterySaveModeCombo && CMisPage::kScanLed == M::kScanLedCheck &&
              CMisPage::kLowBatteryGap == M::kLowBatteryGapCombo && CMisPage::kVoiceBattery == M::kVoiceBatteryCheck &&
              CMisPage::kVoiceChannel == M::kVoiceChannelCheck &&
              CMisPage::kVoiceLanguageLabel == M::kVoiceLanguageLabel &&
              CMisPage::kVoiceLanguage == M::kVoiceLanguageCombo);

} // namespace

CMisPage::CMisPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (std::size_t i = 0; i + 1 < kComboFields.size(); ++i)
        m_combos[i] = AddLabelledCombo(*this, *grid, kComboFields[i].control, row++);
    m_scanLed = AddCheckBox(*this, *grid, kScanLed, row++);
    m_voiceBattery = AddCheckBox(*this, *grid, kVoiceBattery, row++);
    m_voiceChannel = AddCheckBox(*this, *grid, kVoiceChannel, row++);
    // The language sits below the announcements it is for.
    m_combos.back() = AddLabelledCombo(*this, *grid, kComboFields.back().control, row++);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    Localize();

    // Showing the voice controls is a matter of the user level, fixed for the run.
    const bool voiceShown = M::AreVoiceControlsShown(Settings());
    for (QWidget* control : std::initializer_list<QWidget*>{m_voiceBattery, m_voiceChannel, Combo(kVoiceLanguage),
                                                            CaptionOf(*Combo(kVoiceLanguage))})
        control->setHidden(!voiceShown);

    for (QComboBox* combo : m_combos)
        Watch(combo);
    for (QCheckBox* box : {m_scanLed, m_voiceBattery, m_voiceChannel})
        Watch(box);
}

QComboBox* CMisPage::Combo(int control) const
{
    for (std::size_t i = 0; i < kComboFields.size(); ++i)
        if (kComboFields[i].control == control)
            return m_combos[i];
    return m_combos.front();
}

void CMisPage::LoadControls()
{
    const M& misc = Data().Miscellaneous();
    for (std::size_t i = 0; i < kComboFields.size(); ++i)
        ShowEntry(*m_combos[i], (misc.*kComboFields[i].get)());
    m_scanLed->setChecked(misc.ScanLed());
    m_voiceBattery->setChecked(misc.VoicePlayBattery());
    m_voiceChannel->setChecked(misc.VoicePlayChannel());
    ApplyRules();
}

void CMisPage::StoreControls()
{
    M& misc = Data().Miscellaneous();
    for (std::size_t i = 0; i < kComboFields.size(); ++i)
        if (const auto entry = ShownByte(*m_combos[i], Settings()))
            kComboFields[i].set(misc, *entry);
    misc.SetScanLed(m_scanLed->isChecked());
    misc.SetVoicePlayBattery(m_voiceBattery->isChecked());
    misc.SetVoicePlayChannel(m_voiceChannel->isChecked());
    ApplyRules();
}

void CMisPage::OnNotification(const CNotification& notification)
{
    if (notification.kind == CNotification::kAdded || notification.kind == CNotification::kDeleted)
        Store();
}

void CMisPage::ApplyRules()
{
    const M& misc = Data().Miscellaneous();
    Combo(kTailRevert)->setEnabled(false);
    EnableControl(*Combo(kBatterySaveMode), misc.IsBatterySaveModeEnabled(), Settings());
    EnableControl(*Combo(kVoiceLanguage), misc.IsVoicePlayLanguageEnabled(), Settings());
}

CViewMis::CViewMis(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CMisPage::kPage, new CMisPage(context), parent)
{
}

} // namespace qrv
