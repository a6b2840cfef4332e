#include "editors/common/editor_context.h"

#include "radio_data/radio_data.h"
#include "radio_link/radio_link.h"

namespace qrv {

CEditorContext::CEditorContext(CRadioData& data, CSettings& settings, QObject* parent)
    : QObject(parent), m_data(data), m_settings(settings)
{
}

void CEditorContext::Notify(const CNotification& notification, QObject* origin)
{
    emit Notified(notification, origin);
    m_data.RunChecks(notification);
    emit NotifyDone(notification);
}

void CEditorContext::EndBatch()
{
    if (m_batch > 0 && --m_batch == 0)
        emit BatchDone();
}

void CEditorContext::SetRadioAccess(LinkMaker makeLink, PortLister ports)
{
    m_makeLink = std::move(makeLink);
    m_ports = std::move(ports);
}

std::unique_ptr<CRadioLink> CEditorContext::MakeLink() const
{
    return m_makeLink ? m_makeLink() : nullptr;
}

CPortChoice CEditorContext::Ports() const
{
    return m_ports ? m_ports() : CPortChoice{};
}

} // namespace qrv
