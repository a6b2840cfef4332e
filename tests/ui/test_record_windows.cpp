// Windows of numbered records as a user drives them from the navigation bar
// and the tree: the tree's items, the window's caption and the record buttons
// stay in step with the table; changes in one window reach the others.
#include "editors/embedded/embedded_message_page.h"
#include "editors/embedded/view_embedded.h"
#include "editors/record_navigator.h"
#include "frame_fixture.h"
#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/menus.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "shell/port_selector.h"
#include "sim_radio.h"
#include "test_support.h"
#include "ui_test_registry.h"

#include <QAction>
#include <QDockWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace qrv {

class RecordWindowsTest : public QObject {
    Q_OBJECT

private:
    using Buttons = std::array<bool, 6>;

    struct CFixture : test::CFrameFixture {
        int TreeCount(int kind) const { return static_cast<int>(frame->Tree()->ItemsOfKind(kind).size()); }
        void Click(int kind, int position)
        {
            QTreeWidgetItem* item = frame->Tree()->ItemsOfKind(kind).value(position);
            QVERIFY(item != nullptr);
            emit frame->Tree()->itemClicked(item, 0);
        }
    };

    static Buttons Enabled(const CChildFrame* child)
    {
        Buttons enabled{};
        for (std::size_t i = 0; i < enabled.size(); ++i)
            enabled[i] = child->RecordButtons()[i]->isVisibleTo(child) && child->RecordButtons()[i]->isEnabled();
        return enabled;
    }

