#include "printing/report_pdf.h"

#include "printing/report_printer.h"
#include "util/atomic_file.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <span>

namespace qrv {

std::optional<QByteArray> ReportPdf(CReportPrinter& printer)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kPdfBorderMm, kPdfBorderMm, kPdfBorderMm, kPdfBorderMm),
                                         QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("qrv"));
        if (!printer.Print(writer))
            return std::nullopt;
    } // the writer finishes the document when it goes
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

bool WriteReportPdf(CReportPrinter& printer, const std::filesystem::path& path)
{
    const std::optional<QByteArray> pdf = ReportPdf(printer);
    if (!pdf)
        return false;
    const auto* data = reinterpret_cast<const std::uint8_t*>(pdf->constData());
    return WriteFileAtomically(path, std::span<const std::uint8_t>(data, static_cast<std::size_t>(pdf->size())))
        .Ok();
}

} // namespace qrv
