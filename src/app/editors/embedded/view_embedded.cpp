#include "editors/embedded/view_embedded.h"

#include "dialogs/dlg_password.h"
#include "editors/common/editor_context.h"
#include "editors/embedded/embedded_message_page.h"
#include "radio_data/radio_data.h"
#include "radio_link/radio_messages.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"

#include <QVBoxLayout>

namespace qrv {

CViewEmbedded::CViewEmbedded(CEditorContext& context, QWidget* parent)
    : CEditorView(context, parent), m_page(new CEmbeddedMessagePage(context, this)), m_radio(context, this)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_page);
    m_page->Load();

    connect(m_page, &CEmbeddedMessagePage::ReadRequested, this, &CViewEmbedded::ReadFromRadio);
    connect(m_page, &CEmbeddedMessagePage::WriteRequested, this, &CViewEmbedded::WriteToRadio);
    connect(m_page, &CEmbeddedMessagePage::ChangePasswordRequested, this, &CViewEmbedded::ChangePassword);
}

void CViewEmbedded::ReadFromRadio()
{
    CEmbeddedMessageData& messages = Context().Data().EmbeddedMessages();
    MessageBlock block = messages.Block();
    const bool ok = m_radio.Read(block);
    if (m_radio.Identified())
        emit RadioIdentified();
    if (!ok)
        return;
    CSettings& settings = Context().Settings();
    if (block == messages.Block()) {
        ShowMessage(this, settings, msg::kRadioReadDone, QMessageBox::Ok);
        return;
    }
    // The codeplug's messages may be typed and not yet written: they go only when the user says so.
    if (ShowMessage(this, settings, msg::kReplaceEmbeddedMessages, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    messages.SetBlock(block);
    m_page->Load();
    Context().Notify({CNotification::Kind::Edited, CEmbeddedMessagePage::kReadButton}, this);
}

void CViewEmbedded::WriteToRadio()
{
    m_page->Store();
    const CEmbeddedMessageData& messages = Context().Data().EmbeddedMessages();
    CSettings& settings = Context().Settings();
    const bool allowed = VerifyRadioPassword(
        messages.Password(), [this, &settings] { return AskRadioPassword(settings, this); },
        [this, &settings] { ShowMessage(this, settings, msg::kWrongPassword); });
    if (!allowed)
        return;
    m_radio.Write(messages.Block());
}

void CViewEmbedded::ChangePassword()
{
    m_page->Store();
    CEmbeddedMessageData& messages = Context().Data().EmbeddedMessages();
    CDlgChangePassword dialog(Context().Settings(), messages.Password(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The data keeps the new password even when the radio does not take it.
    messages.SetFieldText(CEmbeddedMessageData::kPasswordField, dialog.NewPassword());
    Context().Notify({CNotification::Kind::Edited, CEmbeddedMessagePage::kChangePasswordButton}, this);
    m_radio.WritePassword(messages.Block());
}

void CViewEmbedded::OnNotification(const CNotification& notification, QObject* origin)
{
    if (origin != m_page)
        m_page->OnNotification(notification);
}

void CViewEmbedded::StorePages()
{
    m_page->Store();
}

void CViewEmbedded::OnCodeplugRead()
{
    ShowMessage(this, Context().Settings(), msg::kRadioReadDone, QMessageBox::Ok);
}

} // namespace qrv
