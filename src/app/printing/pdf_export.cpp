#include "printing/pdf_export.h"

#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "report_pdf.h"
#include "report_printer.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/atomic_file.h"

#include <QFileDialog>

#include <cstdint>
#include <span>

namespace qrv {

namespace {

std::filesystem::path PathOf(const QString& path)
{
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()), static_cast<std::size_t>(utf8.size())));
}

} // namespace

QString AskPdfPath(QWidget* parent, const CSettings& settings, const QString& suggested)
{
    QFileDialog dialog(parent, Q(CaptionOf(settings.GetText(command::kExportPdf))));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(Q(settings.GetMessage(msg::kPdfFilter)));
    // Added before the dialog asks whether to replace a file, so it asks about the right one.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString PdfPathBeside(const std::filesystem::path& dataFile)
{
    if (dataFile.empty())
        return {};
    std::filesystem::path pdf = dataFile;
    pdf.replace_extension(".pdf");
    const std::u8string utf8 = pdf.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), static_cast<qsizetype>(utf8.size()));
}

bool WriteReportPdf(QWidget* parent, const CSettings& settings, CReportPrinter& report, const QString& path)
{
    const std::optional<QByteArray> pdf = ReportPdf(report);
    if (!pdf) {
        ShowMessage(parent, settings, msg::kReportNotWritten, QMessageBox::Ok, path);
        return false;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pdf->constData());
    return SavedOrSaid(parent, settings, S(path),
                       WriteFileAtomically(PathOf(path), std::span(bytes, static_cast<std::size_t>(pdf->size()))));
}

} // namespace qrv
