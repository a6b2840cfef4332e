// The editor windows as a dealer meets them (which bits each control owns is
// the round trip's): what each window stores, shows, enables and says after
// the user's steps, and again when opened on what it stored; the side keys
// and VOX, the emergency revert channel and the test frequencies; the
// channel's personality; deleting a personality channels use; scan lists
// that follow the channels. The record rules (rasters, tone look-ups, timer
// rules) are the records', tested with them.
#include "editor_fixture.h"
#include "editors/channel/view_channel.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/dtmf/dtmf_basic_page.h"
#include "editors/dtmf/view_dtmf_system.h"
#include "editors/emergency/numeric_edit.h"
#include "editors/emergency/view_emergency.h"
#include "editors/keys/view_keys.h"
#include "editors/personality/view_personality.h"
#include "editors/record_navigator.h"
#include "editors/scan/view_scan.h"
#include "editors/settings/view_microphone.h"
#include "editors/settings/view_miscellaneous.h"
#include "editors/settings/view_mode.h"
#include "editors/settings/view_volume.h"
#include "editors/settings/view_vox.h"
#include "editors/test_frequency/freq_grid.h"
#include "editors/test_frequency/view_test_frequency.h"
#include "records/test_frequency_data.h"
#include "ui_test_registry.h"

namespace qrv {

namespace {

using test::Bytes;
using test::Hex;
using test::MakeView;
using C = CChannelData;
using D = CDTMFBasicPage;
using E = CEmergencyData;
using M = CModePage;
using P = CPersonalityData;
using Misc = CMiscellaneousPage;
using S = CScanListData;
using Kind = CNotification::Kind;
constexpr int kFactory = CSettings::kFactoryLevel;

// A window: how it opens, at which level and position; where its record
// starts; the controls whose enabling the rows watch (bits, the first
// lowest); for a table of records, those a new default record enables (-1:
// none is added), and the control whose entries are counted with their count
// on a new record (0: none).
struct CWindow {
    test::ViewMaker make;
    int level, position;
    std::size_t base;
    std::vector<int> watched;
    int fresh = -1, counted = 0, freshCount = 0;
};

// clang-format off
const CWindow kMisc{MakeView<CViewMiscellaneous>(), 0, 0, 0, {Misc::kBatterySaveMode}};
const CWindow kMiscFactory{MakeView<CViewMiscellaneous>(), kFactory, 0, 0, {Misc::kVoiceLanguage}};
const CWindow kMode{MakeView<CViewMode>(), 0, 0, 0, {M::kFactoryClone}};
const CWindow kVolume{MakeView<CViewVolume>(), 0, 0, 0, {CVolumePage::kAlertTone}};
const CWindow kEmergency{MakeView<CViewEmergency>(), 0, 0, 0,
                         {E::kAlarmDurationSpin, E::kTxDurationEdit, E::kIdEdit, E::kRxDurationEdit}};
const CWindow kDtmf{MakeView<CViewDTMFSystem>(0), 0, 0, 0, {D::kPrimaryId}};
// Channel 2: 446.01875 MHz both sides, step codes 3, CTCSS 97.4, the range 400-470.
const CWindow kChannel{MakeView<CViewChannel>(1), 0, 1, test::ChannelByte(1, 0),
                       {C::kRxCtcssCombo, C::kRxCdcssCombo, C::kTxCtcssCombo, C::kTxCdcssCombo, C::kTxFrequencyEdit}};
const CWindow kPersonality{MakeView<CViewPersonality>(0), 0, 0, P::kTableStart,
                           {P::kTimeOutList, P::kPreAlertList, P::kReKeyList, P::kResetList, P::kTxAdmitList},
                           0b11111, P::kPreAlertList, 11};
const CWindow kScan{MakeView<CViewScan>(0), 0, 0, S::kTableStart,
                    {S::kDesignatedControl, S::kPriorityControl, S::kSweepTimeList}, 0};
// clang-format on

using CStep = std::pair<int, const char*>; // a control and the text chosen or typed; nullptr: a click

// After the steps: the watched controls enabled, the text a control shows
// (0: the last one stepped on; nullptr: not checked), the bytes from offset on
// (nullptr: not checked), the message (0: none), and the entries counted (-1:
// not checked); and so in the window opened again.
struct CStepRow {
    const char* name;
    const CWindow* window;
    std::vector<CStep> steps;
    int enabled;
    const char* shows;
    int shown = 0;
    std::size_t offset = 0;
    const char* bytes = nullptr;
    int message = 0, items = -1;
};
constexpr int kOutOfRange = msg::kFrequencyOutOfRange;
constexpr int kRxFreq = C::kRxFrequencyEdit, kTxFreq = C::kTxFrequencyEdit;
constexpr int kRxType = C::kRxTypeList, kTxType = C::kTxTypeList;
constexpr int kRxCtcss = C::kRxCtcssCombo, kRxCdcss = C::kRxCdcssCombo, kTxCdcss = C::kTxCdcssCombo;
constexpr int kTimeOut = P::kTimeOutList, kAdmit = P::kTxAdmitList;
constexpr int kPriorityMode = S::kPriorityModeList, kTxMode = S::kTxModeList, kSweep = S::kSweepTimeList;

// clang-format off
const CStepRow kStepRows[] = {
    {"a save delay enables the save mode at once", &kMisc,
     {{Misc::kBatterySaveDelay, "Off"}, {Misc::kBatterySaveDelay, "4"}}, 1, nullptr},
    {"a disabled voice language keeps its value", &kMiscFactory,
     {{Misc::kVoiceBattery, nullptr}, {Misc::kVoiceLanguage, "Chinese"}, {Misc::kVoiceBattery, nullptr}}, 0, "Chinese",
     Misc::kVoiceLanguage},
    {"clone off takes factory clone along", &kMode, {{M::kClone, nullptr}, {M::kFactoryClone, nullptr},
     {M::kClone, nullptr}}, 0, "unchecked", M::kFactoryClone},
    {"the alert tone shows the 12 it stores", &kVolume, {}, 0, "12", CVolumePage::kAlertTone},
    {"an alarm enables it", &kEmergency, {{E::kAlarmModeCombo, "Local Alarm"}}, 0b1111, nullptr},
    {"the ID takes DTMF digits only", &kEmergency, {{E::kIdEdit, "7a8B"}}, 0b1110, "78"},
    {"a number above its range", &kEmergency, {{E::kRxDurationEdit, "999"}}, 0b1110, "255"},
    {"DTMF ID in capitals", &kDtmf, {{D::kPrimaryId, "abcd"}}, 1, "ABCD"},

    // A typed frequency takes its raster and step code, a clamped one says so; a
    // tone type enables its tones; a typed tone outside the table is refused.
    {"rx 5 kHz", &kChannel, {{kRxFreq, "446.005"}}, 0b10101, "446.00500", 0, 4, "00056044751860440d500d5032"},
    {"tx below the range", &kChannel, {{kTxFreq, "399.99"}}, 0b10101, "400.00000", 0, 8, "00000040", kOutOfRange},
    // An emptied receive frequency empties the channel; transmit stays empty until it is typed.
    {"rx emptied", &kChannel, {{kRxFreq, ""}}, 0b00101, "", 0, 4, "ffffffffffffffff"},
    {"rx again", &kChannel, {{kRxFreq, ""}, {kRxFreq, "446.1"}}, 0b10101, "446.10000", 0, 4, "00006144ffffffff"},
    {"rx none", &kChannel, {{kRxType, "None"}}, 0b10100, "None", 0, 12, "0d10"},
    {"tx none", &kChannel, {{kTxType, "None"}}, 0b10001, "None", 0, 14, "0d10"},
    {"CTCSS not in the table", &kChannel, {{kRxCtcss, "66.6"}}, 0b10101, "97.4", 0, 12, "0d50", msg::kCtcssNotInTable},
    {"CDCSS in the table", &kChannel, {{kRxType, "CDCSS"}, {kRxCdcss, "023"}}, 0b10110, "023", 0, 12, "0290"},
    {"CDCSS invert above 777", &kChannel, {{kTxType, "CDCSS Invert"}, {kTxCdcss, "800"}}, 0b11001, "023", 0, 14,
     "02d0", msg::kCdcssNotInTable},
    {"auto start scan", &kChannel, {{C::kAutoStartScanCheck, nullptr}}, 0b10101, "checked", 0, 19, "40"},

    // The timers follow the admission and the time-out; time-out off cuts the pre-alert list.
    {"time-out, free channel", &kPersonality, {{kTimeOut, "15"}, {kAdmit, "Channel Free"}}, 0b11111, nullptr, 0, 1,
     "020f000000", 0, 11},
    {"time-out off", &kPersonality, {{kTimeOut, "Off"}}, 0b10001, nullptr, 0, 1, "0100000000", 0, 1},
    {"admission inhibit", &kPersonality, {{kAdmit, "Inhibit"}}, 0b10000, nullptr, 0, 1, "003c000000", 0, 11},

    // The designated and priority channels are offered only when their modes use them.
    {"priority designated, sweep", &kScan, {{kPriorityMode, "Designated Channel"}, {kSweep, "4000"}}, 0b110, "4000",
     0, 6, "c110"},
    {"priority channel", &kScan, {{kPriorityMode, "Designated Channel"}, {S::kPriorityControl, "9"}}, 0b110, "9", 0,
     6, "c10809"},
    {"no priority again", &kScan, {{kPriorityMode, "Designated Channel"}, {kPriorityMode, "None"}}, 0, "None", 0, 6,
     "c0"},
    {"transmit on priority", &kScan, {{kTxMode, "Priority Channel"}}, 0, nullptr, 0, 10, "fb"},
    {"designated channel", &kScan, {{kTxMode, "Designated Channel"}, {S::kDesignatedControl, "7"}}, 1, "7", 0, 10,
     "f907"},
};
// clang-format on

constexpr std::size_t kTestBlock = CTestFrequencyData::kImageOffset;
constexpr int kRx = CFreqGrid::kRxColumn;
constexpr int kTx = CFreqGrid::kTxColumn;

struct CTestFrequencyWindow : test::CViewFixture<> {
    explicit CTestFrequencyWindow(int level = kFactory) : CViewFixture(level, MakeView<CViewTestFrequency>())
    {
        Open().show();
    }
    CFreqGrid& Grid(bool points) const
    {
        auto& frequencies = static_cast<CViewTestFrequency&>(*view);
        return points ? *frequencies.PointGrid() : *frequencies.ChannelGrid();
    }
    // The cell's editor as a double click opens it; nullptr when the cell cannot be edited.
    QLineEdit* Edit(bool points, int row, int column) const
    {
        Grid(points).setCurrentCell(row, column);
        Grid(points).editItem(Grid(points).item(row, column));
        return qobject_cast<QLineEdit*>(Grid(points).indexWidget(Grid(points).model()->index(row, column)));
    }
};

// Of four personalities, channel 4 on the second and channel 6 on the fourth: the one deleted, the answer to the
// question, the personality bytes of channels 1-6 afterwards, and the channel reported (0 for none).
struct CPersonalityDeleteRow {
    const char* name;
    int deleted;
    bool answerYes;
    const char* personalityBytes;
    int reported;
};
const CPersonalityDeleteRow kDeleteRows[] = {
    {"in use, Yes", 1, true, "000000010002", 4},
    {"in use, No", 1, false, "000000010003", 0},
    {"unused", 2, false, "000000010002", 0},
};

} // namespace

class EditorViewsTest : public QObject {
    Q_OBJECT

private slots:
    void WindowsStoreShowAndEnableAfterTheUsersSteps_data() { test::AddRows(kStepRows); }
    void WindowsStoreShowAndEnableAfterTheUsersSteps()
    {
        QFETCH(CStepRow, row);
        const CWindow& w = *row.window;
        test::CViewFixture<> v(w.level, w.make);
        v.Open();
        for (const auto& [control, text] : row.steps)
            QVERIFY(v.Act(control, text));
        const int shown = row.shown != 0 ? row.shown : row.steps.back().first;
        const auto expect = [&](int enabled, int items, bool fresh) {
            for (std::size_t k = 0; k < w.watched.size(); ++k)
                QVERIFY2(v.Find<QWidget>(w.watched[k])->isEnabled() == ((enabled >> k & 1) != 0),
                         qPrintable(QStringLiteral("watched control %1").arg(k)));
            QVERIFY(row.shows == nullptr || fresh ||
                    test::ShownText(*v.Find<QWidget>(shown)) == QString::fromUtf8(row.shows));
            QVERIFY(w.counted == 0 || items < 0 || v.Find(w.counted)->count() == items);
        };
        expect(row.enabled, row.items, false);
        if (row.bytes != nullptr) {
            const Bytes bytes = Hex(row.bytes);
            QCOMPARE(v.StoredAt(w.base + row.offset, bytes.size()), bytes);
        }
        QCOMPARE(v.messages, row.message == 0 ? std::vector<int>{} : std::vector<int>{row.message});
        // In a window of a record table the last step, taken, is heard naming its control.
        if (w.base != 0 && row.shown == 0 && row.message == 0)
            QVERIFY(std::any_of(v.notifications.begin(), v.notifications.end(),
                                [&](const CNotification& n) { return n.data == static_cast<std::uint32_t>(shown); }));
        v.Reopen();
        expect(row.enabled, row.items, false);
        if (w.fresh >= 0) { // a new default record, then back
            auto& records = dynamic_cast<CRecordNavigator&>(*v.view);
            records.Navigate(record_command::kAdd, 0);
            expect(w.fresh, w.freshCount, true);
            records.Navigate(record_command::kGoTo, w.position);
            expect(row.enabled, row.items, false);
        }
        QCOMPARE(v.messages.size(), std::size_t{row.message != 0});
    }

