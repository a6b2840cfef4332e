// The main window as a user meets it: the menus at each user level, keys and
// message boxes, the prompts before changed work is replaced, files opened
// and saved, the status bar and invalid log, language and model changes, and the checks before anything is sent to a
// radio.
#include "dialogs/backup_actions.h"
#include "frame_fixture.h"
#include "program_directory.h"
#include "records/frequency.h"

#include <QListWidget>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <map>

namespace qrv {

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;

    static QLineEdit* ChannelRx(CChildFrame* channel)
    {
        return channel != nullptr ? test::Control<QLineEdit>(*channel->View(), CChannelData::kRxFrequencyEdit)
                                  : nullptr;
    }

private slots:
    // What each user level (user, service, factory) finds in the menus and
    // the tree, in both languages: each menu's mnemonics are unique, every
    // icon button has its tip in the language, and every leaf of the tree
    // opens its window (CI runs this under the sanitizers). The View menu
    // opens the lists and the factory's own views.
    void MenusAndTreeFollowTheUserLevelInBothLanguages()
    {
        // Numbers of commands and tree items, with the first level that has them (3: none).
        const std::pair<int, int> commands[] = {
            {command::kRead, 0},           {item::kChannelList, 0},      {command::kFactoryMode, 1},
            {command::kUpdateMemory, 2},   {command::kWriteTuneData, 2}, {command::kBaseBand, 2},
            {command::kDtmfSystemView, 2}, {command::kEmergencyView, 2}, {item::kVolume, 2},
            {item::kMicrophone, 2},        {item::kDtmfSystem, 3}};
        const std::pair<int, int> treeItems[] = {{item::kChangeLog, 2}, {item::kDtmfSystem, 3}, {item::kEmergency, 3}};
        const int levels[] = {0, CSettings::kServiceLevel, CSettings::kFactoryLevel};
        const int programSeparators[] = {2, 3, 5}; // a separator goes with the group it opens
        for (int l = 0; l < 3; ++l)
            for (const int language : {0, 1}) {
                CFixture f(levels[l], language);
                const QString name = QStringLiteral("level %1, language %2: ").arg(levels[l]).arg(language);
                for (const auto& [number, from] : commands)
                    QVERIFY2((f.frame->Menus().Action(number) != nullptr) == (l >= from),
                             qPrintable(name + QString::number(number)));
                for (const auto& [number, from] : treeItems)
                    QVERIFY2((f.frame->Tree()->FindItem(number) != nullptr) == (l >= from),
                             qPrintable(name + QString::number(number)));
                const QList<QAction*> program =
                    f.frame->menuBar()->findChild<QMenu*>(QStringLiteral("menu3"))->actions();
                QCOMPARE(std::count_if(program.begin(), program.end(),
                                       [](auto* a) { return a->isSeparator() && a->isVisible(); }),
                         programSeparators[l]);
                QList<QList<QAction*>> menus{f.frame->menuBar()->actions()};
                for (const QMenu* menu : f.frame->menuBar()->findChildren<QMenu*>())
                    menus << menu->actions();
                for (const QList<QAction*>& actions : menus) {
                    std::map<QChar, QStringList> seen;
                    for (const QAction* action : actions) {
                        const QString text = action->text();
                        const auto at = text.indexOf(QLatin1Char('&'));
                        if (action->isVisible() && at >= 0 && at + 1 < text.size())
                            seen[text.at(at + 1).toUpper()] << text;
                    }
                    for (const auto& [key, texts] : seen)
                        QVERIFY2(texts.size() == 1, qPrintable(texts.join(QStringLiteral(" / "))));
                }
                for (const QAction* action : f.frame->findChild<QToolBar*>(QStringLiteral("toolBar"))->actions())
                    QVERIFY(action->isSeparator() || !action->toolTip().isEmpty());
                for (const QPushButton* button : f.frame->OpenItem(item::kChannel, 0)->findChildren<QPushButton*>())
                    QVERIFY2(!button->text().isEmpty() || !button->toolTip().isEmpty(),
                             qPrintable(button->objectName()));
                const QString tip = f.frame->Menus().Action(command::kRead)->toolTip();
                QVERIFY(!tip.isEmpty() && !tip.contains(QLatin1Char('(')));
                QCOMPARE(tip == QStringLiteral("Read from Radio"), language == 0);
                QList<QTreeWidgetItem*> items;
                for (QTreeWidgetItemIterator it(f.frame->Tree()); *it != nullptr; ++it)
                    if ((*it)->parent() != nullptr)
                        items << *it;
                for (QTreeWidgetItem* item : items) {
                    emit f.frame->Tree()->itemClicked(item, 0);
                    if (item->childCount() == 0)
                        QVERIFY2(f.Window(item->data(0, CNavigationTree::kItemRole).toInt()) != nullptr,
                                 qPrintable(item->text(0)));
                }
                QCOMPARE(f.messages, std::vector<int>{});
            }
        CFixture f(CSettings::kFactoryLevel);
        const std::pair<int, const char*> views[] = {{item::kChannelList, "Channel List"},
                                                     {command::kDtmfSystemView, "DTMF System"},
                                                     {command::kEmergencyView, "Emergency"},
                                                     {item::kVolume, "Volume"}};
        for (const auto& [number, title] : views) {
            f.frame->Menus().Action(number)->trigger();
            QCOMPARE(f.frame->OpenChildren().last()->windowTitle(), QString::fromLatin1(title));
        }
        // One DTMF system at most: every record button shown and disabled.
        CChildFrame* dtmf = f.Window(item::kDtmfSystem);
        for (const QPushButton* button : dtmf->RecordButtons())
            QVERIFY(button->isVisibleTo(dtmf) && !button->isEnabled());
    }

