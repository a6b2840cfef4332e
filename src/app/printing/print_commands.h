#pragma once
// The printing commands of the main window: Print Setup, Print, Print
// Preview and Export PDF of the File menu, and the Print button of a view's
// navigation bar. One printer (with the user's choices) serves them all.
#include "presentation/command_numbers.h"
#include "printing/dlg_print_tree.h"
#include "report_printer.h"

#include <QObject>

#include <memory>
#include <optional>
#include <set>

class QPrinter;
class QWidget;

namespace qrv {

class CRadioData;
class CSettings;

class CPrintCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int kPrintSetupCommand = command::kPrintSetup;
    static constexpr int kPrintCommand = command::kPrint;
    static constexpr int kPrintPreviewCommand = command::kPrintPreview;
    // The caption of the print dialog.
    static constexpr int kPrintCaption = 1173;

    // parent: the main window, over which the dialogs open.
    CPrintCommands(CSettings& settings, CRadioData& data, QWidget* parent);
    ~CPrintCommands() override;

    // The Print Tree dialog, the print dialog, then the chosen sections on the
    // chosen printer. False when cancelled or the job failed (the user is told).
    bool Print();
    // The Print Tree dialog, then the preview window of the chosen sections.
    bool PrintPreview();
    // A view's own section: the print dialog, then that section alone.
    bool PrintView(int formNumber);
    // The printer and its settings, for the next print job.
    bool PrintSetup();
    // The Print Tree dialog, the file dialog (suggesting that file), then the
    // chosen sections written to the PDF file.
    bool ExportPdf(const QString& suggestedPath);
    // The chosen sections written to the PDF file; false after telling why not.
    bool ExportPdfTo(const std::set<int>& sections, const QString& path);

    // Whether a view of that form has a section of the report (its Print button is enabled).
    static bool HasSection(int formNumber);
    // The form of the section a child window's item prints (a channel window
    // prints the channel table); 0 when it has none.
    static int SectionFormOfItem(int itemNumber);

    QPrinter& Printer() { return *m_printer; }
    // The page layout of the last job, preview, print or PDF file.
    const CPageLayout& LastLayout() const { return m_lastLayout; }
    bool PreviewRunning() const { return m_previewRunning; }

signals:
    // The preview window opened (true) or closed (false); the main window does
    // not ask to save while it is open.
    void PreviewChanged(bool running);
    // A short note for the status bar: the PDF file was written.
    void Done(const QString& note);

private:
    // The Print Tree dialog; nullopt when cancelled.
    std::optional<std::set<int>> ChooseSections();
    // The standard print dialog, without selection and page numbers; the PDF printer is one choice.
    bool ExecPrintDialog(int captionNumber, QWidget* parent);
    // The prepared report on the current printer; false after telling the user why not.
    bool PrintJob();
    // The preview's own Print button printed: whether that job went well.
    bool PreviewPrintedWell(QWidget& preview);

    CSettings& m_settings;
    CRadioData& m_data;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
    CReportPrinter m_report;
    CEmptySelectionAllowance m_allowance;
    CPageLayout m_lastLayout;
    bool m_previewRunning = false;
    // Whether the last drawing for the preview window reached its device.
    bool m_lastPaintDone = false;
};

} // namespace qrv
