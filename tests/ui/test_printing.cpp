// Printing as a user meets it: choosing the sections in the Print Tree dialog,
// the dialogs each command runs in turn, failed and cancelled jobs, and the PDF
// files.
#include "frame_fixture.h"
#include "presentation/form_numbers.h"
#include "printing/dlg_print_tree.h"
#include "printing/print_check.h"
#include "printing/print_commands.h"
#include "report/report_sections.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidgetItemIterator>

#include <optional>
#include <set>

namespace qrv {

namespace {

using Answer = test::CDialogAnswers::Answer;

// Marks the items of these numbers in the Print Tree dialog (all with Select
// All when none are named) and presses OK.
Answer Mark(std::vector<int> items)
{
    return [items](QDialog& dialog) {
        auto* tree = qobject_cast<CDlgPrintTree*>(&dialog);
        QVERIFY(tree != nullptr);
        if (items.empty())
            tree->Button(CDlgPrintTree::kSelectAllButton)->click();
        for (const int number : items)
            tree->Tree()->FindItem(number)->setCheckState(0, Qt::Checked);
        tree->accept();
    };
}

// Accepts the print dialog, whose printers include the PDF printer, and sends
// the job to that file (whatever printer the machine has).
Answer PrintTo(const QString& file)
{
    return [file](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        QVERIFY(print != nullptr);
        QCOMPARE(print->windowTitle(), QStringLiteral("Print"));
        bool pdfOffered = false;
        for (const QComboBox* printers : print->findChildren<QComboBox*>())
            pdfOffered = pdfOffered || printers->findText(QStringLiteral("PDF"), Qt::MatchContains) >= 0;
        QVERIFY(pdfOffered);
        print->accept();
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(file);
    };
}

// Types the file's name in the save dialog and accepts it.
Answer SaveAs(const QString& file)
{
    return [file](QDialog& dialog) {
        auto* save = qobject_cast<QFileDialog*>(&dialog);
        auto* name = save != nullptr ? qobject_cast<QLineEdit*>(save->focusWidget()) : nullptr;
        QVERIFY(name != nullptr);
        name->setText(file);
        static_cast<QDialog*>(save)->accept(); // the file dialog's own, as when OK is pressed
    };
}

const Answer Cancel = [](QDialog& dialog) { dialog.reject(); };

// The lines of a PDF's text as pdftotext (poppler-utils) reads them, trimmed:
// a section title is one of them.
QStringList Lines(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    // What each item stands for: marking items decides the sections; what
    // prints nothing has no check box, not even after Select All.
    void MarkedItemsDecideTheSections()
    {
        test::CEditorFixture f(CSettings::kFactoryLevel);
        CEmptySelectionAllowance allowance;
        CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
        QCOMPARE(dialog.Tree()->ItemsOfKind(item::kChannel).size(), qsizetype(f.data->Channels().size()));
        const std::pair<int, std::set<int>> rows[] = {
            {item::kRadio, {form::kRadio}},
            {item::kSettingsFolder, {form::kKeys, form::kMiscellaneous, form::kVox, form::kMode}},
            {item::kKeys, {form::kKeys}},
            {item::kMiscellaneous, {form::kMiscellaneous}},
            {item::kVox, {form::kVox}},
            {item::kMode, {form::kMode}},
            {item::kChannelFolder, {form::kChannel}},
            {item::kPersonalityFolder, {form::kPersonality}},
            {item::kScan, {form::kScan}},
            {item::kEmbedded, {form::kEmbedded}},
            {item::kTestFrequency, {form::kTestFrequency}}};
        std::set<int> markable;
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it != nullptr; ++it)
            if (CDlgPrintTree::IsMarkable(**it))
                markable.insert((*it)->data(0, CNavigationTree::kItemRole).toInt());
        std::set<int> listed;
        for (const auto& [number, sections] : rows) {
            listed.insert(number);
            dialog.Button(CDlgPrintTree::kClearAllButton)->click();
            dialog.Tree()->FindItem(number)->setCheckState(0, Qt::Checked);
            QVERIFY2(dialog.SelectedSections() == sections, qPrintable(QString::number(number)));
        }
        QCOMPARE(markable, listed);
        // Two items: both sections.
        dialog.Tree()->FindItem(item::kRadio)->setCheckState(0, Qt::Checked);
        QCOMPARE(dialog.SelectedSections(), (std::set<int>{form::kRadio, form::kTestFrequency}));
        dialog.Button(CDlgPrintTree::kClearAllButton)->click(); // Select All then marks every item itself
        dialog.Button(CDlgPrintTree::kSelectAllButton)->click();
        std::set<int> all;
        for (const CReportSection& section : ReportSections())
            all.insert(section.formNumber);
        QCOMPARE(dialog.SelectedSections(), all);
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it != nullptr; ++it) {
            QVERIFY(CDlgPrintTree::IsMarked(**it) == CDlgPrintTree::IsMarkable(**it));
            QVERIFY(CDlgPrintTree::IsMarkable(**it) || !(*it)->data(0, Qt::CheckStateRole).isValid());
        }
        // OK with nothing marked asks three times, then cancels; the allowance is
        // the program run's, so two empty OKs leave one for the next dialog.
        for (const int emptyOks : {3, 2, 1}) {
            CDlgPrintTree empty(f.Settings(), *f.data, allowance);
            empty.show();
            for (int time = 0; time < emptyOks; ++time) {
                empty.accept();
                QVERIFY(empty.isVisible());
            }
            if (emptyOks == 2) {
                empty.reject();
                continue;
            }
            empty.accept();
            QVERIFY(!empty.isVisible());
            QCOMPARE(empty.result(), int(QDialog::Rejected));
            QCOMPARE(allowance.Left(), CEmptySelectionAllowance::kTimes);
        }
        const int ask = msg::kSelectItemToPrint;
        QCOMPARE(f.messages,
                 (std::vector<int>{ask, ask, ask, msg::kPrintCancelled, ask, ask, ask, msg::kPrintCancelled}));
    }