    // The open keys window follows VOX off at once and refuses the VOX function
    // while it is off; VOX on again brings nothing back.
    void VoxOffTakesTheVoxFunctionFromEveryKey()
    {
        constexpr std::array<int, 4> kSideKeys = CKeyData::kSideKeyCombos;
        test::CViewFixture<> v(0, MakeView<CViewKeys>());
        v.Open();
        const std::unique_ptr<CEditorView> vox = MakeView<CViewVox>()(*v.context); // it needs to hear nothing
        QVERIFY(v.Act(kSideKeys[2], "VOX On/Off"));
        QVERIFY(test::Act(*vox, CVoxPage::kGainLevel, "Off"));
        QVERIFY(v.Act(kSideKeys[3], "VOX On/Off"));
        QCOMPARE(v.messages, std::vector<int>{CKeyData::kVoxOffMessage});
        QVERIFY(test::Act(*vox, CVoxPage::kGainLevel, "2"));
        const QStringList shown{QStringLiteral("Monitor"), QStringLiteral("None"), QStringLiteral("None"),
                                QStringLiteral("None")};
        for (int pass = 0; pass < 2; ++pass, v.Reopen())
            for (std::size_t key = 0; key < kSideKeys.size(); ++key)
                QCOMPARE(test::ShownText(*v.Find<QWidget>(kSideKeys[key])), shown[static_cast<qsizetype>(key)]);
    }

