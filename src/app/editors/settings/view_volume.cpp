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
    Watch(m_alertTone);
}

void CVolumePage::LoadControls()
{
    ShowEntry(*m_alertTone, Data().Volume().AlertToneVolume());
}

void CVolumePage::StoreControls()
{
    if (const auto entry = ShownByte(*m_alertTone, Settings()))
        Data().Volume().SetAlertToneVolume(*entry);
}

CViewVolume::CViewVolume(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CVolumePage::kPage, new CVolumePage(context), parent)
{
}

} // namespace qrv
