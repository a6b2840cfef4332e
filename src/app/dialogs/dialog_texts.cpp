#include "dialogs/dialog_texts.h"

#include "radio_data/settings.h"
#include "shell/qt_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace qrv {

void SetControlNumber(QObject* object, int number)
{
    object->setProperty(kControlNumberProperty, number);
}

int ControlNumber(const QObject* object)
{
    const QVariant value = object->property(kControlNumberProperty);
    return value.isValid() ? value.toInt() : 0;
}

QDialogButtonBox* MakeDialogButtons(QWidget* parent)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, parent);
    SetControlNumber(box->button(QDialogButtonBox::Ok), kOkButton);
    SetControlNumber(box->button(QDialogButtonBox::Cancel), kCancelButton);
    SetControlNumber(box->button(QDialogButtonBox::Help), kHelpButton);
    return box;
}

namespace {

void LocalizeControl(QWidget& control, const CSettings& settings, int number)
{
    const std::string text = settings.GetText(number);
    if (text.empty())
        return; // the control keeps what it was built with
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(Q(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(Q(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        combo->clear();
        for (const CComboLine& line : CSettings::FillCombo(text))
            combo->addItem(Q(line.text), QVariant::fromValue(line.data));
    }
}

} // namespace

void LocalizeDialog(QWidget& dialog, const CSettings& settings, int number)
{
    if (const std::string caption = settings.GetText(number); !caption.empty())
        dialog.setWindowTitle(Q(caption));
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        const int controlNumber = ControlNumber(control);
        if (controlNumber == 0)
            continue;
        if (control->parentWidget() == &dialog && settings.GetModelValue(controlNumber) != 0)
            control->setEnabled(false);
        LocalizeControl(*control, settings, controlNumber);
    }
}

} // namespace qrv
