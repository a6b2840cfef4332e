#pragma once
// The report as a PDF document on A4 paper, drawn into memory first so that a
// file is only replaced once the whole document exists.
#include <QByteArray>

#include <optional>

namespace qrv {

class CReportPrinter;

// The paper's border that no printer reaches, kept clear in the PDF as well
// so that the document prints as the pages look.
inline constexpr double kPdfBorderMm = 5.0;

// The prepared report's pages; nullopt when it has no rows.
std::optional<QByteArray> ReportPdf(CReportPrinter& printer);

} // namespace qrv
