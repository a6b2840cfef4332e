#include "editors/settings/view_microphone.h"

#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "records/microphone_data.h"

#include <QComboBox>
#include <QGridLayout>

namespace qrv {

static_assert(CMicrophonePage::kInternalGain == CMicrophoneData::kInternalGainList &&
              CMicrophonePage::kExternalGain == CMicrophoneData::kExternalGainList);

CMicrophonePage::CMicrophonePage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    m_internal = AddLabelledCombo(*this, *grid, kInternalGain, 0);
    m_external = AddLabelledCombo(*this, *grid, kExternalGain, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    Localize();
    Watch(m_internal);
    Watch(m_external);
}

void CMicrophonePage::LoadControls()
{
    const CMicrophoneData& microphone = Data().Microphone();
    ShowEntry(*m_internal, microphone.InternalGain());
    ShowEntry(*m_external, microphone.ExternalGain());
}

void CMicrophonePage::StoreControls()
{
    CMicrophoneData& microphone = Data().Microphone();
    if (const auto gain = ShownWord(*m_internal, Settings()))
        microphone.SetInternalGain(*gain);
    if (const auto gain = ShownWord(*m_external, Settings()))
        microphone.SetExternalGain(*gain);
}

CViewMicrophone::CViewMicrophone(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CMicrophonePage::kPage, new CMicrophonePage(context), parent)
{
}

} // namespace qrv
