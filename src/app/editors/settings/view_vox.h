#pragma once
// The VOX view: the VOX gain level (0 switches VOX off) and the delay time.
// A new gain level goes out as its own notice, because the side keys may hold
// the VOX function only while VOX is on.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"
#include "records/vox_data.h"

class QComboBox;

namespace qrv {

class CVoxPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kVox;
    static constexpr int kGainLevel = CVoxData::kGainLevelList;
    static constexpr int kDelayTime = CVoxData::kDelayTimeList;

    explicit CVoxPage(CEditorContext& context, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    void GainChanged();

    QComboBox* m_gain;
    QComboBox* m_delay;
};

class CViewVox : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewVox(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
