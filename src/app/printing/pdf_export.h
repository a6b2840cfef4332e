#pragma once
// The report written to a PDF file with the same pages as qrvctl report. The
// document is made in memory and then replaces the file atomically, so a
// failed export leaves a file that was there as it was.
#include <QString>

#include <filesystem>

class QWidget;

namespace qrv {

class CReportPrinter;
class CSettings;

// The save dialog for the PDF file (its name ends in .pdf); empty when cancelled.
QString AskPdfPath(QWidget* parent, const CSettings& settings, const QString& suggested);
// The name the dialog proposes: the data file's, as a PDF; empty without a data file.
QString PdfPathBeside(const std::filesystem::path& dataFile);
// Writes the prepared report to path; false after telling the user why not.
bool WriteReportPdf(QWidget* parent, const CSettings& settings, CReportPrinter& report, const QString& path);

} // namespace qrv
