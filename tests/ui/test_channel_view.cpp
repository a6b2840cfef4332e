// The channel view as a user meets it: frequencies and tones typed and chosen
// on the Basic page with their messages and what each choice enables, the
// personality and auto start scan on the Miscellaneous page, and untouched
// channels that keep every byte.
#include "editor_fixture.h"
#include "editors/channel/view_channel.h"
#include "editors/common/editor_sheet.h"
#include "radio_data/messages.h"
#include "ui_test_registry.h"
#include "widgets/freq_edit.h"

#include <QCheckBox>

namespace qrv {

namespace {

using C = CChannelData;
using Kind = CNotification::Kind;
using test::Hex;

struct CFixture : test::CViewFixture<CViewChannel> {
    using CViewFixture::CViewFixture;
    CFreqEdit* Frequency(int number) const { return Find<CFreqEdit>(number); }
    // Frequencies, tone words and step codes: bytes 4 to 16 of the record.
    test::Bytes Fields(int channel, std::size_t size = 13)
    {
        return test::BytesAt(Stored(), test::ChannelByte(channel, 4), size);
    }
    // The tone combos enabled, as bits: receive CTCSS, CDCSS, transmit CTCSS, CDCSS.
    int Enabled() const
    {
        int bits = 0;
        for (const int control : {C::kTxCdcssCombo, C::kTxCtcssCombo, C::kRxCdcssCombo, C::kRxCtcssCombo})
            bits = bits << 1 | (Find(control)->isEnabled() ? 1 : 0);
        return bits;
    }
    // Both pages shown, and every enabled combo passed through without a change.
    void Visit() const
    {
        view->Sheet()->setCurrentIndex(1);
        view->Sheet()->setCurrentIndex(0);
        for (QComboBox* combo : view->findChildren<QComboBox*>()) {
            if (!combo->isEnabled() || ControlNumber(combo) == 0)
                continue;
            if (combo->currentIndex() >= 0)
                emit combo->activated(combo->currentIndex());
            if (combo->isEditable())
                emit combo->lineEdit()->editingFinished();
        }
    }
};

// On channel 2 (446.01875 MHz both sides, step codes 3, CTCSS 97.4) with the range 400-470: on the receive or
// transmit side, a tone type chosen or not, then a frequency or tone typed; what the edit or tone combo shows,
// the channel's fields, the message, and the tone combos enabled.
struct CChannelBasicRow {
    const char* name;
    bool tx;
    const char *type, *typed, *shown, *fields;
    int message, enabled;
};
constexpr int kOutOfRange = msg::kFrequencyOutOfRange;
constexpr int kCtcssNo = msg::kCtcssNotInTable;
constexpr int kCdcssNo = msg::kCdcssNotInTable;
// clang-format off
const CChannelBasicRow kBasicRows[] = {
    {"rx 6.25 kHz", false, nullptr, "446.00625", "446.00625", "25066044751860440d500d5033", 0, 0b0101},
    {"rx 5 kHz", false, nullptr, "446.005", "446.00500", "00056044751860440d500d5032", 0, 0b0101},
    {"rx off both rasters", false, nullptr, "446.0052", "446.00000", "00006044751860440d500d5033", 0, 0b0101},
    {"rx above the range", false, nullptr, "480", "470.00000", "00000047751860440d500d5033", kOutOfRange, 0b0101},
    {"tx 5 kHz", true, nullptr, "450.015", "450.01500", "75186044001500450d500d5023", 0, 0b0101},
    {"tx below the range", true, nullptr, "399.99", "400.00000", "75186044000000400d500d5033", kOutOfRange, 0b0101},
    {"rx none", false, "None", nullptr, "97.4", "75186044751860440d100d5033", 0, 0b0100},
    {"tx none", true, "None", nullptr, "97.4", "75186044751860440d500d1033", 0, 0b0001},
    {"CTCSS in the table", false, "CTCSS", "67.0", "67.0", "751860447518604402500d5033", 0, 0b0101},
    {"CTCSS not in the table", false, "CTCSS", "66.6", "97.4", "75186044751860440d500d5033", kCtcssNo, 0b0101},
    {"CTCSS below the lowest", true, "CTCSS", "20.0", "97.4", "75186044751860440d500d5033", kCtcssNo, 0b0101},
    {"CDCSS in the table", false, "CDCSS", "023", "023", "751860447518604402900d5033", 0, 0b0110},
    {"CDCSS not in the table", false, "CDCSS", "024", "023", "751860447518604402900d5033", kCdcssNo, 0b0110},
    {"CDCSS invert above 777", true, "CDCSS Invert", "800", "023", "75186044751860440d5002d033", kCdcssNo, 0b1001},
    {"CDCSS invert last code", true, "CDCSS Invert", "754", "754", "75186044751860440d506bd033", 0, 0b1001},
};
// clang-format on

} // namespace

class ChannelViewTest : public QObject {
    Q_OBJECT

private slots:
    // A typed tone outside the table is refused with a message; the tone shown before stays.
    void BasicPageTakesWhatIsTypedOrRefusesIt_data() { test::AddRows(kBasicRows); }
    void BasicPageTakesWhatIsTypedOrRefusesIt()
    {
        QFETCH(CChannelBasicRow, row);
        CFixture f;
        f.Open(1);
        const QString type = QString::fromLatin1(row.type);
        if (row.type != nullptr)
            QVERIFY(f.Choose(row.tx ? C::kTxTypeList : C::kRxTypeList, type));
        QComboBox* tone = row.type == nullptr ? nullptr
                          : type.startsWith(QLatin1String("CDCSS"))
                              ? f.Find(row.tx ? C::kTxCdcssCombo : C::kRxCdcssCombo)
                              : f.Find(row.tx ? C::kTxCtcssCombo : C::kRxCtcssCombo);
        QLineEdit* edit =
            tone != nullptr ? tone->lineEdit() : f.Frequency(row.tx ? C::kTxFrequencyEdit : C::kRxFrequencyEdit);
        f.messages.clear();
        if (row.typed != nullptr)
            test::TypeOver(*edit, QString::fromLatin1(row.typed));
        QCOMPARE(tone != nullptr ? tone->currentText() : edit->text(), QString::fromLatin1(row.shown));
        QCOMPARE(f.Fields(1), Hex(row.fields));
        QCOMPARE(f.messages, row.message == 0 ? std::vector<int>{} : std::vector<int>{row.message});
        QCOMPARE(f.Enabled(), row.enabled);
    }

