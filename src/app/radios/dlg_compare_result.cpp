#include "radios/dlg_compare_result.h"

#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "program_directory.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/atomic_file.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

CDlgCompareResult::CDlgCompareResult(const CSettings& settings, const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("compareDialog"));
    setProperty("controlNumber", command::kCompare); // F1 opens the command's page
    setWindowTitle(Q(CaptionOf(settings.GetText(command::kCompare))));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(Q(settings.GetText(caption::kCompareIntro)), this);
    intro->setWordWrap(true);
    m_list = new QPlainTextEdit(this);
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QStringList text;
    for (const std::string& line : lines)
        text << Q(line);
    m_list->setPlainText(text.join(QLatin1Char('\n')));
    auto* copy = new QPushButton(Q(settings.GetText(caption::kCopyButton)), this);
    auto* save = new QPushButton(Q(settings.GetText(caption::kSaveButton)), this);
    auto* close = new QPushButton(Q(settings.GetText(caption::kCloseButton)), this);
    copy->setAutoDefault(false);
    save->setAutoDefault(false);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(640, 400);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_list->toPlainText() + QLatin1Char('\n')); });
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, Q(CaptionOf(m_settings.GetText(caption::kSaveButton))),
                                         QStringLiteral("comparison.txt"), Q(m_settings.GetText(caption::kTextFilter)));
        if (!path.isEmpty())
            SaveTo(path);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

bool CDlgCompareResult::SaveTo(const QString& path)
{
    return SavedOrSaid(this, m_settings, S(path),
                       WriteFileAtomically(FromUtf8Path(S(path)), S(m_list->toPlainText() + QLatin1Char('\n'))));
}

void ShowComparison(QWidget* parent, const CSettings& settings, const std::vector<std::string>& lines)
{
    if (lines.empty()) {
        ShowMessage(parent, settings, msg::kRadioHoldsCodeplug);
        return;
    }
    CDlgCompareResult dialog(settings, lines, parent);
    dialog.exec();
}

} // namespace qrv
