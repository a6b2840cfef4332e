#include "report_pdf.h"

#include "report_printer.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

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

} // namespace qrv
