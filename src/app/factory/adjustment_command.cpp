#include "factory/adjustment_command.h"

#include "factory/dlg_tuning.h"
#include "factory/factory_context.h"
#include "factory/radio_mode_session.h"
#include "radio_link/radio_link.h"

namespace qrv {

CAdjustmentCommand::CAdjustmentCommand(CFactoryContext& context) : m_context(context)
{
}

void CAdjustmentCommand::Run()
{
    CRadioModeSession session(m_context);
    if (!session.Enter(CRadioLink::kModeAdjust))
        return;
    CDlgTuning dialog(m_context.settings, m_context.data, *session.Link(), m_context.parent);
    dialog.exec();
}

} // namespace qrv
