// Adjustment against the simulated radio: the tuning list each user level
// gets, the group and point a tuning item opens on, what each control of an
// item sends (one write per scroll gesture, keep on OK, drop on Cancel) and
// what the window makes of the answer, and the command's promise that the
// radio ends in mode 1 with the port closed.
#include "factory/adjustment_command.h"
#include "factory/dlg_tune_sub_item.h"
#include "factory/dlg_tuning.h"
#include "factory/radio_mode_session.h"
#include "factory/tune_scroll_bar.h"
#include "factory_radio_fixture.h"
#include "radio_link/radio_messages.h"
#include "records/test_frequency_data.h"
#include "ui_test_registry.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <map>
#include <set>

namespace qrv {

namespace {

using sim::CSimRadio;
using Sub = CDlgTuneSubItem;
using Action = std::function<void(Sub&, CSimRadio&)>;

constexpr std::uint16_t kRef = 0x8050;         // Reference Frequency: one Width point, 2
constexpr std::uint16_t kSensitivity = 0x8160; // RX Sensitivity: five Width points
constexpr std::uint16_t kPower = 0x8340;       // a transmitter item the radio can measure

// The frames the radio received since its log was cleared, in hex, one after the other.
std::string Sent(const CSimRadio& radio)
{
    QByteArrayList frames;
    for (const std::vector<std::uint8_t>& frame : radio.ReceivedFrames())
        frames << QByteArray::fromStdString(std::string(frame.begin(), frame.end())).toHex(' ').toUpper();
    return frames.join(QByteArrayLiteral(" | ")).toStdString();
}

QListWidgetItem* Row(const CDlgTuning& dialog, std::uint16_t base)
{
    for (int row = 0; row < dialog.List()->count(); ++row)
        if (dialog.List()->item(row)->data(Qt::UserRole).toLongLong() == base)
            return dialog.List()->item(row);
    return nullptr;
}

// The language file's tuning table replaced, as a model with other items would ship it.
void SetTuningTable(test::CFactoryFixture& x, const std::string& table)
{
    const auto path = x.Settings().LanguageFilePath();
    std::string text = test::ReadText(path);
    const std::size_t at = text.find("S0207056=");
    text.replace(at, text.find('\n', at) - at, "S0207056=" + table);
    test::WriteText(path, text);
}

// One entry of the list opened, as a double-click does, on a radio in the
// adjustment mode holding `values`; the radio's log then holds what opening sent.
struct CTuning {
    test::CFactoryFixture x;
    CRadioModeSession session{x.context};
    std::unique_ptr<CDlgTuning> list;
    std::unique_ptr<Sub> sub;

