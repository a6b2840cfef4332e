#pragma once
// The Miscellaneous page of a channel: the personality that governs its
// transmit rules, and whether scanning starts by itself on it.
#include "editors/common/editor_page.h"
#include "records/channel_data.h"

class QCheckBox;
class QComboBox;

namespace qrv {

struct CChannelBinding;

class CChannelMiscellaneousPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = CChannelData::kMiscPageText;
    static constexpr int kPersonality = CChannelData::kPersonalityControl;
    static constexpr int kAutoStartScan = CChannelData::kAutoStartScanCheck;

    CChannelMiscellaneousPage(CEditorContext& context, CChannelBinding& binding, QWidget* parent = nullptr);

protected:
    // The personality list is rebuilt on every load, so on every item added or deleted.
    void LoadControls() override;
    void StoreControls() override;

private:
    void FillPersonalities();

    CChannelBinding& m_binding;
    QComboBox* m_personality = nullptr;
    QCheckBox* m_autoStartScan = nullptr;
};

} // namespace qrv
