#include "printing/print_check.h"

#include "radio_data/messages.h"
#include "shell/message_box.h"

#include <QFile>
#include <QPrinter>

#include <algorithm>

namespace qrv {

namespace {

// A PDF ends with its end-of-file marker, after at most a line end or two.
constexpr qint64 kTailBytes = 32;

// A PDF printer without a file cannot start, like any other printer.
bool PrintsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

bool IsCompletePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 ||
        !file.seek(std::max<qint64>(0, file.size() - kTailBytes)))
        return false;
    return file.readAll().contains("%%EOF");
}

PrintOutcome CheckPrint(bool painted, const QPrinter& printer)
{
    if (!painted)
        return PrintsToFile(printer) ? PrintOutcome::FileNotWritten : PrintOutcome::NotStarted;
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return PrintOutcome::PrinterError;
    if (PrintsToFile(printer) && !IsCompletePdf(printer.outputFileName()))
        return PrintOutcome::FileNotWritten;
    return PrintOutcome::Printed;
}

bool ReportPrintOutcome(QWidget* parent, const CSettings& settings, PrintOutcome outcome, const QPrinter& printer)
{
    switch (outcome) {
    case PrintOutcome::Printed:
        return true;
    case PrintOutcome::NotStarted:
        ShowMessage(parent, settings, msg::kPrinterFailed);
        return false;
    case PrintOutcome::PrinterError:
        ShowMessage(parent, settings, msg::kPrinterError);
        return false;
    case PrintOutcome::FileNotWritten:
        ShowMessage(parent, settings, msg::kReportNotWritten, QMessageBox::Ok, printer.outputFileName());
        return false;
    }
    return false;
}

} // namespace qrv
