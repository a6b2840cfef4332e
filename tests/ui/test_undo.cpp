// Undo and redo as a dealer meets them: edits across the editors stepped back
// to the first and forward to the last, each step giving exactly the bytes the
// same edits gave without undo; loads start a new history; nothing that leaves
// the codeplug as it was becomes a step.
#include "editor_fixture.h"
#include "editors/channel/view_channel.h"
#include "editors/common/undo_controller.h"
#include "editors/keys/view_keys.h"
#include "editors/personality/personality_rxtx_page.h"
#include "editors/personality/view_personality.h"
#include "editors/record_navigator.h"
#include "editors/scan/scan_channel_list_page.h"
#include "editors/scan/view_scan.h"
#include "editors/settings/view_vox.h"
#include "records/channel_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"
#include "widgets/freq_edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace qrv {

namespace {

constexpr int kRxFrequency = CChannelData::kRxFrequencyEdit;
constexpr int kRxType = CChannelData::kRxTypeList;
constexpr int kRxCtcss = CChannelData::kRxCtcssCombo;

template <class T> T* Control(QWidget* root, int number)
{
    if (root == nullptr)
        return nullptr;
    for (T* widget : root->findChildren<T*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

void TypeOver(QLineEdit* edit, const QString& text)
{
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void ChooseData(QComboBox* combo, int entryNumber)
{
    QVERIFY(combo != nullptr);
    const int index = combo->findData(QVariant::fromValue(static_cast<long long>(entryNumber)));
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void ChooseIndex(QComboBox* combo, int index)
{
    QVERIFY(combo != nullptr);
    QVERIFY(index >= 0 && index < combo->count());
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

int FirstDifference(const Image& a, const Image& b)
{
    const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin());
    return left == a.end() ? -1 : static_cast<int>(left - a.begin());
}

// The editors open on one codeplug, each hearing every notification, closed
// and reopened on the same records around a restore as the main window does.
struct CUndoFixture : test::CEditorFixture {
    std::unique_ptr<CViewChannel> channel;
    std::unique_ptr<CViewPersonality> personality;
    std::unique_ptr<CViewScan> scan;
    std::unique_ptr<CViewVox> vox;
    std::unique_ptr<CViewKeys> keys;
    int channelPosition = 0;
    int restores = 0;

    void Open()
    {
        channel = std::make_unique<CViewChannel>(*context, channelPosition);
        personality = std::make_unique<CViewPersonality>(*context, 0);
        scan = std::make_unique<CViewScan>(*context, 0);
        vox = std::make_unique<CViewVox>(*context);
        keys = std::make_unique<CViewKeys>(*context);
        for (CEditorView* view : Views())
            QObject::connect(context.get(), &CEditorContext::Notified, view,
                             [view](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    void Close()
    {
        channelPosition = channel->CurrentPosition();
        channel.reset();
        personality.reset();
        scan.reset();
        vox.reset();
        keys.reset();
    }
    std::vector<CEditorView*> Views() const
    {
        return {channel.get(), personality.get(), scan.get(), vox.get(), keys.get()};
    }

    // The controller, answered as the main window answers it.
    std::unique_ptr<CUndoController> MakeUndo()
    {
        auto undo = std::make_unique<CUndoController>(*context);
        QObject::connect(undo.get(), &CUndoController::AboutToRestore, [this] { Close(); });
        QObject::connect(undo.get(), &CUndoController::Restored, [this] {
            Open();
            ++restores;
        });
        undo->SetCommit([this] {
            for (CEditorView* view : Views())
                if (view != nullptr)
                    view->StorePages();
        });
        return undo;
    }
};

using Edit = std::function<void(CUndoFixture&)>;

// One user action each, across the editors.
std::vector<Edit> Edits()
{
    return {
        [](CUndoFixture& f) { TypeOver(Control<CFreqEdit>(f.channel.get(), kRxFrequency), QStringLiteral("455.5")); },
        [](CUndoFixture& f) {
            // The type alone changes no byte; the tone typed after it does.
            ChooseData(Control<QComboBox>(f.channel.get(), kRxType), 1);
            QComboBox* tone = Control<QComboBox>(f.channel.get(), kRxCtcss);
            QVERIFY(tone != nullptr);
            TypeOver(tone->lineEdit(), QStringLiteral("67.0"));
        },
        [](CUndoFixture& f) {
            QComboBox* timeOut = Control<QComboBox>(f.personality.get(), CPersonalityRXTXPage::kTimeOut);
            QVERIFY(timeOut != nullptr);
            ChooseIndex(timeOut, timeOut->currentIndex() == 1 ? 2 : 1);
        },
        [](CUndoFixture& f) {
            QComboBox* count = Control<QComboBox>(f.scan.get(), CScanChannelListPage::kEntryCount);
            QVERIFY(count != nullptr);
            ChooseIndex(count, count->currentIndex() == 3 ? 4 : 3);
        },
        [](CUndoFixture& f) {
            QComboBox* gain = Control<QComboBox>(f.vox.get(), CVoxPage::kGainLevel);
            QVERIFY(gain != nullptr);
            ChooseIndex(gain, gain->currentIndex() == 2 ? 3 : 2);
        },
        [](CUndoFixture& f) {
            f.channel->Navigate(record_command::kGoTo, 2);
            f.channel->Navigate(record_command::kDelete, 0);
        },
        [](CUndoFixture& f) { f.channel->Navigate(record_command::kAdd, 0); },
        [](CUndoFixture& f) { TypeOver(Control<CFreqEdit>(f.channel.get(), kRxFrequency), QStringLiteral("462.25")); },
    };
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void EveryStepGivesTheBytesOfThePlainRun()
    {
        const std::vector<Edit> edits = Edits();
        // The images after each edit without undo, the loaded one first.
        std::vector<Image> plain;
        {
            CUndoFixture f;
            f.Open();
            plain.push_back(f.Stored());
            for (std::size_t i = 0; i < edits.size(); ++i) {
                edits[i](f);
                if (QTest::currentTestFailed())
                    return;
                plain.push_back(f.Stored());
                QVERIFY2(plain[i + 1] != plain[i], qPrintable(QStringLiteral("edit %1 changed nothing").arg(i)));
            }
        }

        CUndoFixture f;
        f.Open();
        const auto undo = f.MakeUndo();
        QVERIFY(!undo->CanUndo());
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i](f);
            QCOMPARE(FirstDifference(f.Stored(), plain[i + 1]), -1);
        }
        QVERIFY(!undo->CanRedo());

        for (std::size_t i = edits.size(); i > 0; --i) {
            QVERIFY2(undo->Undo(), qPrintable(QStringLiteral("undo to %1").arg(i - 1)));
            QVERIFY2(FirstDifference(f.Stored(), plain[i - 1]) == -1,
                     qPrintable(QStringLiteral("after undo to %1 at %2")
                                    .arg(i - 1)
                                    .arg(FirstDifference(f.Stored(), plain[i - 1]))));
            QVERIFY(undo->CanRedo());
        }
        QVERIFY(!undo->CanUndo());
        QVERIFY(!undo->Undo());
        QCOMPARE(FirstDifference(f.Stored(), plain[0]), -1);

        for (std::size_t i = 1; i <= edits.size(); ++i) {
            QVERIFY2(undo->Redo(), qPrintable(QStringLiteral("redo to %1").arg(i)));
            QCOMPARE(FirstDifference(f.Stored(), plain[i]), -1);
        }
        QVERIFY(!undo->CanRedo());
        QCOMPARE(f.restores, static_cast<int>(2 * edits.size()));
        // The reopened channel view stands where it stood after the last edit.
        QCOMPARE(f.channel->CurrentPosition(), f.channelPosition);
        QCOMPARE(f.data->Channels().size(), std::size_t{16});
    }

    void TypingInOneFieldIsOneStep()
    {
        CUndoFixture f;
        f.Open();
        const auto undo = f.MakeUndo();
        const Image before = f.Stored();
        CFreqEdit* rx = Control<CFreqEdit>(f.channel.get(), kRxFrequency);
        QVERIFY(rx != nullptr);
        TypeOver(rx, QStringLiteral("450.0125"));
        const Image after = f.Stored();
        QVERIFY(after != before);

        QVERIFY(undo->Undo());
        QVERIFY(!undo->CanUndo());
        QCOMPARE(FirstDifference(f.Stored(), before), -1);
        // The view reopened on the restored channel shows its frequency again.
        QVERIFY(Control<CFreqEdit>(f.channel.get(), kRxFrequency)->text() != QStringLiteral("450.0125"));
        QVERIFY(undo->Redo());
        QCOMPARE(FirstDifference(f.Stored(), after), -1);
    }

    void UnstoredTypingBecomesAStepOnUndo()
    {
        CUndoFixture f;
        f.Open();
        const auto undo = f.MakeUndo();
        const Image before = f.Stored();
        CFreqEdit* rx = Control<CFreqEdit>(f.channel.get(), kRxFrequency);
        QVERIFY(rx != nullptr);
        rx->selectAll();
        QTest::keyClicks(rx, QStringLiteral("465.0"));
        QVERIFY(!undo->CanUndo());

        QVERIFY(undo->Undo());
        QCOMPARE(FirstDifference(f.Stored(), before), -1);
        QVERIFY(undo->Redo());
        QCOMPARE(f.data->Channels()[0]->RxFrequency(), FrequencyWordFromUnits(465 * kUnitsPerMHz));
    }

    void UnchangedStoresAndLoadsAreNoSteps()
    {
        CUndoFixture f;
        f.Open();
        const auto undo = f.MakeUndo();
        std::vector<std::pair<bool, bool>> availability;
        QObject::connect(undo.get(), &CUndoController::AvailabilityChanged,
                         [&availability](bool u, bool r) { availability.emplace_back(u, r); });

        // Passing through controls, stepping through records, a bare notification.
        for (CEditorView* view : f.Views())
            for (QComboBox* combo : view->findChildren<QComboBox*>())
                if (combo->isEnabled() && ControlNumber(combo) != 0 && combo->currentIndex() >= 0)
                    emit combo->activated(combo->currentIndex());
        emit Control<CFreqEdit>(f.channel.get(), kRxFrequency)->editingFinished();
        f.channel->Navigate(record_command::kNext, 0);
        f.channel->Navigate(record_command::kFirst, 0);
        f.context->Notify({CNotification::Kind::Edited, 0}, nullptr);
        QVERIFY(!undo->CanUndo());
        QVERIFY(availability.empty());

        // Two steps, one undone: then a load starts again from nothing.
        ChooseData(Control<QComboBox>(f.channel.get(), kRxType), 1);
        QVERIFY(!undo->CanUndo());
        TypeOver(Control<QComboBox>(f.channel.get(), kRxCtcss)->lineEdit(), QStringLiteral("67.0"));
        TypeOver(Control<CFreqEdit>(f.channel.get(), kRxFrequency), QStringLiteral("455.5"));
        QVERIFY(undo->Undo());
        QVERIFY(undo->CanUndo() && undo->CanRedo());
        f.Close();
        QVERIFY(f.files->LoadDefaultImage());
        undo->Reset();
        f.Open();
        QVERIFY(!undo->CanUndo());
        QVERIFY(!undo->CanRedo());
        QVERIFY(!availability.empty());
        QCOMPARE(availability.back(), std::make_pair(false, false));
        QVERIFY(!undo->Undo());
        QVERIFY(!undo->Redo());
    }
};

QRV_REGISTER_UI_TEST(UndoTest);

} // namespace qrv

#include "test_undo.moc"
