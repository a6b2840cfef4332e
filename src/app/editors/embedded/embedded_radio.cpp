#include "editors/embedded/embedded_radio.h"

#include "editors/common/editor_context.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "radio_link/radio_messages.h"
#include "radio_link/transfer_message.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

#include <QApplication>
#include <QCursor>

#include <memory>

namespace qrv {

namespace {

// The wait cursor for the length of one exchange; it is gone before any message.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace

CEmbeddedRadio::CEmbeddedRadio(CEditorContext& context, QWidget* parent) : m_context(context), m_parent(parent)
{
}

CTransferResult CEmbeddedRadio::Run(const Step& step)
{
    m_range = {};
    m_portError.clear();
    const CWaitCursor wait;
    std::unique_ptr<CRadioLink> link = m_context.MakeLink();
    if (!link) {
        // No way to a radio at all: as if none answered.
        CTransferResult none;
        none.message = msg::kNoRadioAnswer;
        none.noRadio = true;
        return none;
    }
    CMessageTransfer transfer(*link, m_context.Settings(), m_context.Data().Identity());
    CTransferResult result = step(transfer);
    transfer.ApplyTo(m_context.Data().Identity(), m_context.Settings());
    m_range = transfer.RadioRange();
    if (result.noRadio)
        m_portError = link->LastPortError();
    return result;
}

void CEmbeddedRadio::Report(const CTransferResult& result) const
{
    const CSettings& settings = m_context.Settings();
    if (!m_portError.empty())
        ShowText(m_parent, settings, Q(m_portError), QMessageBox::Ok, QMessageBox::Critical);
    ShowMessageText(m_parent, settings, result.message, TransferMessageText(settings, result));
}

bool CEmbeddedRadio::Read(MessageBlock& block)
{
    const CPortChoice ports = m_context.Ports();
    const CTransferResult result = Run([&](CMessageTransfer& t) { return t.Read(ports, block); });
    if (!result.ok)
        Report(result);
    return result.ok;
}

bool CEmbeddedRadio::Write(const MessageBlock& block)
{
    const CPortChoice ports = m_context.Ports();
    const CTransferResult result = Run([&](CMessageTransfer& t) { return t.Write(ports, block); });
    Report(result);
    return result.ok;
}

bool CEmbeddedRadio::WritePassword(const MessageBlock& block)
{
    const CPortChoice ports = m_context.Ports();
    const CTransferResult result = Run([&](CMessageTransfer& t) { return t.WritePassword(ports, block); });
    Report(result);
    return result.ok;
}

} // namespace qrv