    // Each command's keys reach it from the main window and from a field of
    // an editor window, where Ctrl+W and Ctrl+R are not the window's own.
    void StandardShortcutsReachTheirCommands()
    {
        using namespace command;
        CFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        QWidget* field = ChannelRx(f.frame->OpenItem(item::kChannel, 0));
        QVERIFY(field != nullptr);
        const std::pair<int, QKeyCombination> commands[] = {
            {kNew, Qt::CTRL | Qt::Key_N},   {kOpen, Qt::CTRL | Qt::Key_O},
            {kSave, Qt::CTRL | Qt::Key_S},  {kSaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
            {kPrint, Qt::CTRL | Qt::Key_P}, {kExit, Qt::CTRL | Qt::Key_Q},
            {kUndo, Qt::CTRL | Qt::Key_Z},  {kRedo, Qt::CTRL | Qt::Key_Y},
            {kRead, Qt::CTRL | Qt::Key_R},  {kWrite, Qt::CTRL | Qt::Key_W}};
        for (const auto& [number, key] : commands) {
            QAction* action = f.frame->Menus().Action(number);
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
        QVERIFY(f.frame->Menus().Action(kHelp)->shortcuts().contains(QKeySequence(Qt::Key_F1)));
    }

    // A real box: Qt's own button texts in the interface's language, and the
    // icon of what the message tells. Chinese first: English after it shows
    // that the window's Qt translation went with it.
    void MessageBoxesSpeakTheLanguageAndShowTheirKind()
    {
        const struct {
            int language;
            int message;
            QMessageBox::StandardButton first; // Yes: a question with Yes, No and Cancel
            const char* firstText;             // what its text holds
            QMessageBox::Icon icon;
        } rows[] = {{1, msg::kSaveChangesQuestion, QMessageBox::Yes, "是", QMessageBox::Warning},
                    {1, msg::kRadioWriteDone, QMessageBox::Ok, "确定", QMessageBox::Information},
                    {0, msg::kCannotRead, QMessageBox::Ok, "OK", QMessageBox::Critical}};
        for (const auto& row : rows) {
            CFixture f(0, row.language);
            SetMessageBoxHandler(nullptr);
            QString text;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                text = box->button(row.first)->text();
                icon = box->icon();
                box->done(QMessageBox::Cancel);
            });
            const auto question = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            ShowMessage(f.frame.get(), f.Settings(), row.message, row.first == QMessageBox::Yes ? question : row.first);
            QVERIFY2(text.contains(QString::fromUtf8(row.firstText)), qPrintable(text));
            QCOMPARE(icon, row.icon);
        }
    }