    // A change shown but not yet stored is stored, and its rules applied, when records come or go.
    void ShownChangesAreStoredWhenRecordsComeOrGo()
    {
        test::CViewFixture<> v(0, kMisc.make);
        v.Open();
        QComboBox* delay = v.Find(Misc::kBatterySaveDelay);
        delay->setCurrentIndex(delay->findText(QStringLiteral("Off")));
        QVERIFY(v.Find(Misc::kBatterySaveMode)->isEnabled());
        v.context->Notify({Kind::Added, 0}, nullptr);
        QCOMPARE(v.Stored()[CMiscellaneousData::kImageOffset + 5], std::uint8_t{0});
        QVERIFY(!v.Find(Misc::kBatterySaveMode)->isEnabled());
    }

    // Points 0, 2 and 4 of the range; the points reach the radio only at the factory levels.
    void BelowTheFactoryLevelThePointsAreShownOnly()
    {
        CTestFrequencyWindow v(0);
        QStringList shown;
        for (int row = 0; row < v.Grid(true).rowCount(); ++row)
            shown << v.Grid(true).Text(row, kRx) << v.Grid(true).Text(row, kTx);
        QCOMPARE(shown.join(QLatin1Char(' ')),
                 QStringLiteral("400.15000 400.00000 435.15000 435.00000 469.85000 470.00000"));
        QVERIFY(v.Grid(false).isHidden());
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        QVERIFY(v.Edit(true, 0, kRx) == nullptr);
    }

