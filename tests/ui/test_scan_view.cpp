// The scan view as a dealer meets it: every control stored at its bits, the
// designated and priority channels offered only when their modes use them,
// member slots beyond the entry count, channel lists that follow channels
// added and deleted elsewhere with the reference check, adding and deleting
// scan lists, and untouched scan lists that keep every byte.
#include "editor_fixture.h"
#include "editors/common/editor_sheet.h"
#include "editors/scan/view_scan.h"
#include "records/scan_list_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::Control;

using S = CScanListData;
constexpr int kScanMode = S::kScanModeList;
constexpr int kPriorityMode = S::kPriorityModeList;
constexpr int kPriorityChannel = S::kPriorityControl;
constexpr int kSweepTime = S::kSweepTimeList;
constexpr int kTxMode = S::kTxModeList;
constexpr int kHangTime = S::kHangTimeList;
constexpr int kDesignatedChannel = S::kDesignatedControl;
constexpr int kEntryCount = S::kEntryCountList;
constexpr int kFirstSlot = S::kFirstSlotControl + 1;
constexpr std::size_t kTable = 0x210;
constexpr std::size_t kRecord = 32;
constexpr std::size_t kMembers = 16;

const Bytes kDefault{0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0xE6, 0xC0, 0x08, 0x01, 0x02, 0xF8, 0x01, 0x03, 0x0F, 0xFE, 0xFF,
                     0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};

Bytes RecordOf(const Image& image, std::size_t index)
{
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(kTable + kRecord * index);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(kRecord));
}

// Two scan lists with every legal mode, a short and a full member list, slots
// left empty, and unusual bytes in the fields no control edits.
Image WithUnusualScanLists(Image image)
{
    const Bytes first{0x12, 0x34, 0x56, 0x78, 0x03, 0x1B, 0x3D, 0x10, 0x0C, 0x99, 0x51, 0x0E, 0x1E, 0xE6, 0x42, 0x24,
                      0x0A, 0xFF, 0x03, 0x10, 0x01, 0xFF, 0x07, 0x07, 0x02, 0x0B, 0xFF, 0x0C, 0x0D, 0x05, 0x06, 0x09};
    const Bytes second{0x00, 0x01, 0x02, 0x03, 0x10, 0x01, 0xC2, 0x01, 0xFF, 0x00, 0x03, 0x10, 0x00, 0x00, 0x00, 0x00,
                       0x10, 0x0F, 0x0E, 0x0D, 0x0C, 0x0B, 0x0A, 0x09, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01};
    std::copy(first.begin(), first.end(), image.begin() + kTable);
    std::copy(second.begin(), second.end(), image.begin() + kTable + kRecord);
    return image;
}

