#pragma once
// The configuration page of a scan list: scan and transmit modes, the
// designated and priority channels, times and alerts. The designated channel
// is offered only for transmit mode 1, the priority channel only for priority
// mode 1, and the sweep time for any priority mode but 0.
#include "editors/common/editor_page.h"
#include "records/scan_list_data.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;

namespace qrv {

class CScanListData;

class CScanConfigPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = CScanListData::kConfigPageText;
    static constexpr int kScanMode = CScanListData::kScanModeList;
    static constexpr int kPriorityMode = CScanListData::kPriorityModeList;
    static constexpr int kPriorityChannel = CScanListData::kPriorityControl;
    static constexpr int kSweepTime = CScanListData::kSweepTimeList;
    static constexpr int kTxMode = CScanListData::kTxModeList;
    static constexpr int kHangTime = CScanListData::kHangTimeList;
    static constexpr int kDesignatedChannel = CScanListData::kDesignatedControl;
    static constexpr int kStartAlert = CScanListData::kStartAlertCheck;
    static constexpr int kEndAlert = CScanListData::kEndAlertCheck;
    static constexpr int kIncludeCurrent = CScanListData::kIncludeCurrentCheck;
    static constexpr int kTalkback = CScanListData::kTalkbackCheck;

    explicit CScanConfigPage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CScanListData* scanList) { m_scanList = scanList; }
    // Channels added, deleted or made (in)valid elsewhere: keep the choices, refresh the lists.
    void OnNotification(const CNotification& notification) override;

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    QComboBox* AddCombo(int control, int row);
    void ApplyEnablingRules();

    CScanListData* m_scanList = nullptr;
    // In the order of the value and flag tables of the source file.
    std::array<QComboBox*, 5> m_values{};
    std::array<QCheckBox*, 4> m_flags{};
    QComboBox* m_priorityChannel = nullptr;
    QComboBox* m_designatedChannel = nullptr;
};

} // namespace qrv