    // Every command that would replace or drop changed work asks first:
    // Cancel keeps everything as it is, Yes saves the file before going on;
    // after New the codeplug is untitled, so the next Save never overwrites
    // the customer's file.
    void ReplacingChangedWorkAsksFirst()
    {
        const struct {
            const char* name;
            int command;
            int question;
            int dialogs; // that the command opens after Yes (cancelled here)
        } rows[] = {{"new", command::kNew, msg::kSaveChangesQuestion, 0},
                    {"open", command::kOpen, msg::kSaveChangesQuestion, 1},
                    {"exit", command::kExit, msg::kExitQuestion, 0}};
        for (const auto& row : rows)
            for (const auto answer : {QMessageBox::Cancel, QMessageBox::Yes}) {
                const QByteArray name = QByteArray(row.name) + (answer == QMessageBox::Yes ? " yes" : " cancel");
                CFixture f;
                f.frame->show();
                const auto path = f.program.Path() / "customer.dat";
                QVERIFY(f.frame->SaveFileAs(path, "customer"));
                QVERIFY(!f.frame->isWindowModified() && f.frame->windowTitle().contains(QStringLiteral("customer")));
                test::TypeInto(ChannelRx(f.frame->OpenItem(item::kChannel, 0)), QStringLiteral("455.5"));
                const Image edited = f.Stored();
                const auto inFile = [&] {
                    return test::BytesAt(test::ImageOfFile(path), 0x584, 4) == test::BytesAt(edited, 0x584, 4);
                };
                f.answer = answer;
                const int opened = answer == QMessageBox::Yes ? row.dialogs : 0;
                test::CDialogAnswers dialogs({static_cast<std::size_t>(opened), [](QDialog& d) { d.reject(); }});
                f.messages.clear();
                f.frame->DoCommand(row.command);
                QVERIFY2(f.messages == std::vector<int>{row.question}, name.constData());
                QVERIFY2(dialogs.Answered() == opened && dialogs.Unexpected() == 0, name.constData());
                QVERIFY2(inFile() == (answer == QMessageBox::Yes), name.constData());
                if (answer == QMessageBox::Cancel)
                    QVERIFY2(f.Stored() == edited && f.frame->isWindowModified() && f.frame->isVisible(),
                             name.constData());
                if (answer == QMessageBox::Yes && row.command == command::kNew) {
                    QVERIFY(f.Stored() != edited && !f.frame->isWindowModified());
                    QVERIFY(!f.frame->windowTitle().contains(QStringLiteral("customer")));
                    QVERIFY(f.frame->Session().Save().needsSaveAs && inFile());
                }
            }
    }

