#include "printing/print_commands.h"

#include "presentation/item_tables.h"
#include "printing/pdf_export.h"
#include "printing/print_check.h"
#include "printing/print_preview.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_sections.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace qrv {

CPrintCommands::CPrintCommands(CSettings& settings, CRadioData& data, QWidget* parent)
    : QObject(parent), m_settings(settings), m_data(data), m_parent(parent),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_report(data, settings)
{
}

CPrintCommands::~CPrintCommands() = default;

bool CPrintCommands::HasSection(int formNumber)
{
    const auto sections = ReportSections();
    return std::any_of(sections.begin(), sections.end(),
                       [formNumber](const CReportSection& section) { return section.formNumber == formNumber; });
}

int CPrintCommands::SectionFormOfItem(int itemNumber)
{
    for (const CReportSection& section : ReportSections())
        if (ItemOfCommand(section.treeCommand) == itemNumber)
            return section.formNumber;
    return 0;
}

std::optional<std::set<int>> CPrintCommands::ChooseSections()
{
    CDlgPrintTree dialog(m_settings, m_data, m_allowance, m_parent);
    connect(&dialog, &CDlgPrintTree::PrintSetupRequested, this,
            [this, &dialog] { ExecPrintDialog(kPrintSetupCommand, &dialog); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.SelectedSections();
}

bool CPrintCommands::ExecPrintDialog(int captionNumber, QWidget* parent)
{
    QPrintDialog dialog(m_printer.get(), parent);
    // The report is printed whole. Printing to a file offers the PDF printer,
    // the one printer a machine without any still has.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setWindowTitle(Q(CaptionOf(m_settings.GetText(captionNumber))));
    return dialog.exec() == QDialog::Accepted;
}

bool CPrintCommands::PrintJob()
{
    const bool painted = m_report.Print(*m_printer);
    m_lastLayout = m_report.Layout();
    m_report.End();
    return ReportPrintOutcome(m_parent, m_settings, CheckPrint(painted, *m_printer), *m_printer);
}

bool CPrintCommands::Print()
{
    const auto sections = ChooseSections();
    if (!sections || !ExecPrintDialog(kPrintCaption, m_parent))
        return false;
    m_report.Prepare(*sections);
    return PrintJob();
}

bool CPrintCommands::PreviewPrintedWell(QWidget& preview)
{
    return ReportPrintOutcome(&preview, m_settings, CheckPrint(m_lastPaintDone, *m_printer), *m_printer);
}

bool CPrintCommands::PrintPreview()
{
    const auto sections = ChooseSections();
    if (!sections)
        return false;
    m_report.Prepare(*sections);

    CPrintPreview preview(m_printer.get(), m_parent, [this](QWidget& window) { return PreviewPrintedWell(window); });
    preview.setWindowTitle(Q(CaptionOf(m_settings.GetText(kPrintPreviewCommand))));
    // Asked again whenever the page setup changes, and by the window's own Print button.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        m_lastPaintDone = m_report.Print(*printer);
        m_lastLayout = m_report.Layout();
    });
    m_previewRunning = true;
    emit PreviewChanged(true);
    preview.exec();
    m_previewRunning = false;
    emit PreviewChanged(false);
    m_report.End();
    return true;
}

bool CPrintCommands::PrintView(int formNumber)
{
    if (!HasSection(formNumber))
        return false;
    if (!ExecPrintDialog(kPrintCaption, m_parent))
        return false;
    m_report.PrepareView(formNumber);
    return PrintJob();
}

bool CPrintCommands::PrintSetup()
{
    return ExecPrintDialog(kPrintSetupCommand, m_parent);
}

bool CPrintCommands::ExportPdf(const QString& suggestedPath)
{
    const auto sections = ChooseSections();
    if (!sections)
        return false;
    const QString path = AskPdfPath(m_parent, m_settings, suggestedPath);
    if (path.isEmpty())
        return false;
    return ExportPdfTo(*sections, path);
}

bool CPrintCommands::ExportPdfTo(const std::set<int>& sections, const QString& path)
{
    m_report.Prepare(sections);
    const bool written = WriteReportPdf(m_parent, m_settings, m_report, path);
    m_lastLayout = m_report.Layout();
    m_report.End();
    if (written)
        emit Done(Q(FormatMessageText(m_settings.GetMessage(msg::kReportWritten), S(path))));
    return written;
}

} // namespace qrv
