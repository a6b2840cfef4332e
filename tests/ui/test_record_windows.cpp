// Windows of numbered records as a user drives them from the navigation bar
// and the tree: the tree's items and highlight, the window's caption and the
// record buttons stay in step with the table; changes in one window reach the
// others.
#include "editors/common/undo_controller.h"
#include "editors/embedded/embedded_message_page.h"
#include "editors/embedded/view_embedded.h"
#include "editors/record_navigator.h"
#include "frame_fixture.h"
#include "records/scan_list_data.h"

#include <QDockWidget>
#include <QMdiArea>
#include <QTreeWidgetItemIterator>

namespace qrv {

class RecordWindowsTest : public QObject {
    Q_OBJECT

private:
    using Buttons = std::array<bool, 6>; // first, previous, next, last, add, delete: shown and enabled

    struct CFixture : test::CFrameFixture {
        using CFrameFixture::CFrameFixture;
        int TreeCount(int kind) const { return static_cast<int>(frame->Tree()->ItemsOfKind(kind).size()); }
        QStringList TreeTexts(int kind) const
        {
            QStringList names;
            for (const QTreeWidgetItem* item : frame->Tree()->ItemsOfKind(kind))
                names << item->text(0);
            return names;
        }
        // The one highlighted item, which must be that of the kind and position.
        bool OnlyHighlighted(int kind, int position) const
        {
            int highlighted = 0;
            for (QTreeWidgetItemIterator it(frame->Tree()); *it != nullptr; ++it)
                highlighted += frame->Tree()->IsHighlighted(*it) ? 1 : 0;
            return highlighted == 1 && frame->Tree()->IsHighlighted(frame->Tree()->ItemsOfKind(kind).value(position));
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
    // The record buttons, the tree and Enter on a tree item all move the one
    // window of a kind, the highlight going with it; deleting down to one
    // channel and adding back to sixteen keep the tree, the caption and the
    // buttons in step.
    void RecordButtonsAndTheTreeMoveTheWindow()
    {
        CFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        CChildFrame* child = f.Click(item::kChannel, 15);
        QCOMPARE(Enabled(child), (Buttons{true, true, false, false, false, true}));
        const std::pair<int, int> steps[] = {{record_command::kFirst, 0},
                                             {record_command::kNext, 1},
                                             {record_command::kLast, 15},
                                             {record_command::kPrevious, 14}};
        for (const auto& [command, position] : steps) {
            child->RecordButtons()[static_cast<std::size_t>(command)]->click();
            QCOMPARE(Position(child), position);
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(position + 1));
            QVERIFY(f.OnlyHighlighted(item::kChannel, position));
        }
        QCOMPARE(Enabled(child), (Buttons{true, true, true, true, false, true}));
        QCOMPARE(f.Click(item::kChannel, 6), child);
        QCOMPARE(child->PositionText(), QStringLiteral("7 / 16"));
        CNavigationTree* tree = f.frame->Tree();
        tree->setFocus();
        tree->setCurrentItem(tree->ItemsOfKind(item::kChannel)[2]);
        QVERIFY(f.OnlyHighlighted(item::kChannel, 2));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QCOMPARE(qobject_cast<CChildFrame*>(f.frame->findChild<QMdiArea*>()->activeSubWindow()), child);
        QCOMPARE(child->PositionText(), QStringLiteral("3 / 16"));
        child->RecordButtons()[record_command::kLast]->click();
        // Delete down to one: the tree loses its last item each time, the window shows the new last.
        for (int count = 15; count >= 1; --count) {
            child->RecordButtons()[record_command::kDelete]->click();
            QCOMPARE(f.TreeTexts(item::kChannel).last(), QStringLiteral("Channel %1").arg(count));
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(count));
            QCOMPARE(Position(child), count - 1);
        }
        QCOMPARE(Enabled(child), (Buttons{false, false, false, false, true, false})); // add only
        for (int count = 2; count <= 16; ++count) {
            child->RecordButtons()[record_command::kAdd]->click();
            QCOMPARE(f.TreeCount(item::kChannel), count);
            QCOMPARE(child->windowTitle(), QStringLiteral("Channel %1").arg(count));
        }
        QCOMPARE(Enabled(child), (Buttons{true, true, false, false, false, true}));
        f.frame->DoCommand(command::kCloseAll);
        QCOMPARE(f.frame->OpenChildren().size(), 0);
    }

