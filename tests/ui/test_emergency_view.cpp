// The emergency view as a dealer meets it: the emergency ID typed as DTMF
// digits and stored one code per byte, the combos stored in their bit fields,
// the enabling rules of the alarm and voice cycles, the spin buttons that wrap
// at both ends, the revert channel that follows the channel table and is
// reported when it is deleted, and untouched blocks that keep every byte.
#include "editor_fixture.h"
#include "editors/common/editor_sheet.h"
#include "editors/emergency/emergency_basic_page.h"
#include "editors/emergency/numeric_edit.h"
#include "editors/emergency/view_emergency.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::Control;
using test::WithBytes;
using E = CEmergencyData;

constexpr std::size_t kBlock = 0x250;
constexpr std::size_t kBlockSize = 32;
const Bytes kDefault{0x0A, 0x00, 0xF8, 0xE2, 0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x0A, 0x0A, 0xF8,
                     0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

QWidget* AnyControl(const QWidget& root, int number)
{
    return Control<QWidget>(root, number);
}

struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewEmergency> view;

    explicit CViewFixture(int level = 0) : f(level) {}

    void Open()
    {
        view = std::make_unique<CViewEmergency>(*f.context);
        QObject::connect(f.context.get(), &CEditorContext::Notified, view.get(),
                         [this](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    QComboBox* Combo(int number) const { return Control<QComboBox>(*view, number); }
    QLineEdit* Edit(int number) const { return Control<QLineEdit>(*view, number); }
    CSpinButtons* Spin(int number) const { return Control<CSpinButtons>(*view, number); }
    bool Choose(int number, const QString& text) const
    {
        QComboBox* combo = Combo(number);
        const int index = combo ? combo->findText(text) : -1;
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    // Types over an edit's text and leaves it with Enter.
    void Type(int number, const QString& text) const
    {
        QLineEdit* edit = Edit(number);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    Bytes Stored()
    {
        const Image image = f.Stored();
        return Bytes(image.begin() + kBlock, image.begin() + kBlock + kBlockSize);
    }
    // A channel deleted elsewhere, as the channel view reports it.
    void DeleteChannel(std::size_t position)
    {
        QVERIFY(f.data->RemoveChannel(position));
        f.context->Notify({CNotification::Kind::Deleted, 0}, nullptr);
    }
};

} // namespace

class EmergencyViewTest : public QObject {
    Q_OBJECT

private slots:
    void TheDefaultBlockShowsAsTheRadioHasIt()
    {
        CViewFixture v;
        v.Open();
        QCOMPARE(v.view->Sheet()->count(), 1);
        QCOMPARE(v.view->Sheet()->tabText(0), QStringLiteral("Emergency"));
        QCOMPARE(v.Edit(E::kIdEdit)->text(), QStringLiteral("0123"));
        QCOMPARE(v.Combo(E::kRevertChannelCombo)->currentText(), QStringLiteral("None"));
        QCOMPARE(v.Combo(E::kImpoliteTimesCombo)->currentText(), QStringLiteral("10"));
        QCOMPARE(v.Combo(E::kAlarmModeCombo)->currentText(), QStringLiteral("Off"));
        QCOMPARE(v.Combo(E::kVoiceCyclesModeCombo)->currentText(), QStringLiteral("Set Cycles"));
        QCOMPARE(v.Combo(E::kSquelchModeCombo)->currentText(), QStringLiteral("CTCSS/CDCSS"));
        QCOMPARE(v.Edit(E::kTxDurationEdit)->text(), QStringLiteral("20"));
        QVERIFY(!Control<QCheckBox>(*v.view, CEmergencyBasicPage::kPowerSwitchCheck)->isChecked());
        // Alarm off: its fields are disabled; voice cycles counted: every voice field is enabled.
        for (const int control : {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo,
                                  E::kAlarmCyclesEdit, E::kAlarmCyclesSpin})
            QVERIFY2(!AnyControl(*v.view, control)->isEnabled(), qPrintable(QString::number(control)));
        for (const int control :
             {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo, E::kTxDurationEdit, E::kTxDurationSpin,
              E::kRxDurationEdit, E::kRxDurationSpin, E::kIdEdit, E::kImpoliteTimesCombo})
            QVERIFY2(AnyControl(*v.view, control)->isEnabled(), qPrintable(QString::number(control)));
        QCOMPARE(v.Stored(), kDefault);
    }

    void TheEmergencyIdIsStoredOneDigitCodePerByte()
    {
        struct Case {
            const char* typed;
            const char* shown;
            Bytes idAndLength; // bytes 4 to 12
        };
        const Case cases[] = {
            {"*#12", "*#12", {0x0E, 0x0F, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}},
            {"#*#*#", "#*#*", {0x0F, 0x0E, 0x0F, 0x0E, 0xFF, 0xFF, 0xFF, 0xFF, 0x04}}, // four at most
            {"9", "9", {0x09, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}},        // later digits kept
            {"7a8B", "78", {0x07, 0x08, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}},    // letters not taken
            {"", "", {0x00, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            v.Type(E::kIdEdit, QString::fromLatin1(c.typed));
            Bytes expected = kDefault;
            std::copy(c.idAndLength.begin(), c.idAndLength.end(), expected.begin() + 4);
            QCOMPARE(v.Stored(), expected);
            QCOMPARE(v.Edit(E::kIdEdit)->text(), QString::fromLatin1(c.shown));
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
            QCOMPARE(v.f.notifications[0].data, static_cast<std::uint32_t>(E::kIdEdit));
        }
    }

    void EveryControlIsStoredInItsField()
    {
        struct Case {
            int control;
            const char* text; // nullptr: a click
            std::size_t byte;
            std::uint8_t value;
        };
        const Case cases[] = {
            {E::kAlarmModeCombo, "Remote Alarm", 15, 0xFA},
            {E::kAlarmModeCombo, "Local and Remote Alarm", 15, 0xFB},
            {E::kVoiceCyclesModeCombo, "Off", 18, 0xFC},
            {E::kVoiceCyclesModeCombo, "Continuous", 18, 0xFD},
            {E::kSquelchModeCombo, "Optional Signaling", 20, 0xFE},
            {E::kSquelchModeCombo, "Carrier", 20, 0xFC},
            {E::kImpoliteTimesCombo, "30", 13, 0x1E},
            {E::kImpoliteTimesCombo, "1", 13, 0x01},
            {CEmergencyBasicPage::kPowerSwitchCheck, nullptr, 2, 0xF9},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            if (c.text != nullptr)
                QVERIFY2(v.Choose(c.control, QString::fromLatin1(c.text)), c.text);
            else
                Control<QCheckBox>(*v.view, c.control)->click();
            Bytes expected = kDefault;
            expected[c.byte] = c.value;
            QCOMPARE(v.Stored(), expected);
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
            QCOMPARE(v.f.notifications[0].kind, CNotification::Kind::Edited);
            QCOMPARE(v.f.notifications[0].data, static_cast<std::uint32_t>(c.control));
        }
    }

    void TheCyclesModesEnableTheirFields()
    {
        struct Case {
            const char* alarmMode;
            const char* alarmCyclesMode; // nullptr: left as it is
            const char* voiceCyclesMode;
            std::uint8_t alarmByte;
            std::uint8_t voiceByte;
            std::vector<int> enabled;
            std::vector<int> disabled;
        };
        const Case cases[] = {
            {"Local Alarm",
             "Once",
             "Continuous",
             0xF1,
             0xFD,
             {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo, E::kSquelchModeCombo,
              E::kTxDurationEdit, E::kTxDurationSpin, E::kRxDurationEdit, E::kRxDurationSpin},
             {E::kAlarmCyclesEdit, E::kAlarmCyclesSpin, E::kVoiceCyclesEdit, E::kVoiceCyclesSpin}},
            {"Remote Alarm",
             "Set Cycles",
             "Off",
             0xFA,
             0xFC,
             {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo, E::kAlarmCyclesEdit,
              E::kAlarmCyclesSpin},
             {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo, E::kTxDurationEdit, E::kTxDurationSpin,
              E::kRxDurationEdit, E::kRxDurationSpin}},
            {"Off",
             nullptr,
             "Set Cycles",
             0xF8,
             0xFE,
             {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, E::kSquelchModeCombo},
             {E::kAlarmDurationEdit, E::kAlarmDurationSpin, E::kAlarmCyclesModeCombo, E::kAlarmCyclesEdit,
              E::kAlarmCyclesSpin}},
        };
        const auto checkEnabling = [](const CViewFixture& v, const Case& c) {
            for (const int control : c.enabled)
                QVERIFY2(AnyControl(*v.view, control)->isEnabled(), qPrintable(QString::number(control)));
            for (const int control : c.disabled)
                QVERIFY2(!AnyControl(*v.view, control)->isEnabled(), qPrintable(QString::number(control)));
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            QVERIFY(v.Choose(E::kAlarmModeCombo, QString::fromLatin1(c.alarmMode)));
            if (c.alarmCyclesMode != nullptr) {
                QVERIFY(v.Combo(E::kAlarmCyclesModeCombo)->isEnabled());
                QVERIFY(v.Choose(E::kAlarmCyclesModeCombo, QString::fromLatin1(c.alarmCyclesMode)));
            }
            QVERIFY(v.Choose(E::kVoiceCyclesModeCombo, QString::fromLatin1(c.voiceCyclesMode)));
            checkEnabling(v, c);
            QCOMPARE(v.Stored()[15], c.alarmByte);
            QCOMPARE(v.Stored()[18], c.voiceByte);
            // A new view shows the same.
            v.view.reset();
            v.Open();
            checkEnabling(v, c);
        }
    }

    void TheSpinButtonsWrapAtBothEnds()
    {
        struct Case {
            int edit;
            int spin;
            std::size_t byte;
            std::uint8_t oneUp; // from the default value
        };
        const Case cases[] = {
            {E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, 19, 11},
            {E::kTxDurationEdit, E::kTxDurationSpin, 21, 21},
            {E::kRxDurationEdit, E::kRxDurationSpin, 22, 21},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            QToolButton* up = v.Spin(c.spin)->UpButton();
            QToolButton* down = v.Spin(c.spin)->DownButton();
            up->click();
            QCOMPARE(v.Stored()[c.byte], c.oneUp);
            v.Type(c.edit, QStringLiteral("255"));
            QCOMPARE(v.Stored()[c.byte], std::uint8_t{255});
            up->click(); // above the maximum: the minimum
            QCOMPARE(v.Edit(c.edit)->text(), QStringLiteral("1"));
            QCOMPARE(v.Edit(c.edit)->selectedText(), QStringLiteral("1"));
            QCOMPARE(v.Stored()[c.byte], std::uint8_t{1});
            down->click(); // below the minimum: the maximum
            QCOMPARE(v.Edit(c.edit)->text(), QStringLiteral("255"));
            QCOMPARE(v.Stored()[c.byte], std::uint8_t{255});
            down->click();
            QCOMPARE(v.Stored()[c.byte], std::uint8_t{254});
            QCOMPARE(v.f.notifications.back().data, static_cast<std::uint32_t>(c.spin));
        }
    }

    void TypedNumbersAreBroughtIntoTheirRange()
    {
        struct Case {
            const char* typed;
            const char* shown;
            std::uint8_t stored;
        };
        const Case cases[] = {
            {"0", "1", 1}, {"999", "255", 255}, {"300", "255", 255}, {"007", "7", 7}, {"42", "42", 42}};
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            v.Type(E::kRxDurationEdit, QString::fromLatin1(c.typed));
            QCOMPARE(v.Edit(E::kRxDurationEdit)->text(), QString::fromLatin1(c.shown));
            QCOMPARE(v.Stored()[22], c.stored);
        }
    }

    void TheRevertChannelIsKeptByItsPositionInTheWholeTable()
    {
        CViewFixture v;
        v.f.data->Channels()[1]->SetValid(false); // an empty second channel is not offered
        v.Open();
        QComboBox* revert = v.Combo(E::kRevertChannelCombo);
        QCOMPARE(revert->itemText(0), QStringLiteral("None"));
        QCOMPARE(revert->itemText(1), QStringLiteral("1"));
        QCOMPARE(revert->itemText(2), QStringLiteral("3"));
        QVERIFY(v.Choose(E::kRevertChannelCombo, QStringLiteral("3")));
        QCOMPARE(v.Stored()[1], std::uint8_t{3});
        QVERIFY(v.Choose(E::kRevertChannelCombo, QStringLiteral("None")));
        QCOMPARE(v.Stored()[1], std::uint8_t{0});
    }

    void TheRevertChannelFollowsTheTable()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(E::kRevertChannelCombo, QStringLiteral("3")));
        v.DeleteChannel(0);
        // The third channel is now the second.
        QCOMPARE(v.Combo(E::kRevertChannelCombo)->currentText(), QStringLiteral("2"));
        QVERIFY(!v.f.data->InvalidLog().Contains(E::kRevertChannelKey));
        v.view->StorePages();
        QCOMPARE(v.Stored()[1], std::uint8_t{2});
    }

    void ADeletedRevertChannelIsReported()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(E::kRevertChannelCombo, QStringLiteral("3")));
        v.DeleteChannel(2);
        CInvalidLog& log = v.f.data->InvalidLog();
        QVERIFY(log.Contains(E::kRevertChannelKey));
        const auto entry = std::find_if(log.Entries().begin(), log.Entries().end(),
                                        [](const CInvalidEntry& e) { return e.key == E::kRevertChannelKey; });
        QCOMPARE(entry->control, E::kRevertChannelCombo);
        QCOMPARE(entry->title, std::string("Emergency Revert Channel"));
        QCOMPARE(entry->text, std::string("Emergency"));
        // Nothing is selected and the position stays, so that the fault stays visible.
        QCOMPARE(v.Combo(E::kRevertChannelCombo)->currentIndex(), -1);
        v.view->StorePages();
        QCOMPARE(v.Stored()[1], std::uint8_t{3});
        // Choosing another revert channel clears the entry at the next check.
        QVERIFY(v.Choose(E::kRevertChannelCombo, QStringLiteral("None")));
        v.f.context->Notify({CNotification::Kind::Deleted, 0}, nullptr);
        QVERIFY(!log.Contains(E::kRevertChannelKey));
        QCOMPARE(v.Stored()[1], std::uint8_t{0});
    }

    void UntouchedBlocksKeepEveryByte()
    {
        const std::vector<Bytes> blocks{
            {},
            // ID type 4 with a six-digit ID, every hidden field changed, revert channel 5,
            // alarm on and continuous, voice continuous, odd kept bytes.
            {0x21, 0x05, 0xFE, 0xEC, 0x05, 0x34, 0x12, 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0x06, 0x1E, 0x07, 0xF7,
             0xFF, 0x01, 0xFD, 0x80, 0xFA, 0xFF, 0x01, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88},
            // ID type 3, signalling position 2, the last channel.
            {0x05, 0x10, 0x00, 0x13, 0x34, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x01, 0x1E, 0x0E,
             0x01, 0xFF, 0x02, 0xFF, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
            // ID type 0 with an ID of eight, a type-2 ID longer than the page takes.
            {0x0A, 0x00, 0xF8, 0xE0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x08, 0x0A, 0x0A, 0xF8,
             0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
            {0x0A, 0x00, 0xF8, 0xE2, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x06, 0x0A, 0x0A, 0xF8,
             0x0A, 0x0A, 0xFE, 0x0A, 0xFD, 0x14, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
            // Off the lists: a revert position past the table, values outside the edits' ranges.
            {0x00, 0x40, 0xFF, 0xFF, 0x0E, 0x0F, 0x0E, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0xFF,
             0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
        };
        for (const int level : {0, CSettings::kFactoryLevel}) {
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                CViewFixture v(level);
                if (!blocks[i].empty())
                    v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kBlock, blocks[i]));
                const Image before = v.f.Stored();
                v.Open();
                v.view->StorePages();
                v.view.reset();
                QVERIFY2(v.f.Stored() == before, qPrintable(QStringLiteral("block %1 at level %2").arg(i).arg(level)));
                QVERIFY(v.f.messages.empty());
            }
        }
    }
};

QRV_REGISTER_UI_TEST(EmergencyViewTest);

} // namespace qrv

#include "test_emergency_view.moc"
