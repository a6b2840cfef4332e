#include "editors/personality/view_personality.h"

#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "editors/personality/personality_rxtx_page.h"
#include "editors/personality/personality_signal_page.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"

namespace qrv {

CViewPersonality::CViewPersonality(CEditorContext& context, int position, QWidget* parent)
    : CRecordView(context, kForm, parent), m_rxtx(new CPersonalityRXTXPage(context)),
      m_signal(new CPersonalitySignalPage(context, this))
{
    SetControlNumber(this, kForm);
    Sheet()->AddPage(m_rxtx, context.Settings());
    m_signal->hide();
    Start(position);
}

int CViewPersonality::Count() const
{
    return static_cast<int>(Context().Data().Personalities().size());
}

void CViewPersonality::AddRecord()
{
    Context().Data().Personalities().push_back(std::make_unique<CPersonalityData>());
}

bool CViewPersonality::ConfirmRemove(int position)
{
    const std::size_t users = Context().Data().ChannelsOnPersonality(static_cast<std::size_t>(position));
    return users == 0 || ShowMessage(this, Context().Settings(), msg::kPersonalityInUse,
                                     QMessageBox::Yes | QMessageBox::No, QString::number(users)) == QMessageBox::Yes;
}

void CViewPersonality::RemoveRecord(int position)
{
    if (position < 0 || position >= Count())
        return;
    // A personality holds no check entries of its own; the channels that named
    // it are reported by the checks that follow the deletion.
    m_rxtx->Bind(nullptr);
    m_signal->Bind(nullptr);
    Context().Data().RemovePersonality(static_cast<std::size_t>(position));
}

void CViewPersonality::BindRecord(int position)
{
    CPersonalityData* personality = position >= 0 && position < Count()
                                        ? Context().Data().Personalities()[static_cast<std::size_t>(position)].get()
                                        : nullptr;
    m_rxtx->Bind(personality);
    m_signal->Bind(personality);
}

std::uint32_t CViewPersonality::IdOf(int position) const
{
    const auto& personalities = Context().Data().Personalities();
    return position >= 0 && position < Count() ? personalities[static_cast<std::size_t>(position)]->TreeId() : 0;
}

} // namespace qrv
