#include "factory/factory_commands.h"

#include "factory/dlg_base_band.h"
#include "factory/dlg_factory_model.h"
#include "factory/factory_context.h"
#include "factory/factory_result.h"
#include "factory/radio_mode_session.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/factory_link.h"
#include "radio_link/radio_link.h"
#include "records/frequency.h"
#include "records/radio_info_data.h"
#include "shell/message_box.h"
#include "util/text_format.h"

namespace qrv {

CFactoryCommands::CFactoryCommands(CFactoryContext& context) : m_context(context)
{
}

void CFactoryCommands::BaseBand()
{
    CRadioModeSession session(m_context);
    if (!session.Enter(CRadioLink::kModeWrite))
        return;
    CDlgBaseBand dialog(m_context, *session.Link());
    dialog.exec();
    session.Leave();
}

void CFactoryCommands::WriteTuneData()
{
    CRadioModeSession session(m_context);
    if (!session.Enter(CRadioLink::kModeWrite))
        return;
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = qrv::WriteTuneData(*session.Link(), m_context.data.Adjustment(), m_context.data.GetImage());
    }
    // The radio is let go before the message waits for the user.
    session.Leave();
    ShowFactoryResult(m_context.parent, m_context.settings, result);
}

void CFactoryCommands::FactoryMode()
{
    CDlgFactoryModel dialog(m_context);
    dialog.exec();
    TakeFactoryModel(dialog);
}

void CFactoryCommands::TakeFactoryModel(const CDlgFactoryModel& dialog)
{
    CSettings& settings = m_context.settings;
    CDocumentIdentity& identity = m_context.data.Identity();
    const CRadioInfoData& info = m_context.data.RadioInfo();
    bool changed = false;
    if (dialog.ModelNameTaken()) {
        identity.modelName = info.ModelName();
        changed = true;
    }
    if (dialog.RangeTaken()) {
        const auto lower = info.LowerFrequency();
        const auto upper = info.UpperFrequency();
        if (lower && upper) {
            const int lowerMHz = static_cast<int>(*lower / kUnitsPerMHz);
            const int upperMHz = static_cast<int>(*upper / kUnitsPerMHz);
            const FreqRangeRec range{lowerMHz, upperMHz, lowerMHz, upperMHz, info.RangeFlags()};
            // A range the user declines to add to the model stays out of the document.
            if (m_context.ranges.CheckNewFreqRange(settings, identity, range,
                                                   AskNewRange(m_context.parent, settings)) != 1) {
                identity.freqRange = MakeRangeText(lowerMHz, upperMHz);
                m_context.ranges.SetModel(settings.ProgramDirectory(), identity);
                changed = true;
            }
        }
    }
    if (dialog.SignalTaken()) {
        identity.signal = info.SignallingType();
        changed = true;
    }
    if (changed && m_context.modelChanged)
        m_context.modelChanged();
}

} // namespace qrv
