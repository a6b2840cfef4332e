// The main window as a user meets it: the tree after a load, the items the
// user level hides, opening items, tool tips, bad files, the invalid log.
#include "dialogs/backup_actions.h"
#include "dialogs/dlg_file.h"
#include "dialogs/dlg_password.h"
#include "dialogs/dlg_port.h"
#include "dialogs/dlg_transfer.h"
#include "editor_fixture.h"
#include "editors/data_watch_view.h"
#include "editors/record_navigator.h"
#include "frame_fixture.h"
#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "records/channel_data.h"
#include "records/frequency.h"
#include "records/scan_list_data.h"
#include "shell/child_frame.h"
#include "shell/localize_window.h"
#include "shell/main_frame.h"
#include "shell/menus.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "shell/port_selector.h"
#include "sim_radio.h"
#include "test_support.h"
#include "ui_test_registry.h"
#include "widgets/compact_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace qrv {

void TypeInto(QLineEdit* edit, const char* text)
{
    QVERIFY(edit != nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
    QTest::keyClick(edit, Qt::Key_Return);
}

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;

    static QStringList Children(CNavigationTree* tree, int itemNumber)
    {
        QStringList texts;
        for (QTreeWidgetItem* item : tree->ItemsOfKind(itemNumber))
            texts << item->text(0);
        return texts;
    }

    // Every editor a user opens from the tree or the View menu.
    static constexpr std::pair<int, const char*> kEditors[] = {{item::kRadio, "radio"},
                                                               {item::kChannel, "channel"},
                                                               {item::kChannelList, "channel_list"},
                                                               {item::kPersonality, "personality"},
                                                               {item::kScan, "scan"},
                                                               {item::kKeys, "keys"},
                                                               {item::kMiscellaneous, "misc"},
                                                               {item::kVox, "vox"},
                                                               {item::kMode, "mode"},
                                                               {item::kTestFrequency, "test_frequency"},
                                                               {item::kDtmfSystem, "dtmf"},
                                                               {item::kEmergency, "emergency"},
                                                               {item::kVolume, "volume"},
                                                               {item::kMicrophone, "microphone"},
                                                               {item::kEmbedded, "embedded"}};

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

    // A tree item opens its own record, numbered among the records of its
    // kind; each scan list has its item, and the tree follows a deletion.
    void TreeItemsOpenTheirOwnRecords()
    {
        CFixture f;
        auto& scans = f.data->ScanLists();
        while (scans.size() < 2)
            scans.push_back(std::make_unique<CScanListData>());
        f.frame->Rebuild();
        CNavigationTree* tree = f.frame->Tree();
        QCOMPARE(Children(tree, item::kScan), (QStringList{QStringLiteral("Scan 1"), QStringLiteral("Scan 2")}));
        CChildFrame* window = nullptr;
        for (const int k : {1, 0}) {
            emit tree->itemClicked(tree->ItemsOfKind(item::kScan)[k], 0);
            window = f.frame->OpenChildren().front();
            QCOMPARE(window->PositionText(), QStringLiteral("%1 / 2").arg(k + 1));
            QCOMPARE(window->RecordButtons()[0]->isEnabled(), k == 1); // First
            QCOMPARE(window->RecordButtons()[2]->isEnabled(), k == 0); // Next
        }
        emit window->NavigationCommand(record_command::kDelete);
        QCOMPARE(Children(tree, item::kScan), QStringList{QStringLiteral("Scan")});
        QCOMPARE(window->PositionText(), QStringLiteral("1 / 1"));
        emit tree->itemClicked(tree->ItemsOfKind(item::kPersonality)[0], 0);
        QCOMPARE(f.frame->OpenChildren().back()->PositionText(), QStringLiteral("1 / 1"));
    }

    // Undo and redo keep every open window, the channel list too, and the
    // first Ctrl+Z undoes the last change even from the field just typed in.
    void UndoKeepsTheWindowsAndTakesTheKeysFromAnyField()
    {
        CFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        f.frame->OpenItem(item::kChannelList, 0);
        f.frame->OpenItem(item::kScan, 0);
        CChildFrame* channel = f.frame->OpenItem(item::kChannel, 2);
        const Image before = f.Stored();
        auto* rx = test::Control<QLineEdit>(*channel->View(), CChannelData::kRxFrequencyEdit);
        QVERIFY(rx != nullptr);
        rx->setFocus();
        rx->selectAll();
        QTest::keyClicks(rx, QStringLiteral("455.5"));
        QTest::keyClick(rx, Qt::Key_Return);
        const Image after = f.Stored();
        QVERIFY(after != before);
        const auto open = [&f] {
            std::vector<std::pair<int, QString>> windows;
            for (const CChildFrame* child : f.frame->OpenChildren())
                windows.emplace_back(child->ItemNumber(), child->PositionText());
            return windows;
        };
        const auto windows = open();

        QTest::keyClick(rx, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.Stored() == before);
        QCOMPARE(open(), windows);
        const auto* active = qobject_cast<CChildFrame*>(f.frame->findChild<QMdiArea*>()->activeSubWindow());
        QVERIFY(active != nullptr && active->ItemNumber() == item::kChannel);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f.frame.get(), Qt::Key_Y,
                        Qt::ControlModifier);
        QVERIFY(f.Stored() == after);
        QCOMPARE(open(), windows);
    }

    // Each command's keys reach it from the main window and from a field of
    // an editor window, where Ctrl+W and Ctrl+R are not the window's own.
    void StandardShortcutsReachTheirCommands()
    {
        using namespace command;
        CFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        CChildFrame* channel = f.frame->OpenItem(item::kChannel, 0);
        QWidget* field = test::Control<QLineEdit>(*channel->View(), CChannelData::kRxFrequencyEdit);
        QVERIFY(field != nullptr);
        const std::pair<int, QKeyCombination> commands[] = {
            {kNew, Qt::CTRL | Qt::Key_N},   {kOpen, Qt::CTRL | Qt::Key_O},
            {kSave, Qt::CTRL | Qt::Key_S},  {kSaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
            {kPrint, Qt::CTRL | Qt::Key_P}, {kExit, Qt::CTRL | Qt::Key_Q},
            {kUndo, Qt::CTRL | Qt::Key_Z},  {kRedo, Qt::CTRL | Qt::Key_Y},
            {kRead, Qt::CTRL | Qt::Key_R},  {kWrite, Qt::CTRL | Qt::Key_W}};
        for (const auto& [number, key] : commands) {
            QAction* action = f.frame->Menus().Action(number);
            QVERIFY2(action != nullptr, qPrintable(QString::number(number)));
            // The command itself would open dialogs: the test only counts that it is reached.
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            action->setEnabled(true); // Undo and Redo wait for a change otherwise
            int reached = 0;
            QObject::connect(action, &QAction::triggered, action, [&reached] { ++reached; });
            for (QWidget* target : {static_cast<QWidget*>(f.frame.get()), field}) {
                target->setFocus();
                QTest::keyClick(target, key.key(), key.keyboardModifiers());
            }
            QVERIFY2(reached == 2, qPrintable(action->text()));
        }
        // F1 shows help: the Help command's page when no control has a topic.
        QVERIFY(f.frame->Menus().Action(kHelp)->shortcuts().contains(QKeySequence(Qt::Key_F1)));
    }

    // Every menu's mnemonics are unique, in both languages and at the level that shows most items.
    void MnemonicsAreUniqueWithinEachMenu()
    {
        for (const int language : {0, 1}) {
            CFixture f(CSettings::kFactoryLevel, language);
            QList<QMenu*> menus{f.frame->menuBar()->findChildren<QMenu*>()};
            const auto mnemonicsOf = [](const QList<QAction*>& actions) {
                std::map<QChar, QStringList> seen;
                for (const QAction* action : actions) {
                    const QString text = action->text();
                    const auto at = text.indexOf(QLatin1Char('&'));
                    if (action->isVisible() && at >= 0 && at + 1 < text.size())
                        seen[text.at(at + 1).toUpper()] << text;
                }
                QStringList clashes;
                for (const auto& [key, texts] : seen)
                    if (texts.size() > 1)
                        clashes << texts.join(QStringLiteral(" / "));
                return clashes;
            };
            QCOMPARE(mnemonicsOf(f.frame->menuBar()->actions()), QStringList());
            for (const QMenu* menu : menus)
                QVERIFY2(mnemonicsOf(menu->actions()).isEmpty(),
                         qPrintable(mnemonicsOf(menu->actions()).join(QLatin1Char('\n'))));
        }
    }

    // The tool bar's and the navigation bar's buttons show icons: each has its tip.
    void EveryIconButtonHasATip()
    {
        CFixture f;
        for (const QAction* action : f.frame->findChild<QToolBar*>(QStringLiteral("toolBar"))->actions())
            QVERIFY(action->isSeparator() || !action->toolTip().isEmpty());
        CChildFrame* channel = f.frame->OpenItem(item::kChannel, 0);
        for (const QPushButton* button : channel->findChildren<QPushButton*>())
            if (button->text().isEmpty())
                QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->property("controlNumber").toString()));
    }

    void EnterOnATreeItemOpensIt()
    {
        CFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        CNavigationTree* tree = f.frame->Tree();
        const QList<QTreeWidgetItem*> channels = tree->ItemsOfKind(item::kChannel);
        QVERIFY(channels.size() > 2);
        tree->setFocus();
        tree->setCurrentItem(channels[2]);
        QTest::keyClick(tree, Qt::Key_Return);
        const auto* active = qobject_cast<CChildFrame*>(f.frame->findChild<QMdiArea*>()->activeSubWindow());
        QVERIFY(active != nullptr);
        QCOMPARE(active->ItemNumber(), item::kChannel);
        QCOMPARE(active->PositionText(), QStringLiteral("3 / %1").arg(channels.size()));
    }

    // A real box: Qt's own button texts in the interface's language, and the
    // icon of what the message tells. Chinese first: English after it shows
    // that the window's Qt translation went with it.
    void MessageBoxesSpeakTheLanguageAndShowTheirKind()
    {
        struct Row {
            int language;
            int message;
            QMessageBox::StandardButtons buttons;
            QMessageBox::StandardButton first;
            QString firstText; // what its text holds
            QMessageBox::Icon icon;
        };
        const Row rows[] = {
            {1, msg::kSaveChangesQuestion, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
             QStringLiteral("是"), QMessageBox::Warning},
            {1, msg::kRadioWriteDone, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("确定"),
             QMessageBox::Information},
            {0, msg::kCannotRead, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("OK"), QMessageBox::Critical},
            {0, msg::kFrequencyOutOfRange, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("OK"),
             QMessageBox::Warning},
        };
        for (const Row& row : rows) {
            CFixture f(0, row.language);
            SetMessageBoxHandler(nullptr);
            QString text;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    text = box->button(row.first)->text();
                    icon = box->icon();
                    box->done(QMessageBox::Cancel);
                }
            });
            ShowMessage(f.frame.get(), f.Settings(), row.message, row.buttons);
            QVERIFY2(text.contains(row.firstText), qPrintable(text));
            QCOMPARE(icon, row.icon);
        }
    }

    void UserLevelsHideItems()
    {
        struct Case {
            int level;
            bool changeLog;
            bool factoryMode;
            bool updateMemory;
            int programSeparators; // a separator goes with the group it opens
        };
        for (const Case c :
             {Case{0, false, false, false, 2}, Case{659, false, true, false, 3}, Case{61038527, true, true, true, 5}}) {
            CFixture f(c.level);
            const QList<QAction*> program = f.frame->menuBar()->findChild<QMenu*>(QStringLiteral("menu3"))->actions();
            QCOMPARE(std::count_if(program.begin(), program.end(),
                                   [](const QAction* a) { return a->isSeparator() && a->isVisible(); }),
                     c.programSeparators);
            QCOMPARE(f.frame->Tree()->FindItem(item::kChangeLog) != nullptr, c.changeLog);
            QVERIFY(f.frame->Tree()->FindItem(item::kDtmfSystem) == nullptr);
            QVERIFY(f.frame->Tree()->FindItem(item::kEmergency) == nullptr);
            QCOMPARE(f.frame->Menus().Action(command::kFactoryMode) != nullptr, c.factoryMode);
            QCOMPARE(f.frame->Menus().Action(command::kUpdateMemory) != nullptr, c.updateMemory);
            QCOMPARE(f.frame->Menus().Action(command::kWriteTuneData) != nullptr, c.updateMemory);
            QCOMPARE(f.frame->Menus().Action(command::kBaseBand) != nullptr, c.updateMemory);
            QVERIFY(f.frame->Menus().Action(item::kDtmfSystem) == nullptr);
            QVERIFY(f.frame->Menus().Action(command::kRead) != nullptr);
            // The View menu reaches the DTMF system and the emergency views at the factory level only.
            QCOMPARE(f.frame->Menus().Action(command::kDtmfSystemView) != nullptr, c.changeLog);
            QCOMPARE(f.frame->Menus().Action(command::kEmergencyView) != nullptr, c.changeLog);
            QCOMPARE(f.frame->Menus().Action(item::kVolume) != nullptr, c.changeLog);
            QCOMPARE(f.frame->Menus().Action(item::kMicrophone) != nullptr, c.changeLog);
            QVERIFY(f.frame->Menus().Action(item::kChannelList) != nullptr);
            if (c.changeLog)
                QCOMPARE(f.frame->Menus().Action(command::kEmergencyView)->text(), QStringLiteral("Emergency"));
        }
    }

    // A user at each level clicks every item of the tree once, in both
    // languages: each leaf opens its window (CI runs this under the sanitizers).
    void EveryItemOpensAtEveryUserLevel()
    {
        for (const int level : {0, CSettings::kServiceLevel, CSettings::kFactoryLevel})
            for (const int language : {0, 1}) {
                CFixture f(level, language);
                f.frame->Tree()->expandAll();
                QList<QTreeWidgetItem*> items;
                for (QTreeWidgetItemIterator it(f.frame->Tree()); *it != nullptr; ++it)
                    if ((*it)->parent() != nullptr)
                        items << *it;
                for (QTreeWidgetItem* item : items) {
                    emit f.frame->Tree()->itemClicked(item, 0);
                    QCoreApplication::processEvents();
                    if (item->childCount() != 0)
                        continue;
                    const int number = item->data(0, CNavigationTree::kItemRole).toInt();
                    const auto children = f.frame->OpenChildren();
                    QVERIFY2(std::any_of(children.begin(), children.end(),
                                         [number](const CChildFrame* c) { return c->ItemNumber() == number; }),
                             qPrintable(item->text(0)));
                }
                f.frame->CloseAllChildren();
                QCOMPARE(f.messages, std::vector<int>{});
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
        f.frame->DoCommand(command::kCloseAll);
        QCoreApplication::processEvents();
        QCOMPARE(f.frame->OpenChildren().size(), 0);
    }

    void ToolTipsFollowTheLanguage()
    {
        CFixture english(0, 0);
        QCOMPARE(english.frame->Menus().Action(command::kRead)->toolTip(), QStringLiteral("Read from Radio"));
        CFixture chinese(0, 1);
        const QString tip = chinese.frame->Menus().Action(command::kRead)->toolTip();
        QVERIFY(!tip.isEmpty());
        QVERIFY(!tip.contains(QLatin1Char('(')));
        QVERIFY(tip != QStringLiteral("Read from Radio"));
    }

    // The user's copy of the program data: all of it at the first start; an
    // upgrade brings the new language files and default images, and leaves
    // Settings.ini, the ranges learned into Model.dat and data files alone.
    void AnUpgradeRefreshesOnlyTheProgramsOwnFiles()
    {
        test::CTempDir installed;
        test::CTempDir user;
        test::CopyResources(installed.Path());
        SeedProgramDirectory(installed.Path(), user.Path());
        QCOMPARE(test::ReadText(user.Path() / "QRV_E.lng"), test::ReadText(installed.Path() / "QRV_E.lng"));
        QVERIFY(std::filesystem::exists(user.Path() / "Settings.ini"));

        const std::pair<const char*, std::string> users[] = {
            {"Settings.ini", "[Setting]\nModelID=QL210\nPortName=/dev/ttyUSB3\n"},
            {"Model.dat", "[Setting]\nModelID=QL210\nQL210=QL-210\n[QL210]\nNumber=1\nFreq0=420, 450, 420, 450, 1\n"},
            {"customer.dat", "QRV a customer's codeplug"}};
        for (const auto& [name, text] : users)
            test::WriteText(user.Path() / name, text);
        // The same installation again: nothing is copied (an edit of a program file stays).
        test::WriteText(user.Path() / "QRV_S.lng", "edited");
        SeedProgramDirectory(installed.Path(), user.Path());
        QCOMPARE(test::ReadText(user.Path() / "QRV_S.lng"), std::string("edited"));

        // An upgrade: new texts and a new default image.
        test::WriteText(installed.Path() / "QRV_E.lng",
                        test::ReadText(installed.Path() / "QRV_E.lng") + "S0109999=new\n");
        test::WriteText(installed.Path() / "QL210400-470DefaultSet.dat", "new default");
        SeedProgramDirectory(installed.Path(), user.Path());
        for (const char* refreshed : {"QRV_E.lng", "QRV_S.lng", "QL210400-470DefaultSet.dat"})
            QCOMPARE(test::ReadText(user.Path() / refreshed), test::ReadText(installed.Path() / refreshed));
        for (const auto& [name, text] : users)
            QCOMPARE(test::ReadText(user.Path() / name), text);
    }

    // Damaged program files: the window still comes up whole, and no menu or
    // tree text is blank (a text the chosen language lacks comes from English).
    void DamagedProgramFilesLeaveAWorkingWindow()
    {
        const auto halfOfChinese = [](const std::filesystem::path& dir) {
            std::string kept;
            std::istringstream in(test::ReadText(dir / "QRV_S.lng"));
            int textLine = 0;
            for (std::string line; std::getline(in, line);)
                if (line.rfind("S0", 0) != 0 || ++textLine % 2 == 0)
                    kept += line + "\n";
            test::WriteText(dir / "QRV_S.lng", kept);
        };
        const auto garbage = [](const char* name) {
            return [name](const std::filesystem::path& dir) { test::WriteText(dir / name, "\x01\xff[\n=\0\n[["); };
        };
        struct Row {
            const char* name;
            int language;
            std::function<void(const std::filesystem::path&)> damage;
            bool languageDamaged;
        };
        const std::vector<Row> rows{
            {"half a translation", 1, halfOfChinese, false},
            {"English file garbage", 0, garbage("QRV_E.lng"), true},
            {"Settings.ini garbage", 0, garbage("Settings.ini"), false},
            {"Model.dat garbage", 0, garbage("Model.dat"), false},
        };
        for (const Row& row : rows) {
            CFixture f(0, row.language, "400-470", row.damage);
            QVERIFY2(f.Settings().DamagedLanguageFile().has_value() == row.languageDamaged, row.name);
            for (const auto& [number, action] : f.frame->Menus().Actions())
                QVERIFY2(!action->text().isEmpty(),
                         qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(row.name)).arg(number)));
            QTreeWidgetItemIterator it(f.frame->Tree());
            for (++it; *it != nullptr; ++it) // the root shows the model's name, which these rows may lack
                QVERIFY2(!(*it)->text(0).isEmpty(), row.name);
            QCOMPARE(Children(f.frame->Tree(), item::kChannel).size(), 16);
        }
    }

    void ABadFileShowsItsMessageAndKeepsTheCodeplug()
    {
        CFixture f;
        const auto bad = f.program.Path() / "bad.dat";
        test::WriteText(bad, "not a data file");
        const Image before = f.data->GetImage();
        QVERIFY(!f.frame->OpenFile(bad));
        QCOMPARE(f.messages, std::vector<int>{msg::kCannotRead});
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

    // "qrv FILE" opens the file as File > Open does; one that cannot be read
    // is said, and the new codeplug stays untitled.
    void TheFileOnTheCommandLineOpens()
    {
        CFixture writer;
        writer.data->Channels()[0]->SetRxFrequency(0x44012500);
        const auto path = writer.program.Path() / "given.dat";
        QVERIFY(writer.frame->SaveFileAs(path, ""));
        CFixture f;
        f.frame->OpenCommandLineFile(
            {QStringLiteral("qrv"), QStringLiteral("--exit-after-start"), QString::fromStdString(path.string())});
        QVERIFY(f.messages.empty());
        QCOMPARE(f.frame->Session().CurrentPath(), path);
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), 0x44012500u);

        CFixture missing;
        missing.frame->OpenCommandLineFile({QStringLiteral("qrv"), QStringLiteral("/no/such/file.dat")});
        QCOMPARE(missing.messages, std::vector<int>{msg::kReadMissing});
        QVERIFY(missing.frame->Session().CurrentPath().empty());
    }

    // Open Backup Folder: the file manager shows it; when none can, the
    // message says where the folder is.
    void OpenBackupFolderSaysWhereItIsWhenNothingOpensIt()
    {
        CFixture f;
        const QString folder = QDir::toNativeSeparators(QString::fromStdU16String(DefaultBackupFolder().u16string()));
        QString said;
        SetMessageBoxHandler([&](int number, const QString& text) {
            f.messages.push_back(number);
            said = text;
            return QMessageBox::Ok;
        });
        QUrl opened;
        QVERIFY(OpenBackupFolder(f.frame.get(), f.Settings(), [&opened](const QUrl& url) {
            opened = url;
            return true;
        }));
        QVERIFY(f.messages.empty());
        QCOMPARE(QDir::toNativeSeparators(opened.toLocalFile()), folder);
        QVERIFY(!OpenBackupFolder(f.frame.get(), f.Settings(), [](const QUrl&) { return false; }));
        QCOMPARE(f.messages, std::vector<int>{msg::kBackupFolderIs});
        QVERIFY2(said.endsWith(folder), qPrintable(said));
    }

    void TheInvalidLogBarFollowsItsEntries()
    {
        CFixture f;
        f.frame->show();
        CInvalidLog& log = f.data->InvalidLog();
        log.Add({CScanListData::kDesignatedControl, "Designated", "Scan", 100});
        log.Add({CScanListData::kDesignatedControl, "Designated", "Scan", 100});
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
        QCOMPARE(f.frame->StatusText(2), QStringLiteral("COM1")); // no port chosen yet
        f.Settings().PortName = "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0";
        f.frame->RefreshStatusBar();
        QCOMPARE(f.frame->StatusText(2), QStringLiteral("usb-FTDI_FT232R-if00-port0"));
        f.Settings().PortName = kSimulatedPortName;
        f.frame->RefreshStatusBar();
        QCOMPARE(f.frame->StatusText(2), QString::fromStdString(f.Settings().GetMessage(kSimulatedRadioText)));
    }

    // The port dialog: the system's names with what it says of each, a port
    // the user may not open still listed with the fix, a typed device path
    // (here a real pseudo-terminal), and the simulated radio.
    void ThePortDialogListsRealNamesReasonsAndATypedPath()
    {
        CFixture f;
        CPortInfo usb;
        usb.device = "/dev/ttyUSB0";
        usb.name = "ttyUSB0";
        usb.description = "FT232R USB UART";
        usb.manufacturer = "FTDI";
        usb.serialNumber = "A10KX";
        usb.canOpen = true;
        CPortInfo locked = usb;
        locked.device = "/dev/ttyACM0";
        locked.name = "ttyACM0";
        locked.canOpen = false;
        locked.problem = PortProblem::NoPermission;
        locked.owningGroup = "dialout";
        CDlgPort dialog(f.Settings(), {usb, locked});
        QCOMPARE(dialog.Ports(), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0", kSimulatedPortName}));
        QVERIFY(dialog.DetailsOf(0).contains(QStringLiteral("FTDI")));
        QVERIFY(dialog.DetailsOf(0).contains(QStringLiteral("serial number A10KX")));
        QVERIFY(dialog.DetailsOf(1).contains(QStringLiteral("join the group dialout")));
        dialog.Choose(1); // chosen all the same: it works once the user has joined
        QCOMPARE(dialog.PortName(), std::string("/dev/ttyACM0"));
        dialog.Choose(2);
        QCOMPARE(dialog.PortName(), std::string(kSimulatedPortName));

        const int pty = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(pty >= 0 && ::grantpt(pty) == 0 && ::unlockpt(pty) == 0);
        const QString typed = QString::fromLatin1(::ptsname(pty));
        QTest::keyClicks(dialog.OtherPortEdit(), typed);
        QCOMPARE(dialog.PortName(), typed.toStdString());
        QCOMPARE(dialog.PortNumber(), 0);
        // The path typed comes back typed when the dialog opens again.
        f.Settings().PortName = typed.toStdString();
        CDlgPort again(f.Settings(), {usb});
        QCOMPARE(again.PortName(), typed.toStdString());
        ::close(pty);
    }

    void ModelChanges()
    {
        CFixture f;
        CSettings& s = f.program.Settings();
        f.data->Channels()[0]->SetRxFrequency(0x44012500);
        f.frame->ChangeModel("QL210", "QL-220", "400-470", 0); // the name alone
        QVERIFY(f.messages.empty());
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), 0x44012500u);
        QCOMPARE(f.frame->Tree()->topLevelItem(0)->text(0), QStringLiteral("QL-220"));
        QCOMPARE(f.frame->StatusText(0), QStringLiteral("QL-220"));

        // Identity and range: a new codeplug, after the question whether to save the changed one.
        f.answer = QMessageBox::No;
        f.frame->ChangeModel("QL210", "QL-220", "136-174", 0);
        QCOMPARE(f.messages, std::vector<int>{msg::kSaveChangesQuestion});
        QCOMPARE(f.data->Identity().freqRange, std::string("136-174"));
        QCOMPARE(s.RememberedModel().freqRange, std::string("136-174")); // the next start's
        const auto rx = UnitsFromFrequencyWord(f.data->Channels()[0]->RxFrequency());
        QVERIFY(rx && *rx >= 13600000 && *rx <= 17400000);
        QCOMPARE(f.frame->StatusText(1), QStringLiteral("136-174 MHz"));
    }

    void LanguageChangeRelocalises()
    {
        CFixture f;
        f.frame->OpenItem(item::kRadio);
        const QString english = f.frame->Tree()->FindItem(item::kRadio)->text(0);
        f.frame->ChangeLanguage(1);
        QCOMPARE(f.program.Settings().LanguageIndex(), 1);
        QVERIFY(f.frame->Tree()->FindItem(item::kRadio)->text(0) != english);
        QVERIFY(f.frame->menuBar()->actions().first()->text() != QStringLiteral("&File"));
        // The open window comes back in the new language.
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        CChildFrame* radio = f.frame->OpenChildren().first();
        QCOMPARE(radio->windowTitle(), f.frame->Tree()->FindItem(item::kRadio)->text(0));
        const QString modelLabel = QString::fromStdString(f.program.Settings().GetText(caption::kModelName));
        QVERIFY(!modelLabel.isEmpty());
        bool found = false;
        for (const QLabel* label : radio->View()->findChildren<QLabel*>())
            found = found || label->text() == modelLabel;
        QVERIFY(found);
        f.frame->ChangeLanguage(0);
        QCOMPARE(f.frame->Tree()->FindItem(item::kRadio)->text(0), english);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
    }

    // Switching the language keeps the codeplug, its file, its unsaved edits
    // and the undo history; the edits reach the file on the next save.
    void LanguageChangeKeepsTheDocument()
    {
        CFixture f;
        const auto path = f.program.Path() / "customer.dat";
        QVERIFY(f.frame->SaveFileAs(path, "customer"));
        CChildFrame* channel = f.frame->OpenItem(item::kChannel, 2);
        TypeInto(test::Control<QLineEdit>(*channel->View(), CChannelData::kRxFrequencyEdit), "455.5");
        const Image edited = f.Stored();
        QVERIFY(f.frame->isWindowModified());
        for (const int language : {1, 0})
            f.frame->ChangeLanguage(language);
        QCOMPARE(f.frame->Session().CurrentPath(), path);
        QVERIFY(f.Stored() == edited);
        QVERIFY(f.frame->isWindowModified());
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QVERIFY(f.frame->SaveFile());
        QVERIFY(!f.frame->isWindowModified());
        QVERIFY(f.frame->OpenFile(path));
        QVERIFY(f.Stored() == edited);
        QVERIFY(f.messages.empty());
    }

    // File > New gives an untitled document: the customer's file is never
    // overwritten with the default codeplug by the next Save.
    void NewIsUntitled()
    {
        CFixture f;
        const auto path = f.program.Path() / "customer.dat";
        QVERIFY(f.frame->SaveFileAs(path, "customer"));
        const std::string saved = test::ReadText(path);
        f.frame->FileNew(false);
        QVERIFY(f.messages.empty()); // nothing unsaved, nothing asked
        QVERIFY(f.frame->Session().CurrentPath().empty());
        QVERIFY(!f.frame->windowTitle().contains(QStringLiteral("customer")));
        QVERIFY(f.frame->Session().Save().needsSaveAs);
        QCOMPARE(test::ReadText(path), saved);
    }

    // The title marks unsaved changes; undoing back to the saved state and
    // saving clear it; replacing a changed codeplug asks first, Cancel keeps it.
    void TheModifiedMarkerFollowsEditsUndoAndSave()
    {
        CFixture f;
        QVERIFY(!f.frame->isWindowModified());
        QVERIFY(f.frame->windowTitle().contains(QStringLiteral("[*]")));
        CChildFrame* channel = f.frame->OpenItem(item::kChannel, 0);
        TypeInto(test::Control<QLineEdit>(*channel->View(), CChannelData::kRxFrequencyEdit), "455.5");
        QVERIFY(f.frame->isWindowModified());
        f.frame->DoCommand(command::kUndo);
        QVERIFY(!f.frame->isWindowModified());
        f.frame->DoCommand(command::kRedo);
        QVERIFY(f.frame->isWindowModified());
        const Image edited = f.Stored();
        f.answer = QMessageBox::Cancel;
        f.frame->FileNew(false);
        QCOMPARE(f.messages, std::vector<int>{msg::kSaveChangesQuestion});
        QVERIFY(f.Stored() == edited);
        QVERIFY(f.frame->SaveFileAs(f.program.Path() / "edited.dat", ""));
        QVERIFY(!f.frame->isWindowModified());
        f.messages.clear();
        f.frame->FileNew(false);
        QVERIFY(f.messages.empty());
        QVERIFY(f.Stored() != edited);
    }

    void TheTreeHighlightsTheOpenedItem()
    {
        CFixture f(61038527);
        CNavigationTree* tree = f.frame->Tree();
        f.frame->OpenItem(item::kRadio);
        QVERIFY(tree->IsHighlighted(tree->FindItem(item::kRadio)));
        // Opening another item moves the highlight: the previous item shows image 0 again.
        f.frame->OpenItem(item::kChangeLog);
        QVERIFY(!tree->IsHighlighted(tree->FindItem(item::kRadio)));
        tree->setCurrentItem(tree->ItemsOfKind(item::kChannel).value(2));
        QVERIFY(tree->IsHighlighted(tree->ItemsOfKind(item::kChannel).value(2)));
        int highlighted = 0;
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it)
            highlighted += tree->IsHighlighted(*it) ? 1 : 0;
        QCOMPARE(highlighted, 1);
    }

    void NavigationBarButtonsPerView()
    {
        CFixture f(61038527);
        CChildFrame* radio = f.frame->OpenItem(item::kRadio);
        CChildFrame* watch = f.frame->OpenItem(item::kChangeLog);
        QVERIFY(radio != nullptr && watch != nullptr);
        QVERIFY(radio->HelpButton()->isVisibleTo(radio));
        QVERIFY(radio->PrintButton()->isVisibleTo(radio));
        QVERIFY(!radio->RecordButtons()[0]->isVisibleTo(radio));
        // The data watch has neither Print nor Help.
        QVERIFY(!watch->HelpButton()->isVisibleTo(watch));
        QVERIFY(!watch->PrintButton()->isVisibleTo(watch));
    }

    void TheFileDialogPreviewsAndTakesTheComment()
    {
        CFixture f;
        const auto path = f.program.Path() / "with-comment.dat";
        {
            CDlgFile save(false, f.program.Settings(), QString(), f.frame.get());
            save.SetHeader(FillHeader(f.data->Identity(), 1));
            QVERIFY(!save.CommentBox()->isReadOnly());
            QCOMPARE(save.RangeText(), QStringLiteral("400 - 470MHz"));
            save.CommentBox()->setPlainText(QStringLiteral("Fleet of ten"));
            QVERIFY(f.frame->SaveFileAs(path, save.Comment()));
        }
        CDlgFile open(true, f.program.Settings(), QString(), f.frame.get());
        QVERIFY(open.CommentBox()->isReadOnly());
        open.ShowPreviewOf(QString::fromStdString(path.string()));
        QCOMPARE(open.ModelText(), QStringLiteral("QL-210"));
        QCOMPARE(open.RangeText(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(open.VersionText(), QStringLiteral("1.01.05"));
        QCOMPARE(open.CommentBox()->toPlainText(), QStringLiteral("Fleet of ten"));
        const auto other = f.program.Path() / "not-a-codeplug.txt";
        test::WriteText(other, "hello");
        open.ShowPreviewOf(QString::fromStdString(other.string()));
        QVERIFY(open.ModelText().isEmpty());
        QVERIFY(open.CommentBox()->toPlainText().isEmpty());
        QVERIFY(CDlgFile::NameFilters(f.program.Settings()).first().contains(QStringLiteral("*.dat")));
    }

    void ThePasswordDialogs()
    {
        CFixture f;
        // Every password field takes only what the radio stores, says why it refuses, and never cuts a paste.
        struct Entry {
            const char* name;
            QString typed;
            QString pasted;
            QString kept;
            std::vector<int> messages;
        };
        const std::vector<Entry> entries{
            {"ninth character typed",
             QStringLiteral("123456789"),
             {},
             QStringLiteral("12345678"),
             {msg::kPasswordTooLong}},
            {"spaces and punctuation", QStringLiteral(" ~a Z!  "), {}, QStringLiteral(" ~a Z!  "), {}},
            {"accented letter typed", QStringLiteral("caf\u00E9"), {}, QStringLiteral("caf"), {msg::kPasswordNotAscii}},
            {"Chinese text pasted", {}, QStringLiteral("\u4E2D\u6587"), {}, {msg::kPasswordNotAscii}},
            {"over-long text pasted",
             QStringLiteral("a"),
             QStringLiteral("bcdefghi"),
             QStringLiteral("a"),
             {msg::kPasswordTooLong}},
        };
        CDlgInputPassword input(f.program.Settings());
        CDlgChangePassword edits(f.program.Settings(), "Secret");
        for (QLineEdit* edit : {input.Edit(), edits.OldEdit(), edits.NewEdit(), edits.ConfirmEdit()}) {
            QCOMPARE(edit->toolTip().toStdString(), f.program.Settings().GetMessage(msg::kPasswordRule));
            for (const Entry& e : entries) {
                edit->clear();
                f.messages.clear();
                for (const QChar c : e.typed) { // as a keyboard layout with these letters sends them
                    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(edit, &key);
                }
                if (!e.pasted.isEmpty()) {
                    QApplication::clipboard()->setText(e.pasted);
                    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                }
                QVERIFY2(edit->text() == e.kept, e.name);
                QVERIFY2(f.messages == e.messages, e.name);
            }
        }

        struct Case {
            const char* old;
            const char* typed;
            const char* confirmation;
            int message;
            bool accepted;
            bool oldKept;
        };
        for (const Case c : {Case{"wrong", "new1", "new1", msg::kWrongOldPassword, false, false},
                             Case{"Secret", "new1", "new2", msg::kPasswordMismatch, false, true},
                             Case{"Secret", "new1", "new1", msg::kPasswordChanged, true, true},
                             Case{"secret", "new1", "new1", msg::kWrongOldPassword, false, false},
                             Case{"Secret  ", "new1", "new1", msg::kPasswordChanged, true, true}}) {
            f.messages.clear();
            CDlgChangePassword change(f.program.Settings(), "Secret");
            change.OldEdit()->setText(QString::fromLatin1(c.old));
            change.NewEdit()->setText(QString::fromLatin1(c.typed));
            change.ConfirmEdit()->setText(QString::fromLatin1(c.confirmation));
            change.Confirm();
            QCOMPARE(f.messages, std::vector<int>{c.message});
            QCOMPARE(change.result() == QDialog::Accepted, c.accepted);
            QCOMPARE(change.OldEdit()->text().isEmpty(), !c.oldKept);
            if (c.accepted) {
                QCOMPARE(change.NewPassword(), std::string("new1"));
            } else {
                QVERIFY(change.NewEdit()->text().isEmpty());
            }
        }
    }

    void UpdateMemoryDataFeedsTheDataWatchView()
    {
        CFixture f(61038527);
        CChildFrame* child = f.frame->OpenItem(item::kChangeLog);
        QVERIFY(child != nullptr);
        auto* watch = qobject_cast<CDataWatchView*>(child->View());
        QVERIFY(watch != nullptr);
        f.data->Channels()[0]->SetRxFrequency(0x44612500);
        f.frame->DoCommand(command::kUpdateMemory);
        // 446.00625 -> 446.12500: bytes 25 06 60 44 become 00 25 61 44.
        QCOMPARE(watch->ChangeList()->count(), 3);
        QCOMPARE(watch->ChangeList()->item(0)->text(), QStringLiteral("$E.0x584:25->00"));
        QCOMPARE(watch->ChangeList()->item(2)->text(), QStringLiteral("$E.0x586:60->61"));
        f.frame->DoCommand(command::kUpdateMemory);
        QCOMPARE(watch->ChangeList()->count(), 3);
    }

    void ReadAndWriteTheSimulatedRadio()
    {
        CFixture f;
        f.program.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        radio.Memory()[0x586] = 0x61; // channel 1 receives on 446.10625 MHz in the radio

        auto reading = f.frame->MakeTransferDialog(true);
        reading->Start();
        QVERIFY(!reading->OkButton()->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(reading->result(), int(QDialog::Accepted), 30000);
        f.frame->AfterTransfer(true, true);
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), 0x44610625u);
        QCOMPARE(reading->Percent(), 100);
        QCOMPARE(f.messages, std::vector<int>{msg::kRadioReadDone});

        f.data->Channels()[1]->SetRxFrequency(0x44700625);
        f.data->StoreToImage(f.data->GetImage());
        auto writing = f.frame->MakeTransferDialog(false);
        writing->Start();
        QTRY_COMPARE_WITH_TIMEOUT(writing->result(), int(QDialog::Accepted), 30000);
        QCOMPARE(radio.Memory()[0x580 + 20 + 6], 0x70);
        QCOMPARE(f.messages.back(), msg::kRadioWriteDone);
    }

    // Save stores what an editor still holds unconfirmed; Write to Radio sends
    // nothing while the data checks find errors. Both through the commands.
    void SaveAndWriteTakeTheOpenEditorsAndTheChecks()
    {
        constexpr std::ptrdiff_t kHeaderSize = 143;
        constexpr std::ptrdiff_t kChannel1Rx = 0x584;
        CFixture f;
        const auto path = f.program.Path() / "typed.dat";
        QVERIFY(f.frame->SaveFileAs(path, ""));
        CChildFrame* child = f.frame->OpenItem(item::kChannel);
        QVERIFY(child != nullptr);
        QLineEdit* rx = nullptr;
        for (QLineEdit* edit : child->findChildren<QLineEdit*>())
            if (ControlNumber(edit) == CChannelData::kRxFrequencyEdit)
                rx = edit;
        QVERIFY(rx != nullptr);
        rx->selectAll();
        QTest::keyClicks(rx, QStringLiteral("446.10000")); // typed, not confirmed
        f.frame->DoCommand(command::kSave);
        const auto saved = test::ReadBytes(path);
        using Bytes = std::vector<std::uint8_t>;
        QCOMPARE(Bytes(saved.begin() + kHeaderSize + kChannel1Rx, saved.begin() + kHeaderSize + kChannel1Rx + 4),
                 (Bytes{0x00, 0x00, 0x61, 0x44}));

        f.frame->CloseAllChildren();
        f.program.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        const Image held = radio.Memory();
        f.data->Channels()[0]->SetPersonalityPosition(9); // no such personality
        f.data->AfterLoad();
        // Writing one radio or several, and comparing with one, are refused alike.
        for (const int command : {command::kWrite, command::kWriteFleet, command::kCompare}) {
            f.messages.clear();
            bool dialogShown = false;
            QTimer closer;
            connect(&closer, &QTimer::timeout, [&dialogShown] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    dialogShown = true;
                    modal->close();
                }
            });
            closer.start(50);
            f.frame->DoCommand(command);
            closer.stop();
            QVERIFY(!dialogShown);
            QCOMPARE(f.messages, std::vector<int>{msg::kInvalidData});
        }
        QCOMPARE(radio.Memory(), held);
    }

    void AFailedReadKeepsTheDocument()
    {
        CFixture f;
        f.program.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        radio.Faults().badChecksumAt = 0x7F0;
        radio.Memory()[0x586] = 0x61;
        const Image before = f.data->GetImage();
        const std::uint32_t frequency = f.data->Channels()[0]->RxFrequency();
        auto reading = f.frame->MakeTransferDialog(true);
        reading->Start();
        // A dialog's result starts as rejected: wait for the message that ends the transfer.
        QTRY_VERIFY_WITH_TIMEOUT(!f.messages.empty(), 30000);
        QCOMPARE(reading->result(), int(QDialog::Rejected));
        QCOMPARE(f.messages, std::vector<int>{msg::kRadioReadFailed});
        QCOMPARE(f.data->GetImage(), before);
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), frequency);
        QCOMPARE(f.data->Identity().freqRange, std::string("400-470"));
    }

    // Every editor page in a large window: fields at their natural widths
    // (those of one column as wide as the widest), never stretched across.
    void EditorPagesAreCompactForms()
    {
        CFixture f(CSettings::kFactoryLevel);
        f.frame->resize(1600, 1000);
        f.frame->show();
        for (const auto& [number, name] : kEditors) {
            if (number == item::kChannelList)
                continue; // a table, not a form
            CChildFrame* child = f.frame->OpenItem(number);
            QVERIFY2(child != nullptr, name);
            child->showMaximized();
            QList<QTabWidget*> sheets = child->View()->findChildren<QTabWidget*>();
            const int pages = sheets.isEmpty() ? 1 : static_cast<int>(sheets.first()->count());
            for (int page = 0; page < pages; ++page) {
                if (!sheets.isEmpty())
                    sheets.first()->setCurrentIndex(page);
                QCoreApplication::processEvents();
                const QString where = QStringLiteral("%1 page %2").arg(QLatin1String(name)).arg(page);
                // Fields in one column share the widest one's width; none is wider.
                std::vector<QWidget*> fields;
                std::map<int, int> columnWidth; // left edge in the view -> widest natural width
                for (QWidget* field : child->View()->findChildren<QWidget*>()) {
                    const bool isField =
                        qobject_cast<QComboBox*>(field) != nullptr || qobject_cast<QLineEdit*>(field) != nullptr;
                    if (!isField || !field->isVisible() || qobject_cast<QComboBox*>(field->parentWidget()) ||
                        field->parentWidget()->inherits("QAbstractSpinBox"))
                        continue;
                    fields.push_back(field);
                    int& widest = columnWidth[field->mapTo(child->View(), QPoint()).x()];
                    widest = std::max({widest, field->sizeHint().width(), field->minimumWidth()});
                }
                for (const QWidget* field : fields) {
                    const int natural = columnWidth[field->mapTo(child->View(), QPoint()).x()];
                    QVERIFY2(field->width() <= natural + 8,
                             qPrintable(where + QStringLiteral(" control %1 width %2 natural %3")
                                                    .arg(field->property("controlNumber").toInt())
                                                    .arg(field->width())
                                                    .arg(natural)));
                }
            }
        }
    }

    void Screenshots()
    {
        QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
        for (const int language : {0, 1}) {
            CFixture f(0, language);
            // The first channel's receive tone is a code outside the table, shown as such.
            f.data->Channels()[0]->SetRxTone(0x70FF);
            f.frame->resize(1100, 700);
            f.frame->show();
            f.frame->OpenItem(item::kRadio);
            f.frame->Tree()->expandAll();
            QCoreApplication::processEvents();
            const QString suffix = language == 0 ? QStringLiteral("en") : QStringLiteral("zh");
            QVERIFY(f.frame->grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/main_window_%1.png").arg(suffix)));
            {
                CPortInfo usb;
                usb.device = "/dev/ttyUSB0";
                usb.name = "ttyUSB0";
                usb.description = "FT232R USB UART";
                usb.manufacturer = "FTDI";
                usb.serialNumber = "A10KX";
                usb.canOpen = true;
                CPortInfo locked{"/dev/ttyACM0", "ttyACM0", "USB Serial", "", "", false, PortProblem::NoPermission,
                                 "dialout",      ""};
                CDlgPort ports(f.Settings(), {usb, locked}, f.frame.get());
                ports.Choose(0);
                ports.show();
                QCoreApplication::processEvents();
                QVERIFY(ports.grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/port_dialog_%1.png").arg(suffix)));
            }
            // Every editor a user opens from the tree or the View menu, one picture each.
            for (const auto& [number, name] : kEditors) {
                CChildFrame* child = f.frame->OpenItem(number);
                if (child == nullptr)
                    continue; // not built yet
                child->showMaximized();
                QCoreApplication::processEvents();
                QVERIFY(f.frame->grab().save(
                    QStringLiteral(QRV_SCREENSHOT_DIR "/%1_%2.png").arg(QLatin1String(name), suffix)));
            }
        }
    }
};

} // namespace qrv

namespace qrv {
QRV_REGISTER_UI_TEST(MainFrameTest);
} // namespace qrv

#include "test_main_frame.moc"
