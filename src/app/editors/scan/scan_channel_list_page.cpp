#include "editors/scan/scan_channel_list_page.h"

#include "editors/scan/scan_combos.h"
#include "radio_data/notification.h"
#include "radio_data/radio_data.h"
#include "records/scan_list_data.h"
#include "shell/localize_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qrv {

namespace {

constexpr int kEntryCountLabel = 3942;
constexpr int kSlotsPerColumn = 8;

} // namespace

CScanChannelListPage::CScanChannelListPage(CEditorContext& context, QWidget* parent)
    : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    auto* countLabel = new QLabel(this);
    SetControlNumber(countLabel, kEntryCountLabel);
    m_entryCount = new QComboBox(this);
    SetControlNumber(m_entryCount, kEntryCount);
    countLabel->setBuddy(m_entryCount);
    grid->addWidget(countLabel, 0, 0);
    grid->addWidget(m_entryCount, 0, 1);
    for (int k = 1; k <= kSlotCount; ++k) {
        auto* label = new QLabel(this);
        SetControlNumber(label, CScanListData::kFirstSlotLabel + k);
        auto* combo = new QComboBox(this);
        SetControlNumber(combo, CScanListData::kFirstSlotControl + k);
        label->setBuddy(combo);
        const int row = 1 + (k - 1) % kSlotsPerColumn;
        const int column = 2 * ((k - 1) / kSlotsPerColumn);
        grid->addWidget(label, row, column);
        grid->addWidget(combo, row, column + 1);
        m_slots[static_cast<std::size_t>(k - 1)] = combo;
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(1 + kSlotsPerColumn, 1);
    Localize();

    Watch(m_entryCount);
    for (int k = 1; k <= kSlotCount; ++k) {
        QComboBox* combo = m_slots[static_cast<std::size_t>(k - 1)];
        connect(combo, &QComboBox::activated, this, [this, k] { SlotChosen(k); });
        Watch(combo);
    }
}

void CScanChannelListPage::LoadControls()
{
    if (m_scanList == nullptr)
        return;
    ShowEntry(*m_entryCount, m_scanList->EntryCount());
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot) {
        FillChannels(*m_slots[slot], Data());
        ShowChannel(*m_slots[slot], m_scanList->MemberId(slot));
    }
    ApplySlotRule();
}

void CScanChannelListPage::StoreControls()
{
    if (m_scanList == nullptr)
        return;
    if (const auto count = ShownEntry(*m_entryCount, kEntryCount, Settings()))
        m_scanList->SetEntryCount(*count);
    // An empty slot names no channel; disabled slots store what they show.
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot)
        m_scanList->SetMemberId(slot, ShownChannel(*m_slots[slot]).value_or(0));
    m_scanList->StoreIdentities(Data().ChannelRefs());
    ApplySlotRule();
}

void CScanChannelListPage::OnNotification(const CNotification& notification)
{
    if (notification.ChangesRecordCount() || notification.kind == CNotification::Kind::ValidChanged) {
        Store();
        Load();
    }
}

void CScanChannelListPage::SlotChosen(int slot)
{
    if (!IsLoading() && m_scanList != nullptr)
        m_scanList->WithdrawSlotEntry(slot, Data().InvalidLog());
}

void CScanChannelListPage::ApplySlotRule()
{
    // The count as shown, read as a number; nothing shown enables no slot.
    const int used = m_entryCount->currentText().toInt();
    for (int k = 1; k <= kSlotCount; ++k)
        EnableControl(*m_slots[static_cast<std::size_t>(k - 1)], CScanListData::kFirstSlotControl + k, k <= used,
                      Settings());
}

} // namespace qrv
