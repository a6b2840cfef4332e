#include "editors/dtmf/view_dtmf_system.h"

#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "editors/dtmf/dtmf_advance_page.h"
#include "editors/dtmf/dtmf_basic_page.h"
#include "radio_data/radio_data.h"
#include "shell/localize_window.h"

#include <QHideEvent>

namespace qrv {

CViewDTMFSystem::CViewDTMFSystem(CEditorContext& context, int position, QWidget* parent)
    : CRecordView(context, kSheet, parent), m_basic(new CDTMFBasicPage(context)),
      m_advanced(new CDTMFAdvancePage(context))
{
    SetControlNumber(this, kSheet);
    Sheet()->AddPage(m_basic, context.Settings());
    Sheet()->AddPage(m_advanced, context.Settings());
    Start(position);
}

int CViewDTMFSystem::Count() const
{
    return static_cast<int>(Context().Data().DTMFSystems().size());
}

void CViewDTMFSystem::AddRecord()
{
    Context().Data().DTMFSystems().push_back(std::make_unique<CDTMFSystemData>());
}

void CViewDTMFSystem::RemoveRecord(int position)
{
    CRadioData& radio = Context().Data();
    auto& systems = radio.DTMFSystems();
    if (position < 0 || position >= Count())
        return;
    m_basic->Bind(nullptr);
    m_advanced->Bind(nullptr);
    systems[static_cast<std::size_t>(position)]->WithdrawCheckEntries(radio.InvalidLog());
    systems.erase(systems.begin() + position);
}

void CViewDTMFSystem::BindRecord(int position)
{
    CDTMFSystemData* system = position >= 0 && position < Count()
                                  ? Context().Data().DTMFSystems()[static_cast<std::size_t>(position)].get()
                                  : nullptr;
    m_basic->Bind(system);
    m_advanced->Bind(system);
}

std::uint32_t CViewDTMFSystem::IdOf(int position) const
{
    const auto& systems = Context().Data().DTMFSystems();
    if (position < 0 || position >= Count())
        return 0;
    const auto& system = systems[static_cast<std::size_t>(position)];
    return system ? system->TreeId() : 0;
}

void CViewDTMFSystem::hideEvent(QHideEvent* event)
{
    // Closing the window hides it; a minimised main window (spontaneous) is no close.
    if (!event->spontaneous())
        StorePages();
    CRecordView::hideEvent(event);
}

} // namespace qrv
