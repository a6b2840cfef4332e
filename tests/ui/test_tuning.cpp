// Adjustment against the simulated radio: the tuning list each user level
// gets, the group and point a tuning item opens on, one write per scroll
// gesture, OK and Cancel with what the radio and the tune data keep, and the
// command's promise that the radio ends in mode 1 with the port closed.
#include "editor_fixture.h"
#include "factory/adjustment_command.h"
#include "factory/dlg_tune_sub_item.h"
#include "factory/dlg_tuning.h"
#include "factory/factory_context.h"
#include "factory/radio_mode_session.h"
#include "factory/tune_scroll_bar.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/test_frequency_data.h"
#include "ui_test_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qrv {

namespace {

using Frame = std::vector<std::uint8_t>;
using sim::CSimRadio;

constexpr std::uint16_t kReference = 0x8050;   // Reference Frequency: one Width point, 2
constexpr std::uint16_t kSensitivity = 0x8160; // RX Sensitivity: five Width points
constexpr std::uint16_t kVolume = 0x850B;

Frame ModeFrame(std::uint16_t mode)
{
    return {0x02, 'M', 'a', static_cast<std::uint8_t>(mode), 0x00, 0x03};
}

Frame Keep()
{
    return {0x02, 'V', 'j', 0x00, 0x00, 0x03};
}

Frame Drop()
{
    return {0x02, 'V', 'k', 0x00, 0x00, 0x03};
}

// "Va": a tuning value written, item and value low byte first.
Frame TuneWrite(std::uint16_t item, std::uint16_t value)
{
    const auto low = [](std::uint16_t word) { return static_cast<std::uint8_t>(word & 0xFF); };
    const auto high = [](std::uint16_t word) { return static_cast<std::uint8_t>(word >> 8); };
    return {0x02, 'V', 'a', low(item), high(item), low(value), high(value), 0x03};
}

bool IsTune(const Frame& frame, char op)
{
    return frame.size() >= 5 && frame[1] == 'V' && frame[2] == op;
}

std::uint16_t ItemOf(const Frame& frame)
{
    return static_cast<std::uint16_t>(frame[3] | (frame[4] << 8));
}

std::vector<Frame> TuneFrames(const CSimRadio& radio, char op)
{
    std::vector<Frame> out;
    for (const Frame& frame : radio.ReceivedFrames())
        if (IsTune(frame, op))
            out.push_back(frame);
    return out;
}

// Open and close calls of the port, kept beyond the link that owns it.
struct CPortLog {
    int opened = 0;
    int closed = 0;
    bool IsOpen() const { return opened > closed; }
};

class CLoggedPort : public CBytePort {
public:
    CLoggedPort(CSimRadio& radio, std::shared_ptr<CPortLog> log) : m_port(radio), m_log(std::move(log)) {}
    bool Open(const std::string& name) override
    {
        const bool ok = m_port.Open(name);
        m_log->opened += ok ? 1 : 0;
        return ok;
    }
    bool Close() override
    {
        m_log->closed += m_port.IsOpen() ? 1 : 0;
        return m_port.Close();
    }
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Configure(const CLineSettings& settings) override { return m_port.Configure(settings); }
    std::size_t Write(std::span<const std::uint8_t> bytes) override { return m_port.Write(bytes); }
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override
    {
        return m_port.WaitForBytes(wanted, timeout);
    }
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override { return m_port.ReadQueued(buffer); }
    void DiscardInput() override { m_port.DiscardInput(); }

private:
    sim::CSimBytePort m_port;
    std::shared_ptr<CPortLog> m_log;
};

CPortChoice SimPort()
{
    return {"sim", {}};
}

struct CTuningFixture {
    test::CEditorFixture f;
    CSimRadio& radio;
    std::shared_ptr<CPortLog> port = std::make_shared<CPortLog>();
    int modelChanges = 0;
    CFactoryContext context;

    explicit CTuningFixture(int level = CSettings::kFactoryLevel) : f(level), radio(f.Radio()), context(Context()) {}

    CFactoryContext Context()
    {
        const auto makeLink = [this] { return MakeLink(); };
        const auto modelChanged = [this] { ++modelChanges; };
        return {f.Settings(), *f.data, f.Ranges(), makeLink, &SimPort, modelChanged};
    }

