// Help as a user meets it: F1 over a control, a dialog, the tree and a view;
// the menu's Help Topics; the pages of each language; missing pages.
#include "dialogs/dlg_model.h"
#include "frame_fixture.h"
#include "shell/help.h"

#include <QDialogButtonBox>

namespace qrv {

class HelpTest : public QObject {
    Q_OBJECT

private:
    // A main window whose program directory holds help pages for the given numbers in both languages.
    struct CFixture : test::CFrameFixture {
        explicit CFixture(std::initializer_list<int> pages)
            : CFrameFixture(0, 0, "400-470", [&](const std::filesystem::path& dir) {
                  for (const char* language : {"qrv_E", "qrv_S"}) {
                      const auto folder = dir / "help" / language;
                      std::filesystem::create_directories(folder);
                      test::WriteText(folder / "index.html", "<h1>index</h1>");
                      for (const int number : pages)
                          test::WriteText(folder / (std::to_string(number) + ".html"), "<h1>topic</h1>");
                  }
              })
        {
        }
        // The page the help window shows: folder and file name.
        QString Page() const
        {
            const auto page = frame->Help()->CurrentPage();
            return QString::fromStdString(page.parent_path().filename().string() + "/" + page.filename().string());
        }
        // F1 on the widget; the page it shows.
        QString F1(QWidget* widget)
        {
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key_F1);
            return Page();
        }
    };

    static QString EnglishPage(int topic) { return QStringLiteral("qrv_E/%1.html").arg(topic); }

private slots:
    // F1 takes the control's page, then the dialog's; in the tree, the
    // selected item's, then the default topic. A view's Help button shows its
    // page; Help Topics the index, in the language of the interface and with
    // its caption. The help window belongs to the main window and goes with
    // it; opened from a modal dialog it comes up above that dialog, taking
    // input, and stays open when the dialog closes. Missing pages are said.
    void F1TheViewsAndTheMenuShowTheirPages()
    {
        auto f = std::make_unique<CFixture>(std::initializer_list<int>{CDlgModel::kForm, item::kChannel, item::kRadio});
        {
            CDlgModel dialog(f->Settings(), f->Settings().RememberedModel(), f->frame.get());
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
        QVERIFY(f->frame->Help()->Window() != nullptr && f->frame->Help()->Window()->isVisible());
        QCOMPARE(f->frame->Help()->Window()->parentWidget(), static_cast<QWidget*>(f->frame.get()));
        {
            CDlgModel dialog(f->Settings(), f->Settings().RememberedModel(), f->frame.get());
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.activateWindow();
            QCOMPARE(f->F1(dialog.ModelNameList()), EnglishPage(CDlgModel::kForm));
            test::WriteText(f->program.Path() / "help" / "qrv_E" /
                                (std::to_string(CDlgModel::kModelNameList) + ".html"),
                            "<h1>model name</h1>");
            QCOMPARE(f->F1(dialog.ModelNameList()), EnglishPage(CDlgModel::kModelNameList));
        }
        CNavigationTree* tree = f->frame->Tree();
        tree->setCurrentItem(tree->ItemsOfKind(item::kChannel).value(1));
        QCOMPARE(f->F1(tree), EnglishPage(item::kChannel));
        tree->setCurrentItem(tree->FindItem(item::kVox)); // no page of its own
        QCOMPARE(f->F1(tree), QStringLiteral("qrv_E/index.html"));
        f->frame->OpenItem(item::kRadio)->HelpButton()->click();
        QCOMPARE(f->Page(), EnglishPage(item::kRadio));
        for (const int language : {1, 0}) {
            f->frame->ChangeLanguage(language);
            f->frame->DoCommand(command::kHelp);
            QCOMPARE(f->Page(),
                     language == 0 ? QStringLiteral("qrv_E/index.html") : QStringLiteral("qrv_S/index.html"));
            QCOMPARE(f->frame->Help()->Window()->windowTitle(),
                     QString::fromStdString(CaptionOf(f->Settings().GetText(command::kHelp))));
        }
        QVERIFY(f->messages.empty());
        std::filesystem::remove_all(f->program.Path() / "help");
        QVERIFY(!f->frame->Help()->ShowTopic({item::kRadio}));
        QCOMPARE(f->messages, std::vector<int>{msg::kHelpMissing});
        const QPointer<QWidget> window = f->frame->Help()->Window();
        f.reset();
        QVERIFY(window.isNull());
    }

    // The pages that come with the program: every view a user can open has one.
    void ShippedPagesCoverEveryTreeItemInBothLanguages()
    {
        for (const char* language : {"qrv_E", "qrv_S"}) {
            const auto folder = test::ResourceDir() / "help" / language;
            QVERIFY2(std::filesystem::exists(folder / "index.html"), language);
            for (const CTreeRow& row : TreeTable())
                if (row.item != 0)
                    QVERIFY2(std::filesystem::exists(folder / (std::to_string(row.item) + ".html")),
                             qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(language)).arg(row.item)));
        }
    }
};

QRV_REGISTER_UI_TEST(HelpTest);

} // namespace qrv

#include "test_help.moc"
