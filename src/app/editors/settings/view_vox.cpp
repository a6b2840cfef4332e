#include "editors/settings/view_vox.h"

#include "editors/common/editor_context.h"
#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "records/vox_data.h"

#include <QComboBox>
#include <QGridLayout>

namespace qrv {

static_assert(CVoxPage::kGainLevel == CVoxData::kGainLevelList && CVoxPage::kDelayTime == CVoxData::kDelayTimeList);

CVoxPage::CVoxPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    m_gain = AddLabelledCombo(*this, *grid, kGainLevel, 0);
    m_delay = AddLabelledCombo(*this, *grid, kDelayTime, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    Localize();

    Watch(m_gain); // first: the level is stored before it is announced
    connect(m_gain, &QComboBox::activated, this, [this] { GainChanged(); });
    Watch(m_delay);
}

void CVoxPage::LoadControls()
{
    const CVoxData& vox = Data().Vox();
    ShowEntry(*m_gain, vox.GainLevel());
    ShowEntry(*m_delay, vox.DelayTime());
}

void CVoxPage::StoreControls()
{
    CVoxData& vox = Data().Vox();
    // A level that does not fit the three bits is refused and the stored one stays.
    if (const auto level = ShownByte(*m_gain, Settings()))
        vox.SetGainLevel(*level);
    if (const auto delay = ShownByte(*m_delay, Settings()))
        vox.SetDelayTime(*delay);
}

void CVoxPage::GainChanged()
{
    if (IsLoading())
        return;
    Context().Notify(Data().Vox().GainChangedNotification(), this);
}

CViewVox::CViewVox(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CVoxPage::kPage, new CVoxPage(context), parent)
{
}

} // namespace qrv
