#include "dialogs/dlg_password.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/message_transfer.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace qrv {

namespace {

constexpr int kPasswordEdit = 1132;
constexpr int kOldEdit = 4724;
constexpr int kNewEdit = 4725;
constexpr int kConfirmEdit = 4726;
constexpr int kOkButton = 4727;
constexpr int kCancelButton = 4729;

// Takes a text only when the radio can store it as a password, and keeps the
// reason of the last refusal for the message.
class CPasswordValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override
    {
        const int problem = RadioPasswordProblem(S(input));
        if (problem == 0)
            return Acceptable;
        m_refusal = problem;
        return Invalid;
    }
    int Refusal() const { return m_refusal; }

private:
    mutable int m_refusal = 0;
};

// No maximum length: the validator sees a pasted text whole, so an over-long
// one is refused with its message instead of being cut.
QLineEdit* PasswordEdit(QWidget* parent, QFormLayout* form, const CSettings& settings, int control)
{
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    auto* validator = new CPasswordValidator(edit);
    edit->setValidator(validator);
    edit->setToolTip(Q(settings.GetMessage(msg::kPasswordRule)));
    edit->setProperty("controlNumber", control);
    QObject::connect(edit, &QLineEdit::inputRejected, parent,
                     [parent, &settings, validator] { ShowMessage(parent, settings, validator->Refusal()); });
    form->addRow(Q(settings.GetText(control)), edit);
    return edit;
}

} // namespace

CDlgInputPassword::CDlgInputPassword(const CSettings& settings, QWidget* parent) : QDialog(parent)
{
    setProperty("controlNumber", kForm);
    setWindowTitle(Q(settings.GetText(kForm)));
    auto* form = new QFormLayout(this);
    m_edit = PasswordEdit(this, form, settings, kPasswordEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Q(settings.GetText(1)));
    buttons->button(QDialogButtonBox::Cancel)->setText(Q(settings.GetText(2)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

std::string CDlgInputPassword::Typed() const
{
    return S(m_edit->text());
}

std::optional<std::string> AskRadioPassword(const CSettings& settings, QWidget* parent)
{
    CDlgInputPassword dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Typed();
}

CDlgChangePassword::CDlgChangePassword(const CSettings& settings, std::string current, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_current(std::move(current))
{
    setProperty("controlNumber", kForm);
    setWindowTitle(Q(settings.GetText(kForm)));
    auto* form = new QFormLayout(this);
    m_old = PasswordEdit(this, form, settings, kOldEdit);
    m_new = PasswordEdit(this, form, settings, kNewEdit);
    m_confirm = PasswordEdit(this, form, settings, kConfirmEdit);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Q(settings.GetText(kOkButton)), QDialogButtonBox::AcceptRole);
    ok->setProperty("controlNumber", kOkButton);
    QPushButton* cancel = buttons->addButton(Q(settings.GetText(kCancelButton)), QDialogButtonBox::RejectRole);
    cancel->setProperty("controlNumber", kCancelButton);
    connect(ok, &QPushButton::clicked, this, &CDlgChangePassword::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    form->addRow(buttons);
}

void CDlgChangePassword::Confirm()
{
    if (!SameRadioPassword(m_current, S(m_old->text()))) {
        m_old->clear();
        m_new->clear();
        m_confirm->clear();
        ShowMessage(this, m_settings, msg::kWrongOldPassword);
        m_old->setFocus();
        return;
    }
    if (m_new->text() == m_confirm->text()) {
        ShowMessage(this, m_settings, msg::kPasswordChanged, QMessageBox::Ok);
        accept();
        return;
    }
    m_new->clear();
    m_confirm->clear();
    ShowMessage(this, m_settings, msg::kPasswordMismatch);
    m_new->setFocus();
}

std::string CDlgChangePassword::NewPassword() const
{
    return S(m_new->text());
}

} // namespace qrv
