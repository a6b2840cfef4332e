#include "editors/settings/view_miscellaneous.h"

#include "editors/settings/option_controls.h"
#include "radio_data/notification.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/miscellaneous_data.h"

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
    {CMiscellaneousPage::kSquelchLevel, &M::SquelchLevel, [](M& m, std::uint8_t v) { m.SetSquelchLevel(v); }},
    {CMiscellaneousPage::kBatterySaveDelay, &M::BatterySaveDelay,
     [](M& m, std::uint8_t v) { m.SetBatterySaveDelay(v); }},
    {CMiscellaneousPage::kBatterySaveMode, &M::BatterySaveMode, [](M& m, std::uint8_t v) { m.SetBatterySaveMode(v); }},
    {CMiscellaneousPage::kTailRevert, &M::TailRevert, [](M& m, std::uint8_t v) { m.SetTailRevert(v); }},
    {CMiscellaneousPage::kLowBatteryGap, &M::LowBatteryAlertGap,
     [](M& m, std::uint8_t v) { m.SetLowBatteryAlertGap(v); }},
    {CMiscellaneousPage::kVoiceLanguage, &M::VoicePlayLanguage,
     [](M& m, std::uint8_t v) { m.SetVoicePlayLanguage(v); }},
}};

static_assert(CMiscellaneousPage::kTailRevert == M::kTailRevertCombo &&
              CMiscellaneousPage::kSquelchLevel == M::kSquelchLevelCombo &&
              CMiscellaneousPage::kBatterySaveDelay == M::kBatterySaveDelayCombo &&
              CMiscellaneousPage::kBatterySaveMode == M::kBatterySaveModeCombo &&
              CMiscellaneousPage::kScanLed == M::kScanLedCheck &&
              CMiscellaneousPage::kLowBatteryGap == M::kLowBatteryGapCombo &&
              CMiscellaneousPage::kVoiceBattery == M::kVoiceBatteryCheck &&
              CMiscellaneousPage::kVoiceChannel == M::kVoiceChannelCheck &&
              CMiscellaneousPage::kVoiceLanguageLabel == M::kVoiceLanguageLabel &&
              CMiscellaneousPage::kVoiceLanguage == M::kVoiceLanguageCombo);

} // namespace

CMiscellaneousPage::CMiscellaneousPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
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

QComboBox* CMiscellaneousPage::Combo(int control) const
{
    for (std::size_t i = 0; i < kComboFields.size(); ++i)
        if (kComboFields[i].control == control)
            return m_combos[i];
    return m_combos.front();
}

void CMiscellaneousPage::LoadControls()
{
    const M& misc = Data().Miscellaneous();
    for (std::size_t i = 0; i < kComboFields.size(); ++i)
        ShowEntry(*m_combos[i], (misc.*kComboFields[i].get)());
    m_scanLed->setChecked(misc.ScanLed());
    m_voiceBattery->setChecked(misc.VoicePlayBattery());
    m_voiceChannel->setChecked(misc.VoicePlayChannel());
    ApplyRules();
}

void CMiscellaneousPage::StoreControls()
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

void CMiscellaneousPage::OnNotification(const CNotification& notification)
{
    if (notification.ChangesRecordCount())
        Store();
}

void CMiscellaneousPage::ApplyRules()
{
    const M& misc = Data().Miscellaneous();
    Combo(kTailRevert)->setEnabled(false);
    EnableControl(*Combo(kBatterySaveMode), misc.IsBatterySaveModeEnabled(), Settings());
    EnableControl(*Combo(kVoiceLanguage), misc.IsVoicePlayLanguageEnabled(), Settings());
}

CViewMiscellaneous::CViewMiscellaneous(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CMiscellaneousPage::kPage, new CMiscellaneousPage(context), parent)
{
}

} // namespace qrv
