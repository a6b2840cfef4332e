#include "editors/settings/view_volume.h"

#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "records/volume_data.h"

#include <QComboBox>
#include <QGridLayout>

namespace qrv {

static_assert(CVolumePage::kAlertTone == CVolumeData::kAlertToneList);

CVolumePage::CVolumePage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    m_alertTone = AddLabelledCombo(*this, *grid, kAlertTone, 0);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    Localize();
    // The radio always gets level 12 here, whatever is chosen: the control
    // shows that and takes no edits that would never reach the radio.
    m_alertTone->setEnabled(false);
}

void CVolumePage::LoadControls()
{
    ShowEntry(*m_alertTone, CVolumeData::kStoredAlertTone);
}

void CVolumePage::StoreControls()
{
}

CViewVolume::CViewVolume(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CVolumePage::kPage, new CVolumePage(context), parent)
{
}

} // namespace qrv
