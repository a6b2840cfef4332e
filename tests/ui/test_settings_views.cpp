// The one-record windows as a dealer meets them: the option blocks, the side
// keys, the DTMF system, the emergency block and the test frequencies. Where
// each control stores is the table of control owners' (test_editor_common.cpp);
// here is what a window shows and enables after the user's steps, what it
// says, and what it does with the other windows. The record rules (rasters,
// digit codes, enabling) are the records', tested with them.
#include "editor_fixture.h"
#include "editors/dtmf/dtmf_basic_page.h"
#include "editors/dtmf/view_dtmf_system.h"
#include "editors/emergency/view_emergency.h"
#include "editors/keys/view_keys.h"
#include "editors/settings/view_miscellaneous.h"
#include "editors/settings/view_mode.h"
#include "editors/settings/view_volume.h"
#include "editors/settings/view_vox.h"
#include "editors/test_frequency/freq_grid.h"
#include "editors/test_frequency/view_test_frequency.h"
#include "radio_data/messages.h"
#include "records/test_frequency_data.h"
#include "ui_test_registry.h"

#include <vector>

namespace qrv {

namespace {

using test::CEditorWindowFixture;
using test::MakeView;
using D = CDTMFBasicPage;
using E = CEmergencyData;
using M = CModePage;
using P = CMiscellaneousPage;
constexpr std::array<int, 4> kSideKeys = CKeyData::kSideKeyCombos;
constexpr int kFactory = CSettings::kFactoryLevel;

using CStep = std::pair<int, const char*>; // a control and the text chosen or typed; nullptr: a click

// After the steps on a fresh window, the control is enabled or not and shows
// the text (nullptr: any); and so in the window opened again.
struct CShownRow {
    const char* name;
    test::ViewMaker make;
    int level;
    std::vector<CStep> steps;
    int control;
    bool enabled;
    const char* shows;
};

const test::ViewMaker kMisc = MakeView<CViewMiscellaneous>();
const test::ViewMaker kMode = MakeView<CViewMode>();
const test::ViewMaker kEmergency = MakeView<CViewEmergency>();
const test::ViewMaker kKeys = MakeView<CViewKeys>();

// clang-format off
const std::vector<CShownRow> kShownRows{
    {"no save delay, no save mode", kMisc, 0, {{P::kBatterySaveDelay, "Off"}}, P::kBatterySaveMode, false, "1:4"},
    {"a save delay enables the save mode at once", kMisc, 0,
     {{P::kBatterySaveDelay, "Off"}, {P::kBatterySaveDelay, "4"}}, P::kBatterySaveMode, true, nullptr},
    {"a disabled voice language keeps its value", kMisc, kFactory,
     {{P::kVoiceBattery, nullptr}, {P::kVoiceLanguage, "Chinese"}, {P::kVoiceBattery, nullptr}}, P::kVoiceLanguage,
     false, "Chinese"},
    {"factory clone needs clone", kMode, 0, {}, M::kFactoryClone, false, "unchecked"},
    {"clone off takes factory clone along", kMode, 0,
     {{M::kClone, nullptr}, {M::kFactoryClone, nullptr}, {M::kClone, nullptr}}, M::kFactoryClone, false, "unchecked"},
    {"the alert tone shows the 12 it stores", MakeView<CViewVolume>(), 0, {}, CVolumePage::kAlertTone, false, "12"},
    {"an alarm enables it", kEmergency, 0, {{E::kAlarmModeCombo, "Local Alarm"}}, E::kAlarmDurationSpin, true, {}},
    {"voice off disables its times", kEmergency, 0, {{E::kVoiceCyclesModeCombo, "Off"}}, E::kTxDurationEdit, false, {}},
    {"the ID takes DTMF digits only", kEmergency, 0, {{E::kIdEdit, "7a8B"}}, E::kIdEdit, true, "78"},
    {"a number above its range", kEmergency, 0, {{E::kRxDurationEdit, "999"}}, E::kRxDurationEdit, true, "255"},
    {"DTMF ID in capitals", MakeView<CViewDTMFSystem>(0), 0, {{D::kPrimaryId, "abcd"}}, D::kPrimaryId, true, "ABCD"},
};
// clang-format on

using test::Bytes;
using test::BytesAt;
constexpr std::size_t kBlock = CTestFrequencyData::kImageOffset;
constexpr int kRx = CFreqGrid::kRxColumn;
constexpr int kTx = CFreqGrid::kTxColumn;

struct CTestFrequencyWindow : test::CEditorWindowFixture {
    explicit CTestFrequencyWindow(int level = kFactory) : CEditorWindowFixture(MakeView<CViewTestFrequency>(), level)
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

} // namespace

class SettingsViewsTest : public QObject {
    Q_OBJECT

private slots:
    void WindowsShowAndEnableAfterTheUsersSteps()
    {
        for (const CShownRow& row : kShownRows) {
            CEditorWindowFixture v(row.make, row.level);
            v.Open();
            for (const auto& [control, text] : row.steps)
                QVERIFY2(v.Act(control, text), row.name);
            for (int pass = 0; pass < 2; ++pass, v.Reopen()) {
                const QWidget* control = v.Get(row.control);
                QVERIFY2(control->isEnabled() == row.enabled, row.name);
                QVERIFY2(row.shows == nullptr || test::ShownText(*control) == QString::fromUtf8(row.shows), row.name);
            }
            QVERIFY2(v.f.messages.empty(), row.name);
        }
    }