    // A cell writes its channel's word and step code and nothing else, and
    // shows what it stored; a text that is no frequency is refused.
    void TypedTestChannelFrequenciesTakeTheirRasterAndStepCode()
    {
        struct Case {
            int row, column;
            const char *typed, *shown, *word;
            std::uint8_t step;
            int message; // 0: none
        };
        const Case cases[] = {
            {0, kRx, "446.012", "446.00625", "25066044", 3, 0},
            {1, kTx, "446.01", "446.01000", "00106044", 2, 0},
            {15, kTx, "480", "470.00000", "00000047", 3, msg::kFrequencyOutOfRange},
            {0, kRx, "446..1", "400.15000", "00500140", 3, msg::kNotAFrequency},
        };
        for (const Case& c : cases) {
            CTestFrequencyWindow v;
            const std::size_t channel = kTestBlock + 10 * static_cast<std::size_t>(c.row);
            Image expected = test::WithBytes(v.Stored(), channel + (c.column == kRx ? 0 : 4), Hex(c.word));
            expected[channel + (c.column == kRx ? 8 : 9)] = c.step;
            test::TypeInto(*v.Edit(false, c.row, c.column), QString::fromLatin1(c.typed));
            QCoreApplication::processEvents(); // the grid takes the text on its next turn
            QVERIFY2(v.Stored() == expected, c.typed);
            QCOMPARE(v.Grid(false).Text(c.row, c.column), QString::fromLatin1(c.shown));
            QCOMPARE(v.messages, c.message != 0 ? std::vector<int>{c.message} : std::vector<int>{});
            // An edit is reported as one of the grid, a refused text not at all.
            QCOMPARE(v.notifications.size(), std::size_t{c.message != msg::kNotAFrequency});
            QVERIFY(c.message == msg::kNotAFrequency ||
                    v.notifications[0].data == static_cast<std::uint32_t>(CViewTestFrequency::kChannelGrid));
        }
        // A cell still being typed is stored with the pages.
        CTestFrequencyWindow v;
        v.Edit(false, 6, kTx)->setText(QStringLiteral("455.005"));
        v.view->StorePages();
        QCOMPARE(v.StoredAt(kTestBlock + 64, 6), (Bytes{0x00, 0x05, 0x50, 0x45, 0x03, 0x02}));
    }

