// Adjustment against the simulated radio: the tuning list each user level
// gets, what each control of an item sends (one write per scroll gesture,
// keep on OK, drop on Cancel) and what the window makes of the answer.
#include "factory/dlg_tune_sub_item.h"
#include "factory/dlg_tuning.h"
#include "factory/radio_mode_session.h"
#include "factory/tune_scroll_bar.h"
#include "factory_radio_fixture.h"
#include "radio_link/radio_messages.h"
#include "ui_test_registry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <map>
#include <sstream>

namespace qrv {

namespace {

using sim::CSimRadio;
using Sub = CDlgTuneSubItem;

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

// The controls of an open item worked as the user would, one named step after another;
// "silent" makes the radio stop answering from there on.
void Work(Sub& sub, CSimRadio& radio, const std::string& steps)
{
    const std::map<std::string, std::function<void()>> step{
        {"up", [&] { QTest::keyClick(sub.ValueBar(), Qt::Key_Right); }},
        {"down", [&] { QTest::keyClick(sub.ValueBar(), Qt::Key_Left); }},
        {"page-up", [&] { QTest::keyClick(sub.ValueBar(), Qt::Key_PageUp); }},
        {"page-down", [&] { QTest::keyClick(sub.ValueBar(), Qt::Key_PageDown); }},
        {"volume-up", [&] { QTest::keyClick(sub.VolumeBar(), Qt::Key_Right); }},
        {"tab-2", [&] { sub.Tabs()->setCurrentIndex(1); }},
        {"test", [&] { sub.TxButton()->click(); }},
        {"sample", [&] { sub.SampleButton()->click(); }},
        {"ok", [&] { sub.OkButton()->click(); }},
        {"cancel", [&] { sub.CancelButton()->click(); }},
        {"silent", [&] { radio.Faults().silent = true; }},
    };
    std::istringstream in(steps);
    for (std::string name; in >> name;)
        step.at(name)();
}

// One entry of the list opened, as a double-click does, on a radio in the
// adjustment mode holding `values`; the radio's log is then cleared.
struct CTuning {
    test::CFactoryFixture x;
    CRadioModeSession session{x.context};
    std::unique_ptr<CDlgTuning> list;
    std::unique_ptr<Sub> sub;

    CTuning(std::uint16_t base, const std::map<std::uint16_t, std::uint16_t>& values)
    {
        for (const auto& [item, value] : values)
            x.Radio().TuneValues()[item] = value;
        if (!session.Enter(CRadioLink::kModeAdjust))
            return;
        list = std::make_unique<CDlgTuning>(x.f.Settings(), *x.f.data, *session.Link());
        sub = list->MakeSubItem(Row(*list, base));
        x.Radio().ClearLog();
    }
};

} // namespace

class TuningTest : public QObject {
    Q_OBJECT

private slots:
    // Each level sees the entries the tuning table gives it (kRef is for the factory only); without a table
    // nothing can be judged: the whole list stays, and no entry can be tuned.
    void ListFollowsTheUserLevel()
    {
        const struct {
            const char* name;
            int level;
            bool table;
            int shown;
        } rows[]{
            {"dealer", 0, true, 5},
            {"service", CSettings::kServiceLevel, true, 12},
            {"factory", CSettings::kFactoryLevel, true, 16},
            {"dealer without a table", 0, false, 16},
        };
        for (const auto& row : rows) {
            test::CFactoryFixture x(row.level);
            if (!row.table) {
                const auto path = x.f.Settings().LanguageFilePath();
                std::string text = test::ReadText(path);
                const std::size_t at = text.find("S0207056=") + 9;
                test::WriteText(path, text.erase(at, text.find('\n', at) - at));
            }
            const auto link = x.MakeLink();
            CDlgTuning dialog(x.f.Settings(), *x.f.data, *link);
            QVERIFY2(dialog.List()->count() == row.shown && (Row(dialog, kRef) != nullptr) == (row.shown == 16),
                     row.name);
            QVERIFY2(row.table || dialog.MakeSubItem(Row(dialog, kSensitivity)) == nullptr, row.name);
            QVERIFY2(x.f.messages == (row.table ? std::vector<int>{} : std::vector<int>{msg::kNotTunable}), row.name);
        }
    }

