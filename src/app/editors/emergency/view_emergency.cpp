#include "editors/emergency/view_emergency.h"

#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "editors/emergency/emergency_basic_page.h"
#include "shell/localize_window.h"

#include <QHideEvent>
#include <QVBoxLayout>

namespace qrv {

CViewEmergency::CViewEmergency(CEditorContext& context, QWidget* parent)
    : CEditorView(context, parent), m_sheet(new CEditorSheet(kForm, this)), m_page(new CEmergencyBasicPage(context))
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sheet);
    m_sheet->AddPage(m_page, context.Settings());
    m_sheet->LoadPages();
    m_sheet->RestoreActivePage();
}

void CViewEmergency::OnNotification(const CNotification& notification, QObject* /*origin*/)
{
    m_sheet->NotifyPages(notification);
}

void CViewEmergency::StorePages()
{
    m_sheet->StorePages();
}

void CViewEmergency::hideEvent(QHideEvent* event)
{
    // Closing the window hides it; a minimised main window (spontaneous) is no close.
    if (!event->spontaneous())
        StorePages();
    CEditorView::hideEvent(event);
}

} // namespace qrv