    // A personality added elsewhere is offered; one made invalid is not, and its channels are reported.
    void TheChannelsPersonalityFollowsThePersonalities()
    {
        test::CViewFixture<CViewChannel> f;
        f.Open(0);
        QComboBox* personality = f.Find(C::kPersonalityControl);
        QCOMPARE(personality->currentText(), QStringLiteral("1"));
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.data->Personalities()[0]->SetValid(false);
        f.context->Notify({Kind::Deleted, 0}, nullptr);
        const std::uint32_t key0 = f.data->Channels()[0]->CheckKey();
        QVERIFY(f.data->InvalidLog().Contains(key0));
        QCOMPARE(personality->count(), 1);
        QCOMPARE(personality->currentIndex(), -1);
        QVERIFY(f.Act(C::kPersonalityControl, "2"));
        QCOMPARE(f.Stored()[test::ChannelByte(0, 18)], std::uint8_t{1});
        QVERIFY(!f.data->InvalidLog().Contains(key0));
        QVERIFY(f.data->InvalidLog().Contains(f.data->Channels()[1]->CheckKey()));
    }

    // Channels stay on their personalities when one before them is deleted;
    // the channels of the deleted one are named in the question first and
    // reported by the checks after it. Open channel windows follow at once.
    void DeletingAPersonalityKeepsEveryChannelOnItsOwn_data() { test::AddRows(kDeleteRows); }
    void DeletingAPersonalityKeepsEveryChannelOnItsOwn()
    {
        QFETCH(CPersonalityDeleteRow, row);
        test::CViewFixture<CViewPersonality> f;
        auto& personalities = f.data->Personalities();
        for (int i = 0; i < 3; ++i)
            personalities.push_back(std::make_unique<CPersonalityData>());
        auto& channels = f.data->Channels();
        channels[3]->SetPersonalityPosition(1); // channel 4 on the second personality
        channels[5]->SetPersonalityPosition(3); // channel 6 on the fourth; the third is unused
        for (const auto& channel : channels)
            channel->ResolvePersonality(personalities);
        f.answer = row.answerYes ? QMessageBox::Yes : QMessageBox::No;
        f.Open(row.deleted);
        CViewChannel channelWindow(*f.context, 5);
        CViewChannelList channelList(*f.context, 0);
        f.Hear(channelWindow);
        f.Hear(channelList);

        f.view->Navigate(record_command::kDelete, 0);

        const bool inUse = row.deleted == 1;
        QCOMPARE(f.messages, inUse ? std::vector<int>{msg::kPersonalityInUse} : std::vector<int>{});
        QVERIFY(!inUse || f.texts.front().startsWith(QLatin1String("1 "))); // names how many channels
        QCOMPARE(f.data->Personalities().size(), std::size_t{inUse && !row.answerYes ? 4U : 3U});
        const Bytes bytes = Hex(row.personalityBytes);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(f.Stored()[test::ChannelByte(k, 18)], bytes[static_cast<std::size_t>(k)]);
        const auto& entries = f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{row.reported != 0 ? 1U : 0U});
        if (row.reported != 0)
            QCOMPARE(QString::fromStdString(entries[0].text),
                     QStringLiteral("Channel - %1 : Miscellaneous").arg(row.reported));
        const QString sixth = QString::number(bytes[5] + 1);
        QCOMPARE(test::Control<QComboBox>(channelWindow, CChannelData::kPersonalityControl)->currentText(), sixth);
        QCOMPARE(channelList.Model()->index(5, CChannelTableModel::kPersonality).data().toString(), sixth);
    }

