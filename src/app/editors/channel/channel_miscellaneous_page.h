#pragma once
// The Miscellaneous page of a channel: the personality that governs its
// transmit rules, and whether scanning starts by itself on it.
#include "editors/common/editor_page.h"

class QCheckBox;
class QComboBox;

namespace qrv {

struct CChannelBinding;

class CChannelMiscellaneousPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 3657;
    static constexpr int kPersonality = 3703;
    static constexpr int kAutoStartScan = 3707;

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
