#include "editors/settings/single_page_view.h"

#include "editors/common/editor_page.h"
#include "shell/localize_window.h"

#include <QHideEvent>
#include <QVBoxLayout>

namespace qrv {

CSinglePageView::CSinglePageView(CEditorContext& context, int formNumber, CEditorPage* page, QWidget* parent)
    : CEditorView(context, parent), m_page(page)
{
    SetControlNumber(this, formNumber);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    m_page->Load();
}

void CSinglePageView::OnNotification(const CNotification& notification, QObject* /*origin*/)
{
    m_page->OnNotification(notification);
}

void CSinglePageView::StorePages()
{
    m_page->Store();
}

void CSinglePageView::hideEvent(QHideEvent* event)
{
    // Closing the window hides it; a minimised main window (spontaneous) is no close.
    if (!event->spontaneous())
        m_page->Store();
    CEditorView::hideEvent(event);
}

} // namespace qrv
