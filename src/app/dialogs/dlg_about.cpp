#include "dialogs/dlg_about.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

CDlgAbout::CDlgAbout(const CSettings& settings, const CDocumentIdentity& document, QWidget* parent) : QDialog(parent)
{
    SetControlNumber(this, kForm);
    setWindowTitle(Q(settings.GetText(kForm)));
    auto* layout = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    layout->addWidget(icon);

    auto* column = new QVBoxLayout;
    const auto addLine = [&](int number, const std::string& text) {
        auto* label = new QLabel(Q(text), this);
        label->setObjectName(QStringLiteral("about%1").arg(number));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
        return label;
    };
    QLabel* name = addLine(msg::kMainCaption, settings.GetText(msg::kMainCaption));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);
    addLine(kVersionLabel, FormatMessageText(settings.GetText(kVersionLabel), CSettings::kProgramVersion));
    addLine(kModelLabel,
            FormatMessageText(settings.GetText(kModelLabel), document.modelName + ", " + document.freqRange + " MHz"));
    addLine(kDataDirectoryLabel,
            FormatMessageText(settings.GetText(kDataDirectoryLabel), settings.ProgramDirectory().string()));
    column->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Q(settings.GetText(kOkButton)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(buttons);
    layout->addLayout(column, 1);
}

} // namespace qrv
