// Undo and redo as a dealer meets them in the main window: edits across the
// editors stepped back to the first and forward to the last, each step giving
// exactly the bytes that edit gave; typing not yet confirmed becomes a step;
// nothing that leaves the codeplug as it was becomes a step.
#include "editors/personality/personality_rxtx_page.h"
#include "editors/record_navigator.h"
#include "editors/scan/scan_channel_list_page.h"
#include "editors/settings/view_vox.h"
#include "frame_fixture.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "records/channel_data.h"
#include "records/frequency.h"
#include "shell/child_frame.h"
#include "shell/menus.h"
#include "shell/navigation_tree.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>
#include <QStandardPaths>

namespace qrv {

namespace {

struct CUndoFixture : test::CFrameFixture {
    CUndoFixture()
    {
        for (const int kind : {item::kChannel, item::kPersonality, item::kScan, item::kVox, item::kKeys})
            frame->OpenItem(kind, 0);
    }
    // The control of that number in the open window of that kind (windows are
    // reopened after each undo and redo).
    template <class T> T* Control(int kind, int number)
    {
        for (CChildFrame* child : frame->OpenChildren())
            if (child->ItemNumber() == kind)
                return test::Control<T>(*child->View(), number);
        return nullptr;
    }
    CChildFrame* Channel()
    {
        for (CChildFrame* child : frame->OpenChildren())
            if (child->ItemNumber() == item::kChannel)
                return child;
        return nullptr;
    }
    // What the user does to a combo box: picks the entry of that number, or
    // the other of two positions.
    void Pick(QComboBox* combo, int entry, int other = -1)
    {
        QVERIFY(combo != nullptr);
        const int index = other < 0 ? combo->findData(QVariant::fromValue(static_cast<long long>(entry)))
                                    : (combo->currentIndex() == entry ? other : entry);
        QVERIFY(index >= 0 && index < combo->count());
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    bool CanUndo() { return frame->Menus().Action(command::kUndo)->isEnabled(); }
    bool CanRedo() { return frame->Menus().Action(command::kRedo)->isEnabled(); }
};

QLineEdit* Rx(CUndoFixture& f)
{
    return f.Control<QLineEdit>(item::kChannel, CChannelData::kRxFrequencyEdit);
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void EveryStepGivesTheBytesOfItsEdit()
    {
        CUndoFixture f;
        const std::pair<const char*, std::function<void()>> edits[] = {
            {"receive frequency", [&] { test::TypeInto(Rx(f), QStringLiteral("455.5")); }},
            {"tone type, then tone", // the type alone changes no byte; the tone typed after it does
             [&] {
                 f.Pick(f.Control<QComboBox>(item::kChannel, CChannelData::kRxTypeList), 1);
                 auto* tone = f.Control<QComboBox>(item::kChannel, CChannelData::kRxCtcssCombo);
                 test::TypeInto(tone != nullptr ? tone->lineEdit() : nullptr, QStringLiteral("67.0"));
             }},
            {"personality time-out",
             [&] { f.Pick(f.Control<QComboBox>(item::kPersonality, CPersonalityRXTXPage::kTimeOut), 1, 2); }},
            {"scan entry count",
             [&] { f.Pick(f.Control<QComboBox>(item::kScan, CScanChannelListPage::kEntryCount), 3, 4); }},
            {"VOX gain", [&] { f.Pick(f.Control<QComboBox>(item::kVox, CVoxPage::kGainLevel), 2, 3); }},
            {"channel 3 deleted",
             [&] {
                 emit f.frame->Tree()->itemClicked(f.frame->Tree()->ItemsOfKind(item::kChannel)[2], 0);
                 f.Channel()->RecordButtons()[record_command::kDelete]->click();
             }},
            {"channel added", [&] { f.Channel()->RecordButtons()[record_command::kAdd]->click(); }},
            {"frequency of the new channel", [&] { test::TypeInto(Rx(f), QStringLiteral("462.25")); }},
        };
        std::vector<Image> images{f.Stored()};
        QVERIFY(!f.CanUndo());
        for (const auto& [name, edit] : edits) {
            edit();
            images.push_back(f.Stored());
            QVERIFY2(images.back() != images[images.size() - 2], name);
            QVERIFY2(f.CanUndo() && !f.CanRedo(), name);
        }
        for (std::size_t i = images.size() - 1; i > 0; --i) {
            f.frame->DoCommand(command::kUndo);
            QVERIFY2(f.Stored() == images[i - 1], edits[i - 1].first);
            QVERIFY(f.CanRedo());
        }
        QVERIFY(!f.CanUndo());
        for (std::size_t i = 1; i < images.size(); ++i) {
            f.frame->DoCommand(command::kRedo);
            QVERIFY2(f.Stored() == images[i], edits[i - 1].first);
        }
        QVERIFY(!f.CanRedo());
        QCOMPARE(f.frame->OpenChildren().size(), 5); // every window open again
    }

    // Ctrl+Z undoes the last change even from the field just typed in, and
    // Ctrl+Y redoes it, every window staying open where it was; the Edit
    // menu's commands follow; a new codeplug starts a new history.
    void TheKeysTheMenuAndTheWindows()
    {
        CUndoFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        emit f.frame->Tree()->itemClicked(f.frame->Tree()->ItemsOfKind(item::kChannel)[2], 0);
        const Image before = f.Stored();
        test::TypeInto(Rx(f), QStringLiteral("455.5"));
        const Image after = f.Stored();
        QVERIFY(after != before && f.CanUndo() && !f.CanRedo() && f.frame->isWindowModified());
        const auto open = [&f] {
            std::vector<std::pair<int, QString>> windows;
            for (const CChildFrame* child : f.frame->OpenChildren())
                windows.emplace_back(child->ItemNumber(), child->PositionText());
            return windows;
        };
        const auto windows = open();
        QTest::keyClick(Rx(f), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.Stored() == before && !f.CanUndo() && f.CanRedo() && !f.frame->isWindowModified());
        QCOMPARE(open(), windows);
        const auto* active = qobject_cast<CChildFrame*>(f.frame->findChild<QMdiArea*>()->activeSubWindow());
        QVERIFY(active != nullptr && active->ItemNumber() == item::kChannel);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : f.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(f.Stored() == after && f.frame->isWindowModified());
        QCOMPARE(open(), windows);
        f.frame->FileNew(true);
        QVERIFY(!f.CanUndo() && !f.CanRedo());
    }

    // Typing not yet confirmed is no step until Undo takes it as one.
    void UnstoredTypingBecomesAStepOnUndo()
    {
        CUndoFixture f;
        const Image before = f.Stored();
        test::TypeInto(Rx(f), QStringLiteral("465.0"), false);
        QVERIFY(!f.CanUndo());
        f.frame->DoCommand(command::kUndo);
        QVERIFY(f.Stored() == before);
        QVERIFY(Rx(f)->text() != QStringLiteral("465.0")); // the window shows the restored channel
        f.frame->DoCommand(command::kRedo);
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), FrequencyWordFromUnits(465 * kUnitsPerMHz));
    }

    // Passing through controls, stepping through records and a bare notification change nothing.
    void UnchangedStoresAreNoSteps()
    {
        CUndoFixture f;
        for (const CChildFrame* child : f.frame->OpenChildren())
            for (QComboBox* combo : child->View()->findChildren<QComboBox*>())
                if (combo->isEnabled() && ControlNumber(combo) != 0 && combo->currentIndex() >= 0)
                    emit combo->activated(combo->currentIndex());
        emit Rx(f)->editingFinished();
        f.Channel()->RecordButtons()[record_command::kNext]->click();
        f.Channel()->RecordButtons()[record_command::kFirst]->click();
        f.frame->Context().Notify({CNotification::Kind::Edited, 0}, nullptr);
        QVERIFY(!f.CanUndo());
        QVERIFY(!f.frame->isWindowModified());
        // The type alone is no step either.
        f.Pick(f.Control<QComboBox>(item::kChannel, CChannelData::kRxTypeList), 1);
        QVERIFY(!f.CanUndo());
    }
};

QRV_REGISTER_UI_TEST(UndoTest);

} // namespace qrv

#include "test_undo.moc"
