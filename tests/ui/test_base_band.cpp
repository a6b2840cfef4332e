// Base Band and Write Tune Data against the simulated radio: the fields in
// their bits both ways, the controls the shown set and the allow box enable,
// and the radio let go in mode 1 after every command, whatever failed.
#include "factory/dlg_base_band.h"
#include "factory/dlg_factory_model.h"
#include "factory/factory_commands.h"
#include "factory_radio_fixture.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/adjustment_data.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>

#include <map>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::Control;
using Values = std::map<int, unsigned>;                              // control number -> field value
using Writes = std::vector<std::pair<std::uint32_t, std::uint16_t>>; // address and size of each block
using A = CAdjustmentData;
constexpr int kCompandor = CDlgBaseBand::kCompandorCheck;
constexpr std::uint32_t kFirst = A::kBaseBandStart;
constexpr std::size_t kSize = A::kBaseBandSize;

// The values of the transmit and the receive set (every field of each) and
// the 23 base-band bytes they make over a block that was all `fill` before.
struct CBaseBandRow {
    const char* name;
    std::uint8_t fill;
    Values transmit;
    Values receive;
    Bytes bytes;
};

// clang-format off
const std::vector<CBaseBandRow> kRows{
    {"over zeros", 0x00,
     {{A::kWidthAafGainCombo, 5}, {A::kLpfCombo, 1}, {kCompandor, 1}, {A::kCompandorTimeCombo, 9},
      {A::kCompandorControlCombo, 6}, {A::kWidthPreEmphasisCheck, 1}, {A::kWidthDeEmphasisCheck, 0},
      {A::kNarrowPreEmphasisCheck, 1}, {A::kNarrowDeEmphasisCheck, 0}, {A::kTxGainCombo, 3},
      {A::kWidthFngRxCombo, 0xA5}, {A::kNarrowFngRxCombo, 0x3C}, {A::kWidthDacFsCombo, 2}, {A::kNarrowDacFsCombo, 1}},
     {{A::kWidthAafGainCombo, 2}, {A::kNarrowAafGainCombo, 7}, {A::kWidthVolumeCombo, 4}, {A::kNarrowVolumeCombo, 5},
      {A::kWidthFngRxCombo, 0x81}, {A::kNarrowFngRxCombo, 0x7E}, {A::kWidthDacFsCombo, 3},
      {A::kCompandorControlCombo, 5}},
     {0x01, 0x0D, 0xD3, 0x05, 0x03, 0xA5, 0x3C, 0x06, 0x00, 0x00, 0x00, 0x00,
      0x72, 0x2C, 0x81, 0x7E, 0xA3, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {"over ones", 0xFF,
     {{A::kWidthAafGainCombo, 0}, {A::kLpfCombo, 0}, {kCompandor, 0}, {A::kCompandorTimeCombo, 0},
      {A::kCompandorControlCombo, 0}, {A::kWidthPreEmphasisCheck, 0}, {A::kWidthDeEmphasisCheck, 1},
      {A::kNarrowPreEmphasisCheck, 0}, {A::kNarrowDeEmphasisCheck, 1}, {A::kTxGainCombo, 0},
      {A::kWidthFngRxCombo, 0x00}, {A::kNarrowFngRxCombo, 0xFF}, {A::kWidthDacFsCombo, 0}, {A::kNarrowDacFsCombo, 3}},
     {{A::kWidthAafGainCombo, 7}, {A::kNarrowAafGainCombo, 0}, {A::kWidthVolumeCombo, 0}, {A::kNarrowVolumeCombo, 7},
      {A::kWidthFngRxCombo, 0x10}, {A::kNarrowFngRxCombo, 0x00}, {A::kWidthDacFsCombo, 1},
      {A::kCompandorControlCombo, 0}},
     {0xFF, 0xF0, 0x00, 0xFA, 0xF8, 0x00, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF,
      0x8F, 0xF8, 0x10, 0x00, 0x1D, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
};
// clang-format on

// As a user sets the values (only an enabled control can be set), or checks that they are shown.
void SetOrCheck(CDlgBaseBand& dialog, const Values& values, bool set)
{
    for (const auto& [number, value] : values) {
        auto* check = Control<QCheckBox>(dialog, number);
        auto* combo = Control<QComboBox>(dialog, number);
        const int index = combo ? combo->findData(QVariant::fromValue(static_cast<long long>(value))) : -1;
        if (!set) {
            QVERIFY2(check ? check->isChecked() == (value != 0) : combo->currentIndex() == index,
                     qPrintable(QString::number(number)));
        } else if (check != nullptr) {
            QVERIFY(check->isEnabled());
            if (check->isChecked() != (value != 0))
                check->click();
        } else {
            QVERIFY2(combo->isEnabled() && index >= 0, qPrintable(QString::number(number)));
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        }
    }
}

// The radio of a row: as it comes, of a range other than the document's, or with a fault.
using RadioCase = std::function<void(test::CFactoryFixture&)>;
const RadioCase kPlain = [](test::CFactoryFixture&) {};
const RadioCase kOtherRange = [](test::CFactoryFixture& x) {
    x.Radio().Identity().range = sim::CSimIdentity::RangeBlock(2, 350, 390);
};
const RadioCase kSilent = [](test::CFactoryFixture& x) { x.Radio().Faults().silent = true; };
const RadioCase kRefusesMode = [](test::CFactoryFixture& x) { x.Radio().Faults().refuseMode = true; };
// Block writes (refuseWriteAt) or reads (silentReadAt) covering the address fail.
RadioCase FailsAt(std::optional<std::uint32_t> sim::CSimFaults::*fault, std::uint32_t address)
{
    return [fault, address](test::CFactoryFixture& x) { x.Radio().Faults().*fault = address; };
}

} // namespace

class BaseBandTest : public QObject {
    Q_OBJECT

private slots:
    // Set in the command's dialog and written, then read into the next one's.
    void EachFieldGoesBothWaysInItsBits()
    {
        for (const CBaseBandRow& row : kRows) {
            test::CFactoryFixture x;
            std::fill_n(x.Radio().Memory().begin() + kFirst, kSize, row.fill);
            // The fields follow the radio's allow bit and the shown set: setting one checks it is enabled.
            const auto write = [&row](CDlgBaseBand& dialog) {
                auto* allow = Control<QCheckBox>(dialog, CDlgBaseBand::kAllowCheck);
                QCOMPARE(allow->isChecked(), row.fill != 0);
                QCOMPARE(Control<QWidget>(dialog, A::kLpfCombo)->isEnabled(), row.fill != 0);
                if (!allow->isChecked())
                    allow->click();
                SetOrCheck(dialog, row.transmit, true);
                QVERIFY(!Control<QWidget>(dialog, A::kNarrowVolumeCombo)->isEnabled());
                QVERIFY(test::Act(dialog, CDlgBaseBand::kReceiveButton));
                QVERIFY(!Control<QWidget>(dialog, A::kLpfCombo)->isEnabled());
                SetOrCheck(dialog, row.receive, true);
                QVERIFY(test::Act(dialog, CDlgBaseBand::kWriteButton));
            };
            const auto read = [&row](CDlgBaseBand& dialog) {
                QVERIFY(!dialog.ShowsReceive());
                SetOrCheck(dialog, row.transmit, false);
                QVERIFY(test::Act(dialog, CDlgBaseBand::kReceiveButton));
                SetOrCheck(dialog, row.receive, false);
            };
            test::CDialogAnswers answers({test::As<CDlgBaseBand>(write), test::As<CDlgBaseBand>(read)});
            CFactoryCommands(x.context).BaseBand();
            QCOMPARE(answers.Answered(), 1);
            QCOMPARE(x.f.messages, (std::vector<int>{msg::kTuneRead, msg::kTuneWritten}));
            QCOMPARE(x.Radio().Writes(), (Writes{{0x3E9, 16}, {0x3F9, 7}}));
            QCOMPARE(x.Memory(kFirst, kSize), row.bytes);
            CFactoryCommands(x.context).BaseBand();
            QCOMPARE(answers.Answered(), 2);
            const auto tune = x.f.data->Adjustment().BytesAt(kFirst, kSize);
            QCOMPARE(Bytes(tune.begin(), tune.end()), row.bytes);
        }
    }

    // The whole commands, and each exchange of the Factory Mode dialog, with
    // the radio's answers varied: where the Base Band dialog opens the user
    // writes; Write Tune Data lets the radio go before its message and sends
    // the tune block from the document's image; Factory Mode refuses limits
    // before sending anything, and its switch keeps the byte's other bits.
    void FactoryCommandsAlwaysLetTheRadioGo()
    {
        using C = CFactoryCommands;
        using Command = std::function<void(test::CFactoryFixture&)>;
        struct Row {
            const char* name;
            Command command;
            RadioCase radio;
            std::vector<int> messages;
            std::vector<int> modes = {};
            const char* argument = ""; // named in the message
            bool dialog = false;
            int tuneBlocks = -1;            // written by Write Tune Data (-1: another command)
            std::uint8_t switchByte = 0x87; // at 0x128 afterwards, from 0x87
        };
        const Command band = [](test::CFactoryFixture& x) { C(x.context).BaseBand(); };
        const Command tune = [](test::CFactoryFixture& x) { C(x.context).WriteTuneData(); };
        // In the Factory Mode dialog: a click on field, or text typed into it over an upper limit of 440, then the
        // button.
        const auto model = [](int button, int field = 0, const char* typed = nullptr) {
            return [=](test::CFactoryFixture& x) {
                CDlgFactoryModel dialog(x.context);
                if (typed != nullptr)
                    QVERIFY(test::Act(dialog, CDlgFactoryModel::kUpperFrequency, "440") &&
                            test::Act(dialog, field, typed));
                else if (field != 0)
                    QVERIFY(test::Act(dialog, field));
                QVERIFY(test::Act(dialog, button));
            };
        };
        using D = CDlgFactoryModel;
        const auto refuses = [](std::uint32_t at) { return FailsAt(&sim::CSimFaults::refuseWriteAt, at); };
        const auto unread = [](std::uint32_t at) { return FailsAt(&sim::CSimFaults::silentReadAt, at); };
        const std::vector<int> outside{msg::kLimitOutsideWindow};
        // clang-format off
        const std::vector<Row> rows{
            {"base band", band, kPlain, {msg::kTuneRead, msg::kTuneWritten}, {3, 1}, "", true},
            {"base band, another range", band, kOtherRange, {msg::kRangeOutsideRadio}, {}, "350-390"},
            {"base band, first block refused", band, refuses(0x3E9), {msg::kTuneRead, msg::kRadioWriteFailed}, {3, 1},
             "", true},
            {"base band, first block not read", band, unread(0x3E9), {msg::kTuneReadFailed}, {3, 1}},
            {"tune data", tune, kPlain, {msg::kTuneWritten}, {3, 1}, "", false, 12},
            {"tune data, block refused", tune, refuses(0x3A5), {msg::kRadioWriteFailed}, {3, 1}, "928", false, 6},
            {"tune data, silent radio", tune, kSilent, {msg::kNoRadioAnswer}, {}, "", false, 0},
            {"tune data, mode refused", tune, kRefusesMode, {msg::kNoRadioAnswer}, {3, 1}, "", false, 0},
            {"switch opened", model(D::kWriteTuneSwitchButton, D::kSwitchOpen), kPlain, {msg::kTuneWritten}, {3, 1}, "",
             false, -1, 0x8F},
            {"switch closed", model(D::kWriteTuneSwitchButton, D::kSwitchClose), kPlain, {msg::kTuneWritten}, {3, 1}},
            {"model, serial block not read", model(D::kReadButton), unread(0x048), {msg::kRadioReadFailed}, {2, 1},
             "72"},
            {"model, marker refused", model(D::kWriteButton), refuses(0x068), {msg::kRadioWriteFailed}, {3, 1}, "104"},
            {"upper above the window", model(D::kWriteButton, D::kUpperFrequency, "450.00001"), kPlain, outside},
            {"lower below the window", model(D::kWriteButton, D::kLowerFrequency, "429.99999"), kPlain, outside},
            {"lower above the upper", model(D::kWriteButton, D::kLowerFrequency, "445"), kPlain,
             {msg::kLowerAboveUpper}},
            {"empty model name", model(D::kWriteButton, D::kModelName, ""), kPlain, {msg::kEmptyModelName}},
        };
        // clang-format on
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            row.radio(x);
            CAdjustmentData& values = x.f.data->Adjustment();
            for (std::size_t i = 0; i < CAdjustmentData::kValueCount; ++i)
                values.SetValue(i, static_cast<std::uint16_t>(0x0100 * i + 0x11));
            std::fill(x.Radio().Memory().begin() + A::kImageOffset, x.Radio().Memory().end(), 0x00);
            x.Radio().Memory()[0x128] = 0x87;
            const auto identity = x.f.data->RadioInfo().Block();
            bool letGo = false;
            SetMessageBoxHandler([&](int number, const QString& text) {
                x.f.messages.push_back(number);
                x.f.texts.push_back(text);
                letGo = *x.openPorts == 0 && x.Radio().Mode() == 1;
                return QMessageBox::Ok;
            });
            test::CDialogAnswers driver(
                {test::As<CDlgBaseBand>([](CDlgBaseBand& d) { QVERIFY(test::Act(d, CDlgBaseBand::kWriteButton)); })});
            row.command(x);
            QVERIFY2(driver.Answered() == int(row.dialog), row.name);
            QVERIFY2(x.f.messages == row.messages, row.name);
            QVERIFY2(x.f.texts.empty() || x.f.texts.front().contains(QLatin1String(row.argument)), row.name);
            QVERIFY2(x.ModesSent() == row.modes, row.name);
            QVERIFY2(x.Radio().Mode() == 1 && *x.openPorts == 0, row.name);
            QVERIFY2(x.Memory(0x127, 2) == (Bytes{0xFF, row.switchByte}), row.name);
            // The document takes nothing over.
            QVERIFY2(x.f.data->Identity().freqRange == "400-470" && x.f.data->RadioInfo().Block() == identity,
                     row.name);
            if (row.tuneBlocks < 0)
                continue;
            QVERIFY2(letGo, row.name);
            Writes blocks;
            for (int i = 0; i < row.tuneBlocks; ++i)
                blocks.emplace_back(0x340 + 16 * i, 16);
            QCOMPARE(x.Radio().Writes(), blocks);
            const auto& block = values.Block();
            const auto sent = static_cast<std::size_t>(16 * row.tuneBlocks);
            QCOMPARE(x.Memory(A::kImageOffset, sent), Bytes(block.begin(), block.begin() + std::ptrdiff_t(sent)));
            if (row.tuneBlocks > 0) // the document's image took the block first
                QVERIFY(std::equal(block.begin(), block.end(), x.f.data->GetImage().begin() + A::kImageOffset));
        }
    }
};

QRV_REGISTER_UI_TEST(BaseBandTest);

} // namespace qrv

#include "test_base_band.moc"
