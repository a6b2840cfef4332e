#include "editors/settings/view_mode.h"

#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "records/mode_data.h"

#include <QCheckBox>
#include <QGridLayout>

namespace qrv {

static_assert(CModePage::kClone == CModeData::kCloneCheck &&
              CModePage::kFactoryClone == CModeData::kFactoryCloneCheck &&
              CModePage::kPanelTest == CModeData::kPanelTestCheck);

CModePage::CModePage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    m_clone = AddCheckBox(*this, *grid, kClone, 0);
    m_factoryClone = AddCheckBox(*this, *grid, kFactoryClone, 1);
    m_panelTest = AddCheckBox(*this, *grid, kPanelTest, 2);
    m_panelTest->hide();
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    Localize();
    Watch(m_clone);
    Watch(m_factoryClone);
}

void CModePage::LoadControls()
{
    CModeEditRecord record;
    record.Fill(Data().Mode());
    m_panelTest->setChecked(record.panelTest);
    m_clone->setChecked(record.clone);
    m_factoryClone->setChecked(record.factoryClone);
    ApplyCloneRule();
}

void CModePage::StoreControls()
{
    ApplyCloneRule();
    CModeEditRecord record;
    record.panelTest = m_panelTest->isChecked();
    record.clone = m_clone->isChecked();
    record.factoryClone = m_factoryClone->isChecked();
    record.Take(Data().Mode());
}

void CModePage::ApplyCloneRule()
{
    if (!m_clone->isChecked())
        m_factoryClone->setChecked(false);
    EnableControl(*m_factoryClone, m_clone->isChecked(), Settings());
}

CViewMode::CViewMode(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CModePage::kPage, new CModePage(context), parent)
{
}

} // namespace qrv
