#include "dialogs/dlg_serial_trace.h"

#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "program_directory.h"
#include "radio_data/settings.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/atomic_file.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

std::shared_ptr<CSerialTrace> ProgramTrace()
{
    static const auto trace = std::make_shared<CSerialTrace>();
    return trace;
}

std::unique_ptr<CBytePort> WrapWithTrace(std::unique_ptr<CBytePort> port)
{
    return WrapWithTrace(std::move(port), ProgramTrace());
}

namespace {
constexpr int kTraceHelpTopic = command::kSerialTrace;
} // namespace

CDlgSerialTrace::CDlgSerialTrace(const CSettings& settings, std::shared_ptr<const CSerialTrace> trace, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_trace(std::move(trace))
{
    setObjectName(QStringLiteral("traceDialog"));
    setProperty("controlNumber", kTraceHelpTopic); // F1 opens the trace page
    setWindowTitle(Q(settings.GetText(caption::kSerialTraceCaption)));
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const std::string text = m_trace->Text();
    m_text->setPlainText(text.empty() ? Q(settings.GetText(caption::kSerialTraceEmpty)) : Q(text));
    m_save = new QPushButton(Q(settings.GetText(caption::kSerialTraceSave)), this);
    m_save->setEnabled(!text.empty());
    auto* close = new QPushButton(Q(settings.GetText(caption::kSerialTraceClose)), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(close);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(720, 480);
    connect(m_save, &QPushButton::clicked, this, &CDlgSerialTrace::OnSave);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

bool CDlgSerialTrace::SaveTo(const QString& path)
{
    return SavedOrSaid(this, m_settings, S(path), WriteFileAtomically(FromUtf8Path(S(path)), m_trace->Text()));
}

void CDlgSerialTrace::OnSave()
{
    const QString path = QFileDialog::getSaveFileName(this, Q(m_settings.GetText(caption::kSerialTraceSave)),
                                                      QStringLiteral("serial-trace.txt"),
                                                      Q(m_settings.GetText(caption::kSerialTraceFilter)));
    if (!path.isEmpty())
        SaveTo(path);
}

} // namespace qrv
