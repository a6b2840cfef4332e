// Help as a user meets it: F1 over a control, a dialog, the tree and a view;
// the menu's Help Topics; the pages of each language; missing pages; About.
#include "dialogs/dlg_about.h"
#include "dialogs/dlg_model.h"
#include "frame_fixture.h"
#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/child_frame.h"
#include "shell/help.h"
#include "shell/main_frame.h"
#include "shell/menus.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "test_support.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

namespace qrv {

class HelpTest : public QObject {
    Q_OBJECT

private:
    // A main window whose program directory holds help pages for the given numbers in both languages.
    struct CFixture : test::CFrameFixture {
        explicit CFixture(std::initializer_list<int> pages, bool withHelp = true)
            : CFrameFixture(0, 0, "400-470", [&](const std::filesystem::path& dir) {
                  if (withHelp)
                      WritePages(dir / "help", pages);
              })
        {
        }

        static void WritePages(const std::filesystem::path& root, std::initializer_list<int> pages)
        {
            for (const char* language : {"qrv_E", "qrv_S"}) {
                const auto folder = root / language;
                std::filesystem::create_directories(folder);
                test::WriteText(folder / "index.html", "<h1>index</h1>");
                for (const int number : pages)
                    test::WriteText(folder / (std::to_string(number) + ".html"), "<h1>topic</h1>");
            }
        }

        // The page the help window shows: folder and file name.
        QString Page() const
        {
            const auto page = frame->Help()->CurrentPage();
            return QString::fromStdString(page.parent_path().filename().string() + "/" + page.filename().string());
        }
    };

    // An English topic page as Page() names it.
    static QString EnglishPage(int topic) { return QStringLiteral("qrv_E/%1.html").arg(topic); }

