#include "shell/localize_window.h"

#include "radio_data/settings.h"
#include "shell/help.h"
#include "shell/qt_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
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
    // Help shows the topic of the dialog's number.
    QObject::connect(box, &QDialogButtonBox::helpRequested, parent, [parent] { ShowHelpFor(parent); });
    return box;
}

void FillCombo(QComboBox& combo, const std::string& listText)
{
    if (listText.empty())
        return;
    const QSignalBlocker quiet(combo); // filling is not a user's choice
    combo.clear();
    for (const CComboLine& line : CSettings::FillCombo(listText))
        combo.addItem(Q(line.text), QVariant::fromValue(line.data));
}

namespace {

void LocalizeControl(QWidget& control, const std::string& text)
{
    if (text.empty())
        return; // the control keeps what it was built with
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(Q(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(Q(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        FillCombo(*combo, text);
    } else if (auto* list = qobject_cast<QListWidget*>(&control)) {
        // A list box takes the named items only.
        list->clear();
        for (const CComboLine& line : NamedItems(text)) {
            auto* row = new QListWidgetItem(Q(line.text), list);
            row->setData(Qt::UserRole, QVariant::fromValue(line.data));
        }
    } else if (auto* ranged = dynamic_cast<CRangedEdit*>(&control)) {
        if (const auto range = ParseRangeItem(text))
            ranged->SetRange(*range);
    }
}

} // namespace

void LocalizeWindow(QWidget& window, const CSettings& settings, int number)
{
    if (const std::string caption = settings.GetText(number); !caption.empty())
        window.setWindowTitle(Q(caption));
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const int controlNumber = ControlNumber(control);
        if (controlNumber == 0)
            continue;
        // A control the model lacks is disabled wherever it sits: in a group box or a tab page too.
        if (settings.GetModelValue(controlNumber) != 0)
            control->setEnabled(false);
        LocalizeControl(*control, settings.GetText(controlNumber));
    }
}

} // namespace qrv
