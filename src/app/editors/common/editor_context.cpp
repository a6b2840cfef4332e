#include "editors/common/editor_context.h"

#include "radio_data/radio_data.h"

namespace qrv {

CEditorContext::CEditorContext(CRadioData& data, CSettings& settings, QObject* parent)
    : QObject(parent), m_data(data), m_settings(settings)
{
}

void CEditorContext::Notify(const CNotification& notification, QObject* origin)
{
    emit Notified(notification, origin);
    m_data.RunChecks(notification);
}

} // namespace qrv