    // Each command runs its dialogs in turn, the File menu's from the Print
    // Tree: one cancelled prints nothing and says nothing; Print Setup opens
    // the printer's dialog over the tree; a view without a section shows no
    // dialog. Through File > Print, a window's Print button or the preview's
    // own Print button, VOX and no other section reaches the file; a job that
    // does not reach its printer is reported and never taken for done, and a
    // preview whose print failed stays open.
    void CommandsRunTheirDialogsAndPrintOrSayWhy()
    {
        QTemporaryDir dir;
        const QString cancelled = dir.filePath(QStringLiteral("cancelled.pdf"));
        std::unique_ptr<test::CFrameFixture> f;
        std::unique_ptr<CPrintCommands> commands;
        const auto menu = [&f](int number) {
            return [&f, number] {
                f->frame->Menus().Action(number)->trigger();
                return std::optional<bool>();
            };
        };
        // The VOX window's Print button, through the main window, which says nothing more.
        const auto window = [&f] {
            CChildFrame* log = f->frame->OpenItem(item::kChangeLog); // shows neither Print nor Help
            QVERIFY(!log->PrintButton()->isEnabled() && !log->PrintButton()->isVisibleTo(log));
            QVERIFY(!log->HelpButton()->isVisibleTo(log));
            CChildFrame* vox = f->frame->OpenItem(item::kVox);
            QVERIFY(vox->PrintButton()->isVisibleTo(vox) && vox->HelpButton()->isVisibleTo(vox));
            vox->PrintButton()->click();
        };
        QString setupTitle;
        QWidget* setupParent = nullptr;
        QDialog* tree = nullptr;
        const Answer printSetup = [&tree](QDialog& dialog) {
            tree = &dialog;
            // Runs the printer's dialog (answered next) before going on.
            qobject_cast<CDlgPrintTree*>(&dialog)->Button(CDlgPrintTree::kPrintSetupButton)->click();
            dialog.reject();
        };
        const Answer setup = [&](QDialog& dialog) {
            setupTitle = dialog.windowTitle();
            setupParent = dialog.parentWidget();
            dialog.reject();
        };
        bool previewOpen = false;
        const Answer preview = [&](QDialog& dialog) {
            // The preview shows the pages the layout makes, and says that it runs.
            QCOMPARE(dialog.findChild<QPrintPreviewWidget*>()->pageCount(), commands->LastLayout().pageCount);
            QVERIFY(commands->PreviewRunning());
            for (QAction* action : dialog.findChildren<QAction*>())
                if (action->text() == QStringLiteral("Print"))
                    action->trigger(); // answered next
            previewOpen = dialog.isVisible();
            dialog.reject();
        };
        const QString a = dir.filePath(QStringLiteral("a.pdf"));
        const QString d = dir.filePath(QStringLiteral("d.pdf"));
        const QString e = dir.filePath(QStringLiteral("e.pdf"));
        const QString full = QStringLiteral("/dev/full"); // keeps no write
        const Answer vox = Mark({item::kVox});
        const struct {
            const char* name;
            std::function<std::optional<bool>()> command; // what it returns, if anything
            std::vector<Answer> answers;
            QString file; // printed to (VOX only), or empty: nothing printed
            int message;  // 0: none
        } rows[] = {
            {"print, printer", [&] { return commands->Print(); }, {vox, Cancel}, {}, 0},
            {"preview, print setup", [&] { return commands->PrintPreview(); }, {printSetup, setup}, {}, 0},
            {"export, file", [&] { return commands->ExportPdf(cancelled); }, {vox, Cancel}, {}, 0},
            {"view without a section", [&] { return commands->PrintView(form::kEmergency); }, {}, {}, 0},
            {"menu, print", menu(command::kPrint), {Cancel}, {}, 0},
            {"menu, preview", menu(command::kPrintPreview), {Cancel}, {}, 0},
            {"menu, export", menu(command::kExportPdf), {Cancel}, {}, 0},
            {"print", [&] { return commands->Print(); }, {vox, PrintTo(a)}, a, 0},
            {"print, disk full", [&] { return commands->Print(); }, {vox, PrintTo(full)}, {}, msg::kReportNotWritten},
            {"window, printer", [&] { return window(), std::optional<bool>(); }, {Cancel}, {}, 0},
            {"window", [&] { return window(), std::optional<bool>(); }, {PrintTo(d)}, d, 0},
            {"preview", [&] { return commands->PrintPreview(); }, {vox, preview, PrintTo(e)}, e, 0},
            {"preview, no file",
             [&] { return commands->PrintPreview(); },
             {vox, preview, PrintTo({})},
             {},
             msg::kPrinterFailed},
        };
        for (const auto& row : rows) {
            commands.reset();
            f.reset(); // its message handler goes with it
            f = std::make_unique<test::CFrameFixture>();
            commands = std::make_unique<CPrintCommands>(f->Settings(), *f->data, f->frame.get());
            commands->Printer().setOutputFormat(QPrinter::PdfFormat); // a job that was cancelled would make it
            commands->Printer().setOutputFileName(cancelled);
            previewOpen = false;
            test::CDialogAnswers answers(row.answers);
            const std::optional<bool> result = row.command();
            const bool printed = !row.file.isEmpty();
            const bool previewed = row.answers.size() == 3; // the tree, the preview and its printer
            QVERIFY2(!result || *result == (printed || previewed), row.name);
            QVERIFY2(answers.Answered() == static_cast<int>(row.answers.size()) && answers.Unexpected() == 0, row.name);
            QVERIFY2(f->messages == std::vector<int>(row.message != 0, row.message), row.name);
            QVERIFY2(previewOpen == (previewed && !printed), row.name);
            QVERIFY2(!QFile::exists(cancelled), row.name);
            if (!printed)
                continue;
            QVERIFY2(IsCompletePdf(row.file), row.name);
            const QStringList lines = Lines(row.file);
            for (const CReportSection& section : ReportSections()) {
                const QString title = QString::fromStdString(f->Settings().GetText(section.formNumber));
                QVERIFY2(lines.contains(title) == (title == QStringLiteral("VOX")),
                         qPrintable(QLatin1String(row.name) + title));
            }
        }
        QCOMPARE(setupTitle, QStringLiteral("Print Setup"));
        QCOMPARE(setupParent, static_cast<QWidget*>(tree));
    }

