// Printing as a user meets it: choosing the sections in the Print Tree dialog,
// the preview, printing to the current printer and from a view's bar, and the
// pages themselves (where the rules and texts land, the PDF).
#include "cell_text.h"
#include "editor_fixture.h"
#include "presentation/form_numbers.h"
#include "presentation/item_tables.h"
#include "printing/dlg_print_tree.h"
#include "printing/print_commands.h"
#include "radio_data/messages.h"
#include "report/page_layout.h"
#include "report/report_sections.h"
#include "report_pdf.h"
#include "report_printer.h"
#include "shell/navigation_tree.h"
#include "ui_test_registry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>
#include <vector>

namespace qrv {

namespace {

std::set<int> AllSections()
{
    std::set<int> forms;
    for (const CReportSection& section : ReportSections())
        forms.insert(section.formNumber);
    return forms;
}

// Answers the modal dialogs that open, one answer per dialog in order; a
// dialog beyond the answers is cancelled and counted.
class CModalDriver {
public:
    using Answer = std::function<void(QDialog&)>;

    explicit CModalDriver(std::vector<Answer> answers) : m_answers(std::move(answers))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }
    int Answered() const { return m_next; }
    int Unexpected() const { return m_unexpected; }

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == m_current)
            return;
        m_current = dialog;
        if (m_next >= static_cast<int>(m_answers.size())) {
            ++m_unexpected;
            dialog->reject();
            return;
        }
        // Answered outside this timer's slot, so that a dialog the answer
        // opens is polled (and answered) in turn.
        const Answer& answer = m_answers[static_cast<std::size_t>(m_next++)];
        QTimer::singleShot(0, dialog, [dialog, &answer] { answer(*dialog); });
    }

    std::vector<Answer> m_answers;
    int m_next = 0;
    int m_unexpected = 0;
    QPointer<QDialog> m_current;
    QTimer m_timer;
};

// Marks the items of these numbers in the Print Tree dialog and presses OK.
CModalDriver::Answer MarkAndConfirm(std::vector<int> items)
{
    return [items](QDialog& dialog) {
        auto* tree = qobject_cast<CDlgPrintTree*>(&dialog);
        QVERIFY(tree != nullptr);
        for (const int number : items)
            tree->Tree()->FindItem(number)->setCheckState(0, Qt::Checked);
        tree->accept();
    };
}

CModalDriver::Answer SelectAllAndConfirm()
{
    return [](QDialog& dialog) {
        auto* tree = qobject_cast<CDlgPrintTree*>(&dialog);
        QVERIFY(tree != nullptr);
        tree->Button(CDlgPrintTree::kSelectAllButton)->click();
        tree->accept();
    };
}

// A page whose dots are tenths of a millimetre, so that positions read as the layout's.
QImage TenthsPage(int widthMm, int heightMm)
{
    QImage page(widthMm * 10, heightMm * 10, QImage::Format_RGB32);
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(10000);
    page.fill(Qt::white);
    return page;
}

bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The columns holding ink on a line of the image.
std::pair<int, int> InkSpan(const QImage& image, int y)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (Dark(image, x, y)) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}

// The columns holding ink anywhere in a band of lines.
std::pair<int, int> InkSpan(const QImage& image, int top, int bottom)
{
    int first = -1;
    int last = -1;
    for (int y = top; y < bottom; ++y) {
        const auto [f, l] = InkSpan(image, y);
        if (f >= 0 && (first < 0 || f < first))
            first = f;
        last = std::max(last, l);
    }
    return {first, last};
}

