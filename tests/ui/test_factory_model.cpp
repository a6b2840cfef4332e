// Factory Mode against the simulated radio: which field goes into which bytes
// on Write and comes back on Read, what Write refuses before sending, the tune
// switch, what the user is told when the radio fails, and what Close takes
// over. The radio is let go in mode 1 with the port closed after every exchange.
#include "factory/dlg_factory_model.h"
#include "factory/factory_commands.h"
#include "factory_radio_fixture.h"
#include "radio_link/radio_messages.h"
#include "records/radio_info_data.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <map>

namespace qrv {

namespace {

using Dialog = CDlgFactoryModel;
using test::Bytes;

void Type(QWidget& window, int number, const char* text)
{
    test::TypeInto(test::Control<QLineEdit>(window, number), QString::fromLatin1(text), false);
}

void Choose(QWidget& window, int number, long long data)
{
    auto* combo = test::Control<QComboBox>(window, number);
    combo->setCurrentIndex(combo->findData(QVariant::fromValue(data)));
    emit combo->activated(combo->currentIndex());
}

// A text field of the identity block: the text, then NUL padding.
Bytes Text(const std::string& text, std::size_t width)
{
    Bytes bytes(text.begin(), text.end());
    bytes.resize(width, 0);
    return bytes;
}

// The document's identity block, by radio address.
Bytes Info(test::CFactoryFixture& x, std::uint32_t address, std::size_t count)
{
    const auto first = x.f.data->RadioInfo().Block().begin() + (address - CRadioInfoData::kImageOffset);
    return {first, first + static_cast<std::ptrdiff_t>(count)};
}

} // namespace

class FactoryModelTest : public QObject {
    Q_OBJECT

private slots:
    void WriteSendsTheFieldsAndReadShowsThem()
    {
        test::CFactoryFixture x;
        Dialog dialog(x.context);
        Type(dialog, Dialog::kModelName, "QL-230");
        Choose(dialog, Dialog::kBandFlag, 1);
        Type(dialog, Dialog::kRangeId, "7");
        Type(dialog, Dialog::kLowerFrequency, "430");
        Type(dialog, Dialog::kUpperFrequency, "450"); // both ends of the window taken
        Choose(dialog, Dialog::kSignallingType, 2);
        // The serial number is not sent, so it cannot be typed over either.
        const QString serialShown = test::Control<QLineEdit>(dialog, Dialog::kSerialNumber)->text();
        Type(dialog, Dialog::kSerialNumber, "SN12345");
        QVERIFY(test::Act(dialog, Dialog::kWriteButton));
        QCOMPARE(x.f.messages, std::vector<int>{msg::kRadioWriteDone});
        using Write = std::pair<std::uint32_t, std::uint16_t>;
        QCOMPARE(x.Radio().Writes(), (std::vector<Write>{{0x010, 16}, {0x028, 8}, {0x068, 4}, {0x06C, 12}}));
        QCOMPARE(x.Memory(0x010, 12), Text("QL-230", 12));
        QCOMPARE(x.Memory(0x01C, 4), (Bytes{0x01, 0x07, 0x02, 0xFF})); // band flag, range ID, signalling
        QCOMPARE(x.Memory(0x028, 8), (Bytes{0x00, 0x00, 0x00, 0x43, 0x00, 0x00, 0x00, 0x45}));
        QCOMPARE(x.Memory(0x068, 4), (Bytes{0x55, 0xAA, 0xAA, 0x55})); // the factory marker
        QCOMPARE(x.Memory(0x06C, 12), Info(x, 0x06C, 12));
        QCOMPARE(test::Control<QLineEdit>(dialog, Dialog::kSerialNumber)->text(), serialShown);
        QCOMPARE(x.ModesSent(), (std::vector<int>{3, 1}));

        // What the radio holds then comes back into the fields; the stamp is not read.
        std::ranges::copy(Text("QL-250", 12), x.Radio().Memory().begin() + 0x010);
        std::ranges::copy(Bytes{0x00, 12, 0x01}, x.Radio().Memory().begin() + 0x01C);
        std::ranges::copy(Bytes{0x00, 0x25, 0x51, 0x43, 0x00, 0x00, 0x50, 0x44}, x.Radio().Memory().begin() + 0x028);
        std::ranges::copy(Text("ABC123", 16), x.Radio().Memory().begin() + 0x048);
        const Bytes stamp = Info(x, 0x020, 8);
        x.Radio().ClearLog();
        QVERIFY(test::Act(dialog, Dialog::kReadButton));
        QCOMPARE(x.f.messages, (std::vector<int>{msg::kRadioWriteDone, msg::kRadioReadDone}));
        // clang-format off
        const std::map<int, const char*> shown{{Dialog::kModelName, "QL-250"}, {Dialog::kRangeId, "12"},
            {Dialog::kLowerFrequency, "435.12500"}, {Dialog::kUpperFrequency, "445.00000"},
            {Dialog::kSerialNumber, "ABC123"}, {Dialog::kFirmware, "1.01.05.001"}, {Dialog::kModelId, "QL210"}};
        // clang-format on
        for (const auto& [number, text] : shown)
            QCOMPARE(test::Control<QLineEdit>(dialog, number)->text(), QString::fromLatin1(text));
        QCOMPARE(test::Control<QComboBox>(dialog, Dialog::kBandFlag)->currentData().toLongLong(), 0LL);
        QCOMPARE(test::Control<QComboBox>(dialog, Dialog::kSignallingType)->currentData().toLongLong(), 1LL);
        QCOMPARE(Info(x, 0x020, 8), stamp);
        QCOMPARE(x.ModesSent(), (std::vector<int>{2, 1}));
        QVERIFY(x.Radio().Mode() == 1 && *x.openPorts == 0);
    }

    // Close after edits asks about the model name, the range (then whether to add it to the model) and the
    // signalling; every Yes takes them into the document, the block and the range list, and nothing is sent.
    void CloseTakesOverWhatIsAnsweredYes()
    {
        test::CFactoryFixture x; // answers every question Yes
        test::CDialogAnswers driver({test::As<Dialog>([](Dialog& dialog) {
            Type(dialog, Dialog::kModelName, "QL-260");
            Type(dialog, Dialog::kLowerFrequency, "430");
            Type(dialog, Dialog::kUpperFrequency, "440");
            Choose(dialog, Dialog::kSignallingType, 3);
            QVERIFY(test::Act(dialog, Dialog::kCloseButton));
        })});
        CFactoryCommands(x.context).FactoryMode();
        QVERIFY(driver.Answered() == 1 && x.modelChanges == 1 && x.Radio().ReceivedFrames().empty());
        QCOMPARE(x.f.messages,
                 (std::vector<int>{msg::kModelNameQuestion, msg::kRangeQuestion, msg::kSignalQuestion, 0}));
        const CDocumentIdentity& document = x.f.data->Identity();
        QVERIFY(document.modelName == "QL-260" && document.freqRange == "430-440" && document.signal == 3);
        QCOMPARE(Info(x, 0x010, 12), Text("QL-260", 12));
        QCOMPARE(Info(x, 0x028, 8), (Bytes{0x00, 0x00, 0x00, 0x43, 0x00, 0x00, 0x00, 0x44}));
        QVERIFY(x.f.data->RadioInfo().SignallingType() == 3 && x.f.Ranges().Contains(430, 440));
    }
};

QRV_REGISTER_UI_TEST(FactoryModelTest);

} // namespace qrv

#include "test_factory_model.moc"