// A scan view on the fixture's codeplug that hears the notifications as the main window passes them on.
struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewScan> view;

    void Open(int position = 0)
    {
        view = std::make_unique<CViewScan>(*f.context, position);
        QObject::connect(f.context.get(), &CEditorContext::Notified, view.get(),
                         [this](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    QComboBox* Combo(int number) const { return Control<QComboBox>(*view, number); }
    QComboBox* Slot(int k) const { return Combo(kFirstSlot + k - 1); }
    // A user's choice of the entry with that text; false when the combo does not offer it.
    bool Choose(int number, const QString& text) const
    {
        QComboBox* combo = Combo(number);
        const int index = combo && combo->isEnabled() ? combo->findText(text) : -1;
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    Bytes Stored(std::size_t index = 0) { return RecordOf(f.Stored(), index); }
    // A channel deleted in another window.
    void DeleteChannel(std::size_t index)
    {
        f.data->Channels().erase(f.data->Channels().begin() + static_cast<std::ptrdiff_t>(index));
        f.context->Notify({CNotification::Kind::Deleted, 0}, nullptr);
    }
    std::uint32_t Key(int control, std::size_t list = 0) const
    {
        return f.data->ScanLists()[list]->TreeId() + static_cast<std::uint32_t>(control) + 0xFFFF;
    }
    std::vector<int> LoggedControls() const
    {
        std::vector<int> controls;
        for (const CInvalidEntry& entry : f.data->InvalidLog().Entries())
            controls.push_back(entry.control);
        return controls;
    }
};

// Member bytes 1..16 of a stored record.
Bytes Members(const Bytes& record)
{
    return Bytes(record.begin() + 16, record.end());
}

} // namespace

class ScanViewTest : public QObject {
    Q_OBJECT

private slots:
    void PagesShowTheDefaultScanList()
    {
        CViewFixture v;
        v.Open();
        QCOMPARE(v.view->Sheet()->count(), 2);
        QCOMPARE(v.view->Sheet()->tabText(0), QStringLiteral("Configuration"));
        QCOMPARE(v.view->Sheet()->tabText(1), QStringLiteral("Channel List"));
        QCOMPARE(Control<QLabel>(*v.view, S::kFirstSlotLabel + 3)->text(), QStringLiteral("Channel 3"));
        QCOMPARE(Control<QCheckBox>(*v.view, S::kTalkbackCheck)->text(), QStringLiteral("Talkback Enable"));
        QCOMPARE(v.Combo(kScanMode)->currentText(), QStringLiteral("Channel CTCSS/CDCSS"));
        QCOMPARE(v.Combo(kSweepTime)->currentText(), QStringLiteral("2000"));
        QCOMPARE(v.Combo(kHangTime)->currentText(), QStringLiteral("3"));
        QCOMPARE(v.Combo(kEntryCount)->currentText(), QStringLiteral("16"));
        QCOMPARE(v.Slot(1)->count(), 16);
        for (int k = 1; k <= 16; ++k) {
            QCOMPARE(v.Slot(k)->currentText(), QString::number(k));
            QVERIFY(v.Slot(k)->isEnabled());
        }
        QCOMPARE(v.Combo(kDesignatedChannel)->currentText(), QStringLiteral("1"));
        QVERIFY(!v.Combo(kDesignatedChannel)->isEnabled());
        QVERIFY(!v.Combo(kPriorityChannel)->isEnabled());
        QVERIFY(!v.Combo(kSweepTime)->isEnabled());
    }

    void EveryControlIsStoredAtItsBits()
    {
        using Choice = std::pair<int, const char*>;
        struct Case {
            std::vector<Choice> choices;                             // control and entry text; a check box is clicked
            std::vector<std::pair<std::size_t, std::uint8_t>> bytes; // what changes in the record
        };
        const std::vector<Case> cases{
            {{{kScanMode, "Carrier"}}, {{5, 0xE2}}},
            {{{kScanMode, "Off"}}, {{5, 0xE0}}},
            {{{kPriorityMode, "Selected Channel"}}, {{6, 0xC2}}},
            {{{kPriorityMode, "Selected Channel"}, {kSweepTime, "500"}}, {{6, 0xC2}, {7, 0x02}}},
            {{{kPriorityMode, "Designated Channel"}, {kSweepTime, "4000"}}, {{6, 0xC1}, {7, 0x10}}},
            {{{kPriorityMode, "Designated Channel"}, {kPriorityChannel, "9"}}, {{6, 0xC1}, {8, 0x09}}},
            {{{kTxMode, "Priority Channel"}}, {{10, 0xFB}}},
            {{{kTxMode, "Designated Channel"}, {kDesignatedChannel, "7"}}, {{10, 0xF9}, {11, 0x07}}},
            {{{kHangTime, "30"}}, {{12, 0x1E}}},
            {{{kHangTime, "0"}}, {{12, 0x00}}},
            {{{3861, nullptr}}, {{10, 0xF0}}},
            {{{3855, nullptr}}, {{13, 0x0E}}},
            {{{3856, nullptr}}, {{13, 0x0D}}},
            {{{3857, nullptr}}, {{13, 0x1F}}},
            {{{kEntryCount, "1"}}, {{4, 0x01}}},
            {{{kFirstSlot + 15, "2"}}, {{31, 0x02}}},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            v.f.notifications.clear();
            for (const auto& [control, text] : c.choices) {
                if (text == nullptr)
                    Control<QCheckBox>(*v.view, control)->click();
                else
                    QVERIFY2(v.Choose(control, QString::fromUtf8(text)), qPrintable(QString::number(control)));
            }
            Bytes expected = kDefault;
            for (const auto& [byte, value] : c.bytes)
                expected[byte] = value;
            QCOMPARE(v.Stored(), expected);
            QCOMPARE(v.f.notifications.size(), c.choices.size());
            QCOMPARE(v.f.notifications.back().data, static_cast<std::uint32_t>(c.choices.back().first));
        }
    }

    void ModesDecideWhichChannelsAreOffered()
    {
        struct TxCase {
            const char* text;
            bool designated;
        };
        struct PriorityCase {
            const char* text;
            bool channel, sweep;
        };
        CViewFixture v;
        v.Open();
        for (const TxCase& c : {TxCase{"Designated Channel", true}, TxCase{"Selected Channel", false},
                                TxCase{"Last Active Channel", false}, TxCase{"Priority Channel", false}}) {
            QVERIFY(v.Choose(kTxMode, QString::fromUtf8(c.text)));
            QCOMPARE(v.Combo(kDesignatedChannel)->isEnabled(), c.designated);
        }
        for (const PriorityCase& c :
             {PriorityCase{"Designated Channel", true, true}, PriorityCase{"Selected Channel", false, true},
              PriorityCase{"None", false, false}}) {
            QVERIFY(v.Choose(kPriorityMode, QString::fromUtf8(c.text)));
            QCOMPARE(v.Combo(kPriorityChannel)->isEnabled(), c.channel);
            QCOMPARE(v.Combo(kSweepTime)->isEnabled(), c.sweep);
        }
        // A designated channel chosen once stays in the record while its mode is off.
        QVERIFY(v.Choose(kTxMode, QStringLiteral("Designated Channel")));
        QVERIFY(v.Choose(kDesignatedChannel, QStringLiteral("12")));
        QVERIFY(v.Choose(kTxMode, QStringLiteral("Last Active Channel")));
        QVERIFY(!v.Combo(kDesignatedChannel)->isEnabled());
        QCOMPARE(int(v.Stored()[11]), 12);

        // The rules hold when a scan list is shown, too.
        v.view.reset();
        v.f.data->ScanLists()[0]->SetTxMode(1);
        v.f.data->ScanLists()[0]->SetPriorityMode(2);
        v.Open();
        QVERIFY(v.Combo(kDesignatedChannel)->isEnabled());
        QVERIFY(!v.Combo(kPriorityChannel)->isEnabled());
        QVERIFY(v.Combo(kSweepTime)->isEnabled());
    }

    void SlotsBeyondTheEntryCountAreDisabledButKept()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(kEntryCount, QStringLiteral("3")));
        for (int k = 1; k <= 16; ++k)
            QCOMPARE(v.Slot(k)->isEnabled(), k <= 3);
        Bytes expected = kDefault;
        expected[4] = 3;
        QCOMPARE(v.Stored(), expected);
        // Only the used slots take part in the check: channel 5 sits in slot 5, channel 2 in slot 2.
        v.DeleteChannel(4);
        QCOMPARE(v.f.data->InvalidLog().Count(), 0);
        v.DeleteChannel(1);
        QCOMPARE(v.LoggedControls(), std::vector<int>{kFirstSlot + 1});
        // The unused slots still follow their channels.
        QCOMPARE(Members(v.Stored()), (Bytes{1, 0xFF, 2, 3, 0xFF, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
        QVERIFY(v.Choose(kEntryCount, QStringLiteral("16")));
        for (int k = 1; k <= 16; ++k)
            QVERIFY(v.Slot(k)->isEnabled());
    }

    void ChannelListsFollowChannelsDeletedAndAddedElsewhere()
    {
        CViewFixture v;
        v.Open();
        v.DeleteChannel(2);
        for (int k = 1; k <= 16; ++k)
            QCOMPARE(v.Slot(k)->count(), 15);
        QCOMPARE(v.Combo(kDesignatedChannel)->count(), 15);
        QCOMPARE(v.Slot(3)->currentIndex(), -1);
        QCOMPARE(v.Slot(4)->currentText(), QStringLiteral("3")); // channel 4 is now the third
        QCOMPARE(v.Slot(16)->currentText(), QStringLiteral("15"));

        const auto& entries = v.f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{1});
        QCOMPARE(entries[0].control, kFirstSlot + 2);
        QCOMPARE(entries[0].key, v.Key(kFirstSlot + 2));
        QCOMPARE(QString::fromStdString(entries[0].title), QStringLiteral("Channel 3"));
        QCOMPARE(QString::fromStdString(entries[0].text), QStringLiteral("Scan : Channel List"));
        QCOMPARE(Members(v.Stored()), (Bytes{1, 2, 0xFF, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));

        // A new choice in that slot clears its entry.
        QVERIFY(v.Choose(kFirstSlot + 2, QStringLiteral("5")));
        QCOMPARE(v.f.data->InvalidLog().Count(), 0);
        QCOMPARE(int(v.Stored()[18]), 5);

        // A channel added elsewhere can be chosen at once.
        v.f.data->Channels().push_back(std::make_unique<CChannelData>(std::size_t{15}));
        v.f.context->Notify({CNotification::Kind::Added, 0}, nullptr);
        QCOMPARE(v.Slot(1)->count(), 16);
        QVERIFY(v.Choose(kFirstSlot, QStringLiteral("16")));
        QCOMPARE(int(v.Stored()[16]), 16);
    }

    void TheReferenceCheckCoversWhatIsInUse()
    {
        struct Case {
            const char* txMode;
            const char* priorityMode;
            const char* entries;
            std::size_t deleted; // 0-based channel position
            std::vector<int> logged;
        };
        const std::vector<Case> cases{
            {"Selected Channel", "None", "16", 0, {kFirstSlot}},
            {"Designated Channel", "None", "16", 0, {kFirstSlot, kDesignatedChannel}},
            {"Last Active Channel", "Designated Channel", "16", 0, {kFirstSlot, kPriorityChannel}},
            {"Designated Channel", "Designated Channel", "1", 0, {kFirstSlot, kDesignatedChannel, kPriorityChannel}},
            {"Designated Channel", "Selected Channel", "3", 4, {}},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            QVERIFY(v.Choose(kTxMode, QString::fromUtf8(c.txMode)));
            QVERIFY(v.Choose(kPriorityMode, QString::fromUtf8(c.priorityMode)));
            QVERIFY(v.Choose(kEntryCount, QString::fromUtf8(c.entries)));
            v.DeleteChannel(c.deleted);
            QCOMPARE(v.LoggedControls(), c.logged);
            for (const CInvalidEntry& entry : v.f.data->InvalidLog().Entries()) {
                QCOMPARE(entry.key, v.Key(entry.control));
                if (entry.control == kDesignatedChannel || entry.control == kPriorityChannel)
                    QCOMPARE(QString::fromStdString(entry.text), QStringLiteral("Scan : Configuration"));
                if (entry.control == kDesignatedChannel)
                    QCOMPARE(QString::fromStdString(entry.title), QStringLiteral("Designed Channel No"));
                if (entry.control == kPriorityChannel)
                    QCOMPARE(QString::fromStdString(entry.title), QStringLiteral("Priority Channel 1 No"));
            }
            // Channel 1 went: the designated and the priority channel store as none.
            if (c.deleted == 0) {
                const Bytes record = v.Stored();
                QCOMPARE(int(record[8]), 0xFF);
                QCOMPARE(int(record[11]), 0xFF);
            }
        }
    }

    void AddUpToTwoAndDeleteDownToOne()
    {
        CViewFixture v;
        v.Open();
        for (int i = 0; i < 3; ++i)
            v.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(v.f.data->ScanLists().size(), std::size_t{2});
        QCOMPARE(v.view->CurrentPosition(), 1);
        QCOMPARE(v.Stored(1), kDefault);
        QCOMPARE(v.Slot(16)->currentText(), QStringLiteral("16"));

        // Both lists lose channel 16; deleting the second takes its entry along.
        v.DeleteChannel(15);
        QCOMPARE(v.f.data->InvalidLog().Count(), 2);
        const std::uint32_t firstKey = v.Key(kFirstSlot + 15, 0);
        v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.f.data->ScanLists().size(), std::size_t{1});
        QCOMPARE(v.view->CurrentPosition(), 0);
        QCOMPARE(v.f.data->InvalidLog().Count(), 1);
        QVERIFY(v.f.data->InvalidLog().Contains(firstKey));
        v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.f.data->ScanLists().size(), std::size_t{1});
        QCOMPARE(v.Stored(1), Bytes(kRecord, 0xFF));
    }

    void UntouchedScanListsKeepEveryByte()
    {
        for (const bool unusual : {false, true}) {
            CViewFixture v;
            if (unusual)
                v.f.data->LoadFromImage(WithUnusualScanLists(v.f.Stored()));
            const Image before = v.f.Stored();
            const std::size_t count = v.f.data->ScanLists().size();
            QCOMPARE(count, std::size_t{unusual ? 2u : 1u});
            v.Open();
            for (std::size_t i = 0; i < count; ++i) {
                v.view->Navigate(record_command::kGoTo, static_cast<int>(i));
                for (int page = 0; page < v.view->Sheet()->count(); ++page)
                    v.view->Sheet()->setCurrentIndex(page);
                // Legal values are shown, not merely carried.
                const Bytes record = RecordOf(before, i);
                for (const int control : {kScanMode, kPriorityMode, kSweepTime, kTxMode, kHangTime, kEntryCount})
                    QVERIFY2(v.Combo(control)->currentIndex() >= 0, qPrintable(QString::number(control)));
                for (std::size_t k = 0; k < kMembers; ++k) {
                    const std::uint8_t member = record[16 + k];
                    QCOMPARE(v.Slot(static_cast<int>(k) + 1)->currentText(),
                             member == 0xFF ? QString() : QString::number(member));
                }
            }
            v.view->StorePages();
            v.view.reset();
            QVERIFY2(v.f.Stored() == before, unusual ? "unusual" : "default");
        }
    }
};

QRV_REGISTER_UI_TEST(ScanViewTest);

} // namespace qrv

#include "test_scan_view.moc"
