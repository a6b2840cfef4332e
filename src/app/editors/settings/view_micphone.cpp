#include "editors/settings/view_micphone.h"

#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "records/microphone.h"

#include <QComboBox>
#include <QGridLayout>

namespace qrv {

static_assert(CMicphonePage::kInternalGain == CMicrophoneData::kInternalGainList &&
              CMicphonePage::kExternalGain == CMicrophoneData::kExternalGainList);

CMicphonePage::CMicphonePage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
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

void CMicphonePage::LoadControls()
{
    const CMicrophoneData& microphone = Data().Microphone();
    ShowEntry(*m_internal, microphone.InternalGain());
    ShowEntry(*m_external, microphone.ExternalGain());
}

void CMicphonePage::StoreControls()
{
    CMicrophoneData& microphone = Data().Microphone();
    if (const auto gain = ShownWord(*m_internal, Settings()))
        microphone.SetInternalGain(*gain);
    if (const auto gain = ShownWord(*m_external, Settings()))
        microphone.SetExternalGain(*gain);
}

CViewMicphone::CViewMicphone(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CMicphonePage::kPage, new CMicphonePage(context), parent)
{
}

} // namespace qrv