    std::unique_ptr<CRadioLink> MakeLink()
    {
        auto link = std::make_unique<CRadioLink>(std::make_unique<CLoggedPort>(radio, port));
        CLinkTiming fast;
        fast.exchangePause = fast.writePause = fast.handshakePause = fast.openPause = std::chrono::milliseconds(0);
        fast.readTimeoutMs = 20;
        link->SetTiming(fast);
        return link;
    }

    // The language file's tuning table replaced, as a model with other items would ship it.
    void SetTuningTable(const std::string& table)
    {
        const auto path = f.Settings().LanguageFilePath();
        std::string text = test::ReadText(path);
        const std::size_t at = text.find("S0207056=");
        const std::size_t end = text.find('\n', at);
        text.replace(at, end - at, "S0207056=" + table);
        test::WriteText(path, text);
    }

    QListWidgetItem* Row(const CDlgTuning& dialog, std::uint16_t base)
    {
        for (int row = 0; row < dialog.List()->count(); ++row)
            if (dialog.List()->item(row)->data(Qt::UserRole).toLongLong() == base)
                return dialog.List()->item(row);
        return nullptr;
    }
};

// The thumb's rectangle as the style draws it.
QRect Thumb(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Takes the thumb and drags it to the right in many small moves, then lets go.
void Drag(QScrollBar& bar, int pixels, int moves)
{
    const QPoint start = Thumb(bar).center();
    SendMouse(bar, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= moves; ++i)
        SendMouse(bar, QEvent::MouseMove, start + QPoint(pixels * i / moves, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, start + QPoint(pixels, 0), Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TuningTest : public QObject {
    Q_OBJECT

private slots:
    void ListFollowsTheUserLevel()
    {
        const std::set<std::uint16_t> every{0x8050, 0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8160, 0x8210,
                                            0x8300, 0x8340, 0x8380, 0x8390, 0x83D0, 0x8410, 0x8440, 0x84A0};
        const auto without = [&every](std::set<std::uint16_t> removed) {
            std::set<std::uint16_t> kept;
            std::set_difference(every.begin(), every.end(), removed.begin(), removed.end(),
                                std::inserter(kept, kept.end()));
            return kept;
        };
        struct Case {
            const char* name;
            int level;
            std::set<std::uint16_t> expected;
        };
        const std::vector<Case> cases{
            {"dealer", 0,
             without({0x80D0, 0x80E0, 0x80F0, 0x8100, 0x8110, 0x8300, 0x8380, 0x8390, 0x8410, 0x84A0, 0x8050})},
            {"service", CSettings::kServiceLevel, without({0x8300, 0x8390, 0x84A0, 0x8050})},
            {"factory", CSettings::kFactoryLevel, every},
        };
        for (const Case& c : cases) {
            CTuningFixture t(c.level);
            const auto link = t.MakeLink();
            CDlgTuning dialog(t.f.Settings(), *t.f.data, *link);
            std::set<std::uint16_t> shown;
            for (int row = 0; row < dialog.List()->count(); ++row)
                shown.insert(static_cast<std::uint16_t>(dialog.List()->item(row)->data(Qt::UserRole).toUInt()));
            QVERIFY2(shown == c.expected, c.name);
            QCOMPARE(dialog.List()->count(), static_cast<int>(c.expected.size()));
        }
        // Without a table nothing can be judged: the whole list stays, and no entry can be tuned.
        CTuningFixture t(0);
        t.SetTuningTable("");
        const auto link = t.MakeLink();
        CDlgTuning dialog(t.f.Settings(), *t.f.data, *link);
        QCOMPARE(dialog.List()->count(), static_cast<int>(every.size()));
        QVERIFY(dialog.MakeSubItem(t.Row(dialog, kSensitivity)) == nullptr);
        QCOMPARE(t.f.messages, std::vector<int>{msg::kNotTunable});
        QVERIFY(t.radio.ReceivedFrames().empty());
    }

    void OpensOnTheFirstGroupThatExists()
    {
        struct Case {
            const char* name;
            int flags;
            TuneGroup group;
            std::array<bool, 3> enabled; // Width, Middle, Narrow
            std::uint16_t firstItem;
            int tabs;
            std::size_t point; // the tuning point of the first item
        };
        const std::vector<Case> cases{
            {"width point", 0x0004, TuneGroup::Width, {true, false, false}, 0x8052, 1, 2},
            {"middle only", 0x0060, TuneGroup::Middle, {false, true, false}, 0x8055, 2, 0},
            {"narrow only", 0x1C00, TuneGroup::Narrow, {false, false, true}, 0x805A, 3, 0},
            {"middle and narrow", 0x8C40, TuneGroup::Middle, {false, true, true}, 0x8056, 1, 1},
            {"narrow high point", 0x4000, TuneGroup::Narrow, {false, false, true}, 0x805E, 1, 4},
        };
        for (const Case& c : cases) {
            CTuningFixture t;
            t.SetTuningTable("32848," + std::to_string(c.flags) + ";33120,31");
            t.radio.TuneValues()[c.firstItem] = 77;
            CRadioModeSession session(t.context);
            QVERIFY2(session.Enter(CRadioLink::kModeAdjust), c.name);
            CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
            t.radio.ClearLog();
            const auto sub = dialog.MakeSubItem(t.Row(dialog, kReference));
            QVERIFY2(sub != nullptr, c.name);

            // Asked for the first point of that group, after the adjustment mode.
            const std::vector<Frame> sent = t.radio.ReceivedFrames();
            QVERIFY2(sent.size() == 2 && sent[0] == ModeFrame(6), c.name);
            QVERIFY2(IsTune(sent[1], 'b') && ItemOf(sent[1]) == c.firstItem, c.name);
            QVERIFY2(sub->Group() == c.group && sub->Item() == c.firstItem, c.name);
            for (const TuneGroup g : {TuneGroup::Width, TuneGroup::Middle, TuneGroup::Narrow}) {
                QVERIFY2(sub->GroupButton(g)->isEnabled() == c.enabled[static_cast<std::size_t>(g)], c.name);
                QVERIFY2(sub->GroupButton(g)->isChecked() == (g == c.group), c.name);
            }
            QVERIFY2(sub->Tabs()->count() == c.tabs, c.name);
            QVERIFY2(sub->ValueBar()->value() == 77 && sub->ValueText()->text() == QLatin1String("77"), c.name);
            const CTestFrequencyData& points = t.f.data->TestFrequencies();
            QVERIFY2(!sub->RxText()->text().isEmpty(), c.name);
            QVERIFY2(sub->RxText()->text() == QString::fromStdString(points.PointRxText(c.point)), c.name);
            QVERIFY2(sub->TxText()->text() == QString::fromStdString(points.PointTxText(c.point)), c.name);
            // A receiver item the radio cannot measure: receive test caption, no SAMPLE.
            QVERIFY2(sub->TxButton()->text() ==
                         QString::fromStdString(t.f.Settings().GetText(CDlgTuneSubItem::kReceiveTestStopped)),
                     c.name);
            QVERIFY2(!sub->SampleButton()->isVisibleTo(sub.get()), c.name);
        }
    }

    void GroupButtonsAndTabsReadTheirPoint()
    {
        CTuningFixture t;
        t.SetTuningTable("32848,3168"); // 0x0C60: Middle points 0 and 1, Narrow points 0 and 1
        t.radio.TuneValues()[0x8056] = 12;
        t.radio.TuneValues()[0x805B] = 200;
        CRadioModeSession session(t.context);
        QVERIFY(session.Enter(CRadioLink::kModeAdjust));
        CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
        const auto sub = dialog.MakeSubItem(t.Row(dialog, kReference));
        QVERIFY(sub != nullptr);
        QCOMPARE(sub->Item(), std::uint16_t{0x8055});
        const CTestFrequencyData& points = t.f.data->TestFrequencies();
        QVERIFY(points.PointRxText(0) != points.PointRxText(1));

        sub->Tabs()->setCurrentIndex(1);
        QCOMPARE(sub->Item(), std::uint16_t{0x8056});
        QCOMPARE(sub->ValueBar()->value(), 12);
        QCOMPARE(sub->RxText()->text(), QString::fromStdString(points.PointRxText(1)));

        t.radio.ClearLog();
        sub->GroupButton(TuneGroup::Narrow)->click();
        QCOMPARE(sub->Group(), TuneGroup::Narrow);
        QCOMPARE(sub->Tabs()->count(), 2);
        QCOMPARE(sub->Tabs()->currentIndex(), 0);
        QCOMPARE(sub->Item(), std::uint16_t{0x805A});
        QCOMPARE(TuneFrames(t.radio, 'b').size(), std::size_t{1});
        sub->Tabs()->setCurrentIndex(1);
        QCOMPARE(sub->ValueBar()->value(), 200);
        QCOMPARE(sub->RxText()->text(), QString::fromStdString(points.PointRxText(1)));
        QVERIFY(TuneFrames(t.radio, 'a').empty()); // looking writes nothing
    }

    void ScrollingWritesOncePerGesture()
    {
        CTuningFixture t;
        t.radio.TuneValues()[0x8052] = 100;
        CRadioModeSession session(t.context);
        QVERIFY(session.Enter(CRadioLink::kModeAdjust));
        CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
        const auto sub = dialog.MakeSubItem(t.Row(dialog, kReference));
        QVERIFY(sub != nullptr);
        sub->resize(600, sub->sizeHint().height());
        sub->show();
        QVERIFY(QTest::qWaitForWindowExposed(sub.get()));
        QCOMPARE(sub->ValueBar()->value(), 100);
        t.radio.ClearLog();

        QSignalSpy steps(sub->ValueBar(), &QScrollBar::valueChanged);
        Drag(*sub->ValueBar(), 80, 20);
        const int dragged = sub->ValueBar()->value();
        QVERIFY(steps.count() > 5); // the drag went through many values...
        QVERIFY(dragged > 100);
        std::vector<Frame> writes = TuneFrames(t.radio, 'a');
        QCOMPARE(writes.size(), std::size_t{1}); // ...and the radio got only the last
        QCOMPARE(writes[0], TuneWrite(0x8052, static_cast<std::uint16_t>(dragged)));
        QCOMPARE(t.radio.CurrentTuneValue(0x8052), std::uint16_t(dragged));
        QCOMPARE(sub->ValueText()->text(), QString::number(dragged));
        QCOMPARE(sub->WorkingCopy().Value(0), std::uint16_t(dragged));

        // The volume goes to its own item, also once per drag, in steps of eight.
        t.radio.ClearLog();
        Drag(*sub->VolumeBar(), -60, 12);
        writes = TuneFrames(t.radio, 'a');
        QCOMPARE(writes.size(), std::size_t{1});
        QCOMPARE(ItemOf(writes[0]), kVolume);
        const int volume = sub->VolumeBar()->value();
        QVERIFY(volume < CDlgTuneSubItem::kVolumeStart);
        QCOMPARE(static_cast<int>(writes[0][5] | (writes[0][6] << 8)), volume);
        QTest::keyClick(sub->VolumeBar(), Qt::Key_Right);
        QCOMPARE(sub->VolumeBar()->value(), volume + 8);
        QVERIFY(sub->VolumeText()->text().endsWith(QString::number(volume + 8)));
        QCOMPARE(sub->Result(), CDlgTuneSubItem::Outcome::Open);
    }

    void KeysStepTheSixteenBitValueTheRadioHolds()
    {
        // Each key press is a scroll of its own: one step from the radio's value, a page is ten.
        struct Case {
            const char* name;
            std::uint16_t held;
            Qt::Key key;
            std::uint16_t sent;
        };
        const std::vector<Case> cases{
            {"above one byte", 0x1234, Qt::Key_Right, 0x1235},
            {"into the high byte", 0x00FF, Qt::Key_Right, 0x0100},
            {"down from the top", 0xFFFF, Qt::Key_Left, 0xFFFE},
            {"a page", 0x1234, Qt::Key_PageUp, 0x123E},
        };
        for (const Case& c : cases) {
            CTuningFixture t;
            t.radio.TuneValues()[0x8052] = c.held;
            CRadioModeSession session(t.context);
            QVERIFY2(session.Enter(CRadioLink::kModeAdjust), c.name);
            CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
            const auto sub = dialog.MakeSubItem(t.Row(dialog, kReference));
            QVERIFY2(sub != nullptr, c.name);
            QVERIFY2(sub->ValueText()->text() == QString::number(c.held), c.name);
            t.radio.ClearLog();
            QTest::keyClick(sub->ValueBar(), c.key);
            QVERIFY2(TuneFrames(t.radio, 'a') == std::vector<Frame>{TuneWrite(0x8052, c.sent)}, c.name);
            QVERIFY2(t.radio.CurrentTuneValue(0x8052) == c.sent, c.name);
            QVERIFY2(sub->ValueText()->text() == QString::number(c.sent), c.name);
            QVERIFY2(sub->WorkingCopy().Value(0) == c.sent, c.name);
        }
    }

    void CancelDropsAndOkKeeps()
    {
        // Cancel: the radio drops the working values, the tune data stays.
        {
            CTuningFixture t;
            t.radio.TuneValues()[0x8052] = 100;
            CRadioModeSession session(t.context);
            QVERIFY(session.Enter(CRadioLink::kModeAdjust));
            CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
            const Image before = t.f.Stored();
            const auto sub = dialog.MakeSubItem(t.Row(dialog, kReference));
            QVERIFY(sub != nullptr);
            QTest::keyClick(sub->ValueBar(), Qt::Key_PageUp);
            QCOMPARE(t.radio.CurrentTuneValue(0x8052), std::uint16_t{110});
            QCOMPARE(sub->WorkingCopy().Value(0), std::uint16_t{110});
            sub->CancelButton()->click();
            QCOMPARE(t.radio.ReceivedFrames().back(), Drop());
            QCOMPARE(sub->Result(), CDlgTuneSubItem::Outcome::Dropped);
            QCOMPARE(t.radio.CurrentTuneValue(0x8052), std::uint16_t{100});
            QVERIFY(t.f.Stored() == before);
        }
        // OK: the radio keeps them and the tune data holds the value at the point's index.
        {
            CTuningFixture t;
            CRadioModeSession session(t.context);
            QVERIFY(session.Enter(CRadioLink::kModeAdjust));
            CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
            const Image before = t.f.Stored();
            const auto sub = dialog.MakeSubItem(t.Row(dialog, kSensitivity));
            QVERIFY(sub != nullptr);
            QCOMPARE(sub->Tabs()->count(), 5);
            sub->Tabs()->setCurrentIndex(1); // 0x8161
            QCOMPARE(sub->ValueBar()->value(), int{CSimRadio::kUntunedValue});
            QTest::keyClick(sub->ValueBar(), Qt::Key_PageDown);
            QTest::keyClick(sub->ValueBar(), Qt::Key_Left);
            const auto tuned = static_cast<std::uint16_t>(CSimRadio::kUntunedValue - 11);
            sub->OkButton()->click();

            QCOMPARE(t.radio.ReceivedFrames().back(), Keep());
            QCOMPARE(sub->Result(), CDlgTuneSubItem::Outcome::Kept);
            QCOMPARE(t.radio.TuneValues().at(0x8161), tuned);
            // The shipped table's entries before RX Sensitivity have 1+2+2+2+2+1 points:
            // its second point is the twelfth value of the block.
            constexpr std::size_t kIndex = 11;
            QCOMPARE(t.f.data->Adjustment().Value(kIndex), tuned);
            Image expected = before;
            expected[0x340 + 2 * kIndex] = static_cast<std::uint8_t>(tuned & 0xFF);
            expected[0x340 + 2 * kIndex + 1] = static_cast<std::uint8_t>(tuned >> 8);
            QVERIFY(t.f.Stored() == expected);
        }
    }

    void TestSwitchFollowsTheRadio()
    {
        CTuningFixture t;
        CRadioModeSession session(t.context);
        QVERIFY(session.Enter(CRadioLink::kModeAdjust));
        CDlgTuning dialog(t.f.Settings(), *t.f.data, *session.Link());
        const auto sub = dialog.MakeSubItem(t.Row(dialog, 0x8340)); // a transmitter item
        QVERIFY(sub != nullptr);
        const QString off = sub->TxButton()->text();
        QCOMPARE(off, QString::fromStdString(t.f.Settings().GetText(CDlgTuneSubItem::kTransmitTestStopped)));
        QVERIFY(sub->SampleButton()->isVisibleTo(sub.get()));
        sub->TxButton()->click();
        QVERIFY(t.radio.TestOption('b'));
        QVERIFY(sub->TxButton()->isChecked());
        QCOMPARE(sub->TxButton()->text(),
                 QString::fromStdString(t.f.Settings().GetText(CDlgTuneSubItem::kTransmitTestRunning)));
        sub->TxButton()->click();
        QVERIFY(!t.radio.TestOption('b'));
        QCOMPARE(sub->TxButton()->text(), off);

        // A radio that does not take the switch: the button springs back.
        t.radio.Faults().silent = true;
        sub->TxButton()->click();
        QVERIFY(!sub->TxButton()->isChecked());
        QCOMPARE(sub->TxButton()->text(), off);
        QCOMPARE(sub->Result(), CDlgTuneSubItem::Outcome::Open);
        // A write nobody takes ends the dialog with its message.
        QTest::keyClick(sub->ValueBar(), Qt::Key_Right);
        QCOMPARE(sub->Result(), CDlgTuneSubItem::Outcome::WriteFailed);
        QCOMPARE(t.f.messages, std::vector<int>{msg::kTuneWriteFailed});
    }

    void AdjustmentEndsInModeOneWithThePortClosed()
    {
        struct Case {
            const char* name;
            std::function<void(CSimRadio&)> setup;
            std::vector<int> messages;
            bool tuned;        // the Tuning dialog came up
            const char* range; // FreqRange afterwards
            int modelChanges;
            bool vanish = false; // the radio stops answering while an item is tuned
        };
        const auto range = [](int lower, int upper) {
            return
                [lower, upper](CSimRadio& r) { r.Identity().range = sim::CSimIdentity::RangeBlock(0, lower, upper); };
        };
        const auto nothing = [](CSimRadio&) {};
        const std::vector<Case> cases{
            {"same radio", nothing, {}, true, "400-470", 0},
            {"radio of another range", range(136, 174), {}, true, "136-174", 1},
            {"range the model does not know", range(420, 450), {0}, true, "420-450", 1},
            {"silent radio",
             [](CSimRadio& r) { r.Faults().silent = true; },
             {msg::kNoRadioAnswer},
             false,
             "400-470",
             0},
            {"mode refused",
             [](CSimRadio& r) { r.Faults().refuseMode = true; },
             {msg::kNoRadioAnswer},
             false,
             "400-470",
             0},
            {"another model",
             [](CSimRadio& r) { r.Identity().modelId = "QL999"; },
             {msg::kModelMismatch},
             false,
             "400-470",
             0},
            {"radio gone while tuning", nothing, {msg::kTuneWriteFailed}, true, "400-470", 0, true},
        };
        for (const Case& c : cases) {
            CTuningFixture t;
            c.setup(t.radio);
            int shown = 0;
            bool openWhileTuning = false;
            QTimer driver;
            driver.setInterval(10);
            connect(&driver, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<CDlgTuning*>(QApplication::activeModalWidget());
                if (dialog == nullptr)
                    return;
                ++shown;
                openWhileTuning = t.port->IsOpen();
                // Tune a little with the test switch on, leave the item with Cancel, close the list.
                if (const auto sub = dialog->MakeSubItem(dialog->List()->item(0))) {
                    t.radio.Faults().silent = c.vanish;
                    QTest::keyClick(sub->TxButton(), Qt::Key_Space);
                    QTest::keyClick(sub->ValueBar(), Qt::Key_Right);
                    sub->CancelButton()->click();
                }
                dialog->OkButton()->click();
            });
            driver.start();
            CAdjustmentCommand(t.context).Run();
            driver.stop();

            QVERIFY2((shown == 1) == c.tuned, c.name);
            QVERIFY2(openWhileTuning == c.tuned, c.name);
            QVERIFY2(t.f.messages == c.messages, c.name);
            QVERIFY2(t.f.data->Identity().freqRange == c.range, c.name);
            QVERIFY2(t.modelChanges == c.modelChanges, c.name);
            QVERIFY2(!t.port->IsOpen(), c.name);
            // A radio asked for another mode, answered or not, is sent mode 1 last.
            const std::vector<Frame> sent = t.radio.ReceivedFrames();
            const bool otherMode = std::find(sent.begin(), sent.end(), ModeFrame(6)) != sent.end();
            if (otherMode)
                QVERIFY2(sent.back() == ModeFrame(1), c.name);
            else
                QVERIFY2(std::find(sent.begin(), sent.end(), ModeFrame(1)) == sent.end(), c.name);
            if (!c.vanish) {
                QVERIFY2(t.radio.Mode() == CSimRadio::kNormalMode, c.name);
                QVERIFY2(!t.radio.TestOption('a'), c.name);
            }
        }
    }
};

QRV_REGISTER_UI_TEST(TuningTest);

} // namespace qrv

#include "test_tuning.moc"
