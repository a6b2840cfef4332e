#pragma once
// The configuration page of a scan list: scan and transmit modes, the
// designated and priority channels, times and alerts. The designated channel
// is offered only for transmit mode 1, the priority channel only for priority
// mode 1, and the sweep time for any priority mode but 0.
#include "editors/common/editor_page.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;

namespace qrv {

class CScanListData;

class CScanConfigPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 3800;
    static constexpr int kScanMode = 3830;
    static constexpr int kPriorityMode = 3834;
    static constexpr int kPriorityChannel = 3836;
    static constexpr int kSweepTime = 3844;
    static constexpr int kTxMode = 3846;
    static constexpr int kHangTime = 3848;
    static constexpr int kDesignatedChannel = 3850;
    static constexpr int kStartAlert = 3855;
    static constexpr int kEndAlert = 3856;
    static constexpr int kIncludeCurrent = 3857;
    static constexpr int kTalkback = 3861;

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
