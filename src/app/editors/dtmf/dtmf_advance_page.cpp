#include "editors/dtmf/dtmf_advance_page.h"

#include "editors/common/editor_context.h"
#include "editors/settings/option_controls.h"
#include "records/dtmf_system_data.h"
#include "shell/localize_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>

namespace qrv {

static_assert(CDTMFAdvancePage::kPretime == CDTMFSystemData::kPretimeList &&
              CDTMFAdvancePage::kDigitDuration == CDTMFSystemData::kDigitDurationList &&
              CDTMFAdvancePage::kDigitInterval == CDTMFSystemData::kDigitIntervalList);

CDTMFAdvancePage::CDTMFAdvancePage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    m_pretime = AddLabelledCombo(*this, *grid, kPretime, 0);
    m_digitDuration = AddLabelledCombo(*this, *grid, kDigitDuration, 1);
    m_digitInterval = AddLabelledCombo(*this, *grid, kDigitInterval, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    Localize();

    for (QComboBox* combo : {m_pretime, m_digitDuration, m_digitInterval}) {
        combo->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, [this, combo] { Changed(combo); });
    }
}

void CDTMFAdvancePage::LoadControls()
{
    if (m_system == nullptr)
        return;
    ShowEntry(*m_pretime, m_system->Pretime());
    ShowEntry(*m_digitDuration, m_system->DigitDuration());
    ShowEntry(*m_digitInterval, m_system->DigitIntervalDuration());
    for (const QComboBox* combo : {m_pretime, m_digitDuration, m_digitInterval})
        m_remembered[combo] = combo->currentText();
}

void CDTMFAdvancePage::StoreControls()
{
    if (m_system == nullptr)
        return;
    // A stored value that the list does not offer shows nothing and is kept.
    if (const auto pretime = ShownByte(*m_pretime, Settings()))
        m_system->SetPretime(*pretime);
    if (const auto duration = ShownByte(*m_digitDuration, Settings()))
        m_system->SetDigitDuration(*duration);
    if (const auto interval = ShownByte(*m_digitInterval, Settings()))
        m_system->SetDigitIntervalDuration(*interval);
}

bool CDTMFAdvancePage::eventFilter(QObject* watched, QEvent* event)
{
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (combo != nullptr && m_remembered.count(combo) != 0) {
        if (event->type() == QEvent::FocusIn)
            m_remembered[combo] = combo->currentText();
        else if (event->type() == QEvent::FocusOut)
            Changed(combo);
    }
    return CEditorPage::eventFilter(watched, event);
}

void CDTMFAdvancePage::Changed(QComboBox* combo)
{
    if (IsLoading() || m_system == nullptr)
        return;
    QString& remembered = m_remembered[combo];
    if (combo->currentText() == remembered) {
        Store();
        return;
    }
    remembered = combo->currentText();
    UserChanged(ControlNumber(combo));
}

} // namespace qrv
