// The main window as a user meets it: the tree after a load, the items the
// user level hides, opening items, tool tips, bad files, the invalid log.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/child_frame.h"
#include "shell/item_tables.h"
#include "shell/main_frame.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "test_support.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace qrv {

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    // A program directory with the shipped data, at the given user level.
    struct CFixture {
        test::CProgramDir program;
        std::unique_ptr<CRadioData> data;
        std::unique_ptr<CMainFrame> frame;
        std::vector<int> messages;

        explicit CFixture(int userLevel = 0, int language = 0)
        {
            test::WriteText(program.Path() / "Settings.ini",
                            "[Setting]\nModelName=QL-210\nModelID=QL210\nFreqRange=400-470\n[User Mode]\nLevel=" +
                                std::to_string(userLevel) + "\n");
            CSettings& s = program.Reopen();
            s.SelectLanguage(language);
            data = std::make_unique<CRadioData>(s);
            SetMessageBoxHandler([this](int number, const QString&) {
                messages.push_back(number);
                return QMessageBox::Yes;
            });
            frame = std::make_unique<CMainFrame>(s, *data);
            frame->FileNew(true);
        }
        ~CFixture() { SetMessageBoxHandler(nullptr); }
    };

    static QStringList Children(CNavigationTree* tree, int itemNumber)
    {
        QStringList texts;
        for (QTreeWidgetItem* item : tree->ItemsOfKind(itemNumber))
            texts << item->text(0);
        return texts;
    }

private slots:
    void initTestCase()
    {
        // The recent file list lives in the user's profile: keep the tests out of it.
        QStandardPaths::setTestModeEnabled(true);
    }

    void TreeFollowsTheChannelCount()
    {
        CFixture f;
        QCOMPARE(Children(f.frame->Tree(), item::kChannel).size(), 16);
        for (const int count : {3, 0, 16}) {
            f.frame->Tree()->SetChildCount(item::kChannel, count);
            const QStringList items = Children(f.frame->Tree(), item::kChannel);
            QCOMPARE(items.size(), count);
            if (count > 0) {
                QCOMPARE(items.first(), QStringLiteral("Channel 1"));
                QCOMPARE(items.last(), QStringLiteral("Channel %1").arg(count));
            }
        }
        QCOMPARE(Children(f.frame->Tree(), item::kPersonality), QStringList{QStringLiteral("Personality 1")});
        QCOMPARE(f.frame->Tree()->topLevelItem(0)->text(0), QStringLiteral("QL-210"));
    }

    void UserLevelsHideItems()
    {
        struct Case {
            int level;
            bool changeLog;
            bool factoryMode;
            bool updateMemory;
        };
        for (const Case c : {Case{0, false, false, false}, Case{659, false, true, false},
                             Case{61038527, true, true, true}}) {
            CFixture f(c.level);
            QCOMPARE(f.frame->Tree()->FindItem(item::kChangeLog) != nullptr, c.changeLog);
            QVERIFY(f.frame->Tree()->FindItem(item::kDtmfSystem) == nullptr);
            QVERIFY(f.frame->Tree()->FindItem(item::kEmergency) == nullptr);
            QCOMPARE(f.frame->Menus().Action(32698) != nullptr, c.factoryMode);
            QCOMPARE(f.frame->Menus().Action(32776) != nullptr, c.updateMemory);
            QCOMPARE(f.frame->Menus().Action(32699) != nullptr, c.updateMemory);
            QCOMPARE(f.frame->Menus().Action(32696) != nullptr, c.updateMemory);
            QVERIFY(f.frame->Menus().Action(item::kDtmfSystem) == nullptr);
            QVERIFY(f.frame->Menus().Action(32773) != nullptr);
        }
    }

    void OpeningAnOpenItemActivatesIt()
    {
        CFixture f;
        CChildFrame* first = f.frame->OpenItem(item::kRadio);
        QVERIFY(first != nullptr);
        CChildFrame* again = f.frame->OpenItem(item::kRadio);
        QCOMPARE(again, first);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        f.frame->DoCommand(32779);
        QCoreApplication::processEvents();
        QCOMPARE(f.frame->OpenChildren().size(), 0);
    }

    void ToolTipsFollowTheLanguage()
    {
        CFixture english(0, 0);
        QCOMPARE(english.frame->Menus().Action(32773)->toolTip(), QStringLiteral("Read from Radio"));
        CFixture chinese(0, 1);
        const QString tip = chinese.frame->Menus().Action(32773)->toolTip();
        QVERIFY(!tip.isEmpty());
        QVERIFY(!tip.contains(QLatin1Char('(')));
        QVERIFY(tip != QStringLiteral("Read from Radio"));
    }

    void ABadFileShowsItsMessageAndKeepsTheCodeplug()
    {
        CFixture f;
        const auto bad = f.program.Path() / "bad.dat";
        test::WriteText(bad, "not a data file");
        const Image before = f.data->GetImage();
        QVERIFY(!f.frame->OpenFile(bad));
        QCOMPARE(f.messages, std::vector<int>{811});
        QCOMPARE(f.data->GetImage(), before);
        QCOMPARE(Children(f.frame->Tree(), item::kChannel).size(), 16);
    }

    void SaveAsThenOpen()
    {
        CFixture f;
        const auto path = f.program.Path() / "saved.dat";
        QVERIFY(f.frame->SaveFileAs(path, "Typed comment"));
        std::string comment;
        QVERIFY(ReadComment(path, comment));
        QCOMPARE(QString::fromStdString(comment), QStringLiteral("Typed comment"));
        QVERIFY(f.frame->windowTitle().contains(QString::fromStdString(path.string())));
        QVERIFY(f.frame->OpenFile(path));
        QVERIFY(f.messages.empty());
    }

    void TheInvalidLogBarFollowsItsEntries()
    {
        CFixture f;
        f.frame->show();
        CInvalidLog& log = f.data->InvalidLog();
        log.Add({3850, "Designated", "Scan", 100});
        log.Add({3850, "Designated", "Scan", 100});
        QCOMPARE(f.frame->InvalidLogList()->topLevelItemCount(), 1);
        QVERIFY(f.frame->InvalidLogBar()->isVisible());
        log.Remove(100);
        QCOMPARE(f.frame->InvalidLogList()->topLevelItemCount(), 0);
        QVERIFY(!f.frame->InvalidLogBar()->isVisible());
    }

    void StatusBarShowsTheIdentity()
    {
        CFixture f;
        QCOMPARE(f.frame->StatusText(0), QStringLiteral("QL-210"));
        QCOMPARE(f.frame->StatusText(1), QStringLiteral("400-470 MHz"));
        QVERIFY(!f.frame->StatusText(2).isEmpty());
    }

    void Screenshots()
    {
        QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
        for (const int language : {0, 1}) {
            CFixture f(0, language);
            f.frame->resize(1100, 700);
            f.frame->show();
            f.frame->OpenItem(item::kRadio);
            f.frame->Tree()->expandAll();
            QCoreApplication::processEvents();
            const QString file = QStringLiteral(QRV_SCREENSHOT_DIR "/main_window_%1.png").arg(language == 0 ? QStringLiteral("en") : QStringLiteral("zh"));
            QVERIFY(f.frame->grab().save(file));
        }
    }
};

} // namespace qrv

QTEST_MAIN(qrv::MainFrameTest)
#include "test_main_frame.moc"
