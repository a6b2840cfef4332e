// Base Band and Write Tune Data against the simulated radio: the fields in
// their bits both ways, the controls the shown set and the allow box enable,
// and the radio let go in mode 1 after every command, whatever failed.
#include "factory/dlg_base_band.h"
#include "factory/factory_commands.h"
#include "factory_radio_fixture.h"
#include "radio_data/messages.h"
#include "radio_link/factory_link.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <map>
#include <vector>

namespace qrv {

namespace {

using Bytes = std::vector<std::uint8_t>;
using Values = std::map<int, unsigned>; // control number -> field value
using A = CAdjustmentData;
constexpr int kCompandor = CDlgBaseBand::kCompandorCheck;
constexpr std::uint32_t kFirst = 0x3E9;
constexpr std::size_t kSize = 23;

// A set of field values and the 23 base-band bytes (0x3E9-0x3FF) they make
// over a block that was all `fill` before; allow = "Allow Base Band Tune".
struct CBaseBandRow {
    const char* name;
    std::uint8_t fill;
    bool allow;
    Values transmit;
    Values receive;
    Bytes bytes;
};

const std::vector<CBaseBandRow>& Rows()
{
    static const std::vector<CBaseBandRow> rows{
        {"over zeros",
         0x00,
         true,
         {{A::kWidthAafGainCombo, 5},
          {A::kLpfCombo, 1},
          {kCompandor, 1},
          {A::kCompandorTimeCombo, 9},
          {A::kCompandorControlCombo, 6},
          {A::kWidthPreEmphasisCheck, 1},
          {A::kWidthDeEmphasisCheck, 0},
          {A::kNarrowPreEmphasisCheck, 1},
          {A::kNarrowDeEmphasisCheck, 0},
          {A::kTxGainCombo, 3},
          {A::kWidthFngRxCombo, 0xA5},
          {A::kNarrowFngRxCombo, 0x3C},
          {A::kWidthDacFsCombo, 2},
          {A::kNarrowDacFsCombo, 1}},
         {{A::kWidthAafGainCombo, 2},
          {A::kNarrowAafGainCombo, 7},
          {A::kWidthVolumeCombo, 4},
          {A::kNarrowVolumeCombo, 5},
          {A::kWidthFngRxCombo, 0x81},
          {A::kNarrowFngRxCombo, 0x7E},
          {A::kWidthDacFsCombo, 3},
          {A::kCompandorControlCombo, 5}},
         {0x01, 0x0D, 0xD3, 0x05, 0x03, 0xA5, 0x3C, 0x06, 0x00, 0x00, 0x00, 0x00,
          0x72, 0x2C, 0x81, 0x7E, 0xA3, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"over ones",
         0xFF,
         true,
         {{A::kWidthAafGainCombo, 0},
          {A::kLpfCombo, 0},
          {kCompandor, 0},
          {A::kCompandorTimeCombo, 0},
          {A::kCompandorControlCombo, 0},
          {A::kWidthPreEmphasisCheck, 0},
          {A::kWidthDeEmphasisCheck, 1},
          {A::kNarrowPreEmphasisCheck, 0},
          {A::kNarrowDeEmphasisCheck, 1},
          {A::kTxGainCombo, 0},
          {A::kWidthFngRxCombo, 0x00},
          {A::kNarrowFngRxCombo, 0xFF},
          {A::kWidthDacFsCombo, 0},
          {A::kNarrowDacFsCombo, 3}},
         {{A::kWidthAafGainCombo, 7},
          {A::kNarrowAafGainCombo, 0},
          {A::kWidthVolumeCombo, 0},
          {A::kNarrowVolumeCombo, 7},
          {A::kWidthFngRxCombo, 0x10},
          {A::kNarrowFngRxCombo, 0x00},
          {A::kWidthDacFsCombo, 1},
          {A::kCompandorControlCombo, 0}},
         {0xFF, 0xF0, 0x00, 0xFA, 0xF8, 0x00, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF,
          0x8F, 0xF8, 0x10, 0x00, 0x1D, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    return rows;
}

template <class W> W* Find(QWidget& window, int number)
{
    for (W* widget : window.findChildren<W*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

void Click(QWidget& window, int number)
{
    auto* button = Find<QAbstractButton>(window, number);
    QVERIFY2(button != nullptr, qPrintable(QString::number(number)));
    button->click();
}

} // namespace

class BaseBandTest : public QObject {
    Q_OBJECT

private:
    // The radio in mode 3 on an open link, as the Base Band command leaves it for the dialog.
    struct CSession {
        test::CFactoryFixture& x;
        std::unique_ptr<CRadioLink> link;
        explicit CSession(test::CFactoryFixture& fixture) : x(fixture), link(fixture.MakeLink())
        {
            const auto entered =
                EnterRadioMode(*link, x.Settings(), x.f.data->Identity(), {"sim", {}}, CRadioLink::kModeWrite);
            QVERIFY(entered.ok);
        }
        ~CSession() { LeaveRadioMode(*link); }
    };

    static void FillRadio(test::CFactoryFixture& x, const Bytes& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), x.Radio().Memory().begin() + kFirst);
    }

    // As a user: only an enabled control can be set.
    static void SetValues(CDlgBaseBand& dialog, const Values& values)
    {
        for (const auto& [number, value] : values) {
            if (auto* check = Find<QCheckBox>(dialog, number)) {
                QVERIFY2(check->isEnabled(), qPrintable(QString::number(number)));
                if (check->isChecked() != (value != 0))
                    check->click();
                continue;
            }
            auto* combo = Find<QComboBox>(dialog, number);
            QVERIFY2(combo != nullptr && combo->isEnabled(), qPrintable(QString::number(number)));
            const int index = combo->findData(QVariant::fromValue(static_cast<long long>(value)));
            QVERIFY2(index >= 0, qPrintable(QString::number(number)));
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        }
    }

    static void CheckShown(CDlgBaseBand& dialog, const Values& values)
    {
        for (const auto& [number, value] : values) {
            if (auto* check = Find<QCheckBox>(dialog, number)) {
                QCOMPARE(check->isChecked(), value != 0);
                continue;
            }
            auto* combo = Find<QComboBox>(dialog, number);
            QVERIFY(combo != nullptr);
            QCOMPARE(combo->currentData().toLongLong(), static_cast<long long>(value));
        }
    }

    // The radio is back in mode 1 (the rows name the modes sent) and no port stayed open.
    static void CheckLetGo(test::CFactoryFixture& x)
    {
        QCOMPARE(x.Radio().Mode(), 1);
        QCOMPARE(*x.openPorts, 0);
    }

private slots:
    void WriteSendsEachFieldInItsBits()
    {
        for (const CBaseBandRow& row : Rows()) {
            test::CFactoryFixture x;
            FillRadio(x, Bytes(kSize, row.fill));
            CSession session(x);
            CDlgBaseBand dialog(x.context, *session.link);
            QCOMPARE(x.f.messages, std::vector<int>{msg::kTuneRead});
            auto* allow = Find<QCheckBox>(dialog, CDlgBaseBand::kAllowCheck);
            if (allow->isChecked() != row.allow)
                allow->click();
            SetValues(dialog, row.transmit);
            Click(dialog, CDlgBaseBand::kReceiveButton);
            SetValues(dialog, row.receive);
            x.Radio().ClearLog();
            Click(dialog, CDlgBaseBand::kWriteButton);

            QCOMPARE(x.f.messages, (std::vector<int>{msg::kTuneRead, msg::kTuneWritten}));
            using Write = std::pair<std::uint32_t, std::uint16_t>;
            QCOMPARE(x.Radio().Writes(), (std::vector<Write>{{0x3E9, 16}, {0x3F9, 7}}));
            const Bytes written = x.Memory(kFirst, kSize);
            for (std::size_t i = 0; i < kSize; ++i)
                QVERIFY2(written[i] == row.bytes[i], qPrintable(QStringLiteral("%1: byte 0x%2 is %3, expected %4")
                                                                    .arg(QLatin1String(row.name))
                                                                    .arg(kFirst + i, 0, 16)
                                                                    .arg(written[i], 2, 16, QLatin1Char('0'))
                                                                    .arg(row.bytes[i], 2, 16, QLatin1Char('0'))));
            const auto tune = x.f.data->Adjustment().BytesAt(kFirst, kSize);
            QVERIFY(std::equal(tune.begin(), tune.end(), row.bytes.begin()));
        }
    }

    void ReadShowsEachFieldFromItsBits()
    {
        for (const CBaseBandRow& row : Rows()) {
            test::CFactoryFixture x;
            FillRadio(x, row.bytes);
            CSession session(x);
            CDlgBaseBand dialog(x.context, *session.link);
            QCOMPARE(x.f.messages, std::vector<int>{msg::kTuneRead});
            QCOMPARE(Find<QCheckBox>(dialog, CDlgBaseBand::kAllowCheck)->isChecked(), row.allow);
            QVERIFY(!dialog.ShowsReceive());
            CheckShown(dialog, row.transmit);
            Click(dialog, CDlgBaseBand::kReceiveButton);
            CheckShown(dialog, row.receive);
            // Showing a set changes nothing of it.
            Click(dialog, CDlgBaseBand::kTransmitButton);
            const auto tune = x.f.data->Adjustment().BytesAt(kFirst, kSize);
            QVERIFY(std::equal(tune.begin(), tune.end(), row.bytes.begin()));
        }
    }

    void ControlsFollowTheAllowBoxAndTheShownSet()
    {
        test::CFactoryFixture x;
        FillRadio(x, Bytes(kSize, 0x00));
        CSession session(x);
        CDlgBaseBand dialog(x.context, *session.link);
        const auto enabled = [&dialog](int number) {
            if (auto* check = Find<QCheckBox>(dialog, number))
                return check->isEnabled();
            return Find<QComboBox>(dialog, number)->isEnabled();
        };
        const std::vector<int> receiveOnly{A::kNarrowAafGainCombo, A::kWidthVolumeCombo, A::kNarrowVolumeCombo};
        const std::vector<int> transmitOnly{A::kLpfCombo,
                                            A::kTxGainCombo,
                                            kCompandor,
                                            A::kCompandorTimeCombo,
                                            A::kWidthPreEmphasisCheck,
                                            A::kWidthDeEmphasisCheck,
                                            A::kNarrowPreEmphasisCheck,
                                            A::kNarrowDeEmphasisCheck,
                                            A::kNarrowDacFsCombo};
        const std::vector<int> both{A::kWidthAafGainCombo, A::kCompandorControlCombo, A::kWidthFngRxCombo,
                                    A::kNarrowFngRxCombo, A::kWidthDacFsCombo};
        std::vector<int> all = both;
        all.insert(all.end(), receiveOnly.begin(), receiveOnly.end());
        all.insert(all.end(), transmitOnly.begin(), transmitOnly.end());
        for (const int number : all)
            QVERIFY2(!enabled(number), qPrintable(QString::number(number))); // the radio's allow bit is clear

        Find<QCheckBox>(dialog, CDlgBaseBand::kAllowCheck)->click();
        const auto check = [&](const std::vector<int>& numbers, bool expected) {
            for (const int number : numbers)
                QVERIFY2(enabled(number) == expected, qPrintable(QString::number(number)));
        };
        check(both, true);
        check(transmitOnly, true);
        check(receiveOnly, false);
        Click(dialog, CDlgBaseBand::kReceiveButton);
        check(both, true);
        check(receiveOnly, true);
        check(transmitOnly, false);
        Find<QCheckBox>(dialog, CDlgBaseBand::kAllowCheck)->click();
        check(all, false);
    }

    void RadioFailuresInTheDialogAreReported()
    {
        struct Row {
            const char* name;
            std::function<void(sim::CSimFaults&)> fault;
            std::function<void(CDlgBaseBand&)> act;
            std::vector<int> messages;
        };
        const std::vector<Row> rows{
            {"second block not read",
             [](sim::CSimFaults& f) { f.silentReadAt = 0x3F9; },
             [](CDlgBaseBand&) {},
             {msg::kTuneReadFailed}},
            {"first block refused",
             [](sim::CSimFaults& f) { f.refuseWriteAt = 0x3E9; },
             [](CDlgBaseBand& d) { Click(d, CDlgBaseBand::kWriteButton); },
             {msg::kTuneRead, msg::kRadioWriteFailed}},
            {"second block refused",
             [](sim::CSimFaults& f) { f.refuseWriteAt = 0x3F9; },
             [](CDlgBaseBand& d) { Click(d, CDlgBaseBand::kWriteButton); },
             {msg::kTuneRead, msg::kRadioWriteFailed}},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            CSession session(x);
            row.fault(x.Radio().Faults());
            CDlgBaseBand dialog(x.context, *session.link);
            row.act(dialog);
            QVERIFY2(x.f.messages == row.messages, row.name);
        }
    }

    // The whole command, with the radio's answers and the dialog's use varied.
    void BaseBandCommandAlwaysLetsTheRadioGo()
    {
        struct Row {
            const char* name;
            std::function<void(test::CFactoryFixture&)> setUp;
            std::function<void(CDlgBaseBand&)> drive; // nullptr: no dialog may open
            std::vector<int> messages;
            std::vector<int> modes;
        };
        const auto write = [](CDlgBaseBand& d) { Click(d, CDlgBaseBand::kWriteButton); };
        const auto nothing = [](CDlgBaseBand&) {};
        const std::vector<Row> rows{
            {"read and write", [](test::CFactoryFixture&) {}, write, {msg::kTuneRead, msg::kTuneWritten}, {3, 1}},
            {"radio of another range",
             [](test::CFactoryFixture& x) { x.Radio().Identity().range = sim::CSimIdentity::RangeBlock(2, 350, 390); },
             nullptr,
             {msg::kRangeOutsideRadio},
             {}},
            {"silent radio",
             [](test::CFactoryFixture& x) { x.Radio().Faults().silent = true; },
             nullptr,
             {msg::kNoRadioAnswer},
             {}},
            {"mode refused",
             [](test::CFactoryFixture& x) { x.Radio().Faults().refuseMode = true; },
             nullptr,
             {msg::kNoRadioAnswer},
             {3, 1}},
            {"block refused",
             [](test::CFactoryFixture& x) { x.Radio().Faults().refuseWriteAt = 0x3E9 + 16; },
             write,
             {msg::kTuneRead, msg::kRadioWriteFailed},
             {3, 1}},
            {"block not read", // the command ends at once
             [](test::CFactoryFixture& x) { x.Radio().Faults().silentReadAt = 0x3E9; },
             nullptr,
             {msg::kTuneReadFailed},
             {3, 1}},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            row.setUp(x);
            std::vector<QString> texts;
            SetMessageBoxHandler([&](int number, const QString& text) {
                x.f.messages.push_back(number);
                texts.push_back(text);
                return QMessageBox::Ok;
            });
            test::CModalDriver<CDlgBaseBand> driver(row.drive ? row.drive : nothing);
            CFactoryCommands(x.context).BaseBand();
            QVERIFY2(driver.Seen() == (row.drive != nullptr), row.name);
            QVERIFY2(x.f.messages == row.messages, row.name);
            QVERIFY2(x.ModesSent() == row.modes, row.name);
            CheckLetGo(x);
            if (row.messages == std::vector<int>{msg::kRangeOutsideRadio})
                QVERIFY(texts.front().contains(QStringLiteral("350-390")));
            QCOMPARE(x.f.data->Identity().freqRange, std::string("400-470"));
        }
    }

    void WriteTuneDataSendsTheBlockAndLetsTheRadioGo()
    {
        struct Row {
            const char* name;
            std::function<void(test::CFactoryFixture&)> setUp;
            int message;
            QString argument;
            std::size_t blocksWritten;
            std::vector<int> modes;
        };
        const std::vector<Row> rows{
            {"all blocks", [](test::CFactoryFixture&) {}, msg::kTuneWritten, {}, 12, {3, 1}},
            {"block refused",
             [](test::CFactoryFixture& x) { x.Radio().Faults().refuseWriteAt = 0x3A5; },
             msg::kRadioWriteFailed,
             QStringLiteral("928"),
             6,
             {3, 1}},
            {"radio of another range",
             [](test::CFactoryFixture& x) { x.Radio().Identity().range = sim::CSimIdentity::RangeBlock(2, 350, 390); },
             msg::kRangeOutsideRadio,
             QStringLiteral("350-390"),
             0,
             {}},
            {"silent radio",
             [](test::CFactoryFixture& x) { x.Radio().Faults().silent = true; },
             msg::kNoRadioAnswer,
             {},
             0,
             {}},
            {"mode refused",
             [](test::CFactoryFixture& x) { x.Radio().Faults().refuseMode = true; },
             msg::kNoRadioAnswer,
             {},
             0,
             {3, 1}},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            row.setUp(x);
            CAdjustmentData& tune = x.f.data->Adjustment();
            for (std::size_t i = 0; i < CAdjustmentData::kValueCount; ++i)
                tune.SetValue(i, static_cast<std::uint16_t>(0x0100 * i + 0x11));
            x.Radio().Memory().fill(0x00);
            std::vector<QString> texts;
            bool letGoBeforeMessage = false;
            SetMessageBoxHandler([&](int number, const QString& text) {
                x.f.messages.push_back(number);
                texts.push_back(text);
                letGoBeforeMessage = *x.openPorts == 0 && x.Radio().Mode() == 1;
                return QMessageBox::Ok;
            });
            CFactoryCommands(x.context).WriteTuneData();

            QVERIFY2(x.f.messages == std::vector<int>{row.message}, row.name);
            QVERIFY2(row.argument.isEmpty() || texts.front().contains(row.argument), row.name);
            QVERIFY2(letGoBeforeMessage, row.name);
            QVERIFY2(x.ModesSent() == row.modes, row.name);
            CheckLetGo(x);
            const auto writes = x.Radio().Writes();
            QCOMPARE(writes.size(), row.blocksWritten);
            for (std::size_t i = 0; i < writes.size(); ++i)
                QCOMPARE(writes[i], (std::pair<std::uint32_t, std::uint16_t>(0x340 + 16 * i, 16)));
            const auto& block = tune.Block();
            const Bytes sent = x.Memory(CAdjustmentData::kImageOffset, 16 * row.blocksWritten);
            QVERIFY2(std::equal(sent.begin(), sent.end(), block.begin()), row.name);
            if (row.blocksWritten > 0) // the document's image took the block first
                QVERIFY(std::equal(block.begin(), block.end(),
                                   x.f.data->GetImage().begin() + CAdjustmentData::kImageOffset));
        }
    }
};

QRV_REGISTER_UI_TEST(BaseBandTest);

} // namespace qrv

#include "test_base_band.moc"