    // A scan list's channels and the emergency revert channel follow channels deleted and added elsewhere; a
    // deleted one leaves its slot empty with a check entry, and the revert channel shown as nothing with its
    // position kept for the check.
    void ChannelReferencesFollowChannelsDeletedAndAddedElsewhere()
    {
        test::CViewFixture<CViewScan> f;
        f.Open();
        const std::unique_ptr<CEditorView> emergency = kEmergency.make(*f.context);
        f.Hear(*emergency);
        QVERIFY(test::Act(*emergency, E::kRevertChannelCombo, "4"));
        const auto slot = [&f](int k) { return f.Find(S::kFirstSlotControl + k); };
        const auto deleteThird = [&f, &emergency](const char* revert) {
            QVERIFY(f.data->RemoveChannel(2));
            f.context->Notify({Kind::Deleted, 0}, nullptr);
            QCOMPARE(test::ShownText(*test::Control<QWidget>(*emergency, E::kRevertChannelCombo)),
                     QString::fromLatin1(revert));
            QCOMPARE(f.Stored()[E::kImageOffset + 1], std::uint8_t{3});
        };
        deleteThird("3");
        QCOMPARE(slot(16)->count(), 15);
        QCOMPARE(f.Find(S::kDesignatedControl)->count(), 15);
        QCOMPARE(slot(3)->currentIndex(), -1);
        QCOMPARE(slot(4)->currentText(), QStringLiteral("3")); // channel 4 is now the third
        const auto& entries = f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(entries[0].title), QStringLiteral("Channel 3"));
        // A new choice in that slot clears its entry.
        QVERIFY(f.Act(S::kFirstSlotControl + 3, "5"));
        QCOMPARE(f.data->InvalidLog().Count(), 0);
        QCOMPARE(f.Stored()[S::kTableStart + 18], std::uint8_t{5});
        deleteThird("");
        // A channel added elsewhere can be chosen at once.
        f.data->Channels().push_back(std::make_unique<CChannelData>(std::size_t{14}));
        f.context->Notify({Kind::Added, 0}, nullptr);
        QVERIFY(f.Act(S::kFirstSlotControl + 1, "15"));
        QCOMPARE(f.Stored()[S::kTableStart + 16], std::uint8_t{15});
    }
};

QRV_REGISTER_UI_TEST(EditorViewsTest);

} // namespace qrv

#include "test_editor_views.moc"