    // File > Export PDF: the marked sections, a file named in the save dialog
    // (".pdf" added), and a file that is replaced whole or not at all (every
    // reason a save fails: the atomic file tests).
    void ExportPdfReplacesTheFileOnlyWhole()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        QSignalSpy notes(&commands, &CPrintCommands::Done);
        QTemporaryDir dir;
        {
            test::CDialogAnswers answers({Mark({item::kVox}), SaveAs(dir.filePath(QStringLiteral("named")))});
            QVERIFY(commands.ExportPdf(dir.filePath(QStringLiteral("suggested.pdf"))));
        }
        const QString named = dir.filePath(QStringLiteral("named.pdf"));
        QVERIFY(Lines(named).contains(QStringLiteral("VOX")));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes.takeFirst().at(0).toString().contains(named));
        // A file the user may not write stays as it was (the other ways a save fails: the atomic file tests).
        QFile locked(dir.filePath(QStringLiteral("locked.pdf")));
        QVERIFY(locked.open(QIODevice::WriteOnly) && locked.write("old") == 3);
        locked.close();
        QVERIFY(locked.setPermissions(QFileDevice::ReadOwner));
        QVERIFY(!commands.ExportPdfTo({form::kMode}, locked.fileName()));
        QCOMPARE(f.messages, std::vector<int>{msg::kSaveReadOnly});
        QVERIFY(locked.open(QIODevice::ReadOnly));
        QCOMPARE(locked.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary files left
        // A report without rows has no pages to write.
        QVERIFY(!commands.ExportPdfTo({}, dir.filePath(QStringLiteral("empty.pdf"))));
        QCOMPARE(f.messages.back(), msg::kReportNotWritten);
    }
};

QRV_REGISTER_UI_TEST(PrintingTest);

} // namespace qrv

#include "test_printing.moc"
