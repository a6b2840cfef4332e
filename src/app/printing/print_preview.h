#pragma once
// The print preview window. Its own Print button prints and then closes the
// window; here a print that failed keeps it open, once the user has been told
// why (the check is the owner's: it saw the job).
#include <QPrintPreviewDialog>

#include <functional>

namespace qrv {

class CPrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // printedWell: asked after the Print button's job, with this window over
    // which to tell the user; false when the job failed.
    using PrintCheck = std::function<bool(QWidget& preview)>;
    CPrintPreview(QPrinter* printer, QWidget* parent, PrintCheck printedWell);

    void done(int result) override;

private:
    PrintCheck m_printedWell;
};

} // namespace qrv
