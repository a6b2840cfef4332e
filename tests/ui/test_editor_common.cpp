// The table of control owners driving the one-record windows: every control,
// set to another value as a user does, writes the bits it owns and no others
// and reads back in the window opened again; and a window that only looks
// keeps every byte of what it was opened on. The windows start on unusual
// contents, values off the lists among them, as they came from a radio.
#include "control_ownership.h"
#include "editor_fixture.h"
#include "editors/dtmf/view_dtmf_system.h"
#include "editors/emergency/numeric_edit.h"
#include "editors/emergency/view_emergency.h"
#include "editors/keys/view_keys.h"
#include "editors/settings/view_microphone.h"
#include "editors/settings/view_miscellaneous.h"
#include "editors/settings/view_mode.h"
#include "editors/settings/view_vox.h"
#include "editors/test_frequency/view_test_frequency.h"
#include "records/test_frequency_data.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QToolButton>

#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::MakeView;

// A window of one record at a user level: where the record starts, the bytes
// put at an offset in it, and how many controls the user can change there.
struct COwnedWindow {
    const char* name;
    test::ViewMaker make;
    int level;
    std::size_t base;
    std::size_t at;
    Bytes bytes;
    int controls;
};

// clang-format off
const std::vector<COwnedWindow>& OwnedWindows()
{
    using E = CEmergencyData;
    constexpr int kFactory = CSettings::kFactoryLevel;
    const test::ViewMaker misc = MakeView<CViewMiscellaneous>();
    const test::ViewMaker emergency = MakeView<CViewEmergency>();
    static const std::vector<COwnedWindow> windows{
        {"keys, the reserved function", MakeView<CViewKeys>(), 0, CKeyData::kImageOffset, 0,
         {0x00, 0x00, 0x4F, 0x30, 0xFF, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x01}, 4},
        {"vox off the lists", MakeView<CViewVox>(), 0, CVoxData::kImageOffset, 0, {0x00, 0x02}, 2},
        // A voice option on enables the voice language.
        {"miscellaneous off the lists", misc, kFactory, CMiscellaneousData::kImageOffset, 0,
         {0x20, 0xFF, 0xFF, 0xFF, 0xFF, 0x40, 0x26, 0xFF, 0x03, 0x2D, 0xFF, 0xFF, 0xFF, 0xFF}, 8},
        // Hidden, the voice options keep what the radio holds.
        {"miscellaneous below the factory", misc, CSettings::kServiceLevel, CMiscellaneousData::kImageOffset, 9,
         {0x03}, 5},
        {"mode, both clone modes", MakeView<CViewMode>(), kFactory, CModeData::kImageOffset, 0, {0x12, 0x78}, 2},
        {"microphone off the lists", MakeView<CViewMicrophone>(), 0, CMicrophoneData::kImageOffset, 0,
         {0x10, 0x00, 0x04, 0x01, 0, 0}, 2},
        {"dtmf, a short ID before an old one", MakeView<CViewDTMFSystem>(0), 0, CDTMFSystemData::kTableStart, 0,
         {0x12, 0x34, 0x56, 0x78, 0x02}, 7},
        {"emergency, digit ID", emergency, kFactory, E::kImageOffset, E::kAlarmOffset, {0xFA}, 18},
        // ID type 4, every hidden field changed, alarm on and continuous, odd kept bytes.
        {"emergency, six digits", emergency, 0, E::kImageOffset, 0,
         {0x21, 0x05, 0xFE, 0xEC, 0x05, 0x34, 0x12, 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0x06, 0x1E, 0x07, 0xF7,
          0xFF, 0x01, 0xFD, 0x80, 0xFA, 0xFF, 0x01, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}, 13},
        // A revert position past the table, a digit ID longer than its four, values outside the edits' ranges.
        {"emergency, off the lists", emergency, kFactory, E::kImageOffset, 0,
         {0x00, 0x40, 0xFF, 0xFA, 0x0E, 0x0F, 0x0E, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0xFF,
          0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00}, 14},
        // Words and step codes that are no BCD.
        {"test frequencies", MakeView<CViewTestFrequency>(), kFactory, CTestFrequencyData::kImageOffset, 0,
         Bytes(160, 0xAB), 0},
    };
    return windows;
}
// clang-format on

// The numbered controls a user sees and changes: lists, check boxes, edits and spin buttons.
std::vector<QWidget*> UserControls(const QWidget& view)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : view.findChildren<QWidget*>())
        if (ControlNumber(w) != 0 && !w->isHidden() &&
            (qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QLineEdit*>(w) ||
             qobject_cast<CSpinButtons*>(w)))
            controls.push_back(w);
    return controls;
}

// What a window shows: the text or state of each control.
QStringList Shown(const QWidget& view)
{
    QStringList shown;
    for (const QWidget* control : UserControls(view))
        shown << test::ShownText(*control);
    return shown;
}

// Sets an enabled control to another value as a user does; false when it is disabled.
bool SetAnother(QWidget& control)
{
    if (!control.isEnabled())
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        const int index = (combo->currentIndex() + 1) % combo->count();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else if (auto* check = qobject_cast<QCheckBox*>(&control)) {
        check->click();
    } else if (auto* spin = qobject_cast<CSpinButtons*>(&control)) {
        spin->UpButton()->click();
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        test::TypeInto(*edit, edit->text() == QStringLiteral("37") ? QStringLiteral("38") : QStringLiteral("37"));
    }
    return true;
}

} // namespace

class EditorCommonTest : public QObject {
    Q_OBJECT

private slots:
    void EachControlWritesItsOwnBitsAndReadsBack()
    {
        for (const COwnedWindow& w : OwnedWindows()) {
            int changed = 0;
            for (std::size_t i = 0;; ++i) {
                test::CViewFixture<> v(w.level, w.make);
                v.Load(w.base + w.at, w.bytes);
                const Image before = v.Stored();
                v.Open();
                // Opened (and once stored and opened again), untouched: every byte as it was, nothing reported.
                const std::vector<QWidget*> controls = UserControls(i == 0 ? v.Reopen() : *v.view);
                const QString where = QStringLiteral("%1, control %2").arg(QLatin1String(w.name)).arg(i);
                QVERIFY2(v.Stored() == before && v.notifications.empty(), qPrintable(where));
                if (i == controls.size())
                    break;
                const int number = ControlNumber(controls[i]);
                const QStringList shownBefore = Shown(*v.view);
                if (!SetAnother(*controls[i]))
                    continue;
                v.view->StorePages();
                const Image after = v.Stored();
                const QStringList shown = Shown(*v.view);
                if (shown == shownBefore) { // a value the control refuses changes nothing
                    QVERIFY2(after == before, qPrintable(where));
                    continue;
                }
                ++changed;
                // Changed bits, and all of them bits the control owns.
                const QString outside = test::BitsOutsideOwner(before, after, w.base, number);
                QVERIFY2(after != before && outside.isEmpty(), qPrintable(where + QStringLiteral(": ") + outside));
                for (const CNotification& n : v.notifications)
                    QVERIFY2(n.kind != CNotification::Kind::Edited || n.data == static_cast<std::uint32_t>(number),
                             qPrintable(where));
                QVERIFY2(Shown(v.Reopen()) == shown, qPrintable(where));
                QVERIFY2(v.messages.empty(), qPrintable(where));
            }
            QVERIFY2(changed == w.controls, w.name);
        }
    }
};

QRV_REGISTER_UI_TEST(EditorCommonTest);

} // namespace qrv

#include "test_editor_common.moc"