int CountPages(const QByteArray& pdf)
{
    // Every page object, not the page tree ("/Type /Pages").
    return static_cast<int>(pdf.count("/Type /Page\n"));
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void EmptyConfirmationAsksThreeTimesThenCancels()
    {
        test::CEditorFixture f;
        CEmptySelectionAllowance allowance;
        {
            CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
            dialog.show();
            for (int time = 1; time <= 3; ++time) {
                dialog.accept();
                QVERIFY2(dialog.isVisible(), qPrintable(QStringLiteral("OK number %1").arg(time)));
            }
            QCOMPARE(f.messages,
                     (std::vector<int>{msg::kSelectItemToPrint, msg::kSelectItemToPrint, msg::kSelectItemToPrint}));
            dialog.accept();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(f.messages.back(), msg::kPrintCancelled);
            QCOMPARE(allowance.Left(), CEmptySelectionAllowance::kTimes);
        }
        // The allowance is the program run's: two empty OKs here leave one for the next dialog.
        f.messages.clear();
        {
            CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
            dialog.show();
            dialog.accept();
            dialog.accept();
            dialog.reject();
        }
        CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.messages, (std::vector<int>{msg::kSelectItemToPrint, msg::kSelectItemToPrint,
                                               msg::kSelectItemToPrint, msg::kPrintCancelled}));

        // A marked section closes the dialog with OK and asks nothing.
        f.messages.clear();
        CDlgPrintTree chosen(f.Settings(), *f.data, allowance);
        chosen.show();
        chosen.Tree()->FindItem(item::kVox)->setCheckState(0, Qt::Checked);
        chosen.accept();
        QCOMPARE(chosen.result(), int(QDialog::Accepted));
        QVERIFY(f.messages.empty());
    }

    void MarkedItemsDecideTheSections()
    {
        test::CEditorFixture f(CSettings::kFactoryLevel);
        CEmptySelectionAllowance allowance;
        CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Tree"));
        QCOMPARE(dialog.Button(CDlgPrintTree::kSelectAllButton)->text(), QStringLiteral("&Select All"));
        // A copy of the navigation tree: one item per channel and personality.
        QCOMPARE(dialog.Tree()->ItemsOfKind(item::kChannel).size(), qsizetype(f.data->Channels().size()));
        QCOMPARE(dialog.Tree()->ItemsOfKind(item::kPersonality).size(), qsizetype(f.data->Personalities().size()));
        QVERIFY(dialog.SelectedSections().empty());

        struct Case {
            const char* name;
            std::vector<int> marked;
            std::set<int> sections;
        };
        const std::vector<Case> cases{
            {"VOX", {item::kVox}, {form::kVox}},
            {"channel folder", {item::kChannelFolder}, {form::kChannel}},
            {"settings folder", {item::kSettingsFolder}, {form::kKeys, form::kMiscellaneous, form::kVox, form::kMode}},
            {"embedded messages", {item::kEmbedded}, {form::kEmbedded}},
            {"radio and test frequencies", {item::kRadio, item::kTestFrequency}, {form::kRadio, form::kTestFrequency}},
            {"personality folder and scan", {item::kPersonalityFolder, item::kScan}, {form::kPersonality, form::kScan}},
        };
        for (const Case& c : cases) {
            dialog.Button(CDlgPrintTree::kClearAllButton)->click();
            for (const int number : c.marked)
                dialog.Tree()->FindItem(number)->setCheckState(0, Qt::Checked);
            QVERIFY2(dialog.SelectedSections() == c.sections, c.name);
        }

        // What prints nothing has no check box, not even after Select All.
        dialog.Button(CDlgPrintTree::kSelectAllButton)->click();
        QCOMPARE(dialog.SelectedSections(), AllSections());
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it != nullptr; ++it) {
            QVERIFY(CDlgPrintTree::IsMarked(**it) == CDlgPrintTree::IsMarkable(**it));
            QVERIFY(CDlgPrintTree::IsMarkable(**it) || !(*it)->data(0, Qt::CheckStateRole).isValid());
        }
        dialog.Button(CDlgPrintTree::kClearAllButton)->click();
        QVERIFY(dialog.SelectedSections().empty());
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it != nullptr; ++it)
            QVERIFY(!CDlgPrintTree::IsMarked(**it));

        // For a person to look at.
        dialog.Tree()->FindItem(item::kVox)->setCheckState(0, Qt::Checked);
        dialog.Tree()->FindItem(item::kChannelFolder)->setCheckState(0, Qt::Checked);
        dialog.show();
        QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
        QVERIFY(dialog.grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/print_tree.png")));
    }

    void PreviewShowsThePagesOfTheLayout()
    {
        struct Case {
            const char* name;
            CModalDriver::Answer choose;
            std::set<int> sections;
        };
        const std::vector<Case> cases{
            {"whole report", SelectAllAndConfirm(), AllSections()},
            {"VOX alone", MarkAndConfirm({item::kVox}), {form::kVox}},
        };
        for (const Case& c : cases) {
            test::CEditorFixture f;
            QWidget window;
            CPrintCommands commands(f.Settings(), *f.data, &window);
            std::vector<bool> running;
            connect(&commands, &CPrintCommands::PreviewChanged, [&](bool on) { running.push_back(on); });
            int shownPages = -1;
            bool shown = false;
            CModalDriver driver({c.choose, [&](QDialog& dialog) {
                                     auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
                                     QVERIFY(preview != nullptr);
                                     shown = preview->isVisible() && commands.PreviewRunning();
                                     shownPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                                     preview->reject();
                                 }});
            QVERIFY2(commands.PrintPreview(), c.name);
            QVERIFY2(driver.Answered() == 2 && driver.Unexpected() == 0, c.name);
            QVERIFY2(shown, c.name);

            ReportRows rows = BuildReport(*f.data, f.Settings(), c.sections);
            const CPageLayout expected =
                Paginate(commands.Printer().widthMM() * 10, commands.Printer().heightMM() * 10, false, rows);
            QVERIFY2(expected.pageCount >= 1, c.name);
            QCOMPARE(shownPages, expected.pageCount);
            QCOMPARE(commands.LastLayout().pageCount, expected.pageCount);
            QCOMPARE(running, (std::vector<bool>{true, false}));
            QVERIFY(!commands.PreviewRunning());
        }
        // The whole report needs more than one page.
        test::CEditorFixture f;
        ReportRows rows = BuildReport(*f.data, f.Settings(), AllSections());
        QVERIFY(Paginate(2000, 2870, false, rows).pageCount > 1);
    }

    void PrintSetupOpensThePrintersDialogOverTheTree()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        QString setupTitle;
        QWidget* setupParent = nullptr;
        CDlgPrintTree* tree = nullptr;
        CModalDriver driver({[&](QDialog& dialog) {
                                 tree = qobject_cast<CDlgPrintTree*>(&dialog);
                                 QVERIFY(tree != nullptr);
                                 // Runs the printer's dialog (answered below) before going on.
                                 tree->Button(CDlgPrintTree::kPrintSetupButton)->click();
                                 tree->reject();
                             },
                             [&](QDialog& dialog) {
                                 setupTitle = dialog.windowTitle();
                                 setupParent = dialog.parentWidget();
                                 dialog.reject();
                             }});
        QVERIFY(!commands.PrintPreview());
        QCOMPARE(driver.Answered(), 2);
        QCOMPARE(driver.Unexpected(), 0);
        QCOMPARE(setupTitle, QStringLiteral("Print Setup..."));
        QCOMPARE(setupParent, static_cast<QWidget*>(tree));
    }

    void CancelledDialogsPrintNothing()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        const QString path = QDir::temp().filePath(QStringLiteral("qrv_cancelled_%1.pdf").arg(qApp->applicationPid()));
        QFile::remove(path);
        commands.Printer().setOutputFormat(QPrinter::PdfFormat);
        commands.Printer().setOutputFileName(path);
        {
            const auto cancel = [](QDialog& dialog) { dialog.reject(); };
            CModalDriver driver({cancel, cancel});
            QVERIFY(!commands.Print());
            QVERIFY(!commands.PrintPreview());
            QCOMPARE(driver.Answered(), 2);
            QCOMPARE(driver.Unexpected(), 0); // no preview after a cancelled choice
        }
        {
            CModalDriver driver({[](QDialog& dialog) { dialog.reject(); }});
            QVERIFY(!commands.PrintView(form::kVox));
            QCOMPARE(driver.Answered(), 1);
        }
        QVERIFY(!QFile::exists(path));
        // A view without a section of its own shows no dialog at all.
        CModalDriver none({});
        QVERIFY(!commands.PrintView(form::kEmergency));
        QTest::qWait(30);
        QCOMPARE(none.Unexpected(), 0);
        QVERIFY(!CPrintCommands::HasSection(form::kEmergency));
        QVERIFY(CPrintCommands::HasSection(form::kChannel));
    }

    void ChildWindowsPrintTheirItemsSection()
    {
        const std::vector<std::pair<int, int>> cases{
            {item::kRadio, form::kRadio},
            {item::kKeys, form::kKeys},
            {item::kMiscellaneous, form::kMiscellaneous},
            {item::kVox, form::kVox},
            {item::kMode, form::kMode},
            {item::kChannel, form::kChannel},
            {item::kPersonality, form::kPersonality},
            {item::kScan, form::kScan},
            {item::kTestFrequency, form::kTestFrequency},
            {item::kEmbedded, form::kEmbedded},
            {item::kChangeLog, 0},
            {item::kChannelFolder, 0},
            {item::kDtmfSystem, 0},
            {item::kEmergency, 0},
            {item::kVolume, 0},
        };
        for (const auto& [itemNumber, form] : cases)
            QVERIFY2(CPrintCommands::SectionFormOfItem(itemNumber) == form, qPrintable(QString::number(itemNumber)));
    }

    void PrintGoesToTheCurrentPrinter()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        const QString path = QDir::temp().filePath(QStringLiteral("qrv_print_%1.pdf").arg(qApp->applicationPid()));
        QFile::remove(path);
        commands.Printer().setOutputFormat(QPrinter::PdfFormat);
        commands.Printer().setOutputFileName(path);
        CModalDriver driver({MarkAndConfirm({item::kChannelFolder})});
        QVERIFY(commands.Print());
        QCOMPARE(driver.Answered(), 1);
        QCOMPARE(driver.Unexpected(), 0); // no further print dialog
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(CountPages(pdf), commands.LastLayout().pageCount);
        QCOMPARE(commands.LastLayout().margin, 30);
        file.remove();
    }

    void PrintFromAViewUsesItsSectionAndWideMargins()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        const QString path = QDir::temp().filePath(QStringLiteral("qrv_view_%1.pdf").arg(qApp->applicationPid()));
        QFile::remove(path);
        bool plainDialog = false;
        CModalDriver driver({[&](QDialog& dialog) {
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            QVERIFY(print != nullptr);
            plainDialog = !print->testOption(QAbstractPrintDialog::PrintSelection) &&
                          !print->testOption(QAbstractPrintDialog::PrintPageRange) &&
                          !print->testOption(QAbstractPrintDialog::PrintToFile);
            QCOMPARE(print->windowTitle(), QStringLiteral("Print"));
            print->accept();
            // Whatever printer the machine has, the job goes to a file.
            commands.Printer().setOutputFormat(QPrinter::PdfFormat);
            commands.Printer().setOutputFileName(path);
        }});
        const bool printed = commands.PrintView(form::kVox);
        QCOMPARE(driver.Answered(), 1);
        QVERIFY(plainDialog);
        QVERIFY(printed);
        QVERIFY(f.messages.empty());
        QCOMPARE(commands.LastLayout().margin, 50);
        QCOMPARE(commands.LastLayout().pageCount, 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(CountPages(file.readAll()), 1);
        file.remove();
    }

    void APrinterThatCannotStartIsReported()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        commands.Printer().setOutputFormat(QPrinter::PdfFormat);
        commands.Printer().setOutputFileName(QString()); // a file printer without a file
        CModalDriver driver({SelectAllAndConfirm()});
        QVERIFY(!commands.Print());
        QCOMPARE(f.messages, std::vector<int>{msg::kPrinterFailed});
    }

    void PageRulesAndRowsLieWhereTheLayoutPutsThem()
    {
        test::CEditorFixture f;
        struct Case {
            const char* name;
            bool currentView;
            int margin;
        };
        for (const Case c : {Case{"print", false, 30}, Case{"view", true, 50}}) {
            CReportPrinter printer(*f.data, f.Settings());
            if (c.currentView)
                printer.PrepareView(form::kVox);
            else
                printer.Prepare({form::kVox});
            QImage page = TenthsPage(210, 297);
            const CPageLayout& layout = printer.Begin(page);
            QCOMPARE(layout.width, 2100);
            QCOMPARE(layout.height, 2970);
            QCOMPARE(layout.margin, c.margin);
            QCOMPARE(layout.pageCount, 1);
            {
                QPainter painter(&page);
                printer.DrawPage(painter, page, 1);
            }
            // Header, identity and footer rules run from margin to margin.
            for (const int y : {HeaderRuleY(layout), IdentityBlock(layout).ruleY, FooterRuleY(layout)}) {
                const auto [first, last] = InkSpan(page, y);
                QVERIFY2(
                    std::abs(first - c.margin) <= 1,
                    qPrintable(
                        QStringLiteral("%1 rule at %2 starts at %3").arg(QLatin1String(c.name)).arg(y).arg(first)));
                QVERIFY2(std::abs(last - (2100 - c.margin)) <= 1, c.name);
            }
            // Nothing above the header text or between the header rule and the identity block's text.
            QCOMPARE(InkSpan(page, 0, HeaderRuleY(layout) - 60).first, -1);
            // The section title lies in the middle cell of the first row.
            const int top = RowTop(layout, 0);
            const auto title = CellSpans(printer.Rows()[0], layout);
            const auto [first, last] = InkSpan(page, top, top + layout.lineHeight);
            QVERIFY2(first >= title[1].left && last <= title[1].right, c.name);
            // The right header text ends at the right margin in a view's print.
            const auto header = InkSpan(page, HeaderRuleY(layout) - 45, HeaderRuleY(layout) - 5);
            QVERIFY(header.first >= c.margin - 1);
            if (c.currentView) {
                QCOMPARE(printer.RightHeaderText(), QStringLiteral("VOX"));
                QVERIFY(header.second > 2100 - c.margin - 20 && header.second <= 2100 - c.margin + 1);
            } else {
                QVERIFY(printer.RightHeaderText().isEmpty());
                QVERIFY(header.second < 1050);
            }
        }
    }

    void LongTextIsNarrowedIntoItsCell()
    {
        QImage image = TenthsPage(100, 20);
        QFont font;
        font.setPixelSize(40);
        const QRect cell(100, 50, 200, 60);
        const QString text = QStringLiteral("Personality List Personality List");
        int naturalRight = 0;
        {
            QPainter painter(&image);
            painter.setFont(font);
            naturalRight = 100 + static_cast<int>(QFontMetricsF(font, &image).horizontalAdvance(text));
            DrawCellText(painter, cell, text, Qt::AlignLeft, 10);
            DrawCellText(painter, QRect(100, 120, 600, 60), QStringLiteral("CH 1"), Qt::AlignLeft, 10);
        }
        QVERIFY(naturalRight > cell.right() + 100);
        const auto [first, last] = InkSpan(image, cell.top(), cell.bottom());
        QVERIFY(first >= cell.left() && first < cell.left() + 20);
        QVERIFY(last <= cell.right() - 10 + 1);
        QVERIFY(last > cell.right() - 30); // narrowed, not cut short
        // A text that fits keeps its own width.
        const auto [shortFirst, shortLast] = InkSpan(image, 120, 180);
        QVERIFY(shortFirst >= 100 && shortLast < 100 + 120);
    }

    void PdfOfTheWholeReport()
    {
        test::CEditorFixture f;
        CReportPrinter printer(*f.data, f.Settings());
        printer.Prepare(AllSections());
        const std::optional<QByteArray> pdf = ReportPdf(printer);
        QVERIFY(pdf.has_value());
        QVERIFY(pdf->startsWith("%PDF-"));
        QVERIFY(printer.Layout().pageCount > 1);
        QCOMPARE(CountPages(*pdf), printer.Layout().pageCount);
        // A4 less the border no printer reaches.
        QCOMPARE(printer.Layout().width, 2000);
        QCOMPARE(printer.Layout().height, 2870);

        // A report without rows has no pages to write.
        printer.Prepare({});
        QVERIFY(!ReportPdf(printer).has_value());
    }
};

QRV_REGISTER_UI_TEST(PrintingTest);

} // namespace qrv

#include "test_printing.moc"
