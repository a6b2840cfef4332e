// The scan view as a dealer meets it: the designated and priority channels
// offered only when their modes use them, channel lists that follow channels
// added and deleted elsewhere, and untouched scan lists that keep every byte.
#include "editor_fixture.h"
#include "editors/common/editor_sheet.h"
#include "editors/scan/view_scan.h"
#include "records/scan_list_data.h"
#include "ui_test_registry.h"

namespace qrv {

namespace {

using test::Bytes;
using test::Hex;
using S = CScanListData;
using Kind = CNotification::Kind;
constexpr int kFirstSlot = S::kFirstSlotControl + 1;
// The channel controls a mode offers.
constexpr int kDesignated = 1;
constexpr int kPriority = 2;
constexpr int kSweep = 4;

struct CFixture : test::CViewFixture<CViewScan> {
    using CViewFixture::CViewFixture;
    QComboBox* Slot(int k) const { return Find(kFirstSlot + k - 1); }
    Bytes Record(std::size_t index = 0) { return test::BytesAt(Stored(), S::kTableStart + S::kRecordSize * index, 32); }
    // A channel deleted in another window.
    void DeleteChannel(std::size_t index)
    {
        data->Channels().erase(data->Channels().begin() + static_cast<std::ptrdiff_t>(index));
        context->Notify({Kind::Deleted, 0}, nullptr);
    }
    void ExpectOffered(int offered) const
    {
        QCOMPARE(Find(S::kDesignatedControl)->isEnabled(), (offered & kDesignated) != 0);
        QCOMPARE(Find(S::kPriorityControl)->isEnabled(), (offered & kPriority) != 0);
        QCOMPARE(Find(S::kSweepTimeList)->isEnabled(), (offered & kSweep) != 0);
    }
};

// A mode chosen, maybe a channel or mode after it: the bytes from offset on, and the channel controls
// offered, then and when the list is loaded again. (Which bits each control owns is the ownership table's.)
struct CScanChoiceRow {
    const char *name, *text;
    int control, then;
    const char* thenText;
    std::size_t offset;
    const char* bytes;
    int offered;
};
// clang-format off
const CScanChoiceRow kChoiceRows[] = {
    {"priority selected, sweep", "Selected Channel", S::kPriorityModeList, S::kSweepTimeList, "500", 6, "c202", kSweep},
    {"priority designated, sweep", "Designated Channel", S::kPriorityModeList, S::kSweepTimeList, "4000", 6, "c110",
     kPriority | kSweep},
    {"priority channel", "Designated Channel", S::kPriorityModeList, S::kPriorityControl, "9", 6, "c10809",
     kPriority | kSweep},
    {"no priority again", "Designated Channel", S::kPriorityModeList, S::kPriorityModeList, "None", 6, "c0", 0},
    {"transmit on priority", "Priority Channel", S::kTxModeList, 0, nullptr, 10, "fb", 0},
    {"transmit on last active", "Last Active Channel", S::kTxModeList, 0, nullptr, 10, "fa", 0},
    {"designated channel", "Designated Channel", S::kTxModeList, S::kDesignatedControl, "7", 10, "f907", kDesignated},
    {"selected again", "Designated Channel", S::kTxModeList, S::kTxModeList, "Selected Channel", 10, "f8", 0},
};
// clang-format on

} // namespace

class ScanViewTest : public QObject {
    Q_OBJECT

private slots:
    void ModesOfferTheirChannels_data() { test::AddRows(kChoiceRows); }
    void ModesOfferTheirChannels()
    {
        QFETCH(CScanChoiceRow, row);
        CFixture f;
        f.Open();
        QVERIFY(f.Choose(row.control, QString::fromLatin1(row.text)));
        if (row.then != 0)
            QVERIFY(f.Choose(row.then, QString::fromLatin1(row.thenText)));
        const Bytes bytes = Hex(row.bytes);
        QCOMPARE(test::BytesAt(f.Stored(), S::kTableStart + row.offset, bytes.size()), bytes);
        QCOMPARE(f.notifications.size(), std::size_t{row.then != 0 ? 2U : 1U});
        QVERIFY(f.Heard(Kind::Edited, static_cast<std::uint32_t>(row.then != 0 ? row.then : row.control)));
        f.ExpectOffered(row.offered);
        f.view->Navigate(record_command::kAdd, 0); // a new default list offers none
        f.ExpectOffered(0);
        f.view->Navigate(record_command::kFirst, 0);
        f.ExpectOffered(row.offered);
    }

    void ChannelListsFollowChannelsDeletedAndAddedElsewhere()
    {
        CFixture f;
        f.Open();
        f.DeleteChannel(2);
        QCOMPARE(f.Slot(16)->count(), 15);
        QCOMPARE(f.Find(S::kDesignatedControl)->count(), 15);
        QCOMPARE(f.Slot(3)->currentIndex(), -1);
        QCOMPARE(f.Slot(4)->currentText(), QStringLiteral("3")); // channel 4 is now the third
        const auto& entries = f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(entries[0].title), QStringLiteral("Channel 3"));
        // A new choice in that slot clears its entry.
        QVERIFY(f.Choose(kFirstSlot + 2, QStringLiteral("5")));
        QCOMPARE(f.data->InvalidLog().Count(), 0);
        QCOMPARE(f.Record()[18], std::uint8_t{5});
        // A channel added elsewhere can be chosen at once.
        f.data->Channels().push_back(std::make_unique<CChannelData>(std::size_t{15}));
        f.context->Notify({Kind::Added, 0}, nullptr);
        QVERIFY(f.Choose(kFirstSlot, QStringLiteral("16")));
        QCOMPARE(f.Record()[16], std::uint8_t{16});
    }

    // Legal values are shown, not merely carried, and no byte moves.
    void UntouchedScanListsKeepEveryByte()
    {
        CFixture f;
        // Every legal mode, a short and a full member list, empty slots, odd bytes where no control edits.
        f.data->LoadFromImage(
            test::WithBytes(f.Stored(), S::kTableStart,
                            Hex("1234567803 1b3d100c99510e1ee64224 0aff031001ff0707020bff0c0d050609"
                                "0001020310 01c201ff00031000000000 100f0e0d0c0b0a090807060504030201")));
        QCOMPARE(f.data->ScanLists().size(), std::size_t{2});
        const Image before = f.Stored();
        f.Open();
        for (std::size_t i = 0; i < 2; ++i) {
            f.view->Navigate(record_command::kGoTo, static_cast<int>(i));
            f.view->Sheet()->setCurrentIndex(1);
            const Bytes record = f.Record(i);
            for (int k = 1; k <= 16; ++k) {
                const std::uint8_t member = record[15 + static_cast<std::size_t>(k)];
                QCOMPARE(f.Slot(k)->currentText(), member == 0xFF ? QString() : QString::number(member));
            }
        }
        f.view->StorePages();
        f.view.reset();
        QVERIFY(f.Stored() == before);
    }
};

QRV_REGISTER_UI_TEST(ScanViewTest);

} // namespace qrv

#include "test_scan_view.moc"
