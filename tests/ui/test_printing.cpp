// Printing as a user meets it: choosing the sections in the Print Tree dialog,
// the preview, printing to the current printer and from a view's bar, and the
// pages themselves (where the rules and texts land, the PDF).
#include "cell_text.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "presentation/form_numbers.h"
#include "presentation/item_tables.h"
#include "presentation/message_kinds.h"
#include "printing/dlg_print_tree.h"
#include "printing/print_check.h"
#include "printing/print_commands.h"
#include "radio_data/messages.h"
#include "report/page_layout.h"
#include "report/report_sections.h"
#include "report_pdf.h"
#include "report_printer.h"
#include "shell/main_frame.h"
#include "shell/navigation_tree.h"
#include "ui_test_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
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
// dialog beyond the answers is cancelled and counted. A dialog that is modal
// again once the one it opened has closed is not answered twice.
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
        if (dialog == nullptr || std::find(m_seen.begin(), m_seen.end(), dialog) != m_seen.end())
            return;
        m_seen.emplace_back(dialog);
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
    std::vector<QPointer<QDialog>> m_seen; // closed and deleted ones turn null
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

// The text of each page of a PDF file as pdftotext (poppler-utils) reads it,
// one line a report row.
QStringList PdfPages(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool HasLine(const QString& text, const QString& line)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    return std::any_of(lines.begin(), lines.end(), [&line](const QString& l) { return l.trimmed() == line; });
}

// Accepts the print dialog, whose printers include the PDF printer, and sends
// the job to that file (whatever printer the machine has).
CModalDriver::Answer PrintTo(QPrinter& printer, const QString& file, QString* title = nullptr)
{
    return [&printer, file, title](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        QVERIFY(print != nullptr);
        bool pdfOffered = false;
        for (const QComboBox* printers : print->findChildren<QComboBox*>())
            for (int i = 0; i < printers->count(); ++i)
                pdfOffered = pdfOffered || printers->itemText(i).contains(QStringLiteral("PDF"));
        QVERIFY(pdfOffered);
        if (title != nullptr)
            *title = print->windowTitle();
        print->accept();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    };
}

