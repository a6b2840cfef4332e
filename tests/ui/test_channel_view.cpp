// The channel view as a user meets it: frequencies and tones typed and
// chosen on the Basic page, the personality and auto start scan on the
// Miscellaneous page, the record commands, and the bytes a save writes.
#include "editor_fixture.h"
#include "editors/channel/channel_basic_page.h"
#include "editors/channel/view_channel.h"
#include "editors/common/editor_sheet.h"
#include "editors/record_navigator.h"
#include "radio_data/messages.h"
#include "records/channel_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"
#include "widgets/freq_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace qrv {

namespace {

constexpr int kTable = 0x580;
constexpr int kRecordSize = 20;
constexpr int kScanMembers = 0x210 + 16;
constexpr int kMaxChannels = 16;

// Control numbers of the two pages.
using C = CChannelData;
constexpr int kPower = C::kPowerList;
constexpr int kRxFrequency = C::kRxFrequencyEdit;
constexpr int kRxType = C::kRxTypeList;
constexpr int kRxCtcss = C::kRxCtcssCombo;
constexpr int kRxCdcss = C::kRxCdcssCombo;
constexpr int kTxFrequency = C::kTxFrequencyEdit;
constexpr int kTxType = C::kTxTypeList;
constexpr int kTxCtcss = C::kTxCtcssCombo;
constexpr int kTxCdcss = C::kTxCdcssCombo;
constexpr int kCopy = CChannelBasicPage::kCopyReceive;
constexpr int kPersonality = C::kPersonalityControl;
constexpr int kAutoStartScan = C::kAutoStartScanCheck;
constexpr int kOutOfRange = msg::kFrequencyOutOfRange;
constexpr int kCtcssNo = msg::kCtcssNotInTable;
constexpr int kCdcssNo = msg::kCdcssNotInTable;

int At(int channel, int offset)
{
    return kTable + kRecordSize * channel + offset;
}

QByteArray Bytes(const Image& image, int offset, int count)
{
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

int Word16(const Image& image, int offset)
{
    return image[static_cast<std::size_t>(offset)] | (image[static_cast<std::size_t>(offset) + 1] << 8);
}

// The first offset where two images differ, -1 when they are equal.
int FirstDifference(const Image& a, const Image& b)
{
    const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin());
    return left == a.end() ? -1 : static_cast<int>(left - a.begin());
}

template <class T> T* Control(QWidget& root, int number)
{
    for (T* widget : root.findChildren<T*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

// Selects a text and types over it, then presses Enter (what leaving the edit also does).
void TypeOver(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Choose(QComboBox* combo, int entryNumber)
{
    const int index = combo->findData(QVariant::fromValue(static_cast<long long>(entryNumber)));
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

bool Has(const std::vector<CNotification>& notifications, CNotification::Kind kind, std::uint32_t data)
{
    return std::any_of(notifications.begin(), notifications.end(),
                       [&](const CNotification& n) { return n.kind == kind && n.data == data; });
}

// A codeplug loaded for editing and a channel view on it that hears every
// notification, as the main window makes it.
struct CChannelFixture : test::CEditorFixture {
    std::unique_ptr<CViewChannel> view;

    explicit CChannelFixture(int userLevel = 0) : CEditorFixture(userLevel) {}

    void Open(int position)
    {
        view = std::make_unique<CViewChannel>(*context, position);
        QObject::connect(context.get(), &CEditorContext::Notified, view.get(),
                         [v = view.get()](const CNotification& n, QObject* origin) { v->OnNotification(n, origin); });
        notifications.clear();
    }
    template <class T> T* Find(int number) { return Control<T>(*view, number); }
    CFreqEdit* Frequency(int number) { return Find<CFreqEdit>(number); }
    QComboBox* Combo(int number) { return Find<QComboBox>(number); }
    int Count() const { return static_cast<int>(data->Channels().size()); }

    // Both pages shown, and every enabled control the user could pass through
    // left again without a change.
    void Visit()
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

} // namespace

class ChannelViewTest : public QObject {
    Q_OBJECT

private slots:
    void TypedFrequenciesAreStoredOnTheirRaster_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("stepCode");
        QTest::addColumn<bool>("outOfRange");
        QTest::newRow("receive on 6.25 kHz") << kRxFrequency << "446.00625"
                                             << "446.00625" << QByteArray::fromHex("25066044") << 3 << false;
        QTest::newRow("receive on 5 kHz") << kRxFrequency << "446.005"
                                          << "446.00500" << QByteArray::fromHex("00056044") << 2 << false;
        QTest::newRow("receive off both rasters") << kRxFrequency << "446.0052"
                                                  << "446.00000" << QByteArray::fromHex("00006044") << 3 << false;
        QTest::newRow("receive above the range") << kRxFrequency << "480"
                                                 << "470.00000" << QByteArray::fromHex("00000047") << 3 << true;
        QTest::newRow("transmit on 5 kHz") << kTxFrequency << "450.015"
                                           << "450.01500" << QByteArray::fromHex("00150045") << 2 << false;
        QTest::newRow("transmit below the range") << kTxFrequency << "399.99"
                                                  << "400.00000" << QByteArray::fromHex("00000040") << 3 << true;
    }

    void TypedFrequenciesAreStoredOnTheirRaster()
    {
        QFETCH(int, control);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, word);
        QFETCH(int, stepCode);
        QFETCH(bool, outOfRange);
        CChannelFixture f;
        f.Open(1);
        const Image before = f.Stored();
        const bool receive = control == kRxFrequency;

        TypeOver(f.Frequency(control), typed);

        QCOMPARE(f.Frequency(control)->text(), shown);
        const Image after = f.Stored();
        const int own = receive ? 4 : 8;
        const int other = receive ? 8 : 4;
        QCOMPARE(Bytes(after, At(1, own), 4), word);
        QCOMPARE(Bytes(after, At(1, other), 4), Bytes(before, At(1, other), 4));
        const int steps = after[static_cast<std::size_t>(At(1, 16))];
        QCOMPARE(receive ? (steps & 0x0F) : (steps >> 4), stepCode);
        QCOMPARE(receive ? (steps >> 4) : (steps & 0x0F), 3); // the other side's code stays
        QCOMPARE(f.messages, outOfRange ? std::vector<int>{kOutOfRange} : std::vector<int>{});
        QVERIFY(Has(f.notifications, CNotification::Kind::Edited, static_cast<std::uint32_t>(control)));
        QCOMPARE(Has(f.notifications, CNotification::Kind::ValidChanged, kRxFrequency), receive);
    }

    void EmptyingTheReceiveFrequencyEmptiesTheChannel()
    {
        CChannelFixture f;
        f.Open(2);
        CFreqEdit* rx = f.Frequency(kRxFrequency);
        CFreqEdit* tx = f.Frequency(kTxFrequency);
        QVERIFY(tx->isEnabled());

        TypeOver(rx, {});

        QCOMPARE(tx->text(), QString());
        QVERIFY(!tx->isEnabled());
        Image image = f.Stored();
        QCOMPARE(Bytes(image, At(2, 4), 8), QByteArray::fromHex("ffffffffffffffff"));
        QVERIFY(!f.data->Channels()[2]->IsValid());
        QVERIFY(Has(f.notifications, CNotification::Kind::Edited, kRxFrequency));
        QVERIFY(Has(f.notifications, CNotification::Kind::ValidChanged, kRxFrequency));

        // A receive frequency again: transmit may be typed, and stays empty until it is.
        TypeOver(rx, QStringLiteral("446.1"));
        QVERIFY(tx->isEnabled());
        QCOMPARE(tx->text(), QString());
        image = f.Stored();
        QCOMPARE(Bytes(image, At(2, 4), 8), QByteArray::fromHex("00006144ffffffff"));
        QVERIFY(f.data->Channels()[2]->IsValid());
    }

    void ToneTypesEnableTheirCombos_data()
    {
        QTest::addColumn<int>("typeCombo");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("ctcssEnabled");
        QTest::addColumn<bool>("cdcssEnabled");
        QTest::addColumn<int>("toneWord");
        // The default channel: CTCSS 94.8 (index 12), bit 12 set.
        QTest::newRow("receive none") << kRxType << 0 << false << false << 0x100C;
        QTest::newRow("receive CTCSS") << kRxType << 1 << true << false << 0x500C;
        QTest::newRow("receive CDCSS") << kRxType << 2 << false << true << 0x9002;
        QTest::newRow("receive CDCSS invert") << kRxType << 3 << false << true << 0xD002;
        QTest::newRow("transmit none") << kTxType << 0 << false << false << 0x100C;
        QTest::newRow("transmit CDCSS") << kTxType << 2 << false << true << 0x9002;
        QTest::newRow("transmit CDCSS invert") << kTxType << 3 << false << true << 0xD002;
    }

    void ToneTypesEnableTheirCombos()
    {
        QFETCH(int, typeCombo);
        QFETCH(int, type);
        QFETCH(bool, ctcssEnabled);
        QFETCH(bool, cdcssEnabled);
        QFETCH(int, toneWord);
        CChannelFixture f;
        f.Open(0);
        const bool receive = typeCombo == kRxType;

        Choose(f.Combo(typeCombo), type);

        QCOMPARE(f.Combo(receive ? kRxCtcss : kTxCtcss)->isEnabled(), ctcssEnabled);
        QCOMPARE(f.Combo(receive ? kRxCdcss : kTxCdcss)->isEnabled(), cdcssEnabled);
        // The other side keeps its CTCSS combo.
        QVERIFY(f.Combo(receive ? kTxCtcss : kRxCtcss)->isEnabled());
        QVERIFY(!f.Combo(receive ? kTxCdcss : kRxCdcss)->isEnabled());
        const Image image = f.Stored();
        QCOMPARE(Word16(image, At(0, receive ? 12 : 14)), toneWord);
        QCOMPARE(Word16(image, At(0, receive ? 14 : 12)), 0x500C);
    }

    // A typed tone outside the table is refused with a message; the tone shown before stays.
    void TypedTonesAreLookedUp_data()
    {
        QTest::addColumn<int>("typeCombo");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("toneCombo");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("toneWord");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("message");
        QTest::newRow("CTCSS in the table") << kRxType << 1 << kRxCtcss << "67.0" << 0x5002 << "67.0" << 0;
        QTest::newRow("CTCSS not in the table") << kRxType << 1 << kRxCtcss << "66.6" << 0x500C << "94.8" << kCtcssNo;
        QTest::newRow("CTCSS below the lowest") << kTxType << 1 << kTxCtcss << "20.0" << 0x500C << "94.8" << kCtcssNo;
        QTest::newRow("CDCSS in the table") << kRxType << 2 << kRxCdcss << "023" << 0x9002 << "023" << 0;
        QTest::newRow("CDCSS not in the table") << kRxType << 2 << kRxCdcss << "024" << 0x9002 << "023" << kCdcssNo;
        QTest::newRow("CDCSS above 777") << kTxType << 3 << kTxCdcss << "800" << 0xD002 << "023" << kCdcssNo;
        QTest::newRow("CDCSS last code") << kTxType << 3 << kTxCdcss << "754" << 0xD06B << "754" << 0;
    }

    void TypedTonesAreLookedUp()
    {
        QFETCH(int, typeCombo);
        QFETCH(int, type);
        QFETCH(int, toneCombo);
        QFETCH(QString, typed);
        QFETCH(int, toneWord);
        QFETCH(QString, shown);
        QFETCH(int, message);
        CChannelFixture f;
        f.Open(0);
        Choose(f.Combo(typeCombo), type);
        f.messages.clear();

        TypeOver(f.Combo(toneCombo)->lineEdit(), typed);

        QCOMPARE(Word16(f.Stored(), At(0, typeCombo == kRxType ? 12 : 14)), toneWord);
        QCOMPARE(f.Combo(toneCombo)->currentText(), shown);
        QCOMPARE(f.messages, message == 0 ? std::vector<int>{} : std::vector<int>{message});
    }

    // The transmit side takes the receive frequency with its step code and tone;
    // a receive-only channel too.
    void CopyReceiveToTransmit_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("receiveOnly");
        QTest::newRow("both sides") << 0 << false;
        QTest::newRow("receive only") << 1 << true;
    }

    void CopyReceiveToTransmit()
    {
        QFETCH(int, channel);
        QFETCH(bool, receiveOnly);
        CChannelFixture f;
        if (receiveOnly) {
            f.data->Channels()[static_cast<std::size_t>(channel)]->SetTxFrequency(kNoFrequency);
            f.data->Channels()[static_cast<std::size_t>(channel)]->SetTxStepCode(kNoStepCode);
        }
        f.Open(channel);
        TypeOver(f.Frequency(kRxFrequency), QStringLiteral("446.005"));
        Choose(f.Combo(kRxType), 2);
        TypeOver(f.Combo(kRxCdcss)->lineEdit(), QStringLiteral("754"));
        f.notifications.clear();

        f.Find<QPushButton>(kCopy)->click();

        const Image image = f.Stored();
        QCOMPARE(Bytes(image, At(channel, 4), 4), QByteArray::fromHex("00056044"));
        QCOMPARE(Bytes(image, At(channel, 8), 4), Bytes(image, At(channel, 4), 4));
        QCOMPARE(Word16(image, At(channel, 12)), 0x906B);
        QCOMPARE(Word16(image, At(channel, 14)), 0x906B);
        QCOMPARE(int(image[static_cast<std::size_t>(At(channel, 16))]), 0x22); // both on the 5 kHz raster
        // The page shows the copy.
        QCOMPARE(f.Frequency(kTxFrequency)->text(), QStringLiteral("446.00500"));
        QCOMPARE(f.Combo(kTxCdcss)->currentText(), QStringLiteral("754"));
        QVERIFY(f.Combo(kTxCdcss)->isEnabled());
        QVERIFY(!f.Combo(kTxCtcss)->isEnabled());
        QVERIFY(Has(f.notifications, CNotification::Kind::Edited, kCopy));
    }

    void RecordCommandsAddAndDeleteChannels()
    {
        CChannelFixture f;
        f.Open(0);
        QCOMPARE(f.Count(), kMaxChannels);
        Image before = f.Stored();

        // A 17th channel does not exist.
        f.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(f.Count(), kMaxChannels);
        QCOMPARE(f.view->CurrentPosition(), 0);
        QCOMPARE(FirstDifference(f.Stored(), before), -1);

        std::vector<QByteArray> records;
        for (int i = 0; i < kMaxChannels; ++i)
            records.push_back(Bytes(before, At(i, 4), kRecordSize - 4));

        // The last one deleted: the new last is current.
        f.view->Navigate(record_command::kGoTo, 15);
        f.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(f.Count(), 15);
        QCOMPARE(f.view->CurrentPosition(), 14);
        // One in the middle: the one that takes its place is current and shown.
        f.view->Navigate(record_command::kGoTo, 5);
        f.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(f.Count(), 14);
        QCOMPARE(f.view->CurrentPosition(), 5);
        QCOMPARE(f.Frequency(kRxFrequency)->text(), QStringLiteral("446.08125"));
        QVERIFY(Has(f.notifications, CNotification::Kind::Deleted, 0));

        records.erase(records.begin() + 15);
        records.erase(records.begin() + 5);
        Image image = f.Stored();
        for (int i = 0; i < 14; ++i)
            QCOMPARE(Bytes(image, At(i, 4), kRecordSize - 4), records[static_cast<std::size_t>(i)]);
        QCOMPARE(Word16(image, At(0, 0)), At(13, 0)); // the first points back to the last
        QCOMPARE(Word16(image, At(13, 2)), kTable);   // and the last on to the first
        QCOMPARE(Bytes(image, At(14, 0), kRecordSize), QByteArray(kRecordSize, '\xff'));

        // Down to one; the last one is never deleted.
        while (f.Count() > 1)
            f.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(f.view->CurrentPosition(), 0);
        before = f.Stored();
        f.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(f.Count(), 1);
        QCOMPARE(FirstDifference(f.Stored(), before), -1);

        // Up to sixteen again: each new one is the default of its place, and current.
        f.notifications.clear();
        while (f.Count() < kMaxChannels)
            f.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(f.view->CurrentPosition(), 15);
        QCOMPARE(f.notifications.size(), std::size_t{15});
        image = f.Stored();
        QCOMPARE(Bytes(image, At(1, 4), 16), QByteArray::fromHex("75186044751860440d500d5033000000"));
        QCOMPARE(Bytes(image, At(15, 4), 16), QByteArray::fromHex("75936044759360441b501b5033000040"));
        QCOMPARE(f.Frequency(kRxFrequency)->text(), QStringLiteral("446.09375"));
        QVERIFY(f.Find<QCheckBox>(kAutoStartScan)->isChecked());
        f.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(f.Count(), kMaxChannels);
    }

    void DeletingAScanMemberEmptiesItsSlot()
    {
        CChannelFixture f;
        QCOMPARE(Bytes(f.Stored(), kScanMembers, 4), QByteArray::fromHex("01020304"));
        const CScanListData& scan = *f.data->ScanLists()[0];
        f.Open(2);

        f.view->Navigate(record_command::kDelete, 0);

        QVERIFY(f.data->InvalidLog().Contains(scan.SlotKey(3)));
        QCOMPARE(f.data->InvalidLog().Count(), 1);
        QVERIFY(f.data->CheckAll());
        QVERIFY(f.data->InvalidLog().Contains(scan.SlotKey(3)));
        // The members behind it move up with their channels.
        QCOMPARE(Bytes(f.Stored(), kScanMembers, 16), QByteArray::fromHex("0102ff030405060708090a0b0c0d0e0f"));
    }

    void ExtendedTonesBelowTheFactoryLevel()
    {
        CChannelFixture f;
        f.data->Channels()[1]->SetRxTone(0x5003); // 69.3 Hz, an extended tone
        f.data->Channels()[1]->SetTxTone(0x9001); // CDCSS 017, an extended code
        const Image before = f.Stored();
        f.Open(1);
        QComboBox* ctcss = f.Combo(kRxCtcss);
        QComboBox* cdcss = f.Combo(kTxCdcss);
        QCOMPARE(ctcss->currentText(), QStringLiteral("69.3"));
        QVERIFY(ctcss->findText(QStringLiteral("69.3")) >= 0);
        QCOMPARE(ctcss->findText(QStringLiteral("63.0")), -1);
        QCOMPARE(ctcss->count(), 38 + 1); // 51 tones, 13 of them extended
        QCOMPARE(cdcss->currentText(), QStringLiteral("017"));
        QCOMPARE(cdcss->count(), 83 + 1); // 107 codes, 24 of them extended

        f.Visit();
        f.view->StorePages();
        QCOMPARE(FirstDifference(f.Stored(), before), -1);

        // Another channel does not offer them.
        f.view->Navigate(record_command::kFirst, 0);
        QCOMPARE(ctcss->count(), 38);
        QCOMPARE(ctcss->findText(QStringLiteral("69.3")), -1);
        QCOMPARE(cdcss->count(), 83);
    }

    void ExtendedTonesAtTheFactoryLevel()
    {
        CChannelFixture f(CSettings::kFactoryLevel);
        f.Open(0);
        QComboBox* ctcss = f.Combo(kRxCtcss);
        QCOMPARE(ctcss->count(), 51);
        QCOMPARE(f.Combo(kRxCdcss)->count(), 107);
        const int index = ctcss->findText(QStringLiteral("69.3"));
        QVERIFY(index >= 0);
        ctcss->setCurrentIndex(index);
        emit ctcss->activated(index);
        QCOMPARE(Word16(f.Stored(), At(0, 12)), 0x5003);
    }

    void MiscPageStoresPersonalityAndAutoStartScan()
    {
        CChannelFixture f;
        f.Open(0);
        QComboBox* personality = f.Combo(kPersonality);
        QCOMPARE(personality->count(), 1);
        QCOMPARE(personality->currentText(), QStringLiteral("1"));

        // A personality added elsewhere appears in the list.
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.context->Notify({CNotification::Kind::Added, 0}, nullptr);
        QCOMPARE(personality->count(), 2);
        // The first one becomes invalid: channels on it are reported and it is not offered.
        f.data->Personalities()[0]->SetValid(false);
        f.context->Notify({CNotification::Kind::Deleted, 0}, nullptr);
        const std::uint32_t key0 = f.data->Channels()[0]->CheckKey();
        const std::uint32_t key1 = f.data->Channels()[1]->CheckKey();
        QVERIFY(f.data->InvalidLog().Contains(key0));
        QCOMPARE(personality->count(), 1);
        QCOMPARE(personality->currentIndex(), -1);

        personality->setCurrentIndex(0);
        emit personality->activated(0);

        QCOMPARE(personality->currentText(), QStringLiteral("2"));
        QCOMPARE(f.data->Channels()[0]->PersonalityId(), f.data->Personalities()[1]->TreeId());
        QVERIFY(!f.data->InvalidLog().Contains(key0));
        QVERIFY(f.data->InvalidLog().Contains(key1));
        Image image = f.Stored();
        QCOMPARE(int(image[At(0, 18)]), 1);

        QCheckBox* scan = f.Find<QCheckBox>(kAutoStartScan);
        QVERIFY(!scan->isChecked());
        scan->click();
        image = f.Stored();
        QCOMPARE(int(image[At(0, 19)]), 0x40);
        scan->click();
        QCOMPARE(int(f.Stored()[At(0, 19)]), 0x00);
        QVERIFY(Has(f.notifications, CNotification::Kind::Edited, kAutoStartScan));
    }

    void BasicPageReloadsOnAChannelListCell()
    {
        CChannelFixture f;
        f.Open(0);
        f.data->Channels()[0]->SetRxFrequency(0x44612500);
        f.view->OnNotification({CNotification::Kind::CellEdited, 0}, nullptr);
        QCOMPARE(f.Frequency(kRxFrequency)->text(), QStringLiteral("446.00625"));
        f.view->OnNotification({CNotification::Kind::CellEdited, CNotification::kCellEditedData}, nullptr);
        QCOMPARE(f.Frequency(kRxFrequency)->text(), QStringLiteral("446.12500"));
    }

    void UntouchedChannelsStoreTheSameBytes_data()
    {
        QTest::addColumn<bool>("odd");
        QTest::newRow("default image") << false;
        QTest::newRow("odd but legal contents") << true;
    }

    void UntouchedChannelsStoreTheSameBytes()
    {
        QFETCH(bool, odd);
        CChannelFixture f;
        if (odd) {
            Image image = f.data->GetImage();
            const auto put = [&image](int channel, int offset, const QByteArray& bytes) {
                std::copy(bytes.begin(), bytes.end(), image.begin() + At(channel, offset));
            };
            put(0, 12, QByteArray::fromHex("05806bc0"));        // CDCSS 031 and CDCSS invert 754, bit 12 clear
            put(1, 8, QByteArray::fromHex("ffffffff"));         // receive only
            put(2, 4, QByteArray::fromHex("0005604400150045")); // both on the 5 kHz raster
            put(2, 16, QByteArray::fromHex("22"));
            put(3, 17, QByteArray::fromHex("1200bf"));   // spacing 2, power 1, every flag but auto start scan
            put(4, 12, QByteArray::fromHex("bc2a"));     // no tone, the other bits kept
            put(5, 12, QByteArray::fromHex("03500190")); // extended 69.3 Hz and 017
            put(6, 18, QByteArray::fromHex("01"));       // the second personality
            put(7, 4, QByteArray::fromHex("00056044"));  // a stored step code off the raster
            put(8, 19, QByteArray::fromHex("40"));
            const QByteArray personality = QByteArray::fromHex("ff013c000000c0ff");
            std::copy(personality.begin(), personality.end(), image.begin() + 0x138);
            f.data->LoadFromImage(image);
            QCOMPARE(f.data->Personalities().size(), std::size_t{2});
            QCOMPARE(f.data->Channels()[6]->PersonalityId(), f.data->Personalities()[1]->TreeId());
        }
        const Image before = f.Stored();
        for (int position = 0; position < f.Count(); ++position) {
            f.Open(position);
            f.Visit();
            f.view->StorePages();
            const int changed = FirstDifference(f.Stored(), before);
            QVERIFY2(changed < 0,
                     qPrintable(QStringLiteral("channel %1 changed byte 0x%2").arg(position).arg(changed, 0, 16)));
        }
        QCOMPARE(f.messages, std::vector<int>{});
    }
};

QRV_REGISTER_UI_TEST(ChannelViewTest);
} // namespace qrv

#include "test_channel_view.moc"
