// The radio-wide option views as a dealer meets them: every control stored
// at its bits, the enabling rules at each user level, the alert tone volume
// the radio always gets as 12, the clone modes, the radio's identity, and
// untouched blocks that keep every byte.
#include "editor_fixture.h"
#include "editors/settings/view_microphone.h"
#include "editors/settings/view_miscellaneous.h"
#include "editors/settings/view_mode.h"
#include "editors/settings/view_radio.h"
#include "editors/settings/view_volume.h"
#include "editors/settings/view_vox.h"
#include "presentation/caption_numbers.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::BytesAt;
using test::Control;
using test::WithBytes;

constexpr std::array<int, 3> kUserLevels{0, CSettings::kServiceLevel, CSettings::kFactoryLevel};

constexpr std::size_t kVolume = 0x083;
constexpr std::size_t kMicrophone = 0x111;
constexpr std::size_t kVox = 0x117;
constexpr std::size_t kMisc = 0x119;
constexpr std::size_t kMode = 0x127;
constexpr std::size_t kKeys = 0x078;

using ViewMaker = std::function<std::unique_ptr<CEditorView>(CEditorContext&)>;

template <typename View> ViewMaker Maker()
{
    return [](CEditorContext& context) { return std::make_unique<View>(context); };
}

// A view on a fixture's codeplug at a user level, hearing the notifications as the main window passes them on.
struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CEditorView> view;

    explicit CViewFixture(int level = 0) : f(level) {}

    void Open(const ViewMaker& make)
    {
        view = make(*f.context);
        QObject::connect(f.context.get(), &CEditorContext::Notified, view.get(),
                         [this](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    QComboBox* Combo(int number) const { return Control<QComboBox>(*view, number); }
    QCheckBox* Check(int number) const { return Control<QCheckBox>(*view, number); }
    // A user's choice of the entry with that text.
    bool Choose(int number, const QString& text) const
    {
        QComboBox* combo = Combo(number);
        const int index = combo != nullptr ? combo->findText(text) : -1;
        if (index < 0 || !combo->isEnabled())
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    bool Click(int number) const
    {
        QCheckBox* box = Check(number);
        if (box == nullptr || !box->isEnabled())
            return false;
        box->click();
        return true;
    }
    Bytes Stored(std::size_t offset, std::size_t size) { return BytesAt(f.Stored(), offset, size); }
};

// One user action: choose the text in a combo, or click a check box (text nullptr).
struct CStep {
    int control;
    const char* text;
};

bool Do(const CViewFixture& v, const CStep& step)
{
    return step.text != nullptr ? v.Choose(step.control, QString::fromUtf8(step.text)) : v.Click(step.control);
}

// The steps on a fresh view change the block to expected and nothing else of the codeplug.
struct CBlockCase {
    std::vector<CStep> steps;
    Bytes expected;
};

void CheckBlockCases(const ViewMaker& make, std::size_t offset, const std::vector<CBlockCase>& cases, int level = 0)
{
    for (const CBlockCase& c : cases) {
        CViewFixture v(level);
        v.Open(make);
        const Image before = v.f.Stored();
        v.f.notifications.clear();
        for (const CStep& step : c.steps)
            QVERIFY2(Do(v, step), qPrintable(QString::number(step.control)));
        const Image after = v.f.Stored();
        QCOMPARE(BytesAt(after, offset, c.expected.size()), c.expected);
        QVERIFY(WithBytes(after, offset, BytesAt(before, offset, c.expected.size())) == before);
        // Each step was reported as a change of its control.
        for (const CStep& step : c.steps)
            QVERIFY(std::any_of(v.f.notifications.begin(), v.f.notifications.end(), [&](const CNotification& n) {
                return n.kind == CNotification::Kind::Edited && n.data == static_cast<std::uint32_t>(step.control);
            }));
    }
}

const Bytes kDefaultMisc{0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x26, 0xFF, 0x14, 0x1C, 0xFF, 0xFF, 0xFF, 0xFF};

Bytes MiscWith(std::size_t byte, std::uint8_t value)
{
    Bytes block = kDefaultMisc;
    block[byte] = value;
    return block;
}

} // namespace

class SettingsViewsTest : public QObject {
    Q_OBJECT

private slots:
    void VoxControlsLandAtTheirBits()
    {
        CheckBlockCases(Maker<CViewVox>(), kVox,
                        {
                            {{{CVoxPage::kGainLevel, "7"}}, {0xFF, 0x0F}},
                            {{{CVoxPage::kGainLevel, "1"}}, {0xF3, 0x0F}},
                            {{{CVoxPage::kDelayTime, "0.5"}}, {0xF7, 0x05}},
                            {{{CVoxPage::kDelayTime, "3.0"}}, {0xF7, 0x1E}},
                        });
        // Off also takes the VOX function from SK1 long (byte 3 of the keys), so check it apart.
        CViewFixture v;
        v.Open(Maker<CViewVox>());
        QVERIFY(v.Choose(CVoxPage::kGainLevel, QStringLiteral("Off")));
        QCOMPARE(v.Stored(kVox, 2), (Bytes{0xF1, 0x0F}));
        QCOMPARE(int(v.f.Stored()[kKeys + 3]), 0);
        // The change is reported, then the new level is announced.
        QCOMPARE(v.f.notifications.size(), std::size_t{2});
        QCOMPARE(v.f.notifications[0].kind, CNotification::Kind::Edited);
        QCOMPARE(v.f.notifications[1].kind, CNotification::Kind::VoxChanged);
        QCOMPARE(v.f.notifications[1].data, 0u);
        QVERIFY(v.Choose(CVoxPage::kGainLevel, QStringLiteral("4")));
        QCOMPARE(v.f.notifications.back().data, 4u);
    }

    void MiscControlsLandAtTheirBits()
    {
        using P = CMiscellaneousPage;
        CheckBlockCases(Maker<CViewMiscellaneous>(), kMisc,
                        {
                            {{{P::kSquelchLevel, "Open"}}, MiscWith(0, 0x00)},
                            {{{P::kSquelchLevel, "9"}}, MiscWith(0, 0x09)},
                            {{{P::kBatterySaveDelay, "Off"}}, MiscWith(5, 0x00)},
                            {{{P::kBatterySaveDelay, "30"}}, MiscWith(5, 0x1E)},
                            {{{P::kBatterySaveMode, "1:8"}}, MiscWith(6, 0x27)},
                            {{{P::kBatterySaveMode, "1:1"}}, MiscWith(6, 0x24)},
                            {{{P::kScanLed, nullptr}}, MiscWith(6, 0x06)},
                            {{{P::kLowBatteryGap, "Off"}}, MiscWith(8, 0x00)},
                            {{{P::kLowBatteryGap, "120"}}, MiscWith(8, 0x78)},
                            {{{P::kVoiceBattery, nullptr}}, MiscWith(9, 0x1D)},
                            {{{P::kVoiceChannel, nullptr}}, MiscWith(9, 0x1E)},
                            {{{P::kVoiceChannel, nullptr}, {P::kVoiceLanguage, "Chinese"}}, MiscWith(9, 0x0E)},
                        },
                        CSettings::kFactoryLevel);
    }

    void MiscRulesAtEachUserLevel()
    {
        using P = CMiscellaneousPage;
        for (const int level : kUserLevels) {
            const QByteArray name = QByteArray::number(level);
            CViewFixture v(level);
            v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kMisc + 5, {0x00})); // no battery save delay
            v.Open(Maker<CViewMiscellaneous>());
            // The tail revert option shows its value and cannot be changed.
            QCOMPARE(v.Combo(P::kTailRevert)->currentText(), QStringLiteral("On"));
            QVERIFY(!v.Combo(P::kTailRevert)->isEnabled());
            // Battery save mode needs a delay; a new delay enables it at once.
            QVERIFY2(!v.Combo(P::kBatterySaveMode)->isEnabled(), name.constData());
            QVERIFY(v.Choose(P::kBatterySaveDelay, QStringLiteral("4")));
            QVERIFY(v.Combo(P::kBatterySaveMode)->isEnabled());
            QVERIFY(v.Choose(P::kBatterySaveDelay, QStringLiteral("Off")));
            QVERIFY(!v.Combo(P::kBatterySaveMode)->isEnabled());
            QCOMPARE(int(v.f.Stored()[kMisc + 6] & 0x03), 2); // the mode is kept

            // The voice controls exist for the factory only.
            const bool factory = level == CSettings::kFactoryLevel;
            QCOMPARE(v.Check(P::kVoiceBattery)->isHidden(), !factory);
            QCOMPARE(v.Check(P::kVoiceChannel)->isHidden(), !factory);
            QCOMPARE(v.Combo(P::kVoiceLanguage)->isHidden(), !factory);
            QCOMPARE(Control<QLabel>(*v.view, P::kVoiceLanguageLabel)->isHidden(), !factory);
            QVERIFY(!v.Combo(P::kVoiceLanguage)->isEnabled());
            if (factory) {
                QVERIFY(v.Click(P::kVoiceBattery));
                QVERIFY(v.Combo(P::kVoiceLanguage)->isEnabled());
                QVERIFY(v.Click(P::kVoiceChannel));
                QVERIFY(v.Click(P::kVoiceBattery));
                QVERIFY(v.Combo(P::kVoiceLanguage)->isEnabled());
                QVERIFY(v.Choose(P::kVoiceLanguage, QStringLiteral("Chinese")));
                QVERIFY(v.Click(P::kVoiceChannel));
                QVERIFY(!v.Combo(P::kVoiceLanguage)->isEnabled());
                // Disabled, the language keeps its value.
                QCOMPARE(v.Combo(P::kVoiceLanguage)->currentText(), QStringLiteral("Chinese"));
                QCOMPARE(int(v.f.Stored()[kMisc + 9]), 0x0C);
            }
        }
    }

    void MiscVoiceFieldsKeepTheirValuesWhereHidden()
    {
        for (const int level : {0, CSettings::kServiceLevel}) {
            CViewFixture v(level);
            v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kMisc + 9, {0x03})); // both on, language 0
            v.Open(Maker<CViewMiscellaneous>());
            QVERIFY(v.Choose(CMiscellaneousPage::kSquelchLevel, QStringLiteral("2")));
            v.view->StorePages();
            QCOMPARE(int(v.f.Stored()[kMisc + 9]), 0x03);
        }
    }

    void MiscStoresAndAppliesItsRulesWhenRecordsComeOrGo()
    {
        CViewFixture v;
        v.Open(Maker<CViewMiscellaneous>());
        QComboBox* delay = v.Combo(CMiscellaneousPage::kBatterySaveDelay);
        delay->setCurrentIndex(delay->findText(QStringLiteral("Off"))); // shown, not yet stored
        QVERIFY(v.Combo(CMiscellaneousPage::kBatterySaveMode)->isEnabled());
        v.f.context->Notify({CNotification::Kind::Added, 0}, nullptr);
        QCOMPARE(int(v.f.Stored()[kMisc + 5]), 0);
        QVERIFY(!v.Combo(CMiscellaneousPage::kBatterySaveMode)->isEnabled());
    }

    void ModeCloneRuleAtEachUserLevel()
    {
        using P = CModePage;
        for (const int level : kUserLevels) {
            CViewFixture v(level);
            v.Open(Maker<CViewMode>());
            QVERIFY(v.Check(P::kPanelTest)->isHidden());
            QVERIFY(!v.Check(P::kClone)->isChecked());
            QVERIFY(!v.Check(P::kFactoryClone)->isEnabled());
            QVERIFY(v.Click(P::kClone));
            QCOMPARE(v.Stored(kMode, 2), (Bytes{0xFF, 0x97}));
            QVERIFY(v.Check(P::kFactoryClone)->isEnabled());
            QVERIFY(v.Click(P::kFactoryClone));
            QCOMPARE(v.Stored(kMode, 2), (Bytes{0xFF, 0xD7}));
            QCOMPARE(v.f.notifications.back().data, static_cast<std::uint32_t>(P::kFactoryClone));
            // Clone mode off takes factory clone mode with it.
            QVERIFY(v.Click(P::kClone));
            QVERIFY(!v.Check(P::kFactoryClone)->isChecked());
            QVERIFY(!v.Check(P::kFactoryClone)->isEnabled());
            QCOMPARE(v.Stored(kMode, 2), (Bytes{0xFF, 0x87}));
        }
    }

    void ModeBlockWithCloneOffStoresFactoryCloneOff()
    {
        CViewFixture v;
        v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kMode, {0xFF, 0xC7}));
        v.Open(Maker<CViewMode>());
        QVERIFY(!v.Check(CModePage::kFactoryClone)->isChecked());
        QVERIFY(!v.Check(CModePage::kFactoryClone)->isEnabled());
        v.view->StorePages();
        QCOMPARE(v.Stored(kMode, 2), (Bytes{0xFF, 0x87}));

        CViewFixture both;
        both.f.data->LoadFromImage(WithBytes(both.f.Stored(), kMode, {0xFF, 0xD7}));
        both.Open(Maker<CViewMode>());
        QVERIFY(both.Check(CModePage::kFactoryClone)->isChecked());
        QVERIFY(both.Check(CModePage::kFactoryClone)->isEnabled());
    }

    // The radio always gets 12: the control shows that, read-only, whatever was loaded.
    void VolumeShowsTheTwelveItStores()
    {
        for (const std::uint8_t loaded : {std::uint8_t{0x03}, std::uint8_t{0x0C}}) {
            CViewFixture v;
            v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kVolume + 2, {loaded}));
            v.Open(Maker<CViewVolume>());
            const QComboBox* combo = v.Combo(CVolumePage::kAlertTone);
            QCOMPARE(combo->currentText(), QStringLiteral("12"));
            QVERIFY(!combo->isEnabled());
            QCOMPARE(v.Stored(kVolume, 14),
                     (Bytes{0x01, 0x7F, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
        }
    }

    void MicrophoneGainsAreSixteenBitEntries()
    {
        CheckBlockCases(Maker<CViewMicrophone>(), kMicrophone,
                        {
                            {{{CMicrophonePage::kInternalGain, "30"}}, {0x0F, 0x00, 0x04, 0x00, 0xFF, 0xFF}},
                            {{{CMicrophonePage::kInternalGain, "0"}}, {0x00, 0x00, 0x04, 0x00, 0xFF, 0xFF}},
                            {{{CMicrophonePage::kExternalGain, "2"}}, {0x04, 0x00, 0x01, 0x00, 0xFF, 0xFF}},
                        });
    }

    void ClosingTheWindowStoresThePage()
    {
        CViewFixture v;
        v.Open(Maker<CViewVox>());
        v.view->show();
        QComboBox* delay = v.Combo(CVoxPage::kDelayTime);
        delay->setCurrentIndex(delay->findText(QStringLiteral("2.5"))); // shown, not yet stored
        QCOMPARE(int(v.f.Stored()[kVox + 1]), 0x0F);
        v.view->hide();
        QCOMPARE(int(v.f.Stored()[kVox + 1]), 25);
    }

    void RadioViewShowsTheIdentity()
    {
        test::CEditorFixture f;
        CRadioInfoData& info = f.data->RadioInfo();
        info.SetModelName("QL-210");
        info.SetSerialNumber("SN0042");
        const std::array<std::uint8_t, 6> stamp{59, 59, 25, 40, 13, 24}; // hour 25, day 40, month 13
        QVERIFY(info.SetBytesAt(0x20, stamp));
        CViewRadio view(*f.data, f.Settings());
        QCOMPARE(view.FieldText(caption::kModelNameField), QStringLiteral("QL-210"));
        QCOMPARE(view.FieldText(caption::kFrequencyRangeField), QStringLiteral("400-470"));
        QCOMPARE(view.FieldText(caption::kSerialNumberField), QStringLiteral("SN0042"));
        QVERIFY(view.FieldText(caption::kFirmwareVersionField).startsWith(QLatin1Char('V')));
        QCOMPARE(view.FieldText(caption::kLastProgrammedField), QStringLiteral("2024-12-31 00:59:59"));
        QCOMPARE(Control<QLabel>(view, caption::kLastProgrammed)->text(), QStringLiteral("Last Programmed Date"));
    }

    void UntouchedBlocksKeepEveryByte()
    {
        struct Case {
            const char* name;
            ViewMaker make;
            std::size_t offset;
            Bytes block; // empty: the default image as it is
            bool legal;  // every value has an entry in its list
        };
        const std::vector<Case> cases{
            {"vox default", Maker<CViewVox>(), kVox, {}, true},
            {"vox unusual", Maker<CViewVox>(), kVox, {0x5A, 0x1E}, true},
            {"vox off the list", Maker<CViewVox>(), kVox, {0x00, 0x02}, false},
            {"misc default", Maker<CViewMiscellaneous>(), kMisc, {}, true},
            {"misc unusual",
             Maker<CViewMiscellaneous>(),
             kMisc,
             {0x00, 0x11, 0x22, 0x33, 0x44, 0x1E, 0xD9, 0x5A, 0x78, 0x01, 0x01, 0x02, 0x03, 0x04},
             true},
            {"misc off the list",
             Maker<CViewMiscellaneous>(),
             kMisc,
             {0x20, 0xFF, 0xFF, 0xFF, 0xFF, 0x40, 0x26, 0xFF, 0x03, 0x2C, 0xFF, 0xFF, 0xFF, 0xFF},
             false},
            {"mode default", Maker<CViewMode>(), kMode, {}, true},
            {"mode unusual", Maker<CViewMode>(), kMode, {0x12, 0x78}, true},
            {"volume default", Maker<CViewVolume>(), kVolume, {}, true},
            {"volume unusual",
             Maker<CViewVolume>(),
             kVolume,
             {0x00, 0x33, 0x07, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA},
             true},
            {"microphone default", Maker<CViewMicrophone>(), kMicrophone, {}, true},
            {"microphone unusual", Maker<CViewMicrophone>(), kMicrophone, {0x0F, 0x00, 0x00, 0x00, 0x12, 0x34}, true},
            {"microphone off the list", Maker<CViewMicrophone>(), kMicrophone, {0x10, 0x00, 0x04, 0x01, 0, 0}, false},
        };
        for (const int level : kUserLevels) {
            for (const Case& c : cases) {
                const QByteArray name = QByteArray(c.name) + " at " + QByteArray::number(level);
                CViewFixture v(level);
                if (!c.block.empty())
                    v.f.data->LoadFromImage(WithBytes(v.f.Stored(), c.offset, c.block));
                const Image before = v.f.Stored();
                const CVolumeData volume = v.f.data->Volume();
                v.Open(c.make);
                // Legal values are shown, not merely carried.
                if (c.legal)
                    for (const QComboBox* combo : v.view->findChildren<QComboBox*>())
                        QVERIFY2(combo->currentIndex() >= 0,
                                 QByteArray(name + " " + QByteArray::number(ControlNumber(combo))).constData());
                v.view->StorePages();
                v.view.reset();
                QVERIFY2(v.f.Stored() == before, name.constData());
                QVERIFY2(v.f.data->Volume().Block() == volume.Block(), name.constData());
            }
        }
    }
};

QRV_REGISTER_UI_TEST(SettingsViewsTest);

} // namespace qrv

#include "test_settings_views.moc"