    // What each control of an open item sends, and what the window makes of the answer.
    void ControlsSendWhatTheyShow()
    {
        using O = Sub::Outcome;
        const int rxOff = Sub::kReceiveTestStopped;
        const int txOff = Sub::kTransmitTestStopped;
        const struct {
            const char* name;
            std::uint16_t base;
            std::map<std::uint16_t, std::uint16_t> values;
            const char* steps;
            O outcome;
            int caption; // of the test switch afterwards
            const char* sent;
            int index = -1; // of the value OK keeps in the tune data (-1: not looked at)
        } rows[]{
            // clang-format off
            // Each key press is a scroll of its own: one step from the radio's value (a page is ten, below).
            {"value up one", kRef, {{0x8052, 0x1234}}, "up", O::Open, rxOff, "02 56 61 52 80 35 12 03"},
            {"volume up, in steps of eight", kRef, {}, "volume-up", O::Open, rxOff, "02 56 61 0B 85 88 00 03"},
            // Looking at another point reads it, and writes nothing.
            {"tab reads its point", kSensitivity, {}, "tab-2", O::Open, rxOff, "02 4D 61 06 00 03 | 02 56 62 61 81 03"},
            {"cancel drops", kRef, {{0x8052, 100}}, "page-up cancel", O::Dropped, rxOff,
             "02 56 61 52 80 6E 00 03 | 02 56 6B 00 00 03"},
            {"receive test on", kRef, {}, "test", O::Open, Sub::kReceiveTestRunning, "02 4F 61 01 00 03"},
            {"transmit test on and off", kPower, {}, "test test", O::Open, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 00 00 03"},
            {"ok stops the test, then keeps", kPower, {}, "test ok", O::Kept, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 00 00 03 | 02 56 6A 00 00 03"},
            // The shipped table's entries before RX Sensitivity have 1+2+2+2+2+1 points:
            // its second point is the twelfth value of the block.
            {"ok keeps the value at its point's index", kSensitivity, {}, "tab-2 page-down down ok", O::Kept, rxOff,
             "02 4D 61 06 00 03 | 02 56 62 61 81 03 | 02 56 61 61 81 76 00 03 | 02 56 61 61 81 75 00 03 | "
             "02 56 6A 00 00 03", 11},
            {"sample reads the measured value", kPower, {{kPower, 300}}, "sample", O::Open, txOff, "02 56 6C 40 83 03"},
            // A radio that does not take the switch (asked three times): the button springs back.
            {"test switch not taken", kPower, {}, "silent test", O::Open, txOff,
             "02 4F 62 01 00 03 | 02 4F 62 01 00 03 | 02 4F 62 01 00 03"},
            // A write nobody takes ends the dialog with its message.
            {"write not taken", kRef, {}, "silent up", O::WriteFailed, rxOff,
             "02 56 61 52 80 81 00 03 | 02 56 61 52 80 81 00 03 | 02 56 61 52 80 81 00 03"},
            // clang-format on
        };
        for (const auto& row : rows) {
            CTuning t(row.base, row.values);
            QVERIFY2(t.sub != nullptr, row.name);
            const Image before = t.x.f.Stored();
            Work(*t.sub, t.x.Radio(), row.steps);
            QVERIFY2(Sent(t.x.Radio()) == row.sent, (row.name + (": " + Sent(t.x.Radio()))).c_str());
            const QString caption = QString::fromStdString(t.x.f.Settings().GetText(row.caption));
            QVERIFY2(t.sub->Result() == row.outcome && t.sub->TxButton()->text() == caption, row.name);
            QVERIFY2(t.x.f.messages == std::vector<int>(row.outcome == O::WriteFailed, msg::kTuneWriteFailed),
                     row.name);
            // The tune data changes on OK only, at the point's index; an open window shows what the radio holds.
            const std::uint16_t value = t.x.Radio().CurrentTuneValue(t.sub->Item());
            Image expected = before;
            if (row.index >= 0)
                PutLe16(expected, 0x340 + 2 * static_cast<std::size_t>(row.index), value);
            QVERIFY2((row.outcome == O::Kept && row.index < 0) || t.x.f.Stored() == expected, row.name);
            const QString held = QString::number(value);
            QVERIFY2(row.outcome != O::Open || t.sub->ValueText()->text() == held, row.name);
        }
    }

    void DraggingWithTheMouseWritesOnceLetGo()
    {
        CTuning t(kRef, {{0x8052, 0x7FFF}}); // the thumb in the middle of the bar
        QVERIFY(t.sub != nullptr);
        t.sub->resize(600, t.sub->sizeHint().height());
        CTuneScrollBar* bar = t.sub->ValueBar();
        const QPoint middle = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, middle);
        for (int dx = 4; dx <= 40; dx += 4)
            QTest::mouseMove(bar, middle + QPoint(dx, 0));
        QVERIFY(bar->value() > 0x7FFF && t.x.Radio().ReceivedFrames().empty()); // nothing sent while held
        QTest::mouseRelease(bar, Qt::LeftButton, {}, middle + QPoint(40, 0));
        QCOMPARE(
            Sent(t.x.Radio()),
            QString::asprintf("02 56 61 52 80 %02X %02X 03", bar->value() & 0xFF, bar->value() >> 8).toStdString());
    }
};

QRV_REGISTER_UI_TEST(TuningTest);

} // namespace qrv

#include "test_tuning.moc"
