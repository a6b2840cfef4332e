// The factory model dialog's exchanges with the radio: each command connects
// the dialog's own link and closes it again before its message is shown.
#include "factory/dlg_factory_model.h"

#include "factory/factory_context.h"
#include "factory/factory_result.h"
#include "factory/radio_mode_session.h"
#include "radio_data/settings.h"
#include "radio_link/factory_link.h"
#include "radio_link/radio_link.h"
#include "radio_link/radio_messages.h"
#include "records/radio_info_data.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

#include <QLineEdit>
#include <QRadioButton>

namespace qrv {

CPortChoice CDlgFactoryModel::Ports() const
{
    return m_context.ports ? m_context.ports() : CPortChoice{};
}

bool CDlgFactoryModel::HaveLink()
{
    if (m_link)
        return true;
    ShowMessage(this, m_settings, msg::kNoRadioAnswer);
    return false;
}

void CDlgFactoryModel::Read()
{
    if (!HaveLink())
        return;
    CRadioIdentity radio;
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = ReadFactoryModel(*m_link, Ports(), m_info, radio);
    }
    if (!radio.firmware.empty() || !radio.modelId.empty()) {
        m_firmware->setText(Q(radio.firmware));
        m_modelId->setText(Q(radio.modelId));
    }
    LoadFields();
    Report(result);
}

void CDlgFactoryModel::Write()
{
    if (!CheckBeforeWrite())
        return;
    StoreFields();
    if (!HaveLink())
        return;
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = WriteFactoryModel(*m_link, Ports(), m_info);
    }
    Report(result);
}

void CDlgFactoryModel::WriteTuneSwitch()
{
    if (!HaveLink())
        return;
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = qrv::WriteTuneSwitch(*m_link, Ports(), m_open->isChecked());
    }
    Report(result);
}

void CDlgFactoryModel::Report(const CTransferResult& result)
{
    // Why the port could not be used, when it says so, before "the radio does not respond".
    if (result.noRadio)
        if (const std::string error = m_link->LastPortError(); !error.empty())
            ShowText(this, m_settings, Q(error), QMessageBox::Ok, QMessageBox::Critical);
    ShowFactoryResult(this, m_settings, result);
}

} // namespace qrv
