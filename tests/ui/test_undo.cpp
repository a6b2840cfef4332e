// Undo and redo as a dealer meets them in the main window: edits across the
// editors stepped back to the first and forward to the last, each step giving
// exactly the bytes that edit gave, from the keys in any field and from the
// Edit menu, every window staying open; typing not yet confirmed becomes a
// step; nothing that leaves the codeplug as it was becomes a step. How the
// history steps: the unit tests' undo scripts.
#include "editors/record_navigator.h"
#include "editors/settings/view_vox.h"
#include "frame_fixture.h"
#include "records/frequency.h"

#include <QMdiArea>

namespace qrv {

namespace {

struct CUndoFixture : test::CFrameFixture {
    CUndoFixture()
    {
        for (const int kind : {item::kChannel, item::kPersonality, item::kScan, item::kVox, item::kKeys})
            frame->OpenItem(kind, 0);
    }
    // The control in the open window of that kind (windows are reopened after each undo and redo).
    template <class T> T* Control(int kind, int number)
    {
        CChildFrame* window = Window(kind);
        return window != nullptr ? test::Control<T>(*window->View(), number) : nullptr;
    }
    QLineEdit* Rx() { return Control<QLineEdit>(item::kChannel, CChannelData::kRxFrequencyEdit); }
    // What the user does to a combo box: picks the entry of that number, or the other of two positions.
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
    // Which windows are open on which records.
    std::vector<std::pair<int, QString>> Windows() const
    {
        std::vector<std::pair<int, QString>> windows;
        for (const CChildFrame* child : frame->OpenChildren())
            windows.emplace_back(child->ItemNumber(), child->PositionText());
        return windows;
    }
};

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void EveryStepGivesTheBytesOfItsEdit()
    {
        CUndoFixture f;
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        const std::pair<const char*, std::function<void()>> edits[] = {
            {"tone of the type picked below", // the type alone changes no byte; the tone typed after it does
             [&] {
                 auto* tone = f.Control<QComboBox>(item::kChannel, CChannelData::kRxCtcssCombo);
                 test::TypeInto(tone != nullptr ? tone->lineEdit() : nullptr, QStringLiteral("67.0"));
             }},
            {"receive frequency", [&] { test::TypeInto(f.Rx(), QStringLiteral("455.5")); }},
            {"VOX gain", [&] { f.Pick(f.Control<QComboBox>(item::kVox, CVoxPage::kGainLevel), 2, 3); }},
            {"channel 3 deleted",
             [&] { f.Click(item::kChannel, 2)->RecordButtons()[record_command::kDelete]->click(); }},
            {"channel added", [&] { f.Window(item::kChannel)->RecordButtons()[record_command::kAdd]->click(); }},
            {"frequency of the new channel", [&] { test::TypeInto(f.Rx(), QStringLiteral("462.25")); }},
        };
        // Passing through controls, stepping through records, a bare
        // notification and a tone type alone change nothing.
        for (const CChildFrame* child : f.frame->OpenChildren())
            for (QComboBox* combo : child->View()->findChildren<QComboBox*>())
                if (combo->isEnabled() && ControlNumber(combo) != 0 && combo->currentIndex() >= 0)
                    emit combo->activated(combo->currentIndex());
        emit f.Rx()->editingFinished();
        f.Window(item::kChannel)->RecordButtons()[record_command::kNext]->click();
        f.Window(item::kChannel)->RecordButtons()[record_command::kFirst]->click();
        f.frame->Context().Notify({CNotification::Kind::Edited, 0}, nullptr);
        f.Pick(f.Control<QComboBox>(item::kChannel, CChannelData::kRxTypeList), 1);
        std::vector<Image> images{f.Stored()};
        QVERIFY(!f.CanUndo() && !f.CanRedo() && !f.frame->isWindowModified());
        for (const auto& [name, edit] : edits) {
            edit();
            images.push_back(f.Stored());
            QVERIFY2(images.back() != images[images.size() - 2], name);
            QVERIFY2(f.CanUndo() && !f.CanRedo() && f.frame->isWindowModified(), name);
        }
        // The first Ctrl+Z undoes the last change even from the field just typed in.
        const auto windows = f.Windows();
        QTest::keyClick(f.Rx(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.Stored() == images[images.size() - 2]);
        QCOMPARE(f.Windows(), windows);
        const auto* active = qobject_cast<CChildFrame*>(f.frame->findChild<QMdiArea*>()->activeSubWindow());
        QVERIFY(active != nullptr && active->ItemNumber() == item::kChannel);
        for (std::size_t i = images.size() - 2; i > 0; --i) {
            f.frame->DoCommand(command::kUndo);
            QVERIFY2(f.Stored() == images[i - 1], edits[i - 1].first);
            QVERIFY(f.CanRedo());
        }
        QVERIFY(!f.CanUndo() && !f.frame->isWindowModified());
        for (std::size_t i = 1; i < images.size() - 1; ++i) {
            f.frame->DoCommand(command::kRedo);
            QVERIFY2(f.Stored() == images[i], edits[i - 1].first);
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : f.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(f.Stored() == images.back() && !f.CanRedo());
        // Typing not yet confirmed is taken as a step of its own by Undo.
        test::TypeInto(f.Rx(), QStringLiteral("465.0"), false);
        f.frame->DoCommand(command::kUndo);
        QVERIFY(f.Stored() == images.back() && f.Rx()->text() != QStringLiteral("465.0"));
        f.frame->DoCommand(command::kRedo);
        const auto typed = FrequencyWordFromUnits(465 * kUnitsPerMHz);
        QVERIFY(std::ranges::any_of(f.data->Channels(), [typed](const auto& c) { return c->RxFrequency() == typed; }));
        f.frame->FileNew(true); // a new codeplug, a new history
        QVERIFY(!f.CanUndo() && !f.CanRedo());
    }
};

QRV_REGISTER_UI_TEST(UndoTest);

} // namespace qrv

#include "test_undo.moc"