    CTuning(std::uint16_t base, const std::map<std::uint16_t, std::uint16_t>& values, const std::string& table = {})
    {
        if (!table.empty())
            SetTuningTable(x, table);
        for (const auto& [item, value] : values)
            x.Radio().TuneValues()[item] = value;
        if (!session.Enter(CRadioLink::kModeAdjust))
            return;
        list = std::make_unique<CDlgTuning>(x.Settings(), *x.f.data, *session.Link());
        x.Radio().ClearLog();
        sub = list->MakeSubItem(Row(*list, base));
    }
    QString Text(int number) { return QString::fromStdString(x.Settings().GetText(number)); }
};

// Keys pressed on a bar, the radio answering or not.
Action Press(CTuneScrollBar* (Sub::*bar)() const, std::vector<Qt::Key> keys, bool silent = false)
{
    return [bar, keys, silent](Sub& sub, CSimRadio& radio) {
        radio.Faults().silent = silent;
        for (const Qt::Key key : keys)
            QTest::keyClick((sub.*bar)(), key);
    };
}

// The thumb held and moved through the values from `first` to `last`, then let go.
Action Drag(CTuneScrollBar* (Sub::*bar)() const, int first, int last)
{
    return [bar, first, last](Sub& sub, CSimRadio&) {
        (sub.*bar)()->setSliderDown(true);
        for (int value = first; value != last; value += first < last ? 1 : -1)
            (sub.*bar)()->setSliderPosition(value);
        (sub.*bar)()->setSliderPosition(last);
        (sub.*bar)()->setSliderDown(false);
    };
}

Action Click(std::vector<QPushButton* (Sub::*)() const> buttons, bool silent = false)
{
    return [buttons, silent](Sub& sub, CSimRadio& radio) {
        radio.Faults().silent = silent;
        for (const auto button : buttons)
            (sub.*button)()->click();
    };
}

} // namespace

class TuningTest : public QObject {
    Q_OBJECT

private slots:
    void ListFollowsTheUserLevel()
    {
        const std::set<std::uint16_t> every{0x8050, 0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8160, 0x8210,
                                            0x8300, 0x8340, 0x8380, 0x8390, 0x83D0, 0x8410, 0x8440, 0x84A0};
        const struct {
            const char* name;
            int level;
            bool table;
            std::set<std::uint16_t> shown;
        } rows[]{
            // clang-format off
            {"dealer", 0, true, {0x8160, 0x8210, 0x8340, 0x83D0, 0x8440}},
            {"service", CSettings::kServiceLevel, true,
             {0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8160, 0x8210, 0x8340, 0x8380, 0x83D0, 0x8410, 0x8440}},
            {"factory", CSettings::kFactoryLevel, true, every},
            // Without a table nothing can be judged: the whole list stays, and no entry can be tuned.
            {"dealer without a table", 0, false, every},
            // clang-format on
        };
        for (const auto& row : rows) {
            test::CFactoryFixture x(row.level);
            if (!row.table)
                SetTuningTable(x, "");
            const auto link = x.MakeLink();
            CDlgTuning dialog(x.Settings(), *x.f.data, *link);
            std::set<std::uint16_t> shown;
            for (int i = 0; i < dialog.List()->count(); ++i)
                shown.insert(static_cast<std::uint16_t>(dialog.List()->item(i)->data(Qt::UserRole).toUInt()));
            QVERIFY2(shown == row.shown && dialog.List()->count() == static_cast<int>(shown.size()), row.name);
            QVERIFY2(row.table || dialog.MakeSubItem(Row(dialog, kSensitivity)) == nullptr, row.name);
            QVERIFY2(x.f.messages == (row.table ? std::vector<int>{} : std::vector<int>{msg::kNotTunable}), row.name);
            QVERIFY2(x.Radio().ReceivedFrames().empty(), row.name);
        }
    }

    void OpensOnTheFirstGroupThatExists()
    {
        const struct {
            const char* name;
            int flags;
            TuneGroup group;
            std::array<bool, 3> enabled; // Width, Middle, Narrow
            int tabs;
            std::size_t point; // the tuning point of the item read
            const char* read;
        } rows[]{
            // clang-format off
            {"width point", 0x0004, TuneGroup::Width, {true, false, false}, 1, 2, "02 56 62 52 80 03"},
            {"middle only", 0x0060, TuneGroup::Middle, {false, true, false}, 2, 0, "02 56 62 55 80 03"},
            {"narrow only", 0x1C00, TuneGroup::Narrow, {false, false, true}, 3, 0, "02 56 62 5A 80 03"},
            {"middle and narrow", 0x8C40, TuneGroup::Middle, {false, true, true}, 1, 1, "02 56 62 56 80 03"},
            {"narrow high point", 0x4000, TuneGroup::Narrow, {false, false, true}, 1, 4, "02 56 62 5E 80 03"},
            // clang-format on
        };
        for (const auto& row : rows) {
            // The radio holds 77 for every first point; the adjustment mode comes before the read.
            CTuning t(kRef, {{0x8052, 77}, {0x8055, 77}, {0x8056, 77}, {0x805A, 77}, {0x805E, 77}},
                      "32848," + std::to_string(row.flags) + ";33120,31");
            QVERIFY2(t.sub != nullptr && Sent(t.x.Radio()) == "02 4D 61 06 00 03 | " + std::string(row.read), row.name);
            QVERIFY2(t.sub->Group() == row.group && t.sub->Tabs()->count() == row.tabs, row.name);
            for (const TuneGroup g : {TuneGroup::Width, TuneGroup::Middle, TuneGroup::Narrow}) {
                QVERIFY2(t.sub->GroupButton(g)->isEnabled() == row.enabled[static_cast<std::size_t>(g)], row.name);
                QVERIFY2(t.sub->GroupButton(g)->isChecked() == (g == row.group), row.name);
            }
            const CTestFrequencyData& points = t.x.f.data->TestFrequencies();
            QVERIFY2(t.sub->RxText()->text() == QString::fromStdString(points.PointRxText(row.point)) &&
                         t.sub->TxText()->text() == QString::fromStdString(points.PointTxText(row.point)),
                     row.name);
            QVERIFY2(t.sub->ValueText()->text() == QLatin1String("77"), row.name);
            QVERIFY2(!t.sub->SampleButton()->isVisibleTo(t.sub.get()), row.name); // nothing the radio can measure
        }
    }