    static void PressF1(QWidget* widget)
    {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void F1TakesTheControlThenTheDialog()
    {
        CFixture f({CDlgModel::kForm});
        CDlgModel dialog(f.program.Settings(), f.program.Settings().RememberedModel(), f.frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        // The model list has no page of its own: the dialog's page.
        PressF1(dialog.ModelNameList());
        QCOMPARE(f.Page(), EnglishPage(CDlgModel::kForm));
        // A control with a page of its own gets it.
        test::WriteText(f.program.Path() / "help" / "qrv_E" / (std::to_string(CDlgModel::kModelNameList) + ".html"),
                        "<h1>model name</h1>");
        PressF1(dialog.ModelNameList());
        QCOMPARE(f.Page(), EnglishPage(CDlgModel::kModelNameList));
        QVERIFY(f.frame->Help()->Window()->isVisible());
    }

    // The help window belongs to the main window and goes with it; opened
    // from a modal dialog it comes up above that dialog, taking input, and
    // stays open when the dialog closes.
    void HelpButtonOfADialogShowsItsPageAboveIt()
    {
        auto f = std::make_unique<CFixture>(std::initializer_list<int>{CDlgModel::kForm});
        {
            CDlgModel dialog(f->program.Settings(), f->program.Settings().RememberedModel(), f->frame.get());
            QWidget* parentWhileModal = nullptr;
            QTimer::singleShot(0, &dialog, [&] {
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
                parentWhileModal = f->frame->Help()->Window()->parentWidget();
                dialog.reject();
            });
            dialog.exec();
            QCOMPARE(f->Page(), EnglishPage(CDlgModel::kForm));
            QCOMPARE(parentWhileModal, static_cast<QWidget*>(&dialog));
        }
        // The dialog gone, the window stays open, the main window's again.
        QVERIFY(f->frame->Help()->Window() != nullptr && f->frame->Help()->Window()->isVisible());
        QCOMPARE(f->frame->Help()->Window()->parentWidget(), static_cast<QWidget*>(f->frame.get()));
        const QPointer<QWidget> window = f->frame->Help()->Window();
        f.reset();
        QVERIFY(window.isNull());
    }

    void F1InTheTreeTakesTheSelectedItem()
    {
        CFixture f({item::kChannel});
        CNavigationTree* tree = f.frame->Tree();
        tree->setCurrentItem(tree->ItemsOfKind(item::kChannel).value(1));
        PressF1(tree);
        QCOMPARE(f.Page(), EnglishPage(item::kChannel));
        // An item without a page: the default topic.
        tree->setCurrentItem(tree->FindItem(item::kRadio));
        PressF1(tree);
        QCOMPARE(f.Page(), QStringLiteral("qrv_E/index.html"));
    }

    void NavigationBarHelpAndMenuHelpTopics()
    {
        CFixture f({item::kRadio});
        CChildFrame* radio = f.frame->OpenItem(item::kRadio);
        QVERIFY(radio != nullptr);
        QVERIFY(radio->HelpButton()->isVisibleTo(radio));
        radio->HelpButton()->click();
        QCOMPARE(f.Page(), EnglishPage(item::kRadio));
        f.frame->DoCommand(command::kHelp);
        QCOMPARE(f.Page(), QStringLiteral("qrv_E/index.html"));
    }

    void PagesFollowTheLanguage()
    {
        CFixture f({item::kRadio});
        f.frame->ChangeLanguage(1);
        f.frame->DoCommand(command::kHelp);
        QCOMPARE(f.Page(), QStringLiteral("qrv_S/index.html"));
        QCOMPARE(f.frame->Help()->Window()->windowTitle(),
                 QString::fromStdString(CaptionOf(f.program.Settings().GetText(command::kHelp))));
        f.frame->ChangeLanguage(0);
        f.frame->DoCommand(command::kHelp);
        QCOMPARE(f.Page(), QStringLiteral("qrv_E/index.html"));
    }

    void MissingPagesAreReported()
    {
        CFixture f({}, false);
        QVERIFY(!f.frame->Help()->ShowTopic({item::kRadio}));
        QCOMPARE(f.messages, std::vector<int>{msg::kHelpMissing});
        QVERIFY(f.frame->Help()->Window() == nullptr);
    }

    void ShippedPagesCoverEveryTreeItemInBothLanguages()
    {
        // The pages that come with the program: every view a user can open has one.
        for (const char* language : {"qrv_E", "qrv_S"}) {
            const auto folder = test::ResourceDir() / "help" / language;
            QVERIFY2(std::filesystem::exists(folder / "index.html"), language);
            for (const CTreeRow& row : TreeTable())
                if (row.item != 0)
                    QVERIFY2(std::filesystem::exists(folder / (std::to_string(row.item) + ".html")),
                             qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(language)).arg(row.item)));
            // The pages share one style sheet; a title drawn in its colour shows that it was found.
            QTextBrowser browser;
            browser.setSource(QUrl::fromLocalFile(QString::fromStdString((folder / "index.html").string())));
            const QTextBlock title = browser.document()->begin();
            QCOMPARE(title.blockFormat().headingLevel(), 1);
            QCOMPARE(title.charFormat().foreground().color(), QColor(QStringLiteral("#1d4f7c")));
        }
    }

    void AboutNamesVersionModelAndDataDirectory()
    {
        CFixture f({});
        CDlgAbout about(f.program.Settings(), f.program.Settings().RememberedModel(), f.frame.get());
        const auto text = [&](int number) {
            const auto* label = about.findChild<QLabel*>(QStringLiteral("about%1").arg(number));
            return label != nullptr ? label->text() : QString();
        };
        QCOMPARE(about.windowTitle(), QStringLiteral("About QRV"));
        QCOMPARE(text(CDlgAbout::kVersionLabel), QStringLiteral("Version 1.01.05.001"));
        QCOMPARE(text(CDlgAbout::kModelLabel), QStringLiteral("Model: QL-210, 400-470 MHz"));
        QVERIFY(text(CDlgAbout::kDataDirectoryLabel).endsWith(QString::fromStdString(f.program.Path().string())));
    }
};

QRV_REGISTER_UI_TEST(HelpTest);

} // namespace qrv

#include "test_help.moc"
