#include "editors/dtmf/dtmf_basic_page.h"

#include "editors/settings/option_controls.h"
#include "records/dtmf_system_data.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace qrv {

static_assert(CDTMFBasicPage::kPttIdType == CDTMFSystemData::kPttIdTypeList);

CDTMFBasicPage::CDTMFBasicPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    auto* idLabel = new QLabel(this);
    SetControlNumber(idLabel, kPrimaryId - 1);
    m_id = new QLineEdit(this);
    SetControlNumber(m_id, kPrimaryId);
    idLabel->setBuddy(m_id);
    // The digits a DTMF encoder sends; lower-case a-d are taken as A-D.
    m_id->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9a-dA-D*#]*")), m_id));
    m_id->setMaxLength(static_cast<int>(CDTMFSystemData::kMaxIdLength));
    grid->addWidget(idLabel, 0, 0);
    grid->addWidget(m_id, 0, 1);
    m_pttIdType = AddLabelledCombo(*this, *grid, kPttIdType, 1);
    m_sideTone = AddCheckBox(*this, *grid, kSideTone, 2);
    m_shortBeep = AddCheckBox(*this, *grid, kShortBeep, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    Localize();

    connect(m_id, &QLineEdit::editingFinished, this, &CDTMFBasicPage::IdEdited);
    connect(m_pttIdType, &QComboBox::activated, this, [this] { Store(); });
    for (QCheckBox* box : {m_sideTone, m_shortBeep})
        connect(box, &QCheckBox::clicked, this, [this] { Store(); });
}

bool CDTMFBasicPage::ReloadsOn(const CNotification& /*notification*/) const
{
    return false;
}

void CDTMFBasicPage::LoadControls()
{
    if (m_system == nullptr)
        return;
    ShowId();
    ShowEntry(*m_pttIdType, m_system->PttIdType());
    m_sideTone->setChecked(m_system->SideTone());
    m_shortBeep->setChecked(m_system->ShortBeep());
}

void CDTMFBasicPage::StoreControls()
{
    if (m_system == nullptr)
        return;
    // The edit offers only sendable digits; should a text be refused all the
    // same, the stored ID stays and shows again.
    if (m_id->text() != m_shownId) {
        m_system->SetIdText(S(m_id->text()));
        ShowId();
    }
    if (const auto type = ShownByte(*m_pttIdType, Settings()))
        m_system->SetPttIdType(*type);
    m_system->SetSideTone(m_sideTone->isChecked());
    m_system->SetShortBeep(m_shortBeep->isChecked());
}

void CDTMFBasicPage::IdEdited()
{
    if (m_id->isModified())
        Store();
}

void CDTMFBasicPage::ShowId()
{
    // As the radio holds it: upper-case letters, or nothing for an empty ID.
    m_id->setText(Q(m_system->GetIdText()));
    m_id->setModified(false);
    m_shownId = m_id->text();
}

} // namespace qrv
