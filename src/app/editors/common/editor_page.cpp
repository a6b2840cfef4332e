#include "editors/common/editor_page.h"

#include "editors/common/editor_context.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace qrv {

CEditorPage::CEditorPage(CEditorContext& context, int pageNumber, QWidget* parent)
    : QWidget(parent), m_context(context), m_pageNumber(pageNumber)
{
    SetControlNumber(this, pageNumber);
}

CRadioData& CEditorPage::Data() const
{
    return m_context.Data();
}

CSettings& CEditorPage::Settings() const
{
    return m_context.Settings();
}

void CEditorPage::Load()
{
    const bool wasLoading = m_loading;
    m_loading = true;
    LoadControls();
    m_loading = wasLoading;
}

void CEditorPage::Store()
{
    StoreControls();
}

bool CEditorPage::ReloadsOn(const CNotification& notification) const
{
    return notification.ChangesRecordCount();
}

void CEditorPage::OnNotification(const CNotification& notification)
{
    if (ReloadsOn(notification))
        Load();
}

void CEditorPage::UserChanged(int controlNumber, CNotification::Kind kind)
{
    if (m_loading)
        return;
    Store();
    m_context.Notify({kind, static_cast<std::uint32_t>(controlNumber)}, this);
}

void CEditorPage::Watch(QComboBox* combo)
{
    connect(combo, &QComboBox::activated, this, [this, combo] { UserChanged(ControlNumber(combo)); });
    if (combo->isEditable())
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this,
                [this, combo] { UserChanged(ControlNumber(combo)); });
}

void CEditorPage::Watch(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, [this, button] { UserChanged(ControlNumber(button)); });
}

void CEditorPage::Watch(QLineEdit* edit)
{
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (edit->isModified()) {
            edit->setModified(false);
            UserChanged(ControlNumber(edit));
        }
    });
}

void CEditorPage::Watch(QSpinBox* spin)
{
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { UserChanged(ControlNumber(spin)); });
}

void CEditorPage::Localize()
{
    LocalizeWindow(*this, Settings(), m_pageNumber);
}

void CEditorPage::ShowPageMessage(int messageNumber)
{
    ShowMessage(this, Settings(), messageNumber);
}

} // namespace qrv
