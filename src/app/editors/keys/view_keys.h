#pragma once
// The programmable keys view: the short and long press functions of the two
// side keys beside a drawing of the radio. The VOX function may be given to a
// key only while VOX is on, and switching VOX off takes it from every key.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"

#include <array>

class QComboBox;

namespace qrv {

class CKeysPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kKeys;
    static constexpr int kPicture = 6660;
    // SK1 short, SK1 long, SK2 short, SK2 long.
    static constexpr std::array<int, 4> kSideKeys{6614, 6616, 6620, 6622};

    explicit CKeysPage(CEditorContext& context, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification) override;

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    // The key functions of the language file but the one never offered.
    void OfferFunctions(QComboBox& combo);
    // Before the choice is stored: the VOX function goes back to the first entry while VOX is off.
    void RefuseVoxWhileOff(QComboBox& combo);

    std::array<QComboBox*, 4> m_keys{};
};

class CViewKeys : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewKeys(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
