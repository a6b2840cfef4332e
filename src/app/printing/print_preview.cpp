#include "printing/print_preview.h"

namespace qrv {

CPrintPreview::CPrintPreview(QPrinter* printer, QWidget* parent, PrintCheck printedWell)
    : QPrintPreviewDialog(printer, parent), m_printedWell(std::move(printedWell))
{
}

void CPrintPreview::done(int result)
{
    // The window accepts only after its Print button printed.
    if (result == QDialog::Accepted && !m_printedWell(*this))
        return;
    QPrintPreviewDialog::done(result);
}

} // namespace qrv