// Types the file's name in the save dialog and accepts it.
CModalDriver::Answer SaveAs(const QString& file)
{
    return [file](QDialog& dialog) {
        auto* save = qobject_cast<QFileDialog*>(&dialog);
        QVERIFY(save != nullptr);
        auto* name = qobject_cast<QLineEdit*>(save->focusWidget());
        QVERIFY(name != nullptr);
        name->setText(file);
        static_cast<QDialog*>(save)->accept(); // the file dialog's own, as when OK is pressed
    };
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
        QCOMPARE(setupTitle, QStringLiteral("Print Setup"));
        QCOMPARE(setupParent, static_cast<QWidget*>(tree));
    }

    void CancelledDialogsPrintNothing()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cancelled.pdf"));
        const auto cancel = [](QDialog& dialog) { dialog.reject(); };
        const auto vox = MarkAndConfirm({item::kVox});
        struct Case {
            const char* name;
            std::function<bool()> command;
            std::vector<CModalDriver::Answer> answers;
        };
        const std::vector<Case> cases{
            {"print, tree", [&] { return commands.Print(); }, {cancel}},
            {"print, printer", [&] { return commands.Print(); }, {vox, cancel}},
            {"preview, tree", [&] { return commands.PrintPreview(); }, {cancel}}, // and no preview after it
            {"view, printer", [&] { return commands.PrintView(form::kVox); }, {cancel}},
            {"export, tree", [&] { return commands.ExportPdf(path); }, {cancel}},
            {"export, file", [&] { return commands.ExportPdf(path); }, {vox, cancel}},
            // A view without a section of its own shows no dialog at all.
            {"view without a section", [&] { return commands.PrintView(form::kEmergency); }, {}},
        };
        commands.Printer().setOutputFormat(QPrinter::PdfFormat);
        commands.Printer().setOutputFileName(path);
        for (const Case& c : cases) {
            CModalDriver driver(c.answers);
            QVERIFY2(!c.command(), c.name);
            QTest::qWait(30);
            QVERIFY2(driver.Answered() == static_cast<int>(c.answers.size()) && driver.Unexpected() == 0, c.name);
            QVERIFY2(!QFile::exists(path), c.name);
        }
        QVERIFY(f.messages.empty());
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

    // The File menu's printing commands, in both languages: each has its
    // status tip and starts with the Print Tree dialog; their failures show
    // the failure icon.
    void FileMenuCommandsStartWithThePrintTree()
    {
        for (const int language : {0, 1}) {
            test::CFrameFixture f(0, language);
            for (const int number : {command::kPrint, command::kPrintPreview, command::kExportPdf}) {
                QAction* action = f.frame->Menus().Action(number);
                QVERIFY(action != nullptr && action->isEnabled() && !action->statusTip().isEmpty());
                CModalDriver driver({[](QDialog& dialog) {
                    QVERIFY(qobject_cast<CDlgPrintTree*>(&dialog) != nullptr);
                    dialog.reject();
                }});
                action->trigger();
                QCOMPARE(driver.Answered(), 1);
            }
            QCOMPARE(f.frame->Menus().Action(command::kExportPdf)->text(),
                     language == 0 ? QStringLiteral("Export P&DF...") : QStringLiteral("导出 PDF(&D)..."));
        }
        for (const int number : {msg::kPrinterFailed, msg::kPrinterError, msg::kReportNotWritten})
            QCOMPARE(KindOfMessage(number), MessageKind::Failure);
    }

    // Each item with a check box, marked alone and printed through the print
    // dialog to the PDF printer, prints the sections it stands for and no other.
    void EveryMarkableItemPrintsItsSections()
    {
        test::CEditorFixture f(CSettings::kFactoryLevel);
        f.data->EmbeddedMessages().SetMessage(1, "MEET AT GATE 4");
        const std::vector<std::pair<int, QStringList>> cases{
            {item::kRadio, {QStringLiteral("Radio Information")}},
            {item::kSettingsFolder,
             {QStringLiteral("Programmable Keys"), QStringLiteral("Miscellaneous"), QStringLiteral("VOX"),
              QStringLiteral("Mode")}},
            {item::kKeys, {QStringLiteral("Programmable Keys")}},
            {item::kMiscellaneous, {QStringLiteral("Miscellaneous")}},
            {item::kVox, {QStringLiteral("VOX")}},
            {item::kMode, {QStringLiteral("Mode")}},
            {item::kChannelFolder, {QStringLiteral("Channel")}},
            {item::kPersonalityFolder, {QStringLiteral("Personality")}},
            {item::kScan, {QStringLiteral("Scan")}},
            {item::kEmbedded, {QStringLiteral("Embedded Message")}},
            {item::kTestFrequency, {QStringLiteral("Test Frequency")}},
        };
        QStringList titles;
        for (const CReportSection& section : ReportSections())
            titles << QString::fromStdString(f.Settings().GetText(section.formNumber));
        {
            CEmptySelectionAllowance allowance;
            CDlgPrintTree dialog(f.Settings(), *f.data, allowance);
            std::set<int> markable;
            for (QTreeWidgetItemIterator it(dialog.Tree()); *it != nullptr; ++it)
                if (CDlgPrintTree::IsMarkable(**it))
                    markable.insert((*it)->data(0, CNavigationTree::kItemRole).toInt());
            std::set<int> listed;
            for (const auto& c : cases)
                listed.insert(c.first);
            QCOMPARE(markable, listed);
        }

        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        QTemporaryDir dir;
        for (const auto& [number, expected] : cases) {
            const QString path = dir.filePath(QStringLiteral("item_%1.pdf").arg(number));
            QString title;
            CModalDriver driver({MarkAndConfirm({number}), PrintTo(commands.Printer(), path, &title)});
            QVERIFY(commands.Print());
            QCOMPARE(driver.Answered(), 2);
            QCOMPARE(title, QStringLiteral("Print"));
            const QStringList pages = PdfPages(path);
            QCOMPARE(pages.size(), commands.LastLayout().pageCount);
            const QString text = pages.join(QLatin1Char('\n'));
            for (const QString& section : titles)
                QVERIFY2(HasLine(text, section) == expected.contains(section),
                         qPrintable(QStringLiteral("%1: %2").arg(number).arg(section)));
            if (number == item::kEmbedded)
                QVERIFY(text.contains(QRegularExpression(QStringLiteral("Message NO.2 +MEET AT GATE 4"))));
        }
        QVERIFY(f.messages.empty());
        QCOMPARE(commands.LastLayout().margin, 30);
    }

    // Whether through File > Print, a view's Print button or the preview's own
    // Print button: a job that does not reach its printer is reported and is
    // never taken for done; a preview whose print failed stays open.
    void AFailedPrintIsReportedAndNeverDone()
    {
        struct Output {
            const char* name;
            QString file;
            std::vector<int> messages;
        };
        enum class Route { Menu, View, Preview };
        for (const Route route : {Route::Menu, Route::View, Route::Preview}) {
            QTemporaryDir dir;
            const std::vector<Output> outputs{
                {"printed", dir.filePath(QStringLiteral("printed.pdf")), {}},
                {"no file for the PDF printer", QString(), {msg::kPrinterFailed}},
                {"folder missing", dir.filePath(QStringLiteral("no/such/folder/r.pdf")), {msg::kReportNotWritten}},
                {"disk full", QStringLiteral("/dev/full"), {msg::kReportNotWritten}}, // takes every write, keeps none
            };
            for (const Output& out : outputs) {
                const QString name = QStringLiteral("%1, %2").arg(int(route)).arg(QLatin1String(out.name));
                test::CEditorFixture f;
                QWidget window;
                CPrintCommands commands(f.Settings(), *f.data, &window);
                bool done = false;
                if (route == Route::Menu) {
                    CModalDriver driver({MarkAndConfirm({item::kVox}), PrintTo(commands.Printer(), out.file)});
                    done = commands.Print();
                } else if (route == Route::View) {
                    CModalDriver driver({PrintTo(commands.Printer(), out.file)});
                    done = commands.PrintView(form::kVox);
                } else {
                    CModalDriver driver({MarkAndConfirm({item::kVox}),
                                         [&](QDialog& dialog) {
                                             for (QAction* action : dialog.findChildren<QAction*>())
                                                 if (action->text() == QStringLiteral("Print"))
                                                     action->trigger(); // answered below
                                             done = !dialog.isVisible();
                                             dialog.reject();
                                         },
                                         PrintTo(commands.Printer(), out.file)});
                    commands.PrintPreview();
                    QVERIFY2(driver.Answered() == 3, qPrintable(name));
                }
                QVERIFY2(done == out.messages.empty(), qPrintable(name));
                QVERIFY2(f.messages == out.messages, qPrintable(name));
                if (!done)
                    continue;
                QVERIFY2(IsCompletePdf(out.file), qPrintable(name));
                QFile file(out.file);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QCOMPARE(CountPages(file.readAll()), commands.LastLayout().pageCount);
                // A view prints its own section with wider margins.
                QCOMPARE(commands.LastLayout().margin, route == Route::View ? 50 : 30);
            }
        }
    }

    // The whole report, whose channel table goes on over the first page
    // break, in both languages: the table's header rows head both pages, and
    // every channel is listed once.
    void ATableGoingOnOverAPageBreakRepeatsItsHeader()
    {
        struct Case {
            int language;
            QString header; // the table's header row that names the frequency columns
            QString channel;
        };
        const std::vector<Case> cases{
            {0, QStringLiteral("Number Spacing Level Frequency Type CTCSS Frequency Type CTCSS List Start"),
             QStringLiteral("CH %1 ")},
            {1,
             QStringLiteral(
                 "信道号 信道间隔 发射功 接收频率 接收亚音类型 接收亚音 发射频率 发射亚音类型 发射亚音 特性列表 自动"),
             QStringLiteral("信道%1 ")},
        };
        for (const Case& c : cases) {
            test::CEditorFixture f;
            f.Settings().SelectLanguage(c.language);
            QWidget window;
            CPrintCommands commands(f.Settings(), *f.data, &window);
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("table.pdf"));
            QVERIFY(commands.ExportPdfTo(AllSections(), path));
            const QStringList pages = PdfPages(path);
            QCOMPARE(pages.size(), commands.LastLayout().pageCount);
            // A4 less the border no printer reaches.
            QCOMPARE(commands.LastLayout().width, 2000);
            QCOMPARE(commands.LastLayout().height, 2870);
            QStringList withChannels;
            QString all;
            for (const QString& page : pages) {
                const QString text = page.simplified() + QLatin1Char(' ');
                if (text.contains(c.channel.arg(1)) || text.contains(c.channel.arg(f.data->Channels().size())))
                    withChannels << text;
                all += text;
            }
            QCOMPARE(withChannels.size(), 2);
            for (const QString& page : withChannels)
                QVERIFY2(page.contains(c.header), qPrintable(page));
            for (std::size_t channel = 1; channel <= f.data->Channels().size(); ++channel)
                QCOMPARE(all.count(c.channel.arg(channel)), 1);
        }
    }

    // File > Export PDF: the marked sections, a file named in the save dialog,
    // and a file that is replaced whole or not at all.
    void ExportPdfReplacesTheFileOnlyWhole()
    {
        test::CEditorFixture f;
        QWidget window;
        CPrintCommands commands(f.Settings(), *f.data, &window);
        QSignalSpy notes(&commands, &CPrintCommands::Done);
        QTemporaryDir dir;
        // Through the dialogs: the name given without its suffix gets ".pdf".
        {
            CModalDriver driver({MarkAndConfirm({item::kVox}), SaveAs(dir.filePath(QStringLiteral("named")))});
            QVERIFY(commands.ExportPdf(dir.filePath(QStringLiteral("suggested.pdf"))));
            QCOMPARE(driver.Answered(), 2);
        }
        const QString named = dir.filePath(QStringLiteral("named.pdf"));
        QVERIFY(HasLine(PdfPages(named).join(QLatin1Char('\n')), QStringLiteral("VOX")));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes.takeFirst().at(0).toString().contains(named));

        struct Case {
            const char* name;
            QString file;
            QFileDevice::Permissions old; // no file before when empty
            std::vector<int> messages;
        };
        const QFileDevice::Permissions readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const std::vector<Case> cases{
            {"new file", dir.filePath(QStringLiteral("new.pdf")), {}, {}},
            {"over an old file", dir.filePath(QStringLiteral("old.pdf")), readWrite, {}},
            {"over a read-only file",
             dir.filePath(QStringLiteral("locked.pdf")),
             QFileDevice::ReadOwner,
             {msg::kSaveReadOnly}},
            {"folder missing", dir.filePath(QStringLiteral("no/such/folder/r.pdf")), {}, {msg::kSaveCannotCreate}},
        };
        for (const Case& c : cases) {
            f.messages.clear();
            if (c.old != QFileDevice::Permissions()) {
                QFile old(c.file);
                QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
                old.close();
                QVERIFY(old.setPermissions(c.old));
            }
            const bool written = commands.ExportPdfTo({form::kMode}, c.file);
            QVERIFY2(written == c.messages.empty() && f.messages == c.messages, c.name);
            QFile file(c.file);
            if (written) {
                QVERIFY2(IsCompletePdf(c.file), c.name);
                QVERIFY(HasLine(PdfPages(c.file).join(QLatin1Char('\n')), QStringLiteral("Mode")));
            } else if (c.old != QFileDevice::Permissions()) {
                QVERIFY(file.open(QIODevice::ReadOnly));
                QCOMPARE(file.readAll(), QByteArray("old"));
            } else {
                QVERIFY2(!file.exists(), c.name);
            }
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary files left
        // A report without rows has no pages to write.
        QVERIFY(!commands.ExportPdfTo({}, dir.filePath(QStringLiteral("empty.pdf"))));
        QCOMPARE(f.messages.back(), msg::kReportNotWritten);
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
};

QRV_REGISTER_UI_TEST(PrintingTest);

} // namespace qrv

#include "test_printing.moc"