    // What each control of an open item sends, and what the window makes of the answer.
    void ControlsSendWhatTheyShow()
    {
        using O = Sub::Outcome;
        const int rxOff = Sub::kReceiveTestStopped;
        const int txOff = Sub::kTransmitTestStopped;
        const Action up = Press(&Sub::ValueBar, {Qt::Key_Right});
        const Action down = Press(&Sub::ValueBar, {Qt::Key_Left});
        const Action pageUp = Press(&Sub::ValueBar, {Qt::Key_PageUp});
        const Action volumeUp = Press(&Sub::VolumeBar, {Qt::Key_Right});
        const Action upUnanswered = Press(&Sub::ValueBar, {Qt::Key_Right}, true);
        const Action narrow = [](Sub& sub, CSimRadio&) { sub.GroupButton(TuneGroup::Narrow)->click(); };
        const Action secondTab = [](Sub& sub, CSimRadio&) { sub.Tabs()->setCurrentIndex(1); };
        const Action tx = Click({&Sub::TxButton});
        const Action sample = Click({&Sub::SampleButton});
        const Action upThenCancel = [](Sub& sub, CSimRadio&) {
            QTest::keyClick(sub.ValueBar(), Qt::Key_PageUp);
            sub.CancelButton()->click();
        };
        const struct {
            const char* name;
            std::uint16_t base;
            std::map<std::uint16_t, std::uint16_t> values;
            Action act;
            O outcome;
            int caption; // of the test switch afterwards
            const char* sent;
        } rows[]{
            // clang-format off
            // Each key press is a scroll of its own: one step from the radio's value, a page is ten.
            {"value up one", kRef, {{0x8052, 0x1234}}, up, O::Open, rxOff, "02 56 61 52 80 35 12 03"},
            {"value into the high byte", kRef, {{0x8052, 0x00FF}}, up, O::Open, rxOff, "02 56 61 52 80 00 01 03"},
            {"value down from the top", kRef, {{0x8052, 0xFFFF}}, down, O::Open, rxOff, "02 56 61 52 80 FE FF 03"},
            {"value up a page", kRef, {{0x8052, 0x1234}}, pageUp, O::Open, rxOff, "02 56 61 52 80 3E 12 03"},
            // The thumb dragged through many values: only the one let go at is sent.
            {"value dragged", kRef, {{0x8052, 100}}, Drag(&Sub::ValueBar, 101, 120), O::Open, rxOff,
             "02 56 61 52 80 78 00 03"},
            {"volume up, in steps of eight", kRef, {}, volumeUp, O::Open, rxOff, "02 56 61 0B 85 88 00 03"},
            {"volume dragged", kRef, {}, Drag(&Sub::VolumeBar, 120, 64), O::Open, rxOff, "02 56 61 0B 85 40 00 03"},
            // Looking at another point reads it, and writes nothing.
            {"tab reads its point", kSensitivity, {}, secondTab, O::Open, rxOff,
             "02 4D 61 06 00 03 | 02 56 62 61 81 03"},
            {"group reads its point", 0x80D0, {{0x80DC, 300}}, narrow, O::Open, rxOff,
             "02 4D 61 06 00 03 | 02 56 62 DC 80 03"},
            {"cancel drops", kRef, {{0x8052, 100}}, upThenCancel, O::Dropped, rxOff,
             "02 56 61 52 80 6E 00 03 | 02 56 6B 00 00 03"},
            {"receive test on", kRef, {}, tx, O::Open, Sub::kReceiveTestRunning, "02 4F 61 01 00 03"},
            {"transmit test on and off", kPower, {}, Click({&Sub::TxButton, &Sub::TxButton}), O::Open, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 00 00 03"},
            {"ok stops the test, then keeps", kPower, {}, Click({&Sub::TxButton, &Sub::OkButton}), O::Kept, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 00 00 03 | 02 56 6A 00 00 03"},
            {"sample reads the measured value", kPower, {{kPower, 300}}, sample, O::Open, txOff, "02 56 6C 40 83 03"},
            // A radio that does not take the switch (asked three times): the button springs back.
            {"test switch not taken", kPower, {}, Click({&Sub::TxButton}, true), O::Open, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 01 00 03 | 02 4F 62 01 00 03"},
            // A write nobody takes ends the dialog with its message.
            {"write not taken", kRef, {}, upUnanswered, O::WriteFailed, rxOff,
             "02 56 61 52 80 81 00 03 | 02 56 61 52 80 81 00 03 | 02 56 61 52 80 81 00 03"},
            // clang-format on
        };
        for (const auto& row : rows) {
            CTuning t(row.base, row.values);
            QVERIFY2(t.sub != nullptr, row.name);
            t.x.Radio().ClearLog();
            const Image before = t.x.f.Stored();
            row.act(*t.sub, t.x.Radio());
            QVERIFY2(Sent(t.x.Radio()) == row.sent, (row.name + (": " + Sent(t.x.Radio()))).c_str());
            QVERIFY2(t.sub->Result() == row.outcome && t.sub->TxButton()->text() == t.Text(row.caption), row.name);
            const bool failed = row.outcome == O::WriteFailed;
            QVERIFY2(t.x.f.messages == (failed ? std::vector<int>{msg::kTuneWriteFailed} : std::vector<int>{}),
                     row.name);
            // The tune data changes on OK only; an open window shows what the radio holds.
            QVERIFY2(row.outcome == O::Kept || t.x.f.Stored() == before, row.name);
            const QString held = QString::number(t.x.Radio().CurrentTuneValue(t.sub->Item()));
            QVERIFY2(row.outcome != O::Open || t.sub->ValueText()->text() == held, row.name);
        }
    }

    void DraggingWithTheMouseWritesOnceLetGo()
    {
        CTuning t(kRef, {{0x8052, 0x7FFF}}); // the thumb in the middle of the bar
        QVERIFY(t.sub != nullptr);
        t.sub->resize(600, t.sub->sizeHint().height());
        t.x.Radio().ClearLog();
        CTuneScrollBar* bar = t.sub->ValueBar();
        const QPoint middle = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, middle);
        for (int dx = 4; dx <= 40; dx += 4)
            QTest::mouseMove(bar, middle + QPoint(dx, 0));
        QVERIFY(bar->value() > 0x7FFF && t.x.Radio().ReceivedFrames().empty()); // nothing sent while held
        QTest::mouseRelease(bar, Qt::LeftButton, {}, middle + QPoint(40, 0));
        const QByteArray value = QByteArray::number(bar->value() & 0xFF, 16).rightJustified(2, '0') + ' ' +
                                 QByteArray::number(bar->value() >> 8, 16).rightJustified(2, '0');
        QCOMPARE(Sent(t.x.Radio()), "02 56 61 52 80 " + value.toUpper().toStdString() + " 03");
    }

    void OkKeepsTheValueAtItsPointsIndex()
    {
        CTuning t(kSensitivity, {});
        QVERIFY(t.sub != nullptr);
        t.sub->Tabs()->setCurrentIndex(1); // 0x8161
        Press(&Sub::ValueBar, {Qt::Key_PageDown, Qt::Key_Left})(*t.sub, t.x.Radio());
        Image expected = t.x.f.Stored();
        t.sub->OkButton()->click();
        // The shipped table's entries before RX Sensitivity have 1+2+2+2+2+1 points:
        // its second point is the twelfth value of the block at 0x340.
        const auto tuned = static_cast<std::uint16_t>(CSimRadio::kUntunedValue - 11);
        QCOMPARE(t.x.Radio().TuneValues().at(0x8161), tuned);
        expected[0x340 + 2 * 11] = static_cast<std::uint8_t>(tuned & 0xFF);
        expected[0x340 + 2 * 11 + 1] = static_cast<std::uint8_t>(tuned >> 8);
        QVERIFY(t.x.f.Stored() == expected);
    }

    void AdjustmentEndsInModeOneWithThePortClosed()
    {
        const struct {
            const char* name;
            void (*setup)(CSimRadio&);
            std::vector<int> messages;
            std::vector<int> modes; // asked for, answered or not
            bool tuned;             // the Tuning dialog came up
            const char* range;      // FreqRange afterwards
            bool vanish;            // the radio stops answering while an item is tuned
        } rows[]{
            // clang-format off
            {"same radio", [](CSimRadio&) {}, {}, {6, 1}, true, "400-470", false},
            {"radio of another range",
             [](CSimRadio& r) { r.Identity().range = sim::CSimIdentity::RangeBlock(0, 136, 174); }, {}, {6, 1}, true,
             "136-174", false},
            {"silent radio", [](CSimRadio& r) { r.Faults().silent = true; }, {msg::kNoRadioAnswer}, {}, false,
             "400-470", false},
            {"mode refused", [](CSimRadio& r) { r.Faults().refuseMode = true; }, {msg::kNoRadioAnswer}, {6, 1}, false,
             "400-470", false},
            {"radio gone while tuning", [](CSimRadio&) {}, {msg::kTuneWriteFailed}, {6, 1}, true, "400-470", true},
            // clang-format on
        };
        for (const auto& row : rows) {
            test::CFactoryFixture x;
            row.setup(x.Radio());
            bool openWhileTuning = false;
            // Tune a little with the test switch on, leave the item with Cancel, close the list.
            test::CModalDriver<CDlgTuning> driver([&](CDlgTuning& dialog) {
                openWhileTuning = *x.openPorts > 0;
                if (const auto sub = dialog.MakeSubItem(dialog.List()->item(0))) {
                    Click({&Sub::TxButton})(*sub, x.Radio());
                    Press(&Sub::ValueBar, {Qt::Key_Right}, row.vanish)(*sub, x.Radio());
                    sub->CancelButton()->click();
                }
                dialog.OkButton()->click();
            });
            CAdjustmentCommand(x.context).Run();

            QVERIFY2(driver.Seen() == row.tuned && openWhileTuning == row.tuned, row.name);
            QVERIFY2(x.f.messages == row.messages && x.f.data->Identity().freqRange == row.range, row.name);
            QVERIFY2(x.modelChanges == (row.range == std::string("400-470") ? 0 : 1) && *x.openPorts == 0, row.name);
            // A radio asked for another mode is sent mode 1 last, the test switch off.
            QVERIFY2(x.ModesSent() == row.modes, row.name);
            QVERIFY2(row.modes.empty() || Sent(x.Radio()).ends_with("02 4D 61 01 00 03"), row.name);
            QVERIFY2(row.vanish || (x.Radio().Mode() == 1 && !x.Radio().TestOption('a')), row.name);
        }
    }
};

QRV_REGISTER_UI_TEST(TuningTest);

} // namespace qrv

#include "test_tuning.moc"
