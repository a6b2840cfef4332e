#include "editors/scan/scan_config_page.h"

#include "editors/scan/scan_combos.h"
#include "radio_data/notification.h"
#include "radio_data/radio_data.h"
#include "records/scan_list_data.h"
#include "shell/localize_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qrv {

namespace {

using S = CScanListData;

struct CValueRow {
    int control;
    std::uint8_t (S::*get)() const;
    void (S::*set)(std::uint8_t);
};

struct CFlagRow {
    int control;
    bool (S::*get)() const;
    void (S::*set)(bool);
};

constexpr std::array<CValueRow, 5> kValueRows{{
    {CScanConfigPage::kScanMode, &S::ScanMode, &S::SetScanMode},
    {CScanConfigPage::kPriorityMode, &S::PriorityMode, &S::SetPriorityMode},
    {CScanConfigPage::kSweepTime, &S::SweepTime, &S::SetSweepTime},
    {CScanConfigPage::kTxMode, &S::TxMode, &S::SetTxMode},
    {CScanConfigPage::kHangTime, &S::HangTime, &S::SetHangTime},
}};

constexpr std::array<CFlagRow, 4> kFlagRows{{
    {CScanConfigPage::kTalkback, &S::Talkback, &S::SetTalkback},
    {CScanConfigPage::kStartAlert, &S::StartAlert, &S::SetStartAlert},
    {CScanConfigPage::kEndAlert, &S::EndAlert, &S::SetEndAlert},
    {CScanConfigPage::kIncludeCurrent, &S::IncludeCurrentChannel, &S::SetIncludeCurrentChannel},
}};

constexpr std::size_t kSweepTimeField = 2;
static_assert(kValueRows[kSweepTimeField].control == CScanConfigPage::kSweepTime);

} // namespace

CScanConfigPage::CScanConfigPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    // Each mode sits above what it governs.
    constexpr std::array<int, 7> kRows{kScanMode,        kTxMode,    kDesignatedChannel, kPriorityMode,
                                       kPriorityChannel, kSweepTime, kHangTime};
    int row = 0;
    for (const int control : kRows) {
        QComboBox* combo = AddCombo(control, row++);
        if (control == kDesignatedChannel)
            m_designatedChannel = combo;
        else if (control == kPriorityChannel)
            m_priorityChannel = combo;
        for (std::size_t i = 0; i < kValueRows.size(); ++i)
            if (kValueRows[i].control == control)
                m_values[i] = combo;
    }
    for (std::size_t i = 0; i < kFlagRows.size(); ++i) {
        auto* box = new QCheckBox(this);
        SetControlNumber(box, kFlagRows[i].control);
        grid->addWidget(box, row++, 0, 1, 2);
        m_flags[i] = box;
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    Localize();

    for (QComboBox* combo : m_values)
        Watch(combo);
    Watch(m_designatedChannel);
    Watch(m_priorityChannel);
    for (QCheckBox* box : m_flags)
        Watch(box);
}

QComboBox* CScanConfigPage::AddCombo(int control, int row)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* label = new QLabel(this);
    SetControlNumber(label, control - 1); // each caption is numbered one below its combo
    auto* combo = new QComboBox(this);
    SetControlNumber(combo, control);
    label->setBuddy(combo);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    return combo;
}

void CScanConfigPage::LoadControls()
{
    if (m_scanList == nullptr)
        return;
    for (std::size_t i = 0; i < kValueRows.size(); ++i)
        ShowEntry(*m_values[i], (m_scanList->*kValueRows[i].get)());
    for (std::size_t i = 0; i < kFlagRows.size(); ++i)
        m_flags[i]->setChecked((m_scanList->*kFlagRows[i].get)());
    FillChannels(*m_designatedChannel, Data());
    ShowChannel(*m_designatedChannel, m_scanList->DesignatedId());
    FillChannels(*m_priorityChannel, Data());
    ShowChannel(*m_priorityChannel, m_scanList->PriorityId());
    ApplyEnablingRules();
}

void CScanConfigPage::StoreControls()
{
    if (m_scanList == nullptr)
        return;
    for (std::size_t i = 0; i < kValueRows.size(); ++i)
        if (const auto entry = ShownEntry(*m_values[i], kValueRows[i].control, Settings()))
            (m_scanList->*kValueRows[i].set)(*entry);
    for (std::size_t i = 0; i < kFlagRows.size(); ++i)
        (m_scanList->*kFlagRows[i].set)(m_flags[i]->isChecked());
    // An empty channel combo leaves the reference as it was.
    if (const auto id = ShownChannel(*m_designatedChannel))
        m_scanList->SetDesignatedId(*id);
    if (const auto id = ShownChannel(*m_priorityChannel))
        m_scanList->SetPriorityId(*id);
    m_scanList->StoreIdentities(Data().ChannelRefs());
    ApplyEnablingRules();
}

void CScanConfigPage::OnNotification(const CNotification& notification)
{
    if (notification.ChangesRecordCount() || notification.kind == CNotification::Kind::ValidChanged) {
        Store();
        Load();
    }
}

void CScanConfigPage::ApplyEnablingRules()
{
    EnableControl(*m_designatedChannel, kDesignatedChannel, m_scanList->DesignatedInUse(), Settings());
    EnableControl(*m_priorityChannel, kPriorityChannel, m_scanList->PriorityChannelInUse(), Settings());
    EnableControl(*m_values[kSweepTimeField], kSweepTime, m_scanList->SweepTimeInUse(), Settings());
}

} // namespace qrv
