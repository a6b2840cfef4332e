#pragma once
// The volume view: the alert tone volume, shown read-only at level 12, the
// level the radio always gets there.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"
#include "records/volume_data.h"

class QComboBox;

namespace qrv {

class CVolumePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kVolume;
    static constexpr int kAlertTone = CVolumeData::kAlertToneList;

    explicit CVolumePage(CEditorContext& context, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    QComboBox* m_alertTone;
};

class CViewVolume : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewVolume(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