    // Through "qrv FILE": a good file opens; one that cannot be read is said,
    // and the codeplug and tree stay (every reason a file cannot be read: the
    // codeplug session's open checks).
    void OpeningFilesOrSayingWhyNot()
    {
        CFixture writer;
        writer.data->Channels()[0]->SetRxFrequency(0x44012500);
        const auto good = writer.program.Path() / "given.dat";
        QVERIFY(writer.frame->SaveFileAs(good, ""));
        const struct {
            const char* name;
            std::filesystem::path path;
            int message; // 0: opened
        } rows[] = {{"command line", good, 0}, {"command line, no such file", "/no/such/file.dat", msg::kReadMissing}};
        for (const auto& row : rows) {
            CFixture f;
            const Image before = f.data->GetImage();
            const bool opened = row.message == 0;
            f.frame->OpenCommandLineFile({QStringLiteral("qrv"), QStringLiteral("--exit-after-start"),
                                          QString::fromStdString(row.path.string())});
            QVERIFY2(f.messages == std::vector<int>(!opened, row.message), row.name);
            QVERIFY2((f.frame->Session().CurrentPath() == row.path) == opened, row.name);
            QVERIFY2((f.data->Channels()[0]->RxFrequency() == 0x44012500u) == opened, row.name);
            QVERIFY2(opened ||
                         (f.data->GetImage() == before && f.frame->Tree()->ItemsOfKind(item::kChannel).size() == 16),
                     row.name);
        }
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

    // Open Backup Folder: the file manager shows it; when none can, the
    // message says where the folder is.
    void OpenBackupFolderSaysWhereItIsWhenNothingOpensIt()
    {
        CFixture f;
        const QString folder = QDir::toNativeSeparators(QString::fromStdU16String(DefaultBackupFolder().u16string()));
        QUrl opened;
        QVERIFY(OpenBackupFolder(f.frame.get(), f.Settings(),
                                 [&opened](const QUrl& url) { return (opened = url).isValid(); }));
        QVERIFY(f.messages.empty());
        QCOMPARE(QDir::toNativeSeparators(opened.toLocalFile()), folder);
        QVERIFY(!OpenBackupFolder(f.frame.get(), f.Settings(), [](const QUrl&) { return false; }));
        QCOMPARE(f.messages, std::vector<int>{msg::kBackupFolderIs});
        QVERIFY2(f.texts.back().endsWith(folder), qPrintable(f.texts.back()));
    }

    // The status bar names the model, the range and the port; a new name
    // alone keeps the codeplug, another range asks about the changed one
    // first (the invalid log bar: the record window tests).
    void TheStatusBarAndModelChanges()
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

        f.data->Channels()[0]->SetRxFrequency(0x44012500);
        f.frame->ChangeModel("QL210", "QL-220", "400-470", 0);
        QVERIFY(f.messages.empty());
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), 0x44012500u);
        QCOMPARE(f.frame->Tree()->topLevelItem(0)->text(0), QStringLiteral("QL-220"));
        QCOMPARE(f.frame->StatusText(0), QStringLiteral("QL-220"));
        f.answer = QMessageBox::No;
        f.frame->ChangeModel("QL210", "QL-220", "136-174", 0);
        QCOMPARE(f.messages, std::vector<int>{msg::kSaveChangesQuestion});
        QCOMPARE(f.Settings().RememberedModel().freqRange, std::string("136-174")); // the next start's
        const auto rx = UnitsFromFrequencyWord(f.data->Channels()[0]->RxFrequency());
        QVERIFY(rx && *rx >= 13600000 && *rx <= 17400000);
        QCOMPARE(f.frame->StatusText(1), QStringLiteral("136-174 MHz"));
    }

    // Switching the language relocalises the menus, the tree and the open
    // window, and keeps the codeplug, its file, its unsaved edits and the
    // undo history; the edits reach the file on the next save.
    void LanguageChangeRelocalisesAndKeepsTheDocument()
    {
        CFixture f;
        const auto path = f.program.Path() / "customer.dat";
        QVERIFY(f.frame->SaveFileAs(path, "customer"));
        test::TypeInto(ChannelRx(f.frame->OpenItem(item::kChannel, 2)), QStringLiteral("455.5"));
        f.frame->OpenItem(item::kRadio);
        const Image edited = f.Stored();
        const QString english = f.frame->Tree()->FindItem(item::kRadio)->text(0);
        f.frame->ChangeLanguage(1);
        QCOMPARE(f.Settings().LanguageIndex(), 1);
        QVERIFY(f.frame->Tree()->FindItem(item::kRadio)->text(0) != english);
        QVERIFY(f.frame->menuBar()->actions().first()->text() != QStringLiteral("&File"));
        QCOMPARE(f.frame->OpenChildren().size(), 2);
        CChildFrame* radio = f.Window(item::kRadio);
        QCOMPARE(radio->windowTitle(), f.frame->Tree()->FindItem(item::kRadio)->text(0));
        const QString modelLabel = QString::fromStdString(f.Settings().GetText(caption::kModelName));
        const QList<QLabel*> labels = radio->View()->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel* l) { return l->text() == modelLabel; }));
        f.frame->ChangeLanguage(0);
        QCOMPARE(f.frame->Tree()->FindItem(item::kRadio)->text(0), english);
        QCOMPARE(f.frame->Session().CurrentPath(), path);
        QVERIFY(f.Stored() == edited && f.frame->isWindowModified());
        QVERIFY(f.frame->Menus().Action(command::kUndo)->isEnabled());
        QVERIFY(f.frame->SaveFile() && !f.frame->isWindowModified());
        QVERIFY(f.frame->OpenFile(path) && f.Stored() == edited);
        QVERIFY(f.messages.empty());
    }

    // Save stores what an editor still holds unconfirmed; writing one radio
    // or several, and comparing with one, send nothing while the data checks
    // find errors.
    void SaveAndWriteTakeTheOpenEditorsAndTheChecks()
    {
        CFixture f;
        const auto path = f.program.Path() / "typed.dat";
        QVERIFY(f.frame->SaveFileAs(path, ""));
        test::TypeInto(ChannelRx(f.frame->OpenItem(item::kChannel)), QStringLiteral("446.10000"), false);
        f.frame->DoCommand(command::kSave);
        QCOMPARE(test::BytesAt(test::ImageOfFile(path), 0x584, 4), (test::Bytes{0x00, 0x00, 0x61, 0x44}));
        f.frame->CloseAllChildren();
        sim::CSimRadio& radio = f.Radio();
        const Image held = radio.Memory();
        f.data->Channels()[0]->SetPersonalityPosition(9); // no such personality
        f.data->AfterLoad();
        for (const int command : {command::kWrite, command::kWriteFleet, command::kCompare}) {
            f.messages.clear();
            test::CDialogAnswers none({});
            f.frame->DoCommand(command);
            QCOMPARE(none.Unexpected(), 0);
            QCOMPARE(f.messages, std::vector<int>{msg::kInvalidData});
        }
        QCOMPARE(radio.Memory(), held);
    }
};

QRV_REGISTER_UI_TEST(MainFrameTest);

} // namespace qrv

#include "test_main_frame.moc"
