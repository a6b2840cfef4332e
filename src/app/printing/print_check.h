#pragma once
// Whether a print job reached its printer, and what the user is told when it
// did not: a job is done only when it started, the printer reported no error
// and, for a PDF printer, a whole document lies in the file.
#include <QString>

class QPrinter;
class QWidget;

namespace qrv {

class CSettings;

enum class PrintOutcome {
    Printed,
    NotStarted,     // the printer could not be started (QPainter::begin failed)
    PrinterError,   // the printer took the job and reported an error
    FileNotWritten, // a PDF printer left no whole document in its file
};

// painted: whether the report's pages were drawn without a refusal.
PrintOutcome CheckPrint(bool painted, const QPrinter& printer);
// Whether the file ends a whole PDF document.
bool IsCompletePdf(const QString& path);
// Shows why the job failed; true when it was printed.
bool ReportPrintOutcome(QWidget* parent, const CSettings& settings, PrintOutcome outcome, const QPrinter& printer);

} // namespace qrv