    // Each scan list has its item, a lone one is just "Scan"; a deletion and
    // its undo reach the tree; a personality deleted in its window leaves a
    // channel naming it, which the invalid log bar lists while the byte stays.
    void DeletionsReachTheTreeAndTheOtherWindows()
    {
        CFixture f;
        f.data->ScanLists().push_back(std::make_unique<CScanListData>());
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.data->Channels()[2]->SetPersonalityPosition(1);
        f.data->AfterLoad();
        f.frame->Rebuild();
        f.frame->Undo().Reset(); // the history starts here
        QCOMPARE(f.TreeTexts(item::kScan), (QStringList{QStringLiteral("Scan 1"), QStringLiteral("Scan 2")}));
        CChildFrame* scan = f.Click(item::kScan, 1);
        QCOMPARE(Enabled(scan), (Buttons{true, true, false, false, false, true}));
        scan->RecordButtons()[record_command::kDelete]->click();
        QCOMPARE(f.TreeTexts(item::kScan), QStringList{QStringLiteral("Scan")});
        QCOMPARE(scan->PositionText(), QStringLiteral("1 / 1"));
        f.frame->DoCommand(command::kUndo);
        QCOMPARE(f.TreeCount(item::kScan), 2);
        QCOMPARE(f.frame->OpenChildren().size(), 1);

        f.Click(item::kChannel, 2);
        CChildFrame* personality = f.Click(item::kPersonality, 1);
        personality->RecordButtons()[record_command::kDelete]->click();
        QCOMPARE(f.TreeTexts(item::kPersonality), QStringList{QStringLiteral("Personality 1")});
        QCOMPARE(personality->windowTitle(), QStringLiteral("Personality 1"));
        QVERIFY(f.frame->InvalidLogBar()->isVisibleTo(f.frame.get()));
        QCOMPARE(f.frame->InvalidLogList()->topLevelItemCount(), 1);
        QCOMPARE(f.data->Channels()[2]->PersonalityPosition(), std::uint8_t{1});
        f.frame->DoCommand(command::kUndo); // the bar shows only while the log has entries
        QVERIFY(f.frame->InvalidLogList()->topLevelItemCount() == 0 &&
                !f.frame->InvalidLogBar()->isVisibleTo(f.frame.get()));
    }

    // Opening the embedded messages reads nothing; reading identifies the
    // radio, so the other windows go (what Yes takes: the embedded view tests).
    // Write Tune Data closes every window before the radio's tune data can
    // come into the codeplug (what it sends and refuses: the base band tests).
    void RadioDataClosesTheWindowsItCouldChange()
    {
        CFixture f(CSettings::kFactoryLevel);
        f.frame->show();
        sim::CSimRadio& radio = f.Radio();
        radio.Memory()[0x410] = 'R'; // the first message differs from the codeplug's
        f.frame->OpenItem(item::kRadio);
        CChildFrame* messages = f.frame->OpenItem(item::kEmbedded);
        auto* view = qobject_cast<CViewEmbedded*>(messages->View());
        QVERIFY(view != nullptr);
        QCOMPARE(f.frame->OpenChildren().size(), 2);
        view->Page()->ReadButton()->click();
        QCOMPARE(f.frame->OpenChildren().size(), 1);
        QCOMPARE(f.messages, std::vector<int>{msg::kReplaceEmbeddedMessages});
        f.frame->DoCommand(command::kWriteTuneData);
        QCOMPARE(f.messages.back(), msg::kTuneWritten);
        QCOMPARE(f.frame->OpenChildren().size(), 0);
    }
};

QRV_REGISTER_UI_TEST(RecordWindowsTest);

} // namespace qrv

#include "test_record_windows.moc"
