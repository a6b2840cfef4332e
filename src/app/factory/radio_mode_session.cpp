#include "factory/radio_mode_session.h"

#include "factory/factory_context.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/factory_link.h"
#include "radio_link/radio_link.h"
#include "radio_link/radio_messages.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

#include <QApplication>
#include <QCursor>

#include <string>

namespace qrv {

CRadioWaitCursor::CRadioWaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CRadioWaitCursor::~CRadioWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

CRadioModeSession::CRadioModeSession(CFactoryContext& context) : m_context(context)
{
}

CRadioModeSession::~CRadioModeSession()
{
    Leave();
}

bool CRadioModeSession::Enter(std::uint16_t mode)
{
    Leave();
    if (m_context.makeLink)
        m_link = m_context.makeLink();
    if (!m_link) {
        // No way to a radio at all: as if none answered.
        ShowMessage(m_context.parent, m_context.settings, msg::kNoRadioAnswer);
        return false;
    }
    CSettings& settings = m_context.settings;
    const std::string previousRange = m_context.data.Identity().freqRange;
    const CPortChoice ports = m_context.ports ? m_context.ports() : CPortChoice{};
    CEnterModeResult entered;
    {
        const CRadioWaitCursor wait;
        entered = EnterRadioMode(*m_link, settings, m_context.data.Identity(), ports, mode);
    }
    // The identity is taken before the mode is chosen, so even a radio that
    // then refuses the mode has become the document's one.
    if (entered.radioRange != FreqRangeRec{})
        TakeIdentity(entered, previousRange);
    if (!entered.ok) {
        Report(entered);
        Leave();
        return false;
    }
    m_entered = true;
    return true;
}

void CRadioModeSession::Leave()
{
    m_entered = false;
    if (!m_link)
        return;
    const CRadioWaitCursor wait;
    LeaveRadioMode(*m_link);
}

void CRadioModeSession::TakeIdentity(const CEnterModeResult& entered, const std::string& previousRange)
{
    CSettings& settings = m_context.settings;
    CDocumentIdentity& identity = m_context.data.Identity();
    const std::string firmware = identity.radioDataVersion;
    if (entered.rangeChanged)
        settings.PreviousRange = previousRange;
    m_context.ranges.CheckNewFreqRange(settings, identity, entered.radioRange, AskNewRange(m_context.parent, settings));
    if (!entered.modelChanged && !entered.rangeChanged)
        return;
    m_context.ranges.SetModel(settings.ProgramDirectory(), identity);
    if (m_context.modelChanged)
        m_context.modelChanged();
    // A new document of the model starts at the program's data version; the
    // radio's stays the one to check against.
    m_context.data.Identity().radioDataVersion = firmware;
}

void CRadioModeSession::Report(const CEnterModeResult& result) const
{
    const CSettings& settings = m_context.settings;
    if (result.noRadio)
        if (const std::string error = m_link->LastPortError(); !error.empty())
            ShowText(m_context.parent, settings, Q(error), QMessageBox::Ok, QMessageBox::Critical);
    ShowMessage(m_context.parent, settings, result.message, QMessageBox::Ok, Q(result.argument));
}

} // namespace qrv
