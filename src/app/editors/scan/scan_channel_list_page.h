#pragma once
// The channel list page of a scan list: how many member slots are used and
// the channel in each slot. Slots beyond the count are disabled but keep
// their channels.
#include "editors/common/editor_page.h"
#include "records/scan_list_data.h"

#include <array>

class QComboBox;

namespace qrv {

class CScanListData;

class CScanChannelListPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = CScanListData::kChannelPageText;
    static constexpr int kEntryCount = CScanListData::kEntryCountList;
    static constexpr int kSlotCount = 16;

    explicit CScanChannelListPage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CScanListData* scanList) { m_scanList = scanList; }
    // Channels added, deleted or made (in)valid elsewhere: keep the choices, refresh the lists.
    void OnNotification(const CNotification& notification) override;

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    // A new choice in slot k (1-based) clears that slot's invalid-log entry.
    void SlotChosen(int slot);
    void ApplySlotRule();

    CScanListData* m_scanList = nullptr;
    QComboBox* m_entryCount = nullptr;
    std::array<QComboBox*, kSlotCount> m_slots{};
};

} // namespace qrv
