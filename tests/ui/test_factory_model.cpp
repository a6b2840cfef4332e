// Factory Mode against the simulated radio: the limits of the typed fields,
// Read and Write of the identity block (with the factory marker), the tune
// switch, the questions on Close and what the settings take over, and the
// radio let go in mode 1 with the port closed after every exchange.
#include "factory/dlg_factory_model.h"
#include "factory/factory_commands.h"
#include "factory_radio_fixture.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/radio_info_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstring>
#include <functional>
#include <map>
#include <vector>

namespace qrv {

namespace {

using Bytes = std::vector<std::uint8_t>;
using Dialog = CDlgFactoryModel;

template <class W> W* Find(QWidget& window, int number)
{
    for (W* widget : window.findChildren<W*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

QLineEdit* Edit(QWidget& window, int number)
{
    return Find<QLineEdit>(window, number);
}

void Type(QWidget& window, int number, const QString& text)
{
    QLineEdit* edit = Edit(window, number);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Choose(QWidget& window, int number, long long data)
{
    auto* combo = Find<QComboBox>(window, number);
    const int index = combo->findData(QVariant::fromValue(data));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void Click(QWidget& window, int number)
{
    Find<QAbstractButton>(window, number)->click();
}

Bytes Text(const char* text, std::size_t width)
{
    Bytes bytes(width, 0);
    std::memcpy(bytes.data(), text, std::strlen(text));
    return bytes;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

} // namespace

class FactoryModelTest : public QObject {
    Q_OBJECT

private:
    // Message boxes answered by number (Yes when not named), each recorded with its text.
    struct CAnswers {
        test::CFactoryFixture& x;
        std::map<int, QMessageBox::StandardButton> answers;
        std::vector<QString> texts;
        explicit CAnswers(test::CFactoryFixture& fixture, std::map<int, QMessageBox::StandardButton> given = {})
            : x(fixture), answers(std::move(given))
        {
            SetMessageBoxHandler([this](int number, const QString& text) {
                x.f.messages.push_back(number);
                texts.push_back(text);
                const auto answer = answers.find(number);
                return answer == answers.end() ? QMessageBox::Yes : answer->second;
            });
        }
    };

    Bytes InfoBytes(test::CFactoryFixture& x, std::uint32_t address, std::size_t count)
    {
        const auto& block = x.f.data->RadioInfo().Block();
        const auto first = block.begin() + (address - CRadioInfoData::kImageOffset);
        return {first, first + static_cast<std::ptrdiff_t>(count)};
    }

    // The radio is back in mode 1 (the rows name the modes sent) and no port stayed open.
    static void CheckLetGo(test::CFactoryFixture& x, const char* name)
    {
        QVERIFY2(x.Radio().Mode() == 1, name);
        QVERIFY2(*x.openPorts == 0, name);
    }

private slots:
    void LimitsAreCheckedWhenAFieldIsLeft()
    {
        struct Row {
            const char* name;
            int field;
            const char* typed; // nullptr: the field is only passed through
            std::vector<int> messages;
        };
        const std::vector<Row> rows{
            {"upper just below 450", Dialog::kUpperFrequency, "449.99999", {}},
            {"upper just above 450", Dialog::kUpperFrequency, "450.00001", {msg::kLimitOutsideWindow}},
            {"upper at 450", Dialog::kUpperFrequency, "450", {}},
            {"lower at 430", Dialog::kLowerFrequency, "430", {}},
            {"lower just below 430", Dialog::kLowerFrequency, "429.99999", {msg::kLimitOutsideWindow}},
            {"lower left as the radio holds it", Dialog::kLowerFrequency, nullptr, {}},
            {"empty model name", Dialog::kModelName, "", {msg::kEmptyModelName}},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            Dialog dialog(x.context);
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QLineEdit* edit = Edit(dialog, row.field);
            edit->setFocus();
            QTRY_VERIFY(edit->hasFocus());
            if (row.typed != nullptr)
                Type(dialog, row.field, QString::fromLatin1(row.typed));
            QTest::keyClick(edit, Qt::Key_Tab);
            QTest::qWait(20);
            QVERIFY2(x.f.messages == row.messages, row.name);
            // A refused field takes the focus back; an accepted one lets it go.
            QVERIFY2(edit->hasFocus() == !row.messages.empty(), row.name);
            QVERIFY2(x.Radio().ReceivedFrames().empty(), row.name);
        }
    }

    void LowerLimitAboveTheUpperIsRefusedOnWrite()
    {
        test::CFactoryFixture x;
        Dialog dialog(x.context);
        Type(dialog, Dialog::kLowerFrequency, QStringLiteral("445"));
        Type(dialog, Dialog::kUpperFrequency, QStringLiteral("440"));
        const Bytes before = InfoBytes(x, 0x028, 8);
        Click(dialog, Dialog::kWriteButton);
        QTRY_VERIFY(Edit(dialog, Dialog::kLowerFrequency)->hasFocus() || !dialog.isVisible());
        QCOMPARE(x.f.messages, std::vector<int>{msg::kLowerAboveUpper});
        QVERIFY(x.Radio().ReceivedFrames().empty());
        QCOMPARE(InfoBytes(x, 0x028, 8), before);
    }

    void WriteSendsTheFieldsAndTheFactoryMarker()
    {
        test::CFactoryFixture x;
        Dialog dialog(x.context);
        Type(dialog, Dialog::kModelName, QStringLiteral("QL-230"));
        Choose(dialog, Dialog::kBandFlag, 1);
        Type(dialog, Dialog::kRangeId, QStringLiteral("7"));
        Type(dialog, Dialog::kLowerFrequency, QStringLiteral("430"));
        Type(dialog, Dialog::kUpperFrequency, QStringLiteral("449.99999"));
        Choose(dialog, Dialog::kSignallingType, 2);
        // The serial number is not sent, so it cannot be typed over either.
        const Bytes serial = InfoBytes(x, 0x048, 16);
        const QString serialShown = Edit(dialog, Dialog::kSerialNumber)->text();
        Type(dialog, Dialog::kSerialNumber, QStringLiteral("SN12345"));
        std::fill_n(x.Radio().Memory().begin(), 0x80, 0x00);
        Click(dialog, Dialog::kWriteButton);

        QCOMPARE(x.f.messages, std::vector<int>{msg::kRadioWriteDone});
        using Write = std::pair<std::uint32_t, std::uint16_t>;
        QCOMPARE(x.Radio().Writes(), (std::vector<Write>{{0x010, 16}, {0x028, 8}, {0x068, 4}, {0x06C, 12}}));
        QCOMPARE(x.Memory(0x010, 16), Cat({Text("QL-230", 12), {0x01, 0x07, 0x02, 0xFF}}));
        QCOMPARE(x.Memory(0x028, 8), (Bytes{0x00, 0x00, 0x00, 0x43, 0x99, 0x99, 0x99, 0x44}));
        QCOMPARE(x.Memory(0x068, 4), (Bytes{0x55, 0xAA, 0xAA, 0x55}));
        QCOMPARE(x.Memory(0x06C, 12), InfoBytes(x, 0x06C, 12));
        // The stamp and the serial number are not among the blocks written.
        QCOMPARE(x.Memory(0x020, 8), Bytes(8, 0x00));
        QCOMPARE(x.Memory(0x048, 16), Bytes(16, 0x00));
        QCOMPARE(Edit(dialog, Dialog::kSerialNumber)->text(), serialShown);
        QCOMPARE(InfoBytes(x, 0x048, 16), serial);
        QCOMPARE(x.ModesSent(), (std::vector<int>{3, 1}));
        CheckLetGo(x, "write");
    }

    void ReadFillsTheFieldsFromTheRadio()
    {
        test::CFactoryFixture x;
        auto& memory = x.Radio().Memory();
        const Bytes identity = Cat({Text("QL-250", 12),
                                    {0x00, 12, 0x01, 0x00},
                                    Bytes(8, 0x11),
                                    {0x00, 0x25, 0x51, 0x43, 0x00, 0x00, 0x50, 0x44}});
        std::copy(identity.begin(), identity.end(), memory.begin() + 0x010);
        const Bytes serial = Text("ABC123", 16);
        std::copy(serial.begin(), serial.end(), memory.begin() + 0x048);
        Dialog dialog(x.context);
        const Bytes stamp = InfoBytes(x, 0x020, 8);
        Click(dialog, Dialog::kReadButton);

        QCOMPARE(x.f.messages, std::vector<int>{msg::kRadioReadDone});
        QCOMPARE(Edit(dialog, Dialog::kModelName)->text(), QStringLiteral("QL-250"));
        QCOMPARE(Find<QComboBox>(dialog, Dialog::kBandFlag)->currentData().toLongLong(), 0LL);
        QCOMPARE(Edit(dialog, Dialog::kRangeId)->text(), QStringLiteral("12"));
        QCOMPARE(Edit(dialog, Dialog::kLowerFrequency)->text(), QStringLiteral("435.12500"));
        QCOMPARE(Edit(dialog, Dialog::kUpperFrequency)->text(), QStringLiteral("445.00000"));
        QCOMPARE(Find<QComboBox>(dialog, Dialog::kSignallingType)->currentData().toLongLong(), 1LL);
        QCOMPARE(Edit(dialog, Dialog::kSerialNumber)->text(), QStringLiteral("ABC123"));
        QCOMPARE(Edit(dialog, Dialog::kFirmware)->text(), QStringLiteral("1.01.05.001"));
        QCOMPARE(Edit(dialog, Dialog::kModelId)->text(), QStringLiteral("QL210"));
        QCOMPARE(InfoBytes(x, 0x020, 8), stamp); // not read
        QCOMPARE(x.ModesSent(), (std::vector<int>{2, 1}));
        CheckLetGo(x, "read");
    }

    void WriteTuneSwitchSetsOrClearsItsBit()
    {
        struct Row {
            const char* name;
            int choice;
            std::uint8_t before;
            std::uint8_t after;
        };
        for (const Row& row :
             {Row{"open", Dialog::kSwitchOpen, 0x87, 0x8F}, Row{"close", Dialog::kSwitchClose, 0x8F, 0x87}}) {
            test::CFactoryFixture x;
            x.Radio().Memory()[0x128] = row.before;
            Dialog dialog(x.context);
            Click(dialog, row.choice);
            Click(dialog, Dialog::kWriteTuneSwitchButton);
            QVERIFY2(x.f.messages == std::vector<int>{msg::kTuneWritten}, row.name);
            QVERIFY2(x.Memory(0x127, 2) == (Bytes{0xFF, row.after}), row.name);
            using Write = std::pair<std::uint32_t, std::uint16_t>;
            QVERIFY2(x.Radio().Writes() == (std::vector<Write>{{0x127, 2}}), row.name);
            QVERIFY2(x.ModesSent() == (std::vector<int>{3, 1}), row.name);
            CheckLetGo(x, row.name);
        }
    }

    void EveryFailureLetsTheRadioGo()
    {
        struct Row {
            const char* name;
            int button;
            std::function<void(sim::CSimFaults&)> fault;
            int message;
            QString argument;
            std::vector<int> modes;
        };
        const auto silent = [](sim::CSimFaults& f) { f.silent = true; };
        const auto modeRefused = [](sim::CSimFaults& f) { f.refuseMode = true; };
        const std::vector<Row> rows{
            {"read, silent radio", Dialog::kReadButton, silent, msg::kNoRadioAnswer, {}, {}},
            {"read, mode refused", Dialog::kReadButton, modeRefused, msg::kNoRadioAnswer, {}, {2, 1}},
            {"read, serial block not read",
             Dialog::kReadButton,
             [](sim::CSimFaults& f) { f.silentReadAt = 0x048; },
             msg::kRadioReadFailed,
             QStringLiteral("72"),
             {2, 1}},
            {"write, silent radio", Dialog::kWriteButton, silent, msg::kNoRadioAnswer, {}, {}},
            {"write, mode refused", Dialog::kWriteButton, modeRefused, msg::kNoRadioAnswer, {}, {3, 1}},
            {"write, limits refused",
             Dialog::kWriteButton,
             [](sim::CSimFaults& f) { f.refuseWriteAt = 0x028; },
             msg::kRadioWriteFailed,
             QStringLiteral("40"),
             {3, 1}},
            {"write, marker refused",
             Dialog::kWriteButton,
             [](sim::CSimFaults& f) { f.refuseWriteAt = 0x068; },
             msg::kRadioWriteFailed,
             QStringLiteral("104"),
             {3, 1}},
            {"switch, silent radio", Dialog::kWriteTuneSwitchButton, silent, msg::kNoRadioAnswer, {}, {}},
            {"switch, word not read",
             Dialog::kWriteTuneSwitchButton,
             [](sim::CSimFaults& f) { f.silentReadAt = 0x127; },
             msg::kRadioReadFailed,
             QStringLiteral("295"),
             {}},
            {"switch, mode refused", Dialog::kWriteTuneSwitchButton, modeRefused, msg::kNoRadioAnswer, {}, {3, 1}},
            {"switch, word refused",
             Dialog::kWriteTuneSwitchButton,
             [](sim::CSimFaults& f) { f.refuseWriteAt = 0x127; },
             msg::kRadioWriteFailed,
             QStringLiteral("295"),
             {3, 1}},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            CAnswers answers(x);
            row.fault(x.Radio().Faults());
            Dialog dialog(x.context);
            Click(dialog, row.button);
            QVERIFY2(x.f.messages == std::vector<int>{row.message}, row.name);
            QVERIFY2(row.argument.isEmpty() || answers.texts.front().contains(row.argument), row.name);
            QVERIFY2(x.ModesSent() == row.modes, row.name);
            CheckLetGo(x, row.name);
        }
    }

    void CloseAsksWhatTheSettingsTakeOver()
    {
        constexpr auto Yes = QMessageBox::Yes;
        constexpr auto No = QMessageBox::No;
        struct Row {
            const char* name;
            QMessageBox::StandardButton modelAnswer, rangeAnswer, signalAnswer, newRangeAnswer;
            std::vector<int> messages;
            std::string modelName, freqRange;
            int signal;
            Bytes nameBytes, limitBytes;
            std::uint8_t signalByte;
            int modelChanges;
        };
        const Bytes newLimits{0x00, 0x00, 0x00, 0x43, 0x00, 0x00, 0x00, 0x44};
        const Bytes oldLimits{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47};
        const std::vector<Row> rows{
            {"all taken",
             Yes,
             Yes,
             Yes,
             Yes,
             {msg::kModelNameQuestion, msg::kRangeQuestion, msg::kSignalQuestion, 0},
             "QL-260",
             "430-440",
             3,
             Text("QL-260", 12),
             newLimits,
             3,
             1},
            {"all declined",
             No,
             No,
             No,
             Yes,
             {msg::kModelNameQuestion, msg::kRangeQuestion, msg::kSignalQuestion},
             "QL-210",
             "400-470",
             0,
             Text("QL-210", 12),
             oldLimits,
             0,
             0},
            {"range not added to the model",
             No,
             Yes,
             No,
             No,
             {msg::kModelNameQuestion, msg::kRangeQuestion, msg::kSignalQuestion, 0},
             "QL-210",
             "400-470",
             0,
             Text("QL-210", 12),
             newLimits,
             0,
             0},
        };
        for (const Row& row : rows) {
            test::CFactoryFixture x;
            CAnswers answers(x, {{msg::kModelNameQuestion, row.modelAnswer},
                                 {msg::kRangeQuestion, row.rangeAnswer},
                                 {msg::kSignalQuestion, row.signalAnswer},
                                 {0, row.newRangeAnswer}});
            test::CModalDriver<Dialog> driver([](Dialog& dialog) {
                Type(dialog, Dialog::kModelName, QStringLiteral("QL-260"));
                Type(dialog, Dialog::kLowerFrequency, QStringLiteral("430"));
                Type(dialog, Dialog::kUpperFrequency, QStringLiteral("440"));
                Choose(dialog, Dialog::kSignallingType, 3);
                Click(dialog, Dialog::kCloseButton);
            });
            CFactoryCommands(x.context).FactoryMode();

            QVERIFY2(driver.Seen(), row.name);
            QVERIFY2(x.f.messages == row.messages, row.name);
            const CDocumentIdentity& document = x.f.data->Identity();
            QVERIFY2(document.modelName == row.modelName, row.name);
            QVERIFY2(document.freqRange == row.freqRange, row.name);
            QVERIFY2(document.signal == row.signal, row.name);
            QVERIFY2(InfoBytes(x, 0x010, 12) == row.nameBytes, row.name);
            QVERIFY2(InfoBytes(x, 0x028, 8) == row.limitBytes, row.name);
            QVERIFY2(x.f.data->RadioInfo().SignallingType() == row.signalByte, row.name);
            QVERIFY2(x.modelChanges == row.modelChanges, row.name);
            QVERIFY2(x.f.Ranges().Contains(430, 440) == (row.newRangeAnswer == Yes && row.rangeAnswer == Yes),
                     row.name);
            QVERIFY2(x.Radio().ReceivedFrames().empty(), row.name);
        }
    }

    void CloseWithoutChangesAsksNothing()
    {
        test::CFactoryFixture x;
        Dialog dialog(x.context);
        const auto before = x.f.data->RadioInfo().Block();
        dialog.reject(); // Esc
        QVERIFY(x.f.messages.empty());
        QVERIFY(!dialog.ModelNameTaken() && !dialog.RangeTaken() && !dialog.SignalTaken());
        QVERIFY(x.f.data->RadioInfo().Block() == before); // erased fields stay erased
    }

    void OnlyTheFactoryLevelEditsTheIdentity()
    {
        for (const int level : {0, CSettings::kServiceLevel, CSettings::kFactoryLevel}) {
            test::CFactoryFixture x(level);
            Dialog dialog(x.context);
            const bool factory = level == CSettings::kFactoryLevel;
            QVERIFY(Edit(dialog, Dialog::kModelName)->isEnabled());
            for (const int number : {Dialog::kRangeId, Dialog::kLowerFrequency, Dialog::kUpperFrequency})
                QCOMPARE(Edit(dialog, number)->isEnabled(), factory);
            for (const int number : {Dialog::kBandFlag, Dialog::kSignallingType})
                QCOMPARE(Find<QComboBox>(dialog, number)->isEnabled(), factory);
            for (const int number : {Dialog::kSerialNumber, Dialog::kFirmware, Dialog::kModelId})
                QVERIFY(Edit(dialog, number)->isReadOnly());
            QVERIFY(Find<QComboBox>(dialog, Dialog::kLanguage)->isHidden());
            QCOMPARE(Edit(dialog, Dialog::kModelName)->maxLength(), 12);
            QCOMPARE(Edit(dialog, Dialog::kSerialNumber)->maxLength(), 16);
            QCOMPARE(Edit(dialog, Dialog::kUpperFrequency)->maxLength(), 9);
        }
    }
};

QRV_REGISTER_UI_TEST(FactoryModelTest);

} // namespace qrv

#include "test_factory_model.moc"