    // The open keys window follows VOX off at once and refuses the VOX function
    // while it is off; VOX on again brings nothing back.
    void VoxOffTakesTheVoxFunctionFromEveryKey()
    {
        CEditorWindowFixture v(kKeys);
        v.Open();
        const std::unique_ptr<CEditorView> vox = MakeView<CViewVox>()(*v.f.context); // it needs to hear nothing
        QVERIFY(v.Act(kSideKeys[2], "VOX On/Off"));
        QVERIFY(test::Act(*vox, CVoxPage::kGainLevel, "Off"));
        QVERIFY(v.Act(kSideKeys[3], "VOX On/Off"));
        QCOMPARE(v.f.messages, std::vector<int>{CKeyData::kVoxOffMessage});
        QVERIFY(test::Act(*vox, CVoxPage::kGainLevel, "2"));
        const QStringList shown{QStringLiteral("Monitor"), QStringLiteral("None"), QStringLiteral("None"),
                                QStringLiteral("None")};
        for (int pass = 0; pass < 2; ++pass, v.Reopen())
            for (std::size_t key = 0; key < kSideKeys.size(); ++key)
                QCOMPARE(test::ShownText(*v.Get(kSideKeys[key])), shown[static_cast<qsizetype>(key)]);
    }

    // A change shown but not yet stored is stored, and its rules applied, when records come or go.
    void ShownChangesAreStoredWhenRecordsComeOrGo()
    {
        CEditorWindowFixture v(kMisc);
        auto* delay = test::Control<QComboBox>(v.Open(), P::kBatterySaveDelay);
        delay->setCurrentIndex(delay->findText(QStringLiteral("Off")));
        QVERIFY(v.Get(P::kBatterySaveMode)->isEnabled());
        v.f.context->Notify({CNotification::Kind::Added, 0}, nullptr);
        QCOMPARE(v.Byte(CMiscellaneousData::kImageOffset + 5), 0);
        QVERIFY(!v.Get(P::kBatterySaveMode)->isEnabled());
    }

    // Followed when channels go elsewhere; deleted, shown as nothing with its position kept for the check.
    void TheRevertChannelFollowsTheTable()
    {
        CEditorWindowFixture v(kEmergency);
        v.Open();
        QVERIFY(v.Act(E::kRevertChannelCombo, "3"));
        const auto deleteChannel = [&v](std::size_t position) {
            QVERIFY(v.f.data->RemoveChannel(position));
            v.f.context->Notify({CNotification::Kind::Deleted, 0}, nullptr);
        };
        deleteChannel(0);
        QCOMPARE(test::ShownText(*v.Get(E::kRevertChannelCombo)), QStringLiteral("2"));
        QCOMPARE(v.Byte(E::kImageOffset + 1), 2);
        deleteChannel(1);
        QCOMPARE(v.Get<QComboBox>(E::kRevertChannelCombo)->currentIndex(), -1);
        QCOMPARE(v.Byte(E::kImageOffset + 1), 2);
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
            const char* typed;
            const char* shown;
            Bytes wordAndStep;
            int message; // 0: none
        };
        const Case cases[] = {
            {0, kRx, "446.012", "446.00625", {0x25, 0x06, 0x60, 0x44, 3}, 0},
            {1, kTx, "446.01", "446.01000", {0x00, 0x10, 0x60, 0x44, 2}, 0},
            {15, kTx, "480", "470.00000", {0x00, 0x00, 0x00, 0x47, 3}, msg::kFrequencyOutOfRange},
            {0, kRx, "446..1", "400.15000", {0x00, 0x50, 0x01, 0x40, 3}, msg::kNotAFrequency},
        };
        for (const Case& c : cases) {
            CTestFrequencyWindow v;
            Image expected = v.f.Stored();
            const std::size_t channel = kBlock + 10 * static_cast<std::size_t>(c.row);
            std::copy_n(c.wordAndStep.begin(), 4,
                        expected.begin() + static_cast<std::ptrdiff_t>(channel) + (c.column == kRx ? 0 : 4));
            expected[channel + (c.column == kRx ? 8 : 9)] = c.wordAndStep[4];
            test::TypeInto(*v.Edit(false, c.row, c.column), QString::fromLatin1(c.typed));
            QCoreApplication::processEvents(); // the grid takes the text on its next turn
            QVERIFY2(v.f.Stored() == expected, c.typed);
            QCOMPARE(v.Grid(false).Text(c.row, c.column), QString::fromLatin1(c.shown));
            QCOMPARE(v.f.messages, c.message != 0 ? std::vector<int>{c.message} : std::vector<int>{});
            // An edit is reported as one of the grid, a refused text not at all.
            QCOMPARE(v.f.notifications.size(), std::size_t{c.message != msg::kNotAFrequency});
            QVERIFY(c.message == msg::kNotAFrequency ||
                    v.f.notifications[0].data == static_cast<std::uint32_t>(CViewTestFrequency::kChannelGrid));
        }
    }

    void ACellStillBeingTypedIsStoredWithThePages()
    {
        CTestFrequencyWindow v;
        v.Edit(false, 6, kTx)->setText(QStringLiteral("455.005"));
        v.view->StorePages();
        QCOMPARE(BytesAt(v.f.Stored(), kBlock + 64, 6), (Bytes{0x00, 0x05, 0x50, 0x45, 0x03, 0x02}));
    }
};

QRV_REGISTER_UI_TEST(SettingsViewsTest);

} // namespace qrv

#include "test_settings_views.moc"
