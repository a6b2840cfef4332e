#include "editors/embedded/embedded_message_page.h"

#include "radio_data/radio_data.h"
#include "records/embedded_message_data.h"
#include "shell/localize_window.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace qrv {

namespace {

using E = CEmbeddedMessageData;

// The radio shows single-byte characters: the edits take any character that
// has one (Latin-1 but the zero byte, which would end the text), so that what
// the user sees is what the radio gets, byte for byte.
QValidator* SingleByteValidator(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x{01}-\\x{FF}]*")), parent);
}

QString FromRadioText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToRadioText(const QString& text)
{
    return text.toLatin1().toStdString();
}

} // namespace

CEmbeddedMessagePage::CEmbeddedMessagePage(CEditorContext& context, QWidget* parent)
    : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const int control = E::kMessageEdits[i];
        auto* label = new QLabel(this);
        SetControlNumber(label, control - 1); // each caption is numbered one below its edit
        auto* edit = new QLineEdit(this);
        SetControlNumber(edit, control);
        edit->setMaxLength(static_cast<int>(E::kMessageWidth));
        edit->setValidator(SingleByteValidator(edit));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) *
                              static_cast<int>(E::kMessageWidth));
        label->setBuddy(edit);
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(edit, static_cast<int>(i), 1);
        m_edits[i] = edit;
        Watch(edit);
    }

    m_read = new QPushButton(this);
    SetControlNumber(m_read, kReadButton);
    m_write = new QPushButton(this);
    SetControlNumber(m_write, kWriteButton);
    m_changePassword = new QPushButton(this);
    SetControlNumber(m_changePassword, kChangePasswordButton);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_changePassword);
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);
    grid->addLayout(buttons, static_cast<int>(m_edits.size()), 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(static_cast<int>(m_edits.size()) + 1, 1);
    Localize();

    connect(m_read, &QPushButton::clicked, this, &CEmbeddedMessagePage::ReadRequested);
    connect(m_write, &QPushButton::clicked, this, &CEmbeddedMessagePage::WriteRequested);
    connect(m_changePassword, &QPushButton::clicked, this, &CEmbeddedMessagePage::ChangePasswordRequested);
}

void CEmbeddedMessagePage::LoadControls()
{
    CEmbeddedMessageEditRecord record;
    record.Fill(Data().EmbeddedMessages());
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setText(FromRadioText(record.texts[E::kFirstMessageField + i]));
        m_edits[i]->setModified(false);
    }
}

void CEmbeddedMessagePage::StoreControls()
{
    // The record starts from the block, so the hidden fields go back unchanged.
    CEmbeddedMessageData& block = Data().EmbeddedMessages();
    CEmbeddedMessageEditRecord record;
    record.Fill(block);
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        record.texts[E::kFirstMessageField + i] = ToRadioText(m_edits[i]->text());
    record.Take(block);
}

} // namespace qrv