    void EmptyingTheReceiveFrequencyEmptiesTheChannel()
    {
        CFixture f;
        f.Open(2);
        CFreqEdit* tx = f.Frequency(C::kTxFrequencyEdit);
        test::TypeOver(*f.Frequency(C::kRxFrequencyEdit), {});
        QCOMPARE(tx->text(), QString());
        QVERIFY(!tx->isEnabled());
        QCOMPARE(f.Fields(2, 8), Hex("ffffffffffffffff"));
        QVERIFY(!f.data->Channels()[2]->IsValid());
        QVERIFY(f.Heard(Kind::ValidChanged, C::kRxFrequencyEdit));
        // A receive frequency again: transmit may be typed, and stays empty until it is.
        test::TypeOver(*f.Frequency(C::kRxFrequencyEdit), QStringLiteral("446.1"));
        QVERIFY(tx->isEnabled());
        QCOMPARE(tx->text(), QString());
        QCOMPARE(f.Fields(2, 8), Hex("00006144ffffffff"));
        QVERIFY(f.data->Channels()[2]->IsValid());
    }

    void MiscPageStoresPersonalityAndAutoStartScan()
    {
        CFixture f;
        f.Open(0);
        QComboBox* personality = f.Find(C::kPersonalityControl);
        QCOMPARE(personality->currentText(), QStringLiteral("1"));
        // A personality added elsewhere is offered; one made invalid is not, and its channels are reported.
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.data->Personalities()[0]->SetValid(false);
        f.context->Notify({Kind::Deleted, 0}, nullptr);
        const std::uint32_t key0 = f.data->Channels()[0]->CheckKey();
        QVERIFY(f.data->InvalidLog().Contains(key0));
        QCOMPARE(personality->count(), 1);
        QCOMPARE(personality->currentIndex(), -1);
        QVERIFY(f.Choose(C::kPersonalityControl, QStringLiteral("2")));
        QCOMPARE(f.Stored()[test::ChannelByte(0, 18)], std::uint8_t{1});
        QVERIFY(!f.data->InvalidLog().Contains(key0));
        QVERIFY(f.data->InvalidLog().Contains(f.data->Channels()[1]->CheckKey()));

        auto* scan = f.Find<QCheckBox>(C::kAutoStartScanCheck);
        QVERIFY(!scan->isChecked());
        scan->click();
        QCOMPARE(f.Stored()[test::ChannelByte(0, 19)], std::uint8_t{0x40});
        scan->click();
        QCOMPARE(f.Stored()[test::ChannelByte(0, 19)], std::uint8_t{0x00});
        QVERIFY(f.Heard(Kind::Edited, C::kAutoStartScanCheck));
    }

    void UntouchedOddChannelsStoreTheSameBytes()
    {
        CFixture f;
        f.data->LoadFromImage(test::WithOddChannels(f.Stored()));
        const Image before = f.Stored();
        for (int position = 0; position < static_cast<int>(f.data->Channels().size()); ++position) {
            f.Open(position);
            f.Visit();
            f.view->StorePages();
            QVERIFY2(f.Stored() == before, qPrintable(QStringLiteral("channel %1").arg(position + 1)));
            QCOMPARE(f.messages, std::vector<int>{});
        }
    }
};

QRV_REGISTER_UI_TEST(ChannelViewTest);

} // namespace qrv

#include "test_channel_view.moc"