    static int Position(const CChildFrame* child)
    {
        return dynamic_cast<const CRecordNavigator*>(child->View())->CurrentPosition();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void ChannelsFromSixteenToOneAndBack()
    {
        CFixture f;
        QCOMPARE(f.TreeCount(item::kChannel), 16);
        f.Click(item::kChannel, 15);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        CChildFrame* child = f.frame->OpenChildren().first();
        QCOMPARE(child->windowTitle(), QStringLiteral("Channel 16"));
        QCOMPARE(Enabled(child), (Buttons{true, true, false, false, false, true}));
        QVERIFY(f.frame->Tree()->IsHighlighted(f.frame->Tree()->ItemsOfKind(item::kChannel).value(15)));

        // Delete down to one: the tree loses its last item each time, the window shows the new last.
        for (int count = 15; count >= 1; --count) {
            child->RecordButtons()[record_command::kDelete]->click();
            QCOMPARE(static_cast<int>(f.data->Channels().size()), count);
            QCOMPARE(f.TreeCount(item::kChannel), count);
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(count));
            QCOMPARE(Position(child), count - 1);
        }
        QCOMPARE(Enabled(child), (Buttons{false, false, false, false, true, false})); // add only
        // Add back up to sixteen.
        for (int count = 2; count <= 16; ++count) {
            child->RecordButtons()[record_command::kAdd]->click();
            QCOMPARE(f.TreeCount(item::kChannel), count);
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(count));
        }
        QCOMPARE(Enabled(child), (Buttons{true, true, false, false, false, true}));
        QCOMPARE(static_cast<int>(f.data->Channels().size()), 16);
    }

    void RecordButtonsMoveTheWindowAndTheHighlight()
    {
        CFixture f;
        f.Click(item::kChannel, 1);
        CChildFrame* child = f.frame->OpenChildren().first();
        QCOMPARE(Enabled(child), (Buttons{true, true, true, true, false, true}));
        const struct {
            int command;
            int position;
        } steps[] = {{record_command::kNext, 2},
                     {record_command::kLast, 15},
                     {record_command::kPrevious, 14},
                     {record_command::kFirst, 0}};
        for (const auto& step : steps) {
            child->RecordButtons()[static_cast<std::size_t>(step.command)]->click();
            QCOMPARE(Position(child), step.position);
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(step.position + 1));
            QVERIFY(f.frame->Tree()->IsHighlighted(f.frame->Tree()->ItemsOfKind(item::kChannel).value(step.position)));
        }
        // Another channel from the tree is shown in the same window.
        f.Click(item::kChannel, 6);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QCOMPARE(Position(child), 6);
        QCOMPARE(child->windowTitle(), QStringLiteral("Channel 7"));
    }

    void TheChannelListFromTheViewMenu()
    {
        CFixture f;
        QAction* action = f.frame->Menus().Action(item::kChannelList);
        QVERIFY(action != nullptr && action->isEnabled());
        action->trigger();
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        CChildFrame* list = f.frame->OpenChildren().first();
        QCOMPARE(list->windowTitle(), QStringLiteral("Channel List"));
        QCOMPARE(Enabled(list), (Buttons{false, false, true, true, false, true})); // first of sixteen
        // Clicking another row moves the bar with it.
        auto* grid = list->View()->findChild<QTableView*>();
        grid->setCurrentIndex(grid->model()->index(3, 1));
        QCOMPARE(Position(list), 3);
        QCOMPARE(Enabled(list), (Buttons{true, true, true, true, false, true}));
        // A channel window open beside it follows what the list deletes.
        f.Click(item::kChannel, 15);
        CChildFrame* channel = f.frame->OpenChildren().last();
        list->RecordButtons()[record_command::kLast]->click();
        list->RecordButtons()[record_command::kDelete]->click();
        QCOMPARE(f.TreeCount(item::kChannel), 15);
        QCOMPARE(channel->windowTitle(), QStringLiteral("Channel 15"));
        QCOMPARE(Enabled(channel), (Buttons{true, true, false, false, true, true}));
    }

    void UndoAndRedoFromTheEditMenu()
    {
        CFixture f;
        QAction* undo = f.frame->Menus().Action(command::kUndo);
        QAction* redo = f.frame->Menus().Action(command::kRedo);
        QVERIFY(undo != nullptr && redo != nullptr);
        QVERIFY(!undo->isEnabled());
        const Image before = f.Stored();
        f.Click(item::kChannel, 4);
        CChildFrame* child = f.frame->OpenChildren().first();
        child->RecordButtons()[record_command::kDelete]->click();
        const Image deleted = f.Stored();
        QCOMPARE(f.TreeCount(item::kChannel), 15);
        QVERIFY(undo->isEnabled());
        undo->trigger();
        // The codeplug, the tree and the window are back; the window shows the same item again.
        QVERIFY(f.Stored() == before);
        QCOMPARE(f.TreeCount(item::kChannel), 16);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QCOMPARE(f.frame->OpenChildren().first()->windowTitle(), QStringLiteral("Channel 5"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(redo->isEnabled());
        redo->trigger();
        QVERIFY(f.Stored() == deleted);
        QCOMPARE(f.TreeCount(item::kChannel), 15);
        // A new codeplug starts a new history.
        f.frame->FileNew(true);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
    }

    void FactoryViewsFromTheViewMenu()
    {
        test::CFrameFixture f(CSettings::kFactoryLevel);
        f.frame->Menus().Action(command::kDtmfSystemView)->trigger();
        f.frame->Menus().Action(command::kEmergencyView)->trigger();
        f.frame->Menus().Action(item::kVolume)->trigger();
        const QList<CChildFrame*> children = f.frame->OpenChildren();
        QCOMPARE(children.size(), 3);
        QCOMPARE(children[0]->ItemNumber(), item::kDtmfSystem);
        QCOMPARE(children[0]->windowTitle(), QStringLiteral("DTMF System"));
        // One DTMF system at most: every record button shown and disabled.
        QVERIFY(children[0]->RecordButtons()[0]->isVisibleTo(children[0]));
        QCOMPARE(Enabled(children[0]), Buttons{});
        QCOMPARE(children[1]->windowTitle(), QStringLiteral("Emergency"));
        QCOMPARE(children[2]->windowTitle(), QStringLiteral("Volume"));
    }

    void FactoryCommandsAgainstTheSimulatedRadio()
    {
        test::CFrameFixture f(CSettings::kFactoryLevel);
        f.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        f.frame->OpenItem(item::kRadio);
        // Write Tune Data: mode 3, the tune block, mode 1; the windows close, the port is let go.
        const Image before = f.Stored();
        f.frame->DoCommand(command::kWriteTuneData);
        QCOMPARE(radio.Mode(), 1);
        QVERIFY(std::equal(before.begin() + 0x340, before.begin() + 0x400, radio.Memory().begin() + 0x340));
        QCOMPARE(f.frame->OpenChildren().size(), 0);
        // A radio of another range: Write Tune Data is refused with the range message, mode 1 again.
        radio.Identity().range = sim::CSimIdentity::RangeBlock(0, 136, 174);
        f.messages.clear();
        f.frame->DoCommand(command::kWriteTuneData);
        QVERIFY(std::find(f.messages.begin(), f.messages.end(), msg::kRangeOutsideRadio) != f.messages.end());
        QCOMPARE(radio.Mode(), 1);
        QCOMPARE(f.data->Identity().freqRange, std::string("400-470"));
    }

    void TheEmbeddedMessagesComeFromTheSimulatedRadio()
    {
        CFixture f;
        f.Settings().PortName = kSimulatedPortName;
        f.frame->show();
        // The radio holds other messages than the codeplug.
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        const char text[] = "FROM THE RADIO";
        std::copy(std::begin(text), std::end(text) - 1, radio.Memory().begin() + 0x410);
        const auto& block = f.data->EmbeddedMessages();
        const auto codeplug = block.Block();
        f.frame->OpenItem(item::kRadio);
        CChildFrame* messages = f.frame->OpenItem(item::kEmbedded);
        QVERIFY(messages != nullptr);
        auto* view = qobject_cast<CViewEmbedded*>(messages->View());
        // Opening reads nothing: the codeplug's messages, the other window still there.
        QVERIFY(block.Block() == codeplug);
        QCOMPARE(f.frame->OpenChildren().size(), 2);
        // Reading identified the radio: the other windows went; Yes took the radio's messages.
        view->Page()->ReadButton()->click();
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QVERIFY(std::equal(std::begin(text), std::end(text) - 1, block.Block().begin() + 0x10));
        QCOMPARE(f.messages, std::vector<int>{msg::kReplaceEmbeddedMessages});
        // The record buttons and Print are hidden for this view; Help stays.
        QVERIFY(!messages->PrintButton()->isVisibleTo(messages));
        QVERIFY(messages->HelpButton()->isVisibleTo(messages));
    }

    void ADeletionInOneWindowReachesTheOthers()
    {
        CFixture f;
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.frame->Rebuild();
        QCOMPARE(f.TreeCount(item::kPersonality), 2);
        // Channel 3 uses the second personality.
        f.data->Channels()[2]->SetPersonalityPosition(1);
        f.data->AfterLoad();
        f.Click(item::kChannel, 2);
        f.Click(item::kPersonality, 1);
        CChildFrame* personality = f.frame->OpenChildren().last();
        personality->RecordButtons()[record_command::kDelete]->click();
        QCOMPARE(f.TreeCount(item::kPersonality), 1);
        QCOMPARE(personality->windowTitle(), QStringLiteral("Personality 1"));
        // The channel now names a personality that is gone: the invalid log says so, the byte stays.
        QVERIFY(f.frame->InvalidLogBar()->isVisibleTo(f.frame.get()));
        QCOMPARE(f.frame->InvalidLogList()->topLevelItemCount(), 1);
        QCOMPARE(f.data->Channels()[2]->PersonalityPosition(), std::uint8_t{1});
    }
};

QRV_REGISTER_UI_TEST(RecordWindowsTest);

} // namespace qrv

#include "test_record_windows.moc"
